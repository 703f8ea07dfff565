// "IMPRIMIR" without a screen: the listing chosen, the station and set-up
// lists, the page shown and the zoom of the preview.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "output/listados.h"

namespace celvara {

class CImprimir {
public:
    // The texts of "QUE IMPRIMIR :", in listing order (Windows-1252).
    static const std::array<const char*, kNumeroListados> kNombresListados;
    static constexpr int kZoomInicial = 100;

    // Opens on a listing with a station and set-up preselected (either may
    // be none: then the first station, and the first set-up of the station).
    CImprimir(const CLibretaCampo& libreta, EntornoListado entorno, Listado listado,
              const Estacion* estacion = nullptr, const Estacionamiento* estacionamiento = nullptr);
    // A listing made elsewhere (the traverse's field sheet): its name, shown
    // alone in "QUE IMPRIMIR :", and its pages; the lists stay empty.
    CImprimir(const CLibretaCampo& libreta, std::string nombre, std::vector<Pagina> paginas);
    bool listadoFijo() const { return !fijas_.empty(); }
    const std::string& nombreListadoFijo() const { return nombreFijo_; }

    Listado listado() const { return listado_; }
    // Each choice shows the listing from page 1.
    void elegirListado(int indice);
    // Refills the set-up list and selects its first set-up.
    void elegirEstacion(int indice);
    void elegirEstacionamiento(int indice);

    std::vector<std::string> nombresEstaciones() const;
    std::vector<std::string> nombresEstacionamientos() const;  // of the selected station
    int estacionElegida() const { return estacion_; }          // -1: none
    int estacionamientoElegido() const { return estacionamiento_; }
    bool listaEstacionesActiva() const {
        return !listadoFijo() && (listado_ == Listado::Resena || listado_ == Listado::Estadillo);
    }
    bool listaEstacionamientosActiva() const { return !listadoFijo() && listado_ == Listado::Estadillo; }

    int pagina() const { return pagina_; }
    int paginas() const;
    void paginaSiguiente();  // "+": nothing on the last page
    void paginaAnterior();   // "-": nothing on page 1
    std::string textoPagina() const;  // "Página: p de N"

    Pagina paginaActual() const { return paginaNumero(pagina_); }
    Pagina paginaNumero(int pagina) const;

    int zoom() const { return zoom_; }
    void zoomMas();    // +20 while below 251
    void zoomMenos();  // -20 unless below 60

    SeleccionListado seleccion() const;
    const EntornoListado& entorno() const { return entorno_; }

private:
    const CLibretaCampo& libreta_;
    EntornoListado entorno_;
    Listado listado_;
    int estacion_ = -1;
    int estacionamiento_ = -1;
    int pagina_ = 1;
    int zoom_ = kZoomInicial;
    std::string nombreFijo_;
    std::vector<Pagina> fijas_;

    const Estacion* estacionActual() const;
};

}  // namespace celvara
