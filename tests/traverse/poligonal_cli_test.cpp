// celvara-cli poligonal: the summary and the station lines, and the JSON
// shape scripts rely on.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "pol_prueba.h"

namespace celvara {
namespace {

using namespace prueba_pol;

TEST(PoligonalCli, TextoYJson) {
    prueba::CarpetaTemporal dir;
    auto escribir = [&](const char* nombre, const std::string& bytes) {
        prueba::escribirFichero(dir / nombre, bytes);
        return (dir / nombre).string();
    };
    const auto pol = escribir("n.pol", norte());
    auto r = prueba::cli({"poligonal", pol});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida,
              "Poligonal Encuadrada:-Compensación Prop Distancias Parciales- Planas\n"
              "E.Ang=0.0000  E.X=0.000  E.Y=-0.012  E.Dist=0.012  E.Z=-0.022\n"
              "T.Ang=0.0000  T.X=0.000  T.Y=0.000  T.Dist=0.000  T.Z = 0.000 \n"
              "E1 0.000 0.000 0.000 0.0000\n"
              "E2 0.000 100.006 0.491 0.0000\n"
              "E3 0.000 200.000 1.000 0.0000\n");
    EXPECT_NE(r.errores.find("tolerancias 0"), std::string::npos);

    r = prueba::cli({"poligonal", pol, "--metodo", "2", "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    EXPECT_EQ(j["tipo"], 0);
    EXPECT_EQ(j["metodo"], 2);
    EXPECT_NEAR(j["E"]["Y"].get<double>(), -0.012, 1e-9);
    EXPECT_TRUE(j["T"].is_object());
    EXPECT_NEAR(j["Coeficiente"].get<double>(), 0.012 / 200.012, 1e-12);
    ASSERT_EQ(j["tramos"].size(), 3u);
    EXPECT_NEAR(j["tramos"][0]["y"].get<double>(), 100.006, 1e-6);  // the end of the first leg
    EXPECT_EQ(j["tramos"][0]["d2"], 100.014);
    for (const char* clave : {"h_back", "h_fwd", "angulo", "azimut", "azimut_c", "c", "d1", "dm", "km", "ix", "iy",
                              "cx", "cy", "ixc", "iyc", "iz", "cz", "izc", "tol_d", "tol_z", "desor_final"})
        EXPECT_TRUE(j["tramos"][1].contains(clave)) << clave;
    ASSERT_EQ(j["estaciones"].size(), 3u);
    EXPECT_EQ(j["estaciones"][1]["nombre"], "E2");

    r = prueba::cli({"poligonal", escribir("c.pol", norte(1)), "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_TRUE(nlohmann::json::parse(r.salida)["T"].is_null());
}

}  // namespace
}  // namespace celvara
