// The table engine as the runs use it: writing, walking, lookups, the file layout and its errors.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "Ayuda.h"
#include "platform/Error.h"
#include "platform/Tabla.h"

namespace rt {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribirFichero;
using prueba::LeerFichero;

const std::vector<DefCampo> kCampos = {
    {"NOMBRE", TipoCampo::Texto, 5},
    {"ACTIVO", TipoCampo::Logico, 0},
    {"CUENTA", TipoCampo::Entero, 0},
    {"HORAS", TipoCampo::Flotante, 0},
};

int Byte(const std::string& d, std::size_t pos) { return static_cast<unsigned char>(d.at(pos)); }

std::uint32_t Le32(const std::string& d, std::size_t pos) {
    return static_cast<std::uint32_t>(Byte(d, pos) | Byte(d, pos + 1) << 8 |
                                      Byte(d, pos + 2) << 16 | Byte(d, pos + 3) << 24);
}

// Expects fn to throw rt::Error whose message holds every one of the texts.
template <typename Fn>
void EsperarError(Fn fn, std::initializer_list<std::string_view> textos) {
    try {
        fn();
        ADD_FAILURE() << "no se lanzó ningún error";
    } catch (const Error& e) {
        for (auto t : textos)
            EXPECT_NE(std::string(e.what()).find(t), std::string::npos) << e.what();
    }
}

TEST(Tabla, GuardaYLeeCadaClaseDeCampo) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "PRUEBA", kCampos);
    {
        Tabla t = Tabla::Abrir(dir.Ruta(), "PRUEBA");
        EXPECT_EQ(t.NumeroFilas(), 0u);
        EXPECT_TRUE(t.Fin());
        t.Anadir();
        t.PonerTexto("NOMBRE",
                     "Pe\xF1"
                     "alba");  // cut to the width
        t.PonerLogico("ACTIVO", true);
        t.PonerEntero("CUENTA", -2147483647 - 1);
        t.PonerFlotante("HORAS", 4);
        t.Grabar();
        t.Anadir();
        t.PonerTexto("nombre", " a ");  // field names are found whatever their case
        t.PonerTexto("CUENTA", "  42");
        t.PonerFlotante("HORAS", -2.5);
        t.Grabar();
        t.Anadir();  // nothing set: every field reads as empty
        t.Grabar();
        t.Cerrar();
        EXPECT_FALSE(t.Abierta());
        t.Cerrar();  // idempotent
    }
    Tabla t = Tabla::Abrir(dir.Ruta(), "PRUEBA");
    ASSERT_EQ(t.NumeroFilas(), 3u);
    EXPECT_EQ(t.LeerTexto("NOMBRE"),
              "Pe\xF1"
              "al");
    EXPECT_EQ(t.LeerTexto("ACTIVO"), "T");
    EXPECT_EQ(t.LeerEntero("CUENTA"), -2147483647 - 1);
    EXPECT_EQ(t.LeerTexto("HORAS"), "4");
    EXPECT_DOUBLE_EQ(t.LeerFlotante("HORAS"), 4.0);
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("NOMBRE"), " a");  // leading blanks kept, trailing ones dropped
    EXPECT_EQ(t.LeerTexto("CUENTA"), "42");
    EXPECT_EQ(t.LeerTexto("HORAS"), "-2.5");
    t.Siguiente();
    for (const char* campo : {"NOMBRE", "ACTIVO", "CUENTA", "HORAS"})
        EXPECT_EQ(t.LeerTexto(campo), "");
    EXPECT_EQ(t.LeerEntero("CUENTA"), 0);
    t.Siguiente();
    EXPECT_TRUE(t.Fin());
}

