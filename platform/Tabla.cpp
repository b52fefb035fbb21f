#include "platform/Tabla.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/DbfCabecera.h"
#include "platform/DbfFichero.h"
#include "platform/DbfValor.h"
#include "platform/Error.h"
#include "platform/Mdx.h"
#include "text/Cp1252.h"

namespace rt {

namespace fs = std::filesystem;

namespace {

// Appended rows go to the file in blocks of about this size.
constexpr std::size_t kBloqueEscritura = 256 * 1024;
constexpr int kMaxAnchoTexto = 40;

std::string Mayusculas(std::string_view t) {
    std::string r(t);
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

bool IgualSinCaso(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Mayusculas(a) == Mayusculas(b);
}

// The folder's entry named like `nombre` but for letter case, or nothing.
std::optional<fs::path> BuscarSinCaso(const fs::path& carpeta, const std::string& nombre) {
    std::error_code ec;
    for (fs::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::u8string u8 = it->path().filename().u8string();
        if (IgualSinCaso(std::string(u8.begin(), u8.end()), nombre)) return it->path();
    }
    return std::nullopt;
}

std::string NombreUtf8(std::string_view nombre) { return AnsiAUtf8(nombre); }

fs::path RutaHermana(const fs::path& tabla, std::string_view extension) {
    const std::u8string tallo = tabla.stem().u8string();
    const std::string nombre = std::string(tallo.begin(), tallo.end()) + std::string(extension);
    const fs::path exacta =
        tabla.parent_path() / fs::path(std::u8string(nombre.begin(), nombre.end()));
    std::error_code ec;
    if (fs::exists(exacta, ec)) return exacta;
    return BuscarSinCaso(tabla.parent_path(), nombre).value_or(exacta);
}

std::string NombreDeTabla(const fs::path& fichero) {
    const std::u8string u8 = fichero.stem().u8string();
    return Utf8AAnsi(std::string(u8.begin(), u8.end()));
}

std::optional<double> NumeroEstricto(std::string_view texto) {
    std::string t(texto);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    const char* inicio = t.c_str();
    while (*inicio == ' ') ++inicio;
    if (*inicio == '\0') return std::nullopt;
    char* fin = nullptr;
    errno = 0;
    const double v = std::strtod(inicio, &fin);
    if (*fin != '\0' || errno == ERANGE) return std::nullopt;
    return v;
}

std::string LeerFicheroEntero(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw Error("No se puede leer el fichero " + RutaEnMensaje(ruta) + ".");
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void EscribirFicheroEntero(const fs::path& ruta, std::string_view datos) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
    f.close();
    if (!f) throw Error("No se puede escribir el fichero " + RutaEnMensaje(ruta) + ".");
}

// Rows matching a value of one field (or of a pair of fields), in stored order.
struct Busqueda {
    std::vector<int> campos;
    std::unordered_map<std::string, std::vector<std::uint32_t>> filas;
};

}  // namespace

fs::path RutaTabla(const fs::path& carpeta, std::string_view nombre) {
    std::string fichero = NombreUtf8(nombre);
    if (!(fichero.size() > 4 && IgualSinCaso(fichero.substr(fichero.size() - 4), ".DBF"))) {
        fichero += ".DBF";
    }
    const fs::path exacta = carpeta / fs::path(std::u8string(fichero.begin(), fichero.end()));
    std::error_code ec;
    if (fs::exists(exacta, ec)) return exacta;
    return BuscarSinCaso(carpeta, fichero).value_or(exacta);
}

void BorrarTabla(const fs::path& carpeta, std::string_view nombre) {
    const fs::path dbf = RutaTabla(carpeta, nombre);
    const fs::path mdx = RutaHermana(dbf, ".MDX");
    std::error_code ec;
    fs::remove(dbf, ec);
    fs::remove(mdx, ec);
}

struct Tabla::Impl {
    fs::path fichero;
    std::string nombre;  // Windows-1252, for messages
    FicheroDbf archivo;
    CabeceraDbf cabecera;
    std::string bloqueCabecera;  // the first 32 bytes as read, patched on close
    std::unordered_map<std::string, int> porNombre;

