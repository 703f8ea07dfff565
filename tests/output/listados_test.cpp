// The printed listings as page descriptions, and "IMPRIMIR" without a screen.
#include <gtest/gtest.h>

#include "output/imprimir.h"
#include "output/listado_poligonal.h"
#include "output/listados.h"

namespace celvara {
namespace {

std::string tablaDe(const Pagina& p) { return p.tablas.empty() ? std::string("(sin tabla)") : p.tablas.at(0).texto; }

bool tieneTexto(const Pagina& p, std::string_view t) {
    for (const auto& x : p.textos)
        if (x.texto == t) return true;
    return false;
}

void estaciones(CLibretaCampo& l, int n) {
    for (int i = 1; i <= n; ++i) {
        const std::string nombre = "E" + std::to_string(i);
        crearEstacion(l.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{double(i), 0, 0}});
    }
}

EntornoListado conEmpresa() {
    return {.empresa = DatosTrabajo{.empresa = "TOPOGRAF\xCD" "A DEL SUR", .direccion = "C/ Mayor 12",
                                    .zona = "Pol\xEDgono 3", .terminoMunicipal = "Jerez",
                                    .provinciaTrabajo = "C\xE1" "diz"}};
}

TEST(ListadosTest, BasesConFormatosYTextosQueNoPartenFilas) {
    CLibretaCampo l;
    crearEstacion(l.estaciones, {.nombre = "PE\xD1" "A", .tipo = 2, .coordenadas = Coordenadas{1000, 2000.0006, -3.25},
                                 .descripcion1 = "Estaci\xF3n | junto; al muro"});
    crearEstacion(l.estaciones, {.nombre = "B;1"});
    const Pagina p = paginaListado(Listado::Bases, l, {}, conEmpresa(), 1);
    EXPECT_EQ(tablaDe(p),
              "Estaci\xF3n|X|Y|Z|Comentario;"
              "PE\xD1" "A | 1000.000 | 2000.001 | -3.250 | Estaci\xF3n / junto, al muro\t;"
              "B,1 | 0.000 | 0.000 | 0.000 | \t;");
    EXPECT_EQ(anchosTabla(p.tablas[0].anchos), (std::vector<int>{1600, 1600, 1600, 1600, 3000}));
    EXPECT_EQ(p.tablas[0].y, 2625);
    EXPECT_TRUE(tieneTexto(p, "LISTADO DE BASES"));
    // The company's header: its name first, in bold 15 points.
    ASSERT_FALSE(p.textos.empty());
    EXPECT_EQ(std::tuple(p.textos[0].texto, p.textos[0].puntos, p.textos[0].negrita),
              std::tuple("TOPOGRAF\xCD" "A DEL SUR", 15, true));
    EXPECT_TRUE(tieneTexto(p, "C/ Mayor 12"));
    EXPECT_FALSE(tieneTexto(p, "ERROR AL ABRIR FICHERO DE DATOS DEL TRABAJO"));
    EXPECT_EQ(p.marcos.back(), (Rectangulo{421, 1333, 10043, 14049}));
}

// Every table stands inside the page frame, centred in it.
TEST(ListadosTest, TablasDentroDelMarco) {
    CLibretaCampo l;
    auto* e = crearEstacion(l.estaciones, {.nombre = "A"});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 0);
    for (Listado listado : {Listado::Bases, Listado::Estadillo, Listado::Desorientaciones}) {
        const Pagina p = paginaListado(listado, l, {e, s}, {}, 1);
        ASSERT_EQ(p.tablas.size(), 1u);
        const Rectangulo marco = p.marcos.back();
        const auto anchos = anchosTabla(p.tablas[0].anchos);
        int derecha = p.tablas[0].x;
        for (int a : anchos) derecha += a;
        EXPECT_EQ(p.tablas[0].x - marco.izquierda, marco.derecha - derecha) << static_cast<int>(listado);
        EXPECT_GT(p.tablas[0].x, marco.izquierda) << static_cast<int>(listado);
    }
}

TEST(ListadosTest, PaginasDeTreintaFilasSinPaginaVacia) {
    for (const auto& [n, paginas] : {std::pair{0, 1}, {29, 1}, {30, 1}, {31, 2}, {61, 3}}) {
        CLibretaCampo l;
        estaciones(l, n);
        EXPECT_EQ(paginasListado(Listado::Bases, l, {}), paginas) << n;
    }
    CLibretaCampo l;
    estaciones(l, 31);
    const auto primera = celdasTabla(tablaDe(paginaListado(Listado::Bases, l, {}, {}, 1)));
    const auto segunda = celdasTabla(tablaDe(paginaListado(Listado::Bases, l, {}, {}, 2)));
    ASSERT_EQ(primera.size(), 31u);
    ASSERT_EQ(segunda.size(), 2u);
    EXPECT_EQ(primera[1][0] + " " + primera[30][0] + " " + segunda[1][0], "E1 E30 E31");
    const Pagina vacia = paginaListado(Listado::Bases, CLibretaCampo{}, {}, {}, 1);
    EXPECT_EQ(tablaDe(vacia), "Estaci\xF3n|X|Y|Z|Comentario;");
    EXPECT_TRUE(tieneTexto(vacia, "ERROR AL ABRIR FICHERO DE DATOS DEL TRABAJO"));  // no company data
}

