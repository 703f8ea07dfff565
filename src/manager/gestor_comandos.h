// The commands of the observation manager as data: every entry of the main
// menu, the toolbar and the pop-up menus, with the numbers the old resources
// gave them and the one action each runs. The views build their menus from
// these tables; the window runs an action whatever entry raised it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace celvara {

enum class Accion {
    Ninguna,  // a sub-menu's title or a separator: no action of its own
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
    Resenas,  // "Reseñas...": the description sheet of the selected station
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
    RecalculoHelmert,
    RefinamientoPuntos,
    EditorCoordenadas,
    AcercaDe,
    Ayuda,  // the user manual: its contents
    ExportarPuntos,
    ImportarPuntos,
    Deshacer,  // "Edición": not in the old menus
    Rehacer,
};

// Every entry of the main menu, the toolbar and the pop-up menus by the
// number the old resources gave it (the files and tests that name an entry
// use these names). Entries of menu 140 carry the command's own name; the
// toolbar's start with "Barra" and the pop-up menus' with "Emergente".
enum class Comando : int {
    Ninguno = 0,  // a separator or a sub-menu
    AcercaDe = 16,  // "Acerca de Celvara...", in the host's system menu
    ManualCelvara = 57667,  // "Ayuda" › "Manual de Celvara" (the host's help-topics number)
    // Menu 140.
    Nuevo = 32785,
    Abrir = 32786,
    Grabar = 32787,
    GrabarComo = 32788,
    ImportarTodos = 32909,
    ImportarRad = 32992,
    ImportarObs = 33052,
    ImportarTopcal = 32908,
    ImportarTopcalComentarios = 33053,
    InformeResumen = 33016,
    ImprimirTablaDesorientaciones = 32879,
    DibujarProyecto = 32858,
    Salir = 32859,
    InsertarEstacion = 32919,
    AnadirEstacion = 32795,
    AnadirEstacionNombre = 32950,
    BorrarEstacion = 32796,
    UnirTodosEstacionamientos = 33054,
    RecogerCoordenadasCrd = 33019,
    RecogerCoordenadasAcad = 32995,
    ImportarEstacionesCrd = 32871,
    ExportarEstacionesCrd = 32877,
    ImprimirListadoBases = 32878,
    ImprimirResenaBase = 32994,
    Resenas = 32947,
    AnadirEstacionamiento = 32798,
    BorrarEstacionamiento = 32799,
    CambiarEstacion = 32869,
    UnirDosEstacionamientos = 32870,
    ImprimirEstadilloLecturas = 32880,
    InsertarLectura = 32921,
    AnadirLectura = 32801,
    BorrarLectura = 32802,
    OpcionesLecturas = 32911,
    DesorientacionTodas = 33022,
    DesorientacionIndividual = 32837,
    Radiacion = 32838,
    EstacionMmcc = 32991,
    EstacionIndependiente = 32839,
    TablaCalculo = 32790,
    Poligonales = 32940,
    AjusteRed = 33120,
    CierrePoligonos = 32840,
    Nivelacion = 32943,
    Tolerancias = 33062,
    ErroresPesos = 33064,
    CorregirLecturas = 32913,
    ToleranciasHerramientas = 32988,
    RecalculoHelmert = 32916,
    RefinamientoPuntos = 32990,
    EditorCoordenadas = 32803,
    Configurar = 32987,
    DatosTrabajo = 32918,
    ListadoInstrumentos = 32917,
    Actualizar = 32922,
    // The points' exchange (CSV/TXT, DXF, LandXML, KML): menu 140 and the
    // pop-up menu of a coordinate file.
    ExportarPuntos = 34001,
    ImportarPuntos = 34002,
    // "Edición" (not in the old menus).
    Deshacer = 57643,
    Rehacer = 57644,
    // Toolbar 203.
    BarraNuevo = 32952,
    BarraAbrir = 32951,
    BarraGrabar = 32953,
    BarraImportar = 33025,
    BarraImprimirEstadillos = 32982,
    BarraConfiguracion = 32989,
    BarraCabeceraTrabajo = 32977,
    BarraLibreriaInstrumentos = 32976,
    BarraTolerancias = 33063,
    BarraInsertar = 32980,
    BarraInsertarEstacion = 32970,
    BarraAnadirEstacion = 32972,
    BarraBorrarEstacion = 32971,
    BarraCrearEstacionamiento = 32957,
    BarraBorrarEstacionamiento = 32959,
    BarraInsertarLectura = 32973,
    BarraAnadirLectura = 32974,
    BarraBorrarLectura = 32975,
    BarraDesorientacion = 32962,
    BarraRadiacion = 32963,
    BarraEstacion = 32964,
    BarraPoligonales = 32965,
    BarraNivelacion = 32969,
    BarraAyuda = 32979,
    // Pop-up menus 182 "Estaciones", 183 "Estación" and 184 "Estacionamiento".
    EmergenteInsertarEstacion = 32996,
    EmergenteAnadirEstacion = 32997,
    EmergenteRecogerCrd = 33020,
    EmergenteRecogerAcad = 33004,
    EmergenteImportarCrd = 32998,
    EmergenteExportarCrd = 32999,
    EmergenteListadoBases = 33001,
    EmergenteAnadirEstacionamiento = 33003,
    EmergenteBorrarEstacion = 33005,
    EmergenteUnirTodos = 33055,
    EmergenteCalcularCoordenadas = 33007,
    EmergenteRecogerCrdEstacion = 33021,
    EmergenteResenaBase = 33006,
    EmergenteInsertarLectura = 33008,
    EmergenteAnadirLectura = 33009,
    EmergenteBorrarEstacionamiento = 33010,
    EmergenteDesorientacion = 33014,
    EmergenteCambiarEstacion = 33012,
    EmergenteUnirDos = 33013,
    EmergenteOpcionesLecturas = 33011,
    EmergenteEstadilloLecturas = 33015,
};

// An entry and the action it runs; entries that share an action share it
// whatever menu or bar they sit in.
struct EntradaMenu {
    std::string_view texto;  // UTF-8; empty with no id: a separator
    Comando id = Comando::Ninguno;  // none for a sub-menu
    Accion accion = Accion::Ninguna;
    std::vector<EntradaMenu> submenu;

    bool separador() const { return id == Comando::Ninguno && texto.empty() && submenu.empty(); }
};

struct BotonBarra {
    Comando id = Comando::Ninguno;  // none: a separator
    std::string_view consejo;       // tooltip; empty when the string table has none
    Accion accion = Accion::Ninguna;
};

// Menu 140 and, last, "Ayuda" with the manual and the about box.
const std::vector<EntradaMenu>& menuPrincipal();
// Toolbar 203 in order.
const std::vector<BotonBarra>& barraHerramientas();
// The pop-up menu of a selection state (1, 2, 3 or 5); empty for the others.
const EntradaMenu& menuEmergente(int estado);

// The action of an entry of any of those tables, or none for a number no
// entry carries.
std::optional<Accion> accionDeComando(Comando id);

// Whether the main window serves the action itself (false: it opens
// another window of the program).
bool accionPropiaDelGestor(Accion accion);


}  // namespace celvara
