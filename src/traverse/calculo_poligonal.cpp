// Symbols: C the station's circle (400 or 360), z the zenith angle, i the
// instrument height, m the target height, D the measured distance, Dr the
// reduced one, c the earth curvature and refraction term (1 - 0.16) / 2R L^2
// with R = 6378388 m. The constants below are the program's own and are kept
// as written so that results agree to the last printed digit.
#include "traverse/calculo_poligonal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "calc/caras.h"
#include "calc/proyeccion_utm.h"
#include "fieldbook/numeros.h"

namespace celvara {
namespace {

constexpr double kDosPi = 6.2831853071796;
constexpr double kPi = 3.1415926535898;
constexpr double kCurvatura = 6.584735829805273e-08;
constexpr double kRadianAGon = 63.66197723675799;
constexpr double kGon = 400.0;  // circle of the computation

double circulo(const DatosComplementarios& d) { return d.unidadAngular == kSexagesimal ? 360.0 : 400.0; }

// One circle added or removed once, never more.
double normalizar(double a, double C = kGon) {
    if (a > C) return a - C;
    if (a < 0) return a + C;
    return a;
}

double contraria(double azimut) { return azimut >= 200.0 ? azimut - 200.0 : azimut + 200.0; }

// Horizontal reading, averaged with the face-right one turned by half a
// circle when the Bessel rule applies; station unit.
double horizontal(double cd, double ci, bool bessel, double C) {
    if (!bessel) return cd;
    const double r = horizontalOpuesta(ci, static_cast<std::int32_t>(C));
    if (cd < C / 4 && r > 3 * C / 4) return normalizar((cd + r - C) / 2, C);
    if (cd > 3 * C / 4 && r < C / 4) return normalizar((C + cd + r) / 2, C);
    return (cd + r) / 2;
}

double cenital(const VisualPoligonal& v, bool bessel, std::int32_t tipoVertical, double C) {
    switch (static_cast<TipoVertical>(tipoVertical)) {
    case TipoVertical::Inclinacion:
        return bessel ? C / 4 - (v.vCi + v.vCd) / 2 : C / 4 - v.vCd;
    case TipoVertical::Nadiral: {
        const double w = bessel ? (C - v.vCi + v.vCd) / 2 : v.vCd;
        const double z = C / 2 - w;
        return z < 0 ? z + C : z;
    }
    default:
        return bessel ? (C - v.vCi + v.vCd) / 2 : v.vCd;
    }
}

struct Reducida {
    double d = 0;
    double dz = 0;
};

// A sighting of row `obs` reduced to the horizon; L is the face-left length
// of the line, the same for both directions so that the curvature term
// cancels in the mean height difference.
Reducida reducir(const VisualPoligonal& v, const EstacionPoligonal& obs, const ReferenciaPoligonal& ref, double L) {
    const double C = circulo(obs.datos);
    const bool conCi = v.tieneCi();
    const double D = ref.besselD && conCi ? (v.dCd + v.dCi) / 2 : v.dCd;
    const double c = obs.datos.corregidoEsfRefr ? 0.0 : kCurvatura * L * L;
    const double i = obs.alturaInstrumento;
    const double m = v.jalon;
    const bool besselV = ref.besselV && conCi;
    const auto tipo = static_cast<TipoDistancia>(obs.datos.tipoDistancia);
    if (tipo == TipoDistancia::ReducidasDesnivel) {
        const double desnivel = besselV ? (v.vCd + v.vCi) / 2 : v.vCd;
        return {D, desnivel + i - m};
    }
    const double z = cenital(v, besselV, obs.datos.tipoVertical, C);
    const double zr = z * kDosPi / C;
    // Dr / tan z is 0 where the tangent has no useful value (a zenith angle
    // of a hair above 0, from a damaged file, overflows it too).
    auto sobreTangente = [&](double dr) {
        if (z == 0 || z == C / 4 || z == C / 2 || z == 3 * C / 4) return 0.0;
        const double dz = dr / std::tan(zr);
        return std::isfinite(dz) ? dz : 0.0;
    };
    switch (tipo) {
    case TipoDistancia::Generadores: {
        const double s = std::sin(zr);
        const double dr = D * s * s;
        return {dr, sobreTangente(dr) + i - m + c};
    }
    case TipoDistancia::ReducidasVertical:
        return {D, sobreTangente(D) + i - m + c};
    default:
        return {D * std::sin(zr), D * std::cos(zr) + i - m + c};
    }
}

std::string nombreTramo(const TextoFijo<15>& a, const TextoFijo<15>& b) {
    std::string s = a.str() + " - " + b.str();
    if (s.size() > 19) s.resize(19);
    return s;
}

double factorPunto(CProyeccionUTM* utm, double x, double y) {
    if (!utm) return 1.0;
    const auto g = utm->UtmAGeograficas(x, y, utm->huso());
    return g ? g->factorEscala : 1.0;
}

// Steps shared by the first pass of the UTM scale and the final pass.
void distanciasYParciales(std::vector<TramoPoligonal>& tramos) {
    for (auto& t : tramos) {
        // A direction not observed (reduced distance 0) leaves the other alone.
        t.dm = t.d2 == 0 ? t.d1 : (t.d1 == 0 ? t.d2 : (t.d1 + t.d2) * 0.5);
        t.distK = t.dm * t.km;
        const double a = t.azimutC * kDosPi / kGon;
        t.ix = t.distK * std::sin(a);
        t.iy = t.distK * std::cos(a);
        t.ixc = t.ix;
        t.iyc = t.iy;
    }
}

void acumular(std::vector<TramoPoligonal>& tramos, const ReferenciaPoligonal& ref) {
    double x = ref.x0, y = ref.y0, z = ref.z0;
    for (auto& t : tramos) {
        x += t.ixc;
        y += t.iyc;
        z += t.izc;
        t.x = x;
        t.y = y;
        t.z = z;
    }
}

}  // namespace

double azimutPoligonal(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    if (dy != 0) {
        double t = std::atan(dx / dy);
        if (dy < 0) t += kPi;
        if (dx < 0 && dy > 0) t += kDosPi;
        return t;
    }
    if (dx == 0) return 0;
    return dx > 0 ? 1.5707963267949 : 4.7123889803847;
}

std::optional<std::string> comprobarPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref) {
    const auto tipo = ref.tipoPoligonal();
    if (ref.partida.vacio()) return "No se ha Introducido la Estación de Partida en REFERENCIAR";
    if (tipo == TipoPoligonal::Encuadrada && ref.llegada.vacio())
        return "No se ha Introducido la Estación de LLegada en REFERENCIAR";
    if (filas.empty()) return "NO EXISTEN DATOS DE POLIGONAL";
    if (!(filas.front().estacion == ref.partida))
        return "La Estación Inicio de la Poligonal   NO   coincide con la Estación de Partida en REFERENCIAR";
    if (tipo == TipoPoligonal::Encuadrada && !(filas.back().estacion == ref.llegada))
        return "La Estación Final de la Poligonal   NO   coincide con la Estación de LLegada en REFERENCIAR";
    if (tipo == TipoPoligonal::Cerrada && (!(filas.back().visadoAdelante == filas.front().estacion) ||
                                           !(filas.front().visadoAtras == filas.back().estacion)))
        return std::string(kSinVisualesCierre);
    // A value no instrument gives (not finite or beyond ±1e9, a damaged file)
    // would turn every coordinate after it into nonsense.
    auto utilizable = [](std::initializer_list<double> valores) {
        return std::ranges::all_of(valores, [](double v) { return std::abs(v) <= kLimiteValorLectura; });
    };
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const EstacionPoligonal& f = filas[i];
        for (const VisualPoligonal* v : {&f.atras, &f.adelante})
            if (!utilizable({v->hCd, v->hCi, v->vCd, v->vCi, v->dCd, v->dCi, v->jalon, f.alturaInstrumento}))
                return formatear("Valor no utilizable (no finito o fuera de ±1e9) en la fila %zu de la poligonal", i + 1);
    }
    if (!utilizable({ref.x0, ref.y0, ref.z0, ref.x1, ref.y1, ref.z1, ref.acimutPartida, ref.lecturaPartida,
                     ref.desorientacionPartida, ref.acimutLlegada, ref.lecturaLlegada, ref.desorientacionLlegada}))
        return std::string("Valor no utilizable (no finito o fuera de ±1e9) en REFERENCIAR");
    return std::nullopt;
}

