#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cli/Argumentos.h"
#include "platform/EstadoPrincipal.h"

namespace rt::cli {

// The common frame of a run's subcommand: its options and help, the one exchange file, the
// folders (--carpeta-trabajo, --carpeta-programa, else the defaults), and the exit status:
// 0 when the run finished (result code 1), 1 when it stopped on one of the system's messages,
// 2 when it raised an error (printed).
int EjecutarOrden(const std::vector<std::string>& palabras, const std::set<std::string>& opciones,
                  const char* ayuda,
                  const std::function<void(EstadoPrincipal&, const Argumentos&)>& ejecutar);

}  // namespace rt::cli
