#include <gtest/gtest.h>

#include "EscenarioExportacion.h"
#include "LecturaHorarios.h"
#include "export/TransformarHorarios.h"

namespace rt::prueba {
namespace {

class TransformarHorariosTest : public EscenarioExportacion {
  protected:
    // Runs the step on the tables as they are and reads back the block it appended.
    BloqueLeido Horarios() {
        Tabla soluc = Tabla::Abrir(trabajo, "SOLUC");
        Tabla profesores = Tabla::Abrir(trabajo, "PROFT");
        Tabla asignaciones = Tabla::Abrir(trabajo, "ASIGT");
        Tabla materias = Tabla::Abrir(trabajo, "ASIGNOMT");
        Tabla materiasCurso = Tabla::Abrir(trabajo, "ASIGNOMT2");
        Tabla tramos = Tabla::Abrir(trabajo, "DIASHORAST");
        Tabla grupos = Tabla::Abrir(trabajo, "GRUPOST");
        Documento doc;
        NodoXML servicio = doc.CrearElemento("SERVICIO");
        doc.AnadirHijo(servicio);
        NodoXML bloqueDatos = doc.CrearElemento("BLOQUE_DATOS");
        servicio.AnadirHijo(bloqueDatos);
        TransformarHorarios(
            doc, bloqueDatos, "15/09/2026", "22/06/2027",
            {soluc, profesores, asignaciones, materias, materiasCurso, tramos, grupos});
        const BloqueLeido bloque = LeerBloqueXML(bloqueDatos);
        EXPECT_EQ(bloque.forma, std::vector<std::string>{"grupo_datos"});
        return bloque.hijos.at(0);
    }

    // Two units of two courses, two subjects and an activity, and a grid of three slots.
    void Centro() {
        Filas("GRUPOST", {{{"ABREV", "1ºEA"}, {"CLAVE", "41001"}, {"CLAVECURSO", "5961"}},
                          {{"ABREV", "2ºEA"}, {"CLAVE", "41004"}, {"CLAVECURSO", "5962"}}});
        Filas("ASIGT",
              {{{"CASIG", "LCL"}, {"CGRUP", "1ºEA"}, {"CLAVE", "300107"}, {"CLAVECURSO", "5961"}},
               {{"CASIG", "Mate"}, {"CGRUP", "1ºEA"}, {"CLAVE", ""}, {"CLAVECURSO", "5961"}}});
        Filas("ASIGNOMT", {{{"COD", "LCL"}, {"NOMBRE", "Lengua Castellana y Literatura"}},
                           {{"COD", "Mate"}, {"NOMBRE", "Matemáticas"}},
                           {{"COD", "36"}, {"NOMBRE", "Guardia"}, {"CODTAREA", "36"}}});
        // The first row would give the wrong key if it were consulted for a lesson that ASIGT
        // already keys.
        Filas("ASIGNOMT2", {{{"COD", "LCL"}, {"MATERIA", "999999"}, {"OFERTAMATRI", "5961"}},
                            {{"COD", "Mate"}, {"MATERIA", "300114"}, {"OFERTAMATRI", "5961"}},
                            {{"COD", "Mate"}, {"MATERIA", "300184"}, {"OFERTAMATRI", "5962"}}});
        Filas("DIASHORAST", {{{"DIHO", "11"},
                              {"CODDIHO", "7701"},
                              {"DIA", "1"},
                              {"HORA", "1"},
                              {"HORADESDE", "08:00"},
                              {"HORAHASTA", "09:00"}},
                             {{"DIHO", "12"},
                              {"CODDIHO", "7703"},
                              {"DIA", "1"},
                              {"HORA", "2"},
                              {"HORADESDE", "09:00"},
                              {"HORAHASTA", "09:55"}},
                             {{"DIHO", "21"},
                              {"CODDIHO", "7701"},
                              {"DIA", "2"},
                              {"HORA", "1"},
                              {"HORADESDE", "8:30"},
                              {"HORAHASTA", "09:25"}}});
    }

