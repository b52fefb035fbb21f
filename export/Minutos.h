#pragma once
// Racima counts the time of day in minutes after midnight; the grid keeps it as "hh:mm".

#include <cstdint>
#include <string>

namespace rt {

// "08:30" gives 510 and "14:05" 845. A text shorter than five characters gets one "0" in front
// ("8:30" is 08:30, the empty text 0). The hours are its first two characters, the minutes its
// last two; either not being a whole number raises ErrorConversion with that part.
std::int32_t MinutosDeHora(std::string hora);

}  // namespace rt
