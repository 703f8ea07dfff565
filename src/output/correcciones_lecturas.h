// Corrections of readings ("CORRECCIONES O MODIFICACIONES A LAS LECTURAS"):
// offsets, curvature and refraction, unification of units and kinds, and the
// mean of face-left/face-right pairs, applied set-up by set-up.
//
// Each step is one function over a set-up that says what it changed, so that
// a command history can wrap it. The window's grid holds one row per set-up
// of the book, in book order; rows map to set-ups by position.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "datos/instrumentos.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "fieldbook/libreta.h"

namespace celvara {

// What the correction of one or several set-ups changed.
struct CambioCorreccion {
    std::size_t estacionamientos = 0;  // set-ups whose readings or data changed
    std::size_t lecturas = 0;          // readings given new values, once per step
    std::size_t lecturasFundidas = 0;  // readings removed by joining them to their pair
    // Readings left as they were: not finite or beyond ±1e9 (one notice each, UTF-8).
    std::vector<std::string> omitidas;

    CambioCorreccion& operator+=(const CambioCorreccion& otro);
};

struct OpcionesCorreccion {
    // Offsets, only when `desplazamientos`: angles in cc (circle 400) or
    // seconds of arc, distance in mm.
    bool desplazamientos = false;
    double desplazamientoH = 0;
    double desplazamientoV = 0;
    double desplazamientoD = 0;
    bool esfericidadRefraccion = false;
    bool temperaturaPresion = false;
    bool unificar = false;
    bool promediar = false;
};

// H += A, V += B (not when V is a height difference), D += C.
CambioCorreccion aplicarDesplazamientos(Estacionamiento& s, double h, double v, double d);

// The curvature and refraction angle K Dh / R (the radiation's K = 0.42 and
// R = 6378388 m) taken off a zenith angle and added to an elevation or nadir
// angle; with the vertical a height difference the term K Dh^2 / R is added
// to it. Dh is signed as the radiation reduces the reading. Sets the set-up's
// flag; a set-up already flagged is left alone.
CambioCorreccion corregirEsfericidadRefraccion(Estacionamiento& s);

// Temperature and pressure: no reading changes; the flag is set.
CambioCorreccion marcarTemperaturaPresion(Estacionamiento& s);

// Every reading to centesimal zenith angles and slope distances, the
// orientation correction too; afterwards the set-up says C = 400, distance
// kind 0 and vertical kind 0, and radiates to the same points as before.
CambioCorreccion unificarLecturas(Estacionamiento& s);

// Readings of the same name paired in order (the first with the next one not
// yet paired); the mean of each pair takes the first one's place and the
// second is removed.
CambioCorreccion promediarCarasEstacionamiento(Estacionamiento& s);
// The pairs the face mean would join, without joining them.
std::size_t contarParesCaras(const Estacionamiento& s);

// The steps in the window's order: offsets, curvature and refraction,
// temperature and pressure, unification, face mean. Every step leaves a
// reading that is not usable (lecturaUtilizable) as it is; this names them.
CambioCorreccion corregirEstacionamiento(Estacionamiento& s, const OpcionesCorreccion& opciones);

// A deep copy of a book (for "En Uno Nuevo").
CLibretaCampo copiarLibreta(const CLibretaCampo& libreta);

namespace columna_correcciones {
inline constexpr std::size_t uso = 0, estacionamiento = 1, estacion = 2, lecturas = 3, instrumento = 4,
                             desplazamientoH = 5, desplazamientoV = 6, desplazamientoD = 7, esfRefr = 8,
                             tempPres = 9, desplazamientos = 10, unificar = 11, promediar = 12, numero = 13;
}

// The window's logic.
class CCorreccionesLecturas {
public:
    CCorreccionesLecturas(CLibretaCampo& libreta, Avisos& avisos);

    RejillaTexto& rejilla() { return rejilla_; }
    // One row per set-up with the starting values; also after "CORREGIR".
    void recargar();
    // A block check box: its state into its column of every row.
    void marcarColumna(std::size_t columna, bool marcada);
    // The options a row asks for.
    OpcionesCorreccion opcionesDeFila(std::size_t fila) const;

    // "Sobre el Mismo" (false) or "En Uno Nuevo" (true) and the file of the
    // new book (host path).
    bool enUnoNuevo = false;
    std::string ficheroNuevo;

    // "Recoger Errores del Instrumento"; nullptr: the library did not open.
    void recogerErroresInstrumento(const ListaInstrumentos* biblioteca);

    // "C O R R E G I R": tells how many readings of how many set-ups it will
    // work on (and how many face pairs it will join into one reading) and
    // asks; then corrects and reloads the grid. Returns what changed in the
    // book (nothing for "En Uno Nuevo").
    CambioCorreccion corregir();

private:
    CLibretaCampo& libreta_;
    Avisos& avisos_;
    RejillaTexto rejilla_;
    std::vector<Estacionamiento*> filas_;
};

}  // namespace celvara
