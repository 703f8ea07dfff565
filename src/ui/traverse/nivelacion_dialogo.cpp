#include "ui/traverse/nivelacion_dialogo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "traverse/fichero_nivelacion.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

QString qs(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

DialogoNivelacion::DialogoNivelacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                     Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      logica_(libreta.estaciones),
      ajustes_(ajustes),
      mapa_(mapa),
      avisos_(avisos),
      rejilla_(new CRejilla(this)),
      salida_(new QComboBox(this)),
      llegada_(new QComboBox(this)),
      cotaSalida_(new QLineEdit(this)),
      cotaLlegada_(new QLineEdit(this)),
      cierre_(new QLabel(this)) {
    setObjectName(QStringLiteral("dialogoNivelacion"));
    resize(1000, 560);
    leerK();
    auto* capa = new QVBoxLayout(this);
    capa->setMenuBar(crearMenus());
    capa->addLayout(crearEstaciones());
    capa->addLayout(crearVistas());
    capa->addWidget(rejilla_, 1);
    capa->addLayout(crearBotones());
    conectar();
    prepararPeticiones();
    refrescar();
    actualizarTitulo();
}

// k of the tolerance, from the side settings beside observa.dft.
void DialogoNivelacion::leerK() {
    if (ajustes_.rutaFicheroAjustes.vista().empty()) return;
    rutaIni_ = rutaAjustesPropios(mapa_.aAnfitrion(ajustes_.rutaFicheroAjustes.vista()));
    AjustesPropios ini;
    if (ini.cargar(*rutaIni_)) k_ = toleranciaK(ini);
}

QMenuBar* DialogoNivelacion::crearMenus() {
    auto* menus = new QMenuBar(this);
    QMenu* menuLinea = menus->addMenu(QStringLiteral("Nivelación"));
    menuLinea->addAction(QStringLiteral("Nuevo..."), this, &DialogoNivelacion::nuevo);
    menuLinea->addAction(QStringLiteral("Abrir..."), this, &DialogoNivelacion::abrirFichero);
    menuLinea->addAction(QStringLiteral("Grabar"), this, &DialogoNivelacion::grabarFichero);
    menuLinea->addAction(QStringLiteral("Grabar Como..."), this, &DialogoNivelacion::grabarComo);
    menuLinea->addAction(QStringLiteral("Importar Datos..."), this, &DialogoNivelacion::importarDatos);
    menuLinea->addSeparator();
    menuLinea->addAction(QStringLiteral("Salir"), this, &QDialog::accept);
    QMenu* menuCalculo = menus->addMenu(QStringLiteral("Cálculo"));
    menuCalculo->addAction(QStringLiteral("Configurar Ajuste Líneas"), this, &DialogoNivelacion::configurarAjuste);
    menuCalculo->addAction(QStringLiteral("Ajustar"), this, &DialogoNivelacion::ajustar);
    menuCalculo->addAction(QStringLiteral("Cálculo de Tolerancias"), this, &DialogoNivelacion::calcularTolerancias);
    menuCalculo->addAction(QStringLiteral("Informe"), this, &DialogoNivelacion::informe);
    return menus;
}

// The start and arrival stations with their heights, and the misclosure.
QLayout* DialogoNivelacion::crearEstaciones() {
    salida_->setObjectName(QStringLiteral("salida"));
    llegada_->setObjectName(QStringLiteral("llegada"));
    cotaSalida_->setObjectName(QStringLiteral("cotaSalida"));
    cotaLlegada_->setObjectName(QStringLiteral("cotaLlegada"));
    cierre_->setObjectName(QStringLiteral("cierre"));
    for (const std::string& nombre : logica_.nombresEstaciones()) {
        salida_->addItem(qs(cp1252AUtf8(nombre)));
        llegada_->addItem(qs(cp1252AUtf8(nombre)));
    }
    cotaSalida_->setText(qs(logica_.textoCotaSalida()));
    cotaLlegada_->setText(qs(logica_.textoCotaLlegada()));
    auto* estaciones = new QGridLayout;
    estaciones->addWidget(new QLabel(QStringLiteral("ESTACION de Salida:"), this), 0, 0);
    estaciones->addWidget(salida_, 0, 1);
    estaciones->addWidget(new QLabel(QStringLiteral("Cota Salida:"), this), 0, 2);
    estaciones->addWidget(cotaSalida_, 0, 3);
    estaciones->addWidget(new QLabel(QStringLiteral("ESTACION de LLegada:"), this), 1, 0);
    estaciones->addWidget(llegada_, 1, 1);
    estaciones->addWidget(new QLabel(QStringLiteral("Cota LLegada:"), this), 1, 2);
    estaciones->addWidget(cotaLlegada_, 1, 3);
    estaciones->addWidget(cierre_, 1, 4);
    estaciones->setColumnStretch(5, 1);
    return estaciones;
}

// The view switches over the grid.
QLayout* DialogoNivelacion::crearVistas() {
    rejilla_->setObjectName(QStringLiteral("rejillaNivelacion"));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));
    rejilla_->permitirInsertarBorrar(true);
    auto* vistas = new QHBoxLayout;
    const auto casilla = [&](const char* texto, const char* nombre, VistaNivelacion vista, bool marcada) {
        auto* c = new QCheckBox(QString::fromUtf8(texto), this);
        c->setObjectName(QString::fromUtf8(nombre));
        c->setChecked(marcada);
        vistas->addWidget(c);
        connect(c, &QCheckBox::toggled, this, [this, vista](bool visible) {
            logica_.ver(vista, visible);
            for (std::size_t col : columnasDeVista(vista)) rejilla_->ocultarColumna(static_cast<int>(col), !visible);
        });
    };
    casilla("Ver Hilo Medio", "verHiloMedio", VistaNivelacion::HiloMedio, true);
    casilla("Ver Hilos Sup e Inf", "verHilos", VistaNivelacion::HilosSupInf, false);
    casilla("Ver Distancias", "verDistancias", VistaNivelacion::Distancias, false);
    vistas->addStretch();
    return vistas;
}

