// GSI files composed from the public word layout: word index, information,
// sign, data digits, blank; GSI8 words of 16 and GSI16 words of 24 characters.
#include <gtest/gtest.h>

#include <tuple>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::medidas;
using prueba::punto16;
using prueba::punto8;
using prueba::w16;
using prueba::w8;
using prueba::wTexto;
using V = std::vector<std::string>;

constexpr int kSimple = 5, kCodigo42 = 18, kStonex = 32, kConfigurable = 25;

// A measurement line: horizontal and vertical in 1e-5 units, distance and
// target height in millimetres.
std::string medida8(long long n, long long hz = 1234567, long long v = 9876543, long long d = 25432,
                    long long jalon = 1600) {
    return punto8(n) + w8(21, hz, ".322") + w8(22, v, ".322") + w8(31, d, "..00") + w8(87, jalon, "..00") + "\r\n";
}
const std::string kMedida = " 12.34567 98.76543 25.432 1.6";  // medida8's values as read

std::string estacion8(long long n, long long altura) {
    return punto8(n) + w8(84, 1000000, "..40") + w8(85, 2000000, "..40") + w8(86, 300000, "..40") +
           w8(88, altura, "..10") + "\r\n";
}
// A code-42 station line.
std::string bloque42(int n, std::string_view nombre, long long altura = -1) {
    return w8(41, n, "000" + std::to_string(n)) + wTexto(42, nombre) + (altura < 0 ? "" : w8(88, altura)) + "\n";
}

