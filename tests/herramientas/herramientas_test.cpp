#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "calc/modelo_errores.h"
#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/proceso.h"
#include "fieldbook/fichero_obs.h"
#include "herramientas/helmert.h"
#include "herramientas/refinamiento.h"

namespace celvara {
namespace {

constexpr double kPi = std::numbers::pi;

PuntoCoordenadas punto(std::string_view nombre, double x, double y, double z) {
    return {.nombre = nombre, .x = x, .y = y, .z = z};
}

// A local survey carried onto grid coordinates by a known similarity, each
// destination coordinate with 5 mm of noise.
EntradaHelmert encuesta() {
    EntradaHelmert e;
    std::mt19937 azar(33);
    std::normal_distribution<double> ruido(0.0, 0.005);
    const double k = 1.0000274, giro = 0.7312 * kPi / 200, tx = 436120.512, ty = 4477310.88, dz = 612.27;
    const double a = k * std::cos(giro), b = k * std::sin(giro);
    const double local[][3] = {{512.3, 1021.7, 40.3}, {871.9, 1244.1, 39.9}, {655.5, 694.2, 33.2},
                               {729.5, 1057.6, 39.7}, {413.9, 796.0, 33.0}, {334.0, 1036.0, 40.0},
                               {649.1, 995.1, 33.6}};
    for (int i = 0; i < 7; ++i) {
        const auto [x, y, z] = local[i];
        const std::string n = "P" + std::to_string(i);
        e.origen.push_back(punto(n, x, y, z));
        e.destino.push_back(punto(n, tx + a * x - b * y + ruido(azar), ty + b * x + a * y + ruido(azar), z + dz + ruido(azar)));
    }
    e.destino.push_back(punto("SOLO", 1, 2, 3));  // in one set only
    return e;
}

TEST(Helmert, ComoLaSolucionCerradaDesdeLosCentroides) {
    for (const bool sinEscala : {false, true}) {
        EntradaHelmert e = encuesta();
        e.sinEscala = sinEscala;
        const ResultadoHelmert r = calcularHelmert(e);
        ASSERT_EQ(r.error, nullptr);
        ASSERT_EQ(r.residuos.size(), 7u);
        // Centroids, then the sums of the reduced coordinates.
        const double n = 7;
        double cx = 0, cy = 0, cxd = 0, cyd = 0, mz = 0;
        for (int i = 0; i < 7; ++i) {
            cx += e.origen[i].x / n, cy += e.origen[i].y / n;
            cxd += e.destino[i].x / n, cyd += e.destino[i].y / n;
            mz += (e.destino[i].z - e.origen[i].z) / n;
        }
        double S = 0, Sc = 0, Ss = 0;
        for (int i = 0; i < 7; ++i) {
            const double x = e.origen[i].x - cx, y = e.origen[i].y - cy;
            const double xd = e.destino[i].x - cxd, yd = e.destino[i].y - cyd;
            S += x * x + y * y, Sc += x * xd + y * yd, Ss += x * yd - y * xd;
        }
        // Similarity: a = Sc / S, b = Ss / S; rigid (2D Procrustes): the angle of (Sc, Ss).
        const double h = std::hypot(Sc, Ss);
        const double a = sinEscala ? Sc / h : Sc / S, b = sinEscala ? Ss / h : Ss / S;
        EXPECT_LT(std::hypot(r.a - a, r.b - b), 1e-12);
        EXPECT_LT(std::hypot(r.tx - (cxd - a * cx + b * cy), r.ty - (cyd - b * cx - a * cy)), 1e-6);
        EXPECT_NEAR(r.dz, mz, 1e-9);
        EXPECT_NEAR(r.escala, sinEscala ? 1.0 : 1.0000274, sinEscala ? 1e-15 : 2e-5);
        EXPECT_NEAR(r.giro, 0.7312, 0.002);
        double vv = 0;
        for (int i = 0; i < 7; ++i) {
            const auto& o = e.origen[i];
            const double vx = e.destino[i].x - (r.tx + a * o.x - b * o.y), vy = e.destino[i].y - (r.ty + b * o.x + a * o.y);
            EXPECT_LT(std::hypot(r.residuos[i].vx - vx, r.residuos[i].vy - vy), 1e-6) << i;
            vv += vx * vx + vy * vy;
        }
        const double s0 = std::sqrt(vv / (sinEscala ? 11 : 10));
        EXPECT_NEAR(r.sigma0, s0, 1e-9);
        EXPECT_GT(s0, 0.002);
        if (!sinEscala) {  // σa = σ0/√S; tx = c'x − a·cx + b·cy with c', a, b uncorrelated
            EXPECT_NEAR(r.sa / (s0 / std::sqrt(S)), 1, 1e-6);
            EXPECT_NEAR(r.stx / (s0 * std::sqrt(1 / n + (cx * cx + cy * cy) / S)), 1, 1e-6);
        }
    }
}

TEST(Helmert, MenosDeDosComunesYElegidosAusentes) {
    EntradaHelmert e = encuesta();
    e.elegidos = {"P1", "SOLO"};
    ResultadoHelmert r = calcularHelmert(e);
    EXPECT_STREQ(r.error, "Se necesitan al menos 2 puntos comunes");
    EXPECT_EQ(r.ausentes, std::vector<std::string>{"SOLO"});
    e.elegidos = {"P1", "P4"};
    r = calcularHelmert(e);
    EXPECT_EQ(r.error, nullptr);
    EXPECT_EQ(r.redundancia, 0);  // two points fix the similarity exactly
    EXPECT_NEAR(r.residuos[1].vx, 0, 1e-6);
}

// Three oriented set-ups sight P; one of them in both faces.
struct Obra {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos biblioteca;
    prueba::AvisosGrabados avisos;
    EleccionInstrumento eleccion{&biblioteca, avisos};
    static constexpr double px = 1250.0, py = 2310.0, pz = 104.2;

