// Rooms: AULAT, one row per room, with an abbreviation of at most four characters.

#include "import/Codigos.h"
#include "import/Pasos.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace {

const std::vector<DefCampo> kCamposAulat = {
    {"ABREV", TipoCampo::Texto, 4},      {"NOMBRE", TipoCampo::Texto, 40},
    {"EDIFICIO", TipoCampo::Texto, 1},   {"MAXALUM", TipoCampo::Entero, 0},
    {"DEPCENTRO", TipoCampo::Texto, 10},
};

// The table keeps the last four characters of an abbreviation. Two long codes that end alike
// would give two rooms one stored abbreviation, so that counts as a clash as well, and the
// numbering goes on until the stored form is free too.
DadorDeCodigos Abreviaturas() {
    return DadorDeCodigos(2, [](const std::string& c) { return RightPart(c, 4); });
}

}  // namespace

void TransformarAulas(const Documento& doc, const std::filesystem::path& trabajo) {
    BorrarTabla(trabajo, "AULAT");
    DadorDeCodigos abreviaturas = Abreviaturas();
    CrearTabla(trabajo, "AULAT", kCamposAulat);
    const std::vector<Registro> registros = LeerBloque(doc, "DEPENDENCIAS");
    Tabla aulat = Tabla::Abrir(trabajo, "AULAT");
    for (const Registro& registro : registros) {
        if (!registro.Utilizable()) continue;
        const std::string codigo = registro.Valor(0);
        const std::string nombre = registro.Valor(1);
        const std::string base = codigo.empty() ? LeftPart(nombre, 4) : codigo;
        aulat.Anadir();
        aulat.PonerTexto("ABREV", abreviaturas.Dar(base));
        aulat.PonerTexto("NOMBRE", nombre);
        aulat.PonerTexto("DEPCENTRO", codigo);
        aulat.Grabar();
    }
    aulat.Cerrar();
}

}  // namespace rt
