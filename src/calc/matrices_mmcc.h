// The matrices of one least-squares adjustment (Gauss–Markov model with n
// equations and u unknowns) and its two fixed steps: the weights from the a
// priori variances, and the solution.
//
//   N = Bᵀ·P·B,  t = Bᵀ·P·(−Fo),  X = N⁻¹·t,  V = B·X + Fo,
//   σ0² = Vᵀ·P·V / (n − u)  (undivided when n = u),  Exx = σ0²·N⁻¹.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "calc/matriz.h"

namespace celvara {

class CMatricesMMCC {
public:
    CMatricesMMCC();

    // Every member resized to its shape for n equations and u unknowns and
    // set to 0.
    void dimensionar(std::size_t n, std::size_t u);
    std::size_t ecuaciones() const { return n_; }
    std::size_t incognitas() const { return u_; }

    // P = Q⁻¹. False, with nothing changed, when Q is square and singular.
    bool pesos();
    // The solution from B, Fo and P. False when N is singular (N and t are
    // then formed, nothing after them).
    bool resolver();

    math::matrixT trabajo1;    // n × u, reserved
    math::matrixT trabajo2;    // u × n, reserved
    math::matrixT B;           // n × u design matrix
    math::matrixT Bt;          // u × n
    math::matrixT Fo;          // n × 1 observed minus computed
    math::matrixT menosFo;     // n × 1
    math::matrixT V;           // n × 1 residuals
    math::matrixT Vt;          // 1 × n
    math::matrixT Q;           // n × n a priori variances (diagonal)
    math::matrixT Qe;          // n × n cofactors of the observations, reserved
    math::matrixT P;           // n × n weights
    math::matrixT t;           // u × 1
    math::matrixT N;           // u × u normal matrix
    math::matrixT Ninv;        // u × u
    math::matrixT X;           // u × 1 increments
    math::matrixT aproximada;  // u × 1 approximate values
    math::matrixT ajustada;    // u × 1 approximate values plus increments
    math::matrixT Exx;         // u × u variance–covariance of the unknowns
    math::matrixT varianza;    // 1 × 1 σ0²
    double sigma02 = 0.0;

private:
    std::size_t n_ = 6;
    std::size_t u_ = 6;
};

}  // namespace celvara
