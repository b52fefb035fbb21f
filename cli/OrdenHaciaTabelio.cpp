#include <iostream>

#include "cli/Argumentos.h"
#include "cli/InterlocutorConsola.h"
#include "cli/Ordenes.h"
#include "cli/Resultado.h"
#include "import/Importacion.h"
#include "platform/Tabla.h"

namespace rt::cli {

namespace {

constexpr const char* kAyuda =
    "Uso: racima-tabelio hacia-tabelio FICHERO.xml [--jornada CODIGO]\n"
    "                    [--carpeta-trabajo DIR] [--carpeta-programa DIR]\n"
    "\n"
    "Transforma los datos desde Racima hacia Tabelio: reconstruye en la carpeta de trabajo\n"
    "las tablas de materias, profesores, aulas, cursos, grupos, asignaciones y tramos.\n"
    "\n"
    "  --jornada CODIGO         plantilla horaria que se aplica cuando el fichero trae varias;\n"
    "                           sin ella se pregunta en el terminal.\n"
    "  --carpeta-trabajo DIR    carpeta de trabajo de Tabelio (por omisión, la variable\n"
    "                           TBTEMP o drive_c/TBTEMP del prefijo de Wine).\n"
    "  --carpeta-programa DIR   carpeta donde se busca NIVELLARI.DBF (por omisión, la del\n"
    "                           programa).\n";

void MostrarTablas(const std::filesystem::path& carpeta) {
    for (const std::string& nombre : TablasImportacion()) {
        Tabla tabla = Tabla::Abrir(carpeta, nombre);
        const std::size_t filas = tabla.NumeroFilas();
        std::cout << nombre << ".DBF: " << filas << (filas == 1 ? " fila\n" : " filas\n");
        tabla.Cerrar();
    }
}

}  // namespace

int OrdenHaciaTabelio(const std::vector<std::string>& palabras) {
    return EjecutarOrden(palabras, {"jornada", "carpeta-trabajo", "carpeta-programa"}, kAyuda,
                         [](EstadoPrincipal& estado, const Argumentos& args) {
                             InterlocutorConsola persona(args.posicionales[0],
                                                         args.Opcion("jornada"));
                             persona.ComprobarQueSePuedeElegir();
                             EjecutarImportacion(estado, persona);
                             if (estado.ValorTransformado == 1)
                                 MostrarTablas(estado.CarpetaTrabajo);
                         });
}

}  // namespace rt::cli
