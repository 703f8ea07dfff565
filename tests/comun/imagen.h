// Builds file images byte by byte from the published layouts, independently of
// the writers under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace celvara::prueba {

class Imagen {
public:
    explicit Imagen(std::size_t tamano = 0) : bytes_(tamano, '\0') {}

    Imagen& texto(std::size_t pos, std::string_view t) {
        crecer(pos + t.size());
        std::memcpy(&bytes_[pos], t.data(), t.size());
        return *this;
    }
    Imagen& i32(std::size_t pos, std::int32_t v) { return u32(pos, static_cast<std::uint32_t>(v)); }
    Imagen& u32(std::size_t pos, std::uint32_t v) {
        crecer(pos + 4);
        for (int i = 0; i < 4; ++i) bytes_[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    Imagen& f64(std::size_t pos, double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        crecer(pos + 8);
        for (int i = 0; i < 8; ++i) bytes_[pos + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
        return *this;
    }
    Imagen& f32(std::size_t pos, float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return u32(pos, u);
    }
    Imagen& u8(std::size_t pos, std::uint8_t v) {
        crecer(pos + 1);
        bytes_[pos] = static_cast<char>(v);
        return *this;
    }
    Imagen& anadir(const Imagen& otra) {
        bytes_ += otra.bytes_;
        return *this;
    }
    Imagen& anadirI32(std::int32_t v) { return i32(bytes_.size(), v); }

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    void crecer(std::size_t n) {
        if (bytes_.size() < n) bytes_.resize(n, '\0');
    }
    std::string bytes_;
};

inline void escribirFichero(const std::filesystem::path& ruta, std::string_view bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string leerFichero(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A fresh folder under the system temp folder, removed at the end of a test.
class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::filesystem::path& ruta() const { return ruta_; }
    std::filesystem::path operator/(std::string_view nombre) const { return ruta_ / std::string(nombre); }

private:
    std::filesystem::path ruta_;
};

}  // namespace celvara::prueba
