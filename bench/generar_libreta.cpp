// generar_libreta escribir|leer FICHERO [estaciones estacionamientos lecturas]
// Writes a large book, or reads one, and prints the time and the peak
// resident memory of the process (for the memory goal of the reader).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "bench/libreta_comun.h"
#include "fieldbook/fichero_obs.h"

int main(int argc, char** argv) {
    using namespace celvara;
    if (argc < 3) {
        std::fprintf(stderr, "uso: generar_libreta escribir|leer FICHERO [E S L]\n");
        return 2;
    }
    const bool escribir = std::strcmp(argv[1], "escribir") == 0;
    const int e = argc > 3 ? std::atoi(argv[3]) : 1000;
    const int s = argc > 4 ? std::atoi(argv[4]) : 10;
    const int l = argc > 5 ? std::atoi(argv[5]) : 100;
    const auto inicio = std::chrono::steady_clock::now();
    bool ok = false;
    std::size_t lecturas = 0;
    if (escribir) {
        const auto libreta = banco::libretaGrande(e, s, l);
        ok = escribirLibreta(libreta, argv[2]);
        lecturas = libreta.contarLecturas();
    } else {
        CLibretaCampo libreta;
        ok = leerLibreta(libreta, argv[2]);
        lecturas = libreta.contarLecturas();
    }
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const double mb = static_cast<double>(std::filesystem::file_size(argv[2])) / 1e6;
    std::printf("%s %zu lecturas, %.1f MB en %.3f s (%.0f MB/s), memoria maxima %.1f MB\n", ok ? "ok" : "FALLO", lecturas,
                mb, segundos, mb / segundos, static_cast<double>(uso.ru_maxrss) / 1024.0);
    return ok ? 0 : 1;
}
