// celvara-cli estacion and red on the worked network of the station by
// least squares.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "calc/red/ajuste_red.h"
#include "comun/imagen.h"
#include "comun/proceso.h"
#include "comun/red_estacion.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using prueba::cli;

// The network's book (P at orientation `omegaP`) and its instrument file.
struct RedCli : ::testing::Test {
    void escribir(double omegaP) {
        CLibretaCampo l;
        prueba::libretaRed(l, omegaP);
        ASSERT_TRUE(escribirLibreta(l, obs));
        ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);
    }
    prueba::CarpetaTemporal dir;
    const std::string obs = (dir / "red.obs").string(), apa = (dir / "i.apa").string(), inf = (dir / "inf.txt").string();
};

TEST_F(RedCli, EstacionEnTextoYJson) {
    escribir(0.0);

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

#ifndef _WIN32
    // No library named and none on drive C: (the desktop program never ran):
    // the shipped one is used.
    std::filesystem::copy_file(apa, dir / "instrumentos.apa");
    ::setenv("CELVARA_UNIDAD_C", (dir / "c").c_str(), 1);
    ::setenv("CELVARA_DATOS", dir.ruta().c_str(), 1);
    const auto sinOpcion = cli({"estacion", obs, "P", "--aprox", "1240", "1312", "--desor", "123.5067"});
    ::unsetenv("CELVARA_DATOS");
    ::unsetenv("CELVARA_UNIDAD_C");
    EXPECT_EQ(sinOpcion.estado, 0) << sinOpcion.errores;
    EXPECT_EQ(sinOpcion.salida, r.salida);
#endif

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

TEST_F(RedCli, RedUnaLineaPorEstacionYElTestFijasDelFicheroAlLado) {
    escribir(123.5067);

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
