#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/Carpetas.h"

namespace rt {
namespace {

// Sets or clears an environment variable for one test and puts the old value back.
class Entorno {
  public:
    Entorno(const char* nombre, const char* valor) : nombre_(nombre) {
        if (const char* antes = std::getenv(nombre)) antes_ = antes;
        if (valor) {
            setenv(nombre, valor, 1);
        } else {
            unsetenv(nombre);
        }
    }
    ~Entorno() {
        if (antes_) {
            setenv(nombre_, antes_->c_str(), 1);
        } else {
            unsetenv(nombre_);
        }
    }
    Entorno(const Entorno&) = delete;
    Entorno& operator=(const Entorno&) = delete;

  private:
    const char* nombre_;
    std::optional<std::string> antes_;
};

TEST(Carpetas, CarpetaDeTrabajo) {
    {
        Entorno tbtemp("TBTEMP", "/datos/tb");
        Entorno prefijo("WINEPREFIX", "/opt/vino");
        EXPECT_EQ(CarpetaTrabajoPredeterminada(), std::filesystem::path("/datos/tb"));
    }
    {
        Entorno tbtemp("TBTEMP", "");  // empty counts as unset
        Entorno prefijo("WINEPREFIX", "/opt/vino");
        EXPECT_EQ(CarpetaTrabajoPredeterminada(),
                  std::filesystem::path("/opt/vino/drive_c/TBTEMP"));
    }
    {
        Entorno tbtemp("TBTEMP", nullptr);
        Entorno prefijo("WINEPREFIX", nullptr);
        Entorno casa("HOME", "/home/profe");
        EXPECT_EQ(CarpetaTrabajoPredeterminada(),
                  std::filesystem::path("/home/profe/.wine/drive_c/TBTEMP"));
    }
}

TEST(Carpetas, CarpetaDelEjecutable) {
    EXPECT_TRUE(std::filesystem::equivalent(CarpetaPrograma(), RT_DIR_BIN));
}

}  // namespace
}  // namespace rt
