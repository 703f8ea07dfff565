#include "manager/coordenadas_comandos.h"

#include <gtest/gtest.h>

#include "crd_comun.h"

namespace celvara {
namespace {

using namespace prueba_crd;

// The book whose export is the golden file exportacion_estaciones.crd.
void libretaDeExportacion(CLibretaCampo& libreta) {
    crearEstacion(libreta.estaciones, {.nombre = "B1",
                                       .tipo = 2,
                                       .coordenadas = Coordenadas{1000.123, 2000.456, 50.5},
                                       .descripcion1 = "Clavo en acera",
                                       .descripcion2 = "no viaja"});
    crearEstacion(libreta.estaciones,
                  {.nombre = "ESTACION-LARGA1",
                   .coordenadas = Coordenadas{-12.5, 0.0, 1e-3},
                   .descripcion1 = "Descripci\xF3n larga de la base para comprobar el corte del c\xF3" "digo"});
    crearEstacion(libreta.estaciones, {.nombre = ""});
}

TEST(ExportarCrd, FicheroNuevoConAtributosPorDefectoYBase1) {
    CarpetaTemporal tmp;
    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    const auto r = exportarACrd(libreta, tmp / "nuevo.crd");
    EXPECT_TRUE(r.ejecutado);
    EXPECT_EQ(r.estado, Estado::Exito);
    EXPECT_EQ(r.estaciones, 3u);
    EXPECT_FALSE(r.modificada);
    EXPECT_EQ(bytesDe(tmp / "nuevo.crd"), bytesDe(datos("exportacion_estaciones.crd")));
}

TEST(ExportarCrd, ConservaLosPuntosDelDestinoYNoComparaNombres) {
    CarpetaTemporal tmp;
    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    ASSERT_EQ(exportarACrd(libreta, tmp / "dos.crd").estado, Estado::Exito);
    const auto r = exportarACrd(libreta, tmp / "dos.crd");
    EXPECT_EQ(r.puntosLeidos, 3u);
    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(tmp / "dos.crd", puntos), Estado::Exito);
    ASSERT_EQ(puntos.size(), 6u);
    EXPECT_EQ(puntos[3], puntos[0]);
    EXPECT_EQ(puntos[4].nombre, "ESTACION-LARGA");

    // An older-form target keeps its points and becomes a current file.
    std::filesystem::copy_file(datos("antigua_dos_puntos.crd"), tmp / "antigua.crd");
    ASSERT_EQ(exportarACrd(libreta, tmp / "antigua.crd").estado, Estado::Exito);
    FormaCrd forma = FormaCrd::Antigua;
    ASSERT_EQ(leerListaPuntos(tmp / "antigua.crd", puntos, &forma), Estado::Exito);
    EXPECT_EQ(forma, FormaCrd::Actual);
    ASSERT_EQ(puntos.size(), 5u);
    EXPECT_EQ(puntos[1].nombre, "P2");
    EXPECT_EQ(puntos[1].base, 0);
    EXPECT_EQ(puntos[2].nombre, "B1");
    EXPECT_EQ(puntos[2].base, 1);
}

TEST(ExportarCrd, SinEstacionesNoHaceNadaYDestinoIlegibleNoSeSobrescribe) {
    CarpetaTemporal tmp;
    CLibretaCampo vacia;
    const auto r = exportarACrd(vacia, tmp / "x.crd");
    EXPECT_FALSE(r.ejecutado);
    EXPECT_FALSE(std::filesystem::exists(tmp / "x.crd"));

    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    std::filesystem::create_directory(tmp / "carpeta.crd");
    const auto f = exportarACrd(libreta, tmp / "carpeta.crd");
    EXPECT_TRUE(f.ejecutado);
    EXPECT_EQ(f.estado, Estado::Fallo);
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "carpeta.crd"));
}

TEST(ImportarCrd, SoloLasBasesSeAnadenComoEstaciones) {
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "B1"});  // names are not checked
    AvisosGrabados avisos;
    const auto r = importarDeCrd(libreta, datos("antigua_dos_puntos.crd"), avisos);
    EXPECT_TRUE(avisos.textos.empty());
    EXPECT_EQ(r.estado, Estado::Exito);
    EXPECT_EQ(r.puntosLeidos, 2u);
    EXPECT_EQ(r.estaciones, 1u);
    EXPECT_TRUE(r.modificada);
    ASSERT_EQ(libreta.estaciones.size(), 2u);
    const Estacion& e = *libreta.estaciones[1];
    EXPECT_EQ(e.nombre, "B1");
    EXPECT_EQ(e.tipo, 0);
    EXPECT_EQ(e.x, 100.5);
    EXPECT_EQ(e.y, 200.25);
    EXPECT_EQ(e.z, 10.125);
    EXPECT_EQ(e.descripcion1, "Clavo en acera");
    EXPECT_TRUE(e.descripcion2.vacio());
    EXPECT_TRUE(e.croquis.vacio());
    EXPECT_EQ(e.ficheroFoto, kFotoPorDefecto);
    EXPECT_EQ(e.ficheroCroquis, kFotoPorDefecto);
    EXPECT_TRUE(e.estacionamientos.empty());
}

TEST(ImportarCrd, SinBasesOFicheroIlegibleNoAnadeNada) {
    CarpetaTemporal tmp;
    ListaPuntos puntos(3);
    ASSERT_EQ(escribirListaPuntos(puntos, tmp / "sin-bases.crd"), Estado::Exito);
    CLibretaCampo libreta;
    AvisosGrabados avisos;
    auto r = importarDeCrd(libreta, tmp / "sin-bases.crd", avisos);
    EXPECT_EQ(r.puntosLeidos, 3u);
    EXPECT_TRUE(libreta.estaciones.empty());
    r = importarDeCrd(libreta, tmp / "no-existe.crd", avisos);
    EXPECT_EQ(r.estado, Estado::Fallo);
    EXPECT_TRUE(libreta.estaciones.empty());
    EXPECT_TRUE(avisos.textos.empty());  // reading failures are silent
}

