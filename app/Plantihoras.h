#pragma once
// The school-day template chooser: the person picks a template by its code, sees its name, its
// dates and its slots, and the trimmed code goes back to the import however the dialog is left.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "import/Plantihoras.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace rt {

class TPlantillas : public QDialog {
    Q_OBJECT

  public:
    // ayuda answers F1; the main window passes its own help.
    TPlantillas(std::filesystem::path fichero, QWidget* padre = nullptr,
                std::function<void()> ayuda = {});
    ~TPlantillas() override;

    // Windows-1252 text, as the import compares it with the file's codes.
    const std::string& PlantillaElegida() const { return plantillaElegida_; }

    void done(int resultado) override;

  protected:
    void showEvent(QShowEvent* evento) override;

  private:
    void FormActivate();
    void ComboBoxPlantillaChange();
    void BitBtnContinuarClick();
    void FormClose();
    std::string TextoCaja() const;

    std::filesystem::path fichero_;
    std::unique_ptr<LogicaPlantillas> logica_;
    std::string plantillaElegida_;
    bool activada_ = false;

    QComboBox* ComboBoxPlantilla = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* LabelNombre = nullptr;
    QLabel* LabelPlanFec1 = nullptr;
    QLabel* LabelPlanFec2 = nullptr;
    QPushButton* BitBtnContinuar = nullptr;
};

}  // namespace rt
