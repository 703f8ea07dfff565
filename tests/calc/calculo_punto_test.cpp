#include "calc/calculo_punto.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/datos_prueba.h"

namespace celvara {
namespace {

constexpr double kPi = 3.1415926535898;  // the point calculator's pi

DatosEstacionamientoCalculo estacionamiento(std::int32_t tipoDistancia = 0, std::int32_t tipoVertical = 0,
                                            std::int32_t C = 400) {
    return {.x0 = 1000, .y0 = 2000, .z0 = 100, .alturaInstrumento = 1.5, .tipoDistancia = tipoDistancia,
            .tipoVertical = tipoVertical, .unidadAngular = C};
}

PuntoCalculado reducir(const DatosEstacionamientoCalculo& d, double H, double V, double D, double hm,
                       double k = 1.0) {
    CCalculoPunto calculo;
    calculo.cargarEstacionamiento(d);
    calculo.fijarEscala(k);
    calculo.cargarLectura(H, V, D, hm);
    return calculo.calcular();
}

TEST(CalculoPunto, CadaTipoDeDistanciaYDeVertical) {
    const auto casos = prueba::leerTabla("calculo/reducciones_punto.txt");
    ASSERT_EQ(casos.size(), 11u);
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "distancia " << c[0] << " vertical " << c[1] << " V " << c[3]);
        const auto p = reducir(estacionamiento(std::int32_t(c[0]), std::int32_t(c[1])), c[2], c[3], c[4], c[5]);
        const double obtenido[] = {p.distanciaReducida, p.desnivel, p.x, p.y, p.z};
        for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR(obtenido[k], c[6 + k], 1e-9) << k;
        EXPECT_EQ(p.esfericidadRefraccion, 0.0);
    }
}

TEST(CalculoPunto, AngulosRectosExactosSinDivision) {
    // Values of V whose radians are bit for bit 0, pi, 1.5707963267948966 and
    // 4.71238898038469 with pi = 3.1415926535898.
    for (double V : {0.0, 200.0, 99.999999999999773, 299.99999999999932}) {
        for (std::int32_t tipo : {1, 3}) {
            const auto p = reducir(estacionamiento(tipo), 0, V, 30, 1.5);
            EXPECT_EQ(p.desnivel, 0.0) << "V " << V << " tipo " << tipo;
            EXPECT_TRUE(std::isfinite(p.z));
        }
    }
    // The plain 100 grads is not bit for bit the right angle of the test:
    // its height comes from the division, zero within rounding.
    const auto p = reducir(estacionamiento(3), 0, 100, 30, 1.5);
    EXPECT_NE(p.desnivel, 0.0);
    EXPECT_NEAR(p.desnivel, 0.0, 1e-12);
}

TEST(CalculoPunto, EsfericidadYRefraccionYEscala) {
    auto d = estacionamiento();
    d.aplicarEsfRefr = 1;
    const auto p = reducir(d, 0, 100, 1000, 1.5);
    EXPECT_NEAR(p.esfericidadRefraccion, 0.06584735829805273, 1e-12);  // 0.42 D² / 6378388
    EXPECT_NEAR(p.z, 100 + p.esfericidadRefraccion, 1e-9);
    d.aplicarEsfRefr = 0;
    EXPECT_EQ(reducir(d, 0, 100, 1000, 1.5).esfericidadRefraccion, 0.0);
    d.aplicarEsfRefr = 2;  // only 1 turns it on
    EXPECT_EQ(reducir(d, 0, 100, 1000, 1.5).esfericidadRefraccion, 0.0);

    // The scale reaches the reduced distance and the curvature, not Dh / tan V.
    d = estacionamiento(3);
    d.aplicarEsfRefr = 1;
    const auto k = reducir(d, 100, 90, 1000, 1.5, 0.9996);
    EXPECT_NEAR(k.distanciaReducida, 999.6, 1e-9);
    EXPECT_NEAR(k.desnivel, 158.38444032453634, 1e-9);
    EXPECT_NEAR(k.esfericidadRefraccion, 0.06579469094699163, 1e-12);
    EXPECT_NEAR(k.x, 1999.6, 1e-9);
}

TEST(CalculoPunto, OrientacionCorreccionesYSexagesimal) {
    auto d = estacionamiento();
    d.desorientacion = -10;
    EXPECT_EQ(reducir(d, 20, 100, 10, 0).azimut, 10 * kPi / 200);   // 410 -> 10
    EXPECT_EQ(reducir(d, 5, 100, 10, 0).azimut, 395 * kPi / 200);   // raised once only
    d.desorientacion = 390;
    EXPECT_EQ(reducir(d, 10, 100, 10, 0).azimut, 400 * kPi / 200);  // exactly 400 stays
    EXPECT_NEAR(reducir(d, 10, 100, 10, 0).y, 2010, 1e-9);

    // The corrections act as the same amounts added to the reading.
    d = estacionamiento();
    d.correccionHorizontal = 0.003;
    d.correccionVertical = -0.002;
    d.correccionDistancia = 0.004;
    const auto p = reducir(d, 50, 99, 75, 1.3);
    const auto q = reducir(estacionamiento(), 50.003, 98.998, 75.004, 1.3);
    EXPECT_NEAR(p.x, q.x, 1e-9);
    EXPECT_NEAR(p.y, q.y, 1e-9);
    EXPECT_NEAR(p.z, q.z, 1e-9);

    d = estacionamiento(0, 0, 360);
    d.desorientacion = 10;
    const auto g = reducir(d, 80, 90, 50, 1.5);
    EXPECT_EQ(g.azimut, 90 * kPi / 180);
    EXPECT_NEAR(g.x, 1050, 1e-9);
    EXPECT_NEAR(g.z, 100, 1e-9);
    // Corrections already made in the field not made again: CorreccionesEsfericidad.
}

}  // namespace
}  // namespace celvara
