// "Refinamiento Puntos": a point radiated from several set-ups gets one
// position from all its sightings at once instead of the last radiation.
//
// Every point that is not a station of the book and is sighted from two or
// more set-ups whose station has coordinates (X or Y not 0) is computed by
// least squares from its directions and distances: the stations and the
// orientations the book holds are kept fixed, each reading is brought to
// face left and stays its own observation, the distance is reduced as the
// radiation reduces it (scale of the settings' projection at the station),
// and the weights are 1/σ² from the error model of the set-up's instrument
// (σ of a direction Ea in cc, of a distance √2·Ed, as the least-squares
// station takes them). Then for each sighting the standardised residual
// w = v / (σ·√r), r its redundancy number (data snooping at |w| > 3.29);
// sx, sy from N⁻¹ scaled by the a posteriori variance factor (the a priori 1
// without redundancy). Z is the mean of the heights the sightings give,
// weighted by 1/E.Z²; a sighting without distance gives its height from the
// adjusted horizontal distance.
#pragma once

#include <string>
#include <vector>

#include "calc/estadistica.h"  // kLimiteW: beyond it a sighting is named
#include "datos/fichero_crd.h"
#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

struct EntradaRefinamiento {
    const CLibretaCampo* libreta = nullptr;
    const CDatosGenerales* ajustes = nullptr;
    const ListaInstrumentos* biblioteca = nullptr;  // null: the library could not be read
    EleccionInstrumento* instrumentos = nullptr;    // how each set-up's instrument is taken
};

struct VisualRefinada {
    const Estacion* estacion = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
    const Lectura* lectura = nullptr;
    bool caraDerecha = false;
    double azimut = 0;        // gon, face left, oriented
    double distancia = 0;     // reduced and scaled, m; 0: direction only
    double xRadiado = 0, yRadiado = 0;  // the single radiation (with distance)
    double z = 0;             // the height this sighting gives; NaN: none
    double sigmaDireccion = 0, sigmaDistancia = 0, sigmaZ = 0;  // cc, m, m
    double vDireccion = 0, vDistancia = 0;  // computed − observed: cc, m
    double wDireccion = 0, wDistancia = 0;  // NaN where the sighting is not controlled
};

struct PuntoRefinado {
    std::string nombre;  // Windows-1252
    double x = 0, y = 0, z = 0, sx = 0, sy = 0;
    int estacionamientos = 0;  // distinct set-ups
    int redundancia = 0;
    double sigma0 = 0;      // a posteriori, 0 without redundancy
    double dispersion = 0;  // largest distance of a single radiation from the point, m
    std::vector<VisualRefinada> visuales;
    int usadas() const { return static_cast<int>(visuales.size()); }
};

struct PosibleError {
    std::string estacionamiento, punto;  // Windows-1252
    double w = 0;
    bool distancia = false;  // false: the direction
};

struct ResultadoRefinamiento {
    bool calculado = false;
    std::string error;  // UTF-8; empty when the instrument choice has told
    std::vector<PuntoRefinado> puntos;  // in the order the book first sights them
    std::vector<PosibleError> posiblesErrores;
    // Set-ups of the refined points that hold orientation 0: likely never
    // oriented, the usual cause of every sighting being named (Windows-1252).
    std::vector<std::string> sinOrientar;
    // Readings and points left out, one notice each (UTF-8).
    std::vector<std::string> omitidas;
};

ResultadoRefinamiento refinarPuntos(const EntradaRefinamiento& entrada);

// The refined points for a coordinate file (code of their first sighting).
ListaPuntos puntosRefinados(const ResultadoRefinamiento& r);

// The report for the report viewer (Windows-1252).
std::string textoInformeRefinamiento(const ResultadoRefinamiento& r);

}  // namespace celvara
