#include <set>

#include "PasoImportacion.h"

namespace rt::prueba {
namespace {

class TransformarProfesoresTest : public PasoImportacion {
  protected:
    Filas Importar(const Registros& empleados) {
        Cargar(FicheroIntercambio().Bloque("EMPLEADOS", empleados));
        TransformarProfesores(*doc, trabajo);
        return Filas_("PROFT", {"ABREV", "NOMBRE", "DEPART", "DNI", "X_EMPLEADO", "F_TOMAPOS"});
    }
};

TEST_F(TransformarProfesoresTest, NombreEIniciales) {
    EXPECT_EQ(Importar({
                  {"1001", "01/09/2010", "P", "Martín", "Gómez", "Marta"},
                  {"1002", "01/09/2011", "P", "Moreno", "García", "Miguel"},
                  {"1003", "01/09/2012", "P", "muñoz", "gil", "mónica"},  // case does not count
                  {"1004", "01/09/2013", "P", "Ñúñez", "", "Íñigo"},
                  {"12345678901", "", "P", "  Blanco", "Sanz", "Eva"},
                  {"1006"},
              }),
              (Filas{{"MGM", "Martín Gómez, Marta", "", "", "1001", "01/09/2010"},
                     {"MGM1", "Moreno García, Miguel", "", "", "1002", "01/09/2011"},
                     {"mgm2", "muñoz gil, mónica", "", "", "1003", "01/09/2012"},
                     {"ÑÍ", "Ñúñez , Íñigo", "", "", "1004", "01/09/2013"},
                     {" SE", "Blanco Sanz, Eva", "", "", "1234567890", ""}}));
}

// Past the ninth clash a candidate has five characters; the table would cut 'MGM10' back to
// 'MGM1'. Every teacher must keep an abbreviation of its own, also past the hundredth clash,
// where the first two and last two characters start to repeat.
TEST_F(TransformarProfesoresTest, LasAbreviaturasSiguenDistintasTrasLaNovenaCoincidencia) {
    Registros empleados;
    for (int i = 0; i < 1500; ++i) {
        empleados.push_back({std::to_string(i), "", "", "Martín", "Gómez", "Marta"});
    }
    std::vector<std::string> abreviaturas;
    for (const auto& fila : Importar(empleados)) abreviaturas.push_back(fila[0]);
    EXPECT_EQ(abreviaturas[9], "MGM9");
    EXPECT_EQ(abreviaturas[10], "MG10");
    EXPECT_EQ(std::set<std::string>(abreviaturas.begin(), abreviaturas.end()).size(), 1500u);
}

TEST_F(TransformarProfesoresTest, UnNombreLargoSeCorta) {
    const Filas filas =
        Importar({{"1", "", "", "Fernández-Villaverde", "de la Concepción", "María"}});
    EXPECT_EQ(filas[0][1], "Fernández-Villaverde de la Concepción, M");
}

class TransformarAulasTest : public PasoImportacion {
  protected:
    Filas Importar(const Registros& dependencias) {
        Cargar(FicheroIntercambio().Bloque("DEPENDENCIAS", dependencias));
        TransformarAulas(*doc, trabajo);
        return Filas_("AULAT", {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "DEPCENTRO"});
    }
};

TEST_F(TransformarAulasTest, AbreviaturasDeCodigosYNombres) {
    EXPECT_EQ(Importar({
                  {"A101", "Aula 1.01"},
                  {"a101", "Aula 1.01 bis"},  // clashes regardless of case
                  {"A101", "Aula 1.01 ter"},
                  {"", "gimnasio cubierto"},  // no code: the name's first four characters
                  {"", ""},
                  {"", ""},
                  {"LABORATORIO", "Laboratorio"},  // long code: its last four characters
                  {"X"},
              }),
              (Filas{{"A101", "Aula 1.01", "", "", "A101"},
                     {"a11", "Aula 1.01 bis", "", "", "a101"},
                     {"A12", "Aula 1.01 ter", "", "", "A101"},
                     {"gimn", "gimnasio cubierto", "", "", ""},
                     {"", "", "", "", ""},
                     {"1", "", "", "", ""},
                     {"ORIO", "Laboratorio", "", "", "LABORATORI"}}));
}

// The table keeps only the last four characters, so two long codes ending alike, or a numbered
// candidate of five characters, must not land on an abbreviation already stored.
TEST_F(TransformarAulasTest, LasAbreviaturasGuardadasSonDistintas) {
    Registros dependencias = {
        {"LAB-INF1", "Informática 1"}, {"AULA-INF1", "Aula de informática"}, {"B100", "Aula B100"}};
    for (int i = 0; i < 105; ++i) dependencias.push_back({"AB", "Aula " + std::to_string(i)});
    std::vector<std::string> abreviaturas;
    for (const auto& fila : Importar(dependencias)) abreviaturas.push_back(fila[0]);
    EXPECT_EQ(abreviaturas[0], "INF1");
    EXPECT_EQ(abreviaturas[1], "AU1");
    EXPECT_EQ(std::set<std::string>(abreviaturas.begin(), abreviaturas.end()).size(),
              abreviaturas.size());
}

}  // namespace
}  // namespace rt::prueba
