#include "export/Minutos.h"

#include "platform/Error.h"
#include "text/Texto.h"

namespace rt {

std::int32_t MinutosDeHora(std::string hora) {
    if (hora.size() < 5) hora.insert(hora.begin(), '0');
    return AEntero(LeftPart(hora, 2)) * 60 + AEntero(RightPart(hora, 2));
}

}  // namespace rt
