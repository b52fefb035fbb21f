#pragma once
// The export run: from Tabelio's solved timetable to a new exchange file for Racima.

#include <filesystem>

#include "export/Fecha.h"
#include "platform/EstadoPrincipal.h"
#include "platform/Interlocutor.h"

namespace rt {

// The file the export writes beside the chosen one: "ResultadoVestro" + its file name.
std::filesystem::path RutaResultado(const std::filesystem::path& fichero);

// Messages go to the person; failures are raised as rt::Error (default cursor restored, every
// table closed, no output written) for the front end to show.
void EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& persona);

// The same, with the "fecha" of the document taken from the given source (tests fix it).
void EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& persona, const FuenteFecha& fecha);

}  // namespace rt
