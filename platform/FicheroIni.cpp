#include "platform/FicheroIni.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/Error.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rt {

namespace {

struct Linea {
    std::size_t inicio = 0;     // first byte of the text
    std::size_t fin = 0;        // one past the text, before the line ending
    std::size_t siguiente = 0;  // one past the line ending
};

std::vector<Linea> PartirLineas(std::string_view texto) {
    std::vector<Linea> lineas;
    std::size_t pos = 0;
    while (pos < texto.size()) {
        Linea l;
        l.inicio = pos;
        std::size_t salto = texto.find('\n', pos);
        if (salto == std::string_view::npos) {
            l.fin = l.siguiente = texto.size();
        } else {
            l.fin = (salto > pos && texto[salto - 1] == '\r') ? salto - 1 : salto;
            l.siguiente = salto + 1;
        }
        lineas.push_back(l);
        pos = l.siguiente;
    }
    return lineas;
}

std::string NombreParaMensaje(const std::filesystem::path& fichero) {
    const std::u8string u8 = fichero.u8string();
    return std::string(u8.begin(), u8.end());
}

bool EsEspacio(char c) { return c == ' ' || c == '\t'; }

std::string_view Recortar(std::string_view s) {
    while (!s.empty() && EsEspacio(s.front())) s.remove_prefix(1);
    while (!s.empty() && EsEspacio(s.back())) s.remove_suffix(1);
    return s;
}

char Minuscula(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IgualesSinCaso(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Minuscula(a[i]) != Minuscula(b[i])) return false;
    }
    return true;
}

// The name of a section header ("[ name ]" gives "name"), or nothing for any other line.
bool NombreSeccion(std::string_view linea, std::string_view& nombre) {
    linea = Recortar(linea);
    if (linea.empty() || linea.front() != '[') return false;
    std::size_t cierre = linea.find(']');
    if (cierre == std::string_view::npos) return false;
    nombre = Recortar(linea.substr(1, cierre - 1));
    return true;
}

// A comment or a blank line names no key; a line without "=" is a key without value.
bool NombreClave(std::string_view linea, std::string_view& nombre) {
    std::string_view recortada = Recortar(linea);
    if (recortada.empty() || recortada.front() == ';') return false;
    nombre = Recortar(linea.substr(0, linea.find('=')));
    return true;
}

}  // namespace

std::string PonerValorIni(std::string_view contenido, std::string_view seccion,
                          std::string_view clave, std::string_view valor) {
    const std::vector<Linea> lineas = PartirLineas(contenido);
    std::string_view finLinea = "\r\n";
    if (!lineas.empty() && lineas.front().siguiente > lineas.front().fin) {
        finLinea =
            contenido.substr(lineas.front().fin, lineas.front().siguiente - lineas.front().fin);
    }
    const std::string nuevaLinea = std::string(clave) + "=" + std::string(valor);

    // A UTF-8 byte-order mark must not hide a section header on the first line.
    auto textoDe = [&](std::size_t i) {
        std::string_view t = contenido.substr(lineas[i].inicio, lineas[i].fin - lineas[i].inicio);
        if (i == 0 && t.starts_with("\xEF\xBB\xBF")) t.remove_prefix(3);
        return t;
    };

    std::size_t cabecera = lineas.size();
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        std::string_view nombre;
        if (NombreSeccion(textoDe(i), nombre) && IgualesSinCaso(nombre, seccion)) {
            cabecera = i;
            break;
        }
    }

    std::string resultado;
    if (cabecera == lineas.size()) {
        resultado = contenido;
        if (!resultado.empty() && resultado.back() != '\n') resultado += finLinea;
        resultado += "[" + std::string(seccion) + "]" + std::string(finLinea);
        resultado += nuevaLinea + std::string(finLinea);
        return resultado;
    }

    std::size_t ultimaDeSeccion = cabecera;  // the line after which a new key goes
    for (std::size_t i = cabecera + 1; i < lineas.size(); ++i) {
        std::string_view texto = textoDe(i);
        std::string_view nombre;
        if (NombreSeccion(texto, nombre)) break;
        if (NombreClave(texto, nombre) && IgualesSinCaso(nombre, clave)) {
            const Linea& l = lineas[i];
            std::size_t igual = texto.find('=');
            resultado = contenido.substr(0, l.inicio);
            if (igual == std::string_view::npos) {
                resultado += nuevaLinea;
            } else {
                // Keep the blanks after "=" too: "clave = 0" becomes "clave = 1".
                std::size_t inicioValor = igual + 1;
                while (inicioValor < texto.size() && EsEspacio(texto[inicioValor])) ++inicioValor;
                resultado += contenido.substr(l.inicio, inicioValor);
                resultado += valor;
            }
            resultado += contenido.substr(l.fin);
            return resultado;
        }
        if (!Recortar(texto).empty()) ultimaDeSeccion = i;
    }

    const Linea& l = lineas[ultimaDeSeccion];
    resultado = contenido.substr(0, l.siguiente);
    if (l.siguiente == l.fin) resultado += finLinea;  // the file's last line had no line ending
    resultado += nuevaLinea + std::string(finLinea);
    resultado += contenido.substr(l.siguiente);
    return resultado;
}

#ifdef _WIN32

void EscribirValorIni(const std::filesystem::path& fichero, std::string_view seccion,
                      std::string_view clave, std::string_view valor) {
    auto ancho = [](std::string_view s) { return std::wstring(s.begin(), s.end()); };
    if (!WritePrivateProfileStringW(ancho(seccion).c_str(), ancho(clave).c_str(),
                                    ancho(valor).c_str(), fichero.wstring().c_str())) {
        throw Error("No se puede escribir el archivo " + NombreParaMensaje(fichero));
    }
}

#else

void EscribirValorIni(const std::filesystem::path& fichero, std::string_view seccion,
                      std::string_view clave, std::string_view valor) {
    const std::string nombre = NombreParaMensaje(fichero);
    std::string contenido;
    std::error_code ec;
    if (std::filesystem::exists(fichero, ec)) {
        if (std::filesystem::is_directory(fichero, ec)) {
            throw Error("No se puede escribir el archivo " + nombre + ": es una carpeta");
        }
        std::ifstream entrada(fichero, std::ios::binary);
        if (!entrada) throw Error("No se puede leer el archivo " + nombre);
        try {
            contenido.assign(std::istreambuf_iterator<char>(entrada),
                             std::istreambuf_iterator<char>());
        } catch (const std::exception&) {
            throw Error("No se puede leer el archivo " + nombre);
        }
        if (entrada.bad()) throw Error("No se puede leer el archivo " + nombre);
    }
    const std::string nuevo = PonerValorIni(contenido, seccion, clave, valor);
    std::ofstream salida(fichero, std::ios::binary | std::ios::trunc);
    if (!salida) throw Error("No se puede escribir el archivo " + nombre);
    salida.write(nuevo.data(), static_cast<std::streamsize>(nuevo.size()));
    salida.close();
    if (!salida) throw Error("No se puede escribir el archivo " + nombre);
}

#endif

}  // namespace rt
