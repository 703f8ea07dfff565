// CGestorObservaciones: the observation manager as a class without a screen.
// It owns the field book, the settings and the point list of the open
// coordinate file; it knows what the tree selection designates, holds the
// texts of the station detail pane and of the set-up header as the user types
// them, and runs every command of the main window on the book. The Qt window
// binds its widgets to it and asks it again after each command (titles,
// tree, grid, panes), guided by the revision counters.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/arranque.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_comandos.h"
#include "manager/gestor_dialogos.h"
#include "manager/historial.h"
#include "manager/recuperacion.h"

namespace celvara {

enum class EstadoSeleccion : int {
    Ninguno = 0,
    Estaciones = 1,          // root "Estaciones": grid of all stations
    Estacion = 2,            // a station: its detail pane
    Estacionamiento = 3,     // a set-up: its header and the grid of its readings
    Coordenadas = 4,         // root "Coordenadas": the drawing
    FicheroCoordenadas = 5,  // a coordinate file: the grid of its points
};

enum class TipoNodo { Ninguno, RaizEstaciones, Estacion, Estacionamiento, RaizCoordenadas, FicheroCoordenadas };

// One node of the tree. Stations and set-ups are named by their records,
// coordinate files by their index in `ficherosCoordenadas()`.
struct NodoArbol {
    TipoNodo tipo = TipoNodo::Ninguno;
    Estacion* estacion = nullptr;  // the station, or the station of the set-up
    Estacionamiento* estacionamiento = nullptr;
    std::size_t fichero = 0;

    static NodoArbol raizEstaciones() { return {TipoNodo::RaizEstaciones}; }
    static NodoArbol raizCoordenadas() { return {TipoNodo::RaizCoordenadas}; }
    static NodoArbol deEstacion(Estacion* e) { return {TipoNodo::Estacion, e}; }
    static NodoArbol deEstacionamiento(Estacion* e, Estacionamiento* s) { return {TipoNodo::Estacionamiento, e, s}; }
    static NodoArbol deFichero(std::size_t i) { return {TipoNodo::FicheroCoordenadas, nullptr, nullptr, i}; }

    friend bool operator==(const NodoArbol&, const NodoArbol&) = default;
};

// Texts of the station detail pane (UTF-8), as shown and as typed.
struct PanelEstacion {
    std::string nombre;
    std::string x, y, z;
    std::string descripcion1, descripcion2;
    std::string croquis;  // lines separated by "\n"
    int tipo = 0;         // index in "FENO", "CLAVO", "VERTICE"

    friend bool operator==(const PanelEstacion&, const PanelEstacion&) = default;
};

// Texts of the set-up header (UTF-8).
struct PanelEstacionamiento {
    std::string nombre;
    std::string estacion;
    std::string altura;
    std::string desorientacion;

    friend bool operator==(const PanelEstacionamiento&, const PanelEstacionamiento&) = default;
};

// A point of the open coordinate file as the main window lists and draws it.
// Texts are Windows-1252 like the records.
struct PuntoListado {
    std::string nombre;
    std::string estacion;
    double x = 0, y = 0, z = 0;
    std::string codigo;
    bool base = false;
};

// Reads a coordinate file (host path) into the point list; false when it
// cannot be read.
using LectorCoordenadas = std::function<bool(const std::filesystem::path&, std::vector<PuntoListado>&)>;

// The coordinate file reader (both file forms), the window's default.
LectorCoordenadas lectorCoordenadasCrd();

enum class ModoDibujo : int { Ninguno = 0, Estacionamiento = 1, Estaciones = 2, Proyecto = 3, FicheroCoordenadas = 4 };
enum class VistaDibujo { Estaciones, Puntos, Visuales, Numeros };

// Counters the views compare to know what to fetch again.
struct Revisiones {
    std::uint64_t arbol = 0;    // nodes or labels of the tree, or its selection
    std::uint64_t rejilla = 0;  // rows or columns of the grid
    std::uint64_t paneles = 0;  // texts of the detail pane or the set-up header
    std::uint64_t dibujo = 0;   // anything the drawing shows
    std::uint64_t libreta = 0;  // another book was started or opened: the drawing fits it anew
};

inline constexpr const char* kImagenPorDefecto = "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP";
inline constexpr const char* kTitulosTipoBase[] = {"FENO", "CLAVO", "VERTICE"};

class CGestorObservaciones {
public:
    CGestorObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos,
                         MostradorInformes& mostrador);
    CGestorObservaciones(const CGestorObservaciones&) = delete;
    CGestorObservaciones& operator=(const CGestorObservaciones&) = delete;
    ~CGestorObservaciones();

    // Start-up: working directory from the start-up file, settings loaded and
    // saved again, the last observation file opened (or `libretaPedida`, a
    // Windows-form UTF-8 path given on the command line), a recovery copy of
    // it or of a book never saved offered, the tree built.
    void iniciar(EntornoArranque& entorno, const std::string& libretaPedida = {});

