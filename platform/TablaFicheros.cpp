#include "platform/TablaFicheros.h"

#include <fstream>
#include <optional>

#include "platform/DbfCabecera.h"
#include "platform/Error.h"
#include "platform/Tabla.h"
#include "text/Cp1252.h"

namespace rt {

namespace fs = std::filesystem;

namespace tabla {

namespace {

// The folder's entry named like `nombre` but for letter case, or nothing.
std::optional<fs::path> BuscarSinCaso(const fs::path& carpeta, const std::string& nombre) {
    std::error_code ec;
    for (fs::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::u8string u8 = it->path().filename().u8string();
        if (IgualSinCaso(std::string(u8.begin(), u8.end()), nombre)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

std::string NombreUtf8(std::string_view nombre) { return AnsiAUtf8(nombre); }

fs::path RutaHermana(const fs::path& tabla, std::string_view extension) {
    const std::u8string tallo = tabla.stem().u8string();
    const std::string nombre = std::string(tallo.begin(), tallo.end()) + std::string(extension);
    const fs::path exacta =
        tabla.parent_path() / fs::path(std::u8string(nombre.begin(), nombre.end()));
    std::error_code ec;
    if (fs::exists(exacta, ec)) return exacta;
    return BuscarSinCaso(tabla.parent_path(), nombre).value_or(exacta);
}

std::string NombreDeTabla(const fs::path& fichero) {
    const std::u8string u8 = fichero.stem().u8string();
    return Utf8AAnsi(std::string(u8.begin(), u8.end()));
}

std::string LeerFicheroEntero(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw Error("No se puede leer el fichero " + RutaEnMensaje(ruta) + ".");
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void EscribirFicheroEntero(const fs::path& ruta, std::string_view datos) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
    f.close();
    if (!f) throw Error("No se puede escribir el fichero " + RutaEnMensaje(ruta) + ".");
}

}  // namespace tabla

fs::path RutaTabla(const fs::path& carpeta, std::string_view nombre) {
    std::string fichero = tabla::NombreUtf8(nombre);
    if (!(fichero.size() > 4 && tabla::IgualSinCaso(fichero.substr(fichero.size() - 4), ".DBF"))) {
        fichero += ".DBF";
    }
    const fs::path exacta = carpeta / fs::path(std::u8string(fichero.begin(), fichero.end()));
    std::error_code ec;
    if (fs::exists(exacta, ec)) return exacta;
    return tabla::BuscarSinCaso(carpeta, fichero).value_or(exacta);
}

void BorrarTabla(const fs::path& carpeta, std::string_view nombre) {
    const fs::path dbf = RutaTabla(carpeta, nombre);
    const fs::path mdx = tabla::RutaHermana(dbf, ".MDX");
    std::error_code ec;
    fs::remove(dbf, ec);
    fs::remove(mdx, ec);
}

}  // namespace rt
