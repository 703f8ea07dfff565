// The coordinate files listed under "Coordenadas" and the point list of the
// one selected, read with the coordinate file reader.
#include <algorithm>
#include <cctype>
#include <system_error>

#include "datos/fichero_crd.h"
#include "manager/gestor_seleccion.h"

namespace celvara {

namespace {

bool menorSinMayusculas(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

bool extensionCrd(const std::filesystem::path& ruta) {
    std::string ext = ruta.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".crd";
}

}  // namespace

LectorCoordenadas lectorCoordenadasCrd() {
    return [](const std::filesystem::path& ruta, std::vector<PuntoListado>& puntos) {
        ListaPuntos lista;
        if (leerListaPuntos(ruta, lista) != Estado::Exito) return false;
        puntos.clear();
        puntos.reserve(lista.size());
        for (const auto& p : lista)
            puntos.push_back({p.nombre.str(), p.estacion.str(), p.x, p.y, p.z, p.codigo.str(), p.base != 0});
        return true;
    };
}

void CFicherosCoordenadas::listar(const std::filesystem::path& carpeta) {
    nombres_.clear();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_regular_file(ec2) && extensionCrd(it->path())) nombres_.push_back(it->path().filename().string());
    }
    std::sort(nombres_.begin(), nombres_.end(), menorSinMayusculas);
}

bool CFicherosCoordenadas::leer(const std::filesystem::path& carpeta, std::size_t indice) {
    vaciarPuntos();
    if (indice >= nombres_.size() || !lector_) return false;
    if (lector_(carpeta / nombres_[indice], puntos_)) return true;
    vaciarPuntos();
    return false;
}

}  // namespace celvara
