#include "ui/manager/gestor_ventana.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "ui/calc/reduccion_elipsoide_dialogo.h"
#include "ui/comun/gestor_avisos_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/dibujo/panel_dibujo.h"
#include "ui/manager/gestor_arbol_modelo.h"
#include "ui/manager/gestor_dialogos_qt.h"
#include "ui/manager/gestor_iconos.h"
#include "ui/manager/gestor_paneles.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }
QColor colorDe(std::uint32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// Sets a line edit's text without raising its change signals.
void poner(QLineEdit* e, const std::string& texto) {
    const QSignalBlocker bloqueo(e);
    if (e->text() != qs(texto)) {
        e->setText(qs(texto));
        e->setCursorPosition(0);  // a value wider than its box shows its start, never "472" for 1.472
    }
}

constexpr const char* kTitulosVista[] = {"Ver Estaciones.", "Ver Visuales.", "Ver Puntos.", "Ver Números"};
constexpr VistaDibujo kVistas[] = {VistaDibujo::Estaciones, VistaDibujo::Visuales, VistaDibujo::Puntos,
                                   VistaDibujo::Numeros};

}  // namespace

VentanaGestor::VentanaGestor(const MapaRutas& mapa, ServiciosGestor servicios, QWidget* padre)
    : QMainWindow(padre), mapa_(mapa) {
    setObjectName(QStringLiteral("gestorObservaciones"));
    if (!servicios.avisos) {
        avisosQt_ = std::make_unique<AvisosQt>(this);
        servicios.avisos = avisosQt_.get();
    }
    if (!servicios.dialogos) {
        dialogosQt_ = std::make_unique<DialogosGestorQt>(this, mapa_);
        servicios.dialogos = dialogosQt_.get();
    }
    if (!servicios.mostrador) {
        mostradorQt_ = std::make_unique<MostradorInformesQt>(this, mapa_);
        servicios.mostrador = mostradorQt_.get();
    }
    gestor_ = std::make_unique<CGestorObservaciones>(mapa_, *servicios.avisos, *servicios.dialogos,
                                                     *servicios.mostrador);
    if (dialogosQt_) {
        dialogosQt_->directorioTrabajo = [this] {
            return std::string(gestor_->ajustes().directorioTrabajo.vista());
        };
        // The sheet's "R.Elip" and "INSTRUMENTO" buttons.
        dialogosQt_->pedirFactorElipsoide = [this] {
            return DialogoReduccionElipsoide::pedirFactor(gestor_->ajustes(), this);
        };
        dialogosQt_->elegirInstrumento = [this](const std::string&) -> std::optional<std::string> {
            std::string nombre;
            if (!::celvara::ui::abrirListadoInstrumentos(this, gestor_->ajustes(), mapa_, &nombre)) return std::nullopt;
            return cp1252AUtf8(nombre);
        };
    }

    setWindowTitle(qs(gestor_->titulo()));
    construirMenus();
    construirBarra();
    construirEdicion();

    arbol_ = new QTreeView(this);
    arbol_->setObjectName(QStringLiteral("arbol"));
    arbol_->setHeaderHidden(true);
    arbol_->setUniformRowHeights(true);
    arbol_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    arbol_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Wide enough for a station's or coordinate file's name under its root, at any window size.
    arbol_->setMinimumWidth(arbol_->fontMetrics().horizontalAdvance(QStringLiteral("RADIADOS.CRD")) +
                            2 * arbol_->indentation() + 40);
    arbol_->installEventFilter(this);  // the Delete key
    QPalette paleta = arbol_->palette();
    paleta.setColor(QPalette::Base, QColor(255, 255, 240));
    arbol_->setPalette(paleta);
    modeloArbol_ = new ModeloArbolGestor(*gestor_, this);
    arbol_->setModel(modeloArbol_);
    connect(arbol_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual) { alCambiarSeleccion(actual); });
    connect(arbol_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        // The node under the mouse becomes the selection, then its state's menu opens.
        const QModelIndex i = arbol_->indexAt(p);
        if (i.isValid() && i != arbol_->currentIndex()) arbol_->setCurrentIndex(i);
        mostrarMenuEmergente(arbol_->viewport()->mapToGlobal(p));
    });
    // A new label may change other texts; fetch them once the editor is gone.
    connect(modeloArbol_, &ModeloArbolGestor::renombrado, this, &VentanaGestor::sincronizar, Qt::QueuedConnection);

    construirLadoDerecho();
    auto* division = new QSplitter(Qt::Horizontal, this);
    division->addWidget(arbol_);
    division->addWidget(ladoDerecho_);
    division->setStretchFactor(0, 0);
    division->setStretchFactor(1, 1);
    division->setSizes({220, 900});
    division->setChildrenCollapsible(false);
    setCentralWidget(division);
    resize(1200, 760);
}

