// The command-line export on a SOLUC that another dBase writer wrote: Debian's python3-dbf, with
// DIA and HORA as numeric or as character columns, and a file name in small letters as a program
// under Wine may leave it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>

#include "EscenarioExportacion.h"
#include "LecturaHorarios.h"

namespace rt::prueba {
namespace {

namespace fs = std::filesystem;

std::string Citar(const fs::path& ruta) { return "'" + ruta.string() + "'"; }

// Runs the command and gives its exit status and what it printed.
std::pair<int, std::string> Ejecutar(const std::string& orden) {
    FILE* tubo = popen(orden.c_str(), "r");
    if (tubo == nullptr) return {-1, ""};
    std::string salida;
    char trozo[512];
    while (std::size_t n = std::fread(trozo, 1, sizeof trozo, tubo)) salida.append(trozo, n);
    const int estado = pclose(tubo);
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, salida};
}

class ExportacionSolucExternoTest : public EscenarioExportacion {};

TEST_F(ExportacionSolucExternoTest, HaciaRacimaLeeElSolucDeOtroEscritor) {
    Filas("PROFT", {{{"ABREV", "MGM"}, {"X_EMPLEADO", "182300"}, {"F_TOMAPOS", "01/09/2005"}}});
    Filas("GRUPOST", {{{"ABREV", "1ºEA"}, {"CLAVE", "41001"}, {"CLAVECURSO", "5961"}}});
    Filas("ASIGT",
          {{{"CASIG", "LCL"}, {"CGRUP", "1ºEA"}, {"CLAVE", "300107"}, {"CLAVECURSO", "5961"}}});
    Filas("ASIGNOMT", {{{"COD", "LCL"}}, {{"COD", "36"}, {"CODTAREA", "36"}}});
    Filas("DIASHORAST", {{{"DIHO", "12"},
                          {"CODDIHO", "7703"},
                          {"DIA", "1"},
                          {"HORA", "2"},
                          {"HORADESDE", "09:00"},
                          {"HORAHASTA", "09:55"}},
                         {{"DIHO", "310"},
                          {"CODDIHO", "7720"},
                          {"DIA", "3"},
                          {"HORA", "10"},
                          {"HORADESDE", "16:00"},
                          {"HORAHASTA", "16:55"}}});
    EscribirFichero(carpeta / "filas.txt",
                    "MGM;1;2;LCL;1ºEA;AULA-Ñ;\n"
                    "MGM;0;0;LCL;1ºEA;;\n"
                    "MGM;3;10;36;;;\n"
                    "OTRO;1;2;LCL;1ºEA;A101;7\n");
    const fs::path datos = Elegir();

    for (const auto& [fichero, opcion] : std::vector<std::pair<std::string, std::string>>{
             {"SOLUC.DBF", ""}, {"soluc.dbf", " --dia-hora-texto"}}) {
        SCOPED_TRACE(fichero + opcion);
        BorrarTabla(trabajo, "SOLUC");
        const auto [escrito, avisos] = Ejecutar(
            std::string(RT_PYTHON_DEBIAN) + " " +
            Citar(fs::path(RT_DIR_AYUDANTES) / "escribir_soluc.py") + " " +
            Citar(trabajo / fichero) + " " + Citar(carpeta / "filas.txt") + opcion + " 2>&1");
        ASSERT_EQ(escrito, 0) << avisos;

        const auto [salida, impreso] =
            Ejecutar(Citar(fs::path(RT_DIR_BIN) / "racima-tabelio") + " hacia-racima " +
                     Citar(datos) + " --carpeta-trabajo " + Citar(trabajo) + " 2>&1");
        ASSERT_EQ(salida, 0) << impreso;
        const fs::path resultado = carpeta / "ResultadoVestrodatos.xml";
        EXPECT_EQ(impreso, "Proceso finalizado\n" + resultado.string() + "\n");

        Documento doc;
        ASSERT_TRUE(doc.Cargar(resultado)) << doc.UltimoError();
        const BloqueLeido profesor =
            LeerBloqueXML(doc.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS/grupo_datos[2]/grupo_datos"));
        EXPECT_EQ(profesor.registros, "2");
        ASSERT_EQ(profesor.hijos.size(), 2u);
        const BloqueLeido& clase = profesor.hijos[0];
        EXPECT_EQ(clase.Dato("N_DIASEMANA"), "1");
        EXPECT_EQ(clase.Dato("X_TRAMO"), "7703");
        EXPECT_EQ(clase.Dato("X_DEPENDENCIA"), "AULA-Ñ");
        EXPECT_EQ(clase.Dato("X_UNIDAD"), "41001");
        EXPECT_EQ(clase.Dato("X_MATERIAOMG"), "300107");
        EXPECT_EQ(clase.Dato("N_HORINI"), "540");
        EXPECT_EQ(clase.Dato("X_ACTIVIDAD"), "1");
        const BloqueLeido& guardia = profesor.hijos[1];
        EXPECT_EQ(guardia.Dato("X_TRAMO"), "7720");  // a two-digit hour
        EXPECT_EQ(guardia.Dato("N_HORFIN"), "1015");
        EXPECT_EQ(guardia.Dato("X_ACTIVIDAD"), "36");
        EXPECT_EQ(guardia.Dato("X_DEPENDENCIA"), "");
    }
}

}  // namespace
}  // namespace rt::prueba