    std::string registros;  // every record, deleted ones included, as in the file
    std::size_t total = 0;
    std::size_t vivas = 0;
    std::size_t enDisco = 0;  // records already written
    bool cambiada = false;

    bool anadiendo = false;
    std::string nueva;

    // The walk: over row numbers in stored order, or over `vista` when a selection or an order
    // is active.
    std::size_t cursor = 0;
    bool conVista = false;
    std::vector<std::uint32_t> vista;
    std::size_t totalVista = 0;
    bool conSeleccion = false;
    int campoSeleccion = -1;
    std::string valorSeleccion;
    int campoOrden = -1;

    std::vector<Busqueda> busquedas;

    // The production index: its bytes as read, its tags, and the tags this engine keeps (a tag
    // name and its numeric field), which are written whole on close when rows were added.
    fs::path rutaIndice;
    std::string indice;
    std::vector<EtiquetaMdx> etiquetas;
    std::vector<std::pair<std::string, int>> etiquetasPropias;
    bool indicePropio = false;
    std::string errorIndice;  // a damaged file is reported when its order is asked for
    std::size_t filasAlAbrir = 0;
    std::optional<std::vector<std::uint32_t>> ordenIndice;
    int campoOrdenIndice = -1;

    Impl(fs::path f, std::string n, FicheroDbf a)
        : fichero(std::move(f)), nombre(std::move(n)), archivo(std::move(a)) {}

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

    std::string_view Registro(std::size_t fila) const {
        return std::string_view(registros).substr(fila * cabecera.longitudRegistro,
                                                  cabecera.longitudRegistro);
    }

    bool Viva(std::size_t fila) const { return registros[fila * cabecera.longitudRegistro] != '*'; }

    std::string_view Bytes(std::string_view registro, int i) const {
        const CampoDbf& c = cabecera.campos[static_cast<std::size_t>(i)];
        return registro.substr(1 + c.desplazamiento, static_cast<std::size_t>(c.ancho));
    }

    std::string Texto(std::string_view registro, int i) const {
        return TextoDeCampo(cabecera.campos[static_cast<std::size_t>(i)], Bytes(registro, i),
                            cabecera.nivel7);
    }

    // The current row's record: the one being built, else the one the walk stands on.
    std::string_view Actual() const {
        if (anadiendo) return nueva;
        const std::size_t fila =
            conVista ? (cursor < vista.size() ? vista[cursor] : total) : cursor;
        if (fila >= total) Fallo("no hay fila actual (se ha llegado al final).");
        return Registro(fila);
    }

    // A value as the rows' texts hold it, so that "12" finds a number stored as 12.00.
    std::string ClaveDeValor(int i, std::string_view valor) const {
        if (EsNumerico(cabecera.campos[static_cast<std::size_t>(i)])) {
            if (auto n = NumeroCanonico(valor)) return *n;
        }
        return std::string(valor);
    }

    std::string ClaveDeFila(const Busqueda& b, std::string_view registro) const {
        if (b.campos.size() == 1) return Texto(registro, b.campos[0]);
        std::string clave;
        for (int i : b.campos) {
            const std::string t = Texto(registro, i);
            clave += std::to_string(t.size()) + ':' + t;
        }
        return clave;
    }

    Busqueda& BusquedaDe(std::vector<int> campos) {
        for (auto& b : busquedas) {
            if (b.campos == campos) return b;
        }
        Busqueda b;
        b.campos = std::move(campos);
        for (std::size_t f = 0; f < total; ++f) {
            if (Viva(f))
                b.filas[ClaveDeFila(b, Registro(f))].push_back(static_cast<std::uint32_t>(f));
        }
        busquedas.push_back(std::move(b));
        return busquedas.back();
    }

    bool EnSeleccion(std::size_t fila) const {
        return !conSeleccion || Texto(Registro(fila), campoSeleccion) == valorSeleccion;
    }