VentanaGestor::~VentanaGestor() {
    // The views read the core in place: let go of it before it goes.
    rejilla_->fijarFuente(nullptr);
    arbol_->setModel(nullptr);
    delete modeloArbol_;
    modeloArbol_ = nullptr;
}

QAction* VentanaGestor::accionDe(int id, const QString& texto) {
    if (QAction* a = acciones_.value(id, nullptr)) return a;
    auto* a = new QAction(texto, this);
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] { ejecutarComando(id); });
    acciones_.insert(id, a);
    return a;
}

void VentanaGestor::construirMenus() {
    std::function<void(QMenu*, const std::vector<EntradaMenu>&)> llenar = [&](QMenu* menu,
                                                                               const std::vector<EntradaMenu>& e) {
        for (const auto& entrada : e) {
            if (entrada.separador()) {
                menu->addSeparator();
            } else if (!entrada.submenu.empty()) {
                llenar(menu->addMenu(qs(entrada.texto)), entrada.submenu);
            } else {
                menu->addAction(accionDe(entrada.id, qs(entrada.texto)));
            }
        }
    };
    for (const auto& principal : menuPrincipal()) llenar(menuBar()->addMenu(qs(principal.texto)), principal.submenu);
    acciones_.value(32785)->setShortcut(QKeySequence::New);
    acciones_.value(32786)->setShortcut(QKeySequence::Open);
    acciones_.value(32787)->setShortcut(QKeySequence::Save);
    acciones_.value(32922)->setShortcut(QKeySequence::Refresh);

    for (int estado : {1, 2, 3, 5}) {
        const EntradaMenu& e = celvara::menuEmergente(estado);
        auto* menu = new QMenu(qs(e.texto), this);
        llenar(menu, e.submenu);
        emergentes_.insert(estado, menu);
    }
}

QMenu* VentanaGestor::menuEmergente(int estado) const { return emergentes_.value(estado, nullptr); }

void VentanaGestor::construirBarra() {
    auto* barra = addToolBar(QStringLiteral("Barra"));
    barra->setObjectName(QStringLiteral("barra203"));
    barra->setIconSize(QSize(16, 15));
    barra->setMovable(false);
    for (const auto& boton : barraHerramientas()) {
        if (boton.id == 0) {
            barra->addSeparator();
            continue;
        }
        // Toolbar buttons carry their own action: the same command as the
        // menu entry, with the tooltip of the string table.
        auto* a = new QAction(iconoComando(boton.id), qs(boton.consejo), this);
        a->setToolTip(qs(boton.consejo));
        a->setData(boton.id);
        const int id = boton.id;
        connect(a, &QAction::triggered, this, [this, id] { ejecutarComando(id); });
        acciones_.insert(id, a);
        barra->addAction(a);
    }
}

