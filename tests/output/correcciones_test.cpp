#include "output/correcciones_lecturas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/datos_prueba.h"
#include "comun/avisos_grabados.h"
#include "comun/proceso.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "manager/herramientas_lecturas.h"

namespace celvara {
namespace {

constexpr double kPi = 3.1415926535898;
namespace cc = columna_correcciones;

// ---- Face mean: one hand-made table through both tools. A row: circle,
// the two readings (H, V) and their mean.
Estacionamiento conPar(const std::vector<double>& p) {
    Estacionamiento s{.datos = {.unidadAngular = std::int32_t(p[0])}};
    crearLectura(s.lecturas, std::nullopt, "P", 1.5, 100.000, p[2], p[1], "cod");
    crearLectura(s.lecturas, std::nullopt, "Q", 1.2, 20, 100, 0, "");
    crearLectura(s.lecturas, std::nullopt, "P", 1.7, 100.002, p[4], p[3], "");
    return s;
}

TEST(CorreccionesCaras, LosDosCaminosDanLaTabla) {
    const auto tabla = prueba::leerTabla("correcciones/medias_caras.txt");
    ASSERT_EQ(tabla.size(), 11u);
    for (const auto& p : tabla) {
        SCOPED_TRACE(testing::Message() << p[1] << " " << p[3] << " C " << p[0]);
        Estacionamiento a = conPar(p);
        const CambioCorreccion c = promediarCarasEstacionamiento(a);
        EXPECT_EQ(c.lecturasFundidas, 1u);
        ASSERT_EQ(a.lecturas.size(), 2u);
        const Lectura& m = a.lecturas[0];
        EXPECT_NEAR(m.horizontal, p[5], 1e-9);
        EXPECT_NEAR(m.vertical, p[6], 1e-9);
        EXPECT_NEAR(m.distancia, 100.001, 1e-9);
        EXPECT_NEAR(m.jalon, 1.6, 1e-12);
        EXPECT_EQ(m.codigo, "cod");
        EXPECT_EQ(a.lecturas[1].nombre, "Q");

        Estacionamiento b = conPar(p);
        prueba::AvisosGrabados avisos;
        CVisualesRepetidas v(b, avisos);
        ASSERT_EQ(v.nombres(), std::vector<std::string>{"P"});
        v.elegir(0);
        ASSERT_EQ(v.rejilla().numeroFilas(), 2u);
        v.rejilla().asignar(0, columna_repetidas::marca, "1");
        v.rejilla().asignar(1, columna_repetidas::marca, "1");
        ASSERT_TRUE(v.promediarMarcadas());
        avisos.respuestas = {Respuesta::Si};
        EXPECT_EQ(v.insertarPromedio(), 1u);
        ASSERT_EQ(b.lecturas.size(), 2u);
        EXPECT_EQ(b.lecturas[0], m);
    }
}

TEST(CorreccionesCaras, TresLecturasDelMismoNombreFundenLasDosPrimeras) {
    Estacionamiento s;
    for (double h : {10.0, 210.0, 10.0004}) crearLectura(s.lecturas, std::nullopt, "P", 0, 0, h < 200 ? 100 : 300, h, "");
    promediarCarasEstacionamiento(s);
    ASSERT_EQ(s.lecturas.size(), 2u);
    EXPECT_NEAR(s.lecturas[0].horizontal, 10.0, 1e-12);
    EXPECT_EQ(s.lecturas[1].horizontal, 10.0004);
    EXPECT_EQ(s.lecturas[0].distancia, 0.0);  // no distance on either face
}

// ---- Unification: the same points before and after.
struct Visual {
    double azimut, zenit, inclinada;  // gon, gon, m
    bool caraDerecha;
};
const Visual kVisuales[] = {{30, 95, 120.5, false}, {30, 95, 120.5, true},   {130, 104, 80, false},
                            {250, 60, 45.25, true}, {399.5, 130, 10, false}, {210, 100.7, 300, true}};

Estacionamiento mixto(std::int32_t C, std::int32_t tipoVertical, std::int32_t tipoDistancia) {
    const double u = C / 400.0;
    Estacionamiento s{.alturaInstrumento = 1.45, .desorientacion = 12.5 * u,
                      .datos = {.tipoDistancia = tipoDistancia, .tipoVertical = tipoVertical, .unidadAngular = C}};
    for (const Visual& v : kVisuales) {
        if (tipoDistancia == 2 && v.caraDerecha) continue;  // no face in a height difference
        const double z = v.caraDerecha ? 400 - v.zenit : v.zenit;
        const double h = std::fmod(v.azimut - 12.5 + (v.caraDerecha ? 200 : 0) + 400, 400);
        const double zr = v.zenit * kPi / 200;
        const double dh = v.inclinada * std::sin(zr);
        double vertical = verticalZenital(z * u, tipoVertical, C);
        double distancia = v.inclinada;
        if (tipoDistancia == 1) distancia = v.inclinada / std::sin(zr);
        if (tipoDistancia == 2 || tipoDistancia == 3) distancia = dh;
        if (tipoDistancia == 2) vertical = v.inclinada * std::cos(zr);
        crearLectura(s.lecturas, std::nullopt, "1", 1.3, distancia, vertical, h * u, "");
    }
    return s;
}

std::vector<PuntoCalculado> radiar(const Estacionamiento& s) {
    const Estacion e{.x = 1000, .y = 2000, .z = 100};
    CCalculoPunto calculo;
    calculo.cargarEstacionamiento(datosDeEstacionamiento(e, s));
    std::vector<PuntoCalculado> puntos;
    for (const Lectura& l : s.lecturas) {
        calculo.cargarLectura(l.horizontal, l.vertical, l.distancia, l.jalon);
        puntos.push_back(calculo.calcular());
    }
    return puntos;
}

TEST(CorreccionesUnificar, RadiaLosMismosPuntosYUnaSegundaVezNoCambiaNada) {
    for (std::int32_t C : {400, 360})
        for (std::int32_t tipoV : {0, 1, 2})
            for (std::int32_t tipoD : {0, 1, 2, 3}) {
                SCOPED_TRACE(testing::Message() << "C " << C << " vertical " << tipoV << " distancia " << tipoD);
                Estacionamiento s = mixto(C, tipoV, tipoD);
                const auto antes = radiar(s);
                unificarLecturas(s);
                EXPECT_EQ(std::tuple(s.datos.unidadAngular, s.datos.tipoDistancia, s.datos.tipoVertical), std::tuple(400, 0, 0));
                const auto despues = radiar(s);
                ASSERT_EQ(antes.size(), despues.size());
                for (std::size_t i = 0; i < antes.size(); ++i) {
                    EXPECT_NEAR(despues[i].x, antes[i].x, 1e-8) << i;
                    EXPECT_NEAR(despues[i].y, antes[i].y, 1e-8) << i;
                    EXPECT_NEAR(despues[i].z, antes[i].z, 1e-8) << i;
                }
                const ListaLecturas unificadas = s.lecturas;
                EXPECT_EQ(unificarLecturas(s).lecturas, 0u);
                EXPECT_EQ(s.lecturas, unificadas);
            }
    // The true points, from the mixed 360 / elevation / reduced set-up.
    const auto p = radiar(mixto(360, 1, 3));
    EXPECT_NEAR(p[1].x, p[0].x, 1e-8);
    const double dh = 120.5 * std::sin(95 * kPi / 200);
    EXPECT_NEAR(p[0].z, 100 + 1.45 + 120.5 * std::cos(95 * kPi / 200) - 1.3 + 0.42 * dh * dh / 6378388, 1e-8);

    // A reading exactly vertical is left without a distance.
    Estacionamiento s{.datos = {.tipoDistancia = 3}};
    crearLectura(s.lecturas, std::nullopt, "1", 0, 25, 200, 0, "");
    unificarLecturas(s);
    EXPECT_EQ(s.lecturas[0].distancia, 0.0);
}

// ---- Curvature and refraction, offsets.
TEST(CorreccionesEsfericidad, AnguloYDesnivelConLaConstanteDeLaRadiacion) {
    const double angulo = 0.42 * 1000 / 6378388 * 200 / kPi;  // 0.0041920 gon at 1000 m
    for (std::int32_t tipoV : {0, 1, 2}) {
        Estacionamiento s{.datos = {.tipoVertical = tipoV}};
        const double nivel = tipoV == 1 ? 0 : 100;
        crearLectura(s.lecturas, std::nullopt, "1", 0, 1000, nivel, 0, "");
        const double zAntes = radiar(s)[0].z;
        EXPECT_EQ(corregirEsfericidadRefraccion(s).lecturas, 1u);
        EXPECT_NEAR(s.lecturas[0].vertical, nivel + (tipoV == 0 ? -angulo : angulo), 1e-10);
        EXPECT_EQ(s.datos.corregidoEsfRefr, 1);
        EXPECT_NEAR(radiar(s)[0].z, zAntes, 1e-6);  // the radiation no longer adds c
        EXPECT_EQ(corregirEsfericidadRefraccion(s).lecturas, 0u);  // never twice
    }
    Estacionamiento d{.datos = {.tipoDistancia = 2}};
    crearLectura(d.lecturas, std::nullopt, "1", 0, 1000, -2.5, 0, "");
    corregirEsfericidadRefraccion(d);
    EXPECT_NEAR(d.lecturas[0].vertical, -2.5 + 0.42 * 1000 * 1000 / 6378388, 1e-12);
}

TEST(CorreccionesDesplazamientos, CcSegundosYMilimetros) {
    Estacionamiento s;
    crearLectura(s.lecturas, std::nullopt, "1", 0, 10, 100, 50, "");
    aplicarDesplazamientos(s, 10, 10, 5);
    const Lectura& l = s.lecturas[0];
    EXPECT_LT(std::hypot(l.horizontal - 50.0010, l.vertical - 100.0010, l.distancia - 10.005), 1e-12);
    s.datos.unidadAngular = 360;
    aplicarDesplazamientos(s, 36, 0, 0);
    EXPECT_NEAR(s.lecturas[0].horizontal, 50.0010 + 0.01, 1e-12);
}

// ---- The window.
struct CorreccionesVentana : testing::Test {
    void SetUp() override {
        auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{1000, 2000, 100}});
        DatosComplementarios d{.unidadAngular = 360, .corregidoEsfRefr = 1};
        auto* s1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, &d, 9);
        crearLectura(s1->lecturas, std::nullopt, "1", 1, 50, 90, 45, "");
        crearLectura(s1->lecturas, std::nullopt, "1", 1, 50, 270, 225, "");
        auto* s2 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 0);  // same name
        crearLectura(s2->lecturas, std::nullopt, "2", 1, 1000, 100, 0, "");
    }
    Estacionamiento& s(std::size_t i) { return *libreta.estaciones[0]->estacionamientos[i]; }
    CLibretaCampo libreta;
    prueba::AvisosGrabados avisos;
};

