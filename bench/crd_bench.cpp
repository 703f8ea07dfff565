// Writing and reading a coordinate file of 1,000,000 points (304 MB in the
// current form), as file records and as the main window's point list. The
// byte rate counts the file size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "datos/fichero_crd.h"

namespace {

using namespace celvara;

constexpr std::size_t kPuntos = 1'000'000;
constexpr std::int64_t kBytesFichero = imagen::crd::kTamanoCabecera + kPuntos * imagen::crd::registro::tamano;

std::filesystem::path rutaBanco() {
    return std::filesystem::temp_directory_path() / ("celvara-crd-bench-" + std::to_string(::getpid()) + ".crd");
}

ListaPuntos puntosDePrueba() {
    ListaPuntos puntos(kPuntos);
    for (std::size_t i = 0; i < kPuntos; ++i) {
        auto& p = puntos[i];
        p.base = i % 50 == 0;
        p.nombre = std::to_string(i);
        p.estacion = "E" + std::to_string(i / 1000);
        p.x = 450000.0 + i * 0.013;
        p.y = 4480000.0 - i * 0.007;
        p.z = 600.0 + (i % 977) * 0.01;
        p.codigo = i % 3 ? "BORDILLO" : "ARQUETA";
    }
    return puntos;
}

void escribirRegistros(benchmark::State& estado) {
    ListaRegistrosCoordenadas registros;
    registros.reserve(kPuntos);
    for (const auto& p : puntosDePrueba()) registros.push_back(aRegistro(p));
    const auto ruta = rutaBanco();
    for (auto _ : estado)
        if (!escribirFicheroCoordenadas(registros, ruta)) estado.SkipWithError("escritura fallida");
    estado.SetBytesProcessed(estado.iterations() * kBytesFichero);
    std::error_code ec;
    std::filesystem::remove(ruta, ec);
}

void leerRegistros(benchmark::State& estado) {
    const auto ruta = rutaBanco();
    if (escribirListaPuntos(puntosDePrueba(), ruta) != Estado::Exito) estado.SkipWithError("escritura fallida");
    ListaRegistrosCoordenadas registros;
    for (auto _ : estado) {
        if (!leerFicheroCoordenadas(ruta, registros) || registros.size() != kPuntos)
            estado.SkipWithError("lectura fallida");
        benchmark::DoNotOptimize(registros.data());
    }
    estado.SetBytesProcessed(estado.iterations() * kBytesFichero);
    std::error_code ec;
    std::filesystem::remove(ruta, ec);
}

void escribirPuntos(benchmark::State& estado) {
    const ListaPuntos puntos = puntosDePrueba();
    const auto ruta = rutaBanco();
    for (auto _ : estado)
        if (escribirListaPuntos(puntos, ruta) != Estado::Exito) estado.SkipWithError("escritura fallida");
    estado.SetBytesProcessed(estado.iterations() * kBytesFichero);
    std::error_code ec;
    std::filesystem::remove(ruta, ec);
}

void leerPuntos(benchmark::State& estado) {
    const auto ruta = rutaBanco();
    if (escribirListaPuntos(puntosDePrueba(), ruta) != Estado::Exito) estado.SkipWithError("escritura fallida");
    ListaPuntos puntos;
    for (auto _ : estado) {
        if (leerListaPuntos(ruta, puntos) != Estado::Exito || puntos.size() != kPuntos)
            estado.SkipWithError("lectura fallida");
        benchmark::DoNotOptimize(puntos.data());
    }
    estado.SetBytesProcessed(estado.iterations() * kBytesFichero);
    std::error_code ec;
    std::filesystem::remove(ruta, ec);
}

BENCHMARK(escribirRegistros)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(leerRegistros)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(escribirPuntos)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(leerPuntos)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
