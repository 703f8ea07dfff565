#include "import/listas_importacion.h"

#include <new>

namespace celvara {

EstacionamientoImportado* CListasImportacion::crearEstacionamiento() {
    try {
        return &estacionamientos_.emplace_back();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

LecturaImportada* CListasImportacion::crearLectura() {
    try {
        auto& l = lecturas_.emplace_back();
        l.estacionamiento = static_cast<std::int32_t>(estacionamientos_.size()) - 1;
        return &l;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

EstacionImportada* CListasImportacion::crearEstacion() {
    try {
        auto& e = estaciones_.emplace_back();
        e.estacionamientosAntes = static_cast<std::int32_t>(estacionamientos_.size());
        return &e;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CoordenadasSueltas* CListasImportacion::crearCoordenadasSueltas() {
    try {
        return &sueltas_.emplace_back();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CListasImportacion::liberar() {
    porRangos = false;
    guionEnNombres = false;
    std::deque<EstacionImportada>().swap(estaciones_);
    std::deque<CoordenadasSueltas>().swap(sueltas_);
    std::deque<EstacionamientoImportado>().swap(estacionamientos_);
    std::deque<LecturaImportada>().swap(lecturas_);
}

}  // namespace celvara
