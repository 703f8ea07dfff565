#include "fieldbook/codificacion.h"

#include <array>
#include <cstdint>

namespace celvara {
namespace {

// Code points of bytes 0x80..0x9F.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void anadirUtf8(std::string& salida, char32_t cp) {
    if (cp < 0x80) {
        salida.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        salida.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        salida.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        salida.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        salida.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        salida.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int byteCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kAltos.size(); ++i)
        if (kAltos[i] == cp) return static_cast<int>(0x80 + i);
    return '?';
}

}  // namespace

std::string cp1252AUtf8(std::string_view texto) {
    std::string salida;
    salida.reserve(texto.size() + texto.size() / 4);
    for (char c : texto) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            salida.push_back(c);
        } else if (b < 0xA0) {
            anadirUtf8(salida, kAltos[b - 0x80]);
        } else {
            anadirUtf8(salida, b);
        }
    }
    return salida;
}

std::string utf8ACp1252(std::string_view texto) {
    std::string salida;
    salida.reserve(texto.size());
    std::size_t i = 0;
    while (i < texto.size()) {
        const auto b = static_cast<unsigned char>(texto[i]);
        int largo = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            largo = 1;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            largo = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            largo = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            largo = 4;
            cp = b & 0x07;
        }
        bool valido = largo > 0 && i + largo <= texto.size();
        for (int k = 1; valido && k < largo; ++k) {
            const auto c = static_cast<unsigned char>(texto[i + k]);
            if ((c & 0xC0) != 0x80) valido = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!valido) {
            salida.push_back(texto[i]);
            ++i;
            continue;
        }
        salida.push_back(static_cast<char>(byteCp1252(cp)));
        i += largo;
    }
    return salida;
}

}  // namespace celvara
