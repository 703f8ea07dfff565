// The job's zone and datum: chosen in the configuration sheet, kept in the
// INI beside the book, always agreeing with the settings' projection field.
#include "fieldbook/proyeccion_trabajo.h"

#include <gtest/gtest.h>

#include "comun/imagen.h"
#include "manager/gestor_apoyo.h"
#include "manager/gestor_configuracion.h"

namespace celvara {
namespace {

TEST(ProyeccionTrabajo, HojaIniYCampoDeProyeccion) {
    prueba::CarpetaTemporal dir;
    const auto libreta = dir / "OBRA.obs";
    const auto ini = dir / "OBRA.obs.ini";
    // No INI: zone 30 and the datum the field names.
    EXPECT_EQ(leerProyeccionTrabajo(libreta, 1), (ProyeccionTrabajo{30, Datum::Ed50}));
    EXPECT_EQ(leerProyeccionTrabajo(libreta, 2), (ProyeccionTrabajo{30, Datum::Wgs84}));
    ASSERT_TRUE(guardarProyeccionTrabajo(libreta, {30, Datum::Wgs84}));
    EXPECT_FALSE(std::filesystem::exists(ini));  // nothing to say beside the field

    // The sheet: a GRS80 datum turns Hayford into WGS-84 and Hayford back into ED50.
    CDatosGenerales a;
    a.proyeccion = 1;
    CConfiguracion c(a);
    EXPECT_EQ(std::pair(c.calculo.huso, c.calculo.datum), std::pair(30, static_cast<int>(Datum::Ed50)));
    c.calculo.elegirDatum(static_cast<int>(Datum::Etrs89));
    EXPECT_EQ(c.calculo.proyeccion, 2);
    c.calculo.elegirProyeccion(1);
    EXPECT_EQ(c.calculo.datum, static_cast<int>(Datum::Ed50));
    c.calculo.elegirProyeccion(0);
    c.calculo.elegirDatum(static_cast<int>(Datum::Regcan95));
    EXPECT_EQ(c.calculo.proyeccion, 0);  // plane coordinates stay plane
    c.calculo.elegirProyeccion(2);
    c.calculo.huso = 31;
    c.aceptar(a);
    EXPECT_EQ(std::tuple(a.proyeccion, a.proyeccionTrabajo), std::tuple(2u, ProyeccionTrabajo{31, Datum::Regcan95}));

    // Written beside the book, other sections kept; read back under each field.
    prueba::escribirFichero(ini, "[Otra]\nclave=1\n");
    ASSERT_TRUE(guardarProyeccionTrabajo(libreta, a.proyeccionTrabajo));
    const std::string texto = prueba::leerFichero(ini);
    EXPECT_NE(texto.find("[Proyeccion]"), std::string::npos);
    EXPECT_NE(texto.find("huso=31"), std::string::npos);
    EXPECT_NE(texto.find("datum=REGCAN95"), std::string::npos);
    EXPECT_NE(texto.find("clave=1"), std::string::npos);
    EXPECT_EQ(leerProyeccionTrabajo(libreta, 2), (ProyeccionTrabajo{31, Datum::Regcan95}));
    EXPECT_EQ(leerProyeccionTrabajo(libreta, 1), (ProyeccionTrabajo{31, Datum::Ed50}));
    EXPECT_EQ(CConfiguracion(a).calculo.datum, static_cast<int>(Datum::Regcan95));

    // A zone out of 1-60 or an unknown datum is the default.
    for (const char* malo : {"[Proyeccion]\nhuso=61\ndatum=ETRS90\n", "[Proyeccion]\nhuso=30.5\n",
                             "[Proyeccion]\nhuso=x\ndatum=\n"}) {
        prueba::escribirFichero(ini, malo);
        EXPECT_EQ(leerProyeccionTrabajo(libreta, 2), (ProyeccionTrabajo{30, Datum::Wgs84})) << malo;
    }
}

// The program opens the job with its INI and saves the INI with the book.
TEST(ProyeccionTrabajo, AbrirYGrabarLaLibreta) {
    prueba::Banco b;
    EXPECT_EQ(b.gestor.ajustes().proyeccionTrabajo, (ProyeccionTrabajo{30, Datum::Ed50}));
    prueba::escribirFichero(b.obra() / "obra.obs.ini", "[Proyeccion]\nhuso=31\ndatum=ETRS89\n");
    b.gestor.documento().abrirLibreta("C:\\TRABAJOS\\OBRA1\\obra.obs");
    EXPECT_EQ(b.gestor.ajustes().proyeccionTrabajo.huso, 31);
    b.gestor.ajustes().proyeccion = 2;
    b.gestor.ajustes().proyeccionTrabajo = {29, Datum::Regcan95};
    ASSERT_TRUE(b.gestor.documento().grabar());
    EXPECT_EQ(leerProyeccionTrabajo(b.obra() / "obra.obs", 2), (ProyeccionTrabajo{29, Datum::Regcan95}));
}

}  // namespace
}  // namespace celvara
