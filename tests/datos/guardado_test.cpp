// Every file the program saves goes through a temporary file and a rename: a
// save that cannot finish leaves the target as it was and nothing beside it,
// and a save that finishes replaces the old content whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "comun/imagen.h"
#include "datos/datos_trabajo.h"
#include "datos/fichero_crd.h"
#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/plataforma.h"

namespace celvara {
namespace {

namespace fs = std::filesystem;

TEST(Guardado, FalloDejaElDestinoYExitoLoSustituyeEntero) {
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "A"});
    const ListaPuntos puntos(2);
    const ListaRegistrosCoordenadas registros(2);
    ListaInstrumentos instrumentos(1);
    instrumentos[0].nombre = "X";
    const std::pair<const char*, std::function<bool(const fs::path&)>> ficheros[] = {
        {"obs", [&](const fs::path& r) { return escribirLibreta(libreta, r); }},
        {"crd", [&](const fs::path& r) { return escribirListaPuntos(puntos, r) == Estado::Exito; }},
        {"registros.crd", [&](const fs::path& r) { return escribirFicheroCoordenadas(registros, r); }},
        {"apa", [&](const fs::path& r) { return guardarInstrumentos(instrumentos, r) == Estado::Exito; }},
        {"prt", [&](const fs::path& r) { return escribirDatosTrabajo(datosTrabajoPorDefecto(), r); }},
        {"dft", [&](const fs::path& r) { return guardarAjustes(CDatosGenerales{}, r) == Estado::Exito; }},
    };
    for (const auto& [extension, grabar] : ficheros) {
        SCOPED_TRACE(extension);
        prueba::CarpetaTemporal dir;
        auto ruta = [&](const char* nombre) { return dir / (std::string(nombre) + "." + extension); };
        EXPECT_FALSE(grabar(dir / "no" / "existe"));
        EXPECT_FALSE(fs::exists(dir / "no"));
        // A folder in the way is refused, not replaced.
        fs::create_directory(ruta("carpeta"));
        prueba::escribirFichero(ruta("carpeta") / "dentro", "x");
        EXPECT_FALSE(grabar(ruta("carpeta")));
        EXPECT_EQ(prueba::leerFichero(ruta("carpeta") / "dentro"), "x");
        // A file the user made read-only keeps its bytes (unless this user
        // writes read-only files anyway, as root does).
        prueba::escribirFichero(ruta("protegido"), "antes");
        fs::permissions(ruta("protegido"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        if (std::FILE* f = plataforma::abrir(ruta("protegido"), "r+b")) {
            std::fclose(f);
        } else {
            EXPECT_FALSE(grabar(ruta("protegido")));
            EXPECT_EQ(prueba::leerFichero(ruta("protegido")), "antes");
        }
        fs::permissions(ruta("protegido"), fs::perms::owner_write, fs::perm_options::add);
        // A longer old file is replaced whole.
        ASSERT_TRUE(grabar(ruta("nuevo")));
        prueba::escribirFichero(ruta("viejo"), std::string(5000, 'z'));
        ASSERT_TRUE(grabar(ruta("viejo")));
        EXPECT_EQ(prueba::leerFichero(ruta("viejo")), prueba::leerFichero(ruta("nuevo")));
        std::set<fs::path> quedan;
        for (const auto& e : fs::directory_iterator(dir.ruta())) quedan.insert(e.path());
        EXPECT_EQ(quedan, (std::set<fs::path>{ruta("carpeta"), ruta("protegido"), ruta("nuevo"), ruta("viejo")}));
    }
}

}  // namespace
}  // namespace celvara