void VentanaGestor::construirLadoDerecho() {
    ladoDerecho_ = new QWidget(this);
    auto* capa = new QVBoxLayout(ladoDerecho_);
    capa->setContentsMargins(4, 0, 0, 0);
    rotulo_ = new QLabel(ladoDerecho_);
    rotulo_->setObjectName(QStringLiteral("rotulo"));
    rotulo_->setAlignment(Qt::AlignCenter);
    rotulo_->setFrameShape(QFrame::StyledPanel);
    QFont negrita = rotulo_->font();
    negrita.setBold(true);
    rotulo_->setFont(negrita);
    capa->addWidget(rotulo_);

    contenido_ = new QSplitter(Qt::Horizontal, ladoDerecho_);
    pila_ = new QStackedWidget(contenido_);
    paginaTabla_ = new QWidget(pila_);
    auto* capaTabla = new QVBoxLayout(paginaTabla_);
    capaTabla->setContentsMargins(0, 0, 0, 0);
    cabecera_ = new CabeceraEstacionamientoQt(paginaTabla_);
    rejilla_ = new CRejilla(paginaTabla_);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->fijarFuente(&gestor_->rejilla());
    rejilla_->permitirInsertarBorrar(true);
    capaTabla->addWidget(cabecera_);
    capaTabla->addWidget(rejilla_, 1);
    panelEstacion_ = new PanelEstacionQt(pila_);
    pila_->addWidget(paginaTabla_);
    pila_->addWidget(panelEstacion_);

    panelDibujo_ = new QWidget(contenido_);
    auto* capaDibujo = new QVBoxLayout(panelDibujo_);
    capaDibujo->setContentsMargins(0, 0, 0, 0);
    dibujo_ = new PanelDibujo(panelDibujo_);
    capaDibujo->addWidget(dibujo_, 1);
    // Two by two, so that the drawing leaves room for the grid on a 1024-pixel screen.
    auto* filaCasillas = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        casillas_[i] = new QCheckBox(QString::fromUtf8(kTitulosVista[i]), panelDibujo_);
        const VistaDibujo v = kVistas[i];
        connect(casillas_[i], &QCheckBox::toggled, this, [this, v](bool activa) {
            if (sincronizando_) return;
            gestor_->cambiarVista(v, activa);
            sincronizar();
        });
        filaCasillas->addWidget(casillas_[i], i / 2, i % 2);
    }
    filaCasillas->setColumnStretch(2, 1);
    capaDibujo->addLayout(filaCasillas);
    contenido_->addWidget(pila_);
    contenido_->addWidget(panelDibujo_);
    contenido_->setStretchFactor(0, 3);
    contenido_->setStretchFactor(1, 2);
    capa->addWidget(contenido_, 1);

    // The grid.
    connect(rejilla_, &CRejilla::filaActualCambiada, this, [this](int fila) {
        if (!sincronizando_ && fila >= 0) gestor_->fijarFilaActual(static_cast<std::size_t>(fila));
    });
    connect(rejilla_, &CRejilla::celdaEditada, this, [this](int, int) { sincronizar(); });
    connect(rejilla_, &CRejilla::insertarFilaPedida, this, [this](int fila) {
        gestor_->insertarFila(static_cast<std::size_t>(fila));
        sincronizar();
    });
    connect(rejilla_, &CRejilla::borrarFilaPedida, this, [this](int fila) {
        gestor_->borrarFila(static_cast<std::size_t>(fila));
        sincronizar();
    });
    connect(rejilla_, &CRejilla::menuContextualPedido, this, &VentanaGestor::mostrarMenuEmergente);

    // The station detail: every keystroke goes to the core's copy of the pane.
    PanelEstacionQt* p = panelEstacion_;
    auto enlazar = [this](QLineEdit* e, std::string PanelEstacion::*campo) {
        connect(e, &QLineEdit::textEdited, this,
                [this, campo](const QString& t) { gestor_->panelEstacion().*campo = utf8(t); });
    };
    enlazar(p->x, &PanelEstacion::x);
    enlazar(p->y, &PanelEstacion::y);
    enlazar(p->z, &PanelEstacion::z);
    enlazar(p->descripcion1, &PanelEstacion::descripcion1);
    enlazar(p->descripcion2, &PanelEstacion::descripcion2);
    connect(p->croquis, &QPlainTextEdit::textChanged, this, [this] {
        if (!sincronizando_) gestor_->panelEstacion().croquis = utf8(panelEstacion_->croquis->toPlainText());
    });
    connect(p->tipo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!sincronizando_ && i >= 0) gestor_->panelEstacion().tipo = i;
    });
    connect(p->pestanas, &QTabBar::currentChanged, this, [this](int i) {
        if (sincronizando_) return;
        gestor_->cambiarPestana(i);
        sincronizar();
    });
    p->imagen->installEventFilter(this);
    connect(p->elegirImagen, &QPushButton::clicked, this, [this] {
        gestor_->elegirImagen();
        sincronizar();
    });

    // The set-up header; the orientation correction is stored at each keystroke.
    connect(cabecera_->altura, &QLineEdit::textEdited, this,
            [this](const QString& t) { gestor_->panelEstacionamiento().altura = utf8(t); });
    connect(cabecera_->desorientacion, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (sincronizando_) return;
        gestor_->cambiarTextoDesorientacion(utf8(t));
        sincronizar();
    });
    connect(cabecera_->datos, &QPushButton::clicked, this, [this] { ejecutarAccion(Accion::DatosComplementarios); });
}

QCheckBox* VentanaGestor::casillaVista(VistaDibujo v) const {
    for (int i = 0; i < 4; ++i)
        if (kVistas[i] == v) return casillas_[i];
    return nullptr;
}

