#include "manager/coordenadas_comandos.h"

#include <gtest/gtest.h>

#include <array>

#include "datos/crd_comun.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using namespace prueba_crd;
using prueba::AvisosEsperados;

TEST(ExportarCrd, FicheroNuevoExistenteAntiguoIlegibleOSinEstaciones) {
    CarpetaTemporal tmp;
    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    const auto r = exportarACrd(libreta, tmp / "nuevo.crd");
    EXPECT_EQ(std::tuple(r.ejecutado, r.modificada, r.estado, r.estaciones), std::tuple(true, false, Estado::Exito, 3u));
    EXPECT_EQ(bytesDe(tmp / "nuevo.crd"), bytesDe(datos("exportacion_estaciones.crd")));

    // A target that cannot be read is not overwritten.
    std::filesystem::create_directory(tmp / "carpeta.crd");
    const auto f = exportarACrd(libreta, tmp / "carpeta.crd");
    EXPECT_EQ(std::pair(f.ejecutado, f.estado), std::pair(true, Estado::Fallo));
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "carpeta.crd"));

    CLibretaCampo vacia;
    EXPECT_FALSE(exportarACrd(vacia, tmp / "x.crd").ejecutado);
    EXPECT_FALSE(std::filesystem::exists(tmp / "x.crd"));

    // Again into the same file: its points kept, names not compared.
    EXPECT_EQ(exportarACrd(libreta, tmp / "nuevo.crd").puntosLeidos, 3u);
    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(tmp / "nuevo.crd", puntos), Estado::Exito);
    ASSERT_EQ(puntos.size(), 6u);
    EXPECT_EQ(puntos[3], puntos[0]);
    EXPECT_EQ(puntos[4].nombre, "ESTACION-LARGA");

    // An older-form target keeps its points and becomes a current file.
    std::filesystem::copy_file(datos("antigua_dos_puntos.crd"), tmp / "antigua.crd");
    ASSERT_EQ(exportarACrd(libreta, tmp / "antigua.crd").estado, Estado::Exito);
    FormaCrd forma = FormaCrd::Antigua;
    ASSERT_EQ(leerListaPuntos(tmp / "antigua.crd", puntos, &forma), Estado::Exito);
    ASSERT_EQ(std::tuple(forma, puntos.size()), std::tuple(FormaCrd::Actual, 5u));
    EXPECT_EQ(puntos[1].nombre.str() + std::to_string(puntos[1].base) + " " + puntos[2].nombre.str() + std::to_string(puntos[2].base),
              "P20 B11");
}

TEST(ImportarCrd, SoloLasBasesSeAnadenComoEstaciones) {
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "B1"});  // names are not checked
    AvisosEsperados avisos;
    const auto r = importarDeCrd(libreta, datos("antigua_dos_puntos.crd"), avisos);
    EXPECT_EQ(std::tuple(r.estado, r.puntosLeidos, r.estaciones, r.modificada), std::tuple(Estado::Exito, 2u, 1u, true));
    ASSERT_EQ(libreta.estaciones.size(), 2u);
    const Estacion& e = *libreta.estaciones[1];
    EXPECT_EQ(std::tuple(e.nombre.str(), e.tipo, e.x, e.y, e.z, e.descripcion1.str(), e.ficheroFoto.str(), e.ficheroCroquis.str()),
              std::tuple("B1", 0, 100.5, 200.25, 10.125, "Clavo en acera", kFotoPorDefecto, kFotoPorDefecto));
    EXPECT_TRUE(e.descripcion2.vacio() && e.croquis.vacio() && e.estacionamientos.empty());

    // No bases, or a file that cannot be read: nothing added, and silently.
    CarpetaTemporal tmp;
    ASSERT_EQ(escribirListaPuntos(ListaPuntos(3), tmp / "sin-bases.crd"), Estado::Exito);
    EXPECT_EQ(importarDeCrd(libreta, tmp / "sin-bases.crd", avisos).puntosLeidos, 3u);
    EXPECT_EQ(importarDeCrd(libreta, tmp / "no-existe.crd", avisos).estado, Estado::Fallo);
    EXPECT_EQ(libreta.estaciones.size(), 2u);
}

