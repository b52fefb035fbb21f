#include "platform/Tabla.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/DbfCabecera.h"
#include "platform/DbfFichero.h"
#include "platform/DbfValor.h"
#include "platform/Error.h"
#include "platform/Mdx.h"
#include "platform/TablaFicheros.h"
#include "platform/TablaFilas.h"
#include "platform/TablaRecorrido.h"

namespace rt {

namespace fs = std::filesystem;
using tabla::Mayusculas;
using tabla::NombreDeTabla;
using tabla::NombreUtf8;
using tabla::NumeroEstricto;

namespace {

// Appended rows go to the file in blocks of about this size.
constexpr std::size_t kBloqueEscritura = 256 * 1024;

}  // namespace

struct Tabla::Impl {
    fs::path fichero;
    std::string nombre;  // Windows-1252, for messages
    FicheroDbf archivo;
    tabla::Filas filas;
    std::string bloqueCabecera;  // the first 32 bytes as read, patched on close
    std::unordered_map<std::string, int> porNombre;
    std::size_t enDisco = 0;  // records already written
    bool cambiada = false;

    bool anadiendo = false;
    std::string nueva;

    // The production index as read, and the tags this engine keeps (a tag name and its numeric
    // field), which are written whole on close when rows were added.
    tabla::IndiceLeido indice;
    std::vector<std::pair<std::string, int>> etiquetasPropias;
    bool indicePropio = false;

    // Walks `filas` and reads `indice` in place: Impl lives behind impl_ and never moves.
    tabla::Recorrido recorrido;

    Impl(fs::path f, std::string n, FicheroDbf a)
        : fichero(std::move(f)),
          nombre(std::move(n)),
          archivo(std::move(a)),
          recorrido(filas, indice, TablaEnMensaje()) {}

    std::string TablaEnMensaje() const {
        return NombreUtf8(nombre) + " (" + RutaEnMensaje(fichero) + ")";
    }

    [[noreturn]] void Fallo(const std::string& mensaje) const {
        throw Error("Tabla " + TablaEnMensaje() + ": " + mensaje);
    }

    int Campo(std::string_view campo) const {
        const auto it = porNombre.find(Mayusculas(campo));
        if (it == porNombre.end()) {
            throw Error("La tabla " + TablaEnMensaje() + " no tiene el campo " + NombreUtf8(campo) +
                        ".");
        }
        return it->second;
    }

    // The current row's record: the one being built, else the one the walk stands on.
    std::string_view Actual() const {
        if (anadiendo) return nueva;
        const std::size_t fila = recorrido.FilaActual();
        if (fila >= filas.total) Fallo("no hay fila actual (se ha llegado al final).");
        return filas.Registro(fila);
    }

    void Primero() {
        if (anadiendo) anadiendo = false;  // an unposted row is dropped, as on cancel
        recorrido.Primero();
    }

    // A row that Localizar found becomes current; the row being built, if any, is dropped.
    bool IrA(std::optional<std::uint32_t> fila) {
        if (!fila) return false;
        anadiendo = false;
        recorrido.IrA(*fila);
        return true;
    }

    void ComprobarFilaNueva() {
        if (!anadiendo) Fallo("no se ha empezado ninguna fila nueva.");
    }

    // Opening: the whole file is read in one pass.
    void LeerFilas(const std::string& datos) {
        filas.cabecera = LeerCabeceraDbf(datos, fichero);
        const CabeceraDbf& cabecera = filas.cabecera;
        const std::size_t cabe =
            (datos.size() - cabecera.longitudCabecera) / cabecera.longitudRegistro;
        if (cabecera.filas > cabe) {
            throw Error("La tabla " + TablaEnMensaje() + " está incompleta: la cabecera anuncia " +
                        std::to_string(cabecera.filas) + " filas y el fichero solo contiene " +
                        std::to_string(cabe) + ".");
        }
        filas.total = cabecera.filas;
        enDisco = filas.total;
        filas.registros =
            datos.substr(cabecera.longitudCabecera, filas.total * cabecera.longitudRegistro);
        bloqueCabecera = datos.substr(0, 32);
        for (std::size_t f = 0; f < filas.total; ++f) {
            if (filas.Viva(f)) ++filas.vivas;
        }
        for (std::size_t i = 0; i < cabecera.campos.size(); ++i) {
            porNombre.emplace(Mayusculas(cabecera.campos[i].nombre), static_cast<int>(i));
        }
        indice.filasAlAbrir = filas.total;
    }

