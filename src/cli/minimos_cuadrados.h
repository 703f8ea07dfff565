// What the least-squares commands (estacion, red) share: their file options
// and the loading of the book, the settings and the instrument library.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara::cli {

struct OpcionesMinimosCuadrados {
    std::string libreta, config, instrumentos, informe;
    bool json = false;
};

// --config, --instrumentos, --informe and --json.
void anadirOpcionesMinimosCuadrados(CLI::App* sub, OpcionesMinimosCuadrados& o);

struct DatosMinimosCuadrados {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos;
    bool hayInstrumentos = false;
    const ListaInstrumentos* biblioteca() const { return hayInstrumentos ? &instrumentos : nullptr; }
};

// Reads the book and the settings; empty, or the message of what could not
// be read. The instrument library is the one named, else the settings' one
// on drive C:, else, when that file is not there (a machine where the
// desktop program never ran), the one shipped with the program
// ($CELVARA_DATOS, beside an installed program, or the sources); without
// any, the computation says so itself.
std::string cargarDatosMinimosCuadrados(const OpcionesMinimosCuadrados& o, DatosMinimosCuadrados& d);

}  // namespace celvara::cli
