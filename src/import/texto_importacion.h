// Small text helpers of the format readers, over views of a line: no copy,
// no index arithmetic outside these functions, numbers that never overflow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace celvara::importacion {

// Digits from the start of the text up to the first non-digit, as an
// integer; saturates at the int32 limit instead of overflowing. No digit: 0.
std::int32_t enteroSinSigno(std::string_view texto);
// Blanks skipped, an optional sign, then as enteroSinSigno (saturating at
// both ends).
std::int32_t enteroConSigno(std::string_view texto);
// Whether the text (blanks trimmed) is an integer made of digits only.
bool esEntero(std::string_view texto);

std::string_view sinCerosIniciales(std::string_view texto);
// Up to the first blank (the whole text when there is none).
std::string_view hastaBlanco(std::string_view texto);
// Without leading and trailing blanks and tabs.
std::string_view recortar(std::string_view texto);
// Every blank and tab removed.
std::string sinBlancos(std::string_view texto);
// The part from `posicion` on; empty when the text is shorter.
inline std::string_view desde(std::string_view texto, std::size_t posicion) {
    return posicion < texto.size() ? texto.substr(posicion) : std::string_view();
}
// At most n characters.
inline std::string_view cortar(std::string_view texto, std::size_t n) {
    return texto.size() > n ? texto.substr(0, n) : texto;
}
inline bool contiene(std::string_view linea, std::string_view etiqueta) {
    return linea.find(etiqueta) != std::string_view::npos;
}

}  // namespace celvara::importacion
