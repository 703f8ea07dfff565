// The one painter of printed pages: draws a page description of the
// listings on any QPainter (the preview, a printer, a PDF or SVG file).
#pragma once

#include <QRectF>
#include <QString>
#include <filesystem>
#include <vector>

#include "output/pagina.h"

class QPainter;
class QPrinter;

namespace celvara::ui {

// Draws the whole A4 sheet into `destino` (device coordinates), scaled to
// its width.
void pintarPagina(QPainter& pintor, const Pagina& pagina, const QRectF& destino);

// The pages into one PDF of A4 sheets, written atomically; false when the
// file cannot be written.
bool escribirPdf(const std::filesystem::path& ruta, const std::vector<Pagina>& paginas);
// One page as an SVG drawing of the sheet.
bool escribirSvg(const std::filesystem::path& ruta, const Pagina& pagina);
// The pages within the printer's range (all when it names none).
bool imprimirPaginas(QPrinter& impresora, const std::vector<Pagina>& paginas);

}  // namespace celvara::ui
