#pragma once
// The import run: from Racima's exchange file to Tabelio's tables.

#include <string>
#include <vector>

#include "platform/EstadoPrincipal.h"
#include "platform/Interlocutor.h"

namespace rt {

// The tables an import writes, in the order it writes them.
const std::vector<std::string>& TablasImportacion();

// Lets the person choose the file, checks it and the level table, loads the document and runs
// the seven steps. Messages go to the person; failures are raised as rt::Error (with the default
// cursor restored and every table closed) for the front end to show.
void EjecutarImportacion(EstadoPrincipal& estado, Interlocutor& persona);

}  // namespace rt
