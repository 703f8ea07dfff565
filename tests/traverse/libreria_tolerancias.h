// A small instrument library for the tolerance tests: "TC-30" (A 30, s 12 cc,
// 10 cc, 2 mm + 2 ppm) first, then "TC-20" (A 20, s 0, 5 cc, 1 mm + 1 ppm).
#pragma once

#include <filesystem>

#include "datos/instrumentos.h"

namespace celvara::prueba {

inline bool escribirLibreriaTolerancias(const std::filesystem::path& ruta) {
    ListaInstrumentos lista(2);
    lista[0].nombre = TextoFijo<50>("TC-30");
    lista[0].aumentos = 30;
    lista[0].nivelTorico = 12;
    lista[0].precisionH = lista[0].precisionV = 10;
    lista[0].precisionDistanciaMm = lista[0].precisionDistanciaPpm = 2;
    lista[1].nombre = TextoFijo<50>("TC-20");
    lista[1].aumentos = 20;
    lista[1].precisionH = lista[1].precisionV = 5;
    lista[1].precisionDistanciaMm = lista[1].precisionDistanciaPpm = 1;
    return guardarInstrumentos(lista, ruta) == Estado::Exito;
}

}  // namespace celvara::prueba
