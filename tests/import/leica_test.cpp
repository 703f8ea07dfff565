// The two direct Leica readers: the classic GSI8 blocks (28) and our special
// layout with named points (27).
#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::libro;
using prueba::punto8;
using prueba::w16;
using prueba::w8;
using prueba::wTexto;
using V = std::vector<std::string>;

constexpr int kClasico = 28, kEspecial = 27;

std::string bloqueEstacion(long long numero, long long altura, long long jalon) {
    return w8(41, 0, "0001") + w8(42, numero, "....") + w8(43, altura, "....") + w8(44, jalon, "....") + "\r\n";
}

TEST(LeicaClasico, BloquesDeEstacionYMedidas) {
    Importacion imp;
    imp.ajustes.datosPorDefecto.unidadAngular = kSexagesimal;
    std::string f = punto8(99) + w8(21, 1) + "\r\n";  // before any set-up: dropped
    f += bloqueEstacion(12, 1550, 1600);
    f += punto8(1) + w8(21, 12345678, ".323") + w8(22, 9876543, ".323") + w8(31, 25432) + "\r\n";
    // 32 without 31 among slope distances: horizontal / sin z, at the level sight.
    f += punto8(2) + w8(21, 100, ".323") + w8(44, 1300, "....") + w8(32, 777) + "\r\n";
    f += punto8(3) + w8(22, 5, ".323") + "\r\n";
    f += bloqueEstacion(12, 1600, 1700);  // no reading: taken over by the next record
    f += bloqueEstacion(13, 1400, 1800);
    f += "21.324+00000001\r\n";  // neither a set-up nor a measurement
    // Only words 1 to 9 after the point id count: word 10 is dropped.
    f += punto8(4) + w8(21, 7, ".323");
    for (int k = 2; k <= 9; ++k) f += w8(22, 0, ".323");
    f += w8(21, 5, ".324");
    ASSERT_EQ(imp.importar(kClasico, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(libro(imp.libreta),
              (V{"12 0 0 0", "  12_(1) 1.55 0 360", "    1 123.45678 98.76543 25.432 1.6", "    2 0.001 90 0.777 1.3",
                 "    3 0 0.00005 0 1.3", "13 0 0 0", "  13_(1) 1.4 0 360", "    4 0.00007 0 0 1.8"}));
    EXPECT_EQ(imp.estacion(0).ficheroFoto.str(), kFotoPorDefecto);
    EXPECT_EQ(imp.estacionamiento(0, 0).estacion.str(), "12");
}

// Unit digits (4th information character), ids as written and station
// coordinates: an empty station of the book is filled, a located one kept.
TEST(LeicaClasico, UnidadesIdsYCoordenadasDeEstacion) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "5", .coordenadas = Coordenadas{100, 200, 50}});
    Estacion* nueve = crearEstacion(imp.libreta.estaciones, {.nombre = "9"});
    crearEstacionamiento(nueve->estacionamientos, nullptr, "9_(1)", "9", 1.0, nullptr, 0);
    // Height in 1/10 mm, X and Y in 1/100 mm, Z in mm; word 25 only records
    // the orientation the readings carry.
    std::string f = w8(41, 0, "0001") + wTexto(42, "0009") + w8(43, 15000, "...6") + w8(84, 12345678, "...8") +
                    w8(85, 98765432, "...8") + w8(86, 4500, "...0") + w8(25, 4500000, "...3") + "\r\n";
    // 120°30'15.0" DMS, 100 gon (90° in this set-up), 12.34567 m.
    f += wTexto(11, "00012", 8, "0001") + w8(21, 12030150, "...4") + w8(22, 10000000, "...2") +
         w8(31, 1234567, "...8") + "\r\n";
    f += w8(41, 0, "0002") + wTexto(42, "5") + w8(43, 1400) + w8(84, 1000) + "\r\n";
    f += punto8(1) + w8(21, 5000000, "...2") + w8(31, 250000, "...6") + "\r\n";
    ASSERT_EQ(imp.importar(kClasico, f), ResultadoImportacion::Cerrar);
    EXPECT_EQ(libro(imp.libreta),
              (V{"5 100 200 50", "  5_(1) 1.4 0 400", "    1 50 0 25 0", "9 123.45678 987.65432 4.5", "  9_(1) 1 0 400",
                 "  9_(2) 1.5 0 360", "    12 120.50416667 90 12.34567 0"}));
    EXPECT_EQ(imp.avisos.textos(), (V{std::string(mensajes::kCoordenadasDistintas) +
                                      "\n5: 100.000 200.000 50.000 (en el fichero 1.000 0.000 0.000)"}));
}