    void LeerIndice() {
        if (!filas.cabecera.conIndice) return;
        indice.ruta = tabla::RutaHermana(fichero, ".MDX");
        std::error_code ec;
        if (fs::exists(indice.ruta, ec)) {
            indice.datos = tabla::LeerFicheroEntero(indice.ruta);
            try {
                indice.etiquetas = LeerEtiquetasMdx(indice.datos, indice.ruta);
            } catch (const Error& e) {
                indice.error = e.what();
                indice.datos.clear();
            }
            AdoptarEtiquetas();
        } else if ((filas.cabecera.version & 0xF0) != 0x30) {
            // The index file went missing: it is made again from the marked fields on close
            // (not for the FoxPro family, whose flag stands for another kind of index).
            RehacerEtiquetas();
        }
    }

    // Tags on numeric fields are kept up to date; a file holding any other kind of tag was
    // written by another program and is left as it is.
    void AdoptarEtiquetas() {
        indicePropio = indice.error.empty();
        for (const auto& e : indice.etiquetas) {
            const auto it = porNombre.find(Mayusculas(e.expresion));
            if (e.tipoClave != 'N' || it == porNombre.end() ||
                !EsNumerico(filas.Campo(it->second))) {
                indicePropio = false;
                break;
            }
            etiquetasPropias.emplace_back(e.nombre, it->second);
        }
    }

    void RehacerEtiquetas() {
        indicePropio = true;
        for (std::size_t i = 0; i < filas.cabecera.campos.size(); ++i) {
            const CampoDbf& c = filas.cabecera.campos[i];
            if (c.indexado && EsNumerico(c))
                etiquetasPropias.emplace_back(c.nombre, static_cast<int>(i));
        }
    }

    // Writing: rows posted since the last write go to the end of the file.
    void Volcar() {
        const std::size_t desde = enDisco * filas.cabecera.longitudRegistro;
        if (desde == filas.registros.size()) return;
        archivo.Escribir(filas.cabecera.longitudCabecera + desde,
                         std::string_view(filas.registros).substr(desde));
        enDisco = filas.total;
    }

    void EscribirIndice() {
        std::vector<EtiquetaNueva> nuevas;
        for (const auto& [nombreEtiqueta, campo] : etiquetasPropias) {
            EtiquetaNueva e{nombreEtiqueta, filas.Campo(campo).nombre, {}};
            e.claves.reserve(filas.vivas);
            for (std::size_t f = 0; f < filas.total; ++f) {
                if (filas.Viva(f))
                    e.claves.emplace_back(filas.ClaveNumerica(f, campo),
                                          static_cast<std::uint32_t>(f + 1));
            }
            nuevas.push_back(std::move(e));
        }
        tabla::EscribirFicheroEntero(indice.ruta,
                                     EscribirMdx(tabla::NombreDeTabla(fichero), std::move(nuevas)));
    }

    // The date of the last update and the row count, in the header block as it was read.
    void ActualizarCabecera() {
        CabeceraDbf hoy;
        FechaDeHoy(hoy);
        bloqueCabecera[1] = static_cast<char>(hoy.anio - 1900);
        bloqueCabecera[2] = static_cast<char>(hoy.mes);
        bloqueCabecera[3] = static_cast<char>(hoy.dia);
        for (int i = 0; i < 4; ++i) {
            bloqueCabecera[kPosFilasDbf + static_cast<std::size_t>(i)] =
                static_cast<char>((filas.total >> (8 * i)) & 0xFF);
        }
    }

    void EscribirCambios() {
        Volcar();
        const std::size_t fin = filas.cabecera.longitudCabecera + filas.registros.size();
        archivo.Escribir(fin, "\x1A");
        archivo.Truncar(fin + 1);
        ActualizarCabecera();
        archivo.Escribir(0, bloqueCabecera);
        if (indicePropio && !etiquetasPropias.empty()) EscribirIndice();
        cambiada = false;
    }