TEST_F(CorreccionesVentana, FilasPorPosicionPreguntaYRecarga) {
    CCorreccionesLecturas v(libreta, avisos);
    ASSERT_EQ(v.rejilla().numeroFilas(), 2u);
    EXPECT_EQ(v.rejilla().texto(0, cc::esfRefr), "0");  // already corrected
    v.marcarColumna(cc::unificar, true);
    v.marcarColumna(cc::promediar, true);
    v.rejilla().asignar(1, cc::desplazamientoD, "5");  // not applied: its flag is off
    v.corregir();  // declined
    EXPECT_EQ(s(0).datos.unidadAngular, 360);
    avisos.respuestas = {Respuesta::Si};
    const CambioCorreccion c = v.corregir();
    const std::string pregunta = "Se corregirán 3 lecturas de 2 estacionamientos.\n"
                                 "Se promediará 1 par CD/CI: quedará en una sola lectura.\n¿Continuar?";
    EXPECT_EQ(avisos.textos(), (std::vector<std::string>{pregunta, pregunta, "Correcciones Realizadas"}));
    EXPECT_EQ(c.estacionamientos, 2u);
    EXPECT_EQ(c.lecturasFundidas, 1u);
    EXPECT_NEAR(s(1).lecturas[0].vertical, 100 - 0.0041920, 1e-7);
    EXPECT_EQ(s(1).lecturas[0].distancia, 1000);
    // Refreshed: the second set-up is now corrected, nothing is ticked.
    EXPECT_EQ(v.rejilla().texto(1, cc::esfRefr), "0");
    EXPECT_EQ(v.rejilla().texto(0, cc::lecturas), "1");
}

