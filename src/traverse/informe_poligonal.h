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

// One line of "COORDENADAS GENERALES": the start station, the stations the
// legs reach and, for a fitted traverse, the known end station. A closed
// traverse does not repeat its start; a leg that reaches no traverse station
// (the last row of a hanging traverse) is not listed.
struct EstacionGeneral {
    std::string nombre;  // Windows-1252
    double x = 0, y = 0, z = 0;
    double desorientacion = 0;  // station unit
    double factor = 1.0;        // UTM point scale factor, 1 for plane coordinates
};
std::vector<EstacionGeneral> estacionesGenerales(const ResultadoPoligonal& res, const ReferenciaPoligonal& ref);

// Legs listed in the distance, partial-coordinate and altimetry sections: all
// but the last, except in a closed traverse.
std::size_t tramosListados(const ResultadoPoligonal& res);

// The whole report, Windows-1252 bytes.
std::string informePoligonal(const ResultadoPoligonal& res, const ReferenciaPoligonal& ref);

// "Grabar (x,y,z,des)": the start station (and the end one of a fitted
// traverse) gets the reference coordinates; every following station the
// computed ones, and its set-up the recomputed orientation and the
// instrument height. Missing stations and set-ups are created.
void grabarPoligonalEnLibreta(CLibretaCampo& libreta, const ResultadoPoligonal& res, const ReferenciaPoligonal& ref,
                              const FilasPoligonal& filas);

}  // namespace celvara
