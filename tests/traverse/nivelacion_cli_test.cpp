// celvara-cli nivelacion as a whole process on a three-row line.
#include <gtest/gtest.h>

#include "calc/datos_prueba.h"
#include "comun/proceso.h"

namespace celvara {
namespace {

using prueba::cli;

TEST(CliNivelacion, FilasCierreToleranciaYAjuste) {
    prueba::CarpetaTemporal dir;
    const std::string linea = (dir / "linea.csv").string();
    prueba::escribirFichero(linea,
                            "punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med\r\n"
                            "A,1.600,1.400,,0.550,0.450,\r\n"
                            "B,1.550,1.450,,0.600,0.400,\r\n"
                            "C,1.520,1.480,,0.530,0.470,\r\n");
    auto r = cli({"nivelacion", linea, "--cota-salida", "100", "--cota-llegada", "103,007", "--ajustar"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    // Rows (wires to middles and lengths, running sum, height, adjusted height),
    // arrival, misclosure and tolerance worked by hand: 7 mm spread by distance run.
    EXPECT_EQ(r.salida, prueba::leerDato("nivelacion/cli_ajustada.txt"));

    // Adjusted heights only when asked; the texts of a line without lengths
    // are CalculoNivelacion's.
    r = cli({"nivelacion", linea, "--cota-salida", "100", "--cota-llegada", "103.007"});
    EXPECT_EQ(r.salida.substr(0, r.salida.find('\n')), "A 1.5000 20.00 0.5000 10.00 1.0000 1.0000 101.0000");

    prueba::escribirFichero(linea, "punto\nA,,,1.5,,,0.5\nB,1.6,,,,,0.5\n");
    r = cli({"nivelacion", linea, "--cota-salida", "10"});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find("Línea 3"), std::string::npos) << r.errores;
    EXPECT_EQ(cli({"nivelacion", linea, "--cota-salida", "10", "--ajustar"}).estado, 2);
    EXPECT_EQ(cli({"nivelacion", linea, "--cota-salida", "x"}).estado, 2);
}

}  // namespace
}  // namespace celvara
