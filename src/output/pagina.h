// A printed page as a list of what is drawn on it, in twips (1/1440 inch)
// from the top left corner of an A4 sheet: frames, rules, texts, pictures and
// tables. The listings build pages; one painter on the Qt side draws them on
// the screen, on a printer or into a PDF. Texts are Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/numeros.h"

namespace celvara {

inline constexpr int kAnchoA4 = 11905;  // twips, portrait
inline constexpr int kAltoA4 = 16837;
inline constexpr int kTwipsPorPunto = 20;

struct Rectangulo {
    int izquierda = 0, arriba = 0, derecha = 0, abajo = 0;

    friend bool operator==(const Rectangulo&, const Rectangulo&) = default;
};

struct Regla {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool punteada = false;
};

enum class Alineacion { Izquierda, Centro, Derecha };

// A text whose box starts at (x, y); with no width it runs from x to the
// right, unwrapped.
struct TextoPagina {
    int x = 0, y = 0, ancho = 0, alto = 0;
    Alineacion alineacion = Alineacion::Izquierda;
    int puntos = 10;
    bool negrita = false;
    std::string fuente = "Arial";
    std::string texto;
};
// A text at (x, y), left-aligned, in Arial of `puntos` points.
TextoPagina textoPagina(int x, int y, int puntos, bool negrita, std::string contenido);

// A picture scaled into its frame keeping its proportions; the frame is
// drawn whether or not the picture can be loaded (empty path: none).
struct ImagenPagina {
    Rectangulo marco;
    std::filesystem::path ruta;
};

// A table as the listings describe it: the column widths as "w1|w2|...",
// the text as cells separated by "|" and rows ended by ";", the first row
// being the header. Each row is `altoFila` high.
struct TablaPagina {
    int x = 0, y = 0, ancho = 0, alto = 0;
    int puntos = 10;
    int altoFila = 0;
    std::string anchos;
    std::string texto;
};

struct Pagina {
    std::vector<Rectangulo> marcos;
    std::vector<Regla> reglas;
    std::vector<ImagenPagina> imagenes;
    std::vector<TextoPagina> textos;
    std::vector<TablaPagina> tablas;
};

// Rows of a table text, each a list of cells without the blanks and tabs
// around them. An empty last row (after the final ";") is not a row.
std::vector<std::vector<std::string>> celdasTabla(std::string_view texto);
// "1600|1600|3000" -> {1600, 1600, 3000}; an unreadable width counts 0.
std::vector<int> anchosTabla(std::string_view anchos);

// A name or comment made safe for a table text: "|" becomes "/" and ";"
// becomes ",", so that it cannot split a cell or a row.
std::string textoCelda(std::string_view texto);

// printf-style formatting with a decimal point whatever the process locale
// (a GUI toolkit may switch it to one with decimal commas).
std::string formatearC(const char* formato, ...) CELVARA_PRINTF(1, 2);

}  // namespace celvara
