// What the main window shows: menu 140 and the "Edición" menu, toolbar 203,
// the history dock, the tree of the field book on the left and, on the
// right, the grid, the station detail, the set-up header or the drawing, as
// the selection state asks. It builds those widgets on the window, hands
// every keystroke and request back to the core, and after each command
// fetches again what the revision counters say changed. Commands go back to
// the window through `ejecutar`.
#pragma once

#include <QMap>
#include <QObject>
#include <functional>

#include "fieldbook/rutas.h"
#include "manager/gestor_dibujo.h"
#include "manager/gestor_observaciones.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QModelIndex;
class QPoint;
class QSplitter;
class QStackedWidget;
class QTimer;
class QTreeView;
class QWidget;

namespace celvara::ui {

class CRejilla;
class PanelDibujo;
class PanelEstacionQt;
class CabeceraEstacionamientoQt;
class ModeloArbolGestor;

class VistaGestor : public QObject {
    Q_OBJECT
public:
    VistaGestor(QMainWindow& ventana, CGestorObservaciones& gestor, const MapaRutas& mapa,
                std::function<void(Accion)> ejecutar);
    ~VistaGestor() override;

    // Fetches from the core whatever changed since the last time.
    void sincronizar();
    // The book is gone: nothing may read its old rows any more.
    void soltarLibreta();
    // The autosave every `ms` milliseconds, waiting while a window or message is open.
    void iniciarAutoguardado(int ms);
    // The drawing inputs: the current mode, or the whole project (`todo`).
    EntradasDibujo entradasDibujo(bool todo) const;

    // The entries and widgets, for the window tests.
    QAction* accion(Comando id) const { return acciones_.value(id, nullptr); }
    // The pop-up menu of a selection state (nullptr for state 4).
    QMenu* menuEmergente(int estado) const { return emergentes_.value(estado, nullptr); }
    QTreeView* arbol() const { return arbol_; }
    ModeloArbolGestor* modeloArbol() const { return modeloArbol_; }
    CRejilla* rejilla() const { return rejilla_; }
    PanelDibujo* dibujo() const { return dibujo_; }
    PanelEstacionQt* panelEstacion() const { return panelEstacion_; }
    CabeceraEstacionamientoQt* cabecera() const { return cabecera_; }
    QLabel* rotulo() const { return rotulo_; }
    QCheckBox* casillaVista(VistaDibujo v) const;
    QTimer* temporizadorRecuperacion() const { return autoguardado_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    // Construction (gestor_vista.cpp).
    QAction* accionDe(Comando id, Accion accion, const QString& texto);
    void construirMenus();
    void construirBarra();
    void construirArbol();
    QWidget* construirLadoDerecho();
    QWidget* construirDibujo(QWidget* padre);
    void conectarRejilla();
    void conectarPaneles();
    // "Edición": undo, redo, the history list (gestor_vista_edicion.cpp).
    void construirEdicion();
    void actualizarEdicion();
    // Synchronisation.
    void recargarArbol();
    void seleccionarEnArbol();
    void mostrarEstado();
    void llenarPaneles();
    void mostrarImagen();
    void recargarRejilla();
    void actualizarDibujo(bool ajustar);
    // Events of the widgets.
    void alCambiarSeleccion(const QModelIndex& actual);
    void mostrarMenuEmergente(const QPoint& global);

    QMainWindow& ventana_;
    CGestorObservaciones& gestor_;
    CSeleccionGestor& seleccion_;
    const MapaRutas& mapa_;
    std::function<void(Accion)> ejecutar_;

    QMap<Comando, QAction*> acciones_;
    QMap<int, QMenu*> emergentes_;
    QTreeView* arbol_ = nullptr;
    ModeloArbolGestor* modeloArbol_ = nullptr;
    QLabel* rotulo_ = nullptr;
    QStackedWidget* pila_ = nullptr;
    QWidget* paginaTabla_ = nullptr;
    CabeceraEstacionamientoQt* cabecera_ = nullptr;
    CRejilla* rejilla_ = nullptr;
    PanelEstacionQt* panelEstacion_ = nullptr;
    QWidget* panelDibujo_ = nullptr;
    PanelDibujo* dibujo_ = nullptr;
    QCheckBox* casillas_[4] = {};
    QListWidget* listaHistorial_ = nullptr;
    QTimer* autoguardado_ = nullptr;

    bool sincronizando_ = false;
    Revisiones vistas_;
    bool primeraVez_ = true;
    EstadoSeleccion estadoMostrado_ = EstadoSeleccion::Ninguno;
    ModoDibujo modoMostrado_ = ModoDibujo::Ninguno;
};

}  // namespace celvara::ui
