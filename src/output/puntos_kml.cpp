#include "output/puntos_kml.h"

#include <proj.h>
#include <pugixml.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <sstream>

#include "fieldbook/codificacion.h"

namespace celvara {

namespace {

// The inverse grid of the zone on an ellipsoid, in the pipeline's opening step.
std::string utmInversa(int huso, const char* elipsoide) {
    return "+proj=pipeline +step +inv +proj=utm +zone=" + std::to_string(huso) + " +ellps=" + elipsoide;
}

constexpr const char* kAGrados = " +step +proj=unitconvert +xy_in=rad +xy_out=deg";

// ED50 -> ETRS89 by the IGN grid (ETRS89 is WGS 84 to well under a metre).
constexpr const char* kEd50Rejilla = " +step +proj=hgridshift +grids=es_ign_SPED2ETV2.tif";

// EPSG:1633, ED50 to WGS 84 (28), position-vector convention.
constexpr const char* kEd50Helmert =
    " +step +proj=push +v_3 "
    "+step +proj=cart +ellps=intl "
    "+step +proj=helmert +x=-131 +y=-100.3 +z=-163.4 +rx=-1.244 +ry=-0.02 +rz=-1.144 +s=9.39 "
    "+convention=position_vector "
    "+step +inv +proj=cart +ellps=WGS84 +step +proj=pop +v_3";

std::string numero(double v, int decimales) {
    std::array<char, 64> b{};
    const auto [fin, ec] = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::fixed, decimales);
    return ec == std::errc{} ? std::string(b.data(), fin) : std::string("0");
}

}  // namespace

struct TransformacionWgs84::Proj {
    struct BorrarContexto {
        void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
    };
    struct BorrarPj {
        void operator()(PJ* p) const { proj_destroy(p); }
    };
    std::unique_ptr<PJ_CONTEXT, BorrarContexto> contexto;
    std::unique_ptr<PJ, BorrarPj> pj;  // declared last: destroyed before its context
};

TransformacionWgs84::TransformacionWgs84(std::unique_ptr<Proj> proj, std::string descripcion)
    : proj_(std::move(proj)), descripcion_(std::move(descripcion)) {}
TransformacionWgs84::TransformacionWgs84(TransformacionWgs84&&) noexcept = default;
TransformacionWgs84& TransformacionWgs84::operator=(TransformacionWgs84&&) noexcept = default;
TransformacionWgs84::~TransformacionWgs84() = default;

std::optional<TransformacionWgs84> TransformacionWgs84::crear(Proyeccion proyeccion, std::string& error,
                                                              const ProyeccionTrabajo& trabajo) {
    if (proyeccion != Proyeccion::UtmHayford && proyeccion != Proyeccion::UtmWgs84) {
        error = kMensajeKmlPlanas;
        return std::nullopt;
    }
    auto p = std::make_unique<Proj>();
    p->contexto.reset(proj_context_create());
    if (!p->contexto) {
        error = "PROJ no se puede iniciar";
        return std::nullopt;
    }
    proj_log_level(p->contexto.get(), PJ_LOG_NONE);
    if (trabajo.huso < kHusoMinimo || trabajo.huso > kHusoMaximo) {
        error = "Huso UTM fuera de 1 a 60";
        return std::nullopt;
    }
    const Datum datum = datumConcordante(trabajo.datum, static_cast<std::uint32_t>(proyeccion));
    const std::string huso = "UTM huso " + std::to_string(trabajo.huso) + " ";
    std::string descripcion = huso + "WGS 84";
    std::string tubo = utmInversa(trabajo.huso, "WGS84") + kAGrados;
    if (datumGrs80(datum)) {
        // Both GRS80 frames are WGS 84 to well under a metre, as ETRS89 after the ED50 grid.
        descripcion = huso + nombreDatum(datum);
        tubo = utmInversa(trabajo.huso, "GRS80") + kAGrados;
    } else if (datum == Datum::Ed50) {
        // Creating the grid step fails when the grid is not installed.
        p->pj.reset(proj_create(p->contexto.get(), (utmInversa(trabajo.huso, "intl") + kEd50Rejilla + kAGrados).c_str()));
        descripcion = huso + "ED50, rejilla IGN SPED2ETV2";
        if (!p->pj) {
            tubo = utmInversa(trabajo.huso, "intl") + kEd50Helmert + kAGrados;
            descripcion = huso + "ED50, Helmert de 7 parámetros (EPSG:1633), sin rejilla";
        }
    }
    if (!p->pj) p->pj.reset(proj_create(p->contexto.get(), tubo.c_str()));
    if (!p->pj) {
        error = std::string("PROJ no puede crear la transformación: ") +
                proj_context_errno_string(p->contexto.get(), proj_context_errno(p->contexto.get()));
        return std::nullopt;
    }
    return TransformacionWgs84(std::move(p), std::move(descripcion));
}

std::optional<Geograficas84> TransformacionWgs84::aplicar(double x, double y) const {
    PJ_COORD c = proj_coord(x, y, 0, 0);
    c = proj_trans(proj_->pj.get(), PJ_FWD, c);
    if (!std::isfinite(c.v[0]) || !std::isfinite(c.v[1]) || c.v[0] == HUGE_VAL) return std::nullopt;
    return Geograficas84{c.v[0], c.v[1]};
}

std::optional<std::string> escribirPuntosKml(const ListaPuntos& puntos, Proyeccion proyeccion,
                                             const std::string& nombreDocumento, std::string& error,
                                             const ProyeccionTrabajo& trabajo) {
    auto t = TransformacionWgs84::crear(proyeccion, error, trabajo);
    if (!t) return std::nullopt;
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto kml = doc.append_child("kml");
    kml.append_attribute("xmlns") = "http://www.opengis.net/kml/2.2";
    auto documento = kml.append_child("Document");
    documento.append_child("name").text().set(nombreDocumento.c_str());
    documento.append_child("description").text().set(("Desde " + t->descripcion()).c_str());
    for (const auto& p : puntos) {
        const auto g = t->aplicar(p.x, p.y);
        if (!g) {
            error = "El punto " + cp1252AUtf8(p.nombre.vista()) + " no se puede pasar a WGS 84";
            return std::nullopt;
        }
        auto marca = documento.append_child("Placemark");
        marca.append_child("name").text().set(cp1252AUtf8(p.nombre.vista()).c_str());
        if (!p.codigo.vacio()) marca.append_child("description").text().set(cp1252AUtf8(p.codigo.vista()).c_str());
        // 1e-9 degrees is about 0.1 mm on the ground.
        const std::string coordenadas = numero(g->longitud, 9) + "," + numero(g->latitud, 9) + "," + numero(p.z, 3);
        marca.append_child("Point").append_child("coordinates").text().set(coordenadas.c_str());
    }
    std::ostringstream s;
    doc.save(s, "  ", pugi::format_default, pugi::encoding_utf8);
    return s.str();
}

}  // namespace celvara
