// Where every command of the main window goes. The commands this window
// serves itself run in the core (CGestorObservaciones::ejecutar); each
// command that opens another window has one method here, with
// the selection rule it needs. A method whose window is not built yet
// answers "Opción no disponible todavía" through `pendiente()`; to wire one,
// replace that call with
//     traspaso(Accion::X, [&] { ...run the dialog...; return std::pair{estacion, estacionamiento}; });
// which writes pending edits (or rebuilds the tree) before the window opens
// and rebuilds the tree and sets the modified flag after it closes, as the
// command needs.
#include <QAction>
#include <utility>

#include "datos/puntos_estaciones.h"
#include "manager/coordenadas_comandos.h"
#include "import/importar_antiguos.h"
#include "manager/gestor_dialogos.h"
#include "ui/calc/desorientacion_dialogos.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/calc/red_dialogo.h"
#include "ui/dibujo/ventana_dibujo.h"
#include "ui/import/importar_datos_campo_dialogo.h"
#include "ui/datos/datos_trabajo_dialogo.h"
#include "ui/manager/gestor_acerca.h"
#include "ui/manager/gestor_ventana.h"
#include "ui/manager/herramientas_lecturas_dialogos.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/output/puntos_dialogos.h"
#include "ui/traverse/calculo_poligonales_dialogo.h"
#include "ui/traverse/nivelacion_dialogo.h"
#include "ui/traverse/tolerancias_dialogos.h"
#include "ui/output/imprimir_dialogo.h"
#include "ui/output/correcciones_dialogo.h"

