#include "manager/gestor_configuracion.h"

#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

TEST(Configuracion, PaginasMuestranLosAjustes) {
    CDatosGenerales a;
    a.proyeccion = 2;
    CConfiguracion c(a);
    EXPECT_EQ(c.calculo.proyeccion, 2);
    const auto& k = c.calculo;
    EXPECT_EQ(k.escalaAdicional + " " + k.coeficiente + " " + k.radioTerrestre + " " + k.precisionX + " " +
                  k.desplazamientoAltura + " " + k.ficheroInformes,
              "1.0000000000 0.420000 6378388.000000 Px= Da= c:\\trabajos\\informe.txt");
    EXPECT_EQ(c.importar.datos.instrumento + " " + c.importar.datos.dia + " " + c.importar.datos.temperatura,
              "ESTANDAR 1-1-2003 20");
    EXPECT_EQ(std::tuple(c.importar.datos.indiceAngular, c.importar.datos.corregidoEsfRefr, c.varios.dibujarEstaciones,
                         c.varios.dibujarVisuales),
              std::tuple(0, true, true, false));
    EXPECT_EQ(c.varios.ficheroInstrumentos, "c:\\trabajos\\vestrum\\instrumentos.apa");
}

TEST(Configuracion, AceptarEscribeCadaPagina) {
    CDatosGenerales a;
    a.escalaAdicional = 0.99995123456789;  // more digits than shown
    CConfiguracion c(a);
    c.calculo.proyeccion = 1;
    c.calculo.precisionX = "PrecX=";  // cut to 4
    c.calculo.ficheroInformes = "C:\\TRABAJOS\\inf.txt";
    c.importar.datos.indiceAngular = 1;
    c.importar.datos.indiceDistancia = 1;
    c.importar.datos.tipoDistancia = 3;
    c.importar.datos.tipoVertical = 2;
    c.importar.datos.operador = "José";
    c.importar.datos.temperatura = "25";
    c.varios.dibujarVisuales = true;
    c.varios.dibujarEstaciones = false;
    c.varios.ficheroLogoEmpresa = "C:\\logo.bmp";
    c.aceptar(a);
    // An untouched scale keeps all its digits.
    EXPECT_EQ(std::tuple(a.proyeccion, a.escalaAdicional, a.prefijoPrecisionX.str(), a.ficheroInformes.str()),
              std::tuple(1u, 0.99995123456789, "Prec", "C:\\TRABAJOS\\inf.txt"));
    const DatosComplementarios& d = a.datosPorDefecto;
    EXPECT_EQ(std::tuple(d.unidadAngular, d.unidadDistancia, d.tipoDistancia, d.tipoVertical, d.operador.str(), d.temperatura),
              std::tuple(360, 1, 3, 2, "Jos\xE9", 25));
    EXPECT_EQ(std::tuple(int(a.verVisuales), int(a.verEstaciones)), std::tuple(1, 0));
    EXPECT_EQ(a.ficheroLogoEmpresa.str(), "C:\\logo.bmp");
    EXPECT_EQ(a.idioma, 0u);
    // A scale typed with a comma; the ellipsoid's factor shown to ten decimals.
    CConfiguracion e(a);
    e.calculo.escalaAdicional = "0,9996";
    e.aceptar(a);
    EXPECT_EQ(a.escalaAdicional, 0.9996);
    e.calculo.fijarFactorElipsoide(0.9999059355);
    EXPECT_EQ(e.calculo.escalaAdicional, "0.9999059355");
}

TEST(Configuracion, SexagesimalSeSeMuestraParaCualquierOtroValor) {
    auto e = EdicionDatosComplementarios::desde({.unidadAngular = 100, .unidadDistancia = 7});
    EXPECT_EQ(std::pair(e.indiceAngular, e.indiceDistancia), std::pair(1, 1));
    e.elegirInstrumento(std::nullopt);
    e.elegirInstrumento("");
    EXPECT_EQ(e.instrumento, "");
    e.elegirInstrumento("TC1700");
    EXPECT_EQ(e.instrumento, "TC1700");
}

TEST(Configuracion, FicheroDeInformesPorDialogo) {
    prueba::DialogosGuion dialogos;
    CDatosGenerales a;
    CConfiguracion c(a);
    dialogos.ficheros.push_back(std::nullopt);
    c.calculo.elegirFicheroInformes(dialogos, "C:\\TRABAJOS\\");
    EXPECT_EQ(c.calculo.ficheroInformes, "c:\\trabajos\\informe.txt");
    EXPECT_EQ(dialogos.peticiones.back().extension, "TXT");
    EXPECT_TRUE(dialogos.peticiones.back().debeExistir);
    dialogos.ficheros.push_back("C:\\TRABAJOS\\otro.txt");
    c.calculo.elegirFicheroInformes(dialogos, "C:\\TRABAJOS\\");
    EXPECT_EQ(c.calculo.ficheroInformes, "C:\\TRABAJOS\\otro.txt");
}

TEST(ConfiguracionGestor, CancelarNoCambiaNadaYAceptarValeParaLoNuevo) {
    prueba::Banco b;
    b.gestor.ajustes().proyeccion = 2;
    const std::string antes = imagenAjustes(b.gestor.ajustes());
    b.dialogos.configuraciones.push_back([](CConfiguracion& c) {
        c.calculo.proyeccion = 0;
        c.varios.dibujarPuntos = true;
        return false;
    });
    b.gestor.configurar();
    EXPECT_EQ(imagenAjustes(b.gestor.ajustes()), antes);
    EXPECT_EQ(b.gestor.libreta().proyeccion, 2u);
    // Accepted: sexagesimal for the set-ups made from now on only.
    b.dialogos.configuraciones.push_back([](CConfiguracion& c) {
        c.importar.datos.indiceAngular = 1;
        return true;
    });
    b.gestor.configurar();
    EXPECT_EQ(b.estacion(0).estacionamientos[0]->datos.unidadAngular, 400);
    b.seleccionarEstacion(1);
    b.dialogos.nombres.push_back("B_1");
    b.gestor.ediciones().anadirEstacionamiento();
    EXPECT_EQ(b.estacion(1).estacionamientos[0]->datos.unidadAngular, 360);
}

}  // namespace
}  // namespace celvara
