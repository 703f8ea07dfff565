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
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <numeric>
#include <unordered_map>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/modelo_errores.h"
#include "calc/proyeccion_utm.h"
#include "calc/unidades.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

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

    // Unknowns the equations leave free: the support of the null space of N.
    // On N scaled to a unit diagonal, the first vanishing pivot of the
    // factor (in elimination order) is held by a unit weight and the factor
    // redone, until none vanishes; then each held unknown h gives the null
    // vector z = Ñ⁻¹·e_h (z_h = 1, the other held ones 0).
    std::vector<char> libres(int u, const std::vector<Fila>& filas) {
        std::vector<char> libre(static_cast<std::size_t>(u), 0);
        if (u == 0) return libre;
        Eigen::VectorXd diag = Eigen::VectorXd::Zero(u);
        for (const Fila& f : filas)
            for (int i = 0; i < f.n; ++i)
                for (int j = 0; j < f.n; ++j)
                    if (f.col[i] == f.col[j]) diag[f.col[i]] += f.p * f.a[i] * f.a[j];
        Eigen::VectorXd s(u);
        for (int i = 0; i < u; ++i) s[i] = diag[i] > 0 ? 1.0 / std::sqrt(diag[i]) : 1.0;
        std::vector<Eigen::Triplet<double, int>> t;
        for (const Fila& f : filas)
            for (int i = 0; i < f.n; ++i)
                for (int j = 0; j < f.n; ++j)
                    if (f.col[j] <= f.col[i])
                        t.emplace_back(f.col[i], f.col[j], f.p * f.a[i] * f.a[j] * s[f.col[i]] * s[f.col[j]]);
        for (int i = 0; i < u; ++i) t.emplace_back(i, i, 0.0);  // every diagonal entry exists
        Matriz N(u, u);
        N.setFromTriplets(t.begin(), t.end());
        std::vector<int> sujetas;
        for (int i = 0; i < u; ++i)
            if (!(diag[i] > 0)) {  // in no equation
                N.coeffRef(i, i) += 1.0;
                sujetas.push_back(i);
            }
        Eigen::SimplicialLDLT<Matriz, Eigen::Lower, Eigen::AMDOrdering<int>> ldlt;
        ldlt.analyzePattern(N);
        const auto& P = ldlt.permutationP().indices();
        std::vector<int> orden(static_cast<std::size_t>(u));
        for (int i = 0; i < u; ++i) orden[P[i]] = i;
        for (int vuelta = 0; vuelta <= u; ++vuelta) {
            ldlt.factorize(N);
            const Eigen::VectorXd d = ldlt.vectorD();
            int nula = -1;
            for (int k = 0; k < u && nula < 0; ++k)
                if (!(d[k] > 1e-10)) nula = orden[k];
            if (nula < 0) break;
            N.coeffRef(nula, nula) += 1.0;
            sujetas.push_back(nula);
        }
        for (int h : sujetas) {
            Eigen::VectorXd e = Eigen::VectorXd::Zero(u);
            e[h] = 1.0;
            const Eigen::VectorXd z = ldlt.solve(e);
            for (int i = 0; i < u; ++i)
                if (!(std::fabs(z[i]) <= 1e-6)) libre[i] = 1;
        }
        return libre;
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

// The linearised plan equations of the used observations at the present
// coordinates. False when two ends of a sight coincide.
bool ecuacionesPlano(const std::vector<EstacionRed>& estaciones, const std::vector<PuestaRed>& puestas,
                     const std::vector<ObservacionRed>& observaciones, const CDatosGenerales& ajustes,
                     std::vector<Fila>& filas) {
    filas.clear();
    for (std::size_t k = 0; k < observaciones.size(); ++k) {
        const ObservacionRed& o = observaciones[k];
        if (!o.uso || o.tipo == TipoObservacionRed::Desnivel) continue;
        const EstacionRed &e = estaciones[o.desde], &t = estaciones[o.hacia];
        const double dx = t.x - e.x, dy = t.y - e.y, D2 = dx * dx + dy * dy, D = std::sqrt(D2);
        if (D == 0) return false;
        Fila f;
        f.obs = static_cast<int>(k);
        f.p = 1.0 / varianzaEcuacion(o.sigma, ajustes);
        double ax, ay;
        if (o.tipo == TipoObservacionRed::Direccion) {
            const PuestaRed& p = puestas[o.puesta];
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
    return true;
}

// What a new station has with the others in the local test: a direction
// from a set-up that sights two or more stations, a distance, or a sight of
// one of its own set-ups.
enum TipoRenglon { Entrante, Distancia, Propia };
struct Renglon {
    TipoRenglon tipo;
    int otra, puesta;
};

// Whether the lines of position of station k's rows are parallel: the unit
// gradients of the conditions on (x, y), each own set-up's orientation
// eliminated, Σ g·gᵀ − (Σ g)(Σ g)ᵀ / n, leave a singular 2 × 2.
bool alineadas(const std::vector<EstacionRed>& estaciones, std::size_t k, const std::vector<Renglon>& r) {
    const EstacionRed& e = estaciones[k];
    double m11 = 0, m12 = 0, m22 = 0;
    std::vector<std::array<double, 3>> propias;  // Σ gx, Σ gy, n per own set-up
    std::vector<int> cuales;
    for (const Renglon& q : r) {
        const EstacionRed& o = estaciones[q.otra];
        const double dx = e.x - o.x, dy = e.y - o.y, D = std::hypot(dx, dy);
        if (D == 0) continue;
        const double gx = q.tipo == Distancia ? dx / D : dy / D, gy = q.tipo == Distancia ? dy / D : -dx / D;
        m11 += gx * gx;
        m12 += gx * gy;
        m22 += gy * gy;
        if (q.tipo != Propia) continue;
        const auto it = std::find(cuales.begin(), cuales.end(), q.puesta);
        if (it == cuales.end()) {
            cuales.push_back(q.puesta);
            propias.push_back({gx, gy, 1});
        } else {
            auto& s = propias[static_cast<std::size_t>(it - cuales.begin())];
            s[0] += gx, s[1] += gy, s[2] += 1;
        }
    }
    for (const auto& s : propias) {
        m11 -= s[0] * s[0] / s[2];
        m12 -= s[0] * s[1] / s[2];
        m22 -= s[1] * s[1] / s[2];
    }
    const double traza = m11 + m22;
    return !(m11 * m22 - m12 * m12 > 1e-10 * traza * traza);
}

// One round of the local test: every new station still in is looked at with
// every other station held. What it is left with is counted in independent
// conditions (one per sighting set-up that sights two or more stations, one
// per station it has a distance with, and, for each of its own set-ups that
// sights n ≥ 2 stations, n − 1 angles); fewer than two, or two or more whose
// lines of position are parallel, leave it free along a line, whatever the
// rest of the network does. Those found get their reason; returns how many.
int motivosLocales(const std::vector<EstacionRed>& estaciones, const std::vector<PuestaRed>& puestas,
                   const std::vector<Visual>& visuales, const std::vector<char>& situada,
                   std::vector<const char*>& motivo) {
    const std::size_t n = estaciones.size();
    auto dentro = [&](const Visual& v) { return !motivo[puestas[v.puesta].estacion] && !motivo[v.hacia]; };
    // Distinct lines: (set-up, station) sighted, (station, station) measured.
    std::vector<std::pair<int, int>> lineas, medidas;
    std::vector<char> vista(n, 0);
    for (const Visual& v : visuales) {
        if (!dentro(v)) continue;
        const int i = puestas[v.puesta].estacion;
        vista[i] = vista[v.hacia] = 1;
        lineas.emplace_back(v.puesta, v.hacia);
        if (v.lectura->distancia > 0) medidas.emplace_back(std::min(i, v.hacia), std::max(i, v.hacia));
    }
    for (auto* l : {&lineas, &medidas}) {
        std::sort(l->begin(), l->end());
        l->erase(std::unique(l->begin(), l->end()), l->end());
    }
    std::vector<int> visadas(puestas.size(), 0);
    for (const auto& [p, j] : lineas) ++visadas[p];
    // Per station: its rows, each a kind and the station at the other end.
    std::vector<std::vector<Renglon>> renglones(n);
    for (const auto& [p, j] : lineas) {
        if (visadas[p] < 2) continue;
        const int i = puestas[p].estacion;
        renglones[j].push_back({Entrante, i, p});
        renglones[i].push_back({Propia, j, p});
    }
    for (const auto& [a, b] : medidas) {
        renglones[a].push_back({Distancia, b, -1});
        renglones[b].push_back({Distancia, a, -1});
    }
    int nuevos = 0;
    std::vector<const char*> hallados(n, nullptr);
    for (std::size_t k = 0; k < n; ++k) {
        if (estaciones[k].fija || motivo[k]) continue;
        const auto& r = renglones[k];
        int c = 0, entrantes = 0, distancias = 0, angulos = 0;
        bool geometria = situada[k] != 0;
        for (std::size_t a = 0; a < r.size(); ++a) {
            geometria = geometria && situada[r[a].otra];
            if (r[a].tipo == Entrante) ++entrantes;
            if (r[a].tipo == Distancia) ++distancias;
            // The first row of each own set-up only brings its orientation.
            if (r[a].tipo == Propia &&
                std::any_of(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(a),
                            [&](const Renglon& b) { return b.tipo == Propia && b.puesta == r[a].puesta; }))
                ++angulos;
        }
        c = entrantes + distancias + angulos;
        const char* m = nullptr;
        if (!vista[k])
            m = kMotivoSinObservaciones;
        else if (c == 0)
            m = kMotivoSinOrientacion;
        else if (c == 1)
            m = entrantes ? kMotivoUnaDireccion : distancias ? kMotivoUnaDistancia : kMotivoUnAngulo;
        else if (geometria && alineadas(estaciones, k, r))
            m = c == 2 && entrantes == 2 ? kMotivoDosAlineadas : kMotivoAlineadas;
        if (m) {
            hallados[k] = m;
            ++nuevos;
        }
    }
    for (std::size_t k = 0; k < n; ++k)
        if (hallados[k]) motivo[k] = hallados[k];
    return nuevos;
}

}  // namespace

// What preparing keeps between its steps.
struct PreparacionRed {
    std::vector<EstacionRed>& estaciones;
    std::vector<PuestaRed>& puestas;
    const CDatosGenerales& ajustes;
    std::unique_ptr<CProyeccionUTM> utm;
    std::vector<Visual> visuales;       // sights between stations, set-up after set-up
    std::vector<int> primera;           // first sight of each set-up (one past the end last)
    std::vector<char> situada;          // has approximate coordinates
    std::vector<const char*> motivo;    // why it is left out, else null
    std::vector<int> visadas;           // distinct stations each set-up sights
    int direccionesSueltas = 0;

    PreparacionRed(std::vector<EstacionRed>& e, std::vector<PuestaRed>& p, const CDatosGenerales& a)
        : estaciones(e), puestas(p), ajustes(a), utm(proyeccionCalculo(a.proyeccion, a.proyeccionTrabajo)) {}

    void indexar() {
        primera.assign(puestas.size() + 1, 0);
        for (const Visual& v : visuales) ++primera[v.puesta + 1];
        for (std::size_t p = 0; p < puestas.size(); ++p) primera[p + 1] += primera[p];
    }

    // Reduction of a sight: reduced distance, height difference, face-left
    // horizontal and zenith angle. Least squares reduces face right to face
    // left: the observations read H and V as face left only, and each face
    // stays its own observation.
    void reducir(const Visual& v, double& dred, double& dh, double& acimutLectura, double& cenital) const {
        const PuestaRed& p = puestas[v.puesta];
        const EstacionRed& e = estaciones[p.estacion];
        CCalculoPunto cp;
        DatosEstacionamientoCalculo d = datosDeEstacionamiento(*e.estacion, *p.estacionamiento);
        d.x0 = d.y0 = d.z0 = 0;
        d.desorientacion = 0;
        cp.cargarEstacionamiento(d);
        cp.fijarEscala(escalaRadiacion(utm.get(), ajustes.escalaAdicional, e.x, e.y).k);
        const Lectura& l = *v.lectura;
        const LecturaCaraIzquierda li = aCaraIzquierda(*p.estacionamiento, l.horizontal, l.vertical, l.distancia);
        cp.cargarLectura(li.horizontal, li.vertical, li.distancia, l.jalon);
        const PuntoCalculado& r = cp.calcular();
        dred = r.distanciaReducida;
        dh = r.z;
        acimutLectura = li.horizontal;
        cenital = anguloCenital(*p.estacionamiento, li.vertical);
    }

    // The orientation of set-up p from its sights to placed stations (their mean).
    bool orientar(int p, double& w) const {
        const EstacionRed& e = estaciones[puestas[p].estacion];
        bool hay = false;
        double ref = 0, suma = 0;
        int n = 0;
        for (int k = primera[p]; k < primera[p + 1]; ++k) {
            const Visual& v = visuales[k];
            if (!situada[v.hacia]) continue;
            const EstacionRed& t = estaciones[v.hacia];
            if (t.x == e.x && t.y == e.y) continue;
            const double o = enVuelta(acimut(e.x, e.y, t.x, t.y) - horizontalCaraDirecta(*puestas[p].estacionamiento,
                                                                                        v.lectura->horizontal,
                                                                                        v.lectura->vertical));
            if (!hay) ref = o;
            hay = true;
            suma += diferencia(o, ref);
            ++n;
        }
        if (hay) w = enVuelta(ref + suma / n);
        return hay;
    }

    // Approximate coordinates of new stations without them: radiated from
    // stations already placed, the set-up oriented on its placed sights
    // (or, on a fixed station, by the book).
    void situar() {
        situada.resize(estaciones.size());
        for (std::size_t i = 0; i < estaciones.size(); ++i)
            situada[i] = estaciones[i].fija || estaciones[i].x != 0 || estaciones[i].y != 0;
        indexar();
        for (bool cambio = true; cambio;) {
            cambio = false;
            for (int p = 0; p < static_cast<int>(puestas.size()); ++p) {
                const int i = puestas[p].estacion;
                if (!situada[i]) continue;
                double w = puestas[p].desorientacion;
                if (!orientar(p, w) && !estaciones[i].fija) continue;
                for (int k = primera[p]; k < primera[p + 1]; ++k) {
                    const Visual& v = visuales[k];
                    if (situada[v.hacia] || v.lectura->distancia <= 0) continue;
                    double dred, dh, h, z;
                    reducir(v, dred, dh, h, z);
                    const double az = (h + w) / kGonPorRad;
                    EstacionRed& t = estaciones[v.hacia];
                    t.x = estaciones[i].x + dred * std::sin(az);
                    t.y = estaciones[i].y + dred * std::cos(az);
                    if (t.z == 0) t.z = estaciones[i].z + dh;
                    situada[v.hacia] = 1;
                    cambio = true;
                }
            }
        }
        motivo.assign(estaciones.size(), nullptr);
        visadas.assign(puestas.size(), 0);
    }

    // Stations the observations leave free station by station (with every
    // other station held) are left out, named with the reason, and their
    // sights with them; then each set-up's distinct stations are counted.
    void quitar() {
        while (motivosLocales(estaciones, puestas, visuales, situada, motivo) > 0) {
        }
        std::erase_if(visuales, [&](const Visual& v) { return motivo[puestas[v.puesta].estacion] || motivo[v.hacia]; });
        indexar();
        // An orientation unknown for every set-up that sights two or more
        // distinct stations, however many readings it has.
        direccionesSueltas = 0;
        for (std::size_t p = 0; p < puestas.size(); ++p) {
            std::vector<int> distintas;
            for (int k = primera[p]; k < primera[p + 1]; ++k) distintas.push_back(visuales[k].hacia);
            std::sort(distintas.begin(), distintas.end());
            visadas[p] = static_cast<int>(std::unique(distintas.begin(), distintas.end()) - distintas.begin());
            if (visadas[p] < 2) direccionesSueltas += primera[p + 1] - primera[p];
        }
    }
};

CAjusteRed::CAjusteRed(CLibretaCampo& libreta, CDatosGenerales& ajustes, const ListaInstrumentos* biblioteca,
                       Avisos& avisos)
    : libreta_(libreta), ajustes_(ajustes), biblioteca_(biblioteca), avisos_(avisos), instrumentos_(biblioteca, avisos) {}

std::unordered_map<std::string, int> CAjusteRed::recogerEstaciones(const OpcionesRed& opciones) {
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
        indice.emplace(std::string(e->nombre.vista()), static_cast<int>(r_.estaciones.size()));
        r_.estaciones.push_back(r);
    }
    return indice;
}

bool CAjusteRed::recogerVisuales(PreparacionRed& p, const std::unordered_map<std::string, int>& indice) {
    for (int i = 0; i < static_cast<int>(r_.estaciones.size()); ++i)
        for (const auto& s : r_.estaciones[i].estacion->estacionamientos) {
            const int n = static_cast<int>(r_.puestas.size());
            bool alguna = false;
            for (const Lectura& l : s->lecturas) {
                auto it = indice.find(std::string(l.nombre.vista()));
                if (it == indice.end() || it->second == i) continue;
                if (!lecturaUtilizable(l)) {
                    r_.omitidas.push_back(avisoLecturaNoUtilizable(*s, l));
                    continue;
                }
                p.visuales.push_back({n, it->second, &l});
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
            r_.puestas.push_back(pr);
        }
    return true;
}

bool CAjusteRed::recogerObservaciones(PreparacionRed& p) {
    const ParametrosTrabajo trabajo = parametrosTrabajo(ajustes_);
    for (const Visual& v : p.visuales) {
        const int i = r_.puestas[v.puesta].estacion;
        if (!p.situada[i] || !p.situada[v.hacia]) {
            avisos_.mensaje(std::string(kMensajeRedSinAproximadas) +
                            cp1252AUtf8(r_.estaciones[p.situada[i] ? v.hacia : i].estacion->nombre.vista()));
            return false;
        }
        const Estacionamiento& s = *r_.puestas[v.puesta].estacionamiento;
        const Lectura& l = *v.lectura;
        double dred = 0, dh = 0, h = 0, cenital = 0;
        p.reducir(v, dred, dh, h, cenital);
        const EstacionRed &e = r_.estaciones[i], &t = r_.estaciones[v.hacia];
        const double D = std::hypot(t.x - e.x, t.y - e.y);
        const Instrumento* ins = instrumentos_.de(s.datos.instrumento.vista(), s.nombre.vista());
        if (!ins) return false;
        const ErroresVisual err = erroresVisual(caracteristicas(*ins), trabajo, l.distancia > 0 ? dred : D, cenital,
                                                l.jalon);
        if (p.visadas[v.puesta] >= 2) {
            r_.observaciones.push_back({TipoObservacionRed::Direccion, v.puesta, i, v.hacia, h, err.ea});
            r_.estaciones[i].plano = r_.estaciones[v.hacia].plano = true;
        }
        if (l.distancia > 0) {
            r_.observaciones.push_back({TipoObservacionRed::Distancia, v.puesta, i, v.hacia, dred, err.longitudinal});
            r_.observaciones.push_back({TipoObservacionRed::Desnivel, v.puesta, i, v.hacia, dh, err.ez});
            r_.estaciones[i].plano = r_.estaciones[v.hacia].plano = true;
            r_.estaciones[i].altura = r_.estaciones[v.hacia].altura = true;
        }
    }
    for (std::size_t k = 0; k < r_.puestas.size(); ++k)
        if (p.visadas[k] >= 2) {
            double w = r_.puestas[k].desorientacion;
            p.orientar(static_cast<int>(k), w);
            r_.puestas[k].desorientacion = w;
        }
    return true;
}

int CAjusteRed::numerarPlano(bool libre) {
    int u = 0;
    int datum = -1, segunda = -1;
    const bool distancias = std::any_of(r_.observaciones.begin(), r_.observaciones.end(), [](const ObservacionRed& o) {
        return o.tipo == TipoObservacionRed::Distancia;
    });
    for (EstacionRed& e : r_.estaciones) {
        e.ix = e.iy = -1;
        e.fx = e.fy = 1;
    }
    for (std::size_t i = 0; i < r_.estaciones.size(); ++i) {
        EstacionRed& e = r_.estaciones[i];
        if (!e.plano || e.fija) continue;
        if (libre && datum < 0) {
            datum = static_cast<int>(i);  // held: position of the free network
            continue;
        }
        if (libre && segunda < 0 && (e.x != r_.estaciones[datum].x || e.y != r_.estaciones[datum].y)) {
            // The second keeps its bearing from the first; with no distance
            // it is held whole, its distance from the first giving the scale.
            segunda = static_cast<int>(i);
            if (distancias) {
                const double a = acimut(r_.estaciones[datum].x, r_.estaciones[datum].y, e.x, e.y) / kGonPorRad;
                e.ix = e.iy = u++;
                e.fx = std::sin(a);
                e.fy = std::cos(a);
            }
            continue;
        }
        e.ix = u++;
        e.iy = u++;
    }
    return u;
}

bool CAjusteRed::determinarPlano(PreparacionRed& p, bool libre) {
    for (;;) {
        int u = numerarPlano(libre);
        for (std::size_t k = 0; k < r_.puestas.size(); ++k) r_.puestas[k].io = p.visadas[k] >= 2 ? u++ : -1;
        r_.incognitasPlano = u;
        // Whatever the station-by-station look cannot see (new stations free
        // only together) shows in the null space of N.
        std::vector<Fila> filas;
        if (!ecuacionesPlano(r_.estaciones, r_.puestas, r_.observaciones, ajustes_, filas)) {
            avisos_.mensaje(kMensajeRedSingular);
            return false;
        }
        const std::vector<char> libres = SistemaNormal().libres(u, filas);
        auto suelta = [&](const EstacionRed& e) { return (e.ix >= 0 && libres[e.ix]) || (e.iy >= 0 && libres[e.iy]); };
        std::string nombres;
        bool queda = false;
        for (const EstacionRed& e : r_.estaciones) {
            if (suelta(e))
                nombres += (nombres.empty() ? "" : ", ") + cp1252AUtf8(e.estacion->nombre.vista());
            else
                queda |= e.ix >= 0;
        }
        if (nombres.empty()) return true;
        // Every new station free: the fixed ones do not hold the network (one
        // fixed station lets it turn about it), which is no station's fault.
        if (!queda) {
            avisos_.mensaje(std::string(kMensajeRedSingular) + "\nSin determinar: " + nombres);
            return false;
        }
        for (std::size_t i = 0; i < r_.estaciones.size(); ++i)
            if (suelta(r_.estaciones[i])) p.motivo[i] = kMotivoFaltan;
        // Their observations go, and the directions of set-ups now sighting
        // one station.
        p.quitar();
        r_.direccionesSueltas = p.direccionesSueltas;
        std::erase_if(r_.observaciones, [&](const ObservacionRed& o) {
            return p.motivo[o.desde] || p.motivo[o.hacia] ||
                   (o.tipo == TipoObservacionRed::Direccion && p.visadas[o.puesta] < 2);
        });
        for (EstacionRed& e : r_.estaciones) e.plano = e.altura = false;
        for (const ObservacionRed& o : r_.observaciones) {
            const bool z = o.tipo == TipoObservacionRed::Desnivel;
            (z ? r_.estaciones[o.desde].altura : r_.estaciones[o.desde].plano) = true;
            (z ? r_.estaciones[o.hacia].altura : r_.estaciones[o.hacia].plano) = true;
        }
    }
}

void CAjusteRed::numerarAltura(bool libre) {
    // Every group of stations tied by height differences needs a held Z (a
    // fixed station; in a free network, the first station with height
    // differences). A group without one keeps the book's Z and its height
    // differences are not used.
    std::vector<int> grupo(r_.estaciones.size());
    std::iota(grupo.begin(), grupo.end(), 0);
    auto raiz = [&grupo](int i) {
        while (grupo[i] != i) i = grupo[i] = grupo[grupo[i]];
        return i;
    };
    for (const ObservacionRed& o : r_.observaciones)
        if (o.tipo == TipoObservacionRed::Desnivel) grupo[raiz(o.desde)] = raiz(o.hacia);
    std::vector<char> sujeto(r_.estaciones.size(), 0);
    int datumZ = -1;
    for (std::size_t i = 0; i < r_.estaciones.size(); ++i) {
        const EstacionRed& e = r_.estaciones[i];
        if (!e.altura) continue;
        if (libre && datumZ < 0) datumZ = static_cast<int>(i);
        if (e.fija || datumZ == static_cast<int>(i)) sujeto[raiz(static_cast<int>(i))] = 1;
    }
    int uz = 0;
    for (std::size_t i = 0; i < r_.estaciones.size(); ++i) {
        EstacionRed& e = r_.estaciones[i];
        if (!e.altura) continue;
        if (!sujeto[raiz(static_cast<int>(i))]) {
            e.altura = false;
            e.zLibre = true;
            e.z = e.estacion->z;
        } else if (!e.fija && datumZ != static_cast<int>(i)) {
            e.iz = uz++;
        }
    }
    std::erase_if(r_.observaciones, [this](const ObservacionRed& o) {
        return o.tipo == TipoObservacionRed::Desnivel && r_.estaciones[o.desde].zLibre;
    });
    r_.incognitasAltura = uz;
}

bool CAjusteRed::preparar(const OpcionesRed& opciones) {
    opciones_ = opciones;
    r_.estaciones.clear();
    r_.puestas.clear();
    r_.observaciones.clear();
    r_.omitidas.clear();
    r_.test = {};
    ajustado_ = false;
    r_.iteraciones = 0;
    r_.mayorW = -1;
    if (!biblioteca_ || biblioteca_->empty()) {
        avisos_.mensaje(kMensajeInstrumentos);
        return false;
    }
    const auto indice = recogerEstaciones(opciones);
    if (!opciones.libre && std::none_of(r_.estaciones.begin(), r_.estaciones.end(), [](const EstacionRed& e) { return e.fija; })) {
        avisos_.mensaje(kMensajeRedSinFijas);
        return false;
    }
    PreparacionRed p(r_.estaciones, r_.puestas, ajustes_);
    if (!recogerVisuales(p, indice)) return false;
    p.situar();
    // Stations the observations leave free are left out, named with the
    // reason, and their sights with them: first station by station, then by
    // the whole plan system, until the rest is determined.
    p.quitar();
    r_.direccionesSueltas = p.direccionesSueltas;
    if (!recogerObservaciones(p) || !determinarPlano(p, opciones.libre)) return false;
    for (std::size_t i = 0; i < r_.estaciones.size(); ++i) {
        EstacionRed& e = r_.estaciones[i];
        if (!p.motivo[i]) continue;
        e.motivo = p.motivo[i];
        e.x = e.estacion->x;
        e.y = e.estacion->y;
        e.z = e.estacion->z;
    }
    numerarAltura(opciones.libre);
    bool nuevas = false;
    for (const EstacionRed& e : r_.estaciones) nuevas |= e.ix >= 0 || e.iz >= 0;
    if (!nuevas) {
        const std::string fuera = textoFuera();
        avisos_.mensaje(fuera.empty() ? std::string(kMensajeRedSinNuevas) : kMensajeRedSinNuevas + ("\n" + fuera));
        return false;
    }
    return true;
}

bool CAjusteRed::iterarPlano() {
    SistemaNormal sistema;
    const int u = r_.incognitasPlano;
    std::vector<Fila> filas;
    for (r_.iteraciones = 1; r_.iteraciones <= opciones_.maxIteraciones; ++r_.iteraciones) {
        if (!ecuacionesPlano(r_.estaciones, r_.puestas, r_.observaciones, ajustes_, filas)) {
            avisos_.mensaje(kMensajeRedSingular);
            return false;
        }
        if (u == 0) break;
        Eigen::VectorXd x;
        if (!sistema.resolver(u, filas, x)) {
            avisos_.mensaje(kMensajeRedSingular);
            return false;
        }
        double mayor = 0, mayorCc = 0;
        for (EstacionRed& e : r_.estaciones) {
            if (e.ix < 0) continue;
            const double ddx = e.fx * x[e.ix], ddy = e.fy * x[e.iy];
            e.x += ddx;
            e.y += ddy;
            mayor = std::max({mayor, std::fabs(ddx), std::fabs(ddy)});
        }
        for (PuestaRed& p : r_.puestas) {
            if (p.io < 0) continue;
            p.desorientacion = enVuelta(p.desorientacion + x[p.io] / kCcPorGon);
            mayorCc = std::max(mayorCc, std::fabs(x[p.io]));
        }
        for (Fila& f : filas) {
            double v = -f.l;
            for (int i = 0; i < f.n; ++i) v += f.a[i] * x[f.col[i]];
            r_.observaciones[f.obs].residuo = v;
        }
        if (mayor < kParadaRedMetros && mayorCc < kParadaRedCc) break;
    }
    if (r_.iteraciones > opciones_.maxIteraciones) {
        r_.iteraciones = opciones_.maxIteraciones;
        avisos_.mensaje(kMensajeNoConverge);
        return false;
    }
    // Precisions and redundancy parts with the last linearisation.
    vpvPlano_ = 0;
    for (const Fila& f : filas) {
        const double v = r_.observaciones[f.obs].residuo;
        vpvPlano_ += f.p * v * v;
    }
    const int r = static_cast<int>(filas.size()) - u;
    const double s0 = r > 0 ? std::sqrt(vpvPlano_ / r) : 1.0;
    if (u > 0) sistema.inversa();
    const bool pesos = ajustes_.calcularConPesos != 0;
    for (const Fila& f : filas) {
        ObservacionRed& o = r_.observaciones[f.obs];
        const double qvv = 1.0 / f.p - (u > 0 ? sistema.forma(f) : 0.0);
        const double s = pesos ? 1.0 : s0;
        o.w = qvv > 1e-12 / f.p && s > 0 ? o.residuo / (s * std::sqrt(qvv)) : kNaN;
    }
    for (EstacionRed& e : r_.estaciones) {
        if (e.ix < 0) continue;
        const double qxx = e.fx * e.fx * sistema.q(e.ix, e.ix), qyy = e.fy * e.fy * sistema.q(e.iy, e.iy),
                     qxy = e.fx * e.fy * sistema.q(e.ix, e.iy);
        e.sx = s0 * std::sqrt(std::max(0.0, qxx));
        e.sy = s0 * std::sqrt(std::max(0.0, qyy));
        e.elipse = elipseError(s0 * s0 * qxx, s0 * s0 * qyy, s0 * s0 * qxy);
    }
    for (PuestaRed& p : r_.puestas)
        if (p.io >= 0) p.sd = s0 * std::sqrt(std::max(0.0, sistema.q(p.io, p.io)));
    return true;
}

bool CAjusteRed::iterarAltura() {
    const int u = r_.incognitasAltura;
    std::vector<Fila> filas;
    for (std::size_t k = 0; k < r_.observaciones.size(); ++k) {
        const ObservacionRed& o = r_.observaciones[k];
        if (!o.uso || o.tipo != TipoObservacionRed::Desnivel) continue;
        const EstacionRed &e = r_.estaciones[o.desde], &t = r_.estaciones[o.hacia];
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
    for (EstacionRed& e : r_.estaciones)
        if (e.iz >= 0) e.z += x[e.iz];
    vpvAltura_ = 0;
    for (const Fila& f : filas) {
        double v = -f.l;
        for (int i = 0; i < f.n; ++i) v += f.a[i] * x[f.col[i]];
        r_.observaciones[f.obs].residuo = v;
        vpvAltura_ += f.p * v * v;
    }
    const int r = static_cast<int>(filas.size()) - u;
    const double s0 = r > 0 ? std::sqrt(vpvAltura_ / r) : 1.0;
    if (u > 0) sistema.inversa();
    const double s = ajustes_.calcularConPesos != 0 ? 1.0 : s0;
    for (const Fila& f : filas) {
        ObservacionRed& o = r_.observaciones[f.obs];
        const double qvv = 1.0 / f.p - (u > 0 ? sistema.forma(f) : 0.0);
        o.w = qvv > 1e-12 / f.p && s > 0 ? o.residuo / (s * std::sqrt(qvv)) : kNaN;
    }
    for (EstacionRed& e : r_.estaciones)
        if (e.iz >= 0) e.sz = s0 * std::sqrt(std::max(0.0, sistema.q(e.iz, e.iz)));
    return true;
}

void CAjusteRed::estadistica() {
    r_.test = {};
    auto parte = [](ParteRed& t, int n, int u, double vpv) {
        t.observaciones = n;
        t.incognitas = u;
        t.redundancia = n - u;
        t.vpv = vpv;
        t.s0 = t.redundancia > 0 ? std::sqrt(vpv / t.redundancia) : 0.0;
    };
    int n = 0, nz = 0;
    for (const ObservacionRed& o : r_.observaciones) {
        n += o.uso;
        nz += o.uso && o.tipo == TipoObservacionRed::Desnivel;
    }
    parte(r_.test.plano, n - nz, r_.incognitasPlano, vpvPlano_);
    parte(r_.test.altura, nz, r_.incognitasAltura, vpvAltura_);
    r_.test.redundancia = n - r_.incognitasPlano - r_.incognitasAltura;
    if (r_.test.redundancia > 0) {
        r_.test.varianza = (vpvPlano_ + vpvAltura_) / r_.test.redundancia;
        r_.test.estadistico = vpvPlano_ + vpvAltura_;  // r·s0²/σ0², σ0 = 1
        r_.test.inferior = cuantilChi2(r_.test.redundancia, 0.975);
        r_.test.superior = cuantilChi2(r_.test.redundancia, 0.025);
        r_.test.aceptado = r_.test.estadistico >= r_.test.inferior && r_.test.estadistico <= r_.test.superior;
    }
    r_.mayorW = -1;
    double mayor = -1;
    for (std::size_t i = 0; i < r_.observaciones.size(); ++i) {
        const ObservacionRed& o = r_.observaciones[i];
        if (o.uso && std::isfinite(o.w) && std::fabs(o.w) > mayor) {
            mayor = std::fabs(o.w);
            r_.mayorW = static_cast<int>(i);
        }
    }
}

bool CAjusteRed::ajustar() {
    // A pass that fails leaves the previous values; a later pass (an
    // observation left out) starts from the adjusted ones.
    std::vector<EstacionRed> inicio = r_.estaciones;
    std::vector<PuestaRed> puestas = r_.puestas;
    ajustado_ = false;
    if (r_.observaciones.empty()) return false;
    for (ObservacionRed& o : r_.observaciones) o.residuo = 0, o.w = kNaN;
    if (!iterarPlano() || !iterarAltura()) {
        r_.estaciones = std::move(inicio);
        r_.puestas = std::move(puestas);
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
    for (const EstacionRed& e : r_.estaciones) {
        if (e.fija) continue;
        if (e.plano) {
            e.estacion->x = e.x;
            e.estacion->y = e.y;
        }
        if (e.altura) e.estacion->z = e.z;
    }
    for (const PuestaRed& p : r_.puestas)
        if (p.io >= 0) p.estacionamiento->desorientacion = p.desorientacion;
    return true;
}

std::string nombreObservacion(const ResultadoRed& r, std::size_t i) {
    const ObservacionRed& o = r.observaciones.at(i);
    return cp1252AUtf8(r.puestas[o.puesta].estacionamiento->nombre.vista()) + " -> " +
           cp1252AUtf8(r.estaciones[o.hacia].estacion->nombre.vista());
}

std::string textoFueraRed(const ResultadoRed& r) {
    std::string t;
    for (const EstacionRed& e : r.estaciones)
        if (e.motivo) t += (t.empty() ? "" : "; ") + cp1252AUtf8(e.estacion->nombre.vista()) + ": " + e.motivo;
    return t.empty() ? t : "Estaciones sin determinar, fuera del ajuste: " + t;
}

std::string textoZLibreRed(const ResultadoRed& r) {
    std::string t;
    for (const EstacionRed& e : r.estaciones)
        if (e.zLibre) t += (t.empty() ? "" : ", ") + cp1252AUtf8(e.estacion->nombre.vista());
    return t.empty() ? t : "Z sin determinar, queda la de la libreta: " + t;
}

std::string textoTestRed(const ResultadoRed& r) {
    std::string t = r.test.redundancia > 0
                        ? formatear("Test global %1.3lf en [%1.3lf, %1.3lf] r = %d: %s", r.test.estadistico,
                                    r.test.inferior, r.test.superior, r.test.redundancia, veredicto(r.test))
                        : std::string("Test global: sin redundancia");
    if (r.mayorW >= 0) {
        const ObservacionRed& o = r.observaciones[r.mayorW];
        t += formatear("; mayor |w| = %1.2lf %s %s", std::fabs(o.w), nombreTipo(o.tipo),
                       nombreObservacion(r, static_cast<std::size_t>(r.mayorW)).c_str());
        if (std::fabs(o.w) > kLimiteW) t += " <== posible error grosero";
    }
    return t;
}

std::string textoInformeRed(const ResultadoRed& r) {
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
    linea(formatear(utf8ACp1252("  %d iteraciones; %zu observaciones; %d incógnitas").c_str(), r.iteraciones,
                    r.observaciones.size(), r.incognitasPlano + r.incognitasAltura));
    auto parte = [&](const char* nombre, const ParteRed& p) {
        if (p.observaciones > 0)
            linea(formatear(utf8ACp1252("  %-12s %d observaciones, %d incógnitas, r = %d, s0 = %1.3lf").c_str(),
                            utf8ACp1252(nombre).c_str(), p.observaciones, p.incognitas, p.redundancia, p.s0));
    };
    parte("Planimetría:", r.test.plano);
    parte("Altimetría:", r.test.altura);
    if (r.direccionesSueltas > 0)
        linea(formatear(utf8ACp1252("  %d direcciones sin usar: su estacionamiento visa una sola estación").c_str(),
                        r.direccionesSueltas));
    for (const std::string& s : {textoFueraRed(r), textoZLibreRed(r)})
        if (!s.empty()) linea(utf8ACp1252("  " + s));
    linea("");
    linea(utf8ACp1252("  Estación              X             Y            Z        sx      sy      sz     a      b     Az"));
    for (const EstacionRed& e : r.estaciones) {
        if (!e.plano && !e.altura) continue;
        linea(formatear("  %-12s %13.4lf %13.4lf %10.4lf %s", e.estacion->nombre.c_str(), e.x, e.y, e.z,
                        e.fija ? "  fija"
                               : formatear("%7.4lf %7.4lf %7.4lf %6.4lf %6.4lf %8.4lf", e.sx, e.sy, e.sz, e.elipse.a,
                                           e.elipse.b, e.elipse.azimut)
                                     .c_str()));
    }
    linea("");
    linea(utf8ACp1252("  Estacionamiento  Estación     Desorientación   s (cc)"));
    for (const PuestaRed& p : r.puestas)
        if (p.io >= 0)
            linea(formatear("  %-15s  %-12s %12.4lf %8.1lf", p.estacionamiento->nombre.c_str(),
                            r.estaciones[p.estacion].estacion->nombre.c_str(), p.desorientacion, p.sd));
    linea("");
    linea(utf8ACp1252("  Uso  Tipo        Estacionamiento Visado       Observado     Residuo        w"));
    for (std::size_t i = 0; i < r.observaciones.size(); ++i) {
        const ObservacionRed& o = r.observaciones[i];
        const std::string w = o.uso && std::isfinite(o.w) ? formatear("%8.2lf", o.w) : std::string("       -");
        linea(formatear("  %3s  %-10s  %-15s %-12s %11.4lf %9.4lf %s%s", o.uso ? "SI" : "NO", nombreTipo(o.tipo),
                        r.puestas[o.puesta].estacionamiento->nombre.c_str(), r.estaciones[o.hacia].estacion->nombre.c_str(),
                        o.valor, o.uso ? o.residuo : 0.0, w.c_str(),
                        static_cast<int>(i) == r.mayorW && std::fabs(o.w) > kLimiteW ? "  <== posible error grosero" : ""));
    }
    linea("");
    linea(utf8ACp1252("  " + textoTestRed(r)));
    linea("");
    for (const std::string& o : r.omitidas) linea(utf8ACp1252("  " + o));
    if (!r.omitidas.empty()) linea("");
    return t;
}

std::string CAjusteRed::nombreObservacion(std::size_t i) const { return celvara::nombreObservacion(r_, i); }
std::string CAjusteRed::textoFuera() const { return textoFueraRed(r_); }
std::string CAjusteRed::textoZLibre() const { return textoZLibreRed(r_); }
std::string CAjusteRed::textoTest() const { return textoTestRed(r_); }
std::string CAjusteRed::textoInforme() const { return textoInformeRed(r_); }

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
