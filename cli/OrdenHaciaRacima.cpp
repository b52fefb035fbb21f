#include <iostream>

#include "cli/Ordenes.h"

namespace rt::cli {

int OrdenHaciaRacima(const std::vector<std::string>&) {
    std::cerr << "hacia-racima aún no está disponible\n";
    return 2;
}

}  // namespace rt::cli
