#include "fieldbook/libreta.h"

#include <new>

#include "fieldbook/numeros.h"

namespace celvara {

std::size_t posicionInsercion(std::size_t tamano, std::optional<std::size_t> ancla) {
    if (tamano == 0) return 0;
    const std::size_t a = (ancla && *ancla < tamano) ? *ancla : tamano - 1;
    return a == tamano - 1 ? tamano : a;
}

namespace {

template <typename T>
std::optional<std::size_t> indiceDe(const std::vector<std::unique_ptr<T>>& lista, const T* registro) {
    if (!registro) return std::nullopt;
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i].get() == registro) return i;
    return std::nullopt;
}

template <typename T>
T* insertar(std::vector<std::unique_ptr<T>>& lista, std::unique_ptr<T> nuevo, const T* ancla) {
    const std::size_t pos = posicionInsercion(lista.size(), indiceDe(lista, ancla));
    T* puntero = nuevo.get();
    lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(pos), std::move(nuevo));
    return puntero;
}

}  // namespace

void vaciarLista(ListaEstaciones& lista) { ListaEstaciones().swap(lista); }
void vaciarLista(ListaEstacionamientos& lista) { ListaEstacionamientos().swap(lista); }
void vaciarLista(ListaLecturas& lista) { ListaLecturas().swap(lista); }

std::size_t contar(const ListaEstaciones& lista) { return lista.size(); }
std::size_t contar(const ListaEstacionamientos& lista) { return lista.size(); }
std::size_t contar(const ListaLecturas& lista) { return lista.size(); }

Estacion* crearEstacion(ListaEstaciones& lista, const DatosEstacionNueva& datos,
                        ListaEstacionamientos estacionamientos, const Estacion* ancla) {
    try {
        auto e = std::make_unique<Estacion>();
        e->nombre = datos.nombre;
        if (datos.coordenadas) {
            e->tipo = datos.tipo;
            e->x = datos.coordenadas->x;
            e->y = datos.coordenadas->y;
            e->z = datos.coordenadas->z;
        }
        e->descripcion1 = datos.descripcion1;
        e->descripcion2 = datos.descripcion2;
        e->croquis = datos.croquis;
        e->ficheroFoto = datos.ficheroFoto;
        e->ficheroCroquis = datos.ficheroCroquis;
        e->estacionamientos = std::move(estacionamientos);
        return insertar(lista, std::move(e), ancla);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Estacionamiento* crearEstacionamiento(ListaEstacionamientos& lista, const Estacionamiento* ancla,
                                      std::string_view nombre, std::string_view estacion,
                                      double alturaInstrumento, const DatosComplementarios* datos,
                                      double desorientacion, ListaLecturas lecturas) {
    try {
        auto e = std::make_unique<Estacionamiento>();
        e->nombre = nombre;
        e->estacion = estacion;
        e->alturaInstrumento = alturaInstrumento;
        e->desorientacion = desorientacion;
        if (datos) e->datos = *datos;
        e->lecturas = std::move(lecturas);
        return insertar(lista, std::move(e), ancla);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Lectura* crearLectura(ListaLecturas& lista, std::optional<std::size_t> ancla, std::string_view nombre,
                      double jalon, double distancia, double vertical, double horizontal,
                      std::string_view codigo) {
    try {
        Lectura l;
        l.nombre = nombre;
        l.jalon = jalon;
        l.distancia = distancia;
        l.vertical = vertical;
        l.horizontal = horizontal;
        l.codigo = codigo;
        const std::size_t pos = posicionInsercion(lista.size(), ancla);
        auto it = lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(pos), l);
        return &*it;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CLibretaCampo::vaciar() {
    vaciarLista(estaciones);
    reservado = "";
    proyeccion = 0;
}

Estacion* CLibretaCampo::buscarEstacion(std::string_view nombre) const {
    for (const auto& e : estaciones)
        if (e->nombre == nombre) return e.get();
    return nullptr;
}

std::pair<Estacion*, Estacionamiento*> CLibretaCampo::buscarEstacionamiento(std::string_view nombre) const {
    for (const auto& e : estaciones)
        for (const auto& s : e->estacionamientos)
            if (s->nombre == nombre) return {e.get(), s.get()};
    return {nullptr, nullptr};
}

bool CLibretaCampo::nombreEstacionamientoUsado(std::string_view nombre) const {
    return buscarEstacionamiento(nombre).second != nullptr;
}

std::size_t CLibretaCampo::contarEstacionamientos() const {
    std::size_t n = 0;
    for (const auto& e : estaciones) n += e->estacionamientos.size();
    return n;
}

std::size_t CLibretaCampo::contarLecturas() const {
    std::size_t n = 0;
    for (const auto& e : estaciones)
        for (const auto& s : e->estacionamientos) n += s->lecturas.size();
    return n;
}

double normalizarDesorientacionTecleada(std::string_view texto) {
    constexpr double kGiro = 400.0;
    double valor = textoANumero(texto);
    if (valor < 0) valor += kGiro;
    if (valor > kGiro) valor -= kGiro;
    return valor;
}

bool anexarLibreta(CLibretaCampo& libreta, CLibretaCampo&& otra) {
    if (otra.estaciones.empty()) return false;
    libreta.estaciones.reserve(libreta.estaciones.size() + otra.estaciones.size());
    for (auto& e : otra.estaciones) libreta.estaciones.push_back(std::move(e));
    otra.vaciar();
    return true;
}

}  // namespace celvara
