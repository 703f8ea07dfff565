#include "calc/radiacion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "calc/datos_prueba.h"
#include "calc/desorientaciones_todas.h"
#include "comun/avisos_grabados.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

namespace cr = columna_radiacion;
using prueba::AvisosGrabados;
using prueba::CarpetaTemporal;

struct Trabajo {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    AvisosGrabados avisos;
    CarpetaTemporal dir;

    Estacionamiento* estacionamiento(const char* nombre, DatosComplementarios d = {}, double omega = 0,
                                     double x = 1000, double y = 2000, double z = 100) {
        Estacion* e = libreta.buscarEstacion("E");
        if (!e) e = crearEstacion(libreta.estaciones, {.nombre = "E", .coordenadas = Coordenadas{x, y, z}, .descripcion1 = "CLAVO"});
        return crearEstacionamiento(e->estacionamientos, nullptr, nombre, "E", 1.5, &d, omega);
    }
    ResultadoRadiacion radiar(CCalculoRadiacion& v) {
        v.ficheroCrd = (dir / "p.crd").string();
        return v.calcular();
    }
    // The radiated point of that name.
    static const PuntoCoordenadas& punto(const ResultadoRadiacion& r, std::string_view nombre) {
        for (const auto& p : r.puntos)
            if (p.nombre == nombre) return p;
        throw std::runtime_error("falta el punto");
    }
};

// The set-up's kinds reach the reduction, and the orientation radiated is
// the one the grid shows ("%1.4lf"), by the window and by the computation
// alone (what celvara-cli runs).
TEST(Radiacion, TiposDeLaLibretaYOrientacionMostrada) {
    struct Caso {
        const char* estacionamiento;
        std::int32_t distancia, vertical;
        double omega, m, D, V, H;
        double x, y, z;
    };
    const Caso casos[] = {
        {"DES", 2, 0, 0, 1.0, 30, 2.5, 200, 1000, 1970, 103},       // V is a height difference
        {"NAD", 0, 2, 0, 1.5, 20, 100, 100, 1020, 2000, 100},       // nadir angle 100: level
        {"OME", 0, 0, 99.99996, 1.5, 1000, 100, 0, 2000, 2000, 100},  // shown as 100.0000: due east
    };
    Trabajo t;
    for (const Caso& c : casos) {
        DatosComplementarios d{.tipoDistancia = c.distancia, .tipoVertical = c.vertical, .corregidoEsfRefr = 1};
        crearLectura(t.estacionamiento(c.estacionamiento, d, c.omega)->lecturas, std::nullopt, c.estacionamiento, c.m,
                     c.D, c.V, c.H, "");
    }
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    const auto r = t.radiar(v);
    std::vector<PuntoRadiado> solos;
    radiarEstacionamientos(t.libreta, entradaRadiacion(t.libreta, {}, true), [&](const EstacionamientoRadiado& e) {
        solos.insert(solos.end(), e.puntos.begin(), e.puntos.end());
    });
    ASSERT_EQ(solos.size(), std::size(casos));
    for (std::size_t i = 0; i < solos.size(); ++i) {
        const Caso& c = casos[i];
        const auto& p = Trabajo::punto(r, c.estacionamiento);
        EXPECT_NEAR(p.x, c.x, 1e-9) << c.estacionamiento;
        EXPECT_NEAR(p.y, c.y, 1e-9) << c.estacionamiento;
        EXPECT_NEAR(p.z, c.z, 1e-6) << c.estacionamiento;
        EXPECT_EQ(std::tuple(solos[i].x, solos[i].y, solos[i].z), std::tuple(p.x, p.y, p.z));
    }
    // The closing message names the file written.
    EXPECT_EQ(t.avisos.textos(),
              std::vector<std::string>{"Cálculo Realizado\n\nFicheros grabados:\n" + (t.dir / "p.crd").string()});
}

