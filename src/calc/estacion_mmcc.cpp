// Symbols: P (x, y) the approximate station, w its orientation (gon), S / T a
// known station, D the distance between them (m), C = 400.
//   rho = 636619.8 cc/rad, k = 10000 cc/gon
//   Dir--->Ang (S -> P):  dx (y − Ys) rho/D²   dy −(x − Xs) rho/D²   dE 0
//                         Fo = k (theta(S->P) − (H + ws))
//   Inv-->Ang (P -> T):   dx −(Yt − y) rho/D²  dy (Xt − x) rho/D²    dE −1
//                         Fo = k (theta(P->T) − (w + H))
//   Distancia:            dx (x − X)/D'        dy (y − Y)/D'         Fo = D' − Dred
// with misclosures brought into (−C/2, C/2] so that a station almost north
// of a known one does not see a full turn as its misclosure.
#include "calc/estacion_mmcc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/proyeccion_utm.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

constexpr double kRho = 636619.8;       // cc per radian
constexpr double kCcPorGon = 10000.0;   // k
constexpr double kRadianAUnidad = 0.15915494309189535;  // 1 / (2 pi)
constexpr double kPivoteMinimo = 1e-9;

// Azimuth P1 -> P2 in radians by the rule of the units (north 0, clockwise).
double azimutRadianes(double x1, double y1, double x2, double y2) {
    constexpr double pi = kPiAzimut;
    const double dx = x2 - x1, dy = y2 - y1;
    if (dy == 0) return dx == 0 ? 0.0 : (dx > 0 ? pi / 2 : 3 * pi / 2);
    double t = std::atan(dx / dy);
    if (dy < 0)
        t += pi;
    else if (dx < 0)
        t += 2 * pi;
    return t;
}

double azimut(double x1, double y1, double x2, double y2, int C) {
    return C * azimutRadianes(x1, y1, x2, y2) * kRadianAUnidad;
}

double enCirculo(double w, int C) {
    w = std::fmod(w, static_cast<double>(C));
    if (w < 0) w += C;
    return w;
}

// A value that prints as zero with that many decimals, as a plain zero (no
// "-0.000").
double limpio(double v, int decimales) { return std::fabs(v) < 0.5 * std::pow(10.0, -decimales) ? 0.0 : v; }

// Station of a reading's name that counts as known for P.
const Estacion* conocidaDeNombre(const CLibretaCampo& libreta, const Estacion* p, std::string_view nombre) {
    for (const auto& e : libreta.estaciones)
        if (e.get() != p && e->nombre == nombre && (e->x != 0 || e->y != 0)) return e.get();
    return nullptr;
}

bool esConocida(const Estacion& e, const Estacion* p) { return &e != p && (e.x != 0 || e.y != 0); }

double escala(const CDatosGenerales& ajustes, double x, double y) {
    const auto utm = proyeccionCalculo(ajustes.proyeccion, ajustes.proyeccionTrabajo);
    return escalaRadiacion(utm.get(), ajustes.escalaAdicional, x, y).k;
}

// The first set-up of P with sights to known stations.
Estacionamiento* setupInverso(const CLibretaCampo& libreta, const Estacion& p) {
    for (const auto& s : p.estacionamientos)
        for (const auto& l : s->lecturas)
            if (conocidaDeNombre(libreta, &p, l.nombre.vista())) return s.get();
    return nullptr;
}

// The point computation of a sight, its set-up and scale loaded; relative: from a station at 0, 0, 0.
CCalculoPunto cargarVisual(const EntradaEstacionMMCC& e, const EcuacionEstacion& q, double x, double y, bool relativa) {
    const OrigenEcuacion& o = q.origen;
    CCalculoPunto cp;
    DatosEstacionamientoCalculo d = datosDeEstacionamiento(o.inversa ? *e.estacion : *o.conocida, *o.estacionamiento);
    if (relativa) d.x0 = d.y0 = d.z0 = 0;
    cp.cargarEstacionamiento(d);
    cp.fijarEscala(o.inversa ? escala(*e.ajustes, x, y) : escala(*e.ajustes, o.conocida->x, o.conocida->y));
    return cp;
}

