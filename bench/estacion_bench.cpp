// One least-squares pass of a station seen from and sighting K known
// stations on a ring (a direction each way and a distance: n = 3K
// equations). The dense n × n weight matrix (P = Q⁻¹ by Gauss–Jordan, and
// its determinant) makes a pass grow as n³.
#include <benchmark/benchmark.h>

#include <cmath>

#include "calc/estacion_mmcc.h"
#include "calc/unidades.h"

namespace {

using namespace celvara;

void libretaAnillo(CLibretaCampo& l, int k) {
    DatosComplementarios d;
    d.instrumento = "T";
    d.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasVertical);
    const double px = 5000, py = 5000;
    auto* p = crearEstacion(l.estaciones, {.nombre = "P", .coordenadas = Coordenadas{px + 3, py - 2, 0}});
    auto* sp = crearEstacionamiento(p->estacionamientos, nullptr, "P1", "P", 1.5, &d, 0);
    for (int i = 0; i < k; ++i) {
        const double a = 6.283185307179586 * i / k, r = 300 + 50 * (i % 5);
        const Coordenadas c{px + r * std::sin(a), py + r * std::cos(a), 0};
        const std::string n = "K" + std::to_string(i);
        auto* e = crearEstacion(l.estaciones, {.nombre = n, .coordenadas = c});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, n, n, 1.5, &d, 0);
        crearLectura(s->lecturas, std::nullopt, "P", 1.5, 0, 100, AzimutEntre(c.x, c.y, px, py, 400), "");
        crearLectura(sp->lecturas, std::nullopt, n, 1.5, r, 100, AzimutEntre(px, py, c.x, c.y, 400), "");
    }
}

void BM_PasadaEstacion(benchmark::State& estado) {
    CLibretaCampo l;
    libretaAnillo(l, static_cast<int>(estado.range(0)));
    CDatosGenerales aj;
    Instrumento ins;
    ins.nombre = "T";
    ins.aumentos = 30;
    ins.precisionH = ins.precisionV = 10;
    ins.precisionDistanciaMm = 2;
    ListaInstrumentos lista{ins};
    AvisosSilenciosos avisos;
    CCalculoEstacionMMCC c(l, aj, &lista, avisos);
    c.elegirEstacion("P");
    for (auto _ : estado) {
        c.textoX = "5003";
        c.textoY = "4998";
        c.textoDesorientacion = "0";
        benchmark::DoNotOptimize(c.calcular());
    }
    estado.counters["ecuaciones"] = 3.0 * static_cast<double>(estado.range(0));
}
BENCHMARK(BM_PasadaEstacion)->Arg(4)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace
