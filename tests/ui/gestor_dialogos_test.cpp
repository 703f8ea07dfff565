// The grid component on its own, and the Qt dialogs of the main window:
// the configuration sheet, "INSERTAR DATO", the file dialog (filters and
// path mapping) and the report viewer.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "gestor_apoyo_ui.h"
#include "ui/manager/configuracion_dialogo.h"
#include "ui/manager/gestor_dialogos_qt.h"
#include "ui/manager/gestor_informes_qt.h"
#include "ui/manager/gestor_nombre_dialogo.h"
#include "ui/rejilla/rejilla.h"

using namespace celvara;

namespace {

// Runs `accion` on the modal dialog once it is up.
template <typename T, typename F>
void alAbrirse(F accion) {
    QTimer::singleShot(0, [accion] {
        QWidget* w = QApplication::activeModalWidget();
        T* dialogo = qobject_cast<T*>(w);
        QVERIFY2(dialogo, "no modal dialog of the expected kind");
        accion(dialogo);
    });
}

}  // namespace

class PruebaDialogos : public QObject {
    Q_OBJECT
private slots:
    void rejillaConFilasDeValores() {
        ui::CRejilla r;
        ColumnaRejilla usar{"Usar", 1, 40};
        usar.casilla = true;
        ColumnaRejilla nombre{"Nombre", 15, 120};
        ColumnaRejilla valor{"Valor", 12};
        valor.alineacion = AlineacionColumna::Derecha;
        r.fijarColumnas({usar, nombre, valor});
        r.agregarFila({true, QStringLiteral("B1"), 12.5});
        r.agregarFila({false, QStringLiteral("Ñ2"), 3});
        QCOMPARE(r.filas(), 2);
        QCOMPARE(r.textoCelda(0, 0), QStringLiteral("1"));
        QCOMPARE(r.textoCelda(0, 2), QStringLiteral("12.5"));
        QCOMPARE(r.textoCelda(1, 1), QStringLiteral("Ñ2"));
        QCOMPARE(r.modelo()->data(r.modelo()->index(0, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(r.vista()->columnWidth(1), 120);
        r.ocultarColumna(2, true);
        QVERIFY(r.vista()->isColumnHidden(2));
        r.anchoColumna(1, 77);
        QCOMPARE(r.vista()->columnWidth(1), 77);
        r.fijarValorCelda(1, 2, QStringLiteral("4,5"));
        QCOMPARE(r.textoCelda(1, 2), QStringLiteral("4,5"));

        QSignalSpy editada(&r, &ui::CRejilla::celdaEditada);
        QVERIFY(r.modelo()->setData(r.modelo()->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(r.textoCelda(1, 0), QStringLiteral("1"));
        QCOMPARE(editada.count(), 1);
        QCOMPARE(editada.first().at(0).toInt(), 1);

        r.fijarFilas(5);
        QCOMPARE(r.filas(), 5);
        r.vaciar();
        QCOMPARE(r.filas(), 0);
    }

    void rejillaPideInsertarYBorrar() {
        ui::CRejilla r;
        r.fijarColumnas({ColumnaRejilla{"A"}});
        for (int i = 0; i < 4; ++i) r.agregarFila({i});
        r.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r));
        QSignalSpy insertar(&r, &ui::CRejilla::insertarFilaPedida);
        QSignalSpy borrar(&r, &ui::CRejilla::borrarFilaPedida);
        r.irAFila(2);
        QTest::keyClick(r.vista(), Qt::Key_Insert);
        QCOMPARE(insertar.count(), 0);  // not asked for
        r.permitirInsertarBorrar(true);
        QTest::keyClick(r.vista(), Qt::Key_Insert);
        QTest::keyClick(r.vista(), Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(r.vista(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(insertar.count(), 2);
        QCOMPARE(insertar.at(0).at(0).toInt(), 2);
        QCOMPARE(insertar.at(1).at(0).toInt(), 4);  // append: the row count
        QCOMPARE(borrar.count(), 1);
        QCOMPARE(borrar.first().at(0).toInt(), 2);
        r.irAUltima();
        QCOMPARE(r.filaActual(), 3);
        r.irAFila(99);
        QCOMPARE(r.filaActual(), 3);
    }

    void hojaDeConfiguracionAceptarYCancelar() {
        CDatosGenerales a;
        CConfiguracion c(a);
        ui::DialogoConfiguracion d(c);
        QCOMPARE(d.windowTitle(), QStringLiteral("PANTALLA DE CONFIGURACION"));
        QCOMPARE(d.paginas()->count(), 3);
        QCOMPARE(d.paginas()->tabText(0), QStringLiteral("CALCULO"));
        QCOMPARE(d.paginas()->tabText(1), QStringLiteral("IMPORTAR"));
        QCOMPARE(d.paginas()->tabText(2), QStringLiteral("VARIOS"));
        auto* proyeccion = d.findChild<QComboBox*>(QStringLiteral("proyeccion"));
        auto* angular = d.findChild<QComboBox*>(QStringLiteral("angular"));
        auto* visuales = d.findChild<QCheckBox*>(QStringLiteral("dibujarVisuales"));
        auto* escala = d.findChild<QLineEdit*>(QStringLiteral("escala"));
        QVERIFY(proyeccion && angular && visuales && escala);
        QCOMPARE(escala->text(), QStringLiteral("1.0000000000"));
        proyeccion->setCurrentIndex(2);
        angular->setCurrentIndex(1);
        visuales->setChecked(true);
        escala->setText(QStringLiteral("0,9996"));
        d.reject();
        QCOMPARE(c.calculo.proyeccion, 0);  // Cancel: nothing copied
        d.accept();
        QCOMPARE(c.calculo.proyeccion, 2);
        QCOMPARE(c.importar.datos.indiceAngular, 1);
        QVERIFY(c.varios.dibujarVisuales);
        c.aceptar(a);
        QCOMPARE(a.proyeccion, 2u);
        QCOMPARE(a.escalaAdicional, 0.9996);
        QCOMPARE(a.datosPorDefecto.unidadAngular, 360);
    }

    void configurarDesdeLaVentanaConLaHojaReal() {
        prueba_ventana::BancoVentana b;
        ui::DialogosGestorQt qt(b.ventana.get(), b.mapa);
        b.dialogos.configurar = [&qt](CConfiguracion& c) {
            alAbrirse<ui::DialogoConfiguracion>([](ui::DialogoConfiguracion* d) {
                d->findChild<QComboBox*>(QStringLiteral("proyeccion"))->setCurrentIndex(1);
                d->accept();
            });
            return qt.editarConfiguracion(c);
        };
        b.ventana->ejecutarComando(32989);  // toolbar "Configuración"
        QCOMPARE(b.gestor().ajustes().proyeccion, 1u);
        QCOMPARE(b.gestor().libreta().proyeccion, 1u);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void insertarDatoConSusRotulos() {
        prueba_ventana::BancoVentana b;
        ui::DialogosGestorQt qt(b.ventana.get(), b.mapa);
        alAbrirse<ui::DialogoInsertarDato>([](ui::DialogoInsertarDato* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("INSERTAR DATO"));
            QCOMPARE(d->edicion()->text(), QStringLiteral("B_"));
            QCOMPARE(d->edicion()->maxLength(), 14);
            d->edicion()->setText(QStringLiteral("B_1"));
            d->accept();
        });
        QCOMPARE(qt.pedirNombre(true, "B_"), std::optional<std::string>("B_1"));
        alAbrirse<ui::DialogoInsertarDato>([](ui::DialogoInsertarDato* d) { d->reject(); });
        QCOMPARE(qt.pedirNombre(false, ""), std::optional<std::string>());
    }

    void dialogoDeFicheroDevuelveLaRutaWindows() {
        prueba_ventana::BancoVentana b;
        prueba_ventana::escribir(b.obra() / "OTRA.OBS", "x");
        PeticionFichero p;
        p.extension = "OBS";
        p.filtro = kFiltroObservaciones;
        p.directorioInicial = "C:\\TRABAJOS\\OBRA1\\";
        p.debeExistir = true;
        alAbrirse<QFileDialog>([](QFileDialog* d) {
            QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(d->nameFilters().first(), QStringLiteral("Archivos de Observaciones(*.OBS) (*.obs *.OBS)"));
            d->selectFile(QStringLiteral("OTRA.OBS"));
            QMetaObject::invokeMethod(d, "accept");
        });
        const auto ruta = ui::pedirFicheroQt(nullptr, b.mapa, p);
        QVERIFY(ruta.has_value());
        QCOMPARE(*ruta, std::string("C:\\TRABAJOS\\OBRA1\\OTRA.OBS"));
        QCOMPARE(ui::filtrosQt(kFiltroTexto), QStringList({"Archivos TEXTO (*.TXT) (*.TXT *.txt)"}));
    }

    void visorDeInformesMuestraElTextoEnWindows1252() {
        prueba_ventana::BancoVentana b;
        const auto ruta = b.obra() / "informe.txt";
        prueba_ventana::escribir(ruta, "ESTACION : \xD1u\n         No se estaci\xF3n\xF3.\n");
        ui::VisorInforme visor(QString::fromStdString(ruta.string()));
        QCOMPARE(visor.texto(), QStringLiteral("ESTACION : Ñu\n         No se estaciónó.\n"));
    }
};

QTEST_MAIN(PruebaDialogos)
#include "gestor_dialogos_test.moc"
