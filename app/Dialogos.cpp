#include "app/Dialogos.h"

#include <QMessageBox>

#include "platform/Mensajes.h"

namespace rt {

void MostrarMensaje(QWidget* padre, const QString& texto) {
    QMessageBox caja(QMessageBox::NoIcon, QString::fromUtf8(mensajes::kTituloAplicacion), texto,
                     QMessageBox::Ok, padre);
    caja.exec();
}

void MostrarError(QWidget* padre, const QString& texto) {
    QMessageBox caja(QMessageBox::Critical, QString::fromUtf8(mensajes::kTituloAplicacion), texto,
                     QMessageBox::Ok, padre);
    caja.exec();
}

QString TextoDeRuta(const std::filesystem::path& ruta) {
    return QString::fromStdU16String(ruta.u16string());
}

std::filesystem::path RutaDeTexto(const QString& texto) {
    return std::filesystem::path(texto.toStdU16String());
}

}  // namespace rt
