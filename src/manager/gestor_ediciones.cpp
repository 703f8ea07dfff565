// Edits of the field book from the main window: grid cells, tree labels,
// inserting, appending and deleting stations and readings, adding and
// deleting set-ups, merging every set-up of a station.
#include <exception>
#include <new>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_ediciones.h"
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

bool CEdicionesGestor::editarCelda(std::size_t fila, std::size_t columna, std::string_view texto) {
    switch (seleccion_.estado()) {
        case EstadoSeleccion::Estaciones: return editarCeldaEstacion(fila, columna, texto);
        case EstadoSeleccion::Estacionamiento: return editarCeldaLectura(fila, columna, texto);
        default:
            avisos().mensaje(formatear("fila %d columna %d, EXISTE UN ERROR", static_cast<int>(fila),
                                      static_cast<int>(columna)));
            return false;
    }
}

bool CEdicionesGestor::editarCeldaEstacion(std::size_t fila, std::size_t columna, std::string_view utf8) {
    if (fila >= libreta().estaciones.size()) return false;
    Estacion& e = *libreta().estaciones[fila];
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
        documento_.registrarPaso(std::move(paso));
        seleccion_.tocarDibujo();
    }
    return cambio;
}

bool CEdicionesGestor::editarCeldaLectura(std::size_t fila, std::size_t columna, std::string_view utf8) {
    const auto pos = posicionDe(libreta(), seleccion_.estacionActual(), seleccion_.estacionamientoActual());
    if (!pos) return false;
    auto& lecturas = seleccion_.estacionamientoActual()->lecturas;
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
        documento_.registrarPaso(pasoLectura("Editar lectura " + cp1252AUtf8(antes.nombre.vista()), pos->first, pos->second,
                                  fila, antes));
        seleccion_.tocarDibujo();
    }
    return cambio;
}

// A station takes a new name only when no other station has it; its set-ups
// follow in their `estacion` field.
bool CEdicionesGestor::renombrarEstacion(Estacion& estacion, std::string_view nombreCp1252) {
    const TextoFijo<16> nuevo(nombreCp1252);
    if (nuevo == estacion.nombre) return false;
    for (const auto& otra : libreta().estaciones)
        if (otra.get() != &estacion && otra->nombre == nuevo) return false;
    estacion.nombre = nuevo;
    for (auto& s : estacion.estacionamientos) s->estacion = nuevo.vista();
    seleccion_.refrescarNombres();
    seleccion_.tocarArbol();
    return true;
}

bool CEdicionesGestor::renombrarEstacionamiento(Estacionamiento& estacionamiento, std::string_view nombreCp1252) {
    const TextoFijo<15> nuevo(nombreCp1252);
    if (nuevo == estacionamiento.nombre || libreta().nombreEstacionamientoUsado(nuevo.vista())) return false;
    estacionamiento.nombre = nuevo;
    seleccion_.refrescarNombres();
    seleccion_.tocarArbol();
    return true;
}

bool CEdicionesGestor::renombrar(const NodoArbol& nodo, std::string_view textoUtf8) {
    if (textoUtf8.empty()) return false;
    const std::string texto = utf8ACp1252(textoUtf8);
    const auto i = posicionDe(libreta(), nodo.estacion);
    if (!i) return false;
    std::string nombre = "Renombrar " + cp1252AUtf8(nodo.tipo == TipoNodo::Estacionamiento && nodo.estacionamiento
                                                        ? nodo.estacionamiento->nombre.vista()
                                                        : nodo.estacion->nombre.vista());
    auto paso = pasoCabecera(std::move(nombre), *i, *nodo.estacion);
    bool cambio = false;
    if (nodo.tipo == TipoNodo::Estacion && posicionDe(libreta(), nodo.estacion)) {
        cambio = renombrarEstacion(*nodo.estacion, texto);
    } else if (nodo.tipo == TipoNodo::Estacionamiento &&
               posicionDe(libreta(), nodo.estacion, nodo.estacionamiento)) {
        cambio = renombrarEstacionamiento(*nodo.estacionamiento, texto);
    }
    if (cambio) {
        documento_.registrarPaso(std::move(paso));
        if (seleccion_.estado() == EstadoSeleccion::Estaciones) seleccion_.tocarRejilla();
    }
    return cambio;
}

