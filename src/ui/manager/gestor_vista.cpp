#include "ui/manager/gestor_vista.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
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
#include <algorithm>

#include "ui/dibujo/panel_dibujo.h"
#include "ui/manager/gestor_arbol_modelo.h"
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

VistaGestor::VistaGestor(QMainWindow& ventana, CGestorObservaciones& gestor, const MapaRutas& mapa,
                         std::function<void(Accion)> ejecutar)
    : QObject(&ventana),
      ventana_(ventana),
      gestor_(gestor),
      seleccion_(gestor.seleccionGestor()),
      mapa_(mapa),
      ejecutar_(std::move(ejecutar)) {
    construirMenus();
    construirBarra();
    construirEdicion();
    construirArbol();
    auto* division = new QSplitter(Qt::Horizontal, &ventana_);
    division->addWidget(arbol_);
    division->addWidget(construirLadoDerecho());
    division->setStretchFactor(0, 0);
    division->setStretchFactor(1, 1);
    division->setSizes({220, 900});
    division->setChildrenCollapsible(false);
    ventana_.setCentralWidget(division);
    conectarRejilla();
    conectarPaneles();
}

VistaGestor::~VistaGestor() {
    // The views read the core in place: let go of it before it goes.
    rejilla_->fijarFuente(nullptr);
    arbol_->setModel(nullptr);
    delete modeloArbol_;
    modeloArbol_ = nullptr;
}

// ---------------------------------------------------------------- construction

QAction* VistaGestor::accionDe(Comando id, Accion accion, const QString& texto) {
    if (QAction* a = acciones_.value(id, nullptr)) return a;
    auto* a = new QAction(texto, &ventana_);
    a->setData(static_cast<int>(id));
    connect(a, &QAction::triggered, this, [this, accion] { ejecutar_(accion); });
    acciones_.insert(id, a);
    return a;
}

void VistaGestor::construirMenus() {
    std::function<void(QMenu*, const std::vector<EntradaMenu>&)> llenar = [&](QMenu* menu,
                                                                               const std::vector<EntradaMenu>& e) {
        for (const auto& entrada : e) {
            if (entrada.separador()) {
                menu->addSeparator();
            } else if (!entrada.submenu.empty()) {
                llenar(menu->addMenu(qs(entrada.texto)), entrada.submenu);
            } else {
                menu->addAction(accionDe(entrada.id, entrada.accion, qs(entrada.texto)));
            }
        }
    };
    QMenuBar* barra = ventana_.menuBar();
    for (const auto& principal : menuPrincipal()) llenar(barra->addMenu(qs(principal.texto)), principal.submenu);
    acciones_.value(Comando::Nuevo)->setShortcut(QKeySequence::New);
    acciones_.value(Comando::Abrir)->setShortcut(QKeySequence::Open);
    acciones_.value(Comando::Grabar)->setShortcut(QKeySequence::Save);
    acciones_.value(Comando::Actualizar)->setShortcut(QKeySequence::Refresh);
    // F1 is shown here but served for every window by the manual's own filter
    // (the page of the window with the focus); the entry opens the contents.
    acciones_.value(Comando::ManualCelvara)->setShortcut(QKeySequence(Qt::Key_F1));
    acciones_.value(Comando::ManualCelvara)->setShortcutContext(Qt::WidgetShortcut);

    for (int estado : {1, 2, 3, 5}) {
        const EntradaMenu& e = celvara::menuEmergente(estado);
        auto* menu = new QMenu(qs(e.texto), &ventana_);
        llenar(menu, e.submenu);
        emergentes_.insert(estado, menu);
    }
}

void VistaGestor::construirBarra() {
    auto* barra = ventana_.addToolBar(QStringLiteral("Barra"));
    barra->setObjectName(QStringLiteral("barra203"));
    barra->setIconSize(QSize(16, 15));
    barra->setMovable(false);
    for (const auto& boton : barraHerramientas()) {
        if (boton.id == Comando::Ninguno) {
            barra->addSeparator();
            continue;
        }
        // Toolbar buttons carry their own action: the same command as the
        // menu entry, with the tooltip of the string table.
        QAction* a = accionDe(boton.id, boton.accion, qs(boton.consejo));
        a->setIcon(iconoComando(boton.id));
        a->setToolTip(qs(boton.consejo));
        barra->addAction(a);
    }
}

void VistaGestor::construirArbol() {
    arbol_ = new QTreeView(&ventana_);
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
    modeloArbol_ = new ModeloArbolGestor(gestor_, this);
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
    connect(modeloArbol_, &ModeloArbolGestor::renombrado, this, &VistaGestor::sincronizar, Qt::QueuedConnection);
}

