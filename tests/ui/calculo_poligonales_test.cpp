// The traverse workbench driven as a user does: the traverse walked in the
// assembly dialog, menus and toolbar, a grid edit, the .POL file commands,
// the Bessel boxes and CALCULAR opening the result window. With
// CELVARA_CAPTURAS set (scripts/capturas.sh) it also saves the pictures of
// the workbench and the result window there.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "traverse/libreta_recorrido.h"
#include "ui/rejilla/rejilla.h"
#include "ui/traverse/calculo_poligonales_dialogo.h"
#include "ui/traverse/resultado_poligonal_dialogo.h"

using namespace celvara;
using namespace celvara::ui;

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
    return true;
}

QString celda(QTableView* t, int fila, int columna) { return t->model()->index(fila, columna).data().toString(); }

// Double-clicks the sighted station of that name.
void irA(DialogoRecogerObservaciones& d, const char* nombre) {
    const auto items = d.visadas()->findItems(QString::fromLatin1(nombre), Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    d.visadas()->setCurrentItem(items.front());
    emit d.visadas()->itemDoubleClicked(items.front());
}

QStringList textos(const QList<QAction*>& acciones) {
    QStringList t;
    for (auto* a : acciones)
        if (!a->isSeparator()) t << a->text();
    return t;
}

}  // namespace

class PruebaCalculoPoligonales : public QObject {
    Q_OBJECT
private slots:
    void recogerObservaciones() {
        CLibretaCampo libreta;
        prueba::libretaRecorrido(libreta);
        FilasPoligonal filas;
        ReferenciaPoligonal ref;
        prueba::AvisosGrabados avisos;
        DialogoRecogerObservaciones d(libreta, filas, ref, avisos);
        QVERIFY(d.preparado());
        QCOMPARE(d.salida()->count(), 4);
        irA(d, "B");
        irA(d, "A");  // refused: the traverse does not go on
        d.estacionamientos()->setCurrentRow(1);  // B-2 sees C but not A
        irA(d, "C");
        QCOMPARE(avisos.mensajes.size(), std::size_t(2));
        d.estacionamientos()->setCurrentRow(0);
        irA(d, "C");
        irA(d, "D");
        QCOMPARE(d.recorrido()->count(), 4);
        QCOMPARE(d.recorrido()->currentRow(), 3);
        d.findChild<QCheckBox*>("besselH")->setChecked(true);
        d.findChild<QPushButton*>("finalizar")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(filas.size(), std::size_t(4));
        QCOMPARE(filas[0].adelante.hCi, 300.0);
        QCOMPARE(int(ref.besselH), 1);
        QCOMPARE(ref.llegada.str(), std::string("D"));
    }

