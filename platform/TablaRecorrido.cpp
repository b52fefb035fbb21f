#include "platform/TablaRecorrido.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/DbfValor.h"
#include "platform/Error.h"
#include "platform/TablaFicheros.h"

namespace rt::tabla {

Recorrido::Recorrido(const Filas& filas, const IndiceLeido& indice, std::string tablaEnMensaje)
    : filas_(filas), indice_(indice), tablaEnMensaje_(std::move(tablaEnMensaje)) {}

void Recorrido::Primero() {
    if (conVista_) {
        if (totalVista_ != filas_.total) ConstruirVista();
        cursor_ = 0;
    } else {
        cursor_ = 0;
        SaltarBorradas();
    }
}

void Recorrido::Siguiente() {
    if (conVista_) {
        if (cursor_ < vista_.size()) ++cursor_;
    } else if (cursor_ < filas_.total) {
        ++cursor_;
        SaltarBorradas();
    }
}

void Recorrido::SaltarBorradas() {
    while (cursor_ < filas_.total && !filas_.Viva(cursor_)) ++cursor_;
}

void Recorrido::IrA(std::uint32_t fila) {
    if (conVista_) {
        if (totalVista_ != filas_.total) ConstruirVista();
        const auto pos = std::find(vista_.begin(), vista_.end(), fila);
        cursor_ = static_cast<std::size_t>(pos - vista_.begin());
    } else {
        cursor_ = fila;
    }
}

std::optional<std::uint32_t> Recorrido::Localizar(int campo, std::string_view valor) {
    return LocalizarClave({campo}, ClaveDeValor(campo, valor));
}

std::optional<std::uint32_t> Recorrido::Localizar(int campo1, std::string_view valor1, int campo2,
                                                  std::string_view valor2) {
    const std::string a = ClaveDeValor(campo1, valor1);
    const std::string b = ClaveDeValor(campo2, valor2);
    return LocalizarClave({campo1, campo2},
                          std::to_string(a.size()) + ':' + a + std::to_string(b.size()) + ':' + b);
}

void Recorrido::Seleccionar(int campo, std::string_view valor) {
    conSeleccion_ = true;
    campoSeleccion_ = campo;
    valorSeleccion_ = ClaveDeValor(campo, valor);
    conVista_ = true;
    ConstruirVista();
}

void Recorrido::QuitarSeleccion() {
    conSeleccion_ = false;
    conVista_ = campoOrden_ >= 0;
    if (conVista_) ConstruirVista();
}

void Recorrido::RecorrerPor(int campo) {
    campoOrden_ = campo;
    if (campoOrden_ >= 0 && !indice_.error.empty() && filas_.Campo(campoOrden_).indexado) {
        throw Error(indice_.error);
    }
    conVista_ = conSeleccion_ || campoOrden_ >= 0;
    if (conVista_) ConstruirVista();
}

void Recorrido::FilaAnadida(std::uint32_t fila, std::string_view registro) {
    for (auto& b : busquedas_) b.filas[ClaveDeFila(b, registro)].push_back(fila);
    if (conVista_) {
        cursor_ = vista_.size();  // the next walk starts again from Primero
    } else {
        cursor_ = fila;
    }
}

// A value as the rows' texts hold it, so that "12" finds a number stored as 12.00.
std::string Recorrido::ClaveDeValor(int i, std::string_view valor) const {
    if (EsNumerico(filas_.Campo(i))) {
        if (auto n = NumeroCanonico(valor)) return *n;
    }
    return std::string(valor);
}

std::string Recorrido::ClaveDeFila(const Busqueda& b, std::string_view registro) const {
    if (b.campos.size() == 1) return filas_.Texto(registro, b.campos[0]);
    std::string clave;
    for (int i : b.campos) {
        const std::string t = filas_.Texto(registro, i);
        clave += std::to_string(t.size()) + ':' + t;
    }
    return clave;
}

Recorrido::Busqueda& Recorrido::BusquedaDe(std::vector<int> campos) {
    for (auto& b : busquedas_) {
        if (b.campos == campos) return b;
    }
    Busqueda b;
    b.campos = std::move(campos);
    for (std::size_t f = 0; f < filas_.total; ++f) {
        if (filas_.Viva(f))
            b.filas[ClaveDeFila(b, filas_.Registro(f))].push_back(static_cast<std::uint32_t>(f));
    }
    busquedas_.push_back(std::move(b));
    return busquedas_.back();
}

std::optional<std::uint32_t> Recorrido::LocalizarClave(std::vector<int> campos,
                                                       const std::string& clave) {
    const Busqueda& b = BusquedaDe(std::move(campos));
    const auto it = b.filas.find(clave);
    if (it == b.filas.end()) return std::nullopt;
    for (const auto fila : it->second) {
        if (EnSeleccion(fila)) return fila;
    }
    return std::nullopt;
}

bool Recorrido::EnSeleccion(std::size_t fila) const {
    return !conSeleccion_ ||
           filas_.Texto(filas_.Registro(fila), campoSeleccion_) == valorSeleccion_;
}

void Recorrido::ConstruirVista() {
    if (ConstruirVistaDesdeIndice()) return;
    vista_.clear();
    if (conSeleccion_) {
        const auto& filas = BusquedaDe({campoSeleccion_}).filas;
        const auto it = filas.find(valorSeleccion_);
        if (it != filas.end()) vista_ = it->second;
    } else {
        vista_.reserve(filas_.vivas);
        for (std::size_t f = 0; f < filas_.total; ++f) {
            if (filas_.Viva(f)) vista_.push_back(static_cast<std::uint32_t>(f));
        }
    }
    if (campoOrden_ >= 0) Ordenar(vista_);
    totalVista_ = filas_.total;
}

bool Recorrido::ConstruirVistaDesdeIndice() {
    const EtiquetaMdx* etiqueta = campoOrden_ >= 0 ? EtiquetaDe(campoOrden_) : nullptr;
    if (!etiqueta) return false;
    const auto& orden = OrdenDelIndice(*etiqueta);
    vista_.clear();
    for (auto f : orden) {
        if (filas_.Viva(f) && EnSeleccion(f)) vista_.push_back(f);
    }
    // Rows posted since the table was opened go in after their equals.
    std::vector<std::uint32_t> nuevas;
    for (std::size_t f = indice_.filasAlAbrir; f < filas_.total; ++f) {
        if (filas_.Viva(f) && EnSeleccion(f)) nuevas.push_back(static_cast<std::uint32_t>(f));
    }
    if (!nuevas.empty()) {
        Ordenar(nuevas);
        std::vector<std::uint32_t> juntas;
        juntas.reserve(vista_.size() + nuevas.size());
        std::merge(vista_.begin(), vista_.end(), nuevas.begin(), nuevas.end(),
                   std::back_inserter(juntas), [&](std::uint32_t a, std::uint32_t b) {
                       return filas_.ClaveNumerica(a, campoOrden_) <
                              filas_.ClaveNumerica(b, campoOrden_);
                   });
        vista_ = std::move(juntas);
    }
    totalVista_ = filas_.total;
    return true;
}

const EtiquetaMdx* Recorrido::EtiquetaDe(int campo) const {
    if (indice_.datos.empty()) return nullptr;
    for (const auto& e : indice_.etiquetas) {
        if (e.tipoClave == 'N' && IgualSinCaso(e.expresion, filas_.Campo(campo).nombre)) {
            return &e;
        }
    }
    return nullptr;
}

// The rows as the index file orders them, checked against the table as it was opened.
const std::vector<std::uint32_t>& Recorrido::OrdenDelIndice(const EtiquetaMdx& etiqueta) {
    if (ordenIndice_ && campoOrdenIndice_ == campoOrden_) return *ordenIndice_;
    std::vector<std::uint32_t> registros =
        RecorrerEtiquetaMdx(indice_.datos, etiqueta, indice_.ruta);
    const std::size_t filasAlAbrir = indice_.filasAlAbrir;
    std::vector<bool> visto(filasAlAbrir, false);
    bool valido = registros.size() == filasAlAbrir;
    for (auto& r : registros) {
        if (!valido || r < 1 || r > filasAlAbrir || visto[r - 1]) {
            valido = false;
            break;
        }
        visto[r - 1] = true;
        --r;
    }
    if (!valido) {
        throw Error("El índice " + RutaEnMensaje(indice_.ruta) + " no corresponde a la tabla " +
                    tablaEnMensaje_ + ". Borre la tabla y vuelva a importar.");
    }
    ordenIndice_ = std::move(registros);
    campoOrdenIndice_ = campoOrden_;
    return *ordenIndice_;
}

void Recorrido::Ordenar(std::vector<std::uint32_t>& filas) const {
    const CampoDbf& c = filas_.Campo(campoOrden_);
    if (EsNumerico(c)) {
        std::vector<std::pair<double, std::uint32_t>> claves;
        claves.reserve(filas.size());
        for (auto f : filas) claves.emplace_back(filas_.ClaveNumerica(f, campoOrden_), f);
        std::stable_sort(claves.begin(), claves.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < filas.size(); ++i) filas[i] = claves[i].second;
    } else {
        std::vector<std::pair<std::string, std::uint32_t>> claves;
        claves.reserve(filas.size());
        for (auto f : filas) claves.emplace_back(filas_.Texto(filas_.Registro(f), campoOrden_), f);
        std::stable_sort(claves.begin(), claves.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < filas.size(); ++i) filas[i] = claves[i].second;
    }
}

}  // namespace rt::tabla