TEST(Tabla, FicheroDBaseIVByteAByte) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "NIVEL4",
               {{"OFERTAMATRI", TipoCampo::Texto, 3},
                {"ACTIVO", TipoCampo::Logico, 0},
                {"CUENTA", TipoCampo::Entero, 0},
                {"HORAS", TipoCampo::Flotante, 0}});
    Tabla t = Tabla::Abrir(dir.Ruta(), "NIVEL4");
    t.Anadir();
    t.PonerTexto("OFERTAMATRI", "ab");
    t.PonerEntero("CUENTA", 12);
    t.PonerFlotante("HORAS", 1.25);
    t.Grabar();
    t.Cerrar();

    const std::string d = LeerFichero(dir / "NIVEL4.DBF");
    const std::size_t cabecera = 32 + 4 * 32 + 1;
    const std::size_t registro = 1 + 3 + 1 + 11 + 20;
    ASSERT_EQ(d.size(), cabecera + registro + 1);
    EXPECT_EQ(Byte(d, 0), 0x03);
    EXPECT_GE(Byte(d, 1), 100);  // years since 1900
    EXPECT_TRUE(Byte(d, 2) >= 1 && Byte(d, 2) <= 12 && Byte(d, 3) >= 1 && Byte(d, 3) <= 31);
    EXPECT_EQ(Le32(d, 4), 1u);
    EXPECT_EQ(Byte(d, 8) | Byte(d, 9) << 8, static_cast<int>(cabecera));
    EXPECT_EQ(Byte(d, 10) | Byte(d, 11) << 8, static_cast<int>(registro));
    EXPECT_EQ(Byte(d, 28), 0);  // no production index
    EXPECT_EQ(Byte(d, 29), 0x57);
    // An eleven-character name fills its slot with no terminator.
    EXPECT_EQ(d.substr(32, 12), "OFERTAMATRIC");
    struct Descriptor {
        std::size_t pos;
        char tipo;
        int ancho, decimales;
    };
    for (auto [pos, tipo, ancho, decimales] :
         {Descriptor{32, 'C', 3, 0}, {64, 'L', 1, 0}, {96, 'N', 11, 0}, {128, 'N', 20, 4}}) {
        EXPECT_EQ(d[pos + 11], tipo) << pos;
        EXPECT_EQ(Byte(d, pos + 16), ancho) << pos;
        EXPECT_EQ(Byte(d, pos + 17), decimales) << pos;
    }
    EXPECT_EQ(d.substr(64, 11), std::string("ACTIVO\0\0\0\0\0", 11));
    EXPECT_EQ(Byte(d, cabecera - 1), 0x0D);
    EXPECT_EQ(d.substr(cabecera, registro),
              std::string(" ab  ") + "         12" + "              1.2500");
    EXPECT_EQ(Byte(d, d.size() - 1), 0x1A);
}

