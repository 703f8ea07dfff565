#include <gtest/gtest.h>

#include "fieldbook/fichero_obs.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::Banco;
constexpr const char* kPregunta = "Desea Guardar los Cambios C:\\TRABAJOS\\OBRA1\\obra.obs";

void modificar(Banco& b) { b.gestor.ediciones().editarCelda(0, 1, "1"); }

// Without changes no question; with them, each answer, and what is left in
// the window and on disk.
TEST(GestorNuevo, PreguntaSoloConCambios) {
    struct Caso {
        bool cambio;
        Respuesta respuesta;
        bool sigue;
        double xGuardada;
    };
    for (const Caso& c : {Caso{false, Respuesta::No, true, 1000}, Caso{true, Respuesta::Cancelar, false, 1000},
                          Caso{true, Respuesta::Si, true, 1}, Caso{true, Respuesta::No, true, 1000}}) {
        Banco b;
        if (c.cambio) {
            modificar(b);
            b.avisos.esperar(kPregunta, c.respuesta);
        }
        b.gestor.documento().nuevo();
        if (c.cambio) {
            const prueba::MensajeVisto& m = b.avisos.vistos.back();
            EXPECT_EQ(std::tuple(m.titulo, m.botones, m.icono),
                      std::tuple("Editor de observaciones", Botones::SiNoCancelar, Icono::Pregunta));
        }
        EXPECT_EQ(b.gestor.libreta().estaciones.size(), c.sigue ? 0u : 3u);
        EXPECT_EQ(b.gestor.modificado(), !c.sigue);
        if (c.sigue) {
            EXPECT_EQ(b.gestor.documento().titulo(), "Gestor de Observaciones - Datos de Campo -");
            EXPECT_TRUE(b.gestor.ajustes().ultimoFichero.vacio());
            EXPECT_EQ(b.gestor.estado(), EstadoSeleccion::Estaciones);
        }
        CLibretaCampo guardada;
        ASSERT_TRUE(leerLibreta(guardada, b.obra() / "obra.obs"));
        EXPECT_EQ(guardada.estaciones[0]->x, c.xGuardada);
    }
}

TEST(GestorNuevo, LoTecleadoEnElDetalleCuentaComoCambio) {
    Banco b;
    b.seleccionarEstacion(1);
    b.gestor.seleccionGestor().panelEstacion().x = "12,5";
    b.avisos.esperar(kPregunta, Respuesta::Cancelar);
    b.gestor.documento().nuevo();
    EXPECT_EQ(b.estacion(1).x, 12.5);
    EXPECT_TRUE(b.gestor.modificado());
}

TEST(GestorAbrir, DialogoYLectura) {
    Banco b;
    CLibretaCampo otra;
    crearEstacion(otra.estaciones, {.nombre = "Z"});
    otra.proyeccion = 2;
    ASSERT_TRUE(escribirLibreta(otra, b.obra() / "OTRA.OBS"));
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
    b.gestor.documento().abrir();
    const PeticionFichero p = b.dialogos.peticiones.back();  // a copy: later dialogs grow the list
    EXPECT_EQ(std::tuple(p.guardar, p.extension, p.nombreInicial, p.directorioInicial, p.debeExistir, p.ocultarSoloLectura),
              std::tuple(false, "OBS", "obra.obs", "C:\\TRABAJOS\\OBRA1\\", true, true));
    EXPECT_EQ(p.filtro, "Archivos de Observaciones(*.OBS) |*.obs|Todos los archivos (*.*) |*.*||");
    // The next dialog starts in the folder of the book open, not the working folder.
    b.gestor.ajustes().ultimoFichero = "C:\\OTRA\\Z.OBS";
    b.dialogos.ficheros.push_back(std::nullopt);
    b.gestor.documento().grabarComo();
    EXPECT_EQ(std::pair(b.dialogos.peticiones.back().directorioInicial, b.dialogos.peticiones.back().nombreInicial),
              std::pair(std::string("C:\\OTRA\\"), std::string("Z.OBS")));
    b.gestor.ajustes().ultimoFichero = "C:\\TRABAJOS\\OBRA1\\otra.obs";
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.ajustes().proyeccion, b.gestor.modificado(),
                         b.gestor.documento().titulo()),
              std::tuple(1u, 2u, false, "Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\otra.obs]"));
}

