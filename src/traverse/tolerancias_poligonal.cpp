#include "traverse/tolerancias_poligonal.h"

namespace celvara {

EvaluadorErrores evaluadorTolerancias(const ListaInstrumentos&, const CDatosGenerales&) { return {}; }

}  // namespace celvara
