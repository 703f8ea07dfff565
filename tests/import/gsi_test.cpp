// GSI files composed from the public word layout: word index, information,
// sign, data digits, blank; GSI8 words of 16 and GSI16 words of 24 characters.
#include <gtest/gtest.h>

#include "import/mensajes_importacion.h"
#include "import/ayuda_importacion.h"

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

constexpr int kSimple = 5, kCodigo42 = 18, kStonex = 32, kConfigurable = 25;

// A measurement line: horizontal and vertical in 1e-5 units, distance and
// target height in millimetres.
std::string medida8(long long n, long long hz = 1234567, long long v = 9876543, long long d = 25432,
                    long long jalon = 1600) {
    return punto8(n) + w8(21, hz, ".322") + w8(22, v, ".322") + w8(31, d, "..00") + w8(87, jalon, "..00") + "\r\n";
}

std::string estacion8(long long n, long long altura) {
    return punto8(n) + w8(84, 1000000, "..40") + w8(85, 2000000, "..40") + w8(86, 300000, "..40") +
           w8(88, altura, "..10") + "\r\n";
}

TEST(GsiSimple, LineaDeEstacionRecogeLasLecturasQueLaSiguen) {
    // Readings without word 88 keep the station's height; its 84-86 give
    // the station's coordinates.
    Importacion imp;
    const std::string f = estacion8(100, 1500) + medida8(1) + medida8(2) + medida8(3);
    ASSERT_EQ(imp.importar(kSimple, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
    EXPECT_DOUBLE_EQ(imp.estacion(0).x, 1000.0);
    EXPECT_DOUBLE_EQ(imp.estacion(0).y, 2000.0);
    EXPECT_DOUBLE_EQ(imp.estacion(0).z, 300.0);
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
    EXPECT_EQ(imp.estacionamiento(0, 0).nombre.str(), "100(1)");
    EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).alturaInstrumento, 1.5);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"1", "2", "3"}));
    const Lectura& l = imp.estacionamiento(0, 0).lecturas[0];
    EXPECT_DOUBLE_EQ(l.horizontal, 12.34567);
    EXPECT_DOUBLE_EQ(l.vertical, 98.76543);
    EXPECT_DOUBLE_EQ(l.distancia, 25.432);
    EXPECT_DOUBLE_EQ(l.jalon, 1.6);
}

TEST(GsiSimple, EstacionesYOrientacionPorPalabra25) {
    Importacion imp;
    const std::string conAltura = punto8(1) + w8(88, 1450) + "\n";
    const std::string orientada = punto8(300) + w8(25, 5000000, ".322") + w8(84, 1000, "..40") + w8(88, 1450) + "\n";
    const std::string f = medida8(1) + estacion8(200, 1450) + estacion8(200, 1450) + medida8(1) + medida8(2) +
                          orientada + conAltura;
    ASSERT_EQ(imp.importar(kSimple, f), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 3u);
    EXPECT_EQ(imp.estacion(0).nombre.str(), "ST");
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"1"}));
    // A station recorded twice with nothing between keeps one set-up.
    ASSERT_EQ(imp.estacion(1).estacionamientos.size(), 1u);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(1, 0)), (V{"1", "2"}));
    EXPECT_DOUBLE_EQ(imp.estacionamiento(2, 0).desorientacion, 50.0);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(2, 0)), (V{"1"}));
}

TEST(GsiSimple, NumerosNoConsecutivosNoCortanElEstacionamiento) {
    Importacion imp;
    ASSERT_EQ(imp.importar(kSimple, medida8(5) + medida8(6) + medida8(8)), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
    EXPECT_EQ(imp.estacion(0).nombre.str(), "ST");
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"5", "6", "8"}));
}

TEST(GsiSimple, CambioDeAlturaDeAparatoCortaElEstacionamiento) {
    Importacion imp;
    const std::string a = punto8(1) + w8(88, 1500) + "\n";
    const std::string b = punto8(2) + w8(88, 1600) + "\n";
    ASSERT_EQ(imp.leer(kSimple, a + b), Estado::Exito);
    ASSERT_EQ(imp.listas.estacionamientos().size(), 2u);
    EXPECT_DOUBLE_EQ(imp.listas.estacionamientos()[1].alturaInstrumento, 1.6);
}

