#include "ui/dibujo/panel_dibujo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>

namespace celvara::ui {

namespace {

const QColor kFondo(255, 255, 255);
const QColor kEstacion(0, 70, 170);
const QColor kEstacionActual(200, 0, 0);
const QColor kVisual(60, 150, 60);
const QColor kPunto(40, 40, 40);
const QColor kBase(170, 0, 120);
constexpr double kLado = 7.0;  // station triangle, pixels

// Where a label goes: up and right of its mark, else left of it; always
// inside the view and out of the north arrow's corner.
QRectF lugarEtiqueta(const QRectF& vista, const QRectF& norte, QPointF marca, QSizeF tamano, double separacion) {
    QRectF r(QPointF(marca.x() + separacion, marca.y() - separacion - tamano.height()), tamano);
    if (r.right() > vista.right() || r.intersects(norte)) r.moveRight(marca.x() - separacion);
    if (r.intersects(norte)) r.moveRight(norte.left() - 1);
    if (r.left() < vista.left()) r.moveLeft(vista.left());
    if (r.top() < vista.top()) r.moveTop(vista.top());
    if (r.bottom() > vista.bottom()) r.moveBottom(vista.bottom());
    return r;
}

}  // namespace

PanelDibujo::PanelDibujo(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("dibujo"));
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
    setAutoFillBackground(false);
    setMinimumSize(120, 90);
}

void PanelDibujo::fijarEntradas(const EntradasDibujo& entradas, bool ajustarVista) {
    escena_ = construirEscena(entradas);
    if (ajustarVista || !ajustado_) ajustar();
    update();
}

void PanelDibujo::ajustar() {
    vista_.ajustar(escena_.extension, width(), height());
    ajustado_ = true;
    movidaPorUsuario_ = false;
    update();
}

// Until the user zooms or pans, the drawing follows the window's size.
void PanelDibujo::resizeEvent(QResizeEvent*) {
    if (!movidaPorUsuario_) ajustar();
}

void PanelDibujo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kFondo);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF visible = QRectF(rect()).adjusted(-50, -50, 50, 50);
    auto aPantalla = [this](double x, double y) { return QPointF(vista_.aPantallaX(x), vista_.aPantallaY(y)); };

    // Sightings first, under the marks.
    if (!escena_.visuales.empty()) {
        p.setPen(QPen(kVisual, 0));
        std::vector<QLineF> lineas;
        lineas.reserve(escena_.visuales.size());
        for (const auto& s : escena_.visuales) {
            const QLineF l(aPantalla(s.x1, s.y1), aPantalla(s.x2, s.y2));
            if (visible.contains(l.p1()) || visible.contains(l.p2()) ||
                visible.intersects(QRectF(l.p1(), l.p2()).normalized()))
                lineas.push_back(l);
        }
        p.drawLines(lineas.data(), static_cast<int>(lineas.size()));
    }

    // Points of the coordinate file: crosses, bases as small squares.
    const QFontMetrics fm(font());
    const QRectF dentro = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QRectF norte(width() - 36, 8, 36, 56);
    auto etiqueta = [&](QPointF marca, const std::string& texto, double separacion) {
        const QString t = QString::fromStdString(texto);
        const QRectF r = lugarEtiqueta(dentro, norte, marca, QSizeF(fm.horizontalAdvance(t) + 1, fm.height()), separacion);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, t);
    };
    for (const auto& m : escena_.puntos) {
        const QPointF c = aPantalla(m.x, m.y);
        if (!visible.contains(c)) continue;
        p.setPen(QPen(m.destacada ? kBase : kPunto, 1));
        if (m.destacada) {
            p.drawRect(QRectF(c.x() - 3, c.y() - 3, 6, 6));
        } else {
            p.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
            p.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 3));
        }
        if (!m.etiqueta.empty()) etiqueta(c, m.etiqueta, 3);
    }

    // Stations: triangles with their names.
    for (const auto& m : escena_.estaciones) {
        const QPointF c = aPantalla(m.x, m.y);
        if (!visible.contains(c)) continue;
        const QColor color = m.destacada ? kEstacionActual : kEstacion;
        QPainterPath triangulo;
        triangulo.moveTo(c.x(), c.y() - kLado);
        triangulo.lineTo(c.x() + kLado * 0.87, c.y() + kLado * 0.5);
        triangulo.lineTo(c.x() - kLado * 0.87, c.y() + kLado * 0.5);
        triangulo.closeSubpath();
        p.setPen(QPen(color, 1.5));
        p.setBrush(m.destacada ? QBrush(color) : Qt::NoBrush);
        p.drawPath(triangulo);
        p.setBrush(Qt::NoBrush);
        if (!m.etiqueta.empty()) etiqueta(c, m.etiqueta, kLado);
    }

    dibujarNorte(p);
    dibujarEscala(p);
    if (escena_.estaciones.empty() && escena_.puntos.empty() && escena_.visuales.empty()) {
        p.setPen(Qt::gray);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Sin datos que dibujar"));
    }
}

