#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "Ayuda.h"
#include "platform/Documento.h"
#include "platform/Error.h"

namespace rt {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribirFichero;
using prueba::LeerFichero;

// Indented as people and tools write it, in the code page the real files declare; "\xF1" is ñ in
// ISO-8859-1, and the euro sign, which that code page lacks, comes as a character reference.
const std::string kIntercambio =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<!-- exportado -->\n"
    "<SERVICIO modulo=\"X\">\n"
    "  <BLOQUE_DATOS>\n"
    "    <grupo_datos seq=\"ANNO_ACADEMICO\">\n"
    "      <dato nombre_dato=\"C_ANNO\">2024</dato>\n"
    "    </grupo_datos>\n"
    "    <grupo_datos seq=\"MATERIAS\">\n"
    "      <grupo_datos>\n"
    "        <dato>Espa\xF1ol &amp; &#8364;</dato>\n"
    "        <dato>   </dato>\n"
    "        <dato><![CDATA[ <crudo> ]]></dato>\n"
    "        <dato>a <b>negrita</b> <i>y</i> fin</dato>\n"
    "      </grupo_datos>\n"
    "    </grupo_datos>\n"
    "  </BLOQUE_DATOS>\n"
    "</SERVICIO>\n"
    "<?tras-la-raiz x?>\n";

class DocumentoTest : public testing::Test {
  protected:
    CarpetaTemporal carpeta;
};

TEST_F(DocumentoTest, LeeElIntercambioSinNodosDeSangrado) {
    EscribirFichero(carpeta / "e.xml", kIntercambio);
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "e.xml")) << doc.UltimoError();
    EXPECT_EQ(doc.UltimoError(), "");

    EXPECT_EQ(doc.PrimerHijo().Nombre(), "#comment");
    EXPECT_EQ(doc.ElementoDocumento().Nombre(), "SERVICIO");
    const NodoXML primero = doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS").PrimerHijo();
    EXPECT_EQ(primero.Nombre(), "grupo_datos");
    EXPECT_EQ(primero.Texto(), "2024");

    const NodoXML registro =
        doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"MATERIAS\"]/grupo_datos");
    ASSERT_TRUE(registro);
    EXPECT_EQ(registro.PrimerHijo().Nombre(), "dato");
    const ListaNodos datos = registro.SeleccionarNodos("dato");
    ASSERT_EQ(datos.Longitud(), 4u);
    EXPECT_EQ(datos.Elemento(0).Texto(), "Espa\xF1ol & \x80");  // Windows-1252 out
    EXPECT_EQ(datos.Elemento(1).Texto(), "   ");                // a blank value is data, not layout
    EXPECT_EQ(datos.Elemento(2).Texto(), " <crudo> ");
    EXPECT_EQ(datos.Elemento(3).Texto(), "a negrita y fin");  // spacing of mixed text kept
    EXPECT_FALSE(datos.Elemento(4));
    EXPECT_EQ(datos.Elemento(4).Texto(), "");
    EXPECT_FALSE(datos.Elemento(4).PrimerHijo());

    EXPECT_EQ(doc.SeleccionarNodos("/SERVICIO/BLOQUE_DATOS/grupo_datos").Longitud(), 2u);
    EXPECT_EQ(doc.SeleccionarNodos("/SERVICIO/NADA").Longitud(), 0u);
    EXPECT_FALSE(doc.SeleccionarNodo("/SERVICIO/NADA"));
    EXPECT_THROW(doc.SeleccionarNodos("/SERVICIO/["), Error);
    EXPECT_THROW(doc.SeleccionarNodos("count(/SERVICIO)"), Error);
}