QWidget* VistaGestor::construirLadoDerecho() {
    auto* lado = new QWidget(&ventana_);
    auto* capa = new QVBoxLayout(lado);
    capa->setContentsMargins(4, 0, 0, 0);
    rotulo_ = new QLabel(lado);
    rotulo_->setObjectName(QStringLiteral("rotulo"));
    rotulo_->setAlignment(Qt::AlignCenter);
    rotulo_->setFrameShape(QFrame::StyledPanel);
    QFont negrita = rotulo_->font();
    negrita.setBold(true);
    rotulo_->setFont(negrita);
    capa->addWidget(rotulo_);

    auto* contenido = new QSplitter(Qt::Horizontal, lado);
    pila_ = new QStackedWidget(contenido);
    paginaTabla_ = new QWidget(pila_);
    auto* capaTabla = new QVBoxLayout(paginaTabla_);
    capaTabla->setContentsMargins(0, 0, 0, 0);
    cabecera_ = new CabeceraEstacionamientoQt(paginaTabla_);
    rejilla_ = new CRejilla(paginaTabla_);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->fijarFuente(&gestor_.rejilla());
    rejilla_->permitirInsertarBorrar(true);
    capaTabla->addWidget(cabecera_);
    capaTabla->addWidget(rejilla_, 1);
    panelEstacion_ = new PanelEstacionQt(pila_);
    pila_->addWidget(paginaTabla_);
    pila_->addWidget(panelEstacion_);

    contenido->addWidget(pila_);
    contenido->addWidget(construirDibujo(contenido));
    contenido->setStretchFactor(0, 3);
    contenido->setStretchFactor(1, 2);
    capa->addWidget(contenido, 1);
    return lado;
}

// The drawing with its four view boxes, two by two, so that it leaves room
// for the grid on a 1024-pixel screen.
QWidget* VistaGestor::construirDibujo(QWidget* padre) {
    panelDibujo_ = new QWidget(padre);
    auto* capaDibujo = new QVBoxLayout(panelDibujo_);
    capaDibujo->setContentsMargins(0, 0, 0, 0);
    dibujo_ = new PanelDibujo(panelDibujo_);
    capaDibujo->addWidget(dibujo_, 1);
    auto* filaCasillas = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        casillas_[i] = new QCheckBox(QString::fromUtf8(kTitulosVista[i]), panelDibujo_);
        const VistaDibujo v = kVistas[i];
        connect(casillas_[i], &QCheckBox::toggled, this, [this, v](bool activa) {
            if (sincronizando_) return;
            seleccion_.cambiarVista(v, activa);
            sincronizar();
        });
        filaCasillas->addWidget(casillas_[i], i / 2, i % 2);
    }
    filaCasillas->setColumnStretch(2, 1);
    capaDibujo->addLayout(filaCasillas);
    return panelDibujo_;
}

void VistaGestor::conectarRejilla() {
    CEdicionesGestor& ediciones = gestor_.ediciones();
    connect(rejilla_, &CRejilla::filaActualCambiada, this, [this](int fila) {
        if (!sincronizando_ && fila >= 0) seleccion_.fijarFilaActual(static_cast<std::size_t>(fila));
    });
    connect(rejilla_, &CRejilla::celdaEditada, this, [this](int, int) { sincronizar(); });
    connect(rejilla_, &CRejilla::insertarFilaPedida, this, [this, &ediciones](int fila) {
        ediciones.insertarFila(static_cast<std::size_t>(fila));
        sincronizar();
    });
    connect(rejilla_, &CRejilla::borrarFilaPedida, this, [this, &ediciones](int fila) {
        ediciones.borrarFila(static_cast<std::size_t>(fila));
        sincronizar();
    });
    connect(rejilla_, &CRejilla::menuContextualPedido, this, &VistaGestor::mostrarMenuEmergente);
}

// Every keystroke of the station detail goes to the core's copy of the
// pane; the orientation correction of the set-up header is stored at each one.
void VistaGestor::conectarPaneles() {
    PanelEstacionQt* p = panelEstacion_;
    auto enlazar = [this](QLineEdit* e, std::string PanelEstacion::*campo) {
        connect(e, &QLineEdit::textEdited, this, [this, campo](const QString& t) {
            seleccion_.panelEstacion().*campo = utf8(t);
            actualizarEdicion();
        });
    };
    enlazar(p->x, &PanelEstacion::x);
    enlazar(p->y, &PanelEstacion::y);
    enlazar(p->z, &PanelEstacion::z);
    enlazar(p->descripcion1, &PanelEstacion::descripcion1);
    enlazar(p->descripcion2, &PanelEstacion::descripcion2);
    connect(p->croquis, &QPlainTextEdit::textChanged, this, [this] {
        if (sincronizando_) return;
        seleccion_.panelEstacion().croquis = utf8(panelEstacion_->croquis->toPlainText());
        actualizarEdicion();
    });
    connect(p->tipo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (sincronizando_ || i < 0) return;
        seleccion_.panelEstacion().tipo = i;
        actualizarEdicion();
    });
    connect(p->pestanas, &QTabBar::currentChanged, this, [this](int i) {
        if (sincronizando_) return;
        seleccion_.cambiarPestana(i);
        sincronizar();
    });
    p->imagen->installEventFilter(this);
    connect(p->elegirImagen, &QPushButton::clicked, this, [this] {
        gestor_.ediciones().elegirImagen();
        sincronizar();
    });

    connect(cabecera_->altura, &QLineEdit::textEdited, this, [this](const QString& t) {
        seleccion_.panelEstacionamiento().altura = utf8(t);
        actualizarEdicion();
    });
    connect(cabecera_->desorientacion, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (sincronizando_) return;
        seleccion_.cambiarTextoDesorientacion(utf8(t));
        sincronizar();
    });
    connect(cabecera_->datos, &QPushButton::clicked, this, [this] { ejecutar_(Accion::DatosComplementarios); });
}

