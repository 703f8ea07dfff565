#include <gtest/gtest.h>

#include "calc/datos_prueba.h"
#include "calc/desorientacion_individual.h"
#include "calc/desorientaciones_todas.h"
#include "fieldbook/datos_generales.h"

namespace celvara {
namespace {

namespace cv = columna_visual;

// Fills the individual window's grid by hand, as a user may.
void fila(RejillaTexto& r, const char* uso, const char* az, const char* cara, const char* lectura) {
    r.agregarFila({uso, "T", az, cara, lectura, "100.00", ""});
}

struct Ventana {
    CLibretaCampo libreta;
    CCalculoDesorientacion v{libreta};
};

TEST(DesorientacionIndividual, CalcularDesorYMediaSobreLoEscrito) {
    Ventana w;  // values either side of zero
    fila(w.v.rejilla(), "1", "399.9990", "1", "0.0000");
    fila(w.v.rejilla(), "1", "0.0010", "1", "0.0000");
    w.v.calcular();
    EXPECT_EQ(w.v.textoDesorientacion, "0.0000");
    EXPECT_EQ(w.v.textoEstadistica, "e.m.c = 0.00141   Rango = 0.00200");
    EXPECT_EQ(w.v.rejilla().texto(0, cv::desorientacion), "  399.9990");

    // Face right (A' = A + 200 past 400 or not), a decimal comma, a row off.
    Ventana y;
    fila(y.v.rejilla(), "1", "120,5", "0", "10");
    fila(y.v.rejilla(), "1", "350", "0", "239.5");
    fila(y.v.rejilla(), "0", "0", "1", "300");
    y.v.calcular();
    EXPECT_EQ(y.v.textoDesorientacion, "310.5000");
    EXPECT_EQ(y.v.rejilla().texto(1, cv::desorientacion), "  310.5000");
    EXPECT_EQ(y.v.rejilla().texto(2, cv::desorientacion), "");

    // "Desor" fills the column alone; "Media" takes it as edited, unwrapped.
    Ventana z;
    fila(z.v.rejilla(), "1", "100", "1", "50");
    fila(z.v.rejilla(), "1", "100", "1", "49");
    z.v.desor();
    EXPECT_EQ(z.v.rejilla().texto(1, cv::desorientacion), "   51.0000");
    EXPECT_TRUE(z.v.textoDesorientacion.empty());
    z.v.rejilla().asignar(0, cv::desorientacion, "399");
    z.v.rejilla().asignar(1, cv::desorientacion, "1");
    z.v.media();
    EXPECT_EQ(z.v.textoDesorientacion, "200.0000");
    EXPECT_EQ(z.v.textoEstadistica, "e.m.c = 281.42850   Rango = 398.00000");  // 199 √2
}

TEST(DesorientacionIndividual, SexagesimalUsaSuCirculo) {
    Ventana w;
    DatosComplementarios d{.unidadAngular = 360};
    auto* a = crearEstacion(w.libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{0, 0, 0}});
    crearEstacion(w.libreta.estaciones, {.nombre = "B", .coordenadas = Coordenadas{-10, 0, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A1", "A", 1.5, &d, 0);
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 10, 90, 260, "");
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 10, 270, 80, "");
    w.v.abrirPara(a, s);
    ASSERT_EQ(w.v.nombresVisadas(), (std::vector<std::string>{"B", "B"}));
    w.v.anadirVisuales(0);
    ASSERT_EQ(w.v.rejilla().numeroFilas(), 2u);
    EXPECT_EQ(w.v.rejilla().texto(0, cv::azimut), "270.0000");
    EXPECT_EQ(w.v.rejilla().texto(1, cv::cara), "0");
    w.v.calcular();
    EXPECT_EQ(w.v.textoDesorientacion, "10.0000");
}

TEST(DesorientacionIndividual, GuardarConComaYDireccionDeResultado) {
    Ventana w;
    EXPECT_FALSE(w.v.guardar());  // no set-up
    auto* a = crearEstacion(w.libreta.estaciones, {.nombre = "A"});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A1", "A", 1.5, nullptr, 0);
    double resultado = -1;
    w.v.abrirPara(a, s, &resultado);
    w.v.textoDesorientacion = "12,3456";
    EXPECT_TRUE(w.v.guardar());
    EXPECT_EQ(std::pair(s->desorientacion, resultado), std::pair(12.3456, 12.3456));
}

TEST(DesorientacionIndividual, InformeAnadidoConSuFormato) {
    Ventana w;
    auto* a = crearEstacion(w.libreta.estaciones, {.nombre = "B1", .coordenadas = Coordenadas{0, 0, 0}});
    crearEstacion(w.libreta.estaciones, {.nombre = "B2", .coordenadas = Coordenadas{100, 100, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "B1-1", "B1", 1.5, nullptr, 0);
    crearLectura(s->lecturas, std::nullopt, "B2", 1.5, 141.42, 100, 40, "");
    crearLectura(s->lecturas, std::nullopt, "B2", 1.5, 141.42, 300, 240, "");
    crearLectura(s->lecturas, std::nullopt, "1000", 1.5, 20, 100, 10, "");
    w.v.abrirPara(a, s);
    w.v.anadirVisuales(0);
    w.v.calcular();
    const std::string esperado = prueba::leerDato("estacion/informe_desorientacion.txt");
    ASSERT_FALSE(esperado.empty());
    prueba::CarpetaTemporal dir;
    ASSERT_TRUE(w.v.imprimir(dir / "inf.txt"));
    ASSERT_TRUE(w.v.imprimir(dir / "inf.txt"));
    EXPECT_EQ(prueba::leerFichero(dir / "inf.txt"), esperado + esperado);
    // The computation alone, as celvara-cli runs it, gives the same bytes.
    EXPECT_EQ(textoInformeDesorientacion(informeConTodasLasVisadas(w.libreta, *a, *s)), esperado);
}

// Values either side of zero, a row turned off, a typed value; and an
// imported set-up with the instrument's own orientation and no sight to a
// station keeps it: unticked, and neither CALCULAR nor GRABAR turns it into 0.
TEST(Desorientaciones, AmbosLadosDelCeroFilasSinUsoYOrientacionPropia) {
    CLibretaCampo libreta;
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{0, 0, 0}});
    crearEstacion(libreta.estaciones, {.nombre = "N", .coordenadas = Coordenadas{0, 100, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A1", "A", 0, nullptr, 7);
    crearLectura(s->lecturas, std::nullopt, "N", 0, 0, 100, 0.001, "");   // d = 399.999
    crearLectura(s->lecturas, std::nullopt, "N", 0, 0, 100, 399.999, ""); // d = 0.001
    crearLectura(s->lecturas, std::nullopt, "99", 0, 0, 100, 5, "");      // not a station
    auto* sinUso = crearEstacionamiento(a->estacionamientos, nullptr, "A2", "A", 0, nullptr, 7);
    crearLectura(sinUso->lecturas, std::nullopt, "N", 0, 0, 100, 10, "");
    auto* propio = crearEstacionamiento(a->estacionamientos, nullptr, "A3", "A", 0, nullptr, 289.51543);
    crearLectura(propio->lecturas, std::nullopt, "101", 0, 0, 100, 5, "");
    CCalculoDesorientaciones todas(libreta);
    EXPECT_EQ(todas.rejilla().texto(2, columna_todas::uso), "0");
    todas.grabar();  // ticked but never calculated: untouched
    EXPECT_DOUBLE_EQ(s->desorientacion, 7);
    todas.rejilla().asignar(1, columna_todas::uso, "0");
    todas.rejilla().asignar(2, columna_todas::uso, "1");
    todas.calcular();
    EXPECT_EQ(todas.rejilla().texto(0, columna_todas::desorientacion), "0.0000");
    EXPECT_EQ(todas.rejilla().texto(0, columna_todas::cuantas), "2");
    EXPECT_EQ(todas.rejilla().texto(1, columna_todas::desorientacion), "");
    EXPECT_EQ(todas.rejilla().texto(2, columna_todas::desorientacion), "289.5154");
    EXPECT_EQ(todas.rejilla().texto(2, columna_todas::cuantas), "0");
    todas.rejilla().asignar(0, columna_todas::desorientacion, "12,5");
    todas.grabar();
    EXPECT_DOUBLE_EQ(s->desorientacion, 12.5);
    EXPECT_DOUBLE_EQ(sinUso->desorientacion, 7);
    EXPECT_DOUBLE_EQ(propio->desorientacion, 289.51543);  // not even rounded
    s->desorientacion = 33.25;
    todas.actualizarFila(0);
    EXPECT_EQ(todas.rejilla().texto(0, columna_todas::desorientacion), "33.2500");
    // A computed orientation is saved as shown.
    grabarDesorientacion(*s, 390.00004);
    EXPECT_EQ(s->desorientacion, 390.0);
}

}  // namespace
}  // namespace celvara