QLayout* DialogoNivelacion::crearBotones() {
    auto* botones = new QHBoxLayout;
    auto* recoge = new QPushButton(QStringLiteral("<<-recoge cota->>"), this);
    auto* grabar = new QPushButton(QStringLiteral("Grabar"), this);
    recoge->setObjectName(QStringLiteral("recogeCota"));
    grabar->setObjectName(QStringLiteral("grabar"));
    recoge->setAutoDefault(false);
    grabar->setAutoDefault(false);
    botones->addWidget(recoge);
    botones->addWidget(grabar);
    botones->addStretch();
    connect(recoge, &QPushButton::clicked, this, &DialogoNivelacion::recogerCota);
    connect(grabar, &QPushButton::clicked, this, &DialogoNivelacion::grabarCota);
    return botones;
}

// The grid's edits and the station and height fields reach the core.
void DialogoNivelacion::conectar() {
    connect(rejilla_, &CRejilla::celdaEditada, this, &DialogoNivelacion::refrescar);
    connect(rejilla_, &CRejilla::insertarFilaPedida, this, [this](int fila) {
        rejilla_->modelo()->insertarFilas(fila, fila, [&] { logica_.insertarFila(static_cast<std::size_t>(fila)); });
        refrescar();
    });
    connect(rejilla_, &CRejilla::borrarFilaPedida, this, [this](int fila) {
        logica_.borrarFila(static_cast<std::size_t>(fila));
        rejilla_->recargar();
        refrescar();
    });
    connect(salida_, &QComboBox::activated, this, [this](int i) {
        logica_.elegirSalida(i);
        cotaSalida_->setText(qs(logica_.textoCotaSalida()));
        refrescar();
    });
    connect(llegada_, &QComboBox::activated, this, [this](int i) {
        logica_.elegirLlegada(i);
        cotaLlegada_->setText(qs(logica_.textoCotaLlegada()));
        refrescar();
    });
    connect(cotaSalida_, &QLineEdit::editingFinished, this, [this] { leerCotas(); });
    connect(cotaLlegada_, &QLineEdit::editingFinished, this, [this] { leerCotas(); });
}

