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
        return &lecturas_.emplace_back();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CListasImportacion::liberar() {
    std::deque<EstacionamientoImportado>().swap(estacionamientos_);
    std::deque<LecturaImportada>().swap(lecturas_);
}

}  // namespace celvara