namespace {

// Step 1: one leg per row, its readings reduced and brought to gon.
std::vector<TramoPoligonal> tramosDeFilas(const FilasPoligonal& filas, const ReferenciaPoligonal& ref,
                                          const ConfiguracionPoligonal& config, bool cerrada) {
    const std::size_t S = filas.size();
    std::vector<TramoPoligonal> tramos(S);
    const double orientPartida = ref.desorientacionPartida * kGon / circulo(filas.front().datos);
    for (std::size_t k = 0; k < S; ++k) {
        const auto& f = filas[k];
        auto& t = tramos[k];
        const double C = circulo(f.datos);
        t.nombre = nombreTramo(f.estacion, f.visadoAdelante);
        t.nombreAtras = nombreTramo(f.estacion, f.visadoAtras);
        t.hAtras = horizontal(f.atras.hCd, f.atras.hCi, ref.besselH && f.atras.tieneCi(), C) * kGon / C;
        t.hAdelante = horizontal(f.adelante.hCd, f.adelante.hCi, ref.besselH && f.adelante.tieneCi(), C) * kGon / C;
        t.alturaInstrumento = f.alturaInstrumento;
        t.visado = f.visadoAdelante;
        t.estacion = f.estacion;
        t.estacionamiento = f.estacionamiento;
        t.datos = f.datos;
        t.desorientacion = orientPartida;
        t.km = config.escala;

        const double L = f.adelante.dCd;
        const Reducida ida = reducir(f.adelante, f, ref, L);
        t.d1 = ida.d;
        t.z1 = ida.dz;
        const EstacionPoligonal* siguiente = k + 1 < S ? &filas[k + 1] : (cerrada ? &filas.front() : nullptr);
        if (siguiente) {
            const Reducida vuelta = reducir(siguiente->atras, *siguiente, ref, L);
            t.d2 = vuelta.d;
            t.z2 = vuelta.dz;
        } else {
            t.z2 = -t.z1;
            t.d2 = 0;
        }
        t.dDifer = std::abs(t.d1) - std::abs(t.d2);
        t.zDifer = std::abs(t.z1) - std::abs(t.z2);
    }
    return tramos;
}

// Step 2: the azimuth carried from station to station.
void transmitirAcimutes(std::vector<TramoPoligonal>& tramos) {
    for (std::size_t k = 0; k < tramos.size(); ++k) {
        auto& t = tramos[k];
        t.angulo = normalizar(t.hAdelante - t.hAtras);
        if (k > 0) t.desorientacion = normalizar(contraria(tramos[k - 1].azimut) - t.hAtras);
        t.azimut = normalizar(t.desorientacion + t.hAdelante);
        t.azimutC = t.azimut;
    }
}

// Step 3: known minus carried orientation at the end (at the start again for
// a closed traverse), one turn apart counted as none.
double errorAngular(const std::vector<TramoPoligonal>& tramos, const FilasPoligonal& filas,
                    const ReferenciaPoligonal& ref, bool cerrada) {
    double conocida, calculada;
    if (cerrada) {
        calculada = normalizar(normalizar(contraria(tramos.back().azimut)) - tramos.front().hAtras);
        conocida = normalizar(tramos.front().desorientacion);
    } else {
        conocida = normalizar(ref.desorientacionLlegada * kGon / circulo(filas.back().datos));
        calculada = normalizar(tramos.back().desorientacion);
    }
    if (conocida < 5.0 && calculada > 355.0) conocida += kGon;
    else if (conocida > 355.0 && calculada < 5.0) calculada += kGon;
    return conocida - calculada;
}

// Step 4: the angular misclosure in whole units of the last decimal kept,
// q per angle cumulated, the remainder one unit more on each of the last |r|.
void compensarAngulos(std::vector<TramoPoligonal>& tramos, double eAng, int decimales) {
    const std::size_t S = tramos.size();
    const double unidad = std::pow(10.0, decimales);
    char texto[64];
    std::snprintf(texto, sizeof texto, "%1.0f", eAng * unidad);
    const long long N = std::strtoll(texto, nullptr, 10);
    const long long n = static_cast<long long>(S);
    const long long q = N / n, r = N % n;
    for (std::size_t k = 0; k < S; ++k) tramos[k].cAng = double(static_cast<long long>(k + 1) * q);
    const long long signo = r < 0 ? -1 : 1;
    for (long long j = 0; j < std::llabs(r); ++j) tramos[S - 1 - j].cAng += double(signo * (std::llabs(r) - j));
    for (auto& t : tramos) t.azimutC = normalizar(t.azimut + t.cAng / unidad);
}

// Step 5: the scale of every leg on the UTM grid, the mean of the point
// factors at its ends, from a first pass of the coordinates.
void escalaUtm(std::vector<TramoPoligonal>& tramos, const ReferenciaPoligonal& ref, CProyeccionUTM* proy) {
    distanciasYParciales(tramos);
    for (auto& t : tramos) t.izc = 0;
    acumular(tramos, ref);
    double kInicio = factorPunto(proy, ref.x0, ref.y0);
    for (auto& t : tramos) {
        const double kFin = factorPunto(proy, t.x, t.y);
        t.km = (kInicio + kFin) * 0.5 * t.km;
        kInicio = kFin;
    }
}

// Step 9 by Sanguet: a rotation and a scale of the partials of the
// compensated legs. False when there is none to find, or one so large that
// the traverse is wrong rather than misclosed.
bool repartirSanguet(ResultadoPoligonal& res, std::size_t compensados) {
    auto& tramos = res.tramos;
    double Sx = 0, Sy = 0;
    for (std::size_t k = 0; k < compensados; ++k) {
        Sx += tramos[k].ix;
        Sy += tramos[k].iy;
    }
    const double Q = Sy * Sy + Sx * Sx;
    if (Q == 0) return false;
    res.giro = -(Sy * res.E.x - Sx * res.E.y) / Q;
    res.coeficiente = -(Sy * res.E.y + Sx * res.E.x) / Q;
    if (std::abs(res.giro) > 0.01 || std::abs(res.coeficiente) > 0.01) return false;
    for (std::size_t k = 0; k < compensados; ++k) {
        auto& t = tramos[k];
        t.cx = -(res.coeficiente * t.ix + res.giro * t.iy);
        t.cy = -(res.coeficiente * t.iy - res.giro * t.ix);
    }
    return true;
}

// Step 9 in proportion to the partial distances, or to the partial
// coordinates except for a component with no partials, which goes by
// distances.
void repartirProporcional(ResultadoPoligonal& res, std::size_t compensados, double sumaDist) {
    auto& tramos = res.tramos;
    double sumaIx = 0, sumaIy = 0;
    for (std::size_t k = 0; k < compensados; ++k) {
        sumaIx += std::abs(tramos[k].ix);
        sumaIy += std::abs(tramos[k].iy);
    }
    const bool porCoordenadas =
        res.configuracion.metodo == static_cast<std::uint32_t>(MetodoCompensacion::CoordenadasParciales);
    const bool porIx = porCoordenadas && sumaIx != 0;
    const bool porIy = porCoordenadas && sumaIy != 0;
    for (std::size_t k = 0; k < compensados; ++k) {
        auto& t = tramos[k];
        t.cx = porIx ? std::abs(t.ix) * res.E.x / sumaIx : res.E.x / sumaDist * std::abs(t.distK);
        t.cy = porIy ? std::abs(t.iy) * res.E.y / sumaIy : res.E.y / sumaDist * std::abs(t.distK);
    }
}

// Steps 8 and 9: the planimetric misclosure and its distribution over the
// legs that carry it (all but the last). False when it cannot be spread.
bool repartirPlanimetria(ResultadoPoligonal& res, const ReferenciaPoligonal& ref, double sumaDist) {
    auto& tramos = res.tramos;
    const bool cerrada = res.tipo == TipoPoligonal::Cerrada;
    const std::size_t compensados = tramos.size() - 1;
    double sx = 0, sy = 0;
    for (std::size_t k = 0; k < (cerrada ? tramos.size() : compensados); ++k) {
        sx += tramos[k].ix;
        sy += tramos[k].iy;
    }
    res.E.x = cerrada ? -sx : (ref.x1 - ref.x0) - sx;
    res.E.y = cerrada ? -sy : (ref.y1 - ref.y0) - sy;
    // Legs shorter than a millimetre in all (a damaged file) cannot carry a misclosure.
    if (sumaDist < 0.001) return false;
    if (res.configuracion.metodo == static_cast<std::uint32_t>(MetodoCompensacion::Sanguet)) {
        if (!repartirSanguet(res, compensados)) return false;
    } else {
        repartirProporcional(res, compensados, sumaDist);
    }
    for (auto& t : tramos) {
        t.ixc = t.ix + t.cx;
        t.iyc = t.iy + t.cy;
    }
    return true;
}

// Step 10: mean height differences, and the misclosure spread in proportion
// to the distances.
void repartirAltimetria(ResultadoPoligonal& res, const ReferenciaPoligonal& ref, double sumaDist) {
    auto& tramos = res.tramos;
    const bool cerrada = res.tipo == TipoPoligonal::Cerrada;
    const std::size_t S = tramos.size(), compensados = S - 1;
    double sumaIz = 0;
    for (std::size_t k = 0; k < S; ++k) {
        auto& t = tramos[k];
        t.iz = t.d2 == 0 ? t.z1 : (t.d1 == 0 ? -t.z2 : (t.z1 - t.z2) * 0.5);
        t.izc = t.iz;
        if (k < (cerrada ? S : compensados)) sumaIz += t.iz;
    }
    if (res.tipo == TipoPoligonal::Colgada) return;
    res.E.z = cerrada ? -sumaIz : (ref.z1 - ref.z0) - sumaIz;
    for (std::size_t k = 0; k < compensados; ++k) {
        auto& t = tramos[k];
        t.cz = std::abs(t.distK) * res.E.z / sumaDist;
        t.izc = t.cz + t.iz;
    }
}

// Step 12: the orientation of every station after the first, the mean of
// its back and forward sightings to the final coordinates.
void desorientacionesFinales(std::vector<TramoPoligonal>& tramos, const ReferenciaPoligonal& ref) {
    for (std::size_t k = 1; k < tramos.size(); ++k) {
        auto& t = tramos[k];
        const auto& anterior = tramos[k - 1];
        const double xa = k >= 2 ? tramos[k - 2].x : ref.x0;
        const double ya = k >= 2 ? tramos[k - 2].y : ref.y0;
        double a = azimutPoligonal(anterior.x, anterior.y, xa, ya) * kRadianAGon - t.hAtras;
        double b = t.visado.vacio() ? a : azimutPoligonal(anterior.x, anterior.y, t.x, t.y) * kRadianAGon - t.hAdelante;
        a = normalizar(a);
        b = normalizar(b);
        if (std::abs(std::abs(a) - std::abs(b)) > 350) {
            if (a > 350) a -= 400;
            if (b > 350) b -= 400;
        }
        t.desorientacionFinal = normalizar((a + b) * 0.5) * circulo(t.datos) * 0.0025;
    }
}

// Step 14: the point scale factors the report shows.
void factoresUtm(ResultadoPoligonal& res, const ReferenciaPoligonal& ref, CProyeccionUTM* proy) {
    res.factorPartida = factorPunto(proy, ref.x0, ref.y0);
    for (auto& t : res.tramos) t.factorFinal = factorPunto(proy, t.x, t.y);
    res.factorLlegada = res.tipo == TipoPoligonal::Encuadrada ? factorPunto(proy, ref.x1, ref.y1) : 1.0;
}

// The stations of "COORDENADAS GENERALES" (see EstacionGeneral).
std::vector<EstacionGeneral> estacionesGenerales(const ResultadoPoligonal& res, const ReferenciaPoligonal& ref) {
    std::vector<EstacionGeneral> lista;
    const auto& tr = res.tramos;
    const std::size_t S = tr.size();
    lista.push_back({ref.partida.str(), ref.x0, ref.y0, ref.z0, ref.desorientacionPartida, res.factorPartida});
    // Legs whose end is a traverse station other than the start and the
    // fitted traverse's known end.
    const std::size_t hasta = res.tipo == TipoPoligonal::Encuadrada ? (S >= 2 ? S - 2 : 0) : (S >= 1 ? S - 1 : 0);
    for (std::size_t k = 0; k < hasta; ++k)
        lista.push_back({tr[k].visado.str(), tr[k].x, tr[k].y, tr[k].z, tr[k + 1].desorientacionFinal, tr[k].factorFinal});
    if (res.tipo == TipoPoligonal::Encuadrada)
        lista.push_back({ref.llegada.str(), ref.x1, ref.y1, ref.z1, ref.desorientacionLlegada, res.factorLlegada});
    return lista;
}

}  // namespace

