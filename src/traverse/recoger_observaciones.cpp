#include "traverse/recoger_observaciones.h"

#include <algorithm>

#include "calc/caras.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

// Names go into messages as UTF-8.
std::string u(std::string_view nombre) { return cp1252AUtf8(nombre); }

constexpr std::size_t kLargoNombreFila = decltype(EstacionPoligonal::estacion)::capacidad;

const Estacionamiento* estacionamientoDeNombre(const Estacion* estacion, const TextoFijo<15>& nombre) {
    if (!estacion) return nullptr;
    for (const auto& e : estacion->estacionamientos)
        if (e->nombre == nombre) return e.get();
    return nullptr;
}

// Readings left out while a row is filled, told when the step ends whatever
// its outcome: a wild reading is never dropped silently.
struct AvisoOmitidas {
    Avisos& avisos;
    std::vector<std::string> lista;
    ~AvisoOmitidas() {
        std::string t;
        for (const auto& x : lista) t += (t.empty() ? "" : "\n") + x;
        if (!t.empty()) avisos.mensaje(t);
    }
};

}  // namespace

bool lecturaCirculoInverso(const Lectura& lectura, const DatosComplementarios& datos) {
    if (datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel)) return false;
    if (datos.tipoVertical == static_cast<std::int32_t>(TipoVertical::Inclinacion)) return false;
    const double circulo = datos.unidadAngular == kSexagesimal ? 360.0 : 400.0;
    return lectura.vertical > circulo / 2;
}

bool llenarVisual(const Estacionamiento& estacionamiento, std::string_view objetivo, VisualPoligonal& visual,
                  std::vector<std::string>* omitidas) {
    bool hay = false;
    for (const auto& l : estacionamiento.lecturas) {
        if (!(l.nombre == objetivo)) continue;
        if (!lecturaUtilizable(l)) {
            if (omitidas) omitidas->push_back(avisoLecturaNoUtilizable(estacionamiento, l));
            continue;
        }
        hay = true;
        visual.jalon = l.jalon;
        if (lecturaCirculoInverso(l, estacionamiento.datos)) {
            visual.hCi = l.horizontal;
            visual.vCi = l.vertical;
            visual.dCi = l.distancia;
        } else {
            visual.hCd = l.horizontal;
            visual.vCd = l.vertical;
            visual.dCd = l.distancia;
        }
    }
    return hay;
}

CRecogerObservaciones::CRecogerObservaciones(const CLibretaCampo& libreta, FilasPoligonal& salida,
                                             ReferenciaPoligonal& referencia, Avisos& avisos)
    : libreta_(libreta), salida_(salida), referencia_(referencia), avisos_(avisos) {
    tipo = referencia.tipoPoligonal();
    besselH = referencia.besselH != 0;
    besselV = referencia.besselV != 0;
    besselD = referencia.besselD != 0;
}

bool CRecogerObservaciones::abrir() {
    if (libreta_.estaciones.empty()) {
        avisos_.mensaje("No Existen Datos en el Gestor de Observaciones para Generar la Poligonal");
        return false;
    }
    if (!salida_.empty()) {
        filas_ = salida_;
        for (const auto& f : filas_) recorrido_.push_back(f.estacion.str());
        elegirEstacion(recorrido_.size() - 1);
    } else {
        elegirSalida(0);
    }
    return true;
}

std::vector<std::string> CRecogerObservaciones::estacionesLibreta() const {
    std::vector<std::string> nombres;
    for (const auto& e : libreta_.estaciones) nombres.push_back(e->nombre.str());
    return nombres;
}

bool CRecogerObservaciones::nombreCabe(std::string_view nombre) {
    if (nombre.size() <= kLargoNombreFila) return true;
    avisos_.mensaje(formatear("El nombre de la Estación %s tiene más de %zu caracteres\nNo cabe en la Poligonal",
                              u(nombre).c_str(), kLargoNombreFila));
    return false;
}

void CRecogerObservaciones::elegirSalida(std::size_t indice) {
    if (indice >= libreta_.estaciones.size()) return;
    const std::string nombre = libreta_.estaciones[indice]->nombre.str();
    if (!nombreCabe(nombre)) return;
    recorrido_.assign(1, nombre);
    filas_.assign(1, EstacionPoligonal{});
    filas_[0].estacion = nombre;
    elegirEstacion(0);
}

const Estacion* CRecogerObservaciones::estacionActual() const {
    if (actual_ < 0 || static_cast<std::size_t>(actual_) >= recorrido_.size()) return nullptr;
    return libreta_.buscarEstacion(recorrido_[actual_]);
}

