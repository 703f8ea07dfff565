#include "fieldbook/numeros.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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
    texto = sinBlancosIniciales(texto);
    std::string copia;  // only for a decimal comma
    if (texto.find(',') != std::string_view::npos) {
        copia.assign(texto);
        for (char& c : copia)
            if (c == ',') c = '.';
        texto = copia;
    }
    double valor = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return r.ec == std::errc() ? valor : 0.0;
}

// v = m 2^e exactly, so v 10^d = m 10^d 2^e: a 128-bit product shifted right
// with round half to even on the bits shifted out, as printf rounds.
char* escribirFijo(char* p, char* fin, double v, int decimales) {
    static constexpr std::uint64_t kPotencias[] = {1,
                                                   10,
                                                   100,
                                                   1000,
                                                   10000,
                                                   100000,
                                                   1000000,
                                                   10000000,
                                                   100000000,
                                                   1000000000,
                                                   10000000000,
                                                   100000000000,
                                                   1000000000000,
                                                   10000000000000,
                                                   100000000000000,
                                                   1000000000000000,
                                                   10000000000000000,
                                                   100000000000000000,
                                                   1000000000000000000};
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const int exponente = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraccion = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = exponente ? fraccion | (std::uint64_t{1} << 52) : fraccion;
    const int corrimiento = (exponente ? exponente : 1) - 1075;  // v = m 2^corrimiento
    using U128 = unsigned __int128;
    U128 q = 0;
    bool exacto = decimales >= 0 && decimales <= 18 && exponente != 0x7ff && corrimiento <= 0;
    if (exacto) {
        const U128 producto = static_cast<U128>(m) * kPotencias[decimales];  // < 2^113
        const int s = -corrimiento;
        if (s == 0) {
            q = producto;
        } else if (s < 128) {
            q = producto >> s;
            const U128 resto = producto - (q << s);
            const U128 mitad = U128{1} << (s - 1);
            if (resto > mitad || (resto == mitad && (q & 1))) ++q;
        }
        exacto = (q >> 64) == 0;
    }
    if (!exacto) {
        const auto r = std::to_chars(p, fin, v, std::chars_format::fixed, decimales);
        return r.ec == std::errc() ? r.ptr : nullptr;
    }
    // The digits of q, zero-padded on the left to enteras + decimales.
    char cifras[40];
    char* const finCifras = cifras + sizeof cifras;
    char* inicio = finCifras;
    for (auto r = static_cast<std::uint64_t>(q); inicio == finCifras || r; r /= 10) *--inicio = char('0' + r % 10);
    const auto n = static_cast<int>(finCifras - inicio);
    const int enteras = n > decimales ? n - decimales : 1;
    while (finCifras - inicio < enteras + decimales) *--inicio = '0';
    const std::ptrdiff_t largo = static_cast<std::ptrdiff_t>(bits >> 63) + enteras + (decimales ? 1 + decimales : 0);
    if (fin - p < largo) return nullptr;
    if (bits >> 63) *p++ = '-';
    p = std::copy(inicio, inicio + enteras, p);
    if (decimales) {
        *p++ = '.';
        p = std::copy(inicio + enteras, finCifras, p);
    }
    return p;
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

std::string sinMenosCero(std::string s) {
    const auto digito = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '-' || s[i + 1] != '0') continue;
        const char antes = i > 0 ? s[i - 1] : ' ';
        if (digito(antes) || ((antes | 0x20) >= 'a' && (antes | 0x20) <= 'z') || antes == '.') continue;
        std::size_t j = i + 2;
        if (j < s.size() && s[j] == '.')
            for (++j; j < s.size() && s[j] == '0'; ++j) {
            }
        if (j < s.size() && digito(s[j])) continue;
        const bool columna = i > 0 && antes == ' ' && !(i > 1 && s[i - 2] == '=');
        if (columna) s[i] = ' ';
        else s.erase(i, 1);
    }
    return s;
}

}  // namespace celvara
