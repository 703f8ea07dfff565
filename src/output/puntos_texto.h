// Points as delimited text (CSV/TXT): one point per line, the columns the
// user chose in the order chosen. Names and codes travel as UTF-8; numbers
// always carry a decimal point, whatever the locale.
//
// Cells holding the separator, a quote, a line break or (with a space
// separator) blanks at either end or nothing at all are quoted, with inner
// quotes doubled.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datos/fichero_crd.h"

namespace celvara {

// "e" and "n" are X and Y under the names of the N E Z order.
enum class CampoPunto { Nombre, X, Y, Z, Codigo, E, N };

struct OpcionesTexto {
    std::vector<CampoPunto> columnas{CampoPunto::Nombre, CampoPunto::X, CampoPunto::Y, CampoPunto::Z,
                                     CampoPunto::Codigo};
    char separador = ',';
    int decimales = 3;
    bool cabecera = false;  // writing: a header row first; reading: the first row is a header
};

inline constexpr int kMaxDecimales = 9;

// "nombre,x,y,z,codigo" (also "n", "e"; ignoring case, "código" allowed).
// Each column at most once, and never X with E nor Y with N. nullopt with a
// message when the list is wrong.
std::optional<std::vector<CampoPunto>> leerColumnas(std::string_view texto, std::string& error);
// "," ";" "tab" / "\t" "espacio" / " " "|" and any other single character
// that is not a digit, a point, a sign or a quote.
std::optional<char> leerSeparador(std::string_view texto, std::string& error);
const char* tituloCampo(CampoPunto campo);

// The whole text, "\r\n" after every line (the header row too).
std::string escribirPuntosTexto(const ListaPuntos& puntos, const OpcionesTexto& opciones);

struct LineaErronea {
    std::size_t numero = 0;  // 1-based line of the file
    std::string motivo;      // UTF-8
};

struct LecturaPuntosTexto {
    ListaPuntos puntos;  // texts in Windows-1252, base flag 0
    std::vector<LineaErronea> erroneas;
};

// Blank lines are skipped silently; a line is bad when a chosen cell is
// missing, a coordinate is not a number, or the name is empty or longer
// than the coordinate file keeps (14 bytes) or the code longer (49). With a
// separator other than the comma a decimal comma is read as a point; with
// a space separator runs of blanks (spaces and tabs) count as one. A UTF-8
// byte-order mark is skipped; bytes that are not UTF-8 are Windows-1252.
LecturaPuntosTexto leerPuntosTexto(std::string_view texto, const OpcionesTexto& opciones);

}  // namespace celvara
