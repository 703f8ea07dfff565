#include "datos/fichero_crd.h"

#include <gtest/gtest.h>

#include <cstring>

#include "crd_comun.h"

namespace celvara {
namespace {

using namespace prueba_crd;

TEST(FicheroCrd, SoloMarcaYSubversionEsListaVacia) {
    ListaRegistrosCoordenadas registros(3);
    FormaCrd forma = FormaCrd::Antigua;
    ASSERT_TRUE(leerFicheroCoordenadas(datos("vacio_v50.crd"), registros, &forma));
    EXPECT_TRUE(registros.empty());
    EXPECT_EQ(forma, FormaCrd::Actual);

    CarpetaTemporal tmp;
    ASSERT_TRUE(escribirFicheroCoordenadas({}, tmp / "vacio.crd"));
    EXPECT_EQ(bytesDe(tmp / "vacio.crd"), bytesDe(datos("vacio_v50.crd")));
    ASSERT_EQ(escribirListaPuntos({}, tmp / "vacio2.crd"), Estado::Exito);
    EXPECT_EQ(bytesDe(tmp / "vacio2.crd"), std::string("V5.0\0\0\0\0\0", 9));
}

TEST(FicheroCrd, FormaAntiguaDe240BytesSonDosPuntos) {
    ListaRegistrosCoordenadas registros;
    FormaCrd forma = FormaCrd::Actual;
    ASSERT_TRUE(leerFicheroCoordenadas(datos("antigua_dos_puntos.crd"), registros, &forma));
    EXPECT_EQ(forma, FormaCrd::Antigua);
    // Converted records carry every display attribute at its default.
    EXPECT_EQ(registros, (ListaRegistrosCoordenadas{
                             {.x = 100.5, .y = 200.25, .z = 10.125, .base = 1, .estacion = "E1", .nombre = "B1",
                              .codigo = "Clavo en acera"},
                             {.x = -3.75, .y = 4e6, .z = 0.001, .base = 0, .estacion = "Se\xF1" "al", .nombre = "P2",
                              .codigo = "\xC1rbol"}}));

    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(datos("antigua_dos_puntos.crd"), puntos), Estado::Exito);
    ASSERT_EQ(puntos.size(), 2u);
    EXPECT_EQ(aRegistro(puntos[0]), registros[0]);
    EXPECT_EQ(aRegistro(puntos[1]), registros[1]);
}

// The default record, every byte from the layout rather than from our own
// reader: links and padding zero, whatever the buffer held.
TEST(FicheroCrd, RegistroPorDefectoByteAByte) {
    unsigned char b[imagen::crd::registro::tamano];
    std::memset(b, 0xAA, sizeof b);
    RegistroCoordenadas r;
    r.x = 1.0;
    r.nombre = "N";
    imagen::crd::escribirRegistro(r, b);
    prueba::Imagen e(sizeof b);
    e.f64(0, 1.0).u8(32, 1).f64(40, 500.0).f64(56, 0.001).u8(65, 1).u32(68, 256).texto(87, "N");
    e.f64(104, 0.5).f64(112, 0.5).u8(128, 1).f64(136, 0.0015).u32(144, 0xFFFF80u);  // RGB(128,255,255), red low
    e.u8(148, 1).f64(152, 0.5).f64(160, -1.25).f64(176, 0.0015).u8(184, 2).u32(188, 0x365DFCu);  // RGB(252,93,54)
    e.f64(248, 0.5).f64(256, -0.125).u8(272, 1).f64(280, 0.0005).u32(288, 0xFFFFFFu);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b), sizeof b), e.bytes());
}

