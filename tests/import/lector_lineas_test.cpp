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

TEST(LectorLineas, FinesDeLineaYDeFichero) {
    const std::pair<std::string, V> casos[] = {
        // CR LF, LF and form feed never reach the line.
        {"uno\r\ndos\n\fcuatro\r\n", {"uno", "dos", "cuatro", ""}},
        // A CR inside a line of a file that has line feeds is dropped, not a line end.
        {"a\rb\n", {"ab", ""}},
        // The last line without its end is read.
        {"uno\ndos", {"uno", "dos"}},
        {"", {""}},
        // Byte 255 ends the line and stays in it.
        {std::string("ab\xFF" "cd\n", 6), {"ab\xFF", "cd", ""}},
        // Control-Z is the end of the file.
        {"uno\ndos\x1Atres\ncuatro\n", {"uno", "dos"}},
        // A file with carriage returns only is read by lines.
        {"\runo\r\r\rdos\r", {"", "uno", "", "", "dos", ""}},
    };
    for (const auto& [contenido, esperadas] : casos) EXPECT_EQ(lineas(contenido), esperadas) << contenido;
}

TEST(LectorLineas, LineaLargaSeCortaSinDesbordarYLaSiguienteQueda) {
    std::string larga(100000, 'x');
    larga[LectorLineas::kLongitudMaxima - 1] = 'y';
    const auto l = lineas(larga + "\nsiguiente\n");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].size(), LectorLineas::kLongitudMaxima);
    EXPECT_EQ(l[0].back(), 'y');
    EXPECT_EQ(l[1], "siguiente");
    // At the end of the file, without a line feed.
    const auto fin = lineas(std::string(3 * 65536 + 7, '1'));
    ASSERT_EQ(fin.size(), 1u);
    EXPECT_EQ(fin[0].size(), LectorLineas::kLongitudMaxima);
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
