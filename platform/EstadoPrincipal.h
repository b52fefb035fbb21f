#pragma once
// The state of the main window that both runs read and set. The window owns one; the
// command-line tool makes one per invocation.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/Documento.h"

namespace rt {

struct EstadoPrincipal {
    std::filesystem::path FicheroXML;  // the exchange file of the last run; empty at start
    std::string JornadaElegida;        // the school-day template chosen by the last import
    std::unique_ptr<rt::Documento> DocumentoXML;  // the document of the last run
    std::int32_t ModoIncrustado = 0;              // 2 when hosted
    std::int32_t ValorTransformado = 0;           // result code for the host: 0, 1 or -1
    std::filesystem::path CarpetaTrabajo;         // Tabelio's working folder
    std::filesystem::path CarpetaPrograma;        // level table, Tabelio.ini, help files
};

}  // namespace rt
