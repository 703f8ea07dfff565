#include "cli/datos_instalados.h"

#include <cstdlib>

namespace celvara::cli {

std::filesystem::path datoFijoInstalado(std::string_view nombre) {
    std::error_code ec;
    if (const char* v = std::getenv("CELVARA_DATOS"); v && *v) {
        const auto p = std::filesystem::path(v) / nombre;
        return std::filesystem::exists(p, ec) ? p : std::filesystem::path{};
    }
#if defined(__linux__)
    const auto programa = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto instalado = programa.parent_path() / ".." / "share" / "celvara" / "vestrum" / nombre;
    if (!ec && std::filesystem::exists(instalado, ec)) return instalado;
#endif
    const auto fuentes = std::filesystem::path(CELVARA_DATOS_FUENTE) / nombre;
    return std::filesystem::exists(fuentes, ec) ? fuentes : std::filesystem::path{};
}

}  // namespace celvara::cli
