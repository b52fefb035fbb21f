#pragma once
// The level table NIVELLARI.DBF is installation data. It is kept as readable text, one level a
// line: "X_OFERTAMATRIG;NIVEL_ABREV;ESTUDIO" in UTF-8, with "#" comments and blank lines allowed.

#include <cstddef>
#include <filesystem>

namespace rt {

// Builds the table from its text; returns the number of rows. Raises rt::Error naming the line at
// fault.
std::size_t GenerarTablaNiveles(const std::filesystem::path& texto,
                                const std::filesystem::path& tabla);

}  // namespace rt
