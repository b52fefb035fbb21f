#include <set>

#include "PasoImportacion.h"
#include "platform/Error.h"

namespace rt::prueba {
namespace {

class TransformarCursosGruposTest : public PasoImportacion {
  protected:
    void SetUp() override {
        PasoImportacion::SetUp();
        Niveles("5961;ESO;Secundaria Obligatoria\n6031;;Bachillerato\n");
    }
    void Importar(const Registros& cursos, const Registros& unidades) {
        Cargar(
            FicheroIntercambio().Bloque("CURSOS_DEL_CENTRO", cursos).Bloque("UNIDADES", unidades));
        TransformarCursosGrupos(*doc, trabajo, programa);
    }
};

TEST_F(TransformarCursosGruposTest, CursosConSuNivel) {
    Importar({{"5961", "1º de E.S.O."},
              {"6031", "Bachillerato"},     // level row without abbreviation
              {"7777", "2º de otra cosa"},  // not in the level table
              {"5961"}},
             {});
    EXPECT_EQ(Filas_("CURSOST", {"ABREV", "TURNO", "NIVEL", "CURSO", "CLAVE", "ESTUD"}),
              (Filas{{"", "", "ESO", "1", "5961", "Secundaria Obligatoria"},
                     {"", "", "Niv", "B", "6031", "Bachillerato"},
                     {"", "", "Niv", "2", "7777", ""}}));
}

TEST_F(TransformarCursosGruposTest, UnidadesConCodigoYDescripcion) {
    Importar({{"5961", "1º de E.S.O."}, {"7777", "1º de otra cosa"}},
             {{"u1", "1º ESO A", "5961"},
              {"u2", "1º  E S O  A", "5961"},
              {"u3", "1º ESO A", "7777"},
              {"u4", "ab1 A", "9999"},
              {"u5", "AB1 A", "9999"},
              {"u6", "B", "5961"},
              {"u7", "1A"}});
    EXPECT_EQ(
        Filas_("GRUPOST",
               {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE", "CLAVECURSO", "DESCRIP"}),
        (Filas{{"1ºEA", "", "ESO", "1", "A", "u1", "5961", "(1º ESO A) Secundaria Obligatoria"},
               {"1ºE1", "", "ESO", "1", "A", "u2", "5961", "(1º  E S O  A) Secundaria Obligatoria"},
               {"1ºE2", "", "Niv", "1", "A", "u3", "7777", " Niv 1 A"},
               {"ab1A", "", "", "", "A", "u4", "9999", "   A"},
               {"AB11", "", "", "", "A", "u5", "9999", "   A"},
               {"BB", "", "ESO", "1", "B", "u6", "5961", "(B) Secundaria Obligatoria"},
               {"1AA", "", "", "", "A", "u7", "", "   A"}}));
}

// The eleventh '1ºEA' is stored as '1º10'; the twelfth would be given '1º10' again and two
// units would share a code. The numbering goes on instead.
TEST_F(TransformarCursosGruposTest, LosCodigosDeUnidadSonDistintos) {
    Registros unidades;
    for (int i = 0; i < 300; ++i) unidades.push_back({std::to_string(i), "1º ESO A", "5961"});
    Importar({{"5961", "1º"}}, unidades);
    const std::vector<std::string> codigos = LeerColumna(trabajo, "GRUPOST", "ABREV");
    EXPECT_EQ(codigos[9], "1ºE9");
    EXPECT_EQ(codigos[10], "1º10");
    EXPECT_EQ(codigos[11], "1º11");
    EXPECT_EQ(std::set<std::string>(codigos.begin(), codigos.end()).size(), codigos.size());
}

TEST_F(TransformarCursosGruposTest, UnaClaveDeCursoNoNumericaDetieneElPaso) {
    EXPECT_THROW(
        {
            try {
                Importar({{"5961", "1º"}, {"59A1", "2º"}, {"6031", "B"}}, {{"u1", "1º A", "5961"}});
            } catch (const ErrorConversion& error) {
                EXPECT_STREQ(error.what(), "'59A1' no es un valor entero válido");
                throw;
            }
        },
        ErrorConversion);
    EXPECT_EQ(LeerColumna(trabajo, "CURSOST", "CLAVE"), (std::vector<std::string>{"5961"}));
    EXPECT_TRUE(LeerColumna(trabajo, "GRUPOST", "CLAVE").empty());
}

class TransformarAsignacionesTest : public PasoImportacion {
  protected:
    void Importar(const Registros& materias) {
        Niveles("5961;ESO;Secundaria\n");
        Cargar(FicheroIntercambio()
                   .Bloque("MATERIAS", materias)
                   .Bloque("CURSOS_DEL_CENTRO", {{"5961", "1º"}, {"5962", "2º"}})
                   .Bloque("UNIDADES", {{"u1", "1º ESO A", "5961"},
                                        {"u2", "2º ESO A", "5962"},
                                        {"u3", "1º ESO B", "5961"},
                                        {"u4", "1º ESO C", "5961"}}));
        ListasMaterias listas;
        TransformarMaterias(*doc, trabajo, listas);
        TransformarActividades(*doc, trabajo, listas);
        TransformarCursosGrupos(*doc, trabajo, programa);
        TransformarAsignaciones(*doc, trabajo);
    }
};

TEST_F(TransformarAsignacionesTest, UnaFilaPorMateriaYUnidadDeSuCurso) {
    Importar({{"5961", "101", "Matemáticas"}, {"5962", "102", "Lengua"}, {"5961"}});
    EXPECT_EQ(
        Filas_("ASIGT", {"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL", "CURSO", "GRUPO",
                         "HORAS", "SESIONES", "CLAVE", "CLAVECURSO", "CTAREA"}),
        (Filas{{"Mate", "", "1ºEA", "", "", "ESO", "1", "A", "4", "1111", "101", "5961", "1"},
               {"Mate", "", "1ºEB", "", "", "ESO", "1", "B", "4", "1111", "101", "5961", "1"},
               {"Mate", "", "1ºEC", "", "", "ESO", "1", "C", "4", "1111", "101", "5961", "1"},
               {"Leng", "", "2ºEA", "", "", "Niv", "2", "A", "4", "1111", "102", "5962", "1"}}));
}

TEST_F(TransformarAsignacionesTest, ElNombreSeBuscaSinMayusculasDeLaAALaZ) {
    // 'ÁLGEBRA' is a subject of its own, but its name is looked up with the letters a to z
    // upper-cased, so it finds the first row, 'Álgebra'; the case of an accented letter counts,
    // so 'álgebra' finds its own row. A course without units gives no row.
    Importar({{"5961", "1", "Álgebra"},
              {"5961", "2", "ÁLGEBRA"},
              {"5961", "3", "álgebra"},
              {"5999", "4", "Geometría"}});
    EXPECT_EQ(Filas_("ASIGT", {"CASIG", "CGRUP", "CLAVE"}), (Filas{{"Álge", "1ºEA", "1"},
                                                                   {"Álge", "1ºEB", "1"},
                                                                   {"Álge", "1ºEC", "1"},
                                                                   {"Álge", "1ºEA", "2"},
                                                                   {"Álge", "1ºEB", "2"},
                                                                   {"Álge", "1ºEC", "2"},
                                                                   {"álge", "1ºEA", "3"},
                                                                   {"álge", "1ºEB", "3"},
                                                                   {"álge", "1ºEC", "3"}}));
}

}  // namespace
}  // namespace rt::prueba
