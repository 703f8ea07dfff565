#include "manager/gestor_observaciones.h"

#include "manager/gestor_configuracion.h"

namespace celvara {

CGestorObservaciones::CGestorObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos,
                                           MostradorInformes& mostrador)
    : mostrador_(mostrador),
      documento_(mapa, avisos, dialogos),
      seleccion_(documento_),
      ediciones_(documento_, seleccion_),
      rejilla_(documento_, seleccion_, ediciones_) {}

void CGestorObservaciones::iniciar(EntornoArranque& entorno, const std::string& libretaPedida) {
    documento_.iniciar(entorno, libretaPedida);
    seleccion_.reconstruirArbol();
}

void CGestorObservaciones::ejecutar(Accion accion) {
    CEdicionesGestor& e = ediciones_;
    switch (accion) {
        case Accion::Nuevo: documento_.nuevo(); break;
        case Accion::Abrir: documento_.abrir(); break;
        case Accion::Grabar: documento_.grabar(); break;
        case Accion::GrabarComo: documento_.grabarComo(); break;
        case Accion::ImportarObs: documento_.importarObs(); break;
        case Accion::Salir: documento_.salir(); break;
        case Accion::Configurar: configurar(); break;
        case Accion::InformeResumen: generarInformeResumen(); break;
        case Accion::Actualizar: seleccion_.reconstruirArbol(); break;
        case Accion::InsertarEstacion: e.insertarEstacion(); break;
        case Accion::AnadirEstacion: e.anadirEstacion(); break;
        case Accion::AnadirEstacionNombre: e.anadirEstacionPorNombre(); break;
        case Accion::BorrarEstacion: e.borrarEstacion(); break;
        case Accion::UnirTodosEstacionamientos: e.unirTodosEstacionamientos(); break;
        case Accion::AnadirEstacionamiento: e.anadirEstacionamiento(); break;
        case Accion::BorrarEstacionamiento: e.borrarEstacionamiento(); break;
        case Accion::InsertarLectura: e.insertarLectura(); break;
        case Accion::AnadirLectura: e.anadirLectura(); break;
        case Accion::BorrarLectura: e.borrarLectura(); break;
        case Accion::Deshacer: deshacer(); break;
        case Accion::Rehacer: rehacer(); break;
        case Accion::DibujarProyecto:
        case Accion::AcercaDe:
            break;
        default: break;  // the windows' actions: the main window opens them
    }
}

// The selection is kept by position: the step may replace the records.
void CGestorObservaciones::moverHistorial(bool atras) {
    seleccion_.escribirPanelesPendientes();
    const CHistorial& h = documento_.historial();
    if (atras ? !h.puedeDeshacer() : !h.puedeRehacer()) return;
    const LugarSeleccion lugar = seleccion_.lugar();
    seleccion_.olvidarActuales();
    documento_.moverHistorial(atras);
    seleccion_.volverA(lugar);
}

void CGestorObservaciones::configurar() {
    CConfiguracion configuracion(ajustes());
    if (dialogos().editarConfiguracion(configuracion)) {
        configuracion.aceptar(ajustes());
        // The zone and datum are the job's: beside its book at once, not at the next save.
        if (!ajustes().ultimoFichero.vacio())
            guardarProyeccionTrabajo(documento_.anfitrion(ajustes().ultimoFichero.vista()), ajustes().proyeccionTrabajo);
    }
    libreta().proyeccion = ajustes().proyeccion;
    seleccion_.tocarDibujo();
}

}  // namespace celvara
