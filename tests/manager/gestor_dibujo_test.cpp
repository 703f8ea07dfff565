#include "manager/gestor_dibujo.h"

#include <gtest/gtest.h>

#include "manager/gestor_observaciones.h"

namespace celvara {
namespace {

constexpr double kMm = 0.001;

// Sights from a station at the origin (or at 1000, 2000 with orientation 50)
// against the points worked by hand: azimuth from north clockwise; a face
// right sight (zenith 300) reads 200 gon off its true direction; the distance
// reduced by the vertical unless the set-up says it already is.
TEST(PuntoVisado, PuntosCalculadosAMano) {
    struct Caso {
        const char* que;
        bool enObra;  // station at (1000, 2000), orientation 50
        std::int32_t tipoVertical, tipoDistancia, unidad;
        double distancia, vertical, horizontal, x, y;
    };
    const Caso casos[] = {
        {"este", true, 0, 0, 400, 100, 100, 50, 1100, 2000},
        {"sur", true, 0, 0, 400, 100, 100, 150, 1000, 1900},
        {"circulo derecho", false, 0, 0, 400, 10, 300, 300, 10, 0},
        {"elevacion -10 es circulo izquierdo", false, 1, 0, 400, 10, 390, 300, -9.8769, 0},  // 10 cos(9 deg)
        {"cenital 50", false, 0, 0, 400, 100, 50, 0, 0, 70.7107},                          // 100 sin(45 deg)
        {"ya reducida", false, 0, 2, 400, 100, 50, 0, 0, 100},
        {"elevacion 0 es horizontal", false, 1, 0, 400, 100, 0.0001, 0, 0, 100},
        {"sexagesimal", false, 0, 0, 360, 100, 90, 90, 100, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const Estacion e{.x = c.enObra ? 1000.0 : 0.0, .y = c.enObra ? 2000.0 : 0.0};
        const Estacionamiento s{.desorientacion = c.enObra ? 50.0 : 0.0,
                                .datos = {.tipoDistancia = c.tipoDistancia, .tipoVertical = c.tipoVertical, .unidadAngular = c.unidad}};
        Lectura l{.distancia = c.distancia, .vertical = c.vertical, .horizontal = c.horizontal};
        double x = 0, y = 0;
        ASSERT_TRUE(puntoVisado(e, s, l, x, y));
        EXPECT_NEAR(x, c.x, kMm);
        EXPECT_NEAR(y, c.y, kMm);
        l.distancia = 0;
        EXPECT_FALSE(puntoVisado(e, s, l, x, y));
    }
}

TEST(Escena, BanderasYModos) {
    ListaEstaciones lista;
    auto* a = crearEstacion(lista, {.nombre = "A", .coordenadas = Coordenadas{0, 0, 0}});
    auto* b = crearEstacion(lista, {.nombre = "B", .coordenadas = Coordenadas{100, 0, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A1", "A", 1, nullptr, 0);
    crearLectura(s->lecturas, std::nullopt, "B", 0, 0, 100, 100, "");  // no distance: to the station
    crearLectura(s->lecturas, std::nullopt, "5", 0, 50, 100, 0, "");
    auto* t = crearEstacionamiento(b->estacionamientos, nullptr, "B1", "B", 1, nullptr, 0);
    crearLectura(t->lecturas, std::nullopt, "6", 0, 10, 100, 200, "");
    std::vector<PuntoListado> puntos = {{"100", "", 5, 5, 0, "", true}};

    EntradasDibujo d{.estaciones = &lista, .puntos = &puntos, .modo = static_cast<int>(ModoDibujo::Estaciones)};
    EscenaPlano e = construirEscena(d);
    EXPECT_EQ(std::tuple(e.estaciones.size(), e.visuales.size(), e.puntos.size()), std::tuple(2u, 0u, 0u));

    d.verVisuales = true;
    d.verPuntos = true;
    e = construirEscena(d);
    ASSERT_EQ(e.visuales.size(), 3u);
    EXPECT_NEAR(e.visuales[0].x2, 100, kMm);
    EXPECT_NEAR(e.visuales[1].y2, 50, kMm);
    ASSERT_EQ(e.puntos.size(), 1u);
    EXPECT_EQ(e.puntos[0].etiqueta, "");  // numbers off
    EXPECT_NEAR(e.extension.yMin, -10, kMm);
    EXPECT_NEAR(e.extension.yMax, 50, kMm);

    d.modo = static_cast<int>(ModoDibujo::Estacionamiento);
    d.estacionamiento = t;
    d.verNumeros = true;
    d.verEstaciones = false;
    e = construirEscena(d);
    EXPECT_EQ(std::tuple(e.estaciones.size(), e.visuales.size(), e.puntos.at(0).etiqueta), std::tuple(0u, 1u, "100"));
}

TEST(VistaPlano, AjusteNorteArribaZoomYDesplazamiento) {
    Extension ext;
    ext.incluir(1000, 2000);
    ext.incluir(1200, 2100);
    VistaPlano v;
    v.ajustar(ext, 440, 440);
    EXPECT_NEAR(v.escala(), 2.0, 1e-12);  // 200 m across 400 px
    EXPECT_NEAR(v.aPantallaX(1100), 220, 1e-9);
    EXPECT_NEAR(v.aPantallaY(2050), 220, 1e-9);
    EXPECT_LT(v.aPantallaY(2100), v.aPantallaY(2000));  // north up
    v.zoom(2.0, 100, 300);
    EXPECT_NEAR(v.escala(), 4.0, 1e-12);
    const double x = v.aTerrenoX(100), y = v.aTerrenoY(300);
    v.zoom(0.5, 100, 300);
    EXPECT_NEAR(v.aTerrenoX(100), x, 1e-9);
    EXPECT_NEAR(v.aTerrenoY(300), y, 1e-9);
    const double antes = v.aPantallaX(1100);
    v.desplazar(10, -5);
    EXPECT_NEAR(v.aPantallaX(1100), antes + 10, 1e-9);
    Extension unPunto;
    unPunto.incluir(5, 5);
    v.ajustar(unPunto, 100, 100);
    EXPECT_GT(v.escala(), 0);
    EXPECT_NEAR(v.aPantallaX(5), 50, 1e-9);
}

// Labels never cover one another nor a mark: the next free side of the mark,
// else none; a station's name (the first label, where the case says so) goes
// over the points' marks. Labels 20 px wide, 10 high, 3 px off their 6 px marks.
TEST(Etiquetas, SinSolaparseNiSalirDeLaVista) {
    const CajaPlano vista{0, 0, 200, 100};
    struct Caso {
        const char* que;
        std::vector<std::pair<double, double>> marcas;
        std::vector<CajaPlano> fijos;
        std::vector<std::optional<std::pair<double, double>>> esquinas;  // top left of each label
        bool estacion = false;
    };
    const Caso casos[] = {
        {"apartadas: arriba a la derecha", {{50, 50}, {150, 50}}, {}, {{{53, 37}}, {{153, 37}}}},
        {"cinco en un punto: cuatro lados y una sin rotulo", {{50, 50}, {50, 50}, {50, 50}, {50, 50}, {50, 50}}, {},
         {{{53, 37}}, {{27, 37}}, {{53, 53}}, {{27, 53}}, std::nullopt}},
        {"cerca: la segunda se aparta", {{50, 50}, {60, 50}}, {}, {{{53, 37}}, {{63, 53}}}},
        {"una marca tapa el primer sitio", {{50, 50}, {60, 40}}, {}, {{{27, 37}}, {{63, 27}}}},
        {"la estacion no cede a las marcas", {{50, 50}, {60, 40}}, {}, {{{53, 37}}, {{63, 27}}}, true},
        {"en el borde derecho y arriba", {{195, 5}}, {}, {{{172, 8}}}},
        {"bajo la flecha del norte", {{150, 20}}, {CajaPlano{140, 0, 60, 15}}, {{{153, 23}}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        std::vector<EtiquetaPedida> pedidas;
        std::vector<CajaPlano> marcas;
        for (const auto& [x, y] : c.marcas) {
            pedidas.push_back({x, y, 20, 10, 3, !(c.estacion && pedidas.empty())});
            marcas.push_back({x - 3, y - 3, 6, 6});
        }
        std::vector<std::optional<std::pair<double, double>>> esquinas;
        for (const auto& s : colocarEtiquetas(pedidas, vista, c.fijos, marcas))
            esquinas.push_back(s ? std::optional(std::pair(s->x, s->y)) : std::nullopt);
        EXPECT_EQ(esquinas, c.esquinas);
    }
}

}  // namespace
}  // namespace celvara
