#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "export/Fecha.h"

namespace rt {
namespace {

std::tm Momento() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 8;  // September
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

TEST(Fecha, FechaCortaUnBlancoYHoraLarga) {
    struct Caso {
        FormatosFecha formatos;
        std::string texto;
    };
    const Caso casos[] = {
        {{"%d/%m/%y", "%H:%M:%S"}, "07/09/26 09:05:03"},  // es_ES: the day first
        {{"%m/%d/%y", "%H:%M:%S"}, "09/07/26 09:05:03"},  // C
        {{"%d/%m/%Y", "%T"}, "07/09/2026 09:05:03"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(TextoFecha(Momento(), c.formatos), c.texto);
    }
}

TEST(Fecha, LaDelUsuarioSaleDeSuLcTime) {
    // Only the C locales are sure to be installed; a locale that is not installed falls back.
    for (const char* nombre : {"C", "xx_XX.NADA"}) {
        SCOPED_TRACE(nombre);
        setenv("LC_ALL", nombre, 1);
        const FormatosFecha formatos = FormatosDelUsuario();
        EXPECT_EQ(formatos.fechaCorta, "%m/%d/%y");
        EXPECT_EQ(formatos.horaLarga, "%H:%M:%S");
    }
    setenv("LC_ALL", "C", 1);
    const std::string ahora = FechaActual();
    unsetenv("LC_ALL");
    ASSERT_EQ(ahora.size(), 17u) << ahora;
    EXPECT_EQ(ahora[8], ' ') << ahora;
    EXPECT_EQ(std::count(ahora.begin(), ahora.end(), ' '), 1) << ahora;
}

}  // namespace
}  // namespace rt
