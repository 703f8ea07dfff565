#include "calc/radiacion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "calc/desorientaciones_todas.h"
#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
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

TEST(Radiacion, CadaTipoDeDistanciaYDeVertical) {
    struct Caso {
        const char* estacionamiento;
        std::int32_t distancia, vertical;
        const char* punto;
        double m, D, V, H;
        double x, y, z;
    };
    const Caso casos[] = {
        {"GEO", 0, 0, "g", 1.5, 50, 100, 100, 1050, 2000, 100},
        {"GEN", 1, 0, "s", 1.5, 50, 100, 0, 1000, 2050, 100},
        {"DES", 2, 0, "r", 1.0, 30, 2.5, 200, 1000, 1970, 103},  // V is a height difference
        {"VER", 3, 0, "v", 1.5, 40, 50, 300, 960, 2000, 140},    // dz = 40 / tan(50 gon) = 40
        {"INC", 0, 1, "i", 1.5, 20, 0, 100, 1020, 2000, 100},    // level sight
        {"NAD", 0, 2, "n", 1.5, 20, 100, 100, 1020, 2000, 100},  // nadir angle 100: level
    };
    Trabajo t;
    for (const Caso& c : casos) {
        DatosComplementarios d;
        d.corregidoEsfRefr = 1;
        d.tipoDistancia = c.distancia;
        d.tipoVertical = c.vertical;
        crearLectura(t.estacionamiento(c.estacionamiento, d)->lecturas, std::nullopt, c.punto, c.m, c.D, c.V, c.H, "");
    }
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    const auto r = t.radiar(v);
    ASSERT_TRUE(r.escrito);
    for (const Caso& c : casos) {
        const auto& p = Trabajo::punto(r, c.punto);
        EXPECT_NEAR(p.x, c.x, 1e-9) << c.punto;
        EXPECT_NEAR(p.y, c.y, 1e-9) << c.punto;
        EXPECT_NEAR(p.z, c.z, 1e-6) << c.punto;
    }
    // The closing message names the file written.
    EXPECT_EQ(t.avisos.textos(),
              std::vector<std::string>{"Cálculo Realizado\n\nFicheros grabados:\n" + (t.dir / "p.crd").string()});
}

