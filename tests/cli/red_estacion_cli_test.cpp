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

// Each command prints its first line, appends its report and gives JSON; the
// numbers are the core's, here that the batch tool prints and writes them.
TEST_F(RedCli, EstacionYRedEnTextoInformeYJson) {
    escribir(123.5067);
    struct Caso {
        std::vector<std::string> orden;
        const char *linea, *informe;
    };
    const Caso casos[] = {
        {{"estacion", obs, "P", "--aprox", "1240", "1312", "--desor", "123.5067"},
         "1250.0006 1299.9951 123.45678", "CALCULO ESTACION    MMCC"},
        // P without the directions from A1 and B1, which sight P alone and
        // are left out; the fixed stations from the side file.
        {{"red", obs}, "P 1249.9992 1299.9967 100.0000 0.0024 0.0024", "AJUSTE DE RED"}};
    ASSERT_TRUE(guardarFijasRed(obs, {"A", "B", "C", "E"}));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.orden[0]);
        auto orden = c.orden;
        orden.insert(orden.end(), {"--instrumentos", apa, "--informe", inf});
        auto r = cli(orden);
        ASSERT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.salida.substr(0, r.salida.find('\n')), c.linea) << r.salida;
        EXPECT_NE(prueba::leerFichero(inf).find(c.informe), std::string::npos);
        orden.resize(orden.size() - 2);
        orden.push_back("--json");
        r = cli(orden);
        ASSERT_EQ(r.estado, 0) << r.errores;
        const auto j = nlohmann::json::parse(r.salida);
        EXPECT_EQ(j[c.orden[0] == "red" ? "observations" : "equations"].size(), 8u);
        EXPECT_EQ(c.orden[0] == "red" ? j["test"]["redundancy"] : j["redundancy"], c.orden[0] == "red" ? 4 : 5);
    }

#ifndef _WIN32
    // No library named and none on drive C: (the desktop program never ran):
    // the shipped one is used.
    std::filesystem::copy_file(apa, dir / "instrumentos.apa");
    ::setenv("CELVARA_UNIDAD_C", (dir / "c").c_str(), 1);
    ::setenv("CELVARA_DATOS", dir.ruta().c_str(), 1);
    const auto sinOpcion = cli(casos[0].orden);
    ::unsetenv("CELVARA_DATOS");
    ::unsetenv("CELVARA_UNIDAD_C");
    EXPECT_EQ(sinOpcion.salida.substr(0, sinOpcion.salida.find('\n')), casos[0].linea) << sinOpcion.errores;
#endif

    // The window's messages are the failures; nothing is written.
    const auto otro = (dir / "otro.txt").string();
    for (const auto& [orden, mensaje] :
         {std::pair<std::vector<std::string>, std::string>{{"estacion", obs, "Q", "--aprox", "1", "1"}, "La Estacion no existe"},
          {{"estacion", obs, "P", "--aprox", "1240", "1312", "--iteraciones", "1"}, kMensajeNoConverge},
          {{"red", obs, "--fijos", "A,B,C,E,P"}, kMensajeRedSinNuevas}}) {
        auto a = orden;
        a.insert(a.end(), {"--instrumentos", apa, "--informe", otro});
        const auto r = cli(a);
        EXPECT_EQ(r.estado, 1);
        EXPECT_NE(r.errores.find(mensaje), std::string::npos) << r.errores;
    }
    EXPECT_FALSE(std::filesystem::exists(otro));
}

