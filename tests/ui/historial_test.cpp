// "Edición" of the main window: type in the grid, Ctrl+Z, Ctrl+Y; the menu
// names the steps and the modified flag follows the point of the last save.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "gestor_apoyo_ui.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;
using prueba_ventana::BancoVentana;

namespace {

bool teclearCelda(ui::VentanaGestor& v, int fila, int columna, const QString& texto) {
    QTableView* t = v.rejilla()->vista();
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

}  // namespace

class PruebaHistorial : public QObject {
    Q_OBJECT
private slots:
    void menuEdicionEntreArchivoYEstaciones() {
        BancoVentana b;
        const auto menus = b.ventana->menuBar()->actions();
        QVERIFY(menus.size() > 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("Archivo"));
        QCOMPARE(menus[1]->text(), QStringLiteral("Edición"));
        QCOMPARE(menus[2]->text(), QStringLiteral("Estaciones"));
        QAction* deshacer = b.ventana->accion(ui::kComandoDeshacer);
        QAction* rehacer = b.ventana->accion(ui::kComandoRehacer);
        QCOMPARE(deshacer->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(rehacer->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                           QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        auto* barra = b.ventana->findChild<QToolBar*>(QStringLiteral("barra203"));
        QVERIFY(barra->actions().contains(deshacer) && barra->actions().contains(rehacer));
        QVERIFY(!deshacer->isEnabled() && !rehacer->isEnabled());
    }

    void teclearDeshacerRehacer() {
        BancoVentana b;
        ui::VentanaGestor& v = *b.ventana;
        QAction* deshacer = v.accion(ui::kComandoDeshacer);
        QAction* rehacer = v.accion(ui::kComandoRehacer);
        QVERIFY(teclearCelda(v, 1, 1, QStringLiteral("12,5")));
        QVERIFY(teclearCelda(v, 2, 0, QStringLiteral("CC")));
        QCOMPARE(deshacer->text(), QStringLiteral("Deshacer Editar estación C"));
        QVERIFY(b.gestor().modificado());

        QTableView* t = v.rejilla()->vista();
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.estacion(2).nombre.str(), std::string("C"));
        QCOMPARE(v.rejilla()->textoCelda(2, 0), QStringLiteral("C"));
        QCOMPARE(deshacer->text(), QStringLiteral("Deshacer Editar estación B"));
        QCOMPARE(rehacer->text(), QStringLiteral("Rehacer Editar estación C"));
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.estacion(1).x, 1100.0);
        QCOMPARE(v.rejilla()->textoCelda(1, 1), QStringLiteral("1100.000"));
        QVERIFY(!b.gestor().modificado());  // back at the book as opened
        QVERIFY(!deshacer->isEnabled());

        QTest::keyClick(t, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(b.estacion(1).x, 12.5);
        QVERIFY(b.gestor().modificado());
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(b.estacion(2).nombre.str(), std::string("CC"));
        QVERIFY(!rehacer->isEnabled());

        // Saved here: this is the clean point.
        v.ejecutarAccion(Accion::Grabar);
        QVERIFY(!b.gestor().modificado());
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(b.gestor().modificado());

        // The history list: row 0 is the book as opened; a click goes there.
        auto* lista = v.findChild<QListWidget*>(QStringLiteral("listaHistorial"));
        QCOMPARE(lista->count(), 3);
        QCOMPARE(lista->item(2)->text(), QStringLiteral("Editar estación C"));
        QCOMPARE(lista->currentRow(), 1);
        emit lista->itemClicked(lista->item(0));
        QCOMPARE(b.estacion(1).x, 1100.0);
        QCOMPARE(b.gestor().historial().posicion(), std::size_t(0));
        QVERIFY(b.avisos.inesperados.empty());
    }
};

QTEST_MAIN(PruebaHistorial)
#include "historial_test.moc"
