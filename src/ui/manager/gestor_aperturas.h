// The windows the main window opens: one method per command (one per family
// for the listings, the coordinate files and the old import files), each
// with the selection rule it needs (gestor_ventana_comandos.cpp).
#pragma once

#include <QWidget>

#include "fieldbook/rutas.h"
#include "manager/gestor_observaciones.h"

namespace celvara::ui {

class VistaGestor;

class AperturasGestor {
public:
    AperturasGestor(QWidget& ventana, CGestorObservaciones& gestor, VistaGestor& vista, const MapaRutas& mapa)
        : ventana_(&ventana), gestor_(&gestor), vista_(&vista), mapa_(mapa) {}

    // Opens the window of an action the core does not serve itself.
    void abrir(Accion accion);
    void abrirDibujoProyecto();

private:
    template <typename Abrir>
    void traspaso(Accion accion, Abrir&& abrir);
    void abrirImportarTodos();
    void abrirImportarFichero(Accion accion);
    void abrirDatosTrabajo();
    void abrirListadoInstrumentos();
    void abrirTolerancias();
    void abrirErroresPesos();
    void abrirTablaCalculo();
    void abrirListado(Accion accion);
    void abrirResena();
    void abrirFicheroCrd(Accion accion);
    void abrirRecogerDxf();
    void abrirExportarPuntos();
    void abrirImportarPuntos();
    void abrirHerramientaCoordenadas(Accion accion);
    void abrirEditorCoordenadas();
    void abrirCambiarEstacion();
    void abrirUnirDosEstacionamientos();
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


    QWidget* ventana_;  // the parent of every window opened
    CGestorObservaciones* gestor_;
    VistaGestor* vista_;
    const MapaRutas& mapa_;
};

}  // namespace celvara::ui
