#include "app/PanelDegradado.h"

#include <QLinearGradient>
#include <QPainter>

namespace rt {

PanelDegradado::PanelDegradado(QColor inicio, QColor medio, QColor fin, QWidget* padre)
    : QWidget(padre), inicio_(inicio), medio_(medio), fin_(fin) {
    // The gradient covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelDegradado::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    QLinearGradient degradado(0, 0, 0, height());
    degradado.setColorAt(0.0, inicio_);
    degradado.setColorAt(0.5, medio_);
    degradado.setColorAt(1.0, fin_);
    pintor.fillRect(rect(), degradado);
}

}  // namespace rt
