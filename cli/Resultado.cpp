#include "cli/Resultado.h"

#include <exception>
#include <iostream>

#include "platform/Carpetas.h"
#include "platform/Error.h"

namespace rt::cli {

int EjecutarOrden(const std::vector<std::string>& palabras, const std::set<std::string>& opciones,
                  const char* ayuda,
                  const std::function<void(EstadoPrincipal&, const Argumentos&)>& ejecutar) {
    EstadoPrincipal estado;
    try {
        const Argumentos args = AnalizarArgumentos(palabras, opciones);
        if (args.ayuda) {
            std::cout << ayuda;
            return 0;
        }
        if (args.posicionales.size() != 1) throw Error("Indique un fichero XML de Racima");
        estado.CarpetaTrabajo =
            args.Opcion("carpeta-trabajo").value_or(CarpetaTrabajoPredeterminada().string());
        estado.CarpetaPrograma =
            args.Opcion("carpeta-programa").value_or(CarpetaPrograma().string());
        ejecutar(estado, args);
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
        return 2;
    }
    return estado.ValorTransformado == 1 ? 0 : 1;
}

}  // namespace rt::cli
