#include "manager/gestor_seleccion.h"

#include <algorithm>
#include <cstring>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

// Croquis text: CR LF in the record, "\n" in the pane.
std::string croquisAPanel(std::string_view cp1252) {
    std::string texto;
    for (char c : cp1252AUtf8(cp1252))
        if (c != '\r') texto.push_back(c);
    return texto;
}

std::string croquisARegistro(std::string_view utf8) {
    std::string texto;
    for (char c : utf8ACp1252(utf8)) {
        if (c == '\r') continue;
        if (c == '\n') texto.push_back('\r');
        texto.push_back(c);
    }
    return texto;
}

template <std::size_t N>
bool asignarSiCambia(TextoFijo<N>& campo, std::string_view cp1252) {
    const TextoFijo<N> nuevo(cp1252);
    if (nuevo == campo) return false;
    campo = nuevo;
    return true;
}

}  // namespace

std::optional<std::size_t> posicionDe(const CLibretaCampo& libreta, const Estacion* e) {
    const auto& lista = libreta.estaciones;
    for (std::size_t i = 0; e && i < lista.size(); ++i)
        if (lista[i].get() == e) return i;
    return std::nullopt;
}

std::optional<std::pair<std::size_t, std::size_t>> posicionDe(const CLibretaCampo& libreta, const Estacion* e,
                                                              const Estacionamiento* s) {
    const auto i = posicionDe(libreta, e);
    if (!i || !s) return std::nullopt;
    const auto& lista = e->estacionamientos;
    for (std::size_t j = 0; j < lista.size(); ++j)
        if (lista[j].get() == s) return std::pair{*i, j};
    return std::nullopt;
}

std::string rutaImagen(const Estacion* estacion, int pestana) {
    if (!estacion) return kImagenPorDefecto;
    const auto& campo = pestana == 0 ? estacion->ficheroFoto : estacion->ficheroCroquis;
    return campo.vacio() ? std::string(kImagenPorDefecto) : cp1252AUtf8(campo.vista());
}

CSeleccionGestor::CSeleccionGestor(CDocumentoObservaciones& documento) : documento_(documento) {
    documento_.fijarObservador(this);
}

void CSeleccionGestor::tocarRejilla() {
    ++revisiones_.rejilla;
    ++revisiones_.dibujo;
}

void CSeleccionGestor::tocarArbol() {
    ++revisiones_.arbol;
    ++revisiones_.dibujo;
}

void CSeleccionGestor::vaciarPuntos() {
    coordenadas_.vaciarPuntos();
    if (estado_ == EstadoSeleccion::FicheroCoordenadas) tocarRejilla();
    ++revisiones_.dibujo;
}

void CSeleccionGestor::olvidarActuales() {
    estacionActual_ = nullptr;
    estacionamientoActual_ = nullptr;
}

void CSeleccionGestor::olvidarLibreta() {
    olvidarActuales();
    // Nothing of the previous book stays on screen: its coordinate-file points and its zoom.
    vaciarPuntos();
    ++revisiones_.libreta;
    filaActual_ = 0;
}

// ---------------------------------------------------------------- tree

void CSeleccionGestor::listarFicherosCoordenadas() {
    coordenadas_.listar(documento_.anfitrion(carpetaLibreta(documento_.ajustes())));
}

void CSeleccionGestor::refrescarFicherosCoordenadas(bool siCambian) {
    NodoArbol nodo = nodo_;
    std::optional<std::string> fichero;
    if (nodo.tipo == TipoNodo::FicheroCoordenadas && nodo.fichero < coordenadas_.nombres().size())
        fichero = coordenadas_.nombres()[nodo.fichero];
    const std::vector<std::string> antes = coordenadas_.nombres();
    listarFicherosCoordenadas();
    if (siCambian && coordenadas_.nombres() == antes) return;
    tocarArbol();
    if (fichero) {
        const auto& nombres = coordenadas_.nombres();
        const auto hallado = std::find(nombres.begin(), nombres.end(), *fichero);
        nodo = hallado == nombres.end() ? NodoArbol::raizCoordenadas()
                                        : NodoArbol::deFichero(static_cast<std::size_t>(hallado - nombres.begin()));
    }
    seleccionar(nodo);
}