namespace celvara::ui {

void VentanaGestor::ejecutarComando(int id) {
    if (const auto a = accionDeComando(id)) ejecutarAccion(*a);
}

void VentanaGestor::ejecutarAccion(Accion accion) {
    switch (accion) {
        case Accion::Salir:
            close();
            return;
        case Accion::AcercaDe:
            abrirAcercaDe();
            return;
        case Accion::DibujarProyecto:
            abrirDibujoProyecto();
            return;
        default:
            break;
    }
    if (accionPropiaDelGestor(accion)) gestor_->ejecutar(accion);
    else abrirOtraVentana(accion);
    sincronizar();
}

template <typename Abrir>
void VentanaGestor::traspaso(Accion accion, Abrir&& abrir) {
    gestor_->antesDeVentana(accion);
    sincronizar();
    const auto [estacion, estacionamiento] = abrir();
    gestor_->despuesDeVentana(accion, estacion, estacionamiento);
}

void VentanaGestor::pendiente() { gestor_->noDisponible(); }

namespace {

using Seleccion = std::pair<const Estacion*, const Estacionamiento*>;

// A coordinate file asked for with the old dialog's extension and filter,
// in the working directory; the host path, or nothing on cancel.
std::optional<std::filesystem::path> pedirFicheroCrd(CGestorObservaciones& gestor, const DialogoFicheroCrd& dialogo) {
    PeticionFichero p;
    p.guardar = dialogo.guardar;
    p.extension = kExtensionCrd;
    p.filtro = kFiltroCrd;
    p.directorioInicial = gestor.ajustes().directorioTrabajo.str();
    p.debeExistir = !dialogo.guardar;
    p.confirmarSobrescribir = dialogo.guardar;
    const auto ruta = gestor.dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return std::nullopt;
    return gestor.mapa().aAnfitrion(*ruta);
}

}  // namespace

void VentanaGestor::abrirOtraVentana(Accion accion) {
    switch (accion) {
        case Accion::ImportarTodos: abrirImportarTodos(); break;
        case Accion::ImportarRad: abrirImportarRad(); break;
        case Accion::ImportarTopcal: abrirImportarTopcal(false); break;
        case Accion::ImportarTopcalComentarios: abrirImportarTopcal(true); break;
        case Accion::DatosTrabajo: abrirDatosTrabajo(); break;
        case Accion::ListadoInstrumentos: abrirListadoInstrumentos(); break;
        case Accion::Tolerancias: abrirTolerancias(); break;
        case Accion::ErroresPesos: abrirErroresPesos(); break;
        case Accion::TablaCalculo: abrirTablaCalculo(); break;
        case Accion::ImprimirTablaDesorientaciones: abrirImprimirTablaDesorientaciones(); break;
        case Accion::RecogerCoordenadasCrd: abrirRecogerCoordenadasCrd(); break;
        case Accion::RecogerCoordenadasCrdEstacion: abrirRecogerCoordenadasCrdEstacion(); break;
        case Accion::ImportarEstacionesCrd: abrirImportarEstacionesCrd(); break;
        case Accion::ExportarEstacionesCrd: abrirExportarEstacionesCrd(); break;
        case Accion::ImprimirListadoBases: abrirImprimirListadoBases(); break;
        case Accion::ImprimirResenaBase: abrirImprimirResenaBase(); break;
        case Accion::CambiarEstacion: abrirCambiarEstacion(); break;
        case Accion::UnirDosEstacionamientos: abrirUnirDosEstacionamientos(); break;
        case Accion::ImprimirEstadilloLecturas: abrirImprimirEstadilloLecturas(); break;
        case Accion::OpcionesLecturas: abrirOpcionesLecturas(); break;
        case Accion::CorregirLecturas: abrirCorregirLecturas(); break;
        case Accion::DesorientacionTodas: abrirDesorientacionTodas(); break;
        case Accion::DesorientacionIndividual: abrirDesorientacionIndividual(); break;
        case Accion::EstacionMmcc: abrirEstacionMmcc(); break;
        case Accion::EstacionIndependiente: abrirEstacionIndependiente(); break;
        case Accion::Poligonales: abrirPoligonales(); break;
        case Accion::Nivelacion: abrirNivelacion(); break;
        case Accion::AjusteRed: abrirAjusteRed(); break;
        case Accion::Radiacion: abrirRadiacion(); break;
        case Accion::DatosComplementarios: abrirDatosComplementarios(); break;
        case Accion::ExportarPuntos: abrirExportarPuntos(); break;
        case Accion::ImportarPuntos: abrirImportarPuntos(); break;
        default: pendiente(); break;
    }
}

// ---- Import (import dialog, "Importar Datos Campo"; readers of RAD v4.0 and TOPCAL files).
void VentanaGestor::abrirImportarTodos() {
    traspaso(Accion::ImportarTodos, [&] {
        std::uint8_t bandera = 0;
        ejecutarImportarDatosCampo(this, gestor_->libreta(), gestor_->ajustes(), &bandera, &mapa_);
        return Seleccion{};
    });
}
void VentanaGestor::abrirImportarRad() {
    PeticionFichero p;
    p.extension = kExtensionRad;
    p.filtro = kFiltroRad;
    p.directorioInicial = gestor_->ajustes().directorioTrabajo.str();
    p.debeExistir = true;
    const auto ruta = gestor_->dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    traspaso(Accion::ImportarRad, [&] {
        std::string error;
        if (!importarRadiacionV4(gestor_->libreta(), gestor_->ajustes().datosPorDefecto,
                                 gestor_->mapa().aAnfitrion(*ruta), error))
            gestor_->avisos().mensaje(error);
        return Seleccion{};
    });
}

void VentanaGestor::abrirImportarTopcal(bool conComentarios) {
    PeticionFichero p;
    p.extension = "*.*";
    p.filtro = kFiltroTopcal;
    p.directorioInicial = gestor_->ajustes().directorioTrabajo.str();
    p.debeExistir = true;
    const auto ruta = gestor_->dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    traspaso(conComentarios ? Accion::ImportarTopcalComentarios : Accion::ImportarTopcal, [&] {
        std::string error;
        if (!importarTopcalAscii(gestor_->libreta(), gestor_->ajustes().datosPorDefecto,
                                 gestor_->mapa().aAnfitrion(*ruta), conComentarios, error))
            gestor_->avisos().mensaje(error);
        return Seleccion{};
    });
}

// ---- Instrument library and job data.
void VentanaGestor::abrirDatosTrabajo() {
    traspaso(Accion::DatosTrabajo, [&] {
        celvara::ui::abrirDatosTrabajo(this, gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void VentanaGestor::abrirListadoInstrumentos() {
    traspaso(Accion::ListadoInstrumentos, [&] {
        celvara::ui::abrirListadoInstrumentos(this, gestor_->ajustes(), mapa_, nullptr);
        return Seleccion{};
    });
}

// ---- Tolerances, calculation table, printed listings.
void VentanaGestor::abrirTolerancias() {
    traspaso(Accion::Tolerancias, [&] {
        DialogoGestorTolerancias::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void VentanaGestor::abrirErroresPesos() {
    traspaso(Accion::ErroresPesos, [&] {
        DialogoErroresPesos::abrir(this, gestor_->ajustes());
        return Seleccion{};
    });
}
void VentanaGestor::abrirTablaCalculo() {
    traspaso(Accion::TablaCalculo, [&] {
        DialogoTablaCalculo::abrir(this, gestor_->libreta());
        return Seleccion{};
    });
}
void VentanaGestor::abrirImprimirTablaDesorientaciones() {
    traspaso(Accion::ImprimirTablaDesorientaciones, [&] {
        abrirImprimir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, Listado::Desorientaciones);
        return Seleccion{};
    });
}

void VentanaGestor::abrirImprimirListadoBases() {
    traspaso(Accion::ImprimirListadoBases, [&] {
        abrirImprimir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, Listado::Bases);
        return Seleccion{};
    });
}

void VentanaGestor::abrirImprimirResenaBase() {
    const Estacion* estacion = gestor_->estacionSeleccionada();
    if (!estacion) return;
    traspaso(Accion::ImprimirResenaBase, [&] {
        abrirImprimir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, Listado::Resena, estacion);
        return Seleccion{};
    });
}

void VentanaGestor::abrirImprimirEstadilloLecturas() {
    const Estacionamiento* estacionamiento = gestor_->estacionamientoSeleccionado();
    if (!estacionamiento) return;
    const Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::ImprimirEstadilloLecturas, [&] {
        abrirImprimir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, Listado::Estadillo, estacion,
                      estacionamiento);
        return Seleccion{};
    });
}

// ---- Coordinate files.
void VentanaGestor::abrirRecogerCoordenadasCrd() {
    const auto ruta = pedirFicheroCrd(*gestor_, kDialogoRecogerCrd);
    if (!ruta) return;
    traspaso(Accion::RecogerCoordenadasCrd, [&] {
        recogerCoordenadasDeCrd(gestor_->libreta(), *ruta);
        return Seleccion{};
    });
}

void VentanaGestor::abrirRecogerCoordenadasCrdEstacion() {
    // Only for a station node; otherwise nothing happens.
    if (gestor_->seleccion().tipo != TipoNodo::Estacion) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    const auto ruta = pedirFicheroCrd(*gestor_, kDialogoRecogerCrd);
    if (!ruta) return;
    traspaso(Accion::RecogerCoordenadasCrdEstacion, [&] {
        recogerXyzDeCrd(estacion, *ruta);
        return Seleccion{estacion, nullptr};
    });
}

void VentanaGestor::abrirImportarEstacionesCrd() {
    const auto ruta = pedirFicheroCrd(*gestor_, kDialogoImportarCrd);
    if (!ruta) return;
    traspaso(Accion::ImportarEstacionesCrd, [&] {
        importarDeCrd(gestor_->libreta(), *ruta, gestor_->avisos());
        return Seleccion{};
    });
}

void VentanaGestor::abrirExportarEstacionesCrd() {
    if (gestor_->libreta().estaciones.empty()) return;
    const auto ruta = pedirFicheroCrd(*gestor_, kDialogoExportarCrd);
    if (!ruta) return;
    traspaso(Accion::ExportarEstacionesCrd, [&] {
        exportarACrd(gestor_->libreta(), *ruta);
        return Seleccion{};
    });
    // The new file shows under "Coordenadas".
    gestor_->reconstruirArbol(gestor_->seleccion().estacion, gestor_->seleccion().estacionamiento);
}

// ---- Points to and from CSV/TXT, DXF, LandXML and KML: the selected
// coordinate file's points, otherwise the book's stations.
namespace {
std::filesystem::path ficheroCrdSeleccionado(const CGestorObservaciones& g) {
    if (g.estado() != EstadoSeleccion::FicheroCoordenadas || g.seleccion().fichero >= g.ficherosCoordenadas().size())
        return {};
    return g.mapa().aAnfitrion(g.ajustes().directorioTrabajo.str()) / g.ficherosCoordenadas()[g.seleccion().fichero];
}
}  // namespace

void VentanaGestor::abrirExportarPuntos() {
    traspaso(Accion::ExportarPuntos, [&] {
        const auto crd = ficheroCrdSeleccionado(*gestor_);
        ListaPuntos puntos;
        if (crd.empty()) puntos = puntosDeEstaciones(gestor_->libreta());
        else if (leerListaPuntos(crd, puntos) != Estado::Exito) gestor_->avisos().mensaje("ERROR");
        const auto carpeta = gestor_->mapa().aAnfitrion(gestor_->ajustes().directorioTrabajo.str());
        DialogoExportarPuntos d(std::move(puntos), static_cast<Proyeccion>(gestor_->libreta().proyeccion),
                                QString::fromStdString(carpeta.string()), this);
        d.exec();
        return Seleccion{};
    });
}

void VentanaGestor::abrirImportarPuntos() {
    const auto carpeta = gestor_->mapa().aAnfitrion(gestor_->ajustes().directorioTrabajo.str());
    DialogoImportarPuntos d(QString::fromStdString(carpeta.string()),
                            QString::fromStdString(ficheroCrdSeleccionado(*gestor_).string()), this);
    if (d.exec() != QDialog::Accepted) return;
    // A new file shows under "Coordenadas".
    gestor_->reconstruirArbol(gestor_->seleccion().estacion, gestor_->seleccion().estacionamiento);
}

// ---- Reading tools.
void VentanaGestor::abrirCambiarEstacion() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::CambiarEstacion, [&] {
        const auto [e, n] = DialogoCambiarEstacion::abrir(this, gestor_->libreta(), *estacion, *s, gestor_->avisos());
        return Seleccion{e, n};
    });
}

void VentanaGestor::abrirUnirDosEstacionamientos() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::UnirDosEstacionamientos, [&] {
        Estacionamiento* p = DialogoUnirEstacionamientos::abrir(this, *estacion, *s, gestor_->avisos());
        return Seleccion{estacion, p ? p : s};
    });
}

