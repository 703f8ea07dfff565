#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::Banco;

std::vector<std::string> nombres(const ListaEstaciones& l) {
    std::vector<std::string> n;
    for (const auto& e : l) n.push_back(e->nombre.str());
    return n;
}

TEST(GestorRejillaBases, RenombrarSoloSiElNombreEstaLibreEnRejillaYArbol) {
    Banco b;
    const auto arbol = b.gestor.seleccionGestor().revisiones().arbol;
    EXPECT_TRUE(b.gestor.ediciones().editarCelda(0, 0, "Á1"));
    EXPECT_EQ(b.estacion(0).nombre.str(), "\xC1" "1");
    for (const auto& s : b.estacion(0).estacionamientos) EXPECT_EQ(s->estacion.str(), "\xC1" "1");
    EXPECT_GT(b.gestor.seleccionGestor().revisiones().arbol, arbol);  // the tree node is relabelled
    EXPECT_FALSE(b.gestor.ediciones().editarCelda(1, 0, "C"));
    EXPECT_EQ(b.estacion(1).nombre.str(), "B");
    // Cut to the field: 15 characters.
    EXPECT_TRUE(b.gestor.ediciones().editarCelda(1, 0, "ABCDEFGHIJKLMNOPQRS"));
    EXPECT_EQ(b.estacion(1).nombre.str(), "ABCDEFGHIJKLMNO");
    EXPECT_TRUE(b.gestor.modificado());
    // Through the tree's labels too; a set-up's name is free in the whole book.
    Estacion* a = &b.estacion(0);
    EXPECT_FALSE(b.gestor.ediciones().renombrar(NodoArbol::deEstacion(a), ""));
    EXPECT_TRUE(b.gestor.ediciones().renombrar(NodoArbol::deEstacion(a), "AA"));
    EXPECT_EQ(a->estacionamientos[1]->estacion.str(), "AA");
    Estacionamiento* s1 = a->estacionamientos[0].get();
    EXPECT_FALSE(b.gestor.ediciones().renombrar(NodoArbol::deEstacionamiento(a, s1), "A_2"));
    EXPECT_TRUE(b.gestor.ediciones().renombrar(NodoArbol::deEstacionamiento(a, s1), "AA_1"));
    EXPECT_EQ(s1->nombre.str(), "AA_1");
    EXPECT_FALSE(b.gestor.ediciones().renombrar(NodoArbol::raizEstaciones(), "X"));
}

// Each column of the station grid: the text typed and the text shown back.
TEST(GestorRejillaBases, CoordenadasTipoYTextos) {
    Banco b;
    const std::tuple<std::size_t, std::string, std::string> casos[] = {
        {1, "12,5", "12.500"}, {2, "abc", "0.000"}, {3, " -3,25e1", "-32.500"}, {4, "VERTICE", "VERTICE"},
        {4, "FENO", "FENO"}, {4, "cualquiera", "CLAVO"}, {5, std::string(120, 'd'), std::string(99, 'd')},
        {6, "segunda", "segunda"}, {7, "C:\\foto.bmp", "C:\\foto.bmp"}, {8, "C:\\croquis.bmp", "C:\\croquis.bmp"}};
    for (const auto& [columna, tecleado, mostrado] : casos) {
        b.gestor.ediciones().editarCelda(1, columna, tecleado);
        EXPECT_EQ(b.gestor.rejilla().texto(1, columna), mostrado) << tecleado;
    }
}

TEST(GestorRejillaLecturas, SeisColumnasYNadaFueraDeUnaRejilla) {
    Banco b;
    b.seleccionarEstacionamiento(0, 0);
    const char* textos[] = {"2", "1,75", "123,4567", "99,5", "45,321", "código"};
    for (int c = 0; c < 6; ++c) b.gestor.ediciones().editarCelda(2, c, textos[c]);
    // Columns: name, target height, horizontal, vertical, distance, code.
    EXPECT_EQ(b.estacion(0).estacionamientos[0]->lecturas[2], (Lectura{"2", 1.75, 45.321, 99.5, 123.4567, "c\xF3" "digo"}));
    EXPECT_EQ(b.gestor.rejilla().texto(2, 5), "código");
    // No grid to edit under "Coordenadas".
    b.gestor.seleccionGestor().seleccionar(NodoArbol::raizCoordenadas());
    b.avisos.esperar("fila 2 columna 3, EXISTE UN ERROR");
    EXPECT_FALSE(b.gestor.ediciones().editarCelda(2, 3, "x"));
}

