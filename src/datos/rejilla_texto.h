// What every table of the program shows: rows of cells read and written as
// text. A window either fills a `RejillaTexto` row by row (the computation
// windows, whose rows the user may edit before pressing a button) or offers
// its own records through `FuenteRejilla` (the main window's lists, which may
// hold millions of readings and are read in place, by index).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace celvara {

enum class AlineacionColumna { Izquierda, Derecha, Centro };

struct ColumnaRejilla {
    std::string titulo;                 // UTF-8
    int longitudMaxima = 0;             // longest text accepted while editing; 0: no limit
    int ancho = 0;                      // in grid units (pixels); 0: the grid's default
    bool oculta = false;
    bool editable = true;
    bool casilla = false;               // a 0/1 flag shown as a check box
    AlineacionColumna alineacion = AlineacionColumna::Izquierda;
    std::vector<std::string> opciones;  // when not empty, the editor offers these texts
};

// Cells as text, UTF-8. Rows and columns count from 0.
class FuenteRejilla {
public:
    virtual ~FuenteRejilla() = default;
    virtual std::size_t numeroColumnas() const = 0;
    virtual const ColumnaRejilla& columna(std::size_t c) const = 0;
    virtual std::size_t numeroFilas() const = 0;
    virtual std::string texto(std::size_t fila, std::size_t columna) const = 0;
    virtual bool editable(std::size_t fila, std::size_t columna) const;
    // The user finished editing a cell. Returns whether the cell took the text.
    virtual bool editar(std::size_t fila, std::size_t columna, std::string_view texto) = 0;
};

// A table filled row by row with values written as text.
class RejillaTexto : public FuenteRejilla {
public:
    RejillaTexto() = default;
    explicit RejillaTexto(std::vector<ColumnaRejilla> columnas);

    void fijarColumnas(std::vector<ColumnaRejilla> columnas);
    // Sizes the column list, keeping the columns already defined.
    void fijarNumeroColumnas(std::size_t n);
    ColumnaRejilla& columna(std::size_t c) { return columnas_.at(c); }
    void ocultarColumna(std::size_t c, bool oculta) { columnas_.at(c).oculta = oculta; }
    void anchoColumna(std::size_t c, int ancho) { columnas_.at(c).ancho = ancho; }

    // Appends one row; the values are taken in column order, missing ones
    // are empty and extra ones dropped.
    void agregarFila(std::vector<std::string> valores);
    void insertarFila(std::size_t posicion, std::vector<std::string> valores);
    void borrarFila(std::size_t fila);
    void vaciar() { filas_.clear(); }
    // Sizes the table: new rows are empty, rows beyond n are dropped.
    void fijarNumeroFilas(std::size_t n);

    void asignar(std::size_t fila, std::size_t columna, std::string texto);
    // Flags are kept as the texts "1" and "0"; anything but "0" and empty reads as set.
    bool marcada(std::size_t fila, std::size_t columna) const;

    std::size_t numeroColumnas() const override { return columnas_.size(); }
    const ColumnaRejilla& columna(std::size_t c) const override { return columnas_.at(c); }
    std::size_t numeroFilas() const override { return filas_.size(); }
    std::string texto(std::size_t fila, std::size_t columna) const override;
    bool editar(std::size_t fila, std::size_t columna, std::string_view texto) override;

private:
    std::vector<std::string> ajustada(std::vector<std::string> valores) const;

    std::vector<ColumnaRejilla> columnas_;
    std::vector<std::vector<std::string>> filas_;
};

}  // namespace celvara
