#pragma once
// Every failure reaches the person as one of these: the message is the user-facing text, in UTF-8.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rt {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The number-conversion failure, with the message "'%s' no es un valor entero válido".
class ErrorConversion : public Error {
public:
    // texto is narrow (Windows-1252) text; the message carries it converted to UTF-8.
    explicit ErrorConversion(std::string_view texto);
};

// Whole-number conversion as the platform does it: leading blanks, an optional sign, then decimal
// digits (the value must fit in 32 signed bits) or "$" / "0x" followed by at most eight hexadecimal
// digits (read as a 32-bit pattern, so "$FFFFFFFF" is -1). Anything else, trailing blanks and the
// empty text included, raises ErrorConversion with the text as given.
std::int32_t AEntero(std::string_view texto);

}  // namespace rt
