#include "fieldbook/fichero_obs.h"

#include <gtest/gtest.h>

#include "comun/imagen.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::Imagen;

// Record images straight from the layouts.
Imagen imagenEstacion(std::string_view nombre, std::int32_t tipo, double x, double y, double z,
                      std::string_view d1 = "", std::string_view d2 = "", std::string_view croquis = "",
                      std::string_view foto = "", std::string_view dibujo = "") {
    Imagen i(1800);
    i.texto(0, nombre).i32(16, tipo).f64(24, x).f64(32, y).f64(40, z);
    i.texto(48, d1).texto(148, d2).texto(248, croquis).texto(1272, foto).texto(1528, dibujo);
    return i;
}

Imagen imagenEstacionamiento(std::string_view nombre, std::string_view estacion, double ai, double des,
                             std::int32_t unidadAngular = 400, std::string_view instrumento = "",
                             std::string_view comentarios = "") {
    Imagen i(240);
    i.texto(0, nombre).texto(15, estacion).f64(32, ai).f64(40, des);
    const std::size_t d = 56;
    i.texto(d + 0, instrumento).texto(d + 50, "OPER").texto(d + 65, "5-3-2024").texto(d + 80, "09:15:00");
    i.i32(d + 96, 18).i32(d + 100, 950).i32(d + 104, 7).i32(d + 108, 3).i32(d + 112, 1);
    i.i32(d + 116, unidadAngular).i32(d + 120, 0).u8(d + 124, 1).u8(d + 125, 0).texto(d + 126, comentarios);
    return i;
}

Imagen imagenLectura(std::string_view nombre, double jalon, double dist, double v, double h, std::string_view codigo) {
    Imagen i(112);
    i.texto(0, nombre).f64(16, jalon).f64(24, dist).f64(32, v).f64(40, h).texto(48, codigo);
    return i;
}

Imagen cabecera(std::string_view reservado, std::uint32_t proyeccion, std::int32_t estaciones) {
    Imagen i;
    i.u32(0, 0).texto(4, reservado).u32(4 + 1024, proyeccion).i32(4 + 1028, estaciones);
    return i;
}

// One station with one set-up of two readings, and a second bare station.
Imagen libretaMinima() {
    Imagen f = cabecera("", 1, 2);
    f.anadir(imagenEstacion("BASE1", 2, 1000.25, 2000.5, 101.125, "Clavo en acera", "", "", "c:\\f.bmp"));
    f.anadirI32(1);
    f.anadir(imagenEstacionamiento("E1", "BASE1", 1.55, 12.3456, 400, "TC1800"));
    f.anadirI32(2);
    f.anadir(imagenLectura("100", 1.3, 45.678, 99.5, 250.125, "ARQUETA"));
    f.anadir(imagenLectura("101", 1.3, 12.0, 101.25, 10.5, ""));
    f.anadir(imagenEstacion("BASE2", 0, 0, 0, 0));
    f.anadirI32(0);
    return f;
}

void construirMinima(CLibretaCampo& l) {
    const DatosComplementarios d{.instrumento = "TC1800", .operador = "OPER", .dia = "5-3-2024", .hora = "09:15:00",
                                .temperatura = 18, .presion = 950, .ppm = 7, .tipoDistancia = 3, .tipoVertical = 1,
                                .corregidoEsfRefr = 1};
    l.proyeccion = 1;
    auto* b1 = crearEstacion(l.estaciones, {.nombre = "BASE1", .tipo = 2, .coordenadas = Coordenadas{1000.25, 2000.5, 101.125},
                                            .descripcion1 = "Clavo en acera", .ficheroFoto = "c:\\f.bmp"});
    auto* s = crearEstacionamiento(b1->estacionamientos, nullptr, "E1", "BASE1", 1.55, &d, 12.3456);
    crearLectura(s->lecturas, std::nullopt, "100", 1.3, 45.678, 99.5, 250.125, "ARQUETA");
    crearLectura(s->lecturas, std::nullopt, "101", 1.3, 12.0, 101.25, 10.5, "");
    crearEstacion(l.estaciones, {.nombre = "BASE2"});
}

TEST(FicheroObs, LibretaMinimaByteABytes) {
    CarpetaTemporal dir;
    CLibretaCampo libreta;
    construirMinima(libreta);
    ASSERT_TRUE(escribirLibreta(libreta, dir / "a.obs"));
    EXPECT_TRUE(prueba::leerFichero(dir / "a.obs") == libretaMinima().bytes());


    // Read and written back: every field the reader takes reaches the writer,
    // whose bytes were just checked against the layout.
    prueba::escribirFichero(dir / "b.obs", libretaMinima().bytes());
    CLibretaCampo leida;
    ASSERT_TRUE(leerLibreta(leida, dir / "b.obs"));
    ASSERT_EQ(leida.contarLecturas(), 2u);
    ASSERT_TRUE(escribirLibreta(leida, dir / "c.obs"));
    EXPECT_TRUE(prueba::leerFichero(dir / "c.obs") == libretaMinima().bytes());
}

