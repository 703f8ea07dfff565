#include "datos/rejilla_texto.h"

#include <stdexcept>

namespace celvara {

bool FuenteRejilla::editable(std::size_t fila, std::size_t c) const {
    return fila < numeroFilas() && c < numeroColumnas() && columna(c).editable;
}

RejillaTexto::RejillaTexto(std::vector<ColumnaRejilla> columnas) : columnas_(std::move(columnas)) {}

void RejillaTexto::fijarColumnas(std::vector<ColumnaRejilla> columnas) {
    columnas_ = std::move(columnas);
    for (auto& f : filas_) f.resize(columnas_.size());
}

void RejillaTexto::fijarNumeroColumnas(std::size_t n) {
    columnas_.resize(n);
    for (auto& f : filas_) f.resize(n);
}

std::vector<std::string> RejillaTexto::ajustada(std::vector<std::string> valores) const {
    valores.resize(columnas_.size());
    return valores;
}

void RejillaTexto::agregarFila(std::vector<std::string> valores) { filas_.push_back(ajustada(std::move(valores))); }

void RejillaTexto::insertarFila(std::size_t posicion, std::vector<std::string> valores) {
    if (posicion > filas_.size()) posicion = filas_.size();
    filas_.insert(filas_.begin() + static_cast<std::ptrdiff_t>(posicion), ajustada(std::move(valores)));
}

void RejillaTexto::borrarFila(std::size_t fila) {
    if (fila < filas_.size()) filas_.erase(filas_.begin() + static_cast<std::ptrdiff_t>(fila));
}

void RejillaTexto::fijarNumeroFilas(std::size_t n) { filas_.resize(n, std::vector<std::string>(columnas_.size())); }

void RejillaTexto::asignar(std::size_t fila, std::size_t columna, std::string texto) {
    filas_.at(fila).at(columna) = std::move(texto);
}

bool RejillaTexto::marcada(std::size_t fila, std::size_t columna) const {
    const std::string t = texto(fila, columna);
    return !t.empty() && t != "0";
}

std::string RejillaTexto::texto(std::size_t fila, std::size_t columna) const {
    if (fila >= filas_.size() || columna >= columnas_.size()) return {};
    return filas_[fila][columna];
}

bool RejillaTexto::editar(std::size_t fila, std::size_t columna, std::string_view texto) {
    if (fila >= filas_.size() || columna >= columnas_.size()) return false;
    filas_[fila][columna] = std::string(texto);
    return true;
}

}  // namespace celvara
