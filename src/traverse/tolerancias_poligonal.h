// The error model of the instrument library as the traverse computation
// evaluates it, leg by leg.
#pragma once

#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "traverse/calculo_poligonal.h"

namespace celvara {

// Evaluates a sighting with the instrument the row's station data names
// (the first of the library when none matches) and the work parameters of
// the settings. The library must outlive the evaluator. An empty library
// gives an evaluator that evaluates nothing (tolerances 0).
EvaluadorErrores evaluadorTolerancias(const ListaInstrumentos& instrumentos, const CDatosGenerales& ajustes);

}  // namespace celvara