ResultadoPasada fallo(const char* error) {
    ResultadoPasada r;
    r.error = error;
    return r;
}

// The plan rows in use, and whether an inverse one is among them.
std::vector<std::size_t> filasEnUso(const EntradaEstacionMMCC& e, bool& inversa) {
    std::vector<std::size_t> filas;
    inversa = false;
    for (std::size_t f = 0; f < e.planimetria.size(); ++f) {
        if (!e.planimetria[f].uso) continue;
        filas.push_back(f);
        if (e.planimetria[f].tipo == TipoEcuacion::Inversa) inversa = true;
    }
    return filas;
}

// One row of B and Fo with its a priori sigma (m or cc). Null error with
// false: the instrument choice has told.
bool ecuacion(const EntradaEstacionMMCC& e, const EcuacionEstacion& q, double x, double y, double w,
              CoeficientesEcuacion& c, double& sigma, const char*& error) {
    const OrigenEcuacion& o = q.origen;
    const Estacionamiento& s = *o.estacionamiento;
    const Estacion& k = *o.conocida;
    // Least squares reduces face right to face left: the equations read H
    // and V as face left only, and each face stays its own observation.
    const LecturaCaraIzquierda li = aCaraIzquierda(s, q.horizontal, q.vertical, q.distancia);
    const double H = li.horizontal, V = li.vertical, Dg = li.distancia;
    const double D = DistanciaEntre(x, y, k.x, k.y);
    // The reduced distance, as the radiation reduces it.
    double dred = 0;
    if (Dg > 0) {
        CCalculoPunto cp = cargarVisual(e, q, x, y, false);
        cp.cargarLectura(H, V, Dg, o.jalon);
        dred = cp.calcular().distanciaReducida;
    }
    const Instrumento* ins = e.instrumentos->de(s.datos.instrumento.vista(), s.nombre.vista());
    if (!ins) return false;
    const ErroresVisual err = erroresVisual(caracteristicas(*ins), parametrosTrabajo(*e.ajustes), Dg > 0 ? dred : D,
                                            anguloCenital(s, V), o.jalon);
    if (D == 0) {
        error = kMensajeNSingular;
        return false;
    }
    c = {};
    if (q.tipo == TipoEcuacion::Distancia) {
        c.dx = (x - k.x) / D;
        c.dy = (y - k.y) / D;
        c.fo = D - dred;
        sigma = err.longitudinal;
        return true;
    }
    const int C = kCentesimal;
    if (q.tipo == TipoEcuacion::Inversa) {
        double L = w + H;
        if (L >= C) L -= C;
        c.dx = -(k.y - y) * kRho / (D * D);
        c.dy = (k.x - x) * kRho / (D * D);
        c.dE = -1;
        c.fo = kCcPorGon * cierreAngular(azimut(x, y, k.x, k.y, C), L, C);
    } else {
        double L = H + enCirculo(s.desorientacion, C);
        if (L >= C) L -= C;
        c.dx = (y - k.y) * kRho / (D * D);
        c.dy = -(x - k.x) * kRho / (D * D);
        c.fo = kCcPorGon * cierreAngular(azimut(k.x, k.y, x, y, C), L, C);
    }
    sigma = err.ea;
    return true;
}

// Near-singular geometry (collinear directions, the danger circle): the
// unit-diagonal scaled N has a vanishing pivot, or N⁻¹ a non-positive
// diagonal, long before an exact zero appears.
bool casiSingular(const CMatricesMMCC& m, std::size_t u) {
    const math::matrixT& N = m.N;
    for (std::size_t i = 0; i < u; ++i)
        if (!(N(i, i) > 0) || !(m.Ninv(i, i) > 0) || !std::isfinite(m.Ninv(i, i))) return true;
    std::vector<std::vector<double>> a(u, std::vector<double>(u));
    for (std::size_t i = 0; i < u; ++i)
        for (std::size_t j = 0; j < u; ++j) a[i][j] = N(i, j) / std::sqrt(N(i, i) * N(j, j));
    for (std::size_t k = 0; k < u; ++k) {
        std::size_t p = k;
        for (std::size_t r = k + 1; r < u; ++r)
            if (std::fabs(a[r][k]) > std::fabs(a[p][k])) p = r;
        if (std::fabs(a[p][k]) < kPivoteMinimo) return true;
        std::swap(a[p], a[k]);
        for (std::size_t r = k + 1; r < u; ++r) {
            const double factor = a[r][k] / a[k][k];
            for (std::size_t j = k; j < u; ++j) a[r][j] -= factor * a[k][j];
        }
    }
    return false;
}

