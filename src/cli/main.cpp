// celvara-cli: the batch front end over the core, for scripts and CI. It reads
// and writes only the files named on its command line.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#if defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/plataforma.h"

namespace celvara::cli {

std::vector<Comando>& comandos() {
    static std::vector<Comando> lista;
    return lista;
}

std::vector<FormatoVolcado>& formatosVolcado() {
    static std::vector<FormatoVolcado> lista;
    return lista;
}

int fallo(const std::string& mensaje) {
    std::cerr << mensaje << '\n';
    return kFalloFichero;
}

std::string utf8(std::string_view cp1252) { return cp1252AUtf8(cp1252); }

std::filesystem::path unidadC() {
#ifdef _WIN32
    return "C:\\";
#else
    if (const char* v = std::getenv("CELVARA_UNIDAD_C"); v && *v) return v;
    const char* casa = std::getenv("HOME");
    return std::filesystem::path(casa ? casa : ".") / ".celvara" / "c";
#endif
}

namespace {

// The largest file named among the arguments, in bytes.
[[maybe_unused]] std::uintmax_t mayorFicheroNombrado(int argc, char** argv) {
    std::uintmax_t mayor = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const auto tamano = std::filesystem::file_size(argv[i], ec);
        if (!ec) mayor = std::max(mayor, tamano);
    }
    return mayor;
}

#if defined(__linux__)
// A million-reading book touches hundreds of megabytes of fresh memory, and
// faulting it in 4 KB page by 4 KB page cost more than the work itself. The
// heap is grown once, up front, by a few times the file (address space only:
// nothing is touched), kept from shrinking back, and marked for the kernel's
// huge pages, so what the run then allocates is faulted in 2 MB at a time.
// A small job keeps the ordinary heap.
void montonEnPaginasGrandes(std::uintmax_t tamanoFichero) {
    constexpr std::uintmax_t kGrande = std::uintmax_t{16} << 20, kReservaMaxima = std::uintmax_t{1} << 30;
    constexpr std::uintptr_t kPagina = std::uintptr_t{2} << 20;
    if (tamanoFichero < kGrande) return;
    const auto reserva = static_cast<std::size_t>(std::min(3 * tamanoFichero, kReservaMaxima));
    if (mallopt(M_TRIM_THRESHOLD, INT_MAX) == 0) return;  // freeing the block must not give it back
    mallopt(M_MMAP_MAX, 0);                                // the block must come from the heap itself
    void* bloque = std::malloc(reserva);
    mallopt(M_MMAP_MAX, 65536);
    if (!bloque) return;
    const auto inicio = reinterpret_cast<std::uintptr_t>(bloque);
    const auto ruptura = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const auto desde = (inicio + kPagina - 1) & ~(kPagina - 1);
    const auto hasta = ruptura & ~(kPagina - 1);
    // Only a block that really lies in the heap below the break (a sanitizer's
    // allocator puts it elsewhere).
    if (inicio + reserva <= ruptura && hasta > desde)
        madvise(reinterpret_cast<void*>(desde), hasta - desde, MADV_HUGEPAGE);
    std::free(bloque);
}
#endif

}  // namespace

}  // namespace celvara::cli

int main(int argc, char** argv) {
#if defined(__linux__)
    // A user's own GLIBC_TUNABLES (say, glibc's huge-page heap) is left alone.
    if (!std::getenv("GLIBC_TUNABLES")) celvara::cli::montonEnPaginasGrandes(celvara::cli::mayorFicheroNombrado(argc, argv));
#endif
    using namespace celvara::cli;
    celvara::plataforma::salidaEstandarBinaria();
    CLI::App app{"celvara-cli: cálculos topográficos por lotes"};
    app.require_subcommand(1);
    auto lista = comandos();
    std::sort(lista.begin(), lista.end(), [](const Comando& a, const Comando& b) { return a.nombre < b.nombre; });
    std::vector<std::pair<CLI::App*, std::function<int()>>> ejecutores;
    for (auto& c : lista) {
        const std::size_t antes = app.get_subcommands({}).size();
        auto ejecutar = c.registrar(app);
        auto subs = app.get_subcommands({});
        if (subs.size() > antes) ejecutores.emplace_back(subs.back(), std::move(ejecutar));
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kErrorUso;
    }
    for (auto& [sub, ejecutar] : ejecutores)
        if (sub->parsed()) {
            try {
                return ejecutar();
            } catch (const std::exception& e) {
                return fallo(e.what());
            }
        }
    return kErrorUso;
}
