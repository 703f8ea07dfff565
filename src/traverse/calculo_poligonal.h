// Traverse computation and compensation: legs from the traverse rows, the
// azimuth carried from station to station, reduced distances and height
// differences, partial coordinates, the angular, planimetric and altimetric
// misclosures, their distribution (proportional to the partial distances,
// to the partial coordinates, or by Sanguet's rotation and scale), the
// accumulated coordinates and each station's orientation from them.
//
// Units: every angle inside the computation is centesimal (gon, 400 a turn)
// whatever the station's unit; readings are brought in as value * 400 / C,
// C being the station's circle (400 or 360). Distances, coordinates and
// heights in metres. E values are corrections (known minus computed).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/modelo_errores.h"
#include "fieldbook/proyeccion_trabajo.h"
#include "traverse/poligonal.h"

namespace celvara {

enum class MetodoCompensacion : std::uint32_t { DistanciasParciales = 0, CoordenadasParciales = 1, Sanguet = 2 };

struct ConfiguracionPoligonal {
    std::uint32_t metodo = 0;      // MetodoCompensacion
    int decimales = 4;             // of the angular compensation, 0-4
    std::uint32_t proyeccion = 0;  // 0 plane, 1 UTM ED-50, 2 UTM WGS-84
    double escala = 1.0;           // "Escala Adicional al Cálculo"
    ProyeccionTrabajo trabajo{};   // the job's zone and datum (GRS80 or WGS-84 for 2)
};

// One leg per traverse row, in row order: from the row's station towards its
// forward target.
struct TramoPoligonal {
    std::string nombre;       // "station - forward target", Windows-1252, at most 19 bytes
    std::string nombreAtras;  // "station - back target"
    double hAtras = 0, hAdelante = 0;  // reduced horizontal readings, gon
    double angulo = 0;
    double desorientacion = 0;  // orientation carried along the traverse, gon
    double cAng = 0;            // cumulative angular correction, units of 10^-decimals
    double alturaInstrumento = 0;
    double azimut = 0, azimutC = 0;  // before and after the angular compensation, gon
    double d1 = 0, d2 = 0;           // reduced distance forwards / backwards from the next station
    double dm = 0, distK = 0, km = 1.0;
    double dDifer = 0, dTol = 0;
    double ix = 0, iy = 0, iz = 0;
    double cx = 0, cy = 0, cz = 0;
    double ixc = 0, iyc = 0, izc = 0;
    double z1 = 0, z2 = 0, zDifer = 0, zTol = 0;
    double x = 0, y = 0, z = 0;       // end point
    double desorientacionFinal = 0;   // station orientation from final coordinates, station unit
    double factorFinal = 1.0;         // UTM point scale factor at the end point (1 for plane)
    TextoFijo<15> visado, estacion, estacionamiento;
    DatosComplementarios datos;
};

struct ValoresCierre {
    double ang = 0, x = 0, y = 0, z = 0, dist = 0;
};

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

struct ResultadoPoligonal {
    TipoPoligonal tipo = TipoPoligonal::Encuadrada;
    ConfiguracionPoligonal configuracion;
    std::vector<TramoPoligonal> tramos;
    ValoresCierre E;  // misclosures (corrections)
    ValoresCierre T;  // tolerances
    double giro = 0, coeficiente = 0;  // Sanguet
    double factorPartida = 1.0, factorLlegada = 1.0;  // point scale factor at the reference points
    std::vector<EstacionGeneral> estaciones;
};

inline constexpr const char* kSinDatosPoligonal = "No existen Datos de la Poligonal.\n    NO existe CALCULO";
inline constexpr const char* kErrorProcesoPoligonal = "Se ha producido un error al procesar los Datos de la Poligonal";
inline constexpr const char* kSinVisualesCierre = "La Poligonal Cerrada no tiene visuales de cierre";
// Sanguet turns and scales the traverse between its two ends: one that comes
// back to its start has no length to turn or scale.
inline constexpr const char* kSanguetSinLongitud =
    "Se ha producido un error al procesar los Datos de la Poligonal\n"
    "El método Sanguet no compensa una poligonal que vuelve a su punto de partida: elija otro método";

// A closed traverse, or a fitted one that ends on its start station.
bool vuelveAlPuntoDePartida(const ReferenciaPoligonal& ref);

// The checks of "CALCULAR" that hold on the rows and the reference, in
// order, with the closing sightings of a closed traverse, then every value
// of the rows and the reference finite and within ±1e9; the first failing
// one's message, or nothing.
std::optional<std::string> comprobarPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref);

// Evaluates the sighting of a row's station data with the error model:
// distance D (m), zenith angle V (gon), target height m; nothing when no
// instrument is known.
using EvaluadorErrores =
    std::function<std::optional<ErroresVisual>(const DatosComplementarios& datos, double D, double V, double m)>;

// What "CALCULAR" gives: the result, or the message that says why there is none.
struct CalculoPoligonal {
    std::optional<ResultadoPoligonal> resultado;
    const char* error = nullptr;  // one of the messages above when there is no result
    explicit operator bool() const { return resultado.has_value(); }
    const ResultadoPoligonal& operator*() const { return *resultado; }
    const ResultadoPoligonal* operator->() const { return &*resultado; }
};

// The computation, from the rows, the reference and the options: legs,
// misclosures, compensations, tolerances (0 without an evaluator) and the
// stations.
CalculoPoligonal calcularPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref,
                                   const ConfiguracionPoligonal& config, const EvaluadorErrores& evaluar = {});

// Zenith angle in gon of a row's forward face-left sighting, as the error
// model takes it.
double cenitalErrores(const EstacionPoligonal& fila);

// Accumulates the tolerances over the legs (all but the last) of a fitted or
// closed traverse: T.Ang, T.X, T.Y, T.Dist, T.Z and each leg's distance and
// height tolerance. Legs the evaluator cannot evaluate count as 0.
void aplicarTolerancias(ResultadoPoligonal& resultado, const FilasPoligonal& filas, const EvaluadorErrores& evaluar);

// Azimuth in radians of the line from (x1, y1) to (x2, y2), in [0, 2 pi).
double azimutPoligonal(double x1, double y1, double x2, double y2);

}  // namespace celvara
