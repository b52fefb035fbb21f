// The production index written beside an indexed table: its bytes against the dBase IV layout,
// reading it back, and a damaged file.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Ayuda.h"
#include "platform/Error.h"
#include "platform/Mdx.h"
#include "platform/Tabla.h"

namespace rt {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribirFichero;
using prueba::LeerFichero;

int Byte(const std::string& d, std::size_t pos) { return static_cast<unsigned char>(d.at(pos)); }
std::uint32_t Le32(const std::string& d, std::size_t pos) {
    return static_cast<std::uint32_t>(Byte(d, pos) | Byte(d, pos + 1) << 8 |
                                      Byte(d, pos + 2) << 16 | Byte(d, pos + 3) << 24);
}
int Le16(const std::string& d, std::size_t pos) { return Byte(d, pos) | Byte(d, pos + 1) << 8; }

// The table of the second pass of the time slots: a text field and the indexed ORDEN.
void CrearHoras(const std::filesystem::path& carpeta, const std::vector<std::int32_t>& ordenes) {
    CrearTabla(carpeta, "DIASHORAST2",
               {{"DIHO", TipoCampo::Texto, 10}, {"ORDEN", TipoCampo::Entero}},
               {{"ORDEN", "ORDEN"}});
    Tabla t = Tabla::Abrir(carpeta, "DIASHORAST2");
    for (std::size_t i = 0; i < ordenes.size(); ++i) {
        t.Anadir();
        t.PonerTexto("DIHO", std::to_string(i + 1));
        t.PonerEntero("ORDEN", ordenes[i]);
        t.Grabar();
    }
    t.Cerrar();
}

// Rows as DIHO (the 1-based row number), walked by ORDEN.
std::vector<std::uint32_t> RecorrerPorOrden(Tabla& t) {
    std::vector<std::uint32_t> r;
    t.RecorrerPor("ORDEN");
    for (; !t.Fin(); t.Siguiente())
        r.push_back(static_cast<std::uint32_t>(std::stoul(t.LeerTexto("DIHO"))));
    return r;
}

std::vector<std::int32_t> Ordenes(std::size_t n) {
    std::vector<std::int32_t> r;
    for (std::size_t i = 0; i < n; ++i)
        r.push_back(static_cast<std::int32_t>((i * 37) % 50) * 15 - 30);
    return r;
}

std::vector<std::uint32_t> OrdenEsperado(const std::vector<std::int32_t>& ordenes) {
    std::vector<std::uint32_t> r(ordenes.size());
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = static_cast<std::uint32_t>(i + 1);
    std::stable_sort(r.begin(), r.end(),
                     [&](auto a, auto b) { return ordenes[a - 1] < ordenes[b - 1]; });
    return r;
}

TEST(Mdx, ClaveNumericaEnDecimalEmpaquetado) {
    struct Caso {
        double valor;
        std::string bytes;
    };
    for (const auto& [valor, bytes] : {
             Caso{480, std::string("\x37\x09\x48\0\0\0\0\0\0\0\0\0", 12)},
             Caso{20.5, std::string("\x36\x0D\x20\x50\0\0\0\0\0\0\0\0", 12)},
             Caso{-5, std::string("\x35\x85\x50\0\0\0\0\0\0\0\0\0", 12)},
             Caso{0.05, std::string("\x33\x05\x50\0\0\0\0\0\0\0\0\0", 12)},
             Caso{0, std::string("\x34\x01\0\0\0\0\0\0\0\0\0\0", 12)},
             Caso{1440, std::string("\x38\x0D\x14\x40\0\0\0\0\0\0\0\0", 12)},
         }) {
        EXPECT_EQ(ClaveNumericaMdx(valor), bytes) << valor;
        EXPECT_DOUBLE_EQ(ValorClaveNumericaMdx(bytes), valor);
    }
}

TEST(Mdx, FicheroEscritoByteAByte) {
    CarpetaTemporal dir;
    const auto ordenes = Ordenes(200);  // four leaves under one inner block
    CrearHoras(dir.Ruta(), ordenes);

    const std::string dbf = LeerFichero(dir / "DIASHORAST2.DBF");
    EXPECT_EQ(Byte(dbf, 28), 0x01);       // production index flag
    EXPECT_EQ(Byte(dbf, 32 + 31), 0x00);  // DIHO has no tag
    EXPECT_EQ(Byte(dbf, 64 + 31), 0x01);  // ORDEN has one

    const std::string d = LeerFichero(dir / "DIASHORAST2.MDX");
    ASSERT_EQ(d.size() % 512, 0u);
    const std::uint32_t paginas = static_cast<std::uint32_t>(d.size() / 512);
    EXPECT_EQ(Byte(d, 0), 0x02);
    EXPECT_EQ(d.substr(4, 16), std::string("DIASHORAST2\0\0\0\0\0", 16));
    EXPECT_EQ(Le16(d, 20), 2);     // pages per block
    EXPECT_EQ(Le16(d, 22), 1024);  // bytes per block
    EXPECT_EQ(Byte(d, 24), 0x01);
    EXPECT_EQ(Byte(d, 25), 47);
    EXPECT_EQ(Byte(d, 26), 32);
    EXPECT_EQ(Le16(d, 28), 1);
    EXPECT_EQ(Le32(d, 32), paginas);
    EXPECT_EQ(Le32(d, 36), paginas);
    EXPECT_EQ(Le32(d, 40), 0u);
    // The tag table's one entry.
    EXPECT_EQ(Le32(d, 544), 4u);
    EXPECT_EQ(d.substr(548, 11), std::string("ORDEN\0\0\0\0\0\0", 11));
    EXPECT_EQ(Byte(d, 559), 0x10);
    EXPECT_EQ(d[564], 'N');
    EXPECT_EQ(d.substr(576, 32), std::string(32, '\0'));  // no second tag
    // The tag header.
    const std::size_t cab = 4 * 512;
    const std::uint32_t raiz = Le32(d, cab);
    EXPECT_EQ(Le32(d, cab + 4), paginas);
    EXPECT_EQ(Byte(d, cab + 8), 0x10);
    EXPECT_EQ(d[cab + 9], 'N');
    EXPECT_EQ(Le16(d, cab + 12), 12);
    EXPECT_EQ(Le16(d, cab + 14), 63);
    EXPECT_EQ(Le16(d, cab + 16), 0);
    EXPECT_EQ(Le16(d, cab + 18), 16);
    EXPECT_EQ(Byte(d, cab + 23), 0);  // duplicates allowed
    EXPECT_EQ(d.substr(cab + 24, 6), std::string("ORDEN\0", 6));

    // The root is an inner block over four leaves (63 + 63 + 63 + 11 keys); each of its keys is
    // the last key of the leaf on its left.
    const std::size_t r = raiz * 512;
    ASSERT_EQ(Le32(d, r), 3u);
    std::vector<std::uint32_t> hojas;
    for (std::size_t k = 0; k < 4; ++k) hojas.push_back(Le32(d, r + 8 + 16 * k));
    std::vector<std::uint32_t> registros;
    std::vector<std::size_t> cuantas;
    for (std::size_t h = 0; h < hojas.size(); ++h) {
        const std::size_t b = hojas[h] * 512;
        ASSERT_LT(b + 1024, d.size() + 1);
        const std::size_t n = Le32(d, b);
        cuantas.push_back(n);
        for (std::size_t k = 0; k < n; ++k) {
            registros.push_back(Le32(d, b + 8 + 16 * k));
            EXPECT_EQ(d.substr(b + 12 + 16 * k, 12),
                      ClaveNumericaMdx(ordenes[registros.back() - 1]));
        }
        EXPECT_EQ(Le32(d, b + 8 + 16 * n), 0u);  // a leaf: no child after its last key
        if (h < 3) {
            EXPECT_EQ(d.substr(r + 12 + 16 * h, 12), d.substr(b + 12 + 16 * (n - 1), 12));
        }
    }
    EXPECT_EQ(cuantas, (std::vector<std::size_t>{63, 63, 63, 11}));
    // Ascending keys, equal keys in the order their rows were added.
    EXPECT_EQ(registros, OrdenEsperado(ordenes));
}

TEST(Mdx, SeRecorreDesdeElIndiceYSeMantieneAlAnadir) {
    CarpetaTemporal dir;
    auto ordenes = Ordenes(150);
    CrearHoras(dir.Ruta(), ordenes);

    // Swap two record numbers within a leaf (both keys equal, so the file stays sound): the walk
    // follows the file, not a sort of the table.
    std::string d = LeerFichero(dir / "DIASHORAST2.MDX");
    const std::size_t raiz = Le32(d, 4 * 512) * 512;
    const std::size_t hoja = Le32(d, raiz + 8) * 512;
    ASSERT_EQ(d.substr(hoja + 12, 12), d.substr(hoja + 28, 12));
    std::swap_ranges(d.begin() + static_cast<std::ptrdiff_t>(hoja + 8),
                     d.begin() + static_cast<std::ptrdiff_t>(hoja + 12),
                     d.begin() + static_cast<std::ptrdiff_t>(hoja + 24));
    EscribirFichero(dir / "DIASHORAST2.MDX", d);
    auto esperado = OrdenEsperado(ordenes);
    std::swap(esperado[0], esperado[1]);
    {
        Tabla t = Tabla::Abrir(dir.Ruta(), "DIASHORAST2");
        EXPECT_EQ(RecorrerPorOrden(t), esperado);
        // Rows posted now take their place after their equals.
        for (std::int32_t v : {-30, 700, 10000}) {
            t.Anadir();
            t.PonerTexto("DIHO", std::to_string(ordenes.size() + 1));
            t.PonerEntero("ORDEN", v);
            t.Grabar();
            ordenes.push_back(v);
        }
        const auto ahora = RecorrerPorOrden(t);
        EXPECT_EQ(ahora.size(), 153u);
        EXPECT_EQ(ahora.back(), 153u);
        t.Seleccionar("DIHO", "151");
        EXPECT_EQ(t.LeerEntero("ORDEN"), -30);
        t.Cerrar();
    }
    // Closing wrote the index whole again, from the table's rows.
    Tabla t = Tabla::Abrir(dir.Ruta(), "DIASHORAST2");
    EXPECT_EQ(RecorrerPorOrden(t), OrdenEsperado(ordenes));
}

TEST(Mdx, IndiceDanadoDaErrorQueNombraElFichero) {
    CarpetaTemporal dir;
    CrearHoras(dir.Ruta(), Ordenes(150));
    const std::string bueno = LeerFichero(dir / "DIASHORAST2.MDX");
    const std::size_t raiz = Le32(bueno, 4 * 512) * 512;
    const std::size_t hoja = Le32(bueno, raiz + 8) * 512;

    struct Caso {
        const char* que;
        std::function<void(std::string&)> danar;
    };
    const auto poner32 = [](std::string& d, std::size_t pos, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            d[pos + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    const std::vector<Caso> casos = {
        {"cortado", [](std::string& d) { d.resize(1000); }},
        {"sin el último bloque", [](std::string& d) { d.resize(d.size() - 1024); }},
        {"versión", [](std::string& d) { d[0] = 0x7F; }},
        {"raíz fuera", [&](std::string& d) { poner32(d, 4 * 512, 100000); }},
        {"etiqueta fuera", [&](std::string& d) { poner32(d, 544, 100000); }},
        {"bucle",
         [&](std::string& d) { poner32(d, raiz + 8, static_cast<std::uint32_t>(raiz / 512)); }},
        {"demasiadas claves", [&](std::string& d) { poner32(d, hoja, 500); }},
        {"desordenado", [&](std::string& d) { d.replace(hoja + 28, 12, ClaveNumericaMdx(-1000)); }},
        {"registro de más", [&](std::string& d) { poner32(d, hoja + 8, 999); }},
        {"registro repetido", [&](std::string& d) { poner32(d, hoja + 8, Le32(d, hoja + 24)); }},
        {"hoja vaciada", [&](std::string& d) { poner32(d, hoja, 0); }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.que);
        std::string malo = bueno;
        caso.danar(malo);
        EscribirFichero(dir / "DIASHORAST2.MDX", malo);
        try {
            Tabla t = Tabla::Abrir(dir.Ruta(), "DIASHORAST2");
            t.RecorrerPor("ORDEN");
            ADD_FAILURE() << "no se lanzó ningún error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("DIASHORAST2.MDX"), std::string::npos) << e.what();
        }
    }
}

TEST(Mdx, TablaSinIndicesNoDejaIndiceNiMarca) {
    CarpetaTemporal dir;
    CrearHoras(dir.Ruta(), {1, 2});
    ASSERT_TRUE(std::filesystem::exists(dir / "DIASHORAST2.MDX"));
    CrearTabla(dir.Ruta(), "DIASHORAST2", {{"ORDEN", TipoCampo::Entero}});
    EXPECT_FALSE(std::filesystem::exists(dir / "DIASHORAST2.MDX"));
    EXPECT_EQ(Byte(LeerFichero(dir / "DIASHORAST2.DBF"), 28), 0);
    // An empty indexed table has an empty root leaf.
    CrearHoras(dir.Ruta(), {});
    Tabla t = Tabla::Abrir(dir.Ruta(), "DIASHORAST2");
    EXPECT_TRUE(RecorrerPorOrden(t).empty());
}

}  // namespace
}  // namespace rt
