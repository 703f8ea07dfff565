#include "calc/reduccion_elipsoide.h"

#include <gtest/gtest.h>

namespace celvara {
namespace {

TEST(ReduccionElipsoide, CalcYAceptar) {
    CReduccionElipsoide r{CDatosGenerales{}};
    r.textoRadio = "6378000";
    r.textoAltura = "600";  // 6378000 / 6378600
    r.calcular();
    EXPECT_EQ(r.textoFactor, "0.9999059355");
    EXPECT_EQ(r.aceptar(), 0.9999059355);
    EXPECT_EQ(r.factor(), 0.9999059355);
    r.textoAltura = "600,5";  // decimal comma
    r.calcular();
    EXPECT_EQ(r.textoFactor, "0.9999058571");
    // h = -R, unreadable h (taken as 0), and R = h = 0: never a division by zero.
    for (auto [radio, altura] : {std::pair{"6378000", "-6378000"}, {"6378000", "nada"}, {"", "0"}}) {
        r.textoRadio = radio;
        r.textoAltura = altura;
        r.calcular();
        EXPECT_EQ(r.textoFactor, "1.0000000000") << radio << " " << altura;
    }
    r.textoFactor = "x";
    EXPECT_EQ(r.aceptar(), 0.0);
}

}  // namespace
}  // namespace celvara
