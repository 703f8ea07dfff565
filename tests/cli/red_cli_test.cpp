// celvara-cli red on the worked network of the station by least squares.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "calc/red/ajuste_red.h"
#include "comun/imagen.h"
#include "comun/proceso.h"
#include "comun/red_estacion.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::cli;

TEST(CliRed, UnaLineaPorEstacionYElTestFijasDelFicheroAlLado) {
    CarpetaTemporal dir;
    CLibretaCampo l;
    prueba::libretaRed(l);
    const auto obs = (dir / "red.obs").string(), apa = (dir / "i.apa").string(), inf = (dir / "inf.txt").string();
    ASSERT_TRUE(escribirLibreta(l, obs));
    ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);

    auto r = cli({"red", obs, "--fijos", "A,B,C,E", "--instrumentos", apa, "--informe", inf});
    ASSERT_EQ(r.estado, 0) << r.errores;
    std::istringstream s(r.salida);
    std::string nombre, test;
    double x, y, z, sx, sy;
    s >> nombre >> x >> y >> z >> sx >> sy >> test;
    EXPECT_EQ(nombre, "P");
    EXPECT_NEAR(x, 1250.001, 0.0006);
    EXPECT_NEAR(y, 1299.995, 0.0006);
    EXPECT_NEAR(z, 100.0, 0.0006);
    EXPECT_GT(sx, 0);
    EXPECT_EQ(test, "Test");
    EXPECT_NE(r.salida.find(" r = 6: "), std::string::npos) << r.salida;
    EXPECT_NE(prueba::leerFichero(inf).find("AJUSTE DE RED"), std::string::npos);

    // Without --fijos: the side file beside the book, as JSON.
    ASSERT_TRUE(guardarFijasRed(obs, {"A", "B", "C", "E"}));
    r = cli({"red", obs, "--instrumentos", apa, "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    ASSERT_EQ(j["stations"].size(), 5u);
    EXPECT_EQ(j["stations"][4]["fixed"], false);
    EXPECT_EQ(j["setups"][2]["adjusted"], true);
    EXPECT_EQ(j["observations"].size(), 10u);
    EXPECT_EQ(j["test"]["redundancy"], 6);

    // Every station with coordinates fixed: nothing to adjust.
    std::filesystem::remove(rutaFijasRed(obs));
    r = cli({"red", obs, "--instrumentos", apa});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find(kMensajeRedSinNuevas), std::string::npos) << r.errores;
}

}  // namespace
}  // namespace celvara