void CSeleccionGestor::reconstruirArbol(const Estacion* estacion, const Estacionamiento* estacionamiento,
                                        bool seleccionarCoordenadas) {
    listarFicherosCoordenadas();
    tocarArbol();
    const CLibretaCampo& libreta = documento_.libreta();
    NodoArbol destino = NodoArbol::raizEstaciones();
    if (seleccionarCoordenadas) {
        destino = NodoArbol::raizCoordenadas();
    } else if (posicionDe(libreta, estacion, estacionamiento)) {
        destino = NodoArbol::deEstacionamiento(const_cast<Estacion*>(estacion),
                                               const_cast<Estacionamiento*>(estacionamiento));
    } else if (posicionDe(libreta, estacion)) {
        destino = NodoArbol::deEstacion(const_cast<Estacion*>(estacion));
    }
    seleccionar(destino);
}

void CSeleccionGestor::seleccionar(const NodoArbol& pedido) {
    escribirPanelesPendientes();

    NodoArbol nodo = pedido;
    const CLibretaCampo& libreta = documento_.libreta();
    // A node whose record left the book (a window freed it) falls back to the root.
    if ((nodo.tipo == TipoNodo::Estacion && !posicionDe(libreta, nodo.estacion)) ||
        (nodo.tipo == TipoNodo::Estacionamiento && !posicionDe(libreta, nodo.estacion, nodo.estacionamiento)))
        nodo = NodoArbol::raizEstaciones();
    nodo_ = nodo;
    ++revisiones_.paneles;
    tocarRejilla();

    switch (nodo.tipo) {
        case TipoNodo::Ninguno:
            return;
        case TipoNodo::Estacionamiento:
            estado_ = EstadoSeleccion::Estacionamiento;
            estacionActual_ = nodo.estacion;
            estacionamientoActual_ = nodo.estacionamiento;
            mostrarEstacionamiento();
            filaActual_ = 0;
            modoDibujo_ = ModoDibujo::Estacionamiento;
            return;
        case TipoNodo::Estacion:
            estado_ = EstadoSeleccion::Estacion;
            estacionActual_ = nodo.estacion;
            estacionamientoActual_ = nullptr;
            mostrarEstacion();
            return;
        case TipoNodo::FicheroCoordenadas:
            estado_ = EstadoSeleccion::FicheroCoordenadas;
            olvidarActuales();
            vaciarPuntos();
            filaActual_ = 0;
            if (nodo.fichero >= coordenadas_.nombres().size()) return;
            if (coordenadas_.leer(documento_.anfitrion(carpetaLibreta(documento_.ajustes())), nodo.fichero)) {
                modoDibujo_ = ModoDibujo::FicheroCoordenadas;
            } else {
                vaciarPuntos();
                documento_.avisos().mensaje("ERROR");
            }
            return;
        case TipoNodo::RaizEstaciones:
            estado_ = EstadoSeleccion::Estaciones;
            olvidarActuales();
            filaActual_ = 0;
            modoDibujo_ = ModoDibujo::Estaciones;
            return;
        case TipoNodo::RaizCoordenadas:
            estado_ = EstadoSeleccion::Coordenadas;
            olvidarActuales();
            modoDibujo_ = ModoDibujo::Proyecto;
            return;
    }
}

std::string_view CSeleccionGestor::rotulo() const {
    switch (estado_) {
        case EstadoSeleccion::Estaciones: return "L I S T A D O    D E    L A S    B A S E S";
        case EstadoSeleccion::Estacion: return "D E T A L L E    D E    L A    B A S E ";
        case EstadoSeleccion::Estacionamiento: return "L E C T U R A S    D E L    E S T A C I O N A M I E N T O";
        case EstadoSeleccion::Coordenadas: return "D  I  B  U  J  O";
        case EstadoSeleccion::FicheroCoordenadas: return "L I S T A D O    D E    C O O R D E N A D A S";
        default: return "";
    }
}

// ---------------------------------------------------------------- panes

void CSeleccionGestor::mostrarEstacion() {
    const Estacion& e = *estacionActual_;
    PanelEstacion p;
    p.nombre = cp1252AUtf8(e.nombre.vista());
    p.x = formatear("%1.3lf", e.x);
    p.y = formatear("%1.3lf", e.y);
    p.z = formatear("%1.3lf", e.z);
    p.descripcion1 = cp1252AUtf8(e.descripcion1.vista());
    p.descripcion2 = cp1252AUtf8(e.descripcion2.vista());
    p.croquis = croquisAPanel(e.croquis.vista());
    p.tipo = e.tipo;
    panelEstacion_ = p;
    panelEstacionMostrado_ = p;
}

void CSeleccionGestor::mostrarEstacionamiento() {
    const Estacionamiento& s = *estacionamientoActual_;
    PanelEstacionamiento p;
    p.nombre = cp1252AUtf8(s.nombre.vista());
    p.estacion = cp1252AUtf8(s.estacion.vista());
    p.altura = formatear("%1.3lf", s.alturaInstrumento);
    p.desorientacion = formatear("%1.4lf", s.desorientacion);
    panelEstacionamiento_ = p;
    panelEstacionamientoMostrado_ = p;
    desorientacionMostrada_ = s.desorientacion;
}

