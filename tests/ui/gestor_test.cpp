// The main window driven as a user would: open a book, select nodes, type
// into the detail pane and the grid, insert, append and delete, merge
// set-ups, undo and redo, write the summary report, answer the questions of
// "Nuevo", "Abrir" and "Salir", and reach the other windows. And the Qt
// dialogs of the main window and the windows it opens on its own data: the
// grid component, the configuration sheet, "INSERTAR DATO", the file dialog
// (filters and path mapping), the report viewer; the instrument windows and
// "DATOS GENERALES" in a scratch C:; the reading tools and the corrections
// window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

#include "datos/fichero_crd.h"
#include "gestor_apoyo_ui.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/calc/matrices_dialogo.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/ventana_ayuda.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/comun/pantalla.h"
#include "ui/datos/datos_trabajo_dialogo.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/dibujo/panel_dibujo.h"
#include "ui/import/comunicacion_dialogos.h"
#include "ui/import/recoger_dxf_dialogo.h"
#include "ui/manager/configuracion_dialogo.h"
#include "ui/manager/gestor_acerca.h"
#include "ui/manager/gestor_dialogos_qt.h"
#include "ui/manager/gestor_idioma.h"
#include "ui/manager/gestor_nombre_dialogo.h"
#include "ui/manager/gestor_paneles.h"
#include "ui/manager/herramientas_lecturas_dialogos.h"
#include "ui/output/correcciones_dialogo.h"
#include "ui/manager/resena_dialogo.h"

