#include <gtest/gtest.h>

#include <string>

#include "Ayuda.h"
#include "platform/Error.h"
#include "platform/FicheroIni.h"

namespace rt {
namespace {

struct CasoIni {
    const char* nombre;
    std::string antes;
    std::string despues;
};

class PonerValorIniTest : public ::testing::TestWithParam<CasoIni> {};

TEST_P(PonerValorIniTest, CambiaSoloLaLineaDeLaClave) {
    const CasoIni& caso = GetParam();
    EXPECT_EQ(PonerValorIni(caso.antes, "Transformadores", "Transformado", "-1"), caso.despues);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PonerValorIniTest,
    ::testing::Values(
        CasoIni{"FicheroVacio", "", "[Transformadores]\r\nTransformado=-1\r\n"},
        CasoIni{"ClaveExistenteSinCasoEntreOtrasSecciones",
                "; puesto por Tabelio\r\n[Rutas]\r\nDatos = C:\\TBTEMP ; nota\r\n\r\n"
                "[transformadores]\r\nTRANSFORMADO = 1   \r\nOtra=2\r\n\r\n[Final]\r\nz=9",
                "; puesto por Tabelio\r\n[Rutas]\r\nDatos = C:\\TBTEMP ; nota\r\n\r\n"
                "[transformadores]\r\nTRANSFORMADO = -1\r\nOtra=2\r\n\r\n[Final]\r\nz=9"},
        CasoIni{"ClaveNuevaTrasLaUltimaDeSuSeccion",
                "[Transformadores]\r\nOtra=2\r\n\r\n[Final]\r\nz=9\r\n",
                "[Transformadores]\r\nOtra=2\r\nTransformado=-1\r\n\r\n[Final]\r\nz=9\r\n"},
        CasoIni{"SaltosDeLineaUnix", "[A]\nx=1\n",
                "[A]\nx=1\n[Transformadores]\nTransformado=-1\n"},
        CasoIni{"UltimaLineaSinSalto", "[Transformadores]\r\nOtra=2",
                "[Transformadores]\r\nOtra=2\r\nTransformado=-1\r\n"},
        CasoIni{"SeccionNuevaTrasUltimaLineaSinSalto", "[A]\r\nx=1",
                "[A]\r\nx=1\r\n[Transformadores]\r\nTransformado=-1\r\n"},
        CasoIni{"PrimeraDeDosSeccionesIguales",
                "[Transformadores]\r\nTransformado=0\r\n[TRANSFORMADORES]\r\nTransformado=0\r\n",
                "[Transformadores]\r\nTransformado=-1\r\n[TRANSFORMADORES]\r\nTransformado=0\r\n"},
        CasoIni{"MismaClaveEnOtraSeccionYComentario",
                "[Otra]\r\nTransformado=7\r\n[ Transformadores ]\r\n;Transformado=5\r\n",
                "[Otra]\r\nTransformado=7\r\n[ Transformadores ]\r\n;Transformado=5\r\n"
                "Transformado=-1\r\n"},
        CasoIni{"ClaveSinIgual", "[Transformadores]\r\n  transformado\r\nx=1\r\n",
                "[Transformadores]\r\nTransformado=-1\r\nx=1\r\n"},
        CasoIni{"MarcaDeOrdenDeBytes", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n",
                "\xEF\xBB\xBF[Transformadores]\r\nTransformado=-1\r\n"}),
    [](const ::testing::TestParamInfo<CasoIni>& info) { return info.param.nombre; });

TEST(EscribirValorIniTest, CreaElFicheroYLuegoSoloCambiaElValor) {
    prueba::CarpetaTemporal carpeta;
    const auto ini = carpeta / "Tabelio.ini";
    EscribirValorIni(ini, "Transformadores", "Transformado", "1");
    EXPECT_EQ(prueba::LeerFichero(ini), "[Transformadores]\r\nTransformado=1\r\n");

    prueba::EscribirFichero(ini,
                            "[Tabelio]\r\nIdioma=ES\r\n[Transformadores]\r\nTransformado=1\r\n");
    EscribirValorIni(ini, "Transformadores", "Transformado", "0");
    EXPECT_EQ(prueba::LeerFichero(ini),
              "[Tabelio]\r\nIdioma=ES\r\n[Transformadores]\r\nTransformado=0\r\n");
}

TEST(EscribirValorIniTest, UnFicheroQueNoSePuedeEscribirDaUnErrorQueLoNombra) {
    prueba::CarpetaTemporal carpeta;
    // A folder where the file should be, and a file in a folder that does not exist: both fail
    // for every user, root included.
    std::filesystem::create_directory(carpeta / "Tabelio.ini");
    for (const auto& ini : {carpeta / "Tabelio.ini", carpeta / "no-existe" / "Tabelio.ini"}) {
        try {
            EscribirValorIni(ini, "Transformadores", "Transformado", "1");
            ADD_FAILURE() << "sin error para " << ini;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(ini.string()), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace rt
