#include "calc/estadistica.h"

#include <algorithm>
#include <cmath>

#include "calc/unidades.h"

namespace celvara {

namespace {

// Regularised lower incomplete gamma P(a, x) (series, or continued fraction
// beyond a + 1).
double gammaInferior(double a, double x) {
    if (x <= 0) return 0.0;
    const double lg = std::lgamma(a);
    if (x < a + 1) {
        double suma = 1.0 / a, termino = suma;
        for (int n = 1; n < 500; ++n) {
            termino *= x / (a + n);
            suma += termino;
            if (std::fabs(termino) < std::fabs(suma) * 1e-15) break;
        }
        return suma * std::exp(-x + a * std::log(x) - lg);
    }
    double b = x + 1 - a, c = 1e300, d = 1 / b, h = d;
    for (int i = 1; i < 500; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < 1e-300) d = 1e-300;
        c = b + an / c;
        if (std::fabs(c) < 1e-300) c = 1e-300;
        d = 1 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1) < 1e-15) break;
    }
    return 1.0 - std::exp(-x + a * std::log(x) - lg) * h;
}

}  // namespace

Elipse elipseError(double sxx, double syy, double sxy) {
    Elipse e;
    const double m = (sxx + syy) / 2;
    const double r = std::sqrt((sxx - syy) * (sxx - syy) / 4 + sxy * sxy);
    e.a = std::sqrt(std::max(0.0, m + r));
    e.b = std::sqrt(std::max(0.0, m - r));
    // Azimuth from north, clockwise: y north, x east.
    double az = 0.5 * std::atan2(2 * sxy, syy - sxx) * 200.0 / kPiAzimut;
    if (az < 0) az += 200.0;
    if (az >= 200.0) az -= 200.0;
    e.azimut = az;
    return e;
}

double cuantilChi2(int r, double p) {
    if (r <= 0) return 0.0;
    const double a = r / 2.0;
    double bajo = 0, alto = std::max(10.0, 10.0 * r);
    while (1.0 - gammaInferior(a, alto / 2) > p) alto *= 2;
    for (int i = 0; i < 200; ++i) {
        const double medio = (bajo + alto) / 2;
        if (1.0 - gammaInferior(a, medio / 2) > p)
            bajo = medio;
        else
            alto = medio;
    }
    return (bajo + alto) / 2;
}

TestGlobal testGlobal(int redundancia, double estadistico) {
    TestGlobal t;
    t.estadistico = estadistico;
    t.inferior = cuantilChi2(redundancia, 0.975);
    t.superior = cuantilChi2(redundancia, 0.025);
    t.aceptado = estadistico >= t.inferior && estadistico <= t.superior;
    return t;
}

const char* veredictoTest(const TestGlobal& t) {
    if (t.aceptado) return "aceptado";
    return t.estadistico < t.inferior ? "rechazado (errores a priori pesimistas)"
                                      : "rechazado (error grosero o errores a priori optimistas)";
}

}  // namespace celvara
