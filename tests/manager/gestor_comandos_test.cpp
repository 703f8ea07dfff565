#include "manager/gestor_comandos.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace celvara {
namespace {

void recorrer(const std::vector<EntradaMenu>& menu, const std::function<void(const EntradaMenu&)>& f) {
    for (const auto& e : menu) {
        f(e);
        recorrer(e.submenu, f);
    }
}

TEST(Comandos, CadaEntradaDelMenuTieneSuAccion) {
    std::set<int> ids;
    recorrer(menuPrincipal(), [&](const EntradaMenu& e) {
        if (e.id == 0) return;
        EXPECT_TRUE(accionDeComando(e.id).has_value()) << e.texto;
        EXPECT_TRUE(ids.insert(e.id).second) << "repetido " << e.id;
    });
    // Every numbered entry of menu 140 is there, plus the about box.
    for (int id : {32785, 32786, 32787, 32788, 32909, 32992, 33052, 32908, 33053, 32858, 32859, 32987, 32918,
                   32917, 33062, 32790, 33016, 32922, 32879, 32919, 32795, 32950, 32796, 33054, 33019, 32995,
                   32871, 32877, 32878, 32994, 32798, 32799, 32869, 32870, 32880, 32921, 32801, 32802, 32911,
                   32913, 33022, 32837, 32991, 32839, 32940, 32943, 32838, 32840, 32916, 32988, 32803, 32990,
                   32947, kComandoAcercaDe})
        EXPECT_TRUE(ids.count(id)) << id;
}

TEST(Comandos, TextosDelMenu) {
    std::map<int, std::string_view> textos;
    recorrer(menuPrincipal(), [&](const EntradaMenu& e) { textos[e.id] = e.texto; });
    EXPECT_EQ(textos[32785], "Nuevo...");
    EXPECT_EQ(textos[32877], "Exportar  a  CRD ...");
    EXPECT_EQ(textos[32838], "Calculo \"RADIACION\"...");
    EXPECT_EQ(textos[33016], "Generar Informe Resumen..");
    EXPECT_EQ(textos[32908], "Fichero Ascii Topcal (clásico)");
    EXPECT_EQ(textos[kComandoAcercaDe], "Acerca de Celvara...");
}

TEST(Comandos, AccionesCompartidas) {
    EXPECT_EQ(accionDeComando(32952), Accion::Nuevo);
    EXPECT_EQ(accionDeComando(32970), Accion::InsertarEstacion);
    EXPECT_EQ(accionDeComando(32996), Accion::InsertarEstacion);
    EXPECT_EQ(accionDeComando(32982), Accion::ImprimirListadoBases);
    EXPECT_EQ(accionDeComando(33021), Accion::RecogerCoordenadasCrdEstacion);
    EXPECT_EQ(accionDeComando(33004), Accion::RecogerCoordenadasAcad);
    EXPECT_EQ(accionDeComando(33063), Accion::Tolerancias);
    EXPECT_EQ(accionDeComando(32979), Accion::SinAccion);
    EXPECT_EQ(accionDeComando(32988), Accion::SinAccion);
    EXPECT_FALSE(accionDeComando(12345).has_value());
}

TEST(Comandos, BarraEnOrdenConSusConsejos) {
    std::vector<int> ids;
    for (const auto& b : barraHerramientas()) ids.push_back(b.id);
    EXPECT_EQ(ids, (std::vector<int>{32952, 32951, 32953, 33025, 32982, 0,     32989, 32977, 32976, 33063, 0,
                                     32980, 32970, 32972, 32971, 0,     32957, 32959, 0,     32973, 32974, 32975,
                                     0,     32962, 32963, 32964, 0,     32965, 32969, 0,     32979}));
    for (const auto& b : barraHerramientas()) {
        if (b.id == 0) continue;
        EXPECT_TRUE(accionDeComando(b.id).has_value()) << b.id;
        EXPECT_EQ(b.consejo.empty(), b.id == 33063) << b.id;
    }
    EXPECT_EQ(barraHerramientas()[3].consejo, "Importar Datos de Campo");
    EXPECT_EQ(barraHerramientas()[25].consejo, "Cálculo XYZ Estación");
}

TEST(Comandos, MenusEmergentesPorEstado) {
    auto textos = [](int estado) {
        std::vector<std::string_view> t;
        for (const auto& e : menuEmergente(estado).submenu)
            if (!e.separador()) t.push_back(e.texto);
        return t;
    };
    EXPECT_EQ(menuEmergente(1).texto, "Estaciones");
    EXPECT_EQ(textos(1), (std::vector<std::string_view>{"Insertar Estación", "Añadir Estación",
                                                        "Recoger XYZ de un *.CRD", "Recoger XYZ de ACAD...",
                                                        "Insertar Bases de un *.CRD", "Exportar Bases a un *.CRD",
                                                        "Imprimir Listado de Bases..."}));
    EXPECT_EQ(menuEmergente(2).texto, "Estación");
    EXPECT_EQ(textos(2).size(), 7u);
    EXPECT_EQ(menuEmergente(3).texto, "Estacionamiento");
    EXPECT_EQ(textos(3).size(), 8u);
    EXPECT_TRUE(menuEmergente(4).submenu.empty());
    EXPECT_EQ(textos(5), (std::vector<std::string_view>{"Exportar puntos...", "Importar puntos..."}));
    for (int estado = 1; estado <= 5; ++estado)
        for (const auto& e : menuEmergente(estado).submenu) {
            if (!e.separador()) {
                EXPECT_TRUE(accionDeComando(e.id).has_value()) << e.texto;
            }
        }
}

}  // namespace
}  // namespace celvara
