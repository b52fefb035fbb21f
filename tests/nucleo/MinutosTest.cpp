#include <gtest/gtest.h>

#include "export/Minutos.h"
#include "platform/Error.h"

namespace rt {
namespace {

TEST(Minutos, HorasYMinutosDesdeMedianoche) {
    const std::pair<std::string, std::int32_t> casos[] = {
        {"08:30", 510},
        {"14:05", 845},
        {"09:00", 540},
        {"09:55", 595},
        {"00:00", 0},
        {"24:00", 1440},
        // Shorter than five characters: one "0" in front, once.
        {"8:30", 510},
        {"", 0},
        // Two characters or fewer: both parts are the whole text.
        {"5", 305},
        {"45", 285},
    };
    for (const auto& [hora, minutos] : casos) {
        SCOPED_TRACE("'" + hora + "'");
        EXPECT_EQ(MinutosDeHora(hora), minutos);
    }
}

TEST(Minutos, UnaParteQueNoEsEnteraEsErrorDeConversion) {
    const std::pair<std::string, std::string> casos[] = {
        {"8h:30", "'8h' no es un valor entero válido"},
        {"08:3x", "'3x' no es un valor entero válido"},
        {"ab:cd", "'ab' no es un valor entero válido"},
        {"0:5", "':5' no es un valor entero válido"},
    };
    for (const auto& [hora, mensaje] : casos) {
        SCOPED_TRACE("'" + hora + "'");
        try {
            MinutosDeHora(hora);
            ADD_FAILURE() << "sin error";
        } catch (const ErrorConversion& error) {
            EXPECT_EQ(error.what(), mensaje);
        }
    }
}

}  // namespace
}  // namespace rt