TEST(RecogerCrd, CadaEstacionTomaElUltimoPuntoDeSuNombreYXyzSoloLaElegida) {
    CarpetaTemporal tmp;
    // A later point of the same name wins; names compare case-sensitively.
    const ListaPuntos puntos = {{.nombre = "B", .x = 1}, {.nombre = "A", .x = 10, .y = 20, .z = 30},
                                {.nombre = "B", .x = 2}, {.nombre = "c", .x = 99}};
    ASSERT_EQ(escribirListaPuntos(puntos, tmp / "p.crd"), Estado::Exito);

    CLibretaCampo libreta;
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{5, 5, 5}});
    auto* b = crearEstacion(libreta.estaciones, {.nombre = "B"});
    auto* c = crearEstacion(libreta.estaciones, {.nombre = "C", .coordenadas = Coordenadas{7, 8, 9}});
    auto* a2 = crearEstacion(libreta.estaciones, {.nombre = "A"});
    const auto r = recogerCoordenadasDeCrd(libreta, tmp / "p.crd");
    EXPECT_EQ(std::tuple(r.ejecutado, r.estaciones, r.modificada), std::tuple(true, 3u, true));
    EXPECT_EQ((std::array{a->x, a->y, a->z, a2->z, b->x}), (std::array<double, 5>{10, 20, 30, 30, 2}));
    EXPECT_EQ((std::array{c->x, c->z}), (std::array<double, 2>{7, 9}));  // no point of its name: unchanged
    // The base flag is not looked at: these points were all 0.

    CLibretaCampo vacia;
    EXPECT_FALSE(recogerCoordenadasDeCrd(vacia, tmp / "p.crd").ejecutado);

    // "Recoger XYZ" fills the station selected alone, not another of its name.
    a->x = a2->x = 0;
    const auto xyz = recogerXyzDeCrd(a2, tmp / "p.crd");
    EXPECT_EQ(std::tuple(xyz.ejecutado, xyz.estaciones, a2->x, a->x), std::tuple(true, 1u, 10.0, 0.0));
    EXPECT_FALSE(recogerXyzDeCrd(nullptr, tmp / "p.crd").ejecutado);
}

TEST(NodoCoordenadas, ListaSinMayusculasYAbreElNombreReal) {
    CarpetaTemporal tmp;
    for (const char* n : {"b.CRD", "a.crd", "C.Crd", "notas.txt", "x.crdx", "crd"})
        grabarBytes(tmp / n, bytesDe(datos("antigua_dos_puntos.crd")));
    std::filesystem::create_directory(tmp / "carpeta.crd");
    EXPECT_EQ(listarFicherosCrd(tmp.ruta()), (std::vector<std::string>{"a.crd", "b.CRD", "C.Crd"}));
    EXPECT_TRUE(listarFicherosCrd(tmp / "no-existe").empty());

    AvisosEsperados avisos;
    ListaPuntos puntos(7);
    EXPECT_EQ(abrirFicheroCrdDelArbol(tmp.ruta(), "b.crd", puntos, avisos), Estado::Exito);
    EXPECT_EQ(puntos.size(), 2u);
    avisos.esperar("ERROR");
    EXPECT_EQ(abrirFicheroCrdDelArbol(tmp.ruta(), "perdido.crd", puntos, avisos), Estado::Fallo);
    EXPECT_EQ(std::pair(puntos.size(), avisos.vistos.at(0).titulo), std::pair(std::size_t{0}, std::string()));
}

TEST(RejillaPuntos, BaseConAsteriscoYTresDecimales) {
    PuntoCoordenadas p{.base = 1, .nombre = "B1", .estacion = "E", .x = 1.23456, .y = -2.5, .z = 1e6, .codigo = "c\xF3" "d"};
    const std::vector<std::string> celdas = {"B1*", "E", "1.235", "-2.500", "1000000.000", "c\xF3" "d", ""};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(textoCeldaPunto(p, c), celdas[c]) << c;
    p.base = 0;
    EXPECT_EQ(textoCeldaPunto(p, 0), "B1");
    EXPECT_EQ(std::string(kColumnasPuntos[5].titulo), "C\xC3\xB3" "digo");
}

}  // namespace
}  // namespace celvara
