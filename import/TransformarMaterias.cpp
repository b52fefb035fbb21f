// Subjects and activities: ASIGNOMT (one row per distinct subject name, then the activities) and
// ASIGNOMT2 (one row per subject and course offer).

#include "import/Codigos.h"
#include "import/Pasos.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace {

const std::vector<DefCampo> kCamposAsignomt = {
    {"COD", TipoCampo::Texto, 4},      {"CODLARGO", TipoCampo::Texto, 8},
    {"NOMBRE", TipoCampo::Texto, 40},  {"CODTAREA", TipoCampo::Texto, 12},
    {"ESTAREA", TipoCampo::Logico, 0},
};

const std::vector<DefCampo> kCamposAsignomt2 = {
    {"COD", TipoCampo::Texto, 4},          {"CODLARGO", TipoCampo::Texto, 8},
    {"NOMBRE", TipoCampo::Texto, 40},      {"MATERIA", TipoCampo::Texto, 20},
    {"OFERTAMATRI", TipoCampo::Texto, 20}, {"CODTAREA", TipoCampo::Texto, 12},
    {"ESTAREA", TipoCampo::Logico, 0},
};

bool EsMayuscula(char c) { return c >= 'A' && c <= 'Z'; }

// The short code before numbering: the capitals of the name, led by its first character when
// that is not a capital; a single character grows from the words' initials or the name's start.
std::string CodigoCorto(const std::string& nombre) {
    std::string codigo = CapitalsOnly(nombre);
    if (!nombre.empty() && !EsMayuscula(nombre.front()))
        codigo.insert(codigo.begin(), nombre.front());
    if (codigo.size() == 1) {
        if (nombre.find(' ') != std::string::npos) {
            codigo = nombre.substr(0, 1) + LettersAfterBlanks(nombre);
        } else {
            codigo = LeftPart(nombre, 4);
        }
    }
    return codigo;
}

// A code of five or more characters is long enough to serve as the long code itself.
std::string CodigoLargo(const std::string& codigo, const std::string& nombre) {
    return codigo.size() <= 4 ? LeftPart(nombre, 8) : codigo;
}

// Trailing blanks are padding in a character field, so a value compared with one is compared
// without them (a long code cut to eight characters may end in a blank).
std::string ComoCampo(std::string valor) { return TrimTrailing(std::move(valor)); }

// The codes stored in ASIGNOMT so far, and where each stem's numbering stands.
struct CodigosGuardados {
    std::set<std::string> codigos;
    Numerador numerador;
};

struct Materia {
    std::string nombre, clave, curso, codigo, largo;
};

void PonerFila(Tabla& tabla, const std::string& codigo, const Materia& m) {
    tabla.Anadir();
    tabla.PonerTexto("COD", codigo);
    tabla.PonerTexto("CODLARGO", m.largo);
    tabla.PonerTexto("NOMBRE", m.nombre);
    tabla.PonerLogico("ESTAREA", false);
}

void GrabarOferta(Tabla& asignomt2, const std::string& codigo, const Materia& m) {
    PonerFila(asignomt2, codigo, m);
    asignomt2.PonerTexto("MATERIA", m.clave);
    asignomt2.PonerTexto("OFERTAMATRI", m.curso);
    asignomt2.Grabar();
}

bool YaVista(const ListasMaterias& listas, const Materia& m) {
    return listas.NombresMaterias.contains(MayusculasAscii(m.nombre)) &&
           listas.CodigosLargos.contains(m.largo) &&
           listas.ParesCodigoNombre.contains(m.largo + m.nombre);
}

// A subject seen before only gains the course offer, with the code it was given then.
void MateriaVista(Tabla& asignomt, Tabla& asignomt2, const Materia& m) {
    if (asignomt2.Localizar("MATERIA", ComoCampo(m.clave), "OFERTAMATRI", ComoCampo(m.curso)))
        return;
    if (!asignomt.Localizar("CODLARGO", ComoCampo(LeftPart(m.largo, 8)), "NOMBRE",
                            ComoCampo(LeftPart(m.nombre, 40))))
        return;
    GrabarOferta(asignomt2, asignomt.LeerTexto("COD"), m);
}

