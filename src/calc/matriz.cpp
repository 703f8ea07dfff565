#include "calc/matriz.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace celvara::math {

matrixT::matrixT(std::size_t filas, std::size_t columnas) : rep_(std::make_shared<Representacion>()) {
    rep_->filas.assign(filas, std::vector<double>(columnas, 0.0));
    rep_->numFilas = filas;
    rep_->numColumnas = columnas;
}

matrixT::matrixT(std::size_t filas, std::size_t columnas, const double* datos) : matrixT(filas, columnas) {
    for (std::size_t i = 0; i < filas; ++i)
        for (std::size_t j = 0; j < columnas; ++j) rep_->filas[i][j] = datos[i * columnas + j];
}

matrixT::matrixT(std::initializer_list<std::initializer_list<double>> filas) : matrixT(filas.size(), 0) {
    std::size_t columnas = 0;
    for (const auto& f : filas) columnas = std::max(columnas, f.size());
    resize(filas.size(), columnas);
    std::size_t i = 0;
    for (const auto& f : filas) {
        std::size_t j = 0;
        for (double v : f) rep_->filas[i][j++] = v;
        ++i;
    }
}

void matrixT::separar() {
    if (rep_.use_count() > 1) rep_ = std::make_shared<Representacion>(*rep_);
}

void matrixT::comprobar(std::size_t i, std::size_t j) const {
    if (i >= rep_->numFilas || j >= rep_->numColumnas) throw matrix_error(mensaje_matriz::indice);
}

double& matrixT::operator()(std::size_t i, std::size_t j) {
    comprobar(i, j);
    separar();
    return rep_->filas[i][j];
}

double matrixT::operator()(std::size_t i, std::size_t j) const {
    comprobar(i, j);
    return rep_->filas[i][j];
}

void matrixT::resize(std::size_t filas, std::size_t columnas) {
    separar();
    auto& m = rep_->filas;
    m.resize(filas);
    for (auto& f : m) f.resize(columnas, 0.0);
    rep_->numFilas = filas;
    rep_->numColumnas = columnas;
}

void matrixT::ceros() {
    separar();
    for (auto& f : rep_->filas) std::fill(f.begin(), f.end(), 0.0);
}

matrixT matrixT::operator*(const matrixT& b) const {
    if (columnas() != b.filas()) throw matrix_error(mensaje_matriz::producto);
    matrixT r(filas(), b.columnas());
    const auto& x = rep_->filas;
    const auto& y = b.rep_->filas;
    for (std::size_t i = 0; i < filas(); ++i)
        for (std::size_t j = 0; j < b.columnas(); ++j) {
            double suma = 0.0;
            for (std::size_t k = 0; k < columnas(); ++k) suma += x[i][k] * y[k][j];
            r.rep_->filas[i][j] = suma;
        }
    return r;
}

matrixT matrixT::operator-(const matrixT& b) const {
    if (filas() != b.filas() || columnas() != b.columnas()) throw matrix_error(mensaje_matriz::resta);
    matrixT r(filas(), columnas());
    for (std::size_t i = 0; i < filas(); ++i)
        for (std::size_t j = 0; j < columnas(); ++j)
            r.rep_->filas[i][j] = rep_->filas[i][j] - b.rep_->filas[i][j];
    return r;
}

matrixT matrixT::operator-() const {
    matrixT r(filas(), columnas());
    for (std::size_t i = 0; i < filas(); ++i)
        for (std::size_t j = 0; j < columnas(); ++j) r.rep_->filas[i][j] = -rep_->filas[i][j];
    return r;
}

matrixT matrixT::operator*(double s) const {
    matrixT r(filas(), columnas());
    for (std::size_t i = 0; i < filas(); ++i)
        for (std::size_t j = 0; j < columnas(); ++j) r.rep_->filas[i][j] = rep_->filas[i][j] * s;
    return r;
}

matrixT matrixT::operator/(double s) const { return *this * (1.0 / s); }

matrixT operator*(double s, const matrixT& a) { return a * s; }

matrixT matrixT::operator~() const {
    matrixT r(columnas(), filas());
    for (std::size_t i = 0; i < filas(); ++i)
        for (std::size_t j = 0; j < columnas(); ++j) r.rep_->filas[j][i] = rep_->filas[i][j];
    return r;
}

matrixT traspuesta(const matrixT& a) { return ~a; }

namespace {

// Row p of rows k … n−1 with the largest |a(p, k)|; a later row wins only
// when strictly larger.
std::size_t filaPivote(const std::vector<std::vector<double>>& a, std::size_t k) {
    std::size_t p = k;
    double mayor = std::fabs(a[k][k]);
    for (std::size_t r = k + 1; r < a.size(); ++r)
        if (std::fabs(a[r][k]) > mayor) {
            mayor = std::fabs(a[r][k]);
            p = r;
        }
    return p;
}

}  // namespace

matrixT matrixT::operator!() const {
    if (filas() != columnas()) throw matrix_error(mensaje_matriz::inversaNoCuadrada);
    const std::size_t n = filas();
    std::vector<std::vector<double>> a = rep_->filas;
    matrixT inversa(n, n);
    auto& e = inversa.rep_->filas;
    for (std::size_t i = 0; i < n; ++i) e[i][i] = 1.0;

    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t p = filaPivote(a, k);
        if (a[p][k] == 0.0) throw matrix_error(mensaje_matriz::inversaSingular);
        if (p != k) {
            std::swap(a[p], a[k]);
            std::swap(e[p], e[k]);
        }
        const double pivote = a[k][k];
        for (std::size_t j = 0; j < n; ++j) {
            a[k][j] /= pivote;
            e[k][j] /= pivote;
        }
        for (std::size_t r = 0; r < n; ++r) {
            if (r == k) continue;
            const double f = a[r][k];
            for (std::size_t j = 0; j < n; ++j) {
                a[r][j] -= f * a[k][j];
                e[r][j] -= f * e[k][j];
            }
        }
    }
    return inversa;
}

double matrixT::Det() const {
    if (filas() != columnas()) throw matrix_error(mensaje_matriz::determinanteNoCuadrada);
    const std::size_t n = filas();
    std::vector<std::vector<double>> a = rep_->filas;
    double signo = 1.0;
    double producto = 1.0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t p = filaPivote(a, k);
        if (a[p][k] == 0.0) return 0.0;
        if (p != k) {
            std::swap(a[p], a[k]);
            signo = -signo;
        }
        producto *= a[k][k];
        for (std::size_t r = k + 1; r < n; ++r) {
            const double f = a[r][k] / a[k][k];
            for (std::size_t j = k; j < n; ++j) a[r][j] -= f * a[k][j];
        }
    }
    return producto * signo;
}

}  // namespace celvara::math