TEST(RecogerCrd, CadaEstacionTomaElUltimoPuntoDeSuNombre) {
    CarpetaTemporal tmp;
    ListaPuntos puntos(4);
    puntos[0].nombre = "B";
    puntos[0].x = 1;
    puntos[1].nombre = "A";
    puntos[1].x = 10;
    puntos[1].y = 20;
    puntos[1].z = 30;
    puntos[2].nombre = "B";
    puntos[2].x = 2;  // a later point of the same name wins
    puntos[3].nombre = "c";  // names compare case-sensitively
    puntos[3].x = 99;
    ASSERT_EQ(escribirListaPuntos(puntos, tmp / "p.crd"), Estado::Exito);

    CLibretaCampo libreta;
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{5, 5, 5}});
    auto* b = crearEstacion(libreta.estaciones, {.nombre = "B"});
    auto* c = crearEstacion(libreta.estaciones, {.nombre = "C", .coordenadas = Coordenadas{7, 8, 9}});
    auto* a2 = crearEstacion(libreta.estaciones, {.nombre = "A"});
    const auto r = recogerCoordenadasDeCrd(libreta, tmp / "p.crd");
    EXPECT_TRUE(r.ejecutado);
    EXPECT_EQ(r.estaciones, 3u);
    EXPECT_TRUE(r.modificada);
    EXPECT_EQ(a->x, 10);
    EXPECT_EQ(a->y, 20);
    EXPECT_EQ(a->z, 30);
    EXPECT_EQ(a2->z, 30);
    EXPECT_EQ(b->x, 2);
    EXPECT_EQ(c->x, 7);  // no point of its name: unchanged
    EXPECT_EQ(c->z, 9);
    // The base flag is not looked at: these points were all 0.

    CLibretaCampo vacia;
    EXPECT_FALSE(recogerCoordenadasDeCrd(vacia, tmp / "p.crd").ejecutado);
}

TEST(RecogerCrd, XyzSoloParaLaEstacionSeleccionada) {
    CLibretaCampo libreta;
    auto* b1 = crearEstacion(libreta.estaciones, {.nombre = "B1"});
    auto* otra = crearEstacion(libreta.estaciones, {.nombre = "B1"});
    const auto r = recogerXyzDeCrd(otra, datos("antigua_dos_puntos.crd"));
    EXPECT_TRUE(r.ejecutado);
    EXPECT_EQ(r.estaciones, 1u);
    EXPECT_EQ(otra->x, 100.5);
    EXPECT_EQ(b1->x, 0);
    EXPECT_FALSE(recogerXyzDeCrd(nullptr, datos("antigua_dos_puntos.crd")).ejecutado);
}

TEST(NodoCoordenadas, ListaSinMayusculasYAbreElNombreReal) {
    CarpetaTemporal tmp;
    for (const char* n : {"b.CRD", "a.crd", "C.Crd", "notas.txt", "x.crdx", "crd"})
        grabarBytes(tmp / n, bytesDe(datos("antigua_dos_puntos.crd")));
    std::filesystem::create_directory(tmp / "carpeta.crd");
    EXPECT_EQ(listarFicherosCrd(tmp.ruta()), (std::vector<std::string>{"a.crd", "b.CRD", "C.Crd"}));
    EXPECT_TRUE(listarFicherosCrd(tmp / "no-existe").empty());

    AvisosGrabados avisos;
    ListaPuntos puntos(7);
    EXPECT_EQ(abrirFicheroCrdDelArbol(tmp.ruta(), "b.crd", puntos, avisos), Estado::Exito);
    EXPECT_EQ(puntos.size(), 2u);
    EXPECT_TRUE(avisos.textos.empty());
    EXPECT_EQ(abrirFicheroCrdDelArbol(tmp.ruta(), "perdido.crd", puntos, avisos), Estado::Fallo);
    EXPECT_TRUE(puntos.empty());
    ASSERT_EQ(avisos.textos.size(), 1u);
    EXPECT_EQ(avisos.textos[0], "ERROR");
    EXPECT_EQ(avisos.titulos[0], "");
}

TEST(RejillaPuntos, BaseConAsteriscoYTresDecimales) {
    PuntoCoordenadas p;
    p.nombre = "B1";
    p.base = 1;
    p.estacion = "E";
    p.x = 1.23456;
    p.y = -2.5;
    p.z = 1e6;
    p.codigo = "c\xF3" "d";
    EXPECT_EQ(textoCeldaPunto(p, 0), "B1*");
    EXPECT_EQ(textoCeldaPunto(p, 1), "E");
    EXPECT_EQ(textoCeldaPunto(p, 2), "1.235");
    EXPECT_EQ(textoCeldaPunto(p, 3), "-2.500");
    EXPECT_EQ(textoCeldaPunto(p, 4), "1000000.000");
    EXPECT_EQ(textoCeldaPunto(p, 5), "c\xF3" "d");
    EXPECT_EQ(textoCeldaPunto(p, 6), "");
    p.base = 0;
    EXPECT_EQ(textoCeldaPunto(p, 0), "B1");
    EXPECT_EQ(std::string(kColumnasPuntos[5].titulo), "C\xC3\xB3" "digo");
}

}  // namespace
}  // namespace celvara