TEST(GsiSimple, Gsi16ConAsteriscoUsaPalabrasDe24) {
    Importacion imp;
    const std::string linea = "*" + punto16(12) + w16(21, 12345678, ".322") + w16(22, -9876543, ".322") +
                              w16(31, 123456, "...0") + w16(87, 1300, "...0") + "\n";
    ASSERT_EQ(imp.importar(kSimple, linea + "*" + punto16(13) + w16(21, 5, ".322") + "\n"),
              ResultadoImportacion::Cerrar);
    const auto& l = imp.estacionamiento(0, 0).lecturas;
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].nombre.str(), "12");
    EXPECT_DOUBLE_EQ(l[0].horizontal, 123.45678);
    EXPECT_DOUBLE_EQ(l[0].vertical, -98.76543);
    EXPECT_DOUBLE_EQ(l[0].distancia, 123.456);
    EXPECT_DOUBLE_EQ(l[0].jalon, 1.3);
    EXPECT_EQ(l[1].nombre.str(), "13");
}

TEST(GsiSimple, AnchoDecididoAlPrincipioSeMantiene) {
    // Once the first record exists, a GSI16-looking line is read with W = 16.
    Importacion imp;
    const std::string larga = punto16(2) + w16(21, 12345678, ".322") + "\n";
    ASSERT_EQ(imp.leer(kSimple, medida8(1) + larga), Estado::Exito);
    ASSERT_EQ(imp.listas.lecturas().size(), 2u);
    EXPECT_EQ(imp.listas.lecturas()[1].horizontal, 0);  // no word 21 at 16-character steps
}

TEST(GsiSimple, UltimaPalabraSinBlancoCuentaYLaIncompletaNo) {
    Importacion imp;
    std::string linea = punto8(1) + w8(21, 1234567, ".322") + w8(22, 9000000, ".322");
    linea.pop_back();  // the last word lacks its blank: k*W + W - 1 == length
    std::string otra = punto8(2) + w8(21, 1234567, ".322") + w8(22, 9000000, ".322");
    otra.resize(otra.size() - 2);  // the last word lacks a data digit
    ASSERT_EQ(imp.leer(kSimple, linea + "\n" + otra + "\n"), Estado::Exito);
    const auto& l = imp.listas.lecturas();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_DOUBLE_EQ(l[0].vertical, 90.0);
    EXPECT_EQ(l[1].vertical, 0);
    EXPECT_DOUBLE_EQ(l[1].horizontal, 12.34567);
}

TEST(GsiSimple, ComentarioSeArrastraYBloqueDeCodigoReemplazaElTextoDeLaUltima) {
    Importacion imp;
    std::string f = medida8(1) + medida8(2);
    f += punto8(3) + w8(21, 1, ".322") + wTexto(71, "ARBOL") + "\n";
    f += medida8(4) + medida8(5);
    f += medida8(7) + wTexto(41, "123") + "\n" + medida8(8);
    ASSERT_EQ(imp.leer(kSimple, f), Estado::Exito);
    V textos;
    for (const auto& l : imp.listas.lecturas()) textos.push_back(l.texto.str());
    EXPECT_EQ(textos, (V{"", "", "ARBOL", "ARBOL", "ARBOL", "/123", "/123"}));
}

TEST(GsiSimple, BloqueDeCodigoAntesDeLecturasSeIgnora) {
    Importacion imp;
    ASSERT_EQ(imp.leer(kSimple, wTexto(41, "9") + "\n" + medida8(1)), Estado::Exito);
    EXPECT_EQ(imp.listas.lecturas()[0].texto.str(), "");
}

TEST(GsiSimple, ComentarioSeCortaA49) {
    Importacion imp;
    const std::string linea = punto16(1) + wTexto(71, "ABCDEFGHIJKLMNOP", 16) + "\n";
    ASSERT_EQ(imp.leer(kSimple, linea), Estado::Exito);
    EXPECT_EQ(imp.listas.lecturas()[0].texto.str(), "ABCDEFGHIJKLMNOP");
    // A remark runs to the next blank, so one without blanks fills the line.
    const std::string texto(60, 'Z');
    ASSERT_EQ(imp.leer(kSimple, punto8(2) + w8(71, 0).substr(0, 7) + texto + "\n"), Estado::Exito);
    EXPECT_EQ(imp.listas.lecturas()[0].texto.str(), std::string(49, 'Z'));
}

TEST(GsiSimple, SeisValoresComoMaximo) {
    Importacion imp;
    const std::string linea = punto8(1) + w8(21, 1) + w8(22, 2) + w8(31, 3) + w8(87, 4) + w8(88, 5) + w8(32, 6) +
                              w8(21, 7) + "\n";
    ASSERT_EQ(imp.leer(kSimple, linea), Estado::Exito);
    const auto& l = imp.listas.lecturas()[0];
    EXPECT_DOUBLE_EQ(l.horizontal, 0.00001);  // the second 21 comes after six values
    EXPECT_DOUBLE_EQ(l.distancia, 0.006);     // 31 and 32 share one slot, the later wins
}

