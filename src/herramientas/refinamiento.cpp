#include "herramientas/refinamiento.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/modelo_errores.h"
#include "calc/proyeccion_utm.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

constexpr double kCcPorRadian = 2e6 / std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double radianesAGon(double r) { return r * 200.0 / std::numbers::pi; }

// Observed minus computed direction, brought into (−π, π].
double cierre(double observado, double calculado) {
    double d = std::remainder(observado - calculado, 2 * std::numbers::pi);
    return d == -std::numbers::pi ? std::numbers::pi : d;
}

// A sighting as the adjustment takes it, before its weights.
struct Visual {
    VisualRefinada v;
    double x0 = 0, y0 = 0;        // station
    double theta = 0;             // oriented azimuth, radians
    double alturaBase = 0;        // Z0 + hi − hm: the height without dz and the curvature term
    double zenital = 100;         // gon, for the error model and a height without distance
    bool esfRefr = false, desnivel = false;
    double escala = 1;
    Instrumento const* instrumento = nullptr;
};

// The approximate point: the mean of the single radiations, else the
// intersection of two directions from different stations.
bool aproximado(const std::vector<Visual>& vs, double& x, double& y) {
    int n = 0;
    x = y = 0;
    for (const Visual& s : vs)
        if (s.v.distancia > 0) x += s.v.xRadiado, y += s.v.yRadiado, ++n;
    if (n > 0) {
        x /= n, y /= n;
        return true;
    }
    for (std::size_t i = 0; i < vs.size(); ++i)
        for (std::size_t j = i + 1; j < vs.size(); ++j) {
            const Visual &a = vs[i], &b = vs[j];
            const double ax = std::sin(a.theta), ay = std::cos(a.theta), bx = std::sin(b.theta), by = std::cos(b.theta);
            const double det = ax * (-by) - ay * (-bx);
            if (std::fabs(det) < 1e-6) continue;  // parallel, or the same station
            const double t = ((b.x0 - a.x0) * (-by) - (b.y0 - a.y0) * (-bx)) / det;
            if (t <= 0) continue;
            x = a.x0 + t * ax, y = a.y0 + t * ay;
            return true;
        }
    return false;
}