TEST(FicheroObs, TextosAlMaximoConEñes) {
    const std::string nombre = "\xD1" "ANDU\xC1" "-12345678";        // 15 bytes: ÑANDUÁ-12345678
    const std::string desc(99, '\xF1');                              // ñ
    const std::string croquis = std::string(1021, 'a') + "\r\n";      // 1023 bytes
    const std::string ruta(255, '\\');
    const std::string codigo(51, '\xE9');                              // é
    const std::string reservado(1023, 'R');
    Imagen f = cabecera(reservado, 2, 1);
    f.anadir(imagenEstacion(nombre, 1, 1, 2, 3, desc, desc, croquis, ruta, ruta));
    f.anadirI32(1);
    f.anadir(imagenEstacionamiento("ESTACIONAMIENT", "\xD1" "ANDU\xC1" "-123456789", 0, 0, 360, std::string(49, 'I'),
                                   std::string(49, '\xFC')));
    f.anadirI32(1);
    f.anadir(imagenLectura("PUNTO-\xD1\xD1\xD1-00001", 0, 0, 0, 0, codigo));

    CarpetaTemporal dir;
    prueba::escribirFichero(dir / "max.obs", f.bytes());
    CLibretaCampo libreta;
    ASSERT_TRUE(leerLibreta(libreta, dir / "max.obs"));
    EXPECT_EQ(libreta.estaciones[0]->nombre.str(), nombre);
    // Written back unchanged: nothing was cut or recoded.
    ASSERT_TRUE(escribirLibreta(libreta, dir / "otra.obs"));
    EXPECT_TRUE(prueba::leerFichero(dir / "otra.obs") == f.bytes());
}

// Short, damaged and refused files, each read over a book holding station
// QUEDA: what the book holds after, as "station names/set-ups/readings".
TEST(FicheroObs, FicherosCortosYRechazados) {
    Imagen corto = cabecera("", 0, 5);  // counts promise more than the file holds
    corto.anadir(imagenEstacion("A", 0, 0, 0, 0)).anadirI32(3);
    corto.anadir(imagenEstacionamiento("E1", "A", 1, 0)).anadirI32(10);
    corto.anadir(imagenLectura("1", 0, 0, 0, 0, "")).anadir(imagenLectura("2", 0, 0, 0, 0, ""));
    Imagen sinCuenta = cabecera("", 0, 2);
    sinCuenta.anadir(imagenEstacion("A", 0, 0, 0, 0));
    Imagen marca = cabecera("", 0, 0);
    marca.u32(0, 1);
    const struct {
        std::string bytes;
        bool leida;
        std::string libro;
    } casos[] = {
        {cabecera("xyz", 2, 7).bytes(), true, "/0/0"},                // the header and a count: an empty book
        {corto.bytes() + std::string(50, 'x'), true, "A/1/2"},        // a record cut short is dropped
        {sinCuenta.bytes(), true, "A/0/0"},                           // a station without its set-up count
        {marca.bytes(), false, "QUEDA/0/0"},                          // a mark other than 0: the book as it was
        {cabecera("", 0, 0).bytes().substr(0, 1030), false, "/0/0"},  // ends before the station count
        {cabecera("", 0, -1).bytes(), false, "/0/0"},
    };
    CarpetaTemporal dir;
    for (const auto& c : casos) {
        CLibretaCampo libreta;
        crearEstacion(libreta.estaciones, {.nombre = "QUEDA"});
        prueba::escribirFichero(dir / "f.obs", c.bytes);
        EXPECT_EQ(leerLibreta(libreta, dir / "f.obs"), c.leida) << c.libro;
        std::string libro;
        for (const auto& e : libreta.estaciones) libro += e->nombre.str();
        EXPECT_EQ(libro + "/" + std::to_string(libreta.contarEstacionamientos()) + "/" +
                      std::to_string(libreta.contarLecturas()),
                  c.libro);
        if (c.leida) {
            EXPECT_EQ(libreta.reservado.str(), c.libro == "/0/0" ? "xyz" : "");
        }
    }
}

TEST(FicheroObs, TruncadoEnCadaPosicionNuncaRompe) {
    CarpetaTemporal dir;
    const std::string completo = libretaMinima().bytes();
    for (std::size_t n = 0; n <= completo.size(); n += (n < 1040 ? 1 : 7)) {
        prueba::escribirFichero(dir / "t.obs", completo.substr(0, n));
        CLibretaCampo libreta;
        bool cortada = false;
        const bool ok = leerLibreta(libreta, dir / "t.obs", &cortada);
        EXPECT_EQ(ok, n >= 4 + 1028 + 4) << n;
        EXPECT_EQ(cortada, ok && n < completo.size()) << n;  // wherever the cut falls
        EXPECT_LE(libreta.contarLecturas(), 2u);
    }
}

// Huge counts with no data behind them end at the end of the data (random
// bytes are the fuzz harness's, its findings replayed from tests/data/fuzz/obs).
TEST(FicheroObs, CuentasEnormesAcabanConLosDatos) {
    CarpetaTemporal dir;
    Imagen f = cabecera("", 0, 0x7FFFFFFF);
    f.anadir(imagenEstacion("A", 0, 0, 0, 0)).anadirI32(0x7FFFFFFF);
    f.anadir(imagenEstacionamiento("E", "A", 0, 0)).anadirI32(0x7FFFFFFF);
    prueba::escribirFichero(dir / "enorme.obs", f.bytes());
    CLibretaCampo libreta;
    EXPECT_TRUE(leerLibreta(libreta, dir / "enorme.obs"));
    EXPECT_EQ(libreta.contarEstacionamientos(), 1u);
}

}  // namespace
}  // namespace celvara
