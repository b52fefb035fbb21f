#pragma once
// The header of a .DBF file: the leading block, the field descriptors and their terminator.
// Reading accepts the dBase III, IV, 5 and 7 and FoxPro-style variants; writing produces the
// dBase IV layout, or the dBase 7 one where a field name needs more than eleven characters.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

struct CampoDbf {
    std::string nombre;  // as stored, Windows-1252
    char tipo = 'C';
    int ancho = 0;
    int decimales = 0;
    std::size_t desplazamiento = 0;  // within the record, after the deletion flag
    bool indexado = false;           // the field has a tag in the production index
};

struct CabeceraDbf {
    std::uint8_t version = 0x03;
    int anio = 1900, mes = 1, dia = 1;
    std::uint32_t filas = 0;
    std::size_t longitudCabecera = 0;
    std::size_t longitudRegistro = 1;
    bool conIndice = false;  // production .MDX flag
    std::uint8_t idioma = 0x57;
    bool nivel7 = false;  // 48-byte descriptors with 32-character names
    std::vector<CampoDbf> campos;
};

// A path as it goes into a (UTF-8) message.
std::string RutaEnMensaje(const std::filesystem::path& ruta);

// Offset of the record count and of the production index flag in every variant.
inline constexpr std::size_t kPosFilasDbf = 4;
inline constexpr std::size_t kPosIndiceDbf = 28;

// Reads and checks the header at the start of the file's bytes. The record count is taken as
// stored; the caller checks it against the file's length.
CabeceraDbf LeerCabeceraDbf(std::string_view datos, const std::filesystem::path& fichero);

// Lays out a new header for these fields (name, type, width and decimals taken from each):
// offsets, lengths and the layout level are worked out here. Throws where a name cannot be stored.
CabeceraDbf NuevaCabeceraDbf(std::vector<CampoDbf> campos, const std::filesystem::path& fichero);

// The header's bytes, terminator included, exactly longitudCabecera long.
std::string EscribirCabeceraDbf(const CabeceraDbf& cabecera);

// The date of the last update at offset 1, from today's local date.
void FechaDeHoy(CabeceraDbf& cabecera);

}  // namespace rt