TEST_F(DocumentoTest, UnArchivoIlegibleDejaElDocumentoVacio) {
    struct Caso {
        const char* nombre;
        const char* contenido;  // nullptr: the file does not exist
    };
    const Caso casos[] = {
        {"falta.xml", nullptr},
        {"vacio.xml", ""},
        {"cortado.xml", "<SERVICIO><BLOQUE_DATOS>"},
        {"texto.xml", "esto no es XML"},
        {"dos-raices.xml", "<a/><b/>"},
        {"entidad-sin-declarar.xml", "<SERVICIO>&nada;</SERVICIO>"},
        {"mal-codificado.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xF1</a>"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        if (c.contenido) EscribirFichero(carpeta / c.nombre, c.contenido);
        EscribirFichero(carpeta / "bueno.xml", kIntercambio);
        Documento doc;
        ASSERT_TRUE(doc.Cargar(carpeta / "bueno.xml"));
        EXPECT_FALSE(doc.Cargar(carpeta / c.nombre));
        EXPECT_NE(doc.UltimoError().find(c.nombre), std::string::npos) << doc.UltimoError();
        EXPECT_FALSE(doc.ElementoDocumento());
        EXPECT_FALSE(doc.PrimerHijo());
        EXPECT_EQ(doc.SeleccionarNodos("/SERVICIO/BLOQUE_DATOS").Longitud(), 0u);
    }
}

std::size_t PicoMemoriaKb() {
    std::ifstream estado("/proc/self/status");
    std::string linea;
    while (std::getline(estado, linea)) {
        if (linea.rfind("VmHWM:", 0) == 0) return std::stoul(linea.substr(6));
    }
    return 0;
}

TEST_F(DocumentoTest, ArchivosHostilesFallanSinLeerNiExpandirNada) {
    const std::string secreto = "CLAVE-SECRETA-7781";
    EscribirFichero(carpeta / "secreto.txt", secreto);
    EscribirFichero(carpeta / "secreto.dtd", "<!ENTITY s \"" + secreto + "\">");
    const std::string url = "file://" + (carpeta / "secreto.txt").string();

    std::string risas = "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n<!ENTITY r0 \"ja\">\n";
    for (int i = 1; i <= 12; ++i) {
        risas += "<!ENTITY r" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) risas += "&r" + std::to_string(i - 1) + ";";
        risas += "\">\n";
    }
    risas +=
        "]>\n<SERVICIO><BLOQUE_DATOS><grupo_datos>&r12;</grupo_datos></BLOQUE_DATOS>"
        "</SERVICIO>\n";

    std::string cuadratico =
        "<!DOCTYPE SERVICIO [<!ENTITY a \"" + std::string(50000, 'a') + "\">]>\n<SERVICIO>";
    for (int i = 0; i < 50000; ++i) cuadratico += "&a;";
    cuadratico += "</SERVICIO>";

    struct Caso {
        const char* nombre;
        std::string contenido;
    };
    const Caso casos[] = {
        {"externa.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [<!ENTITY s SYSTEM \"" + url +
                            "\">]>\n<SERVICIO><BLOQUE_DATOS><grupo_datos>&s;</grupo_datos>"
                            "</BLOQUE_DATOS></SERVICIO>"},
        {"externa-relativa.xml",
         "<!DOCTYPE SERVICIO [<!ENTITY s SYSTEM \"secreto.txt\">]><SERVICIO>&s;</SERVICIO>"},
        {"parametro.xml",
         "<!DOCTYPE SERVICIO [<!ENTITY % p SYSTEM \"secreto.dtd\"> %p;]><SERVICIO>&s;</SERVICIO>"},
        {"sin-analizar.xml",
         "<!DOCTYPE SERVICIO [<!NOTATION n SYSTEM \"n\"><!ENTITY s SYSTEM \"secreto.txt\" NDATA n>"
         "]><SERVICIO/>"},
        {"risas.xml", risas},
        {"cuadratico.xml", cuadratico},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirFichero(carpeta / c.nombre, c.contenido);
        Documento doc;
        const std::size_t pico_antes = PicoMemoriaKb();
        const auto inicio = std::chrono::steady_clock::now();
        const bool cargado = doc.Cargar(carpeta / c.nombre);
        const auto tardanza = std::chrono::steady_clock::now() - inicio;
        EXPECT_FALSE(cargado);
        EXPECT_NE(doc.UltimoError().find("entidades"), std::string::npos) << doc.UltimoError();
        EXPECT_LT(tardanza, std::chrono::seconds(2));
        // 10^12 "ja" if anything expanded; the file itself is well under a megabyte.
        EXPECT_LT(PicoMemoriaKb() - pico_antes, 32u * 1024u);
        EXPECT_FALSE(doc.ElementoDocumento());
        EXPECT_EQ(doc.SeleccionarNodo("/SERVICIO").Texto().find(secreto), std::string::npos);
        EXPECT_EQ(doc.UltimoError().find(secreto), std::string::npos);
    }
}

