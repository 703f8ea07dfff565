// Edits of the field book from the main window: grid cells, tree labels,
// inserting, appending and deleting stations and readings, adding and
// deleting set-ups, merging every set-up of a station.
#include <exception>
#include <new>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_observaciones.h"
#include "manager/gestor_rejillas.h"

namespace celvara {

namespace {

constexpr const char* kFaltaMemoria = "\nfalta memoria";

template <std::size_t N>
bool asignarTexto(TextoFijo<N>& campo, std::string_view cp1252) {
    const TextoFijo<N> nuevo(cp1252);
    if (nuevo == campo) return false;
    campo = nuevo;
    return true;
}

bool asignarNumero(double& campo, std::string_view texto) {
    const double nuevo = textoANumero(texto);
    if (nuevo == campo) return false;
    campo = nuevo;
    return true;
}

std::unique_ptr<Estacion> estacionVacia(std::string_view nombre) {
    auto e = std::make_unique<Estacion>();
    e->nombre = nombre;
    e->ficheroFoto = kFotoPorDefecto;
    e->ficheroCroquis = kFotoPorDefecto;
    return e;
}

// "1 lectura", "44 lecturas".
std::string cuantos(std::size_t n, std::string_view uno, std::string_view varios) {
    return std::to_string(n) + " " + std::string(n == 1 ? uno : varios);
}

// Deleting asks first, naming what goes; a row just inserted and left blank
// goes without a question, as nothing is lost with it.
bool confirmarBorrado(Avisos& avisos, std::string texto) {
    return avisos.mensaje(texto, "Borrar", Botones::SiNo, Icono::Pregunta) == Respuesta::Si;
}

bool confirmarBorradoEstacion(Avisos& avisos, const Estacion& e) {
    if (e.nombre.vista().empty() && e.estacionamientos.empty() && e.x == 0 && e.y == 0 && e.z == 0) return true;
    std::string texto = "¿Borrar la estación " + cp1252AUtf8(e.nombre.vista());
    if (!e.estacionamientos.empty()) {
        std::size_t lecturas = 0;
        for (const auto& s : e.estacionamientos) lecturas += s->lecturas.size();
        texto += " con " + cuantos(e.estacionamientos.size(), "estacionamiento", "estacionamientos") + " y " +
                 cuantos(lecturas, "lectura", "lecturas");
    }
    return confirmarBorrado(avisos, texto + "?");
}

bool confirmarBorradoEstacionamiento(Avisos& avisos, const Estacionamiento& s) {
    std::string texto = "¿Borrar el estacionamiento " + cp1252AUtf8(s.nombre.vista());
    if (!s.lecturas.empty()) texto += " con " + cuantos(s.lecturas.size(), "lectura", "lecturas");
    return confirmarBorrado(avisos, texto + "?");
}

}  // namespace

// ---------------------------------------------------------------- cells and labels

bool CGestorObservaciones::editarCelda(std::size_t fila, std::size_t columna, std::string_view texto) {
    switch (estado_) {
        case EstadoSeleccion::Estaciones: return editarCeldaEstacion(fila, columna, texto);
        case EstadoSeleccion::Estacionamiento: return editarCeldaLectura(fila, columna, texto);
        default:
            avisos_.mensaje(formatear("fila %d columna %d, EXISTE UN ERROR", static_cast<int>(fila),
                                      static_cast<int>(columna)));
            return false;
    }
}

bool CGestorObservaciones::editarCeldaEstacion(std::size_t fila, std::size_t columna, std::string_view utf8) {
    if (fila >= libreta_.estaciones.size()) return false;
    Estacion& e = *libreta_.estaciones[fila];
    const std::string texto = utf8ACp1252(utf8);
    auto paso = pasoCabecera("Editar estación " + cp1252AUtf8(e.nombre.vista()), fila, e);
    bool cambio = false;
    switch (columna) {
        case 0: cambio = renombrarEstacion(e, texto); break;
        case 1: cambio = asignarNumero(e.x, texto); break;
        case 2: cambio = asignarNumero(e.y, texto); break;
        case 3: cambio = asignarNumero(e.z, texto); break;
        case 4: {
            const std::int32_t tipo = tipoBaseDeTexto(texto);
            cambio = tipo != e.tipo;
            e.tipo = tipo;
            break;
        }
        case 5: cambio = asignarTexto(e.descripcion1, texto); break;
        case 6: cambio = asignarTexto(e.descripcion2, texto); break;
        case 7: cambio = asignarTexto(e.ficheroFoto, texto); break;
        case 8: cambio = asignarTexto(e.ficheroCroquis, texto); break;
        default: break;
    }
    if (cambio) {
        registrarPaso(std::move(paso));
        ++revisiones_.dibujo;
    }
    return cambio;
}

bool CGestorObservaciones::editarCeldaLectura(std::size_t fila, std::size_t columna, std::string_view utf8) {
    const auto pos = posicionDe(estacionActual_, estacionamientoActual_);
    if (!pos) return false;
    auto& lecturas = estacionamientoActual_->lecturas;
    if (fila >= lecturas.size()) return false;
    Lectura& l = lecturas[fila];
    const Lectura antes = l;
    const std::string texto = utf8ACp1252(utf8);
    bool cambio = false;
    switch (columna) {
        case 0: cambio = asignarTexto(l.nombre, texto); break;
        case 1: cambio = asignarNumero(l.jalon, texto); break;
        case 2: cambio = asignarNumero(l.horizontal, texto); break;
        case 3: cambio = asignarNumero(l.vertical, texto); break;
        case 4: cambio = asignarNumero(l.distancia, texto); break;
        case 5: cambio = asignarTexto(l.codigo, texto); break;
        default: break;
    }
    if (cambio) {
        registrarPaso(pasoLectura("Editar lectura " + cp1252AUtf8(antes.nombre.vista()), pos->first, pos->second,
                                  fila, antes));
        ++revisiones_.dibujo;
    }
    return cambio;
}

// A station takes a new name only when no other station has it; its set-ups
// follow in their `estacion` field.
bool CGestorObservaciones::renombrarEstacion(Estacion& estacion, std::string_view nombreCp1252) {
    const TextoFijo<16> nuevo(nombreCp1252);
    if (nuevo == estacion.nombre) return false;
    for (const auto& otra : libreta_.estaciones)
        if (otra.get() != &estacion && otra->nombre == nuevo) return false;
    estacion.nombre = nuevo;
    for (auto& s : estacion.estacionamientos) s->estacion = nuevo.vista();
    if (&estacion == estacionActual_) {
        panelEstacion_.nombre = panelEstacionMostrado_.nombre = cp1252AUtf8(nuevo.vista());
        panelEstacionamiento_.estacion = panelEstacionamientoMostrado_.estacion = panelEstacion_.nombre;
        ++revisiones_.paneles;
    }
    tocarArbol();
    return true;
}

bool CGestorObservaciones::renombrarEstacionamiento(Estacionamiento& estacionamiento, std::string_view nombreCp1252) {
    const TextoFijo<15> nuevo(nombreCp1252);
    if (nuevo == estacionamiento.nombre || libreta_.nombreEstacionamientoUsado(nuevo.vista())) return false;
    estacionamiento.nombre = nuevo;
    if (&estacionamiento == estacionamientoActual_) {
        panelEstacionamiento_.nombre = panelEstacionamientoMostrado_.nombre = cp1252AUtf8(nuevo.vista());
        ++revisiones_.paneles;
    }
    tocarArbol();
    return true;
}

bool CGestorObservaciones::renombrar(const NodoArbol& nodo, std::string_view textoUtf8) {
    if (textoUtf8.empty()) return false;
    const std::string texto = utf8ACp1252(textoUtf8);
    const auto i = posicionDe(nodo.estacion);
    if (!i) return false;
    std::string nombre = "Renombrar " + cp1252AUtf8(nodo.tipo == TipoNodo::Estacionamiento && nodo.estacionamiento
                                                        ? nodo.estacionamiento->nombre.vista()
                                                        : nodo.estacion->nombre.vista());
    auto paso = pasoCabecera(std::move(nombre), *i, *nodo.estacion);
    bool cambio = false;
    if (nodo.tipo == TipoNodo::Estacion && estacionEnLibreta(nodo.estacion)) {
        cambio = renombrarEstacion(*nodo.estacion, texto);
    } else if (nodo.tipo == TipoNodo::Estacionamiento &&
               estacionamientoEnLibreta(nodo.estacion, nodo.estacionamiento)) {
        cambio = renombrarEstacionamiento(*nodo.estacionamiento, texto);
    }
    if (cambio) {
        registrarPaso(std::move(paso));
        if (estado_ == EstadoSeleccion::Estaciones) tocarRejilla();
    }
    return cambio;
}

// ---------------------------------------------------------------- stations

void CGestorObservaciones::insertarEstacionEn(std::size_t fila) {
    auto& lista = libreta_.estaciones;
    fila = std::min(fila, lista.size());
    const char* nombre = fila == lista.size() ? "Añadir estación" : "Insertar estación";
    try {
        lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(fila), estacionVacia(""));
    } catch (const std::bad_alloc&) {
        avisos_.mensaje(kFaltaMemoria);
        return;
    }
    registrarPaso(pasoEstaciones(nombre, fila, 1, {}));
    filaActual_ = fila;
    focoRejilla_ = true;
    tocarArbol();
    tocarRejilla();
}

