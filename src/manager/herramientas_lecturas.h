// Reading tools: moving a set-up to another station, merging two set-ups of a
// station, deleting, moving and copying ranges of readings, and the repeated
// sightings of a set-up with their mean.
//
// Each change of the book is one function that takes the records and returns
// how many readings it touched, so that a command history can wrap it. The
// window classes below hold what each window shows and ask before any bulk
// change, telling how many readings it will touch.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/caras.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "fieldbook/libreta.h"

namespace celvara {

// ---- Ranges of reading names ("Desde el Punto Numero", "Hasta  el Punto Numero").
// Names made only of digits compare by their value; any other name compares
// as text with the two limits.
struct RangoLecturas {
    std::string desde;  // Windows-1252, as typed
    std::string hasta;
};
// Both limits given and the first not after the second.
bool rangoValido(const RangoLecturas& rango);
bool enRango(std::string_view nombre, const RangoLecturas& rango);
std::size_t contarEnRango(const Estacionamiento& s, const RangoLecturas& rango);

// The changes. A source set-up is never its own destination (nothing is done).
std::size_t borrarEnRango(Estacionamiento& s, const RangoLecturas& rango);
std::size_t moverEnRango(Estacionamiento& origen, Estacionamiento& destino, const RangoLecturas& rango);
std::size_t copiarEnRango(const Estacionamiento& origen, Estacionamiento& destino, const RangoLecturas& rango);

// Unlinks the set-up from `origen` and appends it to `destino`, whose name it
// takes; readings and values are kept. Returns the set-up's new place, or
// nullptr when it is not in `origen` or the stations are the same.
Estacionamiento* cambiarEstacion(Estacion& origen, Estacionamiento* s, Estacion& destino);

enum class FormaUnir { ModificarHyJalon, ModificarH, SinModificar };
struct OpcionesUnir {
    FormaUnir forma = FormaUnir::ModificarHyJalon;
    bool porLecturas = false;  // "Por Lecturas a Refer...", else "Por Desorientación"
    double lecturaInicial = 0;
    double lecturaFinal = 0;
};
// Appends S's readings to P's (modified as asked) and removes S from the
// station. Returns the number of readings moved, or nothing when S and P are
// the same or S is not in the station.
std::optional<std::size_t> unirEstacionamientos(Estacion& estacion, Estacionamiento* s, Estacionamiento& p,
                                                const OpcionesUnir& opciones);

// ---- Windows.

// Messages of the tools.
inline constexpr const char* kLecturasBorradas = "Lesturas Borradas";
inline constexpr const char* kLecturasCambiadas = "Lecturas Cambiadas";
inline constexpr const char* kLecturasCopiadas = "Lecturas Copiadas";

// The stations or set-ups a window offers, with their names (UTF-8) in the
// same order, and the one chosen by its position in the list.
template <typename T>
class ListaDestinos {
public:
    void agregar(T* destino, std::string nombre) {
        destinos_.push_back(destino);
        nombres_.push_back(std::move(nombre));
    }
    const std::vector<std::string>& nombres() const { return nombres_; }
    // A position outside the list chooses nothing.
    T* elegir(int indice) {
        elegido_ = indice >= 0 && static_cast<std::size_t>(indice) < destinos_.size() ? destinos_[indice] : nullptr;
        return elegido_;
    }
    T* elegido() const { return elegido_; }

private:
    std::vector<T*> destinos_;
    std::vector<std::string> nombres_;
    T* elegido_ = nullptr;
};

// "CAMBIAR DE ESTACION".
class CCambiarEstacion {
public:
    CCambiarEstacion(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s, Avisos& avisos);
    // Every station but the set-up's own, in book order (UTF-8).
    const std::vector<std::string>& nombres() const { return destinos_.nombres(); }
    // "Estacion: %s", "X = %1.3lf", "Y = %1.3lf", "Z = %1.3lf".
    std::vector<std::string> elegir(int indice);
    // "CAMBIAR": the station and set-up to select afterwards, or nothing.
    std::optional<std::pair<Estacion*, Estacionamiento*>> cambiar();

private:
    Estacion& estacion_;
    Estacionamiento& s_;
    Avisos& avisos_;
    ListaDestinos<Estacion> destinos_;
};

// "FUNDIR-UNIR ESTACIONAMIENTOS".
class CUnirEstacionamientos {
public:
    CUnirEstacionamientos(Estacion& estacion, Estacionamiento& s, Avisos& avisos);
    // The current set-up: "Estacion: %s", "Des = %1.4lf", "I = %1.3lf".
    std::vector<std::string> textosActual() const;
    const std::vector<std::string>& nombres() const { return destinos_.nombres(); }
    // "Subestación: %s", "Des = %1.4lf", "I = %1.3lf".
    std::vector<std::string> elegir(int indice);
    OpcionesUnir opciones;
    std::string textoInicial, textoFinal;  // edits 1045 and 1046
    // "UNIR": the receiving set-up, or nothing when nothing was done.
    Estacionamiento* unir();

private:
    Estacion& estacion_;
    Estacionamiento& s_;
    Avisos& avisos_;
    ListaDestinos<Estacionamiento> destinos_;
};

// "OPCIONES DE LECTURAS" on one set-up.
class COpcionesLecturas {
public:
    COpcionesLecturas(CLibretaCampo& libreta, Estacionamiento& s, Avisos& avisos);
    // Every other set-up of the book, in book order (UTF-8); chosen by position.
    const std::vector<std::string>& nombres() const { return destinos_.nombres(); }
    // "Subestacion:%s", "Des = %.4lf", "I = %.3lf".
    std::vector<std::string> elegir(int indice);
    Estacionamiento* destino() const { return destinos_.elegido(); }
    RangoLecturas rango;  // Windows-1252
    // "Cuantos :": "Cuantos: %d", or nothing for an invalid range.
    std::optional<std::string> cuantos() const;
    // The three changes tell how many readings they touch and ask first;
    // they return the readings changed.
    std::size_t borrar();
    std::size_t mover();
    std::size_t copiar();

private:
    bool confirmar(const char* formato, std::size_t n);
    // The frame of the three: a valid range (and a destination where the
    // change needs one), the question, the change, the message.
    template <typename Cambio>
    std::size_t cambiarRango(bool conDestino, const char* pregunta, const char* hecho, Cambio cambio);
    Estacionamiento& s_;
    Avisos& avisos_;
    ListaDestinos<Estacionamiento> destinos_;
};

namespace columna_repetidas {
inline constexpr std::size_t marca = 0, nombre = 1, cara = 2, horizontal = 3, vertical = 4, distancia = 5,
                             jalon = 6, codigo = 7, numero = 8;
}

// "LISTADO DE VISUALES REPETIDAS" of one set-up.
class CVisualesRepetidas {
public:
    CVisualesRepetidas(Estacionamiento& s, Avisos& avisos);
    // Names that occur more than once, once each, in order of first
    // occurrence (UTF-8).
    const std::vector<std::string>& nombres() const { return nombres_; }
    // One row per usable reading (lecturaUtilizable) of that name: mark,
    // name, face ("1" or "2"), horizontal and vertical "%1.4lf", distance and
    // target height "%1.3lf", code.
    void elegir(int indice);
    RejillaTexto& rejilla() { return rejilla_; }
    // The mean of the marked rows (one row, no mark cell), empty until
    // "Promediar Lecturas Marcadas".
    RejillaTexto& promedio() { return promedio_; }

