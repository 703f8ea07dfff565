#include "manager/historial.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace celvara {

namespace {

// A step that finds the book otherwise than it left it is a program error,
// never something to patch over.
[[noreturn]] void desincronizado() { throw std::logic_error("historial de la libreta desincronizado"); }

bool mismosBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool mismaLectura(const Lectura& a, const Lectura& b) {
    return a.nombre == b.nombre && a.codigo == b.codigo && mismosBits(a.jalon, b.jalon) &&
           mismosBits(a.distancia, b.distancia) && mismosBits(a.vertical, b.vertical) &&
           mismosBits(a.horizontal, b.horizontal);
}

bool mismoEstacionamiento(const Estacionamiento& a, const Estacionamiento& b) {
    return a.nombre == b.nombre && a.estacion == b.estacion && mismosBits(a.alturaInstrumento, b.alturaInstrumento) &&
           mismosBits(a.desorientacion, b.desorientacion) && a.datos == b.datos;
}

bool mismosCamposEstacion(const Estacion& a, const Estacion& b) {
    return a.nombre == b.nombre && a.tipo == b.tipo && mismosBits(a.x, b.x) && mismosBits(a.y, b.y) &&
           mismosBits(a.z, b.z) && a.descripcion1 == b.descripcion1 && a.descripcion2 == b.descripcion2 &&
           a.croquis == b.croquis && a.ficheroFoto == b.ficheroFoto && a.ficheroCroquis == b.ficheroCroquis;
}

void intercambiarCampos(Estacionamiento& a, Estacionamiento& b) {
    std::swap(a.nombre, b.nombre);
    std::swap(a.estacion, b.estacion);
    std::swap(a.alturaInstrumento, b.alturaInstrumento);
    std::swap(a.desorientacion, b.desorientacion);
    std::swap(a.datos, b.datos);
}

void intercambiarCampos(Estacion& a, Estacion& b) {
    std::swap(a.nombre, b.nombre);
    std::swap(a.tipo, b.tipo);
    std::swap(a.x, b.x);
    std::swap(a.y, b.y);
    std::swap(a.z, b.z);
    std::swap(a.descripcion1, b.descripcion1);
    std::swap(a.descripcion2, b.descripcion2);
    std::swap(a.croquis, b.croquis);
    std::swap(a.ficheroFoto, b.ficheroFoto);
    std::swap(a.ficheroCroquis, b.ficheroCroquis);
    if (a.estacionamientos.size() != b.estacionamientos.size()) desincronizado();
    for (std::size_t i = 0; i < a.estacionamientos.size(); ++i)
        intercambiarCampos(*a.estacionamientos[i], *b.estacionamientos[i]);
}

Estacion& estacionEn(CLibretaCampo& l, std::size_t i) {
    if (i >= l.estaciones.size()) desincronizado();
    return *l.estaciones[i];
}

Estacionamiento& estacionamientoEn(CLibretaCampo& l, std::size_t i, std::size_t j) {
    auto& lista = estacionEn(l, i).estacionamientos;
    if (j >= lista.size()) desincronizado();
    return *lista[j];
}

// The records [pos, pos + n) of `lista` trade places with `guardadas`.
template <typename Lista>
void intercambiarRango(Lista& lista, std::size_t pos, std::size_t& n, Lista& guardadas) {
    if (pos > lista.size() || n > lista.size() - pos) desincronizado();
    const auto ini = lista.begin() + static_cast<std::ptrdiff_t>(pos);
    const auto fin = ini + static_cast<std::ptrdiff_t>(n);
    Lista sacadas(std::make_move_iterator(ini), std::make_move_iterator(fin));
    const auto hueco = lista.erase(ini, fin);
    lista.insert(hueco, std::make_move_iterator(guardadas.begin()), std::make_move_iterator(guardadas.end()));
    n = guardadas.size();
    guardadas = std::move(sacadas);
}

class PasoEstaciones final : public PasoLibreta {
public:
    PasoEstaciones(std::string nombre, std::size_t pos, std::size_t n, ListaEstaciones g)
        : PasoLibreta(std::move(nombre)), pos_(pos), n_(n), guardadas_(std::move(g)) {}
    void alternar(CLibretaCampo& l, bool) override { intercambiarRango(l.estaciones, pos_, n_, guardadas_); }

private:
    std::size_t pos_, n_;
    ListaEstaciones guardadas_;
};

class PasoEstacionamientos final : public PasoLibreta {
public:
    PasoEstacionamientos(std::string nombre, std::size_t e, std::size_t pos, std::size_t n, ListaEstacionamientos g)
        : PasoLibreta(std::move(nombre)), estacion_(e), pos_(pos), n_(n), guardados_(std::move(g)) {}
    void alternar(CLibretaCampo& l, bool) override {
        intercambiarRango(estacionEn(l, estacion_).estacionamientos, pos_, n_, guardados_);
    }

private:
    std::size_t estacion_, pos_, n_;
    ListaEstacionamientos guardados_;
};

class PasoLecturas final : public PasoLibreta {
public:
    PasoLecturas(std::string nombre, std::size_t e, std::size_t s, std::size_t pos, std::size_t n, ListaLecturas g)
        : PasoLibreta(std::move(nombre)), estacion_(e), estacionamiento_(s), pos_(pos), n_(n), guardadas_(std::move(g)) {}
    void alternar(CLibretaCampo& l, bool) override {
        intercambiarRango(estacionamientoEn(l, estacion_, estacionamiento_).lecturas, pos_, n_, guardadas_);
    }

private:
    std::size_t estacion_, estacionamiento_, pos_, n_;
    ListaLecturas guardadas_;
};

class PasoLectura final : public PasoLibreta {
public:
    PasoLectura(std::string nombre, std::size_t e, std::size_t s, std::size_t fila, const Lectura& g)
        : PasoLibreta(std::move(nombre)), estacion_(e), estacionamiento_(s), fila_(fila), guardada_(g) {}
    void alternar(CLibretaCampo& l, bool) override {
        auto& lecturas = estacionamientoEn(l, estacion_, estacionamiento_).lecturas;
        if (fila_ >= lecturas.size()) desincronizado();
        std::swap(lecturas[fila_], guardada_);
    }

private:
    std::size_t estacion_, estacionamiento_, fila_;
    Lectura guardada_;
};

class PasoCabecera final : public PasoLibreta {
public:
    PasoCabecera(std::string nombre, std::size_t e, std::unique_ptr<Estacion> g)
        : PasoLibreta(std::move(nombre)), estacion_(e), guardada_(std::move(g)) {}
    void alternar(CLibretaCampo& l, bool) override { intercambiarCampos(estacionEn(l, estacion_), *guardada_); }

private:
    std::size_t estacion_;
    std::unique_ptr<Estacion> guardada_;  // its set-ups carry no readings
};

class PasoCompuesto final : public PasoLibreta {
public:
    PasoCompuesto(std::string nombre, std::vector<std::unique_ptr<PasoLibreta>> pasos)
        : PasoLibreta(std::move(nombre)), pasos_(std::move(pasos)) {}
    void alternar(CLibretaCampo& l, bool deshaciendo) override {
        if (deshaciendo) {
            for (auto it = pasos_.rbegin(); it != pasos_.rend(); ++it) (*it)->alternar(l, true);
        } else {
            for (auto& p : pasos_) p->alternar(l, false);
        }
    }

private:
    std::vector<std::unique_ptr<PasoLibreta>> pasos_;
};

std::unique_ptr<Estacion> copiarCabecera(const Estacion& e) {
    auto c = std::make_unique<Estacion>();
    c->nombre = e.nombre;
    c->tipo = e.tipo;
    c->x = e.x;
    c->y = e.y;
    c->z = e.z;
    c->descripcion1 = e.descripcion1;
    c->descripcion2 = e.descripcion2;
    c->croquis = e.croquis;
    c->ficheroFoto = e.ficheroFoto;
    c->ficheroCroquis = e.ficheroCroquis;
    c->estacionamientos.reserve(e.estacionamientos.size());
    for (const auto& s : e.estacionamientos) {
        auto cs = std::make_unique<Estacionamiento>();
        cs->nombre = s->nombre;
        cs->estacion = s->estacion;
        cs->alturaInstrumento = s->alturaInstrumento;
        cs->desorientacion = s->desorientacion;
        cs->datos = s->datos;
        c->estacionamientos.push_back(std::move(cs));
    }
    return c;
}

bool mismasLecturas(const ListaLecturas& a, const ListaLecturas& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), mismaLectura);
}

}  // namespace

