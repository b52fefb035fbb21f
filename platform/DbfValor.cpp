#include "platform/DbfValor.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace rt {

namespace {

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\0')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
    return t;
}

std::uint64_t BigEndian(std::string_view b) {
    std::uint64_t v = 0;
    for (char c : b) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

std::uint64_t LittleEndian(std::string_view b) {
    std::uint64_t v = 0;
    for (auto it = b.rbegin(); it != b.rend(); ++it) v = (v << 8) | static_cast<unsigned char>(*it);
    return v;
}

bool TodoCeros(std::string_view b) {
    for (char c : b) {
        if (c != '\0') return false;
    }
    return true;
}

std::string Decimal(double v) {
    char texto[64];
    const auto r = std::to_chars(texto, texto + sizeof texto, v, std::chars_format::fixed);
    if (r.ec != std::errc{}) return {};
    return NumeroCanonico(std::string_view(texto, static_cast<std::size_t>(r.ptr - texto)))
        .value_or(std::string(texto, r.ptr));
}

double DobleDe(std::uint64_t patron) {
    double v;
    std::memcpy(&v, &patron, sizeof v);
    return v;
}

}  // namespace

bool EsNumerico(const CampoDbf& campo) {
    switch (campo.tipo) {
        case 'N':
        case 'F':
        case 'I':
        case '+':
        case 'O':
        case 'Y':
            return true;
        default:
            return false;
    }
}

std::optional<std::string> NumeroCanonico(std::string_view texto) {
    std::string_view t = SinBlancos(texto);
    bool negativo = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negativo = t.front() == '-';
        t.remove_prefix(1);
    }
    const auto punto = t.find('.');
    std::string_view entera = t.substr(0, punto);
    std::string_view fraccion =
        punto == std::string_view::npos ? std::string_view{} : t.substr(punto + 1);
    if (entera.empty() && fraccion.empty()) return std::nullopt;
    for (char c : entera) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    for (char c : fraccion) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    while (entera.size() > 1 && entera.front() == '0') entera.remove_prefix(1);
    while (!fraccion.empty() && fraccion.back() == '0') fraccion.remove_suffix(1);
    std::string r = entera.empty() ? "0" : std::string(entera);
    if (!fraccion.empty()) r += "." + std::string(fraccion);
    if (negativo && r != "0") r.insert(r.begin(), '-');
    return r;
}

std::string TextoDeCampo(const CampoDbf& campo, std::string_view b, bool nivel7) {
    switch (campo.tipo) {
        case 'C': {
            while (!b.empty() && (b.back() == ' ' || b.back() == '\0')) b.remove_suffix(1);
            return std::string(b);
        }
        case 'N':
        case 'F': {
            const std::string_view t = SinBlancos(b);
            if (t.empty()) return {};
            if (auto n = NumeroCanonico(t)) return *n;
            // An exponent form or a numeric overflow ("***") is left as written.
            return std::string(t);
        }
        case 'L': {
            if (b.empty()) return {};
            switch (b[0]) {
                case 'T':
                case 't':
                case 'Y':
                case 'y':
                    return "T";
                case 'F':
                case 'f':
                case 'N':
                case 'n':
                    return "F";
                default:
                    return {};
            }
        }
        case 'D':
            return std::string(SinBlancos(b));
        case 'I':
        case '+': {
            if (b.size() != 4) return {};
            if (nivel7) {
                // dBase 7 keeps a long big-endian with the sign bit inverted, so that its bytes
                // sort.
                if (TodoCeros(b)) return {};
                const auto v = static_cast<std::uint32_t>(BigEndian(b)) ^ 0x80000000u;
                return std::to_string(static_cast<std::int32_t>(v));
            }
            return std::to_string(
                static_cast<std::int32_t>(static_cast<std::uint32_t>(LittleEndian(b))));
        }
        case 'O': {
            if (b.size() != 8 || TodoCeros(b)) return {};
            // dBase 7's sortable double: big-endian, sign bit set for positives, all bits
            // inverted for negatives.
            std::uint64_t v = BigEndian(b);
            v = (v & 0x8000000000000000ull) ? v ^ 0x8000000000000000ull : ~v;
            return Decimal(DobleDe(v));
        }
        case 'Y': {
            if (b.size() != 8) return {};
            const auto v = static_cast<std::int64_t>(LittleEndian(b));
            return Decimal(static_cast<double>(v) / 10000.0);
        }
        case 'B': {
            // A double in the FoxPro family; elsewhere a memo block reference, not read here.
            if (b.size() != 8) return {};
            return Decimal(DobleDe(LittleEndian(b)));
        }
        default:
            return {};
    }
}

void GuardarTexto(const CampoDbf& campo, char* destino, std::string_view valor) {
    const auto ancho = static_cast<std::size_t>(campo.ancho);
    const std::size_t n = std::min(valor.size(), ancho);
    std::memcpy(destino, valor.data(), n);
    std::memset(destino + n, ' ', ancho - n);
}

bool GuardarEntero(const CampoDbf& campo, char* destino, std::int32_t valor, bool nivel7) {
    if (campo.tipo == 'I' && nivel7) {
        const auto v = static_cast<std::uint32_t>(valor) ^ 0x80000000u;
        for (int i = 0; i < 4; ++i) destino[i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
        return true;
    }
    if (campo.tipo == 'I') {
        const auto v = static_cast<std::uint32_t>(valor);
        for (int i = 0; i < 4; ++i) destino[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return true;
    }
    return GuardarFlotante(campo, destino, valor, nivel7);
}

bool GuardarFlotante(const CampoDbf& campo, char* destino, double valor, bool nivel7) {
    if (campo.tipo == 'I') {
        if (valor != std::trunc(valor) || valor < INT32_MIN || valor > INT32_MAX) return false;
        return GuardarEntero(campo, destino, static_cast<std::int32_t>(valor), nivel7);
    }
    if (!std::isfinite(valor)) return false;
    char texto[400];
    const int n = std::snprintf(texto, sizeof texto, "%*.*f", campo.ancho, campo.decimales, valor);
    if (n < 0 || n > campo.ancho) return false;
    std::memcpy(destino, texto, static_cast<std::size_t>(n));
    return true;
}

}  // namespace rt
