#pragma once
// The coloured areas of both windows: a vertical gradient through three colours, top to bottom.

#include <QColor>
#include <QWidget>

namespace rt {

class PanelDegradado : public QWidget {
  public:
    PanelDegradado(QColor inicio, QColor medio, QColor fin, QWidget* padre = nullptr);

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    QColor inicio_;
    QColor medio_;
    QColor fin_;
};

}  // namespace rt
