// CrearTabla: a new, empty table from the definitions of its fields and indexes.

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/DbfCabecera.h"
#include "platform/DbfFichero.h"
#include "platform/Error.h"
#include "platform/Mdx.h"
#include "platform/Tabla.h"
#include "platform/TablaFicheros.h"

namespace rt {

namespace fs = std::filesystem;
using tabla::IgualSinCaso;
using tabla::NombreUtf8;

namespace {

constexpr int kMaxAnchoTexto = 40;

// The table being made, for the messages that say why it could not be.
struct TablaNueva {
    std::string_view nombre;
    fs::path ruta;

    [[noreturn]] void Fallo(const std::string& que) const {
        throw Error("No se puede crear la tabla " + NombreUtf8(nombre) + " (" +
                    RutaEnMensaje(ruta) + "): " + que);
    }
};

// Integers go in the binary form when the dBase 7 layout is needed anyway.
bool NecesitaNivel7(const std::vector<DefCampo>& campos) {
    return std::any_of(campos.begin(), campos.end(),
                       [](const DefCampo& def) { return def.nombre.size() > 11; });
}

CampoDbf CampoDeDefinicion(const TablaNueva& nueva, const DefCampo& def, bool nivel7) {
    CampoDbf c;
    c.nombre = def.nombre;
    switch (def.tipo) {
        case TipoCampo::Texto:
            if (def.ancho < 1 || def.ancho > kMaxAnchoTexto) {
                nueva.Fallo("el campo " + NombreUtf8(def.nombre) + " tiene un ancho de " +
                            std::to_string(def.ancho) + " (ha de ser de 1 a 40).");
            }
            c.tipo = 'C';
            c.ancho = def.ancho;
            break;
        case TipoCampo::Logico:
            c.tipo = 'L';
            c.ancho = 1;
            break;
        case TipoCampo::Entero:
            c.tipo = nivel7 ? 'I' : 'N';
            c.ancho = nivel7 ? 4 : 11;
            break;
        case TipoCampo::Flotante:
            c.tipo = 'N';
            c.ancho = 20;
            c.decimales = 4;
            break;
    }
    return c;
}

std::vector<CampoDbf> CamposDbf(const TablaNueva& nueva, const std::vector<DefCampo>& campos) {
    const bool nivel7 = NecesitaNivel7(campos);
    std::vector<CampoDbf> dbf;
    for (const auto& def : campos) {
        for (const auto& otro : dbf) {
            if (IgualSinCaso(otro.nombre, def.nombre))
                nueva.Fallo("el campo " + NombreUtf8(def.nombre) + " está repetido.");
        }
        dbf.push_back(CampoDeDefinicion(nueva, def, nivel7));
    }
    if (dbf.empty()) nueva.Fallo("no tiene campos.");
    return dbf;
}

void MarcarIndexados(const TablaNueva& nueva, std::vector<CampoDbf>& dbf,
                     const std::vector<DefIndice>& indices) {
    for (const auto& indice : indices) {
        auto it = std::find_if(dbf.begin(), dbf.end(), [&](const CampoDbf& c) {
            return IgualSinCaso(c.nombre, indice.campo);
        });
        if (it == dbf.end())
            nueva.Fallo("el índice " + NombreUtf8(indice.nombre) + " usa el campo " +
                        NombreUtf8(indice.campo) + ", que no existe.");
        it->indexado = true;
    }
}

// The index file with its tags and no keys; any older one goes, so that it cannot stand for the
// new table.
void EscribirIndiceVacio(const fs::path& ruta, const CabeceraDbf& cabecera,
                         const std::vector<DefIndice>& indices) {
    std::error_code ec;
    const fs::path rutaIndice = tabla::RutaHermana(ruta, ".MDX");
    fs::remove(rutaIndice, ec);
    if (indices.empty()) return;
    std::vector<EtiquetaNueva> etiquetas;
    for (const auto& indice : indices) {
        for (const auto& c : cabecera.campos) {
            if (IgualSinCaso(c.nombre, indice.campo))
                etiquetas.push_back({indice.nombre, c.nombre, {}});
        }
    }
    tabla::EscribirFicheroEntero(rutaIndice,
                                 EscribirMdx(tabla::NombreDeTabla(ruta), std::move(etiquetas)));
}

}  // namespace

void CrearTabla(const fs::path& carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos, const std::vector<DefIndice>& indices) {
    const TablaNueva nueva{nombre, RutaTabla(carpeta, nombre)};
    std::vector<CampoDbf> dbf = CamposDbf(nueva, campos);
    MarcarIndexados(nueva, dbf, indices);
    CabeceraDbf cabecera = NuevaCabeceraDbf(std::move(dbf), nueva.ruta);
    cabecera.conIndice = !indices.empty();
    FicheroDbf archivo(nueva.ruta, FicheroDbf::Modo::Crear, nombre);
    archivo.Escribir(0, EscribirCabeceraDbf(cabecera) + "\x1A");
    EscribirIndiceVacio(nueva.ruta, cabecera, indices);
    archivo.Cerrar();
}

}  // namespace rt
