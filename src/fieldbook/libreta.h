// The field book: stations, their set-ups and the readings of each set-up.
// Lists keep insertion order, which is the order of the tree, the grids and
// the observation file. Stations and set-ups are held by pointer so that a
// window may keep the address of the one it shows while the list changes;
// readings are held by value (a book may carry millions of them).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "fieldbook/texto_fijo.h"

namespace celvara {

enum class TipoBase : std::int32_t { Feno = 0, Clavo = 1, Vertice = 2 };
enum class TipoDistancia : std::int32_t { Geometricas = 0, Generadores = 1, ReducidasDesnivel = 2, ReducidasVertical = 3 };
enum class TipoVertical : std::int32_t { Zenital = 0, Inclinacion = 1, Nadiral = 2 };
enum class Proyeccion : std::uint32_t { Planas = 0, UtmHayford = 1, UtmWgs84 = 2 };

inline constexpr std::int32_t kCentesimal = 400;
inline constexpr std::int32_t kSexagesimal = 360;
inline constexpr const char* kFotoPorDefecto = "c:\\trabajos\\vestrum\\foto0.bmp";

// Complementary data of a set-up. Value-initialised it holds the defaults of a
// set-up created without a block (importers); the settings carry their own.
struct DatosComplementarios {
    TextoFijo<50> instrumento;
    TextoFijo<15> operador;
    TextoFijo<15> dia;
    TextoFijo<16> hora;
    std::int32_t temperatura = 0;
    std::int32_t presion = 0;
    std::int32_t ppm = 0;
    std::int32_t tipoDistancia = 0;  // TipoDistancia
    std::int32_t tipoVertical = 0;   // TipoVertical
    std::int32_t unidadAngular = kCentesimal;
    std::int32_t unidadDistancia = 0;  // 0 metres, 1 yards
    std::uint8_t corregidoEsfRefr = 0;
    std::uint8_t corregidoTempPres = 0;
    TextoFijo<50> comentarios;

    friend bool operator==(const DatosComplementarios&, const DatosComplementarios&) = default;
};

struct Lectura {
    TextoFijo<16> nombre;
    double jalon = 0;
    double distancia = 0;
    double vertical = 0;
    double horizontal = 0;
    TextoFijo<52> codigo;

    friend bool operator==(const Lectura&, const Lectura&) = default;
};

using ListaLecturas = std::vector<Lectura>;

struct Estacionamiento {
    TextoFijo<15> nombre;
    TextoFijo<17> estacion;
    double alturaInstrumento = 0;
    double desorientacion = 0;
    DatosComplementarios datos;
    ListaLecturas lecturas;
};

using ListaEstacionamientos = std::vector<std::unique_ptr<Estacionamiento>>;

struct Estacion {
    TextoFijo<16> nombre;
    std::int32_t tipo = 0;  // TipoBase
    double x = 0;
    double y = 0;
    double z = 0;
    TextoFijo<100> descripcion1;
    TextoFijo<100> descripcion2;
    TextoFijo<1024> croquis;
    TextoFijo<256> ficheroFoto;
    TextoFijo<256> ficheroCroquis;
    ListaEstacionamientos estacionamientos;
};

using ListaEstaciones = std::vector<std::unique_ptr<Estacion>>;

struct Coordenadas {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Arguments of "create a station"; an absent text is empty.
struct DatosEstacionNueva {
    std::string_view nombre;
    std::int32_t tipo = 0;
    std::optional<Coordenadas> coordenadas;  // none: X = Y = Z = 0 and tipo 0
    std::string_view descripcion1;
    std::string_view descripcion2;
    std::string_view croquis;
    std::string_view ficheroFoto;
    std::string_view ficheroCroquis;
};

class CLibretaCampo {
public:
    CLibretaCampo() = default;
    CLibretaCampo(const CLibretaCampo&) = delete;
    CLibretaCampo& operator=(const CLibretaCampo&) = delete;
    CLibretaCampo(CLibretaCampo&&) = default;
    CLibretaCampo& operator=(CLibretaCampo&&) = default;
    virtual ~CLibretaCampo() = default;

    ListaEstaciones estaciones;
    TextoFijo<1024> reservado;
    std::uint32_t proyeccion = 0;

    // Empties the stations, the reserved text and the projection.
    void vaciar();

    Estacion* buscarEstacion(std::string_view nombre) const;
    bool nombreEstacionamientoUsado(std::string_view nombre) const;
    // The set-up of that name anywhere in the book, with its station.
    std::pair<Estacion*, Estacionamiento*> buscarEstacionamiento(std::string_view nombre) const;

    std::size_t contarEstacionamientos() const;
    std::size_t contarLecturas() const;
};

// List operations. The three "create" operations share one placement rule:
// in an empty list the record becomes the head; with no anchor the anchor is
// the last record; after the last record the new one is appended, otherwise
// it goes immediately before the anchor. They return nothing when memory runs
// out, leaving the list unchanged.
void vaciarLista(ListaEstaciones& lista);
void vaciarLista(ListaEstacionamientos& lista);
void vaciarLista(ListaLecturas& lista);

std::size_t contar(const ListaEstaciones& lista);
std::size_t contar(const ListaEstacionamientos& lista);
std::size_t contar(const ListaLecturas& lista);

Estacion* crearEstacion(ListaEstaciones& lista, const DatosEstacionNueva& datos,
                        ListaEstacionamientos estacionamientos = {}, const Estacion* ancla = nullptr);

// With no block the set-up gets the defaults of a value-initialised block.
Estacionamiento* crearEstacionamiento(ListaEstacionamientos& lista, const Estacionamiento* ancla,
                                      std::string_view nombre, std::string_view estacion,
                                      double alturaInstrumento, const DatosComplementarios* datos,
                                      double desorientacion, ListaLecturas lecturas = {});

// The anchor is an index into the list (none: the last one). Returns the
// reading in its place; the address holds until the list changes again.
Lectura* crearLectura(ListaLecturas& lista, std::optional<std::size_t> ancla, std::string_view nombre,
                      double jalon, double distancia, double vertical, double horizontal,
                      std::string_view codigo);

// Index where the placement rule puts a new record in a list of `tamano`
// records when anchored at `ancla` (none: the last one).
std::size_t posicionInsercion(std::size_t tamano, std::optional<std::size_t> ancla);

// A typed orientation correction: commas read as points, then wrapped once
// into (0, 400] by adding or subtracting 400, whatever the angle unit.
double normalizarDesorientacionTecleada(std::string_view texto);

// "Fichero OBS v5.5": moves every station of `otra` (with its set-ups and
// readings) to the end of `libreta`. Names are not checked; the header of
// `otra` is dropped. Returns whether anything was added.
bool anexarLibreta(CLibretaCampo& libreta, CLibretaCampo&& otra);

}  // namespace celvara
