#pragma once
// Writing one value into an ini file the way Windows keeps such files: the host reads the file
// after us and its owner may have laid it out by hand, so only the one line changes. Sections and
// keys are matched without letter case; the first of several equal sections or keys is the one.

#include <filesystem>
#include <string>
#include <string_view>

namespace rt {

// The text with the key set to the value: the key's line keeps everything up to its "=" and its
// line ending; a missing key is added after the last line of its section, a missing section at the
// end. New lines take the file's own line ending (CRLF for a file that has none yet).
std::string PonerValorIni(std::string_view contenido, std::string_view seccion,
                          std::string_view clave, std::string_view valor);

// Sets the key in the file, creating the file when it is missing. Every other byte stays as it
// was. Raises Error naming the file when it cannot be read or written.
void EscribirValorIni(const std::filesystem::path& fichero, std::string_view seccion,
                      std::string_view clave, std::string_view valor);

}  // namespace rt
