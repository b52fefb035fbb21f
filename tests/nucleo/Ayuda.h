#pragma once
// Small helpers shared by the core's tests.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace rt::prueba {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class CarpetaTemporal {
public:
    CarpetaTemporal() {
        std::random_device azar;
        ruta_ = std::filesystem::temp_directory_path() /
                ("rt-prueba-" + std::to_string(azar()) + "-" + std::to_string(azar()));
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::filesystem::path& Ruta() const { return ruta_; }
    std::filesystem::path operator/(std::string_view nombre) const { return ruta_ / nombre; }

private:
    std::filesystem::path ruta_;
};

inline void EscribirFichero(const std::filesystem::path& ruta, std::string_view contenido) {
    std::ofstream f(ruta, std::ios::binary);
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
}

inline std::string LeerFichero(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace rt::prueba
