#include "manager/gestor_dibujo.h"

#include <gtest/gtest.h>

#include "manager/gestor_observaciones.h"

namespace celvara {
namespace {

constexpr double kMm = 0.001;

TEST(PuntoVisado, AcimutDesdeElNorteEnElSentidoDelReloj) {
    Estacion e;
    e.x = 1000;
    e.y = 2000;
    Estacionamiento s;
    s.desorientacion = 50;
    Lectura l;
    l.distancia = 100;
    l.vertical = 100;  // level sight
    l.horizontal = 50;  // 50 + 50 = 100 gon: east
    double x = 0, y = 0;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(x, 1100, kMm);
    EXPECT_NEAR(y, 2000, kMm);
    l.horizontal = 150;  // south
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(x, 1000, kMm);
    EXPECT_NEAR(y, 1900, kMm);
}

// A sight taken face right (zenith 300 gon) reads 200 gon off its true
// direction: horizontal 300 is east, not west.
TEST(PuntoVisado, CirculoDerechoRestaMedioCirculo) {
    Estacion e;
    Estacionamiento s;
    Lectura l;
    l.distancia = 10;
    l.vertical = 300;
    l.horizontal = 300;
    double x = 0, y = 0;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(x, 10, kMm);
    EXPECT_NEAR(y, 0, kMm);
    s.datos.tipoVertical = 1;  // elevation -10 gon (390) is face left
    l.vertical = 390;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_LT(x, -9.8);
}

TEST(PuntoVisado, DistanciaReducidaSegunElTipo) {
    Estacion e;
    Estacionamiento s;
    Lectura l;
    l.distancia = 100;
    l.vertical = 50;  // zenith 50 gon: horizontal = 100 sin(45 deg)
    double x = 0, y = 0;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(y, 70.7107, kMm);
    s.datos.tipoDistancia = 2;  // already reduced
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(y, 100, kMm);
    s.datos.tipoDistancia = 0;
    s.datos.tipoVertical = 1;  // elevation 0 is level
    l.vertical = 0.0001;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(y, 100, kMm);
    s.datos.unidadAngular = 360;
    s.datos.tipoVertical = 0;
    l.vertical = 90;
    l.horizontal = 90;
    ASSERT_TRUE(puntoVisado(e, s, l, x, y));
    EXPECT_NEAR(x, 100, kMm);
    l.distancia = 0;
    EXPECT_FALSE(puntoVisado(e, s, l, x, y));
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

    EntradasDibujo d;
    d.estaciones = &lista;
    d.puntos = &puntos;
    d.modo = static_cast<int>(ModoDibujo::Estaciones);
    EscenaPlano e = construirEscena(d);
    EXPECT_EQ(e.estaciones.size(), 2u);
    EXPECT_TRUE(e.visuales.empty());
    EXPECT_TRUE(e.puntos.empty());

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
    EXPECT_TRUE(e.estaciones.empty());
    EXPECT_EQ(e.visuales.size(), 1u);
    EXPECT_EQ(e.puntos[0].etiqueta, "100");
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

}  // namespace
}  // namespace celvara
