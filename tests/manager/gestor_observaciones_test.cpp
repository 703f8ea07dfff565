#include "manager/gestor_observaciones.h"

#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"
#include "datos/fichero_crd.h"
#include "manager/gestor_rejillas.h"

namespace celvara {
namespace {

using prueba::Banco;

TEST(GestorArranque, AbreElUltimoFicheroYMuestraLasBases) {
    Banco b;
    EXPECT_EQ(b.gestor.documento().titulo(), "Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\obra.obs]");
    EXPECT_EQ(std::tuple(b.gestor.estado(), b.gestor.seleccionGestor().rotulo(), b.gestor.rejilla().numeroFilas()),
              std::tuple(EstadoSeleccion::Estaciones, "L I S T A D O    D E    L A S    B A S E S", 3u));
    EXPECT_EQ(b.gestor.rejilla().texto(0, 0) + " " + b.gestor.rejilla().texto(0, 1) + " " + b.gestor.rejilla().texto(0, 4),
              "A 1000.000 VERTICE");
    EXPECT_FALSE(b.gestor.modificado());
    EXPECT_EQ(std::string(b.gestor.ajustes().directorioTrabajo.vista()), "C:\\TRABAJOS\\OBRA1\\");
}

// The coordinate files beside the book, sorted and matched ignoring case,
// read with the coordinate file reader; one gone since listed is an error.
TEST(GestorArbol, FicherosDeCoordenadasOrdenadosLeidosYPerdidos) {
    Banco b;
    const ListaPuntos lista = {{.base = 1, .nombre = "B1", .x = 436512.345, .codigo = "clavo"},
                               {.nombre = "1001", .estacion = "B1", .x = 436512.345, .codigo = "clavo"}};
    ASSERT_EQ(escribirListaPuntos(lista, b.obra() / "Radiados.CRD"), Estado::Exito);
    for (const char* otro : {"zeta.crd", "beta.Crd", "notas.txt"}) prueba::escribirFichero(b.obra() / otro, "");
    b.gestor.ejecutar(Accion::Actualizar);
    EXPECT_EQ(b.gestor.ficherosCoordenadas(), (std::vector<std::string>{"beta.Crd", "Radiados.CRD", "zeta.crd"}));
    b.gestor.seleccionGestor().seleccionar(NodoArbol::deFichero(1));
    EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::FicheroCoordenadas);
    EXPECT_EQ(b.gestor.seleccionGestor().modoDibujo(), ModoDibujo::FicheroCoordenadas);
    EXPECT_EQ(b.gestor.seleccionGestor().rotulo(), "L I S T A D O    D E    C O O R D E N A D A S");
    ASSERT_EQ(b.gestor.rejilla().numeroFilas(), 2u);  // each cell's text is RejillaPuntos'
    EXPECT_EQ(b.gestor.rejilla().texto(1, 1), "B1");
    EXPECT_FALSE(b.gestor.rejilla().editable(0, 0));
    EXPECT_EQ(b.gestor.estacionSeleccionada(), nullptr);  // silently under "Coordenadas"
    // A file written meanwhile sorts before it: the same file stays shown.
    prueba::escribirFichero(b.obra() / "alfa.crd", "");
    b.gestor.refrescarFicherosCoordenadas();
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deFichero(2));
    EXPECT_EQ(b.gestor.rejilla().numeroFilas(), 2u);
    std::filesystem::remove(b.obra() / "zeta.crd");
    b.avisos.esperar("ERROR");
    b.gestor.seleccionGestor().seleccionar(NodoArbol::deFichero(3));
    EXPECT_TRUE(b.gestor.seleccionGestor().coordenadas().puntos().empty());

    // A book of another job, out of the working directory: the files beside
    // it, and none of the first job's.
    const auto obra2 = b.obra().parent_path() / "OBRA2";
    std::filesystem::create_directories(obra2);
    ASSERT_TRUE(escribirLibreta(CLibretaCampo{}, obra2 / "otra.obs"));
    ASSERT_EQ(escribirListaPuntos(lista, obra2 / "Junto.crd"), Estado::Exito);
    b.gestor.documento().abrirLibreta("C:\\TRABAJOS\\OBRA2\\otra.obs");
    EXPECT_EQ(b.gestor.ficherosCoordenadas(), std::vector<std::string>{"Junto.crd"});
}

