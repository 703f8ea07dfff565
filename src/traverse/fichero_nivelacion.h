// Levelling line files: CSV, UTF-8, one row per set-up under the header
// "punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med" (back rod, then
// forward rod: upper, lower and middle wire), and an optional last column
// "distancia", the leg's length in metres where the stadia wires are
// missing. Empty cells are readings not taken; numbers use a decimal point
// (a comma inside a quoted cell is read as one). A point name holding a
// comma or a quote is written in quotes. The line's start and arrival
// stations live beside it in LINEA.csv.ini.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "traverse/calculo_nivelacion.h"

namespace celvara {

inline constexpr const char* kCabeceraNivelacion = "punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med";
inline constexpr const char* kColumnaDistancia = "distancia";

// The header is optional on reading; blank lines are skipped. A line with
// more than eight cells, a cell that is not a number (or is not finite, or
// beyond ±1e9) or an unclosed quote fails with the line's number in
// `mensaje`. Text that is not UTF-8 is taken as Windows-1252.
bool leerTextoNivelacion(std::string_view contenido, std::vector<LecturasNivelacion>& filas, std::string& mensaje);
bool leerFicheroNivelacion(const std::filesystem::path& ruta, std::vector<LecturasNivelacion>& filas,
                           std::string& mensaje);

// The eighth column only when some row has a length: a line read with
// stadia wires stays readable by the older seven-column readers.
std::string textoNivelacion(const std::vector<LecturasNivelacion>& filas);
// Atomic.
bool escribirFicheroNivelacion(const std::filesystem::path& ruta, const std::vector<LecturasNivelacion>& filas);

// The start and arrival stations of a line (UTF-8 names) in the INI beside
// its file, "[Nivelacion]" with "salida=" and "llegada=". Reading a missing
// file gives empty names and true; saving keeps other keys of the file.
struct EstacionesLinea {
    std::string salida, llegada;
};
std::filesystem::path rutaEstacionesLinea(const std::filesystem::path& linea);
bool leerEstacionesLinea(const std::filesystem::path& linea, EstacionesLinea& estaciones);
bool escribirEstacionesLinea(const std::filesystem::path& linea, const EstacionesLinea& estaciones);

// A row with neither the middle nor both outer wires of a rod cannot give a
// height difference; the message names its line.
std::optional<std::string> filaIncompleta(const std::vector<LecturasNivelacion>& filas);

}  // namespace celvara
