#pragma once
// Everything a run asks of the person, behind one small interface: the window, the command-line
// tool and the tests each answer it in their own way. Texts are UTF-8.

#include <filesystem>
#include <optional>
#include <string>

namespace rt {

class Interlocutor {
public:
    virtual ~Interlocutor() = default;
    // The open-file dialog "Archivo XML": the chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> ElegirFichero() = 0;
    // A simple message box with one acknowledgement button.
    virtual void Mensaje(const std::string& texto) = 0;
    virtual void CursorOcupado(bool ocupado) = 0;
    // Closes the main window (in hosted mode this writes the result file).
    virtual void CerrarVentana() = 0;
    // The school-day template chooser, shown when the file holds two or more templates: it loads
    // the file itself and hands back the chosen code, trimmed.
    virtual std::string ElegirPlantilla(const std::filesystem::path& fichero) = 0;
};

// Shows the hourglass for its lifetime, and restores the default cursor on every way out.
class CursorOcupadoMientras {
public:
    explicit CursorOcupadoMientras(Interlocutor& persona) : persona_(persona) {
        persona_.CursorOcupado(true);
    }
    ~CursorOcupadoMientras() { persona_.CursorOcupado(false); }
    CursorOcupadoMientras(const CursorOcupadoMientras&) = delete;
    CursorOcupadoMientras& operator=(const CursorOcupadoMientras&) = delete;

private:
    Interlocutor& persona_;
};

}  // namespace rt
