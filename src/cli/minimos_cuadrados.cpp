#include "cli/minimos_cuadrados.h"

#include <cstdlib>
#include <filesystem>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/avisos.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/rutas.h"

namespace celvara::cli {

namespace {

std::filesystem::path bibliotecaInstrumentos(const CDatosGenerales& ajustes) {
    const std::filesystem::path deAjustes = rutaInstrumentos(ajustes, MapaRutas(unidadC()));
    std::error_code ec;
    if (std::filesystem::exists(deAjustes, ec)) return deAjustes;
    constexpr const char* kNombre = "instrumentos.apa";
    if (const char* v = std::getenv("CELVARA_DATOS"); v && *v) return std::filesystem::path(v) / kNombre;
#if defined(__linux__)
    const auto programa = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto instalada = programa.parent_path() / ".." / "share" / "celvara" / "vestrum" / kNombre;
    if (!ec && std::filesystem::exists(instalada, ec)) return instalada;
#endif
    const std::filesystem::path fuentes = std::filesystem::path(CELVARA_DATOS_FUENTE) / kNombre;
    return std::filesystem::exists(fuentes, ec) ? fuentes : deAjustes;
}

}  // namespace

void anadirOpcionesMinimosCuadrados(CLI::App* sub, OpcionesMinimosCuadrados& o) {
    sub->add_option("--config", o.config, "Fichero de configuración (observa.dft)");
    sub->add_option("--instrumentos", o.instrumentos, "Biblioteca de instrumentos (instrumentos.apa)");
    sub->add_option("--informe", o.informe, "Fichero de informe (se añade al final)");
    sub->add_flag("--json", o.json, "Resultado en JSON");
}

std::string cargarDatosMinimosCuadrados(const OpcionesMinimosCuadrados& o, DatosMinimosCuadrados& d) {
    if (auto e = leerLibretaEntrada(d.libreta, o.libreta); !e.empty()) return e;
    if (!o.config.empty())
        if (auto e = leerAjustesEntrada(d.ajustes, o.config, "Error al abrir el fichero de configuración "); !e.empty())
            return e;
    // A library named on the command line must be read; the one found by
    // default is the computation's to miss.
    if (!o.instrumentos.empty()) {
        auto e = leerInstrumentosEntrada(d.instrumentos, o.instrumentos, "Error al abrir fichero de instrumentos ");
        d.hayInstrumentos = e.empty();
        return e;
    }
    AvisosSilenciosos silencio;
    d.hayInstrumentos =
        cargarInstrumentos(d.instrumentos, bibliotecaInstrumentos(d.ajustes), silencio) == Estado::Exito;
    return {};
}

}  // namespace celvara::cli