    void Cerrar() {
        if (!archivo.Abierto()) return;
        anadiendo = false;
        try {
            if (cambiada) EscribirCambios();
        } catch (...) {
            archivo.Cerrar();
            throw;
        }
        archivo.Cerrar();
    }
};

Tabla Tabla::Abrir(const fs::path& carpeta, std::string_view nombre) {
    const fs::path ruta = RutaTabla(carpeta, nombre);
    auto impl = std::make_unique<Impl>(ruta, std::string(nombre),
                                       FicheroDbf(ruta, FicheroDbf::Modo::Abrir, nombre));
    impl->LeerFilas(impl->archivo.LeerTodo());
    impl->LeerIndice();
    impl->Primero();
    return Tabla(std::move(impl));
}

Tabla Tabla::Abrir(const fs::path& fichero) {
    const fs::path ruta = RutaTabla(fichero.parent_path(), NombreDeTabla(fichero));
    return Abrir(ruta.parent_path(), NombreDeTabla(ruta));
}

Tabla::Tabla(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Tabla::Tabla(Tabla&&) noexcept = default;
Tabla& Tabla::operator=(Tabla&& otra) noexcept {
    if (this != &otra) {
        if (impl_) {
            try {
                impl_->Cerrar();
            } catch (...) {
            }
        }
        impl_ = std::move(otra.impl_);
    }
    return *this;
}

Tabla::~Tabla() {
    if (!impl_) return;
    try {
        impl_->Cerrar();
    } catch (...) {
        // Nothing can be reported from here; Cerrar() is the way to learn of a failed write.
    }
}

void Tabla::Cerrar() {
    if (impl_) impl_->Cerrar();
}

bool Tabla::Abierta() const { return impl_ && impl_->archivo.Abierto(); }

const fs::path& Tabla::Fichero() const { return impl_->fichero; }

namespace {

void ComprobarAbierta(const Tabla& t) {
    if (!t.Abierta()) throw Error("La tabla está cerrada.");
}

// Text-stored types are blank when empty; binary ones are zero.
bool GuardadoComoTexto(const CampoDbf& c) {
    return c.tipo == 'C' || c.tipo == 'N' || c.tipo == 'F' || c.tipo == 'L' || c.tipo == 'D' ||
           c.tipo == 'M';
}

char* Destino(std::string& registro, const CampoDbf& c) {
    return registro.data() + 1 + c.desplazamiento;
}

std::string_view SinBlancosAlrededor(std::string_view valor) {
    while (!valor.empty() && valor.front() == ' ') valor.remove_prefix(1);
    while (!valor.empty() && valor.back() == ' ') valor.remove_suffix(1);
    return valor;
}

// What a logical field stores for a text (blank for none); nothing where it says neither yes nor
// no.
std::optional<char> LetraLogica(std::string_view recortado) {
    if (recortado.empty()) return ' ';
    switch (recortado[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
        case 'S':
        case 's':
        case '1':
            return 'T';
        case 'F':
        case 'f':
        case 'N':
        case 'n':
        case '0':
            return 'F';
        default:
            return std::nullopt;
    }
}

}  // namespace

void Tabla::Anadir() {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.nueva.assign(t.filas.cabecera.longitudRegistro, '\0');
    t.nueva[0] = ' ';
    for (const auto& c : t.filas.cabecera.campos) {
        if (GuardadoComoTexto(c)) {
            std::fill_n(t.nueva.begin() + static_cast<std::ptrdiff_t>(1 + c.desplazamiento),
                        c.ancho, ' ');
        }
    }
    t.anadiendo = true;
}

void Tabla::PonerTexto(std::string_view campo, std::string_view valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.ComprobarFilaNueva();
    const CampoDbf& c = t.filas.Campo(t.Campo(campo));
    char* destino = Destino(t.nueva, c);
    const std::string_view recortado = SinBlancosAlrededor(valor);
    switch (c.tipo) {
        case 'C':
        case 'D':
        case 'M':
            GuardarTexto(c, destino, valor);
            return;
        case 'L':
            if (const auto letra = LetraLogica(recortado)) {
                *destino = *letra;
                return;
            }
            t.Fallo("'" + NombreUtf8(valor) + "' no es un valor lógico válido para el campo " +
                    NombreUtf8(c.nombre) + ".");
        default:
            break;
    }
    if (!EsNumerico(c))
        t.Fallo("el campo " + NombreUtf8(c.nombre) + " es de un tipo que no se escribe.");
    if (recortado.empty()) {
        GuardarTexto(c, destino, "");
        if (c.tipo != 'N' && c.tipo != 'F') std::fill_n(destino, c.ancho, '\0');
        return;
    }
    if (c.decimales == 0 || c.tipo == 'I' || c.tipo == '+') {
        PonerEntero(campo, AEntero(valor));
        return;
    }
    const auto numero = NumeroEstricto(valor);
    if (!numero) {
        t.Fallo("'" + NombreUtf8(valor) + "' no es un valor numérico válido para el campo " +
                NombreUtf8(c.nombre) + ".");
    }
    PonerFlotante(campo, *numero);
}

void Tabla::PonerEntero(std::string_view campo, std::int32_t valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.ComprobarFilaNueva();
    const CampoDbf& c = t.filas.Campo(t.Campo(campo));
    if (c.tipo == 'C' || c.tipo == 'L') {
        PonerTexto(campo, std::to_string(valor));
        return;
    }
    if (!EsNumerico(c) || !GuardarEntero(c, Destino(t.nueva, c), valor, t.filas.cabecera.nivel7)) {
        t.Fallo("el valor " + std::to_string(valor) + " no cabe en el campo " +
                NombreUtf8(c.nombre) + ".");
    }
}

void Tabla::PonerFlotante(std::string_view campo, double valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.ComprobarFilaNueva();
    const CampoDbf& c = t.filas.Campo(t.Campo(campo));
    if (c.tipo == 'C') {
        CampoDbf ancho = c;
        ancho.tipo = 'N';
        ancho.ancho = 40;
        ancho.decimales = 4;
        std::string texto(40, ' ');
        if (GuardarFlotante(ancho, texto.data(), valor, false)) {
            GuardarTexto(c, Destino(t.nueva, c), NumeroCanonico(texto).value_or(texto));
            return;
        }
    } else if (EsNumerico(c) &&
               GuardarFlotante(c, Destino(t.nueva, c), valor, t.filas.cabecera.nivel7)) {
        return;
    }
    t.Fallo("el valor " + std::to_string(valor) + " no cabe en el campo " + NombreUtf8(c.nombre) +
            ".");
}

void Tabla::PonerLogico(std::string_view campo, bool valor) {
    ComprobarAbierta(*this);
    PonerTexto(campo, valor ? "T" : "F");
}

void Tabla::Grabar() {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    if (!t.anadiendo) t.Fallo("no hay ninguna fila nueva que grabar.");
    t.anadiendo = false;
    t.filas.registros += t.nueva;
    const auto fila = static_cast<std::uint32_t>(t.filas.total);
    ++t.filas.total;
    ++t.filas.vivas;
    t.cambiada = true;
    t.recorrido.FilaAnadida(fila, t.nueva);
    if ((t.filas.total - t.enDisco) * t.filas.cabecera.longitudRegistro >= kBloqueEscritura)
        t.Volcar();
}

void Tabla::Primero() {
    ComprobarAbierta(*this);
    impl_->Primero();
}

void Tabla::Siguiente() {
    ComprobarAbierta(*this);
    impl_->anadiendo = false;
    impl_->recorrido.Siguiente();
}

bool Tabla::Fin() const {
    ComprobarAbierta(*this);
    return impl_->recorrido.Fin();
}

std::size_t Tabla::NumeroFilas() const {
    ComprobarAbierta(*this);
    return impl_->filas.vivas;
}

std::string Tabla::LeerTexto(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    return impl_->filas.Texto(impl_->Actual(), i);
}

std::int32_t Tabla::LeerEntero(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    const std::string texto = impl_->filas.Texto(impl_->Actual(), i);
    // A blank number reads as zero; a blank text is no number.
    if (texto.empty() && EsNumerico(impl_->filas.Campo(i))) return 0;
    return AEntero(texto);
}

double Tabla::LeerFlotante(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    const std::string texto = impl_->filas.Texto(impl_->Actual(), i);
    if (texto.empty() && EsNumerico(impl_->filas.Campo(i))) return 0.0;
    const auto v = NumeroEstricto(texto);
    if (!v) {
        impl_->Fallo("'" + NombreUtf8(texto) + "' del campo " + NombreUtf8(campo) +
                     " no es un valor numérico válido.");
    }
    return *v;
}

bool Tabla::TieneCampo(std::string_view campo) const {
    ComprobarAbierta(*this);
    return impl_->porNombre.count(Mayusculas(campo)) != 0;
}

bool Tabla::Localizar(std::string_view campo, std::string_view valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    return t.IrA(t.recorrido.Localizar(t.Campo(campo), valor));
}

bool Tabla::Localizar(std::string_view campo1, std::string_view valor1, std::string_view campo2,
                      std::string_view valor2) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    const int i = t.Campo(campo1);
    const int j = t.Campo(campo2);
    return t.IrA(t.recorrido.Localizar(i, valor1, j, valor2));
}

void Tabla::Seleccionar(std::string_view campo, std::string_view valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.recorrido.Seleccionar(t.Campo(campo), valor);
    t.Primero();
}

void Tabla::QuitarSeleccion() {
    ComprobarAbierta(*this);
    impl_->recorrido.QuitarSeleccion();
    impl_->Primero();
}

void Tabla::RecorrerPor(std::string_view campo) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.recorrido.RecorrerPor(campo.empty() ? -1 : t.Campo(campo));
    t.Primero();
}

}  // namespace rt
