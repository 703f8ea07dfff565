// A field book of realistic shape for the benchmarks: stations x set-ups x
// readings with varied names, numbers and codes.
#pragma once

#include <cstdio>
#include <string>

#include "fieldbook/libreta.h"

namespace celvara::banco {

inline CLibretaCampo libretaGrande(int estaciones, int estacionamientos, int lecturas) {
    CLibretaCampo l;
    char nombre[32];
    for (int e = 0; e < estaciones; ++e) {
        std::snprintf(nombre, sizeof nombre, "BASE-%04d", e);
        auto* est = crearEstacion(l.estaciones, {.nombre = nombre, .tipo = 2,
                                                 .coordenadas = Coordenadas{500000.0 + e * 13.7, 4200000.0 + e * 7.3, 600 + e * 0.1},
                                                 .descripcion1 = "Clavo de acero en acera"});
        for (int s = 0; s < estacionamientos; ++s) {
            char nombreEst[32];
            std::snprintf(nombreEst, sizeof nombreEst, "E%04d-%02d", e, s);
            auto* es = crearEstacionamiento(est->estacionamientos, nullptr, nombreEst, nombre, 1.45 + s * 0.01, nullptr,
                                            12.3456 + s);
            es->lecturas.reserve(static_cast<std::size_t>(lecturas));
            for (int k = 0; k < lecturas; ++k) {
                char punto[32];
                std::snprintf(punto, sizeof punto, "%d", 1000 + k);
                crearLectura(es->lecturas, std::nullopt, punto, 1.3, 20.0 + k * 0.731, 99.0 + k * 0.013,
                             (k * 3.917), k % 3 ? "BORDILLO" : "ARQUETA");
            }
        }
    }
    return l;
}

}  // namespace celvara::banco
