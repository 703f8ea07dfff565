// celvara-cli orientar and radiar as whole processes on the example job.
#include <gtest/gtest.h>

#include <regex>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "datos/fichero_crd.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::cli;

const std::string kObra = std::string(CELVARA_EJEMPLOS) + "/obra_ejemplo.obs";

// orientar prints a line per set-up, writes the oriented book and appends a
// report per set-up; radiar on that book prints and writes the points.
TEST(CliOrientarYRadiar, LineasLibretaInformesYCoordenadas) {
    CarpetaTemporal dir;
    const auto orientada = (dir / "o.obs").string(), informe = (dir / "inf.txt").string(), crd = (dir / "p.crd").string();
    auto r = cli({"orientar", kObra, "-o", orientada, "--informe", informe});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "B1 B1-1 4 235.1439 0.0000\nB2 B2-1 4 207.2217 0.0000\nB3 B3-1 4 63.6049 0.0000\n");
    CLibretaCampo l;
    ASSERT_TRUE(leerLibreta(l, orientada));
    EXPECT_DOUBLE_EQ(l.estaciones[1]->estacionamientos[0]->desorientacion, 207.2217);
    const std::string texto = prueba::leerFichero(informe);
    const std::regex titulo("CALCULO DE LA DESORIENTACION");
    EXPECT_EQ(std::distance(std::sregex_iterator(texto.begin(), texto.end(), titulo), std::sregex_iterator()), 3);
    EXPECT_EQ(cli({"orientar", kObra}).estado, 2);

    r = cli({"radiar", orientada, "-o", crd, "--informe2", (dir / "i2.txt").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida.substr(0, r.salida.find('\n')), "B1 436512.345 4478021.678 652.310");
    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(crd, puntos), Estado::Exito);
    EXPECT_EQ(puntos.size(), 123u);  // three stations and 120 points
    EXPECT_TRUE(std::filesystem::exists(dir / "i2.txt"));
    // Without the stations, sights to stations computed too, kept points first.
    r = cli({"radiar", orientada, "-o", crd, "--anadir", "--sin-estaciones", "--visuales-a-estaciones"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    ASSERT_EQ(leerListaPuntos(crd, puntos), Estado::Exito);
    EXPECT_EQ(puntos.size(), 123u + 120u + 12u);
    EXPECT_EQ(cli({"radiar", orientada, "-o", crd, "--proyeccion", "lambert"}).estado, 2);
}

}  // namespace
}  // namespace celvara
