#include "InterlocutorGuion.h"
#include "PasoImportacion.h"
#include "import/Importacion.h"
#include "import/Plantihoras.h"
#include "platform/Error.h"
#include "platform/Mensajes.h"

namespace rt::prueba {
namespace {

const std::filesystem::path kEjemplo = std::filesystem::path(RT_DIR_DATOS) / "ejemplo-racima.xml";

class ImportacionTest : public PasoImportacion {
  protected:
    void SetUp() override {
        PasoImportacion::SetUp();
        GenerarTablaNiveles(std::filesystem::path(RT_DIR_DATOS) / "NIVELLARI.txt",
                            programa / "NIVELLARI.DBF");
        estado.CarpetaTrabajo = trabajo;
        estado.CarpetaPrograma = programa;
        persona.plantilla = "101";
    }
    // A table left from an earlier import, to show whether the run touched the folder.
    void TablaAnterior() { EscribirFichero(trabajo / "PROFT.DBF", "anterior"); }
    bool TablaAnteriorIntacta() { return LeerFichero(trabajo / "PROFT.DBF") == "anterior"; }

    EstadoPrincipal estado;
    InterlocutorGuion persona;
};

TEST_F(ImportacionTest, UnaImportacionCompletaReconstruyeLasDiezTablas) {
    persona.fichero = kEjemplo;
    EjecutarImportacion(estado, persona);
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kProcesoFinalizado});
    EXPECT_EQ(estado.ValorTransformado, 1);
    EXPECT_EQ(persona.vecesCursorOcupado, 1);
    EXPECT_FALSE(persona.cursorOcupado);
    EXPECT_FALSE(persona.ventanaCerrada);
    EXPECT_EQ(persona.plantillasPedidas, std::vector<std::filesystem::path>{kEjemplo});
    EXPECT_EQ(estado.JornadaElegida, "101");
    ASSERT_TRUE(estado.DocumentoXML);
    for (const std::string& tabla : TablasImportacion()) {
        EXPECT_TRUE(std::filesystem::exists(trabajo / (tabla + ".DBF"))) << tabla;
    }
    EXPECT_EQ(LeerColumna(trabajo, "PROFT", "ABREV").size(), 30u);
    EXPECT_EQ(LeerColumna(trabajo, "DIASHORAST", "DIHO").size(), 49u);

    // A second run with the dialog cancelled uses the same file, and starts afresh: the same
    // codes, not codes numbered past those of the first run.
    const std::vector<std::string> codigos = LeerColumna(trabajo, "ASIGNOMT", "COD");
    persona.fichero.reset();
    EjecutarImportacion(estado, persona);
    EXPECT_EQ(persona.mensajes.size(), 2u);
    EXPECT_EQ(LeerColumna(trabajo, "ASIGNOMT", "COD"), codigos);
    EXPECT_EQ(LeerColumna(trabajo, "PROFT", "ABREV").size(), 30u);
}

TEST_F(ImportacionTest, EnModoIncrustadoTerminaCerrandoLaVentana) {
    estado.ModoIncrustado = 2;
    persona.fichero = kEjemplo;
    EjecutarImportacion(estado, persona);
    EXPECT_EQ(estado.ValorTransformado, 1);
    EXPECT_TRUE(persona.ventanaCerrada);
}

TEST_F(ImportacionTest, SinFicheroNoExisteArchivo) {
    TablaAnterior();
    for (int modo : {0, 2}) {
        InterlocutorGuion p;
        estado.ModoIncrustado = modo;
        p.fichero = carpeta / "no-esta.xml";
        EjecutarImportacion(estado, p);
        EXPECT_EQ(p.mensajes, std::vector<std::string>{mensajes::kNoExisteArchivo});
        EXPECT_EQ(estado.ValorTransformado, modo == 2 ? -1 : 0);
        EXPECT_EQ(p.ventanaCerrada, modo == 2);
        EXPECT_EQ(p.vecesCursorOcupado, 0);
    }
    EXPECT_EQ(estado.FicheroXML, carpeta / "no-esta.xml");
    EXPECT_TRUE(TablaAnteriorIntacta());

    // Cancelled at the first run: no file was ever chosen.
    EstadoPrincipal nuevo;
    InterlocutorGuion p;
    EjecutarImportacion(nuevo, p);
    EXPECT_EQ(p.mensajes, std::vector<std::string>{mensajes::kNoExisteArchivo});
}

TEST_F(ImportacionTest, SinTablaDeNivelesNoSeTocaNada) {
    std::filesystem::remove(programa / "NIVELLARI.DBF");
    TablaAnterior();
    estado.ModoIncrustado = 2;
    persona.fichero = kEjemplo;
    EjecutarImportacion(estado, persona);
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kNivellariNoEncontrado});
    EXPECT_EQ(estado.ValorTransformado, 0);
    EXPECT_FALSE(persona.ventanaCerrada);
    EXPECT_TRUE(TablaAnteriorIntacta());
}

