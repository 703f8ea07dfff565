#include "calc/proyeccion_utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/datos_prueba.h"

namespace celvara {
namespace {

const double kPiUtm = 2 * std::acos(0.0);

double radianes(double grados) { return grados * kPiUtm / 180; }

// The footpoint latitude's arc lies within 0.1 mm of the northing, and is
// the arc of that latitude; beyond 80 degrees there is none.
TEST(ProyeccionUTM, LatitudPieYSinResultadoMasAllaDe80Grados) {
    const CProyeccionUTM utm(true);
    for (double n = 100000; n < 8800000; n += 12345.6789) {
        const auto pie = utm.LatitudPie(n);
        ASSERT_TRUE(pie) << n;
        EXPECT_LT(std::fabs(pie->arco - n), 0.0001) << n;
        EXPECT_EQ(pie->arco, utm.ArcoMeridiano(pie->latitudGrados, pie->latitud)) << n;
    }
    EXPECT_TRUE(utm.LatitudPie(8881848.0));
    EXPECT_FALSE(utm.LatitudPie(8881849.5));
    EXPECT_FALSE(utm.LatitudPie(9500000));
    EXPECT_FALSE(utm.LatitudPie(-5));
    EXPECT_FALSE(utm.LatitudPie(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(utm.LatitudPie(std::numeric_limits<double>::infinity()));
}

TEST(ProyeccionUTM, FueraDeRangoNoTocaElFactor) {
    CProyeccionUTM utm(true);
    EXPECT_EQ(utm.factorEscala(), 1.0);  // nothing computed yet
    EXPECT_FALSE(utm.UtmAGeograficas(50000, 4400000, 30));
    EXPECT_EQ(utm.factorEscala(), 1.0);
    ASSERT_TRUE(utm.UtmAGeograficas(300000, 4400000, 30));
    const double k = utm.factorEscala();
    EXPECT_GT(k, 1.0);
    // The last but one in range, beyond 80 degrees.
    for (auto [x, y] : {std::pair{99999.999, 4400000.0}, {1000000.001, 4400000.0}, {500000.0, 99999.0},
                        {500000.0, 10000000.5}, {500000.0, 9000000.0}, {std::nan(""), 4400000.0}})
        EXPECT_FALSE(utm.UtmAGeograficas(x, y, 30)) << x << " " << y;
    EXPECT_EQ(utm.factorEscala(), k);
    EXPECT_TRUE(utm.UtmAGeograficas(100000, 100000, 30));  // bounds included
    EXPECT_TRUE(utm.UtmAGeograficas(1000000, 100000, 30));
    // On the central meridian: its longitude, the footpoint latitude and k0, exactly.
    const auto g = utm.UtmAGeograficas(500000, 4400000, 30);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->longitud, -3.0);
    EXPECT_EQ(g->factorEscala, 0.9996);
    EXPECT_EQ(g->latitud, utm.LatitudPie(4400000)->latitudGrados);
    EXPECT_EQ(utm.UtmAGeograficas(500000, 4400000, 31)->longitud, 3.0);
}

// Against the exact projection: the series is good to about 2 mm on the
// ground out to 300 km from the central meridian; the scale factor, with its
// fixed 0.00003 q^4 term, to 4e-8 there and 1e-9 within 100 km. Farther out
// (one point at 376 km) both grow.
void compararConExacta(bool hayford, const std::string& fichero) {
    // A row: X, Y, latitude, longitude, k.
    const auto puntos = prueba::leerTabla("utm/" + fichero);
    ASSERT_EQ(puntos.size(), 47u) << fichero;
    CProyeccionUTM utm(hayford);
    const double a = utm.semiejeMayor();
    const double e2 = utm.excentricidad() * utm.excentricidad();
    for (const auto& f : puntos) {
        const double x = f[0], y = f[1], latitud = f[2], longitud = f[3], k = f[4];
        const auto g = utm.UtmAGeograficas(x, y, 30);
        ASSERT_TRUE(g);
        const double s = std::sin(radianes(latitud));
        const double w = std::sqrt(1 - e2 * s * s);
        const double norte = radianes(g->latitud - latitud) * a * (1 - e2) / (w * w * w);
        const double este = radianes(g->longitud - longitud) * a / w * std::cos(radianes(latitud));
        const double q = std::fabs(x - 500000) * 1e-6;
        EXPECT_LT(std::hypot(norte, este), q <= 0.3 ? 0.002 : 0.005) << x << " " << y;
        EXPECT_LT(std::fabs(g->factorEscala - k), q <= 0.1 ? 1e-9 : q <= 0.3 ? 4e-8 : 1e-7) << x << " " << y;
        EXPECT_EQ(g->factorEscala, utm.factorEscala());
    }
}

TEST(ProyeccionUTM, ComparadaConLaExacta) {
    compararConExacta(true, "exacta_ed50.txt");
    compararConExacta(false, "exacta_wgs84.txt");
}

TEST(EscalaRadiacion, PlanasUtmYFueraDeRango) {
    const auto planas = escalaRadiacion(nullptr, 0.9999, 300000, 4400000);
    EXPECT_EQ(planas.k, 0.9999);
    EXPECT_EQ(planas.factorPunto, 1.0);
    EXPECT_FALSE(planas.fueraDeRango);

    CProyeccionUTM utm(true);
    const auto dentro = escalaRadiacion(&utm, 0.9999, 300000, 4400000);
    const double k = utm.UtmAGeograficas(300000, 4400000, 30)->factorEscala;
    EXPECT_EQ(dentro.factorPunto, k);
    EXPECT_EQ(dentro.k, k * 0.9999);
    EXPECT_FALSE(dentro.fueraDeRango);

    // A station off the grid does not inherit the previous station's factor.
    const auto fuera = escalaRadiacion(&utm, 0.9999, 50000, 4400000);
    EXPECT_TRUE(fuera.fueraDeRango);
    EXPECT_EQ(fuera.factorPunto, 1.0);
    EXPECT_EQ(fuera.k, 0.9999);
}

}  // namespace
}  // namespace celvara
