// Export of points to CSV/TXT, DXF, LandXML or KML (the format from the
// extension of the target) and import of points from CSV/TXT into a
// coordinate file: what the CLI and the window share.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "datos/fichero_crd.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/libreta.h"
#include "fieldbook/proyeccion_trabajo.h"
#include "output/puntos_texto.h"

namespace celvara {

enum class FormatoPuntos { Texto, Dxf, LandXml, Kml };

// ".csv" ".txt" ".dxf" ".xml" (also ".landxml") ".kml", ignoring case.
std::optional<FormatoPuntos> formatoPorExtension(const std::filesystem::path& ruta);
inline constexpr const char* kMensajeExtension =
    "Formato desconocido: use la extensión .csv, .txt, .dxf, .xml o .kml";

struct OpcionesExportacion {
    OpcionesTexto texto;  // columns and separator only for CSV/TXT; decimals also for LandXML
    Proyeccion proyeccion = Proyeccion::Planas;  // KML, and the LandXML coordinate system
    ProyeccionTrabajo trabajo;                   // the job's zone and datum, for a UTM projection
    std::string fecha, hora;  // LandXML stamp, "AAAA-MM-DD" and "hh:mm:ss"; empty: now
};

struct Resultado {
    bool ok = false;
    std::string mensaje;  // UTF-8: the failure, or what was done
};

// Written as a whole, beside the target and renamed over it.
Resultado exportarPuntos(const ListaPuntos& puntos, const std::filesystem::path& destino,
                         const OpcionesExportacion& opciones);

// The export window's choices, kept in celvara.ini [ExportarPuntos] after
// each export so that the next one starts with them.
struct PreferenciasExportacion {
    std::string formato = "csv";  // extension of the last file written, lower case
    std::string columnas = "nombre,x,y,z,codigo";
    std::string separador = ",";  // as typed: "," ";" "tab" "espacio" or a character
    int decimales = 3;
    bool cabecera = false;

    // Missing or unreadable values keep their defaults.
    static PreferenciasExportacion leer(const AjustesPropios& ini);
    void escribir(AjustesPropios& ini) const;
};

// Reads a CSV/TXT file. False with a message when it cannot be read or no
// line of it gives a point (the bad lines are still in `lectura`).
bool leerFicheroPuntosTexto(const std::filesystem::path& ruta, const OpcionesTexto& opciones,
                            LecturaPuntosTexto& lectura, std::string& error);

// Writes the points as a coordinate file, after the points it holds when
// `anadir` (the existing records keep their display attributes), in place
// of them otherwise. A target that exists but cannot be read is not
// replaced when adding.
Resultado grabarPuntosEnCrd(const ListaPuntos& puntos, const std::filesystem::path& destino, bool anadir);

}  // namespace celvara
