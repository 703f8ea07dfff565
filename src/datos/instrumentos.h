// The instrument library: total-station descriptions kept in a plain file of
// 392-byte records (instrumentos.apa), with no header and no count. A set-up
// names its instrument; the library gives that name its characteristics,
// which the error model of sightings and traverses uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "fieldbook/texto_fijo.h"

namespace celvara {

// Offsets of the record image; integers i32 and reals binary32, both
// little-endian.
namespace imagen::instrumento {
inline constexpr std::size_t numero = 0, nombre = 4, marca = 54, aumentos = 72, errorH = 76,
                             errorV = 80, alcance1Prisma = 84, alcance3Prismas = 88,
                             precisionDistanciaMm = 92, precisionDistanciaPpm = 96,
                             excentricidad = 100, lecturaAngular = 104, precisionH = 108,
                             precisionV = 112, nivelEsferico = 116, nivelTorico = 120,
                             ejesCompensador = 124, ficheroFoto = 128, enlaces = 384, tamano = 392;
static_assert(marca == nombre + 50 && aumentos == marca + 18 && ficheroFoto == ejesCompensador + 4 &&
              enlaces == ficheroFoto + 256 && tamano == enlaces + 2 * 4);
}  // namespace imagen::instrumento

// Records read and written per batch; the loader's buffer holds one batch.
inline constexpr std::size_t kInstrumentosPorLote = 100;

inline constexpr const char* kFotoInstrumentoPorDefecto = "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP";

struct Instrumento {
    std::int32_t numero = 0;
    TextoFijo<50> nombre;  // the key by which set-ups refer to it
    TextoFijo<18> marca;
    std::int32_t aumentos = 0;
    float errorH = 0;                 // cc
    float errorV = 0;                 // cc
    std::int32_t alcance1Prisma = 0;  // m
    std::int32_t alcance3Prismas = 0; // m
    float precisionDistanciaMm = 0;   // constant part, mm
    float precisionDistanciaPpm = 0;  // proportional part, ppm
    float excentricidad = 0;          // m
    float lecturaAngular = 0;         // cc
    float precisionH = 0;             // cc
    float precisionV = 0;             // cc
    std::int32_t nivelEsferico = 0;   // sensitivity, minutes
    std::int32_t nivelTorico = 0;     // sensitivity ("Compensa. Vertical"), cc
    std::int32_t ejesCompensador = 0;
    TextoFijo<256> ficheroFoto;       // BMP of the instrument, Windows path

    // The bytes the record had in the library file. A record the program did
    // not edit is written back from them, so text tails survive; editing a
    // record drops them and it is then written zero-filled.
    std::optional<std::array<unsigned char, imagen::instrumento::tamano>> imagenLeida;
};

// The library in memory, in file order.
using ListaInstrumentos = std::vector<Instrumento>;

// The destination is exactly one record and is fully written; links are 0.
void escribirInstrumento(const Instrumento& instrumento, unsigned char* destino);
// Reads one record image, keeping its bytes.
Instrumento leerInstrumento(const unsigned char* origen);

// Loads the library of a host path. The file is opened for reading and
// writing (a read-only file fails like a missing one); an empty file is an
// empty library. Trailing bytes that do not make a whole record are left out
// and counted in `bytesSobrantes`. On failure the list is empty; running out
// of memory is told through `avisos`.
Estado cargarInstrumentos(ListaInstrumentos& lista, const std::filesystem::path& ruta, Avisos& avisos,
                          std::size_t* bytesSobrantes = nullptr);

// Writes the library in list order, in batches of at most 100 records, to a
// temporary file renamed over the target. An existing target that cannot be
// opened for writing is refused and left alone.
Estado guardarInstrumentos(const ListaInstrumentos& lista, const std::filesystem::path& ruta);

// Appends a record with the given values: a new instrument always goes at
// the end of the library. Returns it, or nullptr after telling
// "\nfalta memoria".
Instrumento* crearInstrumento(ListaInstrumentos& lista, const Instrumento& valores, Avisos& avisos);

// Gives a record every value of `valores`; it is written zero-filled from
// then on.
void actualizarInstrumento(Instrumento& instrumento, const Instrumento& valores);

// First instrument of that name (byte comparison), or nullptr.
const Instrumento* buscarInstrumento(const ListaInstrumentos& lista, std::string_view nombre);
// As the computations pick an instrument: the one named, else the first of
// the library; nullptr only for an empty library.
const Instrumento* buscarInstrumentoOPrimero(const ListaInstrumentos& lista, std::string_view nombre);

// The record the least-squares computations may take, for one run, in place
// of an instrument the library lacks.
inline constexpr const char* kInstrumentoEstandar = "ESTANDAR";

// "El instrumento «X» del estacionamiento «Y» no está en la librería de
// instrumentos" (names Windows-1252, text UTF-8).
std::string mensajeInstrumentoAusente(std::string_view instrumento, std::string_view estacionamiento);

// A set-up's instrument as the least-squares computations (station and
// network) take it: the one named. They never guess from another record: a
// wrong instrument weighs every equation wrongly. When the library lacks it
// the user is told; a window (`preguntar`) then asks whether to compute with
// "ESTANDAR" this time, and a yes holds for the rest of the run.
class EleccionInstrumento {
public:
    EleccionInstrumento(const ListaInstrumentos* lista, Avisos& avisos) : lista_(lista), avisos_(avisos) {}
    void cambiarLista(const ListaInstrumentos* lista) { lista_ = lista; }
    // The set-up's instrument (Windows-1252 names), or nullptr after the
    // message (or a "No").
    const Instrumento* de(std::string_view instrumento, std::string_view estacionamiento);
    bool preguntar = true;  // false: tell and refuse (the batch tool)

private:
    const ListaInstrumentos* lista_;
    Avisos& avisos_;
    bool estandar_ = false;  // "ESTANDAR" accepted for this run
};

// The "CARACTERISTICAS" lines of the list dialog, Windows-1252.
std::vector<std::string> describirInstrumento(const Instrumento& instrumento);

// Host path of the library named in the settings (Windows-1252 path).
std::filesystem::path rutaInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa);

}  // namespace celvara
