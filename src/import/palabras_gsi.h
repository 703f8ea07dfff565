// GSI blocks: a line is a run of words of one width W (16 for 8 data digits,
// 24 for 16). Word k covers characters k*W .. k*W+W-1: two index digits,
// four information digits (not read), the sign at 6, data from 7 to W-2,
// and a separating blank at W-1 that the last word of a line may lack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace celvara::gsi {

inline constexpr std::size_t kAnchoGsi8 = 16;
inline constexpr std::size_t kAnchoGsi16 = 24;
inline constexpr std::size_t kPosicionSigno = 6;
inline constexpr std::size_t kPosicionDatos = 7;
inline constexpr double kEscalaAngulo = 0.00001;    // hundred-thousandths of the angle unit
inline constexpr double kEscalaDistancia = 0.001;   // millimetres to metres
inline constexpr std::size_t kPosicionUnidad = 5;   // last information digit
inline constexpr double kPie = 0.3048;
inline constexpr int kGon = 400;
inline constexpr int kGrados = 360;

// An angle word in its own unit: gon (units 2 and 5, mil turned into gon) or
// decimal degrees (3, and 4 written DDD.MMSSs); `circulo` 0 when the word
// does not say.
struct Angulo {
    double valor;
    int circulo;
};

// W from the position of the first blank (or the length without one).
std::size_t anchoDetectado(std::string_view linea);

class LineaGsi {
public:
    LineaGsi(std::string_view linea, std::size_t ancho) : linea_(linea), ancho_(ancho) {}

    std::size_t ancho() const { return ancho_; }
    // Words that fit: k counts while k*W + W - 1 <= length.
    std::size_t palabras() const { return (linea_.size() + 1) / ancho_; }
    std::string_view palabra(std::size_t k) const;
    // The two index digits as a number, -1 when they are not two digits.
    int indice(std::size_t k) const;
    // Data characters 7 .. W-2.
    std::string_view datos(std::size_t k) const;
    // Sign and digits of the data as a number (a word that is no number: 0),
    // unscaled.
    double valor(std::size_t k) const;
    // Sign and digits of the data as an integer, saturated.
    std::int32_t entero(std::size_t k) const;

    // The unit digit of word k (a blank when the word is too short).
    char unidad(std::size_t k) const;
    // An angle word read by its unit digit.
    Angulo angulo(std::size_t k) const;
    // A distance or height word in metres by its unit digit: 0 mm, 1
    // thousandths of a foot, 6 tenths of a mm, 7 ten-thousandths of a foot,
    // 8 hundredths of a mm.
    double distancia(std::size_t k) const;

    // Whether the first word has the GSI shape: two index digits, the sign
    // at 6 and, when the line goes on, the separating blank.
    bool formaValida() const;

    // Point number of a measurement line: digits from character 7 of the line.
    std::int32_t numeroPunto() const;

private:
    std::string_view linea_;
    std::size_t ancho_;
};

}  // namespace celvara::gsi
