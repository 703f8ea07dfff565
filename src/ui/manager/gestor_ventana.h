// CGestorObservaciones on screen, and where its commands go. The window owns
// the core object and its view (VistaGestor, which builds the menus, toolbar,
// tree and panes); every command comes here as an action: the ones the core
// serves run there, and those that open another window of the program go to
// AperturasGestor (gestor_aperturas.h).
#pragma once

#include <QMainWindow>
#include <memory>

#include "fieldbook/arranque.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_observaciones.h"

namespace celvara::ui {

class AperturasGestor;
class DialogosGestorQt;
class VistaGestor;

// What the window asks of its surroundings; anything left empty gets the
// Qt dialogs (tests pass recorders).
struct ServiciosGestor {
    Avisos* avisos = nullptr;
    DialogosGestor* dialogos = nullptr;
    MostradorInformes* mostrador = nullptr;
};

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
    VistaGestor& vista() { return *vista_; }

    // Runs the action of a menu, toolbar or pop-up entry.
    void ejecutarComando(Comando id);
    // By the old resource number, as some window tests still name entries.
    void ejecutarComando(int id) { ejecutarComando(static_cast<Comando>(id)); }
    void ejecutarAccion(Accion accion);

    // The size it opens at: whole on a 1024 x 700 laptop (a larger screen lets it grow).
    QSize sizeHint() const override { return {1000, 650}; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void crearServicios(ServiciosGestor& servicios);
    // celvara.ini beside the settings file (host path).
    std::filesystem::path ajustesPropios() const;

    const MapaRutas& mapa_;
    std::unique_ptr<Avisos> avisosQt_;
    std::unique_ptr<DialogosGestorQt> dialogosQt_;
    std::unique_ptr<MostradorInformes> mostradorQt_;
    std::unique_ptr<CGestorObservaciones> gestor_;
    VistaGestor* vista_ = nullptr;
    std::unique_ptr<AperturasGestor> aperturas_;
};

}  // namespace celvara::ui