// Increments, precisions, ellipse and global test of a solved system.
void solucion(const CMatricesMMCC& m, std::size_t u, double x, double y, double w, ResultadoPasada& r) {
    r.dx = m.X(0, 0);
    r.dy = m.X(1, 0);
    r.dE = u == 3 ? m.X(2, 0) : 0.0;
    r.x = x + r.dx;
    r.y = y + r.dy;
    r.desorientacion = r.inversa ? enCirculo(w + r.dE / kCcPorGon, kCentesimal) : w;
    r.varianza = m.sigma02;
    r.emc = std::sqrt(std::max(0.0, r.varianza));
    r.px = std::sqrt(std::max(0.0, m.Exx(0, 0)));
    r.py = std::sqrt(std::max(0.0, m.Exx(1, 1)));
    const double sigma0Apriori = 1.0;  // VarRef is already inside the cofactors
    for (std::size_t i = 0; i < u; ++i) r.precisionApriori.push_back(sigma0Apriori * std::sqrt(m.Ninv(i, i)));
    // With no redundancy the a posteriori covariance is 0: the ellipse is the a priori one.
    const double escalaCov = r.redundancia > 0 ? r.varianza : sigma0Apriori * sigma0Apriori;
    r.elipse = elipseError(escalaCov * m.Ninv(0, 0), escalaCov * m.Ninv(1, 1), escalaCov * m.Ninv(0, 1));
    if (r.redundancia > 0) {
        const TestGlobal t = testGlobal(r.redundancia, r.redundancia * r.varianza / (sigma0Apriori * sigma0Apriori));
        r.estadisticoGlobal = t.estadistico;
        r.limiteInferior = t.inferior;
        r.limiteSuperior = t.superior;
        r.globalAceptado = t.aceptado;
    }
    r.convergido = std::fabs(r.dx) < kParadaMetros && std::fabs(r.dy) < kParadaMetros &&
                   (!r.inversa || std::fabs(r.dE) < kParadaCc);
}

// Residuals and their standardised values; the largest |w| above the limit
// marks its row. With weights the a priori sigma0 scales them; with every
// weight 1 the cofactors carry no scale and the a posteriori one is used.
void residuos(const CMatricesMMCC& m, std::size_t u, const std::vector<std::size_t>& filas, bool pesos,
              ResultadoPasada& r) {
    const double s0 = pesos ? 1.0 : r.emc;
    double mayor = 0;
    int filaMayor = -1;
    for (std::size_t i = 0; i < filas.size(); ++i) {
        double bnb = 0;
        for (std::size_t a = 0; a < u; ++a)
            for (std::size_t b = 0; b < u; ++b) bnb += m.B(i, a) * m.Ninv(a, b) * m.B(i, b);
        const double qvv = m.Q(i, i) - bnb;
        const double v = m.V(i, 0);
        const double wi = qvv > 1e-12 * m.Q(i, i) && s0 > 0 ? v / (s0 * std::sqrt(qvv))
                                                           : std::numeric_limits<double>::quiet_NaN();
        r.filas.push_back(static_cast<int>(filas[i]));
        r.residuos.push_back(v);
        r.w.push_back(wi);
        if (std::isfinite(wi) && std::fabs(wi) > mayor) {
            mayor = std::fabs(wi);
            filaMayor = static_cast<int>(filas[i]);
        }
    }
    if (mayor > kLimiteW) r.filaMarcada = filaMayor;
}