TEST(Tabla, NombreLargoLlevaAlFormatoDBase7) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "NIVEL7",
               {{"X_OFERTAMATRIG", TipoCampo::Entero, 0},
                {"NIVEL_ABREV", TipoCampo::Texto, 5},
                {"PESO", TipoCampo::Flotante, 0}});
    {
        Tabla t = Tabla::Abrir(dir.Ruta(), "NIVEL7");
        for (std::int32_t v : {1, -1, 2147483647}) {
            t.Anadir();
            t.PonerEntero("X_OFERTAMATRIG", v);
            t.PonerTexto("NIVEL_ABREV", "ESO");
            t.PonerFlotante("PESO", 0.5);
            t.Grabar();
        }
        t.Anadir();
        t.Grabar();
        t.Cerrar();
    }
    const std::string d = LeerFichero(dir / "NIVEL7.DBF");
    const std::size_t cabecera = 68 + 3 * 48 + 1;
    const std::size_t registro = 1 + 4 + 5 + 20;
    ASSERT_EQ(d.size(), cabecera + 4 * registro + 1);
    EXPECT_EQ(Byte(d, 0), 0x04);
    EXPECT_EQ(Le32(d, 4), 4u);
    EXPECT_EQ(Byte(d, 8) | Byte(d, 9) << 8, static_cast<int>(cabecera));
    EXPECT_EQ(Byte(d, 10) | Byte(d, 11) << 8, static_cast<int>(registro));
    EXPECT_EQ(Byte(d, 29), 0x57);
    EXPECT_EQ(d.substr(68, 32), "X_OFERTAMATRIG" + std::string(18, '\0'));
    EXPECT_EQ(d[68 + 32], 'I');
    EXPECT_EQ(Byte(d, 68 + 33), 4);
    EXPECT_EQ(d[116 + 32], 'C');
    EXPECT_EQ(Byte(d, 116 + 33), 5);
    EXPECT_EQ(d[164 + 32], 'N');
    EXPECT_EQ(Byte(d, 164 + 33), 20);
    EXPECT_EQ(Byte(d, 164 + 34), 4);
    EXPECT_EQ(Byte(d, cabecera - 1), 0x0D);
    // A long: big-endian, sign bit inverted.
    EXPECT_EQ(d.substr(cabecera + 1, 4), std::string("\x80\x00\x00\x01", 4));
    EXPECT_EQ(d.substr(cabecera + registro + 1, 4), std::string("\x7F\xFF\xFF\xFF", 4));

    Tabla t = Tabla::Abrir(dir / "NIVEL7.DBF");
    std::vector<std::string> leidos;
    for (t.Primero(); !t.Fin(); t.Siguiente()) leidos.push_back(t.LeerTexto("X_OFERTAMATRIG"));
    EXPECT_EQ(leidos, (std::vector<std::string>{"1", "-1", "2147483647", ""}));
    EXPECT_TRUE(t.Localizar("X_OFERTAMATRIG", "-1"));
    EXPECT_EQ(t.LeerEntero("X_OFERTAMATRIG"), -1);
    EXPECT_EQ(t.LeerTexto("PESO"), "0.5");
}

// CURSOST is written and walked while open; a lookup walks the rows posted so far.
TEST(Tabla, RecorreYLocalizaLoGrabadoSinCerrar) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "CURSOST", kCampos);
    Tabla t = Tabla::Abrir(dir.Ruta(), "CURSOST");
    const auto anadir = [&](std::string_view nombre, std::int32_t cuenta, double horas) {
        t.Anadir();
        t.PonerTexto("NOMBRE", nombre);
        t.PonerEntero("CUENTA", cuenta);
        t.PonerFlotante("HORAS", horas);
        t.Grabar();
    };
    anadir("uno", 12, 1);
    anadir("dos", 7, 12);
    EXPECT_FALSE(t.Localizar("NOMBRE", "tres"));
    anadir("tres", 12, 2);
    anadir("Tres", 5, 3);
    EXPECT_EQ(t.NumeroFilas(), 4u);
    std::vector<std::string> nombres;
    for (t.Primero(); !t.Fin(); t.Siguiente()) nombres.push_back(t.LeerTexto("NOMBRE"));
    EXPECT_EQ(nombres, (std::vector<std::string>{"uno", "dos", "tres", "Tres"}));

    ASSERT_TRUE(t.Localizar("NOMBRE", "Tres"));  // letter case counts
    EXPECT_EQ(t.LeerEntero("CUENTA"), 5);
    EXPECT_FALSE(t.Localizar("NOMBRE", "TRES"));
    EXPECT_EQ(t.LeerEntero("CUENTA"), 5);  // a failed lookup leaves the row alone
    EXPECT_FALSE(t.Localizar("NOMBRE", "tre"));
    ASSERT_TRUE(t.Localizar("CUENTA", "12"));  // the first in stored order
    EXPECT_EQ(t.LeerTexto("NOMBRE"), "uno");
    ASSERT_TRUE(t.Localizar("HORAS", "12"));  // "12" finds 12.0000
    EXPECT_EQ(t.LeerTexto("NOMBRE"), "dos");
    ASSERT_TRUE(t.Localizar("CUENTA", "12", "HORAS", "2.00"));
    EXPECT_EQ(t.LeerTexto("NOMBRE"), "tres");
    EXPECT_FALSE(t.Localizar("CUENTA", "7", "NOMBRE", "uno"));
    t.Siguiente();  // walking goes on from the row found
    EXPECT_EQ(t.LeerTexto("NOMBRE"), "Tres");
}

