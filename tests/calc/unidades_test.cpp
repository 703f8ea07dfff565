#include "calc/unidades.h"

#include <gtest/gtest.h>

#include <cmath>

namespace celvara {
namespace {

TEST(AzimutEntre, EjesCuadrantesYPuntoCoincidente) {
    struct Caso {
        double dx, dy, gon, grados;
    };
    const Caso casos[] = {{0, 0, 0, 0},       {0, 10, 0, 0},        {10, 0, 100, 90},    {0, -10, 200, 180},
                          {-10, 0, 300, 270}, {10, 10, 50, 45},     {10, -10, 150, 135}, {-10, -10, 250, 225},
                          {-10, 10, 350, 315}, {5, 5 * std::sqrt(3.0), 100.0 / 3, 30}};
    for (const Caso& c : casos) {
        // Away from the origin, so that a subtraction the wrong way round shows.
        EXPECT_NEAR(AzimutEntre(1000, 2000, 1000 + c.dx, 2000 + c.dy, 400), c.gon, 1e-9) << c.dx << " " << c.dy;
        EXPECT_NEAR(AzimutEntre(1000, 2000, 1000 + c.dx, 2000 + c.dy, 360), c.grados, 1e-9) << c.dx << " " << c.dy;
    }
    // On the axes the value is exact.
    EXPECT_EQ(AzimutEntre(0, 0, -10, 0, 400), 300.0);
    EXPECT_EQ(AzimutEntre(0, 0, 10, 0, 360), 90.0);
    // Just west of north stays below C.
    const double t = AzimutEntre(0, 0, -1e-9, 1000, 400);
    EXPECT_LT(t, 400.0);
    EXPECT_GT(t, 399.999);
}

TEST(Unidades, RadianesYValoresMostrados) {
    EXPECT_EQ(aRadianes(200, 400, 3.0), 3.0);
    EXPECT_EQ(aRadianes(180, 200, 3.0), 3.0);  // any circle other than 400 is degrees
    // As the grids show them and read them back.
    EXPECT_EQ(anguloMostrado(123.45678), 123.4568);
    EXPECT_EQ(longitudMostrada(-1.23449), -1.234);
}

}  // namespace
}  // namespace celvara
