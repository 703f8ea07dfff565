// Around the windows of other parts: what the main window does before one
// opens (so that the book holds every pending edit) and after it closes
// (the tree rebuilt where the window may have changed the book, the
// modified flag set).
#include "manager/gestor_observaciones.h"

namespace celvara {

namespace {

bool reconstruyeAntes(Accion a) {
    switch (a) {
        case Accion::DesorientacionIndividual:
        case Accion::DesorientacionTodas:
        case Accion::EstacionMmcc:
        case Accion::EstacionIndependiente:
        case Accion::Nivelacion:
        case Accion::AjusteRed:
        case Accion::ImportarTodos:
        case Accion::ImportarRad:
        case Accion::ImportarTopcal:
        case Accion::ImportarTopcalComentarios:
            return true;
        default:
            return false;
    }
}

}  // namespace

void CGestorObservaciones::antesDeVentana(Accion accion) {
    if (reconstruyeAntes(accion)) reconstruirArbol();
    else escribirPanelesPendientes();
}

void CGestorObservaciones::despuesDeVentana(Accion accion, const Estacion* estacion,
                                            const Estacionamiento* estacionamiento) {
    switch (accion) {
        // The window reports the station and set-up to select.
        case Accion::DesorientacionIndividual:
        case Accion::EstacionMmcc:
        case Accion::CambiarEstacion:
        case Accion::UnirDosEstacionamientos:
        case Accion::OpcionesLecturas:
        case Accion::RecogerCoordenadasCrdEstacion:
            reconstruirArbol(estacion, estacionamiento);
            marcarModificado();
            break;
        case Accion::EstacionIndependiente:
        case Accion::Poligonales:
        case Accion::AjusteRed:
        case Accion::ImportarTodos:
        case Accion::ImportarRad:
        case Accion::ImportarTopcal:
        case Accion::ImportarTopcalComentarios:
        case Accion::ImportarEstacionesCrd:
        case Accion::RecogerCoordenadasCrd:
            reconstruirArbol();
            marcarModificado();
            break;
        case Accion::DesorientacionTodas:
        case Accion::TablaCalculo:
        case Accion::Nivelacion:
        case Accion::CorregirLecturas:
        case Accion::DatosComplementarios:
            // Values shown in the grid and the panes may have changed.
            marcarModificado();
            if (estacionamientoActual_ && estado_ == EstadoSeleccion::Estacionamiento) {
                ++revisiones_.paneles;
                seleccionar(seleccion_);
            }
            tocarRejilla();
            break;
        default:
            // Radiation, tolerances, job data, instrument
            // list, print commands, export: the book is unchanged.
            break;
    }
}

}  // namespace celvara
