// Linearised equations (x east, y north, azimuth θ from north, clockwise;
// rho = 636619.8 cc/rad; set-up on i sighting j; unknowns in m and cc):
//   direction:  h + v = θij − ω       a = ρ·dy/D², −ρ·dx/D² at j (negated at i), −1 at ω
//   distance:   Dred + v = Dij        a = dx/D, dy/D at j (negated at i)
//   height:     dh + v = zj − zi      a = +1 at j, −1 at i
// with l = observed − computed and v = a·δ − l.
#include "calc/red/ajuste_red.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>
#include <unordered_map>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/proyeccion_utm.h"
#include "calc/unidades.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "traverse/modelo_errores.h"

namespace celvara {

namespace {

constexpr double kRho = 636619.8;
constexpr double kCcPorGon = 10000.0;
constexpr double kGonPorRad = 200.0 / kPiAzimut;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double acimut(double x1, double y1, double x2, double y2) {  // gon, [0, 400)
    double a = std::atan2(x2 - x1, y2 - y1) * kGonPorRad;
    if (a < 0) a += 400.0;
    return a;
}
double enVuelta(double w) {
    w = std::fmod(w, 400.0);
    if (w < 0) w += 400.0;
    return w;
}
double diferencia(double a, double b) {  // a − b into (−200, 200]
    return cierreAngular(a, b, kCentesimal);
}

// One linearised equation: up to five unknowns (repeated columns add up).
struct Fila {
    int obs = -1;
    int n = 0;
    int col[5] = {};
    double a[5] = {};
    double l = 0, p = 1;
    void poner(int c, double v) {
        if (c >= 0) {
            col[n] = c;
            a[n++] = v;
        }
    }
};

// Normal equations, their sparse factor and the entries of N⁻¹ on the
// pattern of the factor (Takahashi).
class SistemaNormal {
public:
    using Matriz = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

    bool resolver(int u, const std::vector<Fila>& filas, Eigen::VectorXd& x) {
        std::vector<Eigen::Triplet<double, int>> t;
        t.reserve(filas.size() * 15);
        Eigen::VectorXd b = Eigen::VectorXd::Zero(u);
        for (const Fila& f : filas)
            for (int i = 0; i < f.n; ++i) {
                b[f.col[i]] += f.p * f.a[i] * f.l;
                for (int j = 0; j < f.n; ++j)
                    if (f.col[j] <= f.col[i]) t.emplace_back(f.col[i], f.col[j], f.p * f.a[i] * f.a[j]);
            }
        Matriz N(u, u);
        N.setFromTriplets(t.begin(), t.end());
        if (u_ != u) {
            ldlt_.analyzePattern(N);
            u_ = u;
        }
        ldlt_.factorize(N);
        if (ldlt_.info() != Eigen::Success) return false;
        // A vanishing pivot against its diagonal is a datum defect.
        const Eigen::VectorXd d = ldlt_.vectorD();
        const auto& P = ldlt_.permutationP().indices();
        for (int i = 0; i < u; ++i) {
            const double nii = N.coeff(i, i);
            if (!(d[P[i]] > 1e-10 * nii) || !(nii > 0)) return false;
        }
        x = ldlt_.solve(b);
        return ldlt_.info() == Eigen::Success && x.allFinite();
    }

