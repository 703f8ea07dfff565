// What the observation manager asks of its surroundings: file dialogs, the
// name entry, the configuration sheet, and showing a written report. The Qt
// program implements these with its dialogs; tests answer them from a script.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace celvara {

class CConfiguracion;

// A common file dialog. Paths are Windows paths as the program stores them.
struct PeticionFichero {
    bool guardar = false;           // save dialog (else open)
    std::string extension;          // default extension, without the dot
    std::string nombreInicial;      // initial file name or path; may be empty
    std::string filtro;             // "Texto (*.X) |*.x|Todos (*.*) |*.*||"
    std::string directorioInicial;  // may be empty
    bool debeExistir = false;
    bool ocultarSoloLectura = true;
    bool confirmarSobrescribir = false;
    // The dialog's name in celvara.ini [Carpetas]: with it, the dialog starts
    // where it last chose a file for the same book (see carpetaDialogo).
    std::string recordar;
};

class DialogosGestor {
public:
    virtual ~DialogosGestor() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> pedirFichero(const PeticionFichero& peticion) = 0;
    // "INSERTAR DATO": the typed text (UTF-8), or nothing on cancel. In
    // set-up mode the second label reads "SUBESTACION".
    virtual std::optional<std::string> pedirNombre(bool estacionamiento, std::string_view textoInicial) = 0;
    // Runs the sheet "PANTALLA DE CONFIGURACION"; true when closed with OK.
    virtual bool editarConfiguracion(CConfiguracion& configuracion) = 0;
};

// Shows a report already written to disk (Windows path).
class MostradorInformes {
public:
    virtual ~MostradorInformes() = default;
    virtual void mostrar(std::string_view rutaWindows) = 0;
};

// Filters and extensions of the file dialogs of the main window.
inline constexpr const char* kFiltroObservaciones =
    "Archivos de Observaciones(*.OBS) |*.obs|Todos los archivos (*.*) |*.*||";
inline constexpr const char* kFiltroObservacionesGuardar =
    "Archivos de Observaciones (*.OBS) |*.obs|Todos los archivos (*.*) |*.*||";
inline constexpr const char* kFiltroTexto = "Archivos TEXTO (*.TXT) |*.TXT||";
inline constexpr const char* kFiltroImagen = "Archivos de imagen (*.BMP)|*.bmp||";

// The command line that shows a report on Windows.
std::string lineaOrdenEditor(std::string_view rutaWindows);

}  // namespace celvara
