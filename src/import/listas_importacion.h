// The intermediate records of an import: the set-ups and readings a reader
// takes from a file, in file order, before the merge puts them into the field
// book. A reading belongs to the set-up whose [primera, ultima] range holds
// its number; readers keep the readings of each set-up in one consecutive run.
#pragma once

#include <cstdint>
#include <deque>

#include "fieldbook/texto_fijo.h"

namespace celvara {

// Range value of a set-up that has no reading yet.
inline constexpr std::int32_t kSinLecturas = -1;

struct EstacionamientoImportado {
    TextoFijo<16> nombre;              // station name
    std::int32_t primera = 0;          // number of the first reading, kSinLecturas when none
    std::int32_t ultima = 0;           // number of the last reading, kSinLecturas when none
    TextoFijo<15> acimutEspalda;       // backsight bearing as text, empty when none
    TextoFijo<17> horizontalEspalda;   // circle reading to the backsight as text, empty when none
    double alturaInstrumento = 0;      // metres

    bool sinLecturas() const { return primera == kSinLecturas; }
};

struct LecturaImportada {
    std::int32_t numero = 0;  // point number from the file or a running count
    double jalon = 0;         // target height
    double distancia = 0;
    double vertical = 0;
    double horizontal = 0;
    TextoFijo<52> texto;      // code or remark, at most 49 characters kept by the readers
};

// Owns both lists. Records are created zeroed (texts empty, range [0, 0],
// numbers 0) and appended; the last one created is the current one. The
// deques keep the address of every record while later ones are appended.
class CListasImportacion {
public:
    static constexpr std::size_t kTextoMaximo = 49;

    // Nothing when memory runs out (the list is unchanged).
    EstacionamientoImportado* crearEstacionamiento();
    LecturaImportada* crearLectura();

    // Empties both lists.
    void liberar();

    EstacionamientoImportado* estacionamientoActual() {
        return estacionamientos_.empty() ? nullptr : &estacionamientos_.back();
    }
    LecturaImportada* lecturaActual() { return lecturas_.empty() ? nullptr : &lecturas_.back(); }

    std::deque<EstacionamientoImportado>& estacionamientos() { return estacionamientos_; }
    const std::deque<EstacionamientoImportado>& estacionamientos() const { return estacionamientos_; }
    std::deque<LecturaImportada>& lecturas() { return lecturas_; }
    const std::deque<LecturaImportada>& lecturas() const { return lecturas_; }

private:
    std::deque<EstacionamientoImportado> estacionamientos_;
    std::deque<LecturaImportada> lecturas_;
};

}  // namespace celvara
