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
#include "fieldbook/fichero_binario.h"
#include "fieldbook/plataforma.h"

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

namespace ce = columna_ecuacion;

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

std::vector<ColumnaRejilla> columnasEcuaciones() {
    std::vector<ColumnaRejilla> c(ce::numero);
    c[ce::uso].casilla = true;
    c[ce::uso].ancho = 30;
    c[ce::tipo].titulo = "TIPO";
    c[ce::estacion].titulo = "Estación";
    c[ce::visado].titulo = "Visado";
    c[ce::horizontal].titulo = "H -> Azimut";
    c[ce::vertical].titulo = "Vertical";
    c[ce::distancia].titulo = "Distancia G";
    c[ce::dx].titulo = ". dx";
    c[ce::dy].titulo = ". dy";
    c[ce::dE].titulo = ". d E";
    c[ce::residuo].titulo = "Residuo m ó cc";
    for (std::size_t i = ce::tipo; i <= ce::trabajo; ++i) c[i].editable = false;
    for (std::size_t i = ce::horizontal; i <= ce::trabajo; ++i) c[i].alineacion = AlineacionColumna::Derecha;
    c[ce::horizontal].editable = c[ce::vertical].editable = c[ce::distancia].editable = true;
    return c;
}

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

// Station of a reading's name that counts as known for P.
const Estacion* conocidaDeNombre(const CLibretaCampo& libreta, const Estacion* p, std::string_view nombre) {
    for (const auto& e : libreta.estaciones)
        if (e.get() != p && e->nombre == nombre && (e->x != 0 || e->y != 0)) return e.get();
    return nullptr;
}

bool esConocida(const Estacion& e, const Estacion* p) { return &e != p && (e.x != 0 || e.y != 0); }

// What the global test says, in a surveyor's words.
const char* veredictoGlobal(const ResultadoPasada& r) {
    if (r.globalAceptado) return "aceptado";
    return r.estadisticoGlobal < r.limiteInferior ? "rechazado (errores a priori pesimistas)"
                                                  : "rechazado (error grosero o errores a priori optimistas)";
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

CCalculoEstacionMMCC::CCalculoEstacionMMCC(CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                           const ListaInstrumentos* biblioteca, Avisos& avisos)
    : libreta_(libreta),
      ajustes_(ajustes),
      biblioteca_(biblioteca),
      avisos_(avisos),
      instrumentos_(biblioteca, avisos),
      rejilla_(columnasEcuaciones()) {}

std::vector<std::string> CCalculoEstacionMMCC::nombresEstaciones() const {
    std::vector<std::string> n;
    for (const auto& e : libreta_.estaciones) n.push_back(cp1252AUtf8(e->nombre.vista()));
    return n;
}

bool CCalculoEstacionMMCC::elegirEstacion(std::string_view nombreUtf8) {
    Estacion* p = libreta_.buscarEstacion(utf8ACp1252(nombreUtf8));
    rejilla_.vaciar();
    origenes_.clear();
    omitidas_.clear();
    estacion_ = nullptr;
    inverso_ = nullptr;
    reset();
    textoResumen.clear();
    if (!p) {
        avisos_.mensaje(kMensajeNoExiste);
        return false;
    }
    // The inverse rows: the first set-up of P with sights to known stations.
    for (const auto& s : p->estacionamientos) {
        for (const auto& l : s->lecturas)
            if (conocidaDeNombre(libreta_, p, l.nombre.vista())) {
                inverso_ = s.get();
                break;
            }
        if (inverso_) break;
    }
    std::vector<std::vector<std::string>> alt;
    std::vector<OrigenEcuacion> origenesAlt;
    bool sexagesimal = false;
    auto anadir = [&](const Estacion& desde, const Estacionamiento& s, const Lectura& l, const Estacion& conocida,
                      bool inversa) {
        if (!lecturaUtilizable(l)) {
            omitidas_.push_back(avisoLecturaNoUtilizable(s, l));
            return;
        }
        if (s.datos.unidadAngular != kCentesimal) sexagesimal = true;
        const std::string est = cp1252AUtf8(desde.nombre.vista()), vis = cp1252AUtf8(l.nombre.vista());
        const std::string h = formatear("%1.4lf", l.horizontal), v = formatear("%1.4lf", l.vertical),
                          d = formatear("%1.3lf", l.distancia);
        const OrigenEcuacion o{&conocida, &desde, &s, l.jalon, inversa};
        rejilla_.agregarFila({"1", inversa ? kTipoInversa : kTipoDirecta, est, vis, h, v, d, "", "", "", "", "", "-"});
        origenes_.push_back(o);
        if (l.distancia > 0) {
            rejilla_.agregarFila({"1", kTipoDistancia, est, vis, h, v, d, "", "", "", "", "", "-"});
            origenes_.push_back(o);
            alt.push_back({"1", inversa ? kTipoAltInversa : kTipoAltDirecta, est, vis, h, v, d, "", "", "", "", "", "-"});
            origenesAlt.push_back(o);
        }
    };
    for (const auto& e : libreta_.estaciones) {
        if (e.get() == p) {
            if (!inverso_) continue;
            for (const auto& l : inverso_->lecturas)
                if (const Estacion* t = conocidaDeNombre(libreta_, p, l.nombre.vista())) anadir(*p, *inverso_, l, *t, true);
            continue;
        }
        if (!esConocida(*e, p)) continue;
        for (const auto& s : e->estacionamientos)
            for (const auto& l : s->lecturas)
                if (l.nombre == p->nombre.vista()) anadir(*e, *s, l, *e, false);
    }
    if (sexagesimal) {
        rejilla_.vaciar();
        origenes_.clear();
        inverso_ = nullptr;
        avisos_.mensaje(kMensajeCentesimal);
        return false;
    }
    rejilla_.agregarFila({"", kTipoSeparadorZ, "", "", "", "", "", "", "", "", "", "", ""});
    origenes_.push_back({});
    for (std::size_t i = 0; i < alt.size(); ++i) {
        rejilla_.agregarFila(alt[i]);
        origenes_.push_back(origenesAlt[i]);
    }
    estacion_ = p;
    textoX = formatear("%1.3lf", p->x);
    textoY = formatear("%1.3lf", p->y);
    textoZ = formatear("%1.3lf", p->z);
    textoDesorientacion = formatear("%1.4lf", inverso_ ? enCirculo(inverso_->desorientacion, kCentesimal) : 0.0);
    return true;
}

void CCalculoEstacionMMCC::ponerDesorientacion(double w) {
    textoDesorientacion = formatear("%1.4f", enCirculo(w, kCentesimal));
}

std::size_t CCalculoEstacionMMCC::filaSeparador() const {
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.texto(f, ce::tipo) == kTipoSeparadorZ) return f;
    return rejilla_.numeroFilas();
}

