// "Generar Informe Resumen..": a plain-text summary of the field book, one
// block per station with its set-ups and, per set-up, how often it sighted
// each other station in each face.
#pragma once

#include <string>

#include "fieldbook/libreta.h"

namespace celvara {

// The whole report as the bytes of the file (Windows-1252).
std::string informeResumen(const CLibretaCampo& libreta);

}  // namespace celvara
