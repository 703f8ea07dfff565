// "IMPRIMIR": listing choice, station and set-up lists, page and zoom
// buttons, export and print; the main window opens it with its listing.
// The points' export and import windows: the file written from what the
// window says, KML refused for "Planas", bad lines shown before skipping.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "output/puntos_kml.h"
#include "ui/output/imprimir_dialogo.h"
#include "ui/output/puntos_dialogos.h"

using namespace celvara;
using namespace celvara::prueba_ventana;
using ui::DialogoExportarPuntos;
using ui::DialogoImportarPuntos;
using ui::DialogoImprimir;

namespace {

// A with set-ups A_1 (37 readings) and A_2; B without set-ups.
void libreta(CLibretaCampo& l) {
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .tipo = 1, .coordenadas = Coordenadas{1000, 2000, 100},
                                           .descripcion1 = "Clavo en acera"});
    crearEstacion(l.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1100, 2000, 101}});
    auto* a1 = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 10);
    for (int i = 1; i <= 37; ++i)
        crearLectura(a1->lecturas, std::nullopt, std::to_string(i), 1.3, 20 + i, 100, 4 * i, "");
    crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.6, nullptr, 20);
}

QString textoPagina(const DialogoImprimir& d) { return d.findChild<QLabel*>("textoPagina")->text(); }

}  // namespace

class PruebaImprimir : public QObject {
    Q_OBJECT
private slots:
    // The window's lists and buttons reach the listing's logic (whose pages
    // and lists ImprimirTest checks): a page on, a station chosen, the lists
    // a listing uses, the zoom; export and print.
    void listadosListasYPaginas() {
        CLibretaCampo l;
        libreta(l);
        const auto& a = *l.estaciones[0];
        DialogoImprimir d(l, {}, Listado::Estadillo, &a, a.estacionamientos[0].get());
        auto* listado = d.findChild<QComboBox*>("listado");
        auto* estaciones = d.findChild<QListWidget*>("estaciones");
        auto* estacionamientos = d.findChild<QListWidget*>("estacionamientos");
        QCOMPARE(listado->itemText(1), QStringLiteral("Reseña de Estación"));  // shown as UTF-8
        QCOMPARE(estacionamientos->currentItem()->text(), QStringLiteral("A_1"));

        // 37 readings: 36 + 1.
        pulsar(d, "paginaMas");
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 2 de 2"));
        estaciones->setCurrentRow(1);  // B: no set-ups, nothing to list
        QVERIFY(d.vista()->pagina().tablas.empty());
        listado->setCurrentIndex(1);
        QVERIFY(estaciones->isEnabled() && !estacionamientos->isEnabled());

        const int ancho = d.vista()->width();
        pulsar(d, "zoomMas");
        QCOMPARE(d.logica().zoom(), 120);
        QVERIFY(d.vista()->width() > ancho);

        // Export and print, of the listing shown.
        QTemporaryDir dir;
        const std::filesystem::path carpeta(dir.path().toStdString());
        QVERIFY(d.exportarA(carpeta / "bases"));  // no extension: PDF
        QVERIFY(leerFichero(carpeta / "bases.pdf").starts_with("%PDF") && d.exportarA(carpeta / "bases.SVG"));
        QVERIFY(leerFichero(carpeta / "bases.SVG").find("<svg") != std::string::npos);
        QVERIFY(!d.exportarA(carpeta / "no" / "hay.pdf"));

        QPrinter impresora(QPrinter::HighResolution);
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(dir.filePath("impreso.pdf"));
        QVERIFY(d.imprimirEn(impresora));
        QVERIFY(QFile::exists(dir.filePath("impreso.pdf")));

        if (hayCapturas()) {
            estaciones->setCurrentRow(0);
            listado->setCurrentIndex(2);
            pulsar(d, "zoomMenos");
            pulsar(d, "zoomMenos");  // the whole width of the sheet
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            capturar(d, QStringLiteral("imprimir.png"));
        }
    }

    void laVentanaPrincipalAbreCadaListado() {
        BancoVentana b(libreta);
        for (const auto& [comando, indice] : {std::pair{32878, 0}, {32879, 3}}) {
            int visto = -1;
            alAbrirse<DialogoImprimir>([&visto](DialogoImprimir* d) {
                visto = d->findChild<QComboBox*>("listado")->currentIndex();
                d->reject();
            });
            b.ventana->ejecutarComando(comando);
            QCOMPARE(visto, indice);
        }
    }

