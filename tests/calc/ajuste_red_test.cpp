#include "calc/red/ajuste_red.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/red_estacion.h"
#include "fieldbook/codificacion.h"

namespace celvara {
namespace {

using prueba::AvisosGrabados;

// A 1" total station (3 cc, 1 mm + 1 ppm) and careful centring, so that a
// 50 cc direction and a 20 cm distance stand out.
Instrumento instrumentoFino() {
    return {.nombre = "FINO", .aumentos = 30, .precisionDistanciaMm = 1, .precisionDistanciaPpm = 1,
            .precisionH = 3, .precisionV = 3, .nivelTorico = 12};
}

struct Punto {
    const char* nombre;
    double x, y, z;
    bool fija;
};
struct Visual {
    int desde, hacia;
};

// The book of a network: every station occupied once, sighting `visuales`
// with readings worked from the true coordinates plus normal noise of the
// model's own sigmas; distances and height differences only from the lower
// index. New stations start at (0, 0, 0).
struct RedSintetica {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos{instrumentoFino()};
    AvisosGrabados avisos;
    std::vector<Punto> puntos;

    RedSintetica(std::vector<Punto> p, const std::vector<Visual>& v, unsigned semilla) : puntos(std::move(p)) {
        ParametrosTrabajo t{0.001, 0.001, 0.001, 0.001, 0.1};
        guardarParametrosTrabajo(ajustes, t);
        std::mt19937 g(semilla);
        auto normal = [&g] {  // Box–Muller, the same numbers everywhere
            const double u1 = (g() + 1.0) / 4294967297.0, u2 = g() / 4294967296.0;
            return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
        };
        const DatosComplementarios d{.instrumento = "FINO",
                                     .tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel),
                                     .corregidoEsfRefr = 1};
        std::vector<Estacion*> e;
        for (const Punto& q : puntos)
            e.push_back(crearEstacion(libreta.estaciones,
                                      {.nombre = q.nombre, .coordenadas = q.fija ? Coordenadas{q.x, q.y, q.z} : Coordenadas{}}));
        const CaracteristicasInstrumento c = caracteristicas(instrumentos[0]);
        for (std::size_t i = 0; i < puntos.size(); ++i) {
            const double omega = 37.5 * i;
            auto* s = crearEstacionamiento(e[i]->estacionamientos, nullptr, std::string(puntos[i].nombre) + "1",
                                           puntos[i].nombre, 1.5, &d, omega);
            for (const Visual& vis : v) {
                if (vis.desde != static_cast<int>(i)) continue;
                const Punto &a = puntos[i], &b = puntos[vis.hacia];
                const double D = std::hypot(b.x - a.x, b.y - a.y);
                const ErroresVisual err = erroresVisual(c, t, D, 100, 1.5);
                double az = std::atan2(b.x - a.x, b.y - a.y) * 200 / std::numbers::pi;
                double h = std::fmod(az - omega + 800 + err.ea * 1e-4 * normal(), 400.0);
                const bool dist = vis.desde < vis.hacia;
                crearLectura(s->lecturas, std::nullopt, b.nombre, 1.5, dist ? D + err.longitudinal * normal() : 0,
                             dist ? b.z - a.z + err.ez * normal() : 0, h, "");
            }
        }
    }
    Lectura& lectura(int desde, const char* hacia) {
        for (Lectura& l : libreta.estaciones[desde]->estacionamientos[0]->lecturas)
            if (l.nombre == std::string_view(hacia)) return l;
        throw std::runtime_error("sin lectura");
    }
};

std::vector<Punto> cuadrilatero() {
    return {{"A", 1000, 1000, 100, true}, {"B", 1800, 1050, 104, true}, {"C", 1750, 1700, 96, false},
            {"D", 1050, 1650, 101, false}};
}
std::vector<Visual> todasConTodas(int n) {
    std::vector<Visual> v;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j) v.push_back({i, j});
    return v;
}