std::unique_ptr<PasoLibreta> pasoEstaciones(std::string nombre, std::size_t pos, std::size_t n,
                                            ListaEstaciones guardadas) {
    return std::make_unique<PasoEstaciones>(std::move(nombre), pos, n, std::move(guardadas));
}

std::unique_ptr<PasoLibreta> pasoEstacionamientos(std::string nombre, std::size_t estacion, std::size_t pos,
                                                  std::size_t n, ListaEstacionamientos guardados) {
    return std::make_unique<PasoEstacionamientos>(std::move(nombre), estacion, pos, n, std::move(guardados));
}

std::unique_ptr<PasoLibreta> pasoLecturas(std::string nombre, std::size_t estacion, std::size_t estacionamiento,
                                          std::size_t pos, std::size_t n, ListaLecturas guardadas) {
    return std::make_unique<PasoLecturas>(std::move(nombre), estacion, estacionamiento, pos, n, std::move(guardadas));
}

std::unique_ptr<PasoLibreta> pasoLectura(std::string nombre, std::size_t estacion, std::size_t estacionamiento,
                                         std::size_t fila, const Lectura& guardada) {
    return std::make_unique<PasoLectura>(std::move(nombre), estacion, estacionamiento, fila, guardada);
}

std::unique_ptr<PasoLibreta> pasoCabecera(std::string nombre, std::size_t estacion, const Estacion& guardada) {
    return std::make_unique<PasoCabecera>(std::move(nombre), estacion, copiarCabecera(guardada));
}