TEST(GestorSeleccion, EstadosRotulosYModosDeDibujo) {
    Banco b;
    b.avisos.esperar("1º Seleccionar una Estación");
    EXPECT_EQ(b.gestor.estacionSeleccionada(), nullptr);
    b.avisos.esperar("1º Seleccionar la SubEstación");
    EXPECT_EQ(b.gestor.estacionamientoSeleccionado(), nullptr);
    b.seleccionarEstacion(0);
    EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::Estacion);
    EXPECT_EQ(b.gestor.seleccionGestor().rotulo(), "D E T A L L E    D E    L A    B A S E ");
    EXPECT_EQ(b.gestor.seleccionGestor().panelEstacion(), (PanelEstacion{"A", "1000.000", "2000.000", "100.000", "", "", "", 2}));

    b.seleccionarEstacionamiento(0, 1);
    EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::Estacionamiento);
    EXPECT_EQ(b.gestor.estacionSeleccionada(), &b.estacion(0));
    EXPECT_EQ(b.gestor.estacionamientoSeleccionado(), b.estacion(0).estacionamientos[1].get());
    EXPECT_EQ(b.gestor.seleccionGestor().panelEstacionamiento(), (PanelEstacionamiento{"A_2", "A", "1.600", "20.0000"}));
    EXPECT_EQ(b.gestor.seleccionGestor().modoDibujo(), ModoDibujo::Estacionamiento);
    ASSERT_EQ(std::tuple(b.gestor.rejilla().numeroFilas(), b.gestor.rejilla().numeroColumnas()), std::tuple(1u, 6u));
    EXPECT_EQ(b.gestor.rejilla().texto(0, 1) + " " + b.gestor.rejilla().texto(0, 2), "1.300 280.0000");

    b.gestor.seleccionGestor().seleccionar(NodoArbol::raizCoordenadas());
    EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::Coordenadas);
    EXPECT_EQ(b.gestor.seleccionGestor().rotulo(), "D  I  B  U  J  O");
    EXPECT_EQ(b.gestor.seleccionGestor().modoDibujo(), ModoDibujo::Proyecto);
    EXPECT_EQ(b.gestor.rejilla().numeroFilas(), 0u);

    b.gestor.seleccionGestor().seleccionar(NodoArbol::raizEstaciones());
    EXPECT_EQ(b.gestor.seleccionGestor().modoDibujo(), ModoDibujo::Estaciones);
    EXPECT_FALSE(b.gestor.modificado());
}

// Looking at a station neither rounds nor modifies it; what is typed in the
// detail is written when the selection leaves it.
TEST(GestorSeleccion, ComaDecimalEnElDetalleSeGuardaAlSalir) {
    Banco b;
    b.estacion(0).x = 1234.56789;
    b.seleccionarEstacion(0);
    EXPECT_EQ(b.gestor.seleccionGestor().panelEstacion().x, "1234.568");
    b.seleccionarEstacion(1);
    EXPECT_EQ(std::pair(b.estacion(0).x, b.gestor.modificado()), std::pair(1234.56789, false));
    b.gestor.seleccionGestor().panelEstacion().x = "12,5";
    b.gestor.seleccionGestor().panelEstacion().descripcion1 = "Clavo en acera";
    b.gestor.seleccionGestor().panelEstacion().croquis = "línea 1\nlínea 2";
    b.gestor.seleccionGestor().panelEstacion().tipo = 1;
    EXPECT_EQ(b.estacion(1).x, 1100);  // not before leaving
    b.seleccionarEstacion(2);
    const Estacion& e = b.estacion(1);
    EXPECT_EQ(std::tuple(e.x, e.y, e.descripcion1.str(), e.croquis.str(), e.tipo),
              std::tuple(12.5, 2000.0, "Clavo en acera", "l\xEDnea 1\r\nl\xEDnea 2", 1));
    EXPECT_TRUE(b.gestor.modificado());
}

TEST(GestorSeleccion, DesorientacionSeGuardaEnCadaTeclaYSeNormalizaAlSalir) {
    Banco b;
    b.seleccionarEstacionamiento(0, 0);
    Estacionamiento& s = *b.estacion(0).estacionamientos[0];
    const auto dibujo = b.gestor.seleccionGestor().revisiones().dibujo;
    b.gestor.seleccionGestor().cambiarTextoDesorientacion("41");
    EXPECT_EQ(s.desorientacion, 41);
    b.gestor.seleccionGestor().cambiarTextoDesorientacion("410,5");
    EXPECT_EQ(s.desorientacion, 410.5);  // no normalisation while typing
    EXPECT_EQ(std::pair(b.gestor.modificado(), b.gestor.seleccionGestor().revisiones().dibujo > dibujo), std::pair(true, true));
    b.gestor.seleccionGestor().panelEstacionamiento().altura = "1,65";
    b.gestor.seleccionGestor().seleccionar(NodoArbol::raizEstaciones());
    // The typed-orientation rule of the field book.
    EXPECT_EQ(std::pair(s.desorientacion, s.alturaInstrumento), std::pair(10.5, 1.65));
}

