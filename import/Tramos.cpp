#include "import/Tramos.h"

namespace rt {

namespace {

std::string DosCifras(std::int64_t n) {
    std::string texto = std::to_string(n);
    return texto.size() == 1 ? "0" + texto : texto;
}

}  // namespace

std::string FormatoHora(std::int32_t minutos) {
    // Rounded down, so that a negative minute count still gives minutes from 00 to 59.
    const std::int64_t m = minutos;
    const std::int64_t horas = m >= 0 ? m / 60 : -((-m + 59) / 60);
    return DosCifras(horas) + ":" + DosCifras(m - horas * 60);
}

}  // namespace rt
