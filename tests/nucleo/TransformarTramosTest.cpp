#include "InterlocutorGuion.h"
#include "PasoImportacion.h"
#include "import/Tramos.h"
#include "platform/Error.h"

namespace rt::prueba {
namespace {

TEST(FormatoHora, HorasYMinutosDeDosCifras) {
    const std::pair<std::int32_t, const char*> casos[] = {
        {480, "08:00"}, {525, "08:45"},   {0, "00:00"},   {1440, "24:00"},
        {705, "11:45"}, {6000, "100:00"}, {-30, "-1:30"},
    };
    for (const auto& [minutos, texto] : casos) EXPECT_EQ(FormatoHora(minutos), texto) << minutos;
}

class TransformarTramosTest : public PasoImportacion {
  protected:
    void Importar(const Registros& jornadas, const Registros& tramos) {
        FicheroIntercambio fichero;
        if (!jornadas.empty()) fichero.Bloque("JORNADAS_ESCOLARES", jornadas);
        Cargar(fichero.Bloque("TRAMOS_HORARIOS", tramos));
        TransformarTramos(*doc, trabajo, carpeta / "intercambio.xml", persona, jornada);
    }
    Filas Rejilla() {
        return Filas_("DIASHORAST", {"DIHO", "CODDIHO", "DIA", "TEXTODIA", "HORA", "TEXTOHOR",
                                     "HORADESDE", "HORAHASTA", "MINUTOS"});
    }
    InterlocutorGuion persona;
    std::string jornada = "anterior";
};

TEST_F(TransformarTramosTest, LosTramosDeLaJornadaSeRepitenCadaDiaYSeNumeranPorSuInicio) {
    Importar({{"J1", "Mañana", "15/09/2026", "22/06/2027"}},
             {{"T1", "A", "480", "535", "J1"},
              {"TX", "X", "400", "450", "J2"},  // another template: counted, not copied
              {"T3"},                           // one value: neither
              {"T2", "B", "540", "595", "J1"}});
    EXPECT_EQ(jornada, "J1");
    EXPECT_TRUE(persona.plantillasPedidas.empty());
    Filas esperadas;
    for (const char* hora : {"1", "2"}) {
        for (int dia = 1; dia <= 7; ++dia) {
            const bool a = hora[0] == '1';
            esperadas.push_back({std::to_string(dia) + hora, a ? "T1" : "T2", std::to_string(dia),
                                 "", hora, a ? "A" : "B", a ? "08:00" : "09:00",
                                 a ? "08:55" : "09:55", "55"});
        }
    }
    EXPECT_EQ(Rejilla(), esperadas);
    const Filas trabajo2 = Filas_("DIASHORAST2", {"DIHO", "HORA", "ORDEN"});
    ASSERT_EQ(trabajo2.size(), 14u);
    EXPECT_EQ(trabajo2[0], (std::vector<std::string>{"11", "1", "480"}));
    EXPECT_EQ(trabajo2[7], (std::vector<std::string>{"13", "3", "540"}));
    EXPECT_EQ(Filas_("PERIODOS", {"CJORNADA", "JORNADA", "FECINI", "FECFIN"}),
              (Filas{{"J1", "Mañana", "15/09/2026", "22/06/2027"}}));
}

TEST_F(TransformarTramosTest, TramosDesordenadosOSimultaneos) {
    Importar({{"J1"}}, {{"T1", "Tarde", "600", "655", "J1"},
                        {"T2", "Primera", "480", "535", "J1"},
                        {"T3", "Primera bis", "480", "485", "J1"}});
    const Filas rejilla = Filas_("DIASHORAST", {"DIHO", "CODDIHO", "MINUTOS"});
    ASSERT_EQ(rejilla.size(), 21u);
    // Ordered by start, rows of equal start in the order they were added: T2 and T3 on day 1,
    // then on day 2, ..., all hour 1; then T1, hour 2.
    EXPECT_EQ(rejilla[0], (std::vector<std::string>{"11", "T2", "55"}));
    EXPECT_EQ(rejilla[1], (std::vector<std::string>{"21", "T2", "55"}));
    EXPECT_EQ(rejilla[7], (std::vector<std::string>{"11", "T3", "5"}));
    EXPECT_EQ(rejilla[14], (std::vector<std::string>{"12", "T1", "55"}));
}

TEST_F(TransformarTramosTest, ConVariasJornadasEligeLaPersona) {
    persona.plantilla = "J2";
    Importar({{"J1", "Mañana", "1", "2"}, {"J2", "Tarde", "3", "4"}, {"J2", "Tarde bis", "5", "6"}},
             {{"T1", "A", "480", "535", "J1"}, {"T2", "B", "960", "1015", "J2"}});
    EXPECT_EQ(persona.plantillasPedidas.size(), 1u);
    EXPECT_EQ(jornada, "J2");
    EXPECT_EQ(LeerColumna(trabajo, "DIASHORAST", "CODDIHO"), std::vector<std::string>(7, "T2"));
    EXPECT_EQ(LeerColumna(trabajo, "DIASHORAST", "HORADESDE"),
              std::vector<std::string>(7, "16:00"));
    EXPECT_EQ(Filas_("PERIODOS", {"JORNADA", "FECINI"}),
              (Filas{{"Tarde", "3"}, {"Tarde bis", "5"}}));
}

TEST_F(TransformarTramosTest, UnCodigoQueNingunTramoLlevaDejaLasTablasVacias) {
    persona.plantilla = "J9";
    Importar({{"J1"}, {"J2"}}, {{"T1", "A", "480", "535", "J1"}, {"T2", "B", "xx", "1015", "J2"}});
    EXPECT_EQ(jornada, "J9");
    EXPECT_TRUE(Rejilla().empty());
    EXPECT_TRUE(LeerColumna(trabajo, "PERIODOS", "CJORNADA").empty());
}

// A file without templates chooses none: nothing to copy, nothing to fail on.
TEST_F(TransformarTramosTest, SinJornadasNoSeEligeNinguna) {
    EscribirFichero(trabajo / "JORNADAS.DBF", "antiguo");
    Importar({}, {{"T1", "A", "480", "535", ""}});
    EXPECT_EQ(jornada, "");
    EXPECT_TRUE(persona.plantillasPedidas.empty());
    EXPECT_TRUE(Rejilla().empty());
    EXPECT_TRUE(LeerColumna(trabajo, "PERIODOS", "CJORNADA").empty());
    EXPECT_FALSE(std::filesystem::exists(trabajo / "JORNADAS.DBF"));
}

TEST_F(TransformarTramosTest, UnaHoraNoNumericaDeLaJornadaDetieneElPaso) {
    EXPECT_THROW(Importar({{"J1"}}, {{"T1", "A", "8:00", "535", "J1"}}), ErrorConversion);
    EXPECT_TRUE(Rejilla().empty());
    EXPECT_TRUE(LeerColumna(trabajo, "PERIODOS", "CJORNADA").empty());
}

}  // namespace
}  // namespace rt::prueba