void VentanaGestor::iniciar(EntornoArranque& entorno, const std::string& libreta) {
    gestor_->iniciar(entorno, libreta);
    sincronizar();

    bool segundos = false;
    const int s = qEnvironmentVariableIntValue("CELVARA_RECUPERACION_SEGUNDOS", &segundos);
    const int ms = segundos && s > 0 ? s * 1000 : gestor_->recuperacion().minutos() * 60000;
    if (ms <= 0) return;
    if (!autoguardado_) {
        autoguardado_ = new QTimer(this);
        connect(autoguardado_, &QTimer::timeout, this, [this] {
            // A window or message open over this one may be in the middle of
            // a command: the copy waits for the next tick.
            if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
            if (gestor_->autoguardar()) actualizarEdicion();
        });
    }
    autoguardado_->start(ms);
}

// ---------------------------------------------------------------- synchronisation

void VentanaGestor::sincronizar() {
    if (sincronizando_) return;
    const QScopedValueRollback<bool> guarda(sincronizando_, true);
    const Revisiones& r = gestor_->revisiones();
    setWindowTitle(qs(gestor_->titulo()));

    if (primeraVez_ || r.arbol != vistas_.arbol) recargarArbol();
    seleccionarEnArbol();
    const bool estadoNuevo = estadoMostrado_ != gestor_->estado();
    if (estadoNuevo) mostrarEstado();
    if (primeraVez_ || estadoNuevo || r.paneles != vistas_.paneles) llenarPaneles();
    if (primeraVez_ || r.rejilla != vistas_.rejilla) recargarRejilla();
    else rejilla_->refrescar();
    if (primeraVez_ || r.dibujo != vistas_.dibujo || modoMostrado_ != gestor_->modoDibujo() ||
        r.libreta != vistas_.libreta) {
        const bool ajustar = modoMostrado_ != gestor_->modoDibujo() || r.libreta != vistas_.libreta;
        modoMostrado_ = gestor_->modoDibujo();
        actualizarDibujo(ajustar);
    }
    if (gestor_->tomarPeticionFocoRejilla()) rejilla_->vista()->setFocus();
    actualizarEdicion();
    vistas_ = r;
    primeraVez_ = false;
}

void VentanaGestor::recargarArbol() {
    // Keep open the stations the user had open.
    std::vector<const Estacion*> abiertas;
    if (!primeraVez_) {
        const QModelIndex raiz = modeloArbol_->raizEstaciones();
        for (int i = 0; i < modeloArbol_->rowCount(raiz); ++i) {
            const QModelIndex n = modeloArbol_->index(i, 0, raiz);
            if (arbol_->isExpanded(n)) abiertas.push_back(modeloArbol_->nodo(n).estacion);
        }
    }
    modeloArbol_->recargar();
    arbol_->expand(modeloArbol_->raizEstaciones());
    arbol_->expand(modeloArbol_->raizCoordenadas());
    for (const Estacion* e : abiertas)
        arbol_->expand(modeloArbol_->indice(NodoArbol::deEstacion(const_cast<Estacion*>(e))));
}

void VentanaGestor::seleccionarEnArbol() {
    const NodoArbol& n = gestor_->seleccion();
    if (modeloArbol_->nodo(arbol_->currentIndex()) == n) return;
    const QModelIndex i = modeloArbol_->indice(n);
    arbol_->setCurrentIndex(i);
    if (i.isValid()) arbol_->scrollTo(i);
}

void VentanaGestor::mostrarEstado() {
    const EstadoSeleccion e = gestor_->estado();
    estadoMostrado_ = e;
    const bool tabla = e == EstadoSeleccion::Estaciones || e == EstadoSeleccion::Estacionamiento ||
                       e == EstadoSeleccion::FicheroCoordenadas;
    pila_->setVisible(e != EstadoSeleccion::Coordenadas);
    pila_->setCurrentWidget(tabla ? paginaTabla_ : static_cast<QWidget*>(panelEstacion_));
    cabecera_->setVisible(e == EstadoSeleccion::Estacionamiento);
    panelDibujo_->setVisible(e == EstadoSeleccion::Estacionamiento || e == EstadoSeleccion::Coordenadas ||
                             e == EstadoSeleccion::FicheroCoordenadas);
    const CDatosGenerales& a = gestor_->ajustes();
    rejilla_->fijarColorFondo(colorDe(e == EstadoSeleccion::FicheroCoordenadas ? a.colorTablaCoordenadas
                                                                                : a.colorTablaObservaciones));
    rejilla_->fijarSoloLectura(e == EstadoSeleccion::FicheroCoordenadas);
}

