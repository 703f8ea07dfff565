// The traverse's field sheet ("Imprimir..." of the traverse window) as a
// printed listing: the company header, the traverse's ends and a table of
// two lines per station (the back sighting with the station, then the
// forward one), previewed, printed and exported like the book's listings.
#pragma once

#include <vector>

#include "output/listados.h"
#include "traverse/poligonal.h"

namespace celvara {

inline constexpr int kEstacionesEstadilloPoligonal = 18;  // two table rows each
inline constexpr const char* kTituloEstadilloPoligonal = "ESTADILLO DE LA POLIGONAL";

// One page per 18 stations, at least one.
std::vector<Pagina> paginasEstadilloPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref,
                                              const EntornoListado& entorno);

}  // namespace celvara
