#include "datos/rejilla_texto.h"

#include <gtest/gtest.h>

namespace celvara {
namespace {

TEST(RejillaTexto, FilasDesdeValoresYTextoDeVuelta) {
    RejillaTexto r({{"A"}, {"B"}, {"Usar", 1, 0, false, true, true}});
    r.agregarFila({"1", "x"});
    r.agregarFila({"2", "y", "1", "sobra"});
    ASSERT_EQ(r.numeroFilas(), 2u);
    EXPECT_EQ(r.texto(0, 2), "");
    EXPECT_EQ(r.texto(1, 2), "1");
    EXPECT_TRUE(r.marcada(1, 2));
    EXPECT_FALSE(r.marcada(0, 2));
    EXPECT_EQ(r.texto(5, 0), "");  // out of range reads empty
    r.insertarFila(0, {"0"});
    EXPECT_EQ(r.texto(0, 0), "0");
    r.borrarFila(1);
    EXPECT_EQ(r.texto(1, 0), "2");
    EXPECT_TRUE(r.editar(1, 1, "z"));
    EXPECT_FALSE(r.editar(9, 1, "z"));
    EXPECT_EQ(r.texto(1, 1), "z");
    r.fijarNumeroFilas(4);
    EXPECT_EQ(r.numeroFilas(), 4u);
    EXPECT_EQ(r.texto(3, 1), "");
    r.ocultarColumna(1, true);
    EXPECT_TRUE(r.columna(1).oculta);
    r.vaciar();
    EXPECT_EQ(r.numeroFilas(), 0u);
}

}  // namespace
}  // namespace celvara
