#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <system_error>

#include "app/Dialogos.h"
#include "app/PanelDegradado.h"
#include "app/Plantihoras.h"
#include "export/Exportacion.h"
#include "import/Importacion.h"
#include "platform/Error.h"
#include "platform/FicheroIni.h"
#include "text/Cp1252.h"

#if defined(RT_CON_XCB)
#include <xcb/xcb.h>

#include <QGuiApplication>
#elif defined(_WIN32)
#include <windows.h>
#endif

namespace rt {

namespace {

// Only the letters A to Z: the command words are plain ASCII and nothing else is folded.
QString MinusculasAZ(QString texto) {
    for (QChar& c : texto) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
    }
    return texto;
}

// The OK-kind buttons carry the style's check mark (its "apply" icon; its "OK" icon is an arrow).
QPushButton* Boton(QWidget* padre, const char* nombre, QStyle::StandardPixmap icono,
                   const QString& texto, QRect lugar) {
    auto* boton = icono == QStyle::SP_CustomBase
                      ? new QPushButton(texto, padre)
                      : new QPushButton(padre->style()->standardIcon(icono), texto, padre);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setGeometry(lugar);
    return boton;
}

QLabel* Titulo(QWidget* padre, const char* nombre, const QString& texto, QRect lugar) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setGeometry(lugar);
    etiqueta->setWordWrap(true);
    etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont letra(QStringLiteral("Arial"));
    letra.setStyleHint(QFont::SansSerif);
    letra.setPixelSize(16);
    letra.setBold(true);
    etiqueta->setFont(letra);
    return etiqueta;
}

// A handle that names no window would leave ours invisible inside nothing, waiting for a person
// who cannot see it.
bool ExisteVentana([[maybe_unused]] WId asa) {
#if defined(RT_CON_XCB)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && QGuiApplication::platformName() == QLatin1String("xcb")) {
        xcb_connection_t* conexion = x11->connection();
        xcb_generic_error_t* error = nullptr;
        auto* atributos = xcb_get_window_attributes_reply(
            conexion, xcb_get_window_attributes(conexion, static_cast<xcb_window_t>(asa)), &error);
        const bool existe = atributos != nullptr;
        std::free(atributos);
        std::free(error);
        return existe;
    }
#elif defined(_WIN32)
    return IsWindow(reinterpret_cast<HWND>(asa)) != 0;
#endif
    return true;
}

}  // namespace

TMForm::TMForm(QStringList parametros, Carpetas carpetas, QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      parametros_(std::move(parametros)),
      abridorAyuda_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("MForm"));
    estado_.CarpetaPrograma = std::move(carpetas.programa);
    estado_.CarpetaTrabajo = std::move(carpetas.trabajo);
    setWindowTitle(QStringLiteral("Exportar e importar datos entre Tabelio y Racima"));
    QFont letra(QStringLiteral("MS Sans Serif"), 8);
    letra.setStyleHint(QFont::SansSerif);
    setFont(letra);
    setFixedSize(632, 266);

    auto* Draw3D1 = new PanelDegradado(QColor(0xC2, 0xCD, 0xFE), QColor(0xCF, 0xF2, 0xFE),
                                       QColor(0xCC, 0xD8, 0xE6), this);
    Draw3D1->setObjectName(QStringLiteral("Draw3D1"));
    Draw3D1->setGeometry(0, 168, 633, 97);
    auto* Draw3D2 =
        new PanelDegradado(QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD), this);
    Draw3D2->setObjectName(QStringLiteral("Draw3D2"));
    Draw3D2->setGeometry(1, 0, 315, 169);
    auto* BExportar = Boton(Draw3D2, "BExportar", QStyle::SP_DialogApplyButton,
                            QStringLiteral("Aceptar"), QRect(96, 120, 89, 25));
    auto* BClose = Boton(Draw3D1, "BClose", QStyle::SP_DialogCloseButton, QStringLiteral("&Salir"),
                         QRect(256, 32, 89, 25));
    Titulo(Draw3D2, "Label3", QStringLiteral("Transformar datos desde Racima hacia Tabelio "),
           QRect(24, 24, 265, 57));
    auto* Draw3D3 =
        new PanelDegradado(QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD), this);
    Draw3D3->setObjectName(QStringLiteral("Draw3D3"));
    Draw3D3->setGeometry(316, 0, 317, 169);
    Titulo(Draw3D3, "Label4", QStringLiteral("Transformar datos desde Tabelio hacia Racima"),
           QRect(8, 24, 305, 57));
    auto* BImportar = Boton(Draw3D3, "BImportar", QStyle::SP_DialogApplyButton,
                            QStringLiteral("Aceptar"), QRect(96, 120, 89, 25));
    auto* Label1 = new QLabel(QStringLiteral("TransTabelioRacima para PX40 V-1.0"), Draw3D1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 72, 226, 13);
    QFont negrita = font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    QPalette rojo = Label1->palette();
    rojo.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(rojo);
    auto* Button1 = Boton(Draw3D1, "Button1", QStyle::SP_CustomBase, QStringLiteral("F1 Ayuda"),
                          QRect(48, 40, 75, 25));

    connect(BExportar, &QPushButton::clicked, this, &TMForm::BExportarClick);
    connect(BImportar, &QPushButton::clicked, this, &TMForm::BImportarClick);
    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, &TMForm::Button1Click);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &TMForm::AyudaF1);

    FormCreate();
}