const Estacionamiento* CRecogerObservaciones::estacionamientoActual() const {
    const Estacion* e = estacionActual();
    if (!e || estacionamiento_ < 0 || static_cast<std::size_t>(estacionamiento_) >= e->estacionamientos.size())
        return nullptr;
    return e->estacionamientos[estacionamiento_].get();
}

void CRecogerObservaciones::elegirEstacion(std::size_t indice) {
    if (indice >= recorrido_.size()) return;
    actual_ = static_cast<int>(indice);
    const Estacion* e = estacionActual();
    estacionamiento_ = e && !e->estacionamientos.empty() ? 0 : -1;
    // A row taken over or already walked keeps the set-up it was built from.
    if (e)
        for (std::size_t k = 0; k < e->estacionamientos.size(); ++k)
            if (!filas_[indice].estacionamiento.vacio() &&
                e->estacionamientos[k]->nombre == filas_[indice].estacionamiento)
                estacionamiento_ = static_cast<int>(k);
    llenarVisadas();
}

std::vector<std::string> CRecogerObservaciones::estacionamientos() const {
    std::vector<std::string> nombres;
    if (const Estacion* e = estacionActual())
        for (const auto& s : e->estacionamientos) nombres.push_back(s->nombre.str());
    return nombres;
}

void CRecogerObservaciones::elegirEstacionamiento(std::size_t indice) {
    const Estacion* e = estacionActual();
    if (!e || indice >= e->estacionamientos.size()) return;
    estacionamiento_ = static_cast<int>(indice);
    llenarVisadas();
}

void CRecogerObservaciones::llenarVisadas() {
    visadas_.clear();
    if (const Estacionamiento* s = estacionamientoActual())
        for (const auto& l : s->lecturas) {
            const std::string nombre = l.nombre.str();
            if (libreta_.buscarEstacion(nombre) &&
                std::find(visadas_.begin(), visadas_.end(), nombre) == visadas_.end())
                visadas_.push_back(nombre);
        }
    visada_ = visadas_.empty() ? -1 : static_cast<int>(visadas_.size()) - 1;
}

void CRecogerObservaciones::elegirVisada(std::size_t indice) {
    if (indice < visadas_.size()) visada_ = static_cast<int>(indice);
}

bool CRecogerObservaciones::anadir() {
    const Estacionamiento* s = estacionamientoActual();
    if (!s || visada_ < 0) return false;
    const std::string& visada = visadas_[visada_];
    const auto k = static_cast<std::size_t>(actual_);
    const auto hasta = recorrido_.begin() + static_cast<std::ptrdiff_t>(k) + 1;
    const bool cierraBucle = tipo == TipoPoligonal::Encuadrada && k >= 2 && visada == recorrido_.front();
    if (std::find(recorrido_.begin(), hasta, visada) != hasta && !cierraBucle) {
        avisos_.mensaje(kNoAvanza);
        return false;
    }
    EstacionPoligonal fila;
    fila.estacion = recorrido_[k];
    fila.estacionamiento = s->nombre.vista();
    fila.alturaInstrumento = s->alturaInstrumento;
    fila.datos = s->datos;
    AvisoOmitidas omitidas{avisos_};
    if (k > 0) {
        if (!llenarVisual(*s, recorrido_[k - 1], fila.atras, &omitidas.lista)) {
            avisos_.mensaje(
                "No existe Visual a la estación anterior\nSeleccione otro Estacionamiento que tenga visuales atras");
            return false;
        }
        fila.visadoAtras = recorrido_[k - 1];
    }
    if (!nombreCabe(visada)) return false;
    llenarVisual(*s, visada, fila.adelante, &omitidas.lista);
    fila.visadoAdelante = visada;
    fila.libres = filas_[k].libres;

    // The walk goes on from here: what lay after this station is dropped.
    recorrido_.resize(k + 1);
    filas_.resize(k + 1);
    filas_[k] = fila;
    recorrido_.push_back(visada);
    filas_.emplace_back();
    filas_.back().estacion = visada;
    elegirEstacion(k + 1);
    return true;
}

