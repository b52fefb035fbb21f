#include "platform/Error.h"

#include <cstdint>

#include "text/Cp1252.h"

namespace rt {

ErrorConversion::ErrorConversion(std::string_view texto)
    : Error("'" + AnsiAUtf8(texto) + "' no es un valor entero válido") {}

namespace {

int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int32_t AEntero(std::string_view texto) {
    std::size_t i = 0;
    const std::size_t n = texto.size();
    while (i < n && texto[i] == ' ') ++i;
    bool negativo = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';

    std::uint32_t valor = 0;
    if (i < n && (texto[i] == '$' ||
                  (texto[i] == '0' && i + 1 < n && (texto[i + 1] == 'x' || texto[i + 1] == 'X')))) {
        // Hexadecimal is a bit pattern (a window handle, say), so it may fill all 32 bits.
        i += texto[i] == '$' ? 1 : 2;
        const std::size_t inicio = i;
        for (; i < n; ++i) {
            const int d = ValorHex(texto[i]);
            if (d < 0) throw ErrorConversion(texto);
            valor = (valor << 4) | static_cast<std::uint32_t>(d);
        }
        if (i == inicio || i - inicio > 8) throw ErrorConversion(texto);
        if (negativo) valor = 0u - valor;
        return static_cast<std::int32_t>(valor);
    }

    const std::size_t inicio = i;
    const std::uint32_t limite = negativo ? 0x80000000u : 0x7FFFFFFFu;
    for (; i < n; ++i) {
        if (texto[i] < '0' || texto[i] > '9') throw ErrorConversion(texto);
        const auto d = static_cast<std::uint32_t>(texto[i] - '0');
        if (valor > (limite - d) / 10) throw ErrorConversion(texto);
        valor = valor * 10 + d;
    }
    if (i == inicio) throw ErrorConversion(texto);
    return negativo ? static_cast<std::int32_t>(0u - valor) : static_cast<std::int32_t>(valor);
}

}  // namespace rt
