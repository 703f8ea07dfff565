#include "ui/calc/estacion_dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/calc/desorientacion_dialogos.h"
#include "ui/calc/matrices_dialogo.h"
#include "ui/comun/ventana_calculo.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* boton(QWidget* padre, QBoxLayout* capa, const char* texto, const char* nombre) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromUtf8(nombre));
    capa->addWidget(b);
    return b;
}

QLineEdit* edit(QWidget* padre, const char* nombre) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromUtf8(nombre));
    return e;
}

ListaInstrumentos cargarBiblioteca(const CDatosGenerales& ajustes, const MapaRutas& mapa, bool& cargada) {
    ListaInstrumentos l;
    AvisosSilenciosos sinMensajes;
    cargada = cargarInstrumentos(l, rutaInstrumentos(ajustes, mapa), sinMensajes) == Estado::Exito;
    return l;
}

// A double click anywhere in a grid, empty or not.
class DobleClic : public QObject {
public:
    DobleClic(QObject* padre, std::function<void()> accion) : QObject(padre), accion_(std::move(accion)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) accion_();
        return false;
    }

private:
    std::function<void()> accion_;
};

const ListaInstrumentos* siCargada(const ListaInstrumentos& l, bool cargada) { return cargada ? &l : nullptr; }

}  // namespace

// ---- "CALCULO COORDENADAS DE "UNA ESTACION".  Modo Automático"

DialogoEstacionMmcc::DialogoEstacionMmcc(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                         Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      instrumentos_(cargarBiblioteca(ajustes, mapa, cargada_)),
      logica_(libreta, ajustes, siCargada(instrumentos_, cargada_), avisos),
      libreta_(libreta),
      ajustes_(ajustes),
      mapa_(mapa),
      avisos_(avisos),
      estaciones_(new QComboBox(this)),
      x_(edit(this, "x")),
      y_(edit(this, "y")),
      z_(edit(this, "z")),
      desorientacion_(edit(this, "desorientacion")),
      botonAprox_(new QPushButton(QStringLiteral("Aprox"), this)),
      iteraciones_(new QLabel(QStringLiteral("0 Iteraciones"), this)),
      resumen_(new QLabel(this)),
      rejilla_(new CRejilla(this)) {
    setWindowTitle(QStringLiteral("CALCULO COORDENADAS DE \"UNA ESTACION\".  Modo Automático"));
    setObjectName(QStringLiteral("dialogoEstacionMmcc"));
    resize(1000, 640);  // whole on a 1024 x 700 laptop
    estaciones_->setObjectName(QStringLiteral("estaciones"));
    estaciones_->setEditable(true);
    for (const auto& n : logica_.nombresEstaciones()) estaciones_->addItem(qs(n));
    estaciones_->setCurrentIndex(-1);
    botonAprox_->setObjectName(QStringLiteral("aprox"));
    iteraciones_->setObjectName(QStringLiteral("iteraciones"));
    resumen_->setObjectName(QStringLiteral("resumen"));
    resumen_->setWordWrap(true);
    resumen_->setFixedWidth(330);
    resumen_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resumen_->setText(QStringLiteral("Antes de CALCULAR: X, Y y, con ecuaciones inversas, la Desorientación\n"
                                     "deben tener valores aproximados."));
    rejilla_->setObjectName(QStringLiteral("rejillaEcuaciones"));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));

    auto* capa = new QVBoxLayout(this);
    // The station on a row of its own: its long label does not widen the X column.
    auto* estacion = new QHBoxLayout;
    estacion->addWidget(new QLabel(QStringLiteral("   ESTACION A CALCULAR:   ======>"), this));
    estacion->addWidget(estaciones_);
    estacion->addWidget(iteraciones_);
    estacion->addStretch();
    capa->addLayout(estacion);
    auto* arriba = new QGridLayout;
    const char* etiquetas[] = {"X =", "Y =", "Z =", "Desor ="};
    QLineEdit* edits[] = {x_, y_, z_, desorientacion_};
    for (int i = 0; i < 4; ++i) {
        arriba->addWidget(new QLabel(QString::fromUtf8(etiquetas[i]), this), 1, 2 * i);
        arriba->addWidget(edits[i], 1, 2 * i + 1);
    }
    arriba->addWidget(botonAprox_, 1, 8);
    capa->addLayout(arriba);
    auto* medio = new QHBoxLayout;
    medio->addWidget(rejilla_, 1);
    medio->addWidget(resumen_);
    capa->addLayout(medio, 1);
    auto* botones = new QHBoxLayout;
    connect(boton(this, botones, "CALCULAR", "calcular"), &QPushButton::clicked, this, &DialogoEstacionMmcc::pulsarCalcular);
    connect(boton(this, botones, "Reset", "reset"), &QPushButton::clicked, this, &DialogoEstacionMmcc::pulsarReset);
    connect(boton(this, botones, "Matrices", "matrices"), &QPushButton::clicked, this, [this] {
        if (matrices) matrices();
    });
    connect(boton(this, botones, "Pesos", "pesos"), &QPushButton::clicked, this, [this] {
        if (pesos) pesos();
    });
    connect(boton(this, botones, "GRABAR", "grabar"), &QPushButton::clicked, this, &DialogoEstacionMmcc::pulsarGrabar);
    connect(boton(this, botones, "Imprimir", "imprimir"), &QPushButton::clicked, this, &DialogoEstacionMmcc::pulsarImprimir);
    botones->addStretch();
    connect(boton(this, botones, "Salir", "salir"), &QPushButton::clicked, this, &QDialog::accept);
    capa->addLayout(botones);

    connect(estaciones_, &QComboBox::textActivated, this, &DialogoEstacionMmcc::elegirEstacion);
    connect(botonAprox_, &QPushButton::clicked, this, [this] {
        if (aprox) aprox();
    });
    // A use flag may switch the orientation unknown on or off; what is typed in the edits stays.
    connect(rejilla_, &CRejilla::celdaEditada, this, [this] {
        leerEdits();
        refrescar();
    });
    informe = informeEstacionQt(this, mapa_, &ajustes_);
    aprox = [this] {
        Estacionamiento* s = logica_.estacionamientoInverso();
        if (!s) return;
        double w = s->desorientacion;
        DialogoDesorientacion::abrir(this, libreta_, ajustes_, mapa_, logica_.estacion(), s, &w);
        logica_.ponerDesorientacion(w);
        refrescar();
    };
    matrices = [this] { DialogoMatrices::abrir(this, logica_.matrices(), lugarFicheros(ajustes_, mapa_)); };
    refrescar();
}

