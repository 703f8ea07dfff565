#include "ui/output/pintor_pagina.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <algorithm>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"

namespace celvara::ui {

namespace {

constexpr double kGrosorMarco = 15;  // twips
constexpr double kGrosorTabla = 8;
constexpr double kMargenCelda = 60;

QString qt(const std::string& cp1252) { return QString::fromStdString(cp1252AUtf8(cp1252)); }

QFont fuente(const std::string& nombre, int puntos, bool negrita) {
    QFont f(qt(nombre));
    f.setPixelSize(puntos * kTwipsPorPunto);  // the painter works in twips
    f.setBold(negrita);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QRectF rect(const Rectangulo& r) {
    return QRectF(r.izquierda, r.arriba, r.derecha - r.izquierda, r.abajo - r.arriba);
}

Qt::Alignment alineacion(Alineacion a) {
    switch (a) {
        case Alineacion::Centro: return Qt::AlignHCenter;
        case Alineacion::Derecha: return Qt::AlignRight;
        case Alineacion::Izquierda: break;
    }
    return Qt::AlignLeft;
}

bool pareceNumero(const std::string& s) {
    if (s.empty()) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; });
}

void pintarImagen(QPainter& p, const ImagenPagina& im) {
    if (im.ruta.empty()) return;
    const QImage imagen(QString::fromStdU16String(im.ruta.u16string()));
    if (imagen.isNull()) return;
    const QRectF marco = rect(im.marco).adjusted(kGrosorMarco, kGrosorMarco, -kGrosorMarco, -kGrosorMarco);
    QSizeF tam = QSizeF(imagen.size()).scaled(marco.size(), Qt::KeepAspectRatio);
    QRectF destino(QPointF(0, 0), tam);
    destino.moveCenter(marco.center());
    p.drawImage(destino, imagen);
}

void pintarTexto(QPainter& p, const TextoPagina& t) {
    p.setFont(fuente(t.fuente, t.puntos, t.negrita));
    const double alto = t.alto > 0 ? t.alto : t.puntos * kTwipsPorPunto * 2.0;
    const double ancho = t.ancho > 0 ? t.ancho : kAnchoA4 - t.x;
    const Qt::Alignment vertical = t.alto > 0 ? Qt::AlignVCenter : Qt::AlignTop;
    p.drawText(QRectF(t.x, t.y, ancho, alto), static_cast<int>(alineacion(t.alineacion) | vertical) | Qt::TextSingleLine,
               qt(t.texto));
}

void pintarTabla(QPainter& p, const TablaPagina& t) {
    const std::vector<int> anchos = anchosTabla(t.anchos);
    const auto filas = celdasTabla(t.texto);
    const QFont normal = fuente("Arial", t.puntos, false), negrita = fuente("Arial", t.puntos, true);
    p.setPen(QPen(Qt::black, kGrosorTabla));
    for (std::size_t f = 0; f < filas.size(); ++f) {
        const double y = t.y + static_cast<double>(f) * t.altoFila;
        const bool cabecera = f == 0;
        p.setFont(cabecera ? negrita : normal);
        double x = t.x;
        for (std::size_t c = 0; c < anchos.size(); ++c) {
            const QRectF celda(x, y, anchos[c], t.altoFila);
            if (cabecera) p.fillRect(celda, QColor(225, 225, 225));
            p.drawRect(celda);
            if (c < filas[f].size()) {
                const std::string& s = filas[f][c];
                // Names (the first column) read from the left, numbers from the right.
                const Qt::Alignment h = cabecera                     ? Qt::AlignHCenter
                                        : c > 0 && pareceNumero(s) ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
                p.save();
                p.setClipRect(celda);
                p.drawText(celda.adjusted(kMargenCelda, 0, -kMargenCelda, 0),
                           static_cast<int>(h | Qt::AlignVCenter) | Qt::TextSingleLine, qt(s));
                p.restore();
            }
            x += anchos[c];
        }
    }
}

}  // namespace

void pintarPagina(QPainter& p, const Pagina& pagina, const QRectF& destino) {
    p.save();
    p.fillRect(destino, Qt::white);
    p.translate(destino.topLeft());
    const double escala = destino.width() / kAnchoA4;
    p.scale(escala, escala);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    for (const auto& im : pagina.imagenes) pintarImagen(p, im);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, kGrosorMarco));
    for (const auto& r : pagina.marcos) p.drawRect(rect(r));
    for (const auto& r : pagina.reglas) {
        p.setPen(QPen(Qt::black, kGrosorTabla, r.punteada ? Qt::DotLine : Qt::SolidLine));
        p.drawLine(QLineF(r.x1, r.y1, r.x2, r.y2));
    }
    p.setPen(Qt::black);
    for (const auto& t : pagina.textos) pintarTexto(p, t);
    for (const auto& t : pagina.tablas) pintarTabla(p, t);
    p.restore();
}

namespace {

QRectF hoja(const QPaintDevice& d) { return QRectF(0, 0, d.width(), d.height()); }

bool escribirBytes(const std::filesystem::path& ruta, const QByteArray& bytes) {
    EscritorAtomico escritor(ruta);
    if (!escritor.abierto()) return false;
    return escritor.escribir(bytes.constData(), static_cast<std::size_t>(bytes.size())) && escritor.confirmar();
}

}  // namespace

bool escribirPdf(const std::filesystem::path& ruta, const std::vector<Pagina>& paginas) {
    QBuffer bufer;
    bufer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bufer);
        pdf.setCreator(QStringLiteral("Celvara"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter p;
        if (!p.begin(&pdf)) return false;
        for (std::size_t i = 0; i < paginas.size(); ++i) {
            if (i > 0) pdf.newPage();
            pintarPagina(p, paginas[i], hoja(pdf));
        }
        if (!p.end()) return false;
    }
    return escribirBytes(ruta, bufer.data());
}

bool escribirSvg(const std::filesystem::path& ruta, const Pagina& pagina) {
    QBuffer bufer;
    bufer.open(QIODevice::WriteOnly);
    {
        // One unit a point: the sheet is 595 by 842.
        const QSize tam(kAnchoA4 / kTwipsPorPunto, kAltoA4 / kTwipsPorPunto);
        QSvgGenerator svg;
        svg.setOutputDevice(&bufer);
        svg.setSize(tam);
        svg.setViewBox(QRect(QPoint(0, 0), tam));
        svg.setResolution(72);
        svg.setTitle(QStringLiteral("Celvara"));
        QPainter p;
        if (!p.begin(&svg)) return false;
        pintarPagina(p, pagina, QRectF(QPointF(0, 0), QSizeF(tam)));
        if (!p.end()) return false;
    }
    return escribirBytes(ruta, bufer.data());
}

bool imprimirPaginas(QPrinter& impresora, const std::vector<Pagina>& paginas) {
    if (paginas.empty()) return true;
    impresora.setFullPage(true);
    int desde = impresora.fromPage(), hasta = impresora.toPage();
    if (desde <= 0 || hasta <= 0) {
        desde = 1;
        hasta = static_cast<int>(paginas.size());
    }
    hasta = std::min(hasta, static_cast<int>(paginas.size()));
    QPainter p;
    if (!p.begin(&impresora)) return false;
    for (int n = desde; n <= hasta; ++n) {
        if (n > desde) impresora.newPage();
        const QRectF papel = impresora.paperRect(QPrinter::DevicePixel);
        pintarPagina(p, paginas[static_cast<std::size_t>(n - 1)], QRectF(0, 0, papel.width(), papel.height()));
    }
    return p.end();
}

}  // namespace celvara::ui
