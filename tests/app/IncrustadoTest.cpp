// Hosted mode for real, under a virtual X server: a host window of this test stands for the host
// program, which starts the real executable with a command word and the host window's handle in
// hexadecimal. The test answers the tool's dialogs with keys and clicks, as a person would.
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "Entorno.h"
#include "ServidorX.h"

namespace rt::prueba {

class IncrustadoTest : public QObject {
    Q_OBJECT

  private slots:
    void dentroDeLaVentanaDelAnfitrion_data() {
        QTest::addColumn<QString>("orden");
        QTest::addColumn<QString>("respuesta");  // what the person does
        QTest::addColumn<QString>("resultado");  // the value left in Tabelio.ini
        QTest::newRow("importación terminada")
            << QStringLiteral("exportar") << QStringLiteral("fichero") << QStringLiteral("1");
        QTest::newRow("diálogo cancelado")
            << QStringLiteral("exportar") << QStringLiteral("cancelar") << QStringLiteral("-1");
        QTest::newRow("orden que no hace nada, cerrada con Salir")
            << QStringLiteral("ninguna") << QStringLiteral("salir") << QStringLiteral("0");
    }
    void dentroDeLaVentanaDelAnfitrion() {
        QFETCH(QString, orden);
        QFETCH(QString, respuesta);
        QFETCH(QString, resultado);
        Entorno entorno;
        const QString fichero = entorno.Escribir("datos.xml", Jornadas(1));
        // The tool keeps Tabelio.ini and the level table beside its executable.
        const auto ejecutable = entorno.programa / "RazevUridurOrezad";
        std::filesystem::copy_file(RT_EJECUTABLE, ejecutable);
        const std::string propio = "[Tabelio]\r\nIdioma=ES\r\n";
        EscribirFichero(entorno.programa / "Tabelio.ini", propio);

        QWidget anfitrion;
        anfitrion.setWindowTitle(QStringLiteral("Tabelio"));
        anfitrion.setGeometry(20, 20, 800, 500);
        anfitrion.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anfitrion));
        const ServidorX::Ventana asa = anfitrion.winId();

        QProcess herramienta;
        QProcessEnvironment entornoProceso = QProcessEnvironment::systemEnvironment();
        entornoProceso.insert(QStringLiteral("TBTEMP"), TextoDeRuta(entorno.trabajo.Ruta()));
        entornoProceso.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        entornoProceso.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));  // Qt's own file dialog
        herramienta.setProcessEnvironment(entornoProceso);
        herramienta.setProcessChannelMode(QProcess::ForwardedChannels);
        herramienta.start(TextoDeRuta(ejecutable), {orden, QString::number(asa, 16).toUpper()});
        QVERIFY(herramienta.waitForStarted());

        ServidorX x;
        std::vector<ServidorX::Ventana> hijas;
        QTRY_VERIFY_WITH_TIMEOUT(!(hijas = x.Hijas(asa)).empty(), 30000);
        const ServidorX::Ventana ventana = hijas.front();
        QCOMPARE(x.Madre(ventana), asa);
        QCOMPARE(x.Tamano(ventana), QSize(632, 266));
        QVERIFY(x.SinBordes(ventana));

        ServidorX::Ventana caja = 0;
        const QString titulo = QStringLiteral("RazevUridurOrezad");
        if (respuesta == QLatin1String("salir")) {
            QCOMPARE(x.Titulada(QStringLiteral("Archivo XML")), ServidorX::Ventana(0));
            x.Pulsar(x.OrigenEnPantalla(ventana) + QPoint(256 + 44, 168 + 32 + 12));
        } else {
            ServidorX::Ventana dialogo = 0;
            QTRY_VERIFY_WITH_TIMEOUT((dialogo = x.Titulada(QStringLiteral("Archivo XML"))), 30000);
            x.Enfocar(dialogo);
            if (respuesta == QLatin1String("fichero")) {
                x.Escribir(fichero);
                x.Tecla("Return");
            } else {
                x.Tecla("Escape");
            }
            QTRY_VERIFY_WITH_TIMEOUT((caja = x.Titulada(titulo)), 60000);
            x.Enfocar(caja);
            x.Tecla("Return");
        }

        // The tool closes by itself after a run, or when Salir is pressed.
        QTRY_COMPARE_WITH_TIMEOUT(herramienta.state(), QProcess::NotRunning, 60000);
        QCOMPARE(herramienta.exitStatus(), QProcess::NormalExit);
        QCOMPARE(herramienta.exitCode(), 0);
        QCOMPARE(LeerFichero(entorno.programa / "Tabelio.ini"),
                 propio + "[Transformadores]\r\nTransformado=" + resultado.toStdString() + "\r\n");
        if (resultado == QLatin1String("1")) {
            QCOMPARE(entorno.Periodos(), std::vector<std::string>{"J1"});
        } else {
            QVERIFY(!std::filesystem::exists(entorno.trabajo / "PERIODOS.DBF"));
        }
    }
};

}  // namespace rt::prueba

QTEST_MAIN(rt::prueba::IncrustadoTest)
#include "IncrustadoTest.moc"
