// "AJUSTE DE RED" driven as a user does: the fixed ticks (kept beside the
// book), "Ajustar", an observation left out, "Grabar".
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "comun/red_estacion.h"
#include "gestor_apoyo_ui.h"
#include "ui/calc/red_dialogo.h"

using namespace celvara;
using celvara::ui::DialogoAjusteRed;

class PruebaAjusteRed : public QObject {
    Q_OBJECT
private slots:
    void marcarFijasAjustarQuitarYGrabar() {
        prueba_ventana::Trabajo w;
        auto& [dir, mapa, libreta, ajustes, avisos] = w;
        prueba::libretaRed(libreta);
        // X99, seen by one direction from P1 only, is left out and named.
        crearEstacion(libreta.estaciones, {.nombre = "X99"});
        crearLectura(libreta.buscarEstacion("P")->estacionamientos[0]->lecturas, std::nullopt, "X99", 1.5, 0, 100, 50, "");
        guardarInstrumentos(prueba::instrumentosRed(), w.libreria());
        const std::filesystem::path obs = std::filesystem::path(dir.path().toStdString()) / "red.obs";

        DialogoAjusteRed d(libreta, ajustes, mapa, avisos, obs);
        d.show();
        QTableWidget* e = d.estaciones();
        // P has approximate coordinates, so it starts ticked: untick it.
        QCOMPARE(e->item(4, 1)->checkState(), Qt::Checked);
        e->item(4, 1)->setCheckState(Qt::Unchecked);
        QTest::mouseClick(d.findChild<QPushButton*>("ajustar"), Qt::LeftButton);
        QVERIFY2(d.logica().ajustado(), avisos.textos().empty() ? "" : avisos.textos().front().c_str());
        QCOMPARE(e->item(4, 2)->text(), QStringLiteral("1249.9992"));  // A1, B1 sight P alone: left out
        QCOMPARE(leerFijasRed(obs), (std::vector<std::string>{"A", "B", "C", "E"}));
        QCOMPARE(e->item(5, 8)->text(), QString::fromUtf8(kMotivoUnaDireccion));
        QCOMPARE(avisos.textos(),
                 std::vector<std::string>{"Estaciones sin determinar, fuera del ajuste: X99: una sola dirección"});
        avisos.mensajes.clear();
        QTableWidget* o = d.observaciones();
        QVERIFY(!o->item(0, 6)->text().isEmpty());
        QVERIFY(d.informe()->toPlainText().contains("AJUSTE DE RED"));
        d.findChild<QWidget*>("dibujo")->grab();  // paints the ellipses
        if (prueba_ventana::hayCapturas()) {
            d.findChild<QTabWidget*>()->setCurrentIndex(2);
            prueba_ventana::capturar(d, QStringLiteral("ajuste_red.png"));
            d.findChild<QTabWidget*>()->setCurrentIndex(0);
        }

        // One direction left out: one redundancy less.
        const int r = d.logica().test().redundancia;
        o->item(0, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(d.pulsarAjustar());
        QCOMPARE(d.logica().test().redundancia, r - 1);
        avisos.mensajes.clear();
        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(libreta.buscarEstacion("P")->x, d.logica().estaciones()[4].x);
        QCOMPARE(libreta.buscarEstacion("A")->x, 1000.0);
        QVERIFY(avisos.mensajes.empty());
    }
};

QTEST_MAIN(PruebaAjusteRed)
#include "red_test.moc"
