// The stations of a field book as points of a coordinate list.
#pragma once

#include "datos/fichero_crd.h"
#include "fieldbook/libreta.h"

namespace celvara {

// The points as written by "Exportar  a  CRD ...": one base point per
// station, its first description as code.
ListaPuntos puntosDeEstaciones(const CLibretaCampo& libreta);

}  // namespace celvara