    void inversa() {
        const Matriz& L = ldlt_.matrixL().nestedExpression();
        const int n = static_cast<int>(L.cols());
        const int* Lp = L.outerIndexPtr();
        const int* Li = L.innerIndexPtr();
        const double* Lx = L.valuePtr();
        const Eigen::VectorXd d = ldlt_.vectorD();
        zx_.assign(static_cast<std::size_t>(Lp[n]), 0.0);
        zd_.assign(static_cast<std::size_t>(n), 0.0);
        Lp_ = Lp;
        Li_ = Li;
        std::vector<double> suma;
        for (int j = n - 1; j >= 0; --j) {
            const int b = Lp[j], e = Lp[j + 1];
            suma.assign(static_cast<std::size_t>(e - b), 0.0);
            // The rows of column j after r are all in column r: one merge
            // along column r gives every Z(r', r) the column needs.
            for (int kb = b; kb < e; ++kb) {
                const int r = Li[kb];
                suma[kb - b] += Lx[kb] * zd_[r];
                int q = Lp[r];
                const int fin = Lp[r + 1];
                for (int a = kb + 1; a < e; ++a) {
                    while (q < fin && Li[q] < Li[a]) ++q;
                    const double zar = q < fin && Li[q] == Li[a] ? zx_[q] : 0.0;
                    suma[a - b] += Lx[kb] * zar;
                    suma[kb - b] += Lx[a] * zar;
                }
            }
            for (int a = b; a < e; ++a) zx_[a] = -suma[a - b];
            double s = 0;
            for (int k = b; k < e; ++k) s += Lx[k] * zx_[k];
            zd_[j] = 1.0 / d[j] - s;
        }
        perm_.assign(ldlt_.permutationP().indices().data(), ldlt_.permutationP().indices().data() + n);
    }
    // (N⁻¹)ij for i, j sharing an equation (or i == j).
    double q(int i, int j) const { return z(perm_[i], perm_[j]); }
    // a·N⁻¹·aᵀ of one equation.
    double forma(const Fila& f) const {
        double s = 0;
        for (int i = 0; i < f.n; ++i)
            for (int j = 0; j < f.n; ++j) s += f.a[i] * f.a[j] * q(f.col[i], f.col[j]);
        return s;
    }

private:
    double z(int r, int c) const {
        if (r == c) return zd_[r];
        if (r < c) std::swap(r, c);
        const int* b = Li_ + Lp_[c];
        const int* e = Li_ + Lp_[c + 1];
        const int* it = std::lower_bound(b, e, r);
        return it != e && *it == r ? zx_[it - Li_] : 0.0;
    }

