// The two direct Leica readers: the classic GSI8 blocks (28) and our special
// layout with named points (27).
#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::nombresLecturas;
using prueba::punto16;
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
    f += punto8(2) + w8(21, 100, ".323") + w8(44, 1300, "....") + w8(32, 777) + "\r\n";
    f += punto8(3) + w8(22, 5, ".323") + "\r\n";
    f += bloqueEstacion(12, 1600, 1700);  // no reading: taken over by the next record
    f += bloqueEstacion(13, 1400, 1800);
    f += "21.324+00000001\r\n";  // neither a set-up nor a measurement
    f += punto8(4) + w8(21, 7, ".323");
    ASSERT_EQ(imp.importar(kClasico, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    EXPECT_EQ(imp.estacion(0).nombre.str(), "12");
    EXPECT_EQ(imp.estacion(0).ficheroFoto.str(), kFotoPorDefecto);
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
    const Estacionamiento& s1 = imp.estacionamiento(0, 0);
    EXPECT_EQ(s1.nombre.str(), "12_(1)");
    EXPECT_EQ(s1.estacion.str(), "12");
    EXPECT_DOUBLE_EQ(s1.alturaInstrumento, 1.55);
    EXPECT_EQ(s1.datos.unidadAngular, kSexagesimal);
    EXPECT_EQ(nombresLecturas(s1), (V{"1", "2", "3"}));
    EXPECT_DOUBLE_EQ(s1.lecturas[0].horizontal, 123.45678);
    EXPECT_DOUBLE_EQ(s1.lecturas[0].vertical, 98.76543);
    EXPECT_DOUBLE_EQ(s1.lecturas[0].distancia, 25.432);
    EXPECT_DOUBLE_EQ(s1.lecturas[0].jalon, 1.6);
    EXPECT_DOUBLE_EQ(s1.lecturas[1].jalon, 1.3);
    EXPECT_EQ(s1.lecturas[1].distancia, 0);  // 32 is not read here
    EXPECT_DOUBLE_EQ(s1.lecturas[2].jalon, 1.3);
    EXPECT_EQ(s1.lecturas[2].horizontal, 0);
    EXPECT_EQ(s1.lecturas[2].codigo.str(), "");
    EXPECT_EQ(imp.estacionamiento(1, 0).nombre.str(), "13_(1)");
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(1, 0)), (V{"4"}));
    EXPECT_DOUBLE_EQ(imp.estacionamiento(1, 0).lecturas[0].jalon, 1.8);
}

TEST(LeicaClasico, SoloLasPalabras1a9) {
    Importacion imp;
    std::string medida = punto8(1);
    for (int k = 1; k <= 9; ++k) medida += w8(87, 0);
    medida += w8(21, 5, ".324");  // word 10
    ASSERT_EQ(imp.importar(kClasico, bloqueEstacion(1, 0, 0) + medida + "\n"), ResultadoImportacion::Cerrar);
    EXPECT_EQ(imp.estacionamiento(0, 0).lecturas[0].horizontal, 0);
}

