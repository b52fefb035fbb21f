#include "text/Cp1252.h"

#include <array>
#include <cstdint>

namespace rt {

namespace {

// The characters of bytes 0x80 to 0x9F; the five bytes that Windows-1252 leaves undefined stand
// for the C1 control of the same number, which is how Windows converts them.
constexpr std::array<char32_t, 32> kAlto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char AByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kAlto.size(); ++i) {
        if (kAlto[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void AnadirUtf8(std::string& r, char32_t c) {
    if (c < 0x80) {
        r += static_cast<char>(c);
    } else if (c < 0x800) {
        r += static_cast<char>(0xC0 | (c >> 6));
        r += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Nothing in the table is above the basic plane.
        r += static_cast<char>(0xE0 | (c >> 12));
        r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8AAnsi(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b = static_cast<std::uint8_t>(utf8[i]);
        if (b < 0x80) {
            r += static_cast<char>(b);
            ++i;
            continue;
        }
        std::size_t largo = 0;
        char32_t c = 0;
        char32_t minimo = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            largo = 2, c = b & 0x1F, minimo = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            largo = 3, c = b & 0x0F, minimo = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            largo = 4, c = b & 0x07, minimo = 0x10000;
        }
        // A malformed sequence gives one "?" for its lead byte and the continuation bytes that
        // belonged to it, so that the text after it is read in step again.
        std::size_t j = 1;
        bool valido = largo != 0;
        for (; valido && j < largo; ++j) {
            if (i + j >= n) {
                valido = false;
                break;
            }
            const auto sig = static_cast<std::uint8_t>(utf8[i + j]);
            if ((sig & 0xC0) != 0x80) {
                valido = false;
                break;
            }
            c = (c << 6) | (sig & 0x3F);
        }
        if (valido && (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valido = false;
        r += valido ? AByte(c) : '?';
        i += valido ? largo : j;
    }
    return r;
}

std::string AnsiAUtf8(std::string_view ansi) {
    std::string r;
    r.reserve(ansi.size() + ansi.size() / 4);
    for (const char ch : ansi) {
        const auto b = static_cast<std::uint8_t>(ch);
        if (b < 0x80) {
            r += ch;
        } else if (b < 0xA0) {
            AnadirUtf8(r, kAlto[b - 0x80]);
        } else {
            AnadirUtf8(r, b);
        }
    }
    return r;
}

}  // namespace rt
