#pragma once
// Fixture of the export's tests: a working folder holding the nine tables of an import (with the
// layouts the import writes) and PERIODOS, filled row by row, and an exchange file to choose.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Ayuda.h"
#include "FicheroIntercambio.h"
#include "InterlocutorGuion.h"
#include "export/Soluc.h"
#include "platform/Error.h"
#include "platform/EstadoPrincipal.h"
#include "platform/Tabla.h"
#include "text/Cp1252.h"

namespace rt::prueba {

// Field values by name, UTF-8; a field of a numeric column takes the number its text reads as.
using Fila = std::vector<std::pair<std::string, std::string>>;

inline const std::map<std::string, std::vector<DefCampo>>& DisenosImportacion() {
    using T = TipoCampo;
    static const std::map<std::string, std::vector<DefCampo>> disenos = {
        {"GRUPOST",
         {{"ABREV", T::Texto, 4},
          {"TURNO", T::Texto, 1},
          {"NIVEL", T::Texto, 5},
          {"CURSO", T::Texto, 3},
          {"GRUPO", T::Texto, 2},
          {"CLAVE", T::Texto, 10},
          {"CLAVECURSO", T::Texto, 10},
          {"DESCRIP", T::Texto, 40}}},
        {"CURSOST",
         {{"ABREV", T::Texto, 3},
          {"TURNO", T::Texto, 1},
          {"NIVEL", T::Texto, 5},
          {"CURSO", T::Texto, 3},
          {"CLAVE", T::Texto, 10},
          {"ESTUD", T::Texto, 40}}},
        {"PROFT",
         {{"ABREV", T::Texto, 4},
          {"NOMBRE", T::Texto, 40},
          {"DEPART", T::Texto, 40},
          {"DNI", T::Entero, 0},
          {"X_EMPLEADO", T::Texto, 10},
          {"F_TOMAPOS", T::Texto, 10}}},
        {"AULAT",
         {{"ABREV", T::Texto, 4},
          {"NOMBRE", T::Texto, 40},
          {"EDIFICIO", T::Texto, 1},
          {"MAXALUM", T::Entero, 0},
          {"DEPCENTRO", T::Texto, 10}}},
        {"ASIGNOMT",
         {{"COD", T::Texto, 4},
          {"CODLARGO", T::Texto, 8},
          {"NOMBRE", T::Texto, 40},
          {"CODTAREA", T::Texto, 12},
          {"ESTAREA", T::Logico, 0}}},
        {"ASIGNOMT2",
         {{"COD", T::Texto, 4},
          {"CODLARGO", T::Texto, 8},
          {"NOMBRE", T::Texto, 40},
          {"MATERIA", T::Texto, 20},
          {"OFERTAMATRI", T::Texto, 20},
          {"CODTAREA", T::Texto, 12},
          {"ESTAREA", T::Logico, 0}}},
        {"DIASHORAST",
         {{"DIHO", T::Texto, 10},
          {"CODDIHO", T::Texto, 10},
          {"DIA", T::Texto, 20},
          {"TEXTODIA", T::Texto, 20},
          {"HORA", T::Texto, 8},
          {"TEXTOHOR", T::Texto, 15},
          {"HORADESDE", T::Texto, 8},
          {"HORAHASTA", T::Texto, 8},
          {"MINUTOS", T::Texto, 8}}},
        {"ASIGT",
         {{"CASIG", T::Texto, 4},
          {"CPROF", T::Texto, 4},
          {"CGRUP", T::Texto, 4},
          {"CAULA", T::Texto, 4},
          {"TURNO", T::Texto, 1},
          {"NIVEL", T::Texto, 5},
          {"CURSO", T::Texto, 3},
          {"GRUPO", T::Texto, 2},
          {"HORAS", T::Flotante, 0},
          {"SESIONES", T::Texto, 20},
          {"CLAVE", T::Texto, 10},
          {"CLAVECURSO", T::Texto, 10},
          {"CTAREA", T::Texto, 4}}},
        {"PERIODOS",
         {{"CJORNADA", T::Texto, 10},
          {"JORNADA", T::Texto, 40},
          {"FECINI", T::Texto, 10},
          {"FECFIN", T::Texto, 10}}},
        {"SOLUC", CamposSoluc()},
    };
    return disenos;
}

// The tables in the order in which the export opens them.
inline const std::vector<std::string>& TablasDeLaExportacion() {
    static const std::vector<std::string> tablas = {"SOLUC",     "GRUPOST",    "CURSOST",
                                                    "PROFT",     "AULAT",      "ASIGNOMT",
                                                    "ASIGNOMT2", "DIASHORAST", "ASIGT"};
    return tablas;
}

inline void AnadirFilas(const std::filesystem::path& carpeta, const std::string& tabla,
                        const std::vector<Fila>& filas) {
    const std::vector<DefCampo>& diseno = DisenosImportacion().at(tabla);
    Tabla t = Tabla::Abrir(carpeta, tabla);
    for (const Fila& fila : filas) {
        t.Anadir();
        for (const auto& [campo, valor] : fila) {
            TipoCampo tipo = TipoCampo::Texto;
            for (const DefCampo& def : diseno) {
                if (def.nombre == campo) tipo = def.tipo;
            }
            if (tipo == TipoCampo::Entero) {
                t.PonerEntero(campo, AEntero(valor));
            } else if (tipo == TipoCampo::Flotante) {
                t.PonerFlotante(campo, std::stod(valor));
            } else {
                t.PonerTexto(campo, Utf8AAnsi(valor));
            }
        }
        t.Grabar();
    }
    t.Cerrar();
}

class EscenarioExportacion : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(trabajo);
        for (const auto& [tabla, diseno] : DisenosImportacion()) CrearTabla(trabajo, tabla, diseno);
        AnadirFilas(trabajo, "PERIODOS",
                    {{{"CJORNADA", "101"},
                      {"JORNADA", "Mañana"},
                      {"FECINI", "15/09/2026"},
                      {"FECFIN", "22/06/2027"}}});
        estado.CarpetaTrabajo = trabajo;
    }

    void Filas(const std::string& tabla, const std::vector<Fila>& filas) {
        AnadirFilas(trabajo, tabla, filas);
    }

    // A small exchange file from Racima, chosen in the dialog.
    std::filesystem::path Elegir(const std::string& nombre = "datos.xml") {
        const std::filesystem::path ruta =
            FicheroIntercambio()
                .Bloque("ANNO_ACADEMICO", {{"2026"}})
                .Bloque("EMPLEADOS", {{"182300", "01/09/2005", "590000", "Medina", "Gil", "Ana"}})
                .Escribir(carpeta / nombre);
        persona.fichero = ruta;
        return ruta;
    }

    // Every table can be opened for exclusive use again: the run left none open.
    static void EsperarTablasCerradas(const std::filesystem::path& trabajo) {
        for (const std::string& tabla : TablasDeLaExportacion()) {
            if (!std::filesystem::exists(RutaTabla(trabajo, tabla))) continue;
            EXPECT_NO_THROW(Tabla::Abrir(trabajo, tabla).Cerrar()) << tabla;
        }
    }

    CarpetaTemporal carpeta;
    std::filesystem::path trabajo = carpeta / "TBTEMP";
    EstadoPrincipal estado;
    InterlocutorGuion persona;
};

}  // namespace rt::prueba
