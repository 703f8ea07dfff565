// The traverse windows driven as a user does, for their wiring (the numbers
// are the core tests'): the traverse walked in the assembly dialog, the
// workbench's grid, .POL files, Bessel boxes and CALCULAR; the result window;
// levelling from the typed wires to the report; and the tolerance windows
// with their entries in the main window. With
// CELVARA_CAPTURAS set (scripts/capturas.sh) the workbench and the result
// window are also saved as pictures.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "traverse/fichero_pol.h"
#include "traverse/libreria_tolerancias.h"
#include "traverse/libreta_recorrido.h"
#include "traverse/pol_prueba.h"
#include "ui/comun/elegir_lista_dialogo.h"
#include "ui/output/imprimir_dialogo.h"
#include "ui/traverse/calculo_poligonales_dialogo.h"
#include "ui/traverse/nivelacion_dialogo.h"
#include "ui/traverse/resultado_poligonal_dialogo.h"
#include "ui/traverse/tolerancias_dialogos.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

namespace {

// Double-clicks the sighted station of that name.
void irA(DialogoRecogerObservaciones& d, const char* nombre) {
    const auto items = d.visadas()->findItems(QString::fromLatin1(nombre), Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    d.visadas()->setCurrentItem(items.front());
    emit d.visadas()->itemDoubleClicked(items.front());
}

// The traverse written from the file layout: E1 to E3, two legs due north.
CResultadoPoligonal resultado(Avisos& avisos) {
    Poligonal p;
    std::string mensaje;
    if (!leerPoligonal(prueba_pol::bytes(prueba_pol::norte()), p, mensaje)) qWarning("%s", mensaje.c_str());
    return CResultadoPoligonal(p.filas, p.referencia, {}, avisos);
}

QString texto(QWidget* d, const char* nombre) { return d->findChild<QLabel*>(QString::fromLatin1(nombre))->text(); }

}  // namespace

class PruebaPoligonales : public QObject {
    Q_OBJECT
private slots:
    void bancoDePoligonales() {
        Trabajo w;
        auto& [dir, mapa, libreta, ajustes, avisos] = w;
        prueba::libretaRecorrido(libreta);
        DialogoCalculoPoligonales d(libreta, ajustes, mapa, avisos);
        QStringList abiertos;
        d.ejecutar = [&](QDialog& sub) {
            abiertos << sub.windowTitle();
            if (auto* r = qobject_cast<DialogoRecogerObservaciones*>(&sub)) {
                irA(*r, "B");  // B-1 (B-2 sees C but not A: recoger_observaciones_test)
                irA(*r, "C");
                irA(*r, "D");
                r->findChild<QCheckBox*>("besselH")->setChecked(true);
                r->finalizar();
                return r->result() == QDialog::Accepted;
            }
            if (auto* r = qobject_cast<DialogoDatosEstacionPoligonal*>(&sub)) {
                r->findChild<QLineEdit*>("temperatura")->setText(QStringLiteral("23"));
                r->aceptar();
                return true;
            }
            if (auto* r = qobject_cast<DialogoConfigurarPoligonal*>(&sub)) {
                r->findChild<QComboBox*>("metodo")->setCurrentIndex(2);
                r->aceptar();
                return true;
            }
            if (auto* r = qobject_cast<DialogoReferenciarPoligonal*>(&sub)) {
                r->aceptar();
                return true;
            }
            if (qobject_cast<DialogoResultadoPoligonal*>(&sub) && hayCapturas()) {
                sub.resize(1000, 560);
                sub.show();
                QTest::qWait(200);
                capturar(sub, QStringLiteral("poligonal_resultado.png"));
            }
            return true;
        };
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto* menus = d.findChild<QMenuBar*>();
        QVERIFY(menus);

        d.findChild<QPushButton*>("enlazar")->click();
        QCOMPARE(abiertos, (QStringList{"RECOGER OBSERVACIONES DE LA BASE DE DATOS", "REFERENCIAR POLIGONAL"}));
        auto* t = d.rejilla()->vista();
        QCOMPARE(t->model()->rowCount(), 8);
        QVERIFY(!t->isColumnHidden(CCalculoPoligonales::HCi));  // Bessel asked while walking
        auto* besselH = d.findChild<QCheckBox*>("besselH");
        besselH->setChecked(false);
        QVERIFY(t->isColumnHidden(CCalculoPoligonales::HCi));
        besselH->setChecked(true);
        QVERIFY(teclearCelda(t, 3, CCalculoPoligonales::DCd, QStringLiteral("100,02")));
        QCOMPARE(d.logica().filas()[1].adelante.dCd, 100.02);

        // Station data: only from the instrument-height cell of a station line.
        t->setCurrentIndex(t->model()->index(2, CCalculoPoligonales::Visado));
        d.findChild<QPushButton*>("datosAuxiliares")->click();
        QCOMPARE(avisos.textos(), (std::vector<std::string>{"Seleccione en la I   -altura aparato-   el Estacionamiento"}));
        avisos.mensajes.clear();
        t->setCurrentIndex(t->model()->index(2, CCalculoPoligonales::Inst));
        d.findChild<QPushButton*>("datosAuxiliares")->click();
        QCOMPARE(celda(t, 2, CCalculoPoligonales::Temperatura), QStringLiteral("23"));
        // The method, from "Configurar" or in the window itself.
        d.configurar();
        QCOMPARE(ajustes.metodoCompensacion, 0u + 2);
        auto* metodo = d.findChild<QComboBox*>("metodo");
        QCOMPARE(metodo->currentIndex(), 2);
        metodo->setCurrentIndex(1);
        emit metodo->activated(1);
        QCOMPARE(ajustes.metodoCompensacion, 0u + 1);
        d.logica().fijarConfiguracion({0, 4, 0, 1.0}, ajustes.datosPorDefecto);

        const std::filesystem::path ruta = std::filesystem::path(dir.path().toStdString()) / "cuadro.pol";
        d.logica().pedirGrabar = [&] { return std::optional(ruta); };
        d.logica().pedirAbrir = [&] { return std::optional(ruta); };
        menus->actions()[0]->menu()->actions()[2]->trigger();  // "Grabar..."
        QVERIFY(std::filesystem::exists(ruta));
        QCOMPARE(d.windowTitle(), QString::fromStdString("Poligonales [" + ruta.string() + "]"));

        if (hayCapturas()) QTest::qWait(200);
        capturar(d, QStringLiteral("poligonal_banco.png"));

        d.findChild<QPushButton*>("calcular")->click();
        QCOMPARE(abiertos.back(), QStringLiteral("RESULTADO DEL CALCULO DE LA POLIGONAL"));

        // The field sheet in "IMPRIMIR", as a listing of its own.
        QString listado, pagina;
        d.abrirListado = [&](const std::string& nombre, std::vector<Pagina> paginas) {
            ui::DialogoImprimir imprimir(libreta, nombre, std::move(paginas));
            listado = imprimir.findChild<QComboBox*>("listado")->currentText();
            pagina = imprimir.findChild<QLabel*>("textoPagina")->text();
        };
        menus->actions()[0]->menu()->actions()[5]->trigger();  // "Imprimir..."
        QCOMPARE(listado + pagina, QStringLiteral("ESTADILLO DE LA POLIGONALPágina: 1 de 1"));

        d.nuevo();
        QCOMPARE(t->model()->rowCount(), 0);
        QVERIFY(!besselH->isChecked());
        d.abrirFichero();
        QCOMPARE(t->model()->rowCount(), 8);
        QVERIFY(besselH->isChecked());
        QVERIFY(avisos.mensajes.empty());
    }

