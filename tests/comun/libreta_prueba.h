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


// The book behind tests/data/gestor/informe_resumen.txt: a set-up that
// sights another station twice (vertical 100 and 300), a station never
// occupied, Spanish characters, a reading to a point that is no station.
inline void libretaDelInforme(CLibretaCampo& l) {
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .coordenadas = Coordenadas{1000, 2000, 100}});
    crearEstacion(l.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1100.5, -20.25, 0}});
    auto* n = crearEstacion(l.estaciones, {.nombre = "\xD1u", .coordenadas = Coordenadas{-1, 0.0005, 1234567.891}});
    DatosComplementarios d;
    d.instrumento = "TC1700";
    auto* a1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, &d, 10);
    crearLectura(a1->lecturas, std::nullopt, "B", 1, 10, 100, 0, "");
    crearLectura(a1->lecturas, std::nullopt, "B", 1, 10, 300, 200, "");
    crearLectura(a1->lecturas, std::nullopt, "\xD1u", 1, 10, 199.9999, 50, "");
    crearLectura(a1->lecturas, std::nullopt, "7", 1, 10, 100, 70, "");
    crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.6, nullptr, 399.99995);
    d.instrumento = "Leica TCR 1205";
    auto* n1 = crearEstacionamiento(n->estacionamientos, nullptr, "\xD1" "1", "\xD1u", 0, &d, -5);
    crearLectura(n1->lecturas, std::nullopt, "A", 1, 10, 250, 0, "");
    crearLectura(n1->lecturas, std::nullopt, "\xD1u", 1, 10, 100, 0, "");  // its own station: not listed
}

}  // namespace celvara::prueba
