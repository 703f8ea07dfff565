// The merge of the import lists into the field book: for each set-up record,
// in list order, its station (found by exact name or added), a new set-up at
// the end of the station's set-ups, and the readings under the cursor whose
// numbers lie in the record's range. The cursor never moves back: a reading
// outside the current range waits for the next record.
#pragma once

#include "fieldbook/libreta.h"
#include "import/listas_importacion.h"

namespace celvara {

// The set-up name for a station: "%s(%1d)" cut to 14 characters, where k is
// 1 + the number after the first "(" of the previous set-up's name (1 when
// the station has none; 1 + its set-up count when that name has no "("
// followed by digits).
std::string nombreEstacionamientoImportado(const Estacion& estacion);

// Merges and frees both lists. False when adding a record failed for lack of
// memory; what was added before stays.
bool fusionarImportacion(CLibretaCampo& libreta, const DatosComplementarios& datosPorDefecto,
                         CListasImportacion& listas);

}  // namespace celvara
