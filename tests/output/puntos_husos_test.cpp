// Zone and datum of a job in its geographic exports, as a surveyor runs them:
// a book in zone 31 with its INI beside it, exported by celvara-cli.
// Reference longitudes and latitudes from PROJ's invproj (exact Transverse
// Mercator): 430000 4581000 on UTM 31 GRS80 is 2.1628823986 E 41.3774769856 N,
// in Barcelona; the same numbers on zone 30 would be 6 degrees west, in Castile.
#ifndef CELVARA_SIN_INTERCAMBIO
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <pugixml.hpp>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "fieldbook/fichero_obs.h"
#include "output/puntos_landxml.h"

namespace celvara {
namespace {

std::pair<double, double> lonLatKml(const std::string& kml) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(kml.c_str()));
    double lon = 0, lat = 0, h = 0;
    const char* c = doc.child("kml").child("Document").child("Placemark").child("Point").child("coordinates").text().get();
    EXPECT_EQ(std::sscanf(c, "%lf,%lf,%lf", &lon, &lat, &h), 3) << kml;
    return {lon, lat};
}

TEST(PuntosHusos, LibretaDelHuso31EnCatalunaKmlYLandXml) {
    prueba::CarpetaTemporal dir;
    CLibretaCampo l;
    l.proyeccion = 2;  // a GRS80 datum keeps "UTM WGS-84" in the book
    crearEstacion(l.estaciones, {.nombre = "BCN", .coordenadas = Coordenadas{430000, 4581000, 12}});
    ASSERT_TRUE(escribirLibreta(l, dir / "OBRA.obs"));
    prueba::escribirFichero(dir / "OBRA.obs.ini", "[Proyeccion]\nhuso=31\ndatum=ETRS89\n");

    auto s = prueba::cli({"exportar-puntos", (dir / "OBRA.obs").string(), "-o", (dir / "a.kml").string()});
    ASSERT_EQ(s.estado, 0) << s.errores;
    const std::string kml = prueba::leerFichero(dir / "a.kml");
    const auto [lon, lat] = lonLatKml(kml);
    EXPECT_NEAR(lon, 2.1628823986, 1e-9);
    EXPECT_NEAR(lat, 41.3774769856, 1e-9);
    EXPECT_NE(kml.find("UTM huso 31 ETRS89"), std::string::npos);

    s = prueba::cli({"exportar-puntos", (dir / "OBRA.obs").string(), "-o", (dir / "a.xml").string()});
    ASSERT_EQ(s.estado, 0) << s.errores;
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_file((dir / "a.xml").c_str()));
    const auto cs = xml.child("LandXML").child("CoordinateSystem");
    EXPECT_STREQ(cs.attribute("name").value(), "ETRS89 / UTM zone 31N");
    EXPECT_STREQ(cs.attribute("epsgCode").value(), "25831");
    EXPECT_STREQ(cs.attribute("ellipsoidName").value(), "GRS 1980");

    // The same numbers taken as ED50 (options over the book's INI): still in
    // Catalonia, the datum shift (about 100 m there) apart.
    s = prueba::cli({"exportar-puntos", (dir / "OBRA.obs").string(), "-o", (dir / "b.kml").string(),
                     "--proyeccion", "ed50", "--huso", "31"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    const auto [lonEd, latEd] = lonLatKml(prueba::leerFichero(dir / "b.kml"));
    EXPECT_GT(std::hypot(lonEd - lon, latEd - lat), 5e-4);
    EXPECT_LT(std::hypot(lonEd - lon, latEd - lat), 3e-3);
    EXPECT_EQ(prueba::cli({"exportar-puntos", (dir / "OBRA.obs").string(), "-o", (dir / "c.kml").string(),
                           "--proyeccion", "etrs89", "--huso", "61"})
                  .estado,
              2);

    // EPSG codes as PROJ's database lists them; none where EPSG has no grid.
    const std::pair<ProyeccionTrabajo, int> codigos[] = {
        {{30, Datum::Ed50}, 23030},    {{38, Datum::Ed50}, 23038},   {{27, Datum::Ed50}, 0},
        {{28, Datum::Etrs89}, 25828},  {{39, Datum::Etrs89}, 0},     {{1, Datum::Wgs84}, 32601},
        {{60, Datum::Wgs84}, 32660},   {{27, Datum::Regcan95}, 4082}, {{28, Datum::Regcan95}, 4083},
        {{30, Datum::Regcan95}, 0}};
    for (const auto& [p, epsg] : codigos) EXPECT_EQ(codigoEpsgUtm(p), epsg) << p.huso << nombreDatum(p.datum);
}

}  // namespace
}  // namespace celvara
#endif
