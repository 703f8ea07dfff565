// Per-point cost of the grid computations: footpoint latitude, grid to
// geographic with scale factor, and the reduction of one reading.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calc/calculo_punto.h"
#include "calc/proyeccion_utm.h"

namespace {

struct Punto {
    double x, y;
};

std::vector<Punto> puntos(std::size_t n) {
    std::mt19937_64 azar(1);
    std::uniform_real_distribution<double> este(200000, 800000), norte(3900000, 4900000);
    std::vector<Punto> v(n);
    for (auto& p : v) p = {este(azar), norte(azar)};
    return v;
}

void BM_LatitudPie(benchmark::State& estado) {
    const celvara::CProyeccionUTM utm(true);
    const auto v = puntos(4096);
    std::size_t i = 0;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(utm.LatitudPie(v[i++ & 4095].y));
    }
}
BENCHMARK(BM_LatitudPie);

void BM_UtmAGeograficas(benchmark::State& estado) {
    celvara::CProyeccionUTM utm(estado.range(0) != 0);
    const auto v = puntos(4096);
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& p = v[i++ & 4095];
        benchmark::DoNotOptimize(utm.UtmAGeograficas(p.x, p.y, celvara::kHusoPorDefecto));
    }
}
BENCHMARK(BM_UtmAGeograficas)->Arg(1)->Arg(0);

void BM_CargarProyeccion(benchmark::State& estado) {
    celvara::CProyeccionUTM utm(true);
    bool hayford = false;
    for (auto _ : estado) {
        utm.cargar(hayford);
        hayford = !hayford;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CargarProyeccion);

void BM_CalculoPunto(benchmark::State& estado) {
    celvara::CCalculoPunto calculo;
    celvara::DatosEstacionamientoCalculo d;
    d.x0 = 400000;
    d.y0 = 4400000;
    d.z0 = 700;
    d.alturaInstrumento = 1.55;
    d.desorientacion = 123.4567;
    d.aplicarEsfRefr = 1;
    calculo.cargarEstacionamiento(d);
    calculo.fijarEscala(0.99975);
    double h = 0;
    for (auto _ : estado) {
        calculo.cargarLectura(h, 98.7654, 123.456, 1.3);
        benchmark::DoNotOptimize(calculo.calcular());
        h += 0.37;
        if (h > 400) h -= 400;
    }
}
BENCHMARK(BM_CalculoPunto);

}  // namespace