CalculoPoligonal calcularPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref,
                                   const ConfiguracionPoligonal& config, const EvaluadorErrores& evaluar) {
    if (filas.empty()) return {std::nullopt, kSinDatosPoligonal};
    const auto tipo = ref.tipoPoligonal();
    const bool colgada = tipo == TipoPoligonal::Colgada;
    if (ref.tipo < 0 || ref.tipo > 2 || (!colgada && filas.size() < 2))
        return {std::nullopt, kErrorProcesoPoligonal};
    if (config.metodo == static_cast<std::uint32_t>(MetodoCompensacion::Sanguet) && vuelveAlPuntoDePartida(ref))
        return {std::nullopt, kSanguetSinLongitud};
    ResultadoPoligonal res;
    res.tipo = tipo;
    res.configuracion = config;
    res.tramos = tramosDeFilas(filas, ref, config, tipo == TipoPoligonal::Cerrada);
    transmitirAcimutes(res.tramos);
    if (!colgada) res.E.ang = errorAngular(res.tramos, filas, ref, tipo == TipoPoligonal::Cerrada);
    if (!colgada && config.metodo != static_cast<std::uint32_t>(MetodoCompensacion::Sanguet))
        compensarAngulos(res.tramos, res.E.ang, config.decimales);

    std::optional<CProyeccionUTM> utm;
    if (config.proyeccion == 1 || config.proyeccion == 2)
        utm.emplace(elipsoideCalculo(config.proyeccion, config.trabajo.datum), config.trabajo.huso);
    CProyeccionUTM* proy = utm ? &*utm : nullptr;
    if (proy) escalaUtm(res.tramos, ref, proy);
    distanciasYParciales(res.tramos);

    double sumaDist = 0;  // of the legs that carry the misclosure: all but the last
    for (std::size_t k = 0; k + 1 < res.tramos.size(); ++k) sumaDist += std::abs(res.tramos[k].distK);
    if (!colgada && !repartirPlanimetria(res, ref, sumaDist))
        return {std::nullopt, kErrorProcesoPoligonal};
    repartirAltimetria(res, ref, sumaDist);
    acumular(res.tramos, ref);
    desorientacionesFinales(res.tramos, ref);
    res.E.dist = std::sqrt(res.E.x * res.E.x + res.E.y * res.E.y);
    factoresUtm(res, ref, proy);
    aplicarTolerancias(res, filas, evaluar);
    res.estaciones = estacionesGenerales(res, ref);
    return {std::move(res), nullptr};
}

