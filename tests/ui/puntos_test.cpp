// The points' export and import windows: the file written from what the
// window says, KML refused for "Planas", bad lines shown before skipping.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "output/puntos_kml.h"
#include "ui/output/puntos_dialogos.h"

using namespace celvara;
using celvara::ui::DialogoExportarPuntos;
using celvara::ui::DialogoImportarPuntos;

namespace {
std::string bytes(const QString& ruta) {
    std::ifstream f(ruta.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}
}  // namespace

class PruebaPuntos : public QObject {
    Q_OBJECT
private slots:
    void exportaLoQueDiceLaVentana() {
        QTemporaryDir dir;
        ListaPuntos l(1);
        l[0] = {1, "E1", "", 436512.346, 4478021.678, 652.31, "V\xC9RTICE"};
        DialogoExportarPuntos d(l, Proyeccion::Planas, dir.path());
        QCOMPARE(d.findChild<QComboBox*>("proyeccion")->currentText(), QStringLiteral("Planas"));
        d.findChild<QLineEdit*>("destino")->setText(dir.filePath("p.csv"));
        auto* columnas = d.findChild<QLineEdit*>("columnas");
        columnas->clear();
        QTest::keyClicks(columnas, "nombre,n,e,codigo");
        d.findChild<QComboBox*>("separador")->setCurrentText(";");
        d.findChild<QSpinBox*>("decimales")->setValue(2);
        d.findChild<QCheckBox*>("cabecera")->setChecked(true);
        QTest::mouseClick(d.findChild<QPushButton*>("aceptar"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(bytes(dir.filePath("p.csv")),
                 std::string("Nombre;N;E;C\xC3\xB3" "digo\r\nE1;4478021.68;436512.35;V\xC3\x89RTICE\r\n"));

        d.findChild<QLineEdit*>("destino")->setText(dir.filePath("p.kml"));
        QCOMPARE(d.exportar().mensaje, std::string(kMensajeKmlPlanas));
        d.findChild<QComboBox*>("proyeccion")->setCurrentIndex(2);  // UTM WGS 84
        QVERIFY(d.exportar().ok);
        QVERIFY(bytes(dir.filePath("p.kml")).find("<coordinates>-3.74") != std::string::npos);
    }

    void importaPreguntandoPorLasLineasMalas() {
        QTemporaryDir dir;
        {
            std::ofstream f(dir.filePath("i.csv").toStdString(), std::ios::binary);
            f << "A,1,2,3,X\nB,uno,2,3,X\nC,4,5,6,\n";
        }
        DialogoImportarPuntos d(dir.path(), dir.filePath("i.crd"));
        d.findChild<QLineEdit*>("origen")->setText(dir.filePath("i.csv"));
        QString preguntado;
        d.preguntar = [&](const QString& lineas) {
            preguntado = lineas;
            return false;
        };
        QVERIFY(!d.importar().ok);
        QVERIFY(!QFile::exists(dir.filePath("i.crd")));
        QCOMPARE(preguntado, QStringLiteral("línea 2: la X \"uno\" no es un número\n"));
        d.preguntar = [](const QString&) { return true; };
        QVERIFY(d.importar().ok);
        ListaPuntos leidos;
        QCOMPARE(leerListaPuntos(dir.filePath("i.crd").toStdString(), leidos), Estado::Exito);
        QCOMPARE(leidos.size(), std::size_t(2));
        QCOMPARE(leidos[1].nombre.str(), std::string("C"));
        QCOMPARE(leidos[1].z, 6.0);
    }
};

QTEST_MAIN(PruebaPuntos)
#include "puntos_test.moc"
