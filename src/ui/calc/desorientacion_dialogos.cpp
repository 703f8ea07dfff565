#include "ui/calc/desorientacion_dialogos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "ui/comun/ventana_calculo.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

// Sights a computation left out (wild values), named to the user.
void avisarOmitidas(QWidget* padre, const std::vector<std::string>& omitidas) {
    QString t;
    for (const std::string& o : omitidas) t += (t.isEmpty() ? "" : "\n") + QString::fromStdString(o);
    if (!t.isEmpty()) QMessageBox::warning(padre, QString(), t);
}

QString qs(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

// The small plan of the stations: every station with coordinates as a
// 3 x 3 square with its name, the current one marked and joined to the
// stations it sights; north up, scaled to fit with a margin of 20 pixels.
class PlanoEstaciones : public QWidget {
public:
    explicit PlanoEstaciones(QWidget* padre) : QWidget(padre) { setMinimumSize(220, 180); }
    void fijar(std::vector<EstacionPlano> estaciones) {
        estaciones_ = std::move(estaciones);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (estaciones_.empty()) return;
        constexpr double kMargen = 20.0;
        double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
        for (const auto& e : estaciones_) {
            xmin = std::min(xmin, e.x);
            xmax = std::max(xmax, e.x);
            ymin = std::min(ymin, e.y);
            ymax = std::max(ymax, e.y);
        }
        const double ancho = std::max(xmax - xmin, 1e-6), alto = std::max(ymax - ymin, 1e-6);
        const double escala = std::min((width() - 2 * kMargen) / ancho, (height() - 2 * kMargen) / alto);
        auto punto = [&](const EstacionPlano& e) {
            return QPointF(kMargen + (e.x - xmin) * escala, height() - kMargen - (e.y - ymin) * escala);
        };
        const EstacionPlano* actual = nullptr;
        for (const auto& e : estaciones_)
            if (e.actual) actual = &e;
        if (actual) {
            p.setPen(QPen(Qt::blue, 1));
            for (const auto& e : estaciones_)
                if (e.visada) p.drawLine(punto(*actual), punto(e));
        }
        for (const auto& e : estaciones_) {
            const QPointF c = punto(e);
            p.setPen(e.actual ? Qt::red : Qt::black);
            p.setBrush(e.actual ? Qt::red : Qt::black);
            p.drawRect(QRectF(c.x() - 1.5, c.y() - 1.5, 3, 3));
            p.drawText(c + QPointF(4, -4), qs(e.nombre));
        }
    }

private:
    std::vector<EstacionPlano> estaciones_;
};

DialogoDesorientacion::DialogoDesorientacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                             QWidget* padre)
    : QDialog(padre),
      logica_(libreta),
      mapa_(mapa),
      estaciones_(new QComboBox(this)),
      estacionamientos_(new QComboBox(this)),
      visadas_(new QListWidget(this)),
      estacion_(new QLabel(this)),
      x_(new QLabel(this)),
      y_(new QLabel(this)),
      z_(new QLabel(this)),
      visadaX_(new QLabel(this)),
      visadaY_(new QLabel(this)),
      visadaZ_(new QLabel(this)),
      rejilla_(new CRejilla(this)),
      desorientacion_(new QLineEdit(this)),
      estadistica_(new QLabel(this)),
      plano_(new PlanoEstaciones(this)) {
    setWindowTitle(QStringLiteral("CALCULO DE DESORIENTACIONES"));
    setObjectName(QStringLiteral("dialogoDesorientacion"));
    resize(900, 600);
    estaciones_->setObjectName(QStringLiteral("estaciones"));
    estacionamientos_->setObjectName(QStringLiteral("estacionamientos"));
    visadas_->setObjectName(QStringLiteral("visadas"));
    desorientacion_->setObjectName(QStringLiteral("desorientacion"));
    estadistica_->setObjectName(QStringLiteral("estadistica"));
    rejilla_->setObjectName(QStringLiteral("rejillaVisuales"));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));

    for (const auto& n : logica_.nombresEstaciones()) estaciones_->addItem(qs(n));
    estaciones_->setCurrentIndex(-1);

    QGridLayout* izquierda = construirIzquierda();
    QHBoxLayout* botones = construirBotones();
    auto* resultado = new QHBoxLayout;
    resultado->addWidget(new QLabel(QStringLiteral("DESORIENTACION:"), this));
    resultado->addWidget(desorientacion_);
    resultado->addWidget(estadistica_, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(rejilla_, 1);
    derecha->addLayout(resultado);
    derecha->addLayout(botones);
    derecha->addWidget(plano_);
    auto* capa = new QHBoxLayout(this);
    capa->addLayout(izquierda);
    capa->addLayout(derecha, 1);
    conectar();

    InformeEstacionQt informe = informeEstacionQt(this, mapa_, &ajustes);
    pedirFicheroInforme = std::move(informe.pedirFichero);
    mostrarInforme = std::move(informe.mostrar);
    avisar = [this](const QString& texto) { QMessageBox::information(this, windowTitle(), texto); };
    plano_->fijar(logica_.plano());
}