// The file dialogs, the k asked and the report shown; tests replace them.
void DialogoNivelacion::prepararPeticiones() {
    // Line files start beside the book and are shown as C:\..., the folder last used kept.
    pedirFichero = [this, lugar = lugarFicheros(ajustes_, mapa_)](bool guardar) {
        const auto r = lugar.pedirEnAnfitrion(
            this, guardar, "csv", "Líneas de nivelación (*.csv) |*.csv|Todos los archivos (*.*) |*.*||", "nivelacion");
        return r ? QString::fromStdString(r->string()) : QString();
    };
    pedirK = [this](double actual) -> std::optional<double> {
        bool ok = false;
        const double k = QInputDialog::getDouble(this, QStringLiteral("Configurar Ajuste Líneas"),
                                                 QStringLiteral("Tolerancia = k·√km, k (mm):"), actual, 0.1, 1000,
                                                 1, &ok);
        return ok ? std::optional(k) : std::nullopt;
    };
    pedirFicheroGsi = [this]() -> QString {
        const auto r = lugarFicheros(ajustes_, mapa_).pedirEnAnfitrion(
            this, false, "gsi", "Ficheros GSI de nivel digital (*.GSI) |*.gsi|Todos los archivos (*.*) |*.*||",
            "importar");
        return r ? QString::fromStdString(r->string()) : QString();
    };
    mostrarInforme = [this](const QString& ruta) {
        mostrarInformeQt(this, mapa_, mapa_.aWindows(ruta.toStdString()));
    };
}

// The children outlive the core class; an edit they commit while the
// dialog goes away must not reach it.
DialogoNivelacion::~DialogoNivelacion() {
    cotaSalida_->disconnect(this);
    cotaLlegada_->disconnect(this);
    rejilla_->disconnect(this);
    rejilla_->fijarFuente(nullptr);
}

// The edits as typed, before anything reads the heights.
void DialogoNivelacion::leerCotas() {
    if (cotaSalida_->isModified()) {
        cotaSalida_->setModified(false);
        logica_.fijarCotaSalida(utf8(cotaSalida_->text()));
    }
    if (cotaLlegada_->isModified()) {
        cotaLlegada_->setModified(false);
        logica_.fijarCotaLlegada(utf8(cotaLlegada_->text()));
    }
    refrescar();
}

void DialogoNivelacion::refrescar() {
    rejilla_->refrescar();
    const auto e = logica_.resultado().errorCierre;
    cierre_->setText(e ? qs(formatear("Error de cierre = %1.4lf", *e)) : QString());
}

void DialogoNivelacion::actualizarTitulo() {
    setWindowTitle(ruta_.empty() ? QStringLiteral("NIVELACION")
                                 : QStringLiteral("NIVELACION - ") + QString::fromStdString(ruta_.string()));
}

// Unsaved rows: save them, drop them or stay.
bool DialogoNivelacion::cambiosAtendidos() {
    if (!logica_.modificada()) return true;
    const std::string texto = "Desea Guardar los Cambios" + (ruta_.empty() ? std::string() : " " + ruta_.string());
    switch (avisos_.mensaje(texto, "NIVELACION", Botones::SiNoCancelar, Icono::Pregunta)) {
        case Respuesta::Si: return grabarFichero();
        case Respuesta::No: return true;
        default: return false;
    }
}

void DialogoNivelacion::nuevo() {
    if (!cambiosAtendidos()) return;
    logica_.nuevo();
    ruta_.clear();
    rejilla_->recargar();
    refrescar();
    actualizarTitulo();
}

void DialogoNivelacion::abrirFichero() {
    if (!cambiosAtendidos()) return;
    const QString ruta = pedirFichero ? pedirFichero(false) : QString();
    if (ruta.isEmpty()) return;
    std::vector<LecturasNivelacion> filas;
    std::string mensaje;
    if (!leerFicheroNivelacion(ruta.toStdString(), filas, mensaje)) {
        avisos_.mensaje(mensaje, "NIVELACION", Botones::Aceptar, Icono::Stop);
        return;
    }
    logica_.cargar(filas);
    ruta_ = ruta.toStdString();
    EstacionesLinea estaciones;
    if (leerEstacionesLinea(ruta_, estaciones)) {
        logica_.elegirEstaciones(estaciones);
        mostrarEstaciones();
    }
    rejilla_->recargar();
    refrescar();
    actualizarTitulo();
}

