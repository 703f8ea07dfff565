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

// Each number leads to the action of its own entry, in every table: a number
// given twice to entries of different actions would run the wrong one. No
// entry or button is dead: each has an action, which the main window's
// dispatch (a switch the compiler checks for every action) opens or runs.
TEST(Comandos, CadaNumeroLlevaALaAccionDeSuEntrada) {
    std::set<Comando> menu;
    auto comprobar = [&](const EntradaMenu& e) {
        if (e.id == Comando::Ninguno) return;
        EXPECT_EQ(accionDeComando(e.id), e.accion) << e.texto;
        EXPECT_NE(e.accion, Accion::Ninguna) << e.texto;
    };
    recorrer(menuPrincipal(), [&](const EntradaMenu& e) {
        comprobar(e);
        if (e.id != Comando::Ninguno) {
            EXPECT_TRUE(menu.insert(e.id).second) << e.texto;
        }
    });
    for (int estado : {1, 2, 3, 5}) recorrer(menuEmergente(estado).submenu, comprobar);
    for (const auto& b : barraHerramientas()) {
        if (b.id != Comando::Ninguno) {
            EXPECT_EQ(accionDeComando(b.id), b.accion) << b.consejo;
            EXPECT_NE(b.accion, Accion::Ninguna) << b.consejo;
        }
    }
    EXPECT_TRUE(menuEmergente(4).submenu.empty());
    EXPECT_FALSE(accionDeComando(static_cast<Comando>(12345)).has_value());
}

}  // namespace
}  // namespace celvara
