#include "fieldbook/numeros.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace celvara {

namespace {
std::string_view sinBlancosIniciales(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && (texto[i] == ' ' || (texto[i] >= '\t' && texto[i] <= '\r'))) ++i;
    texto.remove_prefix(i);
    if (!texto.empty() && texto[0] == '+') texto.remove_prefix(1);
    return texto;
}
}  // namespace

// from_chars rather than strtod: independent of the process locale, which a
// GUI toolkit may set to one with decimal commas.
double textoANumero(std::string_view texto) {
    std::string copia(sinBlancosIniciales(texto));
    for (char& c : copia)
        if (c == ',') c = '.';
    double valor = 0;
    const auto r = std::from_chars(copia.data(), copia.data() + copia.size(), valor);
    return r.ec == std::errc() ? valor : 0.0;
}

int textoAEntero(std::string_view texto) {
    texto = sinBlancosIniciales(texto);
    long long valor = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (r.ec != std::errc()) return 0;
    return static_cast<int>(valor);
}

std::string formatear(const char* formato, ...) {
    char pila[256];
    va_list args;
    va_start(args, formato);
    va_list copia;
    va_copy(copia, args);
    const int n = std::vsnprintf(pila, sizeof pila, formato, args);
    va_end(args);
    std::string salida;
    if (n < 0) {
        va_end(copia);
        return salida;
    }
    if (static_cast<std::size_t>(n) < sizeof pila) {
        salida.assign(pila, static_cast<std::size_t>(n));
    } else {
        salida.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(salida.data(), salida.size(), formato, copia);
        salida.resize(static_cast<std::size_t>(n));
    }
    va_end(copia);
    return salida;
}

}  // namespace celvara