// The worked network with every reading doubled by its face-right twin (H +
// 200, V -> 400 - V, the same distance): the station and the network read
// both faces as face left, so they agree as on the single-face book.
TEST(AjusteRed, UnPuntoNuevoIgualQueLaEstacionPorMinimosCuadrados) {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos = prueba::instrumentosRed();
    AvisosGrabados avisos;
    prueba::libretaRed(libreta);
    for (auto& e : libreta.estaciones)
        for (auto& s : e->estacionamientos)
            for (const Lectura& x : ListaLecturas(s->lecturas))
                crearLectura(s->lecturas, std::nullopt, x.nombre.str(), x.jalon, x.distancia, 400 - x.vertical,
                             std::fmod(x.horizontal + 200, 400.0), "");
    CCalculoEstacionMMCC estacion(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(estacion.elegirEstacion("P"));
    // A1 and B1 sight P alone: the network leaves their directions out (with
    // their own orientation unknowns they carry nothing), so the station does.
    for (std::size_t f = 0; f < estacion.rejilla().numeroFilas(); ++f)
        if (estacion.rejilla().texto(f, columna_ecuacion::tipo) == kTipoDirecta)
            estacion.rejilla().asignar(f, columna_ecuacion::uso, "0");
    ASSERT_GT(estacion.iterar(10), 0);
    ASSERT_TRUE(estacion.calcular());
    const ResultadoPasada& e = estacion.resultado();

    // P has approximate coordinates in the book: the fixed ones are named.
    // The network weighs a direction without distance at its approximate
    // length, the station at each pass's: started a few mm from the station's
    // result, both weigh alike.
    libreta.buscarEstacion("P")->x = e.x + 0.003;
    libreta.buscarEstacion("P")->y = e.y - 0.002;
    CAjusteRed red(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(red.preparar({.fijos = {"A", "B", "C", "E"}}));
    ASSERT_TRUE(red.ajustar());
    const EstacionRed& p = red.estaciones()[4];
    EXPECT_NEAR(p.x, e.x, 1e-6);
    EXPECT_NEAR(p.y, e.y, 1e-6);
    EXPECT_NEAR(p.z, e.z, 1e-4);
    EXPECT_NEAR(red.puestas()[2].desorientacion, e.desorientacion, 1e-5);
    // P1's four height differences fix one Z: three more than the station's.
    EXPECT_EQ(red.test().redundancia - 3, e.redundancia);
    EXPECT_TRUE(avisos.mensajes.empty());

    // Writing puts P and its orientation into the book, A stays.
    ASSERT_TRUE(red.grabar());
    EXPECT_NEAR(libreta.buscarEstacion("P")->x, e.x, 1e-4);
    EXPECT_EQ(libreta.buscarEstacion("A")->x, 1000);
}

TEST(AjusteRed, ErrorGroseroNombradoYQuitadoPasaElTest) {
    struct Caso {
        const char* desde;
        const char* hacia;
        bool distancia;
        double error;
    };
    for (const Caso c : {Caso{"C", "D", true, 0.0}, Caso{"C", "D", true, 0.20}, Caso{"B", "D", false, 0.0050}}) {
        RedSintetica r(cuadrilatero(), todasConTodas(4), 3);
        const int desde = c.desde[0] - 'A';
        (c.distancia ? r.lectura(desde, c.hacia).distancia : r.lectura(desde, c.hacia).horizontal) += c.error;
        CAjusteRed red(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
        ASSERT_TRUE(red.preparar({}));
        ASSERT_TRUE(red.ajustar());
        if (c.error == 0) {  // noise of the model's own sigmas: near the truth, accepted
            for (std::size_t i = 0; i < r.puntos.size(); ++i)
                EXPECT_NEAR(std::hypot(red.estaciones()[i].x - r.puntos[i].x, red.estaciones()[i].y - r.puntos[i].y), 0, 0.01);
            EXPECT_TRUE(red.test().aceptado) << red.textoTest();
            continue;
        }
        EXPECT_FALSE(red.test().aceptado);
        ASSERT_GE(red.mayorW(), 0);
        const ObservacionRed& o = red.observaciones()[red.mayorW()];
        EXPECT_EQ(o.tipo, c.distancia ? TipoObservacionRed::Distancia : TipoObservacionRed::Direccion);
        EXPECT_EQ(red.nombreObservacion(red.mayorW()), std::string(c.desde) + "1 -> " + c.hacia);
        EXPECT_NE(red.textoTest().find("<== posible error grosero"), std::string::npos) << red.textoTest();
        red.observaciones()[red.mayorW()].uso = false;
        ASSERT_TRUE(red.ajustar());
        EXPECT_TRUE(red.test().aceptado) << red.textoTest();
    }
}

// New stations the observations do not determine, added to the worked
// network: each is left out with its reason and P comes out as without them.
TEST(AjusteRed, EstacionesSinDeterminarFueraConSuMotivo) {
    ListaInstrumentos instrumentos = prueba::instrumentosRed();
    CDatosGenerales ajustes;
    AvisosGrabados avisos;
    const OpcionesRed fijas{.fijos = {"A", "B", "C", "E"}};
    CLibretaCampo base;
    prueba::libretaRed(base);
    CAjusteRed solo(base, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(solo.preparar(fijas) && solo.ajustar());

    CLibretaCampo libreta;
    prueba::libretaRed(libreta);
    DatosComplementarios d{.instrumento = "T30"};
    auto estacion = [&](const char* n, std::optional<Coordenadas> c = std::nullopt) {
        return crearEstacion(libreta.estaciones, {.nombre = n, .coordenadas = c});
    };
    auto puesta = [&](Estacion* e, std::vector<std::pair<const char*, double>> lecturas, double distancia = 0) {
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, e->nombre.str() + "1", e->nombre.str(), 1.5, &d, 0);
        for (auto [n, h] : lecturas) crearLectura(s->lecturas, std::nullopt, n, 1.5, distancia, 100, h, "");
    };
    auto az = [](double x1, double y1, double x2, double y2) { return std::fmod(std::atan2(x2 - x1, y2 - y1) * 200 / std::numbers::pi + 400, 400.0); };
    auto& p1 = libreta.estaciones[4]->estacionamientos[0]->lecturas;
    auto& a1 = libreta.estaciones[0]->estacionamientos[0]->lecturas;
    // X99 one direction from P1; Y nothing; D1 one distance from its set-up
    // sighting A alone; Z1 one direction from a set-up sighting it alone; G
    // one angle between A and B; W on the line A-C extended, sighted from A
    // and C; M and N sighted from P and joined by a distance (free together).
    estacion("X99");
    crearLectura(p1, std::nullopt, "X99", 1.5, 0, 100, 50, "");
    estacion("Y");
    puesta(estacion("D1"), {{"A", 10}}, 300);
    puesta(libreta.buscarEstacion("E"), {{"Z1", 120}});
    estacion("Z1");
    puesta(estacion("G", Coordenadas{1100, 1150, 100}), {{"A", 10}, {"B", 130}});
    estacion("W", Coordenadas{1450, 2050, 100});
    crearLectura(a1, std::nullopt, "W", 1.5, 0, 100, az(1000, 1000, 1450, 2050) - 37.1234, "");
    puesta(libreta.buscarEstacion("C"), {{"A", az(1300, 1700, 1000, 1000)}, {"W", az(1300, 1700, 1450, 2050)}});
    estacion("M", Coordenadas{1500, 1400, 100});
    estacion("N", Coordenadas{1400, 1600, 100});
    crearLectura(p1, std::nullopt, "M", 1.5, 0, 100, az(1250, 1300, 1500, 1400) - 123.4568, "");
    crearLectura(p1, std::nullopt, "N", 1.5, 0, 100, az(1250, 1300, 1400, 1600) - 123.4568, "");
    puesta(libreta.buscarEstacion("M"), {{"N", az(1500, 1400, 1400, 1600)}}, std::hypot(100, 200));

    CAjusteRed red(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(red.preparar(fijas)) << avisos.mensajes.front().texto;
    ASSERT_TRUE(red.ajustar());
    std::map<std::string, std::string> motivos;
    for (const EstacionRed& e : red.estaciones())
        if (e.motivo) motivos[e.estacion->nombre.str()] = e.motivo;
    EXPECT_EQ(motivos, (std::map<std::string, std::string>{{"X99", kMotivoUnaDireccion},
                                                           {"Y", kMotivoSinObservaciones},
                                                           {"D1", kMotivoUnaDistancia},
                                                           {"Z1", kMotivoSinOrientacion},
                                                           {"G", kMotivoUnAngulo},
                                                           {"W", kMotivoDosAlineadas},
                                                           {"M", kMotivoFaltan},
                                                           {"N", kMotivoFaltan}}));
    EXPECT_NE(red.textoFuera().find("X99: una sola dirección; Y: sin observaciones"), std::string::npos) << red.textoFuera();
    EXPECT_NE(red.textoInforme().find(utf8ACp1252(red.textoFuera())), std::string::npos);
    const EstacionRed &p = red.estaciones()[4], &q = solo.estaciones()[4];
    EXPECT_NEAR(p.x, q.x, 1e-9);
    EXPECT_NEAR(p.y, q.y, 1e-9);
    EXPECT_NEAR(p.z, q.z, 1e-9);
    EXPECT_EQ(red.observaciones().size(), solo.observaciones().size());
    EXPECT_EQ(red.test().redundancia, solo.test().redundancia);
    EXPECT_TRUE(avisos.mensajes.empty());
    // Nothing of them reaches the book.
    ASSERT_TRUE(red.grabar());
    EXPECT_EQ(libreta.buscarEstacion("W")->x, 1450);

    // One fixed station: the whole network turns about it, no station's
    // fault; refused, naming what it leaves free.
    std::vector<Punto> una = cuadrilatero();
    una[1].fija = false;
    RedSintetica r(una, todasConTodas(4), 7);
    CAjusteRed giro(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
    EXPECT_FALSE(giro.preparar({}));
    EXPECT_EQ(r.avisos.textos(), std::vector<std::string>{std::string(kMensajeRedSingular) + "\nSin determinar: B, C, D"});
}

// A free network of directions only: the first station keeps its X, Y and
// the second too, their distance giving the scale. Noise-free directions, C
// and D started 0.5 m off and B's book position 0.05 % farther from A than
// the truth: C and D come out where the truth scaled about A puts them.
TEST(AjusteRed, RedLibreSoloDeDirecciones) {
    const double k = 1.0005;
    const Punto verdad[] = {{"A", 1000, 1000, 0, false}, {"B", 1800, 1050, 0, false}, {"C", 1750, 1700, 0, false},
                            {"D", 1050, 1650, 0, false}};
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos{instrumentoFino()};
    AvisosGrabados avisos;
    DatosComplementarios d{.instrumento = "FINO"};
    auto escalada = [&](const Punto& q) { return Coordenadas{1000 + k * (q.x - 1000), 1000 + k * (q.y - 1000), 0}; };
    for (int i = 0; i < 4; ++i) {
        const Punto& q = verdad[i];
        const Coordenadas c = i == 1 ? escalada(q) : i == 0 ? Coordenadas{q.x, q.y, 0} : Coordenadas{q.x + 0.5, q.y - 0.5, 0};
        auto* e = crearEstacion(libreta.estaciones, {.nombre = q.nombre, .coordenadas = c});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, std::string(q.nombre) + "1", q.nombre, 1.5, &d, 0);
        for (const Punto& t : verdad)
            if (&t != &q)
                crearLectura(s->lecturas, std::nullopt, t.nombre, 1.5, 0, 100,
                             std::fmod(std::atan2(t.x - q.x, t.y - q.y) * 200 / std::numbers::pi - 37.5 * i + 800, 400.0), "");
    }
    CAjusteRed red(libreta, ajustes, &instrumentos, avisos);
    ASSERT_TRUE(red.preparar({.libre = true})) << avisos.mensajes.front().texto;
    ASSERT_TRUE(red.ajustar());
    EXPECT_EQ(red.incognitas(), 4 + 4);  // C, D and four orientations
    EXPECT_EQ(red.test().redundancia, 12 - 8);
    for (int i = 0; i < 4; ++i) {
        const Coordenadas c = escalada(verdad[i]);
        EXPECT_NEAR(red.estaciones()[i].x, c.x, 1e-6) << verdad[i].nombre;
        EXPECT_NEAR(red.estaciones()[i].y, c.y, 1e-6) << verdad[i].nombre;
    }
}

TEST(AjusteRed, RedLibreYFicheroDeFijas) {
    // Minimum constraints: A held, B slides on the line AB; the internal
    // geometry (the distance CD) is the same as with A and B fixed.
    RedSintetica r(cuadrilatero(), todasConTodas(4), 7);
    CAjusteRed fija(r.libreta, r.ajustes, &r.instrumentos, r.avisos), libre(r.libreta, r.ajustes, &r.instrumentos, r.avisos);
    ASSERT_TRUE(fija.preparar({}) && fija.ajustar());
    ASSERT_TRUE(libre.preparar({.libre = true}) && libre.ajustar());
    auto cd = [](const CAjusteRed& a) {
        const auto& e = a.estaciones();
        return std::hypot(e[2].x - e[3].x, e[2].y - e[3].y);
    };
    EXPECT_NEAR(cd(libre), cd(fija), 0.01);
    EXPECT_EQ(libre.estaciones()[0].x, 1000);
    EXPECT_GT(libre.test().redundancia, 0);
    EXPECT_EQ(libre.incognitas(), fija.incognitas() + 1 + 1);  // B along AB, B's height

    prueba::CarpetaTemporal dir;
    ASSERT_TRUE(guardarFijasRed(dir / "LIBRETA.obs", {"A", "B\xd1"}));
    EXPECT_EQ(leerFijasRed(dir / "LIBRETA.obs"), (std::vector<std::string>{"A", "B\xd1"}));
}

}  // namespace
}  // namespace celvara