TEST(GestorBases, InsertarAnadirYBorrar) {
    Banco b;
    b.gestor.seleccionGestor().fijarFilaActual(1);
    b.gestor.ediciones().insertarEstacion();
    EXPECT_EQ(nombres(b.gestor.libreta().estaciones), (std::vector<std::string>{"A", "", "B", "C"}));
    EXPECT_EQ(b.gestor.seleccionGestor().filaActual(), 1u);
    EXPECT_TRUE(b.gestor.seleccionGestor().tomarPeticionFocoRejilla());
    EXPECT_FALSE(b.gestor.seleccionGestor().tomarPeticionFocoRejilla());
    const Estacion& nueva = b.estacion(1);
    EXPECT_EQ(std::tuple(nueva.ficheroFoto.str(), nueva.ficheroCroquis.str(), nueva.tipo),
              std::tuple("c:\\trabajos\\vestrum\\foto0.bmp", "c:\\trabajos\\vestrum\\foto0.bmp", 0));
    EXPECT_TRUE(b.gestor.modificado());

    // Before the last row: before it, not after.
    b.gestor.ediciones().insertarFila(3);
    EXPECT_EQ(nombres(b.gestor.libreta().estaciones), (std::vector<std::string>{"A", "", "B", "", "C"}));
    b.gestor.ediciones().anadirEstacion();
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.seleccionGestor().filaActual(), b.gestor.rejilla().numeroFilas()),
              std::tuple(6u, 5u, 6u));

    // Deleting asks, naming what goes with the station; "No" keeps it.
    b.avisos.esperar("¿Borrar la estación A con 2 estacionamientos y 4 lecturas?", Respuesta::No);
    b.gestor.ediciones().borrarFila(0);
    EXPECT_EQ(b.estacion(0).nombre.str(), "A");
    b.avisos.esperar("¿Borrar la estación A con 2 estacionamientos y 4 lecturas?", Respuesta::Si);
    b.gestor.ediciones().borrarFila(0);
    EXPECT_EQ(b.gestor.seleccionGestor().filaActual(), 0u);
    EXPECT_EQ(b.estacion(0).nombre.str(), "");
    b.gestor.seleccionGestor().fijarFilaActual(3);
    b.avisos.esperar("¿Borrar la estación C?", Respuesta::Si);
    b.gestor.ediciones().borrarEstacion();
    EXPECT_EQ(b.gestor.seleccionGestor().filaActual(), 2u);
    EXPECT_EQ(nombres(b.gestor.libreta().estaciones), (std::vector<std::string>{"", "B", "", ""}));
    b.gestor.ediciones().borrarFila(99);  // beyond the list: nothing
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 4u);
}

TEST(GestorBases, AnadirEnListaVaciaYBorrarLaEstacionDelDetalle) {
    Banco b(false);
    b.gestor.ediciones().insertarEstacion();
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 1u);
    b.seleccionarEstacion(0);
    b.gestor.ediciones().anadirEstacion();  // in the detail: nothing
    b.gestor.ediciones().insertarEstacion();
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 1u);
    b.gestor.seleccionGestor().panelEstacion().x = "5";  // pending edit of a station about to go
    b.gestor.ediciones().borrarEstacion();
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.estado()), std::tuple(0u, EstadoSeleccion::Estaciones));
}

TEST(GestorBases, ModoEstadillo) {
    Banco b;
    b.dialogos.nombres.push_back("B");  // existing: nothing, no message
    b.gestor.ediciones().anadirEstacionPorNombre();
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 3u);
    b.dialogos.nombres.push_back("");
    b.gestor.ediciones().anadirEstacionPorNombre();
    b.dialogos.nombres.push_back(std::nullopt);
    b.gestor.ediciones().anadirEstacionPorNombre();
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.modificado()), std::tuple(3u, false));

    b.dialogos.nombres.push_back("V-12");
    b.gestor.ediciones().anadirEstacionPorNombre();
    ASSERT_EQ(b.gestor.libreta().estaciones.size(), 4u);
    EXPECT_EQ(b.estacion(3).nombre.str(), "V-12");
    EXPECT_EQ(std::tuple(b.gestor.seleccion(), b.dialogos.peticionesNombre.back(), b.gestor.modificado()),
              std::tuple(NodoArbol::deEstacion(&b.estacion(3)), std::make_pair(false, std::string()), true));
}