// A file that is not an exchange file would rebuild every table empty and report success; it is
// refused before any table is touched.
TEST_F(ImportacionTest, UnFicheroQueNoEsDeIntercambioSeRechazaSinTocarLasTablas) {
    TablaAnterior();
    EscribirFichero(carpeta / "roto.xml", "<SERVICIO><BLOQUE_DATOS>");
    EscribirFichero(carpeta / "otro.xml", "<?xml version=\"1.0\"?><OTRA_COSA/>");
    for (const char* nombre : {"roto.xml", "otro.xml"}) {
        persona.fichero = carpeta / nombre;
        EXPECT_THROW(EjecutarImportacion(estado, persona), Error) << nombre;
        EXPECT_TRUE(persona.mensajes.empty());
        EXPECT_EQ(estado.ValorTransformado, 0);
        EXPECT_EQ(persona.vecesCursorOcupado, 0);
    }
    EXPECT_TRUE(TablaAnteriorIntacta());
}

TEST_F(ImportacionTest, UnErrorEnUnPasoDevuelveElCursorYNoTermina) {
    FicheroIntercambio()
        .Bloque("CURSOS_DEL_CENTRO", {{"uno", "1º"}})
        .Escribir(carpeta / "malo.xml");
    persona.fichero = carpeta / "malo.xml";
    EXPECT_THROW(EjecutarImportacion(estado, persona), ErrorConversion);
    EXPECT_FALSE(persona.cursorOcupado);
    EXPECT_EQ(persona.vecesCursorOcupado, 1);
    EXPECT_TRUE(persona.mensajes.empty());
    EXPECT_EQ(estado.ValorTransformado, 0);
    // The tables are closed: the next run can open them.
    persona.fichero = kEjemplo;
    EjecutarImportacion(estado, persona);
    EXPECT_EQ(estado.ValorTransformado, 1);
}

class LogicaPlantillasTest : public ::testing::Test {
  protected:
    std::filesystem::path Escribir(const FicheroIntercambio& f) {
        return f.Escribir(carpeta / "plantillas.xml");
    }
    CarpetaTemporal carpeta;
};

TEST_F(LogicaPlantillasTest, MuestraLaJornadaDeLaCajaYSusTramos) {
    const LogicaPlantillas plantillas(
        Escribir(FicheroIntercambio()
                     .Bloque("JORNADAS_ESCOLARES", {{"A", "Mañana", "01/09", "30/06"},
                                                    {" B ", "Tarde", "02/09", "29/06"},
                                                    {"C", "Sin tramos"}})
                     .Bloque("TRAMOS_HORARIOS", {{"1", "Primera", "480", "535", "A"},
                                                 {"2", "Tarde 1", "960", "1015", " B "},
                                                 {"3", "Segunda", "540", "595", "A"},
                                                 {"4", "Tarde 2", "1020", "1075", "B"}})));
    EXPECT_EQ(plantillas.Codigos(), (std::vector<std::string>{"A", " B ", "C"}));

    const auto a = plantillas.Mostrar("A");
    EXPECT_EQ(a.nombre,
              "Ma\xF1"
              "ana");
    EXPECT_EQ(a.fechaInicio, "01/09");
    EXPECT_EQ(a.fechaFin, "30/06");
    EXPECT_EQ(a.tramos, (std::vector<std::string>{"Primera", "Segunda"}));
    EXPECT_TRUE(a.tramosActualizados);

    EXPECT_EQ(plantillas.Mostrar(" B ").tramos, std::vector<std::string>{"Tarde 1"});
    EXPECT_EQ(plantillas.Mostrar("C").tramos, std::vector<std::string>{});
    EXPECT_EQ(plantillas.Mostrar("C").fechaInicio, "");

    const auto desconocida = plantillas.Mostrar("Z");
    EXPECT_EQ(desconocida.nombre, "-");
    EXPECT_EQ(desconocida.fechaFin, "-");
    EXPECT_TRUE(desconocida.tramos.empty());

    EXPECT_EQ(LogicaPlantillas::Elegida(" \t B \r\n"), "B");
    EXPECT_EQ(LogicaPlantillas::Elegida("   "), "");
}

TEST_F(LogicaPlantillasTest, ConUnSoloTramoLaListaNoSeActualiza) {
    const LogicaPlantillas plantillas(
        Escribir(FicheroIntercambio()
                     .Bloque("JORNADAS_ESCOLARES", {{"A"}, {"B"}})
                     .Bloque("TRAMOS_HORARIOS", {{"1", "Primera", "480", "535", "A"}})));
    EXPECT_FALSE(plantillas.Mostrar("A").tramosActualizados);
}

TEST_F(LogicaPlantillasTest, UnFicheroIlegibleNoOfreceJornadas) {
    EscribirFichero(carpeta / "roto.xml", "no es xml");
    const LogicaPlantillas plantillas(carpeta / "roto.xml");
    EXPECT_TRUE(plantillas.Codigos().empty());
    EXPECT_EQ(plantillas.Mostrar("").nombre, "-");
}

}  // namespace
}  // namespace rt::prueba