    void ConstruirVista() {
        if (ConstruirVistaDesdeIndice()) return;
        vista.clear();
        if (conSeleccion) {
            const auto& filas = BusquedaDe({campoSeleccion}).filas;
            const auto it = filas.find(valorSeleccion);
            if (it != filas.end()) vista = it->second;
        } else {
            vista.reserve(vivas);
            for (std::size_t f = 0; f < total; ++f) {
                if (Viva(f)) vista.push_back(static_cast<std::uint32_t>(f));
            }
        }
        if (campoOrden >= 0) Ordenar(vista);
        totalVista = total;
    }

    double ClaveNumerica(std::size_t fila, int campo) const {
        const std::string t = Texto(Registro(fila), campo);
        // dBase indexes a blank number as zero.
        return t.empty() ? 0.0 : NumeroEstricto(t).value_or(0.0);
    }

    const EtiquetaMdx* EtiquetaDe(int campo) const {
        if (indice.empty()) return nullptr;
        for (const auto& e : etiquetas) {
            if (e.tipoClave == 'N' &&
                IgualSinCaso(e.expresion,
                             cabecera.campos[static_cast<std::size_t>(campo)].nombre)) {
                return &e;
            }
        }
        return nullptr;
    }

    // The rows as the index file orders them, checked against the table as it was opened.
    const std::vector<std::uint32_t>& OrdenDelIndice(const EtiquetaMdx& etiqueta) {
        if (ordenIndice && campoOrdenIndice == campoOrden) return *ordenIndice;
        std::vector<std::uint32_t> registros = RecorrerEtiquetaMdx(indice, etiqueta, rutaIndice);
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
            throw Error("El índice " + RutaEnMensaje(rutaIndice) + " no corresponde a la tabla " +
                        TablaEnMensaje() + ". Borre la tabla y vuelva a importar.");
        }
        ordenIndice = std::move(registros);
        campoOrdenIndice = campoOrden;
        return *ordenIndice;
    }

    bool ConstruirVistaDesdeIndice() {
        const EtiquetaMdx* etiqueta = campoOrden >= 0 ? EtiquetaDe(campoOrden) : nullptr;
        if (!etiqueta) return false;
        const auto& orden = OrdenDelIndice(*etiqueta);
        vista.clear();
        for (auto f : orden) {
            if (Viva(f) && EnSeleccion(f)) vista.push_back(f);
        }
        // Rows posted since the table was opened go in after their equals.
        std::vector<std::uint32_t> nuevas;
        for (std::size_t f = filasAlAbrir; f < total; ++f) {
            if (Viva(f) && EnSeleccion(f)) nuevas.push_back(static_cast<std::uint32_t>(f));
        }
        if (!nuevas.empty()) {
            Ordenar(nuevas);
            std::vector<std::uint32_t> juntas;
            juntas.reserve(vista.size() + nuevas.size());
            std::merge(vista.begin(), vista.end(), nuevas.begin(), nuevas.end(),
                       std::back_inserter(juntas), [&](std::uint32_t a, std::uint32_t b) {
                           return ClaveNumerica(a, campoOrden) < ClaveNumerica(b, campoOrden);
                       });
            vista = std::move(juntas);
        }
        totalVista = total;
        return true;
    }

    void Ordenar(std::vector<std::uint32_t>& filas) const {
        const CampoDbf& c = cabecera.campos[static_cast<std::size_t>(campoOrden)];
        if (EsNumerico(c)) {
            std::vector<std::pair<double, std::uint32_t>> claves;
            claves.reserve(filas.size());
            for (auto f : filas) claves.emplace_back(ClaveNumerica(f, campoOrden), f);
            std::stable_sort(claves.begin(), claves.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < filas.size(); ++i) filas[i] = claves[i].second;
        } else {
            std::vector<std::pair<std::string, std::uint32_t>> claves;
            claves.reserve(filas.size());
            for (auto f : filas) claves.emplace_back(Texto(Registro(f), campoOrden), f);
            std::stable_sort(claves.begin(), claves.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < filas.size(); ++i) filas[i] = claves[i].second;
        }
    }