using namespace celvara;
using namespace celvara::prueba_ventana;
using namespace celvara::ui;

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

    void abreElUltimoFicheroYSeleccionaNodos() {
        BancoVentana b;
        QCOMPARE(b.v.windowTitle(), QStringLiteral("Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\obra.obs]"));
        auto* m = b.vista.modeloArbol();
        QCOMPARE(m->rowCount(m->index(0, 0, m->raizEstaciones())), 2);  // A_1, A_2
        QCOMPARE(b.vista.rejilla()->textoCelda(2, 2), QStringLiteral("2100.000"));

        // A click on a node changes the right-hand side (labels and values: GestorSeleccion).
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        QCOMPARE(b.vista.rotulo()->text(), QStringLiteral("D E T A L L E    D E    L A    B A S E "));
        QCOMPARE(b.vista.panelEstacion()->x->text(), QStringLiteral("1000.000"));
        QVERIFY(b.vista.panelEstacion()->isVisible() && !b.vista.rejilla()->isVisible());

        Estacionamiento* s2 = b.estacion(0).estacionamientos[1].get();
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), s2));
        QCOMPARE(b.vista.cabecera()->desorientacion->text(), QStringLiteral("20.0000"));
        QCOMPARE(b.vista.rejilla()->filas(), 1);
        QVERIFY(b.vista.cabecera()->isVisible() && b.vista.dibujo()->isVisible());

        clicEnNodo(b.v, NodoArbol::raizCoordenadas());
        QVERIFY(b.vista.dibujo()->isVisible() && !b.vista.rejilla()->isVisible() && !b.gestor().modificado());
    }

    void barraRejillaMenusYCasillas() {
        BancoVentana b;
        // The toolbar's commands share one route to the core (what each does:
        // GestorBases, GestorLecturas); the tree and grid follow.
        b.vista.rejilla()->irAFila(1);
        b.vista.accion(Comando::BarraInsertarEstacion)->trigger();  // "Insertar Estación"
        QCOMPARE(b.estacion(1).nombre.str(), std::string());
        QCOMPARE(b.vista.rejilla()->filaActual(), 1);
        QCOMPARE(b.vista.modeloArbol()->rowCount(b.vista.modeloArbol()->raizEstaciones()), 4);

        // The grid's own requests: Insert and Ctrl+Delete.
        QTableView* t = b.vista.rejilla()->vista();
        t->setFocus();
        b.vista.rejilla()->irAFila(2);
        QTest::keyClick(t, Qt::Key_Insert);
        QCOMPARE(b.estacion(2).nombre.str(), std::string());
        QTest::keyClick(t, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(b.vista.rejilla()->filas(), 4);

        QCOMPARE(b.v.menuBar()->actions().last()->text(), QStringLiteral("Ayuda"));
        auto* barra = b.v.findChild<QToolBar*>(QStringLiteral("barra203"));
        QVERIFY(barra->actions().contains(b.vista.accion(Comando::Deshacer)) &&
                barra->actions().contains(b.vista.accion(Comando::Rehacer)));
        QCOMPARE(b.vista.accion(Comando::BarraEstacion)->toolTip(), QStringLiteral("Cálculo XYZ Estación"));
        QCOMPARE(b.vista.menuEmergente(3)->actions().first()->text(), QStringLiteral("Insertar Lectura"));

        // The drawing's boxes.
        clicEnNodo(b.v, NodoArbol::raizCoordenadas());
        b.vista.casillaVista(VistaDibujo::Visuales)->click();  // the scene's flags: Escena.BanderasYModos
        QCOMPARE(b.gestor().ajustes().verVisuales, std::uint8_t(1));
        QCOMPARE(b.vista.dibujo()->escena().visuales.size(), std::size_t(4));
    }

    void importarTopcalYRadDesdeElMenu() {
        BancoVentana b;
        std::ofstream(b.obra() / "campo.txt") << "T1 1 10 100 20 1.5 1.45 casa\n";
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\campo.txt");
        b.vista.accion(Comando::ImportarTopcalComentarios)->trigger();  // "Fichero Ascii Topcal (+ comentarios)"
        const Estacion* t1 = b.gestor().libreta().buscarEstacion("T1");
        QVERIFY(t1);
        QCOMPARE(t1->estacionamientos.at(0)->nombre.str(), std::string("T1_(1)"));
        // The window shows the reader's refusal (RAD's own reader: lectores_restantes_test).
        b.avisos.esperar("ERROR AL LEER FICHERO");
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\campo.txt");
        b.vista.accion(Comando::ImportarRad)->trigger();  // "Fichero RAD v4.0"
    }

    // "Salir" and the window's own close both ask (each answer: GestorSalir).
    void salirPreguntaYGrabaConSi() {
        BancoVentana b;
        QVERIFY(teclearCelda(b.v, 0, 1, QStringLiteral("7")));
        b.avisos.esperar(kPregunta, Respuesta::Cancelar);
        b.vista.accion(Comando::Salir)->trigger();  // "Salir"
        QVERIFY(b.v.isVisible());
        b.avisos.esperar(kPregunta, Respuesta::Si);
        QVERIFY(b.v.close());
        CLibretaCampo guardada;
        QVERIFY(leerLibreta(guardada, b.obra() / "obra.obs"));
        QCOMPARE(guardada.estaciones[0]->x, 7.0);
    }

    // A window's command refused without its selection (the core's own
    // commands and their messages: gestor_observaciones_test); a command that
    // changes the book with no window of its own says so in the status bar.
    void ordenesSinSeleccionYSinVentana() {
        BancoVentana b;
        // HERRAMIENTAS › "Tolerancias" is CALCULAR's "Tolerancias...".
        QCOMPARE(tituloDeLoQueAbre([&] { b.v.ejecutarComando(Comando::ToleranciasHerramientas); }),
                 QStringLiteral("GESTOR DE TOLERANCIAS Y ERRORES"));
        b.avisos.esperar("1º Seleccionar la SubEstación");
        b.v.ejecutarComando(Comando::CambiarEstacion);  // "Cambiar de Estación..." needs a set-up
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        b.v.ejecutarComando(Comando::UnirTodosEstacionamientos);
        QCOMPARE(b.v.statusBar()->currentMessage(), QStringLiteral("Unidos 2 estacionamientos de A en A_1: 4 lecturas"));

        // "Reseñas...": Aceptar leaves the typed description in the book (as one step: resena_test).
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(1)));
        alAbrirse<ui::DialogoResena>([](ui::DialogoResena* d) {
            d->findChild<QLineEdit*>(QStringLiteral("descripcion1"))->setText(QStringLiteral("Clavo en bordillo ñ"));
            d->findChild<QComboBox*>(QStringLiteral("tipo"))->setCurrentIndex(1);
            d->accept();
        });
        b.v.ejecutarComando(Comando::Resenas);
        QCOMPARE(b.estacion(1).descripcion1.str(), std::string("Clavo en bordillo \xF1"));
        QCOMPARE(b.estacion(1).tipo, 1);
    }

    // The tree's own edits: a rename through the model, Delete after a
    // question ("No" and the question's text: gestor_ediciones_test).
    void renombrarYBorrarEnElArbol() {
        BancoVentana b;
        auto* m = b.vista.modeloArbol();
        const QModelIndex a = m->index(0, 0, m->raizEstaciones());
        QVERIFY(!m->setData(a, QStringLiteral("B"), Qt::EditRole));  // refused by the core: not renamed
        QVERIFY(m->setData(a, QStringLiteral("AA"), Qt::EditRole));
        QCOMPARE(b.estacion(0).estacionamientos[0]->estacion.str(), std::string("AA"));
        QVERIFY(!(m->flags(m->raizEstaciones()) & Qt::ItemIsEditable));
        QTest::qWait(1);
        QCOMPARE(b.vista.rejilla()->textoCelda(0, 0), QStringLiteral("AA"));

        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        b.vista.arbol()->setFocus();
        b.avisos.esperar("¿Borrar la estación AA con 2 estacionamientos y 4 lecturas?", Respuesta::Si);
        QTest::keyClick(b.vista.arbol(), Qt::Key_Delete);
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(2));
        QVERIFY(b.avisos.vistos.back().botones == Botones::SiNo);
    }

    void teclearDeshacerYRehacer() {
        BancoVentana b;
        QAction* deshacer = b.vista.accion(Comando::Deshacer);
        QAction* rehacer = b.vista.accion(Comando::Rehacer);
        QVERIFY(!deshacer->isEnabled() && !rehacer->isEnabled());
        // A station's pane with nothing typed has nothing to undo.
        clicEnNodo(b.v, NodoArbol::deEstacion(&b.estacion(0)));
        QVERIFY(!deshacer->isEnabled());
        clicEnNodo(b.v, NodoArbol::raizEstaciones());
        QVERIFY(teclearCelda(b.v, 2, 0, QStringLiteral("CC")));
        QCOMPARE(b.vista.modeloArbol()->index(2, 0, b.vista.modeloArbol()->raizEstaciones()).data().toString(),
                 QStringLiteral("CC"));
        QCOMPARE(deshacer->text(), QStringLiteral("Deshacer Editar estación C"));

        // The shortcuts reach the history; its steps are the core's to test.
        QTableView* t = b.vista.rejilla()->vista();
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.vista.rejilla()->textoCelda(2, 0), QStringLiteral("C"));
        QVERIFY(rehacer->isEnabled());
        QTest::keyClick(t, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(b.estacion(2).nombre.str(), std::string("CC"));
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(b.estacion(2).nombre.str(), std::string("CC"));

        // The history list: row 0 is the book as opened; a click goes there.
        auto* lista = b.v.findChild<QListWidget*>(QStringLiteral("listaHistorial"));
        QCOMPARE(lista->currentRow(), 1);
        emit lista->itemClicked(lista->item(0));
        QCOMPARE(b.estacion(2).nombre.str(), std::string("C"));

        // The header's keys and the readings' cells reach the set-up (each key
        // saved, the angle normalised on leaving: GestorSeleccion).
        Estacionamiento* s1 = b.estacion(0).estacionamientos[0].get();
        clicEnNodo(b.v, NodoArbol::deEstacionamiento(&b.estacion(0), s1));
        QLineEdit* d = b.vista.cabecera()->desorientacion;
        d->setFocus();
        d->selectAll();
        QTest::keyClicks(d, QStringLiteral("410,5"));
        QCOMPARE(s1->desorientacion, 410.5);
        QVERIFY(teclearCelda(b.v, 2, 5, QStringLiteral("muro")));
        QCOMPARE(s1->lecturas[2].codigo.str(), std::string("muro"));
    }

    void abrirOtraLibretaDejaSoloSuDibujoYLaColumnaEstacion() {
        BancoVentana b;
        const ListaPuntos lejos = {{1, "90", "A", 5000, 7000, 0, ""}};
        QCOMPARE(escribirListaPuntos(lejos, b.obra() / "lejos.crd"), Estado::Exito);
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
        QCOMPARE(std::pair(e.xMax, e.yMax), std::pair(10.0, 20.0));
    }

    void ficheroDeLaRadiacionApareceEnElArbol() {
        BancoVentana b;
        const QModelIndex coordenadas = b.vista.modeloArbol()->raizCoordenadas();
        const QString crd = QStringLiteral("C:\\TRABAJOS\\OBRA1\\radiados.crd");
        alAbrirse<QDialog>([&](QDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("ficheroCrd"))->setText(crd);
            d->findChild<QPushButton*>(QStringLiteral("calcular"))->click();
        });
        b.avisos.esperar("Cálculo Realizado\n\nFicheros grabados:\nC:\\TRABAJOS\\OBRA1\\radiados.crd");
        b.v.ejecutarComando(Comando::Radiacion);  // "Calculo "RADIACION"..."
        QCOMPARE(b.vista.modeloArbol()->index(0, 0, coordenadas).data().toString(), QStringLiteral("radiados.crd"));
    }

    void textosDeQtEnEspanol() {
        QVERIFY(ui::instalarIdiomaEspanol(*qApp));
        // The file dialog: a standard button (Qt's catalogue, the message boxes' too), and a
        // folder's kind, which Qt's catalogue lacks.
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
        QCOMPARE(b.v.size(), QSize(1024, 700));  // the window's own sizes: cadaVentanaCabeEnUnPortatil
        ui::CabeceraEstacionamientoQt* c = b.vista.cabecera();
        QCOMPARE(c->altura->text(), QStringLiteral("1.472"));
        for (QLineEdit* e : {c->nombre, c->estacion, c->altura, c->desorientacion}) {
            QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) + 8 <= e->width(), qPrintable(e->text()));
            QCOMPARE(e->cursorPosition(), 0);
        }
    }

    // Every window, the main one, those its commands open (each its own, by
    // its title) and those they open in turn: preferred and minimum sizes fit
    // a 1024 x 700 laptop with the window's frame, and it opens inside its
    // screen's free area.
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
        const std::pair<Accion, const char*> ordenes[] = {
            {Accion::ImportarTodos, "Importar Datos Campo"}, {Accion::DibujarProyecto, "D  I  B  U  J  O"},
            {Accion::DatosTrabajo, "DATOS GENERALES"}, {Accion::ListadoInstrumentos, "LISTADO DE ESTACIONES"},
            {Accion::Tolerancias, "GESTOR DE TOLERANCIAS Y ERRORES"}, {Accion::ErroresPesos, "ERRORES y PESOS "},
            {Accion::TablaCalculo, "TABLA DE CALCULO"}, {Accion::ImprimirTablaDesorientaciones, "IMPRIMIR"},
            {Accion::ImprimirResenaBase, "IMPRIMIR"}, {Accion::Resenas, "Reseña de A"}, {Accion::ImprimirEstadilloLecturas, "IMPRIMIR"},
            {Accion::CambiarEstacion, "CAMBIAR DE ESTACION"}, {Accion::UnirDosEstacionamientos, "FUNDIR-UNIR ESTACIONAMIENTOS"},
            {Accion::OpcionesLecturas, "OPCIONES DE LECTURAS"},
            {Accion::CorregirLecturas, "CORRECCIONES O MODIFICACIONES A LAS LECTURAS"},
            {Accion::DesorientacionTodas, "CALCULO DESORIENTACIONES"},
            {Accion::DesorientacionIndividual, "CALCULO DE DESORIENTACIONES"},
            {Accion::EstacionMmcc, "CALCULO COORDENADAS DE \"UNA ESTACION\".  Modo Automático"},
            {Accion::EstacionIndependiente, "CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN"}, {Accion::Poligonales, "Poligonales"},
            {Accion::Nivelacion, "NIVELACION"}, {Accion::Radiacion, "CALCULO DE LA RADIACION"},
            {Accion::DatosComplementarios, "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO"}, {Accion::AjusteRed, "AJUSTE DE RED"},
            {Accion::ExportarPuntos, "Exportar puntos"}, {Accion::ImportarPuntos, "Importar puntos"}};
        for (const auto& [accion, titulo] : ordenes) {
            b.gestor().seleccionGestor().seleccionar(accion == Accion::ImprimirResenaBase || accion == Accion::Resenas ? NodoArbol::deEstacion(&a)
                                                                                           : estacionamiento);
            b.vista.sincronizar();
            QCOMPARE(tituloDeLoQueAbre([&] { b.v.ejecutarAccion(accion); }, [&](QDialog& d) { medir(d, d.windowTitle()); }),
                     QString::fromUtf8(titulo));
        }
        // "Pesos" of the station window, wired in by the main window.
        QString pesos;
        alAbrirse<ui::DialogoEstacionMmcc>([&](ui::DialogoEstacionMmcc* d) {
            pesos = tituloDeLoQueAbre([&] { pulsar(*d, "pesos"); });
            d->reject();
        });
        b.v.ejecutarAccion(Accion::EstacionMmcc);
        QCOMPARE(pesos, QStringLiteral("ERRORES y PESOS "));
        // The windows those open.
        CConfiguracion configuracion(b.gestor().ajustes());
        OpcionesRadiacion opciones;
        const std::function<std::unique_ptr<QWidget>()> otras[] = {
            [&] { return std::make_unique<ui::DialogoConfiguracion>(configuracion); },
            [&] { return std::make_unique<ui::DialogoConfigurarCalculo>(opciones, b.gestor().ajustes()); },
            [&] { return std::make_unique<ui::VisorInforme>(QString::fromStdString((b.obra() / "obra.obs").string())); },
            [&] { return std::make_unique<ui::DialogoMatrices>(CMatricesMMCC{}); },
            [&] { return std::make_unique<ui::DialogoEditorInstrumentos>(b.gestor().ajustes(), b.mapa, b.avisos); },
            [&] { return std::make_unique<ui::DialogoProtocoloComunicaciones>(ProtocoloComunicaciones{}, b.mapa); },
            [&] { return std::make_unique<ui::VentanaAyuda>(); }};
        for (const auto& crear : otras) {
            const auto w = crear();
            w->show();
            medir(*w, w->windowTitle());
        }
        QVERIFY2(fuera.isEmpty(), qPrintable(fuera.join(u'\n')));
        b.avisos.inesperados.clear();  // an empty job's warnings (missing libraries): the windows' own tests
    }

    // The grid component on its own: values as text, the tick column, the
    // column width; Insert only once asked for, Shift+Insert appends (Insert
    // and Ctrl+Delete through the main window: barraRejillaMenusYCasillas).
    void rejillaDeValoresYPeticiones() {
        ui::CRejilla r;
        ColumnaRejilla usar{"Usar", 1, 40};
        usar.casilla = true;
        r.fijarColumnas({usar, ColumnaRejilla{"Nombre", 15, 120}, ColumnaRejilla{"Valor", 12}});
        r.agregarFila({false, QStringLiteral("Ñ2"), 12.5});
        r.agregarFila({true, QStringLiteral("B1"), 3});
        QCOMPARE(r.textoCelda(0, 1) + r.textoCelda(0, 2), QStringLiteral("Ñ212.5"));
        QCOMPARE(r.vista()->columnWidth(1), 120);
        QSignalSpy editada(&r, &ui::CRejilla::celdaEditada);
        QVERIFY(r.modelo()->setData(r.modelo()->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(r.textoCelda(0, 0), QStringLiteral("1"));
        QCOMPARE(r.modelo()->data(r.modelo()->index(1, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(editada.count(), 1);
        r.irAFila(99);
        QCOMPARE(r.filaActual(), 1);

        r.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r));
        QSignalSpy insertar(&r, &ui::CRejilla::insertarFilaPedida);
        QTest::keyClick(r.vista(), Qt::Key_Insert);
        QCOMPARE(insertar.count(), 0);  // not asked for
        r.permitirInsertarBorrar(true);
        QTest::keyClick(r.vista(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(insertar.count(), 1);
        QCOMPARE(insertar.at(0).at(0).toInt(), 2);  // append: the row count
    }

    // The window's own Qt dialogs: the sheet opened by the toolbar (Cancel
    // copies nothing; Aceptar copies each page's fields, into the settings
    // and the book: ConfiguracionGestor), and the name entry.
    void dialogosQtDeLaVentana() {
        BancoVentana b;
        ui::DialogosGestorQt qt(&b.v, b.mapa);
        std::optional<CConfiguracion> vista;
        b.dialogos.configurar = [&](CConfiguracion& c) {
            alAbrirse<ui::DialogoConfiguracion>([aceptar = vista.has_value()](ui::DialogoConfiguracion* d) {
                d->findChild<QComboBox*>(QStringLiteral("proyeccion"))->setCurrentIndex(1);
                d->findChild<QComboBox*>(QStringLiteral("angular"))->setCurrentIndex(1);
                d->findChild<QCheckBox*>(QStringLiteral("dibujarVisuales"))->setChecked(true);
                d->findChild<QLineEdit*>(QStringLiteral("escala"))->setText(QStringLiteral("0,9996"));
                aceptar ? d->accept() : d->reject();
            });
            const bool r = qt.editarConfiguracion(c);
            vista = c;
            return r;
        };
        b.v.ejecutarComando(Comando::BarraConfiguracion);  // toolbar "Configuración", cancelled
        QCOMPARE(vista->calculo.proyeccion, 0);
        b.v.ejecutarComando(Comando::BarraConfiguracion);
        QCOMPARE(vista->importar.datos.indiceAngular, 1);
        QVERIFY(vista->varios.dibujarVisuales);
        QCOMPARE(vista->calculo.escalaAdicional, std::string("0,9996"));
        QCOMPARE(b.gestor().ajustes().proyeccion, 1u);

        // "INSERTAR DATO" with its labels.
        alAbrirse<ui::DialogoInsertarDato>([](ui::DialogoInsertarDato* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("INSERTAR DATO"));
            QCOMPARE(d->edicion()->text(), QStringLiteral("B_"));
            QCOMPARE(d->edicion()->maxLength(), 14);
            d->edicion()->setText(QStringLiteral("B_1"));
            d->accept();
        });
        QCOMPARE(qt.pedirNombre(true, "B_"), std::optional<std::string>("B_1"));
        alAbrirse<ui::DialogoInsertarDato>([](ui::DialogoInsertarDato* d) { d->reject(); });
        QCOMPARE(qt.pedirNombre(false, ""), std::optional<std::string>());

        // The file dialog shows the program's paths, never the host folder of
        // C:, and starts the next time where it last chose a file for the same book.
        escribir(b.obra() / "OTRA.OBS", "x");
        escribir(b.trabajos() / "OTRO" / "VIEJA.OBS", "x");
        const auto ini = b.trabajos() / "celvara.ini";
        const PeticionFichero p{.extension = "OBS", .filtro = kFiltroObservaciones, .directorioInicial = "C:\\TRABAJOS\\OBRA1\\",
                                .debeExistir = true, .recordar = "prueba"};
        const QString vieja = QString::fromStdString((b.trabajos() / "OTRO" / "VIEJA.OBS").string());
        const std::pair<QString, QString> vueltas[] = {{QStringLiteral("C:\\TRABAJOS\\OBRA1"), vieja},
                                                       {QStringLiteral("C:\\TRABAJOS\\OTRO"), QStringLiteral("VIEJA.OBS")}};
        for (const auto& [mostrada, elegir] : vueltas) {
            alAbrirse<QFileDialog>([mostrada, elegir](QFileDialog* d) {
                QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
                QCOMPARE(d->nameFilters().first(), QStringLiteral("Archivos de Observaciones(*.OBS) (*.obs *.OBS)"));
                QTRY_COMPARE(d->findChild<QComboBox*>(QStringLiteral("lookInCombo"))->currentText(), mostrada);
                d->selectFile(elegir);
                QMetaObject::invokeMethod(d, "accept");
            });
            const auto ruta = ui::pedirFicheroQt(nullptr, b.mapa, p, ini);
            QCOMPARE(ruta, std::optional<std::string>("C:\\TRABAJOS\\OTRO\\VIEJA.OBS"));
        }
        QCOMPARE(ui::filtrosQt(kFiltroTexto), QStringList({"Archivos TEXTO (*.TXT) (*.TXT *.txt)"}));
    }

    void visorDeInformesMuestraElTextoEnWindows1252() {
        Trabajo w;
        escribir(w.ruta("informe.txt").toStdString(), "ESTACION : \xD1u\n         No se estaci\xF3n\xF3.\n");
        ui::VisorInforme visor(w.ruta("informe.txt"));
        QCOMPARE(visor.texto(), QStringLiteral("ESTACION : Ñu\n         No se estaciónó.\n"));
    }

    // The list shows the chosen one and opens the editor on it; the editor's
    // buttons reach its logic (the picture's path in the program's form) and
    // the list reloads what it left. What each does: instrumentos_dialogos_test.
    void instrumentosYDatosGenerales() {
        Trabajo w;
        const auto biblioteca = w.libreria();
        QCOMPARE(guardarInstrumentos({{.nombre = "A", .aumentos = 30}, {.nombre = "B", .aumentos = 26}}, biblioteca), Estado::Exito);
        const QString foto = w.ruta("trabajos/vestrum/ts.bmp");
        escribir(foto.toStdString(), "no es una imagen");
        DialogoListadoInstrumentos listado(w.ajustes, w.mapa, w.avisos);
        listado.show();
        auto caracteristica = [&](int i) {
            return listado.findChild<QLabel*>(QStringLiteral("caracteristica%1").arg(i))->text();
        };
        listado.findChild<QListWidget*>(QStringLiteral("nombres"))->setCurrentRow(1);
        QCOMPARE(caracteristica(1), QStringLiteral("Aumentos: 26"));
        QString aumentos, ruta;
        alAbrirse<DialogoEditorInstrumentos>([&](DialogoEditorInstrumentos* editor) {
            aumentos = editor->findChild<QLineEdit*>(QStringLiteral("aumentos"))->text();
            editor->pedirFoto = [foto] { return std::optional<QString>(foto); };
            pulsar(*editor, "foto");
            ruta = editor->findChild<QLineEdit*>(QStringLiteral("ficheroFoto"))->text();
            pulsar(*editor, "borrar");
            pulsar(*editor, "salir");
            editor->close();
        });
        pulsar(listado, "editor");
        QCOMPARE(aumentos, QStringLiteral("26"));
        QVERIFY2(ruta.startsWith(QStringLiteral("C:\\")) && ruta.endsWith(QStringLiteral("\\ts.bmp")), qPrintable(ruta));
        QCOMPARE(leerFichero(biblioteca).size(), std::size_t(392));
        QCOMPARE(caracteristica(1), QStringLiteral("Aumentos: 30"));
        pulsar(listado, "aceptar");
        QCOMPARE(listado.nombreElegido(), std::optional<std::string>("A"));

        // DATOS GENERALES: Cancelar writes nothing, Aceptar the typed fields
        // (the record's layout: instrumentos_datos_trabajo_test).
        const QString prt = w.ruta("trabajos/vestrum/datos_empresa.prt");
        for (const char* boton : {"cancelar", "aceptar"}) {
            DialogoDatosTrabajo dialogo(w.ajustes, w.mapa, w.avisos);
            dialogo.show();
            QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("direccion"))->text(), QStringLiteral("Dirección"));
            teclear(dialogo, "titulo", QStringLiteral("Parcela 14"));
            dialogo.findChild<QPlainTextEdit*>(QStringLiteral("observaciones"))->setPlainText(QStringLiteral("uno\ndos"));
            pulsar(dialogo, boton);
            QCOMPARE(QFile::exists(prt), boton == std::string("aceptar"));
        }
        const QByteArray bytes = QByteArray::fromStdString(leerFichero(prt.toStdString()));
        QCOMPARE(bytes.mid(180, 11), QByteArray("Parcela 14\0", 11));
        QCOMPARE(bytes.mid(460, 9), QByteArray("uno\r\ndos\0", 9));
    }

    // OPCIONES DE LECTURAS: the range's count and the move reach the tool
    // (the question and the readings moved: herramientas_lecturas_test).
    void opcionesYDatosComplementarios() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacion& a = *l.estaciones[0];
        prueba::AvisosGrabados avisos;
        ui::DialogoOpcionesLecturas d(l, a, *a.estacionamientos[0], avisos);
        d.findChild<QListWidget*>("lista")->setCurrentRow(0);
        QCOMPARE(d.findChild<QLabel*>("datos")->text(), QStringLiteral("Subestacion:A_2\nDes = 20.0000\nI = 1.600"));
        teclear(d, "desde", "1");
        teclear(d, "hasta", "1");
        pulsar(d, "cuantos");
        QCOMPARE(d.findChild<QPushButton*>("cuantos")->text(), QStringLiteral("Cuantos: 1"));
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "mover");
        QCOMPARE(a.estacionamientos[1]->lecturas.back().nombre.str(), std::string("1"));
        QString visto;
        d.abrirRepetidas = [&visto] { visto = QStringLiteral("repetidas"); };
        pulsar(d, "repetidos");
        QCOMPARE(visto, QStringLiteral("repetidas"));
        QVERIFY(!d.findChild<QPushButton*>("cuantosTodas")->isEnabled());

        // DATOS COMPLEMENTARIOS: the form written only by "ok".
        Estacionamiento& s = *a.estacionamientos[0];
        for (const char* boton : {"cancelar", "ok"}) {
            ui::DialogoDatosComplementarios f(s);
            f.findChild<QComboBox*>("angular")->setCurrentIndex(1);
            teclear(f, "operador", QStringLiteral("Peña"));
            f.elegirInstrumento = [](const QString&) { return std::optional<QString>(QStringLiteral("TC1700")); };
            pulsar(f, "botonInstrumento");
            f.findChild<QGroupBox*>("tipoVertical")->findChildren<QRadioButton*>().at(1)->setChecked(true);
            pulsar(f, boton);
            QCOMPARE(s.datos.unidadAngular, boton == std::string("ok") ? 360 : 400);
        }
        QCOMPARE(s.datos.operador.str(), std::string("Pe\xF1" "a"));
        QCOMPARE(s.datos.instrumento.str(), std::string("TC1700"));
        QCOMPARE(s.datos.tipoVertical, 1);
    }

    // The corrections window: a column's tick, "En Uno Nuevo" with its file,
    // "Sobre el Mismo" (what each corrects: CorreccionesVentana).
    void correccionesEnUnoNuevoYEnElMismo() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacionamiento& s2 = *l.estaciones[0]->estacionamientos[1];
        s2.datos.unidadAngular = 360;
        Trabajo w;
        ui::DialogoCorrecciones d(l, w.ajustes, w.mapa, w.avisos);
        d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::unificar))->click();
        QVERIFY(!d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::tempPres))->isEnabled());
        QCOMPARE(d.logica().rejilla().texto(1, columna_correcciones::unificar), std::string("1"));
        const auto ruta = std::filesystem::path(w.ruta("nuevo.obs").toStdString());
        d.findChild<QRadioButton*>("enUnoNuevo")->setChecked(true);
        d.pedirFichero = [&ruta] { return std::optional<QString>(QString::fromStdString(ruta.string())); };
        pulsar(d, "botonFichero");
        w.avisos.respuestas = {Respuesta::Si};
        pulsar(d, "corregir");
        QVERIFY(std::filesystem::exists(ruta) && !d.libretaCambiada());
        d.findChild<QRadioButton*>("sobreElMismo")->setChecked(true);
        w.avisos.respuestas = {Respuesta::Si};
        pulsar(d, "corregir");
        QCOMPARE(s2.datos.unidadAngular, 400);
        QVERIFY(d.libretaCambiada());
    }

    // "Recoger XYZ de ACAD": A as drawn where the book has it (ticked), B
    // elsewhere (left unticked, "Sí"); ticking B and "Aceptar" write it as
    // one step that "Deshacer" takes back.
    void recogerDeAcadEscribeLoMarcadoEnUnPaso() {
#ifdef CELVARA_SIN_INTERCAMBIO
        QSKIP("built without dxflib");
#endif
        BancoVentana b;
        escribir(b.obra() / "plano.dxf", "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nV\n10\n1000\n20\n2000\n30\n100\n"
                                         "0\nATTRIB\n1\nA\n2\nNOMBRE\n0\nSEQEND\n0\nPOINT\n10\n1100.5\n20\n2000.25\n"
                                         "30\n101\n0\nTEXT\n10\n1101\n20\n2001\n1\nB\n0\nENDSEC\n0\nEOF\n");
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\plano.dxf");
        alAbrirse<DialogoRecogerDxf>([](DialogoRecogerDxf* d) {
            QTableWidget* t = d->tabla();
            QCOMPARE(t->rowCount(), 2);
            QCOMPARE(t->item(0, 0)->checkState(), Qt::Checked);
            QCOMPARE(t->item(1, 0)->checkState(), Qt::Unchecked);
            QCOMPARE(t->item(1, 1)->text() + t->item(1, 4)->text(), QStringLiteral("1100.500Sí"));
            t->item(1, 0)->setCheckState(Qt::Checked);
            pulsar(*d, "aceptar");
        });
        b.v.ejecutarComando(Comando::EmergenteRecogerAcad);
        QCOMPARE(b.dialogos.peticiones.back().filtro, std::string(kFiltroDxf));
        QCOMPARE(b.estacion(1).y, 2000.25);
        b.v.ejecutarComando(Comando::Deshacer);
        QCOMPARE(b.estacion(1).y, 2000.0);
    }
};

QTEST_MAIN(PruebaGestor)
#include "gestor_test.moc"
