#include "calc/resultado_estacion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/datos_prueba.h"
#include "calc/estacion_mmcc.h"
#include "calc/tabla_calculo.h"
#include "calc/unidades.h"
#include "comun/avisos_grabados.h"
#include "comun/red_estacion.h"

namespace celvara {
namespace {

using prueba::AvisosGrabados;

std::array<ListaSoluciones, kMetodosEstacion> dosRadiadas(double a2 = 0.01) {
    SolucionEstacion s1{true, {"A", "", ""}, 10, 20, 5, 0.01, 0.01, 0.01, 0.01, 0.02};
    SolucionEstacion s2{true, {"B", "", ""}, 12, 22, 7, a2, a2, a2, a2, 0.02};
    return {ListaSoluciones{s1, s2}, {}, {}};
}

TEST(ResultadoEstacion, InformePromediosSimpleYPonderadoYGuardar) {
    CDatosGenerales aj;
    AvisosGrabados avisos;
    Estacion p{.nombre = "P"};
    // The report with the second solution left out, as its template lays it out.
    CResultadoEstacion informe(aj, p, dosRadiadas(), avisos);
    informe.rejilla(0).asignar(1, columna_resultado::uso, "0");
    informe.promediarSoluciones();
    EXPECT_EQ(informe.textoInforme(), prueba::leerDato("estacion/informe_resultado.txt"));

    CResultadoEstacion r(aj, p, dosRadiadas(), avisos);
    EXPECT_EQ(r.titulo, "CALCULO DE LA ESTACION:   P");
    // Equal a, b and Tz: the weighted mean is the plain one.
    EXPECT_EQ(r.textoX, "11.000");
    r.ponderado = false;
    r.promediarSoluciones();
    EXPECT_EQ(r.textoX + " " + r.textoY + " " + r.textoZ, "11.000 21.000 6.000");
    EXPECT_EQ(r.textoPrecision, "Px=1.414 Py=1.414 Pz=1.414");
    ASSERT_TRUE(r.guardar());
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(std::string(p.descripcion2.vista()), "Px=1.414 Py=1.414 Pz=1.414");

    // Semi-axes four times larger weigh a quarter: X = (10 + 12 / 4) / 1.25.
    CResultadoEstacion w(aj, p, dosRadiadas(0.04), avisos);
    EXPECT_EQ(w.textoX, "10.400");

    r.promediar[0] = false;
    r.promediarSoluciones();
    EXPECT_EQ(r.textoX + " " + r.textoY + " " + r.textoZ, "0.000 0.000 0.000");
    EXPECT_FALSE(r.guardar());
    EXPECT_EQ(p.x, 11);
    CResultadoEstacion cero(aj, p, dosRadiadas(0.0), avisos);
    EXPECT_FALSE(cero.guardar());
    EXPECT_EQ(avisos.textos(), (std::vector<std::string>{kMensajeSinSoluciones, kMensajePesoNoValido}));
}

TEST(ResultadoEstacion, SolucionesIndependientesDeLaRed) {
    CLibretaCampo l;
    prueba::libretaRed(l);
    CDatosGenerales aj;
    ListaInstrumentos ins = prueba::instrumentosRed();
    AvisosGrabados avisos;
    CCalculoEstacionSemi semi(l, aj, &ins, avisos);
    EXPECT_FALSE(semi.calcular());  // no station yet: nothing computed, and why
    // Choosing the station fills the three grids without a word; a double click reloads one and tells.
    ASSERT_TRUE(semi.elegirEstacion("P"));
    auto filas = [&] {
        std::string n;
        for (auto m : {MetodoEstacion::Radiacion, MetodoEstacion::Directa, MetodoEstacion::Inversa})
            n += std::to_string(semi.rejilla(m).numeroFilas());
        return n;
    };
    EXPECT_EQ(filas(), "024");
    semi.cargar(MetodoEstacion::Directa);
    EXPECT_EQ(avisos.textos(), (std::vector<std::string>{kMensajeSinEstacionElegida,
                                                         "Se han cargado 2 visuales DIRECTAS automáticamente"}));
    ASSERT_TRUE(semi.calcular());
    const auto& s = semi.soluciones();
    ASSERT_EQ(s[1].size(), 1u);
    ASSERT_EQ(s[2].size(), 4u);  // every triple of the four sights
    for (const auto* lista : {&s[1], &s[2]})
        for (const auto& x : *lista) {
            EXPECT_NEAR(x.x, 1250, 0.02);
            EXPECT_NEAR(x.y, 1300, 0.02);
            EXPECT_GT(x.a, 0);
            EXPECT_GE(x.a, x.b);
            EXPECT_NEAR(x.z, 100, 1e-9);  // level sights, equal heights, no curvature
        }
    // Direct intersection from A and B: sigma of a direction 19.5 cc at ~391 and
    // ~403 m gives semi-axes of a centimetre or so.
    EXPECT_LT(s[1][0].a, 0.05);

    // A sexagesimal set-up stops the loading of its grids, said once.
    l.buscarEstacion("A")->estacionamientos[0]->datos.unidadAngular = kSexagesimal;
    avisos.mensajes.clear();
    ASSERT_TRUE(semi.elegirEstacion("P"));
    EXPECT_EQ(filas(), "004");
    EXPECT_FALSE(semi.cargar(MetodoEstacion::Directa));
    EXPECT_EQ(avisos.textos(), (std::vector<std::string>{kMensajeCentesimal, kMensajeCentesimal}));
    // No row in use: nothing computed, and why.
    for (std::size_t f = 0; f < 4; ++f) semi.rejilla(MetodoEstacion::Inversa).asignar(f, columna_semi::uso, "0");
    EXPECT_FALSE(semi.calcular());
    EXPECT_EQ(avisos.textos().back(), kMensajeSinVisualesEnUso);
}

TEST(ResultadoEstacion, InterseccionesDegeneradasNoDanSolucion) {
    double x, y;
    // Parallel rays, and rays that meet behind the stations (rays that meet
    // and resections off the circle: SolucionesIndependientesDeLaRed).
    EXPECT_FALSE(interseccionDirecta(0, 0, 50, 100, 0, 50, x, y));
    EXPECT_FALSE(interseccionDirecta(0, 0, 250, 100, 0, 150, x, y));
    // Three points and P on one circle of radius 100: the danger circle.
    const double r = 100, pi = 3.14159265358979;
    auto punto = [&](double g) { return std::pair{r * std::sin(g * pi / 200), r * std::cos(g * pi / 200)}; };
    const auto [px, py] = punto(350);
    std::array<double, 3> xs, ys, h;
    const double angulos[3] = {0, 100, 200};
    for (int i = 0; i < 3; ++i) {
        std::tie(xs[i], ys[i]) = punto(angulos[i]);
        h[i] = AzimutEntre(px, py, xs[i], ys[i], 400);
    }
    EXPECT_FALSE(interseccionInversa(xs, ys, h, x, y));
}

TEST(TablaCalculo, EditaAlturasYDesorientaciones) {
    CLibretaCampo l;
    prueba::libretaRed(l);
    CTablaCalculo t(l);
    auto& g = t.rejilla();
    ASSERT_EQ(g.numeroFilas(), 3u);
    EXPECT_EQ(g.texto(2, columna_tabla::estacionamiento) + " " + g.texto(2, columna_tabla::lecturas) + " " +
                  g.texto(2, columna_tabla::valor1),
              "P1 4 0.000");
    for (std::size_t c = 0; c < g.numeroColumnas(); ++c)  // no column shown without a caption
        EXPECT_TRUE(g.columna(c).oculta || !g.columna(c).titulo.empty()) << c;
    EXPECT_EQ(g.texto(2, columna_tabla::inicio) + g.texto(2, columna_tabla::fin), "AE");
    g.asignar(0, columna_tabla::altura, "1,62");
    g.asignar(2, columna_tabla::desorientacion, "123.4568");
    t.aceptar();
    EXPECT_EQ(l.estaciones[0]->estacionamientos[0]->alturaInstrumento, 1.62);
    EXPECT_EQ(l.estaciones[4]->estacionamientos[0]->desorientacion, 123.4568);
    EXPECT_EQ(l.estaciones[1]->estacionamientos[0]->desorientacion, 250.5);
}

}  // namespace
}  // namespace celvara
