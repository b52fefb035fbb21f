#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "Ayuda.h"
#include "platform/Intercambio.h"

namespace rt {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribirFichero;

const char* const kBloques =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<SERVICIO>\n"
    " <BLOQUE_DATOS>\n"
    "  <grupo_datos seq=\"MATERIAS\">\n"
    "   <grupo_datos><dato>  M1  </dato><dato>\tLengua "
    "\n</dato><dato>Espa\xF1ol</dato></grupo_datos>\n"
    "   <grupo_datos><dato>M2</dato></grupo_datos>\n"
    "   <grupo_datos></grupo_datos>\n"
    "  </grupo_datos>\n"
    "  <grupo_datos seq=\"materias\">\n"
    "   <grupo_datos><dato>minusculas</dato><dato>x</dato></grupo_datos>\n"
    "  </grupo_datos>\n"
    "  <otro seq=\"MATERIAS\"><grupo_datos><dato>no</dato><dato>no</dato></grupo_datos></otro>\n"
    "  <grupo_datos seq=\"MATERIAS\">\n"
    "   <grupo_datos>\n"
    "    <dato nombre_dato=\"A\">M3</dato>\n"
    "    <otro>no es un valor</otro>\n"
    "    <!-- tampoco -->\n"
    "    <dato>dos <b>partes</b></dato>\n"
    "    <dato/>\n"
    "    <dato>   </dato>\n"
    "   </grupo_datos>\n"
    "  </grupo_datos>\n"
    " </BLOQUE_DATOS>\n"
    "</SERVICIO>\n";

class IntercambioTest : public testing::Test {
  protected:
    void SetUp() override {
        EscribirFichero(carpeta / "i.xml", kBloques);
        ASSERT_TRUE(doc.Cargar(carpeta / "i.xml")) << doc.UltimoError();
    }
    CarpetaTemporal carpeta;
    Documento doc;
};

TEST_F(IntercambioTest, RutaDelBloque) {
    EXPECT_EQ(RutaBloque("EMPLEADOS"),
              "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"EMPLEADOS\"]/grupo_datos");
}

TEST_F(IntercambioTest, BloquesDelMismoNombreSeLeenSeguidos) {
    const auto r = LeerBloque(doc, "MATERIAS");
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].NumeroValores(), 3u);
    EXPECT_EQ(r[1].NumeroValores(), 1u);
    EXPECT_EQ(r[2].NumeroValores(), 0u);
    EXPECT_EQ(r[3].NumeroValores(), 4u);  // only "dato" children count, by position
    EXPECT_TRUE(r[0].Utilizable());
    EXPECT_FALSE(r[1].Utilizable());
    EXPECT_FALSE(r[2].Utilizable());
    EXPECT_EQ(r[3].Valor(0), "M3");
    EXPECT_EQ(r[3].Valor(1), "dos partes");
    EXPECT_EQ(r[3].Valor(2), "");
    EXPECT_EQ(r[3].Valor(3), "");
    EXPECT_EQ(r[3].ValorSinRecortar(3), "   ");
}

TEST_F(IntercambioTest, ValoresRecortadosSoloDeEspacios) {
    const auto r = LeerBloque(doc, "MATERIAS");
    EXPECT_EQ(r[0].Valor(0), "M1");
    EXPECT_EQ(r[0].ValorSinRecortar(0), "  M1  ");
    EXPECT_EQ(r[0].Valor(1), "\tLengua \n");  // tabs and line breaks stay
    EXPECT_EQ(r[0].Valor(2), "Espa\xF1ol");   // Windows-1252
    EXPECT_EQ(r[0].Valor(3), "");             // positions the record lacks
    EXPECT_EQ(r[0].ValorSinRecortar(99), "");
    EXPECT_EQ(r[2].Valor(0), "");
}

TEST_F(IntercambioTest, NombreExactoYBloqueAusente) {
    const auto minusculas = LeerBloque(doc, "materias");
    ASSERT_EQ(minusculas.size(), 1u);
    EXPECT_EQ(minusculas[0].Valor(0), "minusculas");
    EXPECT_TRUE(LeerBloque(doc, "EMPLEADOS").empty());
    EXPECT_TRUE(LeerBloque(doc, "Materias").empty());
    EXPECT_TRUE(LeerBloque(Documento(), "MATERIAS").empty());
}

TEST(Intercambio, ArchivoGrandeSeLeeDeprisa) {
    constexpr int kRegistros = 60000;
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SERVICIO>\n <BLOQUE_DATOS>\n"
        "  <grupo_datos seq=\"EMPLEADOS\">\n";
    for (int i = 0; i < kRegistros; ++i) {
        xml += "   <grupo_datos>\n";
        for (int j = 0; j < 6; ++j) {
            xml += "    <dato> v" + std::to_string(i) + "-" + std::to_string(j) + " </dato>\n";
        }
        xml += "   </grupo_datos>\n";
    }
    xml += "  </grupo_datos>\n </BLOQUE_DATOS>\n</SERVICIO>\n";
    CarpetaTemporal carpeta;
    EscribirFichero(carpeta / "grande.xml", xml);

    const auto inicio = std::chrono::steady_clock::now();
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "grande.xml")) << doc.UltimoError();
    const auto r = LeerBloque(doc, "EMPLEADOS");
    const auto tardanza = std::chrono::steady_clock::now() - inicio;
    ASSERT_EQ(r.size(), static_cast<std::size_t>(kRegistros));
    EXPECT_EQ(r.back().Valor(5), "v" + std::to_string(kRegistros - 1) + "-5");
    // About a third of a second here; a path per record would take minutes.
    EXPECT_LT(tardanza, std::chrono::seconds(15));
}

}  // namespace
}  // namespace rt