    void bancoDePoligonales() {
        CLibretaCampo libreta;
        prueba::libretaRecorrido(libreta);
        QTemporaryDir dir;
        MapaRutas mapa(dir.path().toStdString());
        CDatosGenerales ajustes;
        prueba::AvisosGrabados avisos;
        DialogoCalculoPoligonales d(libreta, ajustes, mapa, avisos);
        QStringList abiertos;
        d.ejecutar = [&](QDialog& sub) {
            abiertos << sub.windowTitle();
            if (auto* r = qobject_cast<DialogoRecogerObservaciones*>(&sub)) {
                irA(*r, "B");
                irA(*r, "C");
                irA(*r, "D");
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
            if (qobject_cast<DialogoResultadoPoligonal*>(&sub)) {
                const QByteArray destino = qgetenv("CELVARA_CAPTURAS");
                if (!destino.isEmpty()) {
                    sub.resize(1000, 560);
                    sub.show();
                    QTest::qWait(200);
                    sub.grab().save(QDir(QString::fromLocal8Bit(destino)).filePath("poligonal_resultado.png"));
                }
            }
            return true;
        };
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Poligonales"));
        auto* menus = d.findChild<QMenuBar*>();
        QVERIFY(menus);
        QCOMPARE(textos(menus->actions()), (QStringList{"Archivo", "Poligonal"}));
        QCOMPARE(textos(menus->actions()[0]->menu()->actions()),
                 (QStringList{"Nuevo...", "Abrir...", "Grabar...", "Grabar como...", "Imprimir...",
                              "Importar (Ver 4.0)", "Salir"}));
        QVERIFY(textos(d.barra()->actions()).contains("Instrumentos"));

        d.findChild<QPushButton*>("enlazar")->click();
        QCOMPARE(abiertos, (QStringList{"RECOGER OBSERVACIONES DE LA BASE DE DATOS", "REFERENCIAR POLIGONAL"}));
        auto* t = d.rejilla()->vista();
        QCOMPARE(t->model()->rowCount(), 8);
        QCOMPARE(celda(t, 2, CCalculoPoligonales::Estacion), QStringLiteral("B"));
        QVERIFY(t->isColumnHidden(CCalculoPoligonales::HCi));
        d.findChild<QCheckBox*>("besselH")->setChecked(true);
        QVERIFY(!t->isColumnHidden(CCalculoPoligonales::HCi));
        QCOMPARE(celda(t, 1, CCalculoPoligonales::HCi), QStringLiteral("300.0000"));
        QVERIFY(teclear(t, 3, CCalculoPoligonales::DCd, QStringLiteral("100,02")));
        QCOMPARE(d.logica().filas()[1].adelante.dCd, 100.02);

        // Station data: only from the instrument-height cell of a station line.
        t->setCurrentIndex(t->model()->index(2, CCalculoPoligonales::Visado));
        avisos.respuestas.clear();
        d.findChild<QPushButton*>("datosAuxiliares")->click();
        QCOMPARE(avisos.textos(), (std::vector<std::string>{"Seleccione en la I   -altura aparato-   el Estacionamiento"}));
        avisos.mensajes.clear();
        t->setCurrentIndex(t->model()->index(2, CCalculoPoligonales::Inst));
        d.findChild<QPushButton*>("datosAuxiliares")->click();
        QCOMPARE(d.logica().filas()[1].datos.temperatura, 23);
        QCOMPARE(celda(t, 2, CCalculoPoligonales::Temperatura), QStringLiteral("23"));
        d.configurar();
        QCOMPARE(ajustes.metodoCompensacion, 0u + 2);
        d.logica().fijarConfiguracion({0, 4, 0, 1.0}, ajustes.datosPorDefecto);

        const std::filesystem::path ruta = std::filesystem::path(dir.path().toStdString()) / "cuadro.pol";
        d.logica().pedirGrabar = [&] { return std::optional(ruta); };
        d.logica().pedirAbrir = [&] { return std::optional(ruta); };
        menus->actions()[0]->menu()->actions()[2]->trigger();  // "Grabar..."
        QVERIFY(std::filesystem::exists(ruta));
        QCOMPARE(d.windowTitle(), QString::fromStdString("Poligonales [" + ruta.string() + "]"));

        const QByteArray destino = qgetenv("CELVARA_CAPTURAS");
        if (!destino.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(destino));
            QTest::qWait(200);
            d.grab().save(QDir(QString::fromLocal8Bit(destino)).filePath("poligonal_banco.png"));
        }

        d.findChild<QPushButton*>("calcular")->click();
        QCOMPARE(abiertos.back(), QStringLiteral("RESULTADO DEL CALCULO DE LA POLIGONAL"));

        d.nuevo();
        QCOMPARE(t->model()->rowCount(), 0);
        QVERIFY(!d.findChild<QCheckBox*>("besselH")->isChecked());
        d.abrirFichero();
        QCOMPARE(t->model()->rowCount(), 8);
        QVERIFY(d.findChild<QCheckBox*>("besselH")->isChecked());
        QVERIFY(avisos.mensajes.empty());
    }
};

QTEST_MAIN(PruebaCalculoPoligonales)
#include "calculo_poligonales_test.moc"