// Unit digits (4th information character), ids as written and station
// coordinates: an empty station of the book is filled, a located one kept.
TEST(LeicaClasico, UnidadesIdsYCoordenadasDeEstacion) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "5", .coordenadas = Coordenadas{100, 200, 50}});
    Estacion* nueve = crearEstacion(imp.libreta.estaciones, {.nombre = "9"});
    crearEstacionamiento(nueve->estacionamientos, nullptr, "9_(1)", "9", 1.0, nullptr, 0);
    // Height in 1/10 mm, X and Y in 1/100 mm, Z in mm, orientation in degrees.
    std::string f = w8(41, 0, "0001") + wTexto(42, "0009") + w8(43, 15000, "...6") + w8(84, 12345678, "...8") +
                    w8(85, 98765432, "...8") + w8(86, 4500, "...0") + w8(25, 4500000, "...3") + "\r\n";
    // 120°30'15.0" DMS, 100 gon (90° in this set-up), 12.34567 m.
    f += wTexto(11, "00012", 8, "0001") + w8(21, 12030150, "...4") + w8(22, 10000000, "...2") +
         w8(31, 1234567, "...8") + "\r\n";
    f += w8(41, 0, "0002") + wTexto(42, "5") + w8(43, 1400) + w8(84, 1000) + "\r\n";
    f += punto8(1) + w8(21, 5000000, "...2") + w8(31, 250000, "...6") + "\r\n";
    ASSERT_EQ(imp.importar(kClasico, f), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    const Estacion& e9 = imp.estacion(1);
    EXPECT_DOUBLE_EQ(e9.x, 123.45678);
    EXPECT_DOUBLE_EQ(e9.y, 987.65432);
    EXPECT_DOUBLE_EQ(e9.z, 4.5);
    ASSERT_EQ(e9.estacionamientos.size(), 2u);
    const Estacionamiento& s9 = *e9.estacionamientos[1];
    EXPECT_EQ(s9.nombre.str(), "9_(2)");
    EXPECT_DOUBLE_EQ(s9.alturaInstrumento, 1.5);
    EXPECT_DOUBLE_EQ(s9.desorientacion, 45);
    EXPECT_EQ(s9.datos.unidadAngular, kSexagesimal);
    EXPECT_EQ(nombresLecturas(s9), (V{"12"}));
    EXPECT_NEAR(s9.lecturas[0].horizontal, 120.5041666667, 1e-9);
    EXPECT_NEAR(s9.lecturas[0].vertical, 90, 1e-9);
    EXPECT_DOUBLE_EQ(s9.lecturas[0].distancia, 12.34567);

    EXPECT_EQ(imp.estacion(0).x, 100);
    const Estacionamiento& s5 = imp.estacionamiento(0, 0);
    EXPECT_EQ(s5.nombre.str(), "5_(1)");
    EXPECT_EQ(s5.datos.unidadAngular, kCentesimal);
    EXPECT_DOUBLE_EQ(s5.lecturas[0].horizontal, 50);
    EXPECT_DOUBLE_EQ(s5.lecturas[0].distancia, 25);
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
    ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
    EXPECT_DOUBLE_EQ(imp.estacion(0).x, 5);
    EXPECT_DOUBLE_EQ(imp.estacion(0).y, 70);
    EXPECT_DOUBLE_EQ(imp.estacion(0).z, 0.012);
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 2u);
    const Estacionamiento& s1 = imp.estacionamiento(0, 0);
    EXPECT_EQ(s1.datos.unidadAngular, kSexagesimal);
    EXPECT_EQ(nombresLecturas(s1), (V{"7"}));
    EXPECT_DOUBLE_EQ(s1.lecturas[0].horizontal, 45.5);
    EXPECT_DOUBLE_EQ(s1.lecturas[0].vertical, 90);
    EXPECT_DOUBLE_EQ(s1.lecturas[0].distancia, 12.3456);
    const Estacionamiento& s2 = imp.estacionamiento(0, 1);
    EXPECT_EQ(s2.nombre.str(), "A_(2)");
    EXPECT_DOUBLE_EQ(s2.alturaInstrumento, 2);
    EXPECT_EQ(s2.datos.unidadAngular, kSexagesimal);
    EXPECT_EQ(nombresLecturas(s2), (V{"0"}));
    EXPECT_DOUBLE_EQ(s2.lecturas[0].horizontal, 45);
}

