// The calculation windows driven as a user does: the two orientation
// windows (pick, add, compute, save, print, double click a row); the station
// windows on the worked network (least squares pass by pass, the
// semi-automatic solutions into the result window, the calculation table);
// MATRICES; the radiation window into a coordinate file; the reduction
// factor window; and CALCULAR › HERRAMIENTAS: Helmert between two coordinate
// files (compute, untick a point, apply to a file, report) and the refinement
// of a point sighted from two set-ups into a file.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "comun/red_estacion.h"
#include "gestor_apoyo_ui.h"
#include "ui/calc/desorientacion_dialogos.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/calc/herramientas_dialogos.h"
#include "ui/calc/matrices_dialogo.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/calc/reduccion_elipsoide_dialogo.h"
#include "ui/comun/gestor_informes_qt.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

namespace {

// Station A sights B (azimuth 50 gon) in both faces with the circle turned by 10.
void libretaDesorientacion(CLibretaCampo& libreta) {
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{0, 0, 0}});
    crearEstacion(libreta.estaciones, {.nombre = "B", .coordenadas = Coordenadas{100, 100, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A-1", "A", 1.5, nullptr, 0);
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 141.42, 100, 40, "");
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 141.42, 300, 240, "");
}

// The worked network, and settings naming an instrument library holding "T30".
void ponerRed(Trabajo& b) {
    prueba::libretaRed(b.libreta);
    guardarInstrumentos(prueba::instrumentosRed(), b.libreria());
}

}  // namespace

class PruebaCalculo : public QObject {
    Q_OBJECT
private slots:
    void desorientacionesIndividualYTodas() {
        Trabajo w;
        auto& [dir, mapa, libreta, ajustes, avisos] = w;
        libretaDesorientacion(libreta);
        DialogoDesorientacion d(libreta, ajustes, mapa);
        for (const char* lista : {"estaciones", "estacionamientos"}) {
            auto* c = d.findChild<QComboBox*>(lista);
            c->setCurrentIndex(0);
            emit c->activated(0);
        }
        auto* visadas = d.findChild<QListWidget*>("visadas");  // B, sighted twice
        visadas->setCurrentRow(0);
        pulsar(d, "anadir");
        QCOMPARE(d.findChild<QTableView*>()->model()->rowCount(), 2);
        // B again, from either of its entries: refused, said, the table as it was.
        QStringList vistos;
        d.avisar = [&](const QString& t) { vistos << t; };
        visadas->setCurrentRow(1);
        pulsar(d, "anadir");
        QCOMPARE(d.findChild<QTableView*>()->model()->rowCount(), 2);
        QCOMPARE(vistos, QStringList{QStringLiteral("Las visuales a B ya están en la tabla: no se añaden otra vez")});
        pulsar(d, "calcular");
        auto* desorientacion = d.findChild<QLineEdit*>("desorientacion");
        QCOMPARE(desorientacion->text(), QStringLiteral("10.0000"));
        QTest::keyClicks(desorientacion, "5");  // the typed value is the one saved
        pulsar(d, "guardar");
        QCOMPARE(libreta.estaciones[0]->estacionamientos[0]->desorientacion, 10.00005);
        const QString informe = dir.filePath("informe.txt");
        QString mostrado;
        d.pedirFicheroInforme = [&](QWidget*) { return informe; };
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        pulsar(d, "imprimir");
        QCOMPARE(mostrado, informe);  // the report's lines: InformeAnadidoConSuFormato

        // Every set-up: computed, saved, and the individual window opened by a
        // double click (here saving 12.25) shown in its row.
        libreta.estaciones[0]->estacionamientos[0]->desorientacion = 3;
        DialogoDesorientaciones todas(libreta, ajustes, mapa);
        auto* modelo = todas.findChild<QTableView*>()->model();
        pulsar(todas, "calcular");
        pulsar(todas, "grabar");
        QCOMPARE(libreta.estaciones[0]->estacionamientos[0]->desorientacion, 10.0);
        todas.abrirIndividual = [](Estacion*, Estacionamiento* s) { s->desorientacion = 12.25; };
        todas.dobleClic(0);
        QCOMPARE(modelo->index(0, 4).data().toString(), QStringLiteral("12.2500"));
    }