TEST(Tabla, SeleccionYOrdenAscendenteEstable) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "SOLUC", kCampos);
    Tabla t = Tabla::Abrir(dir.Ruta(), "SOLUC");
    const std::vector<std::pair<std::string, std::int32_t>> filas = {
        {"B", 600}, {"A", 480}, {"B", 480}, {"A", 540}, {"A", 480}, {"B", -5}};
    for (const auto& [nombre, cuenta] : filas) {
        t.Anadir();
        t.PonerTexto("NOMBRE", nombre);
        t.PonerEntero("CUENTA", cuenta);
        t.Grabar();
    }
    const auto recorrer = [&] {
        std::vector<std::string> r;
        for (; !t.Fin(); t.Siguiente()) r.push_back(t.LeerTexto("NOMBRE") + t.LeerTexto("CUENTA"));
        return r;
    };
    t.Seleccionar("NOMBRE", "A");
    EXPECT_EQ(recorrer(), (std::vector<std::string>{"A480", "A540", "A480"}));
    t.Seleccionar("NOMBRE", "a");
    EXPECT_TRUE(t.Fin());
    EXPECT_EQ(t.NumeroFilas(), 6u);  // whatever the selection
    t.Seleccionar("NOMBRE", "B");
    EXPECT_FALSE(t.Localizar("NOMBRE", "A"));  // lookups stay within the selection
    t.QuitarSeleccion();
    EXPECT_EQ(recorrer().size(), 6u);

    t.RecorrerPor("CUENTA");
    EXPECT_EQ(recorrer(),
              (std::vector<std::string>{"B-5", "A480", "B480", "A480", "A540", "B600"}));
    t.Anadir();  // a row posted later takes its place in the order
    t.PonerTexto("NOMBRE", "C");
    t.PonerEntero("CUENTA", 480);
    t.Grabar();
    t.Primero();
    EXPECT_EQ(recorrer(),
              (std::vector<std::string>{"B-5", "A480", "B480", "A480", "C480", "A540", "B600"}));
    t.Seleccionar("NOMBRE", "B");
    EXPECT_EQ(recorrer(), (std::vector<std::string>{"B-5", "B480", "B600"}));
    t.QuitarSeleccion();
    t.RecorrerPor("");
    EXPECT_EQ(recorrer().front(), "B600");
}

TEST(Tabla, LaFilaSinCerrarSeGuardaAlDestruirLaTabla) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "CURSOST", kCampos);
    {
        Tabla t = Tabla::Abrir(dir.Ruta(), "CURSOST");
        t.Anadir();
        t.PonerTexto("NOMBRE", "a");
        t.Grabar();
        t.Anadir();  // never posted: dropped
        t.PonerTexto("NOMBRE", "b");
    }
    Tabla t = Tabla::Abrir(dir.Ruta(), "CURSOST");
    EXPECT_EQ(t.NumeroFilas(), 1u);
    EXPECT_EQ(t.LeerTexto("NOMBRE"), "a");
}