// Altimetry: the mean of the heights the used sights give, from the plan
// position of this pass; Z stays as given without any.
void altimetria(const EntradaEstacionMMCC& e, ResultadoPasada& r) {
    r.z = e.z;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> alturas;
    for (const EcuacionEstacion& q : e.altimetria) {
        if (!q.uso) {
            r.zp.push_back(nan);
            continue;
        }
        const OrigenEcuacion& o = q.origen;
        CCalculoPunto cp = cargarVisual(e, q, r.x, r.y, true);
        const LecturaCaraIzquierda li = aCaraIzquierda(*o.estacionamiento, q.horizontal, q.vertical, q.distancia);
        cp.cargarLectura(li.horizontal, li.vertical, li.distancia, o.jalon);
        const double relativo = cp.calcular().z;  // hi + dz − m + c
        r.zp.push_back(o.inversa ? o.conocida->z - relativo : o.conocida->z + relativo);
        alturas.push_back(r.zp.back());
    }
    r.alturas = static_cast<int>(alturas.size());
    r.residuosAltura.assign(e.altimetria.size(), nan);
    if (alturas.empty()) return;
    double suma = 0;
    for (double a : alturas) suma += a;
    r.z = suma / alturas.size();
    if (alturas.size() >= 2) {
        double c = 0;
        for (double a : alturas) c += (r.z - a) * (r.z - a);
        r.pz = std::sqrt(c / (alturas.size() - 1));
    }
    // Against the Z each sight gives as the grid shows it.
    for (std::size_t j = 0; j < e.altimetria.size(); ++j)
        if (e.altimetria[j].uso) r.residuosAltura[j] = r.z - textoANumero(formatear("%1.3lf", r.zp[j]));
}

const char* veredicto(const ResultadoPasada& r) {
    return veredictoTest({r.estadisticoGlobal, r.limiteInferior, r.limiteSuperior, r.globalAceptado});
}

}  // namespace

double cierreAngular(double theta, double L, int C) {
    double d = std::fmod(theta - L, static_cast<double>(C));
    const double media = mediaVuelta(C);
    if (d > media) d -= C;
    if (d <= -media) d += C;
    return d;
}

double anguloCenital(const Estacionamiento& s, double vertical) {
    if (static_cast<TipoDistancia>(s.datos.tipoDistancia) == TipoDistancia::ReducidasDesnivel) return 100.0;
    switch (static_cast<TipoVertical>(s.datos.tipoVertical)) {
        case TipoVertical::Inclinacion: return 100.0 - vertical;
        case TipoVertical::Nadiral: return enCirculo(200.0 - vertical, kCentesimal);
        default: return vertical;
    }
}

double horizontalCaraDirecta(const Estacionamiento& s, double horizontal, double vertical) {
    return aCaraIzquierda(s, horizontal, vertical, 0).horizontal;
}

const char* textoTipo(TipoEcuacion t) {
    switch (t) {
        case TipoEcuacion::Directa: return kTipoDirecta;
        case TipoEcuacion::Inversa: return kTipoInversa;
        case TipoEcuacion::Distancia: return kTipoDistancia;
        case TipoEcuacion::AltDirecta: return kTipoAltDirecta;
        case TipoEcuacion::AltInversa: return kTipoAltInversa;
    }
    return "";
}