    void mmccYTablaDeCalculo() {
        Trabajo b;
        ponerRed(b);
        DialogoEstacionMmcc d(b.libreta, b.ajustes, b.mapa, b.avisos);
        d.elegirEstacion(QStringLiteral("P"));
        pulsar(d, "calcular");
        pulsar(d, "calcular");
        QCOMPARE(d.findChild<QLabel*>("iteraciones")->text(), QStringLiteral("2 Iteraciones"));

        QCOMPARE(tituloDeLoQueAbre([&] { pulsar(d, "matrices"); }), QStringLiteral("MATRICES"));
        const QString informe = b.dir.filePath("inf.txt");
        QString mostrado;
        d.informe.pedirFichero = [&](QWidget*) { return informe; };
        d.informe.mostrar = [&](const QString& r) { mostrado = r; };
        pulsar(d, "imprimir");
        QCOMPARE(mostrado, informe);
        pulsar(d, "grabar");
        QCOMPARE(b.libreta.buscarEstacion("P")->y, 1299.995);
        pulsar(d, "reset");
        QCOMPARE(d.findChild<QLabel*>("iteraciones")->text(), QStringLiteral("0 Iteraciones"));
        QVERIFY(b.avisos.mensajes.empty());

        // TABLA DE CALCULO writes on "Aceptar".
        DialogoTablaCalculo tabla(b.libreta);
        tabla.logica().rejilla().asignar(1, columna_tabla::altura, "1.7");
        pulsar(tabla, "aceptar");
        QCOMPARE(tabla.result(), int(QDialog::Accepted));
        QCOMPARE(b.libreta.estaciones[1]->estacionamientos[0]->alturaInstrumento, 1.7);
    }

    void semiautomaticoYResultado() {
        Trabajo b;
        ponerRed(b);
        DialogoEstacionSemi d(b.libreta, b.ajustes, b.mapa, b.avisos);
        int filas = -1;
        d.show();
        // Choosing the station fills the grids at once, without a message.
        auto* estaciones = d.findChild<QComboBox*>("estaciones");
        estaciones->setCurrentIndex(estaciones->findText(QStringLiteral("P")));
        emit estaciones->textActivated(QStringLiteral("P"));
        QCOMPARE(d.findChild<CRejilla*>("rejilla2")->vista()->model()->rowCount(), 4);
        d.mostrarResultado = [&](DialogoResultadoEstacion& r) {
            filas = static_cast<int>(r.logica().rejilla(1).numeroFilas() + r.logica().rejilla(2).numeroFilas());
            pulsar(r, "promediar");
            pulsar(r, "guardar");
        };
        QTest::keyClick(&d, Qt::Key_Return);
        QCOMPARE(filas, 5);
        const Estacion& p = *b.libreta.buscarEstacion("P");
        QVERIFY(std::abs(p.x - 1250) < 0.02 && std::abs(p.y - 1300) < 0.02);
        QVERIFY(b.avisos.mensajes.empty());

        // A result with no solution to keep: nothing saved, said (the choice of the radiated point off).
        Estacion sinCalcular;
        SolucionEstacion s{true, {"A", "", ""}, 10, 20, 5, 0.01, 0.02, 0.03, 0.04, 0.05};
        std::array<ListaSoluciones, kMetodosEstacion> sol{ListaSoluciones{s}, {}, {}};
        DialogoResultadoEstacion res(b.ajustes, sinCalcular, sol, b.mapa, b.avisos);
        res.elegirFila(0);
        QCOMPARE(res.findChild<QLabel*>("elipse4")->text(), QStringLiteral("Tz= 0.050000"));
        res.findChild<QCheckBox*>("promediarRadiado")->setChecked(false);
        pulsar(res, "promediar");
        pulsar(res, "guardar");
        QCOMPARE(b.avisos.textos(), std::vector<std::string>{kMensajeSinSoluciones});
        QCOMPARE(sinCalcular.x, 0.0);
    }