bool CRecogerObservaciones::finalizar() {
    const std::size_t n = recorrido_.size();
    if (n < 2) {
        avisos_.mensaje("No se han seleccionado estaciones suficientes para hacer poligonal");
        return false;
    }
    const Estacion* ultima = libreta_.buscarEstacion(recorrido_[n - 1]);
    // The last station's set-up: the one chosen if it is the one shown, else the row's own.
    const Estacionamiento* s = nullptr;
    if (static_cast<std::size_t>(actual_) == n - 1)
        s = estacionamientoActual();
    else
        s = estacionamientoDeNombre(ultima, filas_[n - 1].estacionamiento);
    if (!s && ultima && !ultima->estacionamientos.empty()) s = ultima->estacionamientos.front().get();

    EstacionPoligonal fila;
    fila.estacion = recorrido_[n - 1];
    fila.libres = filas_[n - 1].libres;
    AvisoOmitidas omitidas{avisos_};
    if (!s || !llenarVisual(*s, recorrido_[n - 2], fila.atras, &omitidas.lista)) {
        avisos_.mensaje(formatear("En la Estación %s, desde el Estacionamiento %s \nNo existe Visual a la Estación "
                                  "Anterior %s\n Seleccione otro Estacionamiento que tenga visuales atras",
                                  u(recorrido_[n - 1]).c_str(), s ? u(s->nombre.vista()).c_str() : "",
                                  u(recorrido_[n - 2]).c_str()));
        return false;
    }
    fila.visadoAtras = recorrido_[n - 2];
    fila.estacionamiento = s->nombre.vista();
    fila.alturaInstrumento = s->alturaInstrumento;
    fila.datos = s->datos;
    FilasPoligonal filas = filas_;
    filas[n - 1] = fila;

    const Estacion* primera = libreta_.buscarEstacion(recorrido_.front());
    const Estacionamiento* s0 = estacionamientoDeNombre(primera, filas.front().estacionamiento);
    if (tipo == TipoPoligonal::Cerrada) {
        EstacionPoligonal& f0 = filas.front();
        EstacionPoligonal& fn = filas.back();
        VisualPoligonal atras;
        if (s0 && llenarVisual(*s0, recorrido_[n - 1], atras, &omitidas.lista)) {
            f0.atras = atras;
            f0.visadoAtras = recorrido_[n - 1];
        } else {
            avisos_.mensaje(formatear("Desde la Primera Estación %s No se a encontrado Visual a la Ultima %s",
                                      u(recorrido_.front()).c_str(), u(recorrido_[n - 1]).c_str()));
        }
        VisualPoligonal adelante;
        if (llenarVisual(*s, recorrido_.front(), adelante, &omitidas.lista)) {
            fn.adelante = adelante;
            fn.visadoAdelante = recorrido_.front();
        } else {
            avisos_.mensaje(formatear("Desde la Ultima Estación %s No se a encontrado Visual a la Primera %s",
                                      u(recorrido_[n - 1]).c_str(), u(recorrido_.front()).c_str()));
        }
    }

    referencia_.tipo = static_cast<std::int32_t>(tipo);
    referencia_.besselH = besselH;
    referencia_.besselV = besselV;
    referencia_.besselD = besselD;
    referencia_.partida = recorrido_.front();
    if (primera) {
        referencia_.x0 = primera->x;
        referencia_.y0 = primera->y;
        referencia_.z0 = primera->z;
    }
    if (s0) referencia_.desorientacionPartida = s0->desorientacion;
    if (tipo == TipoPoligonal::Encuadrada) {
        referencia_.llegada = recorrido_[n - 1];
        if (ultima) {
            referencia_.x1 = ultima->x;
            referencia_.y1 = ultima->y;
            referencia_.z1 = ultima->z;
        }
        referencia_.desorientacionLlegada = s->desorientacion;
    }
    salida_ = std::move(filas);
    return true;
}

std::vector<ObservacionPoligonal> revisarPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref) {
    std::vector<ObservacionPoligonal> notas;
    const std::size_t n = filas.size();
    const bool cerrada = ref.tipoPoligonal() == TipoPoligonal::Cerrada;
    for (std::size_t k = 0; k < n; ++k) {
        const auto& f = filas[k];
        const std::string estacion = f.estacion.str();
        if (k > 0 && f.visadoAtras.vacio())
            notas.push_back({k, formatear("Fila %zu: la Estación %s no tiene Visual atras", k + 1, u(estacion).c_str())});
        const EstacionPoligonal* siguiente = k + 1 < n ? &filas[k + 1] : (cerrada ? &filas.front() : nullptr);
        if (siguiente && n > 1 && f.adelante.dCd == 0 && f.adelante.dCi == 0 && siguiente->atras.dCd == 0 &&
            siguiente->atras.dCi == 0)
            notas.push_back({k, formatear("Fila %zu: el tramo %s - %s no tiene ninguna Distancia", k + 1,
                                          u(estacion).c_str(), u(siguiente->estacion.str()).c_str())});
        if (f.datos.unidadAngular != filas.front().datos.unidadAngular)
            notas.push_back({k, formatear("Fila %zu: la Estación %s está en otra unidad angular (%d) que la primera (%d)",
                                          k + 1, u(estacion).c_str(), f.datos.unidadAngular,
                                          filas.front().datos.unidadAngular)});
    }
    return notas;
}

}  // namespace celvara