EcuacionesEstacion ecuacionesEstacion(CLibretaCampo& libreta, std::string_view nombre) {
    EcuacionesEstacion r;
    Estacion* p = libreta.buscarEstacion(nombre);
    if (!p) {
        r.error = kMensajeNoExiste;
        return r;
    }
    r.inverso = setupInverso(libreta, *p);
    bool sexagesimal = false;
    auto anadir = [&](const Estacion& desde, const Estacionamiento& s, const Lectura& l, const Estacion& conocida,
                      bool inversa) {
        if (!lecturaUtilizable(l)) {
            r.omitidas.push_back(avisoLecturaNoUtilizable(s, l));
            return;
        }
        if (s.datos.unidadAngular != kCentesimal) sexagesimal = true;
        EcuacionEstacion q{inversa ? TipoEcuacion::Inversa : TipoEcuacion::Directa,
                           cp1252AUtf8(desde.nombre.vista()),
                           cp1252AUtf8(l.nombre.vista()),
                           l.horizontal,
                           l.vertical,
                           l.distancia,
                           {&conocida, &desde, &s, l.jalon, inversa},
                           true};
        r.planimetria.push_back(q);
        if (l.distancia > 0) {
            q.tipo = TipoEcuacion::Distancia;
            r.planimetria.push_back(q);
            q.tipo = inversa ? TipoEcuacion::AltInversa : TipoEcuacion::AltDirecta;
            r.altimetria.push_back(q);
        }
    };
    for (const auto& e : libreta.estaciones) {
        if (e.get() == p) {
            if (!r.inverso) continue;
            for (const auto& l : r.inverso->lecturas)
                if (const Estacion* t = conocidaDeNombre(libreta, p, l.nombre.vista())) anadir(*p, *r.inverso, l, *t, true);
            continue;
        }
        if (!esConocida(*e, p)) continue;
        for (const auto& s : e->estacionamientos)
            for (const auto& l : s->lecturas)
                if (l.nombre == p->nombre.vista()) anadir(*e, *s, l, *e, false);
    }
    if (sexagesimal) {
        r.planimetria.clear();
        r.altimetria.clear();
        r.inverso = nullptr;
        r.error = kMensajeCentesimal;
        return r;
    }
    r.estacion = p;
    return r;
}

std::array<std::string, 3> textosLectura(const EcuacionEstacion& e) {
    return {formatear("%1.4lf", e.horizontal), formatear("%1.4lf", e.vertical), formatear("%1.3lf", e.distancia)};
}

void leerComoSeMuestra(EcuacionEstacion& e) {
    const auto t = textosLectura(e);
    e.horizontal = textoANumero(t[0]);
    e.vertical = textoANumero(t[1]);
    e.distancia = textoANumero(t[2]);
}

AproximadasEstacion aproximadasIniciales(const EcuacionesEstacion& e) {
    if (!e.estacion) return {};
    const Estacion& p = *e.estacion;
    return {formatear("%1.3lf", p.x), formatear("%1.3lf", p.y), formatear("%1.3lf", p.z),
            formatear("%1.4lf", e.inverso ? enCirculo(e.inverso->desorientacion, kCentesimal) : 0.0)};
}

std::string textoDesorientacionAprox(double w) { return formatear("%1.4f", enCirculo(w, kCentesimal)); }

void anotarPasada(AproximadasEstacion& a, const ResultadoPasada& r) {
    a.x = formatear("%1.3lf", r.x);
    a.y = formatear("%1.3lf", r.y);
    if (r.inversa) a.w = formatear("%1.4lf", r.desorientacion);
    if (r.alturas > 0) a.z = formatear("%1.3lf", r.z);
}

void EntradaEstacionMMCC::leer(const AproximadasEstacion& a) {
    x = textoANumero(a.x);
    y = textoANumero(a.y);
    z = textoANumero(a.z);
    w = enCirculo(textoANumero(a.w), kCentesimal);
}

EntradaEstacionMMCC entradaComoSeMuestra(const EcuacionesEstacion& e, const CDatosGenerales& ajustes,
                                         const ListaInstrumentos* biblioteca, EleccionInstrumento& instrumentos) {
    EntradaEstacionMMCC r;
    r.estacion = e.estacion;
    r.planimetria = e.planimetria;
    r.altimetria = e.altimetria;
    for (auto* filas : {&r.planimetria, &r.altimetria})
        for (EcuacionEstacion& q : *filas) leerComoSeMuestra(q);
    r.ajustes = &ajustes;
    r.hayBiblioteca = biblioteca && !biblioteca->empty();
    r.instrumentos = &instrumentos;
    return r;
}

