// Undo of a 1,000,000-reading import into a book of 20,000 readings: the
// time of one undo and the peak resident memory while it runs, against the
// memory just before it (the step must move the imported records out of the
// book, not copy them). Also the write-back of a tool that touched every
// reading of the 1,000,000 (its step has to keep them all once).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "libreta_comun.h"
#include "manager/historial.h"

namespace {

using namespace celvara;

// Resident and peak resident memory of the process, in MiB (Linux).
double memoria(const char* campo) {
    std::ifstream f("/proc/self/status");
    std::string linea;
    while (std::getline(f, linea))
        if (linea.rfind(campo, 0) == 0) return std::stod(linea.substr(std::string(campo).size())) / 1024.0;
    return 0;
}
void reiniciarPico() { std::ofstream("/proc/self/clear_refs") << "5"; }

void importar(CLibretaCampo& libreta, CHistorial& historial) {
    FotoLibreta foto(libreta);
    CLibretaCampo importada = banco::libretaGrande(1, 1000, 1000);
    for (auto& e : importada.estaciones) libreta.estaciones.push_back(std::move(e));
    historial.registrar(foto.diferencia(libreta, "Importar GSI-16"));
}

void BM_DeshacerImportacionMillon(benchmark::State& st) {
    CLibretaCampo libreta = banco::libretaGrande(10, 2, 1000);
    CHistorial historial;
    const double antesImportar = memoria("VmRSS:");
    importar(libreta, historial);
    const double conImportacion = memoria("VmRSS:");
    double pico = 0, antes = 0;
    for (auto _ : st) {
        st.PauseTiming();
        reiniciarPico();
        antes = memoria("VmRSS:");
        st.ResumeTiming();
        historial.deshacer(libreta);
        st.PauseTiming();
        pico = std::max(pico, memoria("VmHWM:"));
        if (libreta.contarLecturas() != 20000) st.SkipWithError("deshacer no quitó la importación");
        historial.rehacer(libreta);
        st.ResumeTiming();
    }
    st.counters["MiB_antes_importar"] = antesImportar;
    st.counters["MiB_con_importacion"] = conImportacion;
    st.counters["MiB_antes_deshacer"] = antes;
    st.counters["MiB_pico_deshacer"] = pico;
    st.counters["pico_sobre_antes"] = pico / antes;
}
BENCHMARK(BM_DeshacerImportacionMillon)->Unit(benchmark::kMillisecond)->Iterations(5);

// A tool that changed every reading: the comparison that builds the step,
// then undo and redo.
void BM_DeshacerCorreccionMillon(benchmark::State& st) {
    CLibretaCampo libreta = banco::libretaGrande(1, 1000, 1000);
    CHistorial historial;
    for (auto _ : st) {
        FotoLibreta foto(libreta);
        for (auto& s : libreta.estaciones[0]->estacionamientos)
            for (auto& l : s->lecturas) l.distancia *= 1.0001;
        historial.registrar(foto.diferencia(libreta, "Corregir lecturas"));
        historial.deshacer(libreta);
        historial.rehacer(libreta);
    }
    st.counters["MiB_pico"] = memoria("VmHWM:");
}
BENCHMARK(BM_DeshacerCorreccionMillon)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