    static Fila Leccion(const std::string& prof, const std::string& dia, const std::string& hora,
                        const std::string& asig, const std::string& grupo,
                        const std::string& aula = "", const std::string& tarea = "") {
        return {{"PROF", prof},      {"DIA", dia},   {"HORA", hora},  {"ASIG", asig},
                {"CODGRUPO", grupo}, {"AULA", aula}, {"TAREA", tarea}};
    }

    static std::vector<std::string> Valores(const BloqueLeido& actividad) {
        std::vector<std::string> valores;
        for (const auto& [nombre, valor] : actividad.datos) valores.push_back(valor);
        return valores;
    }
};

TEST_F(TransformarHorariosTest, CadaLeccionVuelveALasClavesDeRacima) {
    Centro();
    Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}, {"F_TOMAPOS", "01/09/2005"}}});
    struct Caso {
        const char* que;
        Fila leccion;
        std::vector<std::string> valores;  // N_DIASEMANA ... X_ACTIVIDAD
    };
    const std::string ini = "15/09/2026", fin = "22/06/2027";
    const Caso casos[] = {
        {"ASIGT da las dos claves; GRUPOST solo la unidad; sin tarea ni código de tarea: 1",
         Leccion("AMG", "1", "1", "LCL", "1ºEA", "A101"),
         {"1", "7701", "A101", "41001", "5961", "300107", ini, fin, "480", "540", "1"}},
        {"ASIGT sin clave de materia: la da ASIGNOMT2 con el curso de ASIGT; tarea propia",
         Leccion("AMG", "1", "2", "Mate", "1ºEA", "LABFQ", "7"),
         {"1", "7703", "LABFQ", "41001", "5961", "300114", ini, fin, "540", "595", "7"}},
        {"fuera de ASIGT: curso de GRUPOST, materia de la oferta; 8:30 son 510; aula con blanco",
         Leccion("AMG", "2", "1", "Mate", "2ºEA", " A2"),
         {"2", "7701", " A2", "41004", "5962", "300184", ini, fin, "510", "565", "1"}},
        {"sin tramo tras uno con tramo: nada se arrastra; sin fila en ASIGNOMT2; aula en blanco",
         Leccion("AMG", "3", "1", "Fis", "2ºEA", "   "),
         {"", "", "", "41004", "5962", "", ini, fin, "0", "0", "1"}},
        {"actividad sin unidad ni tarea: la tarea es el código de la actividad",
         Leccion("AMG", "1", "2", "36", ""),
         {"1", "7703", "", "", "", "", ini, fin, "540", "595", "36"}},
        {"unidad desconocida: sin unidad, curso ni materia",
         Leccion("AMG", "2", "1", "LCL", "9ºZZ", "", "   "),
         {"2", "7701", "", "", "", "", ini, fin, "510", "565", "1"}},
    };
    std::vector<Fila> soluc;
    for (const Caso& c : casos) soluc.push_back(c.leccion);
    Filas("SOLUC", soluc);

    const BloqueLeido horarios = Horarios();
    ASSERT_EQ(horarios.hijos.size(), 1u);
    const BloqueLeido& profesor = horarios.hijos[0];
    ASSERT_EQ(profesor.hijos.size(), std::size(casos));
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        SCOPED_TRACE(casos[i].que);
        const BloqueLeido& actividad = profesor.hijos[i];
        EXPECT_EQ(actividad.seq, "ACTIVIDAD_" + std::to_string(i + 1));
        EXPECT_EQ(actividad.registros, "");
        std::vector<std::string> nombres;
        for (const auto& [nombre, valor] : actividad.datos) nombres.push_back(nombre);
        EXPECT_EQ(nombres, NombresDeLeccion());
        EXPECT_EQ(Valores(actividad), casos[i].valores);
    }
}

