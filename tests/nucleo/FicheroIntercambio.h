#pragma once
// Builds small exchange files for the tests: blocks of records of values, written as Racima
// writes them (UTF-8 here, which the reader takes like any declared encoding).

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Ayuda.h"

namespace rt::prueba {

using Registros = std::vector<std::vector<std::string>>;

class FicheroIntercambio {
  public:
    FicheroIntercambio& Bloque(const std::string& seq, const Registros& registros) {
        bloques_ += "<grupo_datos seq=\"" + seq + "\">";
        for (const auto& registro : registros) {
            bloques_ += "<grupo_datos>";
            for (const auto& valor : registro) bloques_ += "<dato>" + Escapar(valor) + "</dato>";
            bloques_ += "</grupo_datos>";
        }
        bloques_ += "</grupo_datos>\n";
        return *this;
    }

    std::string Texto() const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO>\n<BLOQUE_DATOS>\n" +
               bloques_ + "</BLOQUE_DATOS>\n</SERVICIO>\n";
    }

    std::filesystem::path Escribir(const std::filesystem::path& ruta) const {
        EscribirFichero(ruta, Texto());
        return ruta;
    }

  private:
    static std::string Escapar(const std::string& valor) {
        std::string salida;
        for (char c : valor) {
            if (c == '&')
                salida += "&amp;";
            else if (c == '<')
                salida += "&lt;";
            else
                salida += c;
        }
        return salida;
    }
    std::string bloques_;
};

}  // namespace rt::prueba
