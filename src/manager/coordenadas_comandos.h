// The main window's work with coordinate files, without the window: the
// "*.crd" files under "Coordenadas", the grid of the selected file, and the
// commands "Importar de CRD ...", "Exportar  a  CRD ...", "Recoger
// Coordenadas de un *.CRD" and the station pop-up's "Recoger XYZ de un
// *.CRD". The window asks for the file with the dialog described here, calls
// the command, then rebuilds its tree and sets its modified flag as the
// result says.
//
// Failures to read or write a coordinate file are silent by design: the
// commands show no message for them and report them only in their result.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "datos/fichero_crd.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

// --- File dialogs -----------------------------------------------------------
// All four commands: default extension "CRD", empty initial name, the working
// directory as initial directory, no read-only box. The reading commands
// want an existing file; the export asks before overwriting.
inline constexpr const char* kExtensionCrd = "CRD";
inline constexpr const char* kFiltroCrd =
    "Archivos de Coordenadas (*.CRD) |*.CRD|Todos los archivos (*.*) |*.*||";

// The same filter as (description, pattern) pairs, for dialogs that take
// them apart. The pattern is matched ignoring case.
struct FiltroDialogo {
    const char* descripcion;
    const char* patron;
};
inline constexpr FiltroDialogo kFiltrosCrd[] = {{"Archivos de Coordenadas (*.CRD) ", "*.CRD"},
                                                {"Todos los archivos (*.*) ", "*.*"}};

struct DialogoFicheroCrd {
    const char* titulo;  // the system's own titles of the open and save dialogs
    bool guardar;        // save dialog: asks before overwriting; open dialog: the file must exist
};
inline constexpr DialogoFicheroCrd kDialogoImportarCrd{"Abrir", false};
inline constexpr DialogoFicheroCrd kDialogoExportarCrd{"Guardar como", true};
inline constexpr DialogoFicheroCrd kDialogoRecogerCrd{"Abrir", false};  // also "Recoger XYZ de un *.CRD"

// --- The "Coordenadas" node ---------------------------------------------------

// Names of the coordinate files of a folder (*.crd, *.CRD, *.Crd ...), as the
// host spells them, sorted by name ignoring case. Folders are left out; an
// unreadable folder lists nothing.
std::vector<std::string> listarFicherosCrd(const std::filesystem::path& carpeta);

// The file behind a node: its real name in the folder, found ignoring case.
std::filesystem::path rutaFicheroCrd(const std::filesystem::path& carpeta, std::string_view textoNodo);

// Selecting a file node: the point list is freed and the file read into it
// in file order. On failure the message "ERROR" (no caption) and -5001.
Estado abrirFicheroCrdDelArbol(const std::filesystem::path& carpeta, std::string_view textoNodo,
                               ListaPuntos& puntos, Avisos& avisos);

// --- The points grid ------------------------------------------------------------
struct ColumnaPuntos {
    const char* titulo;  // UTF-8
    int longitud;        // characters the cell accepts
    int ancho;           // pixels; 0 = the grid's default
};
inline constexpr ColumnaPuntos kColumnasPuntos[] = {{"NUMERO", 15, 0},  {"Estación", 15, 70}, {"X", 12, 0},
                                                     {"Y", 12, 0},       {"Z", 12, 0},         {"Código", 50, 150}};
inline constexpr int kNumColumnasPuntos = 6;

// Text of one cell (Windows-1252): a base shows its name followed by "*";
// coordinates with "%1.3lf". An unknown column gives an empty text.
std::string textoCeldaPunto(const PuntoCoordenadas& punto, int columna);

// --- Commands -----------------------------------------------------------------------
struct ResultadoComandoCrd {
    bool ejecutado = false;         // false: nothing to do (no stations, no station selected)
    Estado estado = Estado::Exito;  // reading the file, and for the export writing it
    std::size_t puntosLeidos = 0;
    std::size_t estaciones = 0;     // stations added, stations given coordinates, or points exported
    bool modificada = false;        // the window sets its modified flag (and rebuilds the tree)
};

// "Importar de CRD ...": every point flagged as a base becomes a station
// appended to the book (name, tipo 0, X, Y, Z, its code as descripcion1, the
// default photograph in both picture paths); names are not checked against
// the book. A station that cannot be allocated shows "\nfalta memoria" and
// stops the import. Runs even on an unreadable file (which adds nothing).
ResultadoComandoCrd importarDeCrd(CLibretaCampo& libreta, const std::filesystem::path& ruta, Avisos& avisos);

// "Exportar  a  CRD ...": only when the book has stations. The points of the
// target are kept (it is read first when it exists), then one base point
// per station is appended in list order and the whole list is written in
// the current form. Exporting twice to one file lists every station twice.
// When the target exists but cannot be read, nothing is written, so that a
// file we could not read is never replaced by a shorter one.
ResultadoComandoCrd exportarACrd(const CLibretaCampo& libreta, const std::filesystem::path& ruta);

// "Recoger Coordenadas de un *.CRD": only when the book has stations. Every
// station named like a point takes that point's X, Y, Z; of several points
// of one name the last in the file wins. The base flag is not looked at. A
// point with a value not finite or beyond ±1e9 gives nothing.
ResultadoComandoCrd recogerCoordenadasDeCrd(CLibretaCampo& libreta, const std::filesystem::path& ruta);

// "Recoger XYZ de un *.CRD": the same for one station only (the selected
// one); with no station nothing happens.
ResultadoComandoCrd recogerXyzDeCrd(Estacion* estacion, const std::filesystem::path& ruta);

}  // namespace celvara
