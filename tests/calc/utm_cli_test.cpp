// celvara-cli utm as a whole process: line formats, "fuera", usage errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/proyeccion_utm.h"
#include "comun/proceso.h"

namespace celvara {
namespace {

prueba::SalidaProceso ejecutar(const std::string& argumentos, const std::string& entrada) {
    return prueba::cliLinea("utm " + argumentos, entrada);
}

std::string linea(CProyeccionUTM& utm, double x, double y) {
    const auto g = utm.UtmAGeograficas(x, y, 30);
    if (!g) return "fuera\n";
    char texto[128];
    std::snprintf(texto, sizeof texto, "%.10f %.10f %.12f\n", g->latitud, g->longitud, g->factorEscala);
    return texto;
}

TEST(CliUtm, FormatosFueraElipsoidesYUso) {
    CProyeccionUTM ed50(true);
    const auto e = ejecutar("--elipsoide ed50",
                            "500000 4400000\n"
                            "281234.567 4123456.789\n"
                            "50000 4400000\n"
                            "723456,5\t4876543,25\r\n"  // decimal commas, tab, CRLF
                            "\n"                        // blank: (0, 0)
                            "abc def\n"
                            "500000 9500000\n"
                            "  612345.6   4012345.6   extra\n"
                            "399999.999 4500000");      // last line without its end
    EXPECT_EQ(e.estado, 0);
    const std::string esperado = linea(ed50, 500000, 4400000) + linea(ed50, 281234.567, 4123456.789) + "fuera\n" +
                                 linea(ed50, 723456.5, 4876543.25) + "fuera\nfuera\nfuera\n" +
                                 linea(ed50, 612345.6, 4012345.6) + linea(ed50, 399999.999, 4500000);
    EXPECT_EQ(e.salida, esperado);
    EXPECT_EQ(e.salida.substr(0, e.salida.find('\n') + 1), "39.7492307727 -3.0000000000 0.999600000000\n");

    // The GRS80 datums, named in any case: HusosYDatumsGrs80.
    const auto vacia = ejecutar("--elipsoide ed50", "");
    EXPECT_EQ(vacia.estado, 0);
    EXPECT_EQ(vacia.salida, "");
    for (const char* uso : {"", "--elipsoide etrs90", "--elipsoide", "--elipsoide ed50 --huso 0", "--elipsoide ed50 --huso 61"})
        EXPECT_EQ(ejecutar(uso, "1 2\n").estado, 2) << uso;
}

// Any zone and the GRS80 datums: PROJ's invproj gives 430000 4581000 on UTM
// 31 GRS80 as 2.1628823986 E 41.3774769856 N, k 0.99966030 (Barcelona); WGS
// 84 is the same within 1e-8 degrees; zone 30 by default, 6 degrees west.
TEST(CliUtm, HusosYDatumsGrs80) {
    for (const auto& [orden, longitud] : {std::pair{"--elipsoide etrs89 --huso 31", 2.1628823986},
                                          {"--elipsoide wgs84 --huso 31", 2.1628823986},
                                          {"--elipsoide REGCAN95 --huso 31", 2.1628823986},
                                          {"--elipsoide etrs89", 2.1628823986 - 6}}) {
        const auto s = ejecutar(orden, "430000 4581000\n");
        double v[3];
        ASSERT_EQ(std::sscanf(s.salida.c_str(), "%lf %lf %lf", &v[0], &v[1], &v[2]), 3) << orden << s.salida;
        EXPECT_NEAR(v[0], 41.3774769856, 1e-8) << orden;
        EXPECT_NEAR(v[1], longitud, 1e-8) << orden;
        EXPECT_NEAR(v[2], 0.99966030, 6e-9) << orden;
    }
}

TEST(CliUtm, LineaLargaYMuchasLineas) {
    // A line far longer than any buffer keeps its first fields; lines that
    // straddle the reading blocks come out whole.
    CProyeccionUTM ed50(true);
    std::string entrada = "300000 4300000" + std::string(3 * 1024 * 1024, ' ') + "9\n";
    std::string esperado = linea(ed50, 300000, 4300000);
    for (int i = 0; i < 60000; ++i) {
        const double x = 200000 + i * 10.001;
        const double y = 3900000 + i * 16.0007;
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.3f %.4f\n", x, y);
        entrada += texto;
        esperado += linea(ed50, std::strtod(texto, nullptr), std::strtod(std::strchr(texto, ' '), nullptr));
    }
    const auto e = ejecutar("--elipsoide ed50", entrada);
    EXPECT_EQ(e.estado, 0);
    EXPECT_TRUE(e.salida == esperado) << "salida de " << e.salida.size() << " bytes, esperados " << esperado.size();
}

}  // namespace
}  // namespace celvara
