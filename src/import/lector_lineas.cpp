#include "import/lector_lineas.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "fieldbook/plataforma.h"

namespace celvara {

namespace {
constexpr std::size_t kBloque = 1 << 16;
constexpr unsigned char kRetorno = 13;
constexpr unsigned char kAvance = 10;
constexpr unsigned char kPagina = 12;
constexpr unsigned char kFinTexto = 0x1A;
constexpr unsigned char kByte255 = 255;

// Bytes that need more than being appended to the line, as a table: the
// scan for them is the reader's inner loop.
constexpr std::array<bool, 256> kEspeciales = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {kRetorno, kAvance, kPagina, kFinTexto, kByte255}) t[c] = true;
    return t;
}();
constexpr bool esEspecial(unsigned char c) { return kEspeciales[c]; }
}  // namespace

bool LectorLineas::abrir(const std::filesystem::path& ruta) {
    fichero_.reset(plataforma::abrir(ruta, "rb"));
    bufer_.assign(kBloque, 0);
    inicio_ = final_ = 0;
    fin_ = error_ = false;
    primerBloque_ = true;
    soloRetorno_ = false;
    cortadas_ = 0;
    return fichero_ != nullptr;
}

bool LectorLineas::rellenar() {
    if (!fichero_ || fin_ || error_) return false;
    const std::size_t n = std::fread(bufer_.data(), 1, bufer_.size(), fichero_.get());
    inicio_ = 0;
    final_ = n;
    if (n == 0) {
        if (std::ferror(fichero_.get()))
            error_ = true;
        else
            fin_ = true;
        return false;
    }
    if (primerBloque_) {
        primerBloque_ = false;
        const auto* p = bufer_.data();
        soloRetorno_ = std::memchr(p, kRetorno, n) != nullptr && std::memchr(p, kAvance, n) == nullptr;
    }
    return true;
}

Estado LectorLineas::leerLinea(std::string& linea) {
    linea.clear();
    if (!fichero_) {
        fin_ = true;
        return Estado::Fallo;
    }
    bool cortada = false;
    for (;;) {
        if (inicio_ == final_ && !rellenar()) break;
        // Plain bytes go in by runs, up to the buffer's limit.
        std::size_t i = inicio_;
        while (i < final_ && !esEspecial(bufer_[i])) ++i;
        if (i > inicio_) {
            const std::size_t cabe = kLongitudMaxima - linea.size();
            const std::size_t n = i - inicio_;
            if (n > cabe) cortada = true;
            linea.append(reinterpret_cast<const char*>(&bufer_[inicio_]), n < cabe ? n : cabe);
            inicio_ = i;
        }
        if (inicio_ == final_) continue;
        const unsigned char c = bufer_[inicio_++];
        if (c == kAvance || (c == kRetorno && soloRetorno_)) break;
        if (c == kFinTexto) {
            fin_ = true;
            break;
        }
        if (c == kByte255) {
            if (linea.size() < kLongitudMaxima)
                linea.push_back(static_cast<char>(c));
            else
                cortada = true;
            break;
        }
        // Carriage return and form feed are dropped.
    }
    if (cortada) ++cortadas_;
    return error_ ? Estado::Fallo : Estado::Exito;
}

}  // namespace celvara
