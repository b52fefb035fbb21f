#include <gtest/gtest.h>

#include "text/Cp1252.h"

namespace rt {
namespace {

struct Par {
    const char* ansi;
    const char* utf8;
};

// Where Windows-1252 differs from Latin-1, and the Spanish letters the schools' data is full of.
constexpr Par kPares[] = {
    {"\x80", "€"},
    {"\x8A", "Š"},
    {"\x8E", "Ž"},
    {"\x9A", "š"},
    {"\x9E", "ž"},
    {"\x9F", "Ÿ"},
    {"\x91", "‘"},
    {"\x92", "’"},
    {"\x93", "“"},
    {"\x94", "”"},
    {"\x85", "…"},
    {"\x96", "–"},
    {"\x97", "—"},
    {"\x99", "™"},
    {"\x8C", "Œ"},
    {"\x83", "ƒ"},
    {"\x88", "ˆ"},
    {"\x98", "˜"},
    {"\x89", "‰"},
    {"\xF1", "ñ"},
    {"\xD1", "Ñ"},
    {"\xBA", "º"},
    {"\xAA", "ª"},
    {"\xE1\xE9\xED\xF3\xFA", "áéíóú"},
    {"\xC1\xC9\xCD\xD3\xDA", "ÁÉÍÓÚ"},
    {"\xFC\xDC", "üÜ"},
    {"\xA0", "\xC2\xA0"},
    {"\xFF", "ÿ"},
    {"Educaci\xF3n F\xEDsica 2\xBA", "Educación Física 2º"},
    {"\t\r\n", "\t\r\n"},
};

TEST(Cp1252, ConvierteEnAmbosSentidos) {
    for (const auto& p : kPares) {
        SCOPED_TRACE(p.utf8);
        EXPECT_EQ(AnsiAUtf8(p.ansi), p.utf8);
        EXPECT_EQ(Utf8AAnsi(p.utf8), p.ansi);
    }
}

TEST(Cp1252, TodoByteVaYVuelve) {
    std::string todos;
    for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
    EXPECT_EQ(Utf8AAnsi(AnsiAUtf8(todos)), todos);
}

TEST(Cp1252, BytesSinDefinirSonControlesC1) {
    EXPECT_EQ(AnsiAUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    // The C1 controls that Windows-1252 gives a printable character to have no byte of their own.
    EXPECT_EQ(Utf8AAnsi("\u0080\u008A\u009F"), "???");
}

TEST(Cp1252, LoQueNoCabeEsInterrogacion) {
    EXPECT_EQ(Utf8AAnsi("Ā"), "?");
    EXPECT_EQ(Utf8AAnsi("Łódź"),
              "?\xF3"
              "d?");
    EXPECT_EQ(Utf8AAnsi("日本"), "??");
    EXPECT_EQ(Utf8AAnsi("a😀b"), "a?b");   // four bytes, one character, one "?"
    EXPECT_EQ(Utf8AAnsi("\u20AD"), "?");  // next to the euro sign
}

TEST(Cp1252, Utf8MalFormado) {
    struct Caso {
        std::string entrada, salida;
    };
    const Caso casos[] = {
        {"\xF1", "?"},              // Latin-1 byte where UTF-8 was expected
        {"a\xC3", "a?"},            // cut short at the end
        {"\xC3(", "?("},            // continuation missing; the next byte is kept
        {"\xE2\x82(", "?("},        // three-byte sequence cut short
        {"\x80\xBF", "??"},         // lone continuation bytes
        {"\xC0\xAF", "??"},         // overlong "/"
        {"\xE0\x80\xAF", "?"},      // overlong, three bytes
        {"\xED\xA0\x80", "?"},      // UTF-16 surrogate
        {"\xF4\x90\x80\x80", "?"},  // above U+10FFFF
        {"\xF5\x80", "??"},         // never a lead byte
        {"\xC3\xB1\xFF\xC3\xB1", "\xF1?\xF1"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.entrada));
        EXPECT_EQ(Utf8AAnsi(c.entrada), c.salida);
    }
}

TEST(Cp1252, CeroIntermedioSeConserva) {
    const std::string con_cero("a\0b", 3);
    EXPECT_EQ(AnsiAUtf8(con_cero), con_cero);
    EXPECT_EQ(Utf8AAnsi(con_cero), con_cero);
}

}  // namespace
}  // namespace rt
