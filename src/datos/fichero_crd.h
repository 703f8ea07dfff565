// Coordinate files (*.CRD): named points with X, Y, Z.
//
// Two record forms exist. `PuntoCoordenadas` (120 bytes) is the point of the
// lists the main window works with, and also the whole content of the older
// headerless files. `RegistroCoordenadas` (304 bytes) is the record of the
// current files, which start with the mark "V5.0", its NUL and a u32
// sub-version 0, followed by records until the end of the file (no count).
// The current record adds display attributes for drawing the point; they
// survive only where records are read and written as file records, since a
// point list is always written with the default attributes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/texto_fijo.h"

namespace celvara {

// One point of a coordinate list.
struct PuntoCoordenadas {
    std::uint8_t base = 0;  // not 0: the point is a base (a station of the job)
    TextoFijo<15> nombre;
    TextoFijo<16> estacion;  // column "Estación"
    double x = 0;
    double y = 0;
    double z = 0;
    TextoFijo<52> codigo;  // column "Código"

    friend bool operator==(const PuntoCoordenadas&, const PuntoCoordenadas&) = default;
};

using ListaPuntos = std::vector<PuntoCoordenadas>;

// The drawing of a point: its symbol and three labels (name, height, code).
// Sizes are on paper, in metres, at the drawing scale; only the defaults are
// fixed by the file, the drawing decides how far it honours the rest.
struct SimboloPunto {
    double escala = 500.0;
    std::uint8_t tipo = 0;
    double tamano = 0.001;
    std::uint8_t relleno = 0;
    std::uint8_t visible = 1;
    std::uint32_t color = 256;  // 256: the colour of the layer

    friend bool operator==(const SimboloPunto&, const SimboloPunto&) = default;
};

struct EtiquetaPunto {
    std::uint8_t visible = 1;
    std::array<double, 2> desplazamiento{0.5, 0.5};  // in label heights from the point
    double giro = 0;
    double tamano = 0.0015;
    std::uint32_t color = colorRgb(128, 255, 255);  // red in the low byte

    friend bool operator==(const EtiquetaPunto&, const EtiquetaPunto&) = default;
};

// A point record of the current file form. Value-initialised it holds the
// defaults a new record gets.
struct RegistroCoordenadas {
    double x = 0;
    double y = 0;
    double z = 0;
    std::uint8_t base = 1;
    SimboloPunto simbolo;
    TextoFijo<15> estacion;
    TextoFijo<15> nombre;
    EtiquetaPunto etiquetaNombre;
    EtiquetaPunto etiquetaCota{1, {0.5, -1.25}, 0, 0.0015, colorRgb(252, 93, 54)};
    std::uint8_t decimalesCota = 2;
    TextoFijo<50> codigo;
    EtiquetaPunto etiquetaCodigo{1, {0.5, -0.125}, 0, 0.0005, colorRgb(255, 255, 255)};

