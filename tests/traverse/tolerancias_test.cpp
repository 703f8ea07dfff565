// The tolerance windows' logic and `celvara-cli tolerancias`, over a small
// library written from the record layout. Expected texts worked from the
// formulas by hand (see modelo_errores_test.cpp for the 5-leg traverse).
#include <gtest/gtest.h>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/proceso.h"
#include "traverse/libreria_tolerancias.h"
#include "traverse/tolerancias_dialogos.h"

namespace celvara {
namespace {

using prueba::AvisosGrabados;
using prueba::CarpetaTemporal;
using prueba::cli;

using Textos = std::vector<std::string>;

TEST(ToleranciasPoligonal, CincoTramosMilMetrosNadaSinTramosYMensajes) {
    CarpetaTemporal dir;
    const auto apa = dir / "instrumentos.apa";
    ASSERT_TRUE(prueba::escribirLibreriaTolerancias(apa));
    CDatosGenerales ajustes;
    AvisosGrabados avisos;
    CToleranciasPoligonal t(ajustes, apa, avisos);
    EXPECT_EQ(t.parametros.textos[ParametrosEnTexto::kEhp], "0.002");

    // A name not in the library takes the first record.
    t.instrumento = "NO-EXISTE";
    t.textoTramos = "5";
    t.textoLongitud = "1000,0";
    t.parametros.textos[ParametrosEnTexto::kIncl] = "1,000";
    ASSERT_TRUE(t.calcular());
    EXPECT_EQ(Textos(t.resultados().begin(), t.resultados().end()),
              (Textos{"Ea=33.4cc", "Ev=11.0cc", "Ed=0.025m", "T.Ang=106cc T.Lon=0.040 T.Trav=0.033 T.Dist=0.040",
                      "Tol.X = 0.013  Tol.Y = 0.027  Tol.Z = 0.010"}));

    // Zero or broken legs: nothing, but the parameters are stored.
    t.parametros.textos[ParametrosEnTexto::kEe] = "0.010";
    for (const char* tramos : {"0", "", "2.5", "-3"}) {
        t.textoTramos = tramos;
        EXPECT_FALSE(t.calcular()) << tramos;
    }
    t.textoTramos = "5";
    t.textoLongitud = "0";
    EXPECT_FALSE(t.calcular());
    EXPECT_EQ(ajustes.errorCentradoEstacion, 0.010);
    EXPECT_TRUE(avisos.mensajes.empty());

    t.textoLongitud = "1000";
    t.instrumento.clear();
    EXPECT_FALSE(t.calcular());
    CToleranciasPoligonal sinLibreria(ajustes, dir / "falta.apa", avisos);
    sinLibreria.instrumento = "TC-30";
    sinLibreria.textoTramos = "5";
    sinLibreria.textoLongitud = "1000";
    EXPECT_FALSE(sinLibreria.calcular());
    EXPECT_EQ(avisos.textos(), (Textos{"Seleccione un Instrumento", "Error al abrir fichero de instrumentos"}));
}

TEST(GestorTolerancias, VisualElegidaEnLaLibretaYGrabar) {
    CarpetaTemporal dir;
    const auto apa = dir / "instrumentos.apa";
    ASSERT_TRUE(prueba::escribirLibreriaTolerancias(apa));
    CLibretaCampo libreta;
    DatosComplementarios d{.instrumento = "TC-20"};
    auto* e = crearEstacion(libreta.estaciones, {.nombre = "B1"});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "B1-1", "B1", 1.55, &d, 0);
    crearLectura(s->lecturas, std::nullopt, "P7", 1.5, 100, 95, 12.3456, "");

    CDatosGenerales ajustes;
    AvisosGrabados avisos;
    CGestorTolerancias g(libreta, ajustes, apa, avisos);
    EXPECT_EQ(g.nombresEstaciones(), Textos{"B1"});
    g.elegirEstacion(0);
    EXPECT_EQ(g.nombresEstacionamientos(), Textos{"B1-1"});
    g.elegirEstacionamiento(0);
    EXPECT_EQ(g.textoI + " " + g.instrumento, "1.550 TC-20");
    EXPECT_EQ(g.nombresPuntos(), Textos{"P7"});
    g.elegirPunto(0);
    EXPECT_EQ(g.textoM + " " + g.textoH + " " + g.textoV + " " + g.textoD, "1.500 12.3456 95.0000 100.000");
    g.elegirPunto(3);  // out of range: nothing
    ASSERT_TRUE(g.calcular());
    EXPECT_EQ(Textos(g.resultados().begin(), g.resultados().end()),
              (Textos{"Ea=63.9cc", "Ev=5.1cc", "Ed=0.024m", " E.Long = 0.033m   E.Transv = 0.014m  E.Z = 0.008m"}));

    for (auto& t : g.parametros.textos) t = "0,01";
    g.grabar();
    EXPECT_EQ(std::pair(ajustes.errorCentradoPunto, ajustes.inclinacionJalon), std::pair(0.01, 0.01));
    EXPECT_TRUE(avisos.mensajes.empty());

    CErroresPesos pesos(ajustes);
    EXPECT_TRUE(pesos.varianzaHabilitada());
    EXPECT_EQ(pesos.textoVarianza, "1.000");
    pesos.conPesos = false;
    pesos.textoVarianza = "2,5";
    pesos.aceptar();
    EXPECT_EQ(std::pair(int(ajustes.calcularConPesos), ajustes.varianzaReferencia), std::pair(0, 2.5));
}

TEST(CliTolerancias, VisualYPoligonalConAjustesYErrores) {
    CarpetaTemporal dir;
    const auto apa = (dir / "instrumentos.apa").string();
    ASSERT_TRUE(prueba::escribirLibreriaTolerancias(apa));
    // Work parameters 0.01 m and 2 gon from a settings file.
    CDatosGenerales ajustes;
    ajustes.errorCentradoEstacion = ajustes.errorCentradoPunto = ajustes.errorAlturaInstrumento =
        ajustes.errorAlturaJalon = 0.01;
    ajustes.inclinacionJalon = 2;
    const auto dft = (dir / "observa.dft").string();
    ASSERT_EQ(guardarAjustes(ajustes, dft), Estado::Exito);
    auto r = cli({"tolerancias", "visual", "--instrumentos", apa, "--instrumento", "TC-20", "--distancia", "100",
             "--vertical", "95", "--jalon", "1.5", "--config", dft});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "Ea=127.4cc Ev=5.1cc Ed=0.047m\n E.Long = 0.067m   E.Transv = 0.028m  E.Z = 0.021m\n");

    r = cli({"tolerancias", "poligonal", "--instrumentos", apa, "--tramos", "5", "--longitud", "1000"});
    EXPECT_EQ(r.salida.substr(r.salida.rfind("Tol.X")), "Tol.X = 0.013  Tol.Y = 0.027  Tol.Z = 0.010\n");
    r = cli({"tolerancias", "poligonal", "--instrumentos", apa, "--tramos", "0", "--longitud", "1000"});
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.salida, "");
}

}  // namespace
}  // namespace celvara
