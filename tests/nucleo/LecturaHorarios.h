#pragma once
// Reads the teachers' timetables of an exported document back into plain values (UTF-8), with
// the names of every child in order, so that tests can check both content and shape.

#include <string>
#include <utility>
#include <vector>

#include "platform/Documento.h"
#include "text/Cp1252.h"

namespace rt::prueba {

using Datos = std::vector<std::pair<std::string, std::string>>;  // nombre_dato, text

struct BloqueLeido {
    std::string seq;
    std::string registros;           // "" when the attribute is absent
    Datos datos;                     // the dato children, in order
    std::vector<BloqueLeido> hijos;  // the grupo_datos children, in order
    std::vector<std::string> forma;  // every child's name, in order

    std::string Dato(const std::string& nombre) const {
        for (const auto& [n, v] : datos) {
            if (n == nombre) return v;
        }
        return "<sin dato " + nombre + ">";
    }
};

inline std::string Atributo(const NodoXML& nodo, const std::string& nombre) {
    return AnsiAUtf8(nodo.SeleccionarNodo("@" + nombre).Texto());
}

inline BloqueLeido LeerBloqueXML(const NodoXML& nodo) {
    BloqueLeido bloque;
    bloque.seq = Atributo(nodo, "seq");
    bloque.registros = Atributo(nodo, "registros");
    for (NodoXML hijo = nodo.PrimerHijo(); hijo; hijo = hijo.SiguienteHermano()) {
        bloque.forma.push_back(hijo.Nombre());
        if (hijo.Nombre() == "dato") {
            bloque.datos.emplace_back(Atributo(hijo, "nombre_dato"), AnsiAUtf8(hijo.Texto()));
        } else if (hijo.Nombre() == "grupo_datos") {
            bloque.hijos.push_back(LeerBloqueXML(hijo));
        }
    }
    return bloque;
}

// The names of the datos of one lesson record, in the order they are written.
inline const std::vector<std::string>& NombresDeLeccion() {
    static const std::vector<std::string> nombres = {
        "N_DIASEMANA", "X_TRAMO", "X_DEPENDENCIA", "X_UNIDAD", "X_OFERTAMATRIG", "X_MATERIAOMG",
        "F_INICIO",    "F_FIN",   "N_HORINI",      "N_HORFIN", "X_ACTIVIDAD"};
    return nombres;
}

}  // namespace rt::prueba