TEST(Radiacion, EsfericidadPorFilaYCorreccionesSexagesimales) {
    Trabajo t;
    DatosComplementarios d;  // corregidoEsfRefr 0: the row starts with curvature on
    crearLectura(t.estacionamiento("A", d)->lecturas, std::nullopt, "lejos", 1.5, 1000, 100, 0, "");
    d.corregidoEsfRefr = 1;
    d.unidadAngular = 360;
    crearLectura(t.estacionamiento("B", d)->lecturas, std::nullopt, "giro", 1.5, 100, 90, 0, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    EXPECT_EQ(v.rejilla().texto(1, cr::esfRefr), "0");
    v.rejilla().asignar(1, cr::errorH, "30");  // seconds: 30/3600 degree
    const auto r = t.radiar(v);
    EXPECT_NEAR(Trabajo::punto(r, "lejos").z, 100.06584735829805, 1e-9);  // 0.42 D² / 6378388
    EXPECT_NEAR(Trabajo::punto(r, "giro").x, 1000.014544410382, 1e-9);    // 100 m at 30"

    // "Ejecutar =>" with curvature for all switches every row.
    CConfigurarCalculo dialogo(v.opciones(), t.ajustes);
    dialogo.opciones.aplicarATodas = true;
    dialogo.opciones.esfRefrTodas = true;
    dialogo.aceptar();
    v.aplicarConfiguracion();
    EXPECT_EQ(v.rejilla().texto(1, cr::esfRefr), "1");
    EXPECT_EQ(v.rejilla().texto(1, cr::tempPres), "0");
}

TEST(Radiacion, FilasApagadasEstacionesPrimeroYAnadir) {
    Trabajo t;
    auto* a = t.estacionamiento("A");
    crearLectura(a->lecturas, std::nullopt, "1", 1.5, 10, 100, 0, "BORDILLO");
    crearLectura(a->lecturas, std::nullopt, "E", 1.5, 10, 100, 0, "");  // a station: skipped by default
    crearLectura(t.estacionamiento("B")->lecturas, std::nullopt, "2", 1.5, 10, 100, 0, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.rejilla().asignar(1, cr::uso, "0");
    auto r = t.radiar(v);
    ASSERT_EQ(r.puntos.size(), 2u);
    // The station first, not radiated from any, a base; then the point radiated from E.
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(r.puntos[i].codigo.str() + "|" + r.puntos[i].estacion.str() + "|" + std::to_string(r.puntos[i].base),
                  i ? "BORDILLO|E|0" : "CLAVO||1");

    // "Añadir": what the file held comes first; sights to stations computed
    // when the option is off.
    v.anadir = true;
    v.opciones().anadirEstaciones = false;
    t.ajustes.noCalcularVisualesAEstaciones = 0;
    r = t.radiar(v);
    ASSERT_EQ(r.puntos.size(), 4u);
    EXPECT_EQ(r.puntos[2].nombre, "1");
    EXPECT_EQ(r.puntos[3].nombre, "E");
    ListaPuntos leidos;
    ASSERT_EQ(leerListaPuntos(t.dir / "p.crd", leidos), Estado::Exito);
    EXPECT_EQ(leidos, r.puntos);
}


TEST(Radiacion, ErroresDelInstrumento) {
    Trabajo t;
    t.estacionamiento("A", {.instrumento = "TC1800"});
    t.estacionamiento("B");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.recogerErroresInstrumento(nullptr);
    EXPECT_EQ(t.avisos.textos(), std::vector<std::string>{"Error al abrir fichero de instrumentos"});
    ListaInstrumentos biblioteca{{.nombre = "TC1800", .errorH = 1.5f}};
    v.rejilla().asignar(1, cr::errorH, "7");
    v.recogerErroresInstrumento(&biblioteca);
    EXPECT_EQ(v.rejilla().texto(0, cr::errorH), "1.5");
    EXPECT_EQ(v.rejilla().texto(1, cr::errorH), "0");
}

TEST(Radiacion, InformesConSuFormato) {
    Trabajo t;
    auto* a = t.estacionamiento("A", {.corregidoEsfRefr = 1});
    crearLectura(a->lecturas, std::nullopt, "101", 1.3, 50, 100, 100, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.opciones().informe1 = v.opciones().informe2 = true;
    v.opciones().anadirEstaciones = false;
    v.rutaInforme1 = t.dir / "informe.txt";
    v.rutaInforme2 = t.dir / "informe2.txt";
    prueba::escribirFichero(v.rutaInforme1, "ANTES\n");
    prueba::escribirFichero(v.rutaInforme2, "SE BORRA\n");
    t.radiar(v);
    // The first report is appended to, the second replaced.
    EXPECT_EQ(prueba::leerFichero(v.rutaInforme1), "ANTES\n" + prueba::leerDato("radiacion/informe1.txt"));
    EXPECT_EQ(prueba::leerFichero(v.rutaInforme2), prueba::leerDato("radiacion/informe2.txt"));
}

TEST(Radiacion, SinFicheroNoCalculaEInformeQueNoSeAbreSeAvisa) {
    Trabajo t;
    crearLectura(t.estacionamiento("A")->lecturas, std::nullopt, "1", 1.5, 10, 100, 0, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    EXPECT_FALSE(v.calcular().calculado);
    EXPECT_EQ(t.avisos.textos(), std::vector<std::string>{"Introducir Nombre Fichero de Coordenadas"});
    t.avisos.mensajes.clear();
    v.opciones().informe1 = true;
    v.rutaInforme1 = t.dir / "no" / "existe.txt";
    EXPECT_TRUE(t.radiar(v).escrito);
    ASSERT_EQ(t.avisos.mensajes.size(), 2u);
    EXPECT_EQ(t.avisos.mensajes[0].texto, "No se puede abrir el fichero de informe " + v.rutaInforme1.string());
}

// The typical road on the shipped example job: orientation of every set-up,
// then radiation, against the true coordinates the readings were made from.
void comprobarObra(const char* libretaEjemplo, std::uint32_t proyeccion) {
    const std::string ejemplos = CELVARA_EJEMPLOS;
    std::map<std::string, std::array<double, 3>> verdad;
    std::ifstream f(ejemplos + "/obra_ejemplo_verdad.txt");
    std::string nombre;
    double x, y, z;
    while (f >> nombre >> x >> y >> z) verdad[nombre] = {x, y, z};
    ASSERT_GT(verdad.size(), 100u);

    Trabajo t;
    ASSERT_TRUE(leerLibreta(t.libreta, ejemplos + "/" + libretaEjemplo));
    CCalculoDesorientaciones todas(t.libreta);
    todas.calcular();
    todas.grabar();
    t.ajustes.proyeccion = proyeccion;
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    const auto r = t.radiar(v);
    ASSERT_TRUE(r.escrito);
    std::size_t comprobados = 0;
    for (const auto& p : r.puntos) {
        const auto& real = verdad.at(p.nombre.str());
        EXPECT_NEAR(p.x, real[0], 0.001) << p.nombre.str();
        EXPECT_NEAR(p.y, real[1], 0.001) << p.nombre.str();
        EXPECT_NEAR(p.z, real[2], 0.001) << p.nombre.str();
        ++comprobados;
    }
    EXPECT_EQ(comprobados, verdad.size());
}

TEST(RadiacionObra, CoordenadasPlanasAlMilimetro) { comprobarObra("obra_ejemplo.obs", 0); }
TEST(RadiacionObra, UtmConFactorDeEscalaAlMilimetro) { comprobarObra("obra_ejemplo_utm.obs", 1); }

}  // namespace
}  // namespace celvara