TEST_F(DocumentoTest, UnDoctypeSinEntidadesSeAceptaYSeConserva) {
    EscribirFichero(carpeta / "d.xml",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE SERVICIO SYSTEM "
                    "\"http://127.0.0.1:9/no.dtd\">\n<SERVICIO><dato>x</dato></SERVICIO>\n");
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "d.xml")) << doc.UltimoError();
    EXPECT_EQ(doc.SeleccionarNodo("/SERVICIO/dato").Texto(), "x");
    doc.Guardar(carpeta / "d2.xml");
    EXPECT_EQ(LeerFichero(carpeta / "d2.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE SERVICIO SYSTEM "
              "\"http://127.0.0.1:9/no.dtd\">\n<SERVICIO><dato>x</dato></SERVICIO>\n");
}

// The export's use: keep what lies outside the old root, build a new root, save beside the input.
TEST_F(DocumentoTest, GuardaConLaDeclaracionYLosNodosDeFuera) {
    EscribirFichero(carpeta / "e.xml", kIntercambio);
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "e.xml"));
    const std::string anno = doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS").PrimerHijo().Texto();
    doc.QuitarHijo(doc.ElementoDocumento());
    EXPECT_FALSE(doc.ElementoDocumento());

    NodoXML servicio = doc.CrearElemento("SERVICIO");
    servicio.PonerAtributo("modulo", "HORARIOS");
    servicio.PonerAtributo("tipo", "X");
    servicio.PonerAtributo("autor", "HORARIOS");
    servicio.PonerAtributo("fecha", "01/02/2025 10:11:12");
    servicio.PonerAtributo("tipo", "I");  // replaced in place
    doc.AnadirHijo(servicio);
    NodoXML bloque_datos = doc.CrearElemento("BLOQUE_DATOS");
    servicio.AnadirHijo(bloque_datos);
    NodoXML grupo = doc.CrearElemento("grupo_datos");
    grupo.PonerAtributo("seq", "ANNO_ACADEMICO");
    NodoXML dato = doc.CrearElemento("dato");
    dato.PonerAtributo("nombre_dato", "C_ANNO");
    dato.PonerTexto(anno);
    grupo.AnadirHijo(dato);
    bloque_datos.AnadirHijo(grupo);
    NodoXML otro = doc.CrearElemento("dato");
    otro.PonerAtributo("nombre_dato", "\"<&>\"");
    otro.PonerTexto("Espa\xF1ol \x80 \x93x\x94 <&> ]]> a\x01z");
    grupo.AnadirHijo(otro);
    NodoXML vacio = doc.CrearElemento("dato");
    vacio.PonerTexto("");
    grupo.AnadirHijo(vacio);

    const auto salida = carpeta / "ResultadoVestroe.xml";
    EscribirFichero(salida, std::string(10000, 'z'));  // an older, longer output is replaced
    doc.Guardar(salida);
    EXPECT_EQ(LeerFichero(salida),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
              "<!-- exportado -->\n"
              "<?tras-la-raiz x?>\n"
              "<SERVICIO modulo=\"HORARIOS\" tipo=\"I\" autor=\"HORARIOS\" "
              "fecha=\"01/02/2025 10:11:12\"><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\">"
              "<dato nombre_dato=\"C_ANNO\">2024</dato>"
              "<dato nombre_dato=\"&quot;&lt;&amp;&gt;&quot;\">Espa\xF1ol &#8364; &#8220;x&#8221; "
              "&lt;&amp;&gt; ]]&gt; a?z</dato><dato/></grupo_datos></BLOQUE_DATOS></SERVICIO>\n");
    EXPECT_FALSE(std::filesystem::exists(carpeta / "ResultadoVestroe.xml.guardando"));

    Documento relectura;
    ASSERT_TRUE(relectura.Cargar(salida)) << relectura.UltimoError();
    EXPECT_EQ(relectura.SeleccionarNodos("//dato").Elemento(1).Texto(),
              "Espa\xF1ol \x80 \x93x\x94 <&> ]]> a?z");
}

