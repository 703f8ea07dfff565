// celvara-cli: the batch front end over the core, for scripts and CI. It reads
// and writes only the files named on its command line.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#if defined(__linux__)
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

// Whether an argument names a file big enough for huge pages to pay off.
[[maybe_unused]] bool nombraFicheroGrande(int argc, char** argv) {
    constexpr std::uintmax_t kGrande = std::uintmax_t{16} << 20;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const auto tamano = std::filesystem::file_size(argv[i], ec);
        if (!ec && tamano >= kGrande) return true;
    }
    return false;
}

}  // namespace

}  // namespace celvara::cli

int main(int argc, char** argv) {
    // A million-reading book touches hundreds of megabytes of fresh memory, and
    // faulting it in page by page cost more than the work itself. The C library
    // puts its heap on the kernel's huge pages only when told at start-up, so a
    // run on a big file starts itself once more with that setting (a small job
    // would pay the second start for nothing); a user's own setting is kept,
    // and if the restart fails the run simply goes on.
#if defined(__linux__)
    if (!std::getenv("GLIBC_TUNABLES") && celvara::cli::nombraFicheroGrande(argc, argv) &&
        ::setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) == 0)
        ::execv("/proc/self/exe", argv);
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
