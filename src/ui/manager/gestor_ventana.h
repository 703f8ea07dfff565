// CGestorObservaciones on screen: menu 140, toolbar 203, the tree of the
// field book on the left, and on the right the grid, the station detail,
// the set-up header or the drawing, as the selection state asks. Every
// command goes to the core object; after it the window fetches again what
// the revision counters say changed.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <memory>

#include "fieldbook/arranque.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_dibujo.h"
#include "manager/gestor_observaciones.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTimer;
class QTreeView;

namespace celvara::ui {

class CRejilla;
class PanelDibujo;
class PanelEstacionQt;
class CabeceraEstacionamientoQt;
class ModeloArbolGestor;
class DialogosGestorQt;

// What the window asks of its surroundings; anything left empty gets the
// Qt dialogs (tests pass recorders).
struct ServiciosGestor {
    Avisos* avisos = nullptr;
    DialogosGestor* dialogos = nullptr;
    MostradorInformes* mostrador = nullptr;
};

// Command numbers of "Deshacer" and "Rehacer" (not in the old menus).
inline constexpr int kComandoDeshacer = 57643;
inline constexpr int kComandoRehacer = 57644;

class VentanaGestor : public QMainWindow {
    Q_OBJECT
public:
    explicit VentanaGestor(const MapaRutas& mapa, ServiciosGestor servicios = {}, QWidget* padre = nullptr);
    ~VentanaGestor() override;

    // Start-up: working directory, settings, last file (or `libreta`, given on
    // the command line), a recovery copy offered, tree; then the autosave
    // runs every [Recuperacion] minutos= of celvara.ini, or every
    // $CELVARA_RECUPERACION_SEGUNDOS seconds when that is set (tests).
    void iniciar(EntornoArranque& entorno, const std::string& libreta = {});

    CGestorObservaciones& gestor() { return *gestor_; }
    const MapaRutas& mapa() const { return mapa_; }

    // Runs the action of a menu, toolbar or pop-up entry.
    void ejecutarComando(int id);
    void ejecutarAccion(Accion accion);
    QAction* accion(int id) const { return acciones_.value(id, nullptr); }
    // The pop-up menu of a selection state (nullptr for states 4 and 5).
    QMenu* menuEmergente(int estado) const;

    // Fetches from the core whatever changed since the last time.
    void sincronizar();

    // Widgets, for the window tests.
    QTreeView* arbol() const { return arbol_; }
    ModeloArbolGestor* modeloArbol() const { return modeloArbol_; }
    CRejilla* rejilla() const { return rejilla_; }
    PanelDibujo* dibujo() const { return dibujo_; }
    PanelEstacionQt* panelEstacion() const { return panelEstacion_; }
    CabeceraEstacionamientoQt* cabecera() const { return cabecera_; }
    QLabel* rotulo() const { return rotulo_; }
    QCheckBox* casillaVista(VistaDibujo v) const;
    QTimer* temporizadorRecuperacion() const { return autoguardado_; }
    // The Qt dialogs when none were injected (hooks to other windows go there).
    DialogosGestorQt* dialogosQt() const { return dialogosQt_.get(); }

protected:
    void closeEvent(QCloseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    // Construction (gestor_ventana.cpp).
    void construirMenus();
    void construirBarra();
    void construirLadoDerecho();
    QAction* accionDe(int id, const QString& texto);
    // Synchronisation.
    void recargarArbol();
    void seleccionarEnArbol();
    void mostrarEstado();
    void llenarPaneles();
    void mostrarImagen();
    void recargarRejilla();
    void actualizarDibujo(bool ajustar);
    EntradasDibujo entradasDibujo(bool todo) const;
    // Events of the widgets.
    void alCambiarSeleccion(const QModelIndex& actual);
    void mostrarMenuEmergente(const QPoint& global);
    // "Edición": undo, redo, the history list (gestor_ventana_edicion.cpp).
    void construirEdicion();
    void actualizarEdicion();

    // Commands that open other windows, one method each (gestor_ventana_comandos.cpp).
    void abrirOtraVentana(Accion accion);
    template <typename Abrir>
    void traspaso(Accion accion, Abrir&& abrir);
    void pendiente();
    void abrirImportarTodos();
    void abrirImportarRad();
    void abrirImportarTopcal(bool conComentarios);
    void abrirDatosTrabajo();
    void abrirListadoInstrumentos();
    void abrirTolerancias();
    void abrirErroresPesos();
    void abrirTablaCalculo();
    void abrirImprimirTablaDesorientaciones();
    void abrirRecogerCoordenadasCrd();
    void abrirRecogerCoordenadasCrdEstacion();
    void abrirImportarEstacionesCrd();
    void abrirExportarEstacionesCrd();
    void abrirExportarPuntos();
    void abrirImportarPuntos();
    void abrirImprimirListadoBases();
    void abrirImprimirResenaBase();
    void abrirCambiarEstacion();
    void abrirUnirDosEstacionamientos();
    void abrirImprimirEstadilloLecturas();
    void abrirOpcionesLecturas();
    void abrirCorregirLecturas();
    void abrirDesorientacionTodas();
    void abrirDesorientacionIndividual();
    void abrirEstacionMmcc();
    void abrirEstacionIndependiente();
    void abrirPoligonales();
    void abrirNivelacion();
    void abrirAjusteRed();
    void abrirRadiacion();
    void abrirDatosComplementarios();
    void abrirDibujoProyecto();
    void abrirAcercaDe();

    const MapaRutas& mapa_;
    std::unique_ptr<Avisos> avisosQt_;
    std::unique_ptr<DialogosGestorQt> dialogosQt_;
    std::unique_ptr<MostradorInformes> mostradorQt_;
    std::unique_ptr<CGestorObservaciones> gestor_;

    QMap<int, QAction*> acciones_;
    QMap<int, QMenu*> emergentes_;
    QTreeView* arbol_ = nullptr;
    ModeloArbolGestor* modeloArbol_ = nullptr;
    QWidget* ladoDerecho_ = nullptr;
    QLabel* rotulo_ = nullptr;
    QSplitter* contenido_ = nullptr;
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