// Only what the user changed is written back: a value shown rounded to three
// decimals keeps its full precision when the user merely looked at it.
void CSeleccionGestor::escribirPanelEstacion() {
    const auto i = posicionDe(documento_.libreta(), estacionActual_);
    if (!i) return;
    Estacion& e = *estacionActual_;
    auto paso = pasoCabecera("Editar estación " + cp1252AUtf8(e.nombre.vista()), *i, e);
    const PanelEstacion& p = panelEstacion_;
    const PanelEstacion& antes = panelEstacionMostrado_;
    bool cambio = false;
    if (p.descripcion1 != antes.descripcion1) cambio |= asignarSiCambia(e.descripcion1, utf8ACp1252(p.descripcion1));
    if (p.descripcion2 != antes.descripcion2) cambio |= asignarSiCambia(e.descripcion2, utf8ACp1252(p.descripcion2));
    if (p.croquis != antes.croquis) cambio |= asignarSiCambia(e.croquis, croquisARegistro(p.croquis));
    auto coordenada = [&cambio](const std::string& texto, const std::string& mostrado, double& valor) {
        if (texto == mostrado) return;
        const double nuevo = textoANumero(texto);
        if (nuevo != valor) {
            valor = nuevo;
            cambio = true;
        }
    };
    coordenada(p.x, antes.x, e.x);
    coordenada(p.y, antes.y, e.y);
    coordenada(p.z, antes.z, e.z);
    if (p.tipo != antes.tipo && p.tipo != e.tipo) {
        e.tipo = p.tipo;
        cambio = true;
    }
    panelEstacionMostrado_ = p;
    if (cambio) {
        documento_.registrarPaso(std::move(paso));
        ++revisiones_.dibujo;
    }
}

void CSeleccionGestor::escribirPanelEstacionamiento() {
    const auto pos = posicionDe(documento_.libreta(), estacionActual_, estacionamientoActual_);
    if (!pos) return;
    Estacionamiento& s = *estacionamientoActual_;
    auto paso = pasoCabecera("Editar estacionamiento " + cp1252AUtf8(s.nombre.vista()), pos->first, *estacionActual_);
    const PanelEstacionamiento& p = panelEstacionamiento_;
    const PanelEstacionamiento& antes = panelEstacionamientoMostrado_;
    bool cambio = false;
    if (p.altura != antes.altura) {
        const double altura = textoANumero(p.altura);
        cambio |= altura != s.alturaInstrumento;
        s.alturaInstrumento = altura;
    }
    const double desorientacion = p.desorientacion != antes.desorientacion
                                      ? normalizarDesorientacionTecleada(utf8ACp1252(p.desorientacion))
                                      : desorientacionMostrada_;
    cambio |= desorientacion != s.desorientacion;
    s.desorientacion = desorientacion;
    panelEstacionamientoMostrado_ = p;
    desorientacionMostrada_ = s.desorientacion;
    if (cambio) {
        documento_.registrarPaso(std::move(paso));
        ++revisiones_.dibujo;
    }
}

bool CSeleccionGestor::panelPendiente() const {
    if (estado_ == EstadoSeleccion::Estacion) return !(panelEstacion_ == panelEstacionMostrado_);
    if (estado_ == EstadoSeleccion::Estacionamiento) return !(panelEstacionamiento_ == panelEstacionamientoMostrado_);
    return false;
}

void CSeleccionGestor::escribirPanelesPendientes() {
    if (estado_ == EstadoSeleccion::Estacion) escribirPanelEstacion();
    if (estado_ == EstadoSeleccion::Estacionamiento) escribirPanelEstacionamiento();
}

void CSeleccionGestor::cambiarTextoDesorientacion(std::string_view texto) {
    panelEstacionamiento_.desorientacion = std::string(texto);
    const auto pos = posicionDe(documento_.libreta(), estacionActual_, estacionamientoActual_);
    if (estado_ != EstadoSeleccion::Estacionamiento || !pos) return;
    auto paso = pasoCabecera("Teclear desorientación " + cp1252AUtf8(estacionamientoActual_->nombre.vista()),
                             pos->first, *estacionActual_);
    const double antes = estacionamientoActual_->desorientacion;
    estacionamientoActual_->desorientacion = panelEstacionamiento_.desorientacion ==
                                                     panelEstacionamientoMostrado_.desorientacion
                                                 ? desorientacionMostrada_
                                                 : textoANumero(texto);
    // One step for the whole typing in the field.
    if (std::memcmp(&antes, &estacionamientoActual_->desorientacion, sizeof antes) != 0)
        documento_.registrarTecleo(std::move(paso), "desorientacion " + std::to_string(pos->first) + " " +
                                                        std::to_string(pos->second));
    ++revisiones_.dibujo;
}

