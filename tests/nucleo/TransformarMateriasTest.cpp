#include <set>

#include "PasoImportacion.h"

namespace rt::prueba {
namespace {

class TransformarMateriasTest : public PasoImportacion {
  protected:
    void Importar(const Registros& materias, const Registros& actividades = {}) {
        Cargar(
            FicheroIntercambio().Bloque("MATERIAS", materias).Bloque("ACTIVIDADES", actividades));
        ListasMaterias listas;
        TransformarMaterias(*doc, trabajo, listas);
        TransformarActividades(*doc, trabajo, listas);
        EXPECT_TRUE(listas.CodigosAsignados.empty());
    }
};

struct CasoCodigo {
    const char* nombre;
    const char* codigo;
    const char* largo;
};

TEST_F(TransformarMateriasTest, CodigosCortoYLargoDeLosNombres) {
    const CasoCodigo casos[] = {
        {"Historia del Mundo Contemporáneo", "HMC", "Historia"},
        {"Lengua Extranjera", "LE", "Lengua E"},
        {"Matemáticas", "Mate", "Matemáti"},
        {"Educación física", "Ef", "Educació"},
        {"Matemáticas Aplicadas a las Ciencias Sociales II", "MACS", "MACSII"},
        {"inglés", "ingl", "inglés"},
        {"ámbito Social", "áS", "ámbito S"},
        {"MATEMÁTICAS", "MATE", "MATEMTIC"},  // stored long code cut to eight
    };
    Registros materias;
    for (const auto& caso : casos) materias.push_back({"5961", "1", caso.nombre});
    Importar(materias);
    const Filas filas = Filas_("ASIGNOMT", {"COD", "CODLARGO"});
    ASSERT_EQ(filas.size(), std::size(casos));
    for (std::size_t i = 0; i < filas.size(); ++i) {
        EXPECT_EQ(filas[i], (std::vector<std::string>{casos[i].codigo, casos[i].largo}))
            << casos[i].nombre;
    }
}

TEST_F(TransformarMateriasTest, NumeraLosCodigosRepetidosYLosAcortaACuatro) {
    Registros materias;
    for (int i = 0; i < 12; ++i) {
        materias.push_back({"5961", "1", "Historia del Mundo Contemporáneo " + std::to_string(i)});
    }
    materias.push_back({"5961", "1", "Educación física"});
    materias.push_back({"5961", "1", "Educación física y salud"});
    Importar(materias);
    EXPECT_EQ(LeerColumna(trabajo, "ASIGNOMT", "COD"),
              (std::vector<std::string>{"HMC", "HMC1", "HMC2", "HMC3", "HMC4", "HMC5", "HMC6",
                                        "HMC7", "HMC8", "HMC9", "HM10", "HM11", "Ef", "Efys"}));
}

// Two stems can meet once shortened: the tenth clash of 'HM' would be stored as the 'HM10' of the
// eleventh 'HMC'. The numbering goes on instead, so that no two subjects share a code.
TEST_F(TransformarMateriasTest, UnCodigoAcortadoNoRepiteOtroYaGuardado) {
    Registros materias;
    for (int i = 0; i < 11; ++i)
        materias.push_back({"5961", "1", "Historia Mundo C " + std::to_string(i)});
    for (int i = 0; i < 250; ++i)
        materias.push_back({"5961", "1", "Historia Mundial " + std::to_string(i)});
    Importar(materias);
    const std::vector<std::string> codigos = LeerColumna(trabajo, "ASIGNOMT", "COD");
    EXPECT_EQ(codigos[10], "HM10");
    EXPECT_EQ(codigos[20], "HM9");
    EXPECT_EQ(codigos[21], "HM11");
    EXPECT_EQ(std::set<std::string>(codigos.begin(), codigos.end()).size(), codigos.size());
}

TEST_F(TransformarMateriasTest, UnaMateriaRepetidaSoloGanaOfertas) {
    Importar({
        {"5961", "101", "Matemáticas"},
        {"5962", "102", "Matemáticas"},
        {"5963", "103", "Matemáticas"},
        {"5963", "103", "Matemáticas"},             // the same offer again: nothing
        {"5961", "201", "Francés Segunda Lengua"},  // long code 'Francés ' ends in a blank
        {"5962", "202", "Francés Segunda Lengua"},
        {"5961", "301", "MATEMÁTICAS"},  // another subject: case counts
        {"5961"},                        // one value: skipped
        {},
    });
    EXPECT_EQ(Filas_("ASIGNOMT", {"COD", "NOMBRE"}), (Filas{{"Mate", "Matemáticas"},
                                                            {"FSL", "Francés Segunda Lengua"},
                                                            {"MATE", "MATEMÁTICAS"}}));
    EXPECT_EQ(Filas_("ASIGNOMT2", {"COD", "CODLARGO", "MATERIA", "OFERTAMATRI", "ESTAREA"}),
              (Filas{{"Mate", "Matemáti", "101", "5961", "F"},
                     {"Mate", "Matemáti", "102", "5962", "F"},
                     {"Mate", "Matemáti", "103", "5963", "F"},
                     {"FSL", "Francés", "201", "5961", "F"},
                     {"FSL", "Francés", "202", "5962", "F"},
                     {"MATE", "MATEMTIC", "301", "5961", "F"}}));
}

TEST_F(TransformarMateriasTest, LasActividadesSeAnadenComoTareas) {
    Importar(
        {{"5961", "101", "Matemáticas"}},
        {{"N", "36", "Guardia"}, {"N", "GUARDIAS1234567", "Guardia de recreo en el patio"}, {"N"}});
    EXPECT_EQ(Filas_("ASIGNOMT", {"COD", "CODLARGO", "NOMBRE", "CODTAREA", "ESTAREA"}),
              (Filas{{"Mate", "Matemáti", "Matemáticas", "", "F"},
                     {"36", "Guardia", "Guardia", "36", "T"},
                     {"GUAR", "Guardia", "Guardia de recreo en el patio", "GUARDIAS1234", "T"}}));
}

TEST_F(TransformarMateriasTest, SinBloquesLasTablasQuedanVaciasConSusCampos) {
    Importar({});
    for (const char* tabla : {"ASIGNOMT", "ASIGNOMT2"}) {
        Tabla t = Tabla::Abrir(trabajo, tabla);
        EXPECT_EQ(t.NumeroFilas(), 0u);
        EXPECT_TRUE(t.TieneCampo("COD") && t.TieneCampo("ESTAREA"));
    }
}

TEST_F(TransformarMateriasTest, NombresCortosOVaciosNoFallan) {
    Importar({{"5961", "1"}, {"5961", "2", ""}, {"5961", "3", "x"}});
    EXPECT_EQ(LeerColumna(trabajo, "ASIGNOMT", "COD"), (std::vector<std::string>{"", "x"}));
}

}  // namespace
}  // namespace rt::prueba