TEST(GsiSimple, UltimaLineaSinAvanceYLineasCortasOVacias) {
    Importacion imp;
    std::string f = "\r\n\r\n" + medida8(1) + "1100\r\n" + medida8(2);
    f.resize(f.size() - 2);
    ASSERT_EQ(imp.leer(kSimple, f), Estado::Exito);
    EXPECT_EQ(imp.listas.lecturas().size(), 2u);
}

TEST(GsiSimple, LineaDe100000CaracteresNoDesborda) {
    Importacion imp;
    std::string larga = punto8(2);
    while (larga.size() < 100000) larga += w8(21, 4242, ".322");
    ASSERT_EQ(imp.leer(kSimple, medida8(1) + larga + "\n" + medida8(3)), Estado::Exito);
    ASSERT_EQ(imp.listas.lecturas().size(), 3u);
    EXPECT_DOUBLE_EQ(imp.listas.lecturas()[1].horizontal, 0.04242);
    EXPECT_EQ(imp.listas.lecturas()[2].numero, 3);
}

TEST(GsiSimple, NumeroDePuntoEnormeSeSatura) {
    Importacion imp;
    const std::string f = "*" + punto16(9999999999999999LL) + "\n*" + punto16(2147483647LL) + "\n";
    ASSERT_EQ(imp.leer(kSimple, f), Estado::Exito);
    ASSERT_EQ(imp.listas.lecturas().size(), 2u);
    EXPECT_EQ(imp.listas.lecturas()[0].numero, 2147483647);
    EXPECT_EQ(imp.listas.lecturas()[0].nombre.str(), "999999999999999");  // the id, cut to 15
    EXPECT_EQ(imp.listas.estacionamientos().size(), 1u);
}

TEST(GsiSimple, IdentificadorAlfanumericoLeeSusDigitos) {
    Importacion imp;
    ASSERT_EQ(imp.leer(kSimple, wTexto(11, "P12A", 8, "0001") + w8(21, 1) + "\n"), Estado::Exito);
    EXPECT_EQ(imp.listas.lecturas()[0].numero, 0);  // "0000P12A": digits up to the "P"
    EXPECT_EQ(imp.listas.lecturas()[0].nombre.str(), "P12A");
}

TEST(GsiCodigo42, NumerosNoConsecutivosQuedanEnUnEstacionamiento) {
    for (int indice : {kCodigo42, kStonex}) {
        Importacion imp;
        const std::string est = w8(41, 1, "0001") + wTexto(42, "B7") + w8(88, 1550) + "\n";
        ASSERT_EQ(imp.importar(indice, est + medida8(5) + medida8(6) + medida8(8)), ResultadoImportacion::Cerrar);
        ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
        EXPECT_EQ(imp.estacion(0).nombre.str(), "B7");
        ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
        EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).alturaInstrumento, 1.55);
        EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"5", "6", "8"}));
    }
}

TEST(GsiCodigo42, EstacionSinPalabra88EmpiezaSuEstacionamiento) {
    Importacion imp;
    const std::string b1 = w8(41, 1, "0001") + wTexto(42, "B1") + w8(88, 1500) + "\n";
    const std::string b2 = w8(41, 2, "0002") + wTexto(42, "B2") + "\n";
    ASSERT_EQ(imp.importar(kCodigo42, b1 + medida8(1) + b2 + medida8(2)), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"1"}));
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(1, 0)), (V{"2"}));
    EXPECT_EQ(imp.estacionamiento(1, 0).alturaInstrumento, 0.0);
}

TEST(GsiCodigo42, LecturasAntesDeLaPrimeraEstacionSeDescartanSinMensaje) {
    Importacion imp;
    const std::string b1 = w8(41, 1, "0001") + wTexto(42, "B1") + w8(88, 1500) + "\n";
    ASSERT_EQ(imp.importar(kCodigo42, medida8(1) + b1 + medida8(2)), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"2"}));
}

TEST(GsiCodigo42, EstacionSinLecturasSeReutiliza) {
    Importacion imp;
    const std::string b1 = w8(41, 1, "0001") + wTexto(42, "B1") + w8(88, 1500) + "\n";
    const std::string b2 = w8(41, 2, "0002") + wTexto(42, "B2") + w8(88, 1600) + "\n";
    ASSERT_EQ(imp.leer(kCodigo42, b1 + b2 + medida8(1)), Estado::Exito);
    ASSERT_EQ(imp.listas.estacionamientos().size(), 1u);
    EXPECT_EQ(imp.listas.estacionamientos()[0].nombre.str(), "B2");
    EXPECT_DOUBLE_EQ(imp.listas.estacionamientos()[0].alturaInstrumento, 1.6);
}

