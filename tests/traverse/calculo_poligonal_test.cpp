// Worked traverses: a published closed loop adjusted by the compass and
// transit rules (Bowditch: AB 80.40 m N76E, BC 46.30 S36E, CD 72.80 S61W,
// DA 68.00 N38W), and a link and a closed traverse over four stations whose
// expected values were worked out apart from the program, step by step as a
// textbook does (azimuth transfer, N = E.Ang x 10^4 spread q per angle plus
// the remainder on the last ones, then the three distributions).
#include "traverse/calculo_poligonal.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pol_prueba.h"
#include "traverse/fichero_pol.h"

namespace celvara {
namespace {

using namespace prueba_pol;

Poligonal leer(const std::vector<Fila>& filas, const Referencia& r) {
    Poligonal p;
    std::string mensaje;
    EXPECT_TRUE(leerPoligonal(bytes(fichero(filas, r)), p, mensaje)) << mensaje;
    return p;
}

ResultadoPoligonal calcular(const Poligonal& p, std::uint32_t metodo, int decimales = 4) {
    const auto r = calcularPoligonal(p.filas, p.referencia, {metodo, decimales, 0, 1.0});
    EXPECT_TRUE(r) << r.error;
    return r ? *r : ResultadoPoligonal{};
}

void puntoEsperado(const TramoPoligonal& t, double x, double y, double z = NAN) {
    const double dz = std::isnan(z) ? 0 : std::abs(t.z - z);
    EXPECT_LE(std::max(std::max(std::abs(t.x - x), std::abs(t.y - y)), dz), 0.001) << t.x << " " << t.y << " " << t.z;
}

// Horizontal distances (zenith 90 degrees) and readings equal to the azimuths, in
// degrees: the loop closes with no angular misclosure.
Poligonal bucleCompas(bool comoEncuadrada) {
    const int rv = int(TipoDistancia::ReducidasVertical);
    auto fila = [&](const char* e, const char* a, const char* d, double ha, double hd, double da, double dd) {
        return Fila{e, e, a, d, {ha, 0, 90, 0, da, 0, 0}, {hd, 0, 90, 0, dd, 0, 0}, 0, rv, 0, 360};
    };
    std::vector<Fila> filas{fila("A", comoEncuadrada ? "R" : "D", "B", comoEncuadrada ? 0 : 142, 76, 0, 80.40),
                            fila("B", "A", "C", 256, 144, 80.40, 46.30),
                            fila("C", "B", "D", 324, 241, 46.30, 72.80),
                            fila("D", "C", "A", 61, 322, 72.80, 68.00)};
    if (comoEncuadrada) filas.push_back(fila("A", "D", "R", 142, 0, 68.00, 0));
    Referencia r{"A", comoEncuadrada ? "A" : "", 1000, 1000, 0, 1000, 1000, 0, 0, 0, comoEncuadrada ? 0 : 2};
    return leer(filas, r);
}

TEST(PoligonalPublicada, BucleComoEncuadradaDaLaReglaDeBrujulaYDeTransito) {
    const auto p = bucleCompas(true);
    const auto brujula = calcular(p, 0);
    EXPECT_NEAR(brujula.E.ang, 0, 1e-9);
    EXPECT_NEAR(brujula.E.y, -0.2836, 0.0001);  // sum of latitudes +0.284 (0.285 from rounded ones)
    EXPECT_NEAR(brujula.E.x, 0.3111, 0.0001);
    // The textbook's adjusted latitudes and departures, accumulated.
    puntoEsperado(brujula.tramos[0], 1078.1055, 1019.3653);
    puntoEsperado(brujula.tramos[1], 1105.3733, 981.8590);
    puntoEsperado(brujula.tramos[2], 1041.7859, 946.4874);
    puntoEsperado(brujula.tramos[3], 1000.0000, 1000.0000);
    const auto transito = calcular(p, 1);
    puntoEsperado(transito.tramos[0], 1078.1269, 1019.4127);
    puntoEsperado(transito.tramos[1], 1105.3815, 981.8823);
    puntoEsperado(transito.tramos[2], 1041.8032, 946.5195);
    puntoEsperado(transito.tramos[3], 1000.0000, 1000.0000);
    // The loop has no size to scale or turn: Sanguet refuses it, fitted on
    // its start or closed.
    for (bool comoEncuadrada : {true, false}) {
        const auto bucle = bucleCompas(comoEncuadrada);
        const auto r = calcularPoligonal(bucle.filas, bucle.referencia, {2, 4, 0, 1.0});
        EXPECT_FALSE(r);
        EXPECT_STREQ(r.error, kSanguetSinLongitud);
    }
}

// Readings of a link traverse A-P1-P2-D (back reference R0, closing
// reference R1), centesimal, height differences read directly.
std::vector<Fila> filasEncuadrada() {
    const int rd = int(TipoDistancia::ReducidasDesnivel);
    return {
        {"A", "A1", "R0", "P1", {370.4832764699, 0, -100.0, 0, 447.213595, 0, 0}, {68.8295543406, 0, 3.219, 0, 170.338126, 0, 0}, 0, rd},
        {"P1", "P11", "A", "P2", {231.7049543406, 0, -3.217, 0, 170.336126, 0, 0}, {77.3069840947, 0, -1.341, 0, 174.593662, 0, 0}, 0, rd},
        {"P2", "P21", "P1", "D", {62.9310840947, 0, 1.343, 0, 174.595162, 0, 0}, {219.0118809190, 0, 2.554, 0, 178.573933, 0, 0}, 0, rd},
        {"D", "D1", "P2", "R1", {280.5103809190, 0, -2.552, 0, 178.570933, 0, 0}, {29.4750388334, 0, -104.42, 0, 397.807586, 0, 0}, 0, rd},
    };
}

TEST(PoligonalPublicada, EncuadradaConLosTresMetodos) {
    const auto p = leer(filasEncuadrada(), {"A", "D", 5000, 3000, 100, 5480.2, 3120.66, 104.42, 0, 390.0, 0});
    for (std::uint32_t m = 0; m < 3; ++m) {
        const auto r = calcular(p, m);
        EXPECT_NEAR(r.E.ang, -0.0020, 1e-6);
        EXPECT_NEAR(r.E.z, -0.009, 1e-6);
        puntoEsperado(r.tramos[2], 5480.2, 3120.66, 104.42);  // closes on the known end
        EXPECT_NEAR(r.tramos[0].z, 103.2151, 0.001);
    }
    const auto m0 = calcular(p, 0);
    EXPECT_NEAR(m0.E.x, -0.006297, 1e-6);
    EXPECT_NEAR(m0.E.y, -0.002356, 1e-6);
    EXPECT_NEAR(m0.E.dist, std::hypot(0.006297, 0.002356), 1e-6);
    const double c[] = {-5, -10, -15, -20};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(m0.tramos[k].cAng, c[k]);
    puntoEsperado(m0.tramos[0], 5150.3215, 3080.1090);
    puntoEsperado(m0.tramos[1], 5320.4475, 3040.8700);
    const auto m1 = calcular(p, 1);
    puntoEsperado(m1.tramos[0], 5150.3216, 3080.1088);
    puntoEsperado(m1.tramos[1], 5320.4474, 3040.8702);
    const auto m2 = calcular(p, 2);
    EXPECT_NEAR(m2.E.x, -0.008189, 1e-6);
    EXPECT_NEAR(m2.E.y, 0.005261, 1e-6);
    EXPECT_NEAR(m2.giro, 0.000014335526, 1e-11);
    EXPECT_NEAR(m2.coeficiente, 0.000013451580, 1e-11);
    for (const auto& t : m2.tramos) EXPECT_EQ(t.cAng, 0);
    puntoEsperado(m2.tramos[0], 5150.3210, 3080.1097);
    puntoEsperado(m2.tramos[1], 5320.4468, 3040.8718);
    // Each station's orientation from the final coordinates.
    EXPECT_NEAR(m0.tramos[1].desorientacionFinal, 37.1234, 0.0015);
    EXPECT_NEAR(m0.tramos[2].desorientacionFinal, 251.5, 0.0015);
}

TEST(PoligonalPublicada, CerradaConLosDosMetodosClasicos) {
    auto filas = filasEncuadrada();
    filas[0].atras = "D";
    filas[0].a = {84.3280836996, 0, 4.418, 0, 495.130131, 0, 0};
    filas[3].adelante = "A";
    filas[3].d = {294.3289836996, 0, -4.416, 0, 495.131131, 0, 0};
    const auto p = leer(filas, {"A", "", 5000, 3000, 100, 0, 0, 0, 0, 0, 2});
    ASSERT_FALSE(comprobarPoligonal(p.filas, p.referencia));
    const double c[] = {-7, -14, -21, -29};  // N = -29 over 4 angles: q = -7, r = -1
    for (std::uint32_t m = 0; m < 2; ++m) {
        const auto r = calcular(p, m);
        EXPECT_NEAR(r.E.ang, -0.0029, 1e-6);
        EXPECT_NEAR(r.E.z, -0.012, 1e-6);
        puntoEsperado(r.tramos[3], 5000, 3000, 100);  // back on the start
        for (int k = 0; k < 4; ++k) EXPECT_EQ(r.tramos[k].cAng, c[k]);
    }
    const auto m0 = calcular(p, 0);
    EXPECT_NEAR(m0.E.x, -0.002145, 1e-6);
    EXPECT_NEAR(m0.E.y, -0.004550, 1e-6);
    puntoEsperado(m0.tramos[0], 5150.3226, 3080.1087, 103.2141);
    puntoEsperado(m0.tramos[2], 5480.2034, 3120.6609, 104.4170);
    const auto m1 = calcular(p, 1);
    puntoEsperado(m1.tramos[0], 5150.3226, 3080.1084);
    puntoEsperado(m1.tramos[1], 5320.4502, 3040.8704);

    // Without the closing sightings it is refused.
    auto sinCierre = p;
    sinCierre.filas[3].visadoAdelante = "X";
    EXPECT_EQ(comprobarPoligonal(sinCierre.filas, sinCierre.referencia), std::string(kSinVisualesCierre));
}

// --- Reductions, on one leg of a hanging traverse E1 -> E2 ----------------

EstacionPoligonal filaBase(const char* e, const char* atras, const char* adelante, int td, int tv) {
    return {.estacion = e, .visadoAtras = atras, .visadoAdelante = adelante, .alturaInstrumento = 1.5,
            .datos = {.tipoDistancia = td, .tipoVertical = tv, .corregidoEsfRefr = 1}};
}

ResultadoPoligonal colgada(const FilasPoligonal& filas, ReferenciaPoligonal ref = {}) {
    ref.tipo = 1;
    auto r = calcularPoligonal(filas, ref, {});
    EXPECT_TRUE(r) << r.error;
    return r ? *r : ResultadoPoligonal{};
}

TEST(ReduccionPoligonal, CuatroDistanciasPorTresVerticalesConYSinBessel) {
    // Zenith 90 gon = 81 degrees; D = 100, i = 1.5, m = 1.2.
    const double s = 0.98768834059513777, co = 0.15643446504023087;
    struct Esperado { double d, dz; };
    const Esperado porDistancia[] = {{100 * s, 100 * co + 0.3}, {100 * s * s, 100 * s * co + 0.3},
                                     {100, 2.5 + 0.3}, {100, 100 * co / s + 0.3}};
    const double vertical[3][2] = {{90.002, 310.002}, {10.002, 9.998}, {110.002, 290.002}};  // cd, ci
    for (int td = 0; td < 4; ++td) {
        for (int tv = 0; tv < 3; ++tv) {
            for (int bessel = 0; bessel < 2; ++bessel) {
                SCOPED_TRACE(testing::Message() << "distancia " << td << " vertical " << tv << " bessel " << bessel);
                auto a = filaBase("E1", "R", "E2", td, tv);
                a.adelante = {0, 200, vertical[tv][0], vertical[tv][1], 100.004, 99.996, 1.2};
                if (td == 2) a.adelante.vCd = 2.502, a.adelante.vCi = 2.498;
                auto b = filaBase("E2", "E1", "", td, tv);
                const ReferenciaPoligonal ref{.besselV = std::uint8_t(bessel), .besselD = std::uint8_t(bessel)};
                const auto r = colgada({a, b}, ref);
                const auto& t = r.tramos[0];
                if (bessel) {
                    EXPECT_NEAR(t.d1, porDistancia[td].d, 1e-7);
                    EXPECT_NEAR(t.z1, porDistancia[td].dz, 1e-7);
                } else {
                    EXPECT_GT(std::abs(t.d1 - porDistancia[td].d) + std::abs(t.z1 - porDistancia[td].dz), 1e-6);
                }
                // Bessel on a sighting with no face-right value changes nothing.
                auto soloCd = a;
                soloCd.adelante.hCi = soloCd.adelante.vCi = soloCd.adelante.dCi = 0;
                ReferenciaPoligonal sin;
                const auto r1 = colgada({soloCd, b}, ref), r0 = colgada({soloCd, b}, sin);
                EXPECT_EQ(r1.tramos[0].d1, r0.tramos[0].d1);
                EXPECT_EQ(r1.tramos[0].z1, r0.tramos[0].z1);
            }
        }
    }
}

TEST(ReduccionPoligonal, BesselHorizontalAlrededorDeCeroYGradosSexagesimales) {
    auto a = filaBase("E1", "R", "E2", 3, 0);
    a.atras = {0.001, 199.997, 100, 0, 0, 0, 0};     // mean of 0.001 and 399.997
    a.adelante = {399.999, 200.003, 100, 0, 50, 0, 0};  // mean of 399.999 and 0.003
    auto b = filaBase("E2", "E1", "", 3, 0);
    const auto r = colgada({a, b}, {.besselH = 1});
    EXPECT_NEAR(r.tramos[0].hAtras, 399.999, 1e-9);
    EXPECT_NEAR(r.tramos[0].hAdelante, 0.001, 1e-9);

    // The same rows in degrees give the same centesimal values.
    auto grados = [](EstacionPoligonal f) {
        f.datos.unidadAngular = 360;
        for (auto* v : {&f.atras, &f.adelante}) v->hCd *= 0.9, v->hCi *= 0.9, v->vCd *= 0.9, v->vCi *= 0.9;
        return f;
    };
    a.datos.tipoDistancia = b.datos.tipoDistancia = 0;
    a.adelante.vCd = 97.3;
    b.atras = {12.5, 0, 103.1, 0, 50.01, 0, 1.4};
    const auto r400 = colgada({a, b}, {.desorientacionPartida = 120});
    const auto r360 = colgada({grados(a), grados(b)}, {.desorientacionPartida = 108});
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_NEAR(r360.tramos[k].azimut, r400.tramos[k].azimut, 1e-9);
        EXPECT_NEAR(r360.tramos[k].d1, r400.tramos[k].d1, 1e-9);
        EXPECT_NEAR(r360.tramos[k].z2, r400.tramos[k].z2, 1e-9);
        EXPECT_NEAR(r360.tramos[k].x, r400.tramos[k].x, 1e-9);
    }
    EXPECT_NEAR(r360.tramos[1].desorientacionFinal, r400.tramos[1].desorientacionFinal * 0.9, 1e-9);
}

TEST(ReduccionPoligonal, CurvaturaSeAnulaEnElDesnivelMedioYUnSentidoNoObservado) {
    auto a = filaBase("E1", "R", "E2", 0, 0);
    a.adelante = {0, 0, 99.5, 0, 500, 0, 1.3};
    auto b = filaBase("E2", "E1", "", 0, 0);
    b.atras = {0, 0, 100.5, 0, 500.002, 0, 1.4};
    const auto corregido = colgada({a, b});
    a.datos.corregidoEsfRefr = b.datos.corregidoEsfRefr = 0;
    const auto bruto = colgada({a, b});
    const double c = 6.584735829805273e-08 * 500 * 500;
    EXPECT_NEAR(bruto.tramos[0].z1 - corregido.tramos[0].z1, c, 1e-12);
    EXPECT_NEAR(bruto.tramos[0].z2 - corregido.tramos[0].z2, c, 1e-12);
    EXPECT_NEAR(bruto.tramos[0].iz, corregido.tramos[0].iz, 1e-12);

    // The back sighting not observed: the forward one alone, never halved.
    b.atras = {};
    const auto ida = colgada({a, b});
    EXPECT_EQ(ida.tramos[0].dm, ida.tramos[0].d1);
    EXPECT_EQ(ida.tramos[0].iz, ida.tramos[0].z1);
}

// --- Misclosure edge cases -------------------------------------------------

// A link traverse E1 -> E2 -> E3 -> E4 of 100 m legs due north.
Poligonal encuadradaSimple(double orientLlegada) {
    std::vector<Fila> filas;
    const char* n[] = {"E1", "E2", "E3", "E4"};
    for (int k = 0; k < 4; ++k)
        filas.push_back({n[k], n[k], k ? n[k - 1] : "R", k < 3 ? n[k + 1] : "R2", {200, 0, 0, 0, k ? 100.0 : 0, 0, 0},
                         {0, 0, 0, 0, k < 3 ? 100.0 : 0, 0, 0}, 0, 2});
    return leer(filas, {"E1", "E4", 0, 0, 0, 0, 300, 0, 0, orientLlegada, 0});
}

TEST(CierrePoligonal, VueltaPorCeroYRepartoConResto) {
    // Carried orientation 0 against a known 399.998 is -0.002, not 399.998.
    auto p = encuadradaSimple(399.998);
    EXPECT_NEAR(calcular(p, 0).E.ang, -0.002, 1e-9);
    // N = 13 over 4: q = 3, r = 1; N = -7: q = -1, r = -3; %1.0f rounds a tie
    // to even: 2.5 units are 2.
    const struct {
        double orientacion;
        int decimales;
        double c[4];
    } repartos[] = {{0.0126, 3, {3, 6, 9, 13}}, {399.9993, 4, {-1, -3, -5, -7}}, {2.5, 0, {0, 0, 1, 2}}};
    for (const auto& [orientacion, decimales, c] : repartos) {
        const auto r = calcular(encuadradaSimple(orientacion), 0, decimales);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(r.tramos[k].cAng, c[k]) << orientacion << " " << k;
        const double giro = r.tramos[3].azimutC - r.tramos[3].azimut - c[3] * std::pow(10.0, -decimales);
        EXPECT_NEAR(std::remainder(giro, 400.0), 0, 1e-9);  // the last azimuth turned by its correction
    }
}

TEST(CierrePoligonal, CoordenadasParcialesSinComponenteSeRepartenPorDistancias) {
    auto p = encuadradaSimple(0);  // every leg due north: sum |ix| = 0
    p.referencia.x1 = 0.06;
    p.referencia.y1 = 300.03;
    const auto r = calcular(p, 1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(r.tramos[k].cx, 0.02, 1e-9);
        EXPECT_NEAR(r.tramos[k].cy, 0.01, 1e-9);
    }
    EXPECT_NEAR(r.tramos[2].x, 0.06, 1e-9);
}

TEST(CierrePoligonal, ColgadaSinCierreNiCompensacion) {
    auto p = encuadradaSimple(0);
    p.referencia.tipo = 1;
    p.referencia.y1 = 999;
    for (std::uint32_t m = 0; m < 3; ++m) {  // no method compensates it
        const auto r = calcular(p, m);
        EXPECT_EQ(r.E.ang, 0);
        EXPECT_EQ(r.E.y, 0);
        for (const auto& t : r.tramos) EXPECT_EQ(t.cy, 0);
        EXPECT_NEAR(r.tramos[2].y, 300, 1e-9);
    }
}

TEST(CierrePoligonal, EscalaUtmPorTramoYFueraDeRango) {
    auto p = encuadradaSimple(0);
    for (auto* r : {&p.referencia}) r->x0 = 500000, r->y0 = 4400000, r->x1 = 500000, r->y1 = 4400300;
    const auto r = calcularPoligonal(p.filas, p.referencia, {0, 4, 1, 1.0});
    ASSERT_TRUE(r);
    // On the central meridian the point factor is k0 = 0.9996 (plus a few ppm).
    EXPECT_NEAR(r->tramos[0].km, 0.9996, 2e-5);
    EXPECT_NEAR(r->factorPartida, r->tramos[0].km, 1e-6);
    p.referencia.x0 = 5, p.referencia.x1 = 5;
    const auto fuera = calcularPoligonal(p.filas, p.referencia, {0, 4, 2, 1.0});
    ASSERT_TRUE(fuera);
    EXPECT_EQ(fuera->tramos[0].km, 1.0);
    EXPECT_EQ(fuera->factorPartida, 1.0);
}

}  // namespace
}  // namespace celvara
