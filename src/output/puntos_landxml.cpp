#include "output/puntos_landxml.h"

#include <pugixml.hpp>

#include <array>
#include <charconv>
#include <sstream>

#include "fieldbook/codificacion.h"

namespace celvara {

namespace {

std::string numero(double v, int decimales) {
    std::array<char, 64> b{};
    const auto [fin, ec] = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::fixed, decimales);
    return ec == std::errc{} ? std::string(b.data(), fin) : std::string("0");
}

}  // namespace

int codigoEpsgUtm(const ProyeccionTrabajo& p) {
    const int h = p.huso;
    switch (p.datum) {
        case Datum::Ed50: return h >= 28 && h <= 38 ? 23000 + h : 0;
        case Datum::Etrs89: return h >= 28 && h <= 38 ? 25800 + h : 0;
        case Datum::Wgs84: return h >= 1 && h <= 60 ? 32600 + h : 0;
        case Datum::Regcan95: return h == 27 ? 4082 : (h == 28 ? 4083 : 0);
    }
    return 0;
}

std::string escribirPuntosLandXml(const ListaPuntos& puntos, const OpcionesLandXml& o) {
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto raiz = doc.append_child("LandXML");
    raiz.append_attribute("xmlns") = "http://www.landxml.org/schema/LandXML-1.2";
    raiz.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    raiz.append_attribute("xsi:schemaLocation") =
        "http://www.landxml.org/schema/LandXML-1.2 http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd";
    raiz.append_attribute("version") = "1.2";
    raiz.append_attribute("date") = o.fecha.c_str();
    raiz.append_attribute("time") = o.hora.c_str();
    auto metric = raiz.append_child("Units").append_child("Metric");
    metric.append_attribute("areaUnit") = "squareMeter";
    metric.append_attribute("linearUnit") = "meter";
    metric.append_attribute("volumeUnit") = "cubicMeter";
    metric.append_attribute("temperatureUnit") = "celsius";
    metric.append_attribute("pressureUnit") = "milliBars";
    metric.append_attribute("angularUnit") = "grads";
    metric.append_attribute("directionUnit") = "grads";
    if (o.sistema) {
        const ProyeccionTrabajo& p = *o.sistema;
        const std::string datum = p.datum == Datum::Wgs84 ? "WGS 84" : nombreDatum(p.datum);
        auto cs = raiz.append_child("CoordinateSystem");
        cs.append_attribute("name") = (datum + " / UTM zone " + std::to_string(p.huso) + "N").c_str();
        if (const int epsg = codigoEpsgUtm(p)) cs.append_attribute("epsgCode") = std::to_string(epsg).c_str();
        cs.append_attribute("horizontalDatum") = datum.c_str();
        cs.append_attribute("ellipsoidName") =
            datumGrs80(p.datum) ? "GRS 1980" : (p.datum == Datum::Ed50 ? "International 1924" : "WGS 84");
    }
    auto app = raiz.append_child("Application");
    app.append_attribute("name") = "Celvara";
    app.append_attribute("manufacturer") = "Celvara";

    auto cg = raiz.append_child("CgPoints");
    for (const auto& p : puntos) {
        auto n = cg.append_child("CgPoint");
        n.append_attribute("name") = cp1252AUtf8(p.nombre.vista()).c_str();
        if (!p.codigo.vacio()) n.append_attribute("code") = cp1252AUtf8(p.codigo.vista()).c_str();
        if (p.base != 0) n.append_attribute("pntSurv") = "control";
        const std::string nez = numero(p.y, o.decimales) + " " + numero(p.x, o.decimales) + " " + numero(p.z, o.decimales);
        n.text().set(nez.c_str());
    }
    std::ostringstream s;
    doc.save(s, "  ", pugi::format_default, pugi::encoding_utf8);
    return s.str();
}

}  // namespace celvara