TEST_F(TransformarHorariosTest, UnBloquePorProfesorConSusLeccionesNumeradasSinHuecos) {
    Centro();
    Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}, {"F_TOMAPOS", "01/09/2005"}},
                    {{"ABREV", "JLP"}, {"X_EMPLEADO", "182317"}, {"F_TOMAPOS", "01/09/2006"}},
                    {{"ABREV", "AMG"}, {"X_EMPLEADO", "182334"}, {"F_TOMAPOS", ""}}});
    Filas("SOLUC",
          {Leccion("AMG", "0", "0", "LCL", "1ºEA"),  // left out of the timetable
           Leccion("AMG", "1", "1", "LCL", "1ºEA"), Leccion("ZZZ", "1", "2", "LCL", "1ºEA"),
           Leccion("AMG", "0", "3", "Mate", "1ºEA"), Leccion("AMG", "2", "1", "Mate", "2ºEA")});

    const BloqueLeido horarios = Horarios();
    EXPECT_EQ(horarios.seq, "HORARIOS_REGULARES");
    EXPECT_EQ(horarios.registros, "3");
    ASSERT_EQ(horarios.hijos.size(), 3u);
    const std::vector<std::string> conLecciones = {"dato", "dato", "grupo_datos", "grupo_datos"};
    const std::vector<std::string> sinLecciones = {"dato", "dato"};
    struct Esperado {
        std::string seq, registros, empleado, toma;
        std::vector<std::string> forma;
    };
    const Esperado esperados[] = {
        {"HORARIO_REGULAR_PROFESOR_1", "2", "182300", "01/09/2005", conLecciones},
        {"HORARIO_REGULAR_PROFESOR_2", "0", "182317", "01/09/2006", sinLecciones},
        // The same abbreviation twice: each teacher gets every lesson of it.
        {"HORARIO_REGULAR_PROFESOR_3", "2", "182334", "", conLecciones},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const BloqueLeido& p = horarios.hijos[i];
        SCOPED_TRACE(p.seq);
        EXPECT_EQ(p.seq, esperados[i].seq);
        EXPECT_EQ(p.registros, esperados[i].registros);
        EXPECT_EQ(p.forma, esperados[i].forma);
        EXPECT_EQ(p.Dato("X_EMPLEADO"), esperados[i].empleado);
        EXPECT_EQ(p.Dato("F_TOMAPOS"), esperados[i].toma);
        for (std::size_t m = 0; m < p.hijos.size(); ++m) {
            EXPECT_EQ(p.hijos[m].seq, "ACTIVIDAD_" + std::to_string(m + 1));
        }
        if (p.hijos.size() == 2) {
            EXPECT_EQ(p.hijos[0].Dato("X_TRAMO"), "7701");
            EXPECT_EQ(p.hijos[1].Dato("X_UNIDAD"), "41004");
        }
    }
}

TEST_F(TransformarHorariosTest, SinProfesoresOSinLecciones) {
    Centro();
    EXPECT_EQ(Horarios().registros, "0");
    EXPECT_TRUE(Horarios().forma.empty());

    Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}, {"F_TOMAPOS", "01/09/2005"}},
                    {{"ABREV", "JLP"}, {"X_EMPLEADO", "182317"}, {"F_TOMAPOS", "01/09/2006"}}});
    const BloqueLeido horarios = Horarios();
    EXPECT_EQ(horarios.registros, "2");
    ASSERT_EQ(horarios.hijos.size(), 2u);
    for (const BloqueLeido& p : horarios.hijos) {
        EXPECT_EQ(p.registros, "0");
        EXPECT_EQ(p.forma, (std::vector<std::string>{"dato", "dato"}));
    }
}

