#pragma once
// The teachers' timetables of an export: the block HORARIOS_REGULARES, one block per teacher of
// PROFT and in it one record per lesson that SOLUC places, in Racima's keys.

#include <string>

#include "platform/Documento.h"
#include "platform/Tabla.h"

namespace rt {

// The open tables that the timetables are read from; the caller opens and closes them.
struct TablasHorarios {
    Tabla& soluc;          // SOLUC
    Tabla& profesores;     // PROFT
    Tabla& asignaciones;   // ASIGT
    Tabla& materias;       // ASIGNOMT
    Tabla& materiasCurso;  // ASIGNOMT2
    Tabla& tramos;         // DIASHORAST
    Tabla& grupos;         // GRUPOST
};

// Appends the block to bloqueDatos as its last child. The period's dates go into every lesson as
// they are. Raises Error where DIA, HORA or a slot's time is no whole number.
void TransformarHorarios(Documento& documento, NodoXML bloqueDatos,
                         const std::string& inicioPeriodo, const std::string& finPeriodo,
                         TablasHorarios tablas);

}  // namespace rt
