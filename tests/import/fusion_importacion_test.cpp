#include "import/fusion_importacion.h"

#include <gtest/gtest.h>

#include "fieldbook/datos_generales.h"

namespace celvara {
namespace {

void estacionamiento(CListasImportacion& l, std::string_view nombre, std::int32_t primera, std::int32_t ultima,
                     double altura = 0, std::string_view acimut = "", std::string_view horizontal = "") {
    auto* e = l.crearEstacionamiento();
    e->nombre = nombre;
    e->primera = primera;
    e->ultima = ultima;
    e->alturaInstrumento = altura;
    e->acimutEspalda = acimut;
    e->horizontalEspalda = horizontal;
}

void lectura(CListasImportacion& l, std::int32_t numero, std::string_view texto = "") {
    auto* r = l.crearLectura();
    r->numero = numero;
    r->jalon = 1.5;
    r->distancia = 10.0 + numero;
    r->vertical = 100.0;
    r->horizontal = 50.0 + numero;
    r->texto = texto;
}

std::vector<std::string> nombres(const Estacionamiento& e) {
    std::vector<std::string> n;
    for (const auto& l : e.lecturas) n.push_back(l.nombre.str());
    return n;
}

using V = std::vector<std::string>;

TEST(ListasImportacion, RegistrosNacenACero) {
    CListasImportacion l;
    auto* e = l.crearEstacionamiento();
    EXPECT_EQ(e->primera, 0);
    EXPECT_EQ(e->ultima, 0);
    EXPECT_TRUE(e->nombre.vacio());
    EXPECT_TRUE(e->acimutEspalda.vacio());
    EXPECT_EQ(e->alturaInstrumento, 0);
    auto* r = l.crearLectura();
    EXPECT_EQ(r->numero, 0);
    EXPECT_TRUE(r->texto.vacio());
    EXPECT_EQ(l.estacionamientoActual(), e);
    EXPECT_EQ(l.lecturaActual(), r);
    l.liberar();
    EXPECT_EQ(l.estacionamientoActual(), nullptr);
    EXPECT_EQ(l.lecturaActual(), nullptr);
}

TEST(Fusion, EstacionNuevaConFotosPorDefectoYLecturasEnOrden) {
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    ajustes.datosPorDefecto.unidadAngular = kSexagesimal;
    ajustes.datosPorDefecto.operador = "Ana";
    CListasImportacion l;
    estacionamiento(l, "B1", 1, 3, 1.55);
    for (int n = 1; n <= 3; ++n) lectura(l, n, n == 2 ? "ARBOL" : "");
    ASSERT_TRUE(fusionarImportacion(libreta, ajustes.datosPorDefecto, l));

    ASSERT_EQ(libreta.estaciones.size(), 1u);
    const Estacion& e = *libreta.estaciones[0];
    EXPECT_EQ(e.nombre.str(), "B1");
    EXPECT_EQ(e.x, 0);
    EXPECT_EQ(e.ficheroFoto.str(), "c:\\trabajos\\vestrum\\foto0.bmp");
    EXPECT_EQ(e.ficheroCroquis.str(), "c:\\trabajos\\vestrum\\foto0.bmp");
    EXPECT_TRUE(e.descripcion1.vacio());
    ASSERT_EQ(e.estacionamientos.size(), 1u);
    const Estacionamiento& s = *e.estacionamientos[0];
    EXPECT_EQ(s.nombre.str(), "B1(1)");
    EXPECT_EQ(s.estacion.str(), "B1");
    EXPECT_EQ(s.alturaInstrumento, 1.55);
    EXPECT_EQ(s.desorientacion, 0);
    EXPECT_EQ(s.datos, ajustes.datosPorDefecto);
    EXPECT_EQ(nombres(s), (V{"1", "2", "3"}));
    EXPECT_EQ(s.lecturas[1].codigo.str(), "ARBOL");
    EXPECT_EQ(s.lecturas[1].jalon, 1.5);
    EXPECT_EQ(s.lecturas[1].distancia, 12.0);
    EXPECT_EQ(s.lecturas[1].vertical, 100.0);
    EXPECT_EQ(s.lecturas[1].horizontal, 52.0);
    EXPECT_TRUE(l.estacionamientos().empty());
    EXPECT_TRUE(l.lecturas().empty());
}

TEST(Fusion, DosRegistrosDeLaMismaEstacionDanB1_1YB1_2) {
    CLibretaCampo libreta;
    CListasImportacion l;
    l.porRangos = true;
    estacionamiento(l, "B1", 1, 2);
    estacionamiento(l, "B1", 5, 5);
    for (int n : {1, 2, 5}) lectura(l, n);
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    ASSERT_EQ(libreta.estaciones.size(), 1u);
    const auto& s = libreta.estaciones[0]->estacionamientos;
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0]->nombre.str(), "B1(1)");
    EXPECT_EQ(s[1]->nombre.str(), "B1(2)");
    EXPECT_EQ(nombres(*s[1]), (V{"5"}));
}