// Numbered past every code given so far. A shortened candidate that the table already holds
// would make two subjects one for the timetable, so the numbering goes on past it.
std::string NumerarCodigo(ListasMaterias& listas, CodigosGuardados& guardados,
                          const std::string& codigo) {
    auto forma = [&](const std::string& candidato) -> std::optional<std::string> {
        if (listas.CodigosAsignados.contains(candidato)) return std::nullopt;
        return FormaLibre(FormasDeCuatro(candidato, AcortarACuatro(candidato)),
                          [&](const std::string& f) { return guardados.codigos.contains(f); });
    };
    const CodigoDado dado = DarCodigo(guardados.numerador, codigo, 3, forma);
    listas.CodigosAsignados.insert(dado.candidato);
    guardados.codigos.insert(dado.guardado);
    return dado.guardado;
}

void MateriaNueva(Tabla& asignomt, Tabla& asignomt2, ListasMaterias& listas,
                  CodigosGuardados& guardados, const Materia& m) {
    listas.NombresMaterias.insert(MayusculasAscii(m.nombre));
    listas.CodigosLargos.insert(m.largo);
    listas.ParesCodigoNombre.insert(m.largo + m.nombre);
    const std::string codigo = NumerarCodigo(listas, guardados, m.codigo);
    PonerFila(asignomt, codigo, m);
    asignomt.Grabar();
    GrabarOferta(asignomt2, codigo, m);
}

Materia LeerMateria(const Registro& registro) {
    Materia m;
    m.nombre = registro.Valor(2);
    m.clave = registro.Valor(1);
    m.curso = registro.Valor(0);
    const std::string codigo = CodigoCorto(m.nombre);
    m.largo = CodigoLargo(codigo, m.nombre);
    m.codigo = LeftPart(codigo, 4);
    return m;
}

}  // namespace

void TransformarMaterias(const Documento& doc, const std::filesystem::path& trabajo,
                         ListasMaterias& listas) {
    BorrarTabla(trabajo, "ASIGNOMT");
    CrearTabla(trabajo, "ASIGNOMT", kCamposAsignomt);
    BorrarTabla(trabajo, "ASIGNOMT2");
    CrearTabla(trabajo, "ASIGNOMT2", kCamposAsignomt2);
    const std::vector<Registro> registros = LeerBloque(doc, "MATERIAS");
    Tabla asignomt = Tabla::Abrir(trabajo, "ASIGNOMT");
    Tabla asignomt2 = Tabla::Abrir(trabajo, "ASIGNOMT2");
    CodigosGuardados guardados;
    for (const Registro& registro : registros) {
        if (!registro.Utilizable()) continue;
        const Materia m = LeerMateria(registro);
        if (YaVista(listas, m)) {
            MateriaVista(asignomt, asignomt2, m);
        } else {
            MateriaNueva(asignomt, asignomt2, listas, guardados, m);
        }
    }
    asignomt2.Cerrar();
    asignomt.Cerrar();
}

void TransformarActividades(const Documento& doc, const std::filesystem::path& trabajo,
                            ListasMaterias& listas) {
    const std::vector<Registro> registros = LeerBloque(doc, "ACTIVIDADES");
    Tabla asignomt = Tabla::Abrir(trabajo, "ASIGNOMT");
    for (const Registro& registro : registros) {
        if (!registro.Utilizable()) continue;
        const std::string nombre = registro.Valor(2);
        const std::string codigo = registro.Valor(1);
        asignomt.Anadir();
        asignomt.PonerTexto("COD", codigo);
        asignomt.PonerTexto("CODLARGO", LeftPart(nombre, 8));
        asignomt.PonerTexto("NOMBRE", nombre);
        asignomt.PonerTexto("CODTAREA", codigo);
        asignomt.PonerLogico("ESTAREA", true);
        asignomt.Grabar();
    }
    asignomt.Cerrar();
    listas = ListasMaterias{};
}

}  // namespace rt
