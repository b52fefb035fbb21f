#include "platform/Mdx.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "platform/Bytes.h"
#include "platform/DbfCabecera.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

namespace rt {

namespace {

using bytes::Leer16;
using bytes::Leer32;
using bytes::Poner16;
using bytes::Poner32;

constexpr std::size_t kPaginasCabecera = 4;  // file header and tag table
constexpr std::size_t kPaginasBloque = kBloqueMdx / kPaginaMdx;
constexpr std::size_t kInicioEtiquetas = 544;
constexpr std::size_t kLongEtiqueta = 32;
constexpr std::size_t kMaxEtiquetas =
    (kPaginasCabecera * kPaginaMdx - kInicioEtiquetas) / kLongEtiqueta;
constexpr std::size_t kLongEntrada = 4 + kClaveNumericaMdx;
constexpr std::uint8_t kExponenteUno =
    0x34;                             // exponent byte of a number whose point follows no digit
constexpr char kFormatoCampo = 0x10;  // key on a data field, ascending, duplicates allowed

void PonerFecha(std::string& d, std::size_t pos) {
    CabeceraDbf hoy;
    FechaDeHoy(hoy);
    d[pos] = static_cast<char>(hoy.anio - 1900);
    d[pos + 1] = static_cast<char>(hoy.mes);
    d[pos + 2] = static_cast<char>(hoy.dia);
}

std::string Texto(std::string_view ranura) {
    return std::string(ranura.substr(0, ranura.find('\0')));
}

[[noreturn]] void Danado(const std::filesystem::path& fichero, const std::string& motivo) {
    throw Error("El índice " + RutaEnMensaje(fichero) + " está dañado: " + motivo +
                ". Borre la tabla y vuelva a importar.");
}

struct Hijo {
    std::uint32_t pagina;
    std::string ultimaClave;
};

}  // namespace

std::string ClaveNumericaMdx(double valor) {
    std::string clave(kClaveNumericaMdx, '\0');
    char texto[400];
    std::snprintf(texto, sizeof texto, "%.4f", std::fabs(valor));
    std::string_view t(texto);
    const auto punto = t.find('.');
    std::string entera(t.substr(0, punto));
    std::string fraccion(punto == std::string_view::npos ? "" : t.substr(punto + 1));
    entera.erase(0, entera.find_first_not_of('0'));
    int exponente = static_cast<int>(entera.size());
    std::string digitos = entera + fraccion;
    if (entera.empty()) {
        const auto ceros = fraccion.find_first_not_of('0');
        if (ceros == std::string::npos) {
            clave[0] = static_cast<char>(kExponenteUno);
            clave[1] = 0x01;
            return clave;
        }
        exponente = -static_cast<int>(ceros);
        digitos = fraccion.substr(ceros);
    }
    digitos.erase(digitos.find_last_not_of('0') + 1);
    if (digitos.size() > 20) digitos.resize(20);
    clave[0] = static_cast<char>(kExponenteUno + exponente);
    clave[1] = static_cast<char>((digitos.size() << 2) | 0x01 | (valor < 0 ? 0x80 : 0));
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        const int d = digitos[i] - '0';
        clave[2 + i / 2] = static_cast<char>(clave[2 + i / 2] | (i % 2 == 0 ? d << 4 : d));
    }
    return clave;
}

double ValorClaveNumericaMdx(std::string_view clave) {
    if (clave.size() < kClaveNumericaMdx) return 0.0;
    const int exponente = static_cast<unsigned char>(clave[0]) - kExponenteUno;
    const std::size_t cifras =
        std::min<std::size_t>((static_cast<unsigned char>(clave[1]) & 0x7C) >> 2, 20);
    double valor = 0.0;
    for (std::size_t i = 0; i < cifras; ++i) {
        const unsigned char b = static_cast<unsigned char>(clave[2 + i / 2]);
        valor = valor * 10 + (i % 2 == 0 ? b >> 4 : b & 0x0F);
    }
    valor *= std::pow(10.0, exponente - static_cast<int>(cifras));
    return (clave[1] & 0x80) ? -valor : valor;
}