    void exportaLoQueDiceLaVentana() {
        QTemporaryDir dir;
        const MapaRutas mapa(dir.path().toStdString());
        const ui::LugarFicheros lugar{&mapa, "C:\\", std::filesystem::path(dir.filePath("celvara.ini").toStdString())};
        ListaPuntos l = {{1, "E1", "", 436512.346, 4478021.678, 652.31, "V\xC9RTICE"}};
        auto ventana = std::make_unique<DialogoExportarPuntos>(l, Proyeccion::Planas, lugar);
        DialogoExportarPuntos& d = *ventana;
        QCOMPARE(d.findChild<QComboBox*>("proyeccion")->currentText(), QStringLiteral("Planas"));
        d.findChild<QLineEdit*>("destino")->setText(QStringLiteral("C:\\p.csv"));
        auto* columnas = d.findChild<QLineEdit*>("columnas");
        columnas->clear();
        QTest::keyClicks(columnas, "nombre,n,e,codigo");
        d.findChild<QComboBox*>("separador")->setCurrentText(";");
        d.findChild<QSpinBox*>("decimales")->setValue(2);
        d.findChild<QCheckBox*>("cabecera")->setChecked(true);
        QTest::mouseClick(d.findChild<QPushButton*>("aceptar"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(leerFichero(dir.filePath("p.csv").toStdString()),
                 std::string("Nombre;N;E;C\xC3\xB3" "digo\r\nE1;4478021.68;436512.35;V\xC3\x89RTICE\r\n"));
        d.findChild<QLineEdit*>("destino")->setText(QStringLiteral("p.kml"));  // beside the book
        d.findChild<QComboBox*>("proyeccion")->setCurrentIndex(2);  // UTM WGS 84 (Planas refused: PuntosIntercambio)
        QVERIFY(d.exportar().ok && QFile::exists(dir.filePath("p.kml")));

        // The next time, another window over the same celvara.ini starts with
        // the last export's choices, and its file dialog with the KML format.
        ventana.reset();
        DialogoExportarPuntos otra(l, Proyeccion::Planas, lugar);
        QCOMPARE(otra.findChild<QLineEdit*>("columnas")->text(), QStringLiteral("nombre,n,e,codigo"));
        QCOMPARE(otra.findChild<QSpinBox*>("decimales")->value(), 2);
        QString filtro;
        alAbrirse<QFileDialog>([&](QFileDialog* f) {
            filtro = f->selectedNameFilter();
            f->reject();
        });
        QTest::mouseClick(otra.findChild<QPushButton*>("examinar"), Qt::LeftButton);
        QCOMPARE(filtro, QStringLiteral("KML (*.kml *.KML)"));
    }

    void importaPreguntandoPorLasLineasMalas() {
        QTemporaryDir dir;
        escribir(dir.filePath("i.csv").toStdString(), "A,1,2,3,X\nB,uno,2,3,X\nC,4,5,6,\n");
        const MapaRutas mapa(dir.path().toStdString());
        DialogoImportarPuntos d(ui::LugarFicheros{&mapa, "C:\\", {}}, QStringLiteral("C:\\i.crd"));
        d.findChild<QLineEdit*>("origen")->setText(QStringLiteral("i.csv"));
        QString preguntado;
        d.preguntar = [&](const QString& lineas) {
            preguntado = lineas;
            return false;
        };
        QVERIFY(!d.importar().ok);
        QVERIFY(!QFile::exists(dir.filePath("i.crd")));
        QVERIFY(preguntado.startsWith(QStringLiteral("línea 2: ")));
        d.preguntar = [](const QString&) { return true; };
        QVERIFY(d.importar().ok);
        ListaPuntos leidos;
        QCOMPARE(leerListaPuntos(dir.filePath("i.crd").toStdString(), leidos), Estado::Exito);
        QCOMPARE(leidos.size(), std::size_t(2));
        // No line gives a point: said in the window with the bad lines.
        escribir(dir.filePath("i.csv").toStdString(), "B,uno,2,3,X\n");
        const std::string mensaje = d.importar().mensaje;
        QVERIFY(mensaje.find("no tiene ningún punto") != std::string::npos && mensaje.find("línea 1: la X") != std::string::npos);
    }
};

QTEST_MAIN(PruebaImprimir)
#include "imprimir_test.moc"
