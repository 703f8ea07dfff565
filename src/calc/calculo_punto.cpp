// Polar reduction of a reading (classical radiation with a total station or
// a stadia tacheometer).
//
// Symbols (C the circle of the set-up, 400 or 360):
//   H, V, D, hm   horizontal reading, vertical reading, distance field,
//                 target height (set-up unit / m)
//   dH, dV, dD    additive corrections (set-up unit / m)
//   omega         orientation correction, azimuth = reading + omega
//   k             combined scale on the reduced distance
//   K = 0.42      (1 - 0.16) / 2, curvature less refraction
//   R = 6378388   earth radius, m
//
//   theta = omega + H'  (omega < 0 raised by C; theta > C lowered by C)
//   V' as a zenith angle: ZENITAL unchanged, INCLINACION pi/2 - V',
//   NADIRAL pi - V' (negative raised by 2 pi)
//   GEOMETRICAS          Dh = D' sin V'     dz = D' cos V'
//   GENERADORES          Dh = D' sin V' |sin V'|   dz = Dh / tan V'
//   Reducidas/Desnivel   Dh = D'                   dz = V' (a height difference, m)
//   Reducidas/Vertical   Dh = D' sgn(sin V')       dz = Dh / tan V'
//   Dh <- k Dh;  c = K Dh^2 / R
//   X = X0 + Dh sin theta;  Y = Y0 + Dh cos theta;  Z = Z0 + hi + dz - hm + c
//
// An elevation angle becomes a zenith angle as pi/2 - V' (as the traverse and
// correction computations take it), not pi - V', which would turn a level
// sight into a vertical one.
//
// Dh carries the sign of sin V' for every kind, as the slope distance's does:
// a face-right reading (V' above pi) then has a negative Dh that turns its
// direction, read half a turn away, back onto the point, and dz keeps its
// sign through Dh / tan V'.
#include "calc/calculo_punto.h"

#include <cmath>

#include "calc/unidades.h"

namespace celvara {

DatosEstacionamientoCalculo datosDeEstacionamiento(const Estacion& estacion, const Estacionamiento& estacionamiento) {
    DatosEstacionamientoCalculo d;
    d.x0 = estacion.x;
    d.y0 = estacion.y;
    d.z0 = estacion.z;
    d.desorientacion = estacionamiento.desorientacion;
    d.alturaInstrumento = estacionamiento.alturaInstrumento;
    d.aplicarEsfRefr = estacionamiento.datos.corregidoEsfRefr == 1 ? 0 : 1;
    d.aplicarTempPres = estacionamiento.datos.corregidoTempPres == 1 ? 0 : 1;
    d.tipoDistancia = estacionamiento.datos.tipoDistancia;
    d.tipoVertical = estacionamiento.datos.tipoVertical;
    d.unidadAngular = estacionamiento.datos.unidadAngular;
    return d;
}

void CCalculoPunto::cargarLectura(double horizontal, double vertical, double distancia, double jalon) {
    h_ = horizontal;
    v_ = vertical;
    d_ = distancia;
    hm_ = jalon;
}

namespace {

// tan V' is zero or undefined there: no height from Dh / tan V'.
bool tangenteNulaOInfinita(double v) {
    return v == 0 || v == CCalculoPunto::kPi || v == CCalculoPunto::kRecto || v == CCalculoPunto::kTresRectos;
}

double desnivelPorTangente(double dh, double v) { return tangenteNulaOInfinita(v) ? 0.0 : dh / std::tan(v); }

}  // namespace

const PuntoCalculado& CCalculoPunto::calcular() {
    const std::int32_t C = est_.unidadAngular;
    const double hCorregida = h_ + est_.correccionHorizontal;

    double omega = est_.desorientacion;
    if (omega < 0) omega += C;
    double theta = omega + hCorregida;
    if (theta > C) theta -= C;  // exactly C stays C: the same direction as 0

    double v = v_ + est_.correccionVertical;
    const double d = d_ + est_.correccionDistancia;

    const auto tipoDistancia = static_cast<TipoDistancia>(est_.tipoDistancia);
    const bool verticalEsDesnivel = tipoDistancia == TipoDistancia::ReducidasDesnivel;

    theta = aRadianes(theta, C, kPi);
    if (!verticalEsDesnivel) {
        v = aRadianes(v, C, kPi);
        const auto tipoVertical = static_cast<TipoVertical>(est_.tipoVertical);
        if (tipoVertical != TipoVertical::Zenital) {
            v = (tipoVertical == TipoVertical::Inclinacion ? kPi / 2 : kPi) - v;
            if (v < 0) v += kDosPi;
        }
    }

    double dh = 0;
    double dz = 0;
    switch (tipoDistancia) {
        case TipoDistancia::Generadores: {
            const double s = std::sin(v);
            dh = d * s * std::fabs(s);
            dz = desnivelPorTangente(dh, v);
            break;
        }
        case TipoDistancia::ReducidasDesnivel:
            dh = d;
            dz = v;
            break;
        case TipoDistancia::ReducidasVertical:
            dh = std::sin(v) < 0 ? -d : d;
            dz = desnivelPorTangente(dh, v);
            break;
        case TipoDistancia::Geometricas:
        default:  // an unknown kind reduces as a slope distance
            dh = d * std::sin(v);
            dz = d * std::cos(v);
            break;
    }

    dh *= escala_;
    const double c = est_.aplicarEsfRefr == 1 ? kRefraccion * dh * dh / kRadioTierra : 0.0;

    res_.azimut = theta;
    res_.distanciaReducida = dh;
    res_.desnivel = dz;
    res_.esfericidadRefraccion = c;
    res_.x = est_.x0 + dh * std::sin(theta);
    res_.y = est_.y0 + dh * std::cos(theta);
    res_.z = est_.z0 + est_.alturaInstrumento + dz - hm_ + c;
    return res_;
}

}  // namespace celvara