    Obra() {
        biblioteca.push_back({.nombre = "TS", .aumentos = 30, .precisionDistanciaMm = 1, .precisionDistanciaPpm = 1.5,
                              .precisionH = 3, .precisionV = 3});
        guardarParametrosTrabajo(ajustes, {.errorCentradoEstacion = 0.002, .errorCentradoPunto = 0.002, .inclinacionJalon = 0.05});
        sightsP("A", 1100.0, 2250.0, 100.0, 37.1234, false);
        sightsP("B", 1330.0, 2420.0, 101.5, 281.0507, true);
        sightsP("C", 1300.0, 2180.0, 99.0, 3.9, false);
    }

    // A station whose set-up, oriented by omega, reads P without error; both
    // faces when asked.
    void sightsP(const char* nombre, double x, double y, double z, double omega, bool dosCaras) {
        const DatosComplementarios d{.instrumento = "TS", .corregidoEsfRefr = 1};
        auto* e = crearEstacion(libreta.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{x, y, z}});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, std::string(nombre) + "-1", nombre, 1.55, &d, omega);
        const double dh = std::hypot(px - x, py - y), dz = pz - (z + 1.55 - 1.8);
        double az = std::atan2(px - x, py - y) * 200 / kPi - omega;
        az = std::fmod(az + 800, 400);
        const double v = std::atan2(dh, dz) * 200 / kPi, dg = std::hypot(dh, dz);
        crearLectura(s->lecturas, std::nullopt, "P", 1.8, dg, v, az, "ARQUETA");
        if (dosCaras) crearLectura(s->lecturas, std::nullopt, "P", 1.8, dg, 400 - v, std::fmod(az + 200, 400), "");
        crearLectura(s->lecturas, std::nullopt, "A", 1.8, 10, 100, 0, "");  // a station: not refined
    }

    ResultadoRefinamiento refinar() { return refinarPuntos({&libreta, &ajustes, &biblioteca, &eleccion}); }
};

TEST(Refinamiento, TresEstacionamientosSinErrorDanElPuntoVerdadero) {
    Obra o;
    const ResultadoRefinamiento r = o.refinar();
    ASSERT_TRUE(r.calculado);
    ASSERT_EQ(r.puntos.size(), 1u);
    const PuntoRefinado& p = r.puntos[0];
    EXPECT_EQ(std::tuple(p.nombre, p.usadas(), p.estacionamientos), std::tuple("P", 4, 3));
    EXPECT_LT(std::hypot(p.x - Obra::px, p.y - Obra::py, p.z - Obra::pz), 1e-4);
    EXPECT_LT(p.dispersion, 1e-4);
    EXPECT_TRUE(r.posiblesErrores.empty());
    EXPECT_EQ(puntosRefinados(r)[0].codigo, "ARQUETA");
}