    // The menu's entries reach the logic (its matrices and file: matriz_test).
    void matricesMuestraYExporta() {
        CMatricesMMCC m;  // three measures of one length
        m.dimensionar(3, 1);
        for (std::size_t i = 0; i < 3; ++i) m.B(i, 0) = m.Q(i, i) = 1;
        QVERIFY(m.pesos() && m.resolver());
        ui::DialogoMatrices d(m);
        for (QAction* menu : d.menu()->actions())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == QStringLiteral("Matriz Residuos&1")) a->trigger();
        QCOMPARE(d.rejilla()->filas(), 3);
        QTemporaryDir dir;
        d.pedirFichero = [&dir] { return std::optional(std::filesystem::path(dir.filePath("r.TXT").toStdString())); };
        d.findChild<QAction*>("exportarAscii")->trigger();
        QCOMPARE(leerTexto(dir.filePath("r.TXT")).count(u'\n'), 3);
    }

    void calcularYSalirConWgs84() {
        Trabajo w;
        auto& [dir, mapa, libreta, ajustes, avisos] = w;
        auto* e = crearEstacion(libreta.estaciones, {.nombre = "E", .coordenadas = Coordenadas{1000, 2000, 100}});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "E-1", "E", 1.5, nullptr, 0);
        crearLectura(s->lecturas, std::nullopt, "1", 1.5, 50, 100, 100, "");
        ajustes.rutaFicheroAjustes = "C:\\observa.dft";  // celvara.ini beside it keeps the options
        DialogoRadiacion d(libreta, ajustes, mapa, avisos);
        auto* vista = d.findChild<QTableView*>();
        d.findChild<QTabBar*>()->setCurrentIndex(1);
        QVERIFY(vista->isColumnHidden(7) && !vista->isColumnHidden(10));

        // "Configurar": curvature for all rows, WGS-84.
        d.configurar = [&] {
            DialogoConfigurarCalculo c(d.logica().opciones(), ajustes, &d);
            for (const char* casilla : {"aplicarATodas", "informe1", "esfRefrTodas"})
                c.findChild<QCheckBox*>(casilla)->setChecked(true);
            c.findChild<QRadioButton*>("wgs84")->setChecked(true);
            c.aceptar();
            return true;
        };
        d.pulsarConfigurar();
        QVERIFY(vista->isColumnHidden(7));  // the tab's view survives the reload
        QCOMPARE(vista->model()->index(0, 13).data().toString(), QStringLiteral("1"));
        d.logica().opciones().planas = true;  // plane coordinates for the check below

        // "Nuevo" picks its file with a save dialog that asks before replacing.
        bool dialogoGuardarQuePregunta = false;
        alAbrirse<QFileDialog>([&](QFileDialog* f) {
            dialogoGuardarQuePregunta =
                f->acceptMode() == QFileDialog::AcceptSave && !f->testOption(QFileDialog::DontConfirmOverwrite);
            f->reject();
        });
        d.pulsarFichero();
        QVERIFY(dialogoGuardarQuePregunta);

        const QString crd = dir.filePath("puntos.crd");  // typed as the program shows paths
        const QString informe = dir.filePath("informe.txt");
        d.logica().rutaInforme1 = informe.toStdString();
        QString mostrado;
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        QTest::keyClicks(d.findChild<QLineEdit*>("ficheroCrd"), QStringLiteral("C:\\puntos.crd"));
        pulsar(d, "calcular");
        QCOMPARE(mostrado, informe);  // "Ejecutar =>" ticked: the report opens
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(QFile::exists(crd));  // its points and message: radiacion_test
        // The viewer itself outlives the window, which closes as the report opens.
        QWidget principal;
        {
            DialogoRadiacion r(libreta, ajustes, mapa, avisos, &principal);
            r.mostrarInforme(informe);
        }
#ifndef Q_OS_WIN
        QVERIFY(principal.findChild<VisorInforme*>());
