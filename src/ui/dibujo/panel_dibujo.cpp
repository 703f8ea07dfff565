#include "ui/dibujo/panel_dibujo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace celvara::ui {

namespace {

const QColor kFondo(255, 255, 255);
const QColor kEstacion(0, 70, 170);
const QColor kEstacionActual(200, 0, 0);
const QColor kVisual(60, 150, 60);
const QColor kPunto(40, 40, 40);
const QColor kBase(170, 0, 120);
constexpr double kLado = 7.0;  // station triangle, pixels

constexpr double kCruz = 3.0;  // half the side of a point's mark, pixels

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
    // Every mark is an obstacle to the labels; the labels go in afterwards,
    // the current station's first, then the stations, the bases and the
    // points, each where it cuts nothing already written.
    const QFontMetrics fm(font());
    std::vector<CajaPlano> marcas;
    std::vector<EtiquetaPedida> pedidas;
    std::vector<std::pair<const MarcaPlano*, QColor>> rotulos;
    for (const auto& m : escena_.puntos) {
        const QPointF c = aPantalla(m.x, m.y);
        if (!visible.contains(c)) continue;
        p.setPen(QPen(m.destacada ? kBase : kPunto, 1));
        if (m.destacada) {
            p.drawRect(QRectF(c.x() - kCruz, c.y() - kCruz, 2 * kCruz, 2 * kCruz));
        } else {
            p.drawLine(QPointF(c.x() - kCruz, c.y()), QPointF(c.x() + kCruz, c.y()));
            p.drawLine(QPointF(c.x(), c.y() - kCruz), QPointF(c.x(), c.y() + kCruz));
        }
        marcas.push_back({c.x() - kCruz, c.y() - kCruz, 2 * kCruz, 2 * kCruz});
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
        marcas.push_back({c.x() - kLado * 0.87, c.y() - kLado, kLado * 1.74, kLado * 1.5});
    }

    // A station's name, already written, is not repeated by the base point
    // of the coordinate file standing on it.
    std::set<std::pair<std::string, std::pair<long, long>>> nombrados;
    auto enPixel = [](QPointF c) { return std::pair{std::lround(c.x()), std::lround(c.y())}; };
    auto pedirTodas = [&](const std::vector<MarcaPlano>& lista, bool destacadas, bool estacion, QColor color) {
        for (const auto& m : lista) {
            if (m.etiqueta.empty() || m.destacada != destacadas) continue;
            const QPointF c = aPantalla(m.x, m.y);
            if (!visible.contains(c)) continue;
            if (estacion) nombrados.insert({m.etiqueta, enPixel(c)});
            else if (nombrados.count({m.etiqueta, enPixel(c)})) continue;
            const QString t = QString::fromStdString(m.etiqueta);
            pedidas.push_back({c.x(), c.y(), fm.horizontalAdvance(t) + 1.0, static_cast<double>(fm.height()),
                               estacion ? kLado : kCruz, !estacion});
            rotulos.emplace_back(&m, color);
        }
    };
    pedirTodas(escena_.estaciones, true, true, kEstacionActual);
    pedirTodas(escena_.estaciones, false, true, kEstacion);
    pedirTodas(escena_.puntos, true, false, kBase);
    pedirTodas(escena_.puntos, false, false, kPunto);
    const std::vector<CajaPlano> fijos{{width() - 36.0, 8, 36, 56},     // the north arrow
                                       {0, height() - 34.0, 124, 34}};  // the scale bar
    const auto sitios = colocarEtiquetas(pedidas, {2, 2, width() - 4.0, height() - 4.0}, fijos, marcas);
    for (std::size_t i = 0; i < sitios.size(); ++i) {
        if (!sitios[i]) continue;
        const CajaPlano& r = *sitios[i];
        p.setPen(QPen(rotulos[i].second, 1));
        p.drawText(QRectF(r.x, r.y, r.ancho, r.alto), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(rotulos[i].first->etiqueta));
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
