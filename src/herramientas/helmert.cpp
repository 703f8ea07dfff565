#include "herramientas/helmert.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

#include "fieldbook/numeros.h"

namespace celvara {

namespace {

struct Comun {
    std::string nombre;
    double x, y, z, xd, yd, zd;
};

// Origin points whose name the destination also holds (first of each name).
std::vector<Comun> puntosComunes(const EntradaHelmert& e, std::vector<std::string>& ausentes) {
    std::unordered_map<std::string_view, const PuntoCoordenadas*> destino, origen;
    for (const PuntoCoordenadas& p : e.destino) destino.try_emplace(p.nombre.vista(), &p);
    for (const PuntoCoordenadas& p : e.origen) origen.try_emplace(p.nombre.vista(), &p);
    const std::unordered_set<std::string_view> elegidos(e.elegidos.begin(), e.elegidos.end());
    for (const std::string& n : e.elegidos)
        if (!origen.count(n) || !destino.count(n)) ausentes.push_back(n);
    std::vector<Comun> comunes;
    for (const PuntoCoordenadas& p : e.origen) {
        const auto d = destino.find(p.nombre.vista());
        if (d == destino.end() || origen.at(p.nombre.vista()) != &p) continue;
        if (!elegidos.empty() && !elegidos.count(p.nombre.vista())) continue;
        comunes.push_back({p.nombre.str(), p.x, p.y, p.z, d->second->x, d->second->y, d->second->z});
    }
    return comunes;
}

double enGon(double radianes) {
    double g = radianes * 200.0 / std::numbers::pi;
    if (g < 0) g += 400.0;
    return g >= 400.0 ? g - 400.0 : g;
}

}  // namespace

ResultadoHelmert calcularHelmert(const EntradaHelmert& e) {
    ResultadoHelmert r;
    r.sinEscala = e.sinEscala;
    const std::vector<Comun> c = puntosComunes(e, r.ausentes);
    const auto n = static_cast<Eigen::Index>(c.size());
    if (n < 2) {
        r.error = kMensajePocosPuntosComunes;
        return r;
    }
    // Centroids of both sets: the plane parameters are solved about them.
    double cx = 0, cy = 0, cxd = 0, cyd = 0;
    for (const Comun& p : c) cx += p.x, cy += p.y, cxd += p.xd, cyd += p.yd;
    cx /= static_cast<double>(n), cy /= static_cast<double>(n), cxd /= static_cast<double>(n), cyd /= static_cast<double>(n);
    Eigen::VectorXd X(n), Y(n), l(2 * n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const Comun& p = c[static_cast<std::size_t>(i)];
        X(i) = p.x - cx, Y(i) = p.y - cy;
        l(2 * i) = p.xd - cxd, l(2 * i + 1) = p.yd - cyd;
    }
    if (X.squaredNorm() + Y.squaredNorm() == 0) {
        r.error = kMensajePocosPuntosComunes;  // one place named twice: no second point
        return r;
    }

    // Similarity about the centroids: unknowns u, v, a, b.
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * n, 4);
    for (Eigen::Index i = 0; i < n; ++i) {
        A.row(2 * i) << 1, 0, X(i), -Y(i);
        A.row(2 * i + 1) << 0, 1, Y(i), X(i);
    }
    Eigen::VectorXd p = A.colPivHouseholderQr().solve(l);
    double u = p(0), v = p(1), a = p(2), b = p(3);
    Eigen::MatrixXd J = A;  // design of the last linearisation
    Eigen::MatrixXd G = Eigen::MatrixXd::Identity(4, 4);  // d(tx, ty, a, b) / d(unknowns), about the centroids
    if (e.sinEscala) {
        // Rigid: unknowns u, v, θ by Gauss–Newton from the similarity's rotation.
        double t = std::atan2(b, a);
        J.resize(2 * n, 3);
        for (int iteracion = 0; iteracion < 50; ++iteracion) {
            const double s = std::sin(t), k = std::cos(t);
            Eigen::VectorXd f(2 * n);
            for (Eigen::Index i = 0; i < n; ++i) {
                J.row(2 * i) << 1, 0, -s * X(i) - k * Y(i);
                J.row(2 * i + 1) << 0, 1, k * X(i) - s * Y(i);
                f(2 * i) = l(2 * i) - (u + k * X(i) - s * Y(i));
                f(2 * i + 1) = l(2 * i + 1) - (v + s * X(i) + k * Y(i));
            }
            const Eigen::Vector3d d = J.colPivHouseholderQr().solve(f);
            u += d(0), v += d(1), t += d(2);
            if (std::fabs(d(2)) < 1e-15 && std::fabs(d(0)) + std::fabs(d(1)) < 1e-12) break;
        }
        a = std::cos(t), b = std::sin(t);
        G = Eigen::MatrixXd::Zero(4, 3);
        G(0, 0) = G(1, 1) = 1;
        G(2, 2) = -b;
        G(3, 2) = a;
    }
    // Back from the centroids: tx = c'x + u − a·cx + b·cy, ty = c'y + v − b·cx − a·cy.
    r.a = a, r.b = b;
    r.tx = cxd + u - a * cx + b * cy;
    r.ty = cyd + v - b * cx - a * cy;
    Eigen::MatrixXd M = Eigen::MatrixXd::Identity(4, 4);
    M(0, 2) = -cx, M(0, 3) = cy, M(1, 2) = -cy, M(1, 3) = -cx;
    const Eigen::MatrixXd T = M * G;  // d(tx, ty, a, b) / d(unknowns)

