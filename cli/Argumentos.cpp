#include "cli/Argumentos.h"

#include "platform/Error.h"

namespace rt::cli {

std::optional<std::string> Argumentos::Opcion(const std::string& nombre) const {
    auto it = opciones.find(nombre);
    if (it == opciones.end()) return std::nullopt;
    return it->second;
}

Argumentos AnalizarArgumentos(const std::vector<std::string>& palabras,
                              const std::set<std::string>& conocidas) {
    Argumentos resultado;
    for (std::size_t i = 0; i < palabras.size(); ++i) {
        const std::string& palabra = palabras[i];
        if (palabra == "--help" || palabra == "-h" || palabra == "--ayuda") {
            resultado.ayuda = true;
        } else if (palabra.rfind("--", 0) == 0) {
            std::string nombre = palabra.substr(2);
            std::optional<std::string> valor;
            if (auto igual = nombre.find('='); igual != std::string::npos) {
                valor = nombre.substr(igual + 1);
                nombre.resize(igual);
            }
            if (!conocidas.contains(nombre)) throw Error("Opción desconocida: --" + nombre);
            if (!valor) {
                if (i + 1 >= palabras.size()) throw Error("Falta el valor de --" + nombre);
                valor = palabras[++i];
            }
            resultado.opciones[nombre] = *valor;
        } else {
            resultado.posicionales.push_back(palabra);
        }
    }
    return resultado;
}

}  // namespace rt::cli
