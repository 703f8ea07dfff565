// Points as LandXML 1.2: one CgPoint per point with its name, its code and
// the text "N E Z" (the format's axis order). Stations are marked as
// control points. Names and codes are written as UTF-8. A UTM job names its
// grid in a CoordinateSystem element (datum, zone and EPSG code).
#pragma once

#include <optional>
#include <string>

#include "datos/fichero_crd.h"
#include "fieldbook/proyeccion_trabajo.h"

namespace celvara {

struct OpcionesLandXml {
    int decimales = 3;
    std::string fecha = "2000-01-01";  // required by the schema: the caller stamps the export
    std::string hora = "00:00:00";
    std::optional<ProyeccionTrabajo> sistema;  // UTM zone and datum; none for plane coordinates
};

// The EPSG code of the UTM grid (northern zones), 0 where EPSG has none:
// ED50 zones 28-38, ETRS89 28-38, WGS 84 1-60, REGCAN95 27 and 28.
int codigoEpsgUtm(const ProyeccionTrabajo& p);

std::string escribirPuntosLandXml(const ListaPuntos& puntos, const OpcionesLandXml& opciones);

}  // namespace celvara
