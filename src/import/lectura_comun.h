// What every list-building reader does the same way: walking the lines of a
// file, creating records with the memory message, set-ups and their readings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>
#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "import/formatos.h"

namespace celvara::importacion {

enum class Paso { Seguir, Parar, Fallo };

// Opens the file and hands every non-empty line to `tratar` until the end of
// the file. Fallo when the file cannot be opened, on a read error, or when
// `tratar` says so; Parar ends the read with success.
Estado recorrerLineas(const std::filesystem::path& ruta, const std::function<Paso(std::string& linea)>& tratar);
// The same, telling the context's progress every few lines; a cancel fails
// the read with `cancelado` set and no message.
Estado recorrerLineas(ContextoImportacion& contexto, const std::filesystem::path& ruta,
                      const std::function<Paso(std::string& linea)>& tratar);

// A zeroed set-up record appended to the list, or nothing after showing
// "No hay memoria suficiente para otra linea de calculo".
EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto);
// A set-up record with a name, a height and an empty range [-1, -1].
EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto, std::string_view nombre,
                                               double alturaInstrumento);

struct ValoresLectura {
    std::int32_t numero = 0;
    double jalon = 0;
    double distancia = 0;
    double vertical = 0;
    double horizontal = 0;
    std::string_view texto;  // cut to 49 characters
    std::string_view nombre; // point id as written (idPunto); empty: the number names it
};
LecturaImportada* nuevaLectura(ContextoImportacion& contexto, const ValoresLectura& valores);

// Notes reading n in the current set-up record's range (the reading belongs
// to that record whatever its number). False only when there is no record.
bool agruparConsecutiva(ContextoImportacion& contexto, std::int32_t numero);

// "No se reconoce la linea del fichero:\n%s" with the line.
void avisarLineaNoReconocida(ContextoImportacion& contexto, std::string_view linea);

// Point number from a name: its leading digits when it starts with one,
// else the next value of the running count.
std::int32_t numeroDeNombre(ContextoImportacion& contexto, std::string_view nombre);

// A point id as the book keeps it: blanks trimmed, leading zeros dropped (a
// lone 0 kept), cut to the 15 characters of the name field.
std::string idPunto(std::string_view texto);

// A station record. The current set-up record is taken over when it has no
// reading yet (a station recorded twice in a row keeps one set-up); otherwise
// a new record is appended.
EstacionamientoImportado* registroEstacion(ContextoImportacion& contexto, std::string_view nombre,
                                           double alturaInstrumento);

// A reading of the current set-up record. A line that carries an instrument
// height different from the set-up's starts a new record of the same
// station first. Nothing (message shown) when memory runs out or there is no
// set-up record.
LecturaImportada* lecturaDeEstacionamiento(ContextoImportacion& contexto, const ValoresLectura& valores,
                                           std::optional<double> alturaInstrumento = std::nullopt);

// Coordinates given by the file for a station (X east, Y north).
bool anadirCoordenadas(ContextoImportacion& contexto, std::string_view nombre, double x, double y, double z,
                       std::string_view descripcion = {});

// Stations of a direct reader: looked up in the whole book, added when
// missing. The coordinates a station record gives are applied only once the
// read has succeeded (`aplicar`): they fill a station that has none, a
// difference is reported and the book's are kept.
class EstacionesDirectas {
public:
    explicit EstacionesDirectas(ContextoImportacion& contexto) : contexto_(contexto) {}
    Estacion* estacion(std::string_view nombre, const std::optional<Coordenadas>& coordenadas = std::nullopt);
    // A set-up "%s_(%d)" numbered after the station's existing ones, with the
    // settings' default block in unit `unidad` (0: the block's own).
    Estacionamiento* estacionamiento(Estacion& estacion, double alturaInstrumento, double desorientacion,
                                     std::int32_t unidad = 0);
    void aplicar();

private:
    ContextoImportacion& contexto_;
    std::vector<std::pair<std::string, Coordenadas>> pendientes_;
};

// Angles of a direct reader's set-up stay in its unit: the first unit given
// (`circulo` 400 or 360; 0 says nothing) becomes the set-up's, a later angle
// in the other one is converted. `fijada` says whether the set-up has one.
double anguloDeEstacionamiento(Estacionamiento& estacionamiento, bool& fijada, double valor, int circulo);

// Fields of a line split at each separator (empty fields kept).
std::vector<std::string_view> separar(std::string_view linea, char separador);
// Whether a field (blanks trimmed) is a plain decimal number: an optional
// sign, digits and at most one point.
bool esNumero(std::string_view campo);
// A number of a field: blanks and a leading "+" allowed, unreadable gives 0.
double numeroCampo(std::string_view campo);

}  // namespace celvara::importacion
