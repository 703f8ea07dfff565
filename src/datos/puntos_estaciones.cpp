#include "datos/puntos_estaciones.h"

namespace celvara {

ListaPuntos puntosDeEstaciones(const CLibretaCampo& libreta) {
    ListaPuntos puntos;
    puntos.reserve(libreta.estaciones.size());
    for (const auto& e : libreta.estaciones) {
        PuntoCoordenadas& p = puntos.emplace_back();
        p.base = 1;
        p.nombre = e->nombre.vista();
        p.x = e->x;
        p.y = e->y;
        p.z = e->z;
        p.codigo = e->descripcion1.vista();
    }
    return puntos;
}

}  // namespace celvara
