#include <gtest/gtest.h>

#include "platform/Error.h"

namespace rt {
namespace {

TEST(AEntero, ValoresAceptados) {
    struct Caso {
        const char* texto;
        std::int32_t valor;
    };
    const Caso casos[] = {
        {"0", 0},
        {"42", 42},
        {"007", 7},
        {"   15", 15},
        {"+15", 15},
        {"-15", -15},
        {"  -0", 0},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"$1A2B", 0x1A2B},
        {"$1a2b", 0x1A2B},
        {"0x1A2B", 0x1A2B},
        {"0X10", 16},
        {"$7FFFFFFF", INT32_MAX},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"-$10", -16},
        {" $0", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(AEntero(c.texto), c.valor);
    }
}

TEST(AEntero, ValoresRechazados) {
    const char* const casos[] = {
        "",
        " ",
        "-",
        "+",
        "15 ",
        "1 5",
        "\t15",
        "1.5",
        "1e3",
        "abc",
        "12a",
        "2147483648",
        "-2147483649",
        "99999999999",
        "$",
        "0x",
        "$123456789",
        "$G",
        "x10",
        "--1",
        "\xA0"
        "1",
        "0x-1",
        "$ 1",
    };
    for (const char* texto : casos) {
        SCOPED_TRACE(texto);
        EXPECT_THROW(AEntero(texto), ErrorConversion);
    }
}

TEST(AEntero, MensajeEnUtf8ConElTextoDado) {
    try {
        AEntero(" 2\xBA curso");  // Windows-1252 "º"
        FAIL() << "no lanzó";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "' 2º curso' no es un valor entero válido");
    }
}

}  // namespace
}  // namespace rt