void CGestorObservaciones::borrarEstacionEn(std::size_t fila) {
    auto& lista = libreta_.estaciones;
    if (fila >= lista.size() || !confirmarBorradoEstacion(avisos_, *lista[fila])) return;
    std::string nombre = "Borrar estación " + cp1252AUtf8(lista[fila]->nombre.vista());
    ListaEstaciones sacada;
    sacada.push_back(std::move(lista[fila]));
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(fila));
    registrarPaso(pasoEstaciones(std::move(nombre), fila, 0, std::move(sacada)));
    filaActual_ = fila > 0 ? fila - 1 : 0;
    tocarArbol();
    tocarRejilla();
}

void CGestorObservaciones::eliminarEstacion(Estacion* estacion) {
    auto& lista = libreta_.estaciones;
    for (auto it = lista.begin(); it != lista.end(); ++it) {
        if (it->get() != estacion) continue;
        if (estacion == estacionActual_) olvidarActuales();
        const auto fila = static_cast<std::size_t>(it - lista.begin());
        std::string nombre = "Borrar estación " + cp1252AUtf8(estacion->nombre.vista());
        ListaEstaciones sacada;
        sacada.push_back(std::move(*it));
        lista.erase(it);
        registrarPaso(pasoEstaciones(std::move(nombre), fila, 0, std::move(sacada)));
        return;
    }
}

