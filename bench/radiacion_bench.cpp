// Radiation of 1,000,000 readings (1,000 stations x 10 set-ups x 100
// readings) into a coordinate file, reports off, as "CALCULAR" runs it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/libreta_comun.h"
#include "calc/radiacion.h"

namespace {

using namespace celvara;

void Radiar(benchmark::State& estado) {
    CLibretaCampo libreta = banco::libretaGrande(1000, 10, 100);
    CDatosGenerales ajustes;
    ajustes.proyeccion = static_cast<std::uint32_t>(estado.range(0));
    AvisosSilenciosos avisos;
    const auto ruta = std::filesystem::temp_directory_path() / "celvara-banco-radiacion.crd";
    for (auto _ : estado) {
        CCalculoRadiacion ventana(libreta, ajustes, avisos);
        ventana.ficheroCrd = ruta.string();
        const auto r = ventana.calcular();
        if (!r.escrito) estado.SkipWithError("no se pudo escribir");
        benchmark::DoNotOptimize(r.puntos.data());
    }
    estado.SetItemsProcessed(estado.iterations() * 1000000);
    std::filesystem::remove(ruta);
}
BENCHMARK(Radiar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
