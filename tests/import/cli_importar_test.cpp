// celvara-cli formatos and importar as whole processes.
#include <gtest/gtest.h>

#include "comun/proceso.h"
#include "fieldbook/fichero_obs.h"
#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;
using prueba::cli;
using prueba::punto8;
using prueba::w8;

TEST(CliFormatos, IndiceYTextoDeLos33) {
    const auto r = cli({"formatos"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    std::string esperada;
    for (const auto& f : tablaFormatos()) esperada += std::to_string(f.indice) + " " + f.texto + "\tdisponible\n";
    EXPECT_EQ(r.salida, esperada);
    EXPECT_NE(r.salida.find("\n29 .DAT de SOUTH \tdisponible\n"), std::string::npos);
}

TEST(CliImportar, SobreUnaLibretaBaseConLosAjustesDados) {
    CarpetaTemporal dir;
    CLibretaCampo base;
    auto* e = crearEstacion(base.estaciones, {.nombre = "ST", .coordenadas = Coordenadas{1, 2, 3}});
    crearEstacionamiento(e->estacionamientos, nullptr, "ST(3)", "ST", 1.2, nullptr, 0);
    ASSERT_TRUE(escribirLibreta(base, dir / "base.obs"));
    CDatosGenerales ajustes;
    ajustes.datosPorDefecto.unidadAngular = kSexagesimal;
    ASSERT_EQ(guardarAjustes(ajustes, dir / "observa.dft"), Estado::Exito);
    prueba::escribirFichero(dir / "campo.gsi", punto8(1) + w8(21, 100) + "\r\n" + punto8(2) + "\r\n");

    const auto r = cli({"importar", "--formato", "5", (dir / "campo.gsi").string(), "-o", (dir / "sal.obs").string(),
                        "--libreta", (dir / "base.obs").string(), "--config", (dir / "observa.dft").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_TRUE(r.errores.empty());
    CLibretaCampo salida;
    ASSERT_TRUE(leerLibreta(salida, dir / "sal.obs"));
    // The base book's set-up stays; the new one takes the settings' unit.
    EXPECT_EQ(prueba::libro(salida), (std::vector<std::string>{"ST 1 2 3", "  ST(3) 1.2 0 400", "  ST(4) 0 0 360",
                                                               "    1 0.001 0 0 0", "    2 0 0 0 0"}));
}

// The window's messages of a failed read, each after the file's name.
TEST(CliImportar, FalloDelLectorConElNombre) {
    CarpetaTemporal dir;
    const std::string psi = (dir / "campo.psi").string(), nombre = psi + ": ";
    prueba::escribirFichero(psi, "ORIGEN E1\n");
    const auto r = cli({"importar", "--formato", "12", psi, "-o", (dir / "sal.obs").string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, nombre + mensajes::kFaltaAlturaAparato + "\n\n" + mensajes::kFormatoNoCoincide + "\n");
}

TEST(CliImportar, FormatoAutomatico) {
    CarpetaTemporal dir;
    prueba::escribirFichero(dir / "campo.job", "2=E1\n3=1.5\n5=7\n7=10.5\n");
    const auto r = cli({"importar", "--formato", "auto", (dir / "campo.job").string(), "-o", (dir / "s.obs").string()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.errores, "Formato: 4 GEODIMETER\n");
    CLibretaCampo l;
    ASSERT_TRUE(leerLibreta(l, dir / "s.obs"));
    EXPECT_EQ(l.contarLecturas(), 1u);
    // A format that is neither an entry of the table nor "auto" is a usage error.
    EXPECT_EQ(cli({"importar", "--formato", "autom", "a", "-o", "b.obs"}).estado, 2);
    EXPECT_EQ(cli({"importar", "--formato", "33", "a.gsi", "-o", "b.obs"}).estado, 2);
}

}  // namespace
}  // namespace celvara