// ---------------------------------------------------------------- stations

void CEdicionesGestor::insertarEstacionEn(std::size_t fila) {
    auto& lista = libreta().estaciones;
    fila = std::min(fila, lista.size());
    const char* nombre = fila == lista.size() ? "Añadir estación" : "Insertar estación";
    try {
        lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(fila), estacionVacia(""));
    } catch (const std::bad_alloc&) {
        avisos().mensaje(kFaltaMemoria);
        return;
    }
    documento_.registrarPaso(pasoEstaciones(nombre, fila, 1, {}));
    seleccion_.fijarFilaActual(fila);
    seleccion_.pedirFocoRejilla();
    seleccion_.tocarArbol();
    seleccion_.tocarRejilla();
}

void CEdicionesGestor::borrarEstacionEn(std::size_t fila) {
    auto& lista = libreta().estaciones;
    if (fila >= lista.size() || !confirmarBorradoEstacion(avisos(), *lista[fila])) return;
    std::string nombre = "Borrar estación " + cp1252AUtf8(lista[fila]->nombre.vista());
    ListaEstaciones sacada;
    sacada.push_back(std::move(lista[fila]));
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(fila));
    documento_.registrarPaso(pasoEstaciones(std::move(nombre), fila, 0, std::move(sacada)));
    seleccion_.fijarFilaActual(fila > 0 ? fila - 1 : 0);
    seleccion_.tocarArbol();
    seleccion_.tocarRejilla();
}

void CEdicionesGestor::eliminarEstacion(Estacion* estacion) {
    auto& lista = libreta().estaciones;
    for (auto it = lista.begin(); it != lista.end(); ++it) {
        if (it->get() != estacion) continue;
        if (estacion == seleccion_.estacionActual()) seleccion_.olvidarActuales();
        const auto fila = static_cast<std::size_t>(it - lista.begin());
        std::string nombre = "Borrar estación " + cp1252AUtf8(estacion->nombre.vista());
        ListaEstaciones sacada;
        sacada.push_back(std::move(*it));
        lista.erase(it);
        documento_.registrarPaso(pasoEstaciones(std::move(nombre), fila, 0, std::move(sacada)));
        return;
    }
}

void CEdicionesGestor::insertarEstacion() {
    if (seleccion_.estado() == EstadoSeleccion::Estaciones) insertarEstacionEn(seleccion_.filaActual());
}

void CEdicionesGestor::anadirEstacion() {
    if (seleccion_.estado() == EstadoSeleccion::Estaciones) insertarEstacionEn(libreta().estaciones.size());
}

void CEdicionesGestor::borrarEstacion() {
    if (seleccion_.estado() == EstadoSeleccion::Estaciones) {
        borrarEstacionEn(seleccion_.filaActual());
    } else if (seleccion_.estado() == EstadoSeleccion::Estacion && posicionDe(libreta(), seleccion_.estacionActual())) {
        if (!confirmarBorradoEstacion(avisos(), *seleccion_.estacionActual())) return;
        eliminarEstacion(seleccion_.estacionActual());
        seleccion_.reconstruirArbol();
    }
}

void CEdicionesGestor::anadirEstacionPorNombre() {
    const auto respuesta = documento_.dialogos().pedirNombre(false, "");
    if (!respuesta || respuesta->empty()) return;
    const TextoFijo<16> nombre(utf8ACp1252(*respuesta));
    if (libreta().buscarEstacion(nombre.vista())) return;
    Estacion* nueva = nullptr;
    try {
        libreta().estaciones.push_back(estacionVacia(nombre.vista()));
        nueva = libreta().estaciones.back().get();
    } catch (const std::bad_alloc&) {
        avisos().mensaje(kFaltaMemoria);
        return;
    }
    documento_.registrarPaso(pasoEstaciones("Añadir estación " + cp1252AUtf8(nombre.vista()), libreta().estaciones.size() - 1, 1, {}));
    seleccion_.reconstruirArbol(nueva);
}

// ---------------------------------------------------------------- set-ups

