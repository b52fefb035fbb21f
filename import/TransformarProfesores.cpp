// Teachers: PROFT, one row per employee, with a display name and a distinct abbreviation.

#include "import/Codigos.h"
#include "import/Pasos.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace {

const std::vector<DefCampo> kCamposProft = {
    {"ABREV", TipoCampo::Texto, 4},       {"NOMBRE", TipoCampo::Texto, 40},
    {"DEPART", TipoCampo::Texto, 40},     {"DNI", TipoCampo::Entero, 0},
    {"X_EMPLEADO", TipoCampo::Texto, 10}, {"F_TOMAPOS", TipoCampo::Texto, 10},
};

// The initials come from the texts as the file gives them, before trimming: a name part with a
// leading blank gives that blank, and Tabelio's abbreviations have always been made this way.
std::string Iniciales(const Registro& registro) {
    std::string iniciales;
    for (std::size_t posicion : {3, 4, 5}) {
        const std::string parte = registro.ValorSinRecortar(posicion);
        if (!parte.empty()) iniciales += parte.front();
    }
    return iniciales;
}

std::string NombreCompleto(const Registro& registro) {
    return registro.Valor(3) + " " + registro.Valor(4) + ", " + registro.Valor(5);
}

// From the tenth clash of the same initials a candidate has five characters, which the
// four-character field would cut back onto an earlier abbreviation; it is stored as its first two
// and last two characters instead, and numbered on while that is taken.
DadorDeCodigos Abreviaturas() { return DadorDeCodigos(3, AcortarACuatro); }

}  // namespace

void TransformarProfesores(const Documento& doc, const std::filesystem::path& trabajo) {
    BorrarTabla(trabajo, "PROFT");
    DadorDeCodigos abreviaturas = Abreviaturas();
    CrearTabla(trabajo, "PROFT", kCamposProft);
    const std::vector<Registro> registros = LeerBloque(doc, "EMPLEADOS");
    Tabla proft = Tabla::Abrir(trabajo, "PROFT");
    for (const Registro& registro : registros) {
        if (!registro.Utilizable()) continue;
        const std::string abreviatura = abreviaturas.Dar(Iniciales(registro));
        proft.Anadir();
        proft.PonerTexto("ABREV", abreviatura);
        proft.PonerTexto("NOMBRE", NombreCompleto(registro));
        proft.PonerTexto("DEPART", "");
        proft.PonerTexto("X_EMPLEADO", registro.Valor(0));
        proft.PonerTexto("F_TOMAPOS", registro.Valor(1));
        proft.Grabar();
    }
    proft.Cerrar();
}

}  // namespace rt
