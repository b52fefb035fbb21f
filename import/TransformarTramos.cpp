// School days and time slots: the slots of one school-day template copied onto the seven days of
// the week (DIASHORAST2, ordered by start), numbered into hours (DIASHORAST), and the template's
// period (PERIODOS).

#include <cstdint>
#include <optional>

#include "import/Pasos.h"
#include "import/Tramos.h"
#include "platform/Error.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"

namespace rt {

namespace {

std::vector<DefCampo> CamposRejilla() {
    return {
        {"DIHO", TipoCampo::Texto, 10},     {"CODDIHO", TipoCampo::Texto, 10},
        {"DIA", TipoCampo::Texto, 20},      {"TEXTODIA", TipoCampo::Texto, 20},
        {"HORA", TipoCampo::Texto, 8},      {"TEXTOHOR", TipoCampo::Texto, 15},
        {"HORADESDE", TipoCampo::Texto, 8}, {"HORAHASTA", TipoCampo::Texto, 8},
        {"MINUTOS", TipoCampo::Texto, 8},
    };
}

std::vector<DefCampo> CamposRejillaOrdenada() {
    std::vector<DefCampo> campos = CamposRejilla();
    campos.push_back({"ORDEN", TipoCampo::Entero, 0});
    return campos;
}

const std::vector<DefCampo> kCamposPeriodos = {
    {"CJORNADA", TipoCampo::Texto, 10},
    {"JORNADA", TipoCampo::Texto, 40},
    {"FECINI", TipoCampo::Texto, 10},
    {"FECFIN", TipoCampo::Texto, 10},
};

constexpr int kDiasSemana = 7;

void CrearTablas(const std::filesystem::path& trabajo) {
    BorrarTabla(trabajo, "DIASHORAST");
    BorrarTabla(trabajo, "DIASHORAST2");
    std::error_code ignorado;  // a leftover of older installations; it is not recreated
    std::filesystem::remove(RutaTabla(trabajo, "JORNADAS"), ignorado);
    BorrarTabla(trabajo, "PERIODOS");
    CrearTabla(trabajo, "DIASHORAST", CamposRejilla());
    CrearTabla(trabajo, "DIASHORAST2", CamposRejillaOrdenada(), {{"ORDEN", "ORDEN"}});
    CrearTabla(trabajo, "PERIODOS", kCamposPeriodos);
}

// With one template it is the one; with several the person chooses. A file without templates
// chooses none, and the grid and the period stay empty.
std::optional<std::string> ElegirJornada(const Documento& doc, const std::filesystem::path& fichero,
                                         Interlocutor& persona) {
    const std::vector<Registro> jornadas = LeerBloque(doc, "JORNADAS_ESCOLARES");
    if (jornadas.empty()) return std::nullopt;
    if (jornadas.size() == 1) return jornadas.front().Valor(0);
    return persona.ElegirPlantilla(fichero);
}

// Every slot of the chosen template, on each day of the week; the slot counter counts every
// usable slot of the file, whichever template it belongs to.
void PrimeraPasada(const Documento& doc, Tabla& rejilla2, const std::string& jornada) {
    std::int32_t contador = 1;
    for (const Registro& tramo : LeerBloque(doc, "TRAMOS_HORARIOS")) {
        if (!tramo.Utilizable()) continue;
        if (tramo.Valor(4) == jornada) {
            const std::int32_t desde = AEntero(tramo.Valor(2));
            const std::int32_t hasta = AEntero(tramo.Valor(3));
            for (int dia = 1; dia <= kDiasSemana; ++dia) {
                const std::string textoDia = std::to_string(dia);
                rejilla2.Anadir();
                rejilla2.PonerTexto("DIHO", textoDia + std::to_string(contador));
                rejilla2.PonerTexto("DIA", textoDia);
                rejilla2.PonerTexto("HORA", std::to_string(contador));
                rejilla2.PonerTexto("TEXTOHOR", tramo.Valor(1));
                rejilla2.PonerTexto("CODDIHO", tramo.Valor(0));
                rejilla2.PonerTexto("HORADESDE", FormatoHora(desde));
                rejilla2.PonerTexto("HORAHASTA", FormatoHora(hasta));
                rejilla2.PonerTexto("MINUTOS", std::to_string(std::int64_t{hasta} - desde));
                rejilla2.PonerEntero("ORDEN", desde);
                rejilla2.Grabar();
            }
        }
        ++contador;
    }
}

// Slots that start at the same minute share an hour number; the hours of a day are numbered in
// order of their start, without gaps.
void SegundaPasada(Tabla& rejilla2, Tabla& rejilla) {
    rejilla2.RecorrerPor("ORDEN");
    rejilla2.Primero();
    if (rejilla2.Fin()) return;
    std::int32_t inicio = rejilla2.LeerEntero("ORDEN");
    std::int32_t hora = 1;
    for (; !rejilla2.Fin(); rejilla2.Siguiente()) {
        const std::int32_t orden = rejilla2.LeerEntero("ORDEN");
        if (orden > inicio) {
            ++hora;
            inicio = orden;
        }
        const std::string dia = rejilla2.LeerTexto("DIA");
        rejilla.Anadir();
        rejilla.PonerTexto("DIHO", dia + std::to_string(hora));
        rejilla.PonerTexto("DIA", dia);
        rejilla.PonerTexto("HORA", std::to_string(hora));
        for (const char* campo : {"TEXTOHOR", "CODDIHO", "HORADESDE", "HORAHASTA", "MINUTOS"}) {
            rejilla.PonerTexto(campo, rejilla2.LeerTexto(campo));
        }
        rejilla.Grabar();
    }
}

void GrabarPeriodo(const Documento& doc, Tabla& periodos, const std::string& jornada) {
    for (const Registro& registro : LeerBloque(doc, "JORNADAS_ESCOLARES")) {
        if (registro.Valor(0) != jornada) continue;
        periodos.Anadir();
        periodos.PonerTexto("CJORNADA", registro.Valor(0));
        periodos.PonerTexto("JORNADA", registro.Valor(1));
        periodos.PonerTexto("FECINI", registro.Valor(2));
        periodos.PonerTexto("FECFIN", registro.Valor(3));
        periodos.Grabar();
    }
}

}  // namespace

void TransformarTramos(const Documento& doc, const std::filesystem::path& trabajo,
                       const std::filesystem::path& fichero, Interlocutor& persona,
                       std::string& JornadaElegida) {
    CrearTablas(trabajo);
    const std::optional<std::string> jornada = ElegirJornada(doc, fichero, persona);
    JornadaElegida = jornada.value_or("");
    if (!jornada) return;
    {
        Tabla rejilla2 = Tabla::Abrir(trabajo, "DIASHORAST2");
        PrimeraPasada(doc, rejilla2, *jornada);
        Tabla rejilla = Tabla::Abrir(trabajo, "DIASHORAST");
        SegundaPasada(rejilla2, rejilla);
        rejilla2.Cerrar();
        rejilla.Cerrar();
    }
    Tabla periodos = Tabla::Abrir(trabajo, "PERIODOS");
    GrabarPeriodo(doc, periodos, *jornada);
    periodos.Cerrar();
}

}  // namespace rt
