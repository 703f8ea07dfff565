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

TEST(CalculoPunto, VisualHorizontalGeometrica) {
    const auto p = reducir(estacionamiento(), 100, 100, 50, 1.5);
    EXPECT_NEAR(p.x, 1050, 1e-9);
    EXPECT_NEAR(p.y, 2000, 1e-9);
    EXPECT_NEAR(p.z, 100, 1e-9);
    EXPECT_NEAR(p.distanciaReducida, 50, 1e-12);
    EXPECT_EQ(p.azimut, 100 * kPi / 200);
    EXPECT_EQ(p.esfericidadRefraccion, 0.0);
}

TEST(CalculoPunto, GeometricaInclinada) {
    // Zenith 80 grads, slope 100 m, azimuth 150 grads.
    auto d = estacionamiento();
    const auto p = reducir(d, 150, 80, 100, 2.0);
    const double v = 80 * kPi / 200;
    const double t = 150 * kPi / 200;
    EXPECT_DOUBLE_EQ(p.distanciaReducida, 100 * std::sin(v));
    EXPECT_DOUBLE_EQ(p.desnivel, 100 * std::cos(v));
    EXPECT_DOUBLE_EQ(p.x, 1000 + 100 * std::sin(v) * std::sin(t));
    EXPECT_DOUBLE_EQ(p.y, 2000 + 100 * std::sin(v) * std::cos(t));
    EXPECT_DOUBLE_EQ(p.z, 100 + 1.5 + 100 * std::cos(v) - 2.0);
}

TEST(CalculoPunto, Generadores) {
    const auto p = reducir(estacionamiento(1), 0, 90, 120, 1.5);
    const double v = 90 * kPi / 200;
    const double dh = 120 * std::sin(v) * std::sin(v);
    EXPECT_DOUBLE_EQ(p.distanciaReducida, dh);
    EXPECT_DOUBLE_EQ(p.desnivel, dh / std::tan(v));
    EXPECT_NEAR(p.y, 2000 + dh, 1e-9);
}

TEST(CalculoPunto, GeneradoresHorizontalDesnivelNuloPorRedondeo) {
    const auto p = reducir(estacionamiento(1), 0, 100, 80, 1.5);
    EXPECT_NEAR(p.distanciaReducida, 80, 1e-12);
    EXPECT_NEAR(p.desnivel, 0, 1e-9);
}

TEST(CalculoPunto, ReducidaConDesnivel) {
    // The vertical field is a height difference in metres: no conversion, no
    // vertical-kind transform.
    for (std::int32_t tipoVertical : {0, 1, 2}) {
        const auto p = reducir(estacionamiento(2, tipoVertical), 0, -3.25, 40, 1.2);
        EXPECT_EQ(p.distanciaReducida, 40);
        EXPECT_EQ(p.desnivel, -3.25);
        EXPECT_DOUBLE_EQ(p.z, 100 + 1.5 - 3.25 - 1.2);
    }
}

TEST(CalculoPunto, ReducidaConVertical) {
    const auto p = reducir(estacionamiento(3), 0, 95, 200, 1.5);
    const double v = 95 * kPi / 200;
    EXPECT_EQ(p.distanciaReducida, 200);
    EXPECT_DOUBLE_EQ(p.desnivel, 200 / std::tan(v));
}

TEST(CalculoPunto, TiposDeVertical) {
    // Level sight in each kind: zenith 100, elevation 0, nadir 100.
    for (auto [tipo, V] : {std::pair{0, 100.0}, {1, 0.0}, {2, 100.0}}) {
        const auto p = reducir(estacionamiento(0, tipo), 0, V, 50, 1.5);
        EXPECT_NEAR(p.distanciaReducida, 50, 1e-9) << "tipo " << tipo;
        EXPECT_NEAR(p.desnivel, 0, 1e-9) << "tipo " << tipo;
    }
    // Elevation of 10 grads looks up; nadir angle of 10 grads looks down.
    const auto arriba = reducir(estacionamiento(0, 1), 0, 10, 50, 0);
    EXPECT_DOUBLE_EQ(arriba.desnivel, 50 * std::cos(kPi / 2 - 10 * kPi / 200));
    EXPECT_GT(arriba.desnivel, 7.8);
    const auto abajo = reducir(estacionamiento(0, 2), 0, 10, 50, 0);
    EXPECT_DOUBLE_EQ(abajo.desnivel, 50 * std::cos(kPi - 10 * kPi / 200));
    EXPECT_LT(abajo.desnivel, -49);
}

