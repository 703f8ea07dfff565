#include "traverse/informe_poligonal.h"

#include <gtest/gtest.h>

#include "calc/datos_prueba.h"
#include "fieldbook/numeros.h"
#include "pol_prueba.h"
#include "traverse/fichero_pol.h"
#include "traverse/tolerancias_poligonal.h"

namespace celvara {
namespace {

using namespace prueba_pol;

Poligonal leerNorte() {
    Poligonal p;
    std::string mensaje;
    EXPECT_TRUE(leerPoligonal(bytes(norte()), p, mensaje)) << mensaje;
    return p;
}

ResultadoPoligonal calcular(const Poligonal& p, std::uint32_t metodo = 0) {
    auto r = calcularPoligonal(p.filas, p.referencia, {metodo, 4, 0, 1.0});
    EXPECT_TRUE(r) << r.error;
    return r ? *r : ResultadoPoligonal{};
}

TEST(InformePoligonal, IgualAlInformeEscritoAMano) {
    const auto p = leerNorte();
    const std::string esperado = prueba::leerDato("poligonal/informe_encuadrada.txt");
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(informePoligonal(calcular(p)), esperado);
}

TEST(InformePoligonal, TextosDelResumen) {
    // The summary by distances: see poligonal_cli_test.cpp.
    auto p = leerNorte();
    auto sanguet = calcular(p, 2);
    sanguet.configuracion.proyeccion = 1;
    EXPECT_EQ(textoResumenPoligonal(sanguet),
              "Poligonal Encuadrada:- Compensación por Sanguet -UTM-ED50\n"
              "E.Ang=0.0000  E.X=0.000  E.Y=-0.012  E.Z=-0.022\n"
              "Giro = 0.0000000000     Coeficiente = 0.0000599964    Toler Z = 0.000 ");  // no "-0"
    // A zero keeps its column; a name or a value that is not zero keeps its sign.
    EXPECT_EQ(sinMenosCero("-0.000 E1 -0.000\t-0 P-0.000 -0.001 1-0.0 -0.0001"),
              "0.000 E1  0.000\t0 P-0.000 -0.001 1-0.0 -0.0001");
    p.referencia.tipo = 1;
    const auto colgada = calcular(p);
    EXPECT_EQ(textoResumenPoligonal(colgada), "Poligonal Colgada: - No Existe Compensación - Planas");
    // A hanging traverse lists its stations with no known end and no E or T.
    const auto& lista = colgada.estaciones;
    ASSERT_EQ(lista.size(), 3u);
    EXPECT_EQ(lista[2].nombre, "E3");
    EXPECT_NEAR(lista[2].y, 200.012, 1e-9);
}

TEST(InformePoligonal, ToleranciasDelModeloDeErroresTramoATramo) {
    const auto p = leerNorte();
    // A = 32 (no pointing error), no compensator or angular terms, 2 mm + 0 ppm:
    // Ea = 0.01 m / D * 636620 cc, Ed = 2 mm, E.Z from the height errors alone.
    CDatosGenerales ajustes;
    ajustes.inclinacionJalon = 0;
    const ListaInstrumentos biblioteca{{.nombre = "T", .aumentos = 32, .precisionDistanciaMm = 2}};
    auto r = calcular(p);
    aplicarTolerancias(r, p.filas, evaluadorTolerancias(biblioteca, ajustes));
    EXPECT_NEAR(r.T.ang, 0.012731763, 1e-9);
    EXPECT_NEAR(r.T.dist, 0.020, 1e-9);  // the transversal error wins
    EXPECT_EQ(r.T.x, 0);
    EXPECT_NEAR(r.T.y, 0.019999, 1e-9);
    EXPECT_NEAR(r.T.z, 0.005385174, 1e-9);
    EXPECT_NEAR(r.tramos[0].dTol, 0.002828427, 1e-9);
    EXPECT_NEAR(r.tramos[0].zTol, 0.007615786, 1e-9);
    EXPECT_EQ(r.tramos[2].dTol, 0);  // the closing sighting is no leg
    // Without a library the tolerances stay 0.
    aplicarTolerancias(r, p.filas, evaluadorTolerancias({}, ajustes));
    EXPECT_EQ(r.T.dist, 0);
}

TEST(InformePoligonal, GrabaCoordenadasYDesorientacionesEnLaLibreta) {
    const auto p = leerNorte();
    const auto r = calcular(p);
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "E1", .coordenadas = Coordenadas{5, 5, 5}});
    Estacion* est2 = crearEstacion(libreta.estaciones, {.nombre = "E2"});
    crearEstacionamiento(est2->estacionamientos, nullptr, "E2-1", "E2", 1.0, nullptr, 5.0);
    grabarPoligonalEnLibreta(libreta, r, p.referencia, p.filas);

    ASSERT_EQ(libreta.estaciones.size(), 3u);
    EXPECT_EQ(libreta.estaciones[0]->x, 0);
    EXPECT_TRUE(libreta.estaciones[0]->estacionamientos.empty());  // an existing start keeps its set-ups
    EXPECT_NEAR(est2->y, 100.0059996, 1e-6);
    EXPECT_NEAR(est2->z, 0.4909993, 1e-6);
    ASSERT_EQ(est2->estacionamientos.size(), 1u);
    EXPECT_NEAR(est2->estacionamientos[0]->desorientacion, 0, 1e-9);
    EXPECT_EQ(est2->estacionamientos[0]->alturaInstrumento, 1.45);
    const Estacion* e3 = libreta.buscarEstacion("E3");
    ASSERT_TRUE(e3 && e3->estacionamientos.size() == 1u);
    EXPECT_EQ(std::tuple(e3->y, e3->ficheroFoto.str(), e3->estacionamientos[0]->nombre.str()),
              std::tuple(200.0, kFotoPorDefecto, "E3(1)"));
}

}  // namespace
}  // namespace celvara
