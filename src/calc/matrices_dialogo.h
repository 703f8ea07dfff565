// The window "MATRICES": any matrix of an adjustment shown in a grid of
// text, chosen from its menu, and exported as plain text.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "calc/matrices_mmcc.h"

namespace celvara {

// The matrices the window "MATRICES" shows, in the order of its menu.
enum class MatrizMostrada { B, Fo, Residuos, Errores, Qe, Pesos, Ninv, Incrementos, Aproximada, Ajustada, Exx, Varianza };

// The window "MATRICES": the matrix chosen in its menu shown in a grid of
// text, exportable as plain text.
class CMatrices {
public:
    explicit CMatrices(const CMatricesMMCC& matrices) : matrices_(matrices) {}

    // Menu entry text ("Matriz &B" …) of each matrix, in menu order.
    static const std::vector<std::pair<MatrizMostrada, std::string>>& entradasMenu();

    // Shows a matrix: the grid takes its size and each element as text.
    void mostrar(MatrizMostrada cual);
    const std::vector<std::vector<std::string>>& rejilla() const { return celdas_; }
    // The cell text as the user may have edited it.
    void ponerCelda(std::size_t fila, std::size_t columna, std::string texto);

    // "Exportar &Ascii": each row's cells read back as numbers, each written
    // "%f    ", then a line feed.
    std::string textoAscii() const;
    bool exportarAscii(const std::filesystem::path& ruta) const;

private:
    const CMatricesMMCC& matrices_;
    std::vector<std::vector<std::string>> celdas_;
};

}  // namespace celvara