TEST(GestorAbrir, CancelarLaPreguntaOElDialogo) {
    Banco b;
    modificar(b);
    b.avisos.esperar(kPregunta, Respuesta::Cancelar);
    b.gestor.documento().abrir();
    EXPECT_EQ(std::pair(b.avisos.vistos.back().titulo, b.dialogos.peticiones.size()), std::pair(std::string("Gestor de observaciones"), std::size_t{0}));
    b.avisos.esperar(kPregunta, Respuesta::No);
    b.dialogos.ficheros.push_back(std::nullopt);
    b.gestor.documento().abrir();
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.modificado()), std::tuple(3u, true));
}

// A bad mark: an error, an empty book, and the path kept. Only the header
// and a count of five stations with none behind it: an empty book, quietly.
TEST(GestorAbrir, FicheroMaloOSoloCabecera) {
    Banco b;
    const std::string cabecera = std::string(4 + 1024, '\0') + std::string("\x01\0\0\0", 4);  // projection 1
    prueba::escribirFichero(b.obra() / "malo.obs", "\x01" + cabecera.substr(1));
    prueba::escribirFichero(b.obra() / "vacia.obs", cabecera + std::string("\x05\0\0\0", 4));
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\malo.obs");
    b.avisos.esperar("");
    b.gestor.documento().abrir();
    EXPECT_EQ(std::pair(b.avisos.vistos.back().icono, b.avisos.vistos.back().titulo), std::pair(Icono::Stop, std::string()));
    EXPECT_TRUE(b.gestor.libreta().estaciones.empty());
    EXPECT_EQ(b.gestor.ajustes().ultimoFichero.str(), "C:\\TRABAJOS\\OBRA1\\malo.obs");
    EXPECT_EQ(b.gestor.rejilla().numeroFilas(), 0u);

    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\vacia.obs");
    b.gestor.documento().abrir();
    EXPECT_EQ(std::tuple(b.avisos.vistos.size(), b.gestor.libreta().estaciones.size(), b.gestor.ajustes().proyeccion,
                         b.gestor.modificado(), b.gestor.documento().titulo()),
              std::tuple(1u, 0u, 1u, false, "Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\vacia.obs]"));
}

TEST(GestorGrabar, LibretaVaciaNoEscribeNiMuestra) {
    Banco b(false);
    EXPECT_FALSE(b.gestor.documento().grabar());
    EXPECT_FALSE(b.gestor.documento().grabarComo());
    EXPECT_TRUE(b.dialogos.peticiones.empty());
}

TEST(GestorGrabar, SinRutaPideNombreYCopiaLaProyeccion) {
    Banco b(false);
    b.dialogos.nombres.push_back("P1");
    b.gestor.ediciones().anadirEstacionPorNombre();
    b.gestor.ajustes().proyeccion = 1;
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\nueva.obs");
    EXPECT_TRUE(b.gestor.documento().grabar());
    const PeticionFichero& p = b.dialogos.peticiones.back();
    EXPECT_EQ(std::tuple(p.guardar, p.extension, p.confirmarSobrescribir, p.filtro),
              std::tuple(true, "obs", true, "Archivos de Observaciones (*.OBS) |*.obs|Todos los archivos (*.*) |*.*||"));
    EXPECT_EQ(b.gestor.documento().titulo(), "Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\nueva.obs]");
    EXPECT_FALSE(b.gestor.modificado());
    CLibretaCampo leida;
    ASSERT_TRUE(leerLibreta(leida, b.obra() / "nueva.obs"));
    EXPECT_EQ(leida.proyeccion, 1u);
    EXPECT_EQ(leida.estaciones[0]->nombre.str(), "P1");
}

// Saved and opened again through the window's own commands: the same records
// in the same order, the same reserved text, and the settings take the
// projection saved.
TEST(GestorGrabar, GrabarYAbrirDeNuevoDaLaMismaLibreta) {
    Banco b;
    b.gestor.libreta().reservado = "obra de prueba";
    b.gestor.libreta().proyeccion = b.gestor.ajustes().proyeccion = 2;
    ASSERT_TRUE(escribirLibreta(b.gestor.libreta(), b.trabajos() / "esperada.obs"));
    EXPECT_TRUE(b.gestor.documento().grabar());
    b.gestor.ajustes().proyeccion = 0;
    b.gestor.documento().nuevo();
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\obra.obs");
    b.gestor.documento().abrir();
    ASSERT_TRUE(escribirLibreta(b.gestor.libreta(), b.trabajos() / "leida.obs"));
    EXPECT_EQ(prueba::leerFichero(b.trabajos() / "leida.obs"), prueba::leerFichero(b.trabajos() / "esperada.obs"));
    EXPECT_EQ(b.gestor.ajustes().proyeccion, 2u);
    EXPECT_FALSE(b.gestor.modificado());
}

