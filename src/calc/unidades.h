// Angle units and the two plane measures every computation shares.
//
// Angles are decimal numbers of a full circle C: 400 (centesimal, gon) or 360
// (sexagesimal, decimal degrees). Half and quarter circles are integer
// arithmetic on C (200/100 or 180/90). Azimuths are counted clockwise from
// the +Y axis (north): north 0, east C/4, south C/2, west 3C/4. Distances and
// coordinates are metres.
//
// Small corrections are typed in sub-units: angles in cc (C = 400) or seconds
// of arc (otherwise), distances in mm. The factors below bring them into the
// set-up's angle unit and into metres.
#pragma once

#include <cstdint>

namespace celvara {

// pi of the azimuth routine (the orientation windows' own value).
inline constexpr double kPiAzimut = 3.14159265358979;

// Half and quarter of the circle C, in integer arithmetic.
constexpr std::int32_t mediaVuelta(std::int32_t C) { return C / 2; }
constexpr std::int32_t cuartoVuelta(std::int32_t C) { return C / 4; }

// cc -> gon when C = 400; seconds of arc -> degrees otherwise.
constexpr double factorSubunidadAngular(std::int32_t C) {
    return C == 400 ? 0.0001 : 0.0002777777777777778;
}
// mm -> m.
inline constexpr double kFactorMilimetros = 0.001;

// Angle of circle C to radians with the caller's own pi: pi/200 for C = 400,
// pi/180 for any other C.
constexpr double aRadianes(double angulo, std::int32_t C, double pi) {
    return angulo * pi / (C == 400 ? 200.0 : 180.0);
}

// Azimuth from point 1 to point 2 in units of the circle C, in [0, C)
// (pi = kPiAzimut). Coincident points give 0.
double AzimutEntre(double x1, double y1, double x2, double y2, std::int32_t C);

// Planimetric distance between two points, metres.
double DistanciaEntre(double x1, double y1, double x2, double y2);

// An angle as the windows' grids show it ("%1.4lf") and read it back. What
// follows computes with the value the surveyor sees (the orientation saved
// and then radiated, the sights of the orientation window), so the windows
// and celvara-cli agree to the last digit.
double anguloMostrado(double angulo);
// A length or height likewise ("%1.3lf").
double longitudMostrada(double longitud);

}  // namespace celvara
