#pragma once
// The "fecha" of an exported document: the date in the user's short date format, one blank, and
// the time in the user's long time format.

#include <ctime>
#include <functional>
#include <string>

namespace rt {

// strftime patterns: the short date and the long time.
struct FormatosFecha {
    std::string fechaCorta;
    std::string horaLarga;
};

// The formats of the user's locale (LC_TIME); those of the "C" locale when it cannot be loaded.
FormatosFecha FormatosDelUsuario();

// The date and the time of the moment, each in its format, joined by one blank; narrow
// (Windows-1252) text.
std::string TextoFecha(const std::tm& momento, const FormatosFecha& formatos);

// TextoFecha of the present moment, in local time, with the user's formats.
std::string FechaActual();

// Where the export takes its "fecha" from; tests give a fixed one.
using FuenteFecha = std::function<std::string()>;

}  // namespace rt
