#include "traverse/tolerancias_poligonal.h"

#include "calc/modelo_errores.h"
#include "fieldbook/numeros.h"

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

std::array<std::string, 4> textosVisual(const ErroresVisual& e) {
    return {formatear("Ea=%1.1lfcc", e.ea), formatear("Ev=%1.1lfcc", e.ev), formatear("Ed=%1.3lfm", e.ed),
            formatear(" E.Long = %1.3lfm   E.Transv = %1.3lfm  E.Z = %1.3lfm", e.longitudinal, e.transversal,
                      e.altura)};
}

std::array<std::string, 5> textosPoligonalPrevista(const ToleranciaPoligonalPrevista& t) {
    return {formatear("Ea=%1.1lfcc", t.visual.ea), formatear("Ev=%1.1lfcc", t.visual.ev),
            formatear("Ed=%1.3lfm", t.visual.ed),
            formatear("T.Ang=%1.0lfcc T.Lon=%1.3lf T.Trav=%1.3lf T.Dist=%1.3lf", t.tAng, t.tLon, t.tTrav, t.tDist),
            formatear("Tol.X = %1.3lf  Tol.Y = %1.3lf  Tol.Z = %1.3lf", t.tolX, t.tolY, t.tolZ)};
}

}  // namespace celvara
