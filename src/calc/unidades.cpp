// Azimuth and distance between two plane points.
//   dx = X2 - X1, dy = Y2 - Y1 (m); azimuth t in units of the circle C,
//   t = atan(dx/dy) * (C/2) / pi, brought into its quadrant by adding C/2
//   (dy < 0) or C (dy > 0, dx < 0).
#include "calc/unidades.h"

#include <cmath>

#include "fieldbook/numeros.h"

namespace celvara {

double AzimutEntre(double x1, double y1, double x2, double y2, std::int32_t C) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dy == 0) {
        if (dx == 0) return 0;
        return dx > 0 ? cuartoVuelta(C) : 3 * cuartoVuelta(C);
    }
    double t = std::atan(dx / dy) * mediaVuelta(C) / kPiAzimut;
    if (dy < 0)
        t += mediaVuelta(C);
    else if (dx < 0)
        t += C;
    return t;
}

double DistanciaEntre(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

double anguloMostrado(double angulo) { return textoANumero(formatear("%1.4lf", angulo)); }

double longitudMostrada(double longitud) { return textoANumero(formatear("%1.3lf", longitud)); }

}  // namespace celvara