TMForm::~TMForm() {
    // Our native window is a child of the host's: it goes before the host's wrapper does.
    if (anfitrion_) destroy();
}

void TMForm::PonerAbridorAyuda(std::function<bool(const QUrl&)> abridor) {
    abridorAyuda_ = std::move(abridor);
}

void TMForm::FormCreate() {
    estado_.ValorTransformado = 0;
    if (parametros_.size() == 2) {
        try {
            Incrustar(parametros_[1]);
        } catch (const std::exception& e) {
            // Shown once the window is up, before the command word runs.
            errorArranque_ = QString::fromUtf8(e.what());
        }
    }
    if (estado_.ModoIncrustado != 2) {
        if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
            move(pantalla->availableGeometry().center() - rect().center());
        }
    }
}

void TMForm::Incrustar(const QString& textoAsa) {
    const std::int32_t valor = AEntero(Utf8AAnsi((QStringLiteral("$") + textoAsa).toStdString()));
#ifdef _WIN32
    const auto asa = static_cast<WId>(static_cast<std::intptr_t>(valor));
#else
    const auto asa = static_cast<WId>(static_cast<std::uint32_t>(valor));
#endif
    if (!ExisteVentana(asa)) {
        throw Error("No existe la ventana " + textoAsa.toStdString() +
                    " dentro de la que mostrarse; se abre como ventana propia.");
    }
    // Only the bare flags: Qt drops the frameless hint when title-bar buttons are asked for.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // A platform without foreign windows (the headless one of the tests) keeps the window on its
    // own, frameless, with the rest of hosted mode unchanged.
    anfitrion_.reset(QWindow::fromWinId(asa));
    if (anfitrion_) {
        winId();
        windowHandle()->setParent(anfitrion_.get());
        move(0, 0);
    }
    estado_.ModoIncrustado = 2;
}

void TMForm::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!mostrada_) {
        mostrada_ = true;
        // After the window is on the screen, not inside the show itself: a run opens dialogs.
        QTimer::singleShot(0, this, &TMForm::FormShow);
    }
}

void TMForm::FormShow() {
    if (!errorArranque_.isEmpty()) MostrarError(this, errorArranque_);
    if (parametros_.size() != 2) return;
    const QString orden = MinusculasAZ(parametros_[0]);
    if (orden == QLatin1String("importar")) BImportarClick();
    if (orden == QLatin1String("exportar")) BExportarClick();
}