TEST(LeicaEspecial, UnidadesAlturaYEstacionSinCoordenadas) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "A"});
    std::string f = wTexto(11, "A") + w8(84, 50000, "...6") + w8(85, 7000000, "...8") + w8(86, 12) +
                    w8(88, 1500) + "\n";
    // 45°30' DMS, 90° decimal, 12.3456 m in 1/10 mm.
    f += wTexto(11, "007") + w8(21, 4530000, "...4") + w8(22, 9000000, "...3") + w8(31, 123456, "...6") + "\n";
    // 50 gon turned into degrees; a different height starts a set-up.
    f += wTexto(11, "0") + w8(21, 5000000, "...2") + w8(88, 2000) + "\n";
    ASSERT_EQ(imp.importar(kEspecial, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(libro(imp.libreta),
              (V{"A 5 70 0.012", "  A_(1) 1.5 0 360", "    7 45.5 90 12.3456 0", "  A_(2) 2 0 360", "    0 45 0 0 0"}));
}

TEST(LeicaEspecial, EstacionesConNombreCoordenadasYOrientacion) {
    Importacion imp;
    std::string f = wTexto(11, "P1", 8, "0001") + w8(21, 1000000, ".322") + w8(31, 5000) + w8(87, 1500) + "\r\n";
    // Recorded twice with nothing between: one set-up.
    const std::string estacion = wTexto(11, "STAZLIB3", 8, "0002") + w8(25, 20904010, ".342") + w8(84, 519659, "..40") +
                                 w8(85, 465244, "..40") + w8(86, -588, "..40") + w8(87, 2150, "..10") +
                                 w8(88, 1350, "..10") + "\r\n";
    f += estacion + estacion;
    f += wTexto(11, "00A7", 8, "0003") + w8(21, 2000000, ".322") + w8(22, 9900000, ".322") + w8(31, 30485) +
         w8(87, 1700) + wTexto(71, "1") + w8(32, 30333) + "\r\n";
    f += wTexto(11, "A8", 8, "0004") + w8(32, 12345) + "\r\n";
    f += wTexto(41, "MURO", 8, "0005") + "\r\n";
    f += "*" + wTexto(11, "GDEM5415", 16, "0006") + w16(21, 3545100, ".022") + "\n";
    ASSERT_EQ(imp.importar(kEspecial, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    // Word 25 is the orientation the readings carry: the set-up's stays 0.
    // The slope distance first, a lone 32 at the level sight; the code block
    // becomes the last reading's code.
    EXPECT_EQ(libro(imp.libreta),
              (V{"ST 0 0 0", "  ST_(1) 0 0 400", "    P1 10 0 5 1.5", "STAZLIB3 519.659 465.244 -0.588",
                 "  STAZLIB3_(1) 1.35 0 400", "    A7 20 99 30.485 1.7 1", "    A8 0 100 12.345 1.7 MURO",
                 "    GDEM5415 35.451 0 0 1.7"}));
}

TEST(LeicaEspecial, LineaQueNoEsGsiFallaMostrandola) {
    Importacion imp;
    const std::string f = wTexto(11, "P1", 8, "0001") + w8(21, 1) + "\nSTN    A,1.5\n";
    EXPECT_EQ(imp.importar(kEspecial, f), ResultadoImportacion::Fallo);
    EXPECT_EQ(imp.avisos.textos(),
              (V{std::string("No se reconoce la linea del fichero:\nSTN    A,1.5\n\n") + mensajes::kFormatoNoCoincide}));
    // What was added before the bad line is taken back: the book is as it was.
    EXPECT_TRUE(imp.libreta.estaciones.empty());

    // Coordinates too: an empty station of the book is filled only on success.
    Importacion otra;
    crearEstacion(otra.libreta.estaciones, {.nombre = "B"});
    const std::string g = wTexto(11, "B") + w8(84, 1000) + "\n" + wTexto(11, "1") + w8(21, 1) + "\nSTN    A,1.5\n";
    EXPECT_EQ(otra.importar(kEspecial, g), ResultadoImportacion::Fallo);
    EXPECT_EQ(otra.estacion(0).x, 0);
    EXPECT_TRUE(otra.estacion(0).estacionamientos.empty());
}

}  // namespace
}  // namespace celvara
