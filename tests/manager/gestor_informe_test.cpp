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
    EXPECT_TRUE(p.guardar);
    EXPECT_EQ(p.extension, "TXT");
    EXPECT_EQ(p.filtro, "Archivos TEXTO (*.TXT) |*.TXT||");
    EXPECT_TRUE(p.confirmarSobrescribir);
    EXPECT_EQ(p.directorioInicial, "C:\\TRABAJOS\\OBRA1\\");

    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\resumen.txt");
    b.gestor.generarInformeResumen();
    ASSERT_EQ(b.mostrador.mostrados.size(), 1u);
    EXPECT_EQ(b.mostrador.mostrados[0], "C:\\TRABAJOS\\OBRA1\\resumen.txt");
    EXPECT_EQ(prueba::leerFichero(b.obra() / "resumen.txt"), informeResumen(b.gestor.libreta()));
    EXPECT_EQ(lineaOrdenEditor("C:\\TRABAJOS\\OBRA1\\resumen.txt"), "NOTEPAD C:\\TRABAJOS\\OBRA1\\resumen.txt");
}

}  // namespace
}  // namespace celvara
