#include <iostream>

#include "cli/Argumentos.h"
#include "cli/InterlocutorConsola.h"
#include "cli/Ordenes.h"
#include "cli/Resultado.h"
#include "export/Exportacion.h"

namespace rt::cli {

namespace {

constexpr const char* kAyuda =
    "Uso: racima-tabelio hacia-racima FICHERO.xml [--carpeta-trabajo DIR]\n"
    "\n"
    "Transforma los datos desde Tabelio hacia Racima: lee el horario resuelto (SOLUC) y las\n"
    "tablas de la carpeta de trabajo, toma el año académico de FICHERO.xml y escribe junto a él\n"
    "ResultadoVestro seguido de su nombre, con el horario regular de cada profesor. FICHERO.xml\n"
    "no se modifica. Al terminar se muestra la ruta del fichero escrito.\n"
    "\n"
    "  --carpeta-trabajo DIR    carpeta de trabajo de Tabelio (por omisión, la variable\n"
    "                           TBTEMP o drive_c/TBTEMP del prefijo de Wine).\n";

}  // namespace

int OrdenHaciaRacima(const std::vector<std::string>& palabras) {
    return EjecutarOrden(
        palabras, {"carpeta-trabajo"}, kAyuda, [](EstadoPrincipal& estado, const Argumentos& args) {
            InterlocutorConsola persona(args.posicionales[0], std::nullopt);
            EjecutarExportacion(estado, persona);
            if (estado.ValorTransformado == 1) {
                std::cout << RutaResultado(estado.FicheroXML).string() << std::endl;
            }
        });
}

}  // namespace rt::cli
