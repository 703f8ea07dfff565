// UTM grid to geographic coordinates and point scale factor.
//
// Source: U.S. Defense Mapping Agency, TM 8358.2 "The Universal Grids:
// Universal Transverse Mercator (UTM) and Universal Polar Stereographic
// (UPS)", inverse computation by series in q; meridian arc by the series in
// powers of e^2 (to e^6).
//
// Symbols:
//   a, f      semi-major axis (m) and flattening; e^2 = (2 - f) f,
//             e'^2 = e^2 / (1 - e^2); n = e^2 in the arc series
//   k0        0.9996, scale on the central meridian
//   sen1      sin 1" = sin(4.848136811e-6)
//   S(phi)    k0 a (1 - n) [A phi - B/2 sin 2phi + C'/4 sin 4phi - D/6 sin 6phi]
//   phi'      footpoint latitude, S(phi') = N (northing, m)
//   q         1e-6 (E - 500000), E the easting in metres
//   nu        a / sqrt(1 - e^2 sin^2 phi'), prime-vertical radius (m)
//   t, eta^2  tan phi', e'^2 cos^2 phi'
//   phi = phi' + (-VII q^2 + VIII q^4 - D6 q^6) / 3600          (degrees)
//   lam = (6 zone - 183) + (IX q - X q^3 + E5 q^5) / 3600       (degrees)
//   k   = k0 (1 + XVI q^2 + 0.00003 q^4)
// with (seconds of arc, q in units of 10^6 m)
//   VII  = t (1 + eta^2) 10^12 / (2 nu^2 k0^2 sen1)
//   VIII = t (5 + 3t^2 + 6eta^2 - 6t^2eta^2 - 3eta^4 - 9t^2eta^4) 10^24
//          / (24 nu^4 k0^4 sen1)
//   D6   = t (61 + 90t^2 + 45t^4 + 107eta^2 - 162t^2eta^2 - 45t^4eta^2) 10^36
//          / (720 nu^6 k0^6 sen1)
//   IX   = 10^6 / (nu k0 sen1 cos phi')
//   X    = (1 + 2t^2 + eta^2) 10^18 / (6 nu^3 k0^3 sen1 cos phi')
//   E5   = (5 + 28t^2 + 24t^4 + 6eta^2 + 8t^2eta^2) 10^30
//          / (120 nu^5 k0^5 sen1 cos phi')
//   XVI  = (1 + eta^2) 10^12 / (2 nu^2 k0^2)
// pi is 2 acos(0) throughout.
#include "calc/proyeccion_utm.h"

#include <cmath>

