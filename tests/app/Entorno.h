#pragma once
// What the windows' tests share: the folders of one installation (the program's, with the level
// table, and Tabelio's working folder), a folder for exchange files, and small readers.

#include <QPushButton>
#include <QString>
#include <string>
#include <vector>

#include "Ayuda.h"
#include "FicheroIntercambio.h"
#include "app/Dialogos.h"
#include "app/MainForm.h"
#include "import/TablaNiveles.h"
#include "platform/Tabla.h"

namespace rt::prueba {

struct Entorno {
    CarpetaTemporal programa;
    CarpetaTemporal trabajo;
    CarpetaTemporal datos;

    Entorno() { GenerarTablaNiveles(RT_DIR_DATOS "/NIVELLARI.txt", programa / "NIVELLARI.DBF"); }
    TMForm::Carpetas Carpetas() const { return {programa.Ruta(), trabajo.Ruta()}; }
    QString Ruta(const char* nombre) const { return TextoDeRuta(datos / nombre); }
    QString Escribir(const char* nombre, const FicheroIntercambio& fichero) const {
        fichero.Escribir(datos / nombre);
        return Ruta(nombre);
    }
    // The template codes that the import wrote into PERIODOS.
    std::vector<std::string> Periodos() const {
        std::vector<std::string> codigos;
        Tabla periodos = Tabla::Abrir(trabajo.Ruta(), "PERIODOS");
        for (periodos.Primero(); !periodos.Fin(); periodos.Siguiente()) {
            codigos.push_back(periodos.LeerTexto("CJORNADA"));
        }
        return codigos;
    }
};

// Templates and slots: J1 with two slots, and J2 with one when two templates are asked for.
inline FicheroIntercambio Jornadas(int cuantas, const std::string& inicioPrimerTramo = "480") {
    Registros jornadas = {{"J1", "Mañana", "01/09/2024", "30/06/2025"}};
    Registros tramos = {{"T1", "Primera", inicioPrimerTramo, "535", "J1"},
                        {"T2", "Segunda", "540", "595", "J1"}};
    if (cuantas > 1) {
        jornadas.push_back({"J2", "Tarde", "01/09/2024", "31/05/2025"});
        tramos.push_back({"T3", "Única", "900", "955", "J2"});
    }
    return FicheroIntercambio()
        .Bloque("JORNADAS_ESCOLARES", jornadas)
        .Bloque("TRAMOS_HORARIOS", tramos);
}

inline QPushButton* Boton(QWidget& ventana, const char* nombre) {
    return ventana.findChild<QPushButton*>(QString::fromLatin1(nombre));
}

}  // namespace rt::prueba
