// The small job the main-window tests share: stations A (1000, 2000, 100),
// B and C; A with set-ups A_1 (sights to B and C, and point 1) and A_2.
#pragma once

#include "fieldbook/libreta.h"

namespace celvara::prueba {

inline void libretaPequena(CLibretaCampo& l) {
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .tipo = 2, .coordenadas = Coordenadas{1000, 2000, 100}});
    crearEstacion(l.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1100, 2000, 101}});
    crearEstacion(l.estaciones, {.nombre = "C", .coordenadas = Coordenadas{1000, 2100, 99}});
    auto* s1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 10);
    crearLectura(s1->lecturas, std::nullopt, "B", 1.3, 100, 100, 90, "");
    crearLectura(s1->lecturas, std::nullopt, "C", 1.3, 100, 100, 390, "");
    crearLectura(s1->lecturas, std::nullopt, "1", 1.3, 50, 100, 40, "arbol");
    auto* s2 = crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.6, nullptr, 20);
    crearLectura(s2->lecturas, std::nullopt, "B", 1.3, 100, 300, 280, "");
}

}  // namespace celvara::prueba
