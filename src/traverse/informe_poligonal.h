// What the traverse result shows and writes: the summary under the grid, the
// station list of "COORDENADAS GENERALES", the report and the write-back of
// coordinates and orientations into the field book.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fieldbook/libreta.h"
#include "traverse/calculo_poligonal.h"

namespace celvara {

// "Planas", "UTM-ED50", "UTM-WGS84".
std::string nombreProyeccionPoligonal(std::uint32_t proyeccion);

// The summary text of the result window (UTF-8).
std::string textoResumenPoligonal(const ResultadoPoligonal& res);

// Legs listed in the distance, partial-coordinate and altimetry sections: all
// but the last, except in a closed traverse.
std::size_t tramosListados(const ResultadoPoligonal& res);

// The whole report, Windows-1252 bytes.
std::string informePoligonal(const ResultadoPoligonal& res);

// "Grabar (x,y,z,des)": the start station (and the end one of a fitted
// traverse) gets the reference coordinates; every following station the
// computed ones, and its set-up the recomputed orientation and the
// instrument height. Missing stations and set-ups are created.
void grabarPoligonalEnLibreta(CLibretaCampo& libreta, const ResultadoPoligonal& res, const ReferenciaPoligonal& ref,
                              const FilasPoligonal& filas);
// The book's stations whose coordinates that would replace: they have some
// (not all 0) and differ by a millimetre or more. Names in Windows-1252.
std::vector<std::string> estacionesSobrescritas(const CLibretaCampo& libreta, const ResultadoPoligonal& res,
                                                const ReferenciaPoligonal& ref);

}  // namespace celvara
