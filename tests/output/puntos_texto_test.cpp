// Points as delimited text: exact bytes out, the same points back, and the
// lines an import must refuse.
#include <gtest/gtest.h>

#include <cmath>

#include "output/puntos_texto.h"

namespace celvara {
namespace {

ListaPuntos muestra() {
    return {{0, "B1", "", 441234.5678, 4478123.0004, 654.3214, "V\xE9rtice"},
            {0, "P 2", "", -0.0001, 12.5, 0, "ARQUETA;\"A\""},
            {0, "3", "", 1, 2, 3, ""}};
}

TEST(PuntosTexto, EscribeLasColumnasElegidasConPuntoDecimalYComillas) {
    OpcionesTexto o{.columnas = {CampoPunto::Nombre, CampoPunto::N, CampoPunto::E, CampoPunto::Z, CampoPunto::Codigo},
                    .separador = ';', .decimales = 3, .cabecera = true};
    EXPECT_EQ(escribirPuntosTexto(muestra(), o),
              "Nombre;N;E;Z;C\xC3\xB3" "digo\r\n"
              "B1;4478123.000;441234.568;654.321;V\xC3\xA9rtice\r\n"
              "P 2;12.500;0.000;0.000;\"ARQUETA;\"\"A\"\"\"\r\n"
              "3;2.000;1.000;3.000;\r\n");
    o.separador = ' ';
    o.cabecera = false;
    o.decimales = 1;
    o.columnas = {CampoPunto::Nombre, CampoPunto::X};
    // A blank separator quotes the name with a blank; -0.0001 prints as 0.0, not -0.0.
    EXPECT_EQ(escribirPuntosTexto(muestra(), o), "B1 441234.6\r\n\"P 2\" 0.0\r\n3 1.0\r\n");
}

TEST(PuntosTexto, IdaYVueltaDaLosMismosPuntosALosDecimalesEscritos) {
    for (char separador : {',', ';', '\t', ' '}) {
        const OpcionesTexto o{.separador = separador, .decimales = 3, .cabecera = true};
        const auto leido = leerPuntosTexto(escribirPuntosTexto(muestra(), o), o);
        ASSERT_TRUE(leido.erroneas.empty()) << leido.erroneas.front().motivo;
        ASSERT_EQ(leido.puntos.size(), 3u);
        const ListaPuntos esperados = muestra();
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& a = esperados[i];
            const auto& b = leido.puntos[i];
            EXPECT_EQ(b.nombre.str() + "|" + b.codigo.str(), a.nombre.str() + "|" + a.codigo.str());
            EXPECT_TRUE(std::abs(b.x - a.x) <= 0.0005 && std::abs(b.y - a.y) <= 0.0005 && std::abs(b.z - a.z) <= 0.0005)
                << i << " " << separador;
        }
    }
}

TEST(PuntosTexto, ListaCadaLineaMalaConSuNumeroYLeeElResto) {
    const OpcionesTexto o{.columnas = {CampoPunto::Nombre, CampoPunto::E, CampoPunto::N, CampoPunto::Z},
                          .separador = ';', .cabecera = true};
    const std::string texto =
        "\xEF\xBB\xBFnombre;e;n;z\n"
        "A;100,25;200.5;+3\r\n"
        "\n"
        "B;1e3;2;3\n"          // exponent: not a coordinate a surveyor types
        "C;1;2\n"              // a column short
        ";1;2;3\n"             // no name
        "NOMBRELARGUISIMO;1;2;3\n"
        "D;abc;2;3\n"
        "E;-5;6;7;sobra";
    const auto r = leerPuntosTexto(texto, o);
    ASSERT_EQ(r.puntos.size(), 2u);
    EXPECT_EQ(std::tuple(r.puntos[0].nombre.str(), r.puntos[0].x, r.puntos[0].y, r.puntos[0].z, r.puntos[1].nombre.str(),
                         r.puntos[1].x),
              std::tuple("A", 100.25, 200.5, 3.0, "E", -5.0));
    std::vector<std::size_t> lineas;
    for (const auto& e : r.erroneas) lineas.push_back(e.numero);
    EXPECT_EQ(lineas, (std::vector<std::size_t>{4, 5, 6, 7, 8}));
    EXPECT_EQ(r.erroneas[3].motivo, "línea 7: el nombre \"NOMBRELARGUISIMO\" pasa de 14 caracteres");
    EXPECT_EQ(r.erroneas[4].motivo, "línea 8: la E \"abc\" no es un número");
}

TEST(PuntosTexto, OpcionesDeLaLineaDeOrdenes) {
    std::string error;
    const auto c = leerColumnas("Nombre, n,E,z,código", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(*c, (std::vector<CampoPunto>{CampoPunto::Nombre, CampoPunto::N, CampoPunto::E, CampoPunto::Z,
                                           CampoPunto::Codigo}));
    EXPECT_FALSE(leerColumnas("nombre,x,e", error));
    EXPECT_EQ(error, "Columna repetida: \"e\"");
    EXPECT_FALSE(leerColumnas("nombre,,x", error));
    EXPECT_EQ((std::vector{leerSeparador("tab", error), leerSeparador("espacio", error), leerSeparador(";", error)}),
              (std::vector<std::optional<char>>{'\t', ' ', ';'}));
    EXPECT_FALSE(leerSeparador(".", error));
}

}  // namespace
}  // namespace celvara
