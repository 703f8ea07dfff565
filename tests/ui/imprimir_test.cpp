// "IMPRIMIR": listing choice, station and set-up lists, page and zoom
// buttons, export and print; the main window opens it with its listing.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "ui/output/imprimir_dialogo.h"

using namespace celvara;
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
void clic(const DialogoImprimir& d, const char* boton) {
    QTest::mouseClick(d.findChild<QPushButton*>(boton), Qt::LeftButton);
}

}  // namespace

class PruebaImprimir : public QObject {
    Q_OBJECT
private slots:
    void listadosListasYPaginas() {
        CLibretaCampo l;
        libreta(l);
        DatosTrabajo empresa;
        empresa.empresa = "TOPOGRAF\xCD" "A DEL SUR";
        empresa.direccion = "C/ Mayor 12, Jerez";
        empresa.telefonos = "956 000 000";
        const auto& a = *l.estaciones[0];
        DialogoImprimir d(l, EntornoListado{empresa, {}, nullptr}, Listado::Estadillo, &a,
                          a.estacionamientos[0].get());
        auto* listado = d.findChild<QComboBox*>("listado");
        auto* estaciones = d.findChild<QListWidget*>("estaciones");
        auto* estacionamientos = d.findChild<QListWidget*>("estacionamientos");
        QCOMPARE(d.windowTitle(), QStringLiteral("IMPRIMIR"));
        QCOMPARE(listado->count(), 4);
        QCOMPARE(listado->itemText(1), QStringLiteral("Reseña de Estación"));
        QCOMPARE(listado->currentIndex(), 2);
        QCOMPARE(estaciones->count(), 2);
        QCOMPARE(estacionamientos->currentItem()->text(), QStringLiteral("A_1"));
        QVERIFY(estaciones->isEnabled() && estacionamientos->isEnabled());

        // 37 readings: 36 + 1; "+" stops on the last page, "-" on the first.
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 1 de 2"));
        clic(d, "paginaMas");
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 2 de 2"));
        QCOMPARE(celdasTabla(d.vista()->pagina().tablas.at(0).texto).size(), 2u);
        clic(d, "paginaMas");
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 2 de 2"));
        clic(d, "paginaMenos");
        clic(d, "paginaMenos");
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 1 de 2"));

        estacionamientos->setCurrentRow(1);  // A_2: no readings
        QCOMPARE(textoPagina(d), QStringLiteral("Página: 1 de 1"));
        estaciones->setCurrentRow(1);  // B: no set-ups, nothing to list
        QCOMPARE(estacionamientos->count(), 0);
        QVERIFY(d.vista()->pagina().tablas.empty());

        listado->setCurrentIndex(0);
        QVERIFY(!estaciones->isEnabled() && !estacionamientos->isEnabled());
        QCOMPARE(d.vista()->pagina().textos.at(0).texto, std::string("TOPOGRAF\xCD" "A DEL SUR"));
        listado->setCurrentIndex(1);
        QVERIFY(estaciones->isEnabled() && !estacionamientos->isEnabled());

        const int ancho = d.vista()->width();
        clic(d, "zoomMas");
        QCOMPARE(d.logica().zoom(), 120);
        QVERIFY(d.vista()->width() > ancho);

        if (const QByteArray carpeta = qgetenv("CELVARA_CAPTURAS"); !carpeta.isEmpty()) {
            estaciones->setCurrentRow(0);
            listado->setCurrentIndex(2);
            clic(d, "zoomMenos");
            clic(d, "zoomMenos");  // the whole width of the sheet
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.grab().save(QString::fromLocal8Bit(carpeta) + QStringLiteral("/imprimir.png"));
        }
    }

    void exportaEImprime() {
        CLibretaCampo l;
        libreta(l);
        QTemporaryDir dir;
        DialogoImprimir d(l, {}, Listado::Bases, nullptr, nullptr);
        const std::filesystem::path carpeta(dir.path().toStdString());
        QVERIFY(d.exportarA(carpeta / "bases"));  // no extension: PDF
        QFile pdf(dir.filePath("bases.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        QVERIFY(d.exportarA(carpeta / "bases.SVG"));
        QFile svg(dir.filePath("bases.SVG"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
        QVERIFY(!d.exportarA(carpeta / "no" / "hay.pdf"));

        QPrinter impresora(QPrinter::HighResolution);
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(dir.filePath("impreso.pdf"));
        QVERIFY(d.imprimirEn(impresora));
        QVERIFY(QFile::exists(dir.filePath("impreso.pdf")));
    }

    void laVentanaPrincipalAbreCadaListado() {
        prueba_ventana::BancoVentana b(libreta);
        for (const auto& [comando, indice] : {std::pair{32878, 0}, {32879, 3}}) {
            int visto = -1;
            QTimer::singleShot(0, [&visto] {
                auto* d = qobject_cast<DialogoImprimir*>(QApplication::activeModalWidget());
                if (!d) return;
                visto = d->findChild<QComboBox*>("listado")->currentIndex();
                d->reject();
            });
            b.ventana->ejecutarComando(comando);
            QCOMPARE(visto, indice);
        }
        QVERIFY(b.avisos.inesperados.empty());
    }
};

QTEST_MAIN(PruebaImprimir)
#include "imprimir_test.moc"
