// Faces of a reading, the reduction of a face-right reading to face left,
// the mean of several sightings of one point, and which readings a
// computation can use at all.
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
#include <string>

#include "fieldbook/libreta.h"

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

// A direction read in one face as the other face reads it: h ± C/2 into
// [0, C) (a direction beyond the circle is brought into it too).
double horizontalOpuesta(double horizontal, std::int32_t C);

// A reading brought to face left: a face-right one (zenith above C/2) gets
// H - C/2 and the zenith C - z, given back in the set-up's vertical kind; the
// distance is the same in both faces. A height difference in the vertical
// field has no face.
struct LecturaCaraIzquierda {
    double horizontal = 0, vertical = 0, distancia = 0;
    bool caraDerecha = false;  // it was face right
};
LecturaCaraIzquierda aCaraIzquierda(double horizontal, double vertical, double distancia, std::int32_t C,
                                    std::int32_t tipoVertical, bool verticalEsDesnivel);
// With the set-up's circle and kinds.
LecturaCaraIzquierda aCaraIzquierda(const Estacionamiento& s, double horizontal, double vertical, double distancia);

// Values beyond this (m or angle units) are no measurement: a damaged or
// mistyped field.
inline constexpr double kLimiteValorLectura = 1e9;

// A reading the computations can use: horizontal, vertical, distance and
// target height finite and within ±1e9. Any other reading is left out of
// every computation and named to the user, so that no wild value hangs or
// poisons a result.
bool lecturaUtilizable(const Lectura& l);
// "estacionamiento «B1-1», punto «101»" (UTF-8), to name a reading left out.
std::string nombrarLectura(const Estacionamiento& s, const Lectura& l);
// "Lectura no utilizable (valor no finito o fuera de ±1e9), fuera del cálculo:
// estacionamiento «B1-1», punto «101»" (UTF-8).
std::string avisoLecturaNoUtilizable(const Estacionamiento& s, const Lectura& l);

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
