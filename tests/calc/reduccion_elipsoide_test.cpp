#include "calc/reduccion_elipsoide.h"

#include <gtest/gtest.h>

namespace celvara {
namespace {

TEST(ReduccionElipsoide, RadioDeLosAjustesAlAbrir) {
    CDatosGenerales ajustes;
    ajustes.radioTerrestre = 6370123.4567;
    const CReduccionElipsoide r(ajustes);
    EXPECT_EQ(r.textoRadio, "6370123.457");
    EXPECT_EQ(r.textoAltura, "");
    EXPECT_EQ(r.textoFactor, "");
    EXPECT_EQ(r.factor(), 1.0);
}

TEST(ReduccionElipsoide, Calc) {
    CReduccionElipsoide r{CDatosGenerales{}};
    EXPECT_EQ(r.textoRadio, "6378388.000");
    r.textoRadio = "6378000";
    r.textoAltura = "600";
    r.calcular();
    EXPECT_EQ(r.textoFactor, "0.9999059355");
    r.textoAltura = "600,5";  // decimal comma
    r.calcular();
    EXPECT_EQ(r.textoFactor, "0.9999058571");
    r.textoAltura = "-6378000";  // h = -R
    r.calcular();
    EXPECT_EQ(r.textoFactor, "1.0000000000");
    r.textoAltura = "nada";  // unreadable: h = 0
    r.calcular();
    EXPECT_EQ(r.textoFactor, "1.0000000000");
    r.textoRadio = "";
    r.textoAltura = "0";  // R = h = 0: R + h = 0 as well, no division
    r.calcular();
    EXPECT_EQ(r.textoFactor, "1.0000000000");
}

TEST(ReduccionElipsoide, AceptarLeeElTextoDelFactor) {
    CReduccionElipsoide r{CDatosGenerales{}};
    r.textoRadio = "6378000";
    r.textoAltura = "600";
    r.calcular();
    EXPECT_EQ(r.aceptar(), 0.9999059355);
    EXPECT_EQ(r.factor(), 0.9999059355);
    r.textoFactor = "0,99995";  // edited by the user
    EXPECT_EQ(r.aceptar(), 0.99995);
    r.textoFactor = "x";
    EXPECT_EQ(r.aceptar(), 0.0);
}

TEST(ReduccionElipsoide, Factor) {
    EXPECT_DOUBLE_EQ(factorReduccionElipsoide(6378000, 600), 6378000.0 / 6378600.0);
    EXPECT_EQ(factorReduccionElipsoide(6378000, -6378000), 1.0);
}

}  // namespace
}  // namespace celvara
