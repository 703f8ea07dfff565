// "RECOGER OBSERVACIONES DE LA BASE DE DATOS": builds a traverse by walking
// the field book from station to station, choosing at each one the set-up
// whose sightings go back to the previous station and on to the next. The
// window only shows this class's lists and forwards the user's choices.
#pragma once

#include <string>
#include <vector>

#include "fieldbook/avisos.h"
#include "fieldbook/libreta.h"
#include "traverse/poligonal.h"

namespace celvara {

inline constexpr const char* kNoAvanza =
    "Se ha seleccionado una Estación de Atras\nLa Poligonal no Avanza\nSeleccione otra Estación Visada";

// Whether a reading of a set-up with these data is face right (círculo
// inverso): vertical above half a circle, for zenith and nadir readings only.
bool lecturaCirculoInverso(const Lectura& lectura, const DatosComplementarios& datos);

// Fills one side of a row with every reading of the set-up to `objetivo`,
// the last reading of each face winning. False when there is none. A reading
// that is not usable (lecturaUtilizable) is left out and its notice added to
// `omitidas`.
bool llenarVisual(const Estacionamiento& estacionamiento, std::string_view objetivo, VisualPoligonal& visual,
                  std::vector<std::string>* omitidas = nullptr);

class CRecogerObservaciones {
public:
    // `salida` and `referencia` are written only by a successful finalizar().
    CRecogerObservaciones(const CLibretaCampo& libreta, FilasPoligonal& salida, ReferenciaPoligonal& referencia,
                          Avisos& avisos);

    // False (after the message) when the book holds no station.
    bool abrir();

    // Combo "ESTACION SALIDA:": every station of the book, in book order (Windows-1252).
    std::vector<std::string> estacionesLibreta() const;
    void elegirSalida(std::size_t indice);

    // List "Estaciones que Forman la Poligonal:".
    const std::vector<std::string>& recorrido() const { return recorrido_; }
    int actual() const { return actual_; }
    void elegirEstacion(std::size_t indice);

    // Set-ups of the selected traverse station.
    std::vector<std::string> estacionamientos() const;
    int estacionamiento() const { return estacionamiento_; }
    void elegirEstacionamiento(std::size_t indice);

    // "Estaciones Visadas": book stations sighted from the chosen set-up, each once.
    const std::vector<std::string>& visadas() const { return visadas_; }
    int visada() const { return visada_; }
    void elegirVisada(std::size_t indice);

    // Double click or "<==": the selected sighted station joins the traverse.
    bool anadir();

    TipoPoligonal tipo = TipoPoligonal::Encuadrada;
    bool besselH = false, besselV = false, besselD = false;

    // "Finalizar POLIGONAL". True when the dialog closes with OK.
    bool finalizar();

    // The rows as built so far, one per station of the walk.
    const FilasPoligonal& filas() const { return filas_; }

private:
    const Estacion* estacionActual() const;
    const Estacionamiento* estacionamientoActual() const;
    bool nombreCabe(std::string_view nombre);
    void llenarVisadas();

    const CLibretaCampo& libreta_;
    FilasPoligonal& salida_;
    ReferenciaPoligonal& referencia_;
    Avisos& avisos_;

    std::vector<std::string> recorrido_;
    FilasPoligonal filas_;  // parallel to recorrido_
    int actual_ = -1;
    int estacionamiento_ = -1;
    std::vector<std::string> visadas_;
    int visada_ = -1;
};

// What would make a computed traverse meaningless, checked before
// "CALCULAR": stations with no back sight, legs with no distance either way,
// stations in another angle unit than the first. Each note names its row.
struct ObservacionPoligonal {
    std::size_t fila = 0;
    std::string texto;  // UTF-8
};
std::vector<ObservacionPoligonal> revisarPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref);

}  // namespace celvara
