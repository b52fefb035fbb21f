#include <iostream>

#include "cli/Argumentos.h"
#include "cli/Ordenes.h"
#include "import/TablaNiveles.h"
#include "platform/Error.h"

namespace rt::cli {

int OrdenGenerarNivellari(const std::vector<std::string>& palabras) {
    try {
        const Argumentos args = AnalizarArgumentos(palabras, {});
        if (args.ayuda || args.posicionales.size() != 2) {
            std::cout << "Uso: racima-tabelio generar-nivellari TEXTO.txt NIVELLARI.DBF\n"
                         "Construye la tabla de niveles a partir de su fichero de texto.\n";
            return args.ayuda ? 0 : 2;
        }
        const std::size_t filas = GenerarTablaNiveles(args.posicionales[0], args.posicionales[1]);
        std::cout << args.posicionales[1] << ": " << filas << " filas\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
        return 2;
    }
}

}  // namespace rt::cli
