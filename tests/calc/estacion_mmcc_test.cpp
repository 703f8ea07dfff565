#include "calc/estacion_mmcc.h"
#include "calc/red/ajuste_red.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/datos_prueba.h"
#include "calc/unidades.h"
#include "comun/avisos_grabados.h"
#include "comun/red_estacion.h"

namespace celvara {
namespace {

namespace ce = columna_ecuacion;
using prueba::AvisosGrabados;

struct Red {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ListaInstrumentos instrumentos = prueba::instrumentosRed();
    AvisosGrabados avisos;
    CCalculoEstacionMMCC calculo{libreta, ajustes, &instrumentos, avisos};
    DatosComplementarios datos{.instrumento = "T30"};

    // A known station whose set-up <nombre>1 sights P once (target 1.5).
    Estacionamiento* visaP(const char* nombre, Coordenadas c, double i, double D, double V, double H) {
        auto* e = crearEstacion(libreta.estaciones, {.nombre = nombre, .coordenadas = c});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, std::string(nombre) + "1", nombre, i, &datos, 0);
        crearLectura(s->lecturas, std::nullopt, "P", 1.5, D, V, H, "");
        return s;
    }
};

TEST(EstacionMmcc, RedResueltaEnLaSegundaPasadaYParadaEnLaTercera) {
    for (double omega : {123.5067, 0.0}) {
        Red r;
        prueba::libretaRed(r.libreta, omega);
        ASSERT_TRUE(r.calculo.elegirEstacion("P"));
        // Planimetric rows in book order (A, B, then P's set-up), the Z row, the altimetric rows.
        const auto& g = r.calculo.rejilla();
        ASSERT_EQ(g.numeroFilas(), 11u);
        std::string tipos;
        for (std::size_t f : {0, 2, 3, 8, 9}) tipos += g.texto(f, ce::tipo) + " ";
        EXPECT_EQ(tipos, std::string(kTipoDirecta) + " " + kTipoInversa + " " + kTipoDistancia + " Z Inv ");
        EXPECT_EQ(r.calculo.textoX, "1240.000");

        ASSERT_TRUE(r.calculo.calcular());
        ASSERT_TRUE(r.calculo.calcular());
        EXPECT_EQ(r.calculo.textoX + " " + r.calculo.textoY + " " + r.calculo.textoDesorientacion, "1250.001 1299.995 123.4568");
        EXPECT_NEAR(r.calculo.resultado().varianza, 0.085, 0.005);
        EXPECT_EQ(r.calculo.resultado().redundancia, 5);
        EXPECT_FALSE(r.calculo.resultado().convergido);
        EXPECT_EQ(r.calculo.textoIteraciones, "2 Iteraciones");
        ASSERT_TRUE(r.calculo.calcular());
        EXPECT_TRUE(r.calculo.resultado().convergido);
        EXPECT_NE(r.calculo.textoResumen.find("dx=0.000 dy=0.000"), std::string::npos) << r.calculo.textoResumen;
        EXPECT_EQ(r.calculo.resultado().filaMarcada, -1);
        // Both altimetric sights give 100 - 1.5 + 1.5: Z = 100, Pz = 0.
        EXPECT_EQ(r.calculo.textoZ, "100.000");

        ASSERT_TRUE(r.calculo.grabar());
        const Estacion& p = *r.libreta.buscarEstacion("P");
        EXPECT_NEAR(p.x, 1250.001, 1e-9);
        EXPECT_NEAR(p.estacionamientos[0]->desorientacion, 123.4568, 1e-9);
        EXPECT_TRUE(r.avisos.mensajes.empty());
    }
}

// Readings computed exactly from P (1250, 1300): each known station sights P
// and P sights each of them with its distance.
void redExacta(CLibretaCampo& l, double errorC) {
    DatosComplementarios d{.instrumento = "FINO",
                           .tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasVertical),
                           .corregidoEsfRefr = 1};
    const double px = 1250, py = 1300;
    const std::pair<const char*, Coordenadas> conocidas[] = {
        {"A", {1000, 1000, 0}}, {"B", {1600, 1100, 0}}, {"C", {1300, 1700, 0}}, {"E", {900, 1500, 0}}};
    for (const auto& [n, c] : conocidas) {
        auto* e = crearEstacion(l.estaciones, {.nombre = n, .coordenadas = c});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, n, n, 1.5, &d, 0);
        crearLectura(s->lecturas, std::nullopt, "P", 1.5, 0, 100,
                     AzimutEntre(c.x, c.y, px, py, 400) + (std::string_view(n) == "C" ? errorC : 0.0), "");
    }
    auto* p = crearEstacion(l.estaciones, {.nombre = "P", .coordenadas = Coordenadas{1249, 1301, 0}});
    auto* s = crearEstacionamiento(p->estacionamientos, nullptr, "P1", "P", 1.5, &d, 0);
    for (const auto& [n, c] : conocidas)
        crearLectura(s->lecturas, std::nullopt, n, 1.5, DistanciaEntre(px, py, c.x, c.y), 100,
                     AzimutEntre(px, py, c.x, c.y, 400), "");
}