// A station line collects the readings after it (readings before any take
// the invented station "ST"): its 84-86 are the station's coordinates,
// readings without word 88 keep its height; a station recorded twice with
// nothing between keeps one set-up. Word 25 records the orientation the
// horizontal readings already carry: the set-up's own stays 0.
TEST(GsiSimple, EstacionesYLecturasQueLasSiguen) {
    Importacion imp;
    const std::string orientada = punto8(300) + w8(25, 5000000, ".322") + w8(84, 1000, "..40") + w8(88, 1450) + "\n";
    const std::string f = medida8(7) + estacion8(100, 1500) + estacion8(100, 1500) + medida8(1) + medida8(2) +
                          medida8(3) + orientada + punto8(1) + w8(88, 1450) + "\n";
    ASSERT_EQ(imp.importar(kSimple, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(prueba::libro(imp.libreta), (V{"ST 0 0 0", "  ST(1) 0 0 400", "    7" + kMedida, "100 1000 2000 300",
                                             "  100(1) 1.5 0 400", "    1" + kMedida, "    2" + kMedida,
                                             "    3" + kMedida, "300 1 0 0", "  300(1) 1.45 0 400", "    1 0 0 0 0"}));
}

// Lines the plain reader must cut right, each file with the readings it gives.
TEST(GsiSimple, PalabrasYLineasLimite) {
    std::string sinBlanco = punto8(1) + w8(21, 1234567, ".322") + w8(22, 9000000, ".322");
    sinBlanco.pop_back();  // the last word lacks its blank: k*W + W - 1 == length
    std::string incompleta = punto8(2) + w8(21, 1234567, ".322") + w8(22, 9000000, ".322");
    incompleta.resize(incompleta.size() - 2);  // the last word lacks a data digit
    std::string sinAvance = "\r\n\r\n" + medida8(1) + "1100\r\n" + medida8(2);
    sinAvance.resize(sinAvance.size() - 2);
    std::string larga = punto8(2);
    while (larga.size() < 100000) larga += w8(21, 4242, ".322");
    const std::pair<std::string, V> casos[] = {
        // Once the first record exists, a GSI16-looking line keeps W = 16:
        // no word 21 at 16-character steps.
        {medida8(1) + punto16(2) + w16(21, 12345678, ".322") + "\n", {"1" + kMedida, "2 0 0 0 0"}},
        {sinBlanco + "\n" + incompleta + "\n", {"1 12.34567 90 0 0", "2 12.34567 0 0 0"}},
        // Six values at most: the second 21 is not read; the slope distance
        // 31 wins over 32.
        {punto8(1) + w8(21, 1) + w8(22, 2) + w8(31, 3) + w8(87, 4) + w8(88, 5) + w8(32, 6) + w8(21, 7) + "\n",
         {"1 0.00001 0.00002 0.003 0.004"}},
        // Blank and short lines; the last line without its end.
        {sinAvance, {"1" + kMedida, "2" + kMedida}},
        {medida8(1) + larga + "\n" + medida8(3), {"1" + kMedida, "2 0.04242 0 0 0", "3" + kMedida}},
    };
    for (const auto& [f, esperadas] : casos) {
        Importacion imp;
        ASSERT_EQ(imp.leer(kSimple, f), Estado::Exito);
        EXPECT_EQ(medidas(imp.listas), esperadas);
    }
}

// The distance kind each set-up gets from its lines, in every GSI reader and
// the Geodimeter one: slope distances (31, label 9) make it GEOMETRICAS and
// win over a horizontal one on the same line; horizontal ones alone (32,
// label 11) make it Reducidas/Vertical; in a mixed set-up a horizontal-only
// line gets horizontal / sin z, the level sight when it has no vertical.
TEST(GsiDistancias, TipoDelEstacionamientoYReducidasConvertidas) {
    auto linea = [](long long n, long long v, long long inclinada, long long reducida) {
        std::string l = punto8(n) + w8(21, 1000000 * n, ".322");
        if (v >= 0) l += w8(22, v, ".322");
        if (inclinada >= 0) l += w8(31, inclinada);
        if (reducida >= 0) l += w8(32, reducida);
        return l + "\n";
    };
    // 100 gon with both words; 50 gon with 32 only; 32 only without a vertical.
    const std::string mixtas = linea(1, 10000000, 10000, 9990) + linea(2, 5000000, -1, 10000) + linea(3, -1, -1, 5000);
    const std::string reducidas = linea(1, 9000000, -1, 10000) + linea(2, -1, -1, 5000);
    const std::string estacion28 = w8(41, 0, "0001") + w8(42, 7, "....") + w8(43, 1500, "....") + "\n";
    const V convertidas = {"1 10 100 10 0", "2 20 50 14.14213562 0", "3 30 100 5 0"};
    const struct {
        int indice;
        std::string fichero;
        TipoVertical vertical;
        TipoDistancia tipo;
        V medidas;
    } casos[] = {
        {kSimple, estacion8(100, 1500) + mixtas, TipoVertical::Zenital, TipoDistancia::Geometricas, convertidas},
        {27, estacion8(100, 1500) + mixtas, TipoVertical::Zenital, TipoDistancia::Geometricas, convertidas},
        {kCodigo42, bloque42(1, "B1", 1500) + mixtas, TipoVertical::Zenital, TipoDistancia::Geometricas, convertidas},
        {4, "2=E1\n5=1\n7=10\n8=100\n9=10\n11=9.99\n5=2\n7=20\n8=50\n11=10\n5=3\n7=30\n11=5\n",
         TipoVertical::Zenital, TipoDistancia::Geometricas, convertidas},
        // An elevation angle of 20 gon: 10 / cos 20g; the level sight is 0.
        {kSimple, estacion8(100, 1500) + linea(1, 0, 1000, -1) + linea(2, 2000000, -1, 10000) + linea(3, -1, -1, 5000),
         TipoVertical::Inclinacion, TipoDistancia::Geometricas,
         {"1 10 0 1 0", "2 20 20 10.51462224 0", "3 30 0 5 0"}},
        {kSimple, estacion8(100, 1500) + reducidas, TipoVertical::Zenital, TipoDistancia::ReducidasVertical,
         {"1 10 90 10 0", "2 20 0 5 0"}},
        {28, estacion28 + reducidas, TipoVertical::Zenital, TipoDistancia::ReducidasVertical,
         {"1 10 90 10 0", "2 20 0 5 0"}},
        // No distance at all: the default block's kind stays.
        {kSimple, estacion8(100, 1500) + linea(1, 9000000, -1, -1), TipoVertical::Zenital, TipoDistancia::Generadores,
         {"1 10 90 0 0"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.indice) + " " + c.fichero);
        Importacion imp;
        imp.ajustes.datosPorDefecto.tipoVertical = static_cast<std::int32_t>(c.vertical);
        imp.ajustes.datosPorDefecto.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::Generadores);
        ASSERT_EQ(imp.importar(c.indice, c.fichero), ResultadoImportacion::Cerrar);
        const Estacionamiento& s = imp.estacionamiento(imp.libreta.estaciones.size() - 1, 0);
        EXPECT_EQ(s.datos.tipoDistancia, static_cast<std::int32_t>(c.tipo));
        EXPECT_EQ(medidas(s), c.medidas);
    }
}

// A line of coordinates alone (81/82/83, no angle) is no reading: it fills
// a station of the book that has none, and the summary lists the others.
TEST(GsiCoordenadasSueltas, RellenanEstacionSinCoordenadasOSeListan) {
    auto sueltas = [](std::string_view id, long long x) {
        return wTexto(11, id) + w8(81, x) + w8(82, x + 10000) + w8(83, x + 20000) + "\n";
    };
    const std::string resto = sueltas("B", 10000) + sueltas("C", 40000) + sueltas("D", 70000) + medida8(1);
    const std::string resumen = std::string(mensajes::kResumenOmitidas) +
                                "\nlínea 3: C 40.000 50.000 60.000, solo coordenadas: la estación ya tiene "
                                "coordenadas en la libreta\nlínea 4: D 70.000 80.000 90.000, solo coordenadas: no hay "
                                "en la libreta una estación con ese nombre";
    const std::pair<int, std::string> casos[] = {
        {kSimple, estacion8(100, 1500)},
        {27, estacion8(100, 1500)},
        {28, w8(41, 0, "0001") + w8(42, 100, "....") + w8(43, 1500, "....") + "\n"},
        {kCodigo42, bloque42(1, "100", 1500)},
    };
    for (const auto& [indice, estacion] : casos) {
        SCOPED_TRACE(indice);
        Importacion imp;
        crearEstacion(imp.libreta.estaciones, {.nombre = "B"});
        crearEstacion(imp.libreta.estaciones, {.nombre = "C", .coordenadas = Coordenadas{1, 2, 3}});
        ASSERT_EQ(imp.importar(indice, estacion + resto), ResultadoImportacion::Cerrar);
        EXPECT_EQ(imp.avisos.textos(), (V{resumen}));
        EXPECT_EQ(prueba::xyz(imp.estacion(0)) + "|" + prueba::xyz(imp.estacion(1)), "10 20 30|1 2 3");
        EXPECT_EQ(std::tuple(imp.libreta.estaciones.size(), imp.libreta.contarLecturas()), std::tuple(3u, 1u));  // no D
    }
}

// Ids and remarks, each file with its readings as "number id|text", all in
// one set-up.
TEST(GsiSimple, IdsYComentarios) {
    // A code block before any reading is ignored; one after a reading
    // replaces its text, which the next readings carry.
    std::string arrastre = wTexto(41, "9") + "\n" + medida8(1) + medida8(2);
    arrastre += punto8(3) + w8(21, 1, ".322") + wTexto(71, "ARBOL") + "\n" + medida8(4) + medida8(5);
    arrastre += medida8(7) + wTexto(41, "123") + "\n" + medida8(8);
    const std::pair<std::string, V> casos[] = {
        {arrastre, {"1 1|", "2 2|", "3 3|ARBOL", "4 4|ARBOL", "5 5|ARBOL", "7 7|/123", "8 8|/123"}},
        {punto16(1) + wTexto(71, "ABCDEFGHIJKLMNOP", 16) + "\n", {"1 1|ABCDEFGHIJKLMNOP"}},
        // A remark runs to the next blank, so one without blanks fills the line: cut to 49.
        {punto8(2) + w8(71, 0).substr(0, 7) + std::string(60, 'Z') + "\n", {"2 2|" + std::string(49, 'Z')}},
        // A huge number saturates and its id is cut to 15; "0000P12A" reads
        // its digits up to the "P".
        {"*" + punto16(9999999999999999LL) + "\n*" + punto16(2147483647LL) + "\n" + "*" +
             wTexto(11, "P12A", 16, "0001") + w16(21, 1) + "\n",
         {"2147483647 999999999999999|", "2147483647 2147483647|", "0 P12A|"}},
        {wTexto(11, "P12A", 8, "0001") + w8(21, 1) + "\n", {"0 P12A|"}},
    };
    for (const auto& [f, esperadas] : casos) {
        Importacion imp;
        ASSERT_EQ(imp.leer(kSimple, f), Estado::Exito);
        V v;
        for (const auto& l : imp.listas.lecturas())
            v.push_back(std::to_string(l.numero) + " " + l.nombre.str() + "|" + l.texto.str());
        EXPECT_EQ(v, esperadas);
        EXPECT_EQ(imp.listas.estacionamientos().size(), 1u);
    }
}

TEST(GsiCodigo42, CadaEstacionRecogeLasLecturasQueLaSiguen) {
    // Readings before the first station are dropped without a message;
    // readings 3, 4, 1 give the range [3, 1] and still belong to the station
    // line before them; a station without word 88 has height 0.
    Importacion imp;
    const std::string f = medida8(9) + bloque42(1, "B1", 1500) + medida8(3) + medida8(4) + medida8(1) +
                          bloque42(2, "B2") + medida8(5);
    ASSERT_EQ(imp.importar(kCodigo42, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(prueba::libro(imp.libreta), (V{"B1 0 0 0", "  B1(1) 1.5 0 400", "    3" + kMedida, "    4" + kMedida,
                                             "    1" + kMedida, "B2 0 0 0", "  B2(1) 0 0 400", "    5" + kMedida}));
}

TEST(GsiConfigurable, BloqueDeEstacionEspaldaYGrupos) {
    // The reading before the block is dropped; a gap in the numbers starts a
    // group; the first set-up is oriented by the backsight to 40 read at 50.
    Importacion imp;
    const std::string bloque = w8(41, 1300, "0001") + w8(42, 1550) + w8(43, 17) + "\n";
    auto medida = [](long long n, long long hz) {
        return punto8(n) + w8(21, hz, ".322") + w8(22, 10000000, ".322") + w8(31, 12000) + wTexto(51, "PIE") + "\n";
    };
    const std::string f = medida(1, 0) + bloque + medida(40, 5000000) + medida(41, 100) + medida(43, 200);
    ASSERT_EQ(imp.importar(kConfigurable, f), ResultadoImportacion::Cerrar);
    EXPECT_EQ(prueba::libro(imp.libreta), (V{"17 0 0 0", "  17(1) 1.55 -50 400", "    40 50 100 12 1.3 PIE",
                                             "    41 0.001 100 12 1.3 PIE", "  17(2) 1.55 0 400", "    43 0.002 100 12 1.3 PIE"}));
}

// The set-up records each reader lists (first and last -1 without readings).
TEST(GsiEstacionamientos, CortesYNombres) {
    const std::tuple<int, std::string, V> casos[] = {
        // A change of instrument height starts a set-up.
        {kSimple, punto8(1) + w8(88, 1500) + "\n" + punto8(2) + w8(88, 1600) + "\n", {"ST|1|1|1.5||", "ST|2|2|1.6||"}},
        // A station line without readings is taken over by the next.
        {kCodigo42, bloque42(1, "B1", 1500) + bloque42(2, "B2", 1600) + medida8(1), {"B2|1|1|1.6||"}},
        // Any character, leading zeros off, cut to 15.
        {kCodigo42, "*" + w16(41, 1, "0001") + wTexto(42, "EST/\xD1" "A-123456789", 16) + w16(88, 1200) + "\n",
         {"EST/\xD1" "A-12345678|-1|-1|1.2||"}},
        // A block needs its three words.
        {kConfigurable, w8(41, 1, "0001") + w8(41, 2) + w8(41, 3) + w8(43, 9) + "\n" + medida8(1), {}},
    };
    for (const auto& [indice, f, esperados] : casos) {
        Importacion imp;
        ASSERT_EQ(imp.leer(indice, f), Estado::Exito);
        EXPECT_EQ(prueba::tramos(imp.listas), esperados) << indice;
    }
}

TEST(GsiSimple, DigitosDeUnidad) {
    // 4: DDD.MMSSs; 1: thousandths of a foot; 6: tenths of a millimetre. A gon
    // reading in a degree set-up is converted: 100 gon = 90 degrees.
    Importacion imp;
    const std::string f = punto8(1) + w8(21, 12030150, ".324") + w8(22, 9000000, ".324") + w8(31, 10000, "..01") +
                          w8(87, 15000, "..06") + "\n" + punto8(2) + w8(21, 10000000, ".322") + "\n";
    ASSERT_EQ(imp.importar(kSimple, f), ResultadoImportacion::Cerrar);
    const Estacionamiento& s = imp.estacionamiento(0, 0);
    EXPECT_EQ(s.datos.unidadAngular, kSexagesimal);
    // 120 + 30/60 + 15/3600
    EXPECT_EQ(medidas(s), (V{"1 120.50416667 90 3.048 1.5", "2 90 0 0 0"}));
}

}  // namespace
}  // namespace celvara
