#include "import/lector_lineas.h"

#include <gtest/gtest.h>

#include "comun/imagen.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::escribirFichero;

// Every line the reader hands out, in order, as the readers loop: read,
// handle, stop once the end of the file was reached.
std::vector<std::string> lineas(std::string_view contenido, Estado* estado = nullptr) {
    CarpetaTemporal carpeta;
    const auto ruta = carpeta / "f.txt";
    escribirFichero(ruta, contenido);
    LectorLineas lector(ruta);
    EXPECT_TRUE(lector.abierto());
    std::vector<std::string> salida;
    std::string linea;
    do {
        const Estado e = lector.leerLinea(linea);
        if (estado) *estado = e;
        if (e != Estado::Exito) break;
        salida.push_back(linea);
    } while (!lector.fin());
    return salida;
}

using V = std::vector<std::string>;

TEST(LectorLineas, RetornoAvanceYSaltoDePaginaNoLleganALaLinea) {
    EXPECT_EQ(lineas("uno\r\ndos\n\fcuatro\r\n"), (V{"uno", "dos", "cuatro", ""}));
    // A carriage return inside a line of a file that has line feeds is
    // dropped, not a line end.
    EXPECT_EQ(lineas("a\rb\n"), (V{"ab", ""}));
}

TEST(LectorLineas, UltimaLineaSinAvanceSeLee) {
    EXPECT_EQ(lineas("uno\ndos"), (V{"uno", "dos"}));
    EXPECT_EQ(lineas(""), (V{""}));
}

TEST(LectorLineas, Byte255CierraLaLineaYSeQuedaEnElla) {
    EXPECT_EQ(lineas(std::string("ab\xFF" "cd\n", 6)), (V{"ab\xFF", "cd", ""}));
}

TEST(LectorLineas, ControlZEsElFinDelFichero) {
    EXPECT_EQ(lineas("uno\ndos\x1Atres\ncuatro\n"), (V{"uno", "dos"}));
}

TEST(LectorLineas, FicheroSoloConRetornosSeLeePorLineas) {
    EXPECT_EQ(lineas("\runo\r\r\rdos\r"), (V{"", "uno", "", "", "dos", ""}));
}

TEST(LectorLineas, LineaLargaSeCortaSinDesbordarYLaSiguienteQueda) {
    std::string larga(100000, 'x');
    larga[LectorLineas::kLongitudMaxima - 1] = 'y';
    const auto l = lineas(larga + "\nsiguiente\n");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].size(), LectorLineas::kLongitudMaxima);
    EXPECT_EQ(l[0].back(), 'y');
    EXPECT_EQ(l[1], "siguiente");
}

TEST(LectorLineas, LineaLargaAlFinalSinAvance) {
    const auto l = lineas(std::string(3 * 65536 + 7, '1'));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].size(), LectorLineas::kLongitudMaxima);
}

TEST(LectorLineas, FicheroQueNoSeAbreOErrorDeLectura) {
    LectorLineas lector;
    EXPECT_FALSE(lector.abrir("/no/existe/en/ninguna/parte.gsi"));
    std::string linea = "resto";
    EXPECT_EQ(lector.leerLinea(linea), Estado::Fallo);
    EXPECT_TRUE(linea.empty());

    // A folder opens as a stream on this system, but reading it fails.
    CarpetaTemporal carpeta;
    LectorLineas directorio;
    if (directorio.abrir(carpeta.ruta())) {
        EXPECT_EQ(directorio.leerLinea(linea), Estado::Fallo);
    }
}

}  // namespace
}  // namespace celvara
