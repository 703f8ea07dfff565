#include "calc/modelo_errores.h"

#include <algorithm>
#include <cmath>

namespace celvara {

namespace {
constexpr double kRadianesPorGon = 0.015707963267948967;
constexpr double kCcPorRadian = 636620;                     // of the centring term
constexpr double kTransversal = 1.570795765134617e-06;      // cc → rad, as written
const double kRaiz2 = std::sqrt(2.0);
}  // namespace

ParametrosTrabajo parametrosTrabajo(const CDatosGenerales& a) {
    return {a.errorCentradoEstacion, a.errorCentradoPunto, a.errorAlturaInstrumento, a.errorAlturaJalon,
            a.inclinacionJalon};
}

void guardarParametrosTrabajo(CDatosGenerales& a, const ParametrosTrabajo& p) {
    a.errorCentradoEstacion = p.errorCentradoEstacion;
    a.errorCentradoPunto = p.errorCentradoPunto;
    a.errorAlturaInstrumento = p.errorAlturaInstrumento;
    a.errorAlturaJalon = p.errorAlturaJalon;
    a.inclinacionJalon = p.inclinacionJalon;
}

CaracteristicasInstrumento caracteristicas(const Instrumento& i) {
    return {i.aumentos, i.nivelTorico, i.precisionH, i.precisionV, i.precisionDistanciaMm, i.precisionDistanciaPpm};
}

int errorPunteria(int a) {
    if (a <= 0) return 0;
    return (a * 4 / 100 + 1) * (30 / a);
}

ErroresVisual erroresVisual(const CaracteristicasInstrumento& ins, const ParametrosTrabajo& p, double d, double v,
                            double m) {
    ErroresVisual e;
    const double ep = errorPunteria(ins.aumentos);
    const double s = ins.compensador;

    e.ev = std::sqrt(ep * ep + (s / 3) * (s / 3) + ins.precisionV * ins.precisionV);
    // 1/D of a denormal distance overflows; no sight is shorter than a millimetre.
    const double centrado =
        std::abs(d) < 0.001 ? 0.0 : (p.errorCentradoEstacion + p.errorCentradoPunto) / d * kCcPorRadian;
    e.ea = std::sqrt(ep * ep + centrado * centrado + (s / 12) * (s / 12) + ins.precisionH * ins.precisionH);

    const double rv = v * kRadianesPorGon;
    const double rw = p.inclinacionJalon * kRadianesPorGon;
    const double rv2 = (e.ev * 0.0001 + v) * kRadianesPorGon;

    const double senos = d * std::sin(rv) - d * std::sin(rv2);
    const double jalonSeno = m * std::sin(rw);
    const double distanciometro = d * 0.001 * ins.precisionDistanciaPpm * 0.001 + ins.precisionDistanciaMm * 0.001;
    e.ed = std::sqrt(senos * senos + jalonSeno * jalonSeno + distanciometro * distanciometro);

    const double cosenos = d * std::cos(rv) - d * std::cos(rv2);
    const double jalonCoseno = m - m * std::cos(rw);
    const double distanciaCoseno = d * std::cos(rv) - (e.ed + d) * std::cos(rv);
    e.ez = std::sqrt(cosenos * cosenos + jalonCoseno * jalonCoseno + distanciaCoseno * distanciaCoseno +
                     p.errorAlturaJalon * p.errorAlturaJalon + p.errorAlturaInstrumento * p.errorAlturaInstrumento);

    e.longitudinal = kRaiz2 * e.ed;
    e.transversal = kRaiz2 * d * e.ea * kTransversal;
    e.altura = kRaiz2 * e.ez;
    return e;
}

ToleranciaPoligonalPrevista toleranciaPoligonalPrevista(const CaracteristicasInstrumento& ins,
                                                        const ParametrosTrabajo& p, int tramos, double longitud) {
    ToleranciaPoligonalPrevista t;
    if (tramos < 1 || !(longitud > 0)) return t;
    const double n = tramos;
    const double raizN = std::sqrt(n);
    t.visual = erroresVisual(ins, p, longitud / n, 100.0, 1.6);
    t.tAng = kRaiz2 * raizN * t.visual.ea;
    t.tLon = t.visual.ed / kRaiz2 * raizN;
    t.tTrav = raizN * t.visual.transversal;
    t.tDist = std::max(t.tLon, t.tTrav);
    // Left to right in reals: L·1/3, never the integer 1/3.
    t.tolX = (longitud * 1.0 / 3.0) / (longitud / t.tDist);
    t.tolY = (longitud * 2.0 / 3.0) / (longitud / t.tDist);
    t.tolZ = t.visual.ez / kRaiz2 * raizN;
    return t;
}

ToleranciaTramo AcumuladorTolerancias::anadirTramo(const ErroresVisual& e, double ixc, double iyc, double d1) {
    const double angular = kRaiz2 * e.ea * 0.0001;
    tAng_ = std::sqrt(tAng_ * tAng_ + angular * angular);
    const double longitudinal = e.ed / kRaiz2;
    lLong_ = std::sqrt(lLong_ * lLong_ + longitudinal * longitudinal);
    lTrans_ = std::sqrt(lTrans_ * lTrans_ + e.transversal * e.transversal);
    const double altura = e.ez / kRaiz2;
    tZ_ = std::sqrt(tZ_ * tZ_ + altura * altura);
    sumaX_ += std::fabs(ixc);
    sumaY_ += std::fabs(iyc);
    sumaD_ += d1;
    return {kRaiz2 * e.ed, kRaiz2 * e.ez};
}

ToleranciasPoligonal AcumuladorTolerancias::resultado() const {
    ToleranciasPoligonal r;
    r.tAng = tAng_;
    r.tZ = tZ_;
    r.tDist = std::max(lLong_, lTrans_);
    // A traverse shorter than a millimetre (a damaged file) has no share to spread.
    if (std::abs(sumaD_) >= 0.001) {
        r.tX = sumaX_ * r.tDist / sumaD_;
        r.tY = sumaY_ * r.tDist / sumaD_;
    }
    return r;
}

double varianzaEcuacion(double sigma, const CDatosGenerales& ajustes) {
    if (!ajustes.calcularConPesos) return 1.0;
    const double referencia = ajustes.varianzaReferencia > 0 ? ajustes.varianzaReferencia : 1.0;
    return sigma * sigma / referencia;
}

}  // namespace celvara
