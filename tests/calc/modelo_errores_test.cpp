#include "calc/modelo_errores.h"

#include <gtest/gtest.h>

#include <cmath>

namespace celvara {
namespace {

// A = 30, s = 12 cc, pH = pV = 10 cc, 2 mm + 2 ppm.
CaracteristicasInstrumento estacionTotal() { return {30, 12, 10, 10, 2, 2}; }

TEST(ModeloErrores, PunteriaTruncaComoEstaEscrita) {
    // (4A/100 + 1)·(30/A) with each factor truncated: 10 -> 1·3, 20 -> 1·1,
    // 30 -> 2·1, 31 -> 2·0; none for A <= 0.
    for (auto [aumentos, error] : {std::pair{10, 3}, {20, 1}, {30, 2}, {31, 0}, {32, 0}, {0, 0}, {-4, 0}})
        EXPECT_EQ(errorPunteria(aumentos), error) << aumentos;
}

TEST(ModeloErrores, SinInclinacionNiPpmQuedaElDistanciometroYElCompensadorEsReal) {
    // ep = 0, no centring, no heights: only a = 3 mm and s = 5 cc remain.
    const CaracteristicasInstrumento ins{32, 5, 0, 0, 3, 0};
    const ParametrosTrabajo nada{0, 0, 0, 0, 0};
    const ErroresVisual e = erroresVisual(ins, nada, 150, 100, 1.7);
    EXPECT_DOUBLE_EQ(e.ev, 5.0 / 3);   // s/3 real, not 1
    EXPECT_DOUBLE_EQ(e.ea, 5.0 / 12);  // s/12 real, not 0
    // The vertical error tilts the sight by Ev: D·(1 − cos δ) is below 1e-7 m.
    EXPECT_NEAR(e.ed, 0.003, 1e-7);
    EXPECT_NEAR(e.longitudinal, std::sqrt(2.0) * 0.003, 2e-7);
    // E.Z: D·sin δ with δ = Ev·1e-4 gon, no pole and no heights.
    EXPECT_NEAR(e.ez, 150 * std::sin(5.0 / 3 * 1e-4 * 0.015707963267948967), 1e-9);
    // Without a distance the centring term is left out, never infinite.
    const ErroresVisual cero = erroresVisual(estacionTotal(), ParametrosTrabajo{}, 0, 100, 1.6);
    EXPECT_DOUBLE_EQ(cero.ea, std::sqrt(4 + 1 + 100.0));
}

// Worked by hand: 5 legs, 1000 m, default work parameters. D = 200 m.
//   Ev = √(2² + 4² + 10²) = √120 = 10.9545 cc
//   Ea = √(2² + (0.01/200·636620)² + 1² + 10²) = √(4 + 1013.2126 + 1 + 100) = 33.4397 cc
//   Ed ≈ √((1.6·sin 1 gon)² + (0.0004 + 0.002)²) = √(0.0251317² + 0.0024²) = 0.025246 m
//   E.Z ≈ √((200·sin δ)² + (1.6·(1 − cos 1 gon))² + 0.002² + 0.005²) = 0.0063939 m
//   transversal = √2·200·Ea·1.570795765134617e-06 = 0.0148569 m
//   T.Ang = √10·Ea = 105.7456 cc; T.Lon = Ed·√(5/2) = 0.039918; T.Trav = √5·0.0148569 = 0.033221
//   Tol.X = T.Dist/3 = 0.013306; Tol.Y = 2·T.Dist/3 = 0.026612; Tol.Z = E.Z·√(5/2) = 0.010110
TEST(ModeloErrores, PoligonalPrevistaDeCincoTramosYMilMetros) {
    const auto t = toleranciaPoligonalPrevista(estacionTotal(), ParametrosTrabajo{}, 5, 1000);
    const std::pair<double, double> cifras[] = {
        {t.visual.ev, std::sqrt(120.0)}, {t.visual.ea, 33.43968542}, {t.visual.ed, 0.02524604}, {t.visual.ez, 0.00639394},
        {t.visual.transversal, 0.01485686}, {t.tAng, 105.745570170}, {t.tLon, 0.03991750}, {t.tTrav, 0.03322094},
        {t.tDist, t.tLon}, {t.tolX, 0.01330583}, {t.tolY, 0.02661167}, {t.tolZ, 0.01010971}};
    for (const auto& [valor, aMano] : cifras) EXPECT_NEAR(valor, aMano, 1e-8) << aMano;
    // The transversal constant is not π/2 000 000.
    const double conPi = std::sqrt(2.0) * 200 * t.visual.ea * (3.141592653589793 / 2e6);
    EXPECT_GT(std::fabs(t.visual.transversal - conPi), 1e-9);

    // No legs or no length: nothing.
    EXPECT_EQ(toleranciaPoligonalPrevista(estacionTotal(), ParametrosTrabajo{}, 0, 1000).tDist, 0);
    EXPECT_EQ(toleranciaPoligonalPrevista(estacionTotal(), ParametrosTrabajo{}, 5, 0).tDist, 0);
}

TEST(ModeloErrores, AcumulacionDeUnaPoligonalYVarianzaDeLasEcuaciones) {
    // Two equal legs of 200 m, partials (120, 160) and (−120, 160).
    const ErroresVisual e = erroresVisual(estacionTotal(), ParametrosTrabajo{}, 200, 100, 1.6);
    AcumuladorTolerancias acumulador;
    const ToleranciaTramo tramo = acumulador.anadirTramo(e, 120, 160, 200);
    acumulador.anadirTramo(e, -120, 160, 200);
    EXPECT_DOUBLE_EQ(tramo.distancia, e.longitudinal);
    EXPECT_DOUBLE_EQ(tramo.altura, e.altura);
    const ToleranciasPoligonal r = acumulador.resultado();
    EXPECT_NEAR(r.tAng, 2 * e.ea * 1e-4, 1e-12);                       // √2·√2·Ea·1e-4
    EXPECT_NEAR(r.tDist, std::max(e.ed, std::sqrt(2.0) * e.transversal), 1e-12);
    EXPECT_NEAR(r.tX, 240 * r.tDist / 400, 1e-12);
    EXPECT_NEAR(r.tY, 320 * r.tDist / 400, 1e-12);
    EXPECT_NEAR(r.tZ, e.ez, 1e-12);
    EXPECT_EQ(AcumuladorTolerancias{}.resultado().tX, 0);

    CDatosGenerales ajustes;
    ajustes.calcularConPesos = 1;
    ajustes.varianzaReferencia = 4;
    EXPECT_DOUBLE_EQ(varianzaEcuacion(10, ajustes), 25);
    ajustes.calcularConPesos = 0;
    EXPECT_DOUBLE_EQ(varianzaEcuacion(10, ajustes), 1);
}

}  // namespace
}  // namespace celvara