    bool LocalizarClave(std::vector<int> campos, const std::string& clave) {
        Impl& t = *this;
        const Busqueda& b = t.BusquedaDe(std::move(campos));
        const auto it = b.filas.find(clave);
        if (it == b.filas.end()) return false;
        for (const auto fila : it->second) {
            if (!t.EnSeleccion(fila)) continue;
            t.anadiendo = false;
            if (t.conVista) {
                if (t.totalVista != t.total) t.ConstruirVista();
                const auto pos = std::find(t.vista.begin(), t.vista.end(), fila);
                t.cursor = static_cast<std::size_t>(pos - t.vista.begin());
            } else {
                t.cursor = fila;
            }
            return true;
        }
        return false;
    }

    void SaltarBorradas() {
        while (cursor < total && !Viva(cursor)) ++cursor;
    }

    void Primero() {
        if (anadiendo) anadiendo = false;  // an unposted row is dropped, as on cancel
        if (conVista) {
            if (totalVista != total) ConstruirVista();
            cursor = 0;
        } else {
            cursor = 0;
            SaltarBorradas();
        }
    }

    void Volcar() {
        const std::size_t desde = enDisco * cabecera.longitudRegistro;
        if (desde == registros.size()) return;
        archivo.Escribir(cabecera.longitudCabecera + desde,
                         std::string_view(registros).substr(desde));
        enDisco = total;
    }

    void EscribirIndice() {
        std::vector<EtiquetaNueva> nuevas;
        for (const auto& [nombreEtiqueta, campo] : etiquetasPropias) {
            EtiquetaNueva e{
                nombreEtiqueta, cabecera.campos[static_cast<std::size_t>(campo)].nombre, {}};
            e.claves.reserve(vivas);
            for (std::size_t f = 0; f < total; ++f) {
                if (Viva(f))
                    e.claves.emplace_back(ClaveNumerica(f, campo),
                                          static_cast<std::uint32_t>(f + 1));
            }
            nuevas.push_back(std::move(e));
        }
        EscribirFicheroEntero(rutaIndice, EscribirMdx(NombreDeTabla(fichero), std::move(nuevas)));
    }

