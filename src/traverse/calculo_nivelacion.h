// A geometric levelling line read with a level and a stadia rod, one row per
// set-up: the middle readings and stadia distances from the wires, each
// row's height difference, their running sum and the elevation of the
// forward point from the start benchmark.
//
// Every derived value is kept as its cell shows it (valorMostrado), so the
// printed columns add up whoever prints them: the levelling window and
// `celvara-cli nivelacion` both build their rows with the steps below.
//
// Misclosure w = H_arrival(known) − H_arrival(computed), m. Tolerance
// T = k·√L, k in mm, L the length of the line in km: each leg's stadia
// distances, or the length typed for a leg read on the middle wire alone.
// Without the length of every leg there is no tolerance (a line read on
// middle wires has none). The adjustment adds to each elevation the share of
// w that the length run so far bears to the whole line (equal shares per row
// when a leg has no length), so the adjusted arrival equals the known one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace celvara {

inline constexpr double kToleranciaKPorDefecto = 10.0;  // mm

// v as a cell shows it with `decimales` decimals ("%1.4lf" for readings,
// heights and their differences, "%1.2lf" for distances), read back.
double valorMostrado(double v, int decimales);

// The middle wire and the stadia distance from the upper and lower wires.
// A lower wire above the upper one gives a negative distance, not an error.
struct Mira {
    double medio = 0;
    double distancia = 0;
};
Mira miraDeHilos(double superior, double inferior);

// A row's height difference: back middle minus forward middle.
double desnivelDeMedios(double espalda, double frente);

// The readings of one row as a line file holds them: texts, empty when not
// read. `linea` is the row's line in the file (0 when not from a file).
struct LecturasNivelacion {
    std::string punto;
    std::array<std::string, 3> espalda;  // upper, lower, middle wire
    std::array<std::string, 3> frente;
    std::string distancia;  // the leg's length (m) where the stadia wires are missing
    int linea = 0;
    bool operator==(const LecturasNivelacion& o) const {
        return punto == o.punto && espalda == o.espalda && frente == o.frente && distancia == o.distancia;
    }
};

// One set-up with its wires worked out; a value not read is empty.
struct FilaNivelacion {
    std::string punto;  // UTF-8
    std::optional<double> medioEspalda, distanciaEspalda, medioFrente, distanciaFrente;
    std::optional<double> desnivel;  // a row without one counts for nothing
    std::optional<double> longitud;  // typed; counts only without both stadia distances
};

// A leg's length, m: its two stadia distances, else the typed length; none
// when neither is there.
std::optional<double> longitudTramo(const FilaNivelacion& fila);

// A row of a line file: the middles and distances from both outer wires
// where they were read (a middle read alone stays), the height difference
// where both middles exist.
FilaNivelacion filaDeLecturas(const LecturasNivelacion& lecturas);

struct EntradaNivelacion {
    std::vector<FilaNivelacion> filas;
    double cotaSalida = 0;
    double cotaLlegada = 0;
    bool llegadaConocida = false;  // only a known arrival height gives a misclosure
    bool ajustar = false;
    double kMm = kToleranciaKPorDefecto;
};

// A row with a height difference and its running columns.
struct TramoNivelacion {
    std::size_t fila = 0;  // in the input
    std::string punto;
    double medioEspalda = 0, distanciaEspalda = 0, medioFrente = 0, distanciaFrente = 0;
    double desnivel = 0, suma = 0, cota = 0;
    std::optional<double> cotaAjustada;
};

struct ResultadoNivelacion {
    std::vector<TramoNivelacion> tramos;
    double cotaSalida = 0, cotaLlegada = 0;
    std::optional<double> cotaCalculada;  // of the last row, none without rows
    std::optional<double> errorCierre;    // with a known arrival height
    double longitudKm = 0;           // of the legs with a length
    std::size_t tramosSinLongitud = 0;
    double kMm = kToleranciaKPorDefecto;
    std::optional<double> tolerancia;  // m; none without the length of every leg
    bool ajustada = false;  // asked for, and a misclosure to spread
};

ResultadoNivelacion calcularNivelacion(const EntradaNivelacion& entrada);

// One line per row, "punto med_e dist_e med_f dist_f dh suma cota" (a blank
// point as "-"), the adjusted elevation last when adjusted.
std::vector<std::string> lineasListadoNivelacion(const ResultadoNivelacion& res);
// The report, Windows-1252 bytes; the station names in Windows-1252.
std::string informeNivelacion(const ResultadoNivelacion& res, std::string_view salida, std::string_view llegada);
// "Cálculo de Tolerancias": length, tolerance and, with a known arrival,
// the misclosure against it (UTF-8).
std::string textoToleranciasNivelacion(const ResultadoNivelacion& res);
// "Tolerancia = %1.4lf", or why there is none: "Tolerancia = no calculable
// (sin distancias)" when no leg has a length.
std::string lineaToleranciaNivelacion(const ResultadoNivelacion& res);

}  // namespace celvara
