// The manual inside the program: F1 opens the page of the window that has
// the focus, "Ayuda" opens the contents, a word finds its pages, and every
// link and picture of the manual is in the resource.
#include <QDirIterator>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "ui/comun/ventana_ayuda.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

namespace {

QString paginaAbierta() {
    VentanaAyuda* v = VentanaAyuda::abierta();
    return v && v->isVisible() ? v->pagina() : QString();
}

}  // namespace

class PruebaAyuda : public QObject {
    Q_OBJECT
private slots:
    void f1AyudaYBusqueda() {
        BancoVentana b;
        Estacion* a = &b.estacion(0);
        const NodoArbol estacionamiento = NodoArbol::deEstacionamiento(a, a->estacionamientos[0].get());
        const std::pair<Accion, QString> casos[] = {{Accion::Radiacion, QStringLiteral("radiacion.html")},
                                                    {Accion::Nivelacion, QStringLiteral("nivelacion.html")},
                                                    {Accion::Tolerancias, QStringLiteral("tolerancias.html")}};
        for (const auto& [accion, pagina] : casos) {
            b.gestor().seleccionGestor().seleccionar(estacionamiento);
            b.vista.sincronizar();
            QString vista;
            // The dialogs run modally: F1 reaches the manual through their own window.
            tituloDeLoQueAbre([&] { b.v.ejecutarAccion(accion); },
                              [&](QDialog& d) {
                                  QWidget* foco = d.focusWidget() ? d.focusWidget() : &d;
                                  QTest::keyClick(foco, Qt::Key_F1);
                                  vista = paginaAbierta();
                              });
            QCOMPARE(vista, pagina);
        }
        // The main window, and a window the manual has no page for, give the main window's page.
        QTest::keyClick(b.v.findChild<QTreeView*>(), Qt::Key_F1);
        QCOMPARE(paginaAbierta(), QStringLiteral("gestor.html"));
        QWidget suelta;
        QCOMPARE(paginaDeVentana(&suelta), paginaAbierta());

        // "Ayuda" opens the contents; a word finds its pages.
        for (Comando c : {Comando::BarraAyuda, Comando::ManualCelvara}) {
            if (VentanaAyuda* v = VentanaAyuda::abierta()) v->mostrar(QStringLiteral("red.html"));
            b.vista.accion(c)->trigger();
            QCOMPARE(paginaAbierta(), QStringLiteral("indice.html"));
        }
        VentanaAyuda& v = *VentanaAyuda::abierta();
        auto* buscar = v.findChild<QLineEdit*>(QStringLiteral("buscar"));
        auto* lista = v.findChild<QListWidget*>(QStringLiteral("paginas"));
        const int todas = lista->count();
        // Case and accents aside; every word must be on the page.
        QTest::keyClicks(buscar, QStringLiteral("ESTADIMETRICOS espalda"));
        QCOMPARE(lista->count(), 1);
        lista->setCurrentRow(0);
        QCOMPARE(v.pagina(), QStringLiteral("nivelacion.html"));
        QCOMPARE(v.findChild<QTextBrowser*>(QStringLiteral("texto"))->textCursor().selectedText(),
                 QStringLiteral("estadimétricos"));
        QVERIFY(v.buscar(QStringLiteral("palabraquenoesta")).isEmpty());
        buscar->clear();
        QCOMPARE(lista->count(), todas);
    }

    // Every page and picture a page links to is in the resource, and the
    // contents reach every page.
    void enlacesDelManualEnElRecurso() {
        static const QRegularExpression enlace(QStringLiteral("(?:href|src)=\"([^\":#]+)\""));
        QStringList paginas, rotos;
        QString indice;
        for (QDirIterator it(QStringLiteral(":/manual"), {QStringLiteral("*.html")}); it.hasNext();) {
            const QString ruta = it.next();
            const QString html = leerTexto(ruta);
            paginas << QFileInfo(ruta).fileName();
            if (paginas.back() == QLatin1String(kPaginaIndice)) indice = html;
            for (const auto& m : enlace.globalMatch(html))
                if (!QFile::exists(QStringLiteral(":/manual/") + m.captured(1)))
                    rotos << paginas.back() + QStringLiteral(" -> ") + m.captured(1);
        }
        QVERIFY2(rotos.isEmpty(), qPrintable(rotos.join(QLatin1Char('\n'))));
        QVERIFY(paginas.size() >= 10);
        for (const QString& p : paginas)
            if (p != QLatin1String(kPaginaIndice))
                QVERIFY2(indice.contains(QStringLiteral("href=\"") + p), qPrintable(p));
    }
};

QTEST_MAIN(PruebaAyuda)
#include "ayuda_test.moc"
