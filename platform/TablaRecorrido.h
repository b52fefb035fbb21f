#pragma once
// The walk over an open table's rows: the current row, the selection and the order set on it, and
// the lookups behind Localizar and Seleccionar. Row numbers count from 0 in stored order.
//
// With neither selection nor order the walk goes over the row numbers themselves, skipping deleted
// rows; otherwise over a view of row numbers, built when asked for and again when rows were posted
// since. The lookups are built on first use and kept up to date as rows are posted.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Mdx.h"
#include "platform/TablaFilas.h"

namespace rt::tabla {

// The production index as read when the table was opened.
struct IndiceLeido {
    std::filesystem::path ruta;
    std::string datos;  // empty where there is no file or it is damaged
    std::vector<EtiquetaMdx> etiquetas;
    std::string error;             // a damaged file is reported when its order is asked for
    std::size_t filasAlAbrir = 0;  // the rows the file describes
};

class Recorrido {
  public:
    // Both are owned beside this walk and outlive it; tablaEnMensaje names the table in errors.
    Recorrido(const Filas& filas, const IndiceLeido& indice, std::string tablaEnMensaje);
    Recorrido(const Recorrido&) = delete;
    Recorrido& operator=(const Recorrido&) = delete;

    void Primero();
    void Siguiente();
    bool Fin() const { return conVista_ ? cursor_ >= vista_.size() : cursor_ >= filas_.total; }
    // The row the walk stands on, or filas.total past the end.
    std::size_t FilaActual() const {
        return conVista_ ? (cursor_ < vista_.size() ? vista_[cursor_] : filas_.total) : cursor_;
    }
    // Makes a row found by Localizar the current one.
    void IrA(std::uint32_t fila);

    // The first row (in stored order, within the selection) whose fields hold these values.
    std::optional<std::uint32_t> Localizar(int campo, std::string_view valor);
    std::optional<std::uint32_t> Localizar(int campo1, std::string_view valor1, int campo2,
                                           std::string_view valor2);

    // These set the view; the caller goes to the first row afterwards.
    void Seleccionar(int campo, std::string_view valor);
    void QuitarSeleccion();
    void RecorrerPor(int campo);  // -1 for stored order

    // A row was posted at the end: the lookups take it in, and the walk stands past the end.
    void FilaAnadida(std::uint32_t fila, std::string_view registro);

  private:
    // Rows matching a value of one field (or of a pair of fields), in stored order.
    struct Busqueda {
        std::vector<int> campos;
        std::unordered_map<std::string, std::vector<std::uint32_t>> filas;
    };

    std::string ClaveDeValor(int i, std::string_view valor) const;
    std::string ClaveDeFila(const Busqueda& b, std::string_view registro) const;
    Busqueda& BusquedaDe(std::vector<int> campos);
    std::optional<std::uint32_t> LocalizarClave(std::vector<int> campos, const std::string& clave);
    bool EnSeleccion(std::size_t fila) const;
    void SaltarBorradas();

    void ConstruirVista();
    bool ConstruirVistaDesdeIndice();
    const EtiquetaMdx* EtiquetaDe(int campo) const;
    const std::vector<std::uint32_t>& OrdenDelIndice(const EtiquetaMdx& etiqueta);
    void Ordenar(std::vector<std::uint32_t>& filas) const;

    const Filas& filas_;
    const IndiceLeido& indice_;
    std::string tablaEnMensaje_;

    std::size_t cursor_ = 0;
    bool conVista_ = false;
    std::vector<std::uint32_t> vista_;
    std::size_t totalVista_ = 0;  // the rows there were when the view was built
    bool conSeleccion_ = false;
    int campoSeleccion_ = -1;
    std::string valorSeleccion_;
    int campoOrden_ = -1;

    std::vector<Busqueda> busquedas_;

    // The index's order for the field last asked for, checked against the table.
    std::optional<std::vector<std::uint32_t>> ordenIndice_;
    int campoOrdenIndice_ = -1;
};

}  // namespace rt::tabla
