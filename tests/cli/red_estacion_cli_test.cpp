// celvara-cli estacion and red on the worked network of the station by
// least squares.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "calc/red/ajuste_red.h"
#include "comun/imagen.h"
#include "comun/proceso.h"
#include "comun/red_estacion.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"

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
    // As the station computes P without the directions from A1 and B1, which
    // sight P alone and are left out (1.8 mm from its worked result).
    EXPECT_EQ(nombre, "P");
    EXPECT_NEAR(x, 1249.9992, 0.00006);
    EXPECT_NEAR(y, 1299.9967, 0.00006);
    EXPECT_NEAR(z, 100.0, 0.0006);
    EXPECT_GT(sx, 0);
    EXPECT_EQ(test, "Test");
    EXPECT_NE(r.salida.find(" r = 4: "), std::string::npos) << r.salida;
    EXPECT_NE(prueba::leerFichero(inf).find("AJUSTE DE RED"), std::string::npos);

    // Without --fijos: the side file beside the book, as JSON.
    ASSERT_TRUE(guardarFijasRed(obs, {"A", "B", "C", "E"}));
    r = cli({"red", obs, "--instrumentos", apa, "--json"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    ASSERT_EQ(j["stations"].size(), 5u);
    EXPECT_EQ(j["stations"][4]["fixed"], false);
    EXPECT_EQ(j["setups"][2]["adjusted"], true);
    EXPECT_EQ(j["observations"].size(), 8u);
    EXPECT_EQ(j["test"]["redundancy"], 4);

    // Every station with coordinates fixed: nothing to adjust.
    std::filesystem::remove(rutaFijasRed(obs));
    r = cli({"red", obs, "--instrumentos", apa});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find(kMensajeRedSinNuevas), std::string::npos) << r.errores;
}

// The example job, measured in both faces with a LEICA TCR1203: B3 back on
// its true place (examples/obra_ejemplo_verdad.txt) by the station once the
// set-ups are oriented, and by the network from the raw book; a library
// without the instrument stops both, naming it.
TEST_F(RedCli, ObraEjemploEnLasDosCarasYSinElInstrumento) {
    const std::string libro = std::string(CELVARA_EJEMPLOS) + "/obra_ejemplo.obs";
    const std::string biblioteca = std::string(CELVARA_EJEMPLOS) + "/../data/vestrum/instrumentos.apa";
    const std::string orientada = (dir / "orientada.obs").string();
    ASSERT_EQ(cli({"orientar", libro, "-o", orientada}).estado, 0);
    ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);
    const std::string falta =
        "El instrumento «LEICA TCR1203» del estacionamiento «B1-1» no está en la librería de instrumentos\n";
    for (const auto& orden : {std::vector<std::string>{"estacion", orientada, "B3", "--aprox", "436650", "4477700"},
                              std::vector<std::string>{"red", libro, "--fijos", "B1,B2"}}) {
        SCOPED_TRACE(orden[0]);
        auto a = orden;
        a.insert(a.end(), {"--instrumentos", biblioteca});
        const auto r = cli(a);
        ASSERT_EQ(r.estado, 0) << r.errores;
        std::istringstream s(r.salida);
        if (orden[0] == "red") s >> a[0];
        double x = 0, y = 0;
        s >> x >> y;
        EXPECT_NEAR(x, 436655.4800, 0.005);
        EXPECT_NEAR(y, 4477694.2330, 0.005);

        a = orden;
        a.insert(a.end(), {"--instrumentos", apa});
        const auto sin = cli(a);
        EXPECT_EQ(sin.estado, 1);
        EXPECT_EQ(sin.errores, falta);
    }
}

// Wild values in a book (1e300, NaN, inf in H, V or D): the corrections, the
// station and the network return at once, naming the reading left out.
TEST_F(RedCli, ValoresDisparatadosSeDejanFueraYSeNombran) {
    constexpr double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (const double malo : {1e300, nan, inf})
        for (int campo = 0; campo < 3; ++campo) {
            SCOPED_TRACE(testing::Message() << malo << " campo " << campo);
            CLibretaCampo l;
            prueba::libretaRed(l, 123.5067);
            // A second sight of P from A (the pair "Promediar CD/CI" joins) and
            // one of C from P, each with the wild value.
            for (const char* quien : {"A1", "P1"}) {
                Estacionamiento* s = nullptr;
                for (auto& e : l.estaciones)
                    for (auto& x : e->estacionamientos)
                        if (x->nombre == std::string_view(quien)) s = x.get();
                Lectura m = s->lecturas.front();
                (campo == 0 ? m.horizontal : campo == 1 ? m.vertical : m.distancia) = malo;
                s->lecturas.push_back(m);
            }
            ASSERT_TRUE(escribirLibreta(l, obs));
            ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);
            for (const auto& orden :
                 {std::vector<std::string>{"corregir", obs, "-o", (dir / "c.obs").string(), "--promediar"},
                  std::vector<std::string>{"estacion", obs, "P", "--aprox", "1240", "1312", "--instrumentos", apa},
                  std::vector<std::string>{"red", obs, "--fijos", "A,B,C,E", "--instrumentos", apa}}) {
                const auto inicio = std::chrono::steady_clock::now();
                const auto r = cli(orden);
                EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(1)) << orden[0];
                EXPECT_EQ(r.estado, 0) << orden[0] << r.errores;
                EXPECT_NE(r.errores.find("estacionamiento «A1», punto «P»"), std::string::npos) << orden[0] << r.errores;
            }
        }
}

