// The main window driven as a user would: open a book, select nodes, type
// into the detail pane and the grid, insert, append and delete, merge
// set-ups, undo and redo, write the summary report, answer the questions of
// "Nuevo", "Abrir" and "Salir", and reach the other windows.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QToolBar>
#include <cmath>

#include "datos/fichero_crd.h"
#include "gestor_apoyo_ui.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/calc/matrices_dialogo.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/comun/pantalla.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/import/comunicacion_dialogos.h"
#include "ui/manager/configuracion_dialogo.h"
#include "ui/dibujo/panel_dibujo.h"
#include "ui/manager/gestor_acerca.h"
#include "ui/manager/gestor_idioma.h"
#include "ui/manager/gestor_paneles.h"
#include "ui/manager/resena_dialogo.h"

using namespace celvara;
using namespace celvara::prueba_ventana;

namespace {

// Station B3 at (0, 0) with set-up B3_1 (hi 1.472, ω 389.5154): one sight
// face right, horizontal 300 and zenith 300, 10 m away.
void libretaCirculoDerecho(CLibretaCampo& l) {
    auto* e = crearEstacion(l.estaciones, {.nombre = "B3", .coordenadas = Coordenadas{0, 0, 0}});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "B3_1", "B3", 1.472, nullptr, 389.5154);
    crearLectura(s->lecturas, std::nullopt, "7", 1.3, 10, 300, 300, "");
}

const std::string kPregunta = "Desea Guardar los Cambios C:\\TRABAJOS\\OBRA1\\obra.obs";

}  // namespace