    // The "..." buttons open the pickers and fill the fields (the lists: core tests).
    void referenciarConLosSelectores() {
        Trabajo w;
        prueba::libretaRecorrido(w.libreta);
        w.libreta.buscarEstacion("B")->estacionamientos[1]->desorientacion = 123.45678;
        ReferenciaPoligonal ref;
        DialogoReferenciarPoligonal d(w.libreta, ref, w.avisos, 400);
        d.show();
        auto elegirLinea = [](DialogoElegirLista* p, int linea) {
            p->lista()->setCurrentRow(linea);
            p->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        };
        alAbrirse<DialogoElegirLista>([&](DialogoElegirLista* p) { elegirLinea(p, 1); });
        pulsar(d, "elegirEstacionPartida");
        QCOMPARE(d.campo(false, 0)->text(), QStringLiteral("B"));
        QCOMPARE(d.campo(false, 1)->text(), QStringLiteral("100.000"));

        alAbrirse<DialogoElegirLista>([&](DialogoElegirLista* p) { elegirLinea(p, 1); });
        pulsar(d, "elegirEstacionamientoPartida");
        QCOMPARE(d.campo(false, 7)->text(), QStringLiteral("123.4568"));

        // With a reference: B to D is 350 gon.
        QVERIFY(!d.findChild<QPushButton*>("elegirReferenciaPartida")->isEnabled());
        d.findChild<QRadioButton*>("conReferenciaPartida")->setChecked(true);
        teclear(d, "partida6", QStringLiteral("20"));
        alAbrirse<DialogoElegirLista>([&](DialogoElegirLista* p) { elegirLinea(p, 3); });
        pulsar(d, "elegirReferenciaPartida");
        QCOMPARE(d.campo(false, 7)->text(), QStringLiteral("330.0000"));
        d.aceptar();
        QCOMPARE(ref.desorientacionPartida, 330.0);
        QVERIFY(w.avisos.mensajes.empty());
    }

