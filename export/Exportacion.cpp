#include "export/Exportacion.h"

#include "platform/Error.h"

namespace rt {

std::filesystem::path RutaResultado(const std::filesystem::path& fichero) {
    return fichero.parent_path() / ("ResultadoVestro" + fichero.filename().string());
}

void EjecutarExportacion(EstadoPrincipal&, Interlocutor&) {
    throw Error("La exportación aún no está disponible");
}

}  // namespace rt
