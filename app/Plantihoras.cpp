#include "app/Plantihoras.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <exception>

#include "app/Dialogos.h"
#include "app/PanelDegradado.h"
#include "text/Cp1252.h"

namespace rt {

namespace {

QString Mostrable(const std::string& ansi) { return QString::fromStdString(AnsiAUtf8(ansi)); }

QFont Arial(int puntos) {
    QFont letra(QStringLiteral("Arial"), puntos, QFont::Bold);
    letra.setStyleHint(QFont::SansSerif);
    return letra;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, QRect lugar,
                 const QFont& letra, QColor color) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setGeometry(lugar);
    etiqueta->setWordWrap(true);
    etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    etiqueta->setFont(letra);
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(paleta);
    return etiqueta;
}

const QColor kGranate(0x80, 0x00, 0x00);

}  // namespace

TPlantillas::TPlantillas(std::filesystem::path fichero, QWidget* padre, std::function<void()> ayuda)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      fichero_(std::move(fichero)) {
    setObjectName(QStringLiteral("Plantillas"));
    setWindowTitle(QStringLiteral("Plantillas Horarias"));
    setModal(true);
    QFont letra(QStringLiteral("MS Sans Serif"), 8);
    letra.setStyleHint(QFont::SansSerif);
    setFont(letra);
    resize(370, 235);
    move(368, 228);

    // A light blue at the bottom keeps the maroon labels and the button readable.
    auto* Draw3D4 =
        new PanelDegradado(QColor(0xA6, 0xCA, 0xF0), Qt::white, QColor(0xD8, 0xE4, 0xF8), this);
    Draw3D4->setObjectName(QStringLiteral("Draw3D4"));
    Draw3D4->setGeometry(0, 0, 370, 235);

    Etiqueta(Draw3D4, "LabelPlantillas",
             QStringLiteral(
                 "Seleccione la Plantilla Horaria que quiere aplicar a su Horario en Tabelio."),
             QRect(16, 2, 321, 33), Arial(10), palette().color(QPalette::WindowText));
    Etiqueta(Draw3D4, "Label2",
             QStringLiteral("Las Horas de la Plantilla del día seleccionado, se propagarán "
                            "sobre todos los días de las Semana."),
             QRect(16, 34, 321, 33), Arial(10), Qt::red);
    Etiqueta(Draw3D4, "Label1", QStringLiteral("HORAS"), QRect(215, 68, 67, 18), Arial(12),
             kGranate);

    BitBtnContinuar = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton),
                                      QStringLiteral("Continuar"), Draw3D4);
    BitBtnContinuar->setObjectName(QStringLiteral("BitBtnContinuar"));
    BitBtnContinuar->setGeometry(255, 203, 89, 25);
    QFont negrita = font();
    negrita.setBold(true);
    BitBtnContinuar->setFont(negrita);
    BitBtnContinuar->setDefault(true);

    ComboBoxPlantilla = new QComboBox(Draw3D4);
    ComboBoxPlantilla->setObjectName(QStringLiteral("ComboBoxPlantilla"));
    ComboBoxPlantilla->setEditable(true);
    ComboBoxPlantilla->setCompleter(nullptr);
    ComboBoxPlantilla->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxPlantilla->setGeometry(8, 87, 81, 21);
    ComboBoxPlantilla->setFont(negrita);
    QPalette amarillo = ComboBoxPlantilla->palette();
    amarillo.setColor(QPalette::Base, Qt::yellow);
    amarillo.setColor(QPalette::Button, Qt::yellow);
    ComboBoxPlantilla->setPalette(amarillo);
    ComboBoxPlantilla->lineEdit()->setPalette(amarillo);

    ListBox1 = new QListWidget(Draw3D4);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(152, 85, 193, 114);

    LabelNombre = Etiqueta(Draw3D4, "LabelNombre", QStringLiteral("-"), QRect(9, 114, 120, 23),
                           Arial(12), kGranate);
    LabelPlanFec1 = Etiqueta(Draw3D4, "LabelPlanFec1", QStringLiteral("-"), QRect(9, 144, 120, 23),
                             Arial(12), kGranate);
    LabelPlanFec2 = Etiqueta(Draw3D4, "LabelPlanFec2", QStringLiteral("-"), QRect(9, 176, 120, 23),
                             Arial(12), kGranate);

    setTabOrder(BitBtnContinuar, ComboBoxPlantilla);
    setTabOrder(ComboBoxPlantilla, ListBox1);

    connect(ComboBoxPlantilla, &QComboBox::editTextChanged, this,
            &TPlantillas::ComboBoxPlantillaChange);
    connect(BitBtnContinuar, &QPushButton::clicked, this, &TPlantillas::BitBtnContinuarClick);
    if (ayuda) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
        connect(f1, &QShortcut::activated, this, std::move(ayuda));
    }
}

TPlantillas::~TPlantillas() = default;

std::string TPlantillas::TextoCaja() const {
    return Utf8AAnsi(ComboBoxPlantilla->currentText().toStdString());
}

// The list is filled when the dialog is first shown, not on every later activation: switching to
// another window and back must not throw away the template the person has chosen.
void TPlantillas::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!activada_) {
        activada_ = true;
        FormActivate();
    }
}

void TPlantillas::FormActivate() {
    try {
        logica_ = std::make_unique<LogicaPlantillas>(fichero_);
        {
            const QSignalBlocker bloqueo(ComboBoxPlantilla);
            if (!logica_->Codigos().empty()) {
                ComboBoxPlantilla->clear();
                for (const std::string& codigo : logica_->Codigos()) {
                    ComboBoxPlantilla->addItem(Mostrable(codigo));
                }
            }
            ComboBoxPlantilla->setCurrentIndex(0);
        }
        ComboBoxPlantillaChange();
    } catch (const std::exception& e) {
        MostrarError(this, QString::fromUtf8(e.what()));
    }
}

void TPlantillas::ComboBoxPlantillaChange() {
    if (!logica_) return;
    try {
        const LogicaPlantillas::Vista vista = logica_->Mostrar(TextoCaja());
        LabelNombre->setText(Mostrable(vista.nombre));
        LabelPlanFec1->setText(Mostrable(vista.fechaInicio));
        LabelPlanFec2->setText(Mostrable(vista.fechaFin));
        if (vista.tramosActualizados) {
            ListBox1->clear();
            for (const std::string& tramo : vista.tramos) ListBox1->addItem(Mostrable(tramo));
        }
    } catch (const std::exception& e) {
        MostrarError(this, QString::fromUtf8(e.what()));
    }
}

void TPlantillas::BitBtnContinuarClick() {
    plantillaElegida_ = LogicaPlantillas::Elegida(TextoCaja());
    accept();
}

void TPlantillas::FormClose() { plantillaElegida_ = LogicaPlantillas::Elegida(TextoCaja()); }

// Every way out (the button, the close command, Escape) ends here.
void TPlantillas::done(int resultado) {
    FormClose();
    QDialog::done(resultado);
}

}  // namespace rt
