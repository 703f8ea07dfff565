#include "import/palabras_gsi.h"

#include <cmath>

#include "import/texto_importacion.h"

namespace celvara::gsi {

namespace {
constexpr std::size_t kPrimerBlancoGsi16 = 21;
}

std::size_t anchoDetectado(std::string_view linea) {
    const std::size_t blanco = linea.find(' ');
    const std::size_t posicion = blanco == std::string_view::npos ? linea.size() : blanco;
    return posicion > kPrimerBlancoGsi16 ? kAnchoGsi16 : kAnchoGsi8;
}

std::string_view LineaGsi::palabra(std::size_t k) const {
    if (k >= palabras()) return {};
    return linea_.substr(k * ancho_, ancho_ - 1);  // the blank may be missing
}

int LineaGsi::indice(std::size_t k) const {
    const std::string_view p = palabra(k);
    if (p.size() < 2 || p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

std::string_view LineaGsi::datos(std::size_t k) const {
    return importacion::desde(palabra(k), kPosicionDatos);
}

double LineaGsi::valor(std::size_t k) const {
    const std::string_view p = palabra(k);
    if (p.size() <= kPosicionDatos) return 0;
    // Up to 16 digits: exact in 64 bits.
    std::int64_t v = 0;
    for (char c : p.substr(kPosicionDatos)) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    const double d = static_cast<double>(v);
    return p[kPosicionSigno] == '-' ? -d : d;
}

std::int32_t LineaGsi::entero(std::size_t k) const {
    const std::string_view p = palabra(k);
    if (p.size() <= kPosicionDatos) return 0;
    const std::int32_t v = importacion::enteroSinSigno(p.substr(kPosicionDatos));
    return p[kPosicionSigno] == '-' ? -v : v;
}

std::int32_t LineaGsi::numeroPunto() const {
    return importacion::enteroSinSigno(importacion::desde(linea_, kPosicionDatos));
}

bool LineaGsi::formaValida() const {
    if (palabras() == 0 || indice(0) < 0) return false;
    const std::string_view w = palabra(0);
    if (w.size() <= kPosicionSigno || (w[kPosicionSigno] != '+' && w[kPosicionSigno] != '-')) return false;
    return linea_.size() < ancho_ || linea_[ancho_ - 1] == ' ';
}

char LineaGsi::unidad(std::size_t k) const {
    const std::string_view p = palabra(k);
    return p.size() > kPosicionUnidad ? p[kPosicionUnidad] : ' ';
}

Angulo LineaGsi::angulo(std::size_t k) const {
    const double v = valor(k);
    switch (unidad(k)) {
        case '2': return {v * kEscalaAngulo, kGon};
        case '3': return {v * kEscalaAngulo, kGrados};
        case '4': {
            // DDDMMSSs: degrees, minutes, seconds and tenths of a second.
            const double a = std::abs(v);
            const double decimas = std::fmod(a, 10.0);
            const double segundos = std::fmod(std::floor(a / 10.0), 100.0);
            const double minutos = std::fmod(std::floor(a / 1000.0), 100.0);
            const double grados = std::floor(a / 100000.0);
            const double g = grados + minutos / 60.0 + (segundos + decimas / 10.0) / 3600.0;
            return {v < 0 ? -g : g, kGrados};
        }
        case '5': return {v * 0.0001 * 400.0 / 6400.0, kGon};  // mil, 4 decimals
        default: return {v * kEscalaAngulo, 0};
    }
}

double LineaGsi::distancia(std::size_t k) const {
    const double v = valor(k);
    switch (unidad(k)) {
        case '1': return v * 0.001 * kPie;
        case '6': return v * 0.0001;
        case '7': return v * 0.0001 * kPie;
        case '8': return v * 0.00001;
        default: return v * kEscalaDistancia;
    }
}

}  // namespace celvara::gsi
