#include "calc/matrices_mmcc.h"

namespace celvara {

CMatricesMMCC::CMatricesMMCC() { dimensionar(6, 6); }

void CMatricesMMCC::dimensionar(std::size_t n, std::size_t u) {
    n_ = n;
    u_ = u;
    const auto poner = [](math::matrixT& m, std::size_t filas, std::size_t columnas) {
        m.resize(filas, columnas);
        m.ceros();
    };
    poner(trabajo1, n, u);
    poner(trabajo2, u, n);
    poner(B, n, u);
    poner(Bt, u, n);
    poner(Fo, n, 1);
    poner(menosFo, n, 1);
    poner(V, n, 1);
    poner(Vt, 1, n);
    poner(Q, n, n);
    poner(Qe, n, n);
    poner(P, n, n);
    poner(t, u, 1);
    poner(N, u, u);
    poner(Ninv, u, u);
    poner(X, u, 1);
    poner(aproximada, u, 1);
    poner(ajustada, u, 1);
    poner(Exx, u, u);
    poner(varianza, 1, 1);
    sigma02 = 0.0;
}

bool CMatricesMMCC::pesos() {
    if (Q.filas() == Q.columnas() && Q.Det() == 0.0) return false;
    // The determinant can miss a singularity the elimination meets (underflow).
    try {
        P = !Q;
    } catch (const math::matrix_error&) {
        return false;
    }
    return true;
}

bool CMatricesMMCC::resolver() {
    Bt = ~B;
    const math::matrixT BtP = Bt * P;
    N = BtP * B;
    menosFo = -Fo;
    t = BtP * menosFo;
    if (N.filas() == N.columnas() && N.Det() == 0.0) return false;

    try {
        Ninv = !N;
    } catch (const math::matrix_error&) {
        return false;
    }
    X = Ninv * t;
    V = B * X - menosFo;
    Vt = ~V;
    const math::matrixT vpv = Vt * P * V;
    // Degrees of freedom as a real: 1/(n − u) must never be an integer division.
    const double redundancia = static_cast<double>(n_) - static_cast<double>(u_);
    varianza = n_ == u_ ? vpv : vpv * (1.0 / redundancia);
    sigma02 = varianza(0, 0);
    Exx = Ninv * sigma02;
    ajustada.resize(u_, 1);
    for (std::size_t i = 0; i < u_; ++i) ajustada(i, 0) = aproximada(i, 0) + X(i, 0);
    return true;
}

}  // namespace celvara