void CEdicionesGestor::anadirEstacionamiento() {
    // With a set-up selected, its station is meant.
    const TipoNodo tipo = seleccion_.nodo().tipo;
    if ((tipo != TipoNodo::Estacion && tipo != TipoNodo::Estacionamiento) ||
        !posicionDe(libreta(), seleccion_.nodo().estacion)) {
        avisos().mensaje("1º Seleccionar la Estación");
        return;
    }
    Estacion* estacion = seleccion_.nodo().estacion;
    const auto respuesta = documento_.dialogos().pedirNombre(true, cp1252AUtf8(estacion->nombre.vista()) + "_");
    if (!respuesta || respuesta->empty()) return;
    const TextoFijo<15> nombre(utf8ACp1252(*respuesta));
    if (libreta().nombreEstacionamientoUsado(nombre.vista())) return;
    Estacionamiento* nuevo = crearEstacionamiento(estacion->estacionamientos, nullptr, nombre.vista(),
                                                  estacion->nombre.vista(), 0.0, &documento_.ajustes().datosPorDefecto, 0.0);
    if (!nuevo) {
        avisos().mensaje(kFaltaMemoria);
        return;
    }
    const auto pos = posicionDe(libreta(), estacion, nuevo);
    documento_.registrarPaso(pasoEstacionamientos("Añadir estacionamiento " + cp1252AUtf8(nombre.vista()), pos->first,
                                       pos->second, 1, {}));
    seleccion_.reconstruirArbol(estacion, nuevo);
}

void CEdicionesGestor::borrarEstacionamiento() {
    Estacionamiento* s = seleccion_.estacionamientoSeleccionado();
    if (!s || !confirmarBorradoEstacionamiento(avisos(), *s)) return;
    Estacion* estacion = seleccion_.nodo().estacion;
    const auto pos = posicionDe(libreta(), estacion, s);
    if (!pos) return;
    seleccion_.olvidarActuales();
    auto& lista = estacion->estacionamientos;
    std::string nombre = "Borrar estacionamiento " + cp1252AUtf8(s->nombre.vista());
    ListaEstacionamientos sacado;
    sacado.push_back(std::move(lista[pos->second]));
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(pos->second));
    documento_.registrarPaso(pasoEstacionamientos(std::move(nombre), pos->first, pos->second, 0, std::move(sacado)));
    seleccion_.reconstruirArbol(estacion);
}

