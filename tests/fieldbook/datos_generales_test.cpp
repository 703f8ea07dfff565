#include "fieldbook/ajustes_propios.h"
#include "fieldbook/datos_generales.h"

#include <gtest/gtest.h>

#include "comun/imagen.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::Imagen;

// The settings file of a fresh program, from the layout.
Imagen ajustesPorDefecto() {
    Imagen f(1620);
    f.u32(0, 0).u32(4, 6);
    std::size_t c = 8;  // calculation block
    f.u32(c, 0).f64(c + 8, 1.0).f64(c + 16, 0.42).f64(c + 24, 6378388.0);
    f.texto(c + 32, "Px=").texto(c + 37, "Py=").texto(c + 42, "Pz=").texto(c + 47, "Dl=").texto(c + 52, "Dt=").texto(c + 57, "Da=");
    f.f64(c + 64, 0.005).f64(c + 72, 0.005).f64(c + 80, 0.005).f64(c + 88, 0.002).f64(c + 96, 1.0);
    f.u8(c + 104, 1).f64(c + 112, 1.0).u8(c + 120, 1);
    std::size_t p = c + 128;  // files block
    f.texto(p, "c:\\trabajos\\vestrum\\instrumentos.apa").texto(p + 256, "c:\\trabajos\\vestrum\\datos_empresa.prt");
    f.texto(p + 512, "c:\\trabajos\\vestrum\\logo.bmp").texto(p + 768, "c:\\trabajos\\informe.txt").u32(p + 1024, 1);
    std::size_t v = p + 1028;  // view flags
    f.u8(v, 1);
    std::size_t d = v + 4;  // default complementary data
    f.texto(d, "ESTANDAR").texto(d + 65, "1-1-2003").texto(d + 80, "12:00:00").i32(d + 96, 20);
    f.i32(d + 116, 400).u8(d + 124, 1).u8(d + 125, 1);
    std::size_t u = d + 176;  // last file
    std::size_t col = u + 256;
    f.u32(col, 220 | 255 << 8 | 255 << 16).u32(col + 4, 220 | 255 << 8 | 255 << 16).u32(col + 8, 255 | 255 << 8 | 240 << 16);
    f.u32(col + 12, 0).u32(col + 16, 4);
    EXPECT_EQ(col + 20, 1620u);
    return f;
}

TEST(Ajustes, ImagenPorDefectoByteAByte) {
    CDatosGenerales a;
    EXPECT_TRUE(imagenAjustes(a) == ajustesPorDefecto().bytes());
    CarpetaTemporal dir;
    ASSERT_EQ(guardarAjustes(a, dir / "observa.dft"), Estado::Exito);
    EXPECT_EQ(std::filesystem::file_size(dir / "observa.dft"), 1620u);
}

TEST(Ajustes, IdaYVueltaDeTodosLosCampos) {
    CDatosGenerales a{.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\OBRA.OBS", .proyeccion = 2, .escalaAdicional = 0.9996,
                      .prefijoPrecisionZ = "Zz:", .errorAlturaJalon = 0.003, .calcularConPesos = 0,
                      .varianzaReferencia = 2.5, .noCalcularVisualesAEstaciones = 0, .colorGestor = colorRgb(1, 2, 3),
                      .verNumeros = 1, .ficheroInformes = "C:\\TRABAJOS\\OBRA1\\inf.txt", .idioma = 0,
                      .metodoCompensacion = 2, .decimalesPoligonal = 3};
    a.datosPorDefecto.unidadAngular = 360;
    a.datosPorDefecto.operador = "Jos\xE9";
    CarpetaTemporal dir;
    ASSERT_EQ(guardarAjustes(a, dir / "o.dft"), Estado::Exito);
    CDatosGenerales b;
    ASSERT_EQ(cargarAjustes(b, dir / "o.dft"), Estado::Exito);
    EXPECT_EQ(imagenAjustes(b), imagenAjustes(a));
}

// Another version keeps the defaults; a short file keeps what was read.
TEST(Ajustes, OtraVersionOFicheroCorto) {
    Imagen v5 = ajustesPorDefecto();
    v5.u32(0, 77).u32(4, 5).u32(8, 2);  // version 5 claiming UTM WGS-84
    CarpetaTemporal dir;
    prueba::escribirFichero(dir / "v5.dft", v5.bytes());
    CDatosGenerales a;
    EXPECT_EQ(cargarAjustes(a, dir / "v5.dft"), Estado::Exito);
    EXPECT_EQ(a.reservado, 77u);
    EXPECT_EQ(a.proyeccion, 0u);

    Imagen f = ajustesPorDefecto();
    f.u32(8, 1);                 // projection, in the first block
    f.u8(8 + 128 + 1028 + 1, 1);  // draw points, in the view block
    // Cut inside the view block: the calculation and file blocks are taken.
    prueba::escribirFichero(dir / "corto.dft", f.bytes().substr(0, 8 + 128 + 1028 + 2));
    CDatosGenerales b;
    EXPECT_EQ(cargarAjustes(b, dir / "corto.dft"), Estado::Fallo);
    EXPECT_EQ(b.proyeccion, 1u);
    EXPECT_EQ(b.verPuntos, 0);
}

TEST(Ajustes, RutaDelFicheroSegunElDirectorioDeTrabajo) {
    for (const char* dir : {"C:\\TRABAJOS\\OBRA1\\", "C:\\TRABAJOS\\OBRA1\\SUB\\", "C:\\TRABAJOS\\"})
        EXPECT_EQ(rutaFicheroAjustes(dir), "C:\\TRABAJOS\\observa.dft") << dir;
    EXPECT_EQ(rutaFicheroAjustes("C:\\"), "C:\\observa.dft");
}

// A file dialog starts where it last chose a file for the same book; another
// book (or a book never saved, in the working directory) in its own folder.
TEST(Ajustes, CarpetaDeCadaDialogoSegunLaLibreta) {
    CDatosGenerales a;
    a.directorioTrabajo = "C:\\TRABAJOS\\";
    EXPECT_EQ(carpetaLibreta(a), "C:\\TRABAJOS\\");
    a.ultimoFichero = "C:\\TRABAJOS\\OBRA2\\otra.obs";
    EXPECT_EQ(carpetaLibreta(a), "C:\\TRABAJOS\\OBRA2\\");
    AjustesPropios ini;
    recordarCarpetaDialogo(ini, "exportar", carpetaLibreta(a), "D:\\ENTREGAS\\p.dxf");
    EXPECT_EQ(carpetaDialogo(ini, "exportar", "c:\\trabajos\\obra2"), "D:\\ENTREGAS\\");
    EXPECT_EQ(carpetaDialogo(ini, "exportar", "C:\\TRABAJOS\\OBRA3\\"), "C:\\TRABAJOS\\OBRA3\\");
    EXPECT_EQ(carpetaDialogo(ini, "listados", "C:\\TRABAJOS\\OBRA2\\"), "C:\\TRABAJOS\\OBRA2\\");
}

}  // namespace
}  // namespace celvara