// A SOLUC whose DIA and HORA are character columns: the day and hour still lead to the grid's
// DIHO, written without padding or leading zeros.
TEST_F(TransformarHorariosTest, DiaYHoraEnColumnasDeTexto) {
    Centro();
    Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}}});
    CrearTabla(trabajo, "SOLUC",
               {{"PROF", TipoCampo::Texto, 4},
                {"DIA", TipoCampo::Texto, 2},
                {"HORA", TipoCampo::Texto, 2},
                {"ASIG", TipoCampo::Texto, 4},
                {"CODGRUPO", TipoCampo::Texto, 4},
                {"AULA", TipoCampo::Texto, 10},
                {"TAREA", TipoCampo::Texto, 12}});
    {
        Tabla soluc = Tabla::Abrir(trabajo, "SOLUC");
        for (const auto& [dia, hora] : std::vector<std::pair<std::string, std::string>>{
                 {"1", "2"}, {"0", "1"}, {"02", "1"}, {"2", " 1"}}) {
            soluc.Anadir();
            soluc.PonerTexto("PROF", "AMG");
            soluc.PonerTexto("DIA", dia);
            soluc.PonerTexto("HORA", hora);
            soluc.PonerTexto("ASIG", "LCL");
            soluc.PonerTexto("CODGRUPO", "1ºEA");
            soluc.Grabar();
        }
        soluc.Cerrar();
    }
    const BloqueLeido profesor = Horarios().hijos.at(0);
    EXPECT_EQ(profesor.registros, "3");
    ASSERT_EQ(profesor.hijos.size(), 3u);
    EXPECT_EQ(profesor.hijos[0].Dato("X_TRAMO"), "7703");
    EXPECT_EQ(profesor.hijos[1].Dato("X_TRAMO"), "7701");
    EXPECT_EQ(profesor.hijos[1].Dato("N_DIASEMANA"), "2");
    EXPECT_EQ(profesor.hijos[2].Dato("N_HORINI"), "510");
}

TEST_F(TransformarHorariosTest, UnValorQueNoEsEnteroDetieneElPaso) {
    struct Caso {
        const char* que;
        Fila tramo;
        Fila leccion;
        std::vector<std::string> enElMensaje;
    };
    const Caso casos[] = {
        {"hora de inicio",
         {{"DIHO", "11"},
          {"CODDIHO", "7701"},
          {"DIA", "1"},
          {"HORADESDE", "8h:30"},
          {"HORAHASTA", "09:00"}},
         Leccion("AMG", "1", "1", "LCL", "1ºEA"),
         {"'8h' no es un valor entero válido", "HORADESDE", "DIASHORAST"}},
        {"hora de fin",
         {{"DIHO", "11"},
          {"CODDIHO", "7701"},
          {"DIA", "1"},
          {"HORADESDE", "08:00"},
          {"HORAHASTA", "09:xx"}},
         Leccion("AMG", "1", "1", "LCL", "1ºEA"),
         {"'xx' no es un valor entero válido", "HORAHASTA"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        SetUp();  // a fresh working folder for each case
        Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}}});
        Filas("DIASHORAST", {c.tramo});
        Filas("SOLUC", {c.leccion});
        try {
            Horarios();
            ADD_FAILURE() << "sin error";
        } catch (const Error& error) {
            for (const std::string& parte : c.enElMensaje) {
                EXPECT_NE(std::string(error.what()).find(parte), std::string::npos) << error.what();
            }
        }
    }
}

TEST_F(TransformarHorariosTest, UnDiaDeTextoQueNoEsNumeroDetieneElPaso) {
    Filas("PROFT", {{{"ABREV", "AMG"}, {"X_EMPLEADO", "182300"}}});
    CrearTabla(trabajo, "SOLUC",
               {{"PROF", TipoCampo::Texto, 4},
                {"DIA", TipoCampo::Texto, 2},
                {"HORA", TipoCampo::Texto, 2}});
    Tabla soluc = Tabla::Abrir(trabajo, "SOLUC");
    soluc.Anadir();
    soluc.PonerTexto("PROF", "AMG");
    soluc.PonerTexto("DIA", "L");
    soluc.PonerTexto("HORA", "1");
    soluc.Grabar();
    soluc.Cerrar();
    try {
        Horarios();
        ADD_FAILURE() << "sin error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'L' no es un valor entero válido (campo DIA de SOLUC.DBF)");
    }
}

}  // namespace
}  // namespace rt::prueba
