// The traverse result window: opens on "Listado General" with the summary,
// switches tabs, appends the report and writes the book back.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "ui/rejilla/rejilla.h"
#include "ui/traverse/resultado_poligonal_dialogo.h"

using namespace celvara;

namespace {

// E1 (0, 0) to E3 (0, 200): two 100 m legs due north, 12 mm long.
CResultadoPoligonal resultado(Avisos& avisos) {
    FilasPoligonal filas(3);
    const char* n[] = {"E1", "E2", "E3"};
    for (int k = 0; k < 3; ++k) {
        auto& f = filas[k];
        f.estacion = n[k];
        f.estacionamiento = std::string(n[k]) + "-1";
        f.visadoAtras = k ? n[k - 1] : "R";
        f.visadoAdelante = k < 2 ? n[k + 1] : "R2";
        f.datos.tipoDistancia = int(TipoDistancia::ReducidasDesnivel);
        f.atras = {200, 0, 0, 0, k ? 100.006 : 0, 0, 0};
        f.adelante = {0, 0, 0, 0, k < 2 ? 100.006 : 0, 0, 0};
    }
    ReferenciaPoligonal ref;
    ref.partida = "E1";
    ref.llegada = "E3";
    ref.y1 = 200;
    return CResultadoPoligonal(filas, ref, {}, avisos);
}

}  // namespace

class PruebaResultadoPoligonal : public QObject {
    Q_OBJECT
private slots:
    void pestanasResumenInformeYGrabacion() {
        prueba::AvisosGrabados avisos;
        auto logica = resultado(avisos);
        QVERIFY(logica.abrir());
        CLibretaCampo libreta;
        ui::DialogoResultadoPoligonal d(logica, libreta);
        QCOMPARE(d.windowTitle(), QStringLiteral("RESULTADO DEL CALCULO DE LA POLIGONAL"));
        auto* pestanas = d.findChild<QTabBar*>("pestanas");
        QCOMPARE(pestanas->count(), 5);
        QCOMPARE(pestanas->currentIndex(), 4);
        QCOMPARE(pestanas->tabText(3), QStringLiteral("Compens Altimétrica "));
        QVERIFY(d.findChild<QLabel*>("resumen")->text().startsWith(
            QStringLiteral("Poligonal Encuadrada:-Compensación Prop Distancias Parciales- Planas\n"
                           "E.Ang=0.0000  E.X=0.000  E.Y=-0.012")));
        QVERIFY(!d.findChild<QPushButton*>("grafico")->isEnabled());

        auto* rejilla = d.findChild<ui::CRejilla*>("rejilla");
        QCOMPARE(rejilla->filas(), 3);  // E1, E2, E3
        QCOMPARE(rejilla->textoCelda(1, 0), QStringLiteral("E2"));
        QCOMPARE(rejilla->textoCelda(1, 2), QStringLiteral("100.000"));
        pestanas->setCurrentIndex(1);
        QCOMPARE(rejilla->filas(), 2);  // a fitted traverse lists all legs but the last
        QCOMPARE(rejilla->textoCelda(0, 0), QStringLiteral("E1 - E2"));
        QCOMPARE(rejilla->textoCelda(0, 6), QStringLiteral("1.000000000"));
        pestanas->setCurrentIndex(0);
        QCOMPARE(rejilla->filas(), 6);  // two lines per leg

        QTemporaryDir dir;
        QString mostrado;
        d.elegirInforme = [&] { return dir.filePath("informe"); };
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        QTest::mouseClick(d.findChild<QPushButton*>("imprimir"), Qt::LeftButton);
        QCOMPARE(mostrado, dir.filePath("informe.TXT"));
        QVERIFY(QFileInfo(mostrado).size() > 1000);

        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(avisos.textos(), std::vector<std::string>{"Coordenadas Grabadas"});
        QCOMPARE(libreta.estaciones.size(), std::size_t(3));
        QVERIFY(std::abs(libreta.buscarEstacion("E2")->y - 100.0) < 1e-9);
    }

    void sinFilasNoHayCalculo() {
        prueba::AvisosGrabados avisos;
        CResultadoPoligonal logica({}, {}, {}, avisos);
        QVERIFY(!logica.abrir());
        QCOMPARE(avisos.textos(), std::vector<std::string>{"No existen Datos de la Poligonal.\n    NO existe CALCULO"});
    }
};

QTEST_MAIN(PruebaResultadoPoligonal)
#include "resultado_poligonal_test.moc"
