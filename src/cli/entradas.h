// The files named on the command line, read under the batch tool's rules.
// The desktop program takes some damaged files leniently and shows the
// surveyor what it read; a script sees nothing of that, so here a book that
// ends before its records, settings of another version, a library with a
// cut or foreign record and job data of the wrong size are refused.
// Each returns an empty string when the file was read, else the command's
// message: `mensaje`, the path as given, and why when it is not plain.
#pragma once

#include <string>
#include <string_view>

#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "datos/datos_trabajo.h"
#include "datos/instrumentos.h"

namespace celvara::cli {

inline constexpr std::string_view kMensajeLibreta = "Error al abrir el fichero de observaciones ";
inline constexpr std::string_view kMensajeDatosTrabajo =
    "El fichero de Datos Informativos del Trabajo no Existe o esta Dañada: ";

std::string leerLibretaEntrada(CLibretaCampo& libreta, const std::string& ruta,
                               std::string_view mensaje = kMensajeLibreta);
std::string leerAjustesEntrada(CDatosGenerales& ajustes, const std::string& ruta, std::string_view mensaje);
std::string leerInstrumentosEntrada(ListaInstrumentos& lista, const std::string& ruta, std::string_view mensaje);
std::string leerDatosTrabajoEntrada(DatosTrabajo& datos, const std::string& ruta, std::string_view mensaje);

// Whether a file (not a folder) can be opened for reading.
bool legible(const std::string& ruta);

}  // namespace celvara::cli
