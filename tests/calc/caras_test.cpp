// The one reduction of a face-right reading to face left, and the example
// job (both faces) by the independent station solutions. The least-squares
// station and the network on a book in both faces: AjusteRed.UnPuntoNuevo.
#include "calc/caras.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/datos_prueba.h"
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
    const auto casos = prueba::leerTabla("calculo/caras.txt");
    ASSERT_EQ(casos.size(), 6u);
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c[0] << " " << c[1] << " C " << c[2] << " tipo " << c[3]);
        const LecturaCaraIzquierda l = aCaraIzquierda(c[0], c[1], 123.4, std::int32_t(c[2]), std::int32_t(c[3]), c[4] != 0);
        EXPECT_EQ(std::tuple(l.caraDerecha, l.distancia), std::tuple(c[7] != 0, 123.4));
        EXPECT_NEAR(l.horizontal, c[5], 1e-9);
        EXPECT_NEAR(l.vertical, c[6], 1e-9);
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