QGridLayout* DialogoDesorientacion::construirIzquierda() {
    auto* izquierda = new QGridLayout;
    izquierda->addWidget(new QLabel(QStringLiteral("Estación :"), this), 0, 0);
    izquierda->addWidget(estaciones_, 0, 1);
    izquierda->addWidget(new QLabel(QStringLiteral("Estacionamiento:"), this), 1, 0);
    izquierda->addWidget(estacionamientos_, 1, 1);
    izquierda->addWidget(estacion_, 2, 0, 1, 2);
    izquierda->addWidget(x_, 3, 0, 1, 2);
    izquierda->addWidget(y_, 4, 0, 1, 2);
    izquierda->addWidget(z_, 5, 0, 1, 2);
    izquierda->addWidget(new QLabel(QStringLiteral("ESTACIONES"), this), 6, 0, 1, 2);
    izquierda->addWidget(visadas_, 7, 0, 1, 2);
    auto* anadir = new QPushButton(QStringLiteral("=>"), this);
    anadir->setObjectName(QStringLiteral("anadir"));
    connect(anadir, &QPushButton::clicked, this, &DialogoDesorientacion::pulsarAnadir);
    izquierda->addWidget(anadir, 8, 1);
    izquierda->addWidget(visadaX_, 9, 0, 1, 2);
    izquierda->addWidget(visadaY_, 10, 0, 1, 2);
    izquierda->addWidget(visadaZ_, 11, 0, 1, 2);
    return izquierda;
}

QHBoxLayout* DialogoDesorientacion::construirBotones() {
    auto* botones = new QHBoxLayout;
    auto boton = [this, botones](const char* texto, const char* nombre, void (DialogoDesorientacion::*accion)()) {
        auto* b = new QPushButton(QString::fromUtf8(texto), this);
        b->setObjectName(QString::fromUtf8(nombre));
        connect(b, &QPushButton::clicked, this, accion);
        botones->addWidget(b);
    };
    boton("Cálcular", "calcular", &DialogoDesorientacion::pulsarCalcular);
    boton("Desor", "desor", &DialogoDesorientacion::pulsarDesor);
    boton("Media", "media", &DialogoDesorientacion::pulsarMedia);
    boton("Guardar", "guardar", &DialogoDesorientacion::pulsarGuardar);
    boton("Imprimir", "imprimir", &DialogoDesorientacion::pulsarImprimir);
    auto* salir = new QPushButton(QStringLiteral("Salir"), this);
    salir->setObjectName(QStringLiteral("salir"));
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
    botones->addWidget(salir);
    return botones;
}

void DialogoDesorientacion::conectar() {
    connect(estaciones_, &QComboBox::activated, this, &DialogoDesorientacion::estacionElegida);
    connect(estacionamientos_, &QComboBox::activated, this, &DialogoDesorientacion::estacionamientoElegido);
    connect(visadas_, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila < 0) return;
        logica_.elegirVisada(static_cast<std::size_t>(fila));
        refrescarTextos();
    });
    connect(visadas_, &QListWidget::itemDoubleClicked, this, [this] { pulsarAnadir(); });
    connect(desorientacion_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logica_.textoDesorientacion = t.toStdString(); });
}

void DialogoDesorientacion::abrirPara(const Estacion* estacion, const Estacionamiento* estacionamiento, double* resultado) {
    logica_.abrirPara(estacion, estacionamiento, resultado);
    const auto nombres = logica_.nombresEstaciones();
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (logica_.estacion() && nombres[i] == cp1252AUtf8(logica_.estacion()->nombre.vista()))
            estaciones_->setCurrentIndex(static_cast<int>(i));
    estacionamientos_->clear();
    for (const auto& n : logica_.nombresEstacionamientos()) estacionamientos_->addItem(qs(n));
    if (logica_.estacionamiento() && logica_.estacion()) {
        const auto& lista = logica_.estacion()->estacionamientos;
        for (std::size_t j = 0; j < lista.size(); ++j)
            if (lista[j].get() == logica_.estacionamiento()) estacionamientos_->setCurrentIndex(static_cast<int>(j));
    }
    visadas_->clear();
    for (const auto& n : logica_.nombresVisadas()) visadas_->addItem(qs(n));
    refrescarTextos();
}

void DialogoDesorientacion::abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                  const MapaRutas& mapa, const Estacion* estacion,
                                  const Estacionamiento* estacionamiento, double* resultado) {
    DialogoDesorientacion dialogo(libreta, ajustes, mapa, padre);
    if (estacion) dialogo.abrirPara(estacion, estacionamiento, resultado);
    dialogo.exec();
}

void DialogoDesorientacion::estacionElegida(int indice) {
    if (indice < 0) return;
    logica_.elegirEstacion(static_cast<std::size_t>(indice));
    estacionamientos_->clear();
    for (const auto& n : logica_.nombresEstacionamientos()) estacionamientos_->addItem(qs(n));
    estacionamientos_->setCurrentIndex(-1);
    visadas_->clear();
    refrescarTextos();
}

