// The commands of the observation manager as data: every entry of the main
// menu, the toolbar and the three pop-up menus, with the numbers the old
// resources gave them, mapped onto one action each. The views build their
// menus from these tables; the window runs an action whatever entry raised it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace celvara {

enum class Accion {
    SinAccion,  // shown; answers "Opción no disponible todavía"
    Nuevo,
    Abrir,
    Grabar,
    GrabarComo,
    ImportarTodos,
    ImportarRad,
    ImportarObs,
    ImportarTopcal,
    ImportarTopcalComentarios,
    DibujarProyecto,
    Salir,
    Configurar,
    DatosTrabajo,
    ListadoInstrumentos,
    Tolerancias,
    ErroresPesos,  // "Errores y Pesos...": the weighting of the least-squares station
    TablaCalculo,
    InformeResumen,
    Actualizar,
    ImprimirTablaDesorientaciones,
    InsertarEstacion,
    AnadirEstacion,
    AnadirEstacionNombre,
    BorrarEstacion,
    UnirTodosEstacionamientos,
    RecogerCoordenadasCrd,
    RecogerCoordenadasCrdEstacion,
    RecogerCoordenadasAcad,
    ImportarEstacionesCrd,
    ExportarEstacionesCrd,
    ImprimirListadoBases,
    ImprimirResenaBase,
    AnadirEstacionamiento,
    BorrarEstacionamiento,
    CambiarEstacion,
    UnirDosEstacionamientos,
    ImprimirEstadilloLecturas,
    InsertarLectura,
    AnadirLectura,
    BorrarLectura,
    OpcionesLecturas,
    CorregirLecturas,
    DesorientacionTodas,
    DesorientacionIndividual,
    EstacionMmcc,
    EstacionIndependiente,
    Poligonales,
    Nivelacion,
    Radiacion,
    DatosComplementarios,
    AjusteRed,
    AcercaDe,
    ExportarPuntos,
    ImportarPuntos,
    Deshacer,  // "Edición": not in the old menus
    Rehacer,
};

// The command number of "Acerca de Celvara..." in the host's system menu.
inline constexpr int kComandoAcercaDe = 16;
// The points' exchange commands (CSV/TXT, DXF, LandXML, KML).
inline constexpr int kComandoExportarPuntos = 34001;
inline constexpr int kComandoImportarPuntos = 34002;

struct EntradaMenu {
    std::string_view texto;  // UTF-8; empty with id 0: a separator
    int id = 0;              // 0 for a sub-menu
    std::vector<EntradaMenu> submenu;

    bool separador() const { return id == 0 && texto.empty() && submenu.empty(); }
};

struct BotonBarra {
    int id = 0;                   // 0: a separator
    std::string_view consejo;     // tooltip; empty when the string table has none
};

// Menu 140 and, last, "Ayuda" with the about box.
const std::vector<EntradaMenu>& menuPrincipal();
// Toolbar 203 in order.
const std::vector<BotonBarra>& barraHerramientas();
// The pop-up menu of a selection state (1, 2, 3 or 5); empty for the others.
const EntradaMenu& menuEmergente(int estado);

// The action of a command number, or none for a number no entry carries.
std::optional<Accion> accionDeComando(int id);

// Whether the main window serves the action itself (false: it opens
// another window of the program).
bool accionPropiaDelGestor(Accion accion);

inline constexpr std::string_view kMensajeNoDisponible = "Opción no disponible todavía";
inline constexpr std::string_view kMensajeNoOperativa = "Opción NO operativa en esta versión";

}  // namespace celvara
