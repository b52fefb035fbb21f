#include "export/Soluc.h"

namespace rt {

const std::vector<DefCampo>& CamposSoluc() {
    static const std::vector<DefCampo> campos = {
        {"PROF", TipoCampo::Texto, 4},     {"DIA", TipoCampo::Entero, 0},
        {"HORA", TipoCampo::Entero, 0},    {"ASIG", TipoCampo::Texto, 4},
        {"CODGRUPO", TipoCampo::Texto, 4}, {"AULA", TipoCampo::Texto, 10},
        {"TAREA", TipoCampo::Texto, 12},
    };
    return campos;
}

}  // namespace rt
