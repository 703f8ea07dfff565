// "Editor de Coordenadas": a coordinate file edited as a table of points.
//
// The file is held as the bytes of its records, so that saving writes every
// record the user did not touch exactly as it was read (display attributes,
// padding and stale links included) and an edited record changes only in
// the field typed. The file keeps its form: an older headerless file is
// saved headerless. Every change can be undone and redone.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "datos/fichero_crd.h"

namespace celvara {

// The columns of the table, in the order the window shows them.
enum class ColumnaEditor { Nombre, X, Y, Z, Codigo, Estacion, Base };
inline constexpr int kColumnasEditor = 7;
// Column titles (UTF-8).
const char* tituloColumnaEditor(ColumnaEditor c);

class CEditorCoordenadas {
public:
    using Bytes = std::array<unsigned char, imagen::crd::registro::tamano>;

    // Reads the file; false with error() (UTF-8) when it cannot be read or is
    // of a sub-version this program does not know (saving would lose it).
    // The editor is left as it was on failure.
    bool abrir(const std::filesystem::path& ruta);
    // Writes the file in its form through a temporary file; false with error().
    bool grabar();

    const std::filesystem::path& ruta() const { return ruta_; }
    FormaCrd forma() const { return forma_; }
    const std::string& error() const { return error_; }
    // Bytes after the last whole record: not a point, not written back.
    std::size_t bytesSobrantes() const { return sobrantes_; }

    std::size_t filas() const { return filas_.size(); }
    PuntoCoordenadas punto(std::size_t fila) const;
    // A cell as shown (Windows-1252; coordinates "%1.3lf", base "1" or "0").
    std::string texto(std::size_t fila, ColumnaEditor c) const;
    bool esBase(std::size_t fila) const;
    // Another row has the same name (empty names are not compared).
    bool nombreRepetido(std::size_t fila) const;
    std::size_t nombresRepetidos() const;

    // Sets a cell from typed text (Windows-1252); numbers take a decimal
    // comma or point. Returns the reason it was refused (UTF-8), else empty.
    // The text shown in the cell, or the same value, changes nothing.
    std::string editar(std::size_t fila, ColumnaEditor c, std::string_view texto);
    // A blank point before `fila` (at the end when past it); its row.
    std::size_t insertar(std::size_t fila);
    // Rows out of range and repeated ones are ignored; false when none is left.
    bool borrar(std::vector<std::size_t> filas);
    // Stable: rows that compare equal keep their order. Names and texts
    // compare with their digit runs as numbers ("2" before "10").
    void ordenar(ColumnaEditor c, bool ascendente = true);
    // The next row after `desde` (wrapping; npos: from the first) whose name
    // holds `texto`, ignoring case.
    std::optional<std::size_t> buscar(std::string_view texto, std::size_t desde) const;

    bool puedeDeshacer() const { return hechos_ > 0; }
    bool puedeRehacer() const { return hechos_ < historial_.size(); }
    bool deshacer();
    bool rehacer();
    // Changed since it was read or last saved.
    bool modificado() const { return limpio_ != hechos_; }

private:
    struct Edicion {
        std::size_t fila;
        Bytes antes, despues;
    };
    struct Insercion {
        std::size_t fila;
        Bytes bytes;
    };
    struct Borrado {
        std::vector<std::pair<std::size_t, Bytes>> filas;  // ascending positions before the delete
    };
    struct Orden {
        std::vector<std::size_t> origen;  // row i after the sort was row origen[i] before it
    };
    using Cambio = std::variant<Edicion, Insercion, Borrado, Orden>;

    void hacer(Cambio c);
    void aplicar(const Cambio& c, bool adelante);
    void tocar() { repetidosAlDia_ = false; }
    void calcularRepetidos() const;

    std::filesystem::path ruta_;
    FormaCrd forma_ = FormaCrd::Actual;
    std::string error_;
    std::size_t sobrantes_ = 0;
    std::vector<Bytes> filas_;
    std::vector<Cambio> historial_;
    std::size_t hechos_ = 0;
    // Steps done when the file matched the disk; kSinLimpio when that state
    // was undone past and dropped by a new change.
    static constexpr std::size_t kSinLimpio = static_cast<std::size_t>(-1);
    std::size_t limpio_ = 0;
    mutable std::vector<bool> repetidos_;
    mutable std::size_t cuantosRepetidos_ = 0;
    mutable bool repetidosAlDia_ = false;
};

}  // namespace celvara
