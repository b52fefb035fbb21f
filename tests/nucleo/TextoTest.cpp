#include <gtest/gtest.h>

#include "text/Texto.h"

namespace rt {
namespace {

TEST(Texto, RecortesQuitanSoloEspacios) {
    struct Caso {
        std::string entrada, izquierda, derecha, ambos;
    };
    const Caso casos[] = {
        {"", "", "", ""},
        {"    ", "", "", ""},
        {"  Ciencias  Naturales  ", "Ciencias  Naturales  ", "  Ciencias  Naturales",
         "Ciencias  Naturales"},
        // Tabs, line breaks and the no-break space (0xA0) are not blanks.
        {"\t  Lengua \n", "\t  Lengua \n", "\t  Lengua \n", "\t  Lengua \n"},
        {" \tX\t ", "\tX\t ", " \tX\t", "\tX\t"},
        {"\xA0Ñ\xA0", "\xA0Ñ\xA0", "\xA0Ñ\xA0", "\xA0Ñ\xA0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE("'" + c.entrada + "'");
        EXPECT_EQ(TrimLeading(c.entrada), c.izquierda);
        EXPECT_EQ(TrimTrailing(c.entrada), c.derecha);
        EXPECT_EQ(TrimBoth(c.entrada), c.ambos);
    }
}

TEST(Texto, PartesIzquierdaYDerecha) {
    struct Caso {
        std::string texto;
        std::int32_t n;
        std::string izquierda, derecha;
    };
    const Caso casos[] = {
        {"AB12CD", 2, "AB", "CD"},
        {"AB12CD", 4, "AB12", "12CD"},
        {"AB12CD", 6, "AB12CD", "AB12CD"},
        {"AB12CD", 100, "AB12CD", "AB12CD"},
        {"AB12CD", 0, "", ""},
        {"AB12CD", -3, "", ""},
        {"", 0, "", ""},
        {"", 5, "", ""},
        {"", -1, "", ""},
        {"AB12CD", INT32_MAX, "AB12CD", "AB12CD"},
        {"AB12CD", INT32_MIN, "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto + " " + std::to_string(c.n));
        EXPECT_EQ(LeftPart(c.texto, c.n), c.izquierda);
        EXPECT_EQ(RightPart(c.texto, c.n), c.derecha);
    }
}

TEST(Texto, SoloMayusculas) {
    // Windows-1252 bytes: 0xF3 ó, 0xCD Í, 0xD1 Ñ, 0xDA Ú.
    EXPECT_EQ(CapitalsOnly("Ciencias Naturales"), "CN");
    EXPECT_EQ(CapitalsOnly("Educaci\xF3n F\xEDsica"), "EF");
    EXPECT_EQ(CapitalsOnly("\xD1"
                           "AND\xDA"),
              "AND");
    EXPECT_EQ(CapitalsOnly("lengua 2\xBA ESO-b"), "ESO");
    EXPECT_EQ(CapitalsOnly("todo en min\xFAsculas"), "");
    EXPECT_EQ(CapitalsOnly("@[`{"), "");  // the neighbours of A-Z and a-z
}

TEST(Texto, LetrasTrasEspacios) {
    EXPECT_EQ(LettersAfterBlanks("Ciencias de la Naturaleza"), "dlN");
    EXPECT_EQ(LettersAfterBlanks("Lengua"), "");
    EXPECT_EQ(LettersAfterBlanks("Lengua "), "");
    EXPECT_EQ(LettersAfterBlanks("a  b"), " b");
    EXPECT_EQ(LettersAfterBlanks(" Inicio"), "I");  // a leading blank takes the first letter
    EXPECT_EQ(LettersAfterBlanks("Tab\tNo Si"), "S");
    EXPECT_EQ(LettersAfterBlanks(""), "");
}

}  // namespace
}  // namespace rt