QCheckBox* VistaGestor::casillaVista(VistaDibujo v) const {
    for (int i = 0; i < 4; ++i)
        if (kVistas[i] == v) return casillas_[i];
    return nullptr;
}

void VistaGestor::iniciarAutoguardado(int ms) {
    if (!autoguardado_) {
        autoguardado_ = new QTimer(this);
        connect(autoguardado_, &QTimer::timeout, this, [this] {
            // A window or message open over this one may be in the middle of
            // a command: the copy waits for the next tick.
            if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
            if (gestor_.documento().autoguardar()) actualizarEdicion();
        });
    }
    autoguardado_->start(ms);
}

// ---------------------------------------------------------------- synchronisation

void VistaGestor::sincronizar() {
    if (sincronizando_) return;
    const QScopedValueRollback<bool> guarda(sincronizando_, true);
    const Revisiones& r = seleccion_.revisiones();
    ventana_.setWindowTitle(qs(gestor_.documento().titulo()));
    // What the last command did stays in the status bar for a while.
    if (const std::string nota = gestor_.documento().tomarNota(); !nota.empty())
        ventana_.statusBar()->showMessage(qs(nota), 20000);

    if (primeraVez_ || r.arbol != vistas_.arbol) recargarArbol();
    seleccionarEnArbol();
    const bool estadoNuevo = estadoMostrado_ != seleccion_.estado();
    if (estadoNuevo) mostrarEstado();
    if (primeraVez_ || estadoNuevo || r.paneles != vistas_.paneles) llenarPaneles();
    if (primeraVez_ || r.rejilla != vistas_.rejilla) recargarRejilla();
    else rejilla_->refrescar();
    if (primeraVez_ || r.dibujo != vistas_.dibujo || modoMostrado_ != seleccion_.modoDibujo() ||
        r.libreta != vistas_.libreta) {
        const bool ajustar = modoMostrado_ != seleccion_.modoDibujo() || r.libreta != vistas_.libreta;
        modoMostrado_ = seleccion_.modoDibujo();
        actualizarDibujo(ajustar);
    }
    if (seleccion_.tomarPeticionFocoRejilla()) rejilla_->vista()->setFocus();
    actualizarEdicion();
    vistas_ = r;
    primeraVez_ = false;
}

void VistaGestor::soltarLibreta() {
    modeloArbol_->recargar();
    rejilla_->recargar();
}

