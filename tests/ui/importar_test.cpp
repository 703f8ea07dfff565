// The import windows under the offscreen platform: "Importar Datos Campo"
// driven through its list, source buttons, "Aceptar" and double click; and
// the serial download windows over socat pseudo-terminal pairs (those cases
// are skipped when socat is missing).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QRadioButton>
#include <QtTest>
#include <thread>

#include "comun/imagen.h"
#include "comun/pares_pty.h"
#include "gestor_apoyo_ui.h"
#include "import/mensajes_importacion.h"
#include "ui/import/comunicacion_dialogos.h"
#include "ui/import/importar_datos_campo_dialogo.h"
#include "ui/serie/puerto_serie.h"

using namespace celvara;
using namespace celvara::prueba_ventana;
using namespace std::chrono_literals;

namespace {

// The import window, shown; asked for a file it answers with the one
// written here and keeps the filter it was asked with.
struct Importacion {
    Trabajo w;
    ui::DialogoImportarDatosCampo d{w.ajustes, w.libreta, nullptr, nullptr, &w.avisos};
    std::optional<std::filesystem::path> fichero;
    std::string filtro;
    int preguntas = 0;
    Importacion(const char* nombre, const std::string& datos) {
        fichero = std::filesystem::path(QFile::encodeName(w.ruta(nombre)).toStdString());
        prueba::escribirFichero(*fichero, datos);
        d.fijarPedirFichero([this](const FormatoImportacion&, const std::string& f) {
            ++preguntas;
            filtro = f;
            return fichero;
        });
        d.show();
    }
};

}  // namespace

class PruebaImportar : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::filesystem::path carpeta() const { return QFile::encodeName(dir_.path()).toStdString(); }

