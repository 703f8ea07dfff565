// Undo and redo of the changes to the field book. A step keeps only the side
// of its change that is not in the book at the moment (the records as they
// were, or as they will be again) and swaps it with the book, so the same
// call undoes and redoes and no step ever holds a copy of the whole book.
// Steps name their records by position: the history is linear, so the book
// is exactly as the step left it whenever the step runs again.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/libreta.h"

namespace celvara {

class PasoLibreta {
public:
    explicit PasoLibreta(std::string nombre) : nombre_(std::move(nombre)) {}
    PasoLibreta(const PasoLibreta&) = delete;
    PasoLibreta& operator=(const PasoLibreta&) = delete;
    virtual ~PasoLibreta() = default;

    // Swaps the kept records with the book. `deshaciendo` only matters to
    // steps made of others, which then run backwards.
    virtual void alternar(CLibretaCampo& libreta, bool deshaciendo) = 0;

    const std::string& nombre() const { return nombre_; }  // UTF-8
    // Successive typing in the same field makes one step: equal keys merge.
    const std::string& clave() const { return clave_; }
    void fijarClave(std::string clave) { clave_ = std::move(clave); }

private:
    std::string nombre_;
    std::string clave_;
};

// A run of stations, of the set-ups of a station, or of the readings of a
// set-up: `n` records from `pos` in the book trade places with the kept ones.
// Inserting, deleting, replacing and appending are all this one step.
std::unique_ptr<PasoLibreta> pasoEstaciones(std::string nombre, std::size_t pos, std::size_t n,
                                            ListaEstaciones guardadas);
std::unique_ptr<PasoLibreta> pasoEstacionamientos(std::string nombre, std::size_t estacion, std::size_t pos,
                                                  std::size_t n, ListaEstacionamientos guardados);
std::unique_ptr<PasoLibreta> pasoLecturas(std::string nombre, std::size_t estacion, std::size_t estacionamiento,
                                          std::size_t pos, std::size_t n, ListaLecturas guardadas);
// One reading replaced by `guardada`.
std::unique_ptr<PasoLibreta> pasoLectura(std::string nombre, std::size_t estacion, std::size_t estacionamiento,
                                         std::size_t fila, const Lectura& guardada);
// The fields of a station and of its set-ups (not the readings) replaced by
// those of `guardada`, which must have as many set-ups as the book's station.
std::unique_ptr<PasoLibreta> pasoCabecera(std::string nombre, std::size_t estacion, const Estacion& guardada);

// Copies of records, bit for bit (a tool may turn 0 into -0).
std::unique_ptr<Estacion> copiarEstacion(const Estacion& e);
bool mismaCabecera(const Estacion& a, const Estacion& b);  // fields of the station and of its set-ups
bool mismaEstacion(const Estacion& a, const Estacion& b);  // and every reading

// The book as it was before a tool that may change anything runs; after it,
// `diferencia` keeps only the stations that changed (only their fields when
// no reading changed) as the step that undoes the tool.
class FotoLibreta {
public:
    explicit FotoLibreta(const CLibretaCampo& libreta);
    // Nothing when the book is as it was.
    std::unique_ptr<PasoLibreta> diferencia(const CLibretaCampo& libreta, std::string nombre);

private:
    std::vector<const Estacion*> direcciones_;
    ListaEstaciones copias_;
};

class CHistorial {
public:
    // A change already made in the book. Steps beyond the present are
    // dropped; the clean point goes with them when it was among them.
    void registrar(std::unique_ptr<PasoLibreta> paso);
    // Whether the last step has this key and may absorb the next change.
    bool puedeFusionar(std::string_view clave) const;

    bool puedeDeshacer() const { return posicion_ > 0; }
    bool puedeRehacer() const { return posicion_ < pasos_.size(); }
    // Name of the step the next undo or redo runs (empty if none).
    std::string_view nombreDeshacer() const;
    std::string_view nombreRehacer() const;
    bool deshacer(CLibretaCampo& libreta);
    bool rehacer(CLibretaCampo& libreta);

    // Saving: the present becomes the clean point.
    void marcarLimpio() { limpio_ = posicion_; }
    bool enLimpio() const { return limpio_ == posicion_; }
    // A new or opened book: no steps, clean.
    void vaciar();

    std::size_t tamano() const { return pasos_.size(); }
    std::size_t posicion() const { return posicion_; }  // steps done
    std::string_view nombre(std::size_t i) const { return pasos_[i]->nombre(); }

private:
    std::vector<std::unique_ptr<PasoLibreta>> pasos_;
    std::size_t posicion_ = 0;
    std::optional<std::size_t> limpio_ = 0;
};

}  // namespace celvara
