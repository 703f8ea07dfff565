// Writing and reading an observation file of 1,000 stations x 10 set-ups x
// 100 readings (1,000,000 readings, about 116 MB).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/libreta_comun.h"
#include "fieldbook/fichero_obs.h"

namespace {

using namespace celvara;

const std::filesystem::path& rutaBanco() {
    static const auto ruta = std::filesystem::temp_directory_path() / "celvara-banco-libreta.obs";
    return ruta;
}

const CLibretaCampo& libreta() {
    static const CLibretaCampo l = banco::libretaGrande(1000, 10, 100);
    return l;
}

void EscribirLibreta(benchmark::State& estado) {
    const auto& l = libreta();
    for (auto _ : estado) {
        if (!escribirLibreta(l, rutaBanco())) estado.SkipWithError("no se pudo escribir");
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations() * std::filesystem::file_size(rutaBanco())));
}
BENCHMARK(EscribirLibreta)->Unit(benchmark::kMillisecond)->UseRealTime();

void LeerLibreta(benchmark::State& estado) {
    if (!std::filesystem::exists(rutaBanco())) escribirLibreta(libreta(), rutaBanco());
    for (auto _ : estado) {
        CLibretaCampo l;
        if (!leerLibreta(l, rutaBanco())) estado.SkipWithError("no se pudo leer");
        benchmark::DoNotOptimize(l.estaciones.data());
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations() * std::filesystem::file_size(rutaBanco())));
}
BENCHMARK(LeerLibreta)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
