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
struct Abreviaturas {
    CodigosSinMayusculas enteras;    // whole, as given
    CodigosSinMayusculas guardadas;  // as stored
    Numerador numerador;

    std::string Dar(const std::string& base) {
        auto forma = [&](const std::string& candidato) -> std::optional<std::string> {
            if (enteras.Contiene(candidato)) return std::nullopt;
            // A code as the file gives it keeps its usual form or is numbered; only numbered
            // candidates may take the roomier forms.
            const std::vector<std::string> formas =
                candidato == base ? std::vector<std::string>{RightPart(candidato, 4)}
                                  : FormasDeCuatro(candidato, RightPart(candidato, 4));
            return FormaLibre(formas, [&](const std::string& f) { return guardadas.Contiene(f); });
        };
        const CodigoDado dado = DarCodigo(numerador, base, 2, forma);
        enteras.Anadir(dado.candidato);
        guardadas.Anadir(dado.guardado);
        return dado.guardado;
    }
};

}  // namespace

void TransformarAulas(const Documento& doc, const std::filesystem::path& trabajo) {
    BorrarTabla(trabajo, "AULAT");
    Abreviaturas abreviaturas;
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
