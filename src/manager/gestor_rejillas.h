// The three grids of the main window: stations, readings of a set-up, points
// of a coordinate file. Columns (caption, longest text accepted, width) and
// the text of each cell as the window shows it.
#pragma once

#include <string>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/libreta.h"

namespace celvara {

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

}  // namespace celvara