TEST(LeicaEspecial, EstacionesConNombreCoordenadasYOrientacion) {
    Importacion imp;
    std::string f = wTexto(11, "P1", 8, "0001") + w8(21, 1000000, ".322") + w8(31, 5000) + w8(87, 1500) + "\r\n";
    f += wTexto(11, "STAZLIB3", 8, "0002") + w8(25, 20904010, ".342") + w8(84, 519659, "..40") +
         w8(85, 465244, "..40") + w8(86, -588, "..40") + w8(87, 2150, "..10") + w8(88, 1350, "..10") + "\r\n";
    f += wTexto(11, "00A7", 8, "0003") + w8(21, 2000000, ".322") + w8(22, 9900000, ".322") + w8(31, 30485) +
         w8(87, 1700) + wTexto(71, "1") + w8(32, 30333) + "\r\n";
    f += wTexto(11, "A8", 8, "0004") + w8(32, 12345) + "\r\n";
    f += wTexto(41, "MURO", 8, "0005") + "\r\n";
    f += "*" + wTexto(11, "GDEM5415", 16, "0006") + w16(21, 3545100, ".022") + "\n";
    ASSERT_EQ(imp.importar(kEspecial, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    EXPECT_EQ(imp.estacion(0).nombre.str(), "ST");
    EXPECT_EQ(imp.estacionamiento(0, 0).nombre.str(), "ST_(1)");
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"P1"}));
    EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).lecturas[0].jalon, 1.5);

    const Estacion& e = imp.estacion(1);
    EXPECT_EQ(e.nombre.str(), "STAZLIB3");
    EXPECT_DOUBLE_EQ(e.x, 519.659);
    EXPECT_DOUBLE_EQ(e.y, 465.244);
    EXPECT_DOUBLE_EQ(e.z, -0.588);
    const Estacionamiento& s = imp.estacionamiento(1, 0);
    EXPECT_EQ(s.nombre.str(), "STAZLIB3_(1)");
    EXPECT_DOUBLE_EQ(s.alturaInstrumento, 1.35);
    EXPECT_DOUBLE_EQ(s.desorientacion, 209.0401);
    EXPECT_EQ(nombresLecturas(s), (V{"A7", "A8", "GDEM5415"}));
    EXPECT_DOUBLE_EQ(s.lecturas[0].distancia, 30.485);  // the slope distance first
    EXPECT_DOUBLE_EQ(s.lecturas[0].jalon, 1.7);
    EXPECT_EQ(s.lecturas[0].codigo.str(), "1");
    EXPECT_DOUBLE_EQ(s.lecturas[1].distancia, 12.345);
    EXPECT_DOUBLE_EQ(s.lecturas[1].jalon, 1.7);
    EXPECT_EQ(s.lecturas[1].codigo.str(), "MURO");
    EXPECT_DOUBLE_EQ(s.lecturas[2].horizontal, 35.451);
}

TEST(LeicaEspecial, EstacionExistenteConservaSusCoordenadas) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "B1", .coordenadas = Coordenadas{10, 20, 30}});
    const std::string est = wTexto(11, "B1", 8, "0001") + w8(84, 1) + w8(85, 2) + w8(86, 3) + w8(88, 1500) + "\n";
    // Recorded twice with no reading between: one set-up.
    ASSERT_EQ(imp.importar(kEspecial, est + est + wTexto(11, "7") + w8(21, 1) + "\n"), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
    EXPECT_EQ(imp.estacion(0).x, 10);
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
    EXPECT_EQ(imp.estacionamiento(0, 0).nombre.str(), "B1_(1)");
    ASSERT_EQ(imp.avisos.mensajes.size(), 1u);
    EXPECT_EQ(imp.avisos.textos()[0], std::string(mensajes::kCoordenadasDistintas) +
                                          "\nB1: 10.000 20.000 30.000 (en el fichero 0.001 0.002 0.003)");
}

TEST(LeicaEspecial, LineaQueNoEsGsiFallaMostrandola) {
    Importacion imp;
    const std::string f = wTexto(11, "P1", 8, "0001") + w8(21, 1) + "\nSTN    A,1.5\n";
    EXPECT_EQ(imp.importar(kEspecial, f), ResultadoImportacion::Fallo);
    EXPECT_EQ(imp.avisos.textos(),
              (V{"No se reconoce la linea del fichero:\nSTN    A,1.5", mensajes::kFormatoNoCoincide}));
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