void VistaGestor::recargarArbol() {
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

void VistaGestor::seleccionarEnArbol() {
    const NodoArbol& n = seleccion_.nodo();
    if (modeloArbol_->nodo(arbol_->currentIndex()) == n) return;
    const QModelIndex i = modeloArbol_->indice(n);
    arbol_->setCurrentIndex(i);
    if (i.isValid()) arbol_->scrollTo(i);
}

void VistaGestor::mostrarEstado() {
    const EstadoSeleccion e = seleccion_.estado();
    estadoMostrado_ = e;
    const bool tabla = e == EstadoSeleccion::Estaciones || e == EstadoSeleccion::Estacionamiento ||
                       e == EstadoSeleccion::FicheroCoordenadas;
    pila_->setVisible(e != EstadoSeleccion::Coordenadas);
    QWidget* visible = tabla ? paginaTabla_ : static_cast<QWidget*>(panelEstacion_);
    // Only the page shown counts for the window's minimum width: the set-up's
    // grid beside the drawing fits a 1024-pixel screen.
    for (QWidget* pagina : {paginaTabla_, static_cast<QWidget*>(panelEstacion_)})
        pagina->setSizePolicy(pagina == visible ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                              pagina == visible ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    pila_->setCurrentWidget(visible);
    cabecera_->setVisible(e == EstadoSeleccion::Estacionamiento);
    panelDibujo_->setVisible(e == EstadoSeleccion::Estacionamiento || e == EstadoSeleccion::Coordenadas ||
                             e == EstadoSeleccion::FicheroCoordenadas);
    const CDatosGenerales& a = gestor_.ajustes();
    rejilla_->fijarColorFondo(colorDe(e == EstadoSeleccion::FicheroCoordenadas ? a.colorTablaCoordenadas
                                                                                : a.colorTablaObservaciones));
    rejilla_->fijarSoloLectura(e == EstadoSeleccion::FicheroCoordenadas);
}

void VistaGestor::llenarPaneles() {
    rotulo_->setText(qs(seleccion_.rotulo()));
    if (seleccion_.estado() == EstadoSeleccion::Estacion) {
        const PanelEstacion& d = seleccion_.panelEstacion();
        PanelEstacionQt* p = panelEstacion_;
        poner(p->nombre, d.nombre);
        poner(p->x, d.x);
        poner(p->y, d.y);
        poner(p->z, d.z);
        poner(p->descripcion1, d.descripcion1);
        poner(p->descripcion2, d.descripcion2);
        if (p->croquis->toPlainText() != qs(d.croquis)) p->croquis->setPlainText(qs(d.croquis));
        p->tipo->setCurrentIndex(std::clamp(d.tipo, 0, 2));
        p->pestanas->setCurrentIndex(seleccion_.pestanaImagen());
        mostrarImagen();
    }
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento) {
        const PanelEstacionamiento& d = seleccion_.panelEstacionamiento();
        poner(cabecera_->nombre, d.nombre);
        poner(cabecera_->estacion, d.estacion);
        poner(cabecera_->altura, d.altura);
        poner(cabecera_->desorientacion, d.desorientacion);
    }
}

void VistaGestor::mostrarImagen() {
    const auto ruta = mapa_.aAnfitrion(rutaImagen(seleccion_.estacionActual(), seleccion_.pestanaImagen()));
    QPixmap imagen(QString::fromStdString(ruta.string()));
    QLabel* l = panelEstacion_->imagen;
    if (imagen.isNull()) {
        l->setPixmap(QPixmap());
        return;
    }
    l->setPixmap(imagen.scaled(l->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void VistaGestor::recargarRejilla() {
    rejilla_->recargar();
    rejilla_->irAFila(static_cast<int>(seleccion_.filaActual()));
}

EntradasDibujo VistaGestor::entradasDibujo(bool todo) const {
    EntradasDibujo d;
    const CSeleccionGestor& s = seleccion_;
    d.estaciones = &gestor_.libreta().estaciones;
    d.puntos = &s.coordenadas().puntos();
    d.estacionamiento = s.estacionamientoActual();
    d.verEstaciones = s.vista(VistaDibujo::Estaciones);
    d.verPuntos = s.vista(VistaDibujo::Puntos);
    d.verVisuales = s.vista(VistaDibujo::Visuales);
    d.verNumeros = s.vista(VistaDibujo::Numeros);
    d.modo = static_cast<int>(todo ? ModoDibujo::Proyecto : s.modoDibujo());
    return d;
}

void VistaGestor::actualizarDibujo(bool ajustar) {
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker bloqueo(casillas_[i]);
        casillas_[i]->setChecked(seleccion_.vista(kVistas[i]));
    }
    if (panelDibujo_->isVisible() || ajustar) dibujo_->fijarEntradas(entradasDibujo(false), ajustar);
}

// ---------------------------------------------------------------- events

void VistaGestor::alCambiarSeleccion(const QModelIndex& actual) {
    if (sincronizando_) return;
    seleccion_.seleccionar(modeloArbol_->nodo(actual));
    sincronizar();
}

void VistaGestor::mostrarMenuEmergente(const QPoint& global) {
    QMenu* menu = menuEmergente(static_cast<int>(seleccion_.estado()));
    if (menu) menu->popup(global);
}

bool VistaGestor::eventFilter(QObject* objeto, QEvent* e) {
    // Delete on a station or set-up of the tree deletes it (after asking).
    if (objeto == arbol_ && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        const TipoNodo tipo = seleccion_.nodo().tipo;
        if (tipo == TipoNodo::Estacion) ejecutar_(Accion::BorrarEstacion);
        else if (tipo == TipoNodo::Estacionamiento) ejecutar_(Accion::BorrarEstacionamiento);
        else return QObject::eventFilter(objeto, e);
        return true;
    }
    // The photograph or sketch follows the size of its frame.
    if (panelEstacion_ && objeto == panelEstacion_->imagen && e->type() == QEvent::Resize &&
        seleccion_.estado() == EstadoSeleccion::Estacion)
        mostrarImagen();
    return QObject::eventFilter(objeto, e);
}

}  // namespace celvara::ui
