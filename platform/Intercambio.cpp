#include "platform/Intercambio.h"

#include "text/Texto.h"

namespace rt {

std::string Registro::Valor(std::size_t posicion) const {
    return TrimBoth(ValorSinRecortar(posicion));
}

std::string Registro::ValorSinRecortar(std::size_t posicion) const {
    return posicion < valores_.size() ? valores_[posicion] : std::string();
}

std::string RutaBloque(std::string_view bloque) {
    return "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"" + std::string(bloque) + "\"]/grupo_datos";
}

std::vector<Registro> LeerBloque(const Documento& doc, std::string_view bloque) {
    const ListaNodos registros = doc.SeleccionarNodos(RutaBloque(bloque));
    std::vector<Registro> r;
    r.reserve(registros.Longitud());
    // The values are the "dato" children by position; walking the children directly keeps a
    // large file to one path per block instead of one per record.
    for (std::size_t i = 0; i < registros.Longitud(); ++i) {
        std::vector<std::string> valores;
        for (NodoXML h = registros.Elemento(i).PrimerHijo(); h; h = h.SiguienteHermano()) {
            if (h.EsElemento() && h.Nombre() == "dato") valores.push_back(h.Texto());
        }
        r.emplace_back(std::move(valores));
    }
    return r;
}

}  // namespace rt
