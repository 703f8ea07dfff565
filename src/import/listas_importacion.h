// The intermediate records of an import: the set-ups, readings and station
// coordinates a reader takes from a file, in file order, before the merge
// puts them into the field book. A reading belongs to the set-up record that
// was current when it was created (a reading before any set-up belongs to
// none and is not merged); only images of old radiation files, whose order
// is not the file's, hand readings out by the [primera, ultima] ranges.
#pragma once

#include <cstdint>
#include <deque>

#include "fieldbook/texto_fijo.h"

namespace celvara {

// Range value of a set-up that has no reading yet.
inline constexpr std::int32_t kSinLecturas = -1;

// The distance a line of the file gave, for the readers that tell: the
// set-up's distance kind follows from it.
enum class DistanciaLeida : std::uint8_t { Ninguna, Inclinada, Reducida };

struct EstacionamientoImportado {
    TextoFijo<16> nombre;              // station name
    std::int32_t primera = 0;          // number of the first reading, kSinLecturas when none
    std::int32_t ultima = 0;           // number of the last reading, kSinLecturas when none
    TextoFijo<15> acimutEspalda;       // backsight bearing as text, empty when none
    TextoFijo<17> horizontalEspalda;   // circle reading to the backsight as text, empty when none
    double alturaInstrumento = 0;      // metres
    std::int32_t unidadAngular = 0;    // 400 or 360 when the file says; 0: the default block's
    std::int32_t tipoDistancia = -1;   // TipoDistancia of the file's distances; -1: the default block's

    bool sinLecturas() const { return primera == kSinLecturas; }
};

struct LecturaImportada {
    std::int32_t numero = 0;  // point number from the file or a running count
    double jalon = 0;         // target height
    double distancia = 0;
    double vertical = 0;
    double horizontal = 0;
    TextoFijo<52> texto;      // code or remark, at most 49 characters kept by the readers
    TextoFijo<16> nombre;     // point id as written; empty: the number is the name
    std::int32_t estacionamiento = -1;  // index of the set-up record it belongs to
    DistanciaLeida distanciaLeida = DistanciaLeida::Ninguna;
    bool conVertical = true;  // false: the line gave no vertical angle
};

// A station whose coordinates the file gives (a station record or a
// coordinate-only point).
struct EstacionImportada {
    TextoFijo<16> nombre;
    double x = 0;
    double y = 0;
    double z = 0;
    TextoFijo<100> descripcion;
    std::int32_t estacionamientosAntes = 0;  // set-up records read before it (keeps file order)
};

// Coordinates of a point given alone (no reading): they fill a station of
// the book that has none, else the import summary lists them as skipped.
struct CoordenadasSueltas {
    TextoFijo<16> nombre;
    double x = 0;
    double y = 0;
    double z = 0;
    std::size_t linea = 0;  // line of the file
};

// Owns both lists. Records are created zeroed (texts empty, range [0, 0],
// numbers 0) and appended; the last one created is the current one. The
// deques keep the address of every record while later ones are appended.
class CListasImportacion {
public:
    static constexpr std::size_t kTextoMaximo = 49;

    // Nothing when memory runs out (the list is unchanged).
    EstacionamientoImportado* crearEstacionamiento();
    // The reading belongs to the current set-up record.
    LecturaImportada* crearLectura();
    EstacionImportada* crearEstacion();
    CoordenadasSueltas* crearCoordenadasSueltas();

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
    const std::deque<EstacionImportada>& estaciones() const { return estaciones_; }
    const std::deque<CoordenadasSueltas>& coordenadasSueltas() const { return sueltas_; }

    bool vacias() const {
        return estacionamientos_.empty() && lecturas_.empty() && estaciones_.empty() && sueltas_.empty();
    }

    // Readings handed out by number ranges instead of by creation order.
    bool porRangos = false;
    // Set-ups named "%s_(%d)" instead of "%s(%d)".
    bool guionEnNombres = false;

private:
    std::deque<EstacionamientoImportado> estacionamientos_;
    std::deque<LecturaImportada> lecturas_;
    std::deque<EstacionImportada> estaciones_;
    std::deque<CoordenadasSueltas> sueltas_;
};

}  // namespace celvara
