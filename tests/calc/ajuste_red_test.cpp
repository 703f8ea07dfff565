#include "calc/red/ajuste_red.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <numbers>
#include <random>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/red_estacion.h"

namespace celvara {
namespace {

using prueba::AvisosGrabados;

// A 1" total station (3 cc, 1 mm + 1 ppm) and careful centring, so that a
// 50 cc direction and a 20 cm distance stand out.
Instrumento instrumentoFino() {
    Instrumento i;
    i.nombre = "FINO";
    i.aumentos = 30;
    i.nivelTorico = 12;
    i.precisionH = i.precisionV = 3;
    i.precisionDistanciaMm = 1;
    i.precisionDistanciaPpm = 1;
    return i;
}

struct Punto {
    const char* nombre;
    double x, y, z;
    bool fija;
};
struct Visual {
    int desde, hacia;
};

// The book of a network: every station occupied once, sighting `visuales`
// with readings worked from the true coordinates plus normal noise of the
// model's own sigmas; distances and height differences only from the lower
// index. New stations start at (0, 0, 0).
struct RedSintetica {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos{instrumentoFino()};
    AvisosGrabados avisos;
    std::vector<Punto> puntos;

    RedSintetica(std::vector<Punto> p, const std::vector<Visual>& v, unsigned semilla) : puntos(std::move(p)) {
        ParametrosTrabajo t{0.001, 0.001, 0.001, 0.001, 0.1};
        guardarParametrosTrabajo(ajustes, t);
        std::mt19937 g(semilla);
        auto normal = [&g] {  // Box–Muller, the same numbers everywhere
            const double u1 = (g() + 1.0) / 4294967297.0, u2 = g() / 4294967296.0;
            return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
        };
        DatosComplementarios d;
        d.instrumento = "FINO";
        d.corregidoEsfRefr = 1;
        d.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
        std::vector<Estacion*> e;
        for (const Punto& q : puntos)
            e.push_back(crearEstacion(libreta.estaciones,
                                      {.nombre = q.nombre, .coordenadas = q.fija ? Coordenadas{q.x, q.y, q.z} : Coordenadas{}}));
        const CaracteristicasInstrumento c = caracteristicas(instrumentos[0]);
        for (std::size_t i = 0; i < puntos.size(); ++i) {
            const double omega = 37.5 * i;
            auto* s = crearEstacionamiento(e[i]->estacionamientos, nullptr, std::string(puntos[i].nombre) + "1",
                                           puntos[i].nombre, 1.5, &d, omega);
            for (const Visual& vis : v) {
                if (vis.desde != static_cast<int>(i)) continue;
                const Punto &a = puntos[i], &b = puntos[vis.hacia];
                const double D = std::hypot(b.x - a.x, b.y - a.y);
                const ErroresVisual err = erroresVisual(c, t, D, 100, 1.5);
                double az = std::atan2(b.x - a.x, b.y - a.y) * 200 / std::numbers::pi;
                double h = std::fmod(az - omega + 800 + err.ea * 1e-4 * normal(), 400.0);
                const bool dist = vis.desde < vis.hacia;
                crearLectura(s->lecturas, std::nullopt, b.nombre, 1.5, dist ? D + err.longitudinal * normal() : 0,
                             dist ? b.z - a.z + err.ez * normal() : 0, h, "");
            }
        }
    }
    Lectura& lectura(int desde, const char* hacia) {
        for (Lectura& l : libreta.estaciones[desde]->estacionamientos[0]->lecturas)
            if (l.nombre == std::string_view(hacia)) return l;
        throw std::runtime_error("sin lectura");
    }
};

// Plain dense Gauss–Newton on the same observations, from the equations:
// coordinates of every new station, one orientation per set-up with two or
// more directions; heights apart. Independent of the sparse machinery.
struct Denso {
    std::vector<double> x, y, z, sx, sy;
};
Denso gaussNewton(const RedSintetica& r, const CAjusteRed& red) {
    const auto& obs = red.observaciones();
    const std::size_t ne = r.puntos.size(), np = red.puestas().size();
    std::vector<int> ix(ne, -1), io(np, -1), iz(ne, -1), dirs(np);
    for (const auto& o : obs)
        if (o.tipo == TipoObservacionRed::Direccion) ++dirs[o.puesta];
    int u = 0, uz = 0;
    Denso s;
    for (std::size_t i = 0; i < ne; ++i) {
        const Punto& q = r.puntos[i];
        s.x.push_back(q.x + (q.fija ? 0 : 0.7));
        s.y.push_back(q.y + (q.fija ? 0 : -0.4));
        s.z.push_back(q.fija ? q.z : 0);
        if (!q.fija) ix[i] = (u += 2) - 2, iz[i] = uz++;
    }
    std::vector<double> w(np);
    for (std::size_t p = 0; p < np; ++p) {
        if (dirs[p] >= 2) io[p] = u++;
        w[p] = red.puestas()[p].estacionamiento->desorientacion;
    }
    Eigen::MatrixXd N;
    double vpv = 0;
    int n = 0;
    for (int it = 0; it < 10; ++it) {
        N = Eigen::MatrixXd::Zero(u, u);
        Eigen::VectorXd b = Eigen::VectorXd::Zero(u);
        vpv = 0, n = 0;
        for (const auto& o : obs) {
            if (o.tipo == TipoObservacionRed::Desnivel) continue;
            const int i = o.desde, j = o.hacia;
            const double dx = s.x[j] - s.x[i], dy = s.y[j] - s.y[i], D2 = dx * dx + dy * dy;
            Eigen::VectorXd a = Eigen::VectorXd::Zero(u);
            double l, ax, ay;
            if (o.tipo == TipoObservacionRed::Direccion) {
                l = std::remainder(o.valor - (std::atan2(dx, dy) * 200 / std::numbers::pi - w[o.puesta]), 400.0) * 1e4;
                ax = 636619.8 * dy / D2, ay = -636619.8 * dx / D2;
                if (io[o.puesta] >= 0) a[io[o.puesta]] = -1;
            } else {
                l = o.valor - std::sqrt(D2);
                ax = dx / std::sqrt(D2), ay = dy / std::sqrt(D2);
            }
            if (ix[j] >= 0) a[ix[j]] += ax, a[ix[j] + 1] += ay;
            if (ix[i] >= 0) a[ix[i]] -= ax, a[ix[i] + 1] -= ay;
            const double p = 1 / (o.sigma * o.sigma);
            N += p * a * a.transpose();
            b += p * l * a;
            vpv += p * l * l;  // at the solution l = −v
            ++n;
        }
        const Eigen::VectorXd d = N.fullPivLu().solve(b);
        for (std::size_t i = 0; i < ne; ++i)
            if (ix[i] >= 0) s.x[i] += d[ix[i]], s.y[i] += d[ix[i] + 1];
        for (std::size_t p = 0; p < np; ++p)
            if (io[p] >= 0) w[p] += d[io[p]] * 1e-4;
    }
    const double s0 = std::sqrt(vpv / (n - u));
    const Eigen::MatrixXd Q = N.inverse();
    for (std::size_t i = 0; i < ne; ++i) {
        s.sx.push_back(ix[i] >= 0 ? s0 * std::sqrt(Q(ix[i], ix[i])) : 0);
        s.sy.push_back(ix[i] >= 0 ? s0 * std::sqrt(Q(ix[i] + 1, ix[i] + 1)) : 0);
    }
    // Heights: linear, one pass.
    Eigen::MatrixXd Nz = Eigen::MatrixXd::Zero(uz, uz);
    Eigen::VectorXd bz = Eigen::VectorXd::Zero(uz);
    for (const auto& o : obs) {
        if (o.tipo != TipoObservacionRed::Desnivel) continue;
        Eigen::VectorXd a = Eigen::VectorXd::Zero(uz);
        if (iz[o.hacia] >= 0) a[iz[o.hacia]] = 1;
        if (iz[o.desde] >= 0) a[iz[o.desde]] = -1;
        const double p = 1 / (o.sigma * o.sigma);
        Nz += p * a * a.transpose();
        bz += p * (o.valor - (s.z[o.hacia] - s.z[o.desde])) * a;
    }
    const Eigen::VectorXd dz = Nz.fullPivLu().solve(bz);
    for (std::size_t i = 0; i < ne; ++i)
        if (iz[i] >= 0) s.z[i] += dz[iz[i]];
    return s;
}

void compararConDenso(RedSintetica& r) {
    CAjusteRed red(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
    ASSERT_TRUE(red.preparar({})) << r.avisos.mensajes.front().texto;
    ASSERT_TRUE(red.ajustar()) << r.avisos.mensajes.front().texto;
    const Denso d = gaussNewton(r, red);
    for (std::size_t i = 0; i < r.puntos.size(); ++i) {
        const EstacionRed& e = red.estaciones()[i];
        EXPECT_EQ(e.fija, r.puntos[i].fija);
        EXPECT_NEAR(e.x, d.x[i], 1e-4) << r.puntos[i].nombre;
        EXPECT_NEAR(e.y, d.y[i], 1e-4) << r.puntos[i].nombre;
        EXPECT_NEAR(e.z, d.z[i], 1e-4) << r.puntos[i].nombre;
        EXPECT_NEAR(e.sx, d.sx[i], 1e-6) << r.puntos[i].nombre;
        EXPECT_NEAR(e.sy, d.sy[i], 1e-6) << r.puntos[i].nombre;
        // And near the truth the readings were made from.
        EXPECT_NEAR(e.x, r.puntos[i].x, 0.01);
    }
}

std::vector<Punto> cuadrilatero() {
    return {{"A", 1000, 1000, 100, true}, {"B", 1800, 1050, 104, true}, {"C", 1750, 1700, 96, false},
            {"D", 1050, 1650, 101, false}};
}
std::vector<Visual> todasConTodas(int n) {
    std::vector<Visual> v;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j) v.push_back({i, j});
    return v;
}

TEST(AjusteRed, UnPuntoNuevoIgualQueLaEstacionPorMinimosCuadrados) {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos = prueba::instrumentosRed();
    AvisosGrabados avisos;
    prueba::libretaRed(libreta);
    CCalculoEstacionMMCC estacion(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(estacion.elegirEstacion("P"));
    ASSERT_GT(estacion.iterar(10), 0);
    ASSERT_TRUE(estacion.calcular());
    const ResultadoPasada& e = estacion.resultado();

    // P has approximate coordinates in the book: the fixed ones are named.
    CAjusteRed red(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(red.preparar({.fijos = {"A", "B", "C", "E"}}));
    ASSERT_TRUE(red.ajustar());
    const EstacionRed& p = red.estaciones()[4];
    EXPECT_NEAR(p.x, e.x, 1e-4);
    EXPECT_NEAR(p.y, e.y, 1e-4);
    EXPECT_NEAR(p.z, e.z, 1e-4);
    EXPECT_NEAR(red.puestas()[2].desorientacion, e.desorientacion, 1e-5);
    EXPECT_EQ(red.test().redundancia - 1, e.redundancia);  // plus one height difference
    EXPECT_TRUE(avisos.mensajes.empty());

    // Writing puts P and its orientation into the book, A stays.
    ASSERT_TRUE(red.grabar());
    EXPECT_NEAR(libreta.buscarEstacion("P")->x, e.x, 1e-4);
    EXPECT_EQ(libreta.buscarEstacion("A")->x, 1000);
}

TEST(AjusteRed, CuadrilateroYPoligonalConLigadurasComoGaussNewtonDenso) {
    RedSintetica q(cuadrilatero(), todasConTodas(4), 7);
    compararConDenso(q);

    // A traverse A-1-2-3-4-B with ties 1-3 and 2-4, oriented on R and S.
    std::vector<Punto> p = {{"R", 500, 900, 90, true},     {"A", 1000, 1000, 100, true}, {"1", 1400, 1150, 101, false},
                            {"2", 1800, 1100, 103, false}, {"3", 2200, 1300, 99, false}, {"4", 2600, 1250, 98, false},
                            {"B", 3000, 1400, 97, true},   {"S", 3400, 1700, 95, true}};
    std::vector<Visual> v = {{1, 0}, {1, 2}, {2, 1}, {2, 3}, {2, 4}, {3, 2}, {3, 4}, {3, 5},
                             {4, 3}, {4, 5}, {4, 2}, {5, 4}, {5, 6}, {5, 3}, {6, 5}, {6, 7}};
    RedSintetica t(p, v, 11);
    compararConDenso(t);
}

TEST(AjusteRed, ErrorGroseroNombradoYQuitadoPasaElTest) {
    struct Caso {
        const char* desde;
        const char* hacia;
        bool distancia;
        double error;
    };
    for (const Caso c : {Caso{"C", "D", true, 0.20}, Caso{"B", "D", false, 0.0050}}) {
        RedSintetica r(cuadrilatero(), todasConTodas(4), 3);
        const int desde = c.desde[0] - 'A';
        (c.distancia ? r.lectura(desde, c.hacia).distancia : r.lectura(desde, c.hacia).horizontal) += c.error;
        CAjusteRed red(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
        ASSERT_TRUE(red.preparar({}));
        ASSERT_TRUE(red.ajustar());
        EXPECT_FALSE(red.test().aceptado);
        ASSERT_GE(red.mayorW(), 0);
        const ObservacionRed& o = red.observaciones()[red.mayorW()];
        EXPECT_EQ(o.tipo, c.distancia ? TipoObservacionRed::Distancia : TipoObservacionRed::Direccion);
        EXPECT_EQ(red.nombreObservacion(red.mayorW()), std::string(c.desde) + "1 -> " + c.hacia);
        EXPECT_NE(red.textoTest().find("<== posible error grosero"), std::string::npos) << red.textoTest();
        red.observaciones()[red.mayorW()].uso = false;
        ASSERT_TRUE(red.ajustar());
        EXPECT_TRUE(red.test().aceptado) << red.textoTest();
    }
}

TEST(AjusteRed, RedLibreYFicheroDeFijas) {
    // Minimum constraints: A held, B slides on the line AB; the internal
    // geometry (the distance CD) is the same as with A and B fixed.
    RedSintetica r(cuadrilatero(), todasConTodas(4), 7);
    CAjusteRed fija(r.libreta, r.ajustes, &r.instrumentos, r.avisos), libre(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
    ASSERT_TRUE(fija.preparar({}) && fija.ajustar());
    ASSERT_TRUE(libre.preparar({.libre = true}) && libre.ajustar());
    auto cd = [](const CAjusteRed& a) {
        const auto& e = a.estaciones();
        return std::hypot(e[2].x - e[3].x, e[2].y - e[3].y);
    };
    EXPECT_NEAR(cd(libre), cd(fija), 0.01);
    EXPECT_EQ(libre.estaciones()[0].x, 1000);
    EXPECT_GT(libre.test().redundancia, 0);
    EXPECT_EQ(libre.incognitas(), fija.incognitas() + 1 + 1);  // B along AB, B's height

    prueba::CarpetaTemporal dir;
    const auto obs = dir / "LIBRETA.obs";
    EXPECT_TRUE(leerFijasRed(obs).empty());
    ASSERT_TRUE(guardarFijasRed(obs, {"A", "B\xd1"}));
    EXPECT_EQ(leerFijasRed(obs), (std::vector<std::string>{"A", "B\xd1"}));
}

}  // namespace
}  // namespace celvara
