#include "calc/unidades.h"

#include <gtest/gtest.h>

#include <cmath>

namespace celvara {
namespace {

TEST(AzimutEntre, EjesYPuntoCoincidente) {
    EXPECT_EQ(AzimutEntre(0, 0, 0, 0, 400), 0.0);
    EXPECT_EQ(AzimutEntre(0, 0, 10, 0, 400), 100.0);
    EXPECT_EQ(AzimutEntre(0, 0, 10, 0, 360), 90.0);
    EXPECT_EQ(AzimutEntre(0, 0, -10, 0, 400), 300.0);
    EXPECT_EQ(AzimutEntre(0, 0, -10, 0, 360), 270.0);
    EXPECT_EQ(AzimutEntre(0, 0, 0, -10, 400), 200.0);
    EXPECT_EQ(AzimutEntre(0, 0, 0, 10, 400), 0.0);
}

TEST(AzimutEntre, CuatroCuadrantes) {
    EXPECT_NEAR(AzimutEntre(0, 0, 10, 10, 400), 50.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, 10, -10, 400), 150.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, -10, -10, 400), 250.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, -10, 10, 400), 350.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, 10, 10, 360), 45.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, 10, -10, 360), 135.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, -10, -10, 360), 225.0, 1e-9);
    EXPECT_NEAR(AzimutEntre(0, 0, -10, 10, 360), 315.0, 1e-9);
    // Away from the origin and off the diagonals: 30 degrees east of north.
    EXPECT_NEAR(AzimutEntre(1000, 2000, 1000 + 5, 2000 + 5 * std::sqrt(3.0), 360), 30.0, 1e-9);
}

TEST(AzimutEntre, UsaSuPropioPi) {
    // atan(1) * 200 / 3.14159265358979, not with the library's pi.
    const double esperado = std::atan(1.0) * 200 / 3.14159265358979;
    EXPECT_EQ(AzimutEntre(0, 0, 1, 1, 400), esperado);
    EXPECT_NE(esperado, 50.0);
}

TEST(AzimutEntre, JustoAlOesteDelNorteQuedaBajoC) {
    const double t = AzimutEntre(0, 0, -1e-9, 1000, 400);
    EXPECT_LT(t, 400.0);
    EXPECT_GT(t, 399.999);
}

TEST(DistanciaEntre, Pitagoras) {
    EXPECT_EQ(DistanciaEntre(1, 2, 4, 6), 5.0);
    EXPECT_EQ(DistanciaEntre(4, 6, 1, 2), 5.0);
    EXPECT_EQ(DistanciaEntre(3, 3, 3, 3), 0.0);
}

TEST(Unidades, SubunidadesYRadianes) {
    EXPECT_EQ(mediaVuelta(400), 200);
    EXPECT_EQ(cuartoVuelta(360), 90);
    EXPECT_EQ(factorSubunidadAngular(400), 0.0001);
    EXPECT_EQ(factorSubunidadAngular(360), 0.0002777777777777778);
    EXPECT_DOUBLE_EQ(30 * factorSubunidadAngular(360), 30.0 / 3600);
    EXPECT_EQ(aRadianes(200, 400, 3.0), 3.0);
    EXPECT_EQ(aRadianes(180, 360, 3.0), 3.0);
    EXPECT_EQ(aRadianes(180, 200, 3.0), 3.0);  // any circle other than 400 is degrees
}

}  // namespace
}  // namespace celvara
