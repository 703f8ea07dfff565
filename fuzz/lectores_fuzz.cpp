// One libFuzzer harness for every file reader of the program. The reader is
// chosen by CELVARA_LECTOR (obs, crd, apa, datos, dft, ini, pol, nivelacion,
// dxf, nivelgsi, importar); "importar" goes through the import window's own entry with the
// format of CELVARA_FORMATO, so every reader in the format table is covered
// (CELVARA_LISTAR_FORMATOS=1 lists the formats that have one).
// The readers take a path, so each input is written to a scratch file first.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz/leer_fichero.h"
#include "import/formatos.h"

namespace {

using namespace celvara;

std::string lector;
int formato = 0;
std::filesystem::path ruta;

bool escribirEntrada(const std::uint8_t* datos, std::size_t n) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(datos, 1, n, f) == n;
    return std::fclose(f) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::getenv("CELVARA_LISTAR_FORMATOS")) {  // for the script: the formats that have a reader
        for (const auto& f : tablaFormatos())
            if (f.disponible) std::printf("%d\n", f.indice);
        std::exit(0);
    }
    const char* l = std::getenv("CELVARA_LECTOR");
    lector = l ? l : "obs";
    if (const char* f = std::getenv("CELVARA_FORMATO")) formato = std::atoi(f);
    const char* tmp = std::getenv("TMPDIR");
    ruta = std::filesystem::path(tmp ? tmp : "/tmp") /
           ("celvara-fuzz-" + lector + "-" + std::to_string(::getpid()) + ".dat");
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove(ruta, ec);
    });
    const FormatoImportacion* f = formatoImportacion(formato);
    if (lector == "importar" && (!f || !f->disponible)) {
        std::fprintf(stderr, "formato %d sin lector\n", formato);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (!escribirEntrada(datos, n)) return 0;
    fuzz::leerFichero(lector, formato, ruta);
    return 0;
}