namespace celvara {

namespace {
constexpr double kSemiejeHayford = 6378388.0;
constexpr double kAplanamientoHayford = 1.0 / 297.0;
constexpr double kSemiejeWgs84 = 6378137.0;
constexpr double kAplanamientoWgs84 = 1.0 / 298.257223563;
constexpr double kAplanamientoGrs80 = 1.0 / 298.257222101;  // same semi-major axis as WGS-84

constexpr double kLatitudInicial = 40.0;  // degrees
constexpr double kLatitudMaxima = 80.0;
constexpr double kToleranciaPie = 0.0001;  // m
constexpr int kMaximoBisecciones = 100;
// S'(phi) is the meridian radius k0 M(phi), least at the equator: about
// 110500 m per degree on both ellipsoids.
constexpr double kPendienteMinima = 1e5;   // m per degree, a lower bound
constexpr double kResiduoNewton = 1e-7;    // m
constexpr double kMargenPie = 3e-9;        // degrees: 3e-4 m at the least slope
static_assert(kPendienteMinima * kMargenPie - kResiduoNewton > 2 * kToleranciaPie);

constexpr double kEsteMinimo = 100000.0, kEsteMaximo = 1000000.0;
constexpr double kNorteMinimo = 100000.0, kNorteMaximo = 10000000.0;
constexpr double kFalsoEste = 500000.0;
}  // namespace

void CProyeccionUTM::cargar(Elipsoide elipsoide) {
    elipsoide_ = elipsoide;
    const bool hayford = elipsoide == Elipsoide::Hayford;
    a_ = hayford ? kSemiejeHayford : kSemiejeWgs84;
    f_ = hayford ? kAplanamientoHayford : (elipsoide == Elipsoide::Grs80 ? kAplanamientoGrs80 : kAplanamientoWgs84);
    e_ = std::sqrt((2 - f_) * f_);
    const double e2 = e_ * e_;
    e2_ = std::sqrt(e2 / (1 - e2));
    pi_ = 2 * std::acos(0.0);
    sen1_ = std::sin(4.848136811e-6);

    const double n = e2;
    const double n2 = n * n;
    const double n3 = n2 * n;
    arcoA_ = 1 + 3.0 / 4 * n + 45.0 / 64 * n2 + 175.0 / 256 * n3;
    arcoB_ = 3.0 / 4 * n + 15.0 / 16 * n2 + 525.0 / 512 * n3;
    arcoC_ = 15.0 / 64 * n2 + 105.0 / 256 * n3;
    arcoD_ = 35.0 / 512 * n3;
    k0a1n_ = kK0 * a_ * (1 - n);
}

double CProyeccionUTM::ArcoMeridiano(double latitudGrados, double latitud) const {
    return k0a1n_ * (arcoA_ * (pi_ / 180) * latitudGrados - arcoB_ / 2 * std::sin(2 * latitud) +
                     arcoC_ / 4 * std::sin(4 * latitud) - arcoD_ / 6 * std::sin(6 * latitud));
}

// dS/dphi in metres per degree.
double CProyeccionUTM::derivadaArco(double latitud) const {
    return k0a1n_ * (pi_ / 180) *
           (arcoA_ - arcoB_ * std::cos(2 * latitud) + arcoC_ * std::cos(4 * latitud) -
            arcoD_ * std::cos(6 * latitud));
}

// The latitude whose arc is the northing, by Newton from the arc's mean
// slope; NaN when it does not settle inside [0, 90] degrees.
double CProyeccionUTM::latitudDeArco(double norte) const {
    constexpr int kIteraciones = 8;
    double grados = norte / (k0a1n_ * arcoA_ * (pi_ / 180));
    for (int i = 0; i < kIteraciones; ++i) {
        if (!(grados >= 0 && grados <= 90)) break;
        const double radianes = grados * pi_ / 180;
        const double resto = ArcoMeridiano(grados, radianes) - norte;
        if (std::fabs(resto) < kResiduoNewton) return grados;
        grados -= resto / derivadaArco(radianes);
    }
    return std::nan("");
}

// The bisection walks the same dyadic latitudes as when every arc is
// computed, but away from the footpoint phi* the side of each midpoint is
// known without its arc: S rises at least kPendienteMinima m per degree, so a
// midpoint more than kMargenPie degrees from phi* lies more than 3e-4 m off
// the northing on the side of phi*. Only the last few midpoints need an arc.
std::optional<CProyeccionUTM::Pie> CProyeccionUTM::LatitudPie(double norte) const {
    const double aproximada = latitudDeArco(norte);
    const bool guiada = !std::isnan(aproximada);
    double inferior = 0;
    double superior = kLatitudMaxima;
    double grados = kLatitudInicial;
    for (int biseccion = 0;; ++biseccion) {
        const double radianes = grados * pi_ / 180;
        bool arriba;  // the arc of this latitude is at or above the northing
        if (guiada && std::fabs(grados - aproximada) > kMargenPie) {
            arriba = grados > aproximada;
        } else {
            const double arco = ArcoMeridiano(grados, radianes);
            if (std::fabs(arco - norte) < kToleranciaPie) return Pie{arco, radianes, grados};
            arriba = arco >= norte;
        }
        if (biseccion == kMaximoBisecciones) return std::nullopt;
        if (arriba)
            superior = grados;
        else
            inferior = grados;
        grados = (inferior + superior) / 2;
    }
}

std::optional<CProyeccionUTM::Geograficas> CProyeccionUTM::UtmAGeograficas(double x, double y, int huso) {
    // Written so that NaN fails too.
    if (!(x >= kEsteMinimo && x <= kEsteMaximo && y >= kNorteMinimo && y <= kNorteMaximo)) return std::nullopt;
    const auto pie = LatitudPie(y);
    if (!pie) return std::nullopt;

    const double q = 0.000001 * (x - kFalsoEste);
    const double q2 = q * q;
    const double seno = std::sin(pie->latitud);
    const double coseno = std::cos(pie->latitud);
    const double t = std::tan(pie->latitud);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double e2 = e_ * e_;
    const double nu = a_ / std::sqrt(1 - e2 * seno * seno);
    const double eta2 = e2_ * e2_ * coseno * coseno;
    const double eta4 = eta2 * eta2;

    const double nuK = nu * kK0;
    const double nuK2 = nuK * nuK;
    const double nuK3 = nuK2 * nuK;
    const double nuK4 = nuK2 * nuK2;
    const double nuK5 = nuK4 * nuK;
    const double nuK6 = nuK3 * nuK3;

    const double VII = t * (1 + eta2) * 1e12 / (2 * nuK2 * sen1_);
    const double VIII = t * (5 + 3 * t2 + 6 * eta2 - 6 * t2 * eta2 - 3 * eta4 - 9 * t2 * eta4) * 1e24 / (24 * nuK4 * sen1_);
    const double D6 = t * (61 + 90 * t2 + 45 * t4 + 107 * eta2 - 162 * t2 * eta2 - 45 * t4 * eta2) * 1e36 /
                      (720 * nuK6 * sen1_);
    const double IX = 1e6 / (nuK * sen1_ * coseno);
    const double X = (1 + 2 * t2 + eta2) * 1e18 / (6 * nuK3 * sen1_ * coseno);
    const double E5 = (5 + 28 * t2 + 24 * t4 + 6 * eta2 + 8 * t2 * eta2) * 1e30 / (120 * nuK5 * sen1_ * coseno);
    const double XVI = (1 + eta2) * 1e12 / (2 * nuK2);

    Geograficas g;
    g.latitud = pie->latitudGrados + (-VII * q2 + VIII * q2 * q2 - D6 * q2 * q2 * q2) / 3600;
    g.longitud = (6 * huso - 183) + (IX * q - X * q2 * q + E5 * q2 * q2 * q) / 3600;
    g.factorEscala = kK0 * (1 + XVI * q2 + 0.00003 * q2 * q2);
    factorEscala_ = g.factorEscala;
    return g;
}

CProyeccionUTM::Elipsoide elipsoideCalculo(std::uint32_t campoProyeccion, Datum datum) {
    if (campoProyeccion == 1) return CProyeccionUTM::Elipsoide::Hayford;
    return datumGrs80(datum) ? CProyeccionUTM::Elipsoide::Grs80 : CProyeccionUTM::Elipsoide::Wgs84;
}

std::unique_ptr<CProyeccionUTM> proyeccionCalculo(std::uint32_t campoProyeccion, const ProyeccionTrabajo& trabajo) {
    if (campoProyeccion == 0) return nullptr;
    return std::make_unique<CProyeccionUTM>(elipsoideCalculo(campoProyeccion, trabajo.datum), trabajo.huso);
}

EscalaRadiacion escalaRadiacion(CProyeccionUTM* utm, double escalaAdicional, double x, double y) {
    EscalaRadiacion r;
    if (utm) {
        if (const auto g = utm->UtmAGeograficas(x, y, utm->huso()))
            r.factorPunto = g->factorEscala;
        else
            r.fueraDeRango = true;
    }
    r.k = r.factorPunto * escalaAdicional;
    return r;
}

}  // namespace celvara
