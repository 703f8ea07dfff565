#include "fieldbook/libreta.h"

#include <gtest/gtest.h>

namespace celvara {
namespace {

std::vector<std::string> nombres(const ListaEstaciones& lista) {
    std::vector<std::string> n;
    for (const auto& e : lista) n.push_back(e->nombre.str());
    return n;
}

TEST(Colocacion, UnaReglaParaLasTresListas) {
    ListaEstaciones lista;
    Estacion otra;
    // Empty list: head whatever the anchor.
    crearEstacion(lista, {.nombre = "A"}, {}, &otra);
    crearEstacion(lista, {.nombre = "B"});                       // no anchor: append
    crearEstacion(lista, {.nombre = "C"}, {}, lista.back().get());  // anchor last: append
    crearEstacion(lista, {.nombre = "D"}, {}, lista.front().get()); // anchor head: new head
    crearEstacion(lista, {.nombre = "E"}, {}, lista[2].get());      // before the anchor
    EXPECT_EQ(nombres(lista), (std::vector<std::string>{"D", "A", "E", "B", "C"}));

    ListaLecturas lecturas;
    crearLectura(lecturas, 5, "1", 0, 0, 0, 0, "");
    crearLectura(lecturas, std::nullopt, "2", 0, 0, 0, 0, "");
    crearLectura(lecturas, 0, "3", 0, 0, 0, 0, "");
    crearLectura(lecturas, 2, "4", 0, 0, 0, 0, "");
    std::vector<std::string> orden;
    for (const auto& l : lecturas) orden.push_back(l.nombre.str());
    EXPECT_EQ(orden, (std::vector<std::string>{"3", "1", "2", "4"}));

    ListaEstacionamientos estacionamientos;
    crearEstacionamiento(estacionamientos, nullptr, "E1", "A", 1.5, nullptr, 0);
    crearEstacionamiento(estacionamientos, estacionamientos.front().get(), "E2", "A", 1.5, nullptr, 0);
    EXPECT_EQ(estacionamientos.back()->nombre.str(), "E2");
    crearEstacionamiento(estacionamientos, estacionamientos.front().get(), "E3", "A", 1.5, nullptr, 0);
    EXPECT_EQ(estacionamientos.front()->nombre.str(), "E3");
}

TEST(Libreta, EstacionesBusquedasYUsoDeNombres) {
    CLibretaCampo libreta;
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .tipo = 2});
    auto* b = crearEstacion(libreta.estaciones, {.nombre = "B", .tipo = 2, .coordenadas = Coordenadas{1, 2, 3}});
    // Without coordinates a station is of type 0 at the origin.
    EXPECT_EQ(std::pair(a->tipo, a->x), std::pair(0, 0.0));
    crearEstacionamiento(a->estacionamientos, nullptr, "E1", "A", 0, nullptr, 0);
    auto* e2 = crearEstacionamiento(b->estacionamientos, nullptr, "E2", "B", 0, nullptr, 12.5);
    // Without a block: the value-initialised one, not the settings' defaults.
    EXPECT_EQ(e2->datos, DatosComplementarios{});
    EXPECT_EQ(libreta.buscarEstacion("B"), b);
    EXPECT_EQ(libreta.buscarEstacion("b"), nullptr);  // case-sensitive
    EXPECT_TRUE(libreta.nombreEstacionamientoUsado("E2") && !libreta.nombreEstacionamientoUsado("E3"));
    EXPECT_EQ(libreta.buscarEstacionamiento("E2").first, b);
}

TEST(Libreta, VaciarLiberaTodoYDejaCabezaNula) {
    CLibretaCampo libreta;
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A"});
    crearLectura(crearEstacionamiento(a->estacionamientos, nullptr, "E1", "A", 0, nullptr, 0)->lecturas, std::nullopt, "1",
                 0, 0, 0, 0, "");
    libreta.reservado = "algo";
    libreta.proyeccion = 2;
    libreta.vaciar();
    EXPECT_EQ(std::tuple(libreta.estaciones.size(), libreta.reservado.str(), libreta.proyeccion), std::tuple(0u, "", 0u));
}

TEST(Desorientacion, NormalizacionDeLoTecleado) {
    const std::pair<const char*, double> casos[] = {
        {"-10", 390}, {"410", 10}, {"400", 400}, {"810", 410}, {"12,3456", 12.3456}, {"abc", 0}};
    for (const auto& [texto, valor] : casos) EXPECT_DOUBLE_EQ(normalizarDesorientacionTecleada(texto), valor) << texto;
}

TEST(TextoFijo, CortaALaCapacidadYAlNulo) {
    TextoFijo<16> t("0123456789ABCDEFGHIJ");
    EXPECT_EQ(t.str(), "0123456789ABCDE");
    t = std::string_view("ab\0cd", 5);
    EXPECT_EQ(t.str(), "ab");
    unsigned char crudo[4] = {'x', 'y', 'z', 'w'};  // no terminator in the file
    TextoFijo<4> d;
    d.desdeBytes(crudo);
    EXPECT_EQ(d.str(), "xyz");
}

TEST(Anexar, MueveLasEstacionesAlFinal) {
    CLibretaCampo libreta, otra;
    crearEstacion(libreta.estaciones, {.nombre = "A"});
    crearEstacion(otra.estaciones, {.nombre = "A"});
    crearEstacion(otra.estaciones, {.nombre = "B"});
    otra.reservado = "de la otra";
    EXPECT_TRUE(anexarLibreta(libreta, std::move(otra)));
    EXPECT_EQ(nombres(libreta.estaciones), (std::vector<std::string>{"A", "A", "B"}));
    EXPECT_TRUE(libreta.reservado.vacio());
    CLibretaCampo vacia;
    EXPECT_FALSE(anexarLibreta(libreta, std::move(vacia)));
}

}  // namespace
}  // namespace celvara