// A line recorded by a digital level (GSI); it stays unsaved until
// "Grabar Como..." writes it as a line file.
void DialogoNivelacion::importarDatos() {
    if (!cambiosAtendidos()) return;
    const QString ruta = pedirFicheroGsi ? pedirFicheroGsi() : QString();
    if (ruta.isEmpty()) return;
    LineaNivelacionGsi linea;
    std::string mensaje;
    if (!leerFicheroNivelacionGsi(ruta.toStdString(), linea, mensaje)) {
        avisos_.mensaje(mensaje, "NIVELACION", Botones::Aceptar, Icono::Stop);
        return;
    }
    logica_.importar(linea);
    ruta_.clear();
    mostrarEstaciones();
    rejilla_->recargar();
    refrescar();
    actualizarTitulo();
}

// The combos and heights as the core has them.
void DialogoNivelacion::mostrarEstaciones() {
    salida_->setCurrentIndex(logica_.indiceSalida());
    llegada_->setCurrentIndex(logica_.indiceLlegada());
    cotaSalida_->setText(qs(logica_.textoCotaSalida()));
    cotaLlegada_->setText(qs(logica_.textoCotaLlegada()));
}

bool DialogoNivelacion::grabarFichero() {
    if (ruta_.empty()) return grabarComo();
    if (!escribirFicheroNivelacion(ruta_, logica_.lecturas()) ||
        !escribirEstacionesLinea(ruta_, logica_.estacionesLinea())) {
        avisos_.mensaje("Error al grabar el fichero " + ruta_.string(), "NIVELACION", Botones::Aceptar, Icono::Stop);
        return false;
    }
    logica_.marcarGrabada();
    return true;
}

bool DialogoNivelacion::grabarComo() {
    const QString ruta = pedirFichero ? pedirFichero(true) : QString();
    if (ruta.isEmpty()) return false;
    ruta_ = ruta.toStdString();
    actualizarTitulo();
    return grabarFichero();
}

void DialogoNivelacion::configurarAjuste() {
    const auto k = pedirK ? pedirK(k_) : std::nullopt;
    if (!k || !(*k > 0)) return;
    k_ = *k;
    if (!rutaIni_) return;
    AjustesPropios ini;
    ini.cargar(*rutaIni_);
    guardarToleranciaK(ini, k_);
    if (!ini.guardar(*rutaIni_))
        avisos_.mensaje("Error al grabar el fichero " + rutaIni_->string(), "NIVELACION", Botones::Aceptar,
                        Icono::Stop);
}

void DialogoNivelacion::ajustar() {
    leerCotas();
    if (!logica_.ajustar()) {
        avisos_.mensaje("Falta la cota de llegada: no hay error de cierre que ajustar", "NIVELACION",
                        Botones::Aceptar, Icono::Exclamacion);
        return;
    }
    refrescar();
}

void DialogoNivelacion::calcularTolerancias() {
    leerCotas();
    avisos_.mensaje(textoToleranciasNivelacion(logica_.resultado(k_)), "Cálculo de Tolerancias", Botones::Aceptar,
                    Icono::Informacion);
}

// Appended to the reports file of the settings, as the other windows do,
// and shown alone from its own file beside it: the shared file opens at its
// first report, not at this one.
void DialogoNivelacion::informe() {
    leerCotas();
    const std::filesystem::path ruta = mapa_.aAnfitrion(ajustes_.ficheroInformes.vista());
    const std::filesystem::path propio = ruta.parent_path() / kInformeNivelacion;
    const std::string texto = logica_.informe(k_);
    EscritorAtomico solo(propio);
    const bool escrito = anadirAFichero(ruta, texto);
    if (!escrito || !solo.abierto() || !solo.escribir(texto.data(), texto.size()) || !solo.confirmar()) {
        avisos_.mensaje("No se puede abrir el fichero de informe " + (escrito ? propio : ruta).string(), "NIVELACION",
                        Botones::Aceptar, Icono::Stop);
        return;
    }
    if (mostrarInforme) mostrarInforme(QString::fromStdString(propio.string()));
}

void DialogoNivelacion::recogerCota() {
    leerCotas();
    if (logica_.recogerCota()) cotaLlegada_->setText(qs(logica_.textoCotaLlegada()));
    refrescar();
}

void DialogoNivelacion::grabarCota() {
    leerCotas();
    logica_.grabarCota();
}

void DialogoNivelacion::done(int resultado) {
    if (!cambiosAtendidos()) return;
    QDialog::done(resultado);
}

}  // namespace celvara::ui
