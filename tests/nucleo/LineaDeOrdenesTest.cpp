// The command-line tool as a script uses it: exit status, messages, and the tables it writes as
// an independent dBase reader sees them.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "Ayuda.h"

namespace rt::prueba {
namespace {

const std::filesystem::path kHerramienta = std::filesystem::path(RT_DIR_BIN) / "racima-tabelio";
const std::filesystem::path kEjemplo = std::filesystem::path(RT_DIR_DATOS) / "ejemplo-racima.xml";

struct Resultado {
    int estado = -1;
    std::string salida;  // standard output and error, together
};

class LineaDeOrdenesTest : public ::testing::Test {
  protected:
    Resultado Ejecutar(const std::string& argumentos) {
        const std::filesystem::path salida = carpeta / "salida.txt";
        const std::string orden = kHerramienta.string() + " " + argumentos + " < /dev/null > " +
                                  salida.string() + " 2>&1";
        const int estado = std::system(orden.c_str());
        return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, LeerFichero(salida)};
    }
    std::string Carpeta() const { return " --carpeta-trabajo " + trabajo.string(); }

    CarpetaTemporal carpeta;
    std::filesystem::path trabajo = carpeta / "TBTEMP";
    void SetUp() override { std::filesystem::create_directories(trabajo); }
};

TEST_F(LineaDeOrdenesTest, ImportaElEjemploComoLoVeUnLectorIndependiente) {
    const Resultado r =
        Ejecutar("hacia-tabelio " + kEjemplo.string() + " --jornada ' 101 '" + Carpeta());
    ASSERT_EQ(r.estado, 0) << r.salida;
    EXPECT_NE(r.salida.find("Proceso finalizado\n"), std::string::npos);
    EXPECT_NE(r.salida.find("ASIGT.DBF: 120 filas\n"), std::string::npos);

    const std::string volcado = (carpeta / "volcado.txt").string();
    const std::string orden = std::string(RT_PYTHON_DEBIAN) + " " + RT_DIR_SCRIPTS +
                              "/volcar-tablas.py " + trabajo.string() + " > " + volcado;
    ASSERT_EQ(std::system(orden.c_str()), 0);
    EXPECT_EQ(LeerFichero(volcado),
              LeerFichero(std::filesystem::path(RT_DIR_DATOS_PRUEBA) / "ejemplo-tablas.txt"));
}

TEST_F(LineaDeOrdenesTest, EstadosDeSalida) {
    EscribirFichero(carpeta / "roto.xml", "<SERVICIO>");
    const struct {
        std::string argumentos;
        int estado;
        std::string texto;
    } casos[] = {
        // Two templates, no --jornada and no terminal: the codes, so that a script can choose.
        {"hacia-tabelio " + kEjemplo.string() + Carpeta(), 2, "--jornada: 101, 102"},
        {"hacia-tabelio " + (carpeta / "no.xml").string() + Carpeta(), 1, "No existe archivo"},
        {"hacia-tabelio " + kEjemplo.string() + Carpeta() + " --jornada 101 --carpeta-programa " +
             carpeta.Ruta().string(),
         1, "ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale RAZEVURIDUROREZAD"},
        {"hacia-tabelio " + (carpeta / "roto.xml").string() + Carpeta(), 2, "Error: "},
        {"hacia-tabelio", 2, "Indique un fichero XML"},
        {"hacia-tabelio x.xml --opcion-rara 1", 2, "--opcion-rara"},
        {"hacia-tabelio --help", 0, "--jornada CODIGO"},
        {"otra-cosa", 2, "Orden desconocida"},
    };
    for (const auto& caso : casos) {
        const Resultado r = Ejecutar(caso.argumentos);
        EXPECT_EQ(r.estado, caso.estado) << caso.argumentos << "\n" << r.salida;
        EXPECT_NE(r.salida.find(caso.texto), std::string::npos) << caso.argumentos << "\n"
                                                                << r.salida;
    }
    EXPECT_TRUE(std::filesystem::is_empty(trabajo));
}

}  // namespace
}  // namespace rt::prueba
