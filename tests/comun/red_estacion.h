// The worked network of the station by least squares: known A, B, C, E; the
// new station P sighted from A and B, and P's set-up sighting all four with
// reduced distances to A and C. Instrument "T30": 30 magnifications,
// compensator 12 cc, 10 cc readings, 2 mm + 2 ppm.
#pragma once

#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara::prueba {

inline ListaInstrumentos instrumentosRed() {
    Instrumento i;
    i.nombre = "T30";
    i.aumentos = 30;
    i.nivelTorico = 12;
    i.precisionH = i.precisionV = 10;
    i.precisionDistanciaMm = 2;
    i.precisionDistanciaPpm = 2;
    return {i};
}

// P starts at (1240, 1312) with orientation `omegaP`; `errorA` (gon) is put
// on the direction from A.
inline void libretaRed(CLibretaCampo& l, double omegaP = 123.5067, double errorA = 0) {
    DatosComplementarios d;
    d.instrumento = "T30";
    d.corregidoEsfRefr = 1;
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .coordenadas = Coordenadas{1000, 1000, 100}});
    auto* b = crearEstacion(l.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1600, 1100, 100}});
    crearEstacion(l.estaciones, {.nombre = "C", .coordenadas = Coordenadas{1300, 1700, 100}});
    crearEstacion(l.estaciones, {.nombre = "E", .coordenadas = Coordenadas{900, 1500, 100}});
    auto* p = crearEstacion(l.estaciones, {.nombre = "P", .coordenadas = Coordenadas{1240, 1312, 50}});
    auto* a1 = crearEstacionamiento(a->estacionamientos, nullptr, "A1", "A", 1.5, &d, 37.1234);
    crearLectura(a1->lecturas, std::nullopt, "P", 1.5, 0, 100, 7.1062 + errorA, "");
    auto* b1 = crearEstacionamiento(b->estacionamientos, nullptr, "B1", "B", 1.5, &d, 250.5);
    crearLectura(b1->lecturas, std::nullopt, "P", 1.5, 0, 100, 82.5491, "");
    d.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasVertical);
    auto* p1 = crearEstacionamiento(p->estacionamientos, nullptr, "P1", "P", 1.5, &d, omegaP);
    crearLectura(p1->lecturas, std::nullopt, "A", 1.5, 390.516, 100, 120.7723, "");
    crearLectura(p1->lecturas, std::nullopt, "B", 1.5, 0, 100, 9.5922, "");
    crearLectura(p1->lecturas, std::nullopt, "C", 1.5, 403.110, 100, 284.4604, "");
    crearLectura(p1->lecturas, std::nullopt, "E", 1.5, 0, 100, 209.5932, "");
}

}  // namespace celvara::prueba
