// The traverse as the traverse window holds it: one row per traverse station
// with its back and forward sightings split by face, and the reference that
// ties the traverse to known stations and orientations. Both records keep the
// bytes they were read with, so that a traverse file read and saved again is
// byte-identical (padding, text tails and the stale links of the old program
// included).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "fieldbook/libreta.h"
#include "fieldbook/texto_fijo.h"

namespace celvara {

enum class TipoPoligonal : std::int32_t { Encuadrada = 0, Colgada = 1, Cerrada = 2 };

namespace imagen::fila_poligonal {
inline constexpr std::size_t estacion = 0, estacionamiento = 15, visadoAtras = 30, visadoAdelante = 45,
                             hAtrasCd = 64, hAtrasCi = 72, vAtrasCd = 80, vAtrasCi = 88, hAdelanteCd = 96,
                             hAdelanteCi = 104, vAdelanteCd = 112, vAdelanteCi = 120, jalonAtras = 128,
                             jalonAdelante = 136, dAtrasCd = 144, dAtrasCi = 152, dAdelanteCd = 160,
                             dAdelanteCi = 168, alturaInstrumento = 176, datos = 184, libres = 360,
                             enlaces = 460, tamano = 472;
static_assert(visadoAdelante + 15 + 4 == hAtrasCd && alturaInstrumento + 8 == datos &&
              datos + 176 == libres && libres + 100 == enlaces && enlaces + 12 == tamano);
}  // namespace imagen::fila_poligonal

namespace imagen::referencia_poligonal {
inline constexpr std::size_t partida = 0, llegada = 15, x0 = 32, y0 = 40, z0 = 48, x1 = 56, y1 = 64,
                             z1 = 72, referenciaPartida = 80, referenciaLlegada = 95, acimutPartida = 112,
                             lecturaPartida = 120, desorientacionPartida = 128, acimutLlegada = 136,
                             lecturaLlegada = 144, desorientacionLlegada = 152, tipo = 160, besselH = 164,
                             besselV = 165, besselD = 166, tamano = 168;
static_assert(llegada + 15 + 2 == x0 && referenciaLlegada + 15 + 2 == acimutPartida &&
              desorientacionLlegada + 8 == tipo && besselD + 2 == tamano);
}  // namespace imagen::referencia_poligonal

// One sighting of a row, face left (cd) and face right (ci).
struct VisualPoligonal {
    double hCd = 0, hCi = 0;  // horizontal reading
    double vCd = 0, vCi = 0;  // vertical reading (a height difference for "Reducidas/Desnivel")
    double dCd = 0, dCi = 0;  // distance
    double jalon = 0;         // target height

    // A face-right value exists only where one of its slots was filled.
    bool tieneCi() const { return hCi != 0 || vCi != 0 || dCi != 0; }
    friend bool operator==(const VisualPoligonal&, const VisualPoligonal&) = default;
};

struct EstacionPoligonal {
    TextoFijo<15> estacion;
    TextoFijo<15> estacionamiento;
    TextoFijo<15> visadoAtras;
    TextoFijo<15> visadoAdelante;
    VisualPoligonal atras;
    VisualPoligonal adelante;
    double alturaInstrumento = 0;
    DatosComplementarios datos;
    std::array<unsigned char, 100> libres{};  // carried through unchanged

    // Bytes the row had in the file it came from (none for a new row).
    std::optional<std::array<unsigned char, imagen::fila_poligonal::tamano>> imagenLeida;
};

struct ReferenciaPoligonal {
    TextoFijo<15> partida;  // "ESTACION DE PARTIDA:"
    TextoFijo<15> llegada;  // "ESTACION DE LLEGADA:"
    double x0 = 0, y0 = 0, z0 = 0;
    double x1 = 0, y1 = 0, z1 = 0;
    TextoFijo<15> referenciaPartida;  // station of the start "Con Referencia" orientation
    TextoFijo<15> referenciaLlegada;
    double acimutPartida = 0, lecturaPartida = 0;
    double desorientacionPartida = 0;  // orient_start, in the first row's angle unit
    double acimutLlegada = 0, lecturaLlegada = 0;
    double desorientacionLlegada = 0;  // orient_end, in the last row's angle unit
    std::int32_t tipo = 0;             // TipoPoligonal
    std::uint8_t besselH = 0, besselV = 0, besselD = 0;

    std::optional<std::array<unsigned char, imagen::referencia_poligonal::tamano>> imagenLeida;

    TipoPoligonal tipoPoligonal() const { return static_cast<TipoPoligonal>(tipo); }
};

using FilasPoligonal = std::vector<EstacionPoligonal>;

}  // namespace celvara
