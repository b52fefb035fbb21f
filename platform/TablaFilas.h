#pragma once
// The rows of an open table as they sit in memory: the header that lays them out and every
// record, deleted ones included, as in the file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DbfCabecera.h"
#include "platform/DbfValor.h"

namespace rt::tabla {

struct Filas {
    CabeceraDbf cabecera;
    std::string registros;
    std::size_t total = 0;
    std::size_t vivas = 0;

    const CampoDbf& Campo(int i) const { return cabecera.campos[static_cast<std::size_t>(i)]; }

    std::string_view Registro(std::size_t fila) const {
        return std::string_view(registros).substr(fila * cabecera.longitudRegistro,
                                                  cabecera.longitudRegistro);
    }

    bool Viva(std::size_t fila) const { return registros[fila * cabecera.longitudRegistro] != '*'; }

    std::string_view Bytes(std::string_view registro, int i) const {
        const CampoDbf& c = Campo(i);
        return registro.substr(1 + c.desplazamiento, static_cast<std::size_t>(c.ancho));
    }

    std::string Texto(std::string_view registro, int i) const {
        return TextoDeCampo(Campo(i), Bytes(registro, i), cabecera.nivel7);
    }

    // The row's key in a numeric order, as the index holds it.
    double ClaveNumerica(std::size_t fila, int campo) const;
};

// The number a text holds, blanks around it allowed; nothing when any of it is no number.
std::optional<double> NumeroEstricto(std::string_view texto);

}  // namespace rt::tabla