TEST(CalculoPunto, VerticalNegativaSubeDosPi) {
    // Elevation of 150 grads: pi/2 - V' < 0, raised by 2 pi (a face-right
    // zenith of 350 grads, so Dh comes out negative).
    const auto p = reducir(estacionamiento(1, 1), 0, 150, 10, 0);
    const double v = kPi / 2 - 150 * kPi / 200 + 6.2831853071796;
    EXPECT_DOUBLE_EQ(p.distanciaReducida, -10 * std::sin(v) * std::sin(v));
    EXPECT_DOUBLE_EQ(p.desnivel, p.distanciaReducida / std::tan(v));
}

TEST(CalculoPunto, CaraDerechaDaElMismoPuntoEnCadaTipoDeDistancia) {
    // Point at azimuth 50, zenith 90 grads, slope 100 m: face left (50, 90)
    // and face right (250, 310), each with the distance field of its kind.
    const double z = 90 * kPi / 200;
    const double campo[] = {100, 100 / std::sin(z), 100 * std::sin(z), 100 * std::sin(z)};
    for (std::int32_t tipo : {0, 1, 3}) {
        const auto ci = reducir(estacionamiento(tipo), 50, 90, campo[tipo], 1.5);
        const auto cd = reducir(estacionamiento(tipo), 250, 310, campo[tipo], 1.5);
        EXPECT_NEAR(ci.x, 1000 + 100 * std::sin(z) * std::sin(kPi / 4), 1e-9) << "tipo " << tipo;
        EXPECT_NEAR(ci.z, 100 + 100 * std::cos(z), 1e-9) << "tipo " << tipo;
        EXPECT_NEAR(cd.x, ci.x, 1e-9) << "tipo " << tipo;
        EXPECT_NEAR(cd.y, ci.y, 1e-9) << "tipo " << tipo;
        EXPECT_NEAR(cd.z, ci.z, 1e-9) << "tipo " << tipo;
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

TEST(CalculoPunto, EsfericidadYRefraccion) {
    auto d = estacionamiento();
    d.aplicarEsfRefr = 1;
    const auto p = reducir(d, 0, 100, 1000, 1.5);
    EXPECT_DOUBLE_EQ(p.esfericidadRefraccion, 0.42 * 1000.0 * 1000.0 / 6378388.0);
    EXPECT_NEAR(p.esfericidadRefraccion, 0.0658, 0.00005);
    EXPECT_NEAR(p.z, 100 + p.esfericidadRefraccion, 1e-9);
    d.aplicarEsfRefr = 0;
    EXPECT_EQ(reducir(d, 0, 100, 1000, 1.5).esfericidadRefraccion, 0.0);
    d.aplicarEsfRefr = 2;  // only 1 turns it on
    EXPECT_EQ(reducir(d, 0, 100, 1000, 1.5).esfericidadRefraccion, 0.0);
}

TEST(CalculoPunto, EscalaSoloEnLaDistanciaReducida) {
    auto d = estacionamiento(3);
    d.aplicarEsfRefr = 1;
    const double k = 0.9996;
    const auto p = reducir(d, 100, 90, 1000, 1.5, k);
    EXPECT_DOUBLE_EQ(p.distanciaReducida, 1000 * k);
    EXPECT_DOUBLE_EQ(p.desnivel, 1000 / std::tan(90 * kPi / 200));  // unscaled Dh
    EXPECT_DOUBLE_EQ(p.esfericidadRefraccion, 0.42 * (1000 * k) * (1000 * k) / 6378388.0);
    EXPECT_NEAR(p.x, 1000 + 1000 * k, 1e-9);
}

TEST(CalculoPunto, GiroDeLaOrientacion) {
    auto d = estacionamiento();
    d.desorientacion = -10;
    EXPECT_EQ(reducir(d, 20, 100, 10, 0).azimut, 10 * kPi / 200);  // 410 -> 10
    d.desorientacion = 390;
    EXPECT_EQ(reducir(d, 10, 100, 10, 0).azimut, 400 * kPi / 200);  // exactly 400 stays
    const auto norte = reducir(d, 10, 100, 10, 0);
    EXPECT_NEAR(norte.x, 1000, 1e-9);
    EXPECT_NEAR(norte.y, 2010, 1e-9);
    d.desorientacion = -10;  // raised once only: -10 + 400 = 390, + 5 = 395
    EXPECT_EQ(reducir(d, 5, 100, 10, 0).azimut, 395 * kPi / 200);
}

TEST(CalculoPunto, Correcciones) {
    auto d = estacionamiento();
    d.correccionHorizontal = 0.003;
    d.correccionVertical = -0.002;
    d.correccionDistancia = 0.004;
    const auto p = reducir(d, 50, 99, 75, 1.3);
    const auto q = reducir(estacionamiento(), 50.003, 98.998, 75.004, 1.3);
    EXPECT_NEAR(p.x, q.x, 1e-9);
    EXPECT_NEAR(p.y, q.y, 1e-9);
    EXPECT_NEAR(p.z, q.z, 1e-9);
    EXPECT_GT(std::abs(p.x - reducir(estacionamiento(), 50, 99, 75, 1.3).x), 0.003);
}

TEST(CalculoPunto, Sexagesimal) {
    auto d = estacionamiento(0, 0, 360);
    d.desorientacion = 10;
    const auto p = reducir(d, 80, 90, 50, 1.5);
    EXPECT_EQ(p.azimut, 90 * kPi / 180);
    EXPECT_NEAR(p.x, 1050, 1e-9);
    EXPECT_NEAR(p.z, 100, 1e-9);
}

TEST(CalculoPunto, UnaCargaDeEstacionamientoVariasLecturas) {
    CCalculoPunto calculo;
    calculo.cargarEstacionamiento(estacionamiento());
    calculo.cargarLectura(0, 100, 10, 1.5);
    calculo.cargarLectura(100, 100, 20, 1.5);  // the last load counts
    const auto& p = calculo.calcular();
    EXPECT_NEAR(p.x, 1020, 1e-9);
    EXPECT_EQ(&p, &calculo.resultado());
    EXPECT_EQ(calculo.escala(), 1.0);  // default scale
}

TEST(CalculoPunto, DatosDesdeLosRegistros) {
    Estacion e;
    e.x = 1;
    e.y = 2;
    e.z = 3;
    Estacionamiento s;
    s.alturaInstrumento = 1.6;
    s.desorientacion = 12.5;
    s.datos.tipoDistancia = 1;
    s.datos.tipoVertical = 2;
    s.datos.unidadAngular = 360;
    s.datos.corregidoEsfRefr = 1;
    const auto d = datosDeEstacionamiento(e, s);
    EXPECT_EQ(d.x0, 1);
    EXPECT_EQ(d.y0, 2);
    EXPECT_EQ(d.z0, 3);
    EXPECT_EQ(d.alturaInstrumento, 1.6);
    EXPECT_EQ(d.desorientacion, 12.5);
    EXPECT_EQ(d.tipoDistancia, 1);
    EXPECT_EQ(d.tipoVertical, 2);
    EXPECT_EQ(d.unidadAngular, 360);
    EXPECT_EQ(d.aplicarEsfRefr, 0);  // already corrected in the field
    EXPECT_EQ(d.aplicarTempPres, 1);
    EXPECT_EQ(d.correccionHorizontal, 0);
}

}  // namespace
}  // namespace celvara
