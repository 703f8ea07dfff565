// Levelling lines recorded by a digital level (Leica DNA, NA and Sprinter
// style) as GSI-8 or GSI-16 blocks, turned into the rows of the levelling
// window. Words read (a three-digit index where 33x, 39x or 57x are
// followed by a digit):
//   11  point id                    32  horizontal distance to the staff
//   331 back sight, 1st reading     335 back sight, 2nd reading
//   332 fore sight, 1st reading     336 fore sight, 2nd reading
//   333 intermediate sight          83  height (on a line without a staff
//                                       reading: the known height of that point)
// Lines of code and information blocks (41-49) and every other word
// (330, 334, 390-399, 571-574, ...) are skipped.
//
// A set-up runs from its back sight to its fore sight, in either order;
// 2nd readings (BFFB, BBFF, ...) are averaged with the 1st. A back reading
// starts a new set-up once the current one has as many fore readings as back
// readings, or when it is on another point; a fore reading on another point
// than the set-up's fore point starts one too (alternate BF / FB set-ups). Each set-up gives one row to its fore point
// (back and fore middles, length = mean back distance + mean fore distance).
// An intermediate sight gives a row of its own before it, from the
// previous reading of the same set-up to it, with length 0: its height comes
// out from the same line of sight and the line's length is not counted twice.
// Readings are kept to 0.1 mm, as the grid shows them, so a chain of
// intermediate rows adds up to the set-up's own difference.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "traverse/calculo_nivelacion.h"
#include "traverse/fichero_nivelacion.h"

namespace celvara {

namespace palabra_nivel {
inline constexpr int punto = 11, distancia = 32, cota = 83, espalda1 = 331, frente1 = 332, intermedia = 333,
                     espalda2 = 335, frente2 = 336;
}

struct LineaNivelacionGsi {
    std::vector<LecturasNivelacion> filas;
    // The first back point and the last forward point (UTF-8), to be looked
    // up among the book's stations.
    EstacionesLinea estaciones;
    // The start point's height as the level recorded it (word 83), if it did.
    std::optional<double> cotaSalida;
};

// False with a message naming the line for a line that is no GSI block, a
// block cut short, a staff reading that is not a number, a set-up without a
// back sight, or a line that ends on a back sight (a file cut short). A file without staff readings fails too.
bool leerTextoNivelacionGsi(std::string_view contenido, LineaNivelacionGsi& linea, std::string& mensaje);
bool leerFicheroNivelacionGsi(const std::filesystem::path& ruta, LineaNivelacionGsi& linea, std::string& mensaje);

}  // namespace celvara
