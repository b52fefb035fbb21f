#pragma once
// The message boxes of the tool, all captioned with the application's title, and the crossing
// between the core's paths and Qt's strings.

#include <QString>
#include <filesystem>

class QWidget;

namespace rt {

// A simple message with one acknowledgement button.
void MostrarMensaje(QWidget* padre, const QString& texto);
// The standard error box, for the failures that end a handler.
void MostrarError(QWidget* padre, const QString& texto);

QString TextoDeRuta(const std::filesystem::path& ruta);
std::filesystem::path RutaDeTexto(const QString& texto);

}  // namespace rt
