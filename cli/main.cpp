// racima-tabelio: the command-line front end on the same core as the window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Ordenes.h"

namespace {

constexpr const char* kAyuda =
    "Uso: racima-tabelio ORDEN [opciones]\n"
    "\n"
    "Órdenes:\n"
    "  hacia-tabelio FICHERO.xml [--jornada CODIGO] [--carpeta-trabajo DIR]\n"
    "                [--carpeta-programa DIR]\n"
    "      Transforma los datos desde Racima hacia Tabelio: reconstruye las tablas de la\n"
    "      carpeta de trabajo a partir del fichero de intercambio.\n"
    "  hacia-racima FICHERO.xml [--carpeta-trabajo DIR]\n"
    "      Transforma los datos desde Tabelio hacia Racima: escribe, junto al fichero\n"
    "      elegido, ResultadoVestro seguido de su nombre.\n"
    "  generar-nivellari TEXTO.txt NIVELLARI.DBF\n"
    "      Construye la tabla de niveles a partir de su fichero de texto.\n"
    "\n"
    "Estado de salida: 0 proceso finalizado, 1 detenido con un aviso, 2 error.\n"
    "Use «racima-tabelio ORDEN --help» para la ayuda de cada orden.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> palabras(argv + 1, argv + argc);
    if (palabras.empty() || palabras[0] == "--help" || palabras[0] == "-h" ||
        palabras[0] == "ayuda") {
        std::cout << kAyuda;
        return palabras.empty() ? 2 : 0;
    }
    const std::string orden = palabras[0];
    palabras.erase(palabras.begin());
    if (orden == "hacia-tabelio") return rt::cli::OrdenHaciaTabelio(palabras);
    if (orden == "hacia-racima") return rt::cli::OrdenHaciaRacima(palabras);
    if (orden == "generar-nivellari") return rt::cli::OrdenGenerarNivellari(palabras);
    std::cerr << "Orden desconocida: " << orden << "\n\n" << kAyuda;
    return 2;
}
