// The main window as a new user walks through it: deleting asks, a new book
// leaves nothing of the old one in the drawing, face-right sights point the
// right way, a coordinate file written by a command shows in the tree, Qt's
// own texts are Spanish and the set-up header stays readable at 1024 × 700.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cmath>

#include "gestor_apoyo_ui.h"
#include "manager/fichero_crd.h"
#include "ui/dibujo/panel_dibujo.h"
#include "ui/manager/gestor_acerca.h"
#include "ui/manager/gestor_arbol_modelo.h"
#include "ui/manager/gestor_idioma.h"
#include "ui/manager/gestor_paneles.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;
using prueba_ventana::BancoVentana;

namespace {

void clicEnNodo(ui::VentanaGestor& v, const NodoArbol& n) {
    const QModelIndex i = v.modeloArbol()->indice(n);
    QVERIFY(i.isValid());
    v.arbol()->scrollTo(i);
    QTest::mouseClick(v.arbol()->viewport(), Qt::LeftButton, {}, v.arbol()->visualRect(i).center());
}

// Station B3 at (0, 0) with set-up B3_1 (hi 1.472, ω 389.5154): one sight
// face right, horizontal 300 and zenith 300, 10 m away.
void libretaCirculoDerecho(CLibretaCampo& l) {
    auto* e = crearEstacion(l.estaciones, {.nombre = "B3", .coordenadas = Coordenadas{0, 0, 0}});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "B3_1", "B3", 1.472, nullptr, 389.5154);
    crearLectura(s->lecturas, std::nullopt, "7", 1.3, 10, 300, 300, "");
}

}  // namespace

