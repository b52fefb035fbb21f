#include "cli/InterlocutorConsola.h"

#include <unistd.h>

#include <iostream>

#include "import/Plantihoras.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

namespace rt::cli {

InterlocutorConsola::InterlocutorConsola(std::filesystem::path fichero,
                                         std::optional<std::string> jornada)
    : fichero_(std::move(fichero)), jornada_(std::move(jornada)) {}

std::optional<std::filesystem::path> InterlocutorConsola::ElegirFichero() {
    if (fichero_.empty()) return std::nullopt;
    return std::filesystem::absolute(fichero_);
}

void InterlocutorConsola::Mensaje(const std::string& texto) { std::cout << texto << std::endl; }

namespace {

void MostrarPlantillas(const LogicaPlantillas& plantillas) {
    std::cout << "Plantillas Horarias:\n";
    for (const std::string& codigo : plantillas.Codigos()) {
        const LogicaPlantillas::Vista vista = plantillas.Mostrar(codigo);
        std::cout << "  " << AnsiAUtf8(codigo) << "  " << AnsiAUtf8(vista.nombre) << "  ("
                  << AnsiAUtf8(vista.fechaInicio) << " - " << AnsiAUtf8(vista.fechaFin) << ")\n";
        std::cout << "      HORAS:";
        for (const std::string& tramo : vista.tramos) std::cout << ' ' << AnsiAUtf8(tramo) << ';';
        std::cout << '\n';
    }
}

std::string ListaDeCodigos(const LogicaPlantillas& plantillas) {
    std::string lista;
    for (const std::string& codigo : plantillas.Codigos()) {
        if (!lista.empty()) lista += ", ";
        lista += AnsiAUtf8(LogicaPlantillas::Elegida(codigo));
    }
    return lista;
}

void SinTerminal(const LogicaPlantillas& plantillas) {
    throw Error("El fichero tiene varias plantillas horarias; indique una con --jornada: " +
                ListaDeCodigos(plantillas));
}

}  // namespace

void InterlocutorConsola::ComprobarQueSePuedeElegir() const {
    if (jornada_ || isatty(STDIN_FILENO)) return;
    const LogicaPlantillas plantillas(fichero_);
    if (!plantillas.Codigos().empty()) SinTerminal(plantillas);
}

std::string InterlocutorConsola::ElegirPlantilla(const std::filesystem::path& fichero) {
    if (jornada_) return LogicaPlantillas::Elegida(Utf8AAnsi(*jornada_));
    LogicaPlantillas plantillas(fichero);
    if (!isatty(STDIN_FILENO)) SinTerminal(plantillas);
    MostrarPlantillas(plantillas);
    std::cout << "Seleccione la Plantilla Horaria que quiere aplicar a su Horario en Tabelio: "
              << std::flush;
    std::string respuesta;
    if (!std::getline(std::cin, respuesta)) respuesta.clear();
    return LogicaPlantillas::Elegida(Utf8AAnsi(respuesta));
}

}  // namespace rt::cli
