// The stations' coordinates taken from a drawing in DXF: "Recoger
// Coordenadas de ACAD..." (and the pop-up's "Recoger XYZ de ACAD") and
// `celvara-cli recoger-dxf`: a surveyor often has a job's bases only in the
// drawing the client or the designer hands over. A station of the book is
// found in the drawing
//  - as a block INSERT one of whose attributes (ATTRIB) holds its name: the
//    insertion point, with its Z; or
//  - as a POINT labelled with its name: the TEXT or MTEXT whose text is the
//    name, and of the POINTs on that label's layer the nearest to where the
//    label's point should be (the label less the usual offset of its kind
//    of label, one layer and one height, from their points). The label is
//    found by its text, never by nearness: a drawing often puts the point's
//    code nearer to it than its name (the program's own export does).
// Of several findings of one name the nearest pair wins (a block first);
// a POINT that labels of two names pick goes to the nearer label. Layer
// names compare ignoring case; names exactly (blanks around a label and
// MTEXT formatting aside). Only model space counts; block definitions and
// paper space are passed over.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "fieldbook/libreta.h"

namespace celvara {

// The file dialog's filter; it starts in the book's folder.
inline constexpr const char* kExtensionDxf = "DXF";
inline constexpr const char* kFiltroDxf = "Dibujos DXF (*.DXF) |*.DXF|Todos los archivos (*.*) |*.*||";

struct EstacionEnDibujo {
    std::size_t indice = 0;  // the station's place in the book
    std::string nombre;      // Windows-1252
    double x = 0, y = 0, z = 0;
    bool otrasCoordenadas = false;  // the station already has coordinates, and not these
};

struct LecturaDibujo {
    std::string error;                         // empty: the drawing was read
    std::vector<EstacionEnDibujo> estaciones;  // the stations found, in the book's order
};

// Reads a text (ASCII) DXF of any version: texts are Windows-1252 up to
// AutoCAD 2004 and UTF-8 from AutoCAD 2007 ($ACADVER AC1021) on. A drawing
// that cannot be opened, is binary, is cut short (no "EOF") or holds a
// malformed group gives only the message, naming the file as given.
LecturaDibujo buscarEstacionesEnDxf(const CLibretaCampo& libreta, const std::filesystem::path& ruta);

// Writes X, Y, Z of the findings ticked in `elegidas` (one per finding) into
// their stations; returns the findings whose station changed.
std::vector<std::size_t> tomarCoordenadasDeDibujo(CLibretaCampo& libreta, const std::vector<EstacionEnDibujo>& halladas,
                                                  const std::vector<bool>& elegidas);

}  // namespace celvara
