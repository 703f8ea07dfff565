// One libFuzzer harness for the computations: CELVARA_CALCULO chooses what the
// input is (obs: a book, pol: a traverse file, nivelacion: a levelling line,
// crd: a coordinate file for the example book's stations) and every
// computation of the program runs on it (fuzz/calcular.h). A non-finite
// number in any report or result aborts, so libFuzzer keeps the input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz/calcular.h"

namespace {

using namespace celvara;

std::string calculo;
std::filesystem::path ruta;
fuzz::EntornoCalculo entorno;
ListaInstrumentos instrumentos;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* c = std::getenv("CELVARA_CALCULO");
    calculo = c ? c : "obs";
    if (calculo != "obs" && calculo != "pol" && calculo != "nivelacion" && calculo != "crd") {
        std::fprintf(stderr, "cálculo desconocido: %s\n", calculo.c_str());
        std::exit(2);
    }
    const char* tmp = std::getenv("TMPDIR");
    entorno.carpeta = std::filesystem::path(tmp ? tmp : "/tmp") /
                      ("celvara-fuzz-calculo-" + calculo + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(entorno.carpeta);
    ruta = entorno.carpeta / ("entrada." + (calculo == "nivelacion" ? std::string("csv") : calculo));
    AvisosSilenciosos avisos;
    if (cargarInstrumentos(instrumentos, CELVARA_FUENTE "/data/vestrum/instrumentos.apa", avisos) == Estado::Exito)
        entorno.biblioteca = &instrumentos;
    entorno.libretaBase = CELVARA_FUENTE "/examples/obra_ejemplo.obs";
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(entorno.carpeta, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return 0;
    const bool ok = std::fwrite(datos, 1, n, f) == n;
    if (std::fclose(f) != 0 || !ok) return 0;
    fuzz::Vigilante vigilante(std::string_view(reinterpret_cast<const char*>(datos), n));
    fuzz::calcular(calculo, ruta, entorno, vigilante);
    if (!vigilante.fallo().empty()) {
        std::fprintf(stderr, "valor no finito: %s\n", vigilante.fallo().c_str());
        std::abort();
    }
    return 0;
}
