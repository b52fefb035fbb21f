#pragma once
// What the hosted-mode test asks of the X server, on a connection of its own: the window tree,
// titles and hints, and a person's keys and clicks through the XTEST extension. No X type leaks
// out of here, so that Qt and Xlib names never meet in one file.

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace rt::prueba {

class ServidorX {
  public:
    using Ventana = unsigned long;

    ServidorX();  // the display of $DISPLAY
    ~ServidorX();
    ServidorX(const ServidorX&) = delete;
    ServidorX& operator=(const ServidorX&) = delete;

    std::vector<Ventana> Hijas(Ventana ventana) const;
    Ventana Madre(Ventana ventana) const;
    QSize Tamano(Ventana ventana) const;
    QPoint OrigenEnPantalla(Ventana ventana) const;
    // The window asks for no border and no title bar (the frameless hint of the desktop).
    bool SinBordes(Ventana ventana) const;
    // A mapped top-level window with this title, or 0.
    Ventana Titulada(const QString& titulo) const;
    // The titles of the mapped top-level windows, to say what is left on the screen.
    QStringList Titulos() const;

    void Enfocar(Ventana ventana);
    void Escribir(const QString& texto);  // printable ASCII
    // A key symbol name ("Return", "Escape", "a"), with Control held down when asked.
    void Tecla(const char* nombre, bool control = false);
    void Pulsar(QPoint enPantalla);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rt::prueba