// Each set-up, from the last towards the first, is merged into the one
// before it: its readings keep their orientated direction (horizontal plus
// the difference of orientation corrections) and their target height over
// the ground mark (plus the difference of instrument heights).
void CEdicionesGestor::unirTodosEstacionamientos() {
    Estacion* estacion = seleccion_.estacionSeleccionada();
    if (!estacion) return;
    auto& lista = estacion->estacionamientos;
    if (lista.size() < 2) {
        documento_.anotar("La estación " + cp1252AUtf8(estacion->nombre.vista()) +
                          " tiene un solo estacionamiento: nada que unir");
        return;
    }
    const std::size_t unidos = lista.size();
    seleccion_.escribirPanelesPendientes();
    seleccion_.olvidarActuales();
    const auto i = posicionDe(libreta(), estacion);
    ListaEstaciones antes;
    antes.push_back(copiarEstacion(*estacion));
    while (lista.size() > 1) {
        Estacionamiento& s = *lista.back();
        Estacionamiento& p = *lista[lista.size() - 2];
        try {
            p.lecturas.reserve(p.lecturas.size() + s.lecturas.size());
        } catch (const std::bad_alloc&) {
            avisos().mensaje(kFaltaMemoria);
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
    documento_.registrarPaso(pasoEstaciones("Unir estacionamientos de " + cp1252AUtf8(estacion->nombre.vista()), *i, 1,
                                 std::move(antes)));
    documento_.anotar(formatear("Unidos %zu estacionamientos de %s en %s: %zu lecturas", unidos - lista.size() + 1,
                                cp1252AUtf8(estacion->nombre.vista()).c_str(),
                                cp1252AUtf8(lista.front()->nombre.vista()).c_str(), lista.front()->lecturas.size()));
    seleccion_.reconstruirArbol(estacion, lista.front().get());
}

// ---------------------------------------------------------------- readings

void CEdicionesGestor::insertarLecturaEn(std::size_t fila) {
    const auto pos = posicionDe(libreta(), seleccion_.estacionActual(), seleccion_.estacionamientoActual());
    if (!pos) return;
    auto& lista = seleccion_.estacionamientoActual()->lecturas;
    fila = std::min(fila, lista.size());
    const char* nombre = fila == lista.size() ? "Añadir lectura" : "Insertar lectura";
    try {
        lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(fila), Lectura{});
    } catch (const std::bad_alloc&) {
        avisos().mensaje(kFaltaMemoria);
        return;
    }
    documento_.registrarPaso(pasoLecturas(nombre, pos->first, pos->second, fila, 1, {}));
    seleccion_.fijarFilaActual(fila);
    seleccion_.pedirFocoRejilla();
    seleccion_.tocarRejilla();
}

void CEdicionesGestor::borrarLecturaEn(std::size_t fila) {
    const auto pos = posicionDe(libreta(), seleccion_.estacionActual(), seleccion_.estacionamientoActual());
    if (!pos) return;
    auto& lista = seleccion_.estacionamientoActual()->lecturas;
    if (fila >= lista.size()) return;
    if (!(lista[fila] == Lectura{}) &&
        !confirmarBorrado(avisos(), "¿Borrar 1 lectura (" + cp1252AUtf8(lista[fila].nombre.vista()) +
                                       ") del estacionamiento " +
                                       cp1252AUtf8(seleccion_.estacionamientoActual()->nombre.vista()) + "?"))
        return;
    std::string nombre = "Borrar lectura " + cp1252AUtf8(lista[fila].nombre.vista());
    ListaLecturas sacada{lista[fila]};
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(fila));
    documento_.registrarPaso(pasoLecturas(std::move(nombre), pos->first, pos->second, fila, 0, std::move(sacada)));
    seleccion_.fijarFilaActual(fila > 0 ? fila - 1 : 0);
    seleccion_.tocarRejilla();
}

void CEdicionesGestor::insertarLectura() {
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento) insertarLecturaEn(seleccion_.filaActual());
}

void CEdicionesGestor::anadirLectura() {
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento && seleccion_.estacionamientoActual())
        insertarLecturaEn(seleccion_.estacionamientoActual()->lecturas.size());
}

void CEdicionesGestor::borrarLectura() {
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento) borrarLecturaEn(seleccion_.filaActual());
}

// ---------------------------------------------------------------- grid requests

void CEdicionesGestor::insertarFila(std::size_t fila) {
    if (seleccion_.estado() == EstadoSeleccion::Estaciones) insertarEstacionEn(fila);
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento) insertarLecturaEn(fila);
}

void CEdicionesGestor::borrarFila(std::size_t fila) {
    if (seleccion_.estado() == EstadoSeleccion::Estaciones) borrarEstacionEn(fila);
    if (seleccion_.estado() == EstadoSeleccion::Estacionamiento) borrarLecturaEn(fila);
}

// ---------------------------------------------------------------- picture

void CEdicionesGestor::elegirImagen() {
    Estacion* estacion = seleccion_.estacionActual();
    const auto i = posicionDe(libreta(), estacion);
    if (seleccion_.estado() != EstadoSeleccion::Estacion || !i) return;
    PeticionFichero p;
    p.extension = "bmp";
    p.filtro = kFiltroImagen;
    p.debeExistir = true;
    p.directorioInicial = cp1252AUtf8(documento_.ajustes().directorioTrabajo.vista());
    const auto ruta = documento_.dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    auto& campo = seleccion_.pestanaImagen() == 0 ? estacion->ficheroFoto : estacion->ficheroCroquis;
    auto paso = pasoCabecera("Cambiar imagen de " + cp1252AUtf8(estacion->nombre.vista()), *i, *estacion);
    if (asignarTexto(campo, utf8ACp1252(*ruta))) documento_.registrarPaso(std::move(paso));
    seleccion_.tocarPaneles();
}

}  // namespace celvara