TEST_F(CorreccionesVentana, FilaSinMarcaYFicheroNuevo) {
    CCorreccionesLecturas v(libreta, avisos);
    v.enUnoNuevo = true;
    v.corregir();
    EXPECT_EQ(avisos.textos().back(), "Introducir Nombre Fichero de Observaciones");
    const auto ruta = std::filesystem::path(testing::TempDir()) / "corregidas.obs";
    v.ficheroNuevo = ruta.string();
    v.rejilla().asignar(0, cc::uso, "0");
    v.marcarColumna(cc::desplazamientos, true);
    v.rejilla().asignar(1, cc::desplazamientoH, "10");
    avisos.respuestas = {Respuesta::Si};
    v.corregir();
    EXPECT_EQ(s(1).lecturas[0].horizontal, 0.0);  // the open book is untouched
    CLibretaCampo nueva;
    ASSERT_TRUE(leerLibreta(nueva, ruta));
    const auto& sn = nueva.estaciones[0]->estacionamientos;
    EXPECT_EQ(sn[0]->lecturas, s(0).lecturas);  // row 0 not ticked
    EXPECT_NEAR(sn[1]->lecturas[0].horizontal, 0.001, 1e-12);
}

// ---- celvara-cli corregir and repetidas.
TEST(CorreccionesCli, CorregirYRepetidas) {
    CLibretaCampo l;
    auto* a = crearEstacion(l.estaciones, {.nombre = "A"});
    DatosComplementarios d{.unidadAngular = 360};
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, &d, 0);
    crearLectura(s->lecturas, std::nullopt, "P", 1.5, 100, 90, 45, "");
    crearLectura(s->lecturas, std::nullopt, "P", 1.5, 100.002, 270, 225, "");
    const auto dir = std::filesystem::path(testing::TempDir());
    ASSERT_TRUE(escribirLibreta(l, dir / "cli_mixta.obs"));
    const auto r = prueba::cli({"repetidas", (dir / "cli_mixta.obs").string()});
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.salida, "ESTACION A ESTACIONAMIENTO A_1\nP 1 45.0000 90.0000 100.000 1.500\n"
                        "P 2 225.0000 270.0000 100.002 1.500\n");
    const auto c = prueba::cli({"corregir", (dir / "cli_mixta.obs").string(), "-o", (dir / "cli_salida.obs").string(),
                                "--unificar", "--promediar", "--desplazamientos=0,0,1"});
    EXPECT_EQ(c.estado, 0);
    EXPECT_EQ(c.salida, "Correcciones Realizadas: 1 estacionamientos, 5 lecturas, 1 fundidas\n");
    CLibretaCampo salida;
    ASSERT_TRUE(leerLibreta(salida, dir / "cli_salida.obs"));
    EXPECT_NEAR(salida.estaciones[0]->estacionamientos[0]->lecturas.at(0).distancia, 100.002, 1e-9);
}

}  // namespace
}  // namespace celvara