TEST(Fusion, EstacionExistenteSigueLaNumeracionDelUltimoEstacionamiento) {
    CLibretaCampo libreta;
    auto* e = crearEstacion(libreta.estaciones, {.nombre = "E7", .coordenadas = Coordenadas{1, 2, 3}});
    crearEstacionamiento(e->estacionamientos, nullptr, "E7(4)", "E7", 1.4, nullptr, 0);
    auto* otra = crearEstacion(libreta.estaciones, {.nombre = "E8"});
    crearEstacionamiento(otra->estacionamientos, nullptr, "primero", "E8", 1.4, nullptr, 0);
    crearEstacionamiento(otra->estacionamientos, nullptr, "E8_(x)", "E8", 1.4, nullptr, 0);
    crearEstacionamiento(otra->estacionamientos, nullptr, "segundo(", "E8", 1.4, nullptr, 0);
    CListasImportacion l;
    estacionamiento(l, "E7", -1, -1);
    estacionamiento(l, "E8", -1, -1);
    estacionamiento(l, "e7", -1, -1);  // names compare exactly
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    ASSERT_EQ(libreta.estaciones.size(), 3u);
    EXPECT_EQ(libreta.estaciones[0]->x, 1);
    EXPECT_EQ(libreta.estaciones[0]->estacionamientos.back()->nombre.str(), "E7(5)");
    // No "(" followed by digits: 1 + the set-ups already there.
    EXPECT_EQ(libreta.estaciones[1]->estacionamientos.back()->nombre.str(), "E8(4)");
    EXPECT_EQ(libreta.estaciones[2]->nombre.str(), "e7");
}

TEST(Fusion, NombreDeEstacionamientoSeCortaA14) {
    CLibretaCampo libreta;
    CListasImportacion l;
    estacionamiento(l, "ESTACION-LARGA", -1, -1);  // 14 characters
    estacionamiento(l, "ABCDEFGHIJKL", -1, -1);    // 12 characters
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    EXPECT_EQ(libreta.estaciones[0]->estacionamientos[0]->nombre.str(), "ESTACION-LARGA");
    EXPECT_EQ(libreta.estaciones[1]->estacionamientos[0]->nombre.str(), "ABCDEFGHIJKL(1");
    EXPECT_EQ(libreta.estaciones[1]->estacionamientos[0]->estacion.str(), "ABCDEFGHIJKL");
}

TEST(Fusion, NumeroEnormeTrasParentesisNoDesborda) {
    Estacion e;
    e.nombre = "A";
    crearEstacionamiento(e.estacionamientos, nullptr, "A(99999999999", "A", 0, nullptr, 0);
    EXPECT_EQ(nombreEstacionamientoImportado(e), "A(2147483648)");
}

TEST(Fusion, OrientacionDeLosTextosDeEspalda) {
    CLibretaCampo libreta;
    CListasImportacion l;
    estacionamiento(l, "A", -1, -1, 0, "100.0000", "12.3456");
    estacionamiento(l, "B", -1, -1, 0, "/5", "20.0000");
    estacionamiento(l, "C", -1, -1, 0, "", "");
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    EXPECT_DOUBLE_EQ(libreta.estaciones[0]->estacionamientos[0]->desorientacion, 87.6544);
    EXPECT_DOUBLE_EQ(libreta.estaciones[1]->estacionamientos[0]->desorientacion, -20.0);
    EXPECT_EQ(libreta.estaciones[2]->estacionamientos[0]->desorientacion, 0);
}

TEST(Fusion, RangoVacioCreaEstacionamientoSinLecturasYNoMueveElCursor) {
    CLibretaCampo libreta;
    CListasImportacion l;
    estacionamiento(l, "A", -1, -1);
    estacionamiento(l, "A", 1, 2);
    lectura(l, 1);
    lectura(l, 2);
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    const auto& s = libreta.estaciones[0]->estacionamientos;
    ASSERT_EQ(s.size(), 2u);
    EXPECT_TRUE(s[0]->lecturas.empty());
    EXPECT_EQ(nombres(*s[1]), (V{"1", "2"}));
}

TEST(Fusion, ElCursorNuncaRetrocede) {
    CLibretaCampo libreta;
    CListasImportacion l;
    // Ranges (old radiation files): reading 9 lies in no range where the
    // cursor finds it: it and every reading after it stay out of the book.
    l.porRangos = true;
    estacionamiento(l, "A", 1, 2);
    estacionamiento(l, "B", 3, 3);
    estacionamiento(l, "C", 9, 9);
    for (int n : {1, 2, 9, 3}) lectura(l, n);
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    ASSERT_EQ(libreta.estaciones.size(), 3u);
    EXPECT_EQ(nombres(*libreta.estaciones[0]->estacionamientos[0]), (V{"1", "2"}));
    EXPECT_TRUE(libreta.estaciones[1]->estacionamientos[0]->lecturas.empty());
    EXPECT_EQ(nombres(*libreta.estaciones[2]->estacionamientos[0]), (V{"9"}));
    EXPECT_EQ(libreta.contarLecturas(), 3u);
}

}  // namespace
}  // namespace celvara
