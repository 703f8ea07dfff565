#include "traverse/recoger_observaciones.h"

#include <gtest/gtest.h>

#include "../comun/avisos_grabados.h"
#include "libreta_recorrido.h"

namespace celvara {
namespace {

struct Recorrido {
    CLibretaCampo libreta;
    FilasPoligonal filas;
    ReferenciaPoligonal ref;
    prueba::AvisosGrabados avisos;
    std::unique_ptr<CRecogerObservaciones> r;

    explicit Recorrido(TipoPoligonal tipo = TipoPoligonal::Encuadrada) {
        prueba::libretaRecorrido(libreta);
        ref.x1 = 7;  // must survive a hanging or closed traverse
        r = std::make_unique<CRecogerObservaciones>(libreta, filas, ref, avisos);
        r->tipo = tipo;
    }
    bool ir(const char* visada) {
        const auto& v = r->visadas();
        const auto it = std::find(v.begin(), v.end(), visada);
        if (it == v.end()) return false;
        r->elegirVisada(static_cast<std::size_t>(it - v.begin()));
        return r->anadir();
    }
    // Opens the walk at A and goes through `visadas`.
    bool recorrer(std::initializer_list<const char*> visadas) {
        bool ok = r->abrir();
        for (const char* v : visadas) ok = ok && ir(v);
        return ok;
    }
};

TEST(RecogerObservaciones, CarasEnSusHuecosYReferenciaEncuadrada) {
    Recorrido t;
    ASSERT_TRUE(t.r->abrir());
    EXPECT_EQ(t.r->recorrido(), std::vector<std::string>{"A"});
    EXPECT_EQ(t.r->visadas(), (std::vector<std::string>{"D", "B"}));  // P is no station
    ASSERT_TRUE(t.ir("B") && t.ir("C") && t.ir("D"));
    ASSERT_TRUE(t.r->finalizar());
    EXPECT_TRUE(t.avisos.mensajes.empty());
    ASSERT_EQ(t.filas.size(), 4u);

    const EstacionPoligonal& a = t.filas[0];
    EXPECT_EQ(a.estacionamiento.str() + "|" + a.visadoAtras.str() + "|" + a.visadoAdelante.str(), "A-1||B");
    EXPECT_EQ(a.adelante, (VisualPoligonal{100, 300, 100, 300, 100, 100.002, 1.5}));
    EXPECT_EQ(a.alturaInstrumento, 1.40);
    const EstacionPoligonal &b = t.filas[1], &d = t.filas[3];
    EXPECT_EQ(b.visadoAtras.str() + "|" + d.visadoAtras.str() + "|" + d.visadoAdelante.str(), "A|C|");
    EXPECT_EQ(b.atras, (VisualPoligonal{300, 0, 100, 0, 100, 0, 1.5}));  // face left only
    EXPECT_EQ(std::pair(b.adelante.dCd, d.atras.hCd), std::pair(100.02, 100.0));

    EXPECT_EQ(std::tuple(t.ref.partida.str(), t.ref.llegada.str(), t.ref.y1, t.ref.z0, t.ref.tipo),
              std::tuple("A", "D", 100.0, 10.0, 0));
}

TEST(RecogerObservaciones, NoAvanzaYSinVisualAtras) {
    Recorrido t;
    ASSERT_TRUE(t.recorrer({"B"}));
    EXPECT_FALSE(t.ir("A"));  // back where it came from
    t.r->elegirEstacionamiento(1);  // B-2 sees only C
    EXPECT_FALSE(t.ir("C"));
    EXPECT_EQ(t.avisos.textos(),
              (std::vector<std::string>{kNoAvanza, "No existe Visual a la estación anterior\nSeleccione otro "
                                                   "Estacionamiento que tenga visuales atras"}));
    EXPECT_EQ(t.r->recorrido(), (std::vector<std::string>{"A", "B"}));

    // Going on from an earlier station drops what followed it.
    t.r->elegirEstacionamiento(0);
    ASSERT_TRUE(t.ir("C"));
    t.r->elegirEstacion(0);
    ASSERT_TRUE(t.ir("D"));
    EXPECT_EQ(t.r->recorrido(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(t.r->filas().size(), 2u);

    // One station is not a traverse; a last set-up with no sight back is refused.
    Recorrido u;
    ASSERT_TRUE(u.r->abrir());
    EXPECT_FALSE(u.r->finalizar());
    ASSERT_TRUE(u.ir("B") && u.ir("C"));
    u.r->elegirEstacionamiento(1);  // C: C-1 sees B; C-2 does not exist
    EXPECT_EQ(u.r->estacionamiento(), 0);
    EXPECT_TRUE(u.r->finalizar());
    EXPECT_EQ(u.avisos.textos(),
              std::vector<std::string>{"No se han seleccionado estaciones suficientes para hacer poligonal"});
    Recorrido w;
    ASSERT_TRUE(w.recorrer({"B", "C", "D"}));
    w.r->elegirEstacion(2);
    EXPECT_TRUE(w.r->finalizar());  // the last row keeps its set-up, D-1
    Recorrido x;
    x.libreta.buscarEstacion("D")->estacionamientos[0]->lecturas.clear();
    ASSERT_TRUE(x.recorrer({"B", "C", "D"}));
    EXPECT_FALSE(x.r->finalizar());
    EXPECT_EQ(x.avisos.textos(),
              std::vector<std::string>{"En la Estación D, desde el Estacionamiento D-1 \nNo existe Visual a la "
                                       "Estación Anterior C\n Seleccione otro Estacionamiento que tenga visuales atras"});
}

TEST(RecogerObservaciones, CerradaConSusVisualesDeCierre) {
    Recorrido t(TipoPoligonal::Cerrada);
    ASSERT_TRUE(t.recorrer({"B", "C", "D"}));
    EXPECT_FALSE(t.ir("A"));  // a closed traverse ends before its start
    ASSERT_TRUE(t.r->finalizar());
    EXPECT_EQ(std::tuple(t.filas.front().visadoAtras.str(), t.filas.front().atras.hCd, t.filas.front().atras.dCd,
                         t.filas.back().visadoAdelante.str(), t.filas.back().adelante.hCd),
              std::tuple("D", 0.0, 100.0, "A", 200.0));
    EXPECT_EQ(std::tuple(t.ref.llegada.str(), t.ref.x1, t.ref.tipo), std::tuple("", 7.0, 2));

    // Without the closing sight: a warning, and the rows still come back.
    Recorrido u(TipoPoligonal::Cerrada);
    ASSERT_TRUE(u.recorrer({"B", "C", "D"}));
    u.r->elegirEstacionamiento(1);
    ASSERT_TRUE(u.r->finalizar());
    EXPECT_EQ(u.avisos.textos(),
              std::vector<std::string>{"Desde la Ultima Estación D No se a encontrado Visual a la Primera A"});
    EXPECT_EQ(u.filas.size(), 4u);
    EXPECT_EQ(u.filas.back().estacionamiento, "D-2");
}

TEST(RecogerObservaciones, EncuadradaVuelveASuPartidaYFilasTomadasSeReemplazan) {
    Recorrido t;
    ASSERT_TRUE(t.recorrer({"B", "C", "D", "A"}));
    ASSERT_TRUE(t.r->finalizar());
    ASSERT_EQ(t.filas.size(), 5u);
    EXPECT_EQ(t.ref.llegada, "A");

    // Reopened over its own rows: the walk goes on from them, nothing doubles.
    t.filas.resize(3);
    CRecogerObservaciones otra(t.libreta, t.filas, t.ref, t.avisos);
    ASSERT_TRUE(otra.abrir());
    EXPECT_EQ(otra.recorrido(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(otra.actual(), 2);
    ASSERT_TRUE(otra.finalizar());
    EXPECT_EQ(t.filas.size(), 3u);
    EXPECT_EQ(t.ref.llegada, "C");
}

TEST(RecogerObservaciones, CaraInversaSoloEnCenitalYNadiral) {
    // vertical, circle, vertical kind, distance kind: face right?
    const std::tuple<double, std::int32_t, TipoVertical, TipoDistancia, bool> casos[] = {
        {200.0, 400, TipoVertical::Zenital, TipoDistancia::Geometricas, false},
        {200.0001, 400, TipoVertical::Zenital, TipoDistancia::Geometricas, true},
        {200.0001, 400, TipoVertical::Nadiral, TipoDistancia::Geometricas, true},
        {181, kSexagesimal, TipoVertical::Nadiral, TipoDistancia::Geometricas, true},
        {181, kSexagesimal, TipoVertical::Inclinacion, TipoDistancia::Geometricas, false},
        {181, kSexagesimal, TipoVertical::Zenital, TipoDistancia::ReducidasDesnivel, false}};
    for (const auto& [v, circulo, tv, td, inversa] : casos) {
        const DatosComplementarios d{.tipoDistancia = static_cast<std::int32_t>(td),
                                     .tipoVertical = static_cast<std::int32_t>(tv), .unidadAngular = circulo};
        EXPECT_EQ(lecturaCirculoInverso(Lectura{.vertical = v}, d), inversa) << v << " " << circulo;
    }
}

TEST(RecogerObservaciones, NombreLargoYLibretaVacia) {
    Recorrido t;
    crearEstacion(t.libreta.estaciones, {.nombre = "ESTACION-LARGA1"});  // 15 bytes: fits the book, not a row
    ASSERT_TRUE(t.r->abrir());
    t.r->elegirSalida(4);
    EXPECT_EQ(t.r->recorrido(), std::vector<std::string>{"A"});
    EXPECT_EQ(t.avisos.textos(),
              std::vector<std::string>{"El nombre de la Estación ESTACION-LARGA1 tiene más de 14 caracteres\nNo cabe en "
                                       "la Poligonal"});

    CLibretaCampo vacia;
    CRecogerObservaciones r(vacia, t.filas, t.ref, t.avisos);
    EXPECT_FALSE(r.abrir());
}

TEST(RecogerObservaciones, RevisionAntesDeCalcular) {
    Recorrido t;
    ASSERT_TRUE(t.recorrer({"B", "C"}));
    ASSERT_TRUE(t.r->finalizar());
    EXPECT_TRUE(revisarPoligonal(t.filas, t.ref).empty());
    t.filas[1].visadoAtras = "";
    t.filas[1].adelante.dCd = 0;
    t.filas[2].atras.dCd = 0;  // the note of another angular unit: CalculoPoligonales.ComprobacionesYNotas
    const auto notas = revisarPoligonal(t.filas, t.ref);
    std::vector<std::string> v;
    for (const auto& n : notas) v.push_back(std::to_string(n.fila) + " " + n.texto);
    EXPECT_EQ(v, (std::vector<std::string>{"1 Fila 2: la Estación B no tiene Visual atras",
                                           "1 Fila 2: el tramo B - C no tiene ninguna Distancia"}));
}

}  // namespace
}  // namespace celvara