TEST(GestorSeleccion, ReconstruirEligeEstacionamientoEstacionOBases) {
    Banco b;
    Estacion* a = &b.estacion(0);
    Estacionamiento* s2 = a->estacionamientos[1].get();
    b.gestor.reconstruirArbol(a, s2);
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deEstacionamiento(a, s2));
    // A set-up that does not belong to the station: the station.
    b.gestor.reconstruirArbol(&b.estacion(1), s2);
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deEstacion(&b.estacion(1)));
    Estacion fuera;
    b.gestor.reconstruirArbol(&fuera);
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::raizEstaciones());
    b.gestor.seleccionGestor().reconstruirArbol(a, s2, true);
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::raizCoordenadas());
}

TEST(GestorImagen, RutaPorPestanaYEleccionDeFichero) {
    Banco b;
    b.estacion(0).ficheroFoto = "";
    b.estacion(0).ficheroCroquis = "C:\\TRABAJOS\\croquis.bmp";
    b.seleccionarEstacion(0);
    EXPECT_EQ(rutaImagen(b.gestor.seleccionGestor().estacionActual(), b.gestor.seleccionGestor().pestanaImagen()), "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP");
    b.gestor.seleccionGestor().cambiarPestana(1);
    EXPECT_EQ(rutaImagen(b.gestor.seleccionGestor().estacionActual(), b.gestor.seleccionGestor().pestanaImagen()), "C:\\TRABAJOS\\croquis.bmp");
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\señal.bmp");
    b.gestor.ediciones().elegirImagen();
    const PeticionFichero& p = b.dialogos.peticiones.back();
    EXPECT_EQ(std::tuple(p.extension, p.filtro, p.debeExistir), std::tuple("bmp", "Archivos de imagen (*.BMP)|*.bmp||", true));
    EXPECT_EQ(std::tuple(b.estacion(0).ficheroCroquis.str(), b.gestor.modificado(),
                         rutaImagen(b.gestor.seleccionGestor().estacionActual(), b.gestor.seleccionGestor().pestanaImagen())),
              std::tuple("C:\\TRABAJOS\\OBRA1\\se\xF1" "al.bmp", true, "C:\\TRABAJOS\\OBRA1\\señal.bmp"));
}

TEST(GestorTraspaso, AntesDeUnaVentanaLaLibretaTieneLoTecleadoYDespuesSeReconstruye) {
    Banco b;
    b.seleccionarEstacion(2);
    b.gestor.seleccionGestor().panelEstacion().z = "55,25";
    b.gestor.antesDeVentana(Accion::Radiacion);  // no rebuild for this one
    EXPECT_EQ(std::pair(b.estacion(2).z, b.gestor.estado()), std::pair(55.25, EstadoSeleccion::Estacion));
    b.gestor.seleccionGestor().panelEstacion().z = "7";
    b.gestor.antesDeVentana(Accion::DesorientacionTodas);  // rebuilt selecting "Estaciones"
    EXPECT_EQ(std::pair(b.estacion(2).z, b.gestor.estado()), std::pair(7.0, EstadoSeleccion::Estaciones));
    b.gestor.despuesDeVentana(Accion::DesorientacionIndividual, &b.estacion(0),
                              b.estacion(0).estacionamientos[0].get());
    EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::Estacionamiento);
    EXPECT_TRUE(b.gestor.modificado());
    // A window that frees the set-up shown breaks nothing.
    b.seleccionarEstacionamiento(0, 1);
    b.gestor.seleccionGestor().panelEstacionamiento().altura = "9";
    b.gestor.antesDeVentana(Accion::UnirDosEstacionamientos);
    EXPECT_EQ(b.estacion(0).estacionamientos[1]->alturaInstrumento, 9);
    b.estacion(0).estacionamientos.pop_back();  // what a merge window does
    b.gestor.despuesDeVentana(Accion::UnirDosEstacionamientos, &b.estacion(0), nullptr);
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deEstacion(&b.estacion(0)));
}

}  // namespace
}  // namespace celvara
