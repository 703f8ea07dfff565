#include "calc/caras.h"

#include <cmath>

#include "fieldbook/codificacion.h"

namespace celvara {

double verticalZenital(double vertical, std::int32_t tipoVertical, std::int32_t C) {
    if (tipoVertical == 0) return vertical;
    double z = (tipoVertical == 1 ? C / 4 : C / 2) - vertical;
    if (z < 0) z += C;
    return z;
}

double normalizarAngulo(double angulo, std::int32_t C) {
    if (C <= 0) return angulo;  // a damaged circle: nothing to normalise into
    double a = std::fmod(angulo, static_cast<double>(C));
    if (a < 0) a += C;
    if (a >= C) a -= C;  // fmod of a tiny negative can round up to C
    return a;
}

double horizontalOpuesta(double horizontal, std::int32_t C) {
    const double h = horizontal >= C / 2 ? horizontal - C / 2 : horizontal + C / 2;
    return h >= 0 && h < C ? h : normalizarAngulo(h, C);
}

LecturaCaraIzquierda aCaraIzquierda(double horizontal, double vertical, double distancia, std::int32_t C,
                                    std::int32_t tipoVertical, bool verticalEsDesnivel) {
    LecturaCaraIzquierda r{horizontal, vertical, distancia, false};
    if (verticalEsDesnivel) return r;
    const double z = verticalZenital(vertical, tipoVertical, C);
    if (!esCaraDerecha(z, C)) return r;
    r.caraDerecha = true;
    r.horizontal = horizontalOpuesta(horizontal, C);
    r.vertical = verticalZenital(C - z, tipoVertical, C);
    return r;
}

LecturaCaraIzquierda aCaraIzquierda(const Estacionamiento& s, double horizontal, double vertical, double distancia) {
    return aCaraIzquierda(horizontal, vertical, distancia, circuloDe(s.datos.unidadAngular), s.datos.tipoVertical,
                          s.datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel));
}

bool lecturaUtilizable(const Lectura& l) {
    for (double v : {l.horizontal, l.vertical, l.distancia, l.jalon})
        if (!(std::fabs(v) <= kLimiteValorLectura)) return false;  // NaN fails too
    return true;
}

std::string nombrarLectura(const Estacionamiento& s, const Lectura& l) {
    return "estacionamiento «" + cp1252AUtf8(s.nombre.vista()) + "», punto «" + cp1252AUtf8(l.nombre.vista()) + "»";
}

std::string avisoLecturaNoUtilizable(const Estacionamiento& s, const Lectura& l) {
    return "Lectura no utilizable (valor no finito o fuera de ±1e9), fuera del cálculo: " + nombrarLectura(s, l);
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
            h = horizontalOpuesta(h, C);
        }
        if (i == 0) primeraH = h;
        // Unwrapped against the first in one step, whatever the distance in
        // turns (a wild value never loops).
        const double d = h - primeraH;
        if (d > mediaVuelta || d < -mediaVuelta) h -= C * std::round(d / C);
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
