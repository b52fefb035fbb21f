// Pictures of both windows for the documentation, drawn as the desktop shows them:
//   xvfb-run -a capturas_ventanas CARPETA
// writes CARPETA/ventana-principal.png and CARPETA/plantillas.png.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "Entorno.h"
#include "app/Plantihoras.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    if (argc != 2) {
        std::fputs("Uso: capturas_ventanas CARPETA\n", stderr);
        return 2;
    }
    const QDir destino(QString::fromLocal8Bit(argv[1]));
    rt::prueba::Entorno entorno;
    const QString fichero = entorno.Escribir("datos.xml", rt::prueba::Jornadas(2));

    rt::TMForm ventana({}, entorno.Carpetas());
    ventana.show();
    rt::TPlantillas plantillas(rt::RutaDeTexto(fichero), &ventana);
    plantillas.show();

    bool bien = true;
    QTimer::singleShot(500, [&] {
        bien = ventana.grab().save(destino.filePath(QStringLiteral("ventana-principal.png"))) &&
               plantillas.grab().save(destino.filePath(QStringLiteral("plantillas.png")));
        QApplication::quit();
    });
    QApplication::exec();
    return bien ? 0 : 1;
}
