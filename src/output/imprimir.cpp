#include "output/imprimir.h"

#include <algorithm>
#include <utility>

namespace celvara {

const std::array<const char*, kNumeroListados> CImprimir::kNombresListados{
    "Listados de Estaciones", "Rese\xF1" "a de Estaci\xF3n", "Estadillo de Datos de Campo",
    "Tabla de Desorientaciones"};

CImprimir::CImprimir(const CLibretaCampo& libreta, EntornoListado entorno, Listado listado, const Estacion* estacion,
                     const Estacionamiento* estacionamiento)
    : libreta_(libreta), entorno_(std::move(entorno)), listado_(listado) {
    const auto& lista = libreta_.estaciones;
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i].get() == estacion) estacion_ = static_cast<int>(i);
    if (estacion_ < 0 && estacion == nullptr && estacionamiento != nullptr)
        for (std::size_t i = 0; i < lista.size() && estacion_ < 0; ++i)
            for (const auto& s : lista[i]->estacionamientos)
                if (s.get() == estacionamiento) estacion_ = static_cast<int>(i);
    if (estacion_ < 0 && !lista.empty()) estacion_ = 0;
    if (const Estacion* e = estacionActual()) {
        for (std::size_t i = 0; i < e->estacionamientos.size(); ++i)
            if (e->estacionamientos[i].get() == estacionamiento) estacionamiento_ = static_cast<int>(i);
        if (estacionamiento_ < 0 && !e->estacionamientos.empty()) estacionamiento_ = 0;
    }
}

CImprimir::CImprimir(const CLibretaCampo& libreta, std::string nombre, std::vector<Pagina> paginas)
    : libreta_(libreta), listado_(Listado::Bases), nombreFijo_(std::move(nombre)), fijas_(std::move(paginas)) {
    if (fijas_.empty()) fijas_.emplace_back();
}

const Estacion* CImprimir::estacionActual() const {
    if (listadoFijo()) return nullptr;
    if (estacion_ < 0 || static_cast<std::size_t>(estacion_) >= libreta_.estaciones.size()) return nullptr;
    return libreta_.estaciones[static_cast<std::size_t>(estacion_)].get();
}

SeleccionListado CImprimir::seleccion() const {
    SeleccionListado s;
    s.estacion = estacionActual();
    if (s.estacion && estacionamiento_ >= 0 &&
        static_cast<std::size_t>(estacionamiento_) < s.estacion->estacionamientos.size())
        s.estacionamiento = s.estacion->estacionamientos[static_cast<std::size_t>(estacionamiento_)].get();
    return s;
}

void CImprimir::elegirListado(int indice) {
    if (indice < 0 || indice >= kNumeroListados || listadoFijo()) return;
    listado_ = static_cast<Listado>(indice);
    pagina_ = 1;
}

void CImprimir::elegirEstacion(int indice) {
    if (listadoFijo() || indice < 0 || static_cast<std::size_t>(indice) >= libreta_.estaciones.size()) return;
    estacion_ = indice;
    estacionamiento_ = estacionActual()->estacionamientos.empty() ? -1 : 0;
    pagina_ = 1;
}

void CImprimir::elegirEstacionamiento(int indice) {
    const Estacion* e = estacionActual();
    if (!e || indice < 0 || static_cast<std::size_t>(indice) >= e->estacionamientos.size()) return;
    estacionamiento_ = indice;
    pagina_ = 1;
}

std::vector<std::string> CImprimir::nombresEstaciones() const {
    std::vector<std::string> nombres;
    if (listadoFijo()) return nombres;
    for (const auto& e : libreta_.estaciones) nombres.push_back(e->nombre.str());
    return nombres;
}

std::vector<std::string> CImprimir::nombresEstacionamientos() const {
    std::vector<std::string> nombres;
    if (const Estacion* e = estacionActual())
        for (const auto& s : e->estacionamientos) nombres.push_back(s->nombre.str());
    return nombres;
}

int CImprimir::paginas() const {
    return listadoFijo() ? static_cast<int>(fijas_.size()) : paginasListado(listado_, libreta_, seleccion());
}

void CImprimir::paginaSiguiente() {
    if (pagina_ < paginas()) ++pagina_;
}

void CImprimir::paginaAnterior() {
    if (pagina_ > 1) --pagina_;
}

std::string CImprimir::textoPagina() const { return textoPaginaListado(pagina_, paginas()); }

Pagina CImprimir::paginaNumero(int pagina) const {
    if (listadoFijo()) return fijas_[static_cast<std::size_t>(std::clamp(pagina, 1, paginas()) - 1)];
    return paginaListado(listado_, libreta_, seleccion(), entorno_, pagina);
}

void CImprimir::zoomMas() {
    if (zoom_ < 251) zoom_ += 20;
}

void CImprimir::zoomMenos() {
    if (zoom_ >= 60) zoom_ -= 20;
}

}  // namespace celvara
