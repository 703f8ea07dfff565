#include "calc/matriz.h"

#include <gtest/gtest.h>

#include "calc/matrices_dialogo.h"
#include "calc/matrices_mmcc.h"
#include "comun/imagen.h"

namespace celvara {
namespace {

using math::matrix_error;
using math::matrixT;

template <typename F>
std::string mensajeDe(F&& f) {
    try {
        f();
    } catch (const matrix_error& e) {
        return e.what();
    }
    return "sin excepción";
}

TEST(MatrizValor, CopiarYEscribirNoTocaElOriginalYRedimensionarRellenaConCeros) {
    matrixT a{{1, 2}, {3, 4}};
    matrixT b = a;
    EXPECT_TRUE(b.comparteCon(a));
    b(0, 1) = 20;
    EXPECT_FALSE(b.comparteCon(a));
    EXPECT_EQ(a(0, 1), 2);
    EXPECT_EQ(b(0, 1), 20);

    matrixT c = a;
    c.resize(3, 3);
    EXPECT_EQ(a.filas(), 2u);
    const double esperado[3][3] = {{1, 2, 0}, {3, 4, 0}, {0, 0, 0}};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(c(i, j), esperado[i][j]) << i << "," << j;
    // Shrinking and growing again does not bring old values back.
    c.resize(1, 1);
    c.resize(2, 2);
    EXPECT_EQ(c(1, 1), 0);
}

TEST(MatrizValor, CadaMensajeDeError) {
    const matrixT a{{1, 2}, {3, 4}};
    const matrixT r23(2, 3);
    EXPECT_EQ(mensajeDe([&] { (void)a(2, 0); }), "matrixT::operator(): Index out of range!");
    EXPECT_EQ(mensajeDe([&] { (void)a(0, 2); }), "matrixT::operator(): Index out of range!");
    EXPECT_EQ(mensajeDe([&] { (void)(r23 * r23); }), "matrixT::operator*: Inconsistent matrix size in multiplication!");
    EXPECT_EQ(mensajeDe([&] { (void)(a - r23); }), "matrixT::operator-: Inconsistent matrix size in subtraction!");
    EXPECT_EQ(mensajeDe([&] { (void)!r23; }), "matrixT::operator!: Inversion of a non-square matrix");
    EXPECT_EQ(mensajeDe([&] { (void)!matrixT{{1, 2}, {2, 4}}; }), "matrixT::operator!: Inversion of a singular matrix");
    EXPECT_EQ(mensajeDe([&] { (void)r23.Det(); }), "matrixT::Det(): Determinant a non-square matrix!");
    // A failed operation leaves its operand alone.
    matrixT w{{1, 2}, {3, 4}};
    EXPECT_THROW(w(5, 5) = 1, matrix_error);
    EXPECT_EQ(w(1, 1), 4);
}

TEST(MatrizInversa, CasosDeIntercambioSingularYProductoConLaIdentidad) {
    const matrixT cruz{{0, 1}, {1, 0}};
    const matrixT inv = !cruz;  // a zero pivot: rows swapped
    for (std::size_t f = 0; f < 2; ++f)
        for (std::size_t c = 0; c < 2; ++c) EXPECT_EQ(inv(f, c), f == c ? 0 : 1);
    EXPECT_EQ(cruz.Det(), -1);
    EXPECT_EQ((matrixT{{1, 2}, {2, 4}}).Det(), 0);
    // 2·(3·4 − 1·1) − 1·(1·4 − 1·0) + 0 = 22 − 4 = 18
    const matrixT n{{2, 1, 0}, {1, 3, 1}, {0, 1, 4}};
    EXPECT_NEAR(n.Det(), 18, 1e-12);
    const matrixT i = n * !n;
    for (std::size_t f = 0; f < 3; ++f)
        for (std::size_t c = 0; c < 3; ++c) EXPECT_NEAR(i(f, c), f == c ? 1.0 : 0.0, 1e-12);
    const matrixT t = ~matrixT{{1, 2, 3}};
    EXPECT_EQ(t.filas(), 3u);
    EXPECT_EQ(t(2, 0), 3);
    EXPECT_EQ((-(t / 2.0))(2, 0), -1.5);
    EXPECT_EQ((2.0 * t)(1, 0), 4);
}

// Three measures of one length, 10, 11 and 13 m, from 10 m: Fo = x0 − l.
// X = 4/3, V = (4/3, 1/3, −5/3), VᵀPV = 42/9, σ0² = 42/9 / 2 = 7/3, Exx = 7/9.
TEST(MatricesMMCC, MediaDeTresMedidasConRedundanciaDos) {
    CMatricesMMCC m;
    m.dimensionar(3, 1);
    const double fo[3] = {0, -1, -3};
    for (std::size_t i = 0; i < 3; ++i) {
        m.B(i, 0) = 1;
        m.Fo(i, 0) = fo[i];
        m.Q(i, i) = 1;
    }
    m.aproximada(0, 0) = 10;
    ASSERT_TRUE(m.pesos());
    ASSERT_TRUE(m.resolver());
    // V is the window's text below.
    for (auto [valor, esperado] : {std::pair{m.X(0, 0), 4.0 / 3}, {m.sigma02, 7.0 / 3}, {m.varianza(0, 0), 7.0 / 3},
                                   {m.Exx(0, 0), 7.0 / 9}, {m.ajustada(0, 0), 10 + 4.0 / 3}})
        EXPECT_NEAR(valor, esperado, 1e-12) << esperado;

    // The window shows it and exports it with "%f    ".
    CMatrices ventana(m);
    ventana.mostrar(MatrizMostrada::Residuos);
    ASSERT_EQ(ventana.rejilla().size(), 3u);
    EXPECT_EQ(ventana.textoAscii(), "1.333333    \n0.333333    \n-1.666667    \n");
    ventana.ponerCelda(0, 0, "2,5");
    prueba::CarpetaTemporal dir;
    ASSERT_TRUE(ventana.exportarAscii(dir / "m.txt"));
    EXPECT_EQ(prueba::leerFichero(dir / "m.txt"), "2.500000    \n0.333333    \n-1.666667    \n");
}

// As many equations as unknowns (a variance of 0, never 0/0) and a singular
// N: EstacionMmcc.InformeSegunLaPlantilla and GeometriasSinSolucion.
TEST(MatricesMMCC, QSingularDejaLosPesosComoEstaban) {
    CMatricesMMCC m;
    m.dimensionar(2, 2);
    m.Q(0, 0) = m.Q(1, 1) = 1;
    ASSERT_TRUE(m.pesos());
    m.Q(1, 1) = 0;
    EXPECT_FALSE(m.pesos());
    EXPECT_EQ(m.P(1, 1), 1);
}

}  // namespace
}  // namespace celvara
