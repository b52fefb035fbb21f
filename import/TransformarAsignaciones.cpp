// Subject assignments: ASIGT, one row for every subject and every unit of its course.

#include <cmath>
#include <map>
#include <unordered_map>

#include "import/Codigos.h"
#include "import/Pasos.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace {

const std::vector<DefCampo> kCamposAsigt = {
    {"CASIG", TipoCampo::Texto, 4},    {"CPROF", TipoCampo::Texto, 4},
    {"CGRUP", TipoCampo::Texto, 4},    {"CAULA", TipoCampo::Texto, 4},
    {"TURNO", TipoCampo::Texto, 1},    {"NIVEL", TipoCampo::Texto, 5},
    {"CURSO", TipoCampo::Texto, 3},    {"GRUPO", TipoCampo::Texto, 2},
    {"HORAS", TipoCampo::Flotante, 0}, {"SESIONES", TipoCampo::Texto, 20},
    {"CLAVE", TipoCampo::Texto, 10},   {"CLAVECURSO", TipoCampo::Texto, 10},
    {"CTAREA", TipoCampo::Texto, 4},
};

// Every assignment carries the same weekly load, in minutes; Tabelio counts it in whole hours.
constexpr int kMinutosSemanales = 240;

std::string ClaveNombre(const std::string& nombre) { return TrimBoth(MayusculasAscii(nombre)); }

// The code of the first ASIGNOMT row of each name, names compared upper-cased (a to z) and
// trimmed, as the lookup of a subject by its name does.
std::unordered_map<std::string, std::string> CodigosPorNombre(Tabla& asignomt) {
    std::unordered_map<std::string, std::string> codigos;
    for (asignomt.Primero(); !asignomt.Fin(); asignomt.Siguiente()) {
        codigos.try_emplace(ClaveNombre(asignomt.LeerTexto("NOMBRE")), asignomt.LeerTexto("COD"));
    }
    return codigos;
}

struct Unidad {
    std::string abrev, nivel, curso, grupo;
};

// The units of each course key, in the order of GRUPOST.
std::map<std::string, std::vector<Unidad>> UnidadesPorCurso(Tabla& grupost) {
    std::map<std::string, std::vector<Unidad>> unidades;
    for (grupost.Primero(); !grupost.Fin(); grupost.Siguiente()) {
        unidades[grupost.LeerTexto("CLAVECURSO")].push_back(
            {grupost.LeerTexto("ABREV"), grupost.LeerTexto("NIVEL"), grupost.LeerTexto("CURSO"),
             grupost.LeerTexto("GRUPO")});
    }
    return unidades;
}

void GrabarAsignacion(Tabla& asigt, const std::string& codigo, const Unidad& unidad,
                      const Registro& registro) {
    const int horas = static_cast<int>(std::ceil(kMinutosSemanales / 60.0));
    asigt.Anadir();
    asigt.PonerTexto("CASIG", codigo);
    asigt.PonerTexto("CGRUP", unidad.abrev);
    asigt.PonerTexto("CAULA", "");
    asigt.PonerTexto("TURNO", "");
    asigt.PonerTexto("NIVEL", unidad.nivel);
    asigt.PonerTexto("CURSO", unidad.curso);
    asigt.PonerTexto("GRUPO", unidad.grupo);
    asigt.PonerFlotante("HORAS", horas);
    asigt.PonerTexto("SESIONES", std::string(static_cast<std::size_t>(horas), '1'));
    asigt.PonerTexto("CLAVE", registro.Valor(1));
    asigt.PonerTexto("CLAVECURSO", registro.Valor(0));
    asigt.PonerTexto("CTAREA", "1");
    asigt.Grabar();
}

}  // namespace

void TransformarAsignaciones(const Documento& doc, const std::filesystem::path& trabajo) {
    BorrarTabla(trabajo, "ASIGT");
    CrearTabla(trabajo, "ASIGT", kCamposAsigt);
    Tabla asigt = Tabla::Abrir(trabajo, "ASIGT");
    Tabla grupost = Tabla::Abrir(trabajo, "GRUPOST");
    Tabla asignomt = Tabla::Abrir(trabajo, "ASIGNOMT");
    const auto codigos = CodigosPorNombre(asignomt);
    const auto unidades = UnidadesPorCurso(grupost);

    for (const Registro& registro : LeerBloque(doc, "MATERIAS")) {
        if (!registro.Utilizable()) continue;
        const auto codigo = codigos.find(ClaveNombre(LeftPart(registro.Valor(2), 40)));
        if (codigo == codigos.end() || codigo->second.empty()) continue;
        const auto delCurso = unidades.find(registro.Valor(0));
        if (delCurso == unidades.end()) continue;
        for (const Unidad& unidad : delCurso->second) {
            GrabarAsignacion(asigt, codigo->second, unidad, registro);
        }
    }
    asignomt.Cerrar();
    grupost.Cerrar();
    asigt.Cerrar();
}

}  // namespace rt