TEST(Radiacion, EsfericidadPorFilaYCorreccionesSexagesimales) {
    Trabajo t;
    DatosComplementarios d;  // corregidoEsfRefr 0: the row starts with curvature on
    auto* a = t.estacionamiento("A", d);
    crearLectura(a->lecturas, std::nullopt, "lejos", 1.5, 1000, 100, 0, "");
    d.corregidoEsfRefr = 1;
    d.unidadAngular = 360;
    auto* b = t.estacionamiento("B", d);
    crearLectura(b->lecturas, std::nullopt, "giro", 1.5, 100, 90, 0, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    EXPECT_EQ(v.rejilla().texto(0, cr::esfRefr), "1");
    EXPECT_EQ(v.rejilla().texto(1, cr::esfRefr), "0");
    v.rejilla().asignar(1, cr::errorH, "30");  // seconds: 30/3600 degree
    const auto r = t.radiar(v);
    EXPECT_NEAR(Trabajo::punto(r, "lejos").z, 100.06584735829805, 1e-9);  // 0.42 D² / 6378388
    EXPECT_NEAR(Trabajo::punto(r, "giro").x, 1000.014544410382, 1e-9);    // 100 m at 30"

    // "Ejecutar =>" with curvature for all switches every row.
    Trabajo u;
    auto* c = u.estacionamiento("C", d);
    crearLectura(c->lecturas, std::nullopt, "1", 1.5, 1000, 100, 0, "");
    CCalculoRadiacion w(u.libreta, u.ajustes, u.avisos);
    CConfigurarCalculo dialogo(w.opciones(), u.ajustes);
    dialogo.opciones.aplicarATodas = true;
    dialogo.opciones.esfRefrTodas = true;
    dialogo.aceptar();
    w.aplicarConfiguracion();
    EXPECT_EQ(w.rejilla().texto(0, cr::esfRefr), "1");
    EXPECT_EQ(w.rejilla().texto(0, cr::tempPres), "0");
}

TEST(Radiacion, FilasApagadasEstacionesPrimeroYAnadir) {
    Trabajo t;
    auto* a = t.estacionamiento("A");
    crearLectura(a->lecturas, std::nullopt, "1", 1.5, 10, 100, 0, "BORDILLO");
    crearLectura(a->lecturas, std::nullopt, "E", 1.5, 10, 100, 0, "");  // a station: skipped by default
    auto* b = t.estacionamiento("B");
    crearLectura(b->lecturas, std::nullopt, "2", 1.5, 10, 100, 0, "");
    {
        CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
        v.rejilla().asignar(1, cr::uso, "0");
        const auto r = t.radiar(v);
        ASSERT_EQ(r.puntos.size(), 2u);
        EXPECT_EQ(r.puntos[0].nombre, "E");
        EXPECT_EQ(r.puntos[0].codigo, "CLAVO");
        EXPECT_EQ(r.puntos[1].nombre, "1");
        EXPECT_EQ(r.puntos[1].codigo, "BORDILLO");
        EXPECT_EQ(r.puntos[0].estacion, "");   // a station is no radiated point
        EXPECT_EQ(r.puntos[1].estacion, "E");  // radiated from E
    }
    {
        // "Añadir": what the file held comes first.
        CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
        v.anadir = true;
        v.opciones().anadirEstaciones = false;
        v.rejilla().asignar(0, cr::uso, "0");
        const auto r = t.radiar(v);
        ASSERT_EQ(r.puntos.size(), 3u);
        EXPECT_EQ(r.puntos[0].nombre, "E");
        EXPECT_EQ(r.puntos[1].nombre, "1");
        EXPECT_EQ(r.puntos[2].nombre, "2");
        ListaPuntos leidos;
        ASSERT_EQ(leerListaPuntos(t.dir / "p.crd", leidos), Estado::Exito);
        EXPECT_EQ(leidos, r.puntos);
    }
    {
        // Sights to stations computed when the option is off.
        t.ajustes.noCalcularVisualesAEstaciones = 0;
        CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
        v.opciones().anadirEstaciones = false;
        EXPECT_EQ(t.radiar(v).puntos.size(), 3u);
    }
}

TEST(Radiacion, SinFicheroYProyeccionAlSalir) {
    Trabajo t;
    t.estacionamiento("A");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    EXPECT_FALSE(v.calcular().calculado);
    EXPECT_EQ(t.avisos.textos(), std::vector<std::string>{"Introducir Nombre Fichero de Coordenadas"});
    v.opciones().planas = false;
    v.opciones().hayford = false;
    v.salir();
    EXPECT_EQ(t.ajustes.proyeccion, 2u);
    t.ajustes.proyeccion = 1;
    CCalculoRadiacion w(t.libreta, t.ajustes, t.avisos);
    EXPECT_FALSE(w.opciones().planas);
    EXPECT_TRUE(w.opciones().hayford);
}

TEST(Radiacion, ErroresDelInstrumento) {
    Trabajo t;
    DatosComplementarios d;
    d.instrumento = "TC1800";
    t.estacionamiento("A", d);
    t.estacionamiento("B");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.recogerErroresInstrumento(nullptr);
    EXPECT_EQ(t.avisos.textos(), std::vector<std::string>{"Error al abrir fichero de instrumentos"});
    ListaInstrumentos biblioteca(1);
    biblioteca[0].nombre = "TC1800";
    biblioteca[0].errorH = 1.5f;
    biblioteca[0].errorV = 3.0f;
    v.rejilla().asignar(1, cr::errorH, "7");
    v.recogerErroresInstrumento(&biblioteca);
    EXPECT_EQ(v.rejilla().texto(0, cr::errorH), "1.5");
    EXPECT_EQ(v.rejilla().texto(0, cr::errorV), "3");
    EXPECT_EQ(v.rejilla().texto(1, cr::errorH), "0");
}

TEST(Radiacion, InformesConSuFormato) {
    Trabajo t;
    DatosComplementarios d;
    d.corregidoEsfRefr = 1;
    auto* a = t.estacionamiento("A", d);
    crearLectura(a->lecturas, std::nullopt, "101", 1.3, 50, 100, 100, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.opciones().informe1 = v.opciones().informe2 = true;
    v.opciones().anadirEstaciones = false;
    v.rutaInforme1 = t.dir / "informe.txt";
    v.rutaInforme2 = t.dir / "informe2.txt";
    prueba::escribirFichero(v.rutaInforme1, "ANTES\n");
    prueba::escribirFichero(v.rutaInforme2, "SE BORRA\n");
    t.radiar(v);
    const std::string cabeza =
        "\n\n    ESTACION: E         Estacionamiento: A             Altura Instr; 1.500\n"
        "    Factor UTM: 1.0000000000\n";
    const std::string estrellas = "             ************************************************************\n";
    EXPECT_EQ(prueba::leerFichero(v.rutaInforme1),
              "ANTES\n" + std::string(11, '\n') + estrellas +
                  "             *    C A L C U L O       D E      C O O R D E N A D A S    *\n" + estrellas + "\n\n\n" +
                  cabeza +
                  "    Numero        H        V         DG         M               X              Y            Z\n"
                  " " + std::string(95, '*') + "\n"
                  "       101   100.0000  100.0000     50.000    1.300       1050.000        2000.000      100.200\n");
    EXPECT_EQ(prueba::leerFichero(v.rutaInforme2),
              "\n\n                 I N F O R M E       D E      C O O R D E N A D A S\n\n\n" + cabeza +
                  "    Numero        X                Y             Z       Precisi\xF3n Planim  Precisi\xF3n Altim\n"
                  " " + std::string(91, '*') + "\n"
                  "       101       1050.000      2000.000      100.200\n");
}

TEST(Radiacion, InformeQueNoSeAbreSeSaltaYSeAvisa) {
    Trabajo t;
    auto* a = t.estacionamiento("A");
    crearLectura(a->lecturas, std::nullopt, "1", 1.5, 10, 100, 0, "");
    CCalculoRadiacion v(t.libreta, t.ajustes, t.avisos);
    v.opciones().informe1 = true;
    v.rutaInforme1 = t.dir / "no" / "existe.txt";
    const auto r = t.radiar(v);
    EXPECT_TRUE(r.escrito);
    ASSERT_EQ(t.avisos.mensajes.size(), 2u);
    EXPECT_NE(t.avisos.mensajes[0].texto.find("existe.txt"), std::string::npos);
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
