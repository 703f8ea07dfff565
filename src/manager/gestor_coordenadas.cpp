// The point list of the coordinate file selected under "Coordenadas", read
// with the coordinate file reader.
#include "datos/fichero_crd.h"
#include "manager/gestor_observaciones.h"

namespace celvara {

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

}  // namespace celvara
