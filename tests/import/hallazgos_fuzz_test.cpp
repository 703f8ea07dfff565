// Inputs that once crashed, hung, tripped a sanitizer or put a non-finite
// number into a report, found by scripts/fuzz.sh: tests/data/fuzz/LECTOR/
// (importar-N for import format N) for the file readers, calculo-X/ for the
// computations on a file of kind X (obs, pol, nivelacion, crd). Each must
// now be read, or refused, cleanly and quickly, and its computations must
// report only finite numbers; the ASan build of the tests is what catches a
// relapse into a memory fault.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "../../fuzz/calcular.h"
#include "../../fuzz/leer_fichero.h"

namespace celvara {
namespace {

// Each input within a second in an optimised build; sanitizers and no
// optimisation take several times longer.
#ifdef NDEBUG
constexpr std::chrono::milliseconds kLimite{1000};
#else
constexpr std::chrono::milliseconds kLimite{15000};
#endif

TEST(HallazgosFuzz, CadaEntradaGuardadaSeLeeYCalculaSinRomper) {
    const std::filesystem::path raiz = std::filesystem::path(CELVARA_DATOS_PRUEBA) / "fuzz";
    ListaInstrumentos instrumentos;
    AvisosSilenciosos avisos;
    ASSERT_EQ(cargarInstrumentos(instrumentos, std::filesystem::path(CELVARA_EJEMPLOS) / "../data/vestrum/instrumentos.apa",
                                 avisos),
              Estado::Exito);
    fuzz::EntornoCalculo entorno{std::filesystem::temp_directory_path() / "celvara-hallazgos-fuzz", &instrumentos,
                                 std::filesystem::path(CELVARA_EJEMPLOS) / "obra_ejemplo.obs"};
    std::filesystem::create_directories(entorno.carpeta);
    int entradas = 0;
    for (const auto& carpeta : std::filesystem::directory_iterator(raiz)) {
        if (!carpeta.is_directory()) continue;
        std::string lector = carpeta.path().filename().string();
        for (const auto& f : std::filesystem::directory_iterator(carpeta.path())) {
            SCOPED_TRACE(f.path().string());
            const auto inicio = std::chrono::steady_clock::now();
            if (lector.starts_with("calculo-")) {
                fuzz::Vigilante vigilante(fuzz::leerTodo(f.path()));
                fuzz::calcular(lector.substr(8), f.path(), entorno, vigilante);
                EXPECT_EQ(vigilante.fallo(), "");
            } else {
                const auto guion = lector.find('-');
                const int formato = guion == std::string::npos ? 0 : std::stoi(lector.substr(guion + 1));
                fuzz::leerFichero(lector.substr(0, guion), formato, f.path());
            }
            EXPECT_LT(std::chrono::steady_clock::now() - inicio, kLimite);
            ++entradas;
        }
    }
    std::filesystem::remove_all(entorno.carpeta);
    RecordProperty("entradas", entradas);
}

}  // namespace
}  // namespace celvara
