#pragma once
// The subcommands of racima-tabelio. Each takes the words after its own name and returns the exit
// status: 0 the run finished, 1 it stopped on one of the system's messages, 2 an error.

#include <string>
#include <vector>

namespace rt::cli {

int OrdenHaciaTabelio(const std::vector<std::string>& argumentos);
int OrdenHaciaRacima(const std::vector<std::string>& argumentos);
int OrdenGenerarNivellari(const std::vector<std::string>& argumentos);

}  // namespace rt::cli