std::string EscribirMdx(std::string_view tabla, std::vector<EtiquetaNueva> etiquetas) {
    if (etiquetas.size() > kMaxEtiquetas) etiquetas.resize(kMaxEtiquetas);
    std::string d(kPaginasCabecera * kPaginaMdx, '\0');
    d[0] = 0x02;  // dBase IV
    PonerFecha(d, 1);
    d.replace(4, std::min<std::size_t>(tabla.size(), 16), tabla.substr(0, 16));
    Poner16(d, 20, kPaginasBloque);
    Poner16(d, 22, kBloqueMdx);
    d[24] = 0x01;  // production index
    d[25] = static_cast<char>(kMaxEtiquetas);
    d[26] = static_cast<char>(kLongEtiqueta);
    Poner16(d, 28, etiquetas.size());

    // Tag headers come first, one block each, then each tag's tree.
    const auto nuevoBloque = [&d]() {
        const auto pagina = static_cast<std::uint32_t>(d.size() / kPaginaMdx);
        d.append(kBloqueMdx, '\0');
        return pagina;
    };
    std::vector<std::uint32_t> cabeceras;
    for (std::size_t e = 0; e < etiquetas.size(); ++e) {
        const std::uint32_t pagina = nuevoBloque();
        cabeceras.push_back(pagina);
        const std::size_t pos = kInicioEtiquetas + e * kLongEtiqueta;
        Poner32(d, pos, pagina);
        d.replace(pos + 4, std::min<std::size_t>(etiquetas[e].nombre.size(), 10),
                  etiquetas[e].nombre.substr(0, 10));
        d[pos + 15] = kFormatoCampo;
        // Tags threaded as a list in table order: less-than to none, greater-than to the next.
        d[pos + 17] = static_cast<char>(e + 1 < etiquetas.size() ? e + 2 : 0);
        d[pos + 18] = static_cast<char>(e);
        d[pos + 20] = 'N';
    }
    for (std::size_t e = 0; e < etiquetas.size(); ++e) {
        auto& claves = etiquetas[e].claves;
        std::stable_sort(claves.begin(), claves.end());  // by key, then record number

        std::vector<Hijo> nivel;
        std::size_t i = 0;
        do {  // leaves; an empty tag still has its (empty) root leaf
            const std::uint32_t pagina = nuevoBloque();
            const std::size_t base = static_cast<std::size_t>(pagina) * kPaginaMdx;
            const std::size_t n = std::min(kMaxClavesBloqueMdx, claves.size() - i);
            Poner32(d, base, static_cast<std::uint32_t>(n));
            std::string ultima;
            for (std::size_t k = 0; k < n; ++k, ++i) {
                const std::size_t pos = base + 8 + k * kLongEntrada;
                Poner32(d, pos, claves[i].second);
                ultima = ClaveNumericaMdx(claves[i].first);
                d.replace(pos + 4, kClaveNumericaMdx, ultima);
            }
            nivel.push_back({pagina, ultima});
        } while (i < claves.size());
        while (nivel.size() > 1) {
            std::vector<Hijo> arriba;
            for (std::size_t j = 0; j < nivel.size();) {
                const std::uint32_t pagina = nuevoBloque();
                const std::size_t base = static_cast<std::size_t>(pagina) * kPaginaMdx;
                const std::size_t hijos = std::min(kMaxClavesBloqueMdx + 1, nivel.size() - j);
                // n keys, each the last key under its child, and one more child pointer after them.
                Poner32(d, base, static_cast<std::uint32_t>(hijos - 1));
                for (std::size_t k = 0; k < hijos; ++k) {
                    const std::size_t pos = base + 8 + k * kLongEntrada;
                    Poner32(d, pos, nivel[j + k].pagina);
                    if (k + 1 < hijos)
                        d.replace(pos + 4, kClaveNumericaMdx, nivel[j + k].ultimaClave);
                }
                arriba.push_back({pagina, nivel[j + hijos - 1].ultimaClave});
                j += hijos;
            }
            nivel = std::move(arriba);
        }

        const std::size_t cab = static_cast<std::size_t>(cabeceras[e]) * kPaginaMdx;
        Poner32(d, cab, nivel.front().pagina);
        d[cab + 8] = kFormatoCampo;
        d[cab + 9] = 'N';
        Poner16(d, cab + 12, kClaveNumericaMdx);
        Poner16(d, cab + 14, kMaxClavesBloqueMdx);
        Poner16(d, cab + 16, 0);
        Poner16(d, cab + 18, kLongEntrada);
        d.replace(cab + 24, etiquetas[e].campo.size(), etiquetas[e].campo);
    }
    const auto paginas = static_cast<std::uint32_t>(d.size() / kPaginaMdx);
    for (auto cabecera : cabeceras)
        Poner32(d, static_cast<std::size_t>(cabecera) * kPaginaMdx + 4, paginas);
    Poner32(d, 32, paginas);
    Poner32(d, 36, paginas);  // the first free page is past the end
    PonerFecha(d, 44);
    return d;
}