bool CCalculoEstacionMMCC::inversaUsada() const {
    const std::size_t z = filaSeparador();
    for (std::size_t f = 0; f < z; ++f)
        if (rejilla_.marcada(f, ce::uso) && rejilla_.texto(f, ce::tipo) == kTipoInversa) return true;
    return false;
}

double CCalculoEstacionMMCC::escala(double x, double y) const {
    std::unique_ptr<CProyeccionUTM> utm;
    if (ajustes_.proyeccion != 0) utm = std::make_unique<CProyeccionUTM>(ajustes_.proyeccion == 1);
    return escalaRadiacion(utm.get(), ajustes_.escalaAdicional, x, y).k;
}

void CCalculoEstacionMMCC::reset() {
    iteraciones_ = 0;
    textoIteraciones = "0 Iteraciones";
    resultado_ = {};
}

bool CCalculoEstacionMMCC::calcular() {
    if (!estacion_) return false;
    const double x = textoANumero(textoX), y = textoANumero(textoY);
    const double w = enCirculo(textoANumero(textoDesorientacion), kCentesimal);
    const std::size_t z = filaSeparador();

    std::vector<std::size_t> filas;
    int planimetricas = 0;
    bool inversa = false;
    for (std::size_t f = 0; f < z; ++f) {
        if (!rejilla_.marcada(f, ce::uso)) continue;
        filas.push_back(f);
        ++planimetricas;
        if (rejilla_.texto(f, ce::tipo) == kTipoInversa) inversa = true;
    }
    if (planimetricas < (inversa ? 3 : 2)) {
        avisos_.mensaje(kMensajePocasEcuaciones);
        return false;
    }
    if (!biblioteca_ || biblioteca_->empty()) {
        avisos_.mensaje(kMensajeInstrumentos);
        return false;
    }
    const std::size_t n = filas.size(), u = inversa ? 3 : 2;
    const bool pesos = ajustes_.calcularConPesos != 0;

    struct Fila {
        double dx, dy, dE, fo;
    };
    std::vector<Fila> coef(n);
    matrices_.dimensionar(n, u);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t f = filas[i];
        const OrigenEcuacion& o = origenes_[f];
        const Estacionamiento& s = *o.estacionamiento;
        const Estacion& k = *o.conocida;
        // Least squares reduces face right to face left: the equations read H
        // and V as face left only, and each face stays its own observation.
        const LecturaCaraIzquierda li = aCaraIzquierda(s, textoANumero(rejilla_.texto(f, ce::horizontal)),
                                                       textoANumero(rejilla_.texto(f, ce::vertical)),
                                                       textoANumero(rejilla_.texto(f, ce::distancia)));
        const double H = li.horizontal, V = li.vertical, Dg = li.distancia;
        const std::string tipo = rejilla_.texto(f, ce::tipo);
        const double D = DistanciaEntre(x, y, k.x, k.y);
        // The reduced distance, as the radiation reduces it.
        double dred = 0;
        if (Dg > 0) {
            CCalculoPunto cp;
            DatosEstacionamientoCalculo d = datosDeEstacionamiento(o.inversa ? *estacion_ : k, s);
            cp.cargarEstacionamiento(d);
            cp.fijarEscala(o.inversa ? escala(x, y) : escala(k.x, k.y));
            cp.cargarLectura(H, V, Dg, o.jalon);
            dred = cp.calcular().distanciaReducida;
        }
        const Instrumento* ins = instrumentos_.de(s.datos.instrumento.vista(), s.nombre.vista());
        if (!ins) return false;
        const ErroresVisual err = erroresVisual(caracteristicas(*ins), parametrosTrabajo(ajustes_), Dg > 0 ? dred : D,
                                                anguloCenital(s, V), o.jalon);
        Fila c{};
        double sigma = 0;
        if (D == 0) {
            avisos_.mensaje(kMensajeNSingular);
            return false;
        }
        if (tipo == kTipoDistancia) {
            c.dx = (x - k.x) / D;
            c.dy = (y - k.y) / D;
            c.fo = D - dred;
            sigma = err.longitudinal;
        } else {
            const int C = kCentesimal;
            if (tipo == kTipoInversa) {
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
        }
        coef[i] = c;
        matrices_.B(i, 0) = c.dx;
        matrices_.B(i, 1) = c.dy;
        if (u == 3) matrices_.B(i, 2) = c.dE;
        matrices_.Fo(i, 0) = c.fo;
        matrices_.Q(i, i) = varianzaEcuacion(sigma, ajustes_);
    }
    matrices_.aproximada(0, 0) = x;
    matrices_.aproximada(1, 0) = y;
    if (u == 3) matrices_.aproximada(2, 0) = w;

    if (!matrices_.pesos()) {
        avisos_.mensaje(kMensajeQSingular);
        return false;
    }
    const auto singular = [this] {
        avisos_.mensaje(kMensajeNSingular);
        return false;
    };
    if (!matrices_.resolver()) return singular();
    // Near-singular geometry (collinear directions, the danger circle): the
    // unit-diagonal scaled N has a vanishing pivot, or N⁻¹ a non-positive
    // diagonal, long before an exact zero appears.
    {
        const math::matrixT& N = matrices_.N;
        std::vector<std::vector<double>> a(u, std::vector<double>(u));
        for (std::size_t i = 0; i < u; ++i) {
            if (!(N(i, i) > 0) || !(matrices_.Ninv(i, i) > 0) || !std::isfinite(matrices_.Ninv(i, i))) return singular();
        }
        for (std::size_t i = 0; i < u; ++i)
            for (std::size_t j = 0; j < u; ++j) a[i][j] = N(i, j) / std::sqrt(N(i, i) * N(j, j));
        for (std::size_t k = 0; k < u; ++k) {
            std::size_t p = k;
            for (std::size_t r = k + 1; r < u; ++r)
                if (std::fabs(a[r][k]) > std::fabs(a[p][k])) p = r;
            if (std::fabs(a[p][k]) < kPivoteMinimo) return singular();
            std::swap(a[p], a[k]);
            for (std::size_t r = k + 1; r < u; ++r) {
                const double factor = a[r][k] / a[k][k];
                for (std::size_t j = k; j < u; ++j) a[r][j] -= factor * a[k][j];
            }
        }
    }

    ResultadoPasada r;
    r.calculado = true;
    r.inversa = inversa;
    r.ecuaciones = static_cast<int>(n);
    r.redundancia = static_cast<int>(n) - static_cast<int>(u);
    r.dx = matrices_.X(0, 0);
    r.dy = matrices_.X(1, 0);
    r.dE = u == 3 ? matrices_.X(2, 0) : 0.0;
    r.x = x + r.dx;
    r.y = y + r.dy;
    r.desorientacion = inversa ? enCirculo(w + r.dE / kCcPorGon, kCentesimal) : w;
    r.varianza = matrices_.sigma02;
    r.emc = std::sqrt(std::max(0.0, r.varianza));
    r.px = std::sqrt(std::max(0.0, matrices_.Exx(0, 0)));
    r.py = std::sqrt(std::max(0.0, matrices_.Exx(1, 1)));
    const double sigma0Apriori = 1.0;  // VarRef is already inside the cofactors
    for (std::size_t i = 0; i < u; ++i) r.precisionApriori.push_back(sigma0Apriori * std::sqrt(matrices_.Ninv(i, i)));
    // With no redundancy the a posteriori covariance is 0: the ellipse is the a priori one.
    const double escalaCov = r.redundancia > 0 ? r.varianza : sigma0Apriori * sigma0Apriori;
    r.elipse = elipseError(escalaCov * matrices_.Ninv(0, 0), escalaCov * matrices_.Ninv(1, 1),
                           escalaCov * matrices_.Ninv(0, 1));
    if (r.redundancia > 0) {
        r.estadisticoGlobal = r.redundancia * r.varianza / (sigma0Apriori * sigma0Apriori);
        r.limiteInferior = cuantilChi2(r.redundancia, 0.975);
        r.limiteSuperior = cuantilChi2(r.redundancia, 0.025);
        r.globalAceptado = r.estadisticoGlobal >= r.limiteInferior && r.estadisticoGlobal <= r.limiteSuperior;
    }
    // Standardised residuals: a priori sigma0 when weighted; with every
    // weight 1 the cofactors carry no scale and the a posteriori one is used.
    const double s0 = pesos ? sigma0Apriori : r.emc;
    double mayor = 0;
    int filaMayor = -1;
    for (std::size_t i = 0; i < n; ++i) {
        double bnb = 0;
        for (std::size_t a = 0; a < u; ++a)
            for (std::size_t b = 0; b < u; ++b) bnb += matrices_.B(i, a) * matrices_.Ninv(a, b) * matrices_.B(i, b);
        const double qvv = matrices_.Q(i, i) - bnb;
        const double v = matrices_.V(i, 0);
        const double wi = qvv > 1e-12 * matrices_.Q(i, i) && s0 > 0 ? v / (s0 * std::sqrt(qvv))
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
    r.convergido = std::fabs(r.dx) < kParadaMetros && std::fabs(r.dy) < kParadaMetros &&
                   (!inversa || std::fabs(r.dE) < kParadaCc);

    // Grid and edits.
    for (std::size_t f = 0; f < z; ++f) rejilla_.asignar(f, ce::residuo, "");
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t f = filas[i];
        rejilla_.asignar(f, ce::dx, formatear("%1.10lf", coef[i].dx));
        rejilla_.asignar(f, ce::dy, formatear("%1.10lf", coef[i].dy));
        rejilla_.asignar(f, ce::dE, formatear("%1.10lf", coef[i].dE));
        rejilla_.asignar(f, ce::fo, formatear("%1.10lf", coef[i].fo));
        rejilla_.asignar(f, ce::residuo, formatear("%1.3lf", limpio(r.residuos[i], 3)));
        rejilla_.asignar(f, ce::trabajo, std::isfinite(r.w[i]) ? formatear("w=%1.2lf", r.w[i]) : "-");
        if (r.filas[i] == r.filaMarcada) rejilla_.asignar(f, ce::trabajo, formatear("w=%1.2lf <==", r.w[i]));
    }
    textoX = formatear("%1.3lf", r.x);
    textoY = formatear("%1.3lf", r.y);
    if (inversa) textoDesorientacion = formatear("%1.4lf", r.desorientacion);

    // Altimetry: the mean of the heights the sights give.
    r.z = textoANumero(textoZ);
    std::vector<double> alturas;
    for (std::size_t f = z + 1; f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, ce::uso)) {
            rejilla_.asignar(f, ce::trabajo, "-");
            continue;
        }
        const OrigenEcuacion& o = origenes_[f];
        CCalculoPunto cp;
        DatosEstacionamientoCalculo d = datosDeEstacionamiento(o.inversa ? *estacion_ : *o.conocida, *o.estacionamiento);
        d.x0 = d.y0 = d.z0 = 0;
        cp.cargarEstacionamiento(d);
        cp.fijarEscala(o.inversa ? escala(r.x, r.y) : escala(o.conocida->x, o.conocida->y));
        const LecturaCaraIzquierda li = aCaraIzquierda(*o.estacionamiento, textoANumero(rejilla_.texto(f, ce::horizontal)),
                                                       textoANumero(rejilla_.texto(f, ce::vertical)),
                                                       textoANumero(rejilla_.texto(f, ce::distancia)));
        cp.cargarLectura(li.horizontal, li.vertical, li.distancia, o.jalon);
        const double relativo = cp.calcular().z;  // hi + dz − m + c
        const double zp = o.inversa ? o.conocida->z - relativo : o.conocida->z + relativo;
        rejilla_.asignar(f, ce::trabajo, formatear("%1.3lf", zp));
        alturas.push_back(zp);
    }
    if (!alturas.empty()) {
        double suma = 0;
        for (double a : alturas) suma += a;
        r.z = suma / alturas.size();
        if (alturas.size() >= 2) {
            double c = 0;
            for (double a : alturas) c += (r.z - a) * (r.z - a);
            r.pz = std::sqrt(c / (alturas.size() - 1));
        }
        for (std::size_t f = z + 1; f < rejilla_.numeroFilas(); ++f)
            if (rejilla_.marcada(f, ce::uso))
                rejilla_.asignar(f, ce::residuo, formatear("%1.3lf", limpio(r.z - textoANumero(rejilla_.texto(f, ce::trabajo)), 3)));
        textoZ = formatear("%1.3lf", r.z);
    }
    r.alturas = static_cast<int>(alturas.size());

    textoResumen = formatear("PLANIMETRIA:\nVar = %1.3lf (adimensional)\ne.m.c. = %1.3lf\nPx=%1.3lfm Py=%1.3lfm\nALTIMETRIA: \nPz=%1.3lf\n\n",
                             r.varianza, r.emc, r.px, r.py, r.pz) +
                    formatear("dx=%1.3lf dy=%1.3lf", limpio(r.dx, 3), limpio(r.dy, 3));
    textoResumen += formatear("\n\nr = %d   Elipse: a=%1.3lfm b=%1.3lfm Az=%1.4lf", r.redundancia, r.elipse.a,
                              r.elipse.b, r.elipse.azimut);
    if (r.redundancia == 0)
        textoResumen += formatear("\nSin redundancia: precisión a priori Px=%1.3lfm Py=%1.3lfm", r.precisionApriori[0],
                                  r.precisionApriori[1]);
    else
        textoResumen += formatear("\nTest global %1.3lf en [%1.3lf, %1.3lf]: %s", r.estadisticoGlobal, r.limiteInferior,
                                  r.limiteSuperior, veredictoGlobal(r));
    if (r.filaMarcada >= 0) {
        const std::size_t f = static_cast<std::size_t>(r.filaMarcada);
        double wm = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (r.filas[i] == r.filaMarcada) wm = r.w[i];
        textoResumen += formatear("\nPosible error grosero: fila %zu %s %s->%s w=%1.2lf", f + 1,
                                  rejilla_.texto(f, ce::tipo).c_str(), rejilla_.texto(f, ce::estacion).c_str(),
                                  rejilla_.texto(f, ce::visado).c_str(), wm);
    }

    resultado_ = std::move(r);
    ++iteraciones_;
    textoIteraciones = formatear("%d Iteraciones", iteraciones_);
    return true;
}

