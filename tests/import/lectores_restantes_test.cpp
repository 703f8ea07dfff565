// The readers of the remaining formats on synthetic files written from the
// published layouts (the real files are in muestras_test.cpp).
#include <gtest/gtest.h>

#include <clocale>
#include <tuple>

#include "import/ayuda_importacion.h"
#include "import/importar_antiguos.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::libro;
using prueba::medidas;
using prueba::nombresLecturas;
using V = std::vector<std::string>;

TEST(LectoresSinteticos, TopcalComasYListaAscii) {
    // Under a comma locale "1.450" of tests/data/importacion/topcal.txt is still 1.45.
    const char* anterior = std::setlocale(LC_NUMERIC, nullptr);
    const std::string guardado = anterior ? anterior : "C";
    const bool coma = std::setlocale(LC_NUMERIC, "es_ES.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

    Importacion topcal;
    ASSERT_EQ(topcal.importarRuta(16, prueba::kDatosImportacion / "topcal.txt"), ResultadoImportacion::Cerrar);
    // The height changed at 3: a second set-up.
    EXPECT_EQ(libro(topcal.libreta), (V{"E1 0 0 0", "  E1(1) 1.45 0 400", "    1 10.5 99.5 20.25 1.5 esquina norte",
                                        "    2 11 0 0 0", "  E1(2) 1.6 0 400", "    3 12 100 30 1.5 CASA", "E2 0 0 0",
                                        "  E2(1) 0 0 400", "    7 13 101 40 1.3"}));

    Importacion comas;
    ASSERT_EQ(comas.importar(13, "E1,1,10.5,99.5,20.25,1.5,1.45,A B\nE1,2,11,100,21,1.5,1.45,\n"),
              ResultadoImportacion::Cerrar);
    EXPECT_EQ(comas.libreta.contarLecturas(), 2u);
    EXPECT_EQ(comas.estacionamiento(0, 0).lecturas[0].codigo.str(), "A B");

    Importacion ascii;
    ASSERT_EQ(ascii.importar(21, "corto,1,2\n1,1.5,20.5,99.1,10.25,casa\n2,1.5,21.5,98.1,11.25,muro, norte\n"),
              ResultadoImportacion::Cerrar);
    ASSERT_EQ(ascii.libreta.estaciones.size(), 1u);
    EXPECT_EQ(ascii.estacion(0).nombre.str(), "ST");
    EXPECT_EQ(medidas(ascii.estacionamiento(0, 0)).at(1), "2 11.25 98.1 21.5 1.5  norte");

    // Backsight texts written and read back under the same locale.
    Importacion nikon;
    ASSERT_EQ(nikon.importar(15, "CO,Nikon RAW data format V2.00\nST,1,,2,,1.450,100.5000,40.2500\n"
                                 "SS,2,1.500,10.125,40.2500,100.0000,10:00:00,BS\n"),
              ResultadoImportacion::Cerrar);
    const Estacionamiento& n = nikon.estacionamiento(0, 0);
    EXPECT_EQ(std::tuple(n.alturaInstrumento, n.desorientacion, n.lecturas[0].distancia), std::tuple(1.45, 60.25, 10.125));

    std::setlocale(LC_NUMERIC, guardado.c_str());
    if (!coma) GTEST_SKIP() << "sin locale con coma decimal";
}

// Label 23 with a third digit 1: DDD.MMSS angles, read from the text so that
// 89.1700 is 89°17' exactly, and a sexagesimal set-up.
TEST(LectoresSinteticos, GeodimeterGradosMinutosSegundos) {
    Importacion dms;
    ASSERT_EQ(dms.importar(4, "23=0012\n2=E1\n3=1.500\n5=1\n7=295.5435\n8=89.1700\n9=10.000\n"),
              ResultadoImportacion::Cerrar);
    const Estacionamiento& s = dms.estacionamiento(0, 0);
    EXPECT_EQ(s.datos.unidadAngular, kSexagesimal);
    EXPECT_NEAR(s.lecturas[0].horizontal, 295 + 54 / 60.0 + 35 / 3600.0, 1e-12);
    EXPECT_NEAR(s.lecturas[0].vertical, 89 + 17 / 60.0, 1e-12);

    Importacion tal;  // without the unit label the angles stay as written
    ASSERT_EQ(tal.importar(4, "2=E1\n5=1\n7=295.5435\n"), ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(tal.estacionamiento(0, 0).lecturas[0].horizontal, 295.5435);
}

TEST(LectoresSinteticos, SdrCortoR315nYSouth) {
    // The files are in tests/data/importacion. SDR2x: 4-character points;
    // degrees (1), feet (2), east first (2).
    Importacion imp;
    ASSERT_EQ(imp.importarRuta(3, prueba::kDatosImportacion / "sdr2x.sdr"), ResultadoImportacion::Cerrar);
    // 1000, 2000, 100 and 5 ft in metres; oriented 45 - 10.
    EXPECT_EQ(libro(imp.libreta), (V{"12 304.8 609.6 30.48", "  12_(1) 1.524 35 360",
                                     "    13 55.5 90 30.48 1.524 POSTE", "    14 65.5 80 60.96 1.524"}));

    Importacion r315;
    ASSERT_EQ(r315.importarRuta(31, prueba::kDatosImportacion / "r315n.txt"), ResultadoImportacion::Cerrar);
    EXPECT_EQ(libro(r315.libreta), (V{"B1 0 0 0", "  B1_(1) 1.55 0 400", "    101 10.5 99 25.5 1.6 ARBOL",
                                      "    102 11 0 0 1.6", "B2 0 0 0", "  B2_(1) 1.4 0 400", "    7 3 0 0 1.6"}));

    Importacion south;
    ASSERT_EQ(south.importarRuta(29, prueba::kDatosImportacion / "south.txt"), ResultadoImportacion::Cerrar);
    // North first; oriented 45.2526 - 50; SC's point is a station.
    EXPECT_EQ(libro(south.libreta), (V{"ST001 200 100 10", "  ST001(1) 1.205 -4.7474 400",
                                       "    BS001 98.2354 90.2314 10.235 1.8", "    A2 78.3628 92.4612 4.751 1.7 CODE1",
                                       "    A3 63.2349 89.2547 0 1.8 CODE1", "A1 99.567 104.662 10.214"}));
}

TEST(LectoresSinteticos, CoordenadasExistentesNoSeSobrescriben) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "10001", .coordenadas = Coordenadas{1, 2, 3}});
    ASSERT_EQ(imp.importar(4, "5=10001\n37=20\n38=10\n39=3\n5=10002\n37=5\n38=6\n"), ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(imp.estacion(0).x, 1.0);
    ASSERT_EQ(imp.avisos.mensajes.size(), 1u);
    EXPECT_EQ(imp.avisos.mensajes[0].texto.rfind(mensajes::kCoordenadasDistintas, 0), 0u);
    EXPECT_DOUBLE_EQ(imp.libreta.buscarEstacion("10002")->x, 6.0);
    // A file with no station and no sighting is refused.
    Importacion vacio;
    EXPECT_EQ(vacio.importar(4, "50=JOB\n0=nota\n"), ResultadoImportacion::Fallo);
    EXPECT_EQ(vacio.avisos.textos(),
              (V{std::string(mensajes::kFicheroSinDatos) + "\n\n" + mensajes::kFormatoNoCoincide}));
}