    Eigen::SimplicialLDLT<Matriz, Eigen::Lower, Eigen::AMDOrdering<int>> ldlt_;
    int u_ = -1;
    const int* Lp_ = nullptr;
    const int* Li_ = nullptr;
    std::vector<double> zx_, zd_;
    std::vector<int> perm_;
};

struct Visual {
    int puesta, hacia;
    const Lectura* lectura;
};

}  // namespace

CAjusteRed::CAjusteRed(CLibretaCampo& libreta, CDatosGenerales& ajustes, const ListaInstrumentos* biblioteca,
                       Avisos& avisos)
    : libreta_(libreta), ajustes_(ajustes), biblioteca_(biblioteca), avisos_(avisos), instrumentos_(biblioteca, avisos) {}

bool CAjusteRed::preparar(const OpcionesRed& opciones) {
    opciones_ = opciones;
    estaciones_.clear();
    puestas_.clear();
    observaciones_.clear();
    omitidas_.clear();
    test_ = {};
    ajustado_ = false;
    iteraciones_ = 0;
    mayorW_ = -1;
    if (!biblioteca_ || biblioteca_->empty()) {
        avisos_.mensaje(kMensajeInstrumentos);
        return false;
    }
    std::unordered_map<std::string, int> indice;
    for (const auto& e : libreta_.estaciones) {
        EstacionRed r;
        r.estacion = e.get();
        r.x = e->x;
        r.y = e->y;
        r.z = e->z;
        const bool conCoordenadas = e->x != 0 || e->y != 0;
        if (!opciones.libre)
            r.fija = opciones.fijos.empty()
                         ? conCoordenadas
                         : std::find(opciones.fijos.begin(), opciones.fijos.end(), std::string(e->nombre.vista())) !=
                               opciones.fijos.end();
        indice.emplace(std::string(e->nombre.vista()), static_cast<int>(estaciones_.size()));
        estaciones_.push_back(r);
    }
    if (!opciones.libre && std::none_of(estaciones_.begin(), estaciones_.end(), [](const EstacionRed& e) { return e.fija; })) {
        avisos_.mensaje(kMensajeRedSinFijas);
        return false;
    }
    // Sights between stations, by set-up.
    std::vector<Visual> visuales;
    for (int i = 0; i < static_cast<int>(estaciones_.size()); ++i)
        for (const auto& s : estaciones_[i].estacion->estacionamientos) {
            const int p = static_cast<int>(puestas_.size());
            bool alguna = false;
            for (const Lectura& l : s->lecturas) {
                auto it = indice.find(std::string(l.nombre.vista()));
                if (it == indice.end() || it->second == i) continue;
                if (!lecturaUtilizable(l)) {
                    omitidas_.push_back(avisoLecturaNoUtilizable(*s, l));
                    continue;
                }
                visuales.push_back({p, it->second, &l});
                alguna = true;
            }
            if (!alguna) continue;
            if (s->datos.unidadAngular != kCentesimal) {
                avisos_.mensaje(kMensajeCentesimal);
                return false;
            }
            PuestaRed pr;
            pr.estacion = i;
            pr.estacionamiento = s.get();
            pr.desorientacion = enVuelta(s->desorientacion);
            puestas_.push_back(pr);
        }
    // Reduction of a sight: reduced distance and height difference.
    std::unique_ptr<CProyeccionUTM> utm;
    if (ajustes_.proyeccion != 0) utm = std::make_unique<CProyeccionUTM>(ajustes_.proyeccion == 1);
    // Least squares reduces face right to face left: the observations read H
    // and V as face left only, and each face stays its own observation.
    auto reducir = [&](const Visual& v, double& dred, double& dh, double& acimutLectura, double& cenital) {
        const PuestaRed& p = puestas_[v.puesta];
        const EstacionRed& e = estaciones_[p.estacion];
        CCalculoPunto cp;
        DatosEstacionamientoCalculo d = datosDeEstacionamiento(*e.estacion, *p.estacionamiento);
        d.x0 = d.y0 = d.z0 = 0;
        d.desorientacion = 0;
        cp.cargarEstacionamiento(d);
        cp.fijarEscala(escalaRadiacion(utm.get(), ajustes_.escalaAdicional, e.x, e.y).k);
        const Lectura& l = *v.lectura;
        const LecturaCaraIzquierda li = aCaraIzquierda(*p.estacionamiento, l.horizontal, l.vertical, l.distancia);
        cp.cargarLectura(li.horizontal, li.vertical, li.distancia, l.jalon);
        const PuntoCalculado& r = cp.calcular();
        dred = r.distanciaReducida;
        dh = r.z;
        acimutLectura = li.horizontal;
        cenital = anguloCenital(*p.estacionamiento, li.vertical);
    };

    // Approximate coordinates of new stations without them: radiated from
    // stations already placed, the set-up oriented on its placed sights
    // (or, on a fixed station, by the book).
    std::vector<char> situada(estaciones_.size());
    for (std::size_t i = 0; i < estaciones_.size(); ++i)
        situada[i] = estaciones_[i].fija || estaciones_[i].x != 0 || estaciones_[i].y != 0;
    // Sights are stored set-up after set-up.
    std::vector<int> primera(puestas_.size() + 1, 0);
    for (const Visual& v : visuales) ++primera[v.puesta + 1];
    for (std::size_t p = 0; p < puestas_.size(); ++p) primera[p + 1] += primera[p];
    auto orientar = [&](int p, double& w) {
        const EstacionRed& e = estaciones_[puestas_[p].estacion];
        bool hay = false;
        double ref = 0, suma = 0;
        int n = 0;
        for (int k = primera[p]; k < primera[p + 1]; ++k) {
            const Visual& v = visuales[k];
            if (!situada[v.hacia]) continue;
            const EstacionRed& t = estaciones_[v.hacia];
            if (t.x == e.x && t.y == e.y) continue;
            const double o = enVuelta(acimut(e.x, e.y, t.x, t.y) - horizontalCaraDirecta(*puestas_[p].estacionamiento,
                                                                                         v.lectura->horizontal,
                                                                                         v.lectura->vertical));
            if (!hay) ref = o;
            hay = true;
            suma += diferencia(o, ref);
            ++n;
        }
        if (hay) w = enVuelta(ref + suma / n);
        return hay;
    };
    for (bool cambio = true; cambio;) {
        cambio = false;
        for (int p = 0; p < static_cast<int>(puestas_.size()); ++p) {
            const int i = puestas_[p].estacion;
            if (!situada[i]) continue;
            double w = puestas_[p].desorientacion;
            if (!orientar(p, w) && !estaciones_[i].fija) continue;
            for (int k = primera[p]; k < primera[p + 1]; ++k) {
                const Visual& v = visuales[k];
                if (situada[v.hacia] || v.lectura->distancia <= 0) continue;
                double dred, dh, h, z;
                reducir(v, dred, dh, h, z);
                const double az = (h + w) / kGonPorRad;
                EstacionRed& t = estaciones_[v.hacia];
                t.x = estaciones_[i].x + dred * std::sin(az);
                t.y = estaciones_[i].y + dred * std::cos(az);
                if (t.z == 0) t.z = estaciones_[i].z + dh;
                situada[v.hacia] = 1;
                cambio = true;
            }
        }
    }

    // Orientation unknowns and observations.
    // Sights of each set-up, the two faces of one sight counting once: per
    // sighted station, the larger of its face-left and face-right counts.
    std::vector<int> visadas(puestas_.size());
    for (std::size_t p = 0; p < puestas_.size(); ++p) {
        std::map<int, std::pair<int, int>> caras;
        for (int k = primera[p]; k < primera[p + 1]; ++k) {
            const Lectura& l = *visuales[k].lectura;
            const Estacionamiento& s = *puestas_[p].estacionamiento;
            auto& [izquierda, derecha] = caras[visuales[k].hacia];
            ++(aCaraIzquierda(s, l.horizontal, l.vertical, l.distancia).caraDerecha ? derecha : izquierda);
        }
        for (const auto& [hacia, c] : caras) visadas[p] += std::max(c.first, c.second);
    }
    const ParametrosTrabajo trabajo = parametrosTrabajo(ajustes_);
    for (const Visual& v : visuales) {
        PuestaRed& p = puestas_[v.puesta];
        const int i = p.estacion;
        if (!situada[i] || !situada[v.hacia]) {
            avisos_.mensaje(std::string(kMensajeRedSinAproximadas) +
                            cp1252AUtf8(estaciones_[situada[i] ? v.hacia : i].estacion->nombre.vista()));
            return false;
        }
        const Estacionamiento& s = *p.estacionamiento;
        const Lectura& l = *v.lectura;
        double dred = 0, dh = 0, h = 0, cenital = 0;
        reducir(v, dred, dh, h, cenital);
        const EstacionRed &e = estaciones_[i], &t = estaciones_[v.hacia];
        const double D = std::hypot(t.x - e.x, t.y - e.y);
        const Instrumento* ins = instrumentos_.de(s.datos.instrumento.vista(), s.nombre.vista());
        if (!ins) return false;
        const ErroresVisual err = erroresVisual(caracteristicas(*ins), trabajo, l.distancia > 0 ? dred : D, cenital,
                                                l.jalon);
        const bool orientada = visadas[v.puesta] >= 2;
        if (orientada || e.fija) {
            ObservacionRed o{TipoObservacionRed::Direccion, v.puesta, i, v.hacia, h, err.ea};
            observaciones_.push_back(o);
            estaciones_[i].plano = estaciones_[v.hacia].plano = true;
        }
        if (l.distancia > 0) {
            observaciones_.push_back({TipoObservacionRed::Distancia, v.puesta, i, v.hacia, dred, err.longitudinal});
            observaciones_.push_back({TipoObservacionRed::Desnivel, v.puesta, i, v.hacia, dh, err.ez});
            estaciones_[i].plano = estaciones_[v.hacia].plano = true;
            estaciones_[i].altura = estaciones_[v.hacia].altura = true;
        }
    }
    for (std::size_t p = 0; p < puestas_.size(); ++p)
        if (visadas[p] >= 2) {
            double w = puestas_[p].desorientacion;
            orientar(static_cast<int>(p), w);
            puestas_[p].desorientacion = w;
        }

    // Unknowns.
    int u = 0;
    int datum = -1;
    for (std::size_t i = 0; i < estaciones_.size(); ++i) {
        EstacionRed& e = estaciones_[i];
        if (!e.plano || e.fija) continue;
        if (opciones.libre && datum < 0) {
            datum = static_cast<int>(i);  // held: position of the free network
            continue;
        }
        if (opciones.libre && datum >= 0 && e.ix < 0 && u == 0) {
            // The second station keeps the bearing from the first (and the
            // length too when no distance gives the scale).
            bool distancias = false;
            for (const auto& o : observaciones_) distancias |= o.tipo == TipoObservacionRed::Distancia;
            if (distancias) {
                const double a = acimut(estaciones_[datum].x, estaciones_[datum].y, e.x, e.y) / kGonPorRad;
                e.ix = e.iy = u++;
                e.fx = std::sin(a);
                e.fy = std::cos(a);
            }
            continue;
        }
        e.ix = u++;
        e.iy = u++;
    }
    for (std::size_t p = 0; p < puestas_.size(); ++p)
        if (visadas[p] >= 2) puestas_[p].io = u++;
    incognitasPlano_ = u;
    int uz = 0;
    bool datumZ = false;
    for (EstacionRed& e : estaciones_) {
        if (!e.altura || e.fija) continue;
        if (opciones.libre && !datumZ) {
            datumZ = true;
            continue;
        }
        e.iz = uz++;
    }
    incognitasAltura_ = uz;
    bool nuevas = false;
    for (const EstacionRed& e : estaciones_) nuevas |= e.ix >= 0 || e.iz >= 0;
    if (!nuevas) {
        avisos_.mensaje(kMensajeRedSinNuevas);
        return false;
    }
    return true;
}

bool CAjusteRed::iterarPlano() {
    SistemaNormal sistema;
    const int u = incognitasPlano_;
    std::vector<Fila> filas;
    for (iteraciones_ = 1; iteraciones_ <= opciones_.maxIteraciones; ++iteraciones_) {
        filas.clear();
        for (std::size_t k = 0; k < observaciones_.size(); ++k) {
            const ObservacionRed& o = observaciones_[k];
            if (!o.uso || o.tipo == TipoObservacionRed::Desnivel) continue;
            const EstacionRed &e = estaciones_[o.desde], &t = estaciones_[o.hacia];
            const double dx = t.x - e.x, dy = t.y - e.y, D2 = dx * dx + dy * dy, D = std::sqrt(D2);
            if (D == 0) {
                avisos_.mensaje(kMensajeRedSingular);
                return false;
            }
            Fila f;
            f.obs = static_cast<int>(k);
            f.p = 1.0 / varianzaEcuacion(o.sigma, ajustes_);
            double ax, ay;
            if (o.tipo == TipoObservacionRed::Direccion) {
                const PuestaRed& p = puestas_[o.puesta];
                ax = kRho * dy / D2;
                ay = -kRho * dx / D2;
                f.l = -kCcPorGon * diferencia(acimut(e.x, e.y, t.x, t.y), enVuelta(o.valor + p.desorientacion));
                f.poner(p.io, -1.0);
            } else {
                ax = dx / D;
                ay = dy / D;
                f.l = o.valor - D;
            }
            f.poner(t.ix, ax * t.fx);
            f.poner(t.iy, ay * t.fy);
            f.poner(e.ix, -ax * e.fx);
            f.poner(e.iy, -ay * e.fy);
            filas.push_back(f);
        }
        if (u == 0) break;
        Eigen::VectorXd x;
        if (!sistema.resolver(u, filas, x)) {
            avisos_.mensaje(kMensajeRedSingular);
            return false;
        }
        double mayor = 0, mayorCc = 0;
        for (EstacionRed& e : estaciones_) {
            if (e.ix < 0) continue;
            const double ddx = e.fx * x[e.ix], ddy = e.fy * x[e.iy];
            e.x += ddx;
            e.y += ddy;
            mayor = std::max({mayor, std::fabs(ddx), std::fabs(ddy)});
        }
        for (PuestaRed& p : puestas_) {
            if (p.io < 0) continue;
            p.desorientacion = enVuelta(p.desorientacion + x[p.io] / kCcPorGon);
            mayorCc = std::max(mayorCc, std::fabs(x[p.io]));
        }
        for (Fila& f : filas) {
            double v = -f.l;
            for (int i = 0; i < f.n; ++i) v += f.a[i] * x[f.col[i]];
            observaciones_[f.obs].residuo = v;
        }
        if (mayor < kParadaRedMetros && mayorCc < kParadaRedCc) break;
    }
    if (iteraciones_ > opciones_.maxIteraciones) {
        iteraciones_ = opciones_.maxIteraciones;
        avisos_.mensaje(kMensajeNoConverge);
        return false;
    }
    // Precisions and redundancy parts with the last linearisation.
    vpvPlano_ = 0;
    for (const Fila& f : filas) {
        const double v = observaciones_[f.obs].residuo;
        vpvPlano_ += f.p * v * v;
    }
    const int r = static_cast<int>(filas.size()) - u;
    const double s0 = r > 0 ? std::sqrt(vpvPlano_ / r) : 1.0;
    if (u > 0) sistema.inversa();
    const bool pesos = ajustes_.calcularConPesos != 0;
    for (const Fila& f : filas) {
        ObservacionRed& o = observaciones_[f.obs];
        const double qvv = 1.0 / f.p - (u > 0 ? sistema.forma(f) : 0.0);
        const double s = pesos ? 1.0 : s0;
        o.w = qvv > 1e-12 / f.p && s > 0 ? o.residuo / (s * std::sqrt(qvv)) : kNaN;
    }
    for (EstacionRed& e : estaciones_) {
        if (e.ix < 0) continue;
        const double qxx = e.fx * e.fx * sistema.q(e.ix, e.ix), qyy = e.fy * e.fy * sistema.q(e.iy, e.iy),
                     qxy = e.fx * e.fy * sistema.q(e.ix, e.iy);
        e.sx = s0 * std::sqrt(std::max(0.0, qxx));
        e.sy = s0 * std::sqrt(std::max(0.0, qyy));
        e.elipse = elipseError(s0 * s0 * qxx, s0 * s0 * qyy, s0 * s0 * qxy);
    }
    for (PuestaRed& p : puestas_)
        if (p.io >= 0) p.sd = s0 * std::sqrt(std::max(0.0, sistema.q(p.io, p.io)));
    return true;
}

bool CAjusteRed::iterarAltura() {
    const int u = incognitasAltura_;
    std::vector<Fila> filas;
    for (std::size_t k = 0; k < observaciones_.size(); ++k) {
        const ObservacionRed& o = observaciones_[k];
        if (!o.uso || o.tipo != TipoObservacionRed::Desnivel) continue;
        const EstacionRed &e = estaciones_[o.desde], &t = estaciones_[o.hacia];
        Fila f;
        f.obs = static_cast<int>(k);
        f.p = 1.0 / varianzaEcuacion(o.sigma, ajustes_);
        f.l = o.valor - (t.z - e.z);
        f.poner(t.iz, 1.0);
        f.poner(e.iz, -1.0);
        filas.push_back(f);
    }
    SistemaNormal sistema;
    Eigen::VectorXd x = Eigen::VectorXd::Zero(u);
    if (u > 0 && !sistema.resolver(u, filas, x)) {
        avisos_.mensaje(kMensajeRedSingular);
        return false;
    }
    for (EstacionRed& e : estaciones_)
        if (e.iz >= 0) e.z += x[e.iz];
    vpvAltura_ = 0;
    for (const Fila& f : filas) {
        double v = -f.l;
        for (int i = 0; i < f.n; ++i) v += f.a[i] * x[f.col[i]];
        observaciones_[f.obs].residuo = v;
        vpvAltura_ += f.p * v * v;
    }
    const int r = static_cast<int>(filas.size()) - u;
    const double s0 = r > 0 ? std::sqrt(vpvAltura_ / r) : 1.0;
    if (u > 0) sistema.inversa();
    const double s = ajustes_.calcularConPesos != 0 ? 1.0 : s0;
    for (const Fila& f : filas) {
        ObservacionRed& o = observaciones_[f.obs];
        const double qvv = 1.0 / f.p - (u > 0 ? sistema.forma(f) : 0.0);
        o.w = qvv > 1e-12 / f.p && s > 0 ? o.residuo / (s * std::sqrt(qvv)) : kNaN;
    }
    for (EstacionRed& e : estaciones_)
        if (e.iz >= 0) e.sz = s0 * std::sqrt(std::max(0.0, sistema.q(e.iz, e.iz)));
    return true;
}

void CAjusteRed::estadistica() {
    int n = 0;
    for (const ObservacionRed& o : observaciones_) n += o.uso;
    test_ = {};
    test_.redundancia = n - incognitasPlano_ - incognitasAltura_;
    if (test_.redundancia > 0) {
        test_.varianza = (vpvPlano_ + vpvAltura_) / test_.redundancia;
        test_.estadistico = vpvPlano_ + vpvAltura_;  // r·s0²/σ0², σ0 = 1
        test_.inferior = cuantilChi2(test_.redundancia, 0.975);
        test_.superior = cuantilChi2(test_.redundancia, 0.025);
        test_.aceptado = test_.estadistico >= test_.inferior && test_.estadistico <= test_.superior;
    }
    mayorW_ = -1;
    double mayor = -1;
    for (std::size_t i = 0; i < observaciones_.size(); ++i) {
        const ObservacionRed& o = observaciones_[i];
        if (o.uso && std::isfinite(o.w) && std::fabs(o.w) > mayor) {
            mayor = std::fabs(o.w);
            mayorW_ = static_cast<int>(i);
        }
    }
}

bool CAjusteRed::ajustar() {
    // A pass that fails leaves the previous values; a later pass (an
    // observation left out) starts from the adjusted ones.
    std::vector<EstacionRed> inicio = estaciones_;
    std::vector<PuestaRed> puestas = puestas_;
    ajustado_ = false;
    if (observaciones_.empty()) return false;
    for (ObservacionRed& o : observaciones_) o.residuo = 0, o.w = kNaN;
    if (!iterarPlano() || !iterarAltura()) {
        estaciones_ = std::move(inicio);
        puestas_ = std::move(puestas);
        return false;
    }
    estadistica();
    ajustado_ = true;
    return true;
}

namespace {
const char* nombreTipo(TipoObservacionRed t) {
    switch (t) {
        case TipoObservacionRed::Direccion: return "Direccion";
        case TipoObservacionRed::Distancia: return "Distancia";
        default: return "Desnivel";
    }
}
const char* veredicto(const TestGlobalRed& t) {
    if (t.aceptado) return "aceptado";
    return t.estadistico < t.inferior ? "rechazado (errores a priori pesimistas)"
                                      : "rechazado (error grosero o errores a priori optimistas)";
}
}  // namespace

bool CAjusteRed::grabar() {
    if (!ajustado_) return false;
    for (const EstacionRed& e : estaciones_) {
        if (e.fija) continue;
        if (e.plano) {
            e.estacion->x = e.x;
            e.estacion->y = e.y;
        }
        if (e.altura) e.estacion->z = e.z;
    }
    for (const PuestaRed& p : puestas_)
        if (p.io >= 0) p.estacionamiento->desorientacion = p.desorientacion;
    return true;
}

std::string CAjusteRed::nombreObservacion(std::size_t i) const {
    const ObservacionRed& o = observaciones_.at(i);
    return cp1252AUtf8(puestas_[o.puesta].estacionamiento->nombre.vista()) + " -> " +
           cp1252AUtf8(estaciones_[o.hacia].estacion->nombre.vista());
}

std::string CAjusteRed::textoTest() const {
    std::string t = test_.redundancia > 0
                        ? formatear("Test global %1.3lf en [%1.3lf, %1.3lf] r = %d: %s", test_.estadistico,
                                    test_.inferior, test_.superior, test_.redundancia, veredicto(test_))
                        : std::string("Test global: sin redundancia");
    if (mayorW_ >= 0) {
        const ObservacionRed& o = observaciones_[mayorW_];
        t += formatear("; mayor |w| = %1.2lf %s %s", std::fabs(o.w), nombreTipo(o.tipo),
                       nombreObservacion(static_cast<std::size_t>(mayorW_)).c_str());
        if (std::fabs(o.w) > kLimiteW) t += " <== posible error grosero";
    }
    return t;
}

std::string CAjusteRed::textoInforme() const {
    std::string t;
    auto linea = [&t](const std::string& s) {
        t += s;
        t += '\n';
    };
    const std::string estrellas = "                         **************************************";
    linea("");
    linea(estrellas);
    linea("                         *           AJUSTE DE RED            *");
    linea(estrellas);
    linea("");
    linea(formatear(utf8ACp1252("  %d iteraciones; %zu observaciones; %d incógnitas").c_str(), iteraciones_,
                    observaciones_.size(), incognitas()));
    linea("");
    linea(utf8ACp1252("  Estación              X             Y            Z        sx      sy      sz     a      b     Az"));
    for (const EstacionRed& e : estaciones_) {
        if (!e.plano && !e.altura) continue;
        linea(formatear("  %-12s %13.4lf %13.4lf %10.4lf %s", e.estacion->nombre.c_str(), e.x, e.y, e.z,
                        e.fija ? "  fija"
                               : formatear("%7.4lf %7.4lf %7.4lf %6.4lf %6.4lf %8.4lf", e.sx, e.sy, e.sz, e.elipse.a,
                                           e.elipse.b, e.elipse.azimut)
                                     .c_str()));
    }
    linea("");
    linea(utf8ACp1252("  Estacionamiento  Estación     Desorientación   s (cc)"));
    for (const PuestaRed& p : puestas_)
        if (p.io >= 0)
            linea(formatear("  %-15s  %-12s %12.4lf %8.1lf", p.estacionamiento->nombre.c_str(),
                            estaciones_[p.estacion].estacion->nombre.c_str(), p.desorientacion, p.sd));
    linea("");
    linea(utf8ACp1252("  Uso  Tipo        Estacionamiento Visado       Observado     Residuo        w"));
    for (std::size_t i = 0; i < observaciones_.size(); ++i) {
        const ObservacionRed& o = observaciones_[i];
        const std::string w = o.uso && std::isfinite(o.w) ? formatear("%8.2lf", o.w) : std::string("       -");
        linea(formatear("  %3s  %-10s  %-15s %-12s %11.4lf %9.4lf %s%s", o.uso ? "SI" : "NO", nombreTipo(o.tipo),
                        puestas_[o.puesta].estacionamiento->nombre.c_str(), estaciones_[o.hacia].estacion->nombre.c_str(),
                        o.valor, o.uso ? o.residuo : 0.0, w.c_str(),
                        static_cast<int>(i) == mayorW_ && std::fabs(o.w) > kLimiteW ? "  <== posible error grosero" : ""));
    }
    linea("");
    linea(utf8ACp1252("  " + textoTest()));
    linea("");
    for (const std::string& o : omitidas_) linea(utf8ACp1252("  " + o));
    if (!omitidas_.empty()) linea("");
    return t;
}

bool CAjusteRed::imprimir(const std::filesystem::path& ruta) const {
    return anadirAFichero(ruta, textoInforme());
}

std::filesystem::path rutaFijasRed(const std::filesystem::path& libreta) {
    std::filesystem::path r = libreta;
    r += ".red";
    return r;
}

std::vector<std::string> leerFijasRed(const std::filesystem::path& libreta) {
    AjustesPropios a;
    std::vector<std::string> r;
    if (!a.cargar(rutaFijasRed(libreta))) return r;
    const std::string t = a.texto("Red", "fijas").value_or("");
    std::size_t i = 0;
    while (i <= t.size()) {
        const std::size_t j = std::min(t.find(',', i), t.size());
        if (j > i) r.push_back(utf8ACp1252(t.substr(i, j - i)));
        i = j + 1;
    }
    return r;
}

bool guardarFijasRed(const std::filesystem::path& libreta, const std::vector<std::string>& fijas) {
    AjustesPropios a;
    const auto ruta = rutaFijasRed(libreta);
    if (!a.cargar(ruta)) return false;
    std::string t;
    for (const std::string& f : fijas) t += (t.empty() ? "" : ",") + cp1252AUtf8(f);
    a.asignar("Red", "fijas", t);
    return a.guardar(ruta);
}

}  // namespace celvara
