#include "import/Importacion.h"

#include "platform/Error.h"

namespace rt {

void EjecutarImportacion(EstadoPrincipal&, Interlocutor&) {
    throw Error("La importación aún no está disponible");
}

}  // namespace rt