    void teclearAjustarRecogerYGrabar() {
        Trabajo w;
        auto& [dir, mapa, libreta, ajustes, avisos] = w;
        crearEstacion(libreta.estaciones, {.nombre = "NP1", .coordenadas = Coordenadas{0, 0, 100}});
        crearEstacion(libreta.estaciones, {.nombre = "NP2", .coordenadas = Coordenadas{0, 0, 103.007}});
        ajustes.rutaFicheroAjustes = "C:\\observa.dft";
        ajustes.ficheroInformes = "C:\\informe.txt";
        DialogoNivelacion d(libreta, ajustes, mapa, avisos);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto* t = d.rejilla()->vista();
        d.findChild<QCheckBox*>("verHilos")->setChecked(true);
        d.findChild<QCheckBox*>("verDistancias")->setChecked(true);
        QVERIFY(!t->isColumnHidden(0));

        // Two set-ups rising 1 m each; stadia 20+10 and 10+20 m.
        const char* hilos[2][4] = {{"1.600", "1.400", "0.550", "0.450"}, {"1,550", "1.450", "0.600", "0.400"}};
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < 4; ++i) QVERIFY(teclearCelda(t, f, i < 2 ? i : i + 3, QString::fromLatin1(hilos[f][i])));
        QCOMPARE(celda(t, 1, 11), QStringLiteral("102.0000"));

        auto* llegada = d.findChild<QComboBox*>("llegada");
        llegada->setCurrentIndex(1);
        emit llegada->activated(1);
        auto* cierre = d.findChild<QLabel*>("cierre");
        QCOMPARE(cierre->text(), QStringLiteral("Error de cierre = 1.0070"));
        d.ajustar();
        QCOMPARE(celda(t, 1, 12), QStringLiteral("103.0070"));
        QTest::mouseClick(d.findChild<QPushButton*>("recogeCota"), Qt::LeftButton);
        QCOMPARE(d.findChild<QLineEdit*>("cotaLlegada")->text(), QStringLiteral("102.0000"));
        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(libreta.estaciones[1]->z, 102.0);

        // The line file, k in the side settings (their contents: FicheroNivelacion, AjustesPropios), the report.
        const QString csv = dir.filePath("linea.csv");
        d.pedirFichero = [&](bool) { return csv; };
        QVERIFY(d.grabarComo());
        d.pedirK = [](double actual) { return std::optional<double>(actual / 2); };
        d.configurarAjuste();
        // The report shown is this one, not the first of the shared file.
        QString mostrado;
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        escribir(dir.filePath("informe.txt").toStdString(), "OTRO INFORME\n");
        d.informe();
        QVERIFY(leerTexto(mostrado).contains(QStringLiteral("Tolerancia = 0.0012 (k = 5 mm)")));
        QVERIFY(leerTexto(dir.filePath("informe.txt")).endsWith(leerTexto(mostrado)));

        // Opening the line brings back its stations.
        d.nuevo();
        QCOMPARE(celda(t, 0, 11), QString());
        d.logica().elegirLlegada(0);
        d.abrirFichero();
        QCOMPARE(celda(t, 1, 11), QStringLiteral("102.0000"));
        QCOMPARE(d.findChild<QComboBox*>("llegada")->currentIndex(), 1);
        QVERIFY(avisos.mensajes.empty());
    }

    void pestanasResumenInformeYGrabacion() {
        prueba::AvisosGrabados avisos;
        auto logica = resultado(avisos);
        QVERIFY(logica.abrir());
        CLibretaCampo libreta;
        ui::DialogoResultadoPoligonal d(logica, libreta);
        auto* pestanas = d.findChild<QTabBar*>("pestanas");
        QVERIFY(d.findChild<QLabel*>("resumen")->text().startsWith(QStringLiteral("Poligonal Encuadrada:")));
        QVERIFY(!d.findChild<QPushButton*>("grafico")->isEnabled());
        auto* rejilla = d.findChild<ui::CRejilla*>("rejilla");
        QCOMPARE(rejilla->filas(), 3);  // E1, E2, E3
        pestanas->setCurrentIndex(0);
        QCOMPARE(rejilla->filas(), 6);  // two lines per leg

        QTemporaryDir dir;
        QString mostrado;
        d.elegirInforme = [&] { return dir.filePath("informe"); };
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        QTest::mouseClick(d.findChild<QPushButton*>("imprimir"), Qt::LeftButton);
        QCOMPARE(mostrado, dir.filePath("informe.TXT"));
        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(libreta.estaciones.size(), std::size_t(3));
    }

