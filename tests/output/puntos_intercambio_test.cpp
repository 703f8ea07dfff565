// DXF, LandXML and KML read back by independent readers: dxflib's own DXF
// parser, pugixml, and longitudes/latitudes known beforehand.
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <pugixml.hpp>

#include "datos/crd_comun.h"
#include "output/exportar_puntos.h"
#include "output/puntos_kml.h"
#include "output/puntos_landxml.h"

namespace celvara {
namespace {

using prueba_crd::CarpetaTemporal;

ListaPuntos puntos() {
    ListaPuntos l(4);
    l[0] = {1, "E1", "", 440290.458, 4474257.382, 650.125, "V\xC9RTICE"};
    l[1] = {0, "101", "E1", 440300.001, 4474260.002, 651.5, "BORDE"};
    l[2] = {0, "102", "E1", 440310.5, 4474270.25, 652.0, "BORDE"};
    l[3] = {0, "\xD1" "1", "E1", 440320.0, 4474280.0, 653.0, ""};
    return l;
}

// Texts and inserts are kept as "text@layer".
struct LectorDxf : DL_CreationAdapter {
    std::vector<std::string> capas, textos, inserciones;
    std::vector<std::pair<std::string, DL_PointData>> puntos;
    void addLayer(const DL_LayerData& d) override { capas.push_back(d.name); }
    void addPoint(const DL_PointData& d) override { puntos.emplace_back(getAttributes().getLayer(), d); }
    void addText(const DL_TextData& d) override { textos.push_back(d.text + "@" + getAttributes().getLayer()); }
    void addInsert(const DL_InsertData& d) override { inserciones.push_back(d.name + "@" + getAttributes().getLayer()); }
};

TEST(PuntosIntercambio, DxfLeidoPorDxflibTieneCadaPuntoNombreYCapa) {
    CarpetaTemporal dir;
    const auto r = exportarPuntos(puntos(), dir / "p.DXF", {});
    ASSERT_TRUE(r.ok) << r.mensaje;
    LectorDxf l;
    DL_Dxf dxf;
    ASSERT_TRUE(dxf.in((dir / "p.DXF").string(), &l));
    std::sort(l.capas.begin(), l.capas.end());
    EXPECT_EQ(l.capas, (std::vector<std::string>{"0", "BORDE", "ESTACIONES"}));
    ASSERT_EQ(l.puntos.size(), 4u);
    const auto esperados = puntos();
    const char* capas[] = {"ESTACIONES", "BORDE", "BORDE", "0"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(l.puntos[i].first, capas[i]);
        EXPECT_NEAR(l.puntos[i].second.x, esperados[i].x, 1e-6);
        EXPECT_NEAR(l.puntos[i].second.y, esperados[i].y, 1e-6);
        EXPECT_NEAR(l.puntos[i].second.z, esperados[i].z, 1e-6);
    }
    // Name then code beside every point, each on its point's layer; no empty code text.
    EXPECT_EQ(l.textos, (std::vector<std::string>{"E1@ESTACIONES", "V\xC9RTICE@ESTACIONES", "101@BORDE", "BORDE@BORDE",
                                                "102@BORDE", "BORDE@BORDE", "\xD1" "1@0"}));
    EXPECT_EQ(l.inserciones, (std::vector<std::string>{"ESTACION@ESTACIONES"}));
    EXPECT_EQ(exportarPuntos(puntos(), dir / "p.shp", {}).mensaje, kMensajeExtension);

    // The dimension style points at the text style by its handle (group 340
    // to the STYLE's group 5): a stray value there makes the file differ
    // from run to run and from one system to another.
    std::ifstream f(dir / "p.DXF", std::ios::binary);
    std::vector<std::pair<std::string, std::string>> grupos;
    for (std::string c, v; std::getline(f, c) && std::getline(f, v);) {
        auto limpio = [](std::string t) {
            t.erase(std::remove_if(t.begin(), t.end(), [](char ch) { return ch == ' ' || ch == '\r'; }), t.end());
            return t;
        };
        grupos.emplace_back(limpio(c), limpio(v));
    }
    auto valorTras = [&](const std::string& entrada, const std::string& codigo) {
        for (std::size_t i = 0; i < grupos.size(); ++i)
            if (grupos[i] == std::pair<std::string, std::string>("0", entrada))
                for (std::size_t j = i + 1; j < grupos.size() && grupos[j].first != "0"; ++j)
                    if (grupos[j].first == codigo) return grupos[j].second;
        return std::string("(sin grupo " + codigo + " en " + entrada + ")");
    };
    EXPECT_EQ(valorTras("DIMSTYLE", "340"), valorTras("STYLE", "5"));
}

TEST(PuntosIntercambio, LandXmlGuardaCadaPuntoComoNEZ) {
    const std::string xml = escribirPuntosLandXml(puntos(), {3, "2026-12-06", "10:00:00"});
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const auto raiz = doc.child("LandXML");
    EXPECT_STREQ(raiz.attribute("version").value(), "1.2");
    EXPECT_STREQ(raiz.child("Units").child("Metric").attribute("linearUnit").value(), "meter");
    std::vector<std::string> filas;
    for (const auto& p : raiz.child("CgPoints").children("CgPoint"))
        filas.push_back(std::string(p.attribute("name").value()) + "|" + p.attribute("code").value() + "|" +
                        p.attribute("pntSurv").value() + "|" + p.text().get());
    EXPECT_EQ(filas, (std::vector<std::string>{"E1|V\xC3\x89RTICE|control|4474257.382 440290.458 650.125",
                                               "101|BORDE||4474260.002 440300.001 651.500",
                                               "102|BORDE||4474270.250 440310.500 652.000",
                                               "\xC3\x91" "1|||4474280.000 440320.000 653.000"}));
}

// lon,lat of every placemark.
std::vector<std::pair<double, double>> coordenadasKml(const std::string& kml) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(kml.c_str()));
    std::vector<std::pair<double, double>> r;
    for (const auto& m : doc.child("kml").child("Document").children("Placemark")) {
        double lon = 0, lat = 0, h = 0;
        EXPECT_EQ(std::sscanf(m.child("Point").child("coordinates").text().get(), "%lf,%lf,%lf", &lon, &lat, &h), 3);
        r.emplace_back(lon, lat);
    }
    return r;
}

