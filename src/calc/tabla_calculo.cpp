#include "calc/tabla_calculo.h"

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace ct = columna_tabla;

namespace {

std::vector<ColumnaRejilla> columnasTabla() {
    std::vector<ColumnaRejilla> c(ct::numero);
    const char* t[] = {"Estacionamiento", "Estación", "Altura Instr.", "Desorientación", "Lecturas", "", "", "",
                       "Instrumento", "Nº Inicio", "Nº Fin"};
    for (std::size_t i = 0; i < c.size(); ++i) {
        c[i].titulo = t[i];
        c[i].editable = i == ct::altura || i == ct::desorientacion;
    }
    for (std::size_t i = ct::altura; i <= ct::valor3; ++i) c[i].alineacion = AlineacionColumna::Derecha;
    // Three values the table never computes (always 0.000): kept in the rows
    // but not shown, as a column of zeros without a caption only misleads.
    for (std::size_t i = ct::valor1; i <= ct::valor3; ++i) c[i].oculta = true;
    return c;
}

}  // namespace

CTablaCalculo::CTablaCalculo(CLibretaCampo& libreta) : rejilla_(columnasTabla()) {
    for (const auto& e : libreta.estaciones)
        for (const auto& s : e->estacionamientos) {
            filas_.push_back(s.get());
            const auto& l = s->lecturas;
            rejilla_.agregarFila({cp1252AUtf8(s->nombre.vista()), cp1252AUtf8(e->nombre.vista()),
                                  formatear("%1.3lf", s->alturaInstrumento), formatear("%1.4lf", s->desorientacion),
                                  formatear("%zu", l.size()), "0.000", "0.000", "0.000",
                                  cp1252AUtf8(s->datos.instrumento.vista()),
                                  l.empty() ? "" : cp1252AUtf8(l.front().nombre.vista()),
                                  l.empty() ? "" : cp1252AUtf8(l.back().nombre.vista())});
        }
}

void CTablaCalculo::aceptar() {
    for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f) {
        filas_[f]->alturaInstrumento = textoANumero(rejilla_.texto(f, ct::altura));
        filas_[f]->desorientacion = textoANumero(rejilla_.texto(f, ct::desorientacion));
    }
}

}  // namespace celvara
