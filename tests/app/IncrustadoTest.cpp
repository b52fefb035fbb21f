// Hosted mode for real, under a virtual X server: a host window of this test stands for the host
// program, which starts the real executable with a command word and the host window's handle in
// hexadecimal. The test answers the tool's dialogs with keys and clicks, as a person would.
#include <QElapsedTimer>
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

        // Like a person in front of the screen until the tool ends: the file dialog gets the
        // file typed in (or Escape), a message box gets Return, and Salir a click. A key or click
        // that reaches a window before Qt is ready for it is lost, so the person tries again a
        // second later.
        const QString kDialogo = QStringLiteral("Archivo XML");
        const QString kCaja = QStringLiteral("RazevUridurOrezad");
        QStringList vistos;
        auto ver = [&](const QString& titulo) {
            if (vistos.isEmpty() || vistos.last() != titulo) vistos << titulo;
        };
        QElapsedTimer reloj;
        const bool terminada = QTest::qWaitFor(
            [&] {
                if (herramienta.state() == QProcess::NotRunning) return true;
                if (reloj.isValid() && reloj.elapsed() < 1000) return false;
                if (const auto dialogo = x.Titulada(kDialogo)) {
                    ver(kDialogo);
                    x.Enfocar(dialogo);
                    if (respuesta == QLatin1String("fichero")) {
                        x.Tecla("a", true);  // whatever an earlier try left in the name box
                        x.Escribir(fichero);
                        x.Tecla("Return");
                    } else {
                        x.Tecla("Escape");
                    }
                } else if (const auto caja = x.Titulada(kCaja)) {
                    ver(kCaja);
                    x.Enfocar(caja);
                    x.Tecla("Return");
                } else if (respuesta == QLatin1String("salir")) {
                    x.Pulsar(x.OrigenEnPantalla(ventana) + QPoint(256 + 44, 168 + 32 + 12));
                }
                reloj.start();
                return false;
            },
            60000);
        if (!terminada) {
            QFAIL(qPrintable(QStringLiteral("La herramienta sigue abierta; ventanas: ") +
                             x.Titulos().join(QStringLiteral(", "))));
        }
        const QStringList esperados =
            respuesta == QLatin1String("salir") ? QStringList() : QStringList{kDialogo, kCaja};
        QCOMPARE(vistos, esperados);
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