    // ---- What the window holds.
    CLibretaCampo& libreta() { return libreta_; }
    const CLibretaCampo& libreta() const { return libreta_; }
    CDatosGenerales& ajustes() { return ajustes_; }
    const CDatosGenerales& ajustes() const { return ajustes_; }
    const MapaRutas& mapa() const { return mapa_; }
    Avisos& avisos() { return avisos_; }
    DialogosGestor& dialogos() { return dialogos_; }
    MostradorInformes& mostrador() { return mostrador_; }
    const std::vector<PuntoListado>& puntos() const { return puntos_; }
    void fijarLectorCoordenadas(LectorCoordenadas lector) { lectorCoordenadas_ = std::move(lector); }
    // Frees the point list of the open coordinate file.
    void vaciarPuntos();

    // Modified: the history is away from the point of the last save (or a
    // change was made outside it).
    bool modificado() const { return modificado_ || !historial_.enLimpio(); }
    void marcarModificado();
    const std::string& titulo() const { return titulo_; }
    const Revisiones& revisiones() const { return revisiones_; }

    // ---- Autosave (see manager/recuperacion.h).
    // Writes the recovery copy when the book changed since the last one
    // (nothing while a window of another part holds the book); true when written.
    bool autoguardar();
    const CRecuperacion& recuperacion() const { return recuperacion_; }

    // ---- The tree.
    // The "*.crd" files of the working directory, sorted by name.
    const std::vector<std::string>& ficherosCoordenadas() const { return ficherosCrd_; }
    // Rebuilds the tree and selects (in this order of preference) "Coordenadas"
    // when asked, the set-up if it still belongs to the station, the station
    // if it is still in the book, else "Estaciones".
    void reconstruirArbol(const Estacion* estacion = nullptr, const Estacionamiento* estacionamiento = nullptr,
                          bool seleccionarCoordenadas = false);
    // The selection change: pending pane edits are written into the book,
    // then the right-hand side shows the new node.
    void seleccionar(const NodoArbol& nodo);
    const NodoArbol& seleccion() const { return seleccion_; }
    EstadoSeleccion estado() const { return estado_; }
    // Caption of the right-hand side for the current state.
    std::string_view rotulo() const;
    // A label edited in the tree; false leaves the old name.
    bool renombrar(const NodoArbol& nodo, std::string_view textoUtf8);

    // ---- Right-hand side.
    Estacion* estacionActual() const { return estacionActual_; }
    Estacionamiento* estacionamientoActual() const { return estacionamientoActual_; }
    PanelEstacion& panelEstacion() { return panelEstacion_; }
    PanelEstacionamiento& panelEstacionamiento() { return panelEstacionamiento_; }
    // Every change of the orientation text stores its value at once.
    void cambiarTextoDesorientacion(std::string_view textoUtf8);
    // Writes pending edits of the pane shown into the book, keeping the selection.
    void escribirPanelesPendientes();

    int pestanaImagen() const { return pestanaImagen_; }
    void cambiarPestana(int pestana);
    // Windows path of the bitmap of the current tab (the default picture for an empty path).
    std::string rutaImagen() const;
    // Button "Seleccionar Fichero  *.BMP . --->".
    void elegirImagen();

    // ---- Undo and redo.
    const CHistorial& historial() const { return historial_; }
    // A change already made in the book, to be undone as one step.
    void registrarPaso(std::unique_ptr<PasoLibreta> paso);
    // Pending pane edits become a step first; the tree and the panes follow.
    void deshacer();
    void rehacer();

    // ---- The grid.
    FuenteRejilla& rejilla();
    std::size_t filaActual() const { return filaActual_; }
    void fijarFilaActual(std::size_t fila);
    // The user finished editing a cell; true when the book changed.
    bool editarCelda(std::size_t fila, std::size_t columna, std::string_view textoUtf8);
    // The grid's insert-row (append when `fila` equals the row count) and delete-row requests.
    void insertarFila(std::size_t fila);
    void borrarFila(std::size_t fila);
    // One-shot: the last command asks the view to give the grid the focus.
    bool tomarPeticionFocoRejilla() { return std::exchange(focoRejilla_, false); }

    // ---- The drawing.
    ModoDibujo modoDibujo() const { return modoDibujo_; }
    bool vista(VistaDibujo v) const;
    void cambiarVista(VistaDibujo v, bool activa);

    // ---- Commands of this window.
    // Runs an action the window serves itself (see accionPropiaDelGestor).
    void ejecutar(Accion accion);
    void nuevo();
    void abrir();
    // Opens a book without asking for it (Windows-form path, UTF-8): the file
    // given on the program's command line.
    void abrirLibreta(const std::string& ruta);
    bool grabar();
    bool grabarComo();
    // Saves the settings and asks about unsaved changes; true when the window may close.
    bool salir();
    void importarObs();
    void insertarEstacion();
    void anadirEstacion();
    void anadirEstacionPorNombre();
    void borrarEstacion();
    void anadirEstacionamiento();
    void borrarEstacionamiento();
    void unirTodosEstacionamientos();
    void insertarLectura();
    void anadirLectura();
    void borrarLectura();
    void actualizar();
    void generarInformeResumen();
    void configurar();
    void recogerCoordenadasAcad();
    // The one answer of every command whose window is not built yet.
    void noDisponible();

