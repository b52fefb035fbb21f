// RazevUridurOrezad: the window of the conversion tool, on its own or inside the host's window.
#include <QApplication>

#include "app/MainForm.h"
#include "platform/Carpetas.h"
#include "platform/Mensajes.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(rt::mensajes::kTituloAplicacion));
    // The window decides when the program ends: in hosted mode it is no top-level window, and
    // closing refuses to end while the result file cannot be written.
    QApplication::setQuitOnLastWindowClosed(false);

    rt::TMForm MForm(QApplication::arguments().mid(1),
                     {rt::CarpetaPrograma(), rt::CarpetaTrabajoPredeterminada()});
    QObject::connect(&MForm, &rt::TMForm::Cerrada, &aplicacion, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    MForm.show();
    return QApplication::exec();
}
