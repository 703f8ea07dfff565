// Around the other windows: what the main window does before one
// opens (so that the book holds every pending edit) and after it closes
// (the tree rebuilt where the window may have changed the book, the
// modified flag set).
#include "fieldbook/codificacion.h"
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

// The name of the step a window's write-back makes; none for the windows
// that only read the book.
const char* nombreDelPaso(Accion a) {
    switch (a) {
        case Accion::ImportarTodos: return "Importar datos de campo";
        case Accion::ImportarRad: return "Importar RAD";
        case Accion::ImportarTopcal:
        case Accion::ImportarTopcalComentarios: return "Importar TOPCAL";
        case Accion::ImportarEstacionesCrd: return "Importar estaciones CRD";
        case Accion::RecogerCoordenadasCrd: return "Recoger coordenadas CRD";
        case Accion::RecogerCoordenadasCrdEstacion: return "Recoger coordenadas CRD de";
        case Accion::RecogerCoordenadasAcad: return "Recoger coordenadas de ACAD";
        case Accion::CambiarEstacion: return "Cambiar estación";
        case Accion::UnirDosEstacionamientos: return "Unir estacionamientos";
        case Accion::OpcionesLecturas: return "Opciones de lecturas";
        case Accion::CorregirLecturas: return "Corregir lecturas";
        case Accion::DatosComplementarios: return "Datos complementarios";
        case Accion::DesorientacionTodas: return "Grabar desorientaciones";
        case Accion::DesorientacionIndividual: return "Grabar desorientación";
        case Accion::EstacionMmcc: return "Grabar estación";
        case Accion::EstacionIndependiente: return "Grabar estación independiente";
        case Accion::Poligonales: return "Grabar poligonal";
        case Accion::Nivelacion: return "Grabar nivelación";
        case Accion::Radiacion: return "Grabar radiación";
        case Accion::TablaCalculo: return "Tabla de cálculo";
        case Accion::AjusteRed: return "Grabar ajuste de red";
        default: return nullptr;
    }
}

}  // namespace

void CGestorObservaciones::antesDeVentana(Accion accion) {
    if (reconstruyeAntes(accion)) seleccion_.reconstruirArbol();
    else seleccion_.escribirPanelesPendientes();
    // A window that may write into the book: the changes made so far go to
    // disk and what it changes is found afterwards by comparison.
    documento_.antesDeOtraVentana(nombreDelPaso(accion) != nullptr);
}

void CGestorObservaciones::despuesDeVentana(Accion accion, const Estacion* estacion,
                                            const Estacionamiento* estacionamiento) {
    std::string nombre;
    if (const char* paso = nombreDelPaso(accion)) {
        nombre = paso;
        if (estacionamiento) nombre += " " + cp1252AUtf8(estacionamiento->nombre.vista());
        else if (estacion) nombre += " " + cp1252AUtf8(estacion->nombre.vista());
    }
    documento_.despuesDeOtraVentana(nombre);
    switch (accion) {
        // The window reports the station and set-up to select.
        case Accion::DesorientacionIndividual:
        case Accion::EstacionMmcc:
        case Accion::CambiarEstacion:
        case Accion::UnirDosEstacionamientos:
        case Accion::OpcionesLecturas:
        case Accion::RecogerCoordenadasCrdEstacion:
            seleccion_.reconstruirArbol(estacion, estacionamiento);
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
        case Accion::RecogerCoordenadasAcad:
            seleccion_.reconstruirArbol();
            break;
        case Accion::DesorientacionTodas:
        case Accion::TablaCalculo:
        case Accion::Nivelacion:
        case Accion::CorregirLecturas:
        case Accion::DatosComplementarios:
            // Values shown in the grid and the panes may have changed.
            if (seleccion_.estacionamientoActual() && seleccion_.estado() == EstadoSeleccion::Estacionamiento) {
                seleccion_.tocarPaneles();
                seleccion_.seleccionar(seleccion_.nodo());
            }
            seleccion_.tocarRejilla();
            break;
        case Accion::Resenas:
            // The window made its own step; the station's panes and row show it.
            seleccion_.tocarPaneles();
            seleccion_.seleccionar(seleccion_.nodo());
            seleccion_.tocarRejilla();
            break;
        default: {
            // Radiation, tolerances, job data, instrument
            // list, print commands, export: the book is unchanged, but a
            // coordinate file the window wrote shows under "Coordenadas" at once.
            seleccion_.refrescarFicherosCoordenadas(true);
            break;
        }
    }
}

}  // namespace celvara