void VentanaGestor::llenarPaneles() {
    rotulo_->setText(qs(gestor_->rotulo()));
    if (gestor_->estado() == EstadoSeleccion::Estacion) {
        const PanelEstacion& d = gestor_->panelEstacion();
        PanelEstacionQt* p = panelEstacion_;
        poner(p->nombre, d.nombre);
        poner(p->x, d.x);
        poner(p->y, d.y);
        poner(p->z, d.z);
        poner(p->descripcion1, d.descripcion1);
        poner(p->descripcion2, d.descripcion2);
        if (p->croquis->toPlainText() != qs(d.croquis)) p->croquis->setPlainText(qs(d.croquis));
        p->tipo->setCurrentIndex(std::clamp(d.tipo, 0, 2));
        p->pestanas->setCurrentIndex(gestor_->pestanaImagen());
        mostrarImagen();
    }
    if (gestor_->estado() == EstadoSeleccion::Estacionamiento) {
        const PanelEstacionamiento& d = gestor_->panelEstacionamiento();
        poner(cabecera_->nombre, d.nombre);
        poner(cabecera_->estacion, d.estacion);
        poner(cabecera_->altura, d.altura);
        poner(cabecera_->desorientacion, d.desorientacion);
    }
}

void VentanaGestor::mostrarImagen() {
    const auto ruta = mapa_.aAnfitrion(gestor_->rutaImagen());
    QPixmap imagen(QString::fromStdString(ruta.string()));
    QLabel* l = panelEstacion_->imagen;
    if (imagen.isNull()) {
        l->setPixmap(QPixmap());
        return;
    }
    l->setPixmap(imagen.scaled(l->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void VentanaGestor::recargarRejilla() {
    rejilla_->recargar();
    rejilla_->irAFila(static_cast<int>(gestor_->filaActual()));
}

EntradasDibujo VentanaGestor::entradasDibujo(bool todo) const {
    EntradasDibujo d;
    const CGestorObservaciones& g = *gestor_;
    d.estaciones = &g.libreta().estaciones;
    d.puntos = &g.puntos();
    d.estacionamiento = g.estacionamientoActual();
    d.verEstaciones = g.vista(VistaDibujo::Estaciones);
    d.verPuntos = g.vista(VistaDibujo::Puntos);
    d.verVisuales = g.vista(VistaDibujo::Visuales);
    d.verNumeros = g.vista(VistaDibujo::Numeros);
    d.modo = static_cast<int>(todo ? ModoDibujo::Proyecto : g.modoDibujo());
    return d;
}

void VentanaGestor::actualizarDibujo(bool ajustar) {
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker bloqueo(casillas_[i]);
        casillas_[i]->setChecked(gestor_->vista(kVistas[i]));
    }
    if (panelDibujo_->isVisible() || ajustar) dibujo_->fijarEntradas(entradasDibujo(false), ajustar);
}

// ---------------------------------------------------------------- events

void VentanaGestor::alCambiarSeleccion(const QModelIndex& actual) {
    if (sincronizando_) return;
    gestor_->seleccionar(modeloArbol_->nodo(actual));
    sincronizar();
}

void VentanaGestor::mostrarMenuEmergente(const QPoint& global) {
    QMenu* menu = menuEmergente(static_cast<int>(gestor_->estado()));
    if (menu) menu->popup(global);
}

void VentanaGestor::closeEvent(QCloseEvent* e) {
    if (gestor_->salir()) {
        // The book is gone: nothing may read its old rows any more.
        modeloArbol_->recargar();
        rejilla_->recargar();
        e->accept();
    } else {
        e->ignore();
        sincronizar();
    }
}

void VentanaGestor::mouseDoubleClickEvent(QMouseEvent*) { ejecutarAccion(Accion::Actualizar); }

bool VentanaGestor::eventFilter(QObject* objeto, QEvent* e) {
    // Delete on a station or set-up of the tree deletes it (after asking).
    if (objeto == arbol_ && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        const TipoNodo tipo = gestor_->seleccion().tipo;
        if (tipo == TipoNodo::Estacion) ejecutarAccion(Accion::BorrarEstacion);
        else if (tipo == TipoNodo::Estacionamiento) ejecutarAccion(Accion::BorrarEstacionamiento);
        else return QMainWindow::eventFilter(objeto, e);
        return true;
    }
    // The photograph or sketch follows the size of its frame.
    if (panelEstacion_ && objeto == panelEstacion_->imagen && e->type() == QEvent::Resize &&
        gestor_->estado() == EstadoSeleccion::Estacion)
        mostrarImagen();
    return QMainWindow::eventFilter(objeto, e);
}

}  // namespace celvara::ui
