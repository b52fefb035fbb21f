#pragma once
// The words of a subcommand: positional words and "--opcion VALOR" pairs.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace rt::cli {

struct Argumentos {
    std::vector<std::string> posicionales;
    std::map<std::string, std::string> opciones;  // without the leading "--"
    bool ayuda = false;

    std::optional<std::string> Opcion(const std::string& nombre) const;
};

// Raises rt::Error for an option not among the known ones or one without its value.
Argumentos AnalizarArgumentos(const std::vector<std::string>& palabras,
                              const std::set<std::string>& conocidas);

}  // namespace rt::cli
