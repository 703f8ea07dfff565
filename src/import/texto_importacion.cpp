#include "import/texto_importacion.h"

#include <limits>

namespace celvara::importacion {

namespace {
constexpr std::int64_t kMaximo = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinimo = std::numeric_limits<std::int32_t>::min();

bool esDigito(char c) { return c >= '0' && c <= '9'; }
bool esBlanco(char c) { return c == ' ' || c == '\t'; }

// Magnitude of the leading digits, stopped once it passes `tope`.
std::int64_t magnitud(std::string_view texto, std::int64_t tope) {
    std::int64_t v = 0;
    for (char c : texto) {
        if (!esDigito(c)) break;
        v = v * 10 + (c - '0');
        if (v > tope) return tope;
    }
    return v;
}
}  // namespace

std::int32_t enteroSinSigno(std::string_view texto) {
    return static_cast<std::int32_t>(magnitud(texto, kMaximo));
}

std::int32_t enteroConSigno(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && esBlanco(texto[i])) ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) {
        negativo = texto[i] == '-';
        ++i;
    }
    const std::int64_t v = magnitud(texto.substr(i), negativo ? -kMinimo : kMaximo);
    return static_cast<std::int32_t>(negativo ? -v : v);
}

bool esEntero(std::string_view texto) {
    texto = recortar(texto);
    if (texto.empty()) return false;
    for (char c : texto)
        if (!esDigito(c)) return false;
    return true;
}

std::string_view sinCerosIniciales(std::string_view texto) {
    const auto i = texto.find_first_not_of('0');
    return i == std::string_view::npos ? std::string_view() : texto.substr(i);
}

std::string_view hastaBlanco(std::string_view texto) { return texto.substr(0, texto.find(' ')); }

std::string_view recortar(std::string_view texto) {
    const auto i = texto.find_first_not_of(" \t");
    if (i == std::string_view::npos) return {};
    const auto j = texto.find_last_not_of(" \t");
    return texto.substr(i, j - i + 1);
}

std::string sinBlancos(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto)
        if (!esBlanco(c)) s.push_back(c);
    return s;
}

}  // namespace celvara::importacion