    friend bool operator==(const RegistroCoordenadas&, const RegistroCoordenadas&) = default;
};

using ListaRegistrosCoordenadas = std::vector<RegistroCoordenadas>;

// Byte images. Links and padding are written as 0 and ignored when read.
namespace imagen::crd {

inline constexpr char kMarca[5] = {'V', '5', '.', '0', '\0'};
inline constexpr std::size_t kTamanoMarca = 5;
inline constexpr std::uint32_t kSubversion = 0;
inline constexpr std::size_t kTamanoCabecera = kTamanoMarca + 4;
// Records are read and written in batches of this many.
inline constexpr std::size_t kRegistrosPorLote = 20000;

namespace punto {
inline constexpr std::size_t base = 0, nombre = 1, estacion = 16, x = 32, y = 40, z = 48, codigo = 56,
                             enlaces = 108, tamano = 120;
static_assert(estacion == nombre + 15 && x == estacion + 16 && codigo == z + 8 && enlaces == codigo + 52 &&
              tamano == enlaces + 12);
}  // namespace punto

namespace registro {
inline constexpr std::size_t x = 0, y = 8, z = 16, bloque = 24, base = 32, escala = 40, tipoSimbolo = 48,
                             tamanoSimbolo = 56, rellenoSimbolo = 64, verSimbolo = 65, colorSimbolo = 68,
                             estacion = 72, nombre = 87, nombreDesplazamiento = 104, nombreGiro = 120,
                             verNombre = 128, tamanoNombre = 136, colorNombre = 144, verCota = 148,
                             cotaDesplazamiento = 152, cotaGiro = 168, tamanoCota = 176, decimalesCota = 184,
                             colorCota = 188, codigo = 192, codigoDesplazamiento = 248, codigoGiro = 264,
                             verCodigo = 272, tamanoCodigo = 280, colorCodigo = 288, enlaces = 296,
                             tamano = 304;
static_assert(nombre == estacion + 15 && nombreDesplazamiento >= nombre + 15 && codigo + 50 <= 248 &&
              colorCodigo + 4 + 4 == enlaces && tamano == enlaces + 8);
}  // namespace registro

// The destinations are exactly one record long and are written in full.
void escribirPunto(const PuntoCoordenadas& p, unsigned char* destino);
void leerPunto(const unsigned char* origen, PuntoCoordenadas& p);
void escribirRegistro(const RegistroCoordenadas& r, unsigned char* destino);
void leerRegistro(const unsigned char* origen, RegistroCoordenadas& r);

}  // namespace imagen::crd

// Between the two forms: X, Y, Z, base flag, station text, name and code
// travel; texts are cut to the receiving field. A point becomes a record
// with every display attribute at its default and the flag as 1 or 0; a
// record becomes a point with its flag byte copied as it is.
RegistroCoordenadas aRegistro(const PuntoCoordenadas& p);
PuntoCoordenadas aPunto(const RegistroCoordenadas& r);

enum class FormaCrd { Actual, Antigua };

// Reads a coordinate file into file records, in file order. The file is
// opened for reading and writing, so a read-only file fails like a missing
// one. A current-form file with no complete sub-version, or with one other
// than 0, is an empty list (and succeeds); a record cut short by the end of
// the file is dropped; a file without the mark is read as the older form.
// Fails (leaving the list empty) when the file cannot be opened, on a read
// error and when memory runs out. Never shows anything.
bool leerFicheroCoordenadas(const std::filesystem::path& ruta, ListaRegistrosCoordenadas& registros,
                            FormaCrd* forma = nullptr);

// Writes the records in the current form, through a temporary file renamed
// over the target only when every write and the close succeeded. An
// existing target that cannot be opened for writing is refused untouched.
bool escribirFicheroCoordenadas(const ListaRegistrosCoordenadas& registros, const std::filesystem::path& ruta);

// Writes a coordinate file in the current form record by record, with the
// same guarantees as escribirFicheroCoordenadas: a radiation of a million
// points saves them as they are computed instead of holding them all.
class EscritorCrd {
public:
    explicit EscritorCrd(const std::filesystem::path& ruta);
    void anadir(const RegistroCoordenadas& r);
    void anadir(const PuntoCoordenadas& p) { anadir(aRegistro(p)); }
    // False when anything failed; then the target is left untouched.
    bool confirmar();

private:
    void volcarLote();

    EscritorAtomico fichero_;
    std::unique_ptr<unsigned char[]> lote_;
    std::size_t enLote_ = 0;
    bool ok_ = false;
};

// The main window's forms: a point list built by converting each record, and
// a point list written with the default display attributes. 5100 / -5001.
Estado leerListaPuntos(const std::filesystem::path& ruta, ListaPuntos& puntos, FormaCrd* forma = nullptr);
Estado escribirListaPuntos(const ListaPuntos& puntos, const std::filesystem::path& ruta);

}  // namespace celvara
