// Stations' coordinates from a drawing: a drawing written by hand in
// another writer's style, the program's own export of the example job read
// back by celvara-cli, and drawings that must be refused (the CLI's refusal
// of a cut drawing is the bad-input table's).
#include <gtest/gtest.h>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "import/estaciones_dxf.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;

// A drawing in AutoCAD R12 style (tests/data/importacion/bases_ajeno.dxf), CR LF
// and right-aligned codes. On layer BASES: E1's label farther from its POINT
// than the code V1, on the layer spelt in lower case, and nearer still to
// P9's POINT (placed as the other names are from theirs); E2 an MTEXT with
// formatting, a POINT of another layer nearer to it; Ñ1 escaped as
// \U+00D1. E3 a block attribute. E4 only inside a block definition and E5
// only in paper space: neither is in the drawing. A polyline whose vertex
// count overflows dxflib's buffer (it crashes there).
const std::filesystem::path kAjeno = std::filesystem::path(CELVARA_DATOS_PRUEBA) / "importacion" / "bases_ajeno.dxf";

CLibretaCampo libretaAjena() {
    CLibretaCampo l;
    for (const char* n : {"E1", "E2", "E3", "E4", "E5", "\xD1" "1"}) crearEstacion(l.estaciones, {.nombre = n});
    l.estaciones[1]->x = l.estaciones[1]->y = 5;
    return l;
}

std::vector<std::string> filas(const LecturaDibujo& l) {
    std::vector<std::string> r;
    for (const auto& h : l.estaciones)
        r.push_back(h.nombre + formatear(" %1.3lf %1.3lf %1.3lf", h.x, h.y, h.z) + (h.otrasCoordenadas ? " otras" : ""));
    return r;
}

TEST(EstacionesDxf, DibujoDeOtroProgramaPorRotuloYPorAtributo) {
    CLibretaCampo libreta = libretaAjena();
    const LecturaDibujo l = buscarEstacionesEnDxf(libreta, kAjeno);
    ASSERT_EQ(l.error, "");
    EXPECT_EQ(filas(l), (std::vector<std::string>{"E1 1000.123 2000.456 100.789", "E2 1010.000 2010.000 101.000 otras",
                                                  "E3 1500.500 2500.250 120.125", "\xD1" "1 1020.000 2020.000 102.000"}));
    // Only the ticked ones are written.
    EXPECT_EQ(tomarCoordenadasDeDibujo(libreta, l.estaciones, {true, false, true, false}), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(libreta.estaciones[0]->y, 2000.456);
    EXPECT_EQ(libreta.estaciones[1]->x, 5);
    EXPECT_EQ(libreta.estaciones[2]->z, 120.125);
    EXPECT_EQ(libreta.estaciones[5]->x, 0);
}

TEST(EstacionesDxf, DibujoCortadoODanadoSoloDaSuMensaje) {
    CarpetaTemporal tmp;
    const std::string bueno = prueba::leerFichero(kAjeno);
    std::string numero = bueno;
    numero.replace(numero.find("1500.5"), 6, "15OO.5");
    const std::pair<std::string, std::string> casos[] = {
        {bueno.substr(0, bueno.size() - 10), "está incompleto: le falta el final (EOF)"},  // without "  0 EOF"
        {bueno.substr(0, bueno.size() / 2), "está incompleto: le falta el final (EOF)"},
        {"", "está incompleto: le falta el final (EOF)"},
        {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "es un DXF binario: grábelo como DXF de texto"},
        {"  0\r\nSECTION\r\nx2\r\nENTITIES\r\n", "no es un DXF de texto válido (línea 3)"},
        {numero, "tiene un número no válido en la línea"},
    };
    for (const auto& [contenido, mensaje] : casos) {
        prueba::escribirFichero(tmp / "d.dxf", contenido);
        const LecturaDibujo l = buscarEstacionesEnDxf(libretaAjena(), tmp / "d.dxf");
        EXPECT_NE(l.error.find("El dibujo " + (tmp / "d.dxf").string() + " " + mensaje), std::string::npos) << l.error;
        EXPECT_TRUE(l.estaciones.empty());
    }
    EXPECT_EQ(buscarEstacionesEnDxf(libretaAjena(), tmp / "no.dxf").error,
              "No se puede abrir el dibujo " + (tmp / "no.dxf").string());
}

// The example job radiated, its points exported to DXF by the program, and
// read back into the book with its stations' coordinates wiped.
TEST(EstacionesDxf, CliDevuelveLasEstacionesDelEjemploDesdeLaExportacionPropia) {
    CarpetaTemporal tmp;
    const std::string obra = std::string(CELVARA_EJEMPLOS) + "/obra_ejemplo.obs";
    auto r = [&](const char* n) { return (tmp / n).string(); };
    ASSERT_EQ(prueba::cli({"radiar", obra, "-o", r("p.crd")}).estado, 0);
    ASSERT_EQ(prueba::cli({"exportar-puntos", r("p.crd"), "-o", r("p.dxf")}).estado, 0);
    CLibretaCampo libreta;
    ASSERT_TRUE(leerLibreta(libreta, obra));
    std::vector<Coordenadas> antes;
    for (auto& e : libreta.estaciones) {
        antes.push_back({e->x, e->y, e->z});
        e->x = e->y = e->z = 0;
    }
    ASSERT_TRUE(escribirLibreta(libreta, tmp / "cero.obs"));

    const auto s = prueba::cli({"recoger-dxf", r("cero.obs"), r("p.dxf"), "-o", r("salida.obs")});
    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.salida, "B1 436512.3450 4478021.6780 652.3100\nB2 436871.9020 4478244.1150 660.8740\n"
                        "B3 436655.4800 4477694.2330 648.0920\n");
    CLibretaCampo salida;
    ASSERT_TRUE(leerLibreta(salida, tmp / "salida.obs"));
    ASSERT_EQ(salida.estaciones.size(), antes.size());
    for (std::size_t i = 0; i < antes.size(); ++i) {
        EXPECT_NEAR(salida.estaciones[i]->x, antes[i].x, 5e-4);
        EXPECT_NEAR(salida.estaciones[i]->y, antes[i].y, 5e-4);
        EXPECT_NEAR(salida.estaciones[i]->z, antes[i].z, 5e-4);
    }
}

}  // namespace
}  // namespace celvara