TEST(Tabla, ErroresNombranCampoYTabla) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "PROFT", kCampos);
    Tabla t = Tabla::Abrir(dir.Ruta(), "PROFT");
    t.Anadir();
    EsperarError([&] { t.PonerTexto("NADA", "x"); }, {"NADA", "PROFT"});
    t.PonerTexto("NOMBRE", "12.5");
    t.Grabar();
    EsperarError([&] { t.LeerTexto("X_EMPLEADO"); }, {"X_EMPLEADO", "PROFT"});
    EsperarError([&] { t.Localizar("NOMBRE", "a", "OTRO", "b"); }, {"OTRO", "PROFT"});
    EsperarError([&] { t.Seleccionar("PROF", "a"); }, {"PROF", "PROFT"});
    EXPECT_FALSE(t.TieneCampo("NADA"));
    EXPECT_TRUE(t.TieneCampo("Nombre"));

    EXPECT_THROW(t.LeerEntero("NOMBRE"), ErrorConversion);
    try {
        t.LeerEntero("NOMBRE");
    } catch (const ErrorConversion& e) {
        EXPECT_STREQ(e.what(), "'12.5' no es un valor entero válido");
    }
    t.Anadir();
    EXPECT_THROW(t.PonerTexto("CUENTA", "12a"), ErrorConversion);
    EsperarError([&] { t.PonerTexto("HORAS", "uno"); }, {"HORAS"});
    EsperarError([&] { t.PonerFlotante("HORAS", 1e30); }, {"HORAS", "no cabe"});

    CarpetaTemporal otro;
    EsperarError(
        [&] {
            CrearTabla(otro.Ruta(), "MAL", {{"CAMPO", TipoCampo::Texto, 41}});
        },
        {"CAMPO", "MAL"});
    EsperarError(
        [&] {
            CrearTabla(otro.Ruta(), "MAL", {{"A", TipoCampo::Entero}, {"a", TipoCampo::Logico}});
        },
        {"repetido"});
    EsperarError([&] { Tabla::Abrir(otro.Ruta(), "NOESTA"); }, {"NOESTA", "no existe"});
    // A working folder that is not there is named as what is missing, not the table.
    EsperarError([&] { CrearTabla(otro.Ruta() / "TBTEMP", "PROFT", kCampos); },
                 {"PROFT", "la carpeta", "TBTEMP"});
}

TEST(Tabla, UsoExclusivoTambienDesdeOtroProceso) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "GRUPOST", kCampos);
    Tabla t = Tabla::Abrir(dir.Ruta(), "GRUPOST");
    EsperarError([&] { Tabla::Abrir(dir.Ruta(), "GRUPOST"); }, {"GRUPOST", "en uso"});
    EsperarError([&] { CrearTabla(dir.Ruta(), "GRUPOST", kCampos); }, {"GRUPOST", "en uso"});

    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        int codigo = 1;
        try {
            Tabla::Abrir(dir.Ruta(), "GRUPOST");
        } catch (const Error& e) {
            codigo = std::strstr(e.what(), "GRUPOST") ? 0 : 2;
        }
        _exit(codigo);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);

    t.Cerrar();
    EXPECT_NO_THROW(Tabla::Abrir(dir.Ruta(), "GRUPOST").Cerrar());
}

TEST(Tabla, EncuentraElFicheroSinMirarMayusculas) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "proft", kCampos);
    EXPECT_EQ(RutaTabla(dir.Ruta(), "PROFT"), dir / "proft.DBF");
    std::filesystem::rename(dir / "proft.DBF", dir / "Proft.dbf");
    EscribirFichero(dir / "proft.mdx", "x");
    EXPECT_EQ(RutaTabla(dir.Ruta(), "PROFT"), dir / "Proft.dbf");
    EXPECT_EQ(Tabla::Abrir(dir.Ruta(), "PROFT").NumeroFilas(), 0u);
    CrearTabla(dir.Ruta(), "PROFT", kCampos);  // replaces the file under its own name
    EXPECT_TRUE(std::filesystem::exists(dir / "Proft.dbf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "PROFT.DBF"));
    EscribirFichero(dir / "proft.mdx", "x");
    BorrarTabla(dir.Ruta(), "PROFT");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Ruta()));
    BorrarTabla(dir.Ruta(), "PROFT");  // nothing there: no error
}

// Builds a table file the way other programs lay it out.
struct FicheroAjeno {
    std::string cabecera;
    std::string registros;
    std::size_t longitudRegistro = 1;
    int filas = 0;

