// A small field book for the traverse walk: the square A(0,0) B(100,0)
// C(100,100) D(0,100), every set-up oriented (horizontal reading =
// azimuth, gon), sighting level (V 100), the leg B-C measured 100.02 both
// ways so that the fitted traverse A-B-C-D closes 0.02 m short in Y.
#pragma once

#include "fieldbook/libreta.h"

namespace celvara::prueba {

inline void libretaRecorrido(CLibretaCampo& l) {
    auto estacion = [&](const char* nombre, double x, double y) {
        return crearEstacion(l.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{x, y, 10}});
    };
    auto ocupa = [](Estacion* e, const char* nombre, double i) {
        DatosComplementarios datos;
        return crearEstacionamiento(e->estacionamientos, nullptr, nombre, e->nombre.vista(), i, &datos, 0.0);
    };
    auto lee = [](Estacionamiento* s, const char* a, double h, double v, double d) {
        crearLectura(s->lecturas, std::nullopt, a, 1.5, d, v, h, "");
    };
    Estacion* a = estacion("A", 0, 0);
    Estacion* b = estacion("B", 100, 0);
    Estacion* c = estacion("C", 100, 100);
    Estacion* d = estacion("D", 0, 100);
    Estacionamiento* s = ocupa(a, "A-1", 1.40);
    lee(s, "D", 0, 100, 100);
    lee(s, "B", 99.9, 100, 99.9);  // repeated below: the last reading of a face wins
    lee(s, "P", 50, 100, 30);      // not a station: never offered
    lee(s, "B", 100, 100, 100);
    lee(s, "B", 300, 300, 100.002);
    s = ocupa(b, "B-1", 1.50);
    lee(s, "A", 300, 100, 100);
    lee(s, "C", 0, 100, 100.02);
    s = ocupa(b, "B-2", 1.55);  // no sighting back to A
    lee(s, "C", 0, 100, 100.02);
    s = ocupa(c, "C-1", 1.60);
    lee(s, "B", 200, 100, 100.02);
    lee(s, "D", 300, 100, 100);
    s = ocupa(d, "D-1", 1.70);
    lee(s, "C", 100, 100, 100);
    lee(s, "A", 200, 100, 100);
    s = ocupa(d, "D-2", 1.75);  // no sighting to A
    lee(s, "C", 100, 100, 100);
}

}  // namespace celvara::prueba