void CGestorObservaciones::insertarEstacion() {
    if (estado_ == EstadoSeleccion::Estaciones) insertarEstacionEn(filaActual_);
}

void CGestorObservaciones::anadirEstacion() {
    if (estado_ == EstadoSeleccion::Estaciones) insertarEstacionEn(libreta_.estaciones.size());
}

void CGestorObservaciones::borrarEstacion() {
    if (estado_ == EstadoSeleccion::Estaciones) {
        borrarEstacionEn(filaActual_);
    } else if (estado_ == EstadoSeleccion::Estacion && estacionEnLibreta(estacionActual_)) {
        if (!confirmarBorradoEstacion(avisos_, *estacionActual_)) return;
        eliminarEstacion(estacionActual_);
        reconstruirArbol();
    }
}

void CGestorObservaciones::anadirEstacionPorNombre() {
    const auto respuesta = dialogos_.pedirNombre(false, "");
    if (!respuesta || respuesta->empty()) return;
    const TextoFijo<16> nombre(utf8ACp1252(*respuesta));
    if (libreta_.buscarEstacion(nombre.vista())) return;
    Estacion* nueva = nullptr;
    try {
        libreta_.estaciones.push_back(estacionVacia(nombre.vista()));
        nueva = libreta_.estaciones.back().get();
    } catch (const std::bad_alloc&) {
        avisos_.mensaje(kFaltaMemoria);
        return;
    }
    registrarPaso(pasoEstaciones("Añadir estación " + cp1252AUtf8(nombre.vista()), libreta_.estaciones.size() - 1, 1, {}));
    reconstruirArbol(nueva);
}

// ---------------------------------------------------------------- set-ups

void CGestorObservaciones::anadirEstacionamiento() {
    if (seleccion_.tipo != TipoNodo::Estacion || !estacionEnLibreta(seleccion_.estacion)) {
        avisos_.mensaje("1º Seleccionar la Estación");
        return;
    }
    Estacion* estacion = seleccion_.estacion;
    const auto respuesta = dialogos_.pedirNombre(true, cp1252AUtf8(estacion->nombre.vista()) + "_");
    if (!respuesta || respuesta->empty()) return;
    const TextoFijo<15> nombre(utf8ACp1252(*respuesta));
    if (libreta_.nombreEstacionamientoUsado(nombre.vista())) return;
    Estacionamiento* nuevo = crearEstacionamiento(estacion->estacionamientos, nullptr, nombre.vista(),
                                                  estacion->nombre.vista(), 0.0, &ajustes_.datosPorDefecto, 0.0);
    if (!nuevo) {
        avisos_.mensaje(kFaltaMemoria);
        return;
    }
    const auto pos = posicionDe(estacion, nuevo);
    registrarPaso(pasoEstacionamientos("Añadir estacionamiento " + cp1252AUtf8(nombre.vista()), pos->first,
                                       pos->second, 1, {}));
    reconstruirArbol(estacion, nuevo);
}

