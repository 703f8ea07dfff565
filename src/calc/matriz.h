// The dense matrix of reals behind every least-squares computation.
//
// `matrixT` is a value: copies share one representation until one of them is
// written, and the writer then takes a private copy (copy on write). Indices
// start at 0. Every misuse (bad index, sizes that do not fit, inverting a
// non-square or singular matrix) throws `math::matrix_error` and leaves the
// operands as they were.
//
// Inverse: Gauss–Jordan with partial pivoting; determinant: Gaussian
// elimination with the same pivot choice. Only an exact zero pivot counts as
// singular; callers that need a tolerance test the geometry themselves.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace celvara::math {

class matrix_error : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The messages, as the user may read them in a report of a failure.
namespace mensaje_matriz {
inline constexpr const char* indice = "matrixT::operator(): Index out of range!";
inline constexpr const char* producto = "matrixT::operator*: Inconsistent matrix size in multiplication!";
inline constexpr const char* resta = "matrixT::operator-: Inconsistent matrix size in subtraction!";
inline constexpr const char* inversaNoCuadrada = "matrixT::operator!: Inversion of a non-square matrix";
inline constexpr const char* inversaSingular = "matrixT::operator!: Inversion of a singular matrix";
inline constexpr const char* determinanteNoCuadrada = "matrixT::Det(): Determinant a non-square matrix!";
}  // namespace mensaje_matriz

class matrixT {
public:
    // A rows × columns matrix of zeros (1 × 1 by default).
    explicit matrixT(std::size_t filas = 1, std::size_t columnas = 1);
    // A rows × columns matrix copied from `datos`, row after row.
    matrixT(std::size_t filas, std::size_t columnas, const double* datos);
    // Rows as written: {{1, 2}, {3, 4}}; short rows are zero-filled.
    matrixT(std::initializer_list<std::initializer_list<double>> filas);

    std::size_t filas() const { return rep_->numFilas; }
    std::size_t columnas() const { return rep_->numColumnas; }

    // Element (i, j). Writing through the non-const form detaches first.
    double& operator()(std::size_t i, std::size_t j);
    double operator()(std::size_t i, std::size_t j) const;

    // Keeps the elements that still fit and fills every new one with 0.
    void resize(std::size_t filas, std::size_t columnas);
    // Every element 0, same shape.
    void ceros();

    matrixT operator*(const matrixT& b) const;
    matrixT operator-(const matrixT& b) const;
    matrixT operator-() const;
    matrixT operator*(double s) const;
    matrixT operator/(double s) const;  // times (1 / s)
    matrixT operator~() const;          // transpose
    matrixT operator!() const;          // inverse
    double Det() const;

    // True when both handles share one representation (for tests of sharing).
    bool comparteCon(const matrixT& otra) const { return rep_ == otra.rep_; }

private:
    struct Representacion {
        std::vector<std::vector<double>> filas;  // one array per row; exchanging rows is a swap
        std::size_t numFilas = 0;
        std::size_t numColumnas = 0;
    };

    void separar();  // private copy before a write when shared
    void comprobar(std::size_t i, std::size_t j) const;

    std::shared_ptr<Representacion> rep_;
};

matrixT operator*(double s, const matrixT& a);
matrixT traspuesta(const matrixT& a);

}  // namespace celvara::math