void DialogoEstacionMmcc::leerEdits() {
    logica_.textoX = x_->text().toStdString();
    logica_.textoY = y_->text().toStdString();
    logica_.textoZ = z_->text().toStdString();
    logica_.textoDesorientacion = desorientacion_->text().toStdString();
}

void DialogoEstacionMmcc::refrescar() {
    x_->setText(qs(logica_.textoX));
    y_->setText(qs(logica_.textoY));
    z_->setText(qs(logica_.textoZ));
    desorientacion_->setText(qs(logica_.textoDesorientacion));
    const bool inversa = logica_.desorientacionActiva();
    desorientacion_->setEnabled(inversa);
    botonAprox_->setEnabled(inversa);
    iteraciones_->setText(qs(logica_.textoIteraciones));
    if (!logica_.textoResumen.empty()) resumen_->setText(qs(logica_.textoResumen));
}

void DialogoEstacionMmcc::elegirEstacion(const QString& nombre) {
    estaciones_->setCurrentText(nombre);
    logica_.elegirEstacion(nombre.toStdString());
    rejilla_->recargar();
    refrescar();
    std::string omitidas;
    for (const std::string& o : logica_.omitidas()) omitidas += (omitidas.empty() ? "" : "\n") + o;
    if (!omitidas.empty()) avisos_.mensaje(omitidas, "", Botones::Aceptar, Icono::Exclamacion);
}