std::unique_ptr<Estacion> copiarEstacion(const Estacion& e) {
    auto c = copiarCabecera(e);
    for (std::size_t i = 0; i < e.estacionamientos.size(); ++i)
        c->estacionamientos[i]->lecturas = e.estacionamientos[i]->lecturas;
    return c;
}

bool mismaCabecera(const Estacion& a, const Estacion& b) {
    if (!mismosCamposEstacion(a, b) || a.estacionamientos.size() != b.estacionamientos.size()) return false;
    for (std::size_t i = 0; i < a.estacionamientos.size(); ++i)
        if (!mismoEstacionamiento(*a.estacionamientos[i], *b.estacionamientos[i])) return false;
    return true;
}

bool mismaEstacion(const Estacion& a, const Estacion& b) {
    if (!mismaCabecera(a, b)) return false;
    for (std::size_t i = 0; i < a.estacionamientos.size(); ++i)
        if (!mismasLecturas(a.estacionamientos[i]->lecturas, b.estacionamientos[i]->lecturas)) return false;
    return true;
}

// ---------------------------------------------------------------- FotoLibreta

FotoLibreta::FotoLibreta(const CLibretaCampo& libreta) {
    direcciones_.reserve(libreta.estaciones.size());
    copias_.reserve(libreta.estaciones.size());
    for (const auto& e : libreta.estaciones) {
        direcciones_.push_back(e.get());
        copias_.push_back(copiarEstacion(*e));
    }
}