    FicheroAjeno(std::uint8_t version, std::size_t bloque) : cabecera(bloque, '\0') {
        cabecera[0] = static_cast<char>(version);
        cabecera[1] = 99;
        cabecera[2] = 1;
        cabecera[3] = 1;
    }
    void Campo(std::string nombre, char tipo, int ancho, int decimales, std::size_t descriptor) {
        std::string d(descriptor, '\0');
        d.replace(0, nombre.size(), nombre);
        const std::size_t t = descriptor == 48 ? 32 : 11;
        d[t] = tipo;
        d[t + (descriptor == 48 ? 1 : 5)] = static_cast<char>(ancho);
        d[t + (descriptor == 48 ? 2 : 6)] = static_cast<char>(decimales);
        cabecera += d;
        longitudRegistro += static_cast<std::size_t>(ancho);
    }
    void Fila(std::string_view bytes) {
        registros += bytes;
        ++filas;
    }
    std::string Bytes(std::string_view cola = "\x0D") const {
        std::string c = cabecera + std::string(cola);
        c[4] = static_cast<char>(filas);
        c[8] = static_cast<char>(c.size() & 0xFF);
        c[9] = static_cast<char>(c.size() >> 8);
        c[10] = static_cast<char>(longitudRegistro & 0xFF);
        c[11] = static_cast<char>(longitudRegistro >> 8);
        return c + registros;
    }
};

std::vector<std::vector<std::string>> LeerTodo(const std::filesystem::path& f,
                                               const std::vector<std::string>& campos) {
    Tabla t = Tabla::Abrir(f);
    std::vector<std::vector<std::string>> r;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        r.emplace_back();
        for (const auto& c : campos) r.back().push_back(t.LeerTexto(c));
    }
    return r;
}

TEST(Tabla, LeeTablasDeOtrosProgramas) {
    CarpetaTemporal dir;
    // dBase III: deleted row skipped, no end-of-file mark.
    FicheroAjeno iii(0x03, 32);
    iii.Campo("DIA", 'N', 3, 0, 32);
    iii.Campo("PESO", 'F', 6, 2, 32);
    iii.Campo("PROF", 'C', 4, 0, 32);
    iii.Campo("FIJO", 'L', 1, 0, 32);
    iii.Campo("FECHA", 'D', 8, 0, 32);
    iii.Fila("   3  1.50ANA T20240506");
    iii.Fila("*  4  2.00BORRF20240507");
    iii.Fila("  -0 -0.50 LU ?        ");
    EscribirFichero(dir / "SOLUC.DBF", iii.Bytes());
    EXPECT_EQ(LeerTodo(dir / "SOLUC.DBF", {"DIA", "PESO", "PROF", "FIJO", "FECHA"}),
              (std::vector<std::vector<std::string>>{{"3", "1.5", "ANA", "T", "20240506"},
                                                     {"0", "-0.5", " LU", "", ""}}));
    EXPECT_EQ(Tabla::Abrir(dir / "SOLUC.DBF").NumeroFilas(), 2u);

    // FoxPro: little-endian integer, double and currency, and the 263-byte backlink after the
    // terminator.
    FicheroAjeno fox(0x30, 32);
    fox.Campo("ENTERO", 'I', 4, 0, 32);
    fox.Campo("DOBLE", 'B', 8, 0, 32);
    fox.Campo("MONEDA", 'Y', 8, 0, 32);
    std::string fila(" ");
    const std::int32_t entero = -7;
    const double doble = 2.25;
    const std::int64_t moneda = 123456;  // 12.3456
    fila.append(reinterpret_cast<const char*>(&entero), 4);
    fila.append(reinterpret_cast<const char*>(&doble), 8);
    fila.append(reinterpret_cast<const char*>(&moneda), 8);
    fox.Fila(fila);
    EscribirFichero(dir / "FOX.DBF", fox.Bytes("\x0D" + std::string(263, '\0')) + "\x1A");
    EXPECT_EQ(LeerTodo(dir / "FOX.DBF", {"ENTERO", "DOBLE", "MONEDA"}),
              (std::vector<std::vector<std::string>>{{"-7", "2.25", "12.3456"}}));

    // dBase 7: sortable long and double.
    FicheroAjeno siete(0x04, 68);
    siete.Campo("X_OFERTAMATRIG", 'I', 4, 0, 48);
    siete.Campo("VALOR_DOBLE_LARGO", 'O', 8, 0, 48);
    std::uint64_t patron;
    for (double v : {1.5, -3.0}) {
        std::memcpy(&patron, &v, 8);
        patron = v >= 0 ? patron ^ 0x8000000000000000ull : ~patron;
        std::string f(" \x80\x00\x00\x0C", 5);
        for (int i = 7; i >= 0; --i) f += static_cast<char>((patron >> (8 * i)) & 0xFF);
        siete.Fila(f);
    }
    EscribirFichero(dir / "NIVELLARI.DBF", siete.Bytes() + "\x1A");
    EXPECT_EQ(LeerTodo(dir / "NIVELLARI.DBF", {"X_OFERTAMATRIG", "VALOR_DOBLE_LARGO"}),
              (std::vector<std::vector<std::string>>{{"12", "1.5"}, {"12", "-3"}}));
    Tabla nivel = Tabla::Abrir(dir / "NIVELLARI.DBF");
    EXPECT_TRUE(nivel.Localizar("X_OFERTAMATRIG", "12"));
}

