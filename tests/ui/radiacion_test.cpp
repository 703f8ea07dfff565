// The radiation window driven once: tabs, configuration, calculation into a
// coordinate file, and the projection written back on leaving.
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "ui/calc/radiacion_dialogos.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;
using celvara::ui::DialogoConfigurarCalculo;
using celvara::ui::DialogoRadiacion;

class PruebaRadiacion : public QObject {
    Q_OBJECT
private slots:
    void calcularYSalirConWgs84() {
        CLibretaCampo libreta;
        auto* e = crearEstacion(libreta.estaciones, {.nombre = "E", .coordenadas = Coordenadas{1000, 2000, 100}});
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "E-1", "E", 1.5, nullptr, 0);
        crearLectura(s->lecturas, std::nullopt, "1", 1.5, 50, 100, 100, "");
        CDatosGenerales ajustes;
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        prueba::AvisosGrabados avisos;
        DialogoRadiacion d(libreta, ajustes, mapa, avisos);
        QCOMPARE(d.windowTitle(), QStringLiteral("CALCULO DE LA RADIACION"));
        auto* vista = d.findChild<QTableView*>();
        QVERIFY(!vista->isColumnHidden(7));
        QVERIFY(vista->isColumnHidden(10));
        d.findChild<QTabBar*>()->setCurrentIndex(1);
        QVERIFY(vista->isColumnHidden(7));
        QVERIFY(!vista->isColumnHidden(10));

        // "Configurar": curvature for all rows, WGS-84.
        d.configurar = [&] {
            DialogoConfigurarCalculo c(d.logica().opciones(), ajustes, &d);
            c.findChild<QCheckBox*>("aplicarATodas")->setChecked(true);
            c.findChild<QCheckBox*>("informe1")->setChecked(true);
            c.findChild<QCheckBox*>("esfRefrTodas")->setChecked(true);
            c.findChild<QRadioButton*>("wgs84")->setChecked(true);
            c.aceptar();
            return true;
        };
        d.pulsarConfigurar();
        QVERIFY(vista->isColumnHidden(7));  // the tab's view survives the reload
        if (const QByteArray carpeta = qgetenv("CELVARA_CAPTURAS"); !carpeta.isEmpty())
            d.grab().save(QString::fromLocal8Bit(carpeta) + QStringLiteral("/radiacion.png"));
        QCOMPARE(vista->model()->index(0, 13).data().toString(), QStringLiteral("1"));
        d.logica().opciones().planas = true;  // plane coordinates for the check below

        // "Nuevo" picks its file with a save dialog that asks before replacing.
        bool dialogoGuardarQuePregunta = false;
        QTimer::singleShot(0, [&] {
            auto* f = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!f) return;
            dialogoGuardarQuePregunta =
                f->acceptMode() == QFileDialog::AcceptSave && !f->testOption(QFileDialog::DontConfirmOverwrite);
            f->reject();
        });
        d.pulsarFichero();
        QVERIFY(dialogoGuardarQuePregunta);

        const QString crd = dir.filePath("puntos.crd");
        const QString informe = dir.filePath("informe.txt");
        d.logica().rutaInforme1 = informe.toStdString();
        QString mostrado;
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        QTest::keyClicks(d.findChild<QLineEdit*>("ficheroCrd"), crd);
        QTest::mouseClick(d.findChild<QPushButton*>("calcular"), Qt::LeftButton);
        QCOMPARE(mostrado, informe);  // "Ejecutar =>" ticked: the report opens
        QCOMPARE(d.result(), int(QDialog::Accepted));
        ListaPuntos puntos;
        QCOMPARE(leerListaPuntos(crd.toStdString(), puntos), Estado::Exito);
        QCOMPARE(puntos.size(), std::size_t(2));
        QCOMPARE(puntos[1].x, 1050.0);
        QCOMPARE(avisos.textos(), std::vector<std::string>{"Cálculo Realizado\n\nFicheros grabados:\n" +
                                                           crd.toStdString() + "\n" + informe.toStdString()});
        QCOMPARE(ajustes.proyeccion, 0u);

        DialogoRadiacion otra(libreta, ajustes, mapa, avisos);
        otra.logica().opciones().planas = false;
        otra.logica().opciones().hayford = false;
        otra.reject();
        QCOMPARE(ajustes.proyeccion, 2u);
    }
};

QTEST_MAIN(PruebaRadiacion)
#include "radiacion_test.moc"