bool vuelveAlPuntoDePartida(const ReferenciaPoligonal& ref) {
    switch (ref.tipoPoligonal()) {
    case TipoPoligonal::Cerrada: return true;
    case TipoPoligonal::Colgada: return false;
    default:
        return ref.partida == ref.llegada ||
               (std::abs(ref.x1 - ref.x0) < 0.001 && std::abs(ref.y1 - ref.y0) < 0.001);
    }
}

double cenitalErrores(const EstacionPoligonal& f) {
    const double C = circulo(f.datos);
    const double v = f.adelante.vCd * kGon / C;
    switch (static_cast<TipoDistancia>(f.datos.tipoDistancia)) {
    case TipoDistancia::ReducidasDesnivel:
        if (f.adelante.dCd == 0) return 100.0;
        return 100.0 - std::atan(f.adelante.vCd / f.adelante.dCd) * kRadianAGon;
    default:
        break;
    }
    switch (static_cast<TipoVertical>(f.datos.tipoVertical)) {
    case TipoVertical::Inclinacion: return 100.0 - v;
    case TipoVertical::Nadiral: return 200.0 - v;
    default: return v;
    }
}

void aplicarTolerancias(ResultadoPoligonal& res, const FilasPoligonal& filas, const EvaluadorErrores& evaluar) {
    res.T = {};
    for (auto& t : res.tramos) t.dTol = t.zTol = 0;
    if (res.tipo == TipoPoligonal::Colgada || res.tramos.empty() || !evaluar) return;
    AcumuladorTolerancias acumulador;
    const std::size_t n = std::min(res.tramos.size() - 1, filas.size());
    for (std::size_t k = 0; k < n; ++k) {
        auto& t = res.tramos[k];
        const auto& f = filas[k];
        // A leg with no instrument to evaluate adds no error.
        const auto e = evaluar(f.datos, f.adelante.dCd, cenitalErrores(f), f.adelante.jalon);
        const auto tol = acumulador.anadirTramo(e.value_or(ErroresVisual{}), t.ixc, t.iyc, t.d1);
        t.dTol = tol.distancia;
        t.zTol = tol.altura;
    }
    const auto total = acumulador.resultado();
    res.T = {total.tAng, total.tX, total.tY, total.tZ, total.tDist};
}

}  // namespace celvara
