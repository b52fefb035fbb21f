#pragma once

#include <functional>

#include "platform/EstadoPrincipal.h"

namespace rt::cli {

// Runs a run and turns its outcome into the exit status: 0 when it finished (result code 1),
// 1 when it stopped on one of the system's messages, 2 when it raised an error (printed).
int EstadoDeSalida(EstadoPrincipal& estado, const std::function<void()>& ejecutar);

}  // namespace rt::cli