// The example job, measured in both faces with a LEICA TCR1203: B3 back on
// its true place (examples/obra_ejemplo_verdad.txt) from the raw book: by the
// station, which orients the set-ups still at 0 first and names them, and by
// the network; a library without the instrument stops both, naming it.
TEST_F(RedCli, ObraEjemploEnLasDosCarasYSinElInstrumento) {
    const std::string libro = std::string(CELVARA_EJEMPLOS) + "/obra_ejemplo.obs";
    const std::string biblioteca = std::string(CELVARA_EJEMPLOS) + "/../data/vestrum/instrumentos.apa";
    ASSERT_EQ(guardarInstrumentos(prueba::instrumentosRed(), apa), Estado::Exito);
    const std::string falta =
        "El instrumento «LEICA TCR1203» del estacionamiento «B1-1» no está en la librería de instrumentos\n";
    for (const auto& orden : {std::vector<std::string>{"estacion", libro, "B3", "--aprox", "436650", "4477700"},
                              std::vector<std::string>{"red", libro, "--fijos", "B1,B2"}}) {
        SCOPED_TRACE(orden[0]);
        auto a = orden;
        a.insert(a.end(), {"--instrumentos", biblioteca});
        const auto r = cli(a);
        ASSERT_EQ(r.estado, 0) << r.errores;
        if (orden[0] == "estacion") {
            EXPECT_NE(r.errores.find("«B1-1», «B2-1»"), std::string::npos) << r.errores;
        }
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
    for (const auto& [malo, campo] : {std::pair{1e300, 0}, {nan, 1}, {inf, 2}}) {
        SCOPED_TRACE(testing::Message() << malo << " campo " << campo);
        CLibretaCampo l;
        prueba::libretaRed(l, 123.5067);
        // A second sight of P from A (the pair "Promediar CD/CI" joins) and
        // one of C from P, each with the wild value.
        for (Estacion* e : {l.estaciones[0].get(), l.estaciones[4].get()}) {  // A1 and P1
            Estacionamiento* s = e->estacionamientos[0].get();
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
            // A hang never ends; 5 s is the batch tool's bound for any input, and leaves room for a sanitizer build under load.
            EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(5)) << orden[0];
            EXPECT_EQ(r.estado, 0) << orden[0] << r.errores;
            EXPECT_NE(r.errores.find("estacionamiento «A1», punto «P»"), std::string::npos) << orden[0] << r.errores;
        }
    }
}

// What Gama 2.33 printed for a network (gama_resultado.txt): the counts of
// its general parameters and the adjusted coordinates with their standard
// deviations (a posteriori, mm), x the northing.
struct ResultadoGama {
    int observaciones = 0, incognitas = 0, libertad = 0;
    double pvv = 0;
    struct Coordenada {
        double valor = 0, desviacion = 0;
    };
    std::map<std::string, std::pair<Coordenada, Coordenada>> xy;
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
        if (c.size() < 6 || (c[1] != "x" && c[1] != "y")) continue;
        const ResultadoGama::Coordenada leida{textoANumero(c[4]), textoANumero(c[5]) / 1000};
        auto& xy = g.xy[punto];
        (c[1] == "x" ? xy.first : xy.second) = leida;
    }
    return g;
}

// Two of GNU Gama's own test networks as field books (../shared/redes beside
// the project; README there): geodet-pc-218, whose distances only join new
// stations (plan determined, heights not), and kokes-traverse-01, whose two
// fixed set-ups sight one station six times each. The plan comes out as
// Gama's: coordinates to the 0.01 mm it prints, observations, unknowns,
// degrees of freedom, vᵀPv and the precisions of the coordinates.
TEST(RedCliGama, LasRedesDeGamaComoGama) {
    const std::filesystem::path redes = CELVARA_REDES;
    if (!std::filesystem::is_directory(redes)) GTEST_SKIP() << "sin redes en " << redes;
    for (const char* nombre : {"geodet-pc-218", "kokes-traverse-01"}) {
        SCOPED_TRACE(nombre);
        const auto d = redes / nombre;
        std::string fijos = prueba::leerFichero(d / "fijos.txt");
        fijos.erase(fijos.find_last_not_of(" \r\n") + 1);
        const auto r = cli({"red", (d / "job.obs").string(), "--fijos", fijos, "--config", (d / "obs.dft").string(),
                            "--instrumentos", (d / "lib.apa").string(), "--json"});
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
            const auto& [norte, este] = it->second;
            EXPECT_NEAR(e["x"].get<double>(), este.valor, 6e-6) << it->first;
            EXPECT_NEAR(e["y"].get<double>(), norte.valor, 6e-6) << it->first;
            // Precisions as Gama's, to the 0.1 mm it prints.
            EXPECT_NEAR(e["sx"].get<double>(), este.desviacion, 5.1e-5) << it->first;
            EXPECT_NEAR(e["sy"].get<double>(), norte.desviacion, 5.1e-5) << it->first;
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