// Adjusts one point; false when its geometry fixes no position.
bool ajustar(PuntoRefinado& p, std::vector<Visual>& vs, const ParametrosTrabajo& parametros) {
    double x = 0, y = 0;
    if (!aproximado(vs, x, y)) return false;
    struct Fila {
        std::size_t visual;
        bool distancia;
        double sigma;
    };
    std::vector<Fila> filas;
    for (std::size_t i = 0; i < vs.size(); ++i) {
        Visual& s = vs[i];
        const ErroresVisual e =
            erroresVisual(caracteristicas(*s.instrumento), parametros,
                          s.v.distancia > 0 ? s.v.distancia : std::hypot(x - s.x0, y - s.y0), s.zenital, s.v.lectura->jalon);
        s.v.sigmaDireccion = e.ea;
        s.v.sigmaDistancia = e.longitudinal;
        s.v.sigmaZ = e.ez;
        filas.push_back({i, false, e.ea});
        if (s.v.distancia > 0) filas.push_back({i, true, e.longitudinal});
    }
    const auto m = static_cast<Eigen::Index>(filas.size());
    Eigen::MatrixXd A(m, 2);
    Eigen::VectorXd f(m), P(m);
    for (Eigen::Index k = 0; k < m; ++k) P(k) = 1.0 / (filas[k].sigma * filas[k].sigma);
    if (!P.allFinite()) return false;  // a sigma of 0: no weight to give
    Eigen::Matrix2d N;
    for (int iteracion = 0; iteracion < 20; ++iteracion) {
        for (Eigen::Index k = 0; k < m; ++k) {
            const Visual& s = vs[filas[k].visual];
            const double dx = x - s.x0, dy = y - s.y0, d2 = dx * dx + dy * dy, d = std::sqrt(d2);
            if (d == 0) return false;
            if (filas[k].distancia) {
                A.row(k) << dx / d, dy / d;
                f(k) = s.v.distancia - d;
            } else {  // cc
                A.row(k) << kCcPorRadian * dy / d2, -kCcPorRadian * dx / d2;
                f(k) = kCcPorRadian * cierre(s.theta, std::atan2(dx, dy));
            }
        }
        N = A.transpose() * P.asDiagonal() * A;
        const Eigen::LDLT<Eigen::Matrix2d> ldlt(N);
        if (ldlt.info() != Eigen::Success || !(N.determinant() > 1e-12 * N.trace() * N.trace())) return false;
        const Eigen::Vector2d dxy = ldlt.solve(A.transpose() * P.asDiagonal() * f);
        x += dxy(0), y += dxy(1);
        if (dxy.norm() < 1e-7) break;
    }
    // Residuals and redundancy numbers at the solution.
    const Eigen::Matrix2d Ninv = N.inverse();
    p.redundancia = static_cast<int>(m) - 2;
    double vPv = 0;
    std::vector<double> v(filas.size()), r(filas.size());
    for (Eigen::Index k = 0; k < m; ++k) {
        const Visual& s = vs[filas[k].visual];
        const double dx = x - s.x0, dy = y - s.y0;
        v[k] = filas[k].distancia ? std::hypot(dx, dy) - s.v.distancia
                                  : -kCcPorRadian * cierre(s.theta, std::atan2(dx, dy));
        vPv += P(k) * v[k] * v[k];
        r[k] = 1.0 - P(k) * A.row(k).dot(Ninv * A.row(k).transpose());
    }
    p.sigma0 = p.redundancia > 0 ? std::sqrt(vPv / p.redundancia) : 0;
    const double s0 = p.redundancia > 0 ? p.sigma0 : 1.0;
    p.x = x, p.y = y;
    p.sx = s0 * std::sqrt(Ninv(0, 0));
    p.sy = s0 * std::sqrt(Ninv(1, 1));
    for (std::size_t k = 0; k < filas.size(); ++k) {
        VisualRefinada& q = vs[filas[k].visual].v;
        // Below 1e-6 the sighting is not checked by the others: no w.
        const double w = r[k] > 1e-6 ? v[k] / (filas[k].sigma * std::sqrt(r[k])) : kNaN;
        (filas[k].distancia ? q.vDistancia : q.vDireccion) = v[k];
        (filas[k].distancia ? q.wDistancia : q.wDireccion) = w;
    }
    // Heights and the spread of the single radiations.
    double suma = 0, pesos = 0;
    for (Visual& s : vs) {
        if (s.v.distancia <= 0) {
            s.v.z = kNaN;
            if (s.desnivel) continue;  // a height difference needs its distance
            const double dh = std::hypot(x - s.x0, y - s.y0);
            const double c = s.esfRefr ? CCalculoPunto::kRefraccion * dh * dh / CCalculoPunto::kRadioTierra : 0.0;
            const double t = std::tan(s.zenital * std::numbers::pi / 200.0);
            if (!(std::fabs(t) > 1e-12) || !std::isfinite(t)) continue;
            s.v.z = s.alturaBase + dh / s.escala / t + c;
        } else {
            p.dispersion = std::max(p.dispersion, std::hypot(s.v.xRadiado - x, s.v.yRadiado - y));
        }
        if (!std::isfinite(s.v.z)) continue;
        const double peso = s.v.sigmaZ > 0 ? 1.0 / (s.v.sigmaZ * s.v.sigmaZ) : 1.0;
        suma += peso * s.v.z, pesos += peso;
    }
    p.z = pesos > 0 ? suma / pesos : 0.0;
    for (Visual& s : vs) p.visuales.push_back(s.v);
    return true;
}

}  // namespace