TEST(ListadosTest, EstadilloDeTreintaYSeisLecturasPorPagina) {
    CLibretaCampo l;
    auto* e = crearEstacion(l.estaciones, {.nombre = "A"});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "A_1", "A", 1.5626, nullptr, 399.99996);
    for (int i = 1; i <= 37; ++i)
        crearLectura(s->lecturas, std::nullopt, std::to_string(i), 1.3, 10.12346, 99.99994, i, i == 37 ? "bordillo" : "");
    const SeleccionListado sel{e, s};
    EXPECT_EQ(paginasListado(Listado::Estadillo, l, sel), 2);
    const Pagina p2 = paginaListado(Listado::Estadillo, l, sel, {}, 2);
    EXPECT_EQ(tablaDe(p2), "N\xFAmero|Jal\xF3n|Horizontal|Vertical|Distancia|Comentario;"
                           "37 | 1.300 | 37.0000 | 99.9999 | 10.1235 | bordillo\t ;");
    EXPECT_EQ(celdasTabla(tablaDe(paginaListado(Listado::Estadillo, l, sel, {}, 1))).size(), 37u);
    EXPECT_TRUE(tieneTexto(p2, "ESTACION :  A"));
    EXPECT_TRUE(tieneTexto(p2, "Altura Instrumento :  1.563"));
    EXPECT_TRUE(tieneTexto(p2, "Desorientaci\xF3n : 400.0000"));
    EXPECT_EQ(p2.tablas[0].puntos, 8);
    // Without a set-up: the header and the frame only.
    const Pagina vacia = paginaListado(Listado::Estadillo, l, {e, nullptr}, {}, 1);
    EXPECT_TRUE(vacia.tablas.empty());
    EXPECT_EQ(paginasListado(Listado::Estadillo, l, {e, nullptr}), 1);
}

// The traverse's field sheet: two lines a station, 18 stations a page, a
// face-right column "------" while its Bessel box is off, inside the frame.
TEST(ListadosTest, EstadilloDePoligonalConColumnasDeCirculoInverso) {
    const EstacionPoligonal f{.estacion = "E1", .visadoAtras = "E0", .visadoAdelante = "E2",
                              .atras = {1.23456, 201.23456, 99.5, 300.5, 120.4567, 120.4, 1.3}, .alturaInstrumento = 1.5};
    const ReferenciaPoligonal ref{.partida = "E0", .besselH = 1, .besselD = 1};
    const auto paginas = paginasEstadilloPoligonal(FilasPoligonal(19, f), ref, conEmpresa());
    ASSERT_EQ(paginas.size(), 2u);
    EXPECT_EQ(celdasTabla(tablaDe(paginas[0])).size(), 37u);
    EXPECT_EQ(tablaDe(paginas[1]),
              "ESTACION|Inst|VISADO|H(cd)|H(ci)|V(cd)|V(ci)|Dist(cd)|Dist(ci)|Jal\xF3n;"
              "E1 | 1.500 | E0 | 1.2346 | 201.2346 | 99.5000 | ------ | 120.457 | 120.400 | 1.300;"
              " | | E2 | 0.0000 | 0.0000 | 0.0000 | ------ | 0.000 | 0.000 | 0.000;");
    EXPECT_TRUE(tieneTexto(paginas[1], "ESTACION DE PARTIDA: E0"));
    EXPECT_TRUE(tieneTexto(paginas[1], "TOPOGRAF\xCD" "A DEL SUR"));
    const TablaPagina& t = paginas[0].tablas[0];
    int ancho = 0;
    for (int a : anchosTabla(t.anchos)) ancho += a;
    const Rectangulo marco = marcoListado();
    EXPECT_GE(t.x, marco.izquierda);
    EXPECT_LE(t.x + ancho, marco.derecha);
    EXPECT_LE(t.y + 37 * t.altoFila, marco.abajo);
}

TEST(ListadosTest, DesorientacionesDeTodasLasEstacionesEnOrdenDelLibro) {
    CLibretaCampo l;
    auto* a = crearEstacion(l.estaciones, {.nombre = "A"});
    auto* b = crearEstacion(l.estaciones, {.nombre = "B"});
    auto* a1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 12.34567);
    crearLectura(a1->lecturas, std::nullopt, "1", 0, 0, 0, 0, "");
    crearLectura(a1->lecturas, std::nullopt, "2", 0, 0, 0, 0, "");
    crearEstacionamiento(b->estacionamientos, nullptr, "B_1", "B", 0, nullptr, 0);
    crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.45, nullptr, 200);
    EXPECT_EQ(tablaDe(paginaListado(Listado::Desorientaciones, l, {}, {}, 1)),
              "ESTACIONAMIENTO|ESTACION|Altura Instr|DESORIENTACION|PUNTOS;"
              "A_1 | A | 1.500 | 12.3457 | 2\t;"
              "A_2 | A | 1.450 | 200.0000 | 0\t;"
              "B_1 | B | 0.000 | 0.0000 | 0\t;");
}

