#include "calc/matrices_dialogo.h"

#include <charconv>

#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

namespace celvara {

const std::vector<std::pair<MatrizMostrada, std::string>>& CMatrices::entradasMenu() {
    static const std::vector<std::pair<MatrizMostrada, std::string>> entradas{
        {MatrizMostrada::B, "Matriz &B"},
        {MatrizMostrada::Fo, "Matriz &Fo"},
        {MatrizMostrada::Residuos, "Matriz Residuos&1"},
        {MatrizMostrada::Errores, "Matriz Errores"},
        {MatrizMostrada::Qe, "Matriz Qe"},
        {MatrizMostrada::Pesos, "Matriz Pesos"},
        {MatrizMostrada::Ninv, "Matriz &N-1"},
        {MatrizMostrada::Incrementos, "Matriz &Increm"},
        {MatrizMostrada::Aproximada, "Matriz Aproximada"},
        {MatrizMostrada::Ajustada, "Matriz &Ajustado"},
        {MatrizMostrada::Exx, "Matriz Exx"},
        {MatrizMostrada::Varianza, "&Varianza"},
    };
    return entradas;
}

namespace {

const math::matrixT& elegir(const CMatricesMMCC& m, MatrizMostrada cual) {
    switch (cual) {
        case MatrizMostrada::B: return m.B;
        case MatrizMostrada::Fo: return m.Fo;
        case MatrizMostrada::Residuos: return m.V;
        case MatrizMostrada::Errores: return m.Q;
        case MatrizMostrada::Qe: return m.Qe;
        case MatrizMostrada::Pesos: return m.P;
        case MatrizMostrada::Ninv: return m.Ninv;
        case MatrizMostrada::Incrementos: return m.X;
        case MatrizMostrada::Aproximada: return m.aproximada;
        case MatrizMostrada::Ajustada: return m.ajustada;
        case MatrizMostrada::Exx: return m.Exx;
        case MatrizMostrada::Varianza: break;
    }
    return m.varianza;
}

// The shortest text that reads back as the same double, so that what is
// exported is the matrix itself and not a rounded copy.
std::string textoExacto(double v) {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, v);
    return std::string(texto, r.ptr);
}

}  // namespace

void CMatrices::mostrar(MatrizMostrada cual) {
    const math::matrixT& m = elegir(matrices_, cual);
    celdas_.assign(m.filas(), std::vector<std::string>(m.columnas()));
    for (std::size_t i = 0; i < m.filas(); ++i)
        for (std::size_t j = 0; j < m.columnas(); ++j) celdas_[i][j] = textoExacto(m(i, j));
}

void CMatrices::ponerCelda(std::size_t fila, std::size_t columna, std::string texto) {
    if (fila < celdas_.size() && columna < celdas_[fila].size()) celdas_[fila][columna] = std::move(texto);
}

std::string CMatrices::textoAscii() const {
    std::string texto;
    for (const auto& fila : celdas_) {
        for (const auto& celda : fila) texto += formatear("%f    ", textoANumero(celda));
        texto += '\n';
    }
    return texto;
}

bool CMatrices::exportarAscii(const std::filesystem::path& ruta) const {
    const std::string texto = textoAscii();
    EscritorAtomico escritor(ruta);
    return escritor.abierto() && escritor.escribir(texto.data(), texto.size()) && escritor.confirmar();
}

}  // namespace celvara
