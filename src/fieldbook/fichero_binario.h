// Buffered whole-file reading and atomic whole-file writing. A save writes a
// temporary file beside the target and renames it over the target only when
// every write and the close succeeded, so a failed save never damages the
// previous file. An existing target that cannot itself be opened for writing
// (a file the user protected, a folder) is refused and left alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace celvara {

struct CerrarFichero {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FicheroC = std::unique_ptr<std::FILE, CerrarFichero>;

class LectorFichero {
public:
    // `lecturaEscritura`: open as the old program did, so that a read-only
    // file is refused like a missing one.
    explicit LectorFichero(const std::filesystem::path& ruta, bool lecturaEscritura = false);

    bool abierto() const { return fichero_ != nullptr; }
    // Reads up to n bytes; fewer only at the end of the file or on an error.
    std::size_t leer(void* destino, std::size_t n);
    bool leerExacto(void* destino, std::size_t n) { return leer(destino, n) == n; }
    bool error() const { return error_; }
    bool fin() const { return fin_; }

private:
    FicheroC fichero_;
    std::vector<unsigned char> bufer_;
    std::size_t inicio_ = 0;
    std::size_t final_ = 0;
    bool error_ = false;
    bool fin_ = false;
};

class EscritorAtomico {
public:
    explicit EscritorAtomico(std::filesystem::path destino);
    EscritorAtomico(const EscritorAtomico&) = delete;
    EscritorAtomico& operator=(const EscritorAtomico&) = delete;
    ~EscritorAtomico();

    bool abierto() const { return fichero_ != nullptr; }
    bool escribir(const void* datos, std::size_t n);
    // Flushes, closes and renames over the target. False on any failure, in
    // which case the target is untouched and the temporary file removed.
    bool confirmar();

private:
    bool volcarBufer();
    void contarEscritos(std::size_t n);

    std::filesystem::path destino_;
    std::filesystem::path temporal_;
    FicheroC fichero_;
    std::vector<unsigned char> bufer_;
    std::size_t usado_ = 0;
    std::uint64_t escritos_ = 0;    // bytes handed to the stream
    std::uint64_t adelantados_ = 0; // of those, the ones already sent towards the disk
    bool fallo_ = false;
};

// Appends a text at the end of a file, creating it when missing (the way
// every report is written). False when it cannot be opened or written.
bool anadirAFichero(const std::filesystem::path& ruta, std::string_view texto);

// Reads a whole file into memory; nullopt-like empty + false on failure.
bool leerFicheroCompleto(const std::filesystem::path& ruta, std::vector<unsigned char>& datos);

}  // namespace celvara
