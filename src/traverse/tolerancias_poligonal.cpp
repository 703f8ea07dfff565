#include "traverse/tolerancias_poligonal.h"

#include "calc/modelo_errores.h"

namespace celvara {

EvaluadorErrores evaluadorTolerancias(const ListaInstrumentos& instrumentos, const CDatosGenerales& ajustes) {
    if (instrumentos.empty()) return {};
    const ParametrosTrabajo parametros = parametrosTrabajo(ajustes);
    return [&instrumentos, parametros](const DatosComplementarios& datos, double D, double V,
                                       double m) -> std::optional<ErroresVisual> {
        const Instrumento* instrumento = buscarInstrumentoOPrimero(instrumentos, datos.instrumento.vista());
        if (!instrumento) return std::nullopt;
        return erroresVisual(caracteristicas(*instrumento), parametros, D, V, m);
    };
}

}  // namespace celvara
