#pragma once
// The value of one field in a record: how each dBase column type is read as text and how the
// engine's four kinds are stored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DbfCabecera.h"

namespace rt {

// The field's value as text: a character field without its trailing blanks, a number without
// padding and without trailing decimal zeros ("12.50" reads "12.5", "12.00" reads "12"), a
// logical as "T" or "F", a date as YYYYMMDD; empty for a blank field or a type not read here.
std::string TextoDeCampo(const CampoDbf& campo, std::string_view bytes, bool nivel7);

// True for the types whose text is a number.
bool EsNumerico(const CampoDbf& campo);

// A decimal number written as text, in the form TextoDeCampo gives it; nothing when the text is
// no plain decimal number.
std::optional<std::string> NumeroCanonico(std::string_view texto);

// Stores into the field's bytes. The number forms return false, storing nothing, where the value
// does not fit the field.
void GuardarTexto(const CampoDbf& campo, char* destino, std::string_view valor);
bool GuardarEntero(const CampoDbf& campo, char* destino, std::int32_t valor, bool nivel7);
bool GuardarFlotante(const CampoDbf& campo, char* destino, double valor, bool nivel7);

}  // namespace rt
