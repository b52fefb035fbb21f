#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "EscenarioExportacion.h"
#include "LecturaHorarios.h"
#include "export/Exportacion.h"
#include "platform/Mensajes.h"

namespace rt::prueba {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFecha = "07/09/26 09:05:03";

class ExportacionTest : public EscenarioExportacion {
  protected:
    void Exportar() {
        EjecutarExportacion(estado, persona, [] { return std::string(kFecha); });
    }

    // The output read back: the seq of every block under BLOQUE_DATOS, and the year.
    struct Salida {
        std::vector<std::string> bloques;
        std::string anno;
    };
    static Salida LeerSalida(const fs::path& fichero) {
        Documento doc;
        EXPECT_TRUE(doc.Cargar(fichero)) << doc.UltimoError();
        Salida salida;
        const BloqueLeido bloqueDatos =
            LeerBloqueXML(doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS"));
        for (const BloqueLeido& b : bloqueDatos.hijos) salida.bloques.push_back(b.seq);
        if (!bloqueDatos.hijos.empty()) salida.anno = bloqueDatos.hijos[0].Dato("C_ANNO");
        return salida;
    }

    std::set<std::string> FicherosJuntoAlElegido() const {
        std::set<std::string> nombres;
        for (const auto& entrada : fs::directory_iterator(carpeta.Ruta())) {
            if (entrada.path() != trabajo) nombres.insert(entrada.path().filename().string());
        }
        return nombres;
    }

    void EsperarCursorYTablasEnReposo() {
        EXPECT_FALSE(persona.cursorOcupado);
        EsperarTablasCerradas(trabajo);
    }
};

// The whole output of a small school: the declaration, a comment and a processing instruction of
// the input around the new root, the header, the year and the timetables, with no whitespace.
TEST_F(ExportacionTest, SalidaComoElFicheroDeReferencia) {
    Filas("PROFT", {{{"ABREV", "MGM"}, {"X_EMPLEADO", "182300"}, {"F_TOMAPOS", "01/09/2005"}},
                    {{"ABREV", "JVM"}, {"X_EMPLEADO", "182317"}, {"F_TOMAPOS", "01/09/2006"}}});
    Filas("GRUPOST", {{{"ABREV", "1ºEA"}, {"CLAVE", "41001"}, {"CLAVECURSO", "5961"}}});
    Filas("ASIGT",
          {{{"CASIG", "LCL"}, {"CGRUP", "1ºEA"}, {"CLAVE", "300107"}, {"CLAVECURSO", "5961"}}});
    Filas("DIASHORAST", {{{"DIHO", "11"},
                          {"CODDIHO", "7701"},
                          {"DIA", "1"},
                          {"HORA", "1"},
                          {"HORADESDE", "08:00"},
                          {"HORAHASTA", "09:00"}}});
    Filas("SOLUC", {{{"PROF", "MGM"},
                     {"DIA", "1"},
                     {"HORA", "1"},
                     {"ASIG", "LCL"},
                     {"CODGRUPO", "1ºEA"},
                     {"AULA", "TALLER-Ñ"}}});
    const fs::path entrada = carpeta / "datos.xml";
    const std::string textoEntrada =
        LeerFichero(fs::path(RT_DIR_DATOS_PRUEBA) / "exportacion-entrada.xml");
    EscribirFichero(entrada, textoEntrada);
    persona.fichero = entrada;

    Exportar();

    EXPECT_EQ(LeerFichero(carpeta / "ResultadoVestrodatos.xml"),
              LeerFichero(fs::path(RT_DIR_DATOS_PRUEBA) / "exportacion-salida.xml"));
    EXPECT_EQ(LeerFichero(entrada), textoEntrada);
    EXPECT_EQ(estado.FicheroXML, entrada);
    EXPECT_EQ(estado.ValorTransformado, 1);
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kProcesoFinalizado});
    EXPECT_EQ(persona.vecesCursorOcupado, 1);
    EXPECT_FALSE(persona.ventanaCerrada);
    EsperarCursorYTablasEnReposo();
}