ResultadoPasada calcularEstacionMMCC(const EntradaEstacionMMCC& e, CMatricesMMCC& matrices) {
    if (!e.estacion) return {};
    bool inversa = false;
    const std::vector<std::size_t> filas = filasEnUso(e, inversa);
    if (filas.size() < (inversa ? 3u : 2u)) return fallo(kMensajePocasEcuaciones);
    if (!e.hayBiblioteca) return fallo(kMensajeInstrumentos);
    const std::size_t n = filas.size(), u = inversa ? 3 : 2;

    ResultadoPasada r;
    matrices.dimensionar(n, u);
    for (std::size_t i = 0; i < n; ++i) {
        CoeficientesEcuacion c;
        double sigma = 0;
        if (!ecuacion(e, e.planimetria[filas[i]], e.x, e.y, e.w, c, sigma, r.error)) return fallo(r.error);
        r.coeficientes.push_back(c);
        matrices.B(i, 0) = c.dx;
        matrices.B(i, 1) = c.dy;
        if (u == 3) matrices.B(i, 2) = c.dE;
        matrices.Fo(i, 0) = c.fo;
        matrices.Q(i, i) = varianzaEcuacion(sigma, *e.ajustes);
    }
    matrices.aproximada(0, 0) = e.x;
    matrices.aproximada(1, 0) = e.y;
    if (u == 3) matrices.aproximada(2, 0) = e.w;
    if (!matrices.pesos()) return fallo(kMensajeQSingular);
    if (!matrices.resolver() || casiSingular(matrices, u)) return fallo(kMensajeNSingular);

    r.calculado = true;
    r.inversa = inversa;
    r.ecuaciones = static_cast<int>(n);
    r.redundancia = static_cast<int>(n) - static_cast<int>(u);
    solucion(matrices, u, e.x, e.y, e.w, r);
    residuos(matrices, u, filas, e.ajustes->calcularConPesos != 0, r);
    altimetria(e, r);
    return r;
}

int iterarEstacionMMCC(EntradaEstacionMMCC& e, AproximadasEstacion& a, int maximo, CMatricesMMCC& matrices,
                       ResultadoPasada& ultimo) {
    for (int i = 0; i < maximo; ++i) {
        e.leer(a);
        ResultadoPasada r = calcularEstacionMMCC(e, matrices);
        if (!r.calculado) {
            ultimo = std::move(r);
            return 0;
        }
        anotarPasada(a, r);
        ultimo = std::move(r);
        if (ultimo.convergido) return i + 1;
    }
    return maximo;
}

std::array<std::string, 6> textosFilaPlanimetria(const ResultadoPasada& r, std::size_t i) {
    const CoeficientesEcuacion& c = r.coeficientes[i];
    std::string w = std::isfinite(r.w[i]) ? formatear("w=%1.2lf", r.w[i]) : "-";
    if (r.filas[i] == r.filaMarcada) w = formatear("w=%1.2lf <==", r.w[i]);
    return {formatear("%1.10lf", c.dx), formatear("%1.10lf", c.dy), formatear("%1.10lf", c.dE),
            formatear("%1.10lf", c.fo), formatear("%1.3lf", limpio(r.residuos[i], 3)), w};
}

std::array<std::string, 2> textosFilaAltura(const ResultadoPasada& r, std::size_t j) {
    return {formatear("%1.3lf", r.zp[j]),
            std::isfinite(r.residuosAltura[j]) ? formatear("%1.3lf", limpio(r.residuosAltura[j], 3)) : ""};
}

std::string textoResumenEstacion(const ResultadoPasada& r, const std::vector<EcuacionEstacion>& planimetria) {
    std::string t =
        formatear("PLANIMETRIA:\nVar = %1.3lf (adimensional)\ne.m.c. = %1.3lf\nPx=%1.3lfm Py=%1.3lfm\nALTIMETRIA: \nPz=%1.3lf\n\n",
                  r.varianza, r.emc, r.px, r.py, r.pz) +
        formatear("dx=%1.3lf dy=%1.3lf", limpio(r.dx, 3), limpio(r.dy, 3));
    t += formatear("\n\nr = %d   Elipse: a=%1.3lfm b=%1.3lfm Az=%1.4lf", r.redundancia, r.elipse.a, r.elipse.b,
                   r.elipse.azimut);
    if (r.redundancia == 0)
        t += formatear("\nSin redundancia: precisión a priori Px=%1.3lfm Py=%1.3lfm", r.precisionApriori[0],
                       r.precisionApriori[1]);
    else
        t += formatear("\nTest global %1.3lf en [%1.3lf, %1.3lf]: %s", r.estadisticoGlobal, r.limiteInferior,
                       r.limiteSuperior, veredicto(r));
    for (std::size_t i = 0; i < r.filas.size(); ++i) {
        if (r.filas[i] != r.filaMarcada) continue;
        const EcuacionEstacion& q = planimetria[static_cast<std::size_t>(r.filaMarcada)];
        t += formatear("\nPosible error grosero: fila %d %s %s->%s w=%1.2lf", r.filaMarcada + 1, textoTipo(q.tipo),
                       q.estacion.c_str(), q.visado.c_str(), r.w[i]);
    }
    return t;
}