TEST(Refinamiento, UnaDistanciaConCincoCentimetrosSeNombra) {
    Obra o;
    o.libreta.estaciones.back()->estacionamientos[0]->lecturas[0].distancia += 0.05;  // C-1 -> P
    const ResultadoRefinamiento r = o.refinar();
    ASSERT_EQ(r.puntos.size(), 1u);
    ASSERT_FALSE(r.posiblesErrores.empty());
    const PosibleError* mayor = &r.posiblesErrores[0];
    for (const PosibleError& e : r.posiblesErrores)
        if (std::fabs(e.w) > std::fabs(mayor->w)) mayor = &e;
    EXPECT_EQ(mayor->estacionamiento, "C-1");
    EXPECT_TRUE(mayor->distancia);
    EXPECT_GT(std::fabs(mayor->w), kLimiteW);
    // Seen from a single set-up the point is not refined; the book's station gives nothing.
    o.libreta.estaciones[0]->x = o.libreta.estaciones[0]->y = 0;
    o.libreta.estaciones[1]->x = o.libreta.estaciones[1]->y = 0;
    EXPECT_TRUE(o.refinar().puntos.empty());
}

TEST(CliHerramientas, HelmertYRefinarComoDiceSuAyuda) {
    prueba::CarpetaTemporal dir;
    const std::string origen = (dir / "o.crd").string(), destino = (dir / "d.crd").string();
    // Scale 2, rotation 50 gon: a = b = √2.
    ListaPuntos o = {punto("1", 0, 0, 10), punto("2", 100, 0, 11), punto("3", 0, 100, 12)}, d;
    for (const PuntoCoordenadas& p : o)
        d.push_back(punto(p.nombre.str(), 1000 + std::sqrt(2.0) * (p.x - p.y), 2000 + std::sqrt(2.0) * (p.x + p.y), p.z + 5));
    ASSERT_EQ(escribirListaPuntos(o, origen), Estado::Exito);
    ASSERT_EQ(escribirListaPuntos(d, destino), Estado::Exito);
    auto r = prueba::cli({"helmert", origen, destino});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida.substr(0, r.salida.find('\n', r.salida.find('\n') + 1) + 1),
              "1000.0000 2000.0000 1.4142135624 1.4142135624 5.0000\n2.000000000 50.000000\n");
    EXPECT_NE(r.salida.find("\n3 "), std::string::npos);
    EXPECT_TRUE(r.salida.ends_with("\nsigma0 = 0.0000\n"));
    // Applied to a file: written, nothing on stdout.
    r = prueba::cli({"helmert", origen, destino, "--aplicar", origen, "-o", (dir / "t.crd").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "");
    ListaPuntos t;
    ASSERT_EQ(leerListaPuntos(dir / "t.crd", t), Estado::Exito);
    EXPECT_NEAR(t[2].y, d[2].y, 1e-6);
    r = prueba::cli({"helmert", origen, destino, "--puntos", "1"});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, "Se necesitan al menos 2 puntos comunes\n");

    // refinar: a distance 0.5 m long from C-1 among three set-ups.
    Obra obra;
    obra.libreta.estaciones.back()->estacionamientos[0]->lecturas[0].distancia += 0.5;
    ASSERT_TRUE(escribirLibreta(obra.libreta, dir / "l.obs"));
    ASSERT_EQ(guardarInstrumentos(obra.biblioteca, dir / "i.apa"), Estado::Exito);
    r = prueba::cli({"refinar", (dir / "l.obs").string(), "-o", (dir / "r.crd").string(), "--instrumentos",
                     (dir / "i.apa").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_TRUE(r.salida.starts_with("P 1250.")) << r.salida;
    EXPECT_NE(r.salida.find(" 4\nposible error: C-1 -> P w=-"), std::string::npos) << r.salida;
    ASSERT_EQ(leerListaPuntos(dir / "r.crd", t), Estado::Exito);
    EXPECT_EQ(t.size(), 1u);
}

}  // namespace
}  // namespace celvara
