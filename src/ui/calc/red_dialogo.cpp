#include "ui/calc/red_dialogo.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "datos/instrumentos.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara::ui {

// Stations, the lines observed and the ellipses magnified so that
// centimetres show on a network of kilometres.
class DibujoRed : public QWidget {
public:
    explicit DibujoRed(const CAjusteRed& red, QWidget* padre) : QWidget(padre), red_(red) {
        setMinimumSize(300, 300);
        setObjectName("dibujo");
    }
    double aumento = 0;  // ellipse magnification used in the last paint

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const auto& es = red_.estaciones();
        double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300, amax = 0;
        for (const EstacionRed& e : es) {
            if (!e.plano) continue;
            x0 = std::min(x0, e.x), x1 = std::max(x1, e.x), y0 = std::min(y0, e.y), y1 = std::max(y1, e.y);
            amax = std::max(amax, e.elipse.a);
        }
        if (x0 > x1) return;
        const double lado = std::max({x1 - x0, y1 - y0, 1.0});
        const double k = (std::min(width(), height()) - 40) / lado;
        auto punto = [&](double x, double y) { return QPointF(20 + (x - x0) * k, height() - 20 - (y - y0) * k); };
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::lightGray, 1));
        for (const ObservacionRed& o : red_.observaciones())
            if (o.tipo != TipoObservacionRed::Desnivel)
                p.drawLine(punto(es[o.desde].x, es[o.desde].y), punto(es[o.hacia].x, es[o.hacia].y));
        // The largest ellipse drawn as 5 % of the network.
        aumento = amax > 0 ? 0.05 * lado / amax : 0;
        for (const EstacionRed& e : es) {
            if (!e.plano) continue;
            const QPointF c = punto(e.x, e.y);
            p.setPen(QPen(e.fija ? Qt::blue : Qt::black, 1));
            if (e.fija)
                p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
            else
                p.drawEllipse(c, 2, 2);
            p.drawText(c + QPointF(5, -5), QString::fromStdString(cp1252AUtf8(e.estacion->nombre.vista())));
            if (!e.fija && e.elipse.a > 0) {
                p.save();
                p.setPen(QPen(Qt::red, 1));
                p.translate(c);
                p.rotate(e.elipse.azimut * 0.9);  // gon to degrees, clockwise from north
                p.drawEllipse(QPointF(0, 0), e.elipse.b * aumento * k, e.elipse.a * aumento * k);
                p.restore();
            }
        }
        p.setPen(Qt::darkGray);
        p.drawText(10, 15, QString("Elipses x%1").arg(aumento, 0, 'f', 0));
    }

private:
    const CAjusteRed& red_;
};

namespace {

QTableWidgetItem* celda(const std::string& t) {
    auto* i = new QTableWidgetItem(QString::fromStdString(t));
    i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    return i;
}
QTableWidgetItem* casilla(bool marcada) {
    auto* i = new QTableWidgetItem;
    i->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    i->setCheckState(marcada ? Qt::Checked : Qt::Unchecked);
    return i;
}
const char* tipoTexto(TipoObservacionRed t) {
    return t == TipoObservacionRed::Direccion ? "Dirección" : t == TipoObservacionRed::Distancia ? "Distancia" : "Desnivel";
}

ListaInstrumentos biblioteca(const CDatosGenerales& ajustes, const MapaRutas& mapa, bool& cargada) {
    ListaInstrumentos l;
    AvisosSilenciosos silencio;
    cargada = cargarInstrumentos(l, rutaInstrumentos(ajustes, mapa), silencio) == Estado::Exito;
    return l;
}

}  // namespace