    // "Borrar Lecturas Marcadas": asks, deletes, refills both lists.
    std::size_t borrarMarcadas();
    // "Promediar Lecturas Marcadas": fills the mean row; false with fewer
    // than one marked row.
    bool promediarMarcadas();
    // "Insertar esta Lectura en la Libreta del Estacionamiento": the mean
    // takes the place of the first reading it was made from and the others
    // are removed (asks first). Returns the readings removed.
    std::size_t insertarPromedio();

private:
    std::vector<std::size_t> marcadas() const;  // indices into the set-up's readings
    void recargarNombres();
    // Removes the readings of these grid rows and lists the same name again.
    void quitarFilas(std::span<const std::size_t> filas);
    Estacionamiento& s_;
    Avisos& avisos_;
    std::vector<std::string> nombres_;
    std::string elegido_;           // Windows-1252
    std::vector<std::size_t> filas_;  // reading index of each grid row
    RejillaTexto rejilla_;
    RejillaTexto promedio_;
    ValoresLectura promedioValores_;
    std::vector<std::size_t> marcadasPromedio_;  // grid rows of the mean
};

// Names repeated among a set-up's readings (Windows-1252), in order of first
// occurrence: what `celvara-cli repetidas` lists.
std::vector<std::string> nombresRepetidos(const Estacionamiento& s);

// The readings of one name (Windows-1252), in order, with their face (a
// height difference in the vertical field has none: face left).
struct VisualRepetida {
    std::size_t indice = 0;  // into the set-up's readings
    bool caraDerecha = false;
};
std::vector<VisualRepetida> visualesDeNombre(const Estacionamiento& s, std::string_view nombre);
// The cells the list shows of a reading from the name on (UTF-8): name, face
// "1" or "2", horizontal and vertical "%1.4lf", distance and target height
// "%1.3lf", code.
std::vector<std::string> celdasVisualRepetida(const Lectura& l, bool caraDerecha);

// ---- "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO": the form as texts (UTF-8).
struct FormularioDatosComplementarios {
    bool sexagesimal = false;  // angle list: "Centesimal" / "Sexagesimal"
    bool yardas = false;       // distance list: "Metros" / "Yardas"
    std::int32_t tipoDistancia = 0;
    std::int32_t tipoVertical = 0;
    bool corregidoEsfRefr = false;
    bool corregidoTempPres = false;
    std::string estacionamiento, estacion, instrumento, operador, dia, hora, temperatura, presion, ppm,
        comentarios;

    static FormularioDatosComplementarios desde(const Estacionamiento& s);
    // OK: every field into the set-up's block (texts cut to their sizes).
    void aplicar(Estacionamiento& s) const;
};

}  // namespace celvara