TEST(ListadosTest, ResenaDeUnaEstacion) {
    CLibretaCampo l;
    std::string largo;
    for (int i = 0; i < 20; ++i) largo += "palabra" + std::to_string(i) + " ";
    auto* e = crearEstacion(l.estaciones, {.nombre = "V1", .tipo = 1, .coordenadas = Coordenadas{500000, 4000000, 12.5},
                                           .descripcion1 = "Junto al pozo", .croquis = "l\xEDnea 1\r\n" + largo});
    EntornoListado entorno = conEmpresa();
    const Pagina p = paginaListado(Listado::Resena, l, {e, nullptr}, entorno, 1);
    EXPECT_EQ(paginasListado(Listado::Resena, l, {e, nullptr}), 1);
    for (const char* t : {"ESTACION:    V1", "X = 500000.000", "Y = 4000000.000", "Z = 12.500",
                          "Proyecci\xF3n UTM.(ED-50): 0.9996000000", "Proyecci\xF3n UTM.(WGS-84): 0.9996000000",
                          "PROVINCIA :     C\xE1" "diz", "ZONA :             Pol\xEDgono 3",
                          "T. MUNICIPAL :   Jerez", "Se\xF1" "al :     Clavo", "Junto al pozo", "l\xEDnea 1",
                          "Croquis:", "Detalle:", "Foto :"})
        EXPECT_TRUE(tieneTexto(p, t)) << t;
    // The long sketch line wraps at a word.
    EXPECT_TRUE(tieneTexto(p, largo.substr(0, largo.rfind(' ', 85))));
    // No map: empty picture frames, the logo's as well.
    for (const auto& im : p.imagenes) EXPECT_TRUE(im.ruta.empty());
    // Outside the grid the factor counts 1.
    e->x = 50000;
    e->tipo = 2;
    const Pagina fuera = paginaListado(Listado::Resena, l, {e, nullptr}, entorno, 1);
    EXPECT_TRUE(tieneTexto(fuera, "Proyecci\xF3n UTM.(ED-50): 1.0000000000"));
    EXPECT_TRUE(tieneTexto(fuera, "Se\xF1" "al :     Vertice Geod\xE9sico"));
}

TEST(ImprimirTest, ListasPaginasYZoom) {
    CLibretaCampo l;
    estaciones(l, 31);
    auto* e2 = l.estaciones[1].get();
    crearEstacionamiento(e2->estacionamientos, nullptr, "E2_1", "E2", 1, nullptr, 0);
    auto* s2 = crearEstacionamiento(e2->estacionamientos, nullptr, "E2_2", "E2", 1, nullptr, 0);
    CImprimir imp(l, {}, Listado::Estadillo, nullptr, s2);
    EXPECT_EQ(imp.estacionElegida(), 1);
    EXPECT_EQ(imp.estacionamientoElegido(), 1);
    EXPECT_EQ(imp.nombresEstacionamientos(), (std::vector<std::string>{"E2_1", "E2_2"}));
    EXPECT_TRUE(imp.listaEstacionesActiva() && imp.listaEstacionamientosActiva());

    imp.elegirListado(0);
    EXPECT_FALSE(imp.listaEstacionesActiva() || imp.listaEstacionamientosActiva());
    EXPECT_EQ(imp.textoPagina(), "P\xE1gina: 1 de 2");
    imp.paginaAnterior();
    EXPECT_EQ(imp.pagina(), 1);
    imp.paginaSiguiente();
    imp.paginaSiguiente();
    EXPECT_EQ(imp.textoPagina(), "P\xE1gina: 2 de 2");
    imp.elegirListado(1);
    EXPECT_EQ(imp.textoPagina(), "P\xE1gina: 1 de 1");
    EXPECT_TRUE(imp.listaEstacionesActiva() && !imp.listaEstacionamientosActiva());

    imp.elegirEstacion(0);
    EXPECT_TRUE(imp.nombresEstacionamientos().empty());
    EXPECT_EQ(imp.estacionamientoElegido(), -1);
    imp.elegirEstacion(1);
    EXPECT_EQ(imp.estacionamientoElegido(), 0);

    for (int i = 0; i < 20; ++i) imp.zoomMas();
    EXPECT_EQ(imp.zoom(), 260);
    for (int i = 0; i < 20; ++i) imp.zoomMenos();
    EXPECT_EQ(imp.zoom(), 40);
}

}  // namespace
}  // namespace celvara
