#pragma once
// What the school-day template chooser shows and hands back, without the window: the window and
// the command-line tool both drive it.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Documento.h"

namespace rt {

class LogicaPlantillas {
  public:
    // Loads its own document from the file (a file that fails to load gives no templates).
    explicit LogicaPlantillas(const std::filesystem::path& fichero);

    // The codes of the drop-down list, untrimmed, in document order; empty unless the file holds
    // more than one template.
    const std::vector<std::string>& Codigos() const { return codigos_; }

    struct Vista {
        std::string nombre = "-";
        std::string fechaInicio = "-";
        std::string fechaFin = "-";
        std::vector<std::string> tramos;  // slot names of the shown template
        bool tramosActualizados = false;  // false: the slot list is left as it was
    };
    // What the labels and the slot list show for the text of the box (exact comparison).
    Vista Mostrar(const std::string& textoCaja) const;

    // The choice handed back: the text without leading and trailing characters of code <= 32.
    static std::string Elegida(const std::string& textoCaja);

  private:
    Documento doc_;
    std::vector<std::string> codigos_;
};

}  // namespace rt
