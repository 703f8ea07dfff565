// Undo and redo through the observation manager: every kind of step gives
// back the saved observation file byte for byte, both ways.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::Banco;

std::string bytesDe(Banco& b) {
    const auto ruta = b.obra() / "comparar.obs";
    EXPECT_TRUE(escribirLibreta(b.gestor.libreta(), ruta));
    return prueba::leerFichero(ruta);
}

struct Caso {
    const char* nombre;  // the step's name in the menu
    std::function<void(Banco&)> preparar;
    std::function<void(Banco&)> hacer;
};

std::vector<Caso> casos() {
    auto nada = [](Banco&) {};
    auto enA1 = [](Banco& b) { b.seleccionarEstacionamiento(0, 0); };
    return {
        {"Editar estación B", nada, [](Banco& b) { b.gestor.ediciones().editarCelda(1, 1, "12,5"); }},
        {"Renombrar A", nada, [](Banco& b) { b.gestor.ediciones().renombrar(NodoArbol::deEstacion(&b.estacion(0)), "A9"); }},
        {"Insertar estación", nada, [](Banco& b) { b.gestor.ejecutar(Accion::InsertarEstacion); }},
        {"Borrar estación A", nada, [](Banco& b) { b.gestor.ejecutar(Accion::BorrarEstacion); }},
        {"Añadir estación D", nada,
         [](Banco& b) {
             b.dialogos.nombres.push_back("D");
             b.gestor.ejecutar(Accion::AnadirEstacionNombre);
         }},
        {"Editar estación A", [](Banco& b) { b.seleccionarEstacion(0); },
         [](Banco& b) {
             b.gestor.seleccionGestor().panelEstacion().x = "-0";
             b.gestor.escribirPanelesPendientes();
         }},
        {"Editar lectura C", enA1, [](Banco& b) { b.gestor.ediciones().editarCelda(1, 2, "123,4567"); }},
        {"Insertar lectura", enA1, [](Banco& b) { b.gestor.ejecutar(Accion::InsertarLectura); }},
        {"Borrar lectura B", enA1, [](Banco& b) { b.gestor.ejecutar(Accion::BorrarLectura); }},
        {"Editar estacionamiento A_1", enA1,
         [](Banco& b) {
             b.gestor.seleccionGestor().panelEstacionamiento().altura = "1,55";
             b.gestor.escribirPanelesPendientes();
         }},
        {"Teclear desorientación A_1", enA1,
         [](Banco& b) {
             for (const char* t : {"3", "33", "33,5"}) b.gestor.seleccionGestor().cambiarTextoDesorientacion(t);
         }},
        {"Añadir estacionamiento A_3", [](Banco& b) { b.seleccionarEstacion(0); },
         [](Banco& b) {
             b.dialogos.nombres.push_back("A_3");
             b.gestor.ejecutar(Accion::AnadirEstacionamiento);
         }},
        {"Borrar estacionamiento A_2", [](Banco& b) { b.seleccionarEstacionamiento(0, 1); },
         [](Banco& b) { b.gestor.ejecutar(Accion::BorrarEstacionamiento); }},
        {"Unir estacionamientos de A", [](Banco& b) { b.seleccionarEstacion(0); },
         [](Banco& b) { b.gestor.ejecutar(Accion::UnirTodosEstacionamientos); }},
        {"Importar Fichero OBS", nada,
         [](Banco& b) {
             b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\obra.obs");
             b.gestor.ejecutar(Accion::ImportarObs);
         }},
        // Another window: readings corrected everywhere.
        {"Corregir lecturas", nada,
         [](Banco& b) {
             b.gestor.antesDeVentana(Accion::CorregirLecturas);
             for (auto& e : b.gestor.libreta().estaciones)
                 for (auto& s : e->estacionamientos)
                     for (auto& l : s->lecturas) l.distancia *= 1.0001;
             b.gestor.despuesDeVentana(Accion::CorregirLecturas);
         }},
        // Only fields: an orientation written back.
        {"Grabar desorientación A_2", nada,
         [](Banco& b) {
             b.gestor.antesDeVentana(Accion::DesorientacionIndividual);
             b.estacion(0).estacionamientos[1]->desorientacion = 123.4567;
             b.gestor.despuesDeVentana(Accion::DesorientacionIndividual, &b.estacion(0),
                                       b.estacion(0).estacionamientos[1].get());
         }},
        // A whole station replaced and another appended.
        {"Importar datos de campo", nada,
         [](Banco& b) {
             b.gestor.antesDeVentana(Accion::ImportarTodos);
             auto& l = b.gestor.libreta().estaciones;
             l[1] = copiarEstacion(*l[1]);
             l[1]->z = 7;
             crearEstacion(l, {.nombre = "N"});
             b.gestor.despuesDeVentana(Accion::ImportarTodos);
         }},
        // An import merged into A (a set-up at its end), B moved, a station added.
        {"Importar TOPCAL", nada,
         [](Banco& b) {
             b.gestor.antesDeVentana(Accion::ImportarTopcal);
             auto& l = b.gestor.libreta().estaciones;
             auto* s = crearEstacionamiento(l[0]->estacionamientos, nullptr, "A(3)", "A", 1.4, nullptr, 0);
             crearLectura(s->lecturas, std::nullopt, "9", 1, 2, 3, 4, "");
             l[1]->x = 5;
             crearEstacion(l, {.nombre = "N"});
             b.gestor.despuesDeVentana(Accion::ImportarTopcal);
         }},
    };
}