void PanelDibujo::dibujarNorte(QPainter& p) {
    const QPointF base(width() - 22, 44);
    QPainterPath flecha;
    flecha.moveTo(base.x(), base.y() - 30);
    flecha.lineTo(base.x() + 7, base.y());
    flecha.lineTo(base.x(), base.y() - 8);
    flecha.lineTo(base.x() - 7, base.y());
    flecha.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawPath(flecha);
    p.setBrush(Qt::NoBrush);
    p.drawText(QRectF(base.x() - 10, base.y() + 2, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
}

// A bar of a round length (1, 2 or 5 times a power of ten) near 100 pixels.
void PanelDibujo::dibujarEscala(QPainter& p) {
    if (vista_.escala() <= 0) return;
    const double metros = 100.0 / vista_.escala();
    const double potencia = std::pow(10.0, std::floor(std::log10(metros)));
    double redondo = potencia;
    for (double k : {2.0, 5.0, 10.0})
        if (potencia * k <= metros) redondo = potencia * k;
    const double largo = redondo * vista_.escala();
    const QPointF a(12, height() - 14);
    const QPointF b(12 + largo, height() - 14);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(a, b);
    p.drawLine(a, a - QPointF(0, 5));
    p.drawLine(b, b - QPointF(0, 5));
    p.setPen(QPen(Qt::black, 1));
    p.drawText(a + QPointF(0, -7), QString::number(redondo, 'g', 6) + QStringLiteral(" m"));
}

void PanelDibujo::wheelEvent(QWheelEvent* e) {
    const double pasos = e->angleDelta().y() / 120.0;
    if (pasos == 0) return;
    vista_.zoom(std::pow(1.25, pasos), e->position().x(), e->position().y());
    movidaPorUsuario_ = true;
    update();
    e->accept();
}

void PanelDibujo::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton) {
        arrastrando_ = true;
        ultimo_ = e->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void PanelDibujo::mouseMoveEvent(QMouseEvent* e) {
    if (!arrastrando_) return;
    const QPointF d = e->position() - ultimo_;
    ultimo_ = e->position();
    vista_.desplazar(d.x(), d.y());
    movidaPorUsuario_ = true;
    update();
}

void PanelDibujo::mouseReleaseEvent(QMouseEvent*) {
    arrastrando_ = false;
    unsetCursor();
}

void PanelDibujo::mouseDoubleClickEvent(QMouseEvent*) { ajustar(); }

void PanelDibujo::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Home: ajustar(); return;
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            vista_.zoom(e->key() == Qt::Key_Plus ? 1.25 : 0.8, width() / 2.0, height() / 2.0);
            movidaPorUsuario_ = true;
            update();
            return;
        default: QWidget::keyPressEvent(e);
    }
}

}  // namespace celvara::ui