TEST(PuntosIntercambio, KmlDaLongitudYLatitudWgs84Conocidas) {
    // Madrid, lon -3.7038 lat 40.4168: on UTM 30 WGS 84, and on UTM 30 ED50
    // through a different published shift (EPSG:1145, three parameters).
    ListaPuntos l{{0, "M", "", 440290.458054, 4474257.382006, 650, "C"}};
    std::string error;
    const auto wgs = escribirPuntosKml(l, Proyeccion::UtmWgs84, "prueba", error);
    ASSERT_TRUE(wgs) << error;
    auto c = coordenadasKml(*wgs);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_NEAR(c[0].first, -3.7038, 1e-7);
    EXPECT_NEAR(c[0].second, 40.4168, 1e-7);
    EXPECT_NE(wgs->find("<name>M</name>"), std::string::npos);
    EXPECT_NE(wgs->find("<description>C</description>"), std::string::npos);

    l[0].x = 440399.546171;
    l[0].y = 4474464.786285;
    const auto ed50 = escribirPuntosKml(l, Proyeccion::UtmHayford, "prueba", error);
    ASSERT_TRUE(ed50) << error;
    c = coordenadasKml(*ed50);
    // 5 m: 4.5e-5 degrees of latitude, 5.9e-5 of longitude at 40.4 degrees.
    EXPECT_NEAR(c[0].first, -3.7038, 5.9e-5);
    EXPECT_NEAR(c[0].second, 40.4168, 4.5e-5);

    EXPECT_FALSE(escribirPuntosKml(l, Proyeccion::Planas, "prueba", error));
    EXPECT_EQ(error, kMensajeKmlPlanas);
}

}  // namespace
}  // namespace celvara
