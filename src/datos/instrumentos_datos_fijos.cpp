#include "datos/instrumentos_datos_fijos.h"

#include <algorithm>
#include <system_error>

namespace celvara {

std::vector<std::string> sembrarDatosFijos(const std::filesystem::path& origen, const std::filesystem::path& destino,
                                           bool& ok) {
    ok = true;
    std::vector<std::string> copiados;
    std::error_code ec;
    if (!std::filesystem::is_directory(origen, ec)) {
        ok = false;
        return copiados;
    }
    std::filesystem::create_directories(destino, ec);
    if (ec) {
        ok = false;
        return copiados;
    }
    std::vector<std::filesystem::path> ficheros;
    for (std::filesystem::directory_iterator it(origen, ec), fin; !ec && it != fin; it.increment(ec))
        if (it->is_regular_file(ec)) ficheros.push_back(it->path());
    if (ec) ok = false;
    std::sort(ficheros.begin(), ficheros.end());
    for (const auto& f : ficheros) {
        const std::string nombre = f.filename().string();
        // buscarSinMayusculas finds FOTO0.BMP for foto0.bmp.
        if (std::filesystem::exists(buscarSinMayusculas(destino, nombre), ec)) continue;
        std::filesystem::copy_file(f, destino / nombre, std::filesystem::copy_options::skip_existing, ec);
        if (ec) {
            ok = false;
            continue;
        }
        copiados.push_back(nombre);
    }
    return copiados;
}

std::filesystem::path carpetaDatosFijos(const MapaRutas& mapa) { return mapa.aAnfitrion(kCarpetaDatosFijos); }

}  // namespace celvara
