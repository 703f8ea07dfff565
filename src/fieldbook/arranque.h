// Start-up of the main window: the working directory from the start-up file
// C:\TRABAJOS\CELV.INI, the settings file beside it, and the last
// observation file opened again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "fieldbook/rutas.h"

namespace celvara {

inline constexpr const char* kFicheroInicio = "C:\\TRABAJOS\\CELV.INI";

// What the start-up touches outside the program, so that tests can stand in.
class EntornoArranque {
public:
    virtual ~EntornoArranque() = default;
    // Contents of the start-up file; nullopt when it cannot be opened.
    // `errorLectura` tells a read error after what was read.
    virtual std::optional<std::string> leerFicheroInicio(bool& errorLectura) = 0;
    virtual bool escribirFicheroInicio(std::string_view contenido) = 0;
    // The process's current directory, Windows form.
    virtual std::string directorioActual() = 0;
    virtual bool cambiarDirectorio(std::string_view directorioWindows) = 0;
};

// The host: the start-up file and directories through the path map.
class EntornoAnfitrion : public EntornoArranque {
public:
    explicit EntornoAnfitrion(const MapaRutas& mapa) : mapa_(mapa) {}
    std::optional<std::string> leerFicheroInicio(bool& errorLectura) override;
    bool escribirFicheroInicio(std::string_view contenido) override;
    std::string directorioActual() override;
    bool cambiarDirectorio(std::string_view directorioWindows) override;

private:
    const MapaRutas& mapa_;
};

struct DirectorioTrabajo {
    std::string ruta;  // always set, Windows form, trailing backslash
    bool exito = true;
};

DirectorioTrabajo leerDirectorioTrabajo(EntornoArranque& entorno);

std::string tituloGestor(std::string_view rutaFichero);
inline constexpr const char* kTituloGestorSinFichero = "Gestor de Observaciones - Datos de Campo -";

// The start-up sequence: settings file path from the working directory, load,
// reserved word 0 and save at once, then the last observation file. Returns
// the window title. The book's projection is not applied here.
std::string arrancarGestor(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                           Avisos& avisos);

}  // namespace celvara
