#pragma once
// How the records of the exchange file are read: the records of a block by its exact "seq"
// (blocks of the same name read as one sequence, in document order), and the values of a record
// by position. Values are narrow Windows-1252 text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Documento.h"

namespace rt {

class Registro {
public:
    Registro() = default;
    explicit Registro(std::vector<std::string> valores) : valores_(std::move(valores)) {}
    std::size_t NumeroValores() const { return valores_.size(); }
    // The value at a position, trimmed with TrimBoth; a position the record lacks reads as "".
    std::string Valor(std::size_t posicion) const;
    // The same, untrimmed, as the template chooser shows it.
    std::string ValorSinRecortar(std::size_t posicion) const;
    // A record with fewer than two values is skipped by every import step.
    bool Utilizable() const { return valores_.size() >= 2; }

private:
    std::vector<std::string> valores_;
};

// "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq="NOMBRE"]/grupo_datos"
std::string RutaBloque(std::string_view bloque);

// Every record of the block, with all its values, in document order; none for a missing block.
std::vector<Registro> LeerBloque(const Documento& doc, std::string_view bloque);

}  // namespace rt
