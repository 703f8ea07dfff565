// celvara-cli estacion on the worked network of the station by least squares.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "comun/red_estacion.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::cli;

TEST(CliEstacion, RedDeEjemploEnTextoYJson) {
    CarpetaTemporal dir;
    CLibretaCampo l;
    prueba::libretaRed(l, 0.0);
    const auto obs = (dir / "red.obs").string(), apa = (dir / "i.apa").string(), inf = (dir / "inf.txt").string();
    ASSERT_TRUE(escribirLibreta(l, obs));
    ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);

    auto r = cli({"estacion", obs, "P", "--aprox", "1240", "1312", "--desor", "123.5067", "--instrumentos", apa,
                  "--informe", inf});
    ASSERT_EQ(r.estado, 0) << r.errores;
    std::istringstream s(r.salida);
    double x, y, w;
    s >> x >> y >> w;
    EXPECT_NEAR(x, 1250.001, 0.0006);
    EXPECT_NEAR(y, 1299.995, 0.0006);
    EXPECT_NEAR(w, 123.4568, 0.00006);
    EXPECT_NE(r.salida.find("\nPLANIMETRIA:\nVar = 0.08"), std::string::npos) << r.salida;
    EXPECT_NE(prueba::leerFichero(inf).find("CALCULO ESTACION    MMCC"), std::string::npos);

    // From orientation 0 (the book's), as JSON.
    r = cli({"estacion", obs, "P", "--aprox", "1240", "1312", "--instrumentos", apa, "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    EXPECT_NEAR(j["orientation"].get<double>(), 123.4568, 0.00006);
    EXPECT_EQ(j["iterations"], 3);
    EXPECT_EQ(j["redundancy"], 5);
    ASSERT_EQ(j["equations"].size(), 8u);
    EXPECT_EQ(j["equations"][0]["tipo"], "Dir--->Ang");
    EXPECT_TRUE(j["equations"][0]["w"].is_number());

    // The window's messages are the failures; nothing is written.
    const auto otro = (dir / "otro.txt").string();
    r = cli({"estacion", obs, "Q", "--aprox", "1", "1", "--instrumentos", apa, "--informe", otro});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find("La Estacion no existe"), std::string::npos);
    r = cli({"estacion", obs, "P", "--aprox", "1240", "1312", "--instrumentos", (dir / "no.apa").string(), "--informe", otro});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find("Error al abrir fichero de instrumentos"), std::string::npos);
    r = cli({"estacion", obs, "P", "--aprox", "1240", "1312", "--instrumentos", apa, "--iteraciones", "1", "--informe", otro});
    EXPECT_EQ(r.estado, 1);
    EXPECT_FALSE(std::filesystem::exists(otro));
}

}  // namespace
}  // namespace celvara
