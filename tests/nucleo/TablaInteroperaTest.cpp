// Tables pass between the engine and independent dBase readers and writers (Debian's python3
// modules), as they pass between this tool and the timetable program.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "Ayuda.h"
#include "platform/Tabla.h"
#include "text/Cp1252.h"

namespace rt {
namespace {

using prueba::CarpetaTemporal;

std::string Ejecutar(const std::string& guion, const std::filesystem::path& tabla) {
    const std::string orden = std::string(RT_PYTHON_DEBIAN) + " " + RT_DIR_AYUDANTES + "/" + guion +
                              " '" + tabla.string() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> tubo(popen(orden.c_str(), "r"), pclose);
    std::string salida;
    char bloque[4096];
    while (std::size_t n = std::fread(bloque, 1, sizeof bloque, tubo.get()))
        salida.append(bloque, n);
    return salida;
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

TEST(TablaInteropera, OtroLectorLeeCadaCampoDeLoQueEscribimos) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "ASIGNOMT",
               {{"COD", TipoCampo::Texto, 4},
                {"NOMBRE", TipoCampo::Texto, 40},
                {"ESTAREA", TipoCampo::Logico},
                {"DNI", TipoCampo::Entero},
                {"HORAS", TipoCampo::Flotante}});
    Tabla t = Tabla::Abrir(dir.Ruta(), "ASIGNOMT");
    t.Anadir();
    t.PonerTexto("COD", "Matemáticas");  // cut to four characters
    t.PonerTexto("NOMBRE", Utf8AAnsi(" 1º ESO Ñandú €"));
    t.PonerLogico("ESTAREA", false);
    t.PonerEntero("DNI", -12345);
    t.PonerFlotante("HORAS", 4.5);
    t.Grabar();
    t.Anadir();
    t.PonerLogico("ESTAREA", true);
    t.Grabar();
    // Enough rows to go through the buffered writer more than once.
    for (int i = 0; i < 5000; ++i) {
        t.Anadir();
        t.PonerEntero("DNI", i);
        t.Grabar();
    }
    t.Cerrar();

    const auto lineas = Lineas(Ejecutar("leer_dbf.py", dir / "ASIGNOMT.DBF"));
    ASSERT_EQ(lineas.size(), 1u + 2 + 5000) << (lineas.empty() ? "" : lineas[0]);
    EXPECT_EQ(lineas[0], "CAMPOS COD:C:4:0 NOMBRE:C:40:0 ESTAREA:L:1:0 DNI:N:11:0 HORAS:N:20:4");
    EXPECT_EQ(lineas[1], "COD='Mate'|NOMBRE=' 1º ESO Ñandú €'|ESTAREA=False|DNI=-12345|HORAS=4.5");
    EXPECT_EQ(lineas[2], "COD=''|NOMBRE=''|ESTAREA=True|DNI=None|HORAS=None");
    EXPECT_EQ(lineas.back(), "COD=''|NOMBRE=''|ESTAREA=None|DNI=4999|HORAS=None");
}

TEST(TablaInteropera, LeemosLoQueEscribeOtroPrograma) {
    CarpetaTemporal dir;
    const auto ruta = dir / "AJENA.DBF";
    ASSERT_EQ(Ejecutar("escribir_dbf.py", ruta), "");
    Tabla t = Tabla::Abrir(ruta);
    EXPECT_EQ(t.NumeroFilas(), 2u);  // the deleted row is skipped
    EXPECT_EQ(AnsiAUtf8(t.LeerTexto("NOMBRE")), "Peña €º á");
    EXPECT_EQ(t.LeerEntero("EDAD"), 12);
    EXPECT_EQ(t.LeerTexto("NOTA"), "7.5");
    EXPECT_EQ(t.LeerTexto("ACTIVO"), "T");
    EXPECT_EQ(t.LeerTexto("ALTA"), "20240506");
    t.Siguiente();
    EXPECT_EQ(AnsiAUtf8(t.LeerTexto("NOMBRE")), "Ñandú");
    EXPECT_EQ(t.LeerEntero("EDAD"), -3);
    EXPECT_EQ(t.LeerTexto("NOTA"), "");
    EXPECT_EQ(t.LeerTexto("ACTIVO"), "");
    t.Siguiente();
    EXPECT_TRUE(t.Fin());
    EXPECT_TRUE(t.Localizar("NOMBRE", Utf8AAnsi("Ñandú")));
}

}  // namespace
}  // namespace rt
