// Where every command of the main window goes. The commands this window
// serves itself run in the core (CGestorObservaciones::ejecutar); each
// command that opens another window has one method of AperturasGestor here
// (one per family for the listings, the coordinate files and the old import
// files), with the selection rule it needs. To wire one, run its dialog in
//     traspaso(Accion::X, [&] { ...run the dialog...; return std::pair{estacion, estacionamiento}; });
// which writes pending edits (or rebuilds the tree) before the window opens
// and rebuilds the tree and records the change after it closes, as the
// command needs.
#include <QAction>
#include <utility>

#include "datos/puntos_estaciones.h"
#include "fieldbook/codificacion.h"
#include "manager/coordenadas_comandos.h"
#include "import/importar_antiguos.h"
#include "manager/gestor_dialogos.h"
#include "ui/calc/desorientacion_dialogos.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/ventana_ayuda.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/calc/editor_coordenadas_dialogo.h"
#include "ui/calc/herramientas_dialogos.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/calc/red_dialogo.h"
#include "ui/dibujo/ventana_dibujo.h"
#include "ui/import/importar_datos_campo_dialogo.h"
#include "ui/import/recoger_dxf_dialogo.h"
#include "ui/datos/datos_trabajo_dialogo.h"
#include "ui/manager/gestor_acerca.h"
#include "ui/manager/gestor_aperturas.h"
#include "ui/manager/gestor_ventana.h"
#include "ui/manager/gestor_vista.h"
#include "ui/manager/herramientas_lecturas_dialogos.h"
#include "ui/manager/resena_dialogo.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/output/puntos_dialogos.h"
#include "ui/traverse/calculo_poligonales_dialogo.h"
#include "ui/traverse/nivelacion_dialogo.h"
#include "ui/traverse/tolerancias_dialogos.h"
#include "ui/output/imprimir_dialogo.h"
#include "ui/output/correcciones_dialogo.h"

