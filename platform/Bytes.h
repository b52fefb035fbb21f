#pragma once
// Little-endian integers inside a byte buffer, as dBase files store them. Callers check bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt::bytes {

inline std::uint32_t Leer32(std::string_view d, std::size_t pos) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(d[pos])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d[pos + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d[pos + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d[pos + 3])) << 24;
}

inline std::size_t Leer16(std::string_view d, std::size_t pos) {
    return static_cast<std::size_t>(static_cast<unsigned char>(d[pos])) |
           static_cast<std::size_t>(static_cast<unsigned char>(d[pos + 1])) << 8;
}

inline void Poner32(std::string& d, std::size_t pos, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) d[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void Poner16(std::string& d, std::size_t pos, std::size_t v) {
    d[pos] = static_cast<char>(v & 0xFF);
    d[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

}  // namespace rt::bytes