void DialogoEstacionMmcc::pulsarCalcular() {
    leerEdits();
    if (!logica_.calcular()) return;
    rejilla_->recargar();
    refrescar();
    // The equation that data snooping points at.
    if (logica_.resultado().filaMarcada >= 0) rejilla_->irAFila(logica_.resultado().filaMarcada);
}

void DialogoEstacionMmcc::pulsarReset() {
    logica_.reset();
    refrescar();
}

void DialogoEstacionMmcc::pulsarGrabar() {
    leerEdits();
    logica_.grabar();
}

void DialogoEstacionMmcc::pulsarImprimir() {
    const QString ruta = informe.pedirFichero ? informe.pedirFichero(this) : QString();
    if (ruta.isEmpty()) return;
    if (logica_.imprimir(ruta.toStdString()) && informe.mostrar) informe.mostrar(ruta);
}

// ---- "RESULTADO DEL CALCULO ESTACION"

DialogoResultadoEstacion::DialogoResultadoEstacion(CDatosGenerales& ajustes, Estacion& estacion,
                                                   const std::array<ListaSoluciones, kMetodosEstacion>& soluciones,
                                                   const MapaRutas& mapa, Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      logica_(ajustes, estacion, soluciones, avisos),
      mapa_(mapa),
      pestanas_(new QTabBar(this)),
      rejilla_(new CRejilla(this)),
      imagen_(new QLabel(this)),
      ponderado_(new QCheckBox(QStringLiteral("Promedio Ponderado"), this)),
      x_(edit(this, "x")),
      y_(edit(this, "y")),
      z_(edit(this, "z")),
      precision_(edit(this, "precision")) {
    setWindowTitle(QStringLiteral("RESULTADO DEL CALCULO ESTACION"));
    setObjectName(QStringLiteral("dialogoResultadoEstacion"));
    resize(1000, 620);
    pestanas_->setObjectName(QStringLiteral("pestanas"));
    for (const char* t : {"  RADIADOS  ", "  INTERSECCION DIRECTA ", "  INTERSECCION INVERSA "})
        pestanas_->addTab(QString::fromUtf8(t));
    rejilla_->setObjectName(QStringLiteral("rejillaResultados"));
    imagen_->setObjectName(QStringLiteral("imagen"));
    imagen_->setMinimumSize(160, 120);
    ponderado_->setObjectName(QStringLiteral("ponderado"));
    const char* textos[] = {"Promediar Radiado", "Promediar Directas", "Promediar Inversas"};
    const char* nombres[] = {"promediarRadiado", "promediarDirectas", "promediarInversas"};
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        promediar_[m] = new QCheckBox(QString::fromUtf8(textos[m]), this);
        promediar_[m]->setObjectName(QString::fromUtf8(nombres[m]));
        promediar_[m]->setChecked(logica_.promediar[m]);
    }
    ponderado_->setChecked(logica_.ponderado);

    auto* capa = new QVBoxLayout(this);
    auto* titulo = new QLabel(qs(logica_.titulo), this);
    titulo->setObjectName(QStringLiteral("titulo"));
    capa->addWidget(titulo);
    capa->addWidget(pestanas_);
    auto* medio = new QHBoxLayout;
    medio->addWidget(rejilla_, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(imagen_);
    for (std::size_t i = 0; i < elipse_.size(); ++i) {
        elipse_[i] = new QLabel(this);
        elipse_[i]->setObjectName(QStringLiteral("elipse%1").arg(i));
        derecha->addWidget(elipse_[i]);
    }
    derecha->addStretch();
    medio->addLayout(derecha);
    capa->addLayout(medio, 1);
    auto* opciones = new QHBoxLayout;
    for (auto* c : promediar_) opciones->addWidget(c);
    opciones->addWidget(ponderado_);
    capa->addLayout(opciones);
    auto* resultado = new QHBoxLayout;
    for (auto [texto, e] : {std::pair{"X", x_}, {"Y", y_}, {"Z", z_}, {"Prec", precision_}}) {
        resultado->addWidget(new QLabel(QString::fromUtf8(texto), this));
        resultado->addWidget(e);
    }
    capa->addLayout(resultado);
    auto* botones = new QHBoxLayout;
    connect(boton(this, botones, "1- Promediar", "promediar"), &QPushButton::clicked, this,
            &DialogoResultadoEstacion::pulsarPromediar);
    connect(boton(this, botones, "2- Guardar", "guardar"), &QPushButton::clicked, this,
            &DialogoResultadoEstacion::pulsarGuardar);
    connect(boton(this, botones, "3- Imprimir", "imprimir"), &QPushButton::clicked, this,
            &DialogoResultadoEstacion::pulsarImprimir);
    connect(boton(this, botones, "4- Desorien", "desorien"), &QPushButton::clicked, this, [this] {
        if (desorien) desorien();
    });
    connect(boton(this, botones, "5- Salir", "salir"), &QPushButton::clicked, this, &QDialog::accept);
    capa->addLayout(botones);

    connect(pestanas_, &QTabBar::currentChanged, this, &DialogoResultadoEstacion::elegirPestana);
    connect(rejilla_, &CRejilla::filaActualCambiada, this, &DialogoResultadoEstacion::elegirFila);
    informe = informeEstacionQt(this, mapa_, &ajustes);
    const int inicial = static_cast<int>(logica_.pestanaInicial());
    pestanas_->setCurrentIndex(inicial);
    elegirPestana(inicial);
    refrescarTextos();
}

void DialogoResultadoEstacion::elegirPestana(int pestana) {
    if (pestana < 0) return;
    rejilla_->fijarFuente(&logica_.rejilla(static_cast<std::size_t>(pestana)));
    // Loaded from disk each time: a missing file leaves the picture empty.
    const QPixmap imagen(QString::fromStdString(
        mapa_.aAnfitrion(CResultadoEstacion::imagen(static_cast<std::size_t>(pestana))).string()));
    imagen_->setPixmap(imagen);
    for (auto* l : elipse_) l->clear();
}

void DialogoResultadoEstacion::elegirFila(int fila) {
    if (fila < 0) return;
    const auto t = logica_.textosElipse(static_cast<std::size_t>(pestanas_->currentIndex()), static_cast<std::size_t>(fila));
    for (std::size_t i = 0; i < t.size(); ++i) elipse_[i]->setText(qs(t[i]));
}

void DialogoResultadoEstacion::refrescarTextos() {
    x_->setText(qs(logica_.textoX));
    y_->setText(qs(logica_.textoY));
    z_->setText(qs(logica_.textoZ));
    precision_->setText(qs(logica_.textoPrecision));
}

void DialogoResultadoEstacion::pulsarPromediar() {
    logica_.ponderado = ponderado_->isChecked();
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) logica_.promediar[m] = promediar_[m]->isChecked();
    logica_.promediarSoluciones();
    refrescarTextos();
}

