// The station windows driven on the worked network: least squares pass by
// pass, the semi-automatic solutions into the result window, and the
// calculation table.
#include <QApplication>
#include <QCheckBox>
#include <QTableView>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "comun/red_estacion.h"
#include "ui/calc/estacion_dialogos.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;
using namespace celvara::ui;

namespace {

// A job whose settings name an instrument library holding "T30".
struct Banco {
    QTemporaryDir dir;
    MapaRutas mapa{dir.path().toStdString()};
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    prueba::AvisosGrabados avisos;
    Banco() {
        prueba::libretaRed(libreta);
        const auto ruta = rutaInstrumentos(ajustes, mapa);
        std::filesystem::create_directories(ruta.parent_path());
        guardarInstrumentos(prueba::instrumentosRed(), ruta);
    }
};

void pulsar(QWidget& d, const char* nombre) { QTest::mouseClick(d.findChild<QPushButton*>(nombre), Qt::LeftButton); }

// Presses a button that opens a modal window, closes that window and returns its title.
QString ventanaDe(QWidget& d, const char* nombre) {
    QString titulo;
    QTimer cierre;
    cierre.setInterval(20);
    QObject::connect(&cierre, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<QDialog*>(w); v && v != &d && v->isVisible()) {
                titulo = v->windowTitle();
                v->done(QDialog::Rejected);
            }
    });
    cierre.start();
    pulsar(d, nombre);
    return titulo;
}

}  // namespace

class PruebaEstacion : public QObject {
    Q_OBJECT
private slots:
    void mmccPasadaAPasadaGrabarEImprimir() {
        Banco b;
        DialogoEstacionMmcc d(b.libreta, b.ajustes, b.mapa, b.avisos);
        d.elegirEstacion(QStringLiteral("P"));
        auto* x = d.findChild<QLineEdit*>("x");
        QCOMPARE(x->text(), QStringLiteral("1240.000"));
        QVERIFY(d.findChild<QLineEdit*>("desorientacion")->isEnabled());
        pulsar(d, "calcular");
        pulsar(d, "calcular");
        QCOMPARE(x->text(), QStringLiteral("1250.001"));
        QCOMPARE(d.findChild<QLineEdit*>("desorientacion")->text(), QStringLiteral("123.4568"));
        QCOMPARE(d.findChild<QLabel*>("iteraciones")->text(), QStringLiteral("2 Iteraciones"));
        QVERIFY(d.findChild<QLabel*>("resumen")->text().startsWith(QStringLiteral("PLANIMETRIA:\nVar = 0.08")));
        if (const QByteArray carpeta = qgetenv("CELVARA_CAPTURAS"); !carpeta.isEmpty())
            d.grab().save(QString::fromLocal8Bit(carpeta) + QStringLiteral("/estacion_mmcc.png"));

        QCOMPARE(ventanaDe(d, "matrices"), QStringLiteral("MATRICES"));
        QCOMPARE(ventanaDe(d, "pesos"), QStringLiteral("ERRORES y PESOS "));
        const QString informe = b.dir.filePath("inf.txt");
        QString mostrado;
        d.informe.pedirFichero = [&](QWidget*) { return informe; };
        d.informe.mostrar = [&](const QString& r) { mostrado = r; };
        pulsar(d, "imprimir");
        QCOMPARE(mostrado, informe);
        pulsar(d, "grabar");
        QCOMPARE(b.libreta.buscarEstacion("P")->y, 1299.995);
        QCOMPARE(b.libreta.buscarEstacion("P")->estacionamientos[0]->desorientacion, 123.4568);
        pulsar(d, "reset");
        QCOMPARE(d.findChild<QLabel*>("iteraciones")->text(), QStringLiteral("0 Iteraciones"));
        QVERIFY(b.avisos.mensajes.empty());
    }

    void semiautomaticoYResultado() {
        Banco b;
        DialogoEstacionSemi d(b.libreta, b.ajustes, b.mapa, b.avisos);
        d.elegirEstacion(QStringLiteral("P"));
        // A double click in the empty grid of a method loads its sights.
        for (const char* nombre : {"rejilla1", "rejilla2"}) {
            QWidget* area = d.findChild<CRejilla*>(nombre)->vista()->viewport();
            QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 20));
        }
        QCOMPARE(d.logica().rejilla(MetodoEstacion::Inversa).numeroFilas(), std::size_t(4));
        QCOMPARE(b.avisos.textos().size(), std::size_t(2));
        int filas = -1;
        d.mostrarResultado = [&](DialogoResultadoEstacion& r) {
            QCOMPARE(r.findChild<QLabel*>("titulo")->text(), QStringLiteral("CALCULO DE LA ESTACION:   P"));
            filas = static_cast<int>(r.logica().rejilla(1).numeroFilas() + r.logica().rejilla(2).numeroFilas());
            QVERIFY(r.findChild<QCheckBox*>("promediarInversas")->isChecked());
            QVERIFY(!r.findChild<QCheckBox*>("promediarRadiado")->isChecked());
            pulsar(r, "promediar");
            pulsar(r, "guardar");
        };
        pulsar(d, "calcular");
        QCOMPARE(filas, 5);
        const Estacion& p = *b.libreta.buscarEstacion("P");
        QVERIFY(std::abs(p.x - 1250) < 0.02 && std::abs(p.y - 1300) < 0.02);
        QVERIFY(std::string(p.descripcion2.vista()).starts_with("Px="));
    }

    void resultadoPestanasElipseYSinSoluciones() {
        CDatosGenerales ajustes;
        prueba::AvisosGrabados avisos;
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        Estacion p;
        p.nombre = "P";
        SolucionEstacion s{true, {"A", "", ""}, 10, 20, 5, 0.01, 0.02, 0.03, 0.04, 0.05};
        std::array<ListaSoluciones, kMetodosEstacion> sol{ListaSoluciones{s}, {}, {}};
        DialogoResultadoEstacion d(ajustes, p, sol, mapa, avisos);
        d.elegirFila(0);
        QCOMPARE(d.findChild<QLabel*>("elipse0")->text(), QStringLiteral("d1= 0.030000"));
        QCOMPARE(d.findChild<QLabel*>("elipse4")->text(), QStringLiteral("Tz= 0.050000"));
        QCOMPARE(d.findChild<QLineEdit*>("x")->text(), QStringLiteral("10.000"));
        d.findChild<QCheckBox*>("promediarRadiado")->setChecked(false);
        pulsar(d, "promediar");
        QCOMPARE(d.findChild<QLineEdit*>("x")->text(), QStringLiteral("0.000"));
        pulsar(d, "guardar");
        QCOMPARE(avisos.textos(), std::vector<std::string>{kMensajeSinSoluciones});
        QCOMPARE(p.x, 0.0);
    }

    void tablaCalculoEscribeAlAceptar() {
        CLibretaCampo l;
        prueba::libretaRed(l);
        DialogoTablaCalculo d(l);
        d.logica().rejilla().asignar(1, columna_tabla::altura, "1.7");
        pulsar(d, "aceptar");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(l.estaciones[1]->estacionamientos[0]->alturaInstrumento, 1.7);
    }
};

QTEST_MAIN(PruebaEstacion)
#include "estacion_test.moc"