TEST_F(DocumentoTest, DocumentoNuevoSeGuardaEnUtf8) {
    Documento doc;
    EXPECT_FALSE(doc.ElementoDocumento());
    NodoXML raiz = doc.CrearElemento("SERVICIO");
    doc.AnadirHijo(raiz);
    raiz.PonerTexto("\x80\xF1");
    EXPECT_EQ(raiz.Texto(), "\x80\xF1");
    EXPECT_EQ(doc.SeleccionarNodo("/SERVICIO").Texto(), "\x80\xF1");
    raiz.PonerTexto("otro");  // replaces, does not add
    EXPECT_EQ(raiz.Texto(), "otro");
    raiz.PonerTexto("\x80\xF1");
    doc.Guardar(carpeta / "n.xml");
    EXPECT_EQ(LeerFichero(carpeta / "n.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO>€ñ</SERVICIO>\n");
}

TEST_F(DocumentoTest, UsosIndebidosSonErroresClaros) {
    Documento doc;
    Documento otro;
    NodoXML raiz = doc.CrearElemento("SERVICIO");
    doc.AnadirHijo(raiz);
    NodoXML hijo = doc.CrearElemento("BLOQUE_DATOS");
    raiz.AnadirHijo(hijo);

    EXPECT_THROW(doc.CrearElemento(""), Error);
    EXPECT_THROW(doc.CrearElemento("dos palabras"), Error);
    EXPECT_THROW(doc.CrearElemento("<x>"), Error);
    EXPECT_THROW(raiz.PonerAtributo("1mal", "v"), Error);
    EXPECT_THROW(doc.AnadirHijo(doc.CrearElemento("SEGUNDA")), Error);  // one root only
    EXPECT_THROW(hijo.AnadirHijo(raiz), Error);                         // a cycle
    EXPECT_THROW(raiz.AnadirHijo(raiz), Error);
    EXPECT_THROW(raiz.AnadirHijo(otro.CrearElemento("ajeno")), Error);
    EXPECT_THROW(raiz.AnadirHijo(NodoXML()), Error);
    EXPECT_THROW(doc.QuitarHijo(hijo), Error);  // not at document level
    EXPECT_THROW(NodoXML().PonerTexto("x"), Error);

    try {
        doc.Guardar(carpeta / "no-existe" / "salida.xml");
        FAIL() << "no lanzó";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("salida.xml"), std::string::npos) << e.what();
    }
}

// Run under the leak checker: what leaves the tree or never enters it is still freed.
TEST_F(DocumentoTest, NodosFueraDelArbolNoSePierden) {
    EscribirFichero(carpeta / "e.xml", kIntercambio);
    Documento doc;
    ASSERT_TRUE(doc.Cargar(carpeta / "e.xml"));
    NodoXML suelto = doc.CrearElemento("suelto");
    suelto.AnadirHijo(doc.CrearElemento("nieto"));
    doc.CrearElemento("olvidado").PonerAtributo("a", "b");
    NodoXML vieja = doc.ElementoDocumento();
    doc.QuitarHijo(vieja);
    EXPECT_EQ(vieja.SeleccionarNodo("BLOQUE_DATOS").PrimerHijo().Texto(), "2024");  // still alive
    NodoXML dato = doc.CrearElemento("dato");
    NodoXML dentro = doc.CrearElemento("dentro");
    dato.AnadirHijo(dentro);
    dato.PonerTexto("reemplaza");
    EXPECT_EQ(dentro.Nombre(), "dentro");
    // A node moved out of a removed tree into the new one.
    NodoXML nueva = doc.CrearElemento("SERVICIO");
    nueva.AnadirHijo(vieja.SeleccionarNodo("BLOQUE_DATOS"));
    doc.AnadirHijo(nueva);
    EXPECT_EQ(doc.SeleccionarNodos("/SERVICIO/BLOQUE_DATOS/grupo_datos").Longitud(), 2u);
    EXPECT_FALSE(vieja.SeleccionarNodo("BLOQUE_DATOS"));
    ASSERT_TRUE(doc.Cargar(carpeta / "e.xml"));  // a reload releases all of it
}

}  // namespace
}  // namespace rt
