// Faces of a reading and the mean of several sightings of one point.
//
// A reading is face right when its zenith angle is above half the circle C;
// its direction is brought to face left by C/2 and its zenith angle by
// z' = C - z. Elevation (e = C/4 - z) and nadir (n = C/2 - z) readings are
// taken through their zenith angle. Directions are averaged unwrapped against
// the first reading and the mean is normalised into [0, C), so that 9.9990
// and 10.0010 gon give 10.0000 and 399.9990 with 0.0020 gives 0.0005.
#pragma once

#include <cstdint>
#include <span>

namespace celvara {

// The circle the computations take for a set-up: 400, or 360 for any other
// value (as the conversion to radians does).
constexpr std::int32_t circuloDe(std::int32_t unidadAngular) { return unidadAngular == 400 ? 400 : 360; }

// Vertical reading of kind `tipoVertical` (TipoVertical; any kind but 0 and 1
// is nadir) to its zenith angle, wrapped once into [0, C); the same mapping
// brings a zenith angle back to the kind.
double verticalZenital(double vertical, std::int32_t tipoVertical, std::int32_t C);

constexpr bool esCaraDerecha(double zenital, std::int32_t C) { return zenital > C / 2; }

// C in [0, C).
double normalizarAngulo(double angulo, std::int32_t C);

struct ValoresLectura {
    double horizontal = 0;
    double vertical = 0;
    double distancia = 0;
    double jalon = 0;
};

// Mean of the sightings of one point: direction and vertical brought to face
// left, target height over all, distance over the non-zero ones (0 when all
// are 0). When the vertical field holds a height difference
// (`verticalEsDesnivel`), it is averaged as it is and every reading counts as
// face left. An empty list gives zeros.
ValoresLectura promediarCaras(std::span<const ValoresLectura> lecturas, std::int32_t C, std::int32_t tipoVertical,
                              bool verticalEsDesnivel);

}  // namespace celvara
