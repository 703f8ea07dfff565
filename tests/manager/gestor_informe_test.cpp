#include "manager/gestor_informe_resumen.h"

#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

// The book behind tests/data/gestor/informe_resumen.txt: a set-up that
// sights another station twice (vertical 100 and 300), a station never
// occupied, Spanish characters, a reading to a point that is no station.
void libretaDelInforme(CLibretaCampo& l) {
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .coordenadas = Coordenadas{1000, 2000, 100}});
    crearEstacion(l.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1100.5, -20.25, 0}});
    auto* n = crearEstacion(l.estaciones, {.nombre = "\xD1u", .coordenadas = Coordenadas{-1, 0.0005, 1234567.891}});
    DatosComplementarios d;
    d.instrumento = "TC1700";
    auto* a1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, &d, 10);
    crearLectura(a1->lecturas, std::nullopt, "B", 1, 10, 100, 0, "");
    crearLectura(a1->lecturas, std::nullopt, "B", 1, 10, 300, 200, "");
    crearLectura(a1->lecturas, std::nullopt, "\xD1u", 1, 10, 199.9999, 50, "");
    crearLectura(a1->lecturas, std::nullopt, "7", 1, 10, 100, 70, "");
    crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.6, nullptr, 399.99995);
    d.instrumento = "Leica TCR 1205";
    auto* n1 = crearEstacionamiento(n->estacionamientos, nullptr, "\xD1" "1", "\xD1u", 0, &d, -5);
    crearLectura(n1->lecturas, std::nullopt, "A", 1, 10, 250, 0, "");
    crearLectura(n1->lecturas, std::nullopt, "\xD1u", 1, 10, 100, 0, "");  // its own station: not listed
}

TEST(InformeResumen, CoincideConElFicheroDeReferencia) {
    CLibretaCampo l;
    libretaDelInforme(l);
    const std::string esperado =
        prueba_gestor::leerTexto(std::filesystem::path(CELVARA_DATOS_PRUEBA) / "gestor" / "informe_resumen.txt");
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(informeResumen(l), esperado);
}

TEST(InformeResumen, LibretaVaciaSoloCabecera) {
    CLibretaCampo l;
    const std::string dorado =
        prueba_gestor::leerTexto(std::filesystem::path(CELVARA_DATOS_PRUEBA) / "gestor" / "informe_resumen.txt");
    EXPECT_EQ(informeResumen(l), dorado.substr(0, dorado.find("ESTACION")));
}

TEST(InformeResumen, ElComandoEscribeYMuestra) {
    prueba_gestor::Banco b;
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
    EXPECT_EQ(prueba_gestor::leerTexto(b.obra() / "resumen.txt"), informeResumen(b.gestor.libreta()));
    EXPECT_EQ(lineaOrdenEditor("C:\\TRABAJOS\\OBRA1\\resumen.txt"), "NOTEPAD C:\\TRABAJOS\\OBRA1\\resumen.txt");
}

}  // namespace
}  // namespace celvara
