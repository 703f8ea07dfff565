#include "calc/caras.h"

#include <cmath>

namespace celvara {

double verticalZenital(double vertical, std::int32_t tipoVertical, std::int32_t C) {
    if (tipoVertical == 0) return vertical;
    double z = (tipoVertical == 1 ? C / 4 : C / 2) - vertical;
    if (z < 0) z += C;
    return z;
}

double normalizarAngulo(double angulo, std::int32_t C) {
    double a = std::fmod(angulo, static_cast<double>(C));
    if (a < 0) a += C;
    if (a >= C) a -= C;  // fmod of a tiny negative can round up to C
    return a;
}

ValoresLectura promediarCaras(std::span<const ValoresLectura> lecturas, std::int32_t C, std::int32_t tipoVertical,
                              bool verticalEsDesnivel) {
    ValoresLectura media;
    if (lecturas.empty()) return media;
    const double mediaVuelta = C / 2;
    double sumaH = 0, sumaV = 0, sumaD = 0, sumaJ = 0, primeraH = 0;
    std::size_t conDistancia = 0;
    for (std::size_t i = 0; i < lecturas.size(); ++i) {
        const ValoresLectura& l = lecturas[i];
        double h = l.horizontal;
        double v = verticalEsDesnivel ? l.vertical : verticalZenital(l.vertical, tipoVertical, C);
        if (!verticalEsDesnivel && esCaraDerecha(v, C)) {
            v = C - v;
            h += h <= mediaVuelta ? mediaVuelta : -mediaVuelta;
        }
        if (i == 0) primeraH = h;
        while (h - primeraH > mediaVuelta) h -= C;
        while (h - primeraH < -mediaVuelta) h += C;
        sumaH += h;
        sumaV += v;
        sumaJ += l.jalon;
        if (l.distancia != 0) {
            sumaD += l.distancia;
            ++conDistancia;
        }
    }
    const double n = static_cast<double>(lecturas.size());
    media.horizontal = normalizarAngulo(sumaH / n, C);
    media.vertical = verticalEsDesnivel ? sumaV / n : verticalZenital(sumaV / n, tipoVertical, C);
    media.jalon = sumaJ / n;
    media.distancia = conDistancia ? sumaD / static_cast<double>(conDistancia) : 0.0;
    return media;
}

}  // namespace celvara
