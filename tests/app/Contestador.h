#pragma once
// Answers the tool's modal windows in the order the test expects them, as a person would, and
// keeps what each one showed. It looks for a new modal window every few milliseconds while the
// modal loops run, so no test waits a fixed time. A window nobody expected is closed and recorded,
// so that a wrong path fails the test instead of hanging it.

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace rt::prueba {

struct Visto {
    QString clase;
    QString titulo;
    QString texto;  // a message box's text; the file a file dialog offered
    int icono = -1;
    int botones = 0;
    QStringList filtros;
    QString sufijo;
    bool cursorOcupado = false;  // the hourglass was showing when the window appeared
    bool esperado = true;
};

class Contestador : public QObject {
  public:
    using Respuesta = std::function<void(QWidget*)>;

    Contestador() {
        connect(&reloj_, &QTimer::timeout, this, &Contestador::Mirar);
        reloj_.start(5);
    }

    Contestador& Luego(Respuesta respuesta) {
        cola_.push_back(std::move(respuesta));
        return *this;
    }
    bool Acabado() const { return cola_.empty(); }
    void Olvidar() { vistos_.clear(); }
    const std::vector<Visto>& Vistos() const { return vistos_; }
    // Title and text (or offered file) of each window, for a compact comparison.
    QStringList Resumen() const {
        QStringList resumen;
        for (const Visto& v : vistos_) {
            resumen << (v.esperado ? QString() : QStringLiteral("INESPERADO ")) + v.titulo +
                           QStringLiteral(": ") + v.texto;
        }
        return resumen;
    }

    // Answers.
    static Respuesta Fichero(const QString& ruta) {
        return [ruta](QWidget* w) {
            auto* dialogo = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialogo);
            // selectFile() leaves the name box alone while it has the focus.
            auto* nombre = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(nombre);
            nombre->setText(ruta);
            static_cast<QDialog*>(dialogo)->accept();
        };
    }
    // Typed into the name box and confirmed with Return, as a person does.
    static Respuesta FicheroEscrito(const QString& texto) {
        return [texto](QWidget* w) {
            auto* nombre = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(nombre);
            nombre->clear();
            QTest::keyClicks(nombre, texto);
            QTest::keyClick(nombre, Qt::Key_Return);
        };
    }
    static Respuesta Cancelar() {
        return [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
    }
    static Respuesta Aceptar() {
        return [](QWidget* w) {
            auto* caja = qobject_cast<QMessageBox*>(w);
            QVERIFY(caja);
            QCOMPARE(caja->buttons().size(), 1);
            caja->buttons().first()->click();
        };
    }

  private:
    void Mirar() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            ultimo_ = nullptr;
            return;
        }
        if (modal == ultimo_) return;
        ultimo_ = modal;
        Visto visto;
        visto.clase = QString::fromLatin1(modal->metaObject()->className());
        visto.titulo = modal->windowTitle();
        visto.cursorOcupado = QApplication::overrideCursor() != nullptr;
        if (auto* caja = qobject_cast<QMessageBox*>(modal)) {
            visto.texto = caja->text();
            visto.icono = caja->icon();
            visto.botones = static_cast<int>(caja->buttons().size());
        } else if (auto* dialogo = qobject_cast<QFileDialog*>(modal)) {
            auto* nombre = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            visto.texto = nombre ? nombre->text() : QString();
            visto.filtros = dialogo->nameFilters();
            visto.sufijo = dialogo->defaultSuffix();
        }
        Respuesta respuesta;
        if (cola_.empty()) {
            visto.esperado = false;
            respuesta = [](QWidget* w) {
                if (auto* caja = qobject_cast<QMessageBox*>(w)) {
                    caja->buttons().first()->click();
                } else if (auto* dialogo = qobject_cast<QDialog*>(w)) {
                    dialogo->reject();
                } else {
                    w->close();
                }
            };
        } else {
            respuesta = std::move(cola_.front());
            cola_.pop_front();
        }
        vistos_.push_back(visto);
        // Answered from the event loop, not from here: an answer may itself open another modal
        // window, and this timer does not fire again until its handler returns.
        QPointer<QWidget> destino(modal);
        QTimer::singleShot(0, modal, [destino, respuesta] {
            if (destino) respuesta(destino);
        });
    }

    QTimer reloj_;
    std::deque<Respuesta> cola_;
    std::vector<Visto> vistos_;
    QPointer<QWidget> ultimo_;
};

}  // namespace rt::prueba