    void Cerrar() {
        if (!archivo.Abierto()) return;
        anadiendo = false;
        try {
            if (cambiada) {
                Volcar();
                const std::size_t fin = cabecera.longitudCabecera + registros.size();
                archivo.Escribir(fin, "\x1A");
                archivo.Truncar(fin + 1);
                CabeceraDbf hoy;
                FechaDeHoy(hoy);
                bloqueCabecera[1] = static_cast<char>(hoy.anio - 1900);
                bloqueCabecera[2] = static_cast<char>(hoy.mes);
                bloqueCabecera[3] = static_cast<char>(hoy.dia);
                for (int i = 0; i < 4; ++i) {
                    bloqueCabecera[kPosFilasDbf + static_cast<std::size_t>(i)] =
                        static_cast<char>((total >> (8 * i)) & 0xFF);
                }
                archivo.Escribir(0, bloqueCabecera);
                if (indicePropio && !etiquetasPropias.empty()) EscribirIndice();
                cambiada = false;
            }
        } catch (...) {
            archivo.Cerrar();
            throw;
        }
        archivo.Cerrar();
    }
};

void CrearTabla(const fs::path& carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos, const std::vector<DefIndice>& indices) {
    const fs::path ruta = RutaTabla(carpeta, nombre);
    const auto fallo = [&](const std::string& que) {
        throw Error("No se puede crear la tabla " + NombreUtf8(nombre) + " (" +
                    RutaEnMensaje(ruta) + "): " + que);
    };
    std::vector<CampoDbf> dbf;
    bool nivel7 = false;
    for (const auto& def : campos) {
        if (def.nombre.size() > 11) nivel7 = true;
    }
    for (const auto& def : campos) {
        for (const auto& otro : dbf) {
            if (IgualSinCaso(otro.nombre, def.nombre))
                fallo("el campo " + NombreUtf8(def.nombre) + " está repetido.");
        }
        CampoDbf c;
        c.nombre = def.nombre;
        switch (def.tipo) {
            case TipoCampo::Texto:
                if (def.ancho < 1 || def.ancho > kMaxAnchoTexto) {
                    fallo("el campo " + NombreUtf8(def.nombre) + " tiene un ancho de " +
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
        dbf.push_back(std::move(c));
    }
    if (dbf.empty()) fallo("no tiene campos.");
    for (const auto& indice : indices) {
        auto it = std::find_if(dbf.begin(), dbf.end(), [&](const CampoDbf& c) {
            return IgualSinCaso(c.nombre, indice.campo);
        });
        if (it == dbf.end())
            fallo("el índice " + NombreUtf8(indice.nombre) + " usa el campo " +
                  NombreUtf8(indice.campo) + ", que no existe.");
        it->indexado = true;
    }
    CabeceraDbf cabecera = NuevaCabeceraDbf(std::move(dbf), ruta);
    cabecera.conIndice = !indices.empty();
    FicheroDbf archivo(ruta, FicheroDbf::Modo::Crear, nombre);
    archivo.Escribir(0, EscribirCabeceraDbf(cabecera) + "\x1A");
    std::error_code ec;
    const fs::path rutaIndice = RutaHermana(ruta, ".MDX");
    fs::remove(rutaIndice, ec);
    if (!indices.empty()) {
        std::vector<EtiquetaNueva> etiquetas;
        for (const auto& indice : indices) {
            for (const auto& c : cabecera.campos) {
                if (IgualSinCaso(c.nombre, indice.campo))
                    etiquetas.push_back({indice.nombre, c.nombre, {}});
            }
        }
        EscribirFicheroEntero(rutaIndice, EscribirMdx(NombreDeTabla(ruta), std::move(etiquetas)));
    }
    archivo.Cerrar();
}

Tabla Tabla::Abrir(const fs::path& carpeta, std::string_view nombre) {
    const fs::path ruta = RutaTabla(carpeta, nombre);
    auto impl = std::make_unique<Impl>(ruta, std::string(nombre),
                                       FicheroDbf(ruta, FicheroDbf::Modo::Abrir, nombre));
    const std::string datos = impl->archivo.LeerTodo();
    Impl& t = *impl;
    t.cabecera = LeerCabeceraDbf(datos, ruta);
    const std::size_t cabe =
        (datos.size() - t.cabecera.longitudCabecera) / t.cabecera.longitudRegistro;
    if (t.cabecera.filas > cabe) {
        throw Error("La tabla " + t.TablaEnMensaje() + " está incompleta: la cabecera anuncia " +
                    std::to_string(t.cabecera.filas) + " filas y el fichero solo contiene " +
                    std::to_string(cabe) + ".");
    }
    t.total = t.cabecera.filas;
    t.enDisco = t.total;
    t.registros = datos.substr(t.cabecera.longitudCabecera, t.total * t.cabecera.longitudRegistro);
    t.bloqueCabecera = datos.substr(0, 32);
    for (std::size_t f = 0; f < t.total; ++f) {
        if (t.Viva(f)) ++t.vivas;
    }
    for (std::size_t i = 0; i < t.cabecera.campos.size(); ++i) {
        t.porNombre.emplace(Mayusculas(t.cabecera.campos[i].nombre), static_cast<int>(i));
    }
    t.filasAlAbrir = t.total;
    if (t.cabecera.conIndice) {
        t.rutaIndice = RutaHermana(ruta, ".MDX");
        std::error_code ec;
        if (fs::exists(t.rutaIndice, ec)) {
            t.indice = LeerFicheroEntero(t.rutaIndice);
            try {
                t.etiquetas = LeerEtiquetasMdx(t.indice, t.rutaIndice);
            } catch (const Error& e) {
                t.errorIndice = e.what();
                t.indice.clear();
            }
            // Tags on numeric fields are kept up to date; a file holding any other kind of tag
            // was written by another program and is left as it is.
            t.indicePropio = t.errorIndice.empty();
            for (const auto& e : t.etiquetas) {
                const auto it = t.porNombre.find(Mayusculas(e.expresion));
                if (e.tipoClave != 'N' || it == t.porNombre.end() ||
                    !EsNumerico(t.cabecera.campos[static_cast<std::size_t>(it->second)])) {
                    t.indicePropio = false;
                    break;
                }
                t.etiquetasPropias.emplace_back(e.nombre, it->second);
            }
        } else if ((t.cabecera.version & 0xF0) != 0x30) {
            // The index file went missing: it is made again from the marked fields on close
            // (not for the FoxPro family, whose flag stands for another kind of index).
            t.indicePropio = true;
            for (std::size_t i = 0; i < t.cabecera.campos.size(); ++i) {
                const CampoDbf& c = t.cabecera.campos[i];
                if (c.indexado && EsNumerico(c))
                    t.etiquetasPropias.emplace_back(c.nombre, static_cast<int>(i));
            }
        }
    }
    t.Primero();
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

}  // namespace

void Tabla::Anadir() {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.nueva.assign(t.cabecera.longitudRegistro, '\0');
    t.nueva[0] = ' ';
    for (const auto& c : t.cabecera.campos) {
        // Text-stored types are blank when empty; binary ones are zero.
        if (c.tipo == 'C' || c.tipo == 'N' || c.tipo == 'F' || c.tipo == 'L' || c.tipo == 'D' ||
            c.tipo == 'M') {
            std::fill_n(t.nueva.begin() + static_cast<std::ptrdiff_t>(1 + c.desplazamiento),
                        c.ancho, ' ');
        }
    }
    t.anadiendo = true;
}

namespace {

char* Destino(std::string& registro, const CampoDbf& c) {
    return registro.data() + 1 + c.desplazamiento;
}

}  // namespace

void Tabla::PonerTexto(std::string_view campo, std::string_view valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    if (!t.anadiendo) t.Fallo("no se ha empezado ninguna fila nueva.");
    const int i = t.Campo(campo);
    const CampoDbf& c = t.cabecera.campos[static_cast<std::size_t>(i)];
    char* destino = Destino(t.nueva, c);
    std::string_view recortado = valor;
    while (!recortado.empty() && recortado.front() == ' ') recortado.remove_prefix(1);
    while (!recortado.empty() && recortado.back() == ' ') recortado.remove_suffix(1);
    switch (c.tipo) {
        case 'C':
        case 'D':
        case 'M':
            GuardarTexto(c, destino, valor);
            return;
        case 'L':
            if (recortado.empty()) {
                *destino = ' ';
                return;
            }
            switch (recortado[0]) {
                case 'T':
                case 't':
                case 'Y':
                case 'y':
                case 'S':
                case 's':
                case '1':
                    *destino = 'T';
                    return;
                case 'F':
                case 'f':
                case 'N':
                case 'n':
                case '0':
                    *destino = 'F';
                    return;
                default:
                    break;
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
    if (!t.anadiendo) t.Fallo("no se ha empezado ninguna fila nueva.");
    const int i = t.Campo(campo);
    const CampoDbf& c = t.cabecera.campos[static_cast<std::size_t>(i)];
    if (c.tipo == 'C' || c.tipo == 'L') {
        PonerTexto(campo, std::to_string(valor));
        return;
    }
    if (!EsNumerico(c) || !GuardarEntero(c, Destino(t.nueva, c), valor, t.cabecera.nivel7)) {
        t.Fallo("el valor " + std::to_string(valor) + " no cabe en el campo " +
                NombreUtf8(c.nombre) + ".");
    }
}

void Tabla::PonerFlotante(std::string_view campo, double valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    if (!t.anadiendo) t.Fallo("no se ha empezado ninguna fila nueva.");
    const int i = t.Campo(campo);
    const CampoDbf& c = t.cabecera.campos[static_cast<std::size_t>(i)];
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
    } else if (EsNumerico(c) && GuardarFlotante(c, Destino(t.nueva, c), valor, t.cabecera.nivel7)) {
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
    t.registros += t.nueva;
    const auto fila = static_cast<std::uint32_t>(t.total);
    ++t.total;
    ++t.vivas;
    t.cambiada = true;
    for (auto& b : t.busquedas) b.filas[t.ClaveDeFila(b, t.nueva)].push_back(fila);
    if (t.conVista) {
        t.cursor = t.vista.size();  // the next walk starts again from Primero
    } else {
        t.cursor = fila;
    }
    if ((t.total - t.enDisco) * t.cabecera.longitudRegistro >= kBloqueEscritura) t.Volcar();
}

void Tabla::Primero() {
    ComprobarAbierta(*this);
    impl_->Primero();
}

void Tabla::Siguiente() {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.anadiendo = false;
    if (t.conVista) {
        if (t.cursor < t.vista.size()) ++t.cursor;
    } else if (t.cursor < t.total) {
        ++t.cursor;
        t.SaltarBorradas();
    }
}

bool Tabla::Fin() const {
    ComprobarAbierta(*this);
    const Impl& t = *impl_;
    return t.conVista ? t.cursor >= t.vista.size() : t.cursor >= t.total;
}

std::size_t Tabla::NumeroFilas() const {
    ComprobarAbierta(*this);
    return impl_->vivas;
}

std::string Tabla::LeerTexto(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    return impl_->Texto(impl_->Actual(), i);
}

std::int32_t Tabla::LeerEntero(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    const std::string texto = impl_->Texto(impl_->Actual(), i);
    // A blank number reads as zero; a blank text is no number.
    if (texto.empty() && EsNumerico(impl_->cabecera.campos[static_cast<std::size_t>(i)])) return 0;
    return AEntero(texto);
}

double Tabla::LeerFlotante(std::string_view campo) const {
    ComprobarAbierta(*this);
    const int i = impl_->Campo(campo);
    const std::string texto = impl_->Texto(impl_->Actual(), i);
    if (texto.empty() && EsNumerico(impl_->cabecera.campos[static_cast<std::size_t>(i)]))
        return 0.0;
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
    const int i = t.Campo(campo);
    return t.LocalizarClave({i}, t.ClaveDeValor(i, valor));
}

bool Tabla::Localizar(std::string_view campo1, std::string_view valor1, std::string_view campo2,
                      std::string_view valor2) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    const int i = t.Campo(campo1);
    const int j = t.Campo(campo2);
    const std::string a = t.ClaveDeValor(i, valor1);
    const std::string b = t.ClaveDeValor(j, valor2);
    return t.LocalizarClave(
        {i, j}, std::to_string(a.size()) + ':' + a + std::to_string(b.size()) + ':' + b);
}

void Tabla::Seleccionar(std::string_view campo, std::string_view valor) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    const int i = t.Campo(campo);
    t.conSeleccion = true;
    t.campoSeleccion = i;
    t.valorSeleccion = t.ClaveDeValor(i, valor);
    t.conVista = true;
    t.ConstruirVista();
    t.Primero();
}

void Tabla::QuitarSeleccion() {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.conSeleccion = false;
    t.conVista = t.campoOrden >= 0;
    if (t.conVista) t.ConstruirVista();
    t.Primero();
}

void Tabla::RecorrerPor(std::string_view campo) {
    ComprobarAbierta(*this);
    Impl& t = *impl_;
    t.campoOrden = campo.empty() ? -1 : t.Campo(campo);
    if (t.campoOrden >= 0 && !t.errorIndice.empty() &&
        t.cabecera.campos[static_cast<std::size_t>(t.campoOrden)].indexado) {
        throw Error(t.errorIndice);
    }
    t.conVista = t.conSeleccion || t.campoOrden >= 0;
    if (t.conVista) t.ConstruirVista();
    t.Primero();
}

}  // namespace rt
