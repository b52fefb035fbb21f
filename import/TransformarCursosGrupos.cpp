// Courses and units: CURSOST (one row per course, with its level from the level table) and
// GRUPOST (one row per unit, with a distinct four-character code).

#include "import/Codigos.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace {

const std::vector<DefCampo> kCamposCursost = {
    {"ABREV", TipoCampo::Texto, 3},  {"TURNO", TipoCampo::Texto, 1},
    {"NIVEL", TipoCampo::Texto, 5},  {"CURSO", TipoCampo::Texto, 3},
    {"CLAVE", TipoCampo::Texto, 10}, {"ESTUD", TipoCampo::Texto, 40},
};

const std::vector<DefCampo> kCamposGrupost = {
    {"ABREV", TipoCampo::Texto, 4},       {"TURNO", TipoCampo::Texto, 1},
    {"NIVEL", TipoCampo::Texto, 5},       {"CURSO", TipoCampo::Texto, 3},
    {"GRUPO", TipoCampo::Texto, 2},       {"CLAVE", TipoCampo::Texto, 10},
    {"CLAVECURSO", TipoCampo::Texto, 10}, {"DESCRIP", TipoCampo::Texto, 40},
};

void GrabarCurso(Tabla& cursost, Tabla& niveles, const Registro& registro) {
    const std::string clave = registro.Valor(0);
    const std::int32_t numero = AEntero(clave);
    std::string nivel, estudio;
    if (niveles.Localizar("X_OFERTAMATRIG", std::to_string(numero))) {
        nivel = niveles.LeerTexto("NIVEL_ABREV");
        estudio = niveles.LeerTexto("ESTUDIO");
    }
    cursost.Anadir();
    cursost.PonerTexto("CLAVE", clave);
    cursost.PonerTexto("NIVEL", nivel.empty() ? "Niv" : nivel);
    cursost.PonerTexto("CURSO", LeftPart(registro.Valor(1), 1));
    cursost.PonerTexto("ESTUD", estudio);
    cursost.Grabar();
}

// The first three characters of the name that are not blanks, then its last character.
std::string CodigoBase(const std::string& nombre) {
    std::string recogidos;
    for (char c : nombre) {
        if (c == ' ') continue;
        recogidos += c;
        if (recogidos.size() == 4) break;
    }
    return TrimBoth(LeftPart(recogidos, 3) + RightPart(nombre, 1));
}

// A numbered candidate of five characters is shortened to four; where the shortened form is a
// code given already ('1º10' for the eleventh and the twelfth '1ºEA'), the numbering goes on, so
// that every unit keeps a code of its own.
DadorDeCodigos CodigosUnidad() { return DadorDeCodigos(3, AcortarACuatro); }

struct Curso {
    std::string nivel, curso, estudio;
};

Curso BuscarCurso(Tabla& cursost, const std::string& clave) {
    if (!cursost.Localizar("CLAVE", TrimTrailing(clave))) return {};
    return {cursost.LeerTexto("NIVEL"), cursost.LeerTexto("CURSO"), cursost.LeerTexto("ESTUD")};
}

std::string Descripcion(const std::string& nombre, const Curso& curso, const std::string& grupo) {
    if (!curso.estudio.empty()) return "(" + nombre + ") " + curso.estudio;
    return " " + curso.nivel + " " + curso.curso + " " + grupo;
}

void GrabarUnidad(Tabla& grupost, Tabla& cursost, DadorDeCodigos& codigos,
                  const Registro& registro) {
    const std::string nombre = registro.Valor(1);
    const std::string claveCurso = registro.Valor(2);
    const Curso curso = BuscarCurso(cursost, claveCurso);
    const std::string grupo = RightPart(nombre, 1);
    grupost.Anadir();
    grupost.PonerTexto("ABREV", codigos.Dar(CodigoBase(nombre)));
    grupost.PonerTexto("TURNO", "");
    grupost.PonerTexto("NIVEL", curso.nivel);
    grupost.PonerTexto("CURSO", curso.curso);
    grupost.PonerTexto("GRUPO", grupo);
    grupost.PonerTexto("CLAVE", registro.Valor(0));
    grupost.PonerTexto("CLAVECURSO", claveCurso);
    grupost.PonerTexto("DESCRIP", Descripcion(nombre, curso, grupo));
    grupost.Grabar();
}

}  // namespace

void TransformarCursosGrupos(const Documento& doc, const std::filesystem::path& trabajo,
                             const std::filesystem::path& programa) {
    BorrarTabla(trabajo, "GRUPOST");
    BorrarTabla(trabajo, "CURSOST");
    DadorDeCodigos codigos = CodigosUnidad();
    CrearTabla(trabajo, "CURSOST", kCamposCursost);
    CrearTabla(trabajo, "GRUPOST", kCamposGrupost);

    const std::vector<Registro> cursos = LeerBloque(doc, "CURSOS_DEL_CENTRO");
    Tabla cursost = Tabla::Abrir(trabajo, "CURSOST");
    {
        Tabla niveles = Tabla::Abrir(programa, "NIVELLARI");
        for (const Registro& registro : cursos) {
            if (registro.Utilizable()) GrabarCurso(cursost, niveles, registro);
        }
        niveles.Cerrar();
    }

    const std::vector<Registro> unidades = LeerBloque(doc, "UNIDADES");
    Tabla grupost = Tabla::Abrir(trabajo, "GRUPOST");
    for (const Registro& registro : unidades) {
        if (registro.Utilizable()) GrabarUnidad(grupost, cursost, codigos, registro);
    }
    grupost.Cerrar();
    cursost.Cerrar();
}

}  // namespace rt
