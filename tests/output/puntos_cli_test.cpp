// exportar-puntos and importar-puntos run as processes: the options reach
// the writer and the reader (the bytes themselves are puntos_texto_test's).
#include <gtest/gtest.h>

#include "comun/proceso.h"
#include "datos/crd_comun.h"
#include "datos/fichero_crd.h"
#include "output/puntos_texto.h"

namespace celvara {
namespace {

using prueba::cli;
using prueba_crd::bytesDe;
using prueba_crd::CarpetaTemporal;
using prueba_crd::grabarBytes;

TEST(PuntosCli, OpcionesDeColumnasYLineasMalas) {
    CarpetaTemporal dir;
    ListaPuntos l(2);
    l[0] = {1, "E1", "", 436512.3456, 4478021.6784, 652.31, "Clavo"};
    l[1] = {0, "1000", "E1", 436729.467, 4478057.567, 651.729, "BORDILLO"};
    ASSERT_EQ(escribirListaPuntos(l, dir / "a.crd"), Estado::Exito);
    auto s = cli({"exportar-puntos", (dir / "a.crd").string(), "-o", (dir / "a.csv").string(), "--columnas",
                  "nombre,n,e,z,codigo", "--separador", ";", "--cabecera"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    const OpcionesTexto o{.columnas = {CampoPunto::Nombre, CampoPunto::N, CampoPunto::E, CampoPunto::Z, CampoPunto::Codigo},
                          .separador = ';', .cabecera = true};
    EXPECT_EQ(bytesDe(dir / "a.csv"), escribirPuntosTexto(l, o));

    grabarBytes(dir / "m.txt", "P1 10 20 30\nP2 diez 20 30\nP3 11 21\n");
    s = cli({"importar-puntos", (dir / "m.txt").string(), "-o", (dir / "m.crd").string(), "--estricto"});
    EXPECT_EQ(s.estado, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "m.crd"));
    s = cli({"importar-puntos", (dir / "m.txt").string(), "-o", (dir / "a.crd").string(), "--columnas", "nombre,x,y,z",
             "--anadir"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    EXPECT_NE(s.errores.find("línea 2: la X \"diez\" no es un número\n"), std::string::npos) << s.errores;
    EXPECT_NE(s.errores.find("línea 3: tiene 3 columnas y se esperan 4\n"), std::string::npos) << s.errores;
    ListaPuntos b;
    ASSERT_EQ(leerListaPuntos(dir / "a.crd", b), Estado::Exito);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].nombre.str() + " " + b[2].nombre.str(), "E1 P1");

    s = cli({"exportar-puntos", (dir / "a.crd").string(), "-o", (dir / "b.kml").string()});
    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores, "Un fichero de coordenadas no dice su proyección: indique --proyeccion ed50|etrs89|wgs84|regcan95\n");
}

}  // namespace
}  // namespace celvara