ResultadoRefinamiento refinarPuntos(const EntradaRefinamiento& e) {
    ResultadoRefinamiento r;
    if (!e.libreta || !e.ajustes) return r;
    if (!e.biblioteca || e.biblioteca->empty() || !e.instrumentos) {
        r.error = "Error al abrir fichero de instrumentos";
        return r;
    }
    const CLibretaCampo& libreta = *e.libreta;
    const CDatosGenerales& ajustes = *e.ajustes;
    std::unordered_set<std::string_view> estaciones;
    for (const auto& est : libreta.estaciones) estaciones.insert(est->nombre.vista());
    std::unique_ptr<CProyeccionUTM> utm;
    if (ajustes.proyeccion != 0) utm = std::make_unique<CProyeccionUTM>(ajustes.proyeccion == 1);

    // The sightings of every point that is not a station, by name, in book order.
    std::vector<std::string_view> orden;
    std::unordered_map<std::string_view, std::vector<Visual>> porPunto;
    for (const auto& est : libreta.estaciones) {
        if (est->x == 0 && est->y == 0) continue;  // a station without coordinates radiates nothing
        const double k = escalaRadiacion(utm.get(), ajustes.escalaAdicional, est->x, est->y).k;
        for (const auto& s : est->estacionamientos) {
            const Instrumento* instrumento = nullptr;
            CCalculoPunto calculo;
            calculo.cargarEstacionamiento(datosDeEstacionamiento(*est, *s));
            calculo.fijarEscala(k);
            const std::int32_t C = circuloDe(s->datos.unidadAngular);
            const bool desnivel = s->datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
            for (const Lectura& l : s->lecturas) {
                if (estaciones.count(l.nombre.vista())) continue;
                if (!lecturaUtilizable(l)) {
                    r.omitidas.push_back(avisoLecturaNoUtilizable(*s, l));
                    continue;
                }
                if (!instrumento && !(instrumento = e.instrumentos->de(s->datos.instrumento.vista(), s->nombre.vista())))
                    return r;  // the choice has told
                // Each face stays its own observation, brought to face left.
                const LecturaCaraIzquierda li = aCaraIzquierda(*s, l.horizontal, l.vertical, l.distancia);
                calculo.cargarLectura(li.horizontal, li.vertical, li.distancia, l.jalon);
                const PuntoCalculado& pc = calculo.calcular();
                Visual v;
                v.v.estacion = est.get();
                v.v.estacionamiento = s.get();
                v.v.lectura = &l;
                v.v.caraDerecha = li.caraDerecha;
                v.v.azimut = radianesAGon(pc.azimut);
                v.v.distancia = li.distancia > 0 && pc.distanciaReducida > 0 ? pc.distanciaReducida : 0;
                v.v.xRadiado = pc.x, v.v.yRadiado = pc.y, v.v.z = pc.z;
                v.x0 = est->x, v.y0 = est->y;
                v.theta = pc.azimut;
                v.alturaBase = est->z + s->alturaInstrumento - l.jalon;
                v.zenital = desnivel ? 100.0 : verticalZenital(li.vertical, s->datos.tipoVertical, C) * 400.0 / C;
                v.esfRefr = s->datos.corregidoEsfRefr != 1;
                v.desnivel = desnivel;
                v.escala = k;
                v.instrumento = instrumento;
                auto [it, nuevo] = porPunto.try_emplace(l.nombre.vista());
                if (nuevo) orden.push_back(l.nombre.vista());
                it->second.push_back(v);
            }
        }
    }

    const ParametrosTrabajo parametros = parametrosTrabajo(ajustes);
    for (std::string_view nombre : orden) {
        std::vector<Visual>& vs = porPunto.at(nombre);
        std::unordered_set<const Estacionamiento*> estacionamientos;
        for (const Visual& v : vs) estacionamientos.insert(v.v.estacionamiento);
        if (estacionamientos.size() < 2) continue;
        PuntoRefinado p;
        p.nombre = std::string(nombre);
        p.estacionamientos = static_cast<int>(estacionamientos.size());
        if (!ajustar(p, vs, parametros)) {
            r.omitidas.push_back("Punto «" + cp1252AUtf8(nombre) +
                                 "»: sus visuales no fijan la posición (direcciones paralelas o sin peso), fuera del cálculo");
            continue;
        }
        for (const VisualRefinada& v : p.visuales) {
            const std::string nombreS = v.estacionamiento->nombre.str();
            if (v.estacionamiento->desorientacion == 0 &&
                std::find(r.sinOrientar.begin(), r.sinOrientar.end(), nombreS) == r.sinOrientar.end())
                r.sinOrientar.push_back(nombreS);
            for (const bool distancia : {false, true}) {
                const double w = distancia ? v.wDistancia : v.wDireccion;
                if (std::isfinite(w) && std::fabs(w) > kLimiteW && (!distancia || v.distancia > 0))
                    r.posiblesErrores.push_back({nombreS, p.nombre, w, distancia});
            }
        }
        r.puntos.push_back(std::move(p));
    }
    r.calculado = true;
    return r;
}

