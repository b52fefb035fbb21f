#include "platform/TablaFilas.h"

#include <cerrno>
#include <cstdlib>

namespace rt::tabla {

double Filas::ClaveNumerica(std::size_t fila, int campo) const {
    const std::string t = Texto(Registro(fila), campo);
    // dBase indexes a blank number as zero.
    return t.empty() ? 0.0 : NumeroEstricto(t).value_or(0.0);
}

std::optional<double> NumeroEstricto(std::string_view texto) {
    std::string t(texto);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    const char* inicio = t.c_str();
    while (*inicio == ' ') ++inicio;
    if (*inicio == '\0') return std::nullopt;
    char* fin = nullptr;
    errno = 0;
    const double v = std::strtod(inicio, &fin);
    if (*fin != '\0' || errno == ERANGE) return std::nullopt;
    return v;
}

}  // namespace rt::tabla
