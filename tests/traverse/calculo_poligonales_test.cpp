#include "traverse/calculo_poligonales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "../comun/avisos_grabados.h"
#include "../comun/imagen.h"
#include "libreta_recorrido.h"
#include "traverse/recoger_observaciones.h"

namespace celvara {
namespace {

struct Banco {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    prueba::AvisosGrabados avisos;
    prueba::CarpetaTemporal carpeta;
    CCalculoPoligonales v{ajustes, avisos};
    Banco() { prueba::libretaRecorrido(libreta); }

    // A-B-C-D from the book, fitted between A and D.
    void enlazar() {
        CRecogerObservaciones r(libreta, v.filas(), v.referencia(), avisos);
        ASSERT_TRUE(r.abrir());
        for (const char* s : {"B", "C", "D"}) {
            r.elegirVisada(r.visadas().size() - 1);
            const auto& vis = r.visadas();
            r.elegirVisada(static_cast<std::size_t>(std::find(vis.begin(), vis.end(), s) - vis.begin()));
            ASSERT_TRUE(r.anadir());
        }
        ASSERT_TRUE(r.finalizar());
        v.marcarModificado();
    }
};

TEST(CalculoPoligonales, EnlazadaGrabadaLeidaCalculadaYDevueltaALaLibreta) {
    Banco b;
    b.enlazar();
    const auto ruta = b.carpeta / "cuadro.pol";
    b.v.pedirGrabar = [&] { return std::optional(ruta); };
    ASSERT_TRUE(b.v.grabar());  // no path yet: "Grabar como..."
    EXPECT_FALSE(b.v.modificado());
    EXPECT_EQ(b.v.titulo(), "Poligonales [" + ruta.string() + "]");
    const Poligonal grabada = b.v.poligonal();
    ASSERT_TRUE(b.v.nuevo());
    EXPECT_TRUE(b.v.filas().empty());
    EXPECT_EQ(b.v.titulo(), "Poligonales");
    b.v.pedirAbrir = [&] { return std::optional(ruta); };
    ASSERT_TRUE(b.v.abrir());
    EXPECT_EQ(imagenPoligonal(grabada), imagenPoligonal(b.v.poligonal()));

    // B-C was measured 0.02 m long both ways: the compass rule gives B 0.02*100/300.02
    // and C 0.02*200.02/300.02 back in Y; D is held.
    b.libreta.buscarEstacion("B")->estacionamientos[0]->desorientacion = 50;
    auto resultado = b.v.calcular();
    ASSERT_TRUE(resultado);
    // B and C have other coordinates in the book: nothing is replaced unless the user says so.
    EXPECT_FALSE(resultado->grabar(b.libreta));
    EXPECT_EQ(b.libreta.buscarEstacion("B")->y, 0);
    b.avisos.respuestas = {Respuesta::Si};
    ASSERT_TRUE(resultado->grabar(b.libreta));
    const Estacion* eb = b.libreta.buscarEstacion("B");
    const Estacion* ec = b.libreta.buscarEstacion("C");
    EXPECT_LT(std::hypot(eb->x - 100, eb->y + 0.0066662, ec->y - 100.0066662), 1e-6);
    const double o = eb->estacionamientos[0]->desorientacion;
    EXPECT_LT(std::min(o, 400 - o), 0.005);  // the recomputed orientation replaced the 50
    const std::string pregunta = "Las estaciones B, C ya tienen coordenadas distintas en la libreta.\n"
                                 "¿Sustituirlas por las de la poligonal?";
    EXPECT_EQ(b.avisos.textos(), (std::vector<std::string>{pregunta, pregunta, "Coordenadas Grabadas"}));
}

TEST(CalculoPoligonales, ComprobacionesYNotasAntesDeCalcular) {
    Banco b;
    b.enlazar();
    b.v.referencia().llegada = "";
    EXPECT_FALSE(b.v.calcular());
    b.v.referencia().llegada = "D";
    b.v.filas()[2].datos.unidadAngular = kSexagesimal;
    b.avisos.respuestas = {Respuesta::Aceptar, Respuesta::No};
    EXPECT_FALSE(b.v.calcular());
    ASSERT_EQ(b.avisos.textos().size(), 2u);
    EXPECT_EQ(b.avisos.textos()[0], "No se ha Introducido la Estación de LLegada en REFERENCIAR");
    EXPECT_EQ(b.avisos.textos()[1],
              "El cálculo puede no tener sentido:\nFila 3: la Estación C está en otra unidad angular (360) que la "
              "primera (400)\n\n¿Desea Calcular igualmente?");
    b.avisos.respuestas = {Respuesta::Si};
    EXPECT_TRUE(b.v.calcular());
}

TEST(CalculoPoligonales, RejillaDeDosLineasPorEstacion) {
    Banco b;
    b.enlazar();
    EXPECT_EQ(b.v.numeroFilas(), 8u);
    EXPECT_EQ(b.v.texto(0, CCalculoPoligonales::Estacion), "A");
    EXPECT_EQ(b.v.texto(1, CCalculoPoligonales::Visado), "B");  // the forward line
    EXPECT_EQ(b.v.texto(1, CCalculoPoligonales::DCi), "100.002");
    EXPECT_FALSE(b.v.editable(1, CCalculoPoligonales::Inst));
    EXPECT_TRUE(b.v.columnaOculta(CCalculoPoligonales::HCi));
    b.v.fijarBessel(true, false, false);
    EXPECT_FALSE(b.v.columnaOculta(CCalculoPoligonales::HCi));

    EXPECT_TRUE(b.v.editar(3, CCalculoPoligonales::DCd, "100,5"));
    EXPECT_EQ(b.v.filas()[1].adelante.dCd, 100.5);
    EXPECT_TRUE(b.v.editar(2, CCalculoPoligonales::Estacion, "Bé"));
    EXPECT_EQ(b.v.filas()[1].estacion, "B\xE9");
    EXPECT_FALSE(b.v.editar(2, CCalculoPoligonales::Estacion, "QUINCE-LETRAS-1"));
    EXPECT_FALSE(b.v.editar(2, CCalculoPoligonales::UnidadAng, "200"));

    b.ajustes.datosPorDefecto.temperatura = 21;
    b.v.insertarFila(4);
    EXPECT_EQ(b.v.filas()[4].datos.temperatura, 21);
    b.v.borrarFila(0);
    EXPECT_EQ(b.v.filas().size(), 4u);

    // Unsaved changes: asked, and "Cancelar" keeps everything.
    b.avisos.respuestas = {Respuesta::Cancelar, Respuesta::Cancelar};
    EXPECT_FALSE(b.v.nuevo());
    EXPECT_FALSE(b.v.puedeCerrar());
    EXPECT_EQ(b.avisos.mensajes.back().texto, "Desea Guardar los Cambios ");
    EXPECT_EQ(b.v.filas().size(), 4u);
}

// An extreme's texts, as the window shows them.
std::string textos(const CReferenciarPoligonal::Extremo& e) {
    return e.estacion + "|" + e.x + "|" + e.y + "|" + e.z + "|" + e.referencia + "|" + e.acimut + "|" + e.lectura + "|" +
           e.desorientacion;
}

// The "..." pickers of the square A(0,0) B(100,0) C(100,100) D(0,100), Z 10.
TEST(CalculoPoligonales, ReferenciarConLosSelectores) {
    Banco b;
    b.libreta.buscarEstacion("B")->estacionamientos[1]->desorientacion = 123.45678;
    ReferenciaPoligonal ref{.tipo = static_cast<std::int32_t>(TipoPoligonal::Encuadrada)};
    CReferenciarPoligonal r(b.libreta, ref, b.avisos, 400);

    const CElegirEstacion estaciones = r.estaciones();
    EXPECT_EQ(estaciones.lineas(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(estaciones.elegir(-1), nullptr);  // cancelled
    EXPECT_EQ(estaciones.elegir(4), nullptr);
    ASSERT_TRUE(r.elegirEstacion(r.llegada, *estaciones.elegir(1)));
    EXPECT_EQ(textos(r.llegada), "B|100.000|0.000|10.000||0.0000|0.0000|0.0000");

    // "Desorientación" from a set-up of B.
    const CElegirEstacionamiento deB = r.estacionamientos(r.llegada);
    EXPECT_EQ(deB.lineas(), (std::vector<std::string>{"B-1    B     0.0000     1.500",
                                                      "B-2    B     123.4568     1.550"}));
    EXPECT_EQ(deB.elegir(-1), nullptr);
    r.elegirEstacionamiento(r.llegada, *deB.elegir(1));
    EXPECT_EQ(r.llegada.desorientacion, "123.4568");

    // "Con Referencia" from B to D: dx = -100, dy = 100, 350 gon; 350 - 20 = 330.
    r.llegada.lectura = "20";
    ASSERT_TRUE(r.elegirReferencia(r.llegada, *estaciones.elegir(3)));
    EXPECT_EQ(textos(r.llegada), "B|100.000|0.000|10.000|D|350.0000|20|330.0000");
    r.llegada.lectura = "350";  // a reading typed recomputes it
    r.recalcular(r.llegada);
    EXPECT_EQ(r.llegada.desorientacion, "0.0000");
    // From A to C, 50 gon; a reading of 75.5 gives -25.5, one circle up: 374.5.
    ASSERT_TRUE(r.elegirEstacion(r.partida, *estaciones.elegir(0)));
    r.partida.lectura = "75,5";
    ASSERT_TRUE(r.elegirReferencia(r.partida, *estaciones.elegir(2)));
    EXPECT_EQ(textos(r.partida), "A|0.000|0.000|10.000|C|50.0000|75,5|374.5000");
    r.aceptar();
    EXPECT_EQ(std::tuple(ref.partida.str(), ref.referenciaPartida.str(), ref.desorientacionPartida, ref.llegada.str(),
                         ref.x1, ref.acimutLlegada, ref.desorientacionLlegada),
              std::tuple("A", "C", 374.5, "B", 100.0, 350.0, 0.0));
    EXPECT_TRUE(b.avisos.textos().empty());

    // Sexagesimal, from the typed X 200 (not A's) to C: 315 degrees; 315 - 330 wraps to 345.
    ReferenciaPoligonal ref360{.z1 = 12.345678};  // untouched text: kept to the last digit
    CReferenciarPoligonal s(b.libreta, ref360, b.avisos, 360);
    ASSERT_TRUE(s.elegirEstacion(s.partida, "A"));
    s.partida.x = "200,0";
    s.partida.lectura = "330";
    ASSERT_TRUE(s.elegirReferencia(s.partida, "C"));
    EXPECT_EQ(textos(s.partida), "A|200,0|0.000|10.000|C|315.0000|330|345.0000");

    // An unknown name: the message, nothing changed, and no set-ups to offer.
    const auto antes = s.partida;
    EXPECT_FALSE(s.elegirEstacion(s.partida, "Z"));
    EXPECT_FALSE(s.elegirReferencia(s.partida, "Z"));
    EXPECT_EQ(textos(s.partida), textos(antes));
    EXPECT_EQ(b.avisos.textos(), (std::vector<std::string>(2, "La Estación no existe en la Base de Datos")));
    s.partida.estacion = "Z";
    EXPECT_TRUE(s.estacionamientos(s.partida).lineas().empty());
    s.aceptar();
    EXPECT_EQ(ref360.z1, 12.345678);
}

}  // namespace
}  // namespace celvara