DialogoAjusteRed::DialogoAjusteRed(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                   Avisos& avisos, std::filesystem::path rutaLibreta, QWidget* padre)
    : QDialog(padre),
      instrumentos_(biblioteca(ajustes, mapa, cargada_)),
      logica_(libreta, ajustes, cargada_ ? &instrumentos_ : nullptr, avisos),
      libreta_(libreta),
      avisos_(avisos),
      rutaLibreta_(std::move(rutaLibreta)) {

    setWindowTitle("AJUSTE DE RED");
    resize(1000, 660);  // whole on a 1024 x 700 laptop
    estaciones_ = new QTableWidget(0, 9, this);
    estaciones_->setObjectName("estaciones");
    estaciones_->setHorizontalHeaderLabels({"Estación", "Fija", "X", "Y", "Z", "sx", "sy", "sz", "Elipse a/b"});
    observaciones_ = new QTableWidget(0, 7, this);
    observaciones_->setObjectName("observaciones");
    observaciones_->setHorizontalHeaderLabels({"Uso", "Tipo", "Estacionamiento", "Visado", "Observado", "Residuo", "w"});
    informe_ = new QPlainTextEdit(this);
    informe_->setObjectName("informe");
    informe_->setReadOnly(true);
    informe_->setFont(QFont("Monospace", 9));
    dibujo_ = new DibujoRed(logica_, this);
    auto* pestanas = new QTabWidget(this);
    pestanas->addTab(observaciones_, "Observaciones");
    pestanas->addTab(informe_, "Informe");
    pestanas->addTab(dibujo_, "Dibujo");
    auto* division = new QSplitter(Qt::Vertical, this);
    division->addWidget(estaciones_);
    division->addWidget(pestanas);

    libre_ = new QCheckBox("Red libre", this);
    libre_->setObjectName("libre");
    auto* ajustar = new QPushButton("Ajustar", this);
    ajustar->setObjectName("ajustar");
    auto* grabar = new QPushButton("Grabar", this);
    grabar->setObjectName("grabar");
    auto* cerrar = new QPushButton("Cerrar", this);
    auto* botones = new QHBoxLayout;
    botones->addWidget(libre_);
    botones->addStretch();
    botones->addWidget(ajustar);
    botones->addWidget(grabar);
    botones->addWidget(cerrar);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(division, 1);
    capa->addLayout(botones);
    connect(ajustar, &QPushButton::clicked, this, [this] { pulsarAjustar(); });
    connect(grabar, &QPushButton::clicked, this, [this] { pulsarGrabar(); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);
    llenarEstaciones();
}

void DialogoAjusteRed::llenarEstaciones() {
    const std::vector<std::string> guardadas = rutaLibreta_.empty() ? std::vector<std::string>{} : leerFijasRed(rutaLibreta_);
    estaciones_->setRowCount(static_cast<int>(libreta_.estaciones.size()));
    for (int f = 0; f < estaciones_->rowCount(); ++f) {
        const Estacion& e = *libreta_.estaciones[f];
        const bool fija = guardadas.empty() ? (e.x != 0 || e.y != 0)
                                            : std::find(guardadas.begin(), guardadas.end(), std::string(e.nombre.vista())) !=
                                                  guardadas.end();
        estaciones_->setItem(f, 0, celda(cp1252AUtf8(e.nombre.vista())));
        estaciones_->setItem(f, 1, casilla(fija));
        for (int c = 2; c < 9; ++c) estaciones_->setItem(f, c, celda(""));
        estaciones_->item(f, 2)->setText(QString::fromStdString(formatear("%1.4lf", e.x)));
        estaciones_->item(f, 3)->setText(QString::fromStdString(formatear("%1.4lf", e.y)));
        estaciones_->item(f, 4)->setText(QString::fromStdString(formatear("%1.4lf", e.z)));
    }
    ajustarColumnas();
}

// Every column as wide as its caption and its values: "Estacionamiento"
// was cut to "Estacionamientc" by the default width.
void DialogoAjusteRed::ajustarColumnas() {
    estaciones_->resizeColumnsToContents();
    observaciones_->resizeColumnsToContents();
}

bool DialogoAjusteRed::pulsarAjustar() {
    OpcionesRed o;
    o.libre = libre_->isChecked();
    for (int f = 0; f < estaciones_->rowCount(); ++f)
        if (estaciones_->item(f, 1)->checkState() == Qt::Checked)
            o.fijos.push_back(std::string(libreta_.estaciones[f]->nombre.vista()));
    if (!o.libre && !rutaLibreta_.empty()) guardarFijasRed(rutaLibreta_, o.fijos);
    // The use ticks survive while the observations are the same list.
    std::vector<char> uso;
    if (observaciones_->rowCount() == static_cast<int>(logica_.observaciones().size()))
        for (int f = 0; f < observaciones_->rowCount(); ++f)
            uso.push_back(observaciones_->item(f, 0)->checkState() == Qt::Checked);
    if (o.fijos.empty() && !o.libre) o.fijos.push_back(std::string());  // none ticked: none fixed
    const bool preparada = logica_.preparar(o);
    std::string omitidas;
    for (const std::string& x : logica_.omitidas()) omitidas += (omitidas.empty() ? "" : "\n") + x;
    if (!omitidas.empty()) avisos_.mensaje(omitidas, "", Botones::Aceptar, Icono::Exclamacion);
    if (!preparada) return false;
    if (uso.size() == logica_.observaciones().size())
        for (std::size_t i = 0; i < uso.size(); ++i) logica_.observaciones()[i].uso = uso[i];
    const bool ok = logica_.ajustar();
    refrescar();
    std::string nota;
    for (const std::string& t : {logica_.textoFuera(), logica_.textoZLibre()})
        if (ok && !t.empty()) nota += (nota.empty() ? "" : "\n") + t;
    if (!nota.empty()) avisos_.mensaje(nota, "AJUSTE DE RED", Botones::Aceptar, Icono::Informacion);
    return ok;
}

bool DialogoAjusteRed::pulsarGrabar() {
    if (!logica_.grabar()) return false;
    llenarEstaciones();
    refrescar();
    return true;
}

void DialogoAjusteRed::refrescar() {
    const auto& es = logica_.estaciones();
    for (int f = 0; f < estaciones_->rowCount() && f < static_cast<int>(es.size()); ++f) {
        const EstacionRed& e = es[f];
        // A station left out shows why in the last column.
        estaciones_->item(f, 8)->setText(logica_.ajustado() && e.motivo ? QString::fromUtf8(e.motivo) : QString());
        if (!logica_.ajustado() || e.fija || (!e.plano && !e.altura)) continue;
        const double v[] = {e.x, e.y, e.z, e.sx, e.sy, e.sz};
        for (int c = 0; c < 6; ++c)
            estaciones_->item(f, 2 + c)->setText(QString::fromStdString(formatear("%1.4lf", v[c])));
        estaciones_->item(f, 8)->setText(QString::fromStdString(formatear("%1.4lf / %1.4lf", e.elipse.a, e.elipse.b)));
    }
    const auto& obs = logica_.observaciones();
    observaciones_->setRowCount(static_cast<int>(obs.size()));
    for (int f = 0; f < observaciones_->rowCount(); ++f) {
        const ObservacionRed& o = obs[f];
        const std::string nombre = logica_.nombreObservacion(static_cast<std::size_t>(f));
        const std::size_t flecha = nombre.find(" -> ");
        observaciones_->setItem(f, 0, casilla(o.uso));
        observaciones_->setItem(f, 1, celda(tipoTexto(o.tipo)));
        observaciones_->setItem(f, 2, celda(nombre.substr(0, flecha)));
        observaciones_->setItem(f, 3, celda(nombre.substr(flecha + 4)));
        observaciones_->setItem(f, 4, celda(formatear("%1.4lf", o.valor)));
        observaciones_->setItem(f, 5, celda(o.uso && logica_.ajustado() ? formatear("%1.4lf", o.residuo) : ""));
        const bool marcada = f == logica_.mayorW() && std::fabs(o.w) > kLimiteW;
        observaciones_->setItem(f, 6, celda(o.uso && std::isfinite(o.w) && logica_.ajustado()
                                                ? formatear(marcada ? "%1.2lf <==" : "%1.2lf", o.w)
                                                : ""));
        if (marcada)
            for (int c = 1; c < 7; ++c) observaciones_->item(f, c)->setBackground(QColor(255, 200, 200));
    }
    informe_->setPlainText(logica_.ajustado() ? QString::fromStdString(cp1252AUtf8(logica_.textoInforme())) : QString());
    ajustarColumnas();
    dibujo_->update();
}

void DialogoAjusteRed::abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                             Avisos& avisos) {
    const std::string ultimo = cp1252AUtf8(ajustes.ultimoFichero.vista());
    DialogoAjusteRed d(libreta, ajustes, mapa, avisos, ultimo.empty() ? std::filesystem::path() : mapa.aAnfitrion(ultimo),
                       padre);
    d.exec();
}

}  // namespace celvara::ui