void VentanaGestor::abrirOpcionesLecturas() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::OpcionesLecturas, [&] {
        DialogoOpcionesLecturas::abrir(this, gestor_->libreta(), *estacion, *s, gestor_->avisos());
        return Seleccion{estacion, s};
    });
}

void VentanaGestor::abrirDatosComplementarios() {
    // Button "DATOS ....": only with a set-up shown.
    if (gestor_->estado() != EstadoSeleccion::Estacionamiento || !gestor_->estacionamientoActual()) return;
    Estacionamiento* s = gestor_->estacionamientoActual();
    traspaso(Accion::DatosComplementarios, [&] {
        DialogoDatosComplementarios::abrir(this, *s, gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void VentanaGestor::abrirCorregirLecturas() {
    traspaso(Accion::CorregirLecturas, [&] {
        DialogoCorrecciones::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}

// ---- Computations.
void VentanaGestor::abrirDesorientacionTodas() {
    traspaso(Accion::DesorientacionTodas, [&] {
        DialogoDesorientaciones::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void VentanaGestor::abrirDesorientacionIndividual() {
    // Opened on the selected set-up when there is one (its pop-up menu).
    const NodoArbol nodo = gestor_->seleccion();
    const Estacion* estacion = nodo.tipo == TipoNodo::Estacionamiento ? nodo.estacion : nullptr;
    const Estacionamiento* estacionamiento = estacion ? nodo.estacionamiento : nullptr;
    traspaso(Accion::DesorientacionIndividual, [&] {
        DialogoDesorientacion::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, estacion, estacionamiento);
        return Seleccion{estacion, estacionamiento};
    });
}
void VentanaGestor::abrirEstacionMmcc() {
    traspaso(Accion::EstacionMmcc, [&] {
        DialogoEstacionMmcc dialogo(gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos(), this);
        dialogo.pesos = [&] { DialogoErroresPesos::abrir(&dialogo, gestor_->ajustes()); };
        dialogo.exec();
        return Seleccion{};
    });
}
void VentanaGestor::abrirEstacionIndependiente() {
    traspaso(Accion::EstacionIndependiente, [&] {
        DialogoEstacionSemi::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void VentanaGestor::abrirPoligonales() {
    traspaso(Accion::Poligonales, [&] {
        DialogoCalculoPoligonales::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void VentanaGestor::abrirAjusteRed() {
    traspaso(Accion::AjusteRed, [&] {
        DialogoAjusteRed::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void VentanaGestor::abrirNivelacion() {
    traspaso(Accion::Nivelacion, [&] {
        DialogoNivelacion::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void VentanaGestor::abrirRadiacion() {
    traspaso(Accion::Radiacion, [&] {
        DialogoRadiacion::abrir(this, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}

// ---- This window's own.
void VentanaGestor::abrirDibujoProyecto() {
    gestor_->escribirPanelesPendientes();
    VentanaDibujo ventana(entradasDibujo(true), this);
    ventana.exec();
}

void VentanaGestor::abrirAcercaDe() { mostrarAcercaDe(this); }

}  // namespace celvara::ui
