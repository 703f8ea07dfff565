// The settings object of the program and its file observa.dft (1620 bytes,
// version 6): blocks of the object dumped in a fixed order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fieldbook/libreta.h"
#include "fieldbook/proyeccion_trabajo.h"
#include "fieldbook/texto_fijo.h"

namespace celvara {

// Status codes of readers and importers at the boundaries that need them.
enum class Estado : std::int32_t { Exito = 5100, Fallo = -5001 };

constexpr std::uint32_t colorRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16;
}

// The default complementary data that the settings hand to new set-ups.
DatosComplementarios datosComplementariosPorDefecto();

class CDatosGenerales {
public:
    static constexpr std::uint32_t kVersionFichero = 6;
    static constexpr std::size_t kTamanoFichero = 1620;

    std::uint32_t reservado = 0;
    TextoFijo<256> rutaFicheroAjustes;   // not stored
    TextoFijo<256> ultimoFichero;        // path of the current observation file

    // Calculation block.
    std::uint32_t proyeccion = 0;  // Proyeccion
    double escalaAdicional = 1.0;
    double coefCurvaturaRefraccion = 0.42;
    double radioTerrestre = 6378388.0;
    TextoFijo<5> prefijoPrecisionX{"Px="};
    TextoFijo<5> prefijoPrecisionY{"Py="};
    TextoFijo<5> prefijoPrecisionZ{"Pz="};
    TextoFijo<5> prefijoDesplazamientoLongitudinal{"Dl="};
    TextoFijo<5> prefijoDesplazamientoTransversal{"Dt="};
    TextoFijo<5> prefijoDesplazamientoAltura{"Da="};
    double errorCentradoEstacion = 0.005;       // "E.e=", metres
    double errorCentradoPunto = 0.005;          // "E.p=", metres
    double errorAlturaInstrumento = 0.005;      // "E.h.e=", metres
    double errorAlturaJalon = 0.002;            // "E.h.p=", metres
    double inclinacionJalon = 1.0;              // "E.Incl", centesimal degrees
    std::uint8_t calcularConPesos = 1;
    double varianzaReferencia = 1.0;
    std::uint8_t noCalcularVisualesAEstaciones = 1;

    // Colours, RGB with red in the low byte.
    std::uint32_t colorTablaCoordenadas = colorRgb(220, 255, 255);
    std::uint32_t colorTablaObservaciones = colorRgb(220, 255, 255);
    std::uint32_t colorGestor = colorRgb(255, 255, 240);

    // View flags of the main window.
    std::uint8_t verEstaciones = 1;
    std::uint8_t verPuntos = 0;
    std::uint8_t verVisuales = 0;
    std::uint8_t verNumeros = 0;

    // Files block.
    TextoFijo<256> ficheroInstrumentos{"c:\\trabajos\\vestrum\\instrumentos.apa"};
    TextoFijo<256> ficheroDatosTrabajo{"c:\\trabajos\\vestrum\\datos_empresa.prt"};
    TextoFijo<256> ficheroLogoEmpresa{"c:\\trabajos\\vestrum\\logo.bmp"};
    TextoFijo<256> ficheroInformes{"c:\\trabajos\\informe.txt"};
    std::uint32_t idioma = 1;

    DatosComplementarios datosPorDefecto = datosComplementariosPorDefecto();

    std::uint32_t metodoCompensacion = 0;
    std::uint32_t decimalesPoligonal = 4;

    // Working directory, Windows form with a trailing backslash (not stored).
    TextoFijo<256> directorioTrabajo;
    // The open job's zone and datum (not stored: the INI beside the book).
    ProyeccionTrabajo proyeccionTrabajo;
};

// The settings file path for a working directory: its first two components
// (drive and first folder), or the directory itself when it has only one.
std::string rutaFicheroAjustes(std::string_view directorioTrabajo);

// The open book's folder, Windows form with a trailing backslash: where its
// coordinate files live and its reports and listings start; the working
// directory for a book never saved.
std::string carpetaLibreta(const CDatosGenerales& ajustes);

// File image of the settings; `imagenAjustes` writes exactly 1620 bytes.
std::string imagenAjustes(const CDatosGenerales& ajustes);

// Loads from a host path. A missing file or a short read keeps the blocks
// read so far over the defaults and fails; another version keeps every
// default (only the reserved word is taken) and succeeds.
Estado cargarAjustes(CDatosGenerales& ajustes, const std::filesystem::path& ruta);
Estado guardarAjustes(const CDatosGenerales& ajustes, const std::filesystem::path& ruta);

}  // namespace celvara
