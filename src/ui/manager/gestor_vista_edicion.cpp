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

#include <QMainWindow>

#include "ui/manager/gestor_vista.h"

namespace celvara::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString textoPaso(const char* verbo, std::string_view nombre) {
    return nombre.empty() ? QString::fromUtf8(verbo) : QString::fromUtf8(verbo) + QLatin1Char(' ') + qs(nombre);
}

}  // namespace

void VistaGestor::construirEdicion() {
    QMainWindow& v = ventana_;
    auto* menu = new QMenu(QStringLiteral("Edición"), &v);
    menu->setObjectName(QStringLiteral("menuEdicion"));
    const auto principales = v.menuBar()->actions();
    v.menuBar()->insertMenu(principales.size() > 1 ? principales[1] : nullptr, menu);

    QAction* deshacer = accionDe(Comando::Deshacer, Accion::Deshacer, QStringLiteral("Deshacer"));
    deshacer->setIcon(v.style()->standardIcon(QStyle::SP_ArrowBack));
    deshacer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* rehacer = accionDe(Comando::Rehacer, Accion::Rehacer, QStringLiteral("Rehacer"));
    rehacer->setIcon(v.style()->standardIcon(QStyle::SP_ArrowForward));
    rehacer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu->addAction(deshacer);
    menu->addAction(rehacer);
    menu->addSeparator();

    auto* dock = new QDockWidget(QStringLiteral("Historial"), &v);
    dock->setObjectName(QStringLiteral("historial"));
    listaHistorial_ = new QListWidget(dock);
    listaHistorial_->setObjectName(QStringLiteral("listaHistorial"));
    dock->setWidget(listaHistorial_);
    // Below the grid: beside the tree it would widen the window past a 1024-pixel screen.
    v.addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    QAction* verHistorial = dock->toggleViewAction();
    verHistorial->setText(QStringLiteral("Historial de cambios"));
    menu->addAction(verHistorial);
    // Row 0 is the book as opened; row i is the book after step i.
    connect(listaHistorial_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto destino = static_cast<std::size_t>(listaHistorial_->row(item));
        const CHistorial& h = gestor_.documento().historial();
        while (h.posicion() > destino && h.puedeDeshacer()) gestor_.deshacer();
        while (h.posicion() < destino && h.puedeRehacer()) gestor_.rehacer();
        sincronizar();
    });

    if (auto* barra = v.findChild<QToolBar*>(QStringLiteral("barra203"))) {
        barra->addSeparator();
        barra->addAction(deshacer);
        barra->addAction(rehacer);
    }
}

void VistaGestor::actualizarEdicion() {
    const CHistorial& h = gestor_.documento().historial();
    QAction* deshacer = acciones_.value(Comando::Deshacer);
    QAction* rehacer = acciones_.value(Comando::Rehacer);
    if (!deshacer || !rehacer || !listaHistorial_) return;
    deshacer->setText(textoPaso("Deshacer", h.nombreDeshacer()));
    deshacer->setToolTip(deshacer->text());
    rehacer->setText(textoPaso("Rehacer", h.nombreRehacer()));
    rehacer->setToolTip(rehacer->text());
    // What is typed in a pane becomes a step when undone: undo is on once something is typed.
    deshacer->setEnabled(h.puedeDeshacer() || seleccion_.panelPendiente());
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
        item->setForeground(static_cast<std::size_t>(i) <= h.posicion() ? ventana_.palette().text() : ventana_.palette().mid());
        if (static_cast<std::size_t>(i) <= h.tamano()) item->setText(qs(h.nombre(static_cast<std::size_t>(i) - 1)));
    }
    listaHistorial_->setCurrentRow(static_cast<int>(h.posicion()));
}

}  // namespace celvara::ui