std::unique_ptr<PasoLibreta> FotoLibreta::diferencia(const CLibretaCampo& libreta, std::string nombre) {
    const auto& ahora = libreta.estaciones;
    const std::size_t n0 = copias_.size(), n1 = ahora.size();
    auto igual = [&](std::size_t i0, std::size_t i1) {
        return direcciones_[i0] == ahora[i1].get() && mismaEstacion(*copias_[i0], *ahora[i1]);
    };
    std::size_t ini = 0;
    while (ini < n0 && ini < n1 && igual(ini, ini)) ++ini;
    std::size_t fin = 0;  // unchanged stations at the end
    while (fin < n0 - ini && fin < n1 - ini && igual(n0 - 1 - fin, n1 - 1 - fin)) ++fin;
    if (ini + fin == n0 && ini + fin == n1) return nullptr;

    // Stations still in their place are kept one by one, as little as
    // possible of each; the rest of the changed run is kept whole.
    std::vector<std::unique_ptr<PasoLibreta>> pasos;
    std::size_t i = ini;
    for (; i < n0 - fin && i < n1 - fin && direcciones_[i] == ahora[i].get(); ++i) {
        const Estacion& a = *copias_[i];
        const Estacion& b = *ahora[i];
        const std::size_t k0 = a.estacionamientos.size(), k1 = b.estacionamientos.size();
        bool lecturasIguales = k0 <= k1;
        for (std::size_t k = 0; lecturasIguales && k < k0; ++k)
            lecturasIguales = mismasLecturas(a.estacionamientos[k]->lecturas, b.estacionamientos[k]->lecturas);
        if (lecturasIguales && k0 == k1) {
            if (!mismaCabecera(a, b)) pasos.push_back(pasoCabecera(nombre, i, a));
        } else if (lecturasIguales && mismosCamposEstacion(a, b) &&
                   std::equal(a.estacionamientos.begin(), a.estacionamientos.end(), b.estacionamientos.begin(),
                              [](const auto& x, const auto& y) { return mismoEstacionamiento(*x, *y); })) {
            // Set-ups added at the end (an import merged into the station).
            pasos.push_back(pasoEstacionamientos(nombre, i, k0, k1 - k0, {}));
        } else {
            ListaEstaciones una;
            una.push_back(std::move(copias_[i]));
            pasos.push_back(pasoEstaciones(nombre, i, 1, std::move(una)));
        }
    }
    if (i < n0 - fin || i < n1 - fin) {
        ListaEstaciones guardadas(std::make_move_iterator(copias_.begin() + static_cast<std::ptrdiff_t>(i)),
                                  std::make_move_iterator(copias_.end() - static_cast<std::ptrdiff_t>(fin)));
        pasos.push_back(pasoEstaciones(nombre, i, n1 - fin - i, std::move(guardadas)));
    }
    copias_.clear();
    if (pasos.empty()) return nullptr;
    if (pasos.size() == 1) return std::move(pasos.front());
    return std::make_unique<PasoCompuesto>(std::move(nombre), std::move(pasos));
}

// ---------------------------------------------------------------- CHistorial

void CHistorial::registrar(std::unique_ptr<PasoLibreta> paso) {
    if (!paso) return;
    pasos_.resize(posicion_);
    if (limpio_ && *limpio_ > posicion_) limpio_.reset();
    pasos_.push_back(std::move(paso));
    ++posicion_;
}

bool CHistorial::puedeFusionar(std::string_view clave) const {
    return !clave.empty() && posicion_ > 0 && posicion_ == pasos_.size() && limpio_ != posicion_ &&
           pasos_.back()->clave() == clave;
}

std::string_view CHistorial::nombreDeshacer() const {
    return puedeDeshacer() ? std::string_view(pasos_[posicion_ - 1]->nombre()) : std::string_view();
}

std::string_view CHistorial::nombreRehacer() const {
    return puedeRehacer() ? std::string_view(pasos_[posicion_]->nombre()) : std::string_view();
}

bool CHistorial::deshacer(CLibretaCampo& libreta) {
    if (!puedeDeshacer()) return false;
    pasos_[posicion_ - 1]->alternar(libreta, true);
    --posicion_;
    return true;
}

bool CHistorial::rehacer(CLibretaCampo& libreta) {
    if (!puedeRehacer()) return false;
    pasos_[posicion_]->alternar(libreta, false);
    ++posicion_;
    return true;
}

void CHistorial::vaciar() {
    pasos_.clear();
    posicion_ = 0;
    limpio_ = 0;
}

}  // namespace celvara