    r.escala = std::hypot(a, b);
    r.giro = enGon(std::atan2(b, a));
    r.redundancia = static_cast<int>(2 * n - J.cols());

    double sumaV = 0, sumaZ = 0;
    for (const Comun& q : c) r.dz += q.zd - q.z;
    r.dz /= static_cast<double>(n);
    for (const Comun& q : c) {
        double x = q.x, y = q.y, z = q.z;
        transformarPunto(r, x, y, z);
        r.residuos.push_back({q.nombre, q.xd - x, q.yd - y, q.zd - z, false});
        sumaV += (q.xd - x) * (q.xd - x) + (q.yd - y) * (q.yd - y);
        sumaZ += (q.zd - z) * (q.zd - z);
    }
    if (r.redundancia > 0) {
        r.sigma0 = std::sqrt(sumaV / r.redundancia);
        const Eigen::MatrixXd Q = (J.transpose() * J).inverse();
        const Eigen::MatrixXd C = r.sigma0 * r.sigma0 * T * Q * T.transpose();
        r.stx = std::sqrt(std::max(C(0, 0), 0.0)), r.sty = std::sqrt(std::max(C(1, 1), 0.0));
        r.sa = std::sqrt(std::max(C(2, 2), 0.0)), r.sb = std::sqrt(std::max(C(3, 3), 0.0));
    }
    r.sigmaZ = std::sqrt(sumaZ / static_cast<double>(n - 1));
    r.sdz = r.sigmaZ / std::sqrt(static_cast<double>(n));
    for (ResiduoHelmert& v : r.residuos)
        v.marcado = (r.sigma0 > 0 && std::max(std::fabs(v.vx), std::fabs(v.vy)) > 3 * r.sigma0) ||
                    (r.sigmaZ > 0 && std::fabs(v.vz) > 3 * r.sigmaZ);
    return r;
}

void transformarPunto(const ResultadoHelmert& r, double& x, double& y, double& z) {
    const double x0 = x;
    x = r.tx + r.a * x0 - r.b * y;
    y = r.ty + r.b * x0 + r.a * y;
    z += r.dz;
}

void aplicarHelmert(const ResultadoHelmert& r, ListaRegistrosCoordenadas& registros) {
    for (RegistroCoordenadas& g : registros) transformarPunto(r, g.x, g.y, g.z);
}

std::string textoInformeHelmert(const ResultadoHelmert& r) {
    std::string t = r.sinEscala ? "\n    TRANSFORMACION HELMERT 2D + h (SIN ESCALA)\n\n" : "\n    TRANSFORMACION HELMERT 2D + h\n\n";
    if (r.error) return t + "    " + r.error + "\n";
    t += formatear("    X' = tx + a*X - b*Y     Y' = ty + b*X + a*Y     Z' = Z + dz\n\n");
    t += formatear("    tx     = %15.4lf   +- %1.4lf\n", r.tx, r.stx);
    t += formatear("    ty     = %15.4lf   +- %1.4lf\n", r.ty, r.sty);
    t += formatear("    a      = %15.10lf   +- %1.10lf\n", r.a, r.sa);
    t += formatear("    b      = %15.10lf   +- %1.10lf\n", r.b, r.sb);
    t += formatear("    dz     = %15.4lf   +- %1.4lf\n", r.dz, r.sdz);
    t += formatear("    Escala = %15.9lf\n", r.escala);
    t += formatear("    Giro   = %15.6lf g\n\n", r.giro);
    t += formatear("    %-16s %10s %10s %10s\n", "Punto", "vx", "vy", "vz");
    for (const ResiduoHelmert& v : r.residuos)
        t += formatear("    %-16s %10.4lf %10.4lf %10.4lf%s\n", v.nombre.c_str(), v.vx, v.vy, v.vz,
                       v.marcado ? "  > 3 sigma" : "");
    t += formatear("\n    Puntos comunes: %zu   Redundancia: %d\n", r.residuos.size(), r.redundancia);
    t += formatear("    sigma0 = %1.4lf m   sigma Z = %1.4lf m\n", r.sigma0, r.sigmaZ);
    return t;
}

}  // namespace celvara