TEST(Historial, CadaPasoSeDeshaceYRehaceByteAByte) {
    for (const Caso& c : casos()) {
        SCOPED_TRACE(c.nombre);
        Banco b;
        b.avisos.siABorrar = true;
        c.preparar(b);
        const std::string antes = bytesDe(b);
        const std::size_t pasos = b.gestor.documento().historial().tamano();
        c.hacer(b);
        b.gestor.escribirPanelesPendientes();
        const std::string despues = bytesDe(b);
        ASSERT_NE(antes, despues);
        const auto& h = b.gestor.documento().historial();
        ASSERT_EQ(std::tuple(h.tamano(), h.nombreDeshacer(), b.gestor.modificado()), std::tuple(pasos + 1, c.nombre, true));
        b.gestor.deshacer();
        EXPECT_EQ(std::tuple(bytesDe(b), b.gestor.modificado(), h.nombreRehacer()), std::tuple(antes, false, c.nombre));
        b.gestor.rehacer();
        EXPECT_EQ(bytesDe(b), despues);
        b.gestor.deshacer();
        EXPECT_EQ(bytesDe(b), antes);
    }
}

TEST(Historial, PuntoLimpioYNuevo) {
    Banco b;
    b.gestor.ediciones().editarCelda(1, 1, "5");
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
    ASSERT_TRUE(b.gestor.documento().grabarComo());
    EXPECT_FALSE(b.gestor.modificado());
    b.gestor.deshacer();
    EXPECT_TRUE(b.gestor.modificado());
    b.gestor.rehacer();
    EXPECT_FALSE(b.gestor.modificado());
    // A new step after an undo past the clean point leaves it out of reach.
    b.gestor.deshacer();
    b.gestor.ediciones().editarCelda(1, 2, "6");
    b.gestor.deshacer();
    EXPECT_TRUE(b.gestor.modificado());
    // A window that changed nothing makes no step.
    b.gestor.antesDeVentana(Accion::CorregirLecturas);
    b.gestor.despuesDeVentana(Accion::CorregirLecturas);
    EXPECT_EQ(b.gestor.documento().historial().tamano(), 1u);
    b.avisos.esperar("Desea Guardar los Cambios C:\\TRABAJOS\\OBRA1\\otra.obs", Respuesta::No);
    b.gestor.documento().nuevo();
    EXPECT_EQ(std::pair(b.gestor.documento().historial().tamano(), b.gestor.modificado()), std::pair(std::size_t{0}, false));
}

// 1,000 random edits of every kind the grids offer, undone to the start and
// redone to the end.
TEST(Historial, MilEdicionesAlAzar) {
    Banco b;
    b.avisos.siABorrar = true;
    std::mt19937 azar(22);
    auto uno = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(azar); };
    const std::string inicio = bytesDe(b);
    for (int i = 0; i < 1000; ++i) {
        auto& estaciones = b.gestor.libreta().estaciones;
        const std::size_t tipo = uno(8);
        if (tipo < 3 || estaciones.empty()) {
            b.gestor.seleccionGestor().seleccionar(NodoArbol::raizEstaciones());
            const std::size_t filas = estaciones.size();
            if (tipo == 0 || filas == 0) {
                b.gestor.seleccionGestor().fijarFilaActual(filas ? uno(filas) : 0);
                b.gestor.ejecutar(Accion::InsertarEstacion);
            } else if (tipo == 1 && filas > 2) {
                b.gestor.seleccionGestor().fijarFilaActual(uno(filas));
                b.gestor.ejecutar(Accion::BorrarEstacion);
            } else {
                b.gestor.ediciones().editarCelda(uno(filas), uno(9), std::to_string(uno(1000)) + ",25");
            }
            continue;
        }
        Estacion& e = *estaciones[uno(estaciones.size())];
        if (e.estacionamientos.empty() || tipo == 3) {
            b.gestor.seleccionGestor().seleccionar(NodoArbol::deEstacion(&e));
            b.dialogos.nombres.push_back("S" + std::to_string(i));
            b.gestor.ejecutar(Accion::AnadirEstacionamiento);
            continue;
        }
        auto& s = *e.estacionamientos[uno(e.estacionamientos.size())];
        b.gestor.seleccionGestor().seleccionar(NodoArbol::deEstacionamiento(&e, &s));
        const std::size_t filas = s.lecturas.size();
        if (tipo == 4 || filas == 0) {
            b.gestor.seleccionGestor().fijarFilaActual(filas ? uno(filas + 1) : 0);
            b.gestor.ejecutar(Accion::InsertarLectura);
        } else if (tipo == 5) {
            b.gestor.seleccionGestor().fijarFilaActual(uno(filas));
            b.gestor.ejecutar(Accion::BorrarLectura);
        } else if (tipo == 6) {
            b.gestor.seleccionGestor().panelEstacionamiento().altura = std::to_string(uno(3)) + ",5";
            b.gestor.escribirPanelesPendientes();
        } else {
            b.gestor.ediciones().editarCelda(uno(filas), uno(6), std::to_string(uno(400)) + ",125");
        }
    }
    b.gestor.seleccionGestor().seleccionar(NodoArbol::raizEstaciones());
    const std::string fin = bytesDe(b);
    const std::size_t n = b.gestor.documento().historial().tamano();
    EXPECT_GT(n, 700u);
    while (b.gestor.documento().historial().puedeDeshacer()) b.gestor.deshacer();
    EXPECT_EQ(std::pair(bytesDe(b), b.gestor.modificado()), std::pair(inicio, false));
    while (b.gestor.documento().historial().puedeRehacer()) b.gestor.rehacer();
    EXPECT_EQ(std::pair(bytesDe(b), b.gestor.documento().historial().posicion()), std::pair(fin, n));
}

}  // namespace
}  // namespace celvara