void DialogoResultadoEstacion::pulsarGuardar() {
    logica_.textoX = x_->text().toStdString();
    logica_.textoY = y_->text().toStdString();
    logica_.textoZ = z_->text().toStdString();
    logica_.textoPrecision = precision_->text().toStdString();
    logica_.guardar();
}

void DialogoResultadoEstacion::pulsarImprimir() {
    const QString ruta = informe.pedirFichero ? informe.pedirFichero(this) : QString();
    if (ruta.isEmpty()) return;
    if (logica_.imprimir(ruta.toStdString()) && informe.mostrar) informe.mostrar(ruta);
}

// ---- "CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN"

DialogoEstacionSemi::DialogoEstacionSemi(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                         Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      instrumentos_(cargarBiblioteca(ajustes, mapa, cargada_)),
      logica_(libreta, ajustes, siCargada(instrumentos_, cargada_), avisos),
      libreta_(libreta),
      ajustes_(ajustes),
      mapa_(mapa),
      avisos_(avisos),
      estaciones_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN"));
    setObjectName(QStringLiteral("dialogoEstacionSemi"));
    resize(800, 500);
    estaciones_->setObjectName(QStringLiteral("estaciones"));
    estaciones_->setEditable(true);
    for (const auto& n : logica_.nombresEstaciones()) estaciones_->addItem(qs(n));
    estaciones_->setCurrentIndex(-1);
    auto* capa = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(new QLabel(QStringLiteral("ESTACION A CALCULAR:"), this));
    arriba->addWidget(estaciones_, 1);
    capa->addLayout(arriba);
    auto* pestanas = new QTabWidget(this);
    pestanas->setObjectName(QStringLiteral("pestanas"));
    const char* titulos[] = {"CALCULO POR RADIACION", "CALCULO POR INTERSECCIÓN DIRECTA",
                             "CALCULO POR INTERSECCIÓN INVERSA"};
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        rejillas_[m] = new CRejilla(this);
        rejillas_[m]->setObjectName(QStringLiteral("rejilla%1").arg(m));
        rejillas_[m]->fijarFuente(&logica_.rejilla(static_cast<MetodoEstacion>(m)));
        rejillas_[m]->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));
        pestanas->addTab(rejillas_[m], QString::fromUtf8(titulos[m]));
        QWidget* area = rejillas_[m]->vista()->viewport();
        area->installEventFilter(new DobleClic(area, [this, m] { cargar(static_cast<MetodoEstacion>(m)); }));
    }
    capa->addWidget(pestanas, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    QPushButton* calcular = boton(this, botones, "CALCULAR", "calcular");
    calcular->setDefault(true);  // Return computes, never leaves
    connect(calcular, &QPushButton::clicked, this, &DialogoEstacionSemi::pulsarCalcular);
    auto* salir = boton(this, botones, "Salir", "salir");
    salir->setAutoDefault(false);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
    capa->addLayout(botones);
    connect(estaciones_, &QComboBox::textActivated, this, &DialogoEstacionSemi::elegirEstacion);
    mostrarResultado = [](DialogoResultadoEstacion& d) { d.exec(); };
}

