#pragma once
// The system's own texts, exactly as the person sees them (UTF-8).

namespace rt::mensajes {

inline constexpr const char* kTituloAplicacion = "RazevUridurOrezad";
inline constexpr const char* kNoExisteArchivo = "No existe archivo";
inline constexpr const char* kNivellariNoEncontrado =
    "ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale RAZEVURIDUROREZAD";
inline constexpr const char* kPeriodosNoEncontrado =
    "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de RACIMA.";
inline constexpr const char* kProcesoFinalizado = "Proceso finalizado";

}  // namespace rt::mensajes