void CSeleccionGestor::refrescarNombres() {
    if (estacionActual_) {
        panelEstacion_.nombre = panelEstacionMostrado_.nombre = cp1252AUtf8(estacionActual_->nombre.vista());
        panelEstacionamiento_.estacion = panelEstacionamientoMostrado_.estacion = panelEstacion_.nombre;
    }
    if (estacionamientoActual_)
        panelEstacionamiento_.nombre = panelEstacionamientoMostrado_.nombre =
            cp1252AUtf8(estacionamientoActual_->nombre.vista());
    ++revisiones_.paneles;
}

void CSeleccionGestor::cambiarPestana(int pestana) {
    pestanaImagen_ = pestana == 1 ? 1 : 0;
    ++revisiones_.paneles;
}

// ---------------------------------------------------------------- drawing

bool CSeleccionGestor::vista(VistaDibujo v) const {
    const CDatosGenerales& a = documento_.ajustes();
    switch (v) {
        case VistaDibujo::Estaciones: return a.verEstaciones != 0;
        case VistaDibujo::Puntos: return a.verPuntos != 0;
        case VistaDibujo::Visuales: return a.verVisuales != 0;
        case VistaDibujo::Numeros: return a.verNumeros != 0;
    }
    return false;
}

void CSeleccionGestor::cambiarVista(VistaDibujo v, bool activa) {
    CDatosGenerales& a = documento_.ajustes();
    const std::uint8_t valor = activa ? 1 : 0;
    switch (v) {
        case VistaDibujo::Estaciones: a.verEstaciones = valor; break;
        case VistaDibujo::Puntos: a.verPuntos = valor; break;
        case VistaDibujo::Visuales: a.verVisuales = valor; break;
        case VistaDibujo::Numeros: a.verNumeros = valor; break;
    }
    ++revisiones_.dibujo;
}

// ---------------------------------------------------------------- selection rules

Estacion* CSeleccionGestor::estacionSeleccionada() {
    switch (nodo_.tipo) {
        case TipoNodo::Estacion:
        case TipoNodo::Estacionamiento:
            if (posicionDe(documento_.libreta(), nodo_.estacion)) return nodo_.estacion;
            break;
        case TipoNodo::FicheroCoordenadas:
            return nullptr;
        default:
            break;
    }
    documento_.avisos().mensaje("1º Seleccionar una Estación");
    return nullptr;
}

Estacionamiento* CSeleccionGestor::estacionamientoSeleccionado() {
    if (nodo_.tipo == TipoNodo::Estacionamiento &&
        posicionDe(documento_.libreta(), nodo_.estacion, nodo_.estacionamiento))
        return nodo_.estacionamiento;
    documento_.avisos().mensaje("1º Seleccionar la SubEstación");
    return nullptr;
}

// ---------------------------------------------------------------- undo and redo

LugarSeleccion CSeleccionGestor::lugar() const {
    const CLibretaCampo& libreta = documento_.libreta();
    const auto enEstacionamiento = posicionDe(libreta, estacionActual_, estacionamientoActual_);
    return {posicionDe(libreta, estacionActual_),
            enEstacionamiento ? std::optional(enEstacionamiento->second) : std::nullopt, estado_, filaActual_};
}

// The station and set-up at the same positions, the same grid row.
void CSeleccionGestor::volverA(const LugarSeleccion& l) {
    olvidarActuales();
    const auto& lista = documento_.libreta().estaciones;
    Estacion* e = l.estacion && *l.estacion < lista.size() ? lista[*l.estacion].get() : nullptr;
    Estacionamiento* s = nullptr;
    if (e && l.estacionamiento && *l.estacionamiento < e->estacionamientos.size())
        s = e->estacionamientos[*l.estacionamiento].get();
    if (l.estado == EstadoSeleccion::FicheroCoordenadas) {
        tocarArbol();
        return;
    }
    reconstruirArbol(e, s, l.estado == EstadoSeleccion::Coordenadas);
    std::size_t filas = 0;
    if (estado_ == EstadoSeleccion::Estaciones) filas = lista.size();
    if (estado_ == EstadoSeleccion::Estacionamiento && estacionamientoActual_)
        filas = estacionamientoActual_->lecturas.size();
    if (estado_ == l.estado) filaActual_ = filas == 0 ? 0 : std::min(l.fila, filas - 1);
}

}  // namespace celvara
