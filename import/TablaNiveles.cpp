#include "import/TablaNiveles.h"

#include <fstream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Tabla.h"
#include "text/Cp1252.h"
#include "text/Texto.h"

namespace rt {

namespace {

constexpr int kAnchoNivel = 10;
constexpr int kAnchoEstudio = 40;

const std::vector<DefCampo> kCamposNiveles = {
    {"X_OFERTAMATRIG", TipoCampo::Entero, 0},
    {"NIVEL_ABREV", TipoCampo::Texto, kAnchoNivel},
    {"ESTUDIO", TipoCampo::Texto, kAnchoEstudio},
};

struct Nivel {
    std::int32_t clave = 0;
    std::string abreviatura, estudio;
};

std::vector<std::string> Partes(const std::string& linea) {
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    for (std::size_t fin; (fin = linea.find(';', inicio)) != std::string::npos; inicio = fin + 1) {
        partes.push_back(TrimBoth(linea.substr(inicio, fin - inicio)));
    }
    partes.push_back(TrimBoth(linea.substr(inicio)));
    return partes;
}

std::string CampoDeTexto(const std::string& utf8, int ancho, const std::string& donde) {
    std::string texto = Utf8AAnsi(utf8);
    if (static_cast<int>(texto.size()) > ancho) {
        throw Error(donde + ": «" + utf8 + "» tiene más de " + std::to_string(ancho) +
                    " caracteres");
    }
    return texto;
}

std::vector<Nivel> LeerNiveles(const std::filesystem::path& texto) {
    std::ifstream entrada(texto, std::ios::binary);
    if (!entrada) throw Error("No se puede abrir «" + texto.string() + "»");
    std::vector<Nivel> niveles;
    std::string linea;
    for (int numero = 1; std::getline(entrada, linea); ++numero) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        const std::string limpia = TrimBoth(linea);
        if (limpia.empty() || limpia.front() == '#' || limpia.rfind("X_OFERTAMATRIG", 0) == 0) {
            continue;
        }
        const std::string donde = texto.filename().string() + ", línea " + std::to_string(numero);
        const std::vector<std::string> partes = Partes(limpia);
        if (partes.size() != 3) throw Error(donde + ": se esperan tres campos separados por «;»");
        try {
            niveles.push_back({AEntero(partes[0]), CampoDeTexto(partes[1], kAnchoNivel, donde),
                               CampoDeTexto(partes[2], kAnchoEstudio, donde)});
        } catch (const ErrorConversion& error) {
            throw Error(donde + ": " + error.what());
        }
    }
    return niveles;
}

}  // namespace

std::size_t GenerarTablaNiveles(const std::filesystem::path& texto,
                                const std::filesystem::path& tabla) {
    const std::vector<Nivel> niveles = LeerNiveles(texto);
    const std::filesystem::path carpeta = tabla.parent_path().empty() ? "." : tabla.parent_path();
    const std::string nombre = tabla.stem().string();
    BorrarTabla(carpeta, nombre);
    CrearTabla(carpeta, nombre, kCamposNiveles);
    Tabla salida = Tabla::Abrir(carpeta, nombre);
    for (const Nivel& nivel : niveles) {
        salida.Anadir();
        salida.PonerEntero("X_OFERTAMATRIG", nivel.clave);
        salida.PonerTexto("NIVEL_ABREV", nivel.abreviatura);
        salida.PonerTexto("ESTUDIO", nivel.estudio);
        salida.Grabar();
    }
    salida.Cerrar();
    return niveles.size();
}

}  // namespace rt
