#include "platform/DbfCabecera.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "platform/Bytes.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

namespace rt {

namespace {

using bytes::Leer16;
using bytes::Leer32;
using bytes::Poner16;
using bytes::Poner32;

constexpr std::size_t kLongBloque = 32;
constexpr std::size_t kLongBloque7 = 68;  // the common block, language driver name, reserved
// Where a field descriptor keeps each item, in the dBase III/IV layout and in the dBase 7 one.
struct FormaDescriptor {
    std::size_t longitud, nombre, tipo, ancho, decimales, indexado;
};
constexpr FormaDescriptor kDescriptor{32, 11, 11, 16, 17, 31};
constexpr FormaDescriptor kDescriptor7{48, 32, 32, 33, 34, 37};
constexpr std::size_t kLongDescriptor = kDescriptor.longitud;
constexpr std::size_t kLongDescriptor7 = kDescriptor7.longitud;
constexpr std::size_t kNombreCorto = 11;
constexpr std::size_t kNombreLargo = 32;
constexpr std::size_t kMaxRegistro = 65535;

[[noreturn]] void Danado(const std::filesystem::path& fichero, std::string_view motivo) {
    throw Error("La tabla " + RutaEnMensaje(fichero) +
                " está dañada o no es una tabla dBase: " + std::string(motivo) + ".");
}

// A name slot ends at its first NUL, or at its end when the name fills it.
std::string NombreDeRanura(std::string_view ranura) {
    const auto fin = ranura.find('\0');
    return std::string(ranura.substr(0, fin));
}

}  // namespace

std::string RutaEnMensaje(const std::filesystem::path& ruta) {
    const std::u8string u8 = ruta.u8string();
    return "\"" + std::string(u8.begin(), u8.end()) + "\"";
}

CabeceraDbf LeerCabeceraDbf(std::string_view datos, const std::filesystem::path& fichero) {
    if (datos.size() < kLongBloque + 1) Danado(fichero, "el fichero es demasiado corto");
    CabeceraDbf c;
    c.version = static_cast<std::uint8_t>(datos[0]);
    // Bits 0-2 carry the level: 3 for dBase III/IV/5 and the FoxPro family's 0x30-0x32 and
    // 0xF5 share the 32-byte descriptors; 4 is dBase 7.
    c.nivel7 = (c.version & 0x07) == 4;
    if ((c.version & 0x07) != 3 && !c.nivel7 && (c.version & 0xF0) != 0x30 && c.version != 0xF5 &&
        c.version != 0xFB) {
        Danado(fichero, "versión de cabecera desconocida");
    }
    c.anio = 1900 + static_cast<unsigned char>(datos[1]);
    c.mes = static_cast<unsigned char>(datos[2]);
    c.dia = static_cast<unsigned char>(datos[3]);
    c.filas = Leer32(datos, kPosFilasDbf);
    c.longitudCabecera = Leer16(datos, 8);
    c.longitudRegistro = Leer16(datos, 10);
    c.conIndice = datos[kPosIndiceDbf] != 0;
    c.idioma = static_cast<std::uint8_t>(datos[29]);

    const std::size_t inicio = c.nivel7 ? kLongBloque7 : kLongBloque;
    const std::size_t ancho = c.nivel7 ? kLongDescriptor7 : kLongDescriptor;
    if (c.longitudCabecera < inicio + 1 || c.longitudCabecera > datos.size()) {
        Danado(fichero, "la longitud de la cabecera no cuadra con el fichero");
    }
    if (c.longitudRegistro < 1) Danado(fichero, "longitud de registro nula");

    std::size_t pos = inicio;
    std::size_t desplazamiento = 0;
    bool terminada = false;
    while (pos < c.longitudCabecera) {
        if (datos[pos] == '\x0D') {
            terminada = true;
            break;
        }
        if (pos + ancho > c.longitudCabecera) break;
        const std::string_view d = datos.substr(pos, ancho);
        const FormaDescriptor& forma = c.nivel7 ? kDescriptor7 : kDescriptor;
        CampoDbf campo;
        campo.nombre = NombreDeRanura(d.substr(0, forma.nombre));
        campo.tipo = d[forma.tipo];
        campo.ancho = static_cast<unsigned char>(d[forma.ancho]);
        campo.decimales = static_cast<unsigned char>(d[forma.decimales]);
        campo.indexado = d[forma.indexado] != 0;
        // FoxPro keeps character fields wider than 255 with the high byte in the decimals.
        if (campo.tipo == 'C' && !c.nivel7 && (c.version & 0xF0) == 0x30) {
            campo.ancho += campo.decimales * 256;
            campo.decimales = 0;
        }
        if (campo.nombre.empty()) Danado(fichero, "un campo sin nombre");
        if (campo.ancho == 0)
            Danado(fichero, "el campo " + AnsiAUtf8(campo.nombre) + " no tiene ancho");
        campo.desplazamiento = desplazamiento;
        desplazamiento += static_cast<std::size_t>(campo.ancho);
        c.campos.push_back(std::move(campo));
        pos += ancho;
    }
    if (!terminada) Danado(fichero, "falta el final de la lista de campos");
    if (c.campos.empty()) Danado(fichero, "la tabla no tiene campos");
    // The record may be longer than its fields (FoxPro's hidden null flags), never shorter.
    if (desplazamiento + 1 > c.longitudRegistro) {
        Danado(fichero, "los campos no caben en la longitud del registro");
    }
    return c;
}

CabeceraDbf NuevaCabeceraDbf(std::vector<CampoDbf> campos, const std::filesystem::path& fichero) {
    CabeceraDbf c;
    for (const auto& campo : campos) {
        if (campo.nombre.empty() || campo.nombre.size() > kNombreLargo - 1) {
            throw Error("El nombre de campo \"" + AnsiAUtf8(campo.nombre) +
                        "\" no puede guardarse en la tabla " + RutaEnMensaje(fichero) + ".");
        }
        if (campo.nombre.size() > kNombreCorto) c.nivel7 = true;
    }
    c.version = c.nivel7 ? 0x04 : 0x03;
    std::size_t desplazamiento = 0;
    for (auto& campo : campos) {
        campo.desplazamiento = desplazamiento;
        desplazamiento += static_cast<std::size_t>(campo.ancho);
    }
    if (desplazamiento + 1 > kMaxRegistro) {
        throw Error("Los campos de la tabla " + RutaEnMensaje(fichero) +
                    " no caben en un registro dBase.");
    }
    c.longitudRegistro = desplazamiento + 1;
    c.longitudCabecera = (c.nivel7 ? kLongBloque7 + kLongDescriptor7 * campos.size()
                                   : kLongBloque + kLongDescriptor * campos.size()) +
                         1;
    c.campos = std::move(campos);
    FechaDeHoy(c);
    return c;
}

std::string EscribirCabeceraDbf(const CabeceraDbf& c) {
    std::string d(c.longitudCabecera, '\0');
    d[0] = static_cast<char>(c.version);
    d[1] = static_cast<char>(c.anio - 1900);
    d[2] = static_cast<char>(c.mes);
    d[3] = static_cast<char>(c.dia);
    Poner32(d, kPosFilasDbf, c.filas);
    Poner16(d, 8, c.longitudCabecera);
    Poner16(d, 10, c.longitudRegistro);
    d[kPosIndiceDbf] = c.conIndice ? '\x01' : '\0';
    d[29] = static_cast<char>(c.idioma);
    std::size_t pos = kLongBloque;
    if (c.nivel7) {
        // The name of the ANSI Western European language driver that 0x57 stands for.
        const std::string_view driver = "DBWINWE0";
        d.replace(32, driver.size(), driver);
        pos = kLongBloque7;
    }
    const FormaDescriptor& forma = c.nivel7 ? kDescriptor7 : kDescriptor;
    for (const auto& campo : c.campos) {
        d.replace(pos, campo.nombre.size(), campo.nombre);
        d[pos + forma.tipo] = campo.tipo;
        d[pos + forma.ancho] = static_cast<char>(campo.ancho);
        d[pos + forma.decimales] = static_cast<char>(campo.decimales);
        d[pos + forma.indexado] = campo.indexado ? '\x01' : '\0';
        pos += forma.longitud;
    }
    d[pos] = '\x0D';
    return d;
}

void FechaDeHoy(CabeceraDbf& c) {
    const std::time_t ahora =
        std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &ahora);
#else
    localtime_r(&ahora, &local);
#endif
    c.anio = 1900 + std::min(local.tm_year, 255);
    c.mes = local.tm_mon + 1;
    c.dia = local.tm_mday;
}

}  // namespace rt
