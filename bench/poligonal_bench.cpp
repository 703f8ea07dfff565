// A fitted traverse of 10,000 legs computed, compensated and reported (the
// report as a string, as "Imprimir..." writes it). Target: under 1 s.
#include <benchmark/benchmark.h>

#include <cmath>

#include "traverse/calculo_poligonal.h"
#include "traverse/informe_poligonal.h"

namespace {

using namespace celvara;

double acimut(double x1, double y1, double x2, double y2) {
    const double a = std::atan2(x2 - x1, y2 - y1) * 200.0 / M_PI;
    return a < 0 ? a + 400 : a;
}

// Stations zig-zag north-east about 100 m apart; readings are the azimuths
// (orientation 0) with a few cc of noise, distances a few mm off.
struct Poligonal10000 {
    FilasPoligonal filas;
    ReferenciaPoligonal ref;
    explicit Poligonal10000(std::size_t tramos) {
        auto x = [](std::size_t k) { return 1000.0 + 70.0 * double(k); };
        auto y = [](std::size_t k) { return 2000.0 + 70.0 * double(k) + (k % 2 ? 20.0 : 0.0); };
        for (std::size_t k = 0; k <= tramos; ++k) {
            EstacionPoligonal f;
            f.estacion = "P" + std::to_string(k);
            f.estacionamiento = f.estacion.str();
            f.visadoAtras = k ? "P" + std::to_string(k - 1) : std::string("R0");
            f.visadoAdelante = k < tramos ? "P" + std::to_string(k + 1) : std::string("R1");
            f.datos.tipoDistancia = int(TipoDistancia::ReducidasVertical);
            f.alturaInstrumento = 1.5;
            const double ruido = 0.0003 * double(int(k % 7) - 3);
            f.atras = {k ? acimut(x(k), y(k), x(k - 1), y(k - 1)) : 0.0, 0, 100.2, 0, 0, 0, 1.5};
            f.adelante = {k < tramos ? acimut(x(k), y(k), x(k + 1), y(k + 1)) + ruido : 0.0, 0, 99.8, 0, 0, 0, 1.5};
            if (k) f.atras.dCd = std::hypot(x(k) - x(k - 1), y(k) - y(k - 1)) + 0.002;
            if (k < tramos) f.adelante.dCd = std::hypot(x(k + 1) - x(k), y(k + 1) - y(k)) - 0.001;
            filas.push_back(f);
        }
        ref.partida = "P0";
        ref.llegada = "P" + std::to_string(tramos);
        ref.x0 = x(0), ref.y0 = y(0), ref.z0 = 100;
        ref.x1 = x(tramos), ref.y1 = y(tramos), ref.z1 = 100;
    }
};

void BM_Poligonal10000Tramos(benchmark::State& estado) {
    const Poligonal10000 p(10000);
    const ConfiguracionPoligonal config{static_cast<std::uint32_t>(estado.range(0)), 4, 0, 1.0};
    std::size_t bytes = 0;
    for (auto _ : estado) {
        const auto r = calcularPoligonal(p.filas, p.ref, config);
        if (!r) {
            estado.SkipWithError(r.error);
            return;
        }
        const std::string informe = informePoligonal(*r);
        bytes = informe.size();
        benchmark::DoNotOptimize(informe.data());
    }
    estado.counters["bytes_informe"] = double(bytes);
}
BENCHMARK(BM_Poligonal10000Tramos)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
