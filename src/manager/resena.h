// "Reseñas...": the description sheet of one station as an editable copy of
// its fields (kind of mark, the two descriptions, the sketch text and the
// photograph and sketch picture paths). The record's fields are fixed-size,
// so a text longer than its field is refused, never cut nor grown. Accepting
// writes the copy into the book as one step of the document's history.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/libreta.h"
#include "output/listados.h"

namespace celvara {

class CDocumentoObservaciones;

// The fields as Windows-1252 bytes; the sketch text with CR LF line ends.
struct CamposResena {
    std::int32_t tipo = 0;  // TipoBase
    std::string descripcion1, descripcion2, croquis, ficheroFoto, ficheroCroquis;
    bool operator==(const CamposResena&) const = default;
};

CamposResena camposDe(const Estacion& estacion);

// Lone LF or CR become CR LF, as the record keeps the sketch text.
std::string conFinesCrLf(std::string_view texto);

class CResena {
public:
    CResena(CDocumentoObservaciones& documento, const Estacion& estacion);

    const Estacion& estacion() const { return estacion_; }
    const CLibretaCampo& libreta() const;
    const CamposResena& campos() const { return campos_; }
    CamposResena& campos() { return campos_; }
    // Typed sketch text (any line ends).
    void fijarCroquis(std::string_view cp1252) { campos_.croquis = conFinesCrLf(cp1252); }

    // The first field longer than the record holds (UTF-8), none when all fit.
    std::optional<std::string> error() const;
    bool cambiada() const { return campos_ != camposDe(estacion_); }

    // The station's description sheet with the fields as edited.
    std::vector<Pagina> vistaPrevia(const EntornoListado& entorno) const;

    // "Aceptar": the fields into the book as one step. A field too long is
    // told and nothing changes (false); no change makes no step.
    bool aplicar();

private:
    CDocumentoObservaciones& documento_;
    const Estacion& estacion_;
    CamposResena campos_;
};

}  // namespace celvara