TEST_F(ExportacionTest, ElAnnoSonLosCuatroPrimerosCaracteresDelPrimerBloque) {
    struct Caso {
        std::string seq;
        Registros registros;
        std::string anno;
    };
    const Caso casos[] = {
        {"ANNO_ACADEMICO", {{"2026"}}, "2026"},
        {"ANNO_ACADEMICO", {{"2026-2027"}}, "2026"},
        {"ANNO_ACADEMICO", {{"26"}}, "26"},
        {"ANNO_ACADEMICO", {{""}}, ""},
        // Whatever the first block is: its joined text.
        {"CURSOS_DEL_CENTRO", {{"A1", "1º ESO"}, {"B2", "2º ESO"}}, "A11º"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.seq + " " + c.anno);
        persona.fichero = FicheroIntercambio()
                              .Bloque(c.seq, c.registros)
                              .Bloque("EMPLEADOS", {{"182300", "01/09/2005"}})
                              .Escribir(carpeta / "datos.xml");
        Exportar();
        const Salida salida = LeerSalida(carpeta / "ResultadoVestrodatos.xml");
        EXPECT_EQ(salida.bloques,
                  (std::vector<std::string>{"ANNO_ACADEMICO", "HORARIOS_REGULARES"}));
        EXPECT_EQ(salida.anno, c.anno);
    }
}

TEST_F(ExportacionTest, UnaSegundaExportacionReemplazaLaSalidaYSePuedeExportarLaSalida) {
    Elegir();
    EscribirFichero(carpeta / "ResultadoVestrodatos.xml", "de una exportación anterior");
    Exportar();
    EXPECT_EQ(LeerSalida(carpeta / "ResultadoVestrodatos.xml").anno, "2026");

    // The dialog cancelled: the file of the run before.
    persona.fichero.reset();
    Exportar();
    EXPECT_EQ(estado.FicheroXML, carpeta / "datos.xml");

    persona.fichero = carpeta / "ResultadoVestrodatos.xml";
    Exportar();
    EXPECT_EQ(LeerSalida(carpeta / "ResultadoVestroResultadoVestrodatos.xml").anno, "2026");
    EXPECT_EQ(FicherosJuntoAlElegido(),
              (std::set<std::string>{"datos.xml", "ResultadoVestrodatos.xml",
                                     "ResultadoVestroResultadoVestrodatos.xml"}));
}

TEST_F(ExportacionTest, SinFicheroNoSeHaceNada) {
    struct Caso {
        const char* que;
        std::optional<fs::path> elegido;
        int modo;
        int valor;
        bool cerrada;
    };
    const Caso casos[] = {
        {"cancelado la primera vez", std::nullopt, 0, 0, false},
        {"fichero que no existe", carpeta / "no-existe.xml", 0, 0, false},
        {"una carpeta", trabajo, 0, 0, false},
        {"cancelado, incrustado", std::nullopt, 2, -1, true},
        {"fichero que no existe, incrustado", carpeta / "no-existe.xml", 2, -1, true},
    };
    // No table is needed to say that the file is missing.
    fs::remove(RutaTabla(trabajo, "SOLUC"));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        estado = EstadoPrincipal();
        estado.CarpetaTrabajo = trabajo;
        estado.ModoIncrustado = c.modo;
        persona = InterlocutorGuion();
        persona.fichero = c.elegido;
        Exportar();
        EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kNoExisteArchivo});
        EXPECT_EQ(estado.ValorTransformado, c.valor);
        EXPECT_EQ(persona.ventanaCerrada, c.cerrada);
        EXPECT_EQ(persona.vecesCursorOcupado, 0);
        EXPECT_EQ(FicherosJuntoAlElegido(), std::set<std::string>{});
    }
}

TEST_F(ExportacionTest, SinPeriodosAvisaYNoEscribe) {
    for (int modo : {0, 2}) {
        SCOPED_TRACE(modo);
        BorrarTabla(trabajo, "PERIODOS");
        estado.ModoIncrustado = modo;
        persona = InterlocutorGuion();
        Elegir();
        Exportar();
        EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kPeriodosNoEncontrado});
        EXPECT_EQ(estado.ValorTransformado, 0);
        EXPECT_FALSE(persona.ventanaCerrada);
        EXPECT_EQ(persona.vecesCursorOcupado, 1);
        EXPECT_EQ(FicherosJuntoAlElegido(), std::set<std::string>{"datos.xml"});
        EsperarCursorYTablasEnReposo();
    }
}