TEST(EstacionMmcc, ErrorGroseroSenaladoPorElMayorW) {
    for (double error : {0.0, 0.0030}) {
        Red r;
        r.instrumentos = {{.nombre = "FINO", .aumentos = 40, .precisionDistanciaMm = 2, .precisionDistanciaPpm = 2,
                           .precisionH = 2, .precisionV = 10}};
        r.ajustes.errorCentradoEstacion = r.ajustes.errorCentradoPunto = 0.001;
        redExacta(r.libreta, error);
        ASSERT_TRUE(r.calculo.elegirEstacion("P"));
        ASSERT_GT(r.calculo.iterar(10), 0);
        const auto& res = r.calculo.resultado();
        EXPECT_EQ(res.redundancia, 9);
        if (error == 0) {  // and no row marked: RedResueltaEnLaSegundaPasada
            EXPECT_NEAR(std::hypot(res.x - 1250, res.y - 1300), 0, 1e-4);
        } else {
            ASSERT_GE(res.filaMarcada, 0);
            EXPECT_EQ(r.calculo.rejilla().texto(res.filaMarcada, ce::estacion), "C");
            EXPECT_EQ(r.calculo.rejilla().texto(res.filaMarcada, ce::tipo), kTipoDirecta);
            EXPECT_NE(r.calculo.textoResumen.find("Posible error grosero"), std::string::npos);
            EXPECT_NE(r.calculo.textoInforme().find("<== posible error grosero"), std::string::npos);
        }
    }
}

TEST(EstacionMmcc, GeometriasSinSolucionDanSuMensaje) {
    // Only two direct directions from A and B, both along the line A-B-P.
    Red r;
    r.visaP("A", {1000, 1000, 0}, 1.5, 0, 100, 0);
    auto* b1 = r.visaP("B", {1000, 1100, 0}, 1.5, 0, 100, 0);
    crearEstacion(r.libreta.estaciones, {.nombre = "P", .coordenadas = Coordenadas{1000.0, 1300, 0}});
    ASSERT_TRUE(r.calculo.elegirEstacion("P"));
    EXPECT_FALSE(r.calculo.calcular());
    EXPECT_EQ(r.calculo.textoX, "1000.000");
    EXPECT_EQ(r.calculo.textoIteraciones, "0 Iteraciones");
    r.calculo.rejilla().asignar(1, ce::uso, "0");
    EXPECT_FALSE(r.calculo.calcular());
    EXPECT_FALSE(r.calculo.elegirEstacion("Q"));
    b1->datos.unidadAngular = kSexagesimal;
    EXPECT_FALSE(r.calculo.elegirEstacion("P"));
    EXPECT_EQ(r.avisos.textos(), (std::vector<std::string>{kMensajeNSingular, kMensajePocasEcuaciones,
                                                           kMensajeNoExiste, kMensajeCentesimal}));

    // A resection on the danger circle: A, B, C and P on one circle of radius 100.
    Red c;
    const double pi = 3.14159265358979;
    auto enCirculo = [&](double g) { return Coordenadas{1000 + 100 * std::sin(g * pi / 200), 1000 + 100 * std::cos(g * pi / 200), 0}; };
    const Coordenadas p = enCirculo(350);
    auto* q = crearEstacion(c.libreta.estaciones, {.nombre = "P", .coordenadas = p});
    auto* q1 = crearEstacionamiento(q->estacionamientos, nullptr, "P1", "P", 1.5, &c.datos, 0);
    for (auto [n, g] : {std::pair{"A", 0.0}, {"B", 100.0}, {"C", 200.0}}) {
        const Coordenadas t = enCirculo(g);
        crearEstacion(c.libreta.estaciones, {.nombre = n, .coordenadas = t});
        crearLectura(q1->lecturas, std::nullopt, n, 1.5, 0, 100, AzimutEntre(p.x, p.y, t.x, t.y, 400), "");
    }
    ASSERT_TRUE(c.calculo.elegirEstacion("P"));
    EXPECT_FALSE(c.calculo.calcular());
    EXPECT_EQ(c.avisos.textos(), std::vector<std::string>{kMensajeNSingular});
}