namespace celvara::ui {

void VentanaGestor::ejecutarComando(Comando id) {
    if (const auto a = accionDeComando(id)) ejecutarAccion(*a);
}

void VentanaGestor::ejecutarAccion(Accion accion) {
    switch (accion) {
        case Accion::Salir:
            close();
            return;
        case Accion::AcercaDe:
            mostrarAcercaDe(this);
            return;
        case Accion::Ayuda:
            VentanaAyuda::abrir(this);
            return;
        case Accion::DibujarProyecto:
            aperturas_->abrirDibujoProyecto();
            return;
        default:
            break;
    }
    if (accionPropiaDelGestor(accion)) gestor_->ejecutar(accion);
    else aperturas_->abrir(accion);
    vista_->sincronizar();
}

template <typename Abrir>
void AperturasGestor::traspaso(Accion accion, Abrir&& abrir) {
    gestor_->antesDeVentana(accion);
    vista_->sincronizar();
    const auto [estacion, estacionamiento] = abrir();
    gestor_->despuesDeVentana(accion, estacion, estacionamiento);
}

namespace {

using Seleccion = std::pair<const Estacion*, const Estacionamiento*>;

// A coordinate file asked for with the old dialog's extension and filter,
// in the working directory; the host path, or nothing on cancel.
std::optional<std::filesystem::path> pedirFicheroCrd(CGestorObservaciones& gestor, const DialogoFicheroCrd& dialogo) {
    PeticionFichero p;
    p.guardar = dialogo.guardar;
    p.extension = kExtensionCrd;
    p.filtro = kFiltroCrd;
    p.directorioInicial = cp1252AUtf8(carpetaLibreta(gestor.ajustes()));
    p.recordar = "coordenadas";
    p.debeExistir = !dialogo.guardar;
    p.confirmarSobrescribir = dialogo.guardar;
    const auto ruta = gestor.dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return std::nullopt;
    return gestor.mapa().aAnfitrion(*ruta);
}

}  // namespace

void AperturasGestor::abrir(Accion accion) {
    switch (accion) {
        case Accion::ImportarTodos: abrirImportarTodos(); break;
        case Accion::ImportarRad:
        case Accion::ImportarTopcal:
        case Accion::ImportarTopcalComentarios: abrirImportarFichero(accion); break;
        case Accion::DatosTrabajo: abrirDatosTrabajo(); break;
        case Accion::ListadoInstrumentos: abrirListadoInstrumentos(); break;
        case Accion::Tolerancias: abrirTolerancias(); break;
        case Accion::ErroresPesos: abrirErroresPesos(); break;
        case Accion::TablaCalculo: abrirTablaCalculo(); break;
        case Accion::ImprimirTablaDesorientaciones:
        case Accion::ImprimirListadoBases:
        case Accion::ImprimirResenaBase:
        case Accion::ImprimirEstadilloLecturas: abrirListado(accion); break;
        case Accion::Resenas: abrirResena(); break;
        case Accion::RecogerCoordenadasCrd:
        case Accion::RecogerCoordenadasCrdEstacion:
        case Accion::ImportarEstacionesCrd:
        case Accion::ExportarEstacionesCrd: abrirFicheroCrd(accion); break;
        case Accion::RecogerCoordenadasAcad: abrirRecogerDxf(); break;
        case Accion::CambiarEstacion: abrirCambiarEstacion(); break;
        case Accion::UnirDosEstacionamientos: abrirUnirDosEstacionamientos(); break;
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
        case Accion::RecalculoHelmert:
        case Accion::RefinamientoPuntos: abrirHerramientaCoordenadas(accion); break;
        case Accion::EditorCoordenadas: abrirEditorCoordenadas(); break;
        // The core's and the window's own actions never come here; no default,
        // so the compiler names any new action no window opens.
        case Accion::Ninguna:
        case Accion::Nuevo:
        case Accion::Abrir:
        case Accion::Grabar:
        case Accion::GrabarComo:
        case Accion::ImportarObs:
        case Accion::DibujarProyecto:
        case Accion::Salir:
        case Accion::Configurar:
        case Accion::InformeResumen:
        case Accion::Actualizar:
        case Accion::InsertarEstacion:
        case Accion::AnadirEstacion:
        case Accion::AnadirEstacionNombre:
        case Accion::BorrarEstacion:
        case Accion::UnirTodosEstacionamientos:
        case Accion::AnadirEstacionamiento:
        case Accion::BorrarEstacionamiento:
        case Accion::InsertarLectura:
        case Accion::AnadirLectura:
        case Accion::BorrarLectura:
        case Accion::AcercaDe:
        case Accion::Ayuda:
        case Accion::Deshacer:
        case Accion::Rehacer:
            break;
    }
}

// ---- Import (import dialog, "Importar Datos Campo"; readers of RAD v4.0 and TOPCAL files).
void AperturasGestor::abrirImportarTodos() {
    traspaso(Accion::ImportarTodos, [&] {
        std::uint8_t bandera = 0;
        ejecutarImportarDatosCampo(ventana_, gestor_->libreta(), gestor_->ajustes(), &bandera, &mapa_);
        return Seleccion{};
    });
}
void AperturasGestor::abrirImportarFichero(Accion accion) {
    const bool rad = accion == Accion::ImportarRad;
    PeticionFichero p;
    p.extension = rad ? kExtensionRad : "*.*";
    p.filtro = rad ? kFiltroRad : kFiltroTopcal;
    p.directorioInicial = cp1252AUtf8(carpetaLibreta(gestor_->ajustes()));
    p.recordar = "importar";
    p.debeExistir = true;
    const auto ruta = gestor_->dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    traspaso(accion, [&] {
        const auto fichero = gestor_->mapa().aAnfitrion(*ruta);
        const DatosComplementarios& datos = gestor_->ajustes().datosPorDefecto;
        std::string error;
        const bool leido = rad ? importarRadiacionV4(gestor_->libreta(), datos, fichero, error)
                               : importarTopcalAscii(gestor_->libreta(), datos, fichero,
                                                     accion == Accion::ImportarTopcalComentarios, error);
        if (!leido) gestor_->avisos().mensaje(error);
        return Seleccion{};
    });
}

// ---- Instrument library and job data.
void AperturasGestor::abrirDatosTrabajo() {
    traspaso(Accion::DatosTrabajo, [&] {
        celvara::ui::abrirDatosTrabajo(ventana_, gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void AperturasGestor::abrirListadoInstrumentos() {
    traspaso(Accion::ListadoInstrumentos, [&] {
        celvara::ui::abrirListadoInstrumentos(ventana_, gestor_->ajustes(), mapa_, nullptr);
        return Seleccion{};
    });
}

// ---- Tolerances, calculation table, printed listings.
void AperturasGestor::abrirTolerancias() {
    traspaso(Accion::Tolerancias, [&] {
        DialogoGestorTolerancias::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void AperturasGestor::abrirErroresPesos() {
    traspaso(Accion::ErroresPesos, [&] {
        DialogoErroresPesos::abrir(ventana_, gestor_->ajustes());
        return Seleccion{};
    });
}
void AperturasGestor::abrirTablaCalculo() {
    traspaso(Accion::TablaCalculo, [&] {
        DialogoTablaCalculo::abrir(ventana_, gestor_->libreta());
        return Seleccion{};
    });
}

// The printed listings: a station or a set-up where the listing needs one.
void AperturasGestor::abrirListado(Accion accion) {
    Listado listado = Listado::Bases;
    const Estacion* estacion = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
    if (accion == Accion::ImprimirTablaDesorientaciones) listado = Listado::Desorientaciones;
    if (accion == Accion::ImprimirResenaBase) {
        listado = Listado::Resena;
        if (!(estacion = gestor_->estacionSeleccionada())) return;
    }
    if (accion == Accion::ImprimirEstadilloLecturas) {
        listado = Listado::Estadillo;
        if (!(estacionamiento = gestor_->estacionamientoSeleccionado())) return;
        estacion = gestor_->seleccion().estacion;
    }
    traspaso(accion, [&] {
        abrirImprimir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, listado, estacion, estacionamiento);
        return Seleccion{};
    });
}

// "Reseñas...": the description sheet of the selected station.
void AperturasGestor::abrirResena() {
    const Estacion* estacion = gestor_->estacionSeleccionada();
    if (!estacion) return;
    traspaso(Accion::Resenas, [&] {
        celvara::ui::abrirResena(ventana_, gestor_->documento(), *estacion, mapa_);
        return Seleccion{estacion, nullptr};
    });
}

// ---- Coordinate files: the stations' XYZ taken from one (all, or the
// selected station's), stations imported from one, or exported to one.
void AperturasGestor::abrirFicheroCrd(Accion accion) {
    Estacion* estacion = nullptr;
    if (accion == Accion::RecogerCoordenadasCrdEstacion) {
        // Only for a station node; otherwise nothing happens.
        if (gestor_->seleccion().tipo != TipoNodo::Estacion) return;
        estacion = gestor_->seleccion().estacion;
    }
    if (accion == Accion::ExportarEstacionesCrd && gestor_->libreta().estaciones.empty()) return;
    const DialogoFicheroCrd& dialogo = accion == Accion::ImportarEstacionesCrd   ? kDialogoImportarCrd
                                       : accion == Accion::ExportarEstacionesCrd ? kDialogoExportarCrd
                                                                                 : kDialogoRecogerCrd;
    const auto ruta = pedirFicheroCrd(*gestor_, dialogo);
    if (!ruta) return;
    traspaso(accion, [&] {
        switch (accion) {
            case Accion::RecogerCoordenadasCrd: recogerCoordenadasDeCrd(gestor_->libreta(), *ruta); break;
            case Accion::RecogerCoordenadasCrdEstacion: recogerXyzDeCrd(estacion, *ruta); break;
            case Accion::ImportarEstacionesCrd: importarDeCrd(gestor_->libreta(), *ruta, gestor_->avisos()); break;
            default: exportarACrd(gestor_->libreta(), *ruta); break;
        }
        return Seleccion{estacion, nullptr};
    });
    // The new file shows under "Coordenadas".
    if (accion == Accion::ExportarEstacionesCrd)
        gestor_->reconstruirArbol(gestor_->seleccion().estacion, gestor_->seleccion().estacionamiento);
}

// The editor changes only coordinate files: the one shown under
// "Coordenadas" is read again when it was saved.
void AperturasGestor::abrirEditorCoordenadas() {
    bool grabado = false;
    traspaso(Accion::EditorCoordenadas, [&] {
        DialogoEditorCoordenadas::abrir(ventana_, gestor_->ajustes(), mapa_, gestor_->avisos(), &grabado);
        return Seleccion{};
    });
    if (grabado) gestor_->seleccionGestor().refrescarFicherosCoordenadas(false);
}

// ---- Points to and from CSV/TXT, DXF, LandXML and KML: the selected
// coordinate file's points, otherwise the book's stations.
namespace {
// A message naming a host path, with the path in the program's own form.
std::string enFormaDelPrograma(std::string mensaje, const std::filesystem::path& ruta, const MapaRutas& mapa) {
    const std::string anfitrion = ruta.string();
    if (const auto i = mensaje.find(anfitrion); !anfitrion.empty() && i != std::string::npos)
        mensaje.replace(i, anfitrion.size(), mapa.aWindows(ruta));
    return mensaje;
}

std::filesystem::path ficheroCrdSeleccionado(const CGestorObservaciones& g) {
    if (g.estado() != EstadoSeleccion::FicheroCoordenadas || g.seleccion().fichero >= g.ficherosCoordenadas().size())
        return {};
    return g.mapa().aAnfitrion(cp1252AUtf8(carpetaLibreta(g.ajustes()))) / g.ficherosCoordenadas()[g.seleccion().fichero];
}
}  // namespace

void AperturasGestor::abrirExportarPuntos() {
    traspaso(Accion::ExportarPuntos, [&] {
        const auto crd = ficheroCrdSeleccionado(*gestor_);
        ListaPuntos puntos;
        if (crd.empty()) puntos = puntosDeEstaciones(gestor_->libreta());
        else if (leerListaPuntos(crd, puntos) != Estado::Exito) gestor_->avisos().mensaje("ERROR");
        DialogoExportarPuntos d(std::move(puntos), static_cast<Proyeccion>(gestor_->libreta().proyeccion),
                                lugarFicheros(gestor_->ajustes(), mapa_), ventana_, gestor_->ajustes().proyeccionTrabajo);
        if (d.exec() == QDialog::Accepted)
            gestor_->documento().anotar(enFormaDelPrograma(d.hecho(), d.escrito(), gestor_->mapa()));
        return Seleccion{};
    });
}

// ---- "Recoger Coordenadas de ACAD..." and the pop-ups' "Recoger XYZ de
// ACAD": every station found in a drawing, the ticked ones written as one step.
void AperturasGestor::abrirRecogerDxf() {
    PeticionFichero p;
    p.extension = kExtensionDxf;
    p.filtro = kFiltroDxf;
    p.directorioInicial = cp1252AUtf8(carpetaLibreta(gestor_->ajustes()));
    p.recordar = "dibujo";
    p.debeExistir = true;
    const auto ruta = gestor_->dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    traspaso(Accion::RecogerCoordenadasAcad, [&] {
        const auto fichero = gestor_->mapa().aAnfitrion(*ruta);
        LecturaDibujo lectura = buscarEstacionesEnDxf(gestor_->libreta(), fichero);
        if (!lectura.error.empty())
            gestor_->avisos().mensaje(enFormaDelPrograma(lectura.error, fichero, gestor_->mapa()));
        else if (lectura.estaciones.empty())
            gestor_->avisos().mensaje("Ninguna estación de la libreta aparece en el dibujo");
        else
            DialogoRecogerDxf(gestor_->libreta(), std::move(lectura.estaciones), ventana_).exec();
        return Seleccion{};
    });
}

void AperturasGestor::abrirImportarPuntos() {
    const auto crd = ficheroCrdSeleccionado(*gestor_);
    DialogoImportarPuntos d(lugarFicheros(gestor_->ajustes(), mapa_),
                            crd.empty() ? QString() : QString::fromStdString(mapa_.aWindows(crd)), ventana_);
    if (d.exec() != QDialog::Accepted) return;
    gestor_->documento().anotar(
        enFormaDelPrograma(d.hecho(), std::filesystem::path(d.destino().toStdString()), gestor_->mapa()));
    // A new file shows under "Coordenadas"; the view stays where it was (the file shown, reread).
    gestor_->refrescarFicherosCoordenadas();
}

// ---- Reading tools.
void AperturasGestor::abrirCambiarEstacion() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::CambiarEstacion, [&] {
        const auto [e, n] = DialogoCambiarEstacion::abrir(ventana_, gestor_->libreta(), *estacion, *s, gestor_->avisos());
        return Seleccion{e, n};
    });
}

void AperturasGestor::abrirUnirDosEstacionamientos() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::UnirDosEstacionamientos, [&] {
        Estacionamiento* p = DialogoUnirEstacionamientos::abrir(ventana_, *estacion, *s, gestor_->avisos());
        return Seleccion{estacion, p ? p : s};
    });
}

void AperturasGestor::abrirOpcionesLecturas() {
    Estacionamiento* s = gestor_->estacionamientoSeleccionado();
    if (!s) return;
    Estacion* estacion = gestor_->seleccion().estacion;
    traspaso(Accion::OpcionesLecturas, [&] {
        DialogoOpcionesLecturas::abrir(ventana_, gestor_->libreta(), *estacion, *s, gestor_->avisos());
        return Seleccion{estacion, s};
    });
}

void AperturasGestor::abrirDatosComplementarios() {
    // Button "DATOS ....": only with a set-up shown.
    if (gestor_->estado() != EstadoSeleccion::Estacionamiento || !gestor_->estacionamientoActual()) return;
    Estacionamiento* s = gestor_->estacionamientoActual();
    traspaso(Accion::DatosComplementarios, [&] {
        DialogoDatosComplementarios::abrir(ventana_, *s, gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void AperturasGestor::abrirCorregirLecturas() {
    traspaso(Accion::CorregirLecturas, [&] {
        DialogoCorrecciones::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}

// ---- Computations.
void AperturasGestor::abrirDesorientacionTodas() {
    traspaso(Accion::DesorientacionTodas, [&] {
        DialogoDesorientaciones::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_);
        return Seleccion{};
    });
}

void AperturasGestor::abrirDesorientacionIndividual() {
    // Opened on the selected set-up when there is one (its pop-up menu).
    const NodoArbol nodo = gestor_->seleccion();
    const Estacion* estacion = nodo.tipo == TipoNodo::Estacionamiento ? nodo.estacion : nullptr;
    const Estacionamiento* estacionamiento = estacion ? nodo.estacionamiento : nullptr;
    traspaso(Accion::DesorientacionIndividual, [&] {
        DialogoDesorientacion::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, estacion, estacionamiento);
        return Seleccion{estacion, estacionamiento};
    });
}
void AperturasGestor::abrirEstacionMmcc() {
    traspaso(Accion::EstacionMmcc, [&] {
        DialogoEstacionMmcc dialogo(gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos(), ventana_);
        dialogo.pesos = [&] { DialogoErroresPesos::abrir(&dialogo, gestor_->ajustes()); };
        dialogo.exec();
        return Seleccion{};
    });
}
void AperturasGestor::abrirEstacionIndependiente() {
    traspaso(Accion::EstacionIndependiente, [&] {
        DialogoEstacionSemi::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void AperturasGestor::abrirPoligonales() {
    traspaso(Accion::Poligonales, [&] {
        DialogoCalculoPoligonales dialogo(gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos(), ventana_);
        dialogo.abrirListado = [&](const std::string& nombre, std::vector<Pagina> paginas) {
            abrirImprimir(&dialogo, gestor_->libreta(), gestor_->ajustes(), mapa_, nombre, std::move(paginas));
        };
        dialogo.exec();
        return Seleccion{};
    });
}
void AperturasGestor::abrirAjusteRed() {
    traspaso(Accion::AjusteRed, [&] {
        DialogoAjusteRed::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void AperturasGestor::abrirNivelacion() {
    traspaso(Accion::Nivelacion, [&] {
        DialogoNivelacion::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}
void AperturasGestor::abrirRadiacion() {
    traspaso(Accion::Radiacion, [&] {
        DialogoRadiacion::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
}

// ---- CALCULAR › HERRAMIENTAS: they read the book and write new coordinate
// files, which show under "Coordenadas".
void AperturasGestor::abrirHerramientaCoordenadas(Accion accion) {
    traspaso(accion, [&] {
        if (accion == Accion::RecalculoHelmert)
            DialogoHelmert::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        else
            DialogoRefinamiento::abrir(ventana_, gestor_->libreta(), gestor_->ajustes(), mapa_, gestor_->avisos());
        return Seleccion{};
    });
    gestor_->reconstruirArbol(gestor_->seleccion().estacion, gestor_->seleccion().estacionamiento);
}

// ---- This window's own.
void AperturasGestor::abrirDibujoProyecto() {
    gestor_->escribirPanelesPendientes();
    VentanaDibujo ventana(vista_->entradasDibujo(true), ventana_);
    ventana.exec();
}

}  // namespace celvara::ui