// Every cut of a valid file short of its last record is refused with the file named; losing only
// the end-of-file mark is fine.
TEST(Tabla, FicheroCortadoODanadoDaErrorSinRomperNada) {
    CarpetaTemporal dir;
    CrearTabla(dir.Ruta(), "ASIGT", kCampos);
    {
        Tabla t = Tabla::Abrir(dir.Ruta(), "ASIGT");
        for (int i = 0; i < 3; ++i) {
            t.Anadir();
            t.PonerTexto("NOMBRE", "x");
            t.PonerEntero("CUENTA", i);
            t.Grabar();
        }
        t.Cerrar();
    }
    const std::string bueno = LeerFichero(dir / "ASIGT.DBF");
    for (std::size_t n = 0; n + 1 < bueno.size(); ++n) {
        EscribirFichero(dir / "ASIGT.DBF", bueno.substr(0, n));
        EsperarError([&] { Tabla::Abrir(dir.Ruta(), "ASIGT"); }, {"ASIGT.DBF"});
    }
    EscribirFichero(dir / "ASIGT.DBF", bueno.substr(0, bueno.size() - 1));
    EXPECT_EQ(Tabla::Abrir(dir.Ruta(), "ASIGT").NumeroFilas(), 3u);

    struct Caso {
        const char* que;
        std::size_t pos;
        char byte;
    };
    for (const auto& [que, pos, byte] :
         {Caso{"versión", 0, '\x07'}, Caso{"cabecera larga", 9, '\x7F'},
          Caso{"sin terminador", 32 * 5, 'X'}, Caso{"registro corto", 10, '\x05'},
          Caso{"campo sin ancho", 32 + 16, '\0'}}) {
        std::string malo = bueno;
        malo[pos] = byte;
        SCOPED_TRACE(que);
        EscribirFichero(dir / "ASIGT.DBF", malo);
        EsperarError([&] { Tabla::Abrir(dir.Ruta(), "ASIGT"); }, {"ASIGT.DBF"});
    }

    // Random damage: an error or a readable table, never a crash (run under the sanitizers).
    std::mt19937 azar(7);
    for (int i = 0; i < 300; ++i) {
        std::string malo = bueno;
        for (int j = 0; j < 3; ++j) malo[azar() % 64] = static_cast<char>(azar());
        EscribirFichero(dir / "ASIGT.DBF", malo);
        try {
            Tabla t = Tabla::Abrir(dir.Ruta(), "ASIGT");
            for (t.Primero(); !t.Fin(); t.Siguiente()) {
                for (const char* c : {"NOMBRE", "ACTIVO", "CUENTA", "HORAS"}) {
                    if (t.TieneCampo(c)) (void)t.LeerTexto(c);
                }
            }
        } catch (const Error&) {
        }
    }
}

}  // namespace
}  // namespace rt
