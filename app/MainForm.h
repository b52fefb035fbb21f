#pragma once
// The main window: the two runs, the hand-off with the host program, help and the result file.
// It is also the person the runs talk to.

#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/EstadoPrincipal.h"
#include "platform/Interlocutor.h"

class QFileDialog;
class QWindow;

namespace rt {

class TMForm : public QWidget, public Interlocutor {
    Q_OBJECT

  public:
    struct Carpetas {
        std::filesystem::path programa;  // level table, Tabelio.ini, help files
        std::filesystem::path trabajo;   // Tabelio's tables
    };

    // parametros: the command line without the program's own name.
    TMForm(QStringList parametros, Carpetas carpetas, QWidget* padre = nullptr);
    ~TMForm() override;

    const EstadoPrincipal& Estado() const { return estado_; }
    // The help file that F1 opens now.
    const QString& FicheroAyuda() const { return ficheroAyuda_; }
    // How help files reach the desktop's viewer; true when a program took the file.
    void PonerAbridorAyuda(std::function<bool(const QUrl&)> abridor);

    // Interlocutor
    std::optional<std::filesystem::path> ElegirFichero() override;
    void Mensaje(const std::string& texto) override;
    void CursorOcupado(bool ocupado) override;
    void CerrarVentana() override;
    std::string ElegirPlantilla(const std::filesystem::path& fichero) override;

  signals:
    // The window has closed for good (the result file, if any, is written).
    void Cerrada();
    void CursorCambiado(bool ocupado);

  protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void FormCreate();
    void FormShow();
    bool FormClose();
    void BExportarClick();
    void BImportarClick();
    void Button1Click();
    void AyudaF1();
    void AbrirAyuda();
    void Incrustar(const QString& textoAsa);
    template <typename Ejecucion>
    void Ejecutar(Ejecucion ejecucion);

    QStringList parametros_;
    EstadoPrincipal estado_;
    QString ficheroAyuda_ = QStringLiteral("DORIV.chm");
    std::function<bool(const QUrl&)> abridorAyuda_;
    QString errorArranque_;
    bool mostrada_ = false;
    bool cursorOcupado_ = false;
    std::unique_ptr<QWindow> anfitrion_;
    QFileDialog* OpenDialogXML = nullptr;
    QString ultimoFichero_;
};

}  // namespace rt
