// celvara-cli poligonal: the summary and the station lines, and the JSON
// shape scripts rely on.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "calc/datos_prueba.h"
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
    EXPECT_EQ(r.salida, prueba::leerDato("poligonal/cli_norte.txt"));  // summary and station lines, by hand
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
    ASSERT_EQ(j["estaciones"].size(), 3u);
    EXPECT_EQ(j["estaciones"][1]["nombre"], "E2");

    r = prueba::cli({"poligonal", escribir("c.pol", norte(1)), "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_TRUE(nlohmann::json::parse(r.salida)["T"].is_null());
}

}  // namespace
}  // namespace celvara
