// Inputs that once crashed, hung or tripped a sanitizer in a file reader,
// found by scripts/fuzz.sh: tests/data/fuzz/LECTOR/ (importar-N for import
// format N). Each must now be read, or refused, cleanly; the ASan build of
// the tests is what catches a relapse.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../fuzz/leer_fichero.h"

namespace celvara {
namespace {

TEST(HallazgosFuzz, CadaEntradaGuardadaSeLeeSinRomper) {
    const std::filesystem::path raiz = std::filesystem::path(CELVARA_DATOS_PRUEBA) / "fuzz";
    int entradas = 0;
    for (const auto& carpeta : std::filesystem::directory_iterator(raiz)) {
        if (!carpeta.is_directory()) continue;
        std::string lector = carpeta.path().filename().string();
        int formato = 0;
        if (const auto guion = lector.find('-'); guion != std::string::npos) {
            formato = std::stoi(lector.substr(guion + 1));
            lector.resize(guion);
        }
        for (const auto& f : std::filesystem::directory_iterator(carpeta.path())) {
            SCOPED_TRACE(f.path().string());
            fuzz::leerFichero(lector, formato, f.path());
            ++entradas;
        }
    }
    RecordProperty("entradas", entradas);
}

}  // namespace
}  // namespace celvara