#endif
        DialogoRadiacion otra(libreta, ajustes, mapa, avisos);
        // "Generar archivo Cálculo" and "Ejecutar =>" come back in the next radiation.
        QVERIFY(otra.logica().opciones().informe1 && otra.logica().opciones().aplicarATodas);
        otra.logica().opciones().planas = false;
        otra.logica().opciones().hayford = false;
        otra.reject();
        QCOMPARE(ajustes.proyeccion, 2u);
    }

    void factorCalculadoEditadoOCancelado() {
        CDatosGenerales ajustes;
        ajustes.radioTerrestre = 6370000;
        // "Calc" fills the factor, only "Aceptar" gives it (6370000 / 6371000
        // to ten decimals; Calc's cases: ReduccionElipsoide).
        for (const auto& [boton, esperado] : {std::pair{"cancelar", std::optional<double>()},
                                              std::pair{"aceptar", std::optional<double>(0.9998430388)}}) {
            alAbrirse<DialogoReduccionElipsoide>([boton](DialogoReduccionElipsoide* d) {
                teclear(*d, "altura", QStringLiteral("1000"));
                pulsar(*d, "calc");
                pulsar(*d, boton);
            });
            QCOMPARE(DialogoReduccionElipsoide::pedirFactor(ajustes), esperado);
        }
    }

    void helmertYRefinamiento() {
        Trabajo w;
        // Scale 2, rotation 50 gon; point 4 is 3 cm off in the destination.
        const double r2 = std::sqrt(2.0);
        ListaPuntos o = {{.nombre = "1", .z = 10}, {.nombre = "2", .x = 100, .z = 11}, {.nombre = "3", .y = 100, .z = 12},
                         {.nombre = "4", .x = 100, .y = 100, .z = 9}}, d;
        for (const auto& p : o) d.push_back({.nombre = p.nombre, .x = 1000 + r2 * (p.x - p.y), .y = 2000 + r2 * (p.x + p.y), .z = p.z + 5});
        d[3].x += 0.03;
        QVERIFY(escribirListaPuntos(o, w.ruta("o.crd").toStdString()) == Estado::Exito);
        QVERIFY(escribirListaPuntos(d, w.ruta("d.crd").toStdString()) == Estado::Exito);
        DialogoHelmert dlg(w.libreta, w.ajustes, w.mapa, w.avisos);
        dlg.origen()->setText(w.ruta("o.crd"));
        dlg.destino()->setText(w.ruta("d.crd"));
        pulsar(dlg, "calcular");
        QTableWidget* t = dlg.tabla();
        QCOMPARE(t->rowCount(), 4);
        // Point 4 unticked is left out of the fit (the fit itself: herramientas_test).
        t->item(3, 0)->setCheckState(Qt::Unchecked);
        pulsar(dlg, "calcular");
        QCOMPARE(dlg.resultado().residuos.size(), std::size_t{3});
        QVERIFY(dlg.parametros()->text().contains(QStringLiteral("escala = 2.000000000")));

        QStringList pedidos = {w.ruta("o.crd"), w.ruta("t.crd")};
        dlg.pedirFichero = [&](bool, const QString&) { return pedidos.takeFirst(); };
        pulsar(dlg, "aplicar");
        QCOMPARE(w.avisos.textos(), std::vector<std::string>{"4 puntos transformados en " + w.ruta("t.crd").toStdString()});

        w.ajustes.ficheroInformes = "C:\\informe.txt";
        QString mostrado;
        dlg.mostrarInforme = [&](const QString& r) { mostrado = r; };
        pulsar(dlg, "informe");
        QVERIFY(QFile(mostrado).size() > 0);
        QCOMPARE(w.avisos.mensajes.size(), std::size_t{1});

        // Refinamiento: a point sighted from two set-ups, into a file.
        w.avisos.mensajes.clear();
        // A at (1000, 1000) and B at (1100, 1000), oriented, sight P at (1050, 1050) level.
        const DatosComplementarios datos{.instrumento = "T", .corregidoEsfRefr = 1};
        for (auto [nombre, x, h] : {std::tuple{"A", 1000.0, 50.0}, {"B", 1100.0, 350.0}}) {
            auto* e = crearEstacion(w.libreta.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{x, 1000, 100}});
            auto* s = crearEstacionamiento(e->estacionamientos, nullptr, std::string(nombre) + "1", nombre, 1.5, &datos, 0.0001);
            crearLectura(s->lecturas, std::nullopt, "P", 1.5, std::hypot(50, 50), 100, h - 0.0001, "");
        }
        const Instrumento i{.nombre = "T", .aumentos = 30, .precisionDistanciaMm = 2, .precisionDistanciaPpm = 2, .precisionH = 5};
        QVERIFY(guardarInstrumentos({i}, w.libreria()) == Estado::Exito);

        DialogoRefinamiento ref(w.libreta, w.ajustes, w.mapa, w.avisos);
        ref.destino()->setText(w.ruta("r.crd"));
        pulsar(ref, "grabar");
        QVERIFY2(ref.tabla()->rowCount() == 1, w.avisos.mensajes.empty() ? "" : w.avisos.mensajes[0].texto.c_str());
        QCOMPARE(ref.tabla()->item(0, 1)->text(), QStringLiteral("1050.0000"));  // the point: Refinamiento
        ListaPuntos refinados;
        QVERIFY(leerListaPuntos(w.ruta("r.crd").toStdString(), refinados) == Estado::Exito);
        QCOMPARE(refinados.size(), std::size_t{1});
        QVERIFY(w.avisos.mensajes.empty());
    }

};
QTEST_MAIN(PruebaCalculo)
#include "calculo_test.moc"
