// The orientation of every set-up at once ("CALCULO DESORIENTACIONES"): one
// grid row per set-up of the book; "CALCULAR" computes the rows in use from
// the sights to known stations, "GRABAR" writes column 4 into the set-ups.
#pragma once

#include <string>
#include <vector>

#include "calc/desorientacion_individual.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/libreta.h"

namespace celvara {

namespace columna_todas {
inline constexpr std::size_t uso = 0, estacion = 1, estacionamiento = 2, cuantas = 3, desorientacion = 4, emc = 5,
                             numero = 6;
}

// Result of one set-up.
struct ResultadoDesorientacion {
    int visuales = 0;     // sights to known stations used
    double media = 0;     // orientation correction, set-up's unit
    double emc = 0;       // mean square error of one value
    // Sights left out: a value or a station coordinate not finite or beyond
    // ±1e9 (one notice each, UTF-8).
    std::vector<std::string> omitidas;
};

// The automatic computation of one set-up on its station.
ResultadoDesorientacion calcularDesorientacionAutomatica(const CLibretaCampo& libreta, const Estacion& estacion,
                                                         const Estacionamiento& estacionamiento);

// "GRABAR" of a computed orientation: the value as shown (anguloMostrado),
// unless it shows what the set-up already holds, which is then kept
// unrounded.
void grabarDesorientacion(Estacionamiento& s, double calculada);

// The individual window's computation on a set-up with every sighted station
// added once, in reading order: its report.
InformeDesorientacion informeConTodasLasVisadas(const CLibretaCampo& libreta, const Estacion& e,
                                                const Estacionamiento& s);

class CCalculoDesorientaciones {
public:
    explicit CCalculoDesorientaciones(CLibretaCampo& libreta);

    RejillaTexto& rejilla() { return rejilla_; }
    const RejillaTexto& rejilla() const { return rejilla_; }

    void calcular();  // "CALCULAR"
    void grabar();    // "GRABAR"
    // Sights the last "CALCULAR" left out (UTF-8 notices).
    const std::vector<std::string>& omitidas() const { return omitidas_; }

    // The station and set-up of a row, for the double click that opens the
    // individual window.
    Estacion* estacionDeFila(std::size_t fila) const;
    Estacionamiento* estacionamientoDeFila(std::size_t fila) const;
    // After the individual window closed: the set-up's orientation into
    // column 4.
    void actualizarFila(std::size_t fila);

private:
    CLibretaCampo& libreta_;
    std::vector<std::pair<Estacion*, Estacionamiento*>> filas_;
    RejillaTexto rejilla_;
    std::vector<std::string> omitidas_;
};

}  // namespace celvara