ListaPuntos puntosRefinados(const ResultadoRefinamiento& r) {
    ListaPuntos lista;
    for (const PuntoRefinado& p : r.puntos) {
        PuntoCoordenadas q;
        q.nombre = p.nombre;
        q.x = p.x, q.y = p.y, q.z = p.z;
        if (!p.visuales.empty()) q.codigo = p.visuales.front().lectura->codigo.vista();
        lista.push_back(q);
    }
    return lista;
}

namespace {
// A sighting no other checks has no w: shown as "--".
std::string textoW(double w) { return std::isfinite(w) ? formatear("%1.2lf", w) : "--"; }
}  // namespace

std::string textoInformeRefinamiento(const ResultadoRefinamiento& r) {
    std::string t = "\n    REFINAMIENTO DE PUNTOS\n";
    if (!r.calculado) return t + "\n    " + utf8ACp1252(r.error) + "\n";
    t += formatear("\n    Puntos refinados: %zu\n", r.puntos.size());
    for (const PuntoRefinado& p : r.puntos) {
        t += formatear("\n    PUNTO: %s   X = %1.4lf   Y = %1.4lf   Z = %1.4lf\n", p.nombre.c_str(), p.x, p.y, p.z);
        t += formatear("    sx = %1.4lf   sy = %1.4lf   sigma0 = %1.3lf   Redundancia: %d   Dispersion: %1.4lf\n",
                       p.sx, p.sy, p.sigma0, p.redundancia, p.dispersion);
        t += formatear("    %-15s %12s %10s %9s %6s %9s %6s %10s\n", "Estacionam.", "Azimut", "Dist", "v(cc)", "w",
                       "v(m)", "w", "Z");
        for (const VisualRefinada& v : p.visuales) {
            t += formatear("    %-15s %12.4lf %10.3lf %9.1lf %6s", v.estacionamiento->nombre.c_str(), v.azimut,
                           v.distancia, v.vDireccion, textoW(v.wDireccion).c_str());
            t += v.distancia > 0 ? formatear(" %9.4lf %6s", v.vDistancia, textoW(v.wDistancia).c_str()) : std::string(17, ' ');
            t += std::isfinite(v.z) ? formatear(" %10.4lf", v.z) : std::string(11, ' ');
            t += v.caraDerecha ? "  CD\n" : "\n";
        }
    }
    if (!r.posiblesErrores.empty()) {
        t += "\n    POSIBLES ERRORES (|w| > 3.29)\n";
        for (const PosibleError& e : r.posiblesErrores)
            t += formatear("    %s -> %s  %s  w = %1.2lf\n", e.estacionamiento.c_str(), e.punto.c_str(),
                           e.distancia ? "distancia" : "direccion", e.w);
    }
    if (!r.sinOrientar.empty()) {
        t += "\n    Estacionamientos con desorientacion 0 (sin orientar?):";
        for (const std::string& s : r.sinOrientar) t += " " + s;
        t += "\n";
    }
    for (const std::string& o : r.omitidas) t += "    " + utf8ACp1252(o) + "\n";
    return t;
}

}  // namespace celvara