TEST(GestorEstacionamientos, AnadirConLaReglaDeSeleccionYNombreUnicoYBorrar) {
    Banco b;
    b.avisos.esperar("1º Seleccionar la Estación");
    b.gestor.ediciones().anadirEstacionamiento();
    // A set-up selected stands for its station.
    b.seleccionarEstacionamiento(0, 0);
    const std::size_t antes = b.estacion(0).estacionamientos.size();
    b.dialogos.nombres.push_back("A_9");
    b.gestor.ediciones().anadirEstacionamiento();
    ASSERT_EQ(b.estacion(0).estacionamientos.size(), antes + 1);
    EXPECT_EQ(b.estacion(0).estacionamientos.back()->nombre.str(), "A_9");

    b.seleccionarEstacion(1);
    b.dialogos.nombres.push_back("A_2");  // used by a set-up of another station
    b.gestor.ediciones().anadirEstacionamiento();
    EXPECT_EQ(b.dialogos.peticionesNombre.back(), std::make_pair(true, std::string("B_")));
    EXPECT_TRUE(b.estacion(1).estacionamientos.empty());

    b.gestor.ajustes().datosPorDefecto.unidadAngular = 360;
    b.dialogos.nombres.push_back("B_1");
    b.gestor.ediciones().anadirEstacionamiento();
    ASSERT_EQ(b.estacion(1).estacionamientos.size(), 1u);
    const Estacionamiento& s = *b.estacion(1).estacionamientos[0];
    EXPECT_EQ(std::tuple(s.nombre.str(), s.estacion.str(), s.alturaInstrumento, s.desorientacion), std::tuple("B_1", "B", 0.0, 0.0));
    // The block of the settings, as they are now.
    EXPECT_EQ(std::tuple(s.datos, s.datos.unidadAngular, b.gestor.estado(), b.gestor.modificado()),
              std::tuple(b.gestor.ajustes().datosPorDefecto, 360, EstadoSeleccion::Estacionamiento, true));

    // Deleting asks, naming what goes; "No" keeps it.
    b.seleccionarEstacion(0);
    b.avisos.esperar("1º Seleccionar la SubEstación");
    b.gestor.ediciones().borrarEstacionamiento();
    b.seleccionarEstacionamiento(0, 0);
    b.avisos.esperar("¿Borrar el estacionamiento A_1 con 3 lecturas?", Respuesta::No);
    b.gestor.ediciones().borrarEstacionamiento();
    EXPECT_EQ(b.estacion(0).estacionamientos.size(), 3u);
    b.avisos.esperar("¿Borrar el estacionamiento A_1 con 3 lecturas?", Respuesta::Si);
    b.gestor.ediciones().borrarEstacionamiento();
    ASSERT_EQ(b.estacion(0).estacionamientos.size(), 2u);
    EXPECT_EQ(b.estacion(0).estacionamientos[0]->nombre.str(), "A_2");
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deEstacion(&b.estacion(0)));
}

// A_1 (orientation 10, height 1.5), A_2 (20, 1.75) and A_3 (30, 1.0) into
// A_1: horizontals to the first orientation, not wrapped at 400; target
// heights follow the instrument heights.
TEST(GestorEstacionamientos, UnirTodosALaPrimeraSinNormalizar) {
    Banco b;
    b.avisos.esperar("1º Seleccionar una Estación");
    b.gestor.ediciones().unirTodosEstacionamientos();
    Estacion& a = b.estacion(0);
    a.estacionamientos[1]->alturaInstrumento = 1.75;
    a.estacionamientos[1]->lecturas[0].horizontal = 395;
    a.estacionamientos[1]->lecturas[0].jalon = 2;
    auto* s3 = crearEstacionamiento(a.estacionamientos, nullptr, "A_3", "A", 1.0, nullptr, 30);
    crearLectura(s3->lecturas, std::nullopt, "P", 2.0, 10, 100, 100, "");
    b.gestor.ejecutar(Accion::Actualizar);
    b.seleccionarEstacionamiento(0, 2);
    b.gestor.ediciones().unirTodosEstacionamientos();
    ASSERT_EQ(a.estacionamientos.size(), 1u);
    const ListaLecturas& l = a.estacionamientos[0]->lecturas;
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(ListaLecturas(l.begin() + 3, l.end()), (ListaLecturas{{"B", 1.75, 100, 300, 405, ""}, {"P", 2.5, 10, 100, 120, ""}}));
    EXPECT_EQ(b.gestor.seleccion(), NodoArbol::deEstacionamiento(&a, a.estacionamientos[0].get()));
    EXPECT_TRUE(b.gestor.modificado());
    EXPECT_EQ(b.gestor.documento().tomarNota(), "Unidos 3 estacionamientos de A en A_1: 5 lecturas");
    b.seleccionarEstacion(0);
    b.gestor.ediciones().unirTodosEstacionamientos();
    EXPECT_EQ(a.estacionamientos.size(), 1u);
}

TEST(GestorLecturas, InsertarAnadirBorrarSoloEnUnEstacionamiento) {
    Banco b;
    b.gestor.ediciones().anadirLectura();  // state 1: nothing
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 3u);
    b.seleccionarEstacionamiento(0, 0);
    auto& l = b.estacion(0).estacionamientos[0]->lecturas;
    b.gestor.seleccionGestor().fijarFilaActual(1);
    b.gestor.ediciones().insertarLectura();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(std::tuple(l[1], l[2].nombre.str()), std::tuple(Lectura{}, "C"));
    b.gestor.ediciones().anadirLectura();
    EXPECT_EQ(std::tuple(l.size(), b.gestor.seleccionGestor().filaActual(), b.gestor.rejilla().numeroFilas()), std::tuple(5u, 4u, 5u));
    b.gestor.ediciones().borrarLectura();
    EXPECT_EQ(std::tuple(l.size(), b.gestor.seleccionGestor().filaActual()), std::tuple(4u, 3u));
    b.avisos.esperar("¿Borrar 1 lectura (B) del estacionamiento A_1?", Respuesta::Si);
    b.gestor.ediciones().borrarFila(0);
    EXPECT_EQ(std::tuple(l[0].nombre.str(), b.gestor.seleccionGestor().filaActual()), std::tuple("", 0u));
    b.gestor.ediciones().insertarFila(l.size());  // the grid's append request
    EXPECT_EQ(l.size(), 4u);
}

}  // namespace
}  // namespace celvara
