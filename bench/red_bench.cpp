// A synthetic network adjusted whole: N points on a jittered grid of 300 m,
// every point occupied, each set-up sighting its 6 nearest points
// (directions) with distances to the 3 or 4 nearest (about 6N directions and
// 3.5N distances), 1 % of the points fixed, the others starting 0.3 m off.
// Times preparation and adjustment together (iterations, Takahashi
// precisions and standardised residuals included).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "calc/red/ajuste_red.h"

namespace {

using namespace celvara;

struct Sintetica {
    CLibretaCampo libreta;
    std::vector<std::string> fijos;
};

void construir(Sintetica& s, int n) {
    std::mt19937 g(5);
    std::uniform_real_distribution<double> u(-1, 1);
    const int lado = static_cast<int>(std::ceil(std::sqrt(n)));
    std::vector<double> x(n), y(n), z(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 10000 + 300 * (i % lado) + 60 * u(g);
        y[i] = 20000 + 300 * (i / lado) + 60 * u(g);
        z[i] = 500 + 20 * u(g);
    }
    DatosComplementarios d;
    d.instrumento = "T";
    d.corregidoEsfRefr = 1;
    d.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
    std::vector<Estacion*> e(n);
    for (int i = 0; i < n; ++i) {
        const bool fija = i % 100 == 0 || i == n - 1;
        const double dx = fija ? 0 : 0.3 * u(g), dy = fija ? 0 : 0.3 * u(g);
        const std::string nombre = "P" + std::to_string(i);
        e[i] = crearEstacion(s.libreta.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{x[i] + dx, y[i] + dy, z[i]}});
        if (fija) s.fijos.push_back(nombre);
    }
    for (int i = 0; i < n; ++i) {
        std::vector<std::pair<double, int>> cerca;
        const int fi = i / lado, ci = i % lado;
        for (int f = fi - 2; f <= fi + 2; ++f)
            for (int c = ci - 2; c <= ci + 2; ++c) {
                const int j = f * lado + c;
                if (f < 0 || c < 0 || c >= lado || j >= n || j == i) continue;
                cerca.push_back({std::hypot(x[j] - x[i], y[j] - y[i]), j});
            }
        std::sort(cerca.begin(), cerca.end());
        const double omega = 13.7 * (i % 29);
        auto* st = crearEstacionamiento(e[i]->estacionamientos, nullptr, "S" + std::to_string(i),
                                        e[i]->nombre.vista(), 1.5, &d, omega);
        const int distancias = 3 + i % 2;
        for (int k = 0; k < 6 && k < static_cast<int>(cerca.size()); ++k) {
            const int j = cerca[k].second;
            double h = std::atan2(x[j] - x[i], y[j] - y[i]) * 200 / M_PI - omega + 1e-4 * u(g);
            h = std::fmod(h + 800, 400.0);
            const bool dist = k < distancias;
            crearLectura(st->lecturas, std::nullopt, "P" + std::to_string(j), 1.5,
                         dist ? cerca[k].first + 0.002 * u(g) : 0, dist ? z[j] - z[i] + 0.003 * u(g) : 0, h, "");
        }
    }
}

void BM_AjusteRed(benchmark::State& estado) {
    Sintetica s;
    construir(s, static_cast<int>(estado.range(0)));
    CDatosGenerales aj;
    Instrumento ins;
    ins.nombre = "T";
    ins.aumentos = 30;
    ins.nivelTorico = 12;
    ins.precisionH = ins.precisionV = 3;
    ins.precisionDistanciaMm = 1;
    ins.precisionDistanciaPpm = 1;
    const ListaInstrumentos lista{ins};
    AvisosSilenciosos avisos;
    std::size_t observaciones = 0;
    int iteraciones = 0;
    for (auto _ : estado) {
        CAjusteRed red(s.libreta, aj, &lista, avisos);
        OpcionesRed o;
        o.fijos = s.fijos;
        if (!red.preparar(o) || !red.ajustar()) {
            estado.SkipWithError("la red no se ajusta");
            break;
        }
        observaciones = red.observaciones().size();
        iteraciones = red.iteraciones();
        benchmark::DoNotOptimize(red.estaciones().data());
    }
    estado.counters["observaciones"] = static_cast<double>(observaciones);
    estado.counters["iteraciones"] = iteraciones;
}
BENCHMARK(BM_AjusteRed)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
