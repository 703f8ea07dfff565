// celvara-cli as a whole process: volcar and anexar over observation and
// settings files, and usage errors (bad files: entradas_cli_test.cpp).
#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::cli;

void libretaDePrueba(const std::filesystem::path& ruta, std::string_view prefijo, int estaciones) {
    CLibretaCampo l;
    l.reservado = "reservado";
    l.proyeccion = 1;
    for (int i = 0; i < estaciones; ++i) {
        std::string nombre = std::string(prefijo) + std::to_string(i);
        auto* e = crearEstacion(l.estaciones, {.nombre = nombre, .tipo = 1, .coordenadas = Coordenadas{1000.123456789, 2000, 50},
                                               .descripcion1 = "Se\xF1" "al"});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, nombre + "-1", nombre, 1.5, nullptr, 0.1);
        crearLectura(s->lecturas, std::nullopt, "7", 1.3, 25.5, 99.9, 310.25, "\xC1RBOL");
    }
    ASSERT_TRUE(escribirLibreta(l, ruta));
}

// anexar puts the second book's stations after the first's; volcar shows the
// result as JSON in UTF-8.
TEST(CliVolcar, LibretaAnexadaComoJsonEnUtf8) {
    CarpetaTemporal dir;
    libretaDePrueba(dir / "base.obs", "A", 1);
    libretaDePrueba(dir / "otro.obs", "B", 2);
    auto r = cli({"anexar", (dir / "base.obs").string(), (dir / "otro.obs").string(), "-o", (dir / "a.OBS").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    r = cli({"volcar", (dir / "a.OBS").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    ASSERT_EQ(std::tuple(j["proyeccion"], j["reservado"], j["estaciones"].size()), std::tuple(1, "reservado", 3u));
    const auto& e = j["estaciones"][2];
    const auto& s = e["estacionamientos"][0];
    const auto& l = s["lecturas"][0];
    EXPECT_EQ(std::tuple(e["nombre"], e["x"].get<double>(), e["descripcion1"], s["estacion"], s["datos"]["unidadAngular"],
                         l["codigo"], l["horizontal"].get<double>()),
              std::tuple("B1", 1000.123456789, "Se\xC3\xB1" "al", "B1", 400, "\xC3\x81RBOL", 310.25));
}

TEST(CliVolcar, AjustesConNombresClarosYUso) {
    CarpetaTemporal dir;
    CDatosGenerales a;
    a.ultimoFichero = "C:\\TRABAJOS\\A.OBS";
    ASSERT_EQ(guardarAjustes(a, dir / "observa.dft"), Estado::Exito);
    auto r = cli({"volcar", (dir / "observa.dft").string(), "--formato", "dft"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto j = nlohmann::json::parse(r.salida);
    EXPECT_EQ(std::tuple(j["ultimoFichero"], j["radioTerrestre"].get<double>(), j["datosPorDefecto"]["instrumento"]),
              std::tuple("C:\\TRABAJOS\\A.OBS", 6378388.0, "ESTANDAR"));
    EXPECT_EQ((std::array{cli({"volcar"}).estado, cli({"no-existe"}).estado, cli({"volcar", "x.desconocido"}).estado}),
              (std::array{2, 2, 2}));
}

}  // namespace
}  // namespace celvara