InformeEstacionMMCC informeDePasada(const EntradaEstacionMMCC& e, const ResultadoPasada& r, int iteraciones,
                                    const CMatricesMMCC& matrices, const std::vector<std::string>& omitidas) {
    InformeEstacionMMCC inf;
    inf.nombre = e.estacion ? std::string(e.estacion->nombre.vista()) : "";
    auto fila = [](const EcuacionEstacion& q) {
        return FilaInformeEstacion{q.uso, textoTipo(q.tipo), q.estacion, q.visado};
    };
    for (const EcuacionEstacion& q : e.planimetria) inf.planimetria.push_back(fila(q));
    for (std::size_t i = 0; i < r.filas.size(); ++i) {
        const auto t = textosFilaPlanimetria(r, i);
        FilaInformeEstacion& f = inf.planimetria[static_cast<std::size_t>(r.filas[i])];
        f.dx = textoANumero(t[0]);
        f.dy = textoANumero(t[1]);
        f.dE = textoANumero(t[2]);
        f.fo = textoANumero(t[3]);
        f.residuo = textoANumero(t[4]);
    }
    for (std::size_t j = 0; j < e.altimetria.size(); ++j) {
        FilaInformeEstacion f = fila(e.altimetria[j]);
        f.z = e.altimetria[j].origen.conocida ? e.altimetria[j].origen.conocida->z : 0.0;
        const auto t = j < r.zp.size() && e.altimetria[j].uso ? textosFilaAltura(r, j) : std::array<std::string, 2>{"-", ""};
        f.zp = textoANumero(t[0]);
        f.residuo = textoANumero(t[1]);
        inf.altimetria.push_back(f);
    }
    inf.iteraciones = iteraciones;
    const CDatosGenerales& a = *e.ajustes;
    inf.varianzaApriori = a.calcularConPesos && a.varianzaReferencia > 0 ? a.varianzaReferencia : 1.0;
    inf.resultado = r;
    inf.Ninv = matrices.Ninv;
    inf.omitidas = omitidas;
    return inf;
}

