// The school-day template chooser on its own, with the files of the cases that matter.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "Ayuda.h"
#include "FicheroIntercambio.h"
#include "app/Plantihoras.h"

namespace rt::prueba {

namespace {

struct Mostrado {
    QStringList codigos;
    QString caja;
    QStringList etiquetas;  // name, start, end
    QStringList tramos;
};

class Dialogo {
  public:
    explicit Dialogo(const FicheroIntercambio& fichero)
        : plantillas_(fichero.Escribir(carpeta_ / "datos.xml")) {
        plantillas_.show();
    }
    explicit Dialogo(const std::filesystem::path& fichero) : plantillas_(fichero) {
        plantillas_.show();
    }

    TPlantillas& Ventana() { return plantillas_; }
    QComboBox* Caja() {
        return plantillas_.findChild<QComboBox*>(QStringLiteral("ComboBoxPlantilla"));
    }
    Mostrado Ahora() {
        Mostrado m;
        for (int i = 0; i < Caja()->count(); ++i) m.codigos << Caja()->itemText(i);
        m.caja = Caja()->currentText();
        for (const char* nombre : {"LabelNombre", "LabelPlanFec1", "LabelPlanFec2"}) {
            m.etiquetas << plantillas_.findChild<QLabel*>(QString::fromLatin1(nombre))->text();
        }
        auto* lista = plantillas_.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        for (int i = 0; i < lista->count(); ++i) m.tramos << lista->item(i)->text();
        return m;
    }
    void Escribir(const QString& texto) {
        Caja()->lineEdit()->clear();
        QTest::keyClicks(Caja()->lineEdit(), texto);
    }
    void Continuar() {
        QTest::mouseClick(plantillas_.findChild<QPushButton*>(QStringLiteral("BitBtnContinuar")),
                          Qt::LeftButton);
    }

  private:
    CarpetaTemporal carpeta_;
    TPlantillas plantillas_;
};

FicheroIntercambio DosPlantillas(Registros tramos) {
    return FicheroIntercambio()
        .Bloque("JORNADAS_ESCOLARES", {{"A", "Mañana", "01/09/2024", "30/06/2025"},
                                       {"B", "Tarde", "02/09/2024", "31/05/2025"}})
        .Bloque("TRAMOS_HORARIOS", tramos);
}

const Registros kTramos = {{"1", "Primera A", "480", "535", "A"},
                           {"2", "Primera B", "900", "955", "B"},
                           {"3", "Segunda A", "540", "595", "A"}};

}  // namespace

class PlantillasTest : public QObject {
    Q_OBJECT

  private slots:
    void ofreceLaPrimeraYCambiaConLaElegida() {
        Dialogo dialogo(DosPlantillas(kTramos));
        QCOMPARE(dialogo.Ventana().windowTitle(), QStringLiteral("Plantillas Horarias"));
        QVERIFY(dialogo.Ventana().isModal());
        QVERIFY(dialogo.Caja()->isEditable());
        QCOMPARE(dialogo.Caja()->completer(), nullptr);
        Mostrado a = dialogo.Ahora();
        QCOMPARE(a.codigos, (QStringList{"A", "B"}));
        QCOMPARE(a.caja, QStringLiteral("A"));
        QCOMPARE(a.etiquetas, (QStringList{"Mañana", "01/09/2024", "30/06/2025"}));
        QCOMPARE(a.tramos, (QStringList{"Primera A", "Segunda A"}));

        dialogo.Caja()->setCurrentIndex(1);
        Mostrado b = dialogo.Ahora();
        QCOMPARE(b.etiquetas, (QStringList{"Tarde", "02/09/2024", "31/05/2025"}));
        QCOMPARE(b.tramos, QStringList{"Primera B"});
        dialogo.Continuar();
        QCOMPARE(dialogo.Ventana().result(), int(QDialog::Accepted));
        QCOMPARE(dialogo.Ventana().PlantillaElegida(), std::string("B"));
    }

