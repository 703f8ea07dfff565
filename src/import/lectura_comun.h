// What every list-building reader does the same way: walking the lines of a
// file, creating records with the memory message, set-ups and their readings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>
#include <string>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "import/formatos.h"

namespace celvara::importacion {

enum class Paso { Seguir, Parar, Fallo };

// Opens the file and hands every non-empty line to `tratar` until the end of
// the file. Fallo when the file cannot be opened, on a read error, or when
// `tratar` says so; Parar ends the read with success. `numero`, when given,
// holds the number of the line handed (empty lines counted).
Estado recorrerLineas(const std::filesystem::path& ruta, const std::function<Paso(std::string& linea)>& tratar,
                      std::size_t* numero = nullptr);
// The same, telling the context's progress every few lines (a cancel fails
// the read with `cancelado` set and no message) and keeping the line's
// number in the context.
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

// Coordinates a line gives for a point without any reading: they fill the
// named station at the merge when the book has it without coordinates.
bool anadirCoordenadasSueltas(ContextoImportacion& contexto, std::string_view nombre, double x, double y, double z);

// The distance of one reading as its line gave it, for the set-up's kind.
struct DistanciaDeLectura {
    double* distancia;
    double* vertical;
    DistanciaLeida leida;
    bool conVertical;
};
// The distance kind of a set-up from its lines: slope when any line gave a
// slope distance, Reducidas/Vertical when they gave horizontal ones only,
// nothing when none gave a distance. In a set-up that mixes them, a line
// with only a horizontal distance gets the slope distance horizontal / sin z
// from its vertical angle (in circle `circulo`, of kind `tipoVertical`);
// without a vertical angle it is given the level sight of that kind.
std::optional<TipoDistancia> unificarDistancias(std::span<const DistanciaDeLectura> lecturas, std::int32_t circulo,
                                                TipoVertical tipoVertical);
// The same for every set-up record of the lists, over the readings of each
// (the circle and vertical kind those of the default block unless the
// record says its circle).
void tiposDeDistancia(ContextoImportacion& contexto);

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
    // Coordinates of a point given alone, applied with the others.
    void coordenadasSueltas(std::string_view nombre, const Coordenadas& coordenadas);
    // A reading just added to `estacionamiento`, with the distance its line gave.
    void distanciaLeida(Estacionamiento& estacionamiento, DistanciaLeida leida, bool conVertical);
    // After a successful read: station coordinates, loose coordinates (left
    // out ones go to the import summary) and the set-ups' distance kinds.
    void aplicar();

private:
    struct Suelta {
        std::string nombre;
        Coordenadas coordenadas;
        std::size_t linea;
    };
    struct Distancias {
        Estacionamiento* estacionamiento;
        std::vector<std::pair<DistanciaLeida, bool>> lecturas;
    };
    ContextoImportacion& contexto_;
    std::vector<std::pair<std::string, Coordenadas>> pendientes_;
    std::vector<Suelta> sueltas_;
    std::vector<Distancias> distancias_;
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
