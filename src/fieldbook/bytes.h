// Little-endian field access for the binary file images, independent of the
// host byte order, and a bounds-checked cursor over a byte range.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace celvara::bytes {

inline void escribirU32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}
inline std::uint32_t leerU32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
inline void escribirI32(unsigned char* p, std::int32_t v) { escribirU32(p, static_cast<std::uint32_t>(v)); }
inline std::int32_t leerI32(const unsigned char* p) { return static_cast<std::int32_t>(leerU32(p)); }
inline void escribirU16(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline std::uint16_t leerU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline void escribirU64(unsigned char* p, std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &v, 8);
    } else {
        for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
    }
}
inline std::uint64_t leerU64(const unsigned char* p) {
    std::uint64_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, 8);
    } else {
        for (int i = 0; i < 8; ++i) v |= std::uint64_t(p[i]) << (8 * i);
    }
    return v;
}
inline void escribirF64(unsigned char* p, double v) { escribirU64(p, std::bit_cast<std::uint64_t>(v)); }
inline double leerF64(const unsigned char* p) { return std::bit_cast<double>(leerU64(p)); }
inline void escribirF32(unsigned char* p, float v) { escribirU32(p, std::bit_cast<std::uint32_t>(v)); }
inline float leerF32(const unsigned char* p) { return std::bit_cast<float>(leerU32(p)); }

// Reads fields from a byte range; every read past the end fails instead of
// overrunning, and the cursor remembers that it failed.
class Cursor {
public:
    explicit Cursor(std::span<const unsigned char> datos) : datos_(datos) {}

    std::size_t posicion() const { return pos_; }
    std::size_t restante() const { return datos_.size() - pos_; }
    bool fallo() const { return fallo_; }
    bool fin() const { return pos_ >= datos_.size(); }

    // Returns the next n bytes, or an empty span (and fails) when fewer remain.
    std::span<const unsigned char> tomar(std::size_t n) {
        if (fallo_ || n > restante()) {
            fallo_ = true;
            return {};
        }
        auto trozo = datos_.subspan(pos_, n);
        pos_ += n;
        return trozo;
    }
    bool leerI32(std::int32_t& v) {
        auto t = tomar(4);
        if (t.empty()) return false;
        v = bytes::leerI32(t.data());
        return true;
    }
    bool leerU32(std::uint32_t& v) {
        auto t = tomar(4);
        if (t.empty()) return false;
        v = bytes::leerU32(t.data());
        return true;
    }

private:
    std::span<const unsigned char> datos_;
    std::size_t pos_ = 0;
    bool fallo_ = false;
};

}  // namespace celvara::bytes
