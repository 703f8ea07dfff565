// The UTM grid on the Hayford (ED-50), WGS-84 or GRS80 ellipsoid, any zone: meridian arc,
// footpoint latitude, grid to geographic coordinates and the point scale
// factor, after the inverse series of the U.S. Defense Mapping Agency
// (TM 8358.2, The Universal Grids). Northern hemisphere, no false northing.
//
// Units: eastings, northings and arcs in metres; latitudes and longitudes in
// decimal degrees unless a name says radians.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "fieldbook/proyeccion_trabajo.h"

namespace celvara {

class CProyeccionUTM {
public:
    static constexpr double kK0 = 0.9996;  // central-meridian scale

    enum class Elipsoide { Hayford, Wgs84, Grs80 };

    // Footpoint latitude of a northing.
    struct Pie {
        double arco = 0;           // S at that latitude, m
        double latitud = 0;        // radians
        double latitudGrados = 0;  // degrees
    };

    // Geographic coordinates of a grid point and its point scale factor.
    struct Geograficas {
        double latitud = 0;   // degrees
        double longitud = 0;  // degrees, east positive
        double factorEscala = 0;
    };

    // true builds the Hayford ellipsoid ("UTM ED-50"), false WGS-84.
    explicit CProyeccionUTM(bool hayford = true) { cargar(hayford); }
    // The job's zone, for the computations that take it from the projection.
    CProyeccionUTM(Elipsoide elipsoide, int huso) : huso_(huso) { cargar(elipsoide); }
    // Reloads with the other ellipsoid (same flag meaning).
    void cargar(bool hayford) { cargar(hayford ? Elipsoide::Hayford : Elipsoide::Wgs84); }
    void cargar(Elipsoide elipsoide);

    // Meridian arc from the equator, scaled by k0, for a latitude given both
    // in degrees and in radians.
    double ArcoMeridiano(double latitudGrados, double latitud) const;

    // Bisection between 0 and 80 degrees (start 40) until |S - N| < 0.0001 m.
    // No result when it has not met the northing after 100 halvings (a
    // northing beyond the arc of 80 degrees).
    std::optional<Pie> LatitudPie(double norte) const;

    // Grid (easting x, northing y, zone) to geographic coordinates. No result
    // outside 100000 <= x <= 1000000, 100000 <= y <= 10000000, nor where the
    // footpoint latitude has none; then factorEscala() keeps its last value.
    std::optional<Geograficas> UtmAGeograficas(double x, double y, int huso);

    // Point scale factor of the last successful UtmAGeograficas (1.0 before).
    double factorEscala() const { return factorEscala_; }

    bool hayford() const { return elipsoide_ == Elipsoide::Hayford; }
    Elipsoide elipsoide() const { return elipsoide_; }
    int huso() const { return huso_; }
    double semiejeMayor() const { return a_; }
    double aplanamiento() const { return f_; }
    double excentricidad() const { return e_; }
    double segundaExcentricidad() const { return e2_; }

private:
    Elipsoide elipsoide_ = Elipsoide::Hayford;
    int huso_ = kHusoPorDefecto;
    double a_ = 0, f_ = 0;
    double e_ = 0;   // first eccentricity
    double e2_ = 0;  // second eccentricity e'
    double pi_ = 0;  // 2 acos(0)
    double sen1_ = 0;
    // Meridian arc series: k0 a (1 - e^2) and the coefficients A, B, C', D.
    double k0a1n_ = 0, arcoA_ = 0, arcoB_ = 0, arcoC_ = 0, arcoD_ = 0;
    double factorEscala_ = 1.0;

    double derivadaArco(double latitud) const;
    double latitudDeArco(double norte) const;
};

// The ellipsoid of a computation: Hayford for projection field 1 (ED50);
// for field 2 GRS80 when the job's datum is ETRS89 or REGCAN95, else WGS-84.
CProyeccionUTM::Elipsoide elipsoideCalculo(std::uint32_t campoProyeccion, Datum datum);
// The grid of a computation on the job's zone; none for "Planas" (field 0).
std::unique_ptr<CProyeccionUTM> proyeccionCalculo(std::uint32_t campoProyeccion, const ProyeccionTrabajo& trabajo);

// Scale of the radiation for a set-up on the station (x, y): the point scale
// factor of the station on the UTM grid (its zone) when a projection object is
// given, 1.0 for plane coordinates (nullptr), times the additional scale
// "Escala Adicional al Cálculo". A station outside the grid counts with a
// point factor of 1.0 and says so.
struct EscalaRadiacion {
    double k = 1.0;             // combined scale for CCalculoPunto
    double factorPunto = 1.0;   // the UTM (or plane) part
    bool fueraDeRango = false;  // UTM asked, the station has no grid factor
};
EscalaRadiacion escalaRadiacion(CProyeccionUTM* utm, double escalaAdicional, double x, double y);

}  // namespace celvara
