#pragma once
// The person at a terminal, or a script: the file comes from the command line, messages go to
// the standard output, and the template is chosen by an option or at the prompt.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/Interlocutor.h"

namespace rt::cli {

class InterlocutorConsola : public Interlocutor {
  public:
    InterlocutorConsola(std::filesystem::path fichero, std::optional<std::string> jornada);

    std::optional<std::filesystem::path> ElegirFichero() override;
    void Mensaje(const std::string& texto) override;
    void CursorOcupado(bool) override {}
    void CerrarVentana() override {}
    std::string ElegirPlantilla(const std::filesystem::path& fichero) override;

    // Without --jornada and without a terminal a choice between templates cannot be made; that
    // is said before the run starts, so that no table is rebuilt by a run bound to fail.
    void ComprobarQueSePuedeElegir() const;

  private:
    std::filesystem::path fichero_;
    std::optional<std::string> jornada_;
};

}  // namespace rt::cli
