// The line reader every import format shares. A line ends after a line feed,
// after a byte 255 (kept as the line's last character), at the end of the
// file or at a Ctrl-Z (0x1A), which text-mode streams take as the end of the
// file. Carriage returns, line feeds and form feeds never reach the line.
// A file written with carriage returns alone (its first block holds a CR
// and no LF, as some instruments and old Macintosh tools write) has its
// lines ended by the CR instead, so that none of them is lost.
// Lines are kept in a buffer of kLongitudMaxima bytes: the rest of a longer
// line is read and dropped, so no line can overrun it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_binario.h"

namespace celvara {

class LectorLineas {
public:
    static constexpr std::size_t kLongitudMaxima = 1024;

    LectorLineas() = default;
    explicit LectorLineas(const std::filesystem::path& ruta) { abrir(ruta); }

    bool abrir(const std::filesystem::path& ruta);
    bool abierto() const { return fichero_ != nullptr; }

    // Reads the next line into `linea` (cleared first). Exito, or Fallo when
    // the stream reports a read error. At the end of the file the line holds
    // whatever came before it, possibly nothing.
    Estado leerLinea(std::string& linea);

    // True once a read reached the end of the file (or a Ctrl-Z): the reader
    // stops after handling the line it just got.
    bool fin() const { return fin_; }
    // Lines cut at kLongitudMaxima so far.
    std::size_t lineasCortadas() const { return cortadas_; }

private:
    bool rellenar();

    FicheroC fichero_;
    std::vector<unsigned char> bufer_;
    std::size_t inicio_ = 0;
    std::size_t final_ = 0;
    bool fin_ = false;
    bool error_ = false;
    bool primerBloque_ = true;
    bool soloRetorno_ = false;
    std::size_t cortadas_ = 0;
};

}  // namespace celvara
