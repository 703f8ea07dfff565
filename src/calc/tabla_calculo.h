// "TABLA DE CALCULO": one row per set-up of the book (stations in order,
// their set-ups in order) through which instrument heights and orientations
// are edited in one place; "A C E P T A R" writes both columns back.
#pragma once

#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/libreta.h"

namespace celvara {

namespace columna_tabla {
inline constexpr std::size_t estacionamiento = 0, estacion = 1, altura = 2, desorientacion = 3, lecturas = 4,
                             valor1 = 5, valor2 = 6, valor3 = 7, instrumento = 8, inicio = 9, fin = 10, numero = 11;
}

class CTablaCalculo {
public:
    explicit CTablaCalculo(CLibretaCampo& libreta);
    RejillaTexto& rejilla() { return rejilla_; }
    // "A C E P T A R": heights and orientations, row by row, into the set-ups.
    void aceptar();

private:
    std::vector<Estacionamiento*> filas_;
    RejillaTexto rejilla_;
};

}  // namespace celvara
