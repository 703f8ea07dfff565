// Tagged records: Topcon GTS-7 (a tag, blanks, comma-separated fields),
// Pentax (named and numeric tags, with and without the line prefix) and our
// CTS2 Psion keyword layout.
#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::libro;
using prueba::medidas;
using prueba::nombresLecturas;
using V = std::vector<std::string>;

constexpr int kGts700 = 11, kPentaxPsion = 7, kPentaxAts = 9, kCts2 = 12;

// A GTS-7 file (tests/data/importacion/gts7.txt), CR LF, the last line without its end.
const std::string kFichero = prueba::leerFichero(prueba::kDatosImportacion / "gts7.txt");

// Reading 4 is not 2 + 1, yet it stays in the set-up of its station; the
// foresight is not imported; HD puts the height difference in the vertical
// slot; the set-up is oriented with the backsight: 100 - 12.3456.
TEST(Gts700, BloquesDeEstacionYDePuntos) {
    Importacion imp;
    ASSERT_EQ(imp.importar(kGts700, kFichero), ResultadoImportacion::Cerrar);
    EXPECT_EQ(libro(imp.libreta), (V{"E1 0 0 0", "  E1(1) 1.55 87.6544 400", "    1 50.1234 98.7654 25.432 1.6 ARBOL",
                                     "    2 60 -1.234 30.123 1.7 MURO ESQ N", "    4 70 99 0 1.3", "E2 0 0 0",
                                     "  E2(1) 1.6 0 400", "    1 1 2 3 1.6"}));
}

TEST(PentaxEtiquetas, EstacionInventadaYEstacionamientosVaciosFuera) {
    const std::string f = prueba::leerFichero(prueba::kDatosImportacion / "pentax.txt");
    for (int indice : {kPentaxPsion, kPentaxAts}) {
        Importacion imp;
        ASSERT_EQ(imp.leer(indice, f), Estado::Exito);
        EXPECT_EQ(imp.avisos.textos(), (V{mensajes::kEstacionInventada}));
        // B1 had no reading; the target height stays.
        EXPECT_EQ(prueba::tramos(imp.listas), (V{"1|5|5|0||", "B2|1|2|1.5||"}));
        EXPECT_EQ(medidas(imp.listas),
                  (V{"5 10.5 100.25 20.125 1.5 ARBOL", "1 1 2 3 1.5", "2 4 5 6 1.8 MURO 3"}));
    }
}

TEST(PentaxEtiquetas, EtiquetasNumericasConPrefijoDeLinea) {
    const std::string f = prueba::leerFichero(prueba::kDatosImportacion / "pentax_numerico.txt");
    Importacion imp;
    ASSERT_EQ(imp.importar(kPentaxAts, f), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    EXPECT_EQ(libro(imp.libreta),
              (V{"E7 0 0 0", "  E7(1) 1.6 0 400", "    10 50 99.5 12.345 1.3 PIE", "    11 60 98 13 1.3"}));
}

TEST(PentaxEtiquetas, NombresNoNumericosUsanLaCuentaDelFichero) {
    Importacion imp;
    ASSERT_EQ(imp.leer(kPentaxPsion, "STS:A\nINH:1\nPPD:X1\nRTH:1\nPPD:X2\nRTH:2\n"), Estado::Exito);
    EXPECT_EQ(medidas(imp.listas), (V{"1 1 0 0 0", "2 2 0 0 0"}));
    EXPECT_EQ(imp.listas.estacionamientos().size(), 1u);
}

TEST(Cts2Psion, RegistrosDeEstacionOrientacionPrismaYLecturas) {
    Importacion imp;
    ASSERT_EQ(imp.importarRuta(kCts2, prueba::kDatosImportacion / "cts2.txt"), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(imp.avisos.mensajes.empty());
    // ORIGEN's coordinates are not used; oriented 100 - 12.3456; "P9" keeps its id; a number out of sequence
    // stays in its set-up.
    EXPECT_EQ(libro(imp.libreta), (V{"E1 0 0 0", "  E1(1) 1.55 87.6544 400", "    1 50.1234 98.7654 25.432 1.6 ARBOL",
                                     "    2 60 99 30 1.6", "    3 70 100 45.5 1.3", "    P9 80 100 10 1.3", "E2 0 0 0",
                                     "  E2(1) 1.4 0 400", "    10 1 2 3 1.3"}));
    // Numbers that restart at each station never move readings between stations.
    ASSERT_EQ(imp.importar(kCts2, "ORIGEN A,1.5\nREGPOS 1,0,0,0\nREGPOS 2,0,0,0\nORIGEN B,1.5\nREGPOS 1,0,0,0\n"),
              ResultadoImportacion::Cerrar);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(2, 0)), (V{"1", "2"}));
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(3, 0)), (V{"1"}));
}

// Files each reader refuses, with the message shown before the format one;
// the book stays as it was.
TEST(Etiquetas, RechazosConSusMensajes) {
    const std::string noSeReconoce = "No se reconoce la linea del fichero:\n", ninguno;
    const std::string alturaFalta = mensajes::kFaltaAlturaAparato;
    const struct {
        int indice;
        std::string fichero, primero;
    } casos[] = {
        {kGts700, "STN    E1\n", ninguno}, {kGts700, "STN    E1,\n", ninguno}, {kGts700, "STN    E1,  \n", ninguno},
        {kGts700, "STN    E1,1.5\nBKB    E2\n", ninguno}, {kGts700, "STN    E1,1.5\nBKB    E2,\n", ninguno},
        {kGts700, "STN    E1,1.5\nSS     1\n", ninguno}, {kGts700, "STN    E1,1.5\nSS     1,1.5,A\nSD     1,2\n", ninguno},
        {kGts700, "STN    E1,1.5\nSS     1,1.5,A\nHD     1,,3\n", ninguno},
        {kGts700, "SS     1,1.5,A\nSTN    E1,1.5\n", mensajes::kVisualesAntesDatos2},
        {kPentaxPsion, "STA:\nSTS:\n", ninguno}, {kPentaxPsion, "STS:A\nINH:\n", ninguno},
        {kPentaxPsion, "STS:A\nPPT:\nRTH:  \n", ninguno}, {kPentaxPsion, "STS:A\nPPD:1\nPPH:\n", ninguno},
        {kCts2, "ORIGEN E1\n", alturaFalta}, {kCts2, "ORIGEN E1,\n", alturaFalta},
        {kCts2, "ORIGEN E1, ,1,2,3\n", alturaFalta}, {kCts2, "REGPOS 1,1,2,3\n", mensajes::kVisualesAntesDatos},
        {kCts2, "ORIGEN E1,1.5\nREGPOS 1,1,2\n", noSeReconoce + "REGPOS 1,1,2"},
        {kCts2, "ORIGEN E1,1.5\nCASA 1\n", noSeReconoce + "CASA 1"},
    };
    for (const auto& c : casos) {
        Importacion imp;
        EXPECT_EQ(imp.importar(c.indice, c.fichero), ResultadoImportacion::Fallo) << c.fichero;
        V esperados{(c.primero.empty() ? "" : c.primero + "\n\n") + mensajes::kFormatoNoCoincide};
        EXPECT_EQ(imp.avisos.textos(), esperados) << c.fichero;
        EXPECT_TRUE(imp.libreta.estaciones.empty()) << c.fichero;
    }
}

}  // namespace
}  // namespace celvara
