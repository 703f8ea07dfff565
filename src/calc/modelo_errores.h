// The a priori error of one sighting, from the instrument's stated precisions
// and five work parameters, and what the traverses and the least-squares
// station build on it.
//
// Symbols and units:
//   A   magnification of the telescope ("Aumentos", integer)
//   s   compensator / level sensitivity ("Compensa. Vertical", integer, cc)
//   pH, pV  angular precision ("Precisión H", "Precisión V", cc)
//   a, b    distance precision (mm, ppm)
//   D   distance (m), V vertical angle (zenith, gon), m target height (m)
//   E.e, E.p  centring errors of station and target (m)
//   E.h.e, E.h.p  height errors of instrument and target (m)
//   E.Incl  inclination of the target pole (gon)
//
//   ep = (A·4/100 + 1)·(30/A), both integer divisions (0 for A > 30)
//   Ev = √(ep² + (s/3)² + pV²)
//   Ea = √(ep² + ((E.e + E.p)/D · 636620)² + (s/12)² + pH²)
//   Ed = √((D sin v − D sin v′)² + (m sin w)² + (D·b·1e-6 + a·1e-3)²)
//   E.Z = √((D cos v − D cos v′)² + (m − m cos w)² + (Ed cos v)² + E.h.p² + E.h.e²)
//   with v = V, w = E.Incl, v′ = V + Ev·1e-4 in radians (0.015707963267948967 per gon).
// The constants are kept as the program has always written them: results
// must agree to the last printed digit.
#pragma once

#include <cstddef>

#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"

namespace celvara {

// "Parámetros de Trabajos", kept in the settings.
struct ParametrosTrabajo {
    double errorCentradoEstacion = 0.005;   // "E.e=", m
    double errorCentradoPunto = 0.005;      // "E.p=", m
    double errorAlturaInstrumento = 0.005;  // "E.h.e=", m
    double errorAlturaJalon = 0.002;        // "E.h.p=", m
    double inclinacionJalon = 1.0;          // "E.Incl", gon
};
ParametrosTrabajo parametrosTrabajo(const CDatosGenerales& ajustes);
void guardarParametrosTrabajo(CDatosGenerales& ajustes, const ParametrosTrabajo& p);

// What the model reads of an instrument record.
struct CaracteristicasInstrumento {
    int aumentos = 0;                 // A
    int compensador = 0;              // s, cc
    double precisionH = 0;            // pH, cc
    double precisionV = 0;            // pV, cc
    double precisionDistanciaMm = 0;  // a, mm
    double precisionDistanciaPpm = 0; // b, ppm
};
CaracteristicasInstrumento caracteristicas(const Instrumento& instrumento);

// Pointing error ep in cc, truncating as written; 0 for a magnification of
// 0 or less.
int errorPunteria(int aumentos);

struct ErroresVisual {
    double ea = 0;            // horizontal angular error, cc
    double ev = 0;            // vertical angular error, cc
    double ed = 0;            // distance error, m
    double ez = 0;            // height error, m
    double longitudinal = 0;  // √2·Ed, m
    double transversal = 0;   // √2·D·Ea·1.570795765134617e-06, m
    double altura = 0;        // √2·E.Z, m
};

// A sighting of distance D (m), zenith angle V (gon) and target height m.
// With D under a millimetre (0, or a damaged field) the centring term of Ea
// is left out (it has no meaning without a distance) instead of becoming
// infinite.
ErroresVisual erroresVisual(const CaracteristicasInstrumento& instrumento, const ParametrosTrabajo& parametros,
                            double distancia, double vertical, double jalon);

// The tolerance of a planned traverse of n legs and total length L: one
// sighting of D = L/n, V = 100, m = 1.6 propagated over the legs.
struct ToleranciaPoligonalPrevista {
    ErroresVisual visual;
    double tAng = 0;   // cc
    double tLon = 0;   // m
    double tTrav = 0;  // m
    double tDist = 0;  // m
    double tolX = 0;   // m
    double tolY = 0;   // m
    double tolZ = 0;   // m
};
ToleranciaPoligonalPrevista toleranciaPoligonalPrevista(const CaracteristicasInstrumento& instrumento,
                                                        const ParametrosTrabajo& parametros, int tramos,
                                                        double longitud);

// The tolerances of a computed traverse, accumulated leg by leg in order.
struct ToleranciaTramo {
    double distancia = 0;  // "Tol" of DISTANCIAS, √2·Ed
    double altura = 0;     // "Tol" of ALTIMETRIA, √2·E.Z
};
struct ToleranciasPoligonal {
    double tAng = 0;   // gon
    double tX = 0;     // m
    double tY = 0;     // m
    double tDist = 0;  // m
    double tZ = 0;     // m
};
class AcumuladorTolerancias {
public:
    // One leg: its sighting errors, its compensated partials I.Xc, I.Yc and
    // its distance d1.
    ToleranciaTramo anadirTramo(const ErroresVisual& e, double ixc, double iyc, double d1);
    // T.X and T.Y are 0 while |ΣD| is under a millimetre.
    ToleranciasPoligonal resultado() const;

private:
    double tAng_ = 0, lLong_ = 0, lTrans_ = 0, tZ_ = 0;
    double sumaX_ = 0, sumaY_ = 0, sumaD_ = 0;
};

// The a priori variance E of one least-squares equation from its error σ
// (m for a distance, cc for a direction): σ²/VarRef with weighting on,
// otherwise 1, so that the weight P = 1/E is 1. A reference variance of 0
// or less counts as 1.
double varianzaEcuacion(double sigma, const CDatosGenerales& ajustes);

}  // namespace celvara
