// Topcon GTS-7 records as the instrument writes them: a tag, blanks, and
// comma-separated fields.
#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::nombresLecturas;
using V = std::vector<std::string>;

constexpr int kGts700 = 11;

const char* const kFichero =
    "GTS-7 V1.0\r\n"
    "JOB    PRUEBA,OBRA NORTE\r\n"
    "STN    E 1 ,1.550,BASE\r\n"
    "XYZ    1000.000,2000.000,100.000\r\n"
    "BKB    E2,100.0000,12.3456\r\n"
    "BS     E2,1.600\r\n"
    "HV     12.3 456,100.0000\r\n"
    "SS     1,1.600,ARBOL\r\n"
    "SD     50.1234,98.7654,25.432\r\n"
    "SS     2,1.700,MURO,ESQ,N\r\n"
    "HD     6 0.0000,30.123,-1.234\r\n"
    "SS     4,1.300,\r\n"
    "HV     70.0000,99.0000\r\n"
    "FS     5,1.600,\r\n"
    "SD     80.0000,99.0000,10.000\r\n"
    "STN    E2,1.600\r\n"
    "SS     1,1.600\r\n"
    "SD     1,2,3";

TEST(Gts700, BloquesDeEstacionYDePuntos) {
    Importacion imp;
    ASSERT_EQ(imp.leer(kGts700, kFichero), Estado::Exito);
    // Reading 4 is not 2 + 1, yet it stays in the set-up of its station.
    EXPECT_EQ(prueba::tramos(imp.listas), (V{"E1|1|4|1.55|100.0000|12.3456", "E2|1|1|1.6|0.0000|0.0000"}));
    // The foresight is not imported; HD puts the height difference in the
    // vertical slot.
    EXPECT_EQ(prueba::medidas(imp.listas), (V{"1 50.1234 98.7654 25.432 1.6 ARBOL", "2 60 -1.234 30.123 1.7 MURO ESQ N",
                                              "4 70 99 0 1.3", "1 1 2 3 1.6"}));
}

TEST(Gts700, FusionOrientaConLaEspalda) {
    Importacion imp;
    ASSERT_EQ(imp.importar(kGts700, kFichero), ResultadoImportacion::Cerrar);
    ASSERT_EQ(imp.libreta.estaciones.size(), 2u);
    ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
    EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).desorientacion, 100.0 - 12.3456);
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(0, 0)), (V{"1", "2", "4"}));
    EXPECT_EQ(nombresLecturas(imp.estacionamiento(1, 0)), (V{"1"}));
}

TEST(Gts700, CamposQueFaltanFallan) {
    for (const char* malo : {"STN    E1\n", "STN    E1,\n", "STN    E1,  \n", "STN    E1,1.5\nBKB    E2\n",
                             "STN    E1,1.5\nBKB    E2,\n", "STN    E1,1.5\nSS     1\n",
                             "STN    E1,1.5\nSS     1,1.5,A\nSD     1,2\n", "STN    E1,1.5\nSS     1,1.5,A\nHD     1,,3\n"}) {
        Importacion imp;
        EXPECT_EQ(imp.importar(kGts700, malo), ResultadoImportacion::Fallo) << malo;
        EXPECT_EQ(imp.avisos.textos(), (V{mensajes::kFormatoNoCoincide})) << malo;
        EXPECT_TRUE(imp.libreta.estaciones.empty());
    }
}

TEST(Gts700, PuntoAntesDeEstacion) {
    Importacion imp;
    EXPECT_EQ(imp.importar(kGts700, "SS     1,1.5,A\nSTN    E1,1.5\n"), ResultadoImportacion::Fallo);
    EXPECT_EQ(imp.avisos.textos(), (V{mensajes::kVisualesAntesDatos2, mensajes::kFormatoNoCoincide}));
}

}  // namespace
}  // namespace celvara