void DialogoEstacionSemi::elegirEstacion(const QString& nombre) {
    estaciones_->setCurrentText(nombre);
    logica_.elegirEstacion(nombre.toStdString());
    for (auto* r : rejillas_) r->recargar();
}

void DialogoEstacionSemi::cargar(MetodoEstacion metodo) {
    logica_.cargar(metodo);
    rejillas_[static_cast<std::size_t>(metodo)]->recargar();
}

void DialogoEstacionSemi::pulsarCalcular() {
    if (!logica_.calcular()) return;
    DialogoResultadoEstacion resultado(ajustes_, *logica_.estacion(), logica_.soluciones(), mapa_, avisos_, this);
    // "4- Desorien": the orientation of the station's first set-up, once its coordinates are saved.
    resultado.desorien = [this, &resultado] {
        Estacion* e = logica_.estacion();
        const Estacionamiento* s = e->estacionamientos.empty() ? nullptr : e->estacionamientos.front().get();
        DialogoDesorientacion::abrir(&resultado, libreta_, ajustes_, mapa_, e, s);
    };
    if (mostrarResultado) mostrarResultado(resultado);
}

// ---- "TABLA DE CALCULO"

DialogoTablaCalculo::DialogoTablaCalculo(CLibretaCampo& libreta, QWidget* padre)
    : QDialog(padre), logica_(libreta), rejilla_(new CRejilla(this)) {
    setWindowTitle(QStringLiteral("TABLA DE CALCULO"));
    setObjectName(QStringLiteral("dialogoTablaCalculo"));
    resize(900, 450);
    auto* botones = marcoRejilla(this, rejilla_, "rejillaTabla", &logica_.rejilla());
    botones->addStretch();
    connect(boton(this, botones, "A C E P T A R", "aceptar"), &QPushButton::clicked, this,
            &DialogoTablaCalculo::pulsarAceptar);
    connect(boton(this, botones, "S A L I R", "salir"), &QPushButton::clicked, this, &QDialog::reject);
}

bool DialogoTablaCalculo::abrir(QWidget* padre, CLibretaCampo& libreta) {
    DialogoTablaCalculo d(libreta, padre);
    return d.exec() == QDialog::Accepted;
}

void DialogoTablaCalculo::pulsarAceptar() {
    logica_.aceptar();
    accept();
}

}  // namespace celvara::ui
