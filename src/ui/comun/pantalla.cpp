#include "ui/comun/pantalla.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace celvara::ui {

namespace {

constexpr const char* kEncajada = "celvaraEncajada";

QSize marcoDe(const QWidget& w) {
    const QSize medido = w.frameGeometry().size() - w.size();
    return medido.width() > 0 && medido.height() > 0 ? medido : kMarcoVentana;
}

class EncajeVentanas : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() != QEvent::Show || !objeto->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(objeto);
        const Qt::WindowType tipo = w->windowType();
        if (!w->isWindow() || tipo == Qt::Popup || tipo == Qt::ToolTip || tipo == Qt::SplashScreen ||
            w->property(kEncajada).toBool())
            return false;
        w->setProperty(kEncajada, true);
        encajarEnPantalla(*w);
        return false;
    }
};

}  // namespace

void encajarEnPantalla(QWidget& w) {
    const QScreen* pantalla = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (!pantalla || w.isMaximized() || w.isFullScreen()) return;
    const QRect libre = pantalla->availableGeometry();
    const QSize marco = marcoDe(w);
    // The minimum its layout gives it now, not the one of a pane shown earlier.
    if (w.layout()) w.layout()->activate();
    const QSize antes = w.size();
    const QSize ahora = antes.boundedTo(libre.size() - marco).expandedTo(w.minimumSize());
    if (ahora != antes) w.resize(ahora);
    // Centred where it was (a dialog over its window), then pulled inside.
    const QPoint centrada = w.pos() + QPoint(antes.width() - ahora.width(), antes.height() - ahora.height()) / 2;
    const QSize fuera = ahora + marco;
    const int x = std::clamp(centrada.x(), libre.left(), std::max(libre.left(), libre.right() + 1 - fuera.width()));
    const int y = std::clamp(centrada.y(), libre.top(), std::max(libre.top(), libre.bottom() + 1 - fuera.height()));
    if (QPoint(x, y) != w.pos()) w.move(x, y);
}

void instalarEncajeVentanas(QApplication& aplicacion) {
    aplicacion.installEventFilter(new EncajeVentanas(&aplicacion));
}

}  // namespace celvara::ui
