#include "manager/gestor_informe_resumen.h"

#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

// An empty book gives the header of the reference report alone.
TEST(InformeResumen, CoincideConElFicheroDeReferencia) {
    const std::string esperado =
        prueba::leerFichero(std::filesystem::path(CELVARA_DATOS_PRUEBA) / "gestor" / "informe_resumen.txt");
    CLibretaCampo l;
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(informeResumen(l), esperado.substr(0, esperado.find("ESTACION")));
    prueba::libretaDelInforme(l);
    EXPECT_EQ(informeResumen(l), esperado);
}

TEST(InformeResumen, ElComandoEscribeYMuestra) {
    prueba::Banco b;
    b.dialogos.ficheros.push_back(std::nullopt);  // cancel: nothing
    b.gestor.generarInformeResumen();
    EXPECT_TRUE(b.mostrador.mostrados.empty());
    const PeticionFichero& p = b.dialogos.peticiones.back();
    EXPECT_EQ(std::tuple(p.guardar, p.extension, p.filtro, p.confirmarSobrescribir, p.directorioInicial),
              std::tuple(true, "TXT", "Archivos TEXTO (*.TXT) |*.TXT||", true, "C:\\TRABAJOS\\OBRA1\\"));

    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\resumen.txt");
    b.gestor.generarInformeResumen();
    EXPECT_EQ(b.mostrador.mostrados, std::vector<std::string>{"C:\\TRABAJOS\\OBRA1\\resumen.txt"});
    EXPECT_EQ(prueba::leerFichero(b.obra() / "resumen.txt"), informeResumen(b.gestor.libreta()));
    EXPECT_EQ(lineaOrdenEditor("C:\\TRABAJOS\\OBRA1\\resumen.txt"), "NOTEPAD C:\\TRABAJOS\\OBRA1\\resumen.txt");
}

}  // namespace
}  // namespace celvara