std::string textoInformeEstacionMMCC(const InformeEstacionMMCC& inf) {
    std::string t;
    auto linea = [&t](const std::string& s) {
        t += s;
        t += '\n';
    };
    const ResultadoPasada& r = inf.resultado;
    const char* nombre = inf.nombre.c_str();
    const std::string estrellas = "                         **************************************";
    linea("");
    linea(estrellas);
    linea("                         *       CALCULO ESTACION    MMCC     *");
    linea(estrellas);
    linea("");
    linea(formatear(" ESTACION: %s     %s", nombre, "PLANIMETRIA"));
    linea("");
    linea(utf8ACp1252("  S/N     Tipo     Estación    Visado                   ECUACION                          Residuo"));
    linea(" ************************************************************************************************** ");
    auto c = [](const std::string& s) { return utf8ACp1252(s); };
    for (const FilaInformeEstacion& f : inf.planimetria)
        linea(formatear("  %3s  %10s %10s%10s  %10.4lf.dx%10.4lf.dy%4.1lf.dE = %10.4lf  %9.4lf", f.uso ? "SI" : "NO",
                        c(f.tipo).c_str(), c(f.estacion).c_str(), c(f.visado).c_str(), limpio(f.dx, 4), limpio(f.dy, 4),
                        limpio(f.dE, 1), limpio(f.fo, 4), limpio(f.residuo, 4)));
    linea("");
    linea(formatear(utf8ACp1252("      Solucionado a la %2d iteración:             Varianza apriori    = %12.4lf").c_str(),
                    inf.iteraciones, inf.varianzaApriori));
    linea(formatear("                                                 Varianza posteriori = %12.4lf", r.varianza));
    linea(formatear("                                                 emc = %12.5lf", r.emc));
    linea("");
    linea(formatear("      Coordenadas AJUSTADAS:                    X =  %12.3lf   Px = %1.3lfm", r.x, r.px));
    linea(formatear("                                                Y =  %12.3lf   Py = %1.3lfm", r.y, r.py));
    linea("");
    const std::size_t u = r.calculado ? (r.inversa ? 3 : 2) : 0;
    for (std::size_t i = 0; i < u; ++i) {
        std::string s = i == 0 ? utf8ACp1252("      Precisión:          Matriz N^-1           ")
                               : std::string("                                                ");
        for (std::size_t j = 0; j < u; ++j) s += formatear(j == 0 ? "%20.9lf" : "  %20.9lf", inf.Ninv(i, j));
        linea(s);
    }
    if (r.calculado) {
        linea("");
        if (r.inversa)
            linea(formatear(utf8ACp1252("      Desorientación AJUSTADA:                  W =  %12.4lf").c_str(), r.desorientacion));
        linea(formatear("      Redundancia r = n - u = %d - %zu = %d", r.ecuaciones, u, r.redundancia));
        linea(formatear("      Elipse de error:  a = %1.3lfm  b = %1.3lfm  Azimut a = %1.4lf", r.elipse.a, r.elipse.b,
                        r.elipse.azimut));
        if (r.redundancia == 0)
            linea(formatear(utf8ACp1252("      Sin redundancia. Precisión a priori: Px = %1.3lfm  Py = %1.3lfm").c_str(),
                            r.precisionApriori[0], r.precisionApriori[1]));
        else
            linea(formatear(utf8ACp1252("      Test global de la varianza: %1.3lf  límites %1.3lf - %1.3lf  %s").c_str(),
                            r.estadisticoGlobal, r.limiteInferior, r.limiteSuperior, veredicto(r)));
        linea("");
        linea(utf8ACp1252("  Ecuación       Tipo   Estación    Visado    Residuo        w"));
        for (std::size_t i = 0; i < r.filas.size(); ++i) {
            const std::size_t f = static_cast<std::size_t>(r.filas[i]);
            const FilaInformeEstacion& q = inf.planimetria[f];
            const std::string w = std::isfinite(r.w[i]) ? formatear("%8.2lf", r.w[i]) : std::string("       -");
            linea(formatear("  %8zu %10s %10s%10s  %9.4lf %s%s", f + 1, c(q.tipo).c_str(), c(q.estacion).c_str(),
                            c(q.visado).c_str(), limpio(r.residuos[i], 4), w.c_str(),
                            r.filas[i] == r.filaMarcada ? "  <== posible error grosero" : ""));
        }
        linea("");
    }
    linea(formatear(" ESTACION: %s     %s", nombre, "ALTIMETRIA"));
    linea("");
    linea(utf8ACp1252("  S/N     Tipo   Estación    Visado      Z            Zp     Residuo"));
    linea(" ********************************************************************* ");
    for (const FilaInformeEstacion& f : inf.altimetria)
        linea(formatear("  %3s  %4s %10s%10s  %10.3lf  %10.3lf   %9.4lf", f.uso ? "SI" : "NO", c(f.tipo).c_str(),
                        c(f.estacion).c_str(), c(f.visado).c_str(), f.z, f.zp, limpio(f.residuo, 4)));
    linea("");
    linea(formatear(utf8ACp1252("      Solución con %2d:").c_str(), r.alturas));
    linea("");
    linea(formatear("      Coordenadas AJUSTADAS:                    Z =  %12.3lf   Pz = %1.3lfm", r.z, r.pz));
    linea("");
    for (const std::string& o : inf.omitidas) linea(utf8ACp1252("  " + o));
    if (!inf.omitidas.empty()) linea("");
    return t;
}

}  // namespace celvara
