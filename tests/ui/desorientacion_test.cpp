// The two orientation windows driven as a user does: pick a station and a
// set-up, add the sighted stations, compute, save, print; and the window of
// every set-up with its double click on a row.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/calc/desorientacion_dialogos.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;
using celvara::ui::DialogoDesorientacion;
using celvara::ui::DialogoDesorientaciones;

namespace {

// Station A sights B (azimuth 50 gon) in both faces with the circle turned by 10.
void libretaDePrueba(CLibretaCampo& libreta) {
    auto* a = crearEstacion(libreta.estaciones, {.nombre = "A", .coordenadas = Coordenadas{0, 0, 0}});
    crearEstacion(libreta.estaciones, {.nombre = "B", .coordenadas = Coordenadas{100, 100, 0}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A-1", "A", 1.5, nullptr, 0);
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 141.42, 100, 40, "");
    crearLectura(s->lecturas, std::nullopt, "B", 1.5, 141.42, 300, 240, "");
}

}  // namespace

class PruebaDesorientacion : public QObject {
    Q_OBJECT
private slots:
    void individualDeLaEleccionAlInforme() {
        CLibretaCampo libreta;
        libretaDePrueba(libreta);
        CDatosGenerales ajustes;
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        DialogoDesorientacion d(libreta, ajustes, mapa);
        QCOMPARE(d.windowTitle(), QStringLiteral("CALCULO DE DESORIENTACIONES"));

        auto* estaciones = d.findChild<QComboBox*>("estaciones");
        QCOMPARE(estaciones->count(), 2);
        estaciones->setCurrentIndex(0);
        emit estaciones->activated(0);
        auto* estacionamientos = d.findChild<QComboBox*>("estacionamientos");
        QCOMPARE(estacionamientos->count(), 1);
        estacionamientos->setCurrentIndex(0);
        emit estacionamientos->activated(0);
        auto* visadas = d.findChild<QListWidget*>("visadas");
        QCOMPARE(visadas->count(), 2);  // B, sighted twice
        visadas->setCurrentRow(0);
        QTest::mouseClick(d.findChild<QPushButton*>("anadir"), Qt::LeftButton);
        QCOMPARE(d.findChild<QTableView*>()->model()->rowCount(), 2);

        QTest::mouseClick(d.findChild<QPushButton*>("calcular"), Qt::LeftButton);
        auto* desorientacion = d.findChild<QLineEdit*>("desorientacion");
        QCOMPARE(desorientacion->text(), QStringLiteral("10.0000"));
        QCOMPARE(d.findChild<QLabel*>("estadistica")->text(), QStringLiteral("e.m.c = 0.00000   Rango = 0.00000"));

        // The user types a value with a decimal comma, then saves it.
        desorientacion->clear();
        QTest::keyClicks(desorientacion, "10,5");
        QTest::mouseClick(d.findChild<QPushButton*>("guardar"), Qt::LeftButton);
        QCOMPARE(libreta.estaciones[0]->estacionamientos[0]->desorientacion, 10.5);

        const QString informe = dir.filePath("informe.txt");
        QString mostrado;
        d.pedirFicheroInforme = [&](QWidget*) { return informe; };
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        QTest::mouseClick(d.findChild<QPushButton*>("imprimir"), Qt::LeftButton);
        QCOMPARE(mostrado, informe);
        if (const QByteArray carpeta = qgetenv("CELVARA_CAPTURAS"); !carpeta.isEmpty())
            d.grab().save(QString::fromLocal8Bit(carpeta) + QStringLiteral("/desorientacion.png"));
        QFile f(informe);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("DESORIENTACION = 10,5"));
    }

    void todasConDobleClic() {
        CLibretaCampo libreta;
        libretaDePrueba(libreta);
        CDatosGenerales ajustes;
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        DialogoDesorientaciones d(libreta, ajustes, mapa);
        QCOMPARE(d.windowTitle(), QStringLiteral("CALCULO DESORIENTACIONES"));
        auto* modelo = d.findChild<QTableView*>()->model();
        QCOMPARE(modelo->rowCount(), 1);
        QTest::mouseClick(d.findChild<QPushButton*>("calcular"), Qt::LeftButton);
        QCOMPARE(modelo->index(0, 4).data().toString(), QStringLiteral("10.0000"));
        QCOMPARE(modelo->index(0, 3).data().toString(), QStringLiteral("2"));
        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(libreta.estaciones[0]->estacionamientos[0]->desorientacion, 10.0);

        // The individual window, opened by a double click, saves 12.25.
        d.abrirIndividual = [](Estacion*, Estacionamiento* s) { s->desorientacion = 12.25; };
        d.dobleClic(0);
        QCOMPARE(modelo->index(0, 4).data().toString(), QStringLiteral("12.2500"));
    }
};

QTEST_MAIN(PruebaDesorientacion)
#include "desorientacion_test.moc"