void DialogoDesorientacion::estacionamientoElegido(int indice) {
    if (indice < 0) return;
    logica_.elegirEstacionamiento(static_cast<std::size_t>(indice));
    visadas_->clear();
    for (const auto& n : logica_.nombresVisadas()) visadas_->addItem(qs(n));
    refrescarTextos();
}

void DialogoDesorientacion::refrescarTextos() {
    estacion_->setText(qs(logica_.textoEstacion));
    x_->setText(qs(logica_.textoX));
    y_->setText(qs(logica_.textoY));
    z_->setText(qs(logica_.textoZ));
    visadaX_->setText(qs(logica_.textoVisadaX));
    visadaY_->setText(qs(logica_.textoVisadaY));
    visadaZ_->setText(qs(logica_.textoVisadaZ));
    desorientacion_->setText(qs(logica_.textoDesorientacion));
    estadistica_->setText(qs(logica_.textoEstadistica));
    rejilla_->recargar();
    plano_->fijar(logica_.plano());
}

void DialogoDesorientacion::pulsarAnadir() {
    const int fila = visadas_->currentRow();
    if (fila < 0) return;
    const std::size_t antes = logica_.omitidas.size();
    if (!logica_.anadirVisuales(static_cast<std::size_t>(fila))) {
        avisar(qs(formatear(kMensajeVisualRepetida, visadas_->item(fila)->text().toUtf8().constData())));
        return;
    }
    refrescarTextos();
    avisarOmitidas(this, std::vector<std::string>(logica_.omitidas.begin() + static_cast<std::ptrdiff_t>(antes),
                                                  logica_.omitidas.end()));
}

void DialogoDesorientacion::pulsarCalcular() {
    logica_.calcular();
    refrescarTextos();
}

void DialogoDesorientacion::pulsarDesor() {
    logica_.desor();
    refrescarTextos();
}

void DialogoDesorientacion::pulsarMedia() {
    logica_.media();
    refrescarTextos();
}

void DialogoDesorientacion::pulsarGuardar() {
    logica_.textoDesorientacion = desorientacion_->text().toStdString();
    logica_.guardar();
}

void DialogoDesorientacion::pulsarImprimir() {
    const QString ruta = pedirFicheroInforme ? pedirFicheroInforme(this) : QString();
    if (ruta.isEmpty()) return;
    logica_.textoDesorientacion = desorientacion_->text().toStdString();
    // A report that cannot be written shows nothing, as the editor would not start.
    if (logica_.imprimir(ruta.toStdString()) && mostrarInforme) mostrarInforme(ruta);
}

DialogoDesorientaciones::DialogoDesorientaciones(CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                                 const MapaRutas& mapa, QWidget* padre)
    : QDialog(padre), logica_(libreta), rejilla_(new CRejilla(this)) {
    setWindowTitle(QStringLiteral("CALCULO DESORIENTACIONES"));
    setObjectName(QStringLiteral("dialogoDesorientaciones"));
    resize(700, 480);
    auto* botones = marcoRejilla(this, rejilla_, "rejillaEstacionamientos", &logica_.rejilla());
    auto* calcular = new QPushButton(QStringLiteral("CALCULAR"), this);
    auto* grabar = new QPushButton(QStringLiteral("GRABAR"), this);
    auto* salir = new QPushButton(QStringLiteral("SALIR"), this);
    calcular->setObjectName(QStringLiteral("calcular"));
    grabar->setObjectName(QStringLiteral("grabar"));
    salir->setObjectName(QStringLiteral("salir"));
    botones->addWidget(calcular);
    botones->addWidget(grabar);
    botones->addStretch();
    botones->addWidget(salir);
    connect(calcular, &QPushButton::clicked, this, &DialogoDesorientaciones::pulsarCalcular);
    connect(grabar, &QPushButton::clicked, this, &DialogoDesorientaciones::pulsarGrabar);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
    connect(rejilla_, &CRejilla::dobleClicFila, this, &DialogoDesorientaciones::dobleClic);
    abrirIndividual = [this, &libreta, &ajustes, &mapa](Estacion* e, Estacionamiento* s) {
        DialogoDesorientacion::abrir(this, libreta, ajustes, mapa, e, s);
    };
}

void DialogoDesorientaciones::abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                    const MapaRutas& mapa) {
    DialogoDesorientaciones dialogo(libreta, ajustes, mapa, padre);
    dialogo.exec();
}

void DialogoDesorientaciones::pulsarCalcular() {
    logica_.calcular();
    rejilla_->recargar();
    avisarOmitidas(this, logica_.omitidas());
}

void DialogoDesorientaciones::pulsarGrabar() { logica_.grabar(); }

void DialogoDesorientaciones::dobleClic(int fila) {
    if (fila < 0) return;
    const auto f = static_cast<std::size_t>(fila);
    Estacion* e = logica_.estacionDeFila(f);
    Estacionamiento* s = logica_.estacionamientoDeFila(f);
    if (!e || !s || !abrirIndividual) return;
    abrirIndividual(e, s);
    logica_.actualizarFila(f);
    rejilla_->recargar();
}

}  // namespace celvara::ui
