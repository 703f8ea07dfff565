// The "Edición" menu of the main window: "Deshacer" and "Rehacer" naming the
// step they run, their toolbar buttons and the history list, a dock where a
// click on a step takes the book back or forward to just after it.
#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "ui/manager/gestor_ventana.h"

namespace celvara::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString textoPaso(const char* verbo, std::string_view nombre) {
    return nombre.empty() ? QString::fromUtf8(verbo) : QString::fromUtf8(verbo) + QLatin1Char(' ') + qs(nombre);
}

}  // namespace

void VentanaGestor::construirEdicion() {
    auto* menu = new QMenu(QStringLiteral("Edición"), this);
    menu->setObjectName(QStringLiteral("menuEdicion"));
    const auto principales = menuBar()->actions();
    menuBar()->insertMenu(principales.size() > 1 ? principales[1] : nullptr, menu);

    auto* deshacer = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Deshacer"), this);
    deshacer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    connect(deshacer, &QAction::triggered, this, [this] { ejecutarAccion(Accion::Deshacer); });
    auto* rehacer = new QAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Rehacer"), this);
    rehacer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(rehacer, &QAction::triggered, this, [this] { ejecutarAccion(Accion::Rehacer); });
    acciones_.insert(kComandoDeshacer, deshacer);
    acciones_.insert(kComandoRehacer, rehacer);
    menu->addAction(deshacer);
    menu->addAction(rehacer);
    menu->addSeparator();

    auto* dock = new QDockWidget(QStringLiteral("Historial"), this);
    dock->setObjectName(QStringLiteral("historial"));
    listaHistorial_ = new QListWidget(dock);
    listaHistorial_->setObjectName(QStringLiteral("listaHistorial"));
    dock->setWidget(listaHistorial_);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->hide();
    QAction* verHistorial = dock->toggleViewAction();
    verHistorial->setText(QStringLiteral("Historial de cambios"));
    menu->addAction(verHistorial);
    // Row 0 is the book as opened; row i is the book after step i.
    connect(listaHistorial_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto destino = static_cast<std::size_t>(listaHistorial_->row(item));
        const CHistorial& h = gestor_->historial();
        while (h.posicion() > destino && h.puedeDeshacer()) gestor_->deshacer();
        while (h.posicion() < destino && h.puedeRehacer()) gestor_->rehacer();
        sincronizar();
    });

    if (auto* barra = findChild<QToolBar*>(QStringLiteral("barra203"))) {
        barra->addSeparator();
        barra->addAction(deshacer);
        barra->addAction(rehacer);
    }
}

void VentanaGestor::actualizarEdicion() {
    const CHistorial& h = gestor_->historial();
    QAction* deshacer = acciones_.value(kComandoDeshacer);
    QAction* rehacer = acciones_.value(kComandoRehacer);
    if (!deshacer || !rehacer || !listaHistorial_) return;
    deshacer->setText(textoPaso("Deshacer", h.nombreDeshacer()));
    deshacer->setToolTip(deshacer->text());
    rehacer->setText(textoPaso("Rehacer", h.nombreRehacer()));
    rehacer->setToolTip(rehacer->text());
    // What is typed in a pane becomes a step when undone, so undo stays on there.
    const bool panel = gestor_->estado() == EstadoSeleccion::Estacion ||
                       gestor_->estado() == EstadoSeleccion::Estacionamiento;
    deshacer->setEnabled(h.puedeDeshacer() || panel);
    rehacer->setEnabled(h.puedeRehacer());

    const int filas = static_cast<int>(h.tamano()) + 1;
    if (listaHistorial_->count() != filas) {
        listaHistorial_->clear();
        listaHistorial_->addItem(QStringLiteral("Libreta abierta"));
        for (std::size_t i = 0; i < h.tamano(); ++i) listaHistorial_->addItem(qs(h.nombre(i)));
    }
    // Steps undone stay listed, greyed, until a new change drops them.
    for (int i = 1; i < filas; ++i) {
        QListWidgetItem* item = listaHistorial_->item(i);
        item->setForeground(static_cast<std::size_t>(i) <= h.posicion() ? palette().text() : palette().mid());
        if (static_cast<std::size_t>(i) <= h.tamano()) item->setText(qs(h.nombre(static_cast<std::size_t>(i) - 1)));
    }
    listaHistorial_->setCurrentRow(static_cast<int>(h.posicion()));
}

}  // namespace celvara::ui
