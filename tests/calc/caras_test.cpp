// The one reduction of a face-right reading to face left, and the example
// job (both faces) by the independent station solutions. The least-squares
// station and the network on a book in both faces: AjusteRed.UnPuntoNuevo.
#include "calc/caras.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/desorientaciones_todas.h"
#include "calc/estacion_mmcc.h"
#include "calc/resultado_estacion.h"
#include "fieldbook/fichero_obs.h"
#include "comun/avisos_grabados.h"

namespace celvara {
namespace {

// Wild readings (1e300 and the like) in a pair or a station: RedCli's
// ValoresDisparatados, within its time bound.
TEST(Caras, CaraDerechaACaraIzquierdaPorTipoDeVertical) {
    struct Caso {
        double h, v;
        int C, tipoVertical;
        bool desnivel;
        double hEsperada, vEsperada;
        bool derecha;
    } const casos[] = {
        {310.1602, 300.7464, 400, 0, false, 110.1602, 99.2536, true},   // zenith
        {110.1602, 99.2536, 400, 0, false, 110.1602, 99.2536, false},   // already face left
        {50.0, 190.0, 400, 1, false, 250.0, 10.0, true},                // elevation: z = 310
        {50.0, 310.0, 400, 2, false, 250.0, 90.0, true},                // nadir: z = 290
        {250.0, 190.0, 360, 0, false, 70.0, 170.0, true},               // sexagesimal zenith
        {250.0, 1.25, 400, 0, true, 250.0, 1.25, false},                // a height difference has no face
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.h << " " << c.v << " C " << c.C << " tipo " << c.tipoVertical);
        const LecturaCaraIzquierda l = aCaraIzquierda(c.h, c.v, 123.4, c.C, c.tipoVertical, c.desnivel);
        EXPECT_EQ(l.caraDerecha, c.derecha);
        EXPECT_NEAR(l.horizontal, c.hEsperada, 1e-9);
        EXPECT_NEAR(l.vertical, c.vEsperada, 1e-9);
        EXPECT_EQ(l.distancia, 123.4);
    }
}

// "Cálculo Independiente" on the example job (both faces), once oriented:
// every radiation, direct and inverse solution of B3 on its true place.
TEST(Caras, CalculoIndependienteDeLaObraEjemplo) {
    CLibretaCampo l;
    ASSERT_TRUE(leerLibreta(l, std::string(CELVARA_EJEMPLOS) + "/obra_ejemplo.obs"));
    CCalculoDesorientaciones orientacion(l);
    orientacion.calcular();
    orientacion.grabar();
    ListaInstrumentos ins;
    prueba::AvisosGrabados avisos;
    ASSERT_EQ(cargarInstrumentos(ins, std::string(CELVARA_EJEMPLOS) + "/../data/vestrum/instrumentos.apa", avisos),
              Estado::Exito);
    CDatosGenerales ajustes;
    CCalculoEstacionSemi semi(l, ajustes, &ins, avisos);
    ASSERT_TRUE(semi.elegirEstacion("B3"));
    for (MetodoEstacion m : {MetodoEstacion::Radiacion, MetodoEstacion::Directa, MetodoEstacion::Inversa})
        ASSERT_TRUE(semi.cargar(m));
    ASSERT_TRUE(semi.calcular());
    std::size_t n = 0;
    for (const auto& lista : semi.soluciones())
        for (const SolucionEstacion& s : lista) {
            EXPECT_NEAR(s.x, 436655.4800, 0.005) << s.estaciones[0] << " " << s.estaciones[1];
            EXPECT_NEAR(s.y, 4477694.2330, 0.005);
            EXPECT_NEAR(s.z, 648.0920, 0.005);
            ++n;
        }
    EXPECT_GE(n, 4u);
}

}  // namespace
}  // namespace celvara