void CGestorObservaciones::borrarEstacionamiento() {
    Estacionamiento* s = estacionamientoSeleccionado();
    if (!s || !confirmarBorradoEstacionamiento(avisos_, *s)) return;
    Estacion* estacion = seleccion_.estacion;
    const auto pos = posicionDe(estacion, s);
    if (!pos) return;
    olvidarActuales();
    auto& lista = estacion->estacionamientos;
    std::string nombre = "Borrar estacionamiento " + cp1252AUtf8(s->nombre.vista());
    ListaEstacionamientos sacado;
    sacado.push_back(std::move(lista[pos->second]));
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(pos->second));
    registrarPaso(pasoEstacionamientos(std::move(nombre), pos->first, pos->second, 0, std::move(sacado)));
    reconstruirArbol(estacion);
}

// Each set-up, from the last towards the first, is merged into the one
// before it: its readings keep their orientated direction (horizontal plus
// the difference of orientation corrections) and their target height over
// the ground mark (plus the difference of instrument heights).
void CGestorObservaciones::unirTodosEstacionamientos() {
    Estacion* estacion = estacionSeleccionada();
    if (!estacion) return;
    auto& lista = estacion->estacionamientos;
    if (lista.size() < 2) return;
    escribirPanelesPendientes();
    olvidarActuales();
    const auto i = posicionDe(estacion);
    ListaEstaciones antes;
    antes.push_back(copiarEstacion(*estacion));
    while (lista.size() > 1) {
        Estacionamiento& s = *lista.back();
        Estacionamiento& p = *lista[lista.size() - 2];
        try {
            p.lecturas.reserve(p.lecturas.size() + s.lecturas.size());
        } catch (const std::bad_alloc&) {
            avisos_.mensaje(kFaltaMemoria);
            break;
        }
        const double dHorizontal = s.desorientacion - p.desorientacion;
        const double dJalon = p.alturaInstrumento - s.alturaInstrumento;
        for (Lectura l : s.lecturas) {
            l.horizontal += dHorizontal;
            l.jalon += dJalon;
            p.lecturas.push_back(l);
        }
        lista.pop_back();
    }
    registrarPaso(pasoEstaciones("Unir estacionamientos de " + cp1252AUtf8(estacion->nombre.vista()), *i, 1,
                                 std::move(antes)));
    reconstruirArbol(estacion, lista.front().get());
}

// ---------------------------------------------------------------- readings

void CGestorObservaciones::insertarLecturaEn(std::size_t fila) {
    const auto pos = posicionDe(estacionActual_, estacionamientoActual_);
    if (!pos) return;
    auto& lista = estacionamientoActual_->lecturas;
    fila = std::min(fila, lista.size());
    const char* nombre = fila == lista.size() ? "Añadir lectura" : "Insertar lectura";
    try {
        lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(fila), Lectura{});
    } catch (const std::bad_alloc&) {
        avisos_.mensaje(kFaltaMemoria);
        return;
    }
    registrarPaso(pasoLecturas(nombre, pos->first, pos->second, fila, 1, {}));
    filaActual_ = fila;
    focoRejilla_ = true;
    tocarRejilla();
}

void CGestorObservaciones::borrarLecturaEn(std::size_t fila) {
    const auto pos = posicionDe(estacionActual_, estacionamientoActual_);
    if (!pos) return;
    auto& lista = estacionamientoActual_->lecturas;
    if (fila >= lista.size()) return;
    if (!(lista[fila] == Lectura{}) &&
        !confirmarBorrado(avisos_, "¿Borrar 1 lectura (" + cp1252AUtf8(lista[fila].nombre.vista()) +
                                       ") del estacionamiento " +
                                       cp1252AUtf8(estacionamientoActual_->nombre.vista()) + "?"))
        return;
    std::string nombre = "Borrar lectura " + cp1252AUtf8(lista[fila].nombre.vista());
    ListaLecturas sacada{lista[fila]};
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(fila));
    registrarPaso(pasoLecturas(std::move(nombre), pos->first, pos->second, fila, 0, std::move(sacada)));
    filaActual_ = fila > 0 ? fila - 1 : 0;
    tocarRejilla();
}

