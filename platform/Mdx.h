#pragma once
// The production index of a table (NOMBRE.MDX beside NOMBRE.DBF) in the dBase IV layout: a file
// header with its tag table, one tag header block per tag, and per tag a B-tree of index blocks
// whose leaves list record numbers in key order. Only ascending tags on one numeric field are
// written; reading follows any tag's tree, and checks what it walks.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Sizes of the layout as this engine writes it.
inline constexpr std::size_t kPaginaMdx = 512;
inline constexpr std::size_t kBloqueMdx = 1024;  // two pages
inline constexpr std::size_t kClaveNumericaMdx = 12;
inline constexpr std::size_t kMaxClavesBloqueMdx = (kBloqueMdx - 8 - 4) / (4 + kClaveNumericaMdx);

struct EtiquetaMdx {
    std::string nombre;
    std::string expresion;  // a field name for the tags this engine writes
    char tipoClave = 'N';
    std::uint32_t paginaCabecera = 0;
};

// One tag to be written: its name, its field, and each row's key with its record number
// (counted from 1), in any order.
struct EtiquetaNueva {
    std::string nombre;
    std::string campo;
    std::vector<std::pair<double, std::uint32_t>> claves;
};

// The whole file: keys in ascending order, equal keys by record number.
std::string EscribirMdx(std::string_view tabla, std::vector<EtiquetaNueva> etiquetas);

// The tags listed in the file's tag table. Throws rt::Error naming the file when the header or
// the tag table is damaged.
std::vector<EtiquetaMdx> LeerEtiquetasMdx(std::string_view datos,
                                          const std::filesystem::path& fichero);

// The record numbers (from 1) in the tag's order, walking its tree from the root. Throws
// rt::Error naming the file when a block lies outside the file, the tree loops, a block is
// overfull or the keys are out of order.
std::vector<std::uint32_t> RecorrerEtiquetaMdx(std::string_view datos, const EtiquetaMdx& etiqueta,
                                               const std::filesystem::path& fichero);

// dBase IV's numeric key: twelve bytes of packed decimal with an exponent and a sign.
std::string ClaveNumericaMdx(double valor);
double ValorClaveNumericaMdx(std::string_view clave);

}  // namespace rt
