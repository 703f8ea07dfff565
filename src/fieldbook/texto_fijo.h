// Fixed-size text fields of the file records: a NUL-terminated Windows-1252
// string of at most N-1 bytes, every byte after the terminator kept at zero
// so that a record image is always written with a clean tail.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace celvara {

template <std::size_t N>
class TextoFijo {
    static_assert(N >= 1);

public:
    static constexpr std::size_t tamano = N;
    static constexpr std::size_t capacidad = N - 1;

    constexpr TextoFijo() = default;
    TextoFijo(std::string_view texto) { asignar(texto); }  // NOLINT: implicit on purpose
    TextoFijo(const char* texto) { asignar(texto ? std::string_view(texto) : std::string_view()); }

    // Cuts at an embedded NUL and at the capacity of the field.
    void asignar(std::string_view texto) {
        bytes_.fill(0);
        const auto fin = texto.find('\0');
        if (fin != std::string_view::npos) texto = texto.substr(0, fin);
        const std::size_t n = std::min(texto.size(), capacidad);
        if (n > 0) std::memcpy(bytes_.data(), texto.data(), n);
    }
    TextoFijo& operator=(std::string_view texto) {
        asignar(texto);
        return *this;
    }
    TextoFijo& operator=(const char* texto) {
        asignar(texto ? std::string_view(texto) : std::string_view());
        return *this;
    }

    // From a file image: the text ends at the last byte at the latest.
    void desdeBytes(const unsigned char* origen) {
        std::size_t n = 0;
        while (n < capacidad && origen[n] != 0) ++n;
        bytes_.fill(0);
        if (n > 0) std::memcpy(bytes_.data(), origen, n);
    }
    void aBytes(unsigned char* destino) const { std::memcpy(destino, bytes_.data(), N); }

    std::string_view vista() const { return {bytes_.data(), longitud()}; }
    std::string str() const { return std::string(vista()); }
    const char* c_str() const { return bytes_.data(); }
    std::size_t longitud() const {
        const void* cero = std::memchr(bytes_.data(), 0, N);
        return static_cast<const char*>(cero) - bytes_.data();
    }
    bool vacio() const { return bytes_[0] == 0; }

    friend bool operator==(const TextoFijo& a, const TextoFijo& b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const TextoFijo& a, std::string_view b) { return a.vista() == b; }
    friend bool operator==(const TextoFijo& a, const char* b) { return a.vista() == std::string_view(b); }
    friend bool operator==(const TextoFijo& a, const std::string& b) { return a.vista() == b; }

private:
    std::array<char, N> bytes_{};
};

}  // namespace celvara