    // ---- Selection rules shared with the commands of other windows.
    // The selected station (a station node, or the station of a set-up
    // node); otherwise "1º Seleccionar una Estación", or nothing under
    // "Coordenadas".
    Estacion* estacionSeleccionada();
    // The selected set-up; otherwise "1º Seleccionar la SubEstación".
    Estacionamiento* estacionamientoSeleccionado();
    // For the station computations: the selected station, else the first.
    Estacion* estacionParaCalculo() const;

    // ---- Hand-off to the other windows.
    // Before the window opens: the tree is rebuilt with "Estaciones"
    // selected where the window needs it, otherwise pending pane edits are
    // written; either way the book holds every edit when the window reads it.
    void antesDeVentana(Accion accion);
    // After it closes: the tree rebuilt as the window needs (selecting the
    // station and set-up it reports) and the modified flag set.
    void despuesDeVentana(Accion accion, const Estacion* estacion = nullptr,
                          const Estacionamiento* estacionamiento = nullptr);

private:
    class RejillaGestor;
    friend class RejillaGestor;

    // Tree and panes.
    void listarFicherosCoordenadas();
    void mostrarEstacion();
    void mostrarEstacionamiento();
    void escribirPanelEstacion();
    void escribirPanelEstacionamiento();
    void olvidarActuales();
    bool estacionEnLibreta(const Estacion* e) const;
    bool estacionamientoEnLibreta(const Estacion* e, const Estacionamiento* s) const;
    void tocarRejilla();
    void tocarArbol();
    void fijarTitulo(std::string titulo);

    // File commands.
    bool preguntarGuardar(std::string_view titulo, bool esperarGrabar, bool& cancelado);
    PeticionFichero peticionObservaciones(bool guardar) const;
    bool escribirEnRutaActual();
    // Recovery copies: the open book's (sin_titulo's for a book never saved).
    std::filesystem::path rutaRecuperacion() const;
    // Asks about a copy newer than its book: "Sí" opens it as the modified
    // book, "No" puts it aside. True when it was opened.
    bool ofrecerRecuperacion(bool sinTitulo);
    // The book's changes were given up (or undone): the copy this session
    // wrote or took goes.
    void retirarRecuperacion();
    // Host path of a Windows path kept as record bytes (Windows-1252).
    std::filesystem::path anfitrion(std::string_view rutaCp1252) const;

    // Edits.
    bool editarCeldaEstacion(std::size_t fila, std::size_t columna, std::string_view texto);
    bool editarCeldaLectura(std::size_t fila, std::size_t columna, std::string_view texto);
    bool renombrarEstacion(Estacion& estacion, std::string_view nombreCp1252);
    bool renombrarEstacionamiento(Estacionamiento& estacionamiento, std::string_view nombreCp1252);
    void insertarEstacionEn(std::size_t fila);
    void insertarLecturaEn(std::size_t fila);
    void borrarEstacionEn(std::size_t fila);
    void borrarLecturaEn(std::size_t fila);
    void eliminarEstacion(Estacion* estacion);
    std::optional<std::size_t> posicionDe(const Estacion* e) const;
    std::optional<std::pair<std::size_t, std::size_t>> posicionDe(const Estacion* e, const Estacionamiento* s) const;
    void moverHistorial(bool atras);

    const MapaRutas& mapa_;
    Avisos& avisos_;
    DialogosGestor& dialogos_;
    MostradorInformes& mostrador_;
    LectorCoordenadas lectorCoordenadas_;

    CLibretaCampo libreta_;
    CDatosGenerales ajustes_;
    std::vector<PuntoListado> puntos_;
    std::vector<std::string> ficherosCrd_;
    bool modificado_ = false;
    std::uint64_t cambios_ = 0;  // changes made to the book, for the autosave
    CRecuperacion recuperacion_;
    CHistorial historial_;
    std::optional<FotoLibreta> foto_;  // the book as another window found it
    std::string titulo_ = "Gestor de Observaciones  - Datos de Campo -";

    NodoArbol seleccion_;
    EstadoSeleccion estado_ = EstadoSeleccion::Estaciones;
    Estacion* estacionActual_ = nullptr;
    Estacionamiento* estacionamientoActual_ = nullptr;
    PanelEstacion panelEstacion_;
    PanelEstacion panelEstacionMostrado_;
    PanelEstacionamiento panelEstacionamiento_;
    PanelEstacionamiento panelEstacionamientoMostrado_;
    double desorientacionMostrada_ = 0;
    int pestanaImagen_ = 0;

    std::unique_ptr<RejillaGestor> rejilla_;
    std::size_t filaActual_ = 0;
    bool focoRejilla_ = false;
    ModoDibujo modoDibujo_ = ModoDibujo::Estaciones;
    Revisiones revisiones_;
};

}  // namespace celvara