void CGestorObservaciones::insertarLectura() {
    if (estado_ == EstadoSeleccion::Estacionamiento) insertarLecturaEn(filaActual_);
}

void CGestorObservaciones::anadirLectura() {
    if (estado_ == EstadoSeleccion::Estacionamiento && estacionamientoActual_)
        insertarLecturaEn(estacionamientoActual_->lecturas.size());
}

void CGestorObservaciones::borrarLectura() {
    if (estado_ == EstadoSeleccion::Estacionamiento) borrarLecturaEn(filaActual_);
}

// ---------------------------------------------------------------- grid requests

void CGestorObservaciones::insertarFila(std::size_t fila) {
    if (estado_ == EstadoSeleccion::Estaciones) insertarEstacionEn(fila);
    if (estado_ == EstadoSeleccion::Estacionamiento) insertarLecturaEn(fila);
}

void CGestorObservaciones::borrarFila(std::size_t fila) {
    if (estado_ == EstadoSeleccion::Estaciones) borrarEstacionEn(fila);
    if (estado_ == EstadoSeleccion::Estacionamiento) borrarLecturaEn(fila);
}

// ---------------------------------------------------------------- undo and redo

std::optional<std::size_t> CGestorObservaciones::posicionDe(const Estacion* e) const {
    const auto& lista = libreta_.estaciones;
    for (std::size_t i = 0; e && i < lista.size(); ++i)
        if (lista[i].get() == e) return i;
    return std::nullopt;
}

std::optional<std::pair<std::size_t, std::size_t>> CGestorObservaciones::posicionDe(const Estacion* e,
                                                                                      const Estacionamiento* s) const {
    const auto i = posicionDe(e);
    if (!i || !s) return std::nullopt;
    const auto& lista = e->estacionamientos;
    for (std::size_t j = 0; j < lista.size(); ++j)
        if (lista[j].get() == s) return std::pair{*i, j};
    return std::nullopt;
}

void CGestorObservaciones::registrarPaso(std::unique_ptr<PasoLibreta> paso) {
    historial_.registrar(std::move(paso));
    ++cambios_;
}

void CGestorObservaciones::deshacer() { moverHistorial(true); }
void CGestorObservaciones::rehacer() { moverHistorial(false); }

// Pending pane edits become a step first. Then the same place is shown
// again: the station and set-up at the same positions, the same grid row.
void CGestorObservaciones::moverHistorial(bool atras) {
    escribirPanelesPendientes();
    if (atras ? !historial_.puedeDeshacer() : !historial_.puedeRehacer()) return;
    const auto enEstacion = posicionDe(estacionActual_);
    const auto enEstacionamiento = posicionDe(estacionActual_, estacionamientoActual_);
    const EstadoSeleccion estado = estado_;
    const std::size_t fila = filaActual_;
    olvidarActuales();
    ++cambios_;
    try {
        if (atras) historial_.deshacer(libreta_);
        else historial_.rehacer(libreta_);
    } catch (const std::exception&) {
        // Out of memory, or a step that no longer fits the book: what was
        // done stays, and the history is given up rather than trusted.
        historial_.vaciar();
        marcarModificado();
        avisos_.mensaje("No se puede deshacer: el historial de cambios se ha perdido");
    }

    const auto& lista = libreta_.estaciones;
    Estacion* e = enEstacion && *enEstacion < lista.size() ? lista[*enEstacion].get() : nullptr;
    Estacionamiento* s = nullptr;
    if (e && enEstacionamiento && enEstacionamiento->second < e->estacionamientos.size())
        s = e->estacionamientos[enEstacionamiento->second].get();
    if (estado == EstadoSeleccion::FicheroCoordenadas) {
        tocarArbol();
        return;
    }
    reconstruirArbol(e, s, estado == EstadoSeleccion::Coordenadas);
    std::size_t filas = 0;
    if (estado_ == EstadoSeleccion::Estaciones) filas = lista.size();
    if (estado_ == EstadoSeleccion::Estacionamiento && estacionamientoActual_)
        filas = estacionamientoActual_->lecturas.size();
    if (estado_ == estado) filaActual_ = filas == 0 ? 0 : std::min(fila, filas - 1);
}

}  // namespace celvara
