// "Importar Datos Campo": the logic of the import window. It holds the list
// of formats, the source choice and the import lists; "Aceptar" (or a double
// click in the list) runs the chosen format's reader and merges what it read
// into the field book. The window asks for the file through a callback and
// shows messages through Avisos.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "import/formatos.h"
#include "import/listas_importacion.h"

namespace celvara {

enum class OrigenDatos { Fichero, EstacionOLibreta };

enum class ResultadoImportacion {
    SinAccion,  // nothing done (no selection, cancelled, empty path, not available)
    Fallo,      // the reader failed: messages shown, the window stays open
    Cerrar,     // read and merged: the window closes
};

class CImportarDatosCampo {
public:
    // Asks for the file to read, given the format and its filter string;
    // nothing when the user cancels.
    using PedirFichero =
        std::function<std::optional<std::filesystem::path>(const FormatoImportacion& formato, const std::string& filtro)>;

    // Runs the serial download and gives the exchange file it wrote;
    // nothing when the port failed, the capture was dropped or was empty.
    using Capturar = std::function<std::optional<std::filesystem::path>()>;

    // `bandera`: the main window's flag byte, handed on to the serial download.
    CImportarDatosCampo(CDatosGenerales& ajustes, CLibretaCampo& libreta, std::uint8_t* bandera, Avisos& avisos);

    // The list as the window shows it, in table order.
    std::vector<std::string> textosLista() const;

    void seleccionar(std::optional<int> indice);
    std::optional<int> seleccion() const { return seleccion_; }

    // The two radio buttons; "CFG" is enabled only for the download.
    void elegirOrigen(OrigenDatos origen);
    OrigenDatos origen() const { return origen_; }
    bool cfgHabilitado() const { return origen_ == OrigenDatos::EstacionOLibreta; }
    void pulsarCfg();

    // "Aceptar" and a double click in the list. Without `capturar` the
    // download is not available.
    ResultadoImportacion aceptar(const PedirFichero& pedirFichero, const Capturar& capturar = {});

    // "Detectar formato": asks for any file, lets its content pick the
    // format (selected in the list and told to `alElegir` before the read),
    // then reads and merges it. When no single format fits, the message says
    // why (or lists the candidates) and nothing is read.
    ResultadoImportacion detectarEImportar(const PedirFichero& pedirFichero,
                                           const std::function<void(const FormatoImportacion&)>& alElegir = {});

    // From step 6 on: empties the lists, runs the selected reader on the
    // path and merges. Used by the window and by the command line.
    ResultadoImportacion importarFichero(const std::filesystem::path& ruta);

    // Told how far a read has gone (0 to 1); answering false cancels it and
    // nothing reaches the book.
    void fijarProgreso(std::function<bool(double)> progreso) { progreso_ = std::move(progreso); }

    const CListasImportacion& listas() const { return listas_; }
    std::uint8_t* bandera() const { return bandera_; }

private:
    CDatosGenerales& ajustes_;
    CLibretaCampo& libreta_;
    std::uint8_t* bandera_;
    Avisos& avisos_;
    CListasImportacion listas_;
    std::optional<int> seleccion_;
    OrigenDatos origen_ = OrigenDatos::Fichero;
    std::function<bool(double)> progreso_;
};

}  // namespace celvara
