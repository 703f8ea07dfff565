#include "fieldbook/fichero_binario.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "fieldbook/plataforma.h"

namespace celvara {

namespace {
constexpr std::size_t kTamanoBufer = 1 << 20;
// A big save sends its data towards the disk every so many bytes, so the
// disk works while the rest is computed and the closing sync is short.
constexpr std::uint64_t kTramoAdelanto = std::uint64_t{8} << 20;
}

LectorFichero::LectorFichero(const std::filesystem::path& ruta, bool lecturaEscritura)
    : fichero_(plataforma::abrir(ruta, lecturaEscritura ? "r+b" : "rb")) {
    if (fichero_ && std::filesystem::is_directory(ruta)) fichero_.reset();
    if (!fichero_) return;
    // A small file gets a buffer its size: fresh pages cost more than the read.
    std::error_code ec;
    const auto tamano = std::filesystem::file_size(ruta, ec);
    bufer_.resize(ec ? kTamanoBufer : static_cast<std::size_t>(std::clamp<std::uintmax_t>(tamano + 1, 4096, kTamanoBufer)));
}

std::size_t LectorFichero::leer(void* destino, std::size_t n) {
    auto* salida = static_cast<unsigned char*>(destino);
    std::size_t copiados = 0;
    while (copiados < n && fichero_) {
        if (inicio_ == final_) {
            if (fin_ || error_) break;
            const std::size_t falta = n - copiados;
            if (falta >= bufer_.size()) {
                // Large reads go straight to the destination.
                const std::size_t r = std::fread(salida + copiados, 1, falta, fichero_.get());
                copiados += r;
                if (r < falta) {
                    error_ = std::ferror(fichero_.get()) != 0;
                    fin_ = true;
                }
                break;
            }
            final_ = std::fread(bufer_.data(), 1, bufer_.size(), fichero_.get());
            inicio_ = 0;
            if (final_ < bufer_.size()) {
                error_ = std::ferror(fichero_.get()) != 0;
                fin_ = true;
            }
            if (final_ == 0) break;
        }
        const std::size_t trozo = std::min(n - copiados, final_ - inicio_);
        std::memcpy(salida + copiados, bufer_.data() + inicio_, trozo);
        inicio_ += trozo;
        copiados += trozo;
    }
    return copiados;
}

namespace {

// An existing target must itself be writable: the rename would otherwise
// replace a file the user protected, which a plain write could not touch.
bool destinoEscribible(const std::filesystem::path& ruta) {
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec)) return !ec;
    if (std::filesystem::is_directory(ruta, ec)) return false;
    FicheroC f(plataforma::abrir(ruta, "r+b"));
    return f != nullptr;
}

}  // namespace

EscritorAtomico::EscritorAtomico(std::filesystem::path destino) : destino_(std::move(destino)) {
    if (!destinoEscribible(destino_)) return;
    temporal_ = destino_;
    temporal_ += ".celvara-tmp";
    fichero_.reset(plataforma::abrir(temporal_, "wb"));
    if (fichero_) bufer_.resize(kTamanoBufer);
}

EscritorAtomico::~EscritorAtomico() {
    if (fichero_) {
        fichero_.reset();
        std::error_code ec;
        std::filesystem::remove(temporal_, ec);
    }
}

void EscritorAtomico::contarEscritos(std::size_t n) {
    escritos_ += n;
    if (fallo_ || escritos_ - adelantados_ < kTramoAdelanto) return;
    if (std::fflush(fichero_.get()) != 0) {
        fallo_ = true;
        return;
    }
    plataforma::adelantarVolcado(fichero_.get(), adelantados_, escritos_ - adelantados_);
    adelantados_ = escritos_;
}

bool EscritorAtomico::volcarBufer() {
    if (usado_ == 0) return true;
    if (std::fwrite(bufer_.data(), 1, usado_, fichero_.get()) != usado_) fallo_ = true;
    contarEscritos(usado_);
    usado_ = 0;
    return !fallo_;
}

bool EscritorAtomico::escribir(const void* datos, std::size_t n) {
    if (!fichero_ || fallo_) return false;
    const auto* p = static_cast<const unsigned char*>(datos);
    if (usado_ + n > bufer_.size()) {
        if (!volcarBufer()) return false;
        if (n > bufer_.size()) {
            if (std::fwrite(p, 1, n, fichero_.get()) != n) fallo_ = true;
            contarEscritos(n);
            return !fallo_;
        }
    }
    std::memcpy(bufer_.data() + usado_, p, n);
    usado_ += n;
    return true;
}

bool EscritorAtomico::confirmar() {
    if (!fichero_) return false;
    bool ok = volcarBufer() && !fallo_;
    ok = (std::fflush(fichero_.get()) == 0) && ok;
    // The data must be on disk before the rename, or a power cut could leave
    // the new name pointing at an empty file.
    ok = ok && plataforma::volcarADisco(fichero_.get());
    std::FILE* f = fichero_.release();
    ok = (std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (ok) {
#ifdef _WIN32
        // std::filesystem::rename does not promise to replace on Windows.
        ok = plataforma::reemplazar(temporal_, destino_);
#else
        std::filesystem::rename(temporal_, destino_, ec);
        ok = !ec;
#endif
        // The new file is in place; a folder that cannot be synced (some
        // network mounts) does not make the save a failure.
        if (ok) plataforma::sincronizarCarpeta(destino_.parent_path());
    }
    if (!ok) std::filesystem::remove(temporal_, ec);
    return ok;
}

bool anadirAFichero(const std::filesystem::path& ruta, std::string_view texto) {
    FicheroC f(plataforma::abrir(ruta, "a+"));
    if (!f) return false;
    const bool ok = std::fwrite(texto.data(), 1, texto.size(), f.get()) == texto.size();
    return std::fclose(f.release()) == 0 && ok;
}

bool leerFicheroCompleto(const std::filesystem::path& ruta, std::vector<unsigned char>& datos) {
    datos.clear();
    LectorFichero lector(ruta);
    if (!lector.abierto()) return false;
    unsigned char trozo[65536];
    for (;;) {
        const std::size_t n = lector.leer(trozo, sizeof trozo);
        datos.insert(datos.end(), trozo, trozo + n);
        if (n < sizeof trozo) break;
    }
    return !lector.error();
}

}  // namespace celvara
