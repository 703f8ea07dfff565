// The main window's commands reach the windows of the other parts: each
// opens modally with its own title, and the book is refreshed afterwards.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include "fieldbook/fichero_obs.h"
#include "manager/fichero_crd.h"
#include "ui/gestor_apoyo_ui.h"

using namespace celvara;
using prueba_ventana::BancoVentana;

namespace {

// Runs a command, closing every window it opens (a message box first, then
// the window itself), and returns the title of the first window that is not
// a message box.
QString tituloDeLaVentana(BancoVentana& b, Accion accion) {
    QString titulo;
    QTimer cierre;
    cierre.setInterval(20);
    QObject::connect(&cierre, &QTimer::timeout, [&titulo] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || !d->isVisible()) continue;
            if (titulo.isEmpty() && !d->inherits("QMessageBox")) titulo = d->windowTitle();
            d->done(QDialog::Rejected);
            return;
        }
    });
    cierre.start();
    b.ventana->ejecutarAccion(accion);
    return titulo;
}

}  // namespace

class PruebaTraspasos : public QObject {
    Q_OBJECT
private slots:
    void cadaOrdenAbreSuVentana() {
        BancoVentana b;
        QCOMPARE(tituloDeLaVentana(b, Accion::DesorientacionTodas), QStringLiteral("CALCULO DESORIENTACIONES"));
        QCOMPARE(tituloDeLaVentana(b, Accion::DesorientacionIndividual), QStringLiteral("CALCULO DE DESORIENTACIONES"));
        QCOMPARE(tituloDeLaVentana(b, Accion::Radiacion), QStringLiteral("CALCULO DE LA RADIACION"));
        QCOMPARE(tituloDeLaVentana(b, Accion::ImportarTodos), QStringLiteral("Importar Datos Campo"));
        QCOMPARE(tituloDeLaVentana(b, Accion::EstacionMmcc),
                 QStringLiteral("CALCULO COORDENADAS DE \"UNA ESTACION\".  Modo Automático"));
        QCOMPARE(tituloDeLaVentana(b, Accion::EstacionIndependiente),
                 QStringLiteral("CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN"));
        QCOMPARE(tituloDeLaVentana(b, Accion::TablaCalculo), QStringLiteral("TABLA DE CALCULO"));
        QVERIFY(!tituloDeLaVentana(b, Accion::ListadoInstrumentos).isEmpty());
        QVERIFY(!tituloDeLaVentana(b, Accion::DatosTrabajo).isEmpty());
        QVERIFY(b.avisos.inesperados.empty());
    }

    void exportarYRecogerCoordenadas() {
        BancoVentana b;
        // Export the stations, then change one and take its XYZ back.
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\BASES.CRD");
        b.ventana->ejecutarAccion(Accion::ExportarEstacionesCrd);
        ListaPuntos puntos;
        QCOMPARE(leerListaPuntos(b.obra() / "BASES.CRD", puntos), Estado::Exito);
        QCOMPARE(puntos.size(), std::size_t(3));
        b.estacion(0).x = 0;
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\BASES.CRD");
        b.ventana->ejecutarAccion(Accion::RecogerCoordenadasCrd);
        QCOMPARE(b.estacion(0).x, 1000.0);
        QVERIFY(b.gestor().modificado());
    }
};

QTEST_MAIN(PruebaTraspasos)
#include "gestor_traspasos_test.moc"
