#include "ui/manager/gestor_iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace celvara::ui {

namespace {

constexpr int kAncho = 16;
constexpr int kAlto = 15;
const QColor kAzul(80, 130, 230);
const QColor kAzulOscuro(0, 70, 170);

// ---- Strokes shared by several pictures.

void triangulo(QPainter& p, QPointF c, double r, const QColor& color) {
    QPainterPath t;
    t.moveTo(c.x(), c.y() - r);
    t.lineTo(c.x() + r * 0.9, c.y() + r * 0.6);
    t.lineTo(c.x() - r * 0.9, c.y() + r * 0.6);
    t.closeSubpath();
    p.setPen(QPen(color.darker(150), 1));
    p.setBrush(color);
    p.drawPath(t);
}

void mas(QPainter& p, QPointF c) {
    p.setPen(QPen(QColor(0, 140, 0), 2));
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
}

void aspa(QPainter& p, QPointF c) {
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
    p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
}

void texto(QPainter& p, const QString& t, const QColor& color, int puntos = 7, bool negrita = true) {
    QFont f = p.font();
    f.setPixelSize(puntos + 2);
    f.setBold(negrita);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRectF(0, 0, kAncho, kAlto), Qt::AlignCenter, t);
}

void lectura(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(1, 12), QPointF(10, 3));
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(1.5, 11.5), 1.5, 1.5);
}

void estacionamiento(QPainter& p) {
    p.setPen(QPen(QColor(90, 60, 20), 1.2));
    p.drawLine(QPointF(6, 5), QPointF(2, 14));
    p.drawLine(QPointF(6, 5), QPointF(10, 14));
    p.drawLine(QPointF(6, 5), QPointF(6, 14));
    p.setBrush(QColor(240, 200, 60));
    p.drawRect(QRectF(3, 1, 6, 4));
}

// Lines from the centre every 45 degrees, of length `r`, from `desde`.
void rayos(QPainter& p, int n, double desde, double r) {
    for (int i = 0; i < n; ++i) {
        p.save();
        p.translate(8, 7.5);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(desde, 0), QPointF(r, 0));
        p.restore();
    }
}

// ---- One picture per toolbar button.

void hoja(QPainter& p) {
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
}

void carpeta(QPainter& p) {
    p.setPen(QColor(140, 100, 0));
    p.setBrush(QColor(250, 210, 80));
    p.drawPolygon(QPolygonF({{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}));
}

void disco(QPainter& p) {
    p.setPen(QColor(20, 40, 120));
    p.setBrush(QColor(60, 90, 190));
    p.drawRect(QRectF(1.5, 1.5, 12, 12));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 7, 4));
}

void importar(QPainter& p) {
    estacionamiento(p);
    p.setPen(QPen(QColor(0, 120, 0), 2));
    p.drawLine(QPointF(13, 2), QPointF(13, 12));
    p.drawLine(QPointF(10, 9), QPointF(13, 12));
    p.drawLine(QPointF(16, 9), QPointF(13, 12));
}

void impresora(QPainter& p) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1, 8, 5));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1, 6, 14, 6));
}

void engranaje(QPainter& p) {
    p.setPen(QPen(QColor(80, 80, 80), 2));
    rayos(p, 4, -7, 7);
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(8, 7.5), 4, 4);
}

void ficha(QPainter& p) {
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 1, 12, 13));
    p.setBrush(QColor(60, 90, 190));
    p.drawRect(QRectF(2, 1, 12, 3));
    for (int y : {7, 10}) p.drawLine(4, y, 12, y);
}

void libros(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        p.setPen(QColor(60, 40, 20));
        p.setBrush(QColor::fromHsv(30 + 60 * i, 160, 200));
        p.drawRect(QRectF(2 + 4 * i, 2, 3, 12));
    }
}

void brujula(QPainter& p) {
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 7.5), 6.5, 6.5);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(8, 7.5), QPointF(8, 2));
}

void radiacion(QPainter& p) {
    p.setPen(QPen(QColor(0, 110, 0), 1));
    rayos(p, 8, 0, 6.5);
    p.setBrush(QColor(0, 110, 0));
    p.drawEllipse(QPointF(8, 7.5), 1.5, 1.5);
}

void poligonal(QPainter& p) {
    p.setPen(QPen(kAzulOscuro, 1.5));
    p.drawPolyline(QPolygonF({{1, 12}, {5, 4}, {10, 10}, {15, 2}}));
}

void nivel(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(1, 7), QPointF(12, 7));
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(14, 1), QPointF(14, 14));
}

using Dibujo = void (*)(QPainter&);

struct Icono {
    Comando id;
    Dibujo dibujar;
};

const Icono kIconos[] = {
    {Comando::BarraNuevo, hoja},
    {Comando::BarraAbrir, carpeta},
    {Comando::BarraGrabar, disco},
    {Comando::BarraImportar, importar},
    {Comando::BarraImprimirEstadillos, impresora},
    {Comando::BarraConfiguracion, engranaje},
    {Comando::BarraCabeceraTrabajo, ficha},
    {Comando::BarraLibreriaInstrumentos, libros},
    {Comando::BarraTolerancias, [](QPainter& p) { texto(p, QStringLiteral("±"), QColor(120, 0, 120), 11); }},
    {Comando::BarraInsertar, [](QPainter& p) { texto(p, QStringLiteral("Ab"), kAzulOscuro, 8); }},
    {Comando::BarraInsertarEstacion, [](QPainter& p) { triangulo(p, {9, 8}, 6, kAzul), mas(p, {4, 4}); }},
    {Comando::BarraAnadirEstacion, [](QPainter& p) { triangulo(p, {6, 8}, 6, kAzul), mas(p, {12, 11}); }},
    {Comando::BarraBorrarEstacion, [](QPainter& p) { triangulo(p, {6, 8}, 6, kAzul), aspa(p, {12, 11}); }},
    {Comando::BarraCrearEstacionamiento, [](QPainter& p) { estacionamiento(p), mas(p, {12, 11}); }},
    {Comando::BarraBorrarEstacionamiento, [](QPainter& p) { estacionamiento(p), aspa(p, {12, 11}); }},
    {Comando::BarraInsertarLectura, [](QPainter& p) { lectura(p), mas(p, {4, 4}); }},
    {Comando::BarraAnadirLectura, [](QPainter& p) { lectura(p), mas(p, {12, 11}); }},
    {Comando::BarraBorrarLectura, [](QPainter& p) { lectura(p), aspa(p, {12, 11}); }},
    {Comando::BarraDesorientacion, brujula},
    {Comando::BarraRadiacion, radiacion},
    {Comando::BarraEstacion, [](QPainter& p) { texto(p, QStringLiteral("XYZ"), kAzulOscuro, 6); }},
    {Comando::BarraPoligonales, poligonal},
    {Comando::BarraNivelacion, nivel},
    {Comando::BarraAyuda, [](QPainter& p) { texto(p, QStringLiteral("?"), kAzulOscuro, 11); }},
};

void punto(QPainter& p) { texto(p, QStringLiteral("·"), Qt::black); }

}  // namespace

QIcon iconoComando(Comando id) {
    Dibujo dibujar = punto;
    for (const Icono& i : kIconos)
        if (i.id == id) dibujar = i.dibujar;
    QPixmap pixmap(kAncho, kAlto);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    dibujar(p);
    p.end();
    return QIcon(pixmap);
}

}  // namespace celvara::ui
