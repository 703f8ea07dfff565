// What the tree selection of the main window designates and what the
// right-hand side shows for it: the selection state, the current station and
// set-up, the texts of the station detail pane and of the set-up header as
// the user types them (written into the book when the selection leaves
// them), the coordinate files of the working folder and the points of the
// one selected, the grid's current row and the drawing mode; and the
// revision counters the views compare to know what to fetch again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "manager/gestor_documento.h"

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
// coordinate files by their index in the list of coordinate files.
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

// The coordinate files of the working folder and the points of the one open.
class CFicherosCoordenadas {
public:
    CFicherosCoordenadas() : lector_(lectorCoordenadasCrd()) {}

    // The "*.crd" files of a host folder, sorted by name ignoring case.
    void listar(const std::filesystem::path& carpeta);
    const std::vector<std::string>& nombres() const { return nombres_; }
    // Reads file `indice` of the list, in `carpeta`, into the points; false
    // (and no points) when it cannot be read.
    bool leer(const std::filesystem::path& carpeta, std::size_t indice);
    const std::vector<PuntoListado>& puntos() const { return puntos_; }
    void vaciarPuntos() { std::vector<PuntoListado>().swap(puntos_); }
    void fijarLector(LectorCoordenadas lector) { lector_ = std::move(lector); }

private:
    LectorCoordenadas lector_;
    std::vector<std::string> nombres_;
    std::vector<PuntoListado> puntos_;
};

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

// Where the selection stood, by positions in the book (undo and redo
// replace records, so pointers would not do).
struct LugarSeleccion {
    std::optional<std::size_t> estacion;
    std::optional<std::size_t> estacionamiento;
    EstadoSeleccion estado = EstadoSeleccion::Ninguno;
    std::size_t fila = 0;
};

inline constexpr const char* kImagenPorDefecto = "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP";
inline constexpr const char* kTitulosTipoBase[] = {"FENO", "CLAVO", "VERTICE"};

// Positions of records in the book, or nothing when they are not in it.
std::optional<std::size_t> posicionDe(const CLibretaCampo& libreta, const Estacion* e);
std::optional<std::pair<std::size_t, std::size_t>> posicionDe(const CLibretaCampo& libreta, const Estacion* e,
                                                              const Estacionamiento* s);
// Windows path of the bitmap of a station's tab (0 photograph, 1 sketch): the
// default picture when there is no station or its path is empty.
std::string rutaImagen(const Estacion* estacion, int pestana);

class CSeleccionGestor : public ObservadorDocumento {
public:
    explicit CSeleccionGestor(CDocumentoObservaciones& documento);
    CSeleccionGestor(const CSeleccionGestor&) = delete;
    CSeleccionGestor& operator=(const CSeleccionGestor&) = delete;

    // ---- The tree.
    // The "*.crd" files of the working directory and the points of the one selected.
    const CFicherosCoordenadas& coordenadas() const { return coordenadas_; }
    CFicherosCoordenadas& coordenadas() { return coordenadas_; }
    void listarFicherosCoordenadas();
    // The coordinate files listed again with the same node selected (a file
    // by its name, reread): a file written or added to shows without moving
    // the user elsewhere. With `siCambian`, nothing more when the list is
    // the same.
    void refrescarFicherosCoordenadas(bool siCambian = false);
    // Rebuilds the tree and selects (in this order of preference) "Coordenadas"
    // when asked, the set-up if it still belongs to the station, the station
    // if it is still in the book, else "Estaciones".
    void reconstruirArbol(const Estacion* estacion = nullptr, const Estacionamiento* estacionamiento = nullptr,
                          bool seleccionarCoordenadas = false);
    // The selection change: pending pane edits are written into the book,
    // then the right-hand side shows the new node.
    void seleccionar(const NodoArbol& nodo);
    const NodoArbol& nodo() const { return nodo_; }
    EstadoSeleccion estado() const { return estado_; }
    // Caption of the right-hand side for the current state.
    std::string_view rotulo() const;

    // ---- Right-hand side.
    Estacion* estacionActual() const { return estacionActual_; }
    Estacionamiento* estacionamientoActual() const { return estacionamientoActual_; }
    // The current records may leave the book: nothing refers to them any more.
    void olvidarActuales();
    PanelEstacion& panelEstacion() { return panelEstacion_; }
    PanelEstacionamiento& panelEstacionamiento() { return panelEstacionamiento_; }
    // Every change of the orientation text stores its value at once.
    void cambiarTextoDesorientacion(std::string_view textoUtf8);
    // Writes pending edits of the pane shown into the book, keeping the selection.
    void escribirPanelesPendientes() override;
    // Whether the pane shown holds typing not yet in the book (undo writes it first).
    bool panelPendiente() const;
    // A station or set-up was renamed: the panes show the names of the records.
    void refrescarNombres();
    int pestanaImagen() const { return pestanaImagen_; }
    void cambiarPestana(int pestana);

    // ---- The grid and the drawing.
    std::size_t filaActual() const { return filaActual_; }
    void fijarFilaActual(std::size_t fila) { filaActual_ = fila; }
    // One-shot: the last command asks the view to give the grid the focus.
    void pedirFocoRejilla() { focoRejilla_ = true; }
    bool tomarPeticionFocoRejilla() { return std::exchange(focoRejilla_, false); }
    ModoDibujo modoDibujo() const { return modoDibujo_; }
    bool vista(VistaDibujo v) const;
    void cambiarVista(VistaDibujo v, bool activa);

    const Revisiones& revisiones() const { return revisiones_; }
    void tocarArbol();
    void tocarRejilla();
    void tocarPaneles() { ++revisiones_.paneles; }
    void tocarDibujo() { ++revisiones_.dibujo; }

    // ---- Selection rules shared with the commands.
    // The selected station (a station node, or the station of a set-up
    // node); otherwise "1º Seleccionar una Estación", or nothing under
    // "Coordenadas".
    Estacion* estacionSeleccionada();
    // The selected set-up; otherwise "1º Seleccionar la SubEstación".
    Estacionamiento* estacionamientoSeleccionado();

    // ---- Undo and redo show the same place again.
    LugarSeleccion lugar() const;
    void volverA(const LugarSeleccion& lugar);

    // ---- The document replaced its book.
    void olvidarLibreta() override;
    void mostrarLibreta() override { reconstruirArbol(); }

private:
    void mostrarEstacion();
    void mostrarEstacionamiento();
    void escribirPanelEstacion();
    void escribirPanelEstacionamiento();
    void vaciarPuntos();

    CDocumentoObservaciones& documento_;
    CFicherosCoordenadas coordenadas_;

    NodoArbol nodo_;
    EstadoSeleccion estado_ = EstadoSeleccion::Estaciones;
    Estacion* estacionActual_ = nullptr;
    Estacionamiento* estacionamientoActual_ = nullptr;
    PanelEstacion panelEstacion_;
    PanelEstacion panelEstacionMostrado_;
    PanelEstacionamiento panelEstacionamiento_;
    PanelEstacionamiento panelEstacionamientoMostrado_;
    double desorientacionMostrada_ = 0;
    int pestanaImagen_ = 0;

    std::size_t filaActual_ = 0;
    bool focoRejilla_ = false;
    ModoDibujo modoDibujo_ = ModoDibujo::Estaciones;
    Revisiones revisiones_;
};

}  // namespace celvara
