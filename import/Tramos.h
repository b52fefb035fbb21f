#pragma once

#include <cstdint>
#include <string>

namespace rt {

// Minutes after midnight as "HH:MM": hours and minutes of at least two digits (480 is "08:00",
// 1440 is "24:00").
std::string FormatoHora(std::int32_t minutos);

}  // namespace rt