int CCalculoEstacionMMCC::iterar(int maximo) {
    for (int i = 0; i < maximo; ++i) {
        if (!calcular()) return 0;
        if (resultado_.convergido) return i + 1;
    }
    avisos_.mensaje(kMensajeNoConverge);
    return maximo;
}

bool CCalculoEstacionMMCC::grabar() {
    if (!estacion_) return false;
    estacion_->x = textoANumero(textoX);
    estacion_->y = textoANumero(textoY);
    estacion_->z = textoANumero(textoZ);
    if (inversaUsada() && inverso_) inverso_->desorientacion = enCirculo(textoANumero(textoDesorientacion), kCentesimal);
    return true;
}

std::string CCalculoEstacionMMCC::textoInforme() const {
    std::string t;
    auto linea = [&t](const std::string& s) {
        t += s;
        t += '\n';
    };
    const ResultadoPasada& r = resultado_;
    const char* nombre = estacion_ ? estacion_->nombre.c_str() : "";
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
    const std::size_t z = filaSeparador();
    auto celda = [this](std::size_t f, std::size_t c) { return utf8ACp1252(rejilla_.texto(f, c)); };
    auto num = [this](std::size_t f, std::size_t c) { return textoANumero(rejilla_.texto(f, c)); };
    for (std::size_t f = 0; f < z; ++f)
        linea(formatear("  %3s  %10s %10s%10s  %10.4lf.dx%10.4lf.dy%4.1lf.dE = %10.4lf  %9.4lf",
                        rejilla_.marcada(f, ce::uso) ? "SI" : "NO", celda(f, ce::tipo).c_str(), celda(f, ce::estacion).c_str(),
                        celda(f, ce::visado).c_str(), limpio(num(f, ce::dx), 4), limpio(num(f, ce::dy), 4),
                        limpio(num(f, ce::dE), 1), limpio(num(f, ce::fo), 4), limpio(num(f, ce::residuo), 4)));
    linea("");
    const double apriori = ajustes_.calcularConPesos && ajustes_.varianzaReferencia > 0 ? ajustes_.varianzaReferencia : 1.0;
    linea(formatear(utf8ACp1252("      Solucionado a la %2d iteración:             Varianza apriori    = %12.4lf").c_str(),
                    iteraciones_, apriori));
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
        for (std::size_t j = 0; j < u; ++j) s += formatear(j == 0 ? "%20.9lf" : "  %20.9lf", matrices_.Ninv(i, j));
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
                            r.estadisticoGlobal, r.limiteInferior, r.limiteSuperior, veredictoGlobal(r)));
        linea("");
        linea(utf8ACp1252("  Ecuación       Tipo   Estación    Visado    Residuo        w"));
        for (std::size_t i = 0; i < r.filas.size(); ++i) {
            const std::size_t f = static_cast<std::size_t>(r.filas[i]);
            const std::string w = std::isfinite(r.w[i]) ? formatear("%8.2lf", r.w[i]) : std::string("       -");
            linea(formatear("  %8zu %10s %10s%10s  %9.4lf %s%s", f + 1, celda(f, ce::tipo).c_str(),
                            celda(f, ce::estacion).c_str(), celda(f, ce::visado).c_str(), limpio(r.residuos[i], 4), w.c_str(),
                            r.filas[i] == r.filaMarcada ? "  <== posible error grosero" : ""));
        }
        linea("");
    }
    linea(formatear(" ESTACION: %s     %s", nombre, "ALTIMETRIA"));
    linea("");
    linea(utf8ACp1252("  S/N     Tipo   Estación    Visado      Z            Zp     Residuo"));
    linea(" ********************************************************************* ");
    for (std::size_t f = z + 1; f < rejilla_.numeroFilas(); ++f) {
        const OrigenEcuacion& o = origenes_[f];
        const bool uso = rejilla_.marcada(f, ce::uso);
        linea(formatear("  %3s  %4s %10s%10s  %10.3lf  %10.3lf   %9.4lf", uso ? "SI" : "NO", celda(f, ce::tipo).c_str(),
                        celda(f, ce::estacion).c_str(), celda(f, ce::visado).c_str(), o.conocida ? o.conocida->z : 0.0,
                        num(f, ce::trabajo), limpio(num(f, ce::residuo), 4)));
    }
    linea("");
    linea(formatear(utf8ACp1252("      Solución con %2d:").c_str(), r.alturas));
    linea("");
    linea(formatear("      Coordenadas AJUSTADAS:                    Z =  %12.3lf   Pz = %1.3lfm", r.z, r.pz));
    linea("");
    for (const std::string& o : omitidas_) linea(utf8ACp1252("  " + o));
    if (!omitidas_.empty()) linea("");
    return t;
}

bool CCalculoEstacionMMCC::imprimir(const std::filesystem::path& ruta) const {
    return anadirAFichero(ruta, textoInforme());
}

}  // namespace celvara