void TMForm::closeEvent(QCloseEvent* evento) {
    if (!FormClose()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit Cerrada();
}

bool TMForm::FormClose() {
    if (estado_.ModoIncrustado != 2) return true;
    try {
        EscribirValorIni(estado_.CarpetaPrograma / "Tabelio.ini", "Transformadores", "Transformado",
                         std::to_string(estado_.ValorTransformado));
        return true;
    } catch (const std::exception& e) {
        MostrarError(this, QString::fromUtf8(e.what()));
        return false;
    }
}

template <typename Ejecucion>
void TMForm::Ejecutar(Ejecucion ejecucion) {
    try {
        ejecucion();
    } catch (const std::exception& e) {
        CursorOcupado(false);
        MostrarError(this, QString::fromUtf8(e.what()));
    }
    CursorOcupado(false);
}

void TMForm::BExportarClick() {
    Ejecutar([this] { EjecutarImportacion(estado_, *this); });
}

void TMForm::BImportarClick() {
    Ejecutar([this] { EjecutarExportacion(estado_, *this); });
}

void TMForm::Button1Click() {
    ficheroAyuda_ = QStringLiteral("RACIMA.chm");
    AbrirAyuda();
}

// A desktop viewer takes a file, not a topic: F1 (help context 3) and the contents both open the
// current help file.
void TMForm::AyudaF1() { AbrirAyuda(); }

void TMForm::AbrirAyuda() {
    const QString ruta = TextoDeRuta(estado_.CarpetaPrograma / RutaDeTexto(ficheroAyuda_));
    if (!QFileInfo(ruta).isFile()) {
        MostrarMensaje(this, QStringLiteral("No se encuentra el archivo de ayuda %1.").arg(ruta));
        return;
    }
    if (!abridorAyuda_(QUrl::fromLocalFile(ruta))) {
        MostrarMensaje(this, QStringLiteral("No hay ningún programa instalado que abra el archivo "
                                            "de ayuda %1. Instale un visor de archivos .chm.")
                                 .arg(ruta));
    }
}

std::optional<std::filesystem::path> TMForm::ElegirFichero() {
    if (!OpenDialogXML) {
        OpenDialogXML = new QFileDialog(this, QStringLiteral("Archivo XML"));
        OpenDialogXML->setObjectName(QStringLiteral("OpenDialogXML"));
        OpenDialogXML->setAcceptMode(QFileDialog::AcceptOpen);
        // A typed name of a missing file is let through, for the run to say "No existe archivo".
        OpenDialogXML->setFileMode(QFileDialog::AnyFile);
        OpenDialogXML->setNameFilter(QStringLiteral("*.xml"));
        OpenDialogXML->setDefaultSuffix(QStringLiteral("xml"));
    }
    if (!ultimoFichero_.isEmpty()) OpenDialogXML->selectFile(ultimoFichero_);
    if (OpenDialogXML->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList elegidos = OpenDialogXML->selectedFiles();
    if (elegidos.isEmpty()) return std::nullopt;
    ultimoFichero_ = QFileInfo(elegidos.first()).absoluteFilePath();
    return RutaDeTexto(ultimoFichero_);
}

void TMForm::Mensaje(const std::string& texto) { MostrarMensaje(this, QString::fromUtf8(texto)); }

void TMForm::CursorOcupado(bool ocupado) {
    if (ocupado == cursorOcupado_) return;
    cursorOcupado_ = ocupado;
    if (ocupado) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
    emit CursorCambiado(ocupado);
}

void TMForm::CerrarVentana() { close(); }

// The person is asked to choose: the arrow comes back while the chooser waits for an answer.
std::string TMForm::ElegirPlantilla(const std::filesystem::path& fichero) {
    const bool ocupado = cursorOcupado_;
    CursorOcupado(false);
    TPlantillas Plantillas(fichero, this, [this] { AyudaF1(); });
    Plantillas.exec();
    CursorOcupado(ocupado);
    return Plantillas.PlantillaElegida();
}

}  // namespace rt