TEST_F(ExportacionTest, PeriodosSinFilasDaFechasVacias) {
    CrearTabla(trabajo, "PERIODOS", DisenosImportacion().at("PERIODOS"));
    Filas("PROFT", {{{"ABREV", "MGM"}, {"X_EMPLEADO", "182300"}}});
    Filas("SOLUC", {{{"PROF", "MGM"}, {"DIA", "1"}, {"HORA", "1"}}});
    Elegir();
    Exportar();
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "ResultadoVestrodatos.xml"));
    const BloqueLeido horarios =
        LeerBloqueXML(doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS/grupo_datos[2]"));
    const BloqueLeido& leccion = horarios.hijos.at(0).hijos.at(0);
    EXPECT_EQ(leccion.Dato("F_INICIO"), "");
    EXPECT_EQ(leccion.Dato("F_FIN"), "");
}

// Whatever stops the run after the cursor went busy: an error for the front end, nothing
// written (an earlier output kept whole), every table closed, the cursor back, the result code
// and a hosted window as they were.
TEST_F(ExportacionTest, UnFalloNoDejaSalidaNiTablasAbiertas) {
    struct Caso {
        const char* que;
        std::string entrada;             // the chosen file's text; empty: a sound one
        std::function<void()> preparar;  // spoils the tables
        std::string enElMensaje;
    };
    const std::string ruta = (carpeta / "datos.xml").string();
    std::optional<Tabla> enUso;
    const Caso casos[] = {
        {"no es XML", "esto no es XML", {}, ruta},
        {"XML cortado", "<?xml version=\"1.0\"?><SERVICIO><BLOQUE_DATOS>", {}, ruta},
        {"otra raíz",
         "<OTRO><BLOQUE_DATOS><a>2026</a></BLOQUE_DATOS></OTRO>",
         {},
         "/SERVICIO/BLOQUE_DATOS"},
        {"sin BLOQUE_DATOS", "<SERVICIO><OTRO/></SERVICIO>", {}, "/SERVICIO/BLOQUE_DATOS"},
        {"BLOQUE_DATOS vacío",
         "<SERVICIO><BLOQUE_DATOS>\n  \n</BLOQUE_DATOS></SERVICIO>",
         {},
         "vacío"},
        {"falta una tabla", "", [&] { BorrarTabla(trabajo, "AULAT"); }, "AULAT"},
        {"tabla en uso", "", [&] { enUso.emplace(Tabla::Abrir(trabajo, "ASIGT")); }, "ASIGT"},
        {"hora del tramo que no es un número", "",
         [&] {
             Filas("PROFT", {{{"ABREV", "MGM"}, {"X_EMPLEADO", "182300"}}});
             Filas("DIASHORAST", {{{"DIHO", "11"}, {"HORADESDE", "8h:00"}}});
             Filas("SOLUC", {{{"PROF", "MGM"}, {"DIA", "1"}, {"HORA", "1"}}});
         },
         "no es un valor entero válido"},
        {"la salida no se puede reemplazar", "",
         [&] {
             fs::remove(carpeta / "ResultadoVestrodatos.xml");
             fs::create_directories(carpeta / "ResultadoVestrodatos.xml" / "dentro");
         },
         "ResultadoVestrodatos.xml"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        SetUp();
        fs::remove_all(carpeta / "ResultadoVestrodatos.xml");
        EscribirFichero(carpeta / "ResultadoVestrodatos.xml", "anterior");
        estado.ModoIncrustado = 2;
        persona = InterlocutorGuion();
        Elegir();
        if (!c.entrada.empty()) {
            EscribirFichero(carpeta / "datos.xml", c.entrada);
            BorrarTabla(trabajo, "PERIODOS");  // the file is judged before PERIODOS is sought
        }
        if (c.preparar) c.preparar();
        try {
            Exportar();
            ADD_FAILURE() << "sin error";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(c.enElMensaje), std::string::npos)
                << error.what();
        }
        enUso.reset();
        EXPECT_TRUE(persona.mensajes.empty());
        EXPECT_EQ(estado.ValorTransformado, 0);
        EXPECT_FALSE(persona.ventanaCerrada);
        if (fs::is_regular_file(carpeta / "ResultadoVestrodatos.xml")) {
            EXPECT_EQ(LeerFichero(carpeta / "ResultadoVestrodatos.xml"), "anterior");
        }
        EXPECT_EQ(FicherosJuntoAlElegido(),
                  (std::set<std::string>{"datos.xml", "ResultadoVestrodatos.xml"}));
        EsperarCursorYTablasEnReposo();
    }
}

}  // namespace
}  // namespace rt::prueba