TEST(GestorGrabar, FalloDeEscrituraAvisaYSigueModificado) {
    Banco b;
    modificar(b);
    b.gestor.ajustes().ultimoFichero = "C:\\NO\\EXISTE\\obra.obs";
    b.avisos.esperar("");
    EXPECT_FALSE(b.gestor.documento().grabar());
    EXPECT_EQ(std::pair(b.avisos.vistos.back().icono, b.gestor.modificado()), std::pair(Icono::Stop, true));
}

TEST(GestorSalir, GuardaLosAjustesYPregunta) {
    Banco b;
    b.gestor.seleccionGestor().cambiarVista(VistaDibujo::Numeros, true);
    EXPECT_TRUE(b.gestor.documento().salir());
    CDatosGenerales leidos;
    ASSERT_EQ(cargarAjustes(leidos, b.trabajos() / "observa.dft"), Estado::Exito);
    EXPECT_EQ(std::pair(int(leidos.verNumeros), leidos.ultimoFichero.str()), std::pair(1, std::string("C:\\TRABAJOS\\OBRA1\\obra.obs")));
}

TEST(GestorSalir, LaAlturaTecleadaEnLaCabeceraPreguntaYCancelarONoGrabar) {
    Banco b;
    b.seleccionarEstacionamiento(0, 0);
    b.gestor.seleccionGestor().panelEstacionamiento().altura = "1,75";
    b.avisos.esperar(kPregunta, Respuesta::Cancelar);
    EXPECT_FALSE(b.gestor.documento().salir());
    EXPECT_EQ(b.estacion(0).estacionamientos[0]->alturaInstrumento, 1.75);  // what Sí would save
    b.avisos.esperar(kPregunta, Respuesta::No);
    EXPECT_TRUE(b.gestor.documento().salir());
    CLibretaCampo guardada;
    ASSERT_TRUE(leerLibreta(guardada, b.obra() / "obra.obs"));
    EXPECT_EQ(guardada.estaciones[0]->estacionamientos[0]->alturaInstrumento, 1.5);
}

TEST(GestorSalir, SiYCancelarElDialogoDeGrabarComoSeQuedaAbierto) {
    Banco b;
    b.gestor.documento().nuevo();
    b.dialogos.nombres.push_back("N");
    b.gestor.ediciones().anadirEstacionPorNombre();
    b.avisos.esperar("Desea Guardar los Cambios ", Respuesta::Si);
    b.dialogos.ficheros.push_back(std::nullopt);
    EXPECT_FALSE(b.gestor.documento().salir());
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 1u);
    // Yes and a name: saved, and the settings remember the new file.
    b.avisos.esperar("Desea Guardar los Cambios ", Respuesta::Si);
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\ultima.obs");
    EXPECT_TRUE(b.gestor.documento().salir());
    CDatosGenerales leidos;
    cargarAjustes(leidos, b.trabajos() / "observa.dft");
    EXPECT_EQ(leidos.ultimoFichero.str(), "C:\\TRABAJOS\\OBRA1\\ultima.obs");
}

TEST(GestorImportarObs, EnLibretaVaciaYAlFinal) {
    Banco b(false);
    CLibretaCampo otra;
    crearEstacion(otra.estaciones, {.nombre = "X1"});
    crearEstacion(otra.estaciones, {.nombre = "X2"});
    otra.proyeccion = 2;
    ASSERT_TRUE(escribirLibreta(otra, b.obra() / "otra.obs"));
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
    b.gestor.documento().importarObs();
    // Added to an empty book, which keeps its own projection.
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.gestor.modificado(), b.gestor.libreta().proyeccion),
              std::tuple(2u, true, 0u));
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
    b.gestor.documento().importarObs();
    // At the end, names not checked.
    EXPECT_EQ(std::tuple(b.gestor.libreta().estaciones.size(), b.estacion(3).nombre.str(), b.gestor.rejilla().numeroFilas()),
              std::tuple(4u, "X2", 4u));

    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\falta.obs");
    b.avisos.esperar("");
    b.gestor.documento().importarObs();
    EXPECT_EQ(b.gestor.libreta().estaciones.size(), 4u);
}

}  // namespace
}  // namespace celvara