private slots:
    // The format table's texts as shown; "Aceptar" with nothing chosen asks
    // for no file, with a format it imports and closes ("CFG": protocoloYCfg).
    void importaYSeCierra() {
        Importacion i("campo.gsi",
                      "110001+00000001 21.322+12345678 22.322+09876543 31..00+00025432 \r\n"
                      "110002+00000002 21.322+00000100 \r\n");
        QCOMPARE(i.d.lista()->item(28)->text(), QStringLiteral("Fichero Leica-Wild Clásico"));
        QTest::mouseClick(i.d.botonAceptar(), Qt::LeftButton);
        QVERIFY(i.preguntas == 0 && i.d.isVisible());
        i.d.lista()->setCurrentRow(5);
        QTest::mouseClick(i.d.botonAceptar(), Qt::LeftButton);
        QVERIFY(!i.d.isVisible() && i.w.avisos.mensajes.empty());
        QCOMPARE(i.w.libreta.contarLecturas(), std::size_t{2});

        // The filters its file dialog is given.
        QCOMPARE(ui::DialogoImportarDatosCampo::filtroQt(*formatoImportacion(5)),
                 QStringLiteral(".GSI de WILD (*.gsi) (*.gsi *.GSI);;Todos los archivos (*)"));
        QCOMPARE(ui::DialogoImportarDatosCampo::filtroQt(*formatoImportacion(11)),
                 QStringLiteral("GTS700 de TOPCON (*);;Todos los archivos (*)"));
    }

    void detectarFormatoEligeYImporta() {
        Importacion i("campo.job", "2=E1\r\n3=1.5\r\n5=7\r\n7=10.5\r\n8=99\r\n");
        QTest::mouseClick(i.d.botonDetectar(), Qt::LeftButton);
        QCOMPARE(i.filtro, std::string("Todos los archivos (*.*) | *.*||"));
        QCOMPARE(i.d.formatoDetectado()->text(), QStringLiteral("Formato: 4 GEODIMETER"));  // the detection: cli_importar_test
        QCOMPARE(i.w.libreta.contarLecturas(), std::size_t{1});
        QVERIFY(i.w.avisos.mensajes.empty());
    }

    void falloMuestraElMensajeYSigueAbierto() {
        Importacion i("campo.txt", "SS     1,1.5,A\n");
        // A double click on "GTS700 de TOPCON" runs the import too.
        QVERIFY(QTest::qWaitForWindowExposed(&i.d));
        auto* item = i.d.lista()->item(11);
        i.d.lista()->scrollToItem(item);
        const QPoint centro = i.d.lista()->visualItemRect(item).center();
        QTest::mouseClick(i.d.lista()->viewport(), Qt::LeftButton, {}, centro);
        QTest::mouseDClick(i.d.lista()->viewport(), Qt::LeftButton, {}, centro);
        QVERIFY(i.d.isVisible());
        QCOMPARE(i.w.avisos.mensajes.size(), std::size_t{1});  // its text: etiquetas_test
        QVERIFY(i.w.libreta.estaciones.empty());
    }

    // A real instrument file read into a new book: the progress box is gone
    // before the merge's message, which names no station as the book's own.
    void progresoCerradoAntesDelMensaje() {
        const std::filesystem::path muestra = std::filesystem::path(CELVARA_MUESTRAS) / "gsi8_ertola.gsi";
        if (!std::filesystem::exists(muestra)) QSKIP("sin las muestras de instrumentos");
        struct Avisos : celvara::Avisos {
            QWidget* ventana = nullptr;
            std::vector<std::string> textos;
            int conProgreso = 0;
            Respuesta mensaje(std::string_view texto, std::string_view, Botones, Icono) override {
                textos.emplace_back(texto);
                conProgreso += !ventana->findChildren<QProgressDialog*>().isEmpty();
                return Respuesta::Aceptar;
            }
        } avisos;
        Trabajo w;
        ui::DialogoImportarDatosCampo d{w.ajustes, w.libreta, nullptr, nullptr, &avisos};
        avisos.ventana = &d;
        d.fijarPedirFichero([&](const FormatoImportacion&, const std::string&) { return muestra; });
        d.show();
        QTest::mouseClick(d.botonDetectar(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(avisos.textos.size(), std::size_t{1});
        QVERIFY(avisos.textos[0].starts_with(mensajes::kResumenOmitidas));
        QCOMPARE(avisos.conProgreso, 0);
    }

    // The port object holds 1200/7/E/2. A Linux pty keeps only 8 bits
    // without parity, so there the open fails and the port stays closed,
    // as a configuration failure must; 1200/8/N/2 opens.
    void configuracionLeidaDelPuerto() {
#ifdef _WIN32
        QSKIP("socat no está instalado");
#else
        if (!prueba::haySocat()) QSKIP("socat no está instalado");
        prueba::ParPty par(carpeta());
        QVERIFY(par.listo());
        ui::PuertoSerie puerto;
        const bool abierto = puerto.abrir({par.receptor.string(), 1200, 7, 'E', 2, ControlFlujo::Ninguno});
        QCOMPARE(puerto.puerto().baudRate(), 1200);
        QCOMPARE(puerto.puerto().dataBits(), QSerialPort::Data7);
        QCOMPARE(puerto.puerto().parity(), QSerialPort::EvenParity);
        QCOMPARE(puerto.puerto().stopBits(), QSerialPort::TwoStop);
        QCOMPARE(puerto.abierto(), abierto);
        if (!abierto) QVERIFY(!puerto.error().isEmpty());
        QVERIFY(puerto.abrir({par.receptor.string(), 1200, 8, 'N', 2, ControlFlujo::XonXoff}));
        QCOMPARE(puerto.puerto().flowControl(), QSerialPort::SoftwareControl);
#endif
    }

    void protocoloYCfg() {
        const MapaRutas mapa(carpeta());
        ProtocoloComunicaciones p;
        p.puerto = {"/dev/ttyUSB7", 1200, 7, 'E', 2, ControlFlujo::Hardware};
        ui::DialogoProtocoloComunicaciones d(p, mapa);
        QCOMPARE(d.paridad()->currentText() + d.control()->currentText(), QStringLiteral("ParRTS/CTS"));
        QVERIFY(!d.botonFichero()->isEnabled());
        d.generar()->setChecked(true);
        QVERIFY(d.botonFichero()->isEnabled());
        d.pedirFichero = [&] { return std::optional(carpeta() / "OBRA.TXT"); };
        QTest::mouseClick(d.botonFichero(), Qt::LeftButton);
        QCOMPARE(d.ruta()->text(), QStringLiteral("C:\\OBRA.TXT"));
        d.paridad()->setCurrentIndex(2);
        const ProtocoloComunicaciones q = d.protocolo();
        QCOMPARE(q.ficheroUsado(), std::string("C:\\OBRA.TXT"));
        QCOMPARE(q.puerto.paridad, 'O');  // the rest as shown
        QVERIFY(q.puerto.puerto == "/dev/ttyUSB7" && q.puerto.baudios == 1200 && q.puerto.bitsDatos == 7 &&
                q.puerto.bitsParada == 2 && q.puerto.control == ControlFlujo::Hardware);

        // "CFG", only with the instrument source, keeps the settings in celvara.ini.
        CDatosGenerales ajustes;
        ajustes.rutaFicheroAjustes.asignar("C:\\observa.dft");
        CLibretaCampo libreta;
        prueba::AvisosGrabados avisos;
        ui::DialogoImportarDatosCampo importar(ajustes, libreta, nullptr, nullptr, &avisos, &mapa);
        importar.show();
        QVERIFY(!importar.botonCfg()->isEnabled());
        QTest::mouseClick(importar.desdeEstacion(), Qt::LeftButton);
        QTimer::singleShot(0, [] {
            auto* p = qobject_cast<ui::DialogoProtocoloComunicaciones*>(QApplication::activeModalWidget());
            if (!p) return;
            p->baudios()->setCurrentText(QStringLiteral("4800"));
            p->accept();
        });
        QTest::mouseClick(importar.botonCfg(), Qt::LeftButton);
        const std::string ini = prueba::leerFichero(carpeta() / "celvara.ini");
        QVERIFY2(ini.find("[Comunicaciones]") != std::string::npos, ini.c_str());
        QVERIFY(ini.find("Baudios=4800") != std::string::npos);
        QVERIFY(avisos.mensajes.empty());
    }

    // The sender dies mid-line: the window counts the lines, says it once and
    // "Terminar" writes them (the lines kept, one message:
    // CapturaCli.CorteDelEmisorConservaLoRecibido).
    void corteDelEmisorYTerminar() {
        if (!prueba::haySocat()) QSKIP("socat no está instalado");
        prueba::ParPty par(carpeta());
        QVERIFY(par.listo());
        const auto fichero = carpeta() / "TEMP.TXT";
        prueba::escribirFichero(fichero, "anterior\r\n");
        prueba::AvisosGrabados avisos;
        std::uint8_t bandera = 9;
        auto d = std::make_unique<ui::DialogoComunicacion>(ParametrosPuerto{par.receptor.string()}, fichero, &bandera,
                                                           avisos);
        d->show();
        QCOMPARE(bandera, std::uint8_t{0});
        std::thread emisor([&] { par.enviar("110001+00000001 \r\n110002+0000000\xD1 \n1100"); });
        QTRY_COMPARE(d->contador()->text(), QStringLiteral("Línea: 2"));
        emisor.join();
        QTRY_COMPARE(d->linea()->text(), QStringLiteral("1100"));
        par.terminar();
        QTRY_COMPARE(avisos.mensajes.size(), std::size_t{1});
        QVERIFY(avisos.mensajes[0].texto.starts_with("Error en el puerto"));
        QTest::mouseClick(d->botonTerminar(), Qt::LeftButton);
        QVERIFY(d->escrito());  // the file and its copy: CapturaSerie.TerminarEscribeYGuardaLaCopia
        QVERIFY(prueba::leerFichero(fichero).ends_with("\r\n1100\r\n"));
    }

    // Escape drops the capture; the port is busy while the window is open
    // (Terminar then closes saying nothing; a port that does not exist:
    // CapturaCli.PuertoQueNoExisteNoTocaNada) and free again as soon as it
    // closes; an empty capture imports nothing.
    void escapeOcupadoYSinLineas() {
        if (!prueba::haySocat()) QSKIP("socat no está instalado");
        prueba::ParPty par(carpeta());
        QVERIFY(par.listo());
        const auto fichero = carpeta() / "ESC.TXT";
        prueba::escribirFichero(fichero, "anterior");
        prueba::AvisosGrabados avisos;
        {
            ui::DialogoComunicacion d({par.receptor.string()}, fichero, nullptr, avisos);
            d.show();
            ui::DialogoComunicacion ocupado({par.receptor.string()}, fichero, nullptr, avisos);
            QCOMPARE(ocupado.estado()->text(), QStringLiteral("PUERTO NO EXISTE O ESTÁ OCUPADO"));
            ocupado.botonTerminar()->click();
            QVERIFY(!ocupado.escrito());
            QVERIFY(par.enviar("linea\r"));
            QTRY_COMPARE(d.lineas(), std::size_t{1});
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible() && !d.escrito());
        }
        ui::DialogoComunicacion otra({par.receptor.string()}, fichero, nullptr, avisos);
        QVERIFY(!otra.puertoFallido());
        QTest::mouseClick(otra.botonTerminar(), Qt::LeftButton);
        QCOMPARE(avisos.textos(), std::vector<std::string>{mensajes::kSinLineas});
        QCOMPARE(prueba::leerFichero(fichero), std::string("anterior"));
    }

};

QTEST_MAIN(PruebaImportar)
#include "importar_test.moc"