// What Gama 2.33 printed for a network (gama_resultado.txt): the counts of
// its general parameters and the adjusted coordinates, x the northing.
struct ResultadoGama {
    int observaciones = 0, incognitas = 0, libertad = 0;
    double pvv = 0;
    std::map<std::string, std::pair<double, double>> xy;
};
ResultadoGama leerGama(const std::string& texto) {
    ResultadoGama g;
    std::istringstream s(texto);
    std::string l, punto;
    bool coordenadas = false;
    auto tras = [&l](const char* clave) { return textoANumero(l.substr(l.find(':', l.find(clave)) + 1)); };
    while (std::getline(s, l)) {
        if (l.find("Total of observations") != std::string::npos) g.observaciones = static_cast<int>(tras("Total"));
        if (l.find("Number of unknowns") != std::string::npos) g.incognitas = static_cast<int>(tras("unknowns"));
        if (l.find("Degrees of freedom") != std::string::npos) g.libertad = static_cast<int>(tras("Degrees"));
        if (l.find("[pvv]") != std::string::npos) g.pvv = tras("[pvv]");
        if (l.rfind("Adjusted", 0) == 0) coordenadas = l.rfind("Adjusted coordinates", 0) == 0;
        if (!coordenadas) continue;
        std::istringstream w(l);
        std::vector<std::string> c{std::istream_iterator<std::string>(w), std::istream_iterator<std::string>()};
        if (c.size() == 1 && c[0].find_first_of("*=") == std::string::npos) punto = c[0];
        if (c.size() >= 5 && (c[1] == "x" || c[1] == "y"))
            (c[1] == "x" ? g.xy[punto].first : g.xy[punto].second) = textoANumero(c[4]);
    }
    return g;
}

// Two of GNU Gama's own test networks as field books (../shared/redes beside
// the project; README there): geodet-pc-218, whose distances only join new
// stations (plan determined, heights not), and kokes-traverse-01, whose two
// fixed set-ups sight one station six times each. The plan comes out as
// Gama's: coordinates to the 0.01 mm it prints, observations, unknowns,
// degrees of freedom and vᵀPv.
TEST(RedCliGama, LasRedesDeGamaComoGama) {
    const std::filesystem::path redes = CELVARA_REDES;
    if (!std::filesystem::is_directory(redes)) GTEST_SKIP() << "sin redes en " << redes;
    for (const char* nombre : {"geodet-pc-218", "kokes-traverse-01"}) {
        SCOPED_TRACE(nombre);
        const auto d = redes / nombre;
        std::string fijos = prueba::leerFichero(d / "fijos.txt");
        fijos.erase(fijos.find_last_not_of(" \r\n") + 1);
        const std::vector<std::string> orden = {"red",      (d / "job.obs").string(), "--fijos",
                                                fijos,      "--config",               (d / "obs.dft").string(),
                                                "--instrumentos", (d / "lib.apa").string()};
        auto json = orden;
        json.push_back("--json");
        const auto r = cli(json);
        ASSERT_EQ(r.estado, 0) << r.errores;
        const auto j = nlohmann::json::parse(r.salida);
        const ResultadoGama g = leerGama(prueba::leerFichero(d / "gama_resultado.txt"));
        ASSERT_GT(g.xy.size(), 2u);
        const auto& plano = j["test"]["plan"];
        EXPECT_EQ(plano["observations"], g.observaciones);
        EXPECT_EQ(plano["unknowns"], g.incognitas);
        EXPECT_EQ(plano["redundancy"], g.libertad);
        EXPECT_NEAR(plano["vpv"].get<double>(), g.pvv, 1e-5 * g.pvv);
        EXPECT_TRUE(j["left_out"].empty());
        std::size_t vistas = 0;
        for (const auto& e : j["stations"]) {
            const auto it = g.xy.find(e["name"].get<std::string>());
            if (it == g.xy.end()) continue;
            ++vistas;
            EXPECT_NEAR(e["x"].get<double>(), it->second.second, 6e-6) << it->first;
            EXPECT_NEAR(e["y"].get<double>(), it->second.first, 6e-6) << it->first;
        }
        EXPECT_EQ(vistas, g.xy.size());
    }

    // geodet-pc-218's heights: no height difference reaches a fixed station,
    // so the three new stations keep the book's Z (500) and are named.
    const auto d = redes / "geodet-pc-218";
    const auto r = cli({"red", (d / "job.obs").string(), "--fijos", "2044,2505,776", "--config",
                        (d / "obs.dft").string(), "--instrumentos", (d / "lib.apa").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_NE(r.salida.find("\n351 41000.0177 94999.9396 500.0000 "), std::string::npos) << r.salida;
    EXPECT_NE(r.salida.find(" r = 6: aceptado"), std::string::npos) << r.salida;
    EXPECT_NE(r.salida.find("\nZ sin determinar, queda la de la libreta: 1783, 351, 462\n"), std::string::npos)
        << r.salida;
}

}  // namespace
}  // namespace celvara
