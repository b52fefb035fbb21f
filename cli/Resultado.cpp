#include "cli/Resultado.h"

#include <exception>
#include <iostream>

namespace rt::cli {

int EstadoDeSalida(EstadoPrincipal& estado, const std::function<void()>& ejecutar) {
    try {
        ejecutar();
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
        return 2;
    }
    return estado.ValorTransformado == 1 ? 0 : 1;
}

}  // namespace rt::cli
