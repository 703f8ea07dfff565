// Helpers shared by the coordinate-file tests.
#pragma once

#include <filesystem>
#include <string_view>

#include "comun/imagen.h"
#include "fieldbook/libreta.h"

namespace celvara::prueba_crd {

inline std::filesystem::path datos(std::string_view nombre) {
    return std::filesystem::path(CELVARA_DATOS_PRUEBA) / "crd" / nombre;
}

using prueba::CarpetaTemporal;
inline std::string bytesDe(const std::filesystem::path& ruta) { return prueba::leerFichero(ruta); }
inline void grabarBytes(const std::filesystem::path& ruta, std::string_view bytes) { prueba::escribirFichero(ruta, bytes); }

// The book whose export is the golden file exportacion_estaciones.crd.
inline void libretaDeExportacion(CLibretaCampo& libreta) {
    crearEstacion(libreta.estaciones, {.nombre = "B1",
                                       .tipo = 2,
                                       .coordenadas = Coordenadas{1000.123, 2000.456, 50.5},
                                       .descripcion1 = "Clavo en acera",
                                       .descripcion2 = "no viaja"});
    crearEstacion(libreta.estaciones,
                  {.nombre = "ESTACION-LARGA1",
                   .coordenadas = Coordenadas{-12.5, 0.0, 1e-3},
                   .descripcion1 = "Descripci\xF3n larga de la base para comprobar el corte del c\xF3" "digo"});
    crearEstacion(libreta.estaciones, {.nombre = ""});
}

}  // namespace celvara::prueba_crd
