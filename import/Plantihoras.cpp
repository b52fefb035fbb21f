#include "import/Plantihoras.h"

#include "platform/Intercambio.h"

namespace rt {

LogicaPlantillas::LogicaPlantillas(const std::filesystem::path& fichero) {
    doc_.Cargar(fichero);  // a file that fails to load simply offers no template
    const std::vector<Registro> jornadas = LeerBloque(doc_, "JORNADAS_ESCOLARES");
    if (jornadas.size() > 1) {
        for (const Registro& jornada : jornadas) codigos_.push_back(jornada.ValorSinRecortar(0));
    }
}

LogicaPlantillas::Vista LogicaPlantillas::Mostrar(const std::string& textoCaja) const {
    Vista vista;
    const std::vector<Registro> jornadas = LeerBloque(doc_, "JORNADAS_ESCOLARES");
    if (jornadas.size() > 1) {
        for (const Registro& jornada : jornadas) {
            if (jornada.ValorSinRecortar(0) != textoCaja) continue;
            vista.nombre = jornada.ValorSinRecortar(1);
            vista.fechaInicio = jornada.ValorSinRecortar(2);
            vista.fechaFin = jornada.ValorSinRecortar(3);
        }
    }
    const std::vector<Registro> tramos = LeerBloque(doc_, "TRAMOS_HORARIOS");
    if (tramos.size() > 1) {
        vista.tramosActualizados = true;
        for (const Registro& tramo : tramos) {
            if (tramo.ValorSinRecortar(4) == textoCaja) {
                vista.tramos.push_back(tramo.ValorSinRecortar(1));
            }
        }
    }
    return vista;
}

std::string LogicaPlantillas::Elegida(const std::string& textoCaja) {
    auto control = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t inicio = 0;
    std::size_t fin = textoCaja.size();
    while (inicio < fin && control(textoCaja[inicio])) ++inicio;
    while (fin > inicio && control(textoCaja[fin - 1])) --fin;
    return textoCaja.substr(inicio, fin - inicio);
}

}  // namespace rt
