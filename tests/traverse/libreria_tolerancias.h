// A small instrument library for the tolerance tests: "TC-30" (A 30, s 12 cc,
// 10 cc, 2 mm + 2 ppm) first, then "TC-20" (A 20, s 0, 5 cc, 1 mm + 1 ppm).
#pragma once

#include <filesystem>

#include "datos/instrumentos.h"

namespace celvara::prueba {

inline bool escribirLibreriaTolerancias(const std::filesystem::path& ruta) {
    const ListaInstrumentos lista{{.nombre = "TC-30", .aumentos = 30, .precisionDistanciaMm = 2, .precisionDistanciaPpm = 2,
                                   .precisionH = 10, .precisionV = 10, .nivelTorico = 12},
                                  {.nombre = "TC-20", .aumentos = 20, .precisionDistanciaMm = 1, .precisionDistanciaPpm = 1,
                                   .precisionH = 5, .precisionV = 5}};
    return guardarInstrumentos(lista, ruta) == Estado::Exito;
}

}  // namespace celvara::prueba