TEST(LectoresSinteticos, CancelarNoDejaNadaEnLaLibreta) {
    std::string gsi;
    for (int n = 1; n <= 3000; ++n) gsi += prueba::punto8(n) + prueba::w8(21, 1000 * n, ".322") + "\n";
    for (int indice : {5, 27}) {
        Importacion imp;
        prueba::escribirFichero(imp.carpeta / "g.gsi", gsi);
        CImportarDatosCampo dialogo(imp.ajustes, imp.libreta, &imp.bandera, imp.avisos);
        dialogo.seleccionar(indice);
        std::vector<double> partes;
        dialogo.fijarProgreso([&](double p) {
            partes.push_back(p);
            return partes.size() < 3;
        });
        EXPECT_EQ(dialogo.importarFichero(imp.carpeta / "g.gsi"), ResultadoImportacion::SinAccion) << indice;
        EXPECT_TRUE(imp.libreta.estaciones.empty()) << indice;
        EXPECT_TRUE(imp.avisos.mensajes.empty()) << indice;
        ASSERT_EQ(partes.size(), 3u);
        EXPECT_LT(partes[0], partes[1]);
        dialogo.fijarProgreso([](double) { return true; });
        EXPECT_EQ(dialogo.importarFichero(imp.carpeta / "g.gsi"), ResultadoImportacion::Cerrar) << indice;
        EXPECT_EQ(imp.libreta.contarLecturas(), 3000u) << indice;
    }
}

