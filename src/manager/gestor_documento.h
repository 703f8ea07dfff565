// The document of the main window: the field book and the settings, the
// book's path (the settings' last file), its modified flag and history of
// changes, opening and saving it, and its recovery copy. It knows nothing of
// the screen: before it reads the book it has its observer write what is
// typed in the panes, and it tells it when the book is replaced.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <string_view>

#include "fieldbook/arranque.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"
#include "manager/historial.h"
#include "manager/recuperacion.h"

namespace celvara {

// What the document asks of the selection shown over it.
class ObservadorDocumento {
public:
    virtual ~ObservadorDocumento() = default;
    // What is typed in the pane shown goes into the book before it is read.
    virtual void escribirPanelesPendientes() = 0;
    // The book is about to be replaced: nothing of the old one stays on screen.
    virtual void olvidarLibreta() = 0;
    // The book changed as a whole: the tree is built anew.
    virtual void mostrarLibreta() = 0;
};

class CDocumentoObservaciones {
public:
    CDocumentoObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos);
    CDocumentoObservaciones(const CDocumentoObservaciones&) = delete;
    CDocumentoObservaciones& operator=(const CDocumentoObservaciones&) = delete;

    void fijarObservador(ObservadorDocumento* observador) { observador_ = observador; }

    // Start-up: working directory from the start-up file, settings loaded and
    // saved again, the autosave interval, the last observation file opened
    // (or `libretaPedida`, a Windows-form UTF-8 path given on the command
    // line), a recovery copy of it or of a book never saved offered.
    void iniciar(EntornoArranque& entorno, const std::string& libretaPedida = {});

    CLibretaCampo& libreta() { return libreta_; }
    const CLibretaCampo& libreta() const { return libreta_; }
    CDatosGenerales& ajustes() { return ajustes_; }
    const CDatosGenerales& ajustes() const { return ajustes_; }
    const MapaRutas& mapa() const { return mapa_; }
    Avisos& avisos() { return avisos_; }
    DialogosGestor& dialogos() { return dialogos_; }
    // Host path of a Windows path kept as record bytes (Windows-1252).
    std::filesystem::path anfitrion(std::string_view rutaCp1252) const;

    // Modified: the history is away from the point of the last save (or a
    // change was made outside it).
    bool modificado() const { return modificado_ || !historial_.enLimpio(); }
    void marcarModificado();
    // Window title, UTF-8.
    const std::string& titulo() const { return titulo_; }
    // A short note of what a command did (UTF-8), for the status bar: set
    // by the command, taken once by the window.
    void anotar(std::string nota) { nota_ = std::move(nota); }
    std::string tomarNota() { return std::exchange(nota_, {}); }

    // ---- Undo and redo.
    const CHistorial& historial() const { return historial_; }
    // A change already made in the book, to be undone as one step.
    void registrarPaso(std::unique_ptr<PasoLibreta> paso);
    // A change typed key by key: one step under `clave` for the whole typing.
    void registrarTecleo(std::unique_ptr<PasoLibreta> paso, std::string clave);
    // One step back or forward; a step that no longer fits the book gives
    // the history up with a message.
    void moverHistorial(bool atras);

    // ---- Another window of the program holds the book.
    // Before it opens: a window that may write into the book (`escribe`) has
    // the changes so far on disk, and the book is photographed.
    void antesDeOtraVentana(bool escribe);
    // After it closes: what it changed becomes the step `nombre` (none when empty).
    void despuesDeOtraVentana(const std::string& nombre);

    // ---- Autosave (see manager/recuperacion.h).
    // Writes the recovery copy when the book changed since the last one
    // (nothing while another window holds the book); true when written.
    bool autoguardar();
    const CRecuperacion& recuperacion() const { return recuperacion_; }

    // ---- File commands (gestor_ficheros.cpp).
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

private:
    void fijarTitulo(std::string titulo);
    void escribirPendiente();
    // The book in memory gives way to another: what the screen showed of it goes.
    void olvidarLibreta();
    bool preguntarGuardar(std::string_view titulo, bool esperarGrabar, bool& cancelado);
    PeticionFichero peticionObservaciones(bool guardar) const;
    bool escribirEnRutaActual();
    // Recovery copies: the open book's (sin_titulo's for a book never saved).
    std::filesystem::path rutaRecuperacion() const;
    // Asks about a copy newer than its book: "Sí" opens it as the modified
    // book, "No" puts it aside. True when it was opened.
    bool ofrecerRecuperacion(bool sinTitulo);

    const MapaRutas& mapa_;
    Avisos& avisos_;
    DialogosGestor& dialogos_;
    ObservadorDocumento* observador_ = nullptr;

    CLibretaCampo libreta_;
    CDatosGenerales ajustes_;
    bool modificado_ = false;
    std::uint64_t cambios_ = 0;  // changes made to the book, for the autosave
    CRecuperacion recuperacion_;
    CHistorial historial_;
    std::optional<FotoLibreta> foto_;  // the book as another window found it
    std::string titulo_ = "Gestor de Observaciones  - Datos de Campo -";
    std::string nota_;
};

}  // namespace celvara