    // The tolerance windows: a sight chosen from the book, and a traverse
    // still to be measured (their numbers and messages: tolerancias_test).
    void toleranciasDeUnaLecturaYDeUnaPoligonal() {
        Trabajo c;
        prueba::escribirLibreriaTolerancias(c.libreria());
        auto& [dir, mapa, libreta, ajustes, avisos] = c;
        auto* e = crearEstacion(libreta.estaciones, {.nombre = "B1"});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "B1-1", "B1", 1.55, nullptr, 0);
        crearLectura(s->lecturas, std::nullopt, "P7", 1.5, 100.0, 95.0, 12.3456, "");
        ui::DialogoGestorTolerancias d(libreta, ajustes, mapa, avisos);

        // The settings' default instrument, then the picker's.
        QCOMPARE(d.findChild<QLineEdit*>("instrumento")->text(), QStringLiteral("ESTANDAR"));
        d.campos().pedirInstrumento = [] { return std::optional<std::string>("TC-20"); };
        pulsar(d, "instrumentoBoton");
        QCOMPARE(d.findChild<QLineEdit*>("instrumento")->text(), QStringLiteral("TC-20"));

        d.findChild<QComboBox*>("estacion")->activated(0);
        d.findChild<QComboBox*>("ocupa")->activated(0);
        QCOMPARE(d.findChild<QLineEdit*>("i")->text(), QStringLiteral("1.550"));
        d.findChild<QComboBox*>("punto")->activated(0);
        QCOMPARE(d.findChild<QLineEdit*>("d")->text(), QStringLiteral("100.000"));
        pulsar(d, "calcular");
        QCOMPARE(texto(&d, "ea"), QStringLiteral("Ea=63.9cc"));

        // A traverse still to be measured.
        ui::DialogoToleranciasPoligonal p(ajustes, mapa, avisos);
        teclear(p, "instrumento", QStringLiteral("TC-30"));
        teclear(p, "tramos", QStringLiteral("5"));
        teclear(p, "longitud", QStringLiteral("1000"));
        pulsar(p, "calcular");
        QCOMPARE(texto(&p, "toleranciasXyz"), QStringLiteral("Tol.X = 0.013  Tol.Y = 0.027  Tol.Z = 0.010"));
        teclear(p, "ehp", QStringLiteral("0.003"));
        pulsar(p, "grabar");
        QCOMPARE(ajustes.errorAlturaJalon, 0.003);
        QVERIFY(avisos.mensajes.empty());
    }

    void entradasDeLaVentanaPrincipal() {
        prueba_ventana::BancoVentana b;
        alAbrirse<ui::DialogoGestorTolerancias>([](ui::DialogoGestorTolerancias* d) {
            teclear(*d, "ee", QStringLiteral("0.007"));
            pulsar(*d, "grabar");
        });
        b.v.ejecutarComando(33062);  // "Tolerancias..."
        QCOMPARE(b.gestor().ajustes().errorCentradoEstacion, 0.007);
        alAbrirse<ui::DialogoErroresPesos>([](ui::DialogoErroresPesos* d) {
            teclear(*d, "varianza", QStringLiteral("4"));
            d->findChild<QCheckBox*>("conPesos")->click();
            QVERIFY(!d->findChild<QLineEdit*>("varianza")->isEnabled());
            pulsar(*d, "aceptar");
        });
        b.v.ejecutarComando(33064);  // "Errores y Pesos..."
        QCOMPARE(b.gestor().ajustes().varianzaReferencia, 4.0);
        QCOMPARE(b.gestor().ajustes().calcularConPesos, std::uint8_t(0));
        alAbrirse<ui::DialogoErroresPesos>([](ui::DialogoErroresPesos* d) {
            teclear(*d, "varianza", QStringLiteral("0,5"));
            pulsar(*d, "cancelar");
        });
        b.v.ejecutarComando(33064);
        QCOMPARE(b.gestor().ajustes().varianzaReferencia, 4.0);
    }
};

QTEST_MAIN(PruebaPoligonales)
#include "calculo_poligonales_test.moc"