TEST(ImportarAntiguos, TopcalAsciiYRadiacionV4) {
    prueba::CarpetaTemporal dir;
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "E1"});
    crearEstacionamiento(libreta.estaciones[0]->estacionamientos, nullptr, "E1_(1)", "E1", 1.0, nullptr, 0);
    DatosComplementarios porDefecto;
    porDefecto.unidadAngular = kSexagesimal;
    std::string error;
    prueba::escribirFichero(dir / "t.txt", "E1 1 10 100 20 1.5 1.45 casa\nE1 2 11 100 21 1.5 1.6 x\n"
                                           "E2 3 12 100 22 1.5 1.6 y\n");
    ASSERT_TRUE(importarTopcalAscii(libreta, porDefecto, dir / "t.txt", true, error));
    const auto& e1 = libreta.estaciones[0]->estacionamientos;
    ASSERT_EQ(e1.size(), 3u);
    EXPECT_EQ(e1[1]->nombre.str() + " " + e1[2]->nombre.str() + " " + e1[1]->lecturas[0].codigo.str(), "E1_(2) E1_(3) casa");
    // The set-up not created here keeps its unit.
    EXPECT_EQ(std::pair(e1[0]->datos.unidadAngular, e1[1]->datos.unidadAngular), std::pair(kCentesimal, kSexagesimal));
    // An incomplete record changes nothing.
    prueba::escribirFichero(dir / "malo.txt", "E3 1 10 100 20 1.5 1.45\nE3 2 11\n");
    EXPECT_FALSE(importarTopcalAscii(libreta, porDefecto, dir / "malo.txt", false, error));
    EXPECT_EQ(error, kErrorLeerFichero);
    EXPECT_EQ(libreta.estaciones.size(), 2u);

    // Radiation file: header, 2 set-ups, 3 readings built from the layout.
    prueba::Imagen rad;
    rad.texto(0, std::string(96, 'H'));
    auto texto = [&](std::string_view t, std::size_t n) { rad.texto(rad.size(), t).texto(rad.size(), std::string(n - t.size(), '\0')); };
    rad.anadirI32(2);
    for (auto [nombre, a, b, alt] : {std::tuple{"R1", 1, 2, 1.5}, std::tuple{"R2", 3, 3, 1.6}}) {
        texto(nombre, 16);
        rad.anadirI32(a).anadirI32(b);
        texto("100", 15);
        texto("40", 17);
        rad.f64(rad.size(), alt).anadirI32(0).anadirI32(0);
    }
    for (int n : {1, 2, 3}) {
        rad.anadirI32(n).anadirI32(0);
        for (double v : {1.2, 10.0 * n, 99.0, 5.0 * n}) rad.f64(rad.size(), v);
        texto("cod", 52);
        rad.anadirI32(0).anadirI32(0).anadirI32(0);
    }
    prueba::escribirFichero(dir / "r.rad", rad.bytes());
    CLibretaCampo r;
    ASSERT_TRUE(importarRadiacionV4(r, {}, dir / "r.rad", error));
    ASSERT_EQ(r.estaciones.size(), 2u);
    const Estacionamiento& s = *r.estaciones[0]->estacionamientos[0];
    EXPECT_EQ(s.nombre.str(), "R1(1)");
    EXPECT_DOUBLE_EQ(s.desorientacion, 60.0);
    EXPECT_EQ(medidas(s), (V{"1 5 99 10 1.2 cod", "2 10 99 20 1.2 cod"}));
    EXPECT_EQ(nombresLecturas(*r.estaciones[1]->estacionamientos[0]), (V{"3"}));
    prueba::escribirFichero(dir / "corto.rad", rad.bytes().substr(0, rad.size() - 3));
    CLibretaCampo nada;
    EXPECT_FALSE(importarRadiacionV4(nada, {}, dir / "corto.rad", error));
    EXPECT_TRUE(nada.estaciones.empty());
}

}  // namespace
}  // namespace celvara
