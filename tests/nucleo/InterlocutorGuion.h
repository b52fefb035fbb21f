#pragma once
// The person of the tests: answers are set beforehand, and what the run asked is recorded.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Interlocutor.h"

namespace rt::prueba {

class InterlocutorGuion : public Interlocutor {
  public:
    // Answers.
    std::optional<std::filesystem::path> fichero;  // nothing: the dialog is cancelled
    std::string plantilla;                         // what the chooser hands back

    // What happened.
    std::vector<std::string> mensajes;
    std::vector<std::filesystem::path> plantillasPedidas;  // the file given to each chooser
    bool cursorOcupado = false;
    int vecesCursorOcupado = 0;
    bool ventanaCerrada = false;

    std::optional<std::filesystem::path> ElegirFichero() override { return fichero; }
    void Mensaje(const std::string& texto) override { mensajes.push_back(texto); }
    void CursorOcupado(bool ocupado) override {
        cursorOcupado = ocupado;
        if (ocupado) ++vecesCursorOcupado;
    }
    void CerrarVentana() override { ventanaCerrada = true; }
    std::string ElegirPlantilla(const std::filesystem::path& f) override {
        plantillasPedidas.push_back(f);
        return plantilla;
    }
};

}  // namespace rt::prueba
