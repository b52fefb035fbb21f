#include "ServidorX.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

namespace rt::prueba {

struct ServidorX::Impl {
    Display* pantalla = nullptr;
};

namespace {

QString Propiedad(Display* d, Window w, const char* nombre, const char* tipo) {
    Atom propiedad = XInternAtom(d, nombre, False);
    Atom tipoPedido = XInternAtom(d, tipo, False);
    Atom tipoReal = 0;
    int formato = 0;
    unsigned long cuantos = 0, quedan = 0;
    unsigned char* datos = nullptr;
    QString texto;
    if (XGetWindowProperty(d, w, propiedad, 0, 1024, False, tipoPedido, &tipoReal, &formato,
                           &cuantos, &quedan, &datos) == Success &&
        datos) {
        texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), int(cuantos));
    }
    if (datos) XFree(datos);
    return texto;
}

}  // namespace

ServidorX::ServidorX() : impl_(std::make_unique<Impl>()) {
    impl_->pantalla = XOpenDisplay(nullptr);
    if (!impl_->pantalla) throw std::runtime_error("sin servidor X");
}

ServidorX::~ServidorX() { XCloseDisplay(impl_->pantalla); }

std::vector<ServidorX::Ventana> ServidorX::Hijas(Ventana ventana) const {
    Window raiz = 0, madre = 0, *hijas = nullptr;
    unsigned int cuantas = 0;
    std::vector<Ventana> lista;
    if (XQueryTree(impl_->pantalla, ventana, &raiz, &madre, &hijas, &cuantas)) {
        lista.assign(hijas, hijas + cuantas);
        if (hijas) XFree(hijas);
    }
    return lista;
}

ServidorX::Ventana ServidorX::Madre(Ventana ventana) const {
    Window raiz = 0, madre = 0, *hijas = nullptr;
    unsigned int cuantas = 0;
    if (XQueryTree(impl_->pantalla, ventana, &raiz, &madre, &hijas, &cuantas) && hijas) {
        XFree(hijas);
    }
    return madre;
}

QSize ServidorX::Tamano(Ventana ventana) const {
    XWindowAttributes atributos{};
    XGetWindowAttributes(impl_->pantalla, ventana, &atributos);
    return {atributos.width, atributos.height};
}

QPoint ServidorX::OrigenEnPantalla(Ventana ventana) const {
    int x = 0, y = 0;
    Window hija = 0;
    XTranslateCoordinates(impl_->pantalla, ventana, DefaultRootWindow(impl_->pantalla), 0, 0, &x,
                          &y, &hija);
    return {x, y};
}

bool ServidorX::SinBordes(Ventana ventana) const {
    Display* d = impl_->pantalla;
    Atom pistas = XInternAtom(d, "_MOTIF_WM_HINTS", False);
    Atom tipo = 0;
    int formato = 0;
    unsigned long cuantos = 0, quedan = 0;
    unsigned char* datos = nullptr;
    bool sinBordes = false;
    if (XGetWindowProperty(d, ventana, pistas, 0, 5, False, AnyPropertyType, &tipo, &formato,
                           &cuantos, &quedan, &datos) == Success &&
        datos && cuantos >= 3) {
        const auto* valores = reinterpret_cast<const unsigned long*>(datos);
        const unsigned long kDecoraciones = 1UL << 1;  // flags: the decorations field is set
        sinBordes = (valores[0] & kDecoraciones) && valores[2] == 0;
    }
    if (datos) XFree(datos);
    return sinBordes;
}

ServidorX::Ventana ServidorX::Titulada(const QString& titulo) const {
    Display* d = impl_->pantalla;
    for (Ventana v : Hijas(DefaultRootWindow(d))) {
        XWindowAttributes atributos{};
        if (!XGetWindowAttributes(d, v, &atributos) || atributos.map_state != IsViewable) continue;
        if (Propiedad(d, v, "_NET_WM_NAME", "UTF8_STRING") == titulo) return v;
    }
    return 0;
}

QStringList ServidorX::Titulos() const {
    Display* d = impl_->pantalla;
    QStringList titulos;
    for (Ventana v : Hijas(DefaultRootWindow(d))) {
        XWindowAttributes atributos{};
        if (XGetWindowAttributes(d, v, &atributos) && atributos.map_state == IsViewable) {
            titulos << Propiedad(d, v, "_NET_WM_NAME", "UTF8_STRING");
        }
    }
    return titulos;
}

void ServidorX::Enfocar(Ventana ventana) {
    XSetInputFocus(impl_->pantalla, ventana, RevertToParent, CurrentTime);
    XSync(impl_->pantalla, False);
}

namespace {

void Golpe(Display* d, KeyCode tecla, bool mayuscula) {
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    if (mayuscula) XTestFakeKeyEvent(d, shift, True, CurrentTime);
    XTestFakeKeyEvent(d, tecla, True, CurrentTime);
    XTestFakeKeyEvent(d, tecla, False, CurrentTime);
    if (mayuscula) XTestFakeKeyEvent(d, shift, False, CurrentTime);
}

}  // namespace

void ServidorX::Escribir(const QString& texto) {
    Display* d = impl_->pantalla;
    for (QChar c : texto) {
        const KeySym simbolo = c.unicode();  // printable ASCII: the key symbol is the code
        const KeyCode tecla = XKeysymToKeycode(d, simbolo);
        if (tecla == 0) throw std::runtime_error("carácter sin tecla");
        Golpe(d, tecla, XkbKeycodeToKeysym(d, tecla, 0, 0) != simbolo);
    }
    XSync(d, False);
}

void ServidorX::Tecla(const char* nombre, bool control) {
    Display* d = impl_->pantalla;
    const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L);
    if (control) XTestFakeKeyEvent(d, ctrl, True, CurrentTime);
    Golpe(d, XKeysymToKeycode(d, XStringToKeysym(nombre)), false);
    if (control) XTestFakeKeyEvent(d, ctrl, False, CurrentTime);
    XSync(d, False);
}

void ServidorX::Pulsar(QPoint enPantalla) {
    Display* d = impl_->pantalla;
    XTestFakeMotionEvent(d, -1, enPantalla.x(), enPantalla.y(), CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
}

}  // namespace rt::prueba
