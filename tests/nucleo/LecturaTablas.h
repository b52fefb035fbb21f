#pragma once
// Reads tables back for the tests' assertions, as UTF-8 text so that failures read well.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Tabla.h"
#include "text/Cp1252.h"

namespace rt::prueba {

using Filas = std::vector<std::vector<std::string>>;

// The named fields of every row, in stored order (or in the order of an integer field).
inline Filas LeerFilas(const std::filesystem::path& carpeta, const std::string& tabla,
                       const std::vector<std::string>& campos, const std::string& orden = "") {
    Tabla t = Tabla::Abrir(carpeta, tabla);
    if (!orden.empty()) t.RecorrerPor(orden);
    Filas filas;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        std::vector<std::string> fila;
        for (const auto& campo : campos) fila.push_back(AnsiAUtf8(t.LeerTexto(campo)));
        filas.push_back(std::move(fila));
    }
    t.Cerrar();
    return filas;
}

inline std::vector<std::string> LeerColumna(const std::filesystem::path& carpeta,
                                            const std::string& tabla, const std::string& campo) {
    std::vector<std::string> columna;
    for (auto& fila : LeerFilas(carpeta, tabla, {campo})) columna.push_back(fila[0]);
    return columna;
}

}  // namespace rt::prueba