class PruebaGestor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The offscreen platform gives keyboard focus only to an active window.
        QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    }

    void abreElUltimoFicheroYMuestraElArbol() {
        BancoVentana b;
        QCOMPARE(b.v.windowTitle(), QStringLiteral("Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\obra.obs]"));
        auto* m = b.vista.modeloArbol();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->data(m->raizEstaciones(), Qt::DisplayRole).toString(), QStringLiteral("Estaciones"));
        QCOMPARE(m->data(m->raizCoordenadas(), Qt::DisplayRole).toString(), QStringLiteral("Coordenadas"));
        QVERIFY(m->data(m->raizEstaciones(), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(m->rowCount(m->raizEstaciones()), 3);
        const QModelIndex a = m->index(0, 0, m->raizEstaciones());
        QCOMPARE(m->data(a, Qt::DisplayRole).toString(), QStringLiteral("A"));
        QCOMPARE(m->rowCount(a), 2);
        QCOMPARE(m->data(m->index(1, 0, a), Qt::DisplayRole).toString(), QStringLiteral("A_2"));
        QCOMPARE(b.vista.rotulo()->text(), QStringLiteral("L I S T A D O    D E    L A S    B A S E S"));
        QCOMPARE(b.vista.rejilla()->filas(), 3);
        QCOMPARE(b.vista.rejilla()->textoCelda(2, 2), QStringLiteral("2100.000"));
        QCOMPARE(b.vista.rejilla()->vista()->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Tipo Base"));
        QCOMPARE(b.vista.rejilla()->vista()->columnWidth(5), 200);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void seleccionarNodosCambiaElLadoDerecho() {
        BancoVentana b;
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        QCOMPARE(b.gestor().estado(), EstadoSeleccion::Estacion);
        QCOMPARE(b.vista.rotulo()->text(), QStringLiteral("D E T A L L E    D E    L A    B A S E "));
        QCOMPARE(b.vista.panelEstacion()->nombre->text(), QStringLiteral("A"));
        QCOMPARE(b.vista.panelEstacion()->x->text(), QStringLiteral("1000.000"));
        QCOMPARE(b.vista.panelEstacion()->tipo->currentText(), QStringLiteral("VERTICE"));
        QVERIFY(b.vista.panelEstacion()->isVisible());
        QVERIFY(!b.vista.rejilla()->isVisible());

        Estacionamiento* s2 = b.estacion(0).estacionamientos[1].get();
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), s2));
        QCOMPARE(b.gestor().estado(), EstadoSeleccion::Estacionamiento);
        QVERIFY(b.vista.cabecera()->isVisible());
        QCOMPARE(b.vista.cabecera()->nombre->text(), QStringLiteral("A_2"));
        QCOMPARE(b.vista.cabecera()->desorientacion->text(), QStringLiteral("20.0000"));
        QCOMPARE(b.vista.rejilla()->filas(), 1);
        QCOMPARE(b.vista.rejilla()->textoCelda(0, 3), QStringLiteral("300.0000"));
        QVERIFY(b.vista.dibujo()->isVisible());

        clicEnNodo(b.v, NodoArbol::raizCoordenadas());
        QCOMPARE(b.vista.rotulo()->text(), QStringLiteral("D  I  B  U  J  O"));
        QVERIFY(b.vista.dibujo()->isVisible());
        QVERIFY(!b.vista.rejilla()->isVisible());
        QCOMPARE(b.vista.dibujo()->escena().estaciones.size(), std::size_t(3));
        QVERIFY(!b.gestor().modificado());
    }

    void desorientacionSeGuardaEnCadaTecla() {
        BancoVentana b;
        Estacionamiento* s1 = b.estacion(0).estacionamientos[0].get();
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), s1));
        QLineEdit* d = b.vista.cabecera()->desorientacion;
        d->setFocus();
        d->selectAll();
        QTest::keyClick(d, Qt::Key_Backspace);
        QCOMPARE(s1->desorientacion, 0.0);
        QTest::keyClicks(d, QStringLiteral("4"));
        QCOMPARE(s1->desorientacion, 4.0);
        QTest::keyClicks(d, QStringLiteral("10,5"));
        QCOMPARE(s1->desorientacion, 410.5);
        QVERIFY(b.gestor().modificado());
        clicEnNodo(b.v, NodoArbol::raizEstaciones());
        QCOMPARE(s1->desorientacion, 10.5);
    }

    void editarCeldasDeBasesYLecturas() {
        BancoVentana b;
        QVERIFY(teclearCelda(b.v, 1, 1, QStringLiteral("12,5")));
        QCOMPARE(b.estacion(1).x, 12.5);
        QCOMPARE(b.vista.rejilla()->textoCelda(1, 1), QStringLiteral("12.500"));
        QVERIFY(teclearCelda(b.v, 1, 0, QStringLiteral("BB")));
        QCOMPARE(b.estacion(1).nombre.str(), std::string("BB"));
        QCOMPARE(b.vista.modeloArbol()->data(b.vista.modeloArbol()->index(1, 0, b.vista.modeloArbol()->raizEstaciones()),
                                       Qt::DisplayRole).toString(),
                 QStringLiteral("BB"));
        QVERIFY(teclearCelda(b.v, 2, 0, QStringLiteral("A")));  // used: the old name stays
        QCOMPARE(b.estacion(2).nombre.str(), std::string("C"));
        QVERIFY(b.gestor().modificado());

        Estacionamiento* s1 = b.estacion(0).estacionamientos[0].get();
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), s1));
        QVERIFY(teclearCelda(b.v, 2, 2, QStringLiteral("123,4567")));
        QVERIFY(teclearCelda(b.v, 2, 5, QStringLiteral("muro")));
        QCOMPARE(s1->lecturas[2].horizontal, 123.4567);
        QCOMPARE(s1->lecturas[2].codigo.str(), std::string("muro"));
        QVERIFY(b.avisos.inesperados.empty());
    }

    void insertarAnadirYBorrarDesdeLaBarraYLaRejilla() {
        BancoVentana b;
        b.vista.rejilla()->irAFila(1);
        b.vista.accion(Comando::BarraInsertarEstacion)->trigger();  // "Insertar Estación"
        QCOMPARE(b.vista.rejilla()->filas(), 4);
        QCOMPARE(b.estacion(1).nombre.str(), std::string());
        QCOMPARE(b.vista.rejilla()->filaActual(), 1);
        b.vista.accion(Comando::BarraAnadirEstacion)->trigger();  // "Añadir Estación"
        QCOMPARE(b.vista.rejilla()->filas(), 5);
        QCOMPARE(b.vista.rejilla()->filaActual(), 4);
        QCOMPARE(b.vista.modeloArbol()->rowCount(b.vista.modeloArbol()->raizEstaciones()), 5);
        QVERIFY(b.vista.arbol()->isExpanded(b.vista.modeloArbol()->raizEstaciones()));

        b.vista.rejilla()->irAFila(1);
        b.vista.accion(Comando::BarraBorrarEstacion)->trigger();  // "Borrar Estación": the row inserted first
        QCOMPARE(b.vista.rejilla()->filas(), 4);
        QCOMPARE(b.vista.rejilla()->filaActual(), 0);
        QCOMPARE(b.estacion(1).nombre.str(), std::string("B"));

        // The grid's own requests: Insert and Ctrl+Delete.
        QTableView* t = b.vista.rejilla()->vista();
        t->setFocus();
        b.vista.rejilla()->irAFila(2);
        QTest::keyClick(t, Qt::Key_Insert);
        QCOMPARE(b.vista.rejilla()->filas(), 5);
        QCOMPARE(b.estacion(2).nombre.str(), std::string());
        QTest::keyClick(t, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(b.vista.rejilla()->filas(), 6);
        QTest::keyClick(t, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(b.vista.rejilla()->filas(), 5);

        // Readings of a set-up.
        Estacion* a = b.gestor().libreta().buscarEstacion("A");
        QVERIFY(a);
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(a, a->estacionamientos[0].get()));
        b.vista.accion(Comando::BarraAnadirLectura)->trigger();  // "Añadir Lectura"
        QCOMPARE(b.vista.rejilla()->filas(), 4);
        QCOMPARE(b.vista.rejilla()->filaActual(), 3);
        b.vista.accion(Comando::BarraBorrarLectura)->trigger();  // "Borrar Lectura"
        QCOMPARE(b.vista.rejilla()->filas(), 3);
        b.vista.accion(Comando::BarraInsertarEstacion)->trigger();  // state 3: inserting a station does nothing
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(5));
    }

    void anadirEstacionPorNombreYEstacionamiento() {
        BancoVentana b;
        b.dialogos.nombres.push_back("V-9");
        b.vista.accion(Comando::BarraInsertar)->trigger();  // "Insertar" (Añadir Modo Estadillo)
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(4));
        QCOMPARE(b.gestor().estado(), EstadoSeleccion::Estacion);
        QCOMPARE(b.vista.panelEstacion()->nombre->text(), QStringLiteral("V-9"));
        b.dialogos.nombres.push_back("V-9_1");
        b.vista.accion(Comando::BarraCrearEstacionamiento)->trigger();  // "Crear Estacionamiento"
        QCOMPARE(b.gestor().estado(), EstadoSeleccion::Estacionamiento);
        QCOMPARE(b.vista.cabecera()->nombre->text(), QStringLiteral("V-9_1"));
        QCOMPARE(b.vista.cabecera()->estacion->text(), QStringLiteral("V-9"));
        b.avisos.esperar("¿Borrar el estacionamiento V-9_1?", Respuesta::Si);
        b.vista.accion(Comando::BarraBorrarEstacionamiento)->trigger();  // "Borrar Estacionamiento"
        QVERIFY(b.gestor().libreta().estaciones.back()->estacionamientos.empty());
        QCOMPARE(b.gestor().estado(), EstadoSeleccion::Estacion);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void importarTopcalYRadDesdeElMenu() {
        BancoVentana b;
        std::ofstream(b.obra() / "campo.txt") << "T1 1 10 100 20 1.5 1.45 casa\n";
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\campo.txt");
        b.vista.accion(Comando::ImportarTopcalComentarios)->trigger();  // "Fichero Ascii Topcal (+ comentarios)"
        QCOMPARE(b.dialogos.peticiones.back().filtro, std::string("Archivos de TOPCAL (*.*)|*.*||"));
        const Estacion* t1 = b.gestor().libreta().buscarEstacion("T1");
        QVERIFY(t1);
        QCOMPARE(t1->estacionamientos.at(0)->nombre.str(), std::string("T1_(1)"));
        QVERIFY(b.gestor().modificado());
        // A file that is no radiation file changes nothing and says so.
        b.avisos.esperar("ERROR AL LEER FICHERO");
        const std::size_t estaciones = b.gestor().libreta().estaciones.size();
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\campo.txt");
        b.vista.accion(Comando::ImportarRad)->trigger();  // "Fichero RAD v4.0"
        QCOMPARE(b.dialogos.peticiones.back().extension, std::string("rad"));
        QCOMPARE(b.gestor().libreta().estaciones.size(), estaciones);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void salirPreguntaYGrabaSoloConSi() {
        for (const Respuesta r : {Respuesta::Si, Respuesta::No}) {
            BancoVentana b;
                QVERIFY(teclearCelda(b.v, 0, 1, QStringLiteral("7")));
            b.avisos.esperar(kPregunta, Respuesta::Cancelar);
            b.vista.accion(Comando::Salir)->trigger();  // "Salir"
            QVERIFY(b.v.isVisible());
            b.avisos.esperar(kPregunta, r);
            QVERIFY(b.v.close());
            QVERIFY(!b.v.isVisible());
            CLibretaCampo guardada;
            QVERIFY(leerLibreta(guardada, b.obra() / "obra.obs"));
            QCOMPARE(guardada.estaciones[0]->x, r == Respuesta::Si ? 7.0 : 1000.0);
            QVERIFY(std::filesystem::exists(b.trabajos() / "observa.dft"));
            QVERIFY(b.avisos.inesperados.empty());
        }
    }

    void comandosPendientesYNoOperativos() {
        BancoVentana b;
        b.avisos.esperar("Opción NO operativa en esta versión");
        b.v.ejecutarComando(Comando::RecogerCoordenadasAcad);  // "Recoger Coordenadas de ACAD..."
        b.avisos.esperar("Opción no disponible todavía");
        b.v.ejecutarComando(Comando::ToleranciasHerramientas);  // no command does nothing
        b.avisos.esperar("1º Seleccionar la SubEstación");
        b.v.ejecutarComando(Comando::CambiarEstacion);  // "Cambiar de Estación..." needs a set-up
        QVERIFY(b.avisos.guion.empty());
        QVERIFY(b.avisos.inesperados.empty());
    }

    void menusBarraYEmergentes() {
        BancoVentana b;
        QStringList menus;
        for (QAction* a : b.v.menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, QStringList({"Archivo", "Edición", "Estaciones", "Estacionamientos", "Lecturas", "CALCULAR",
                                     "Configuración", "Ayuda"}));
        QCOMPARE(b.vista.accion(Comando::InformeResumen)->text(), QStringLiteral("Generar Informe Resumen.."));
        QAction* deshacer = b.vista.accion(Comando::Deshacer);
        QAction* rehacer = b.vista.accion(Comando::Rehacer);
        QCOMPARE(deshacer->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(rehacer->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                           QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QCOMPARE(b.vista.accion(Comando::AcercaDe)->text(), QStringLiteral("Acerca de Celvara..."));
        auto* barra = b.v.findChild<QToolBar*>(QStringLiteral("barra203"));
        QVERIFY(barra);
        int botones = 0;
        for (QAction* a : barra->actions())
            if (!a->isSeparator()) ++botones;
        QCOMPARE(botones, 26);
        QVERIFY(barra->actions().contains(deshacer) && barra->actions().contains(rehacer));
        QCOMPARE(b.vista.accion(Comando::BarraEstacion)->toolTip(), QStringLiteral("Cálculo XYZ Estación"));
        QCOMPARE(barra->iconSize(), QSize(16, 15));
        QCOMPARE(b.vista.menuEmergente(1)->title(), QStringLiteral("Estaciones"));
        QCOMPARE(b.vista.menuEmergente(3)->actions().first()->text(), QStringLiteral("Insertar Lectura"));
        QVERIFY(!b.vista.menuEmergente(4));
        QVERIFY(ui::textoAcercaDe().contains(QStringLiteral("0.1")));
    }

    void casillasDeVistaYDibujo() {
        BancoVentana b;
        clicEnNodo(b.v, NodoArbol::raizCoordenadas());
        QCheckBox* visuales = b.vista.casillaVista(VistaDibujo::Visuales);
        QVERIFY(visuales && !visuales->isChecked());
        QVERIFY(b.vista.dibujo()->escena().visuales.empty());
        visuales->click();
        QCOMPARE(b.gestor().ajustes().verVisuales, std::uint8_t(1));
        QCOMPARE(b.vista.dibujo()->escena().visuales.size(), std::size_t(4));
        b.vista.casillaVista(VistaDibujo::Estaciones)->click();
        QVERIFY(b.vista.dibujo()->escena().estaciones.empty());
    }

    void renombrarEnElArbol() {
        BancoVentana b;
        auto* m = b.vista.modeloArbol();
        const QModelIndex a = m->index(0, 0, m->raizEstaciones());
        QVERIFY(!m->setData(a, QStringLiteral("B"), Qt::EditRole));
        QVERIFY(m->setData(a, QStringLiteral("AA"), Qt::EditRole));
        QCOMPARE(b.estacion(0).estacionamientos[0]->estacion.str(), std::string("AA"));
        QVERIFY(!m->setData(m->index(0, 0, a), QStringLiteral("A_2"), Qt::EditRole));
        QVERIFY(!(m->flags(m->raizEstaciones()) & Qt::ItemIsEditable));
        QTest::qWait(1);
        QCOMPARE(b.vista.rejilla()->textoCelda(0, 0), QStringLiteral("AA"));
    }

    void teclearDeshacerRehacer() {
        BancoVentana b;
        QAction* deshacer = b.vista.accion(Comando::Deshacer);
        QAction* rehacer = b.vista.accion(Comando::Rehacer);
        QVERIFY(!deshacer->isEnabled() && !rehacer->isEnabled());
        // A station's pane with nothing typed has nothing to undo.
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        QVERIFY(!deshacer->isEnabled());
        clicEnNodo(b.v, NodoArbol::raizEstaciones());
        QVERIFY(teclearCelda(b.v, 1, 1, QStringLiteral("12,5")));
        QVERIFY(teclearCelda(b.v, 2, 0, QStringLiteral("CC")));
        QCOMPARE(deshacer->text(), QStringLiteral("Deshacer Editar estación C"));
        QVERIFY(b.gestor().modificado());

        // The shortcuts reach the history; its steps are the core's to test.
        QTableView* t = b.vista.rejilla()->vista();
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.vista.rejilla()->textoCelda(2, 0), QStringLiteral("C"));
        QCOMPARE(rehacer->text(), QStringLiteral("Rehacer Editar estación C"));
        QTest::keyClick(t, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(b.estacion(2).nombre.str(), std::string("CC"));
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!rehacer->isEnabled());
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);

        // The history list: row 0 is the book as opened; a click goes there.
        auto* lista = b.v.findChild<QListWidget*>(QStringLiteral("listaHistorial"));
        QCOMPARE(lista->count(), 3);
        QCOMPARE(lista->item(2)->text(), QStringLiteral("Editar estación C"));
        QCOMPARE(lista->currentRow(), 1);
        emit lista->itemClicked(lista->item(0));
        QCOMPARE(b.estacion(1).x, 1100.0);
        QCOMPARE(b.gestor().documento().historial().posicion(), std::size_t(0));
        QVERIFY(b.avisos.inesperados.empty());
    }

    // "Reseñas...": without a station it says so; with one, Aceptar leaves
    // the typed description in the book as one step, shown in the grid.
    void resenaDeLaEstacionSeleccionada() {
        BancoVentana b;
        b.avisos.esperar("1º Seleccionar una Estación");
        b.v.ejecutarComando(Comando::Resenas);
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(1)));
        alAbrirse<ui::DialogoResena>([](ui::DialogoResena* d) {
            d->findChild<QLineEdit*>(QStringLiteral("descripcion1"))->setText(QStringLiteral("Clavo en bordillo ñ"));
            d->findChild<QComboBox*>(QStringLiteral("tipo"))->setCurrentIndex(1);
            d->accept();
        });
        b.v.ejecutarComando(Comando::Resenas);
        QCOMPARE(b.estacion(1).descripcion1.str(), std::string("Clavo en bordillo \xF1"));
        QCOMPARE(b.estacion(1).tipo, 1);
        QCOMPARE(b.vista.accion(Comando::Deshacer)->text(), QStringLiteral("Deshacer Reseña de B"));
        QVERIFY(b.avisos.guion.empty());
        QVERIFY(b.avisos.inesperados.empty());
    }

    void borrarDesdeElArbolPreguntaAntes() {
        BancoVentana b;
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        b.vista.arbol()->setFocus();
        const std::string pregunta = "¿Borrar la estación A con 2 estacionamientos y 4 lecturas?";
        b.avisos.esperar(pregunta, Respuesta::No);
        QTest::keyClick(b.vista.arbol(), Qt::Key_Delete);
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(3));
        b.avisos.esperar(pregunta, Respuesta::Si);
        QTest::keyClick(b.vista.arbol(), Qt::Key_Delete);
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(2));
        QVERIFY(b.avisos.vistos.back().botones == Botones::SiNo);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void abrirOtraLibretaDejaSoloSuDibujoYLaColumnaEstacion() {
        BancoVentana b;
        PuntoCoordenadas lejos;
        lejos.nombre = "90";
        lejos.estacion = "A";
        lejos.x = 5000;
        lejos.y = 7000;
        QCOMPARE(escribirListaPuntos({lejos}, b.obra() / "lejos.crd"), Estado::Exito);
        b.vista.accion(Comando::Actualizar)->trigger();  // "Actualizar": the file shows under "Coordenadas"
        clicEnNodo(b.v, NodoArbol::deFichero(0));
        QCOMPARE(b.vista.rejilla()->textoCelda(0, 1), QStringLiteral("A"));
        b.vista.casillaVista(VistaDibujo::Puntos)->setChecked(true);
        QCOMPARE(b.vista.dibujo()->escena().puntos.size(), std::size_t(1));

        CLibretaCampo otra;
        crearEstacion(otra.estaciones, {.nombre = "Z1", .coordenadas = Coordenadas{10, 20, 0}});
        QVERIFY(escribirLibreta(otra, b.obra() / "otra.obs"));
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
        b.vista.accion(Comando::Abrir)->trigger();  // "Abrir"
        clicEnNodo(b.v, NodoArbol::raizCoordenadas());
        const Extension& e = b.vista.dibujo()->escena().extension;
        QVERIFY(b.vista.dibujo()->escena().puntos.empty());
        QCOMPARE(e.xMin, 10.0);
        QCOMPARE(e.xMax, 10.0);
        QCOMPARE(e.yMax, 20.0);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void ficheroDeLaRadiacionApareceEnElArbol() {
        BancoVentana b;
        const QModelIndex coordenadas = b.vista.modeloArbol()->raizCoordenadas();
        QCOMPARE(b.vista.modeloArbol()->rowCount(coordenadas), 0);
        const QString crd = QStringLiteral("C:\\TRABAJOS\\OBRA1\\radiados.crd");
        alAbrirse<QDialog>([&](QDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("ficheroCrd"))->setText(crd);
            d->findChild<QPushButton*>(QStringLiteral("calcular"))->click();
        });
        b.v.ejecutarComando(Comando::Radiacion);  // "Calculo "RADIACION"..."
        QCOMPARE(b.avisos.vistos.size(), std::size_t(1));
        QVERIFY(b.avisos.vistos[0].texto.find("radiados.crd") != std::string::npos);
        QCOMPARE(b.vista.modeloArbol()->rowCount(coordenadas), 1);
        QCOMPARE(b.vista.modeloArbol()->index(0, 0, coordenadas).data().toString(), QStringLiteral("radiados.crd"));
    }

    // A command that changes the book with no window of its own says so in the status bar.
    void unirTodosLoDiceEnLaBarraDeEstado() {
        BancoVentana b;
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        b.v.ejecutarComando(Comando::UnirTodosEstacionamientos);
        QCOMPARE(b.v.statusBar()->currentMessage(), QStringLiteral("Unidos 2 estacionamientos de A en A_1: 4 lecturas"));
    }

    void textosDeQtEnEspanol() {
        QVERIFY(ui::instalarIdiomaEspanol(*qApp));
        QMessageBox caja;
        caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto texto = [&](QMessageBox::StandardButton b) { return caja.button(b)->text().remove(u'&'); };
        QCOMPARE(texto(QMessageBox::Yes), QStringLiteral("Sí"));
        QCOMPARE(texto(QMessageBox::No), QStringLiteral("No"));
        QCOMPARE(texto(QMessageBox::Cancel), QStringLiteral("Cancelar"));
        // The file dialog: its standard button, and a folder's kind, which Qt's catalogue lacks.
        QTemporaryDir raiz;
        QVERIFY(QDir(raiz.path()).mkdir(QStringLiteral("OBRA")));
        QFileDialog dialogo(nullptr, QString(), raiz.path());
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setViewMode(QFileDialog::Detail);
        dialogo.show();
        QCOMPARE(dialogo.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
                 QStringLiteral("Cancelar"));
        auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
        QTRY_COMPARE(vista->model()->rowCount(vista->rootIndex()), 1);
        QCOMPARE(vista->model()->index(0, 2, vista->rootIndex()).data().toString(), QStringLiteral("Carpeta"));
        // "Compilado el 6 de diciembre de 2026".
        QVERIFY(ui::textoAcercaDe().contains(QStringLiteral(" de ") + QString::fromLatin1(__DATE__).right(4)));
    }

    void cabeceraLegibleA1024x700() {
        BancoVentana b(libretaCirculoDerecho);
        b.v.resize(1024, 700);
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), b.estacion(0).estacionamientos[0].get()));
        QTest::qWait(20);
        const QString medidas = QStringLiteral("%1x%2 min %3 arbol %4 cabecera %5 dibujo %6 detalle %7")
                                    .arg(b.v.width()).arg(b.v.height()).arg(b.v.minimumSizeHint().width())
                                    .arg(b.vista.arbol()->minimumSizeHint().width())
                                    .arg(b.vista.cabecera()->minimumSizeHint().width())
                                    .arg(b.vista.dibujo()->parentWidget()->minimumSizeHint().width())
                                    .arg(b.vista.panelEstacion()->minimumSizeHint().width());
        QVERIFY2(b.v.size() == QSize(1024, 700) && b.v.minimumSizeHint().width() <= 1024, qPrintable(medidas));
        ui::CabeceraEstacionamientoQt* c = b.vista.cabecera();
        QCOMPARE(c->altura->text(), QStringLiteral("1.472"));
        for (QLineEdit* e : {c->nombre, c->estacion, c->altura, c->desorientacion}) {
            QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) + 8 <= e->width(), qPrintable(e->text()));
            QCOMPARE(e->cursorPosition(), 0);
        }
    }

    // Every window, the main one, those its commands open and those they
    // open in turn: preferred and minimum sizes fit a 1024 x 700 laptop with
    // the window's frame, and it opens inside its screen's free area.
    void cadaVentanaCabeEnUnPortatil() {
        ui::instalarEncajeVentanas(*qApp);
        BancoVentana b;
        Estacion& a = b.estacion(0);
        const QSize cabe = ui::kPantallaPortatil - ui::kMarcoVentana;
        QStringList fuera;
        auto medir = [&](QWidget& w, const QString& nombre) {
            const QRect libre = w.screen()->availableGeometry();
            const QSize h = w.sizeHint(), m = w.minimumSizeHint();
            // Inside the free area, or as small as it goes (the test screen is smaller than a laptop).
            const QRect f = w.frameGeometry();
            const bool dentro = (f.left() >= libre.left() && f.right() <= libre.right()) || w.width() <= m.width();
            const bool dentroAlto = (f.top() >= libre.top() && f.bottom() <= libre.bottom()) || w.height() <= m.height();
            if (h.width() > cabe.width() || h.height() > cabe.height() || m.width() > cabe.width() ||
                m.height() > cabe.height() || !dentro || !dentroAlto)
                fuera << QStringLiteral("%1: %2x%3 min %4x%5 abierta %6x%7")
                             .arg(nombre).arg(h.width()).arg(h.height()).arg(m.width()).arg(m.height())
                             .arg(w.width()).arg(w.height());
        };
        // The main window at its widest: a set-up's header and drawing, and the history beside the tree.
        const NodoArbol estacionamiento = NodoArbol::deEstacionamiento(&a, a.estacionamientos[0].get());
        clicEnNodo(b.v, estacionamiento);
        b.v.findChild<QDockWidget*>(QStringLiteral("historial"))->show();
        QTest::qWait(20);
        medir(b.v, QStringLiteral("gestor"));
        b.v.findChild<QDockWidget*>(QStringLiteral("historial"))->hide();
        const std::pair<Accion, NodoArbol> ordenes[] = {
            {Accion::ImportarTodos, estacionamiento}, {Accion::DibujarProyecto, estacionamiento},
            {Accion::DatosTrabajo, estacionamiento}, {Accion::ListadoInstrumentos, estacionamiento},
            {Accion::Tolerancias, estacionamiento}, {Accion::ErroresPesos, estacionamiento},
            {Accion::TablaCalculo, estacionamiento}, {Accion::ImprimirTablaDesorientaciones, estacionamiento},
            {Accion::ImprimirResenaBase, NodoArbol::deEstacion(&a)}, {Accion::Resenas, NodoArbol::deEstacion(&a)},
            {Accion::ImprimirEstadilloLecturas, estacionamiento}, {Accion::CambiarEstacion, estacionamiento},
            {Accion::UnirDosEstacionamientos, estacionamiento}, {Accion::OpcionesLecturas, estacionamiento},
            {Accion::CorregirLecturas, estacionamiento}, {Accion::DesorientacionTodas, estacionamiento},
            {Accion::DesorientacionIndividual, estacionamiento}, {Accion::EstacionMmcc, estacionamiento},
            {Accion::EstacionIndependiente, estacionamiento}, {Accion::Poligonales, estacionamiento},
            {Accion::Nivelacion, estacionamiento}, {Accion::Radiacion, estacionamiento},
            {Accion::DatosComplementarios, estacionamiento}, {Accion::AjusteRed, estacionamiento},
            {Accion::ExportarPuntos, estacionamiento}, {Accion::ImportarPuntos, estacionamiento}};
        for (const auto& [accion, nodo] : ordenes) {
            b.gestor().seleccionGestor().seleccionar(nodo);
            b.vista.sincronizar();
            const QString nombre =
                tituloDeLoQueAbre([&] { b.v.ejecutarAccion(accion); }, [&](QDialog& d) { medir(d, d.windowTitle()); });
            QVERIFY2(!nombre.isEmpty(), qPrintable(QString::number(static_cast<int>(accion))));
        }
        // The windows those open.
        CConfiguracion configuracion(b.gestor().ajustes());
        OpcionesRadiacion opciones;
        const std::function<std::unique_ptr<QWidget>()> otras[] = {
            [&] { return std::make_unique<ui::DialogoConfiguracion>(configuracion); },
            [&] { return std::make_unique<ui::DialogoConfigurarCalculo>(opciones, b.gestor().ajustes()); },
            [&] { return std::make_unique<ui::VisorInforme>(QString::fromStdString((b.obra() / "obra.obs").string())); },
            [&] { return std::make_unique<ui::DialogoMatrices>(CMatricesMMCC{}); },
            [&] { return std::make_unique<ui::DialogoEditorInstrumentos>(b.gestor().ajustes(), b.mapa, b.avisos); },
            [&] { return std::make_unique<ui::DialogoProtocoloComunicaciones>(ProtocoloComunicaciones{}, b.mapa); }};
        for (const auto& crear : otras) {
            const auto w = crear();
            w->show();
            medir(*w, w->windowTitle());
        }
        QVERIFY2(fuera.isEmpty(), qPrintable(fuera.join(u'\n')));
    }

    void cadaOrdenAbreSuVentana() {
        BancoVentana b;
        auto titulo = [&b](Accion a) { return tituloDeLoQueAbre([&] { b.v.ejecutarAccion(a); }); };
        QCOMPARE(titulo(Accion::DesorientacionTodas), QStringLiteral("CALCULO DESORIENTACIONES"));
        QCOMPARE(titulo(Accion::DesorientacionIndividual), QStringLiteral("CALCULO DE DESORIENTACIONES"));
        QCOMPARE(titulo(Accion::Radiacion), QStringLiteral("CALCULO DE LA RADIACION"));
        QCOMPARE(titulo(Accion::ImportarTodos), QStringLiteral("Importar Datos Campo"));
        QCOMPARE(titulo(Accion::EstacionMmcc),
                 QStringLiteral("CALCULO COORDENADAS DE \"UNA ESTACION\".  Modo Automático"));
        // "Pesos" of the station window, wired in by the main window.
        QString pesos;
        alAbrirse<ui::DialogoEstacionMmcc>([&](ui::DialogoEstacionMmcc* d) {
            pesos = tituloDeLoQueAbre([&] { pulsar(*d, "pesos"); });
            d->reject();
        });
        b.v.ejecutarAccion(Accion::EstacionMmcc);
        QCOMPARE(pesos, QStringLiteral("ERRORES y PESOS "));
        QCOMPARE(titulo(Accion::EstacionIndependiente),
                 QStringLiteral("CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN"));
        QCOMPARE(titulo(Accion::TablaCalculo), QStringLiteral("TABLA DE CALCULO"));
        QVERIFY(!titulo(Accion::ListadoInstrumentos).isEmpty());
        QVERIFY(!titulo(Accion::DatosTrabajo).isEmpty());
        QVERIFY(b.avisos.inesperados.empty());
    }

};

QTEST_MAIN(PruebaGestor)
#include "gestor_test.moc"
