// The main window driven as a person drives it: buttons, the file dialog, the message boxes, the
// chooser, F1, and the command line of the host program.
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "Contestador.h"
#include "Entorno.h"
#include "app/Plantihoras.h"

namespace rt::prueba {

namespace {

const QString kTitulo = QStringLiteral("RazevUridurOrezad");
const QString kFinalizado = kTitulo + QStringLiteral(": Proceso finalizado");
const QString kNoExiste = kTitulo + QStringLiteral(": No existe archivo");
const QString kNivellari =
    kTitulo +
    QStringLiteral(": ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale RAZEVURIDUROREZAD");
const QString kDialogo = QStringLiteral("Archivo XML: ");

bool Existe(const std::filesystem::path& ruta) { return std::filesystem::exists(ruta); }

}  // namespace

class VentanaPrincipalTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void sinLosDosParametrosEsUnaVentanaNormal_data() {
        QTest::addColumn<QStringList>("parametros");
        QTest::newRow("ninguno") << QStringList();
        QTest::newRow("uno") << QStringList{QStringLiteral("exportar")};
        QTest::newRow("tres") << QStringList{QStringLiteral("exportar"), QStringLiteral("1A2B"),
                                             QStringLiteral("x")};
    }
    void sinLosDosParametrosEsUnaVentanaNormal() {
        QFETCH(QStringList, parametros);
        Entorno entorno;
        Contestador contestador;
        TMForm ventana(parametros, entorno.Carpetas());
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        QCoreApplication::processEvents();  // the show handler has had its turn
        QCOMPARE(contestador.Resumen(), QStringList());
        QCOMPARE(ventana.windowTitle(),
                 QStringLiteral("Exportar e importar datos entre Tabelio y Racima"));
        QCOMPARE(ventana.size(), QSize(632, 266));
        QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
        QVERIFY(!(ventana.windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(!(ventana.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(ventana.Estado().ModoIncrustado, 0);
        QVERIFY(ventana.close());
        QVERIFY(!Existe(entorno.programa / "Tabelio.ini"));
    }

    // Both runs from their buttons, one after the other, as a person does in one session.
    void importacionYExportacionDesdeSusBotones() {
        Entorno entorno;
        const QString fichero = entorno.Ruta("ejemplo.xml");
        std::filesystem::copy_file(RT_DIR_DATOS "/ejemplo-racima.xml",
                                   entorno.datos / "ejemplo.xml");
        TMForm ventana({}, entorno.Carpetas());
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));

        Contestador contestador;
        contestador.Luego(Contestador::Fichero(fichero))
            .Luego([](QWidget* w) {  // the sample has two templates: the first one is offered
                auto* plantillas = qobject_cast<TPlantillas*>(w);
                QVERIFY(plantillas);
                plantillas->findChild<QPushButton*>(QStringLiteral("BitBtnContinuar"))->click();
            })
            .Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
        QCOMPARE(contestador.Resumen(),
                 (QStringList{kDialogo, QStringLiteral("Plantillas Horarias: "), kFinalizado}));
        const Visto& dialogo = contestador.Vistos().front();
        QCOMPARE(dialogo.filtros, QStringList{QStringLiteral("*.xml")});
        QCOMPARE(dialogo.sufijo, QStringLiteral("xml"));
        QCOMPARE(contestador.Vistos().back().botones, 1);
        QCOMPARE(entorno.Periodos().size(), 1u);
        QVERIFY(ventana.isVisible());
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // Tabelio solves the timetable; then the export, with the dialog cancelled: it goes on
        // with the file of the import.
        QCOMPARE(QProcess::execute(QStringLiteral(RT_DIR_BIN "/solucionador-sustituto"),
                                   {TextoDeRuta(entorno.trabajo.Ruta())}),
                 0);
        contestador.Olvidar();
        contestador.Luego(Contestador::Cancelar()).Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BImportar"), Qt::LeftButton);
        QCOMPARE(contestador.Resumen(),
                 (QStringList{kDialogo + QStringLiteral("ejemplo.xml"), kFinalizado}));
        QVERIFY(Existe(entorno.datos / "ResultadoVestroejemplo.xml"));
        QVERIFY(ventana.isVisible());

        // Without PERIODOS the export stops on its message, and the window is usable again.
        std::filesystem::remove(entorno.trabajo / "PERIODOS.DBF");
        contestador.Olvidar();
        contestador.Luego(Contestador::Cancelar()).Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BImportar"), Qt::LeftButton);
        QCOMPARE(contestador.Resumen().value(1),
                 kTitulo + QStringLiteral(": ATENCIÓN - PERIODOS.DBF No encontrado - Importe de "
                                          "nuevo XML de RACIMA."));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void nombresEscritosEnElDialogo() {
        Entorno entorno;
        entorno.Escribir("datos.xml", Jornadas(1));
        TMForm ventana({}, entorno.Carpetas());
        ventana.show();
        Contestador contestador;
        contestador
            .Luego(Contestador::FicheroEscrito(entorno.Ruta("datos")))  // ".xml" is added
            .Luego(Contestador::Aceptar())
            .Luego(Contestador::FicheroEscrito(entorno.Ruta("falta.xml")))
            .Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
        QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
        QCOMPARE(contestador.Resumen(),
                 (QStringList{kDialogo, kFinalizado, kDialogo + QStringLiteral("datos.xml"),
                              kNoExiste}));
        QCOMPARE(entorno.Periodos(), std::vector<std::string>{"J1"});
        QCOMPARE(ventana.Estado().ValorTransformado, 1);  // standalone: left as it was
        QVERIFY(ventana.isVisible());
    }

    void laImportacionParaEnSusMensajesYErrores_data() {
        QTest::addColumn<bool>("conNivellari");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<bool>("error");
        QTest::newRow("sin tabla de niveles")
            << false << QByteArray(Jornadas(1).Texto().c_str()) << kNivellari << false;
        QTest::newRow("no es XML")
            << true << QByteArray("no soy XML") << QStringLiteral("datos.xml") << true;
        QTest::newRow("minuto no entero en el último paso")
            << true << QByteArray(Jornadas(1, "8:00").Texto().c_str())
            << QStringLiteral("'8:00' no es un valor entero válido") << true;
    }
    void laImportacionParaEnSusMensajesYErrores() {
        QFETCH(bool, conNivellari);
        QFETCH(QByteArray, contenido);
        QFETCH(QString, mensaje);
        QFETCH(bool, error);
        Entorno entorno;
        if (!conNivellari) std::filesystem::remove(entorno.programa / "NIVELLARI.DBF");
        EscribirFichero(entorno.datos / "datos.xml", contenido.toStdString());
        TMForm ventana({}, entorno.Carpetas());
        std::vector<bool> cursor;
        connect(&ventana, &TMForm::CursorCambiado,
                [&](bool ocupado) { cursor.push_back(ocupado); });
        ventana.show();
        Contestador contestador;
        contestador.Luego(Contestador::Fichero(entorno.Ruta("datos.xml")))
            .Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
        QVERIFY(contestador.Acabado());
        const Visto& caja = contestador.Vistos().back();
        QCOMPARE(caja.titulo, kTitulo);
        QVERIFY2(caja.texto.contains(mensaje.section(QStringLiteral(": "), -1)),
                 qPrintable(caja.texto));
        QCOMPARE(caja.icono, error ? int(QMessageBox::Critical) : int(QMessageBox::NoIcon));
        QVERIFY(!caja.cursorOcupado);
        QVERIFY(cursor.empty() || !cursor.back());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(ventana.isVisible());
        QCOMPARE(ventana.Estado().ValorTransformado, 0);
    }

    // The hourglass shows while the steps work, gives way to the arrow while the chooser waits
    // for the person, and is gone before "Proceso finalizado".
    void plantillaElegidaYCursorDuranteLaImportacion() {
        Entorno entorno;
        const QString fichero = entorno.Escribir("datos.xml", Jornadas(2));
        TMForm ventana({}, entorno.Carpetas());
        std::vector<bool> cursor;
        connect(&ventana, &TMForm::CursorCambiado,
                [&](bool ocupado) { cursor.push_back(ocupado); });
        ventana.show();
        Contestador contestador;
        contestador.Luego(Contestador::Fichero(fichero))
            .Luego([](QWidget* w) {
                auto* caja = w->findChild<QComboBox*>(QStringLiteral("ComboBoxPlantilla"));
                QCOMPARE(caja->count(), 2);
                caja->setCurrentIndex(1);
                w->findChild<QPushButton*>(QStringLiteral("BitBtnContinuar"))->click();
            })
            .Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
        QVERIFY(contestador.Acabado());
        QCOMPARE(cursor, (std::vector<bool>{true, false, true, false}));
        QVERIFY(!contestador.Vistos()[1].cursorOcupado);
        QVERIFY(!contestador.Vistos()[2].cursorOcupado);
        QCOMPARE(ventana.Estado().JornadaElegida, std::string("J2"));
        QCOMPARE(entorno.Periodos(), std::vector<std::string>{"J2"});
    }

    // Hosted mode on the headless platform: everything but the embedding itself, which the test
    // under a real X server covers.
    void modoIncrustado_data() {
        QTest::addColumn<QString>("orden");
        QTest::addColumn<QString>("respuesta");  // the file, "" to cancel, "-" no dialog
        QTest::addColumn<bool>("conNivellari");
        QTest::addColumn<QStringList>("vistos");
        QTest::addColumn<bool>("seCierraSola");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("importación terminada, orden en mayúsculas")
            << QStringLiteral("EXPORTAR") << QStringLiteral("datos.xml") << true
            << QStringList{kDialogo, kFinalizado} << true << QStringLiteral("1");
        QTest::newRow("diálogo cancelado sin fichero anterior")
            << QStringLiteral("exportar") << QStringLiteral("") << true
            << QStringList{kDialogo, kNoExiste} << true << QStringLiteral("-1");
        QTest::newRow("sin tabla de niveles: se queda abierta")
            << QStringLiteral("exportar") << QStringLiteral("datos.xml") << false
            << QStringList{kDialogo, kNivellari} << false << QStringLiteral("0");
        QTest::newRow("exportación con el diálogo cancelado")
            << QStringLiteral("Importar") << QStringLiteral("") << true
            << QStringList{kDialogo, kNoExiste} << true << QStringLiteral("-1");
        QTest::newRow("otra orden no hace nada")
            << QStringLiteral("transformar") << QStringLiteral("-") << true << QStringList()
            << false << QStringLiteral("0");
    }
    void modoIncrustado() {
        QFETCH(QString, orden);
        QFETCH(QString, respuesta);
        QFETCH(bool, conNivellari);
        QFETCH(QStringList, vistos);
        QFETCH(bool, seCierraSola);
        QFETCH(QString, resultado);
        Entorno entorno;
        entorno.Escribir("datos.xml", Jornadas(1));
        if (!conNivellari) std::filesystem::remove(entorno.programa / "NIVELLARI.DBF");
        // Tabelio's own settings in the same file must survive, byte for byte.
        const std::string propio = "; Tabelio\r\n[Tabelio]\r\nIdioma = ES\r\n";
        EscribirFichero(entorno.programa / "Tabelio.ini", propio);

        Contestador contestador;
        if (respuesta == QLatin1String("datos.xml")) {
            contestador.Luego(Contestador::Fichero(entorno.Ruta("datos.xml")));
        } else if (respuesta.isEmpty()) {
            contestador.Luego(Contestador::Cancelar());
        }
        if (respuesta != QLatin1String("-")) contestador.Luego(Contestador::Aceptar());
        TMForm ventana({orden, QStringLiteral("1A2B")}, entorno.Carpetas());
        bool cerrada = false;
        connect(&ventana, &TMForm::Cerrada, [&] { cerrada = true; });
        QVERIFY(ventana.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(ventana.Estado().ModoIncrustado, 2);
        ventana.show();
        QTRY_VERIFY(contestador.Acabado() && !QApplication::activeModalWidget());
        QCoreApplication::processEvents();
        QCOMPARE(contestador.Resumen(), vistos);
        QCOMPARE(cerrada, seCierraSola);
        if (!seCierraSola) {
            QVERIFY(ventana.isVisible());
            QTest::mouseClick(Boton(ventana, "BClose"), Qt::LeftButton);
            QVERIFY(cerrada);
        }
        QCOMPARE(LeerFichero(entorno.programa / "Tabelio.ini"),
                 propio + "[Transformadores]\r\nTransformado=" + resultado.toStdString() + "\r\n");
    }

    void resultadoQueNoSePuedeEscribir() {
        Entorno entorno;
        std::filesystem::create_directory(entorno.programa / "Tabelio.ini");
        TMForm ventana({QStringLiteral("nada"), QStringLiteral("1A2B")}, entorno.Carpetas());
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        Contestador contestador;
        contestador.Luego(Contestador::Aceptar());
        QTest::mouseClick(Boton(ventana, "BClose"), Qt::LeftButton);
        QVERIFY(contestador.Acabado());
        QCOMPARE(contestador.Vistos().front().icono, int(QMessageBox::Critical));
        QVERIFY(contestador.Vistos().front().texto.contains(QStringLiteral("Tabelio.ini")));
        QVERIFY(ventana.isVisible());
    }

    // A handle that is not hexadecimal: the conversion error, then a normal window that still
    // runs the command word, does not close and writes nothing.
    void asaNoValida() {
        Entorno entorno;
        entorno.Escribir("datos.xml", Jornadas(1));
        Contestador contestador;
        contestador.Luego(Contestador::Aceptar())
            .Luego(Contestador::Fichero(entorno.Ruta("datos.xml")))
            .Luego(Contestador::Aceptar());
        TMForm ventana({QStringLiteral("exportar"), QStringLiteral("12G4")}, entorno.Carpetas());
        ventana.show();
        QTRY_VERIFY(contestador.Acabado() && !QApplication::activeModalWidget());
        QCOMPARE(contestador.Resumen(),
                 (QStringList{kTitulo + QStringLiteral(": '$12G4' no es un valor entero válido"),
                              kDialogo, kFinalizado}));
        QCOMPARE(contestador.Vistos().front().icono, int(QMessageBox::Critical));
        QVERIFY(ventana.isVisible());
        QVERIFY(!(ventana.windowFlags() & Qt::FramelessWindowHint));
        QCOMPARE(ventana.Estado().ModoIncrustado, 0);
        QCOMPARE(ventana.Estado().ValorTransformado, 1);
        QVERIFY(ventana.close());
        QVERIFY(!Existe(entorno.programa / "Tabelio.ini"));
    }

    void ayuda() {
        Entorno entorno;
        EscribirFichero(entorno.programa / "DORIV.chm", "ayuda");
        EscribirFichero(entorno.programa / "RACIMA.chm", "ayuda");
        TMForm ventana({}, entorno.Carpetas());
        QStringList abiertos;
        bool hayVisor = true;
        ventana.PonerAbridorAyuda([&](const QUrl& url) {
            abiertos << url.toLocalFile();
            return hayVisor;
        });
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        const QString racima = TextoDeRuta(entorno.programa / "RACIMA.chm");

        QTest::keyClick(&ventana, Qt::Key_F1);
        QTest::mouseClick(Boton(ventana, "Button1"), Qt::LeftButton);
        QTest::keyClick(Boton(ventana, "BExportar"), Qt::Key_F1);
        QCOMPARE(abiertos,
                 (QStringList{TextoDeRuta(entorno.programa / "DORIV.chm"), racima, racima}));

        Contestador contestador;
        contestador.Luego(Contestador::Aceptar()).Luego(Contestador::Aceptar());
        hayVisor = false;
        QTest::keyClick(&ventana, Qt::Key_F1);
        std::filesystem::remove(entorno.programa / "RACIMA.chm");
        ventana.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        QTest::keyClick(&ventana, Qt::Key_F1);
        QVERIFY(contestador.Acabado());
        QVERIFY(contestador.Resumen()[0].contains(QStringLiteral("No hay ningún programa")));
        QVERIFY(contestador.Resumen()[1].contains(
            QStringLiteral("No se encuentra el archivo de ayuda ") + racima));
        QCOMPARE(abiertos.size(), 4);
    }
};

}  // namespace rt::prueba

QTEST_MAIN(rt::prueba::VentanaPrincipalTest)
#include "VentanaPrincipalTest.moc"
