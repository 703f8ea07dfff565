#include "calc/calculo_punto.h"

#include <gtest/gtest.h>

#include <cmath>

namespace celvara {
namespace {

constexpr double kPi = 3.1415926535898;  // the point calculator's pi

DatosEstacionamientoCalculo estacionamiento(std::int32_t tipoDistancia = 0, std::int32_t tipoVertical = 0,
                                            std::int32_t C = 400) {
    DatosEstacionamientoCalculo d;
    d.x0 = 1000;
    d.y0 = 2000;
    d.z0 = 100;
    d.alturaInstrumento = 1.5;
    d.tipoDistancia = tipoDistancia;
    d.tipoVertical = tipoVertical;
    d.unidadAngular = C;
    return d;
}

PuntoCalculado reducir(const DatosEstacionamientoCalculo& d, double H, double V, double D, double hm,
                       double k = 1.0) {
    CCalculoPunto calculo;
    calculo.cargarEstacionamiento(d);
    calculo.fijarEscala(k);
    calculo.cargarLectura(H, V, D, hm);
    return calculo.calcular();
}

// Station (1000, 2000, 100), i = 1.5; values worked apart with a desk
// calculator (gon, sin/cos of the zenith angle).
TEST(CalculoPunto, CadaTipoDeDistanciaYDeVertical) {
    struct Caso {
        std::int32_t distancia, vertical;
        double H, V, D, hm;
        double dh, dz, x, y, z;
    };
    const Caso casos[] = {
        // Slope distances: level, then zenith 80 at azimuth 150.
        {0, 0, 100, 100, 50, 1.5, 50, 0, 1050, 2000, 100},
        {0, 0, 150, 80, 100, 2.0, 95.10565162951535, 30.901699437494745, 1067.2498511963956, 1932.7501488036044,
         130.40169943749476},
        // Stadia generators: D sin²V, and a level sight whose height is nil by rounding.
        {1, 0, 0, 90, 120, 1.5, 117.06339097770922, 18.54101966249685, 1000, 2117.0633909777093, 118.54101966249685},
        {1, 0, 0, 100, 80, 1.5, 80, 0, 1000, 2080, 100},
        // The vertical field a height difference in metres, whatever the vertical kind.
        {2, 0, 0, -3.25, 40, 1.2, 40, -3.25, 1000, 2040, 97.05},
        {2, 2, 0, -3.25, 40, 1.2, 40, -3.25, 1000, 2040, 97.05},
        // Reduced distance with a zenith angle.
        {3, 0, 0, 95, 200, 1.5, 200, 15.740341364923701, 1000, 2200, 115.7403413649237},
        // Face right (250, 310): Dh turns negative and the point is face left's (50, 90).
        {3, 0, 250, 310, 98.76883405951382, 1.5, -98.76883405951382, 15.643446504024153, 1069.8401123333717,
         2069.8401123333706, 115.64344650402415},
        // Elevation 10 looks up, nadir 10 down.
        {0, 1, 0, 10, 50, 0, 49.38441702975688, 7.821723252011544, 1000, 2049.38441702975688, 109.32172325201154},
        {0, 2, 0, 10, 50, 0, 7.821723252011544, -49.38441702975688, 1000, 2007.821723252011544, 52.11558297024312},
        // Elevation 150: pi/2 - V' < 0 is raised by 2 pi to a zenith of 350,
        // so Dh comes out negative and the point lies behind.
        {1, 1, 0, 150, 10, 0, -5, 5, 1000, 1995, 106.5},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "distancia " << c.distancia << " vertical " << c.vertical << " V " << c.V);
        const auto p = reducir(estacionamiento(c.distancia, c.vertical), c.H, c.V, c.D, c.hm);
        EXPECT_NEAR(p.distanciaReducida, c.dh, 1e-9);
        EXPECT_NEAR(p.desnivel, c.dz, 1e-9);
        EXPECT_NEAR(p.x, c.x, 1e-9);
        EXPECT_NEAR(p.y, c.y, 1e-9);
        EXPECT_NEAR(p.z, c.z, 1e-9);
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

    // Corrections already made in the field are not made again.
    Estacionamiento s;
    s.datos.corregidoEsfRefr = 1;
    EXPECT_EQ(datosDeEstacionamiento(Estacion{}, s).aplicarEsfRefr, 0);
    EXPECT_EQ(datosDeEstacionamiento(Estacion{}, s).aplicarTempPres, 1);
}

}  // namespace
}  // namespace celvara