TEST(EstacionMmcc, AltimetriaMediaDeLasVisualesYSinFilasConservaZ) {
    // Slope distances of 141.5 m at V = 98 from A (Z 100, i 1.6) and B (Z 110,
    // i 1.4), no curvature term: dz = 141.5 cos(98 gon) = 4.4446224...
    Red r;
    r.datos.corregidoEsfRefr = 1;
    r.visaP("A", {1000, 1000, 100}, 1.6, 141.5, 98, 50);
    r.visaP("B", {1200, 1000, 110}, 1.4, 141.5, 98, 350);
    crearEstacion(r.libreta.estaciones, {.nombre = "P", .coordenadas = Coordenadas{1100, 1100, 7}});
    auto& c = r.calculo;
    ASSERT_TRUE(c.elegirEstacion("P"));
    ASSERT_TRUE(c.calcular());
    // Z from A 104.5446224, from B 114.3446224: their mean, and Pz = 9.8 / √2.
    EXPECT_NEAR(c.resultado().z, 109.44462240955467, 1e-9);
    EXPECT_NEAR(c.resultado().pz, 6.929646455628173, 1e-9);
    EXPECT_FALSE(c.desorientacionActiva());
    EXPECT_EQ(c.resultado().redundancia, 2);  // two directions and two distances, u = 2

    for (std::size_t f = 0; f < c.rejilla().numeroFilas(); ++f)
        if (c.rejilla().texto(f, ce::tipo) == "Dir") c.rejilla().asignar(f, ce::uso, "0");
    c.textoZ = "7.000";
    ASSERT_TRUE(c.calcular());
    EXPECT_EQ(c.textoZ, "7.000");
    EXPECT_EQ(c.resultado().pz, 0);
}

TEST(EstacionMmcc, InformeSegunLaPlantilla) {
    // Two directions 10 cc off, weights off: n = u, Fo = -10 and +10 cc,
    // B = [c -c; c c] with c = 100 rho / 20000, N = diag(2 c²), dy = -10 / c.
    Red r;
    r.ajustes.calcularConPesos = 0;
    r.visaP("A", {1000, 1000, 100}, 1.5, 0, 100, 50.0010);
    r.visaP("B", {1200, 1000, 100}, 1.5, 0, 100, 349.9990);
    crearEstacion(r.libreta.estaciones, {.nombre = "P", .coordenadas = Coordenadas{1100, 1100, 100}});
    ASSERT_TRUE(r.calculo.elegirEstacion("P"));
    ASSERT_TRUE(r.calculo.calcular());
    const std::string esperado = prueba::leerDato("estacion/informe_mmcc.txt");
    ASSERT_FALSE(esperado.empty()) << "golden missing";
    EXPECT_EQ(r.calculo.textoInforme(), esperado);
    EXPECT_NE(r.calculo.textoResumen.find("Sin redundancia"), std::string::npos);
}

// An instrument the library lacks: the station and the network say so and
// ask whether to compute with "ESTANDAR" this time; "No" computes nothing.
TEST(EstacionMmcc, InstrumentoAusentePreguntaPorEstandar) {
    const ListaInstrumentos sinT30{{.nombre = kInstrumentoEstandar, .aumentos = 30, .precisionDistanciaMm = 2,
                                    .precisionDistanciaPpm = 2, .precisionH = 15, .precisionV = 15}};
    const std::string pregunta =
        "El instrumento «T30» del estacionamiento «A1» no está en la librería de instrumentos\n"
        "¿Calcular esta vez con el instrumento «ESTANDAR»?";
    for (const bool red : {false, true})
        for (const Respuesta respuesta : {Respuesta::Si, Respuesta::No}) {
            SCOPED_TRACE(testing::Message() << red << " " << (respuesta == Respuesta::Si));
            CLibretaCampo l;
            CDatosGenerales ajustes;
            AvisosGrabados avisos;
            avisos.respuestas = {respuesta};
            prueba::libretaRed(l);
            bool hecho = false;
            if (red) {
                CAjusteRed r(l, ajustes, &sinT30, avisos);
                hecho = r.preparar({.fijos = {"A", "B", "C", "E"}}) && r.ajustar();
            } else {
                CCalculoEstacionMMCC c(l, ajustes, &sinT30, avisos);
                ASSERT_TRUE(c.elegirEstacion("P"));
                hecho = c.iterar(10) > 0 && c.resultado().convergido;
            }
            EXPECT_EQ(hecho, respuesta == Respuesta::Si);
            ASSERT_EQ(avisos.mensajes.size(), 1u);  // asked once for the whole run
            EXPECT_EQ(avisos.mensajes[0].texto, pregunta);
            EXPECT_EQ(avisos.mensajes[0].botones, Botones::SiNo);
        }
}

}  // namespace
}  // namespace celvara
