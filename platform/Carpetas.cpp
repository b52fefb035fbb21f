#include "platform/Carpetas.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace rt {

namespace {

std::filesystem::path Variable(const char* nombre) {
    const char* valor = std::getenv(nombre);
    return valor && *valor ? std::filesystem::path(valor) : std::filesystem::path();
}

}  // namespace

std::filesystem::path CarpetaTrabajoPredeterminada() {
    if (auto propia = Variable("TBTEMP"); !propia.empty()) return propia;
#ifdef _WIN32
    return std::filesystem::path("C:\\TBTEMP");
#else
    auto prefijo = Variable("WINEPREFIX");
    if (prefijo.empty()) {
        auto casa = Variable("HOME");
        if (casa.empty()) {
            // A session without HOME (a service, say) still has an account with a home folder.
            if (const passwd* cuenta = getpwuid(getuid()); cuenta && cuenta->pw_dir) {
                casa = cuenta->pw_dir;
            }
        }
        prefijo = casa / ".wine";
    }
    return prefijo / "drive_c" / "TBTEMP";
#endif
}

std::filesystem::path CarpetaPrograma() {
#ifdef _WIN32
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (n == 0) return std::filesystem::current_path();
        if (n < ruta.size()) {
            ruta.resize(n);
            break;
        }
        ruta.resize(ruta.size() * 2);
    }
    return std::filesystem::path(ruta).parent_path();
#else
    std::error_code ec;
    const auto ejecutable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return ejecutable.parent_path();
#endif
}

}  // namespace rt
