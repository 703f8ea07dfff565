// "Editor de Coordenadas" driven as a surveyor does: open a file, type a
// coordinate, insert a point, delete one after saying yes, undo, save, then
// sort and close without saving.
#include <QHeaderView>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "ui/calc/editor_coordenadas_dialogo.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

class PruebaEditorCoordenadas : public QObject {
    Q_OBJECT
private slots:
    void editaYGrabaSoloLoTocado() {
        Trabajo w;
        const std::filesystem::path ruta = w.ruta("obra.crd").toStdString();
        const ListaPuntos p = {{.nombre = "B", .x = 10}, {.nombre = "A", .x = 20}, {.nombre = "C", .x = 30}};
        QVERIFY(escribirListaPuntos(p, ruta) == Estado::Exito);

        DialogoEditorCoordenadas d(lugarFicheros(w.ajustes, w.mapa), w.avisos);
        d.pedirFichero = [&] { return std::optional<std::string>(w.mapa.aWindows(ruta)); };
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        pulsar(d, "abrir");
        QVERIFY2(d.windowTitle().startsWith(QStringLiteral("Editor de Coordenadas - C:\\")), qPrintable(d.windowTitle()));
        QTableView* t = d.tabla();
        QCOMPARE(t->model()->rowCount(), 3);

        QVERIFY(teclearCelda(t, 0, 1, QStringLiteral("12,5")));
        QVERIFY(teclearCelda(t, 1, 2, QStringLiteral("x")));  // refused, said (its text: EditorCoordenadas)
        QCOMPARE(w.avisos.mensajes.size(), std::size_t{1});

        t->setCurrentIndex(t->model()->index(1, 0));
        pulsar(d, "insertar");
        QCOMPARE(t->model()->rowCount(), 4);
        t->selectRow(3);
        w.avisos.respuestas = {Respuesta::Si};
        pulsar(d, "borrar");
        QCOMPARE(w.avisos.mensajes.back().texto, std::string("¿Borrar el punto C?"));
        QCOMPARE(t->model()->rowCount(), 3);
        pulsar(d, "deshacer");
        QCOMPARE(celda(t, 3, 0), QStringLiteral("C"));
        pulsar(d, "grabar");
        QVERIFY(!d.editor().modificado());

        // The typed X and the inserted point saved (each record's bytes: EditorCoordenadas).
        ListaPuntos guardados;
        QVERIFY(leerListaPuntos(ruta, guardados) == Estado::Exito && guardados.size() == 4 && guardados[0].x == 12.5);
        const std::string b = prueba::leerFichero(ruta);

        // Sorted by a click on "Nombre"; closing asks, Cancelar stays, No leaves the file as saved.
        QHeaderView* h = t->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 5, h->height() / 2));
        QCOMPARE(celda(t, 1, 0), QStringLiteral("A"));  // after the inserted point, with no name yet
        w.avisos.respuestas = {Respuesta::Cancelar};
        pulsar(d, "cerrar");
        QVERIFY(d.isVisible());
        w.avisos.respuestas = {Respuesta::No};
        pulsar(d, "cerrar");
        QVERIFY(!d.isVisible());
        QVERIFY(prueba::leerFichero(ruta) == b);
        const QSize cabe = kPantallaPortatil - kMarcoVentana;
        QVERIFY(d.sizeHint().width() <= cabe.width() && d.sizeHint().height() <= cabe.height());
    }
};

QTEST_MAIN(PruebaEditorCoordenadas)
#include "editor_coordenadas_test.moc"