TEST(GsiCodigo42, CadaEstacionRecogeLasLecturasQueLaSiguen) {
    // Readings 3, 4, 1 give the range [3, 1]; the readings still belong to
    // the station line before them, whatever their numbers.
    Importacion imp;
    const std::string b1 = w8(41, 1, "0001") + wTexto(42, "B1") + w8(88, 1500) + "\n";
    const std::string b2 = w8(41, 2, "0002") + wTexto(42, "B2") + w8(88, 1500) + "\n";
    const std::string f = b1 + medida8(3) + medida8(4) + medida8(1) + b2 + medida8(5);
    ASSERT_EQ(imp.importar(kCodigo42, f), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    EXPECT_EQ(prueba::nombresLecturas(imp.estacionamiento(0, 0)), (std::vector<std::string>{"3", "4", "1"}));
    EXPECT_EQ(prueba::nombresLecturas(imp.estacionamiento(1, 0)), (std::vector<std::string>{"5"}));
}

TEST(GsiCodigo42, NombreConCualquierCaracterSinCerosYCortadoA15) {
    Importacion imp;
    const std::string est = "*" + w16(41, 1, "0001") + wTexto(42, "EST/\xD1" "A-123456789", 16) + w16(88, 1200) + "\n";
    ASSERT_EQ(imp.leer(kCodigo42, est), Estado::Exito);
    EXPECT_EQ(imp.listas.estacionamientos()[0].nombre.str(), "EST/\xD1" "A-12345678");
}

TEST(GsiConfigurable, BloqueDeEstacionEspaldaYGrupos) {
    Importacion imp;
    const std::string bloque = w8(41, 1300, "0001") + w8(42, 1550) + w8(43, 17) + "\n";
    auto medida = [](long long n, long long hz) {
        return punto8(n) + w8(21, hz, ".322") + w8(22, 10000000, ".322") + w8(31, 12000) +
               wTexto(51, "PIE") + "\n";
    };
    const std::string f = medida(1, 0) + bloque + medida(40, 5000000) + medida(41, 100) + medida(43, 200);
    ASSERT_EQ(imp.leer(kConfigurable, f), Estado::Exito);
    const auto& e = imp.listas.estacionamientos();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].nombre.str(), "17");
    EXPECT_EQ(e[0].primera, 40);
    EXPECT_EQ(e[0].ultima, 41);
    EXPECT_DOUBLE_EQ(e[0].alturaInstrumento, 1.55);
    EXPECT_EQ(e[0].horizontalEspalda.str(), "50.0000");
    EXPECT_EQ(e[0].acimutEspalda.str(), "/40");
    EXPECT_EQ(e[1].nombre.str(), "17");
    EXPECT_EQ(e[1].primera, 43);
    EXPECT_DOUBLE_EQ(e[1].alturaInstrumento, 1.55);
    const auto& l = imp.listas.lecturas();
    ASSERT_EQ(l.size(), 3u);  // the reading before the block is dropped
    EXPECT_EQ(l[0].texto.str(), "PIE");
    EXPECT_DOUBLE_EQ(l[0].jalon, 1.3);
    EXPECT_DOUBLE_EQ(l[0].distancia, 12.0);

    ASSERT_EQ(imp.importar(kConfigurable, f), ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).desorientacion, -50.0);
}

TEST(GsiConfigurable, SoloTresPalabrasDelBloque) {
    Importacion imp;
    const std::string bloque = w8(41, 1, "0001") + w8(41, 2) + w8(41, 3) + w8(43, 9) + "\n";
    ASSERT_EQ(imp.leer(kConfigurable, bloque + medida8(1)), Estado::Exito);
    EXPECT_TRUE(imp.listas.estacionamientos().empty());
}

TEST(GsiSimple, DigitosDeUnidad) {
    // 4: DDD.MMSSs; 1: thousandths of a foot; 6: tenths of a millimetre.
    Importacion imp;
    const std::string f = punto8(1) + w8(21, 12030150, ".324") + w8(22, 9000000, ".324") + w8(31, 10000, "..01") +
                          w8(87, 15000, "..06") + "\n" + punto8(2) + w8(21, 10000000, ".322") + "\n";
    ASSERT_EQ(imp.importar(kSimple, f), ResultadoImportacion::Cerrar);
    const Estacionamiento& s = imp.estacionamiento(0, 0);
    EXPECT_EQ(s.datos.unidadAngular, kSexagesimal);
    EXPECT_NEAR(s.lecturas[0].horizontal, 120.0 + 30.0 / 60 + 15.0 / 3600, 1e-12);
    EXPECT_DOUBLE_EQ(s.lecturas[0].vertical, 90.0);
    EXPECT_DOUBLE_EQ(s.lecturas[0].distancia, 3.048);
    EXPECT_DOUBLE_EQ(s.lecturas[0].jalon, 1.5);
    // A gon reading in a degree set-up is converted: 100 gon = 90 degrees.
    EXPECT_DOUBLE_EQ(s.lecturas[1].horizontal, 90.0);
}

}  // namespace
}  // namespace celvara
