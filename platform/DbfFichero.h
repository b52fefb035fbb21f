#pragma once
// A table's file held for exclusive use for as long as this object lives. The lock belongs to the
// open file, so that a second open of the same table fails whether it comes from this process or
// from another one.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace rt {

class FicheroDbf {
  public:
    enum class Modo { Abrir, Crear };

    // Opens (or, with Crear, creates or empties) the file and takes the exclusive lock; throws
    // rt::Error naming the table when it is in use or cannot be opened. nombre is what the
    // message calls the table.
    FicheroDbf(const std::filesystem::path& ruta, Modo modo, std::string_view nombre);
    FicheroDbf(FicheroDbf&& otro) noexcept;
    FicheroDbf& operator=(FicheroDbf&& otro) noexcept;
    FicheroDbf(const FicheroDbf&) = delete;
    FicheroDbf& operator=(const FicheroDbf&) = delete;
    ~FicheroDbf();

    std::string LeerTodo() const;
    void Escribir(std::size_t posicion, std::string_view datos);
    void Truncar(std::size_t longitud);
    void Cerrar();  // releases the lock
    bool Abierto() const { return descriptor_ >= 0; }

  private:
    [[noreturn]] void FalloEs(std::string_view que) const;
    std::filesystem::path ruta_;
    int descriptor_ = -1;
};

}  // namespace rt
