// The error model of the instrument library as the traverse computation
// evaluates it, leg by leg, and the texts of its results.
#pragma once

#include <array>
#include <string>

#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "traverse/calculo_poligonal.h"

namespace celvara {

// Evaluates a sighting with the instrument the row's station data names
// (the first of the library when none matches) and the work parameters of
// the settings. The library must outlive the evaluator. An empty library
// gives an evaluator that evaluates nothing (tolerances 0).
EvaluadorErrores evaluadorTolerancias(const ListaInstrumentos& instrumentos, const CDatosGenerales& ajustes);

namespace mensaje_tolerancias {
inline constexpr const char* sinInstrumento = "Seleccione un Instrumento";
inline constexpr const char* ficheroInstrumentos = "Error al abrir fichero de instrumentos";
}  // namespace mensaje_tolerancias

// The texts of the example sighting: "Ea=…cc", "Ev=…cc", "Ed=…m" and the
// line " E.Long = …m   E.Transv = …m  E.Z = …m".
std::array<std::string, 4> textosVisual(const ErroresVisual& e);
// The texts of a planned traverse: Ea, Ev, Ed, "T.Ang=…" and "Tol.X = …".
std::array<std::string, 5> textosPoligonalPrevista(const ToleranciaPoligonalPrevista& t);

}  // namespace celvara