TEST(FicheroCrd, AtributosSobrevivenLecturaYEscrituraDeRegistros) {
    ListaRegistrosCoordenadas registros;
    ASSERT_TRUE(leerFicheroCoordenadas(datos("atributos.crd"), registros));
    ASSERT_EQ(registros.size(), 2u);
    const auto& r = registros[0];
    EXPECT_EQ(std::tuple(int(r.base), r.simbolo.escala, int(r.simbolo.tipo), std::uint32_t(r.simbolo.color), r.etiquetaNombre.giro,
                         r.etiquetaCota.desplazamiento[1], int(r.decimalesCota), int(r.etiquetaCodigo.visible),
                         std::uint32_t(r.etiquetaCodigo.color), r.estacion.str(), r.codigo.str(), int(registros[1].base)),
              std::tuple(7, 1000.0, 3, 0x030201u, 45.0, 2.25, 3, 0, 0x5A5046u, "EST", "muro", 0));

    // Written back as records: the same bytes, with the stray links zeroed.
    CarpetaTemporal tmp;
    ASSERT_TRUE(escribirFicheroCoordenadas(registros, tmp / "copia.crd"));
    EXPECT_EQ(bytesDe(tmp / "copia.crd"), bytesDe(datos("atributos_limpio.crd")));
    ListaRegistrosCoordenadas limpios;
    ASSERT_TRUE(leerFicheroCoordenadas(datos("atributos_limpio.crd"), limpios));
    EXPECT_EQ(limpios, registros);
}

TEST(FicheroCrd, VeinteMilUnPuntosEnDosLotesYEnOrden) {
    ListaRegistrosCoordenadas registros(imagen::crd::kRegistrosPorLote + 1);
    for (std::size_t i = 0; i < registros.size(); ++i) {
        registros[i].nombre = std::to_string(i);
        registros[i].x = static_cast<double>(i);
        registros[i].base = static_cast<std::uint8_t>(i % 3);
    }
    CarpetaTemporal tmp;
    ASSERT_TRUE(escribirFicheroCoordenadas(registros, tmp / "grande.crd"));
    EXPECT_EQ(std::filesystem::file_size(tmp / "grande.crd"), 9u + 20001u * 304u);
    ListaRegistrosCoordenadas leidos;
    ASSERT_TRUE(leerFicheroCoordenadas(tmp / "grande.crd", leidos));
    EXPECT_EQ(leidos, registros);

    // The same through the point list. The older form reads through the same
    // batches; its flag other than 0 or 1 reads as a station.
    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(tmp / "grande.crd", puntos), Estado::Exito);
    ASSERT_EQ(puntos.size(), 20001u);
    EXPECT_EQ(puntos[20000].base, 2);
    ASSERT_EQ(escribirListaPuntos(puntos, tmp / "puntos.crd"), Estado::Exito);  // the flag written as 1
    ASSERT_TRUE(leerFicheroCoordenadas(tmp / "puntos.crd", leidos));
    EXPECT_EQ(std::tuple(leidos.size(), int(leidos[20000].base), leidos[20000].nombre.str()), std::tuple(20001u, 1, "20000"));
    unsigned char b[imagen::crd::punto::tamano];
    imagen::crd::escribirPunto(puntos[20000], b);
    grabarBytes(tmp / "antigua.crd", std::string(reinterpret_cast<const char*>(b), sizeof b));
    ASSERT_EQ(leerListaPuntos(tmp / "antigua.crd", puntos), Estado::Exito);
    ASSERT_EQ(puntos.size(), 1u);
    EXPECT_EQ(std::pair(puntos[0].nombre.str(), int(puntos[0].base)), std::pair(std::string("20000"), 1));
}

TEST(FicheroCrd, ConversionCortaLosTextosAlCampo) {
    PuntoCoordenadas p;
    p.base = 9;
    p.estacion = "ESTACION-15-CAR";  // 15 characters fit in the point's 16 bytes
    p.codigo = std::string(51, 'c');
    const RegistroCoordenadas r = aRegistro(p);
    EXPECT_EQ(r.base, 1);
    EXPECT_EQ(r.estacion, "ESTACION-15-CA");  // 14 in the record's 15 bytes
    EXPECT_EQ(r.codigo.longitud(), 49u);
    RegistroCoordenadas s;
    s.base = 9;
    EXPECT_EQ(aPunto(s).base, 9);
}

TEST(FicheroCrd, FallosDeApertura) {
    CarpetaTemporal tmp;
    ListaRegistrosCoordenadas registros(1);
    EXPECT_FALSE(leerFicheroCoordenadas(tmp / "no-existe.crd", registros));
    EXPECT_TRUE(registros.empty());
    EXPECT_FALSE(leerFicheroCoordenadas(tmp.ruta(), registros));  // a folder
    ListaPuntos puntos(1);
    EXPECT_EQ(leerListaPuntos(tmp / "no-existe.crd", puntos), Estado::Fallo);
    EXPECT_TRUE(puntos.empty());
}

}  // namespace
}  // namespace celvara