std::vector<EtiquetaMdx> LeerEtiquetasMdx(std::string_view d,
                                          const std::filesystem::path& fichero) {
    if (d.size() < kPaginasCabecera * kPaginaMdx) Danado(fichero, "el fichero es demasiado corto");
    if (d[0] != 0x02 && d[0] != 0x03) Danado(fichero, "versión desconocida");
    const std::size_t enUso = Leer16(d, 28);
    const std::size_t longEtiqueta = static_cast<unsigned char>(d[26]);
    if (longEtiqueta != kLongEtiqueta || enUso > kMaxEtiquetas)
        Danado(fichero, "tabla de etiquetas incoherente");
    const std::size_t bloque = Leer16(d, 22);
    if (bloque == 0 || bloque % kPaginaMdx != 0) Danado(fichero, "tamaño de bloque incoherente");
    std::vector<EtiquetaMdx> etiquetas;
    for (std::size_t e = 0; e < enUso; ++e) {
        const std::size_t pos = kInicioEtiquetas + e * kLongEtiqueta;
        EtiquetaMdx t;
        t.paginaCabecera = Leer32(d, pos);
        t.nombre = Texto(d.substr(pos + 4, 11));
        const std::size_t cab = static_cast<std::size_t>(t.paginaCabecera) * kPaginaMdx;
        if (t.paginaCabecera < kPaginasCabecera || cab + kPaginaMdx > d.size()) {
            Danado(fichero, "la etiqueta " + AnsiAUtf8(t.nombre) + " apunta fuera del fichero");
        }
        t.tipoClave = d[cab + 9];
        t.expresion = Texto(d.substr(cab + 24, kPaginaMdx - 24));
        etiquetas.push_back(std::move(t));
    }
    return etiquetas;
}

std::vector<std::uint32_t> RecorrerEtiquetaMdx(std::string_view d, const EtiquetaMdx& etiqueta,
                                               const std::filesystem::path& fichero) {
    const std::size_t bloque = Leer16(d, 22);
    const std::size_t cab = static_cast<std::size_t>(etiqueta.paginaCabecera) * kPaginaMdx;
    if (bloque == 0 || bloque % kPaginaMdx != 0 || cab + kPaginaMdx > d.size()) {
        Danado(fichero, "cabecera de etiqueta fuera del fichero");
    }
    const std::size_t longClave = Leer16(d, cab + 12);
    const std::size_t longEntrada = Leer16(d, cab + 18);
    if (d[cab + 9] != 'N' || longClave != kClaveNumericaMdx || longEntrada < 4 + longClave) {
        Danado(fichero, "la etiqueta " + AnsiAUtf8(etiqueta.nombre) + " no tiene claves numéricas");
    }
    const std::size_t maxClaves = (bloque - 8 - 4) / longEntrada;

    std::vector<std::uint32_t> registros;
    std::set<std::uint32_t> vistos;
    double anterior = -HUGE_VAL;
    // Depth-first, children in order; the explicit stack bounds the depth a damaged file could
    // ask for.
    std::vector<std::uint32_t> pendientes{Leer32(d, cab)};
    while (!pendientes.empty()) {
        const std::uint32_t pagina = pendientes.back();
        pendientes.pop_back();
        const std::size_t base = static_cast<std::size_t>(pagina) * kPaginaMdx;
        if (pagina < kPaginasCabecera || base + bloque > d.size()) {
            Danado(fichero, "un bloque está fuera del fichero");
        }
        if (!vistos.insert(pagina).second) Danado(fichero, "el árbol vuelve sobre un bloque");
        const std::size_t n = Leer32(d, base);
        if (n > maxClaves) Danado(fichero, "un bloque tiene demasiadas claves");
        const std::uint32_t ultimo = Leer32(d, base + 8 + n * longEntrada);
        if (ultimo != 0) {  // an inner block: one more child than keys
            pendientes.push_back(ultimo);
            for (std::size_t k = n; k-- > 0;)
                pendientes.push_back(Leer32(d, base + 8 + k * longEntrada));
            continue;
        }
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t pos = base + 8 + k * longEntrada;
            const double valor = ValorClaveNumericaMdx(d.substr(pos + 4, longClave));
            if (valor < anterior) Danado(fichero, "las claves están desordenadas");
            anterior = valor;
            registros.push_back(Leer32(d, pos));
        }
    }
    return registros;
}

}  // namespace rt
