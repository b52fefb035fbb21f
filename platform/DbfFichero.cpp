#include "platform/DbfFichero.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/DbfCabecera.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rt {

namespace {

#ifdef _WIN32
// Windows refuses a second open outright through the share mode.
int AbrirExclusivo(const std::filesystem::path& ruta, bool crear, bool& enUso) {
    int fd = -1;
    int flags = _O_RDWR | _O_BINARY | (crear ? _O_CREAT : 0);
    errno_t e = _wsopen_s(&fd, ruta.c_str(), flags, _SH_DENYRW, _S_IREAD | _S_IWRITE);
    if (e == EACCES && !crear)
        e = _wsopen_s(&fd, ruta.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0);
    enUso = e == EACCES;
    return e == 0 ? fd : -1;
}
#else
int AbrirExclusivo(const std::filesystem::path& ruta, bool crear, bool& enUso) {
    enUso = false;
    int fd = ::open(ruta.c_str(), O_RDWR | O_CLOEXEC | (crear ? O_CREAT : 0), 0666);
    // An installed table may be read-only; it is still held exclusively while open.
    if (fd < 0 && !crear && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        enUso = e == EWOULDBLOCK;
        return -1;
    }
    return fd;
}
#endif

}  // namespace

FicheroDbf::FicheroDbf(const std::filesystem::path& ruta, Modo modo, std::string_view nombre)
    : ruta_(ruta) {
    bool enUso = false;
    descriptor_ = AbrirExclusivo(ruta, modo == Modo::Crear, enUso);
    if (descriptor_ >= 0) {
        if (modo == Modo::Crear) Truncar(0);
        return;
    }
    const std::string tabla = "La tabla " + AnsiAUtf8(nombre) + " (" + RutaEnMensaje(ruta) + ")";
    if (enUso) throw Error(tabla + " está en uso por otro programa o ya está abierta.");
    if (errno == ENOENT) {
        std::error_code ec;
        if (!std::filesystem::is_directory(ruta.parent_path().empty() ? "." : ruta.parent_path(),
                                           ec)) {
            throw Error(tabla + " no se puede abrir: la carpeta " +
                        RutaEnMensaje(ruta.parent_path()) + " no existe.");
        }
        throw Error(tabla + " no existe.");
    }
    throw Error(tabla + " no se puede abrir: " + std::strerror(errno) + ".");
}

FicheroDbf::FicheroDbf(FicheroDbf&& otro) noexcept
    : ruta_(std::move(otro.ruta_)), descriptor_(std::exchange(otro.descriptor_, -1)) {}

FicheroDbf& FicheroDbf::operator=(FicheroDbf&& otro) noexcept {
    if (this != &otro) {
        Cerrar();
        ruta_ = std::move(otro.ruta_);
        descriptor_ = std::exchange(otro.descriptor_, -1);
    }
    return *this;
}

FicheroDbf::~FicheroDbf() { Cerrar(); }

void FicheroDbf::Cerrar() {
    if (descriptor_ < 0) return;
#ifdef _WIN32
    _close(descriptor_);
#else
    ::close(descriptor_);  // releases the lock with the open file
#endif
    descriptor_ = -1;
}

void FicheroDbf::FalloEs(std::string_view que) const {
    throw Error("No se puede " + std::string(que) + " el fichero " + RutaEnMensaje(ruta_) + ": " +
                std::strerror(errno) + ".");
}

std::string FicheroDbf::LeerTodo() const {
    std::string datos;
#ifdef _WIN32
    if (_lseeki64(descriptor_, 0, SEEK_SET) < 0) FalloEs("leer");
    char bloque[1 << 16];
    for (;;) {
        const int n = _read(descriptor_, bloque, sizeof bloque);
        if (n < 0) FalloEs("leer");
        if (n == 0) break;
        datos.append(bloque, static_cast<std::size_t>(n));
    }
#else
    struct stat st {};
    if (::fstat(descriptor_, &st) != 0) FalloEs("leer");
    datos.resize(static_cast<std::size_t>(st.st_size));
    std::size_t leidos = 0;
    while (leidos < datos.size()) {
        const ssize_t n = ::pread(descriptor_, datos.data() + leidos, datos.size() - leidos,
                                  static_cast<off_t>(leidos));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FalloEs("leer");
        if (n == 0) break;
        leidos += static_cast<std::size_t>(n);
    }
    datos.resize(leidos);
#endif
    return datos;
}

void FicheroDbf::Escribir(std::size_t posicion, std::string_view datos) {
#ifdef _WIN32
    if (_lseeki64(descriptor_, static_cast<__int64>(posicion), SEEK_SET) < 0) FalloEs("escribir");
    while (!datos.empty()) {
        const int n = _write(descriptor_, datos.data(), static_cast<unsigned>(datos.size()));
        if (n <= 0) FalloEs("escribir");
        datos.remove_prefix(static_cast<std::size_t>(n));
    }
#else
    while (!datos.empty()) {
        const ssize_t n =
            ::pwrite(descriptor_, datos.data(), datos.size(), static_cast<off_t>(posicion));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) FalloEs("escribir");
        datos.remove_prefix(static_cast<std::size_t>(n));
        posicion += static_cast<std::size_t>(n);
    }
#endif
}

void FicheroDbf::Truncar(std::size_t longitud) {
#ifdef _WIN32
    if (_chsize_s(descriptor_, static_cast<__int64>(longitud)) != 0) FalloEs("escribir");
#else
    if (::ftruncate(descriptor_, static_cast<off_t>(longitud)) != 0) FalloEs("escribir");
#endif
}

}  // namespace rt
