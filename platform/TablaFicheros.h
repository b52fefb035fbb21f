#pragma once
// Where a table's files lie and how the small ones are read and written whole. Names are compared
// without letter case, as a table written by a program under Wine may carry any.

#include <filesystem>
#include <string>
#include <string_view>

// Pieces shared by the table engine's files, not meant for its callers.
namespace rt::tabla {

inline std::string Mayusculas(std::string_view t) {
    std::string r(t);
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

inline bool IgualSinCaso(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Mayusculas(a) == Mayusculas(b);
}

// A Windows-1252 name as it goes into a (UTF-8) message or path.
std::string NombreUtf8(std::string_view nombre);

// The table's file with another extension (".MDX"), under whatever letter case the folder holds.
std::filesystem::path RutaHermana(const std::filesystem::path& tabla, std::string_view extension);

// The table's name (Windows-1252) from its file.
std::string NombreDeTabla(const std::filesystem::path& fichero);

std::string LeerFicheroEntero(const std::filesystem::path& ruta);
void EscribirFicheroEntero(const std::filesystem::path& ruta, std::string_view datos);

}  // namespace rt::tabla
