// Points as LandXML 1.2: one CgPoint per point with its name, its code and
// the text "N E Z" (the format's axis order). Stations are marked as
// control points. Names and codes are written as UTF-8.
#pragma once

#include <string>

#include "datos/fichero_crd.h"

namespace celvara {

struct OpcionesLandXml {
    int decimales = 3;
    std::string fecha = "2000-01-01";  // required by the schema: the caller stamps the export
    std::string hora = "00:00:00";
};

std::string escribirPuntosLandXml(const ListaPuntos& puntos, const OpcionesLandXml& opciones);

}  // namespace celvara
