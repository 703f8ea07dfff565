// The levelling window driven as a user does: wires typed into the grid,
// the arrival benchmark chosen, adjustment, "recoge cota" and "Grabar", the
// line saved as CSV, k kept in the side settings and the report written.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "ui/rejilla/rejilla.h"
#include "ui/traverse/nivelacion_dialogo.h"

using namespace celvara;
using celvara::ui::DialogoNivelacion;

namespace {

bool teclear(QTableView* t, int fila, int columna, const QString& texto) {
    t->setFocus();
    t->setCurrentIndex(t->model()->index(fila, columna));
    QTest::keyClick(t, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor || !editor->isVisible()) return false;
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

QString celda(QTableView* t, int fila, int columna) { return t->model()->index(fila, columna).data().toString(); }

QString leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class PruebaNivelacion : public QObject {
    Q_OBJECT
private slots:
    void teclearAjustarRecogerYGrabar() {
        CLibretaCampo libreta;
        crearEstacion(libreta.estaciones, {.nombre = "NP1", .coordenadas = Coordenadas{0, 0, 100}});
        crearEstacion(libreta.estaciones, {.nombre = "NP2", .coordenadas = Coordenadas{0, 0, 103.007}});
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        CDatosGenerales ajustes;
        ajustes.rutaFicheroAjustes = "C:\\observa.dft";
        ajustes.ficheroInformes = "C:\\informe.txt";
        prueba::AvisosGrabados avisos;
        DialogoNivelacion d(libreta, ajustes, mapa, avisos);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("NIVELACION"));
        auto* t = d.rejilla()->vista();
        QVERIFY(t->isColumnHidden(0));
        d.findChild<QCheckBox*>("verHilos")->setChecked(true);
        d.findChild<QCheckBox*>("verDistancias")->setChecked(true);
        QVERIFY(!t->isColumnHidden(0));

        // Two set-ups rising 1 m each; stadia 20+10 and 10+20 m.
        const char* hilos[2][4] = {{"1.600", "1.400", "0.550", "0.450"}, {"1,550", "1.450", "0.600", "0.400"}};
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < 4; ++i) QVERIFY(teclear(t, f, i < 2 ? i : i + 3, QString::fromLatin1(hilos[f][i])));
        QCOMPARE(celda(t, 0, 2), QStringLiteral("1.5000"));
        QCOMPARE(celda(t, 0, 3), QStringLiteral("20.00"));
        QCOMPARE(celda(t, 1, 8), QStringLiteral("20.00"));
        QCOMPARE(celda(t, 1, 9), QStringLiteral("1.0000"));
        QCOMPARE(celda(t, 1, 10), QStringLiteral("2.0000"));
        QCOMPARE(celda(t, 1, 11), QStringLiteral("102.0000"));

        auto* llegada = d.findChild<QComboBox*>("llegada");
        llegada->setCurrentIndex(1);
        emit llegada->activated(1);
        auto* cierre = d.findChild<QLabel*>("cierre");
        QCOMPARE(cierre->text(), QStringLiteral("Error de cierre = 1.0070"));
        d.ajustar();
        QCOMPARE(celda(t, 0, 12), QStringLiteral("101.5035"));
        QCOMPARE(celda(t, 1, 12), QStringLiteral("103.0070"));
        d.calcularTolerancias();  // 10 mm · √0.06 km
        QCOMPARE(avisos.textos().back(), std::string("Longitud = 0.060 km\nTolerancia = 0.0024 (k = 10 mm)\n"
                                                     "Error de cierre = 1.0070\nCierre fuera de tolerancia"));

        QTest::mouseClick(d.findChild<QPushButton*>("recogeCota"), Qt::LeftButton);
        QCOMPARE(d.findChild<QLineEdit*>("cotaLlegada")->text(), QStringLiteral("102.0000"));
        QVERIFY(cierre->text().isEmpty());
        QTest::mouseClick(d.findChild<QPushButton*>("grabar"), Qt::LeftButton);
        QCOMPARE(libreta.estaciones[1]->z, 102.0);

        // The line file, k in the side settings, the report.
        const QString csv = dir.filePath("linea.csv");
        d.pedirFichero = [&](bool) { return csv; };
        QVERIFY(d.grabarComo());
        QCOMPARE(leer(csv), QStringLiteral("punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med\n"
                                           ",1.600,1.400,1.5000,0.550,0.450,0.5000\n"
                                           ",1.550,1.450,1.5000,0.600,0.400,0.5000\n"));
        d.pedirK = [](double actual) { return std::optional<double>(actual / 2); };
        d.configurarAjuste();
        QVERIFY(leer(dir.filePath("celvara.ini")).contains(QStringLiteral("[Nivelacion]\ntolerancia_k_mm=5\n")));
        QString mostrado;
        d.mostrarInforme = [&](const QString& ruta) { mostrado = ruta; };
        d.informe();
        QVERIFY(leer(mostrado).contains(QStringLiteral("Tolerancia = 0.0012 (k = 5 mm)")));

        d.nuevo();
        QCOMPARE(celda(t, 0, 11), QString());
        d.abrirFichero();
        QCOMPARE(celda(t, 1, 11), QStringLiteral("102.0000"));
        QCOMPARE(avisos.mensajes.size(), std::size_t(1));
    }
};

QTEST_MAIN(PruebaNivelacion)
#include "nivelacion_test.moc"