class PruebaRecorrido : public QObject {
    Q_OBJECT
private slots:
    void borrarDesdeElArbolPreguntaAntes() {
        BancoVentana b;
        ui::VentanaGestor& v = *b.ventana;
        clicEnNodo(v, NodoArbol::deEstacion(&b.estacion(0)));
        v.arbol()->setFocus();
        const std::string pregunta = "¿Borrar la estación A con 2 estacionamientos y 4 lecturas?";
        b.avisos.esperar(pregunta, Respuesta::No);
        QTest::keyClick(v.arbol(), Qt::Key_Delete);
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(3));
        b.avisos.esperar(pregunta, Respuesta::Si);
        QTest::keyClick(v.arbol(), Qt::Key_Delete);
        QCOMPARE(b.gestor().libreta().estaciones.size(), std::size_t(2));
        QVERIFY(b.avisos.vistos.back().botones == Botones::SiNo);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void abrirOtraLibretaDejaSoloSuDibujoYLaColumnaEstacion() {
        BancoVentana b;
        ui::VentanaGestor& v = *b.ventana;
        PuntoCoordenadas lejos;
        lejos.nombre = "90";
        lejos.estacion = "A";
        lejos.x = 5000;
        lejos.y = 7000;
        QCOMPARE(escribirListaPuntos({lejos}, b.obra() / "lejos.crd"), Estado::Exito);
        v.accion(32922)->trigger();  // "Actualizar": the file shows under "Coordenadas"
        clicEnNodo(v, NodoArbol::deFichero(0));
        QCOMPARE(v.rejilla()->textoCelda(0, 1), QStringLiteral("A"));
        v.casillaVista(VistaDibujo::Puntos)->setChecked(true);
        QCOMPARE(v.dibujo()->escena().puntos.size(), std::size_t(1));

        CLibretaCampo otra;
        crearEstacion(otra.estaciones, {.nombre = "Z1", .coordenadas = Coordenadas{10, 20, 0}});
        QVERIFY(escribirLibreta(otra, b.obra() / "otra.obs"));
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\otra.obs");
        v.accion(32786)->trigger();  // "Abrir"
        clicEnNodo(v, NodoArbol::raizCoordenadas());
        const Extension& e = v.dibujo()->escena().extension;
        QVERIFY(v.dibujo()->escena().puntos.empty());
        QCOMPARE(e.xMin, 10.0);
        QCOMPARE(e.xMax, 10.0);
        QCOMPARE(e.yMax, 20.0);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void visualEnCirculoDerechoSeDibujaEnSuDireccion() {
        BancoVentana b(libretaCirculoDerecho);
        ui::VentanaGestor& v = *b.ventana;
        b.estacion(0).estacionamientos[0]->desorientacion = 0;
        clicEnNodo(v, NodoArbol::deEstacionamiento(&b.estacion(0), b.estacion(0).estacionamientos[0].get()));
        v.casillaVista(VistaDibujo::Visuales)->setChecked(true);
        const auto& visuales = v.dibujo()->escena().visuales;
        QCOMPARE(visuales.size(), std::size_t(1));
        QVERIFY(std::abs(visuales[0].x2 - 10) < 0.001);  // 300 − 200 = 100 gon: east
        QVERIFY(std::abs(visuales[0].y2) < 0.001);
    }

    void ficheroDeLaRadiacionApareceEnElArbol() {
        BancoVentana b;
        ui::VentanaGestor& v = *b.ventana;
        const QModelIndex coordenadas = v.modeloArbol()->raizCoordenadas();
        QCOMPARE(v.modeloArbol()->rowCount(coordenadas), 0);
        const QString crd = QString::fromStdString((b.obra() / "radiados.crd").string());
        QTimer::singleShot(0, [&] {
            QWidget* d = QApplication::activeModalWidget();
            QVERIFY(d);
            d->findChild<QLineEdit*>(QStringLiteral("ficheroCrd"))->setText(crd);
            d->findChild<QPushButton*>(QStringLiteral("calcular"))->click();
        });
        v.ejecutarComando(32838);  // "Calculo "RADIACION"..."
        QCOMPARE(b.avisos.vistos.size(), std::size_t(1));
        QVERIFY(b.avisos.vistos[0].texto.find("radiados.crd") != std::string::npos);
        QCOMPARE(v.modeloArbol()->rowCount(coordenadas), 1);
        QCOMPARE(v.modeloArbol()->index(0, 0, coordenadas).data().toString(), QStringLiteral("radiados.crd"));
    }

    void textosDeQtEnEspanol() {
        QVERIFY(ui::instalarIdiomaEspanol(*qApp));
        QMessageBox caja;
        caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto texto = [&](QMessageBox::StandardButton b) { return caja.button(b)->text().remove(u'&'); };
        QCOMPARE(texto(QMessageBox::Yes), QStringLiteral("Sí"));
        QCOMPARE(texto(QMessageBox::No), QStringLiteral("No"));
        QCOMPARE(texto(QMessageBox::Cancel), QStringLiteral("Cancelar"));
        // "Compilado el 6 de diciembre de 2026".
        QVERIFY(ui::textoAcercaDe().contains(QStringLiteral(" de ") + QString::fromLatin1(__DATE__).right(4)));
    }

    void cabeceraLegibleA1024x700() {
        BancoVentana b(libretaCirculoDerecho);
        ui::VentanaGestor& v = *b.ventana;
        v.resize(1024, 700);
        clicEnNodo(v, NodoArbol::deEstacionamiento(&b.estacion(0), b.estacion(0).estacionamientos[0].get()));
        QTest::qWait(20);
        const QString medidas = QStringLiteral("%1x%2 min %3 arbol %4 cabecera %5 dibujo %6 detalle %7")
                                    .arg(v.width()).arg(v.height()).arg(v.minimumSizeHint().width())
                                    .arg(v.arbol()->minimumSizeHint().width())
                                    .arg(v.cabecera()->minimumSizeHint().width())
                                    .arg(v.dibujo()->parentWidget()->minimumSizeHint().width())
                                    .arg(v.panelEstacion()->minimumSizeHint().width());
        QVERIFY2(v.size() == QSize(1024, 700) && v.minimumSizeHint().width() <= 1024, qPrintable(medidas));
        ui::CabeceraEstacionamientoQt* c = v.cabecera();
        QCOMPARE(c->altura->text(), QStringLiteral("1.472"));
        for (QLineEdit* e : {c->nombre, c->estacion, c->altura, c->desorientacion}) {
            QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) + 8 <= e->width(), qPrintable(e->text()));
            QCOMPARE(e->cursorPosition(), 0);
        }
    }
};

QTEST_MAIN(PruebaRecorrido)
#include "gestor_recorrido_test.moc"
