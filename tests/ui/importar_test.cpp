// "Importar Datos Campo" driven through its widgets under the offscreen
// platform: the list, the source buttons, "Aceptar" and the double click.
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "import/mensajes_importacion.h"
#include "ui/import/importar_datos_campo_dialogo.h"

using namespace celvara;

class PruebaImportar : public QObject {
    Q_OBJECT

    static std::filesystem::path escribir(const QTemporaryDir& dir, const char* nombre, const QByteArray& datos) {
        const QString ruta = dir.filePath(QString::fromLatin1(nombre));
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(datos);
        return std::filesystem::path(QFile::encodeName(ruta).toStdString());
    }

private slots:
    void alAbrir() {
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        std::uint8_t bandera = 0;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo d(ajustes, libreta, &bandera, nullptr, &avisos);
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Importar Datos Campo"));
        QCOMPARE(d.lista()->count(), 33);
        QCOMPARE(d.lista()->item(28)->text(), QStringLiteral("Fichero Leica-Wild Clásico"));
        QVERIFY(d.desdeFichero()->isChecked());
        QVERIFY(!d.botonCfg()->isEnabled());
        QTest::mouseClick(d.desdeEstacion(), Qt::LeftButton);
        QVERIFY(d.botonCfg()->isEnabled());
        QTest::mouseClick(d.botonCfg(), Qt::LeftButton);
        QCOMPARE(avisos.textos().size(), std::size_t{1});
        QTest::mouseClick(d.desdeFichero(), Qt::LeftButton);
        QVERIFY(!d.botonCfg()->isEnabled());
    }

    void aceptarSinSeleccionNoHaceNada() {
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo d(ajustes, libreta, nullptr, nullptr, &avisos);
        int preguntas = 0;
        d.fijarPedirFichero([&](const FormatoImportacion&, const std::string&) {
            ++preguntas;
            return std::optional<std::filesystem::path>();
        });
        d.show();
        QTest::mouseClick(d.botonAceptar(), Qt::LeftButton);
        QCOMPARE(preguntas, 0);
        QVERIFY(d.isVisible());
    }

    void importaYSeCierra() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto ruta = escribir(dir, "campo.gsi",
                                   "110001+00000001 21.322+12345678 22.322+09876543 31..00+00025432 \r\n"
                                   "110002+00000002 21.322+00000100 \r\n");
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo d(ajustes, libreta, nullptr, nullptr, &avisos);
        std::string filtro;
        d.fijarPedirFichero([&](const FormatoImportacion&, const std::string& f) {
            filtro = f;
            return std::optional<std::filesystem::path>(ruta);
        });
        d.show();
        d.lista()->setCurrentRow(5);
        QTest::mouseClick(d.botonAceptar(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(filtro, std::string(".GSI de WILD (*.gsi) | *.gsi|Todos los archivos (*.*) | *.*||"));
        QVERIFY(avisos.mensajes.empty());
        QCOMPARE(libreta.contarLecturas(), std::size_t{2});
        QCOMPARE(libreta.estaciones[0]->estacionamientos[0]->lecturas[0].horizontal, 123.45678);
    }

    void detectarFormatoEligeYImporta() {
        QTemporaryDir dir;
        const auto ruta = escribir(dir, "campo.job", "2=E1\r\n3=1.5\r\n5=7\r\n7=10.5\r\n8=99\r\n");
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo d(ajustes, libreta, nullptr, nullptr, &avisos);
        std::string filtro;
        d.fijarPedirFichero([&](const FormatoImportacion&, const std::string& f) {
            filtro = f;
            return std::optional<std::filesystem::path>(ruta);
        });
        d.show();
        QTest::mouseClick(d.botonDetectar(), Qt::LeftButton);
        QCOMPARE(filtro, std::string("Todos los archivos (*.*) | *.*||"));
        QCOMPARE(d.lista()->currentRow(), 4);  // "GEODIMETER"
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(libreta.contarLecturas(), std::size_t{1});
        QVERIFY(avisos.mensajes.empty());
    }

    void falloMuestraElMensajeYSigueAbierto() {
        QTemporaryDir dir;
        const auto ruta = escribir(dir, "campo.txt", "SS     1,1.5,A\n");
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo d(ajustes, libreta, nullptr, nullptr, &avisos);
        d.fijarPedirFichero([&](const FormatoImportacion&, const std::string&) {
            return std::optional<std::filesystem::path>(ruta);
        });
        d.show();
        // A double click on "GTS700 de TOPCON" runs the import too.
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* item = d.lista()->item(11);
        d.lista()->scrollToItem(item);
        const QPoint centro = d.lista()->visualItemRect(item).center();
        QTest::mouseClick(d.lista()->viewport(), Qt::LeftButton, {}, centro);
        QTest::mouseDClick(d.lista()->viewport(), Qt::LeftButton, {}, centro);
        QVERIFY(d.isVisible());
        QCOMPARE(avisos.textos(), (std::vector<std::string>{mensajes::kVisualesAntesDatos2, mensajes::kFormatoNoCoincide}));
        QVERIFY(libreta.estaciones.empty());
    }

    void filtrosParaElDialogoDeFicheros() {
        QCOMPARE(ui::DialogoImportarDatosCampo::filtroQt(*formatoImportacion(5)),
                 QStringLiteral(".GSI de WILD (*.gsi) (*.gsi *.GSI);;Todos los archivos (*)"));
        QCOMPARE(ui::DialogoImportarDatosCampo::filtroQt(*formatoImportacion(11)),
                 QStringLiteral("GTS700 de TOPCON (*);;Todos los archivos (*)"));
    }
};

QTEST_MAIN(PruebaImportar)
#include "importar_test.moc"
