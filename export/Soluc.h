#pragma once
// SOLUC, the timetable that Tabelio has solved: one row per placed lesson. Tabelio writes it; the
// export reads it, and the stand-in solver of the demo writes one like it.
//
//   PROF      text 4    teacher: ABREV of PROFT
//   DIA       number    day, 1 to 7; 0 for a lesson left out of the timetable
//   HORA      number    hour of the day, from 1: with DIA the key DIHO of DIASHORAST
//   ASIG      text 4    subject or activity: COD of ASIGNOMT, CASIG of ASIGT
//   CODGRUPO  text 4    unit: ABREV of GRUPOST, CGRUP of ASIGT; blank for an activity
//   AULA      text 10   room as Racima knows it (DEPCENTRO of AULAT); may be blank
//   TAREA     text 12   task code (CODTAREA of ASIGNOMT); blank: the subject's is looked up
//
// The export reads DIA and HORA as whole numbers, so that a file whose DIA and HORA are character
// columns serves as well as one with numeric columns.

#include <string_view>
#include <vector>

#include "platform/Tabla.h"

namespace rt {

inline constexpr std::string_view kTablaSoluc = "SOLUC";

// The fields in the order above.
const std::vector<DefCampo>& CamposSoluc();

}  // namespace rt