    void unCodigoEscritoQueNoExiste() {
        Dialogo dialogo(DosPlantillas(kTramos));
        dialogo.Escribir(QStringLiteral(" Z\t"));
        const Mostrado m = dialogo.Ahora();
        QCOMPARE(m.etiquetas, (QStringList{"-", "-", "-"}));
        QCOMPARE(m.tramos, QStringList());
        QCOMPARE(m.codigos.size(), 2);  // typing adds nothing to the list
        dialogo.Continuar();
        QCOMPARE(dialogo.Ventana().PlantillaElegida(), std::string("Z"));
    }

    // The codes are shown and compared as the file has them, and handed back trimmed.
    void codigosConBlancos() {
        Dialogo dialogo(FicheroIntercambio()
                            .Bloque("JORNADAS_ESCOLARES", {{" A ", "Con blancos", "1", "2"},
                                                           {"A", "Sin blancos", "3", "4"}})
                            .Bloque("TRAMOS_HORARIOS", {{"1", "De ' A '", "480", "535", " A "},
                                                        {"2", "De 'A'", "540", "595", "A"}}));
        const Mostrado m = dialogo.Ahora();
        QCOMPARE(m.codigos, (QStringList{" A ", "A"}));
        QCOMPARE(m.caja, QStringLiteral(" A "));
        QCOMPARE(m.etiquetas.first(), QStringLiteral("Con blancos"));
        QCOMPARE(m.tramos, QStringList{"De ' A '"});
        dialogo.Continuar();
        QCOMPARE(dialogo.Ventana().PlantillaElegida(), std::string("A"));
    }

    // However the dialog is left, the text of the box goes back.
    void cerrarSinElBoton_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("orden de cerrar de la ventana") << false;
        QTest::newRow("tecla Escape") << true;
    }
    void cerrarSinElBoton() {
        QFETCH(bool, escape);
        Dialogo dialogo(DosPlantillas(kTramos));
        dialogo.Caja()->setCurrentIndex(1);
        if (escape) {
            QTest::keyClick(&dialogo.Ventana(), Qt::Key_Escape);
        } else {
            QVERIFY(dialogo.Ventana().close());
        }
        QVERIFY(!dialogo.Ventana().isVisible());
        QCOMPARE(dialogo.Ventana().PlantillaElegida(), std::string("B"));
    }

    void plantillaSinTramos() {
        Dialogo dialogo(DosPlantillas(
            {{"1", "Primera A", "480", "535", "A"}, {"3", "Segunda A", "540", "595", "A"}}));
        dialogo.Caja()->setCurrentIndex(1);
        const Mostrado m = dialogo.Ahora();
        QCOMPARE(m.etiquetas.first(), QStringLiteral("Tarde"));
        QCOMPARE(m.tramos, QStringList());
    }

    // The slot list is only refreshed when the file holds more than one slot record.
    void unSoloRegistroDeTramos() {
        Dialogo dialogo(DosPlantillas({{"1", "Primera A", "480", "535", "A"}}));
        QCOMPARE(dialogo.Ahora().etiquetas.first(), QStringLiteral("Mañana"));
        QCOMPARE(dialogo.Ahora().tramos, QStringList());
    }

    void ficheroQueNoSeCarga() {
        CarpetaTemporal carpeta;
        EscribirFichero(carpeta / "roto.xml", "<SERVICIO><BLOQUE_DATOS>");
        Dialogo dialogo(carpeta / "roto.xml");
        const Mostrado m = dialogo.Ahora();
        QCOMPARE(m.codigos, QStringList());
        QCOMPARE(m.etiquetas, (QStringList{"-", "-", "-"}));
        dialogo.Continuar();
        QCOMPARE(dialogo.Ventana().PlantillaElegida(), std::string());
    }
};

}  // namespace rt::prueba

QTEST_MAIN(rt::prueba::PlantillasTest)
#include "PlantillasTest.moc"
