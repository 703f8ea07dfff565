// The merge of the import lists into the field book. First the station
// coordinates: a station found by name takes them only when it has none (a
// difference is reported, never written); a new one is added with them. Then,
// for each set-up record in list order, its station (found by exact name or
// added), a new set-up at the end of the station's set-ups, and the readings
// that belong to the record. With number ranges the readings under the cursor
// whose numbers lie in the record's range are taken instead; the cursor never
// moves back, a reading outside the current range waits for the next record.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fieldbook/libreta.h"
#include "import/listas_importacion.h"

namespace celvara {

// The set-up name for a station: "%s(%1d)" cut to 14 characters, where k is
// 1 + the number after the first "(" of the previous set-up's name (1 when
// the station has none; 1 + its set-up count when that name has no "("
// followed by digits). With `guion` the name is "%s_(%1d)".
std::string nombreEstacionamientoImportado(const Estacion& estacion, bool guion = false);

// Coordinates a file gives for a station of the book: taken when the station
// has none (with the description when it has none), otherwise the ones it
// has are kept and a difference is described: in `diferencias` when the
// station had them before the import (`delLibro`), in `repetidas` when the
// file itself gave them earlier.
void coordenadasDelFichero(Estacion& estacion, const Coordenadas& coordenadas, std::string_view descripcion,
                           std::vector<std::string>* diferencias, bool delLibro = true,
                           std::vector<std::string>* repetidas = nullptr);

// The stations that have coordinates, before an import adds any.
std::unordered_set<const Estacion*> estacionesConCoordenadas(const CLibretaCampo& libreta);

// Coordinates a line of the file gives for a point without any reading
// (line `linea`): they fill the book's station of that name when it has none,
// as a station record would; otherwise they are described in `omitidas`.
void coordenadasSueltasDelFichero(CLibretaCampo& libreta, std::string_view nombre, const Coordenadas& coordenadas,
                                  std::size_t linea, std::vector<std::string>* omitidas);

// Merges and frees the lists. False when adding a record failed for lack of
// memory; what was added before stays. Coordinates of the file that differ
// from those of the book are described, one line each, in `diferencias`;
// loose coordinates left out and a station's later coordinates that differ
// from those the file gave it first, in `omitidas`. A set-up takes the distance
// kind of its record when the reader set one.
bool fusionarImportacion(CLibretaCampo& libreta, const DatosComplementarios& datosPorDefecto,
                         CListasImportacion& listas, std::vector<std::string>* diferencias = nullptr,
                         std::vector<std::string>* omitidas = nullptr);

}  // namespace celvara
