// The grid of the main window: stations, readings of a set-up, or points of
// a coordinate file, as the selection state asks. Columns (caption, longest
// text accepted, width), the text of each cell as the window shows it, and
// the adapter the grid control reads in place, by index.
#pragma once

#include <string>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/libreta.h"

namespace celvara {

class CDocumentoObservaciones;
class CSeleccionGestor;
class CEdicionesGestor;
struct PuntoListado;

const std::vector<ColumnaRejilla>& columnasEstaciones();
const std::vector<ColumnaRejilla>& columnasLecturas();
const std::vector<ColumnaRejilla>& columnasPuntos();

// Cell texts, UTF-8.
std::string textoCeldaEstacion(const Estacion& estacion, std::size_t columna);
std::string textoCeldaLectura(const Lectura& lectura, std::size_t columna);
std::string textoCeldaPunto(const PuntoListado& punto, std::size_t columna);

// "FENO" gives 0, "VERTICE" 2, any other text 1.
std::int32_t tipoBaseDeTexto(std::string_view texto);
std::string textoTipoBase(std::int32_t tipo);

// Rows are read in place from the lists of the book and of the open
// coordinate file; an edited cell goes to the edits of the book.
class CRejillaGestor : public FuenteRejilla {
public:
    CRejillaGestor(const CDocumentoObservaciones& documento, const CSeleccionGestor& seleccion,
                   CEdicionesGestor& ediciones)
        : documento_(documento), seleccion_(seleccion), ediciones_(ediciones) {}

    std::size_t numeroColumnas() const override { return columnas().size(); }
    const ColumnaRejilla& columna(std::size_t c) const override { return columnas().at(c); }
    std::size_t numeroFilas() const override;
    std::string texto(std::size_t fila, std::size_t columna) const override;
    bool editar(std::size_t fila, std::size_t columna, std::string_view texto) override;

private:
    const std::vector<ColumnaRejilla>& columnas() const;

    const CDocumentoObservaciones& documento_;
    const CSeleccionGestor& seleccion_;
    CEdicionesGestor& ediciones_;
};

}  // namespace celvara
