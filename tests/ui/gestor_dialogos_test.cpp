// The Qt dialogs of the main window and the windows it opens on its own
// data: the grid component, the configuration sheet, "INSERTAR DATO", the
// file dialog (filters and path mapping), the report viewer; the instrument
// windows and "DATOS GENERALES" in a scratch C:; the reading tools and the
// corrections window, each also opened from the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "gestor_apoyo_ui.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/datos/datos_trabajo_dialogo.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/import/recoger_dxf_dialogo.h"
#include "ui/manager/configuracion_dialogo.h"
#include "ui/manager/gestor_dialogos_qt.h"
#include "ui/manager/gestor_nombre_dialogo.h"
#include "ui/manager/herramientas_lecturas_dialogos.h"
#include "ui/output/correcciones_dialogo.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

namespace {

const std::string kDanada = "La Base de Datos de Instrumentos no Existe o esta Dañada";

QString biblioteca(const Trabajo& w) { return w.ruta("trabajos/vestrum/instrumentos.apa"); }

// One 392-byte record of the instrument library.
QByteArray registro(const char* nombre, int aumentos) {
    QByteArray r(392, '\0');
    std::memcpy(r.data() + 4, nombre, std::strlen(nombre));
    r[72] = static_cast<char>(aumentos);
    return r;
}

QByteArray leerBytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribirBytes(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).path());
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(datos);
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

        QSignalSpy editada(&r, &ui::CRejilla::celdaEditada);
        QVERIFY(r.modelo()->setData(r.modelo()->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(r.textoCelda(1, 0), QStringLiteral("1"));
        QCOMPARE(editada.count(), 1);
        QCOMPARE(editada.first().at(0).toInt(), 1);
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
        BancoVentana b;
        ui::DialogosGestorQt qt(&b.v, b.mapa);
        b.dialogos.configurar = [&qt](CConfiguracion& c) {
            alAbrirse<ui::DialogoConfiguracion>([](ui::DialogoConfiguracion* d) {
                d->findChild<QComboBox*>(QStringLiteral("proyeccion"))->setCurrentIndex(1);
                d->accept();
            });
            return qt.editarConfiguracion(c);
        };
        b.v.ejecutarComando(Comando::BarraConfiguracion);  // toolbar "Configuración"
        QCOMPARE(b.gestor().ajustes().proyeccion, 1u);
        QCOMPARE(b.gestor().libreta().proyeccion, 1u);
        QVERIFY(b.avisos.inesperados.empty());
    }

    void insertarDatoConSusRotulos() {
        BancoVentana b;
        ui::DialogosGestorQt qt(&b.v, b.mapa);
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

    // The dialog shows the program's paths, never the host folder of C:, and
    // starts the next time where it last chose a file for the same book.
    void dialogoDeFicheroDevuelveLaRutaWindows() {
        BancoVentana b;
        escribir(b.obra() / "OTRA.OBS", "x");
        escribir(b.trabajos() / "OTRO" / "VIEJA.OBS", "x");
        const auto ini = b.trabajos() / "celvara.ini";
        PeticionFichero p;
        p.extension = "OBS";
        p.filtro = kFiltroObservaciones;
        p.directorioInicial = "C:\\TRABAJOS\\OBRA1\\";
        p.debeExistir = true;
        p.recordar = "prueba";
        const QString vieja = QString::fromStdString((b.trabajos() / "OTRO" / "VIEJA.OBS").string());
        const std::pair<QString, QString> vueltas[] = {{QStringLiteral("C:\\TRABAJOS\\OBRA1"), vieja},
                                                       {QStringLiteral("C:\\TRABAJOS\\OTRO"), QStringLiteral("VIEJA.OBS")}};
        for (const auto& [mostrada, elegir] : vueltas) {
            alAbrirse<QFileDialog>([mostrada, elegir](QFileDialog* d) {
                QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
                QCOMPARE(d->nameFilters().first(), QStringLiteral("Archivos de Observaciones(*.OBS) (*.obs *.OBS)"));
                QTRY_COMPARE(d->findChild<QComboBox*>(QStringLiteral("lookInCombo"))->currentText(), mostrada);
                d->selectFile(elegir);
                QMetaObject::invokeMethod(d, "accept");
            });
            const auto ruta = ui::pedirFicheroQt(nullptr, b.mapa, p, ini);
            QCOMPARE(ruta, std::optional<std::string>("C:\\TRABAJOS\\OTRO\\VIEJA.OBS"));
        }
        QCOMPARE(ui::filtrosQt(kFiltroTexto), QStringList({"Archivos TEXTO (*.TXT) (*.TXT *.txt)"}));
    }

    void visorDeInformesMuestraElTextoEnWindows1252() {
        Trabajo w;
        escribir(w.ruta("informe.txt").toStdString(), "ESTACION : \xD1u\n         No se estaci\xF3n\xF3.\n");
        ui::VisorInforme visor(w.ruta("informe.txt"));
        QCOMPARE(visor.texto(), QStringLiteral("ESTACION : Ñu\n         No se estaciónó.\n"));
    }

    void editorBorrarYFoto() {
        Trabajo w;
        escribirBytes(biblioteca(w), registro("A", 30) + registro("B", 26) + registro("A", 28));
        const QString foto = w.ruta("trabajos/vestrum/ts.bmp");
        escribirBytes(foto, QByteArray("no es una imagen"));
        DialogoEditorInstrumentos editor(w.ajustes, w.mapa, w.avisos);
        editor.pedirFoto = [foto] { return std::optional<QString>(foto); };
        editor.show();
        auto* nombres = editor.findChild<QComboBox*>(QStringLiteral("nombres"));
        nombres->setCurrentIndex(1);
        emit nombres->activated(1);
        QCOMPARE(editor.findChild<QLineEdit*>(QStringLiteral("aumentos"))->text(), QStringLiteral("26"));
        pulsar(editor, "foto");
        auto* ruta = editor.findChild<QLineEdit*>(QStringLiteral("ficheroFoto"));
        QVERIFY2(ruta->text().startsWith(QStringLiteral("C:\\")), qPrintable(ruta->text()));
        QVERIFY(ruta->text().endsWith(QStringLiteral("\\ts.bmp")));
        editor.pedirFoto = [] { return std::optional<QString>(); };
        pulsar(editor, "foto");
        QCOMPARE(ruta->text(), QStringLiteral("c:\\trabajos\\vestrum\\foto0.bmp"));

        nombres->setCurrentIndex(2);
        emit nombres->activated(2);
        pulsar(editor, "borrar");
        QCOMPARE(nombres->count(), 1);
        QCOMPARE(nombres->itemText(0), QStringLiteral("B"));
        pulsar(editor, "salir");
        QCOMPARE(leerBytes(biblioteca(w)).size(), 392);
    }

    // The list shows the chosen one, opens the editor on it (same unit for
    // the spherical level) and reloads what the editor left.
    void listadoEligeAbreElEditorYRecarga() {
        Trabajo w;
        escribirBytes(biblioteca(w), registro("A", 30) + registro("B", 26));
        DialogoListadoInstrumentos listado(w.ajustes, w.mapa, w.avisos);
        listado.show();
        auto* nombres = listado.findChild<QListWidget*>(QStringLiteral("nombres"));
        auto caracteristica = [&](int i) {
            return listado.findChild<QLabel*>(QStringLiteral("caracteristica%1").arg(i))->text();
        };
        QCOMPARE(nombres->count(), 2);
        nombres->setCurrentRow(1);
        QCOMPARE(caracteristica(0), QStringLiteral("NOMBRE: B"));
        QCOMPARE(caracteristica(1), QStringLiteral("Aumentos: 26"));
        QVERIFY(caracteristica(10).endsWith(u'\''));  // minutes, as the editor reads
        int elegido = -1;
        QString aumentos;
        alAbrirse<DialogoEditorInstrumentos>([&](DialogoEditorInstrumentos* editor) {
            elegido = editor->findChild<QComboBox*>(QStringLiteral("nombres"))->currentIndex();
            aumentos = editor->findChild<QLineEdit*>(QStringLiteral("aumentos"))->text();
            editor->close();
        });
        pulsar(listado, "editor");
        QCOMPARE(elegido, 1);
        QCOMPARE(aumentos, QStringLiteral("26"));

        listado.ejecutarEditor = [&w] { escribirBytes(biblioteca(w), registro("C", 33)); };
        pulsar(listado, "editor");
        QCOMPARE(nombres->count(), 1);
        QCOMPARE(nombres->currentRow(), 0);
        QCOMPARE(caracteristica(1), QStringLiteral("Aumentos: 33"));
        pulsar(listado, "aceptar");
        QCOMPARE(listado.result(), int(QDialog::Accepted));
        QCOMPARE(listado.nombreElegido(), std::optional<std::string>("C"));
        QVERIFY(w.avisos.mensajes.empty());
    }

    void datosGeneralesCancelarYCrearElRegistro() {
        Trabajo w;
        const QString prt = w.ruta("trabajos/vestrum/datos_empresa.prt");
        QDir().mkpath(QFileInfo(prt).path());
        {
            DialogoDatosTrabajo dialogo(w.ajustes, w.mapa, w.avisos);
            dialogo.show();
            pulsar(dialogo, "cancelar");
            QVERIFY(!QFile::exists(prt));
        }
        DialogoDatosTrabajo dialogo(w.ajustes, w.mapa, w.avisos);
        // Once for each window opened.
        QCOMPARE(w.avisos.textos(), std::vector<std::string>(2, "El fichero de Datos Informativos del Trabajo\n"
                                                                "no Existe o esta Dañada"));
        dialogo.show();
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("empresa"))->text(), QStringLiteral("EMPRESA"));
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("direccion"))->text(), QStringLiteral("Dirección"));
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("telefonos"))->text(), QStringLiteral("Teléfono"));
        teclear(dialogo, "titulo", QStringLiteral("Parcela 14"));
        dialogo.findChild<QPlainTextEdit*>(QStringLiteral("observaciones"))->setPlainText(QStringLiteral("uno\ndos"));
        pulsar(dialogo, "aceptar");
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        const QByteArray bytes = leerBytes(prt);
        QCOMPARE(bytes.size(), 1513);
        QCOMPARE(bytes.mid(50, 10), QByteArray("Direcci\xF3n\0", 10));
        QCOMPARE(bytes.mid(180, 11), QByteArray("Parcela 14\0", 11));
        QCOMPARE(bytes.mid(460, 9), QByteArray("uno\r\ndos\0", 9));
    }

    void opcionesBorraMueveYCuenta() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacion& a = *l.estaciones[0];
        Estacionamiento& s1 = *a.estacionamientos[0];
        Estacionamiento& s2 = *a.estacionamientos[1];
        prueba::AvisosGrabados avisos;
        ui::DialogoOpcionesLecturas d(l, a, s1, avisos);
        auto* lista = d.findChild<QListWidget*>("lista");
        QCOMPARE(lista->count(), 1);
        lista->setCurrentRow(0);
        QCOMPARE(d.findChild<QLabel*>("datos")->text(), QStringLiteral("Subestacion:A_2\nDes = 20.0000\nI = 1.600"));
        teclear(d, "desde", "1");
        teclear(d, "hasta", "1");
        pulsar(d, "cuantos");
        QCOMPARE(d.findChild<QPushButton*>("cuantos")->text(), QStringLiteral("Cuantos: 1"));
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "mover");
        QCOMPARE(s1.lecturas.size(), std::size_t(2));
        QCOMPARE(s2.lecturas.back().nombre.str(), std::string("1"));
        QCOMPARE(avisos.textos().back(), std::string("Lecturas Cambiadas"));
        QString visto;
        d.abrirRepetidas = [&visto] { visto = QStringLiteral("repetidas"); };
        pulsar(d, "repetidos");
        QCOMPARE(visto, QStringLiteral("repetidas"));
        QVERIFY(!d.findChild<QPushButton*>("cuantosTodas")->isEnabled());
    }

    void datosComplementariosCancelarYOk() {
        Estacionamiento s;
        s.nombre = "A_1";
        s.estacion = "A";
        for (const char* boton : {"cancelar", "ok"}) {
            ui::DialogoDatosComplementarios d(s);
            d.findChild<QComboBox*>("angular")->setCurrentIndex(1);
            teclear(d, "operador", QStringLiteral("Peña"));
            d.elegirInstrumento = [](const QString&) { return std::optional<QString>(QStringLiteral("TC1700")); };
            pulsar(d, "botonInstrumento");
            d.findChild<QGroupBox*>("tipoVertical")->findChildren<QRadioButton*>().at(1)->setChecked(true);
            pulsar(d, boton);
            QCOMPARE(s.datos.unidadAngular, boton == std::string("ok") ? 360 : 400);
        }
        QCOMPARE(s.datos.operador.str(), std::string("Pe\xF1" "a"));
        QCOMPARE(s.datos.instrumento.str(), std::string("TC1700"));
        QCOMPARE(s.datos.tipoVertical, 1);
    }

    void correccionesUnificaEnElMismoYEnUnoNuevo() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacionamiento& s2 = *l.estaciones[0]->estacionamientos[1];
        s2.datos.unidadAngular = 360;
        Trabajo w;
        auto& avisos = w.avisos;
        ui::DialogoCorrecciones d(l, w.ajustes, w.mapa, avisos);
        QCOMPARE(d.logica().rejilla().numeroFilas(), std::size_t(2));
        d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::esfRefr))->click();  // off
        d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::unificar))->click();
        QVERIFY(!d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::tempPres))->isEnabled());
        QCOMPARE(d.logica().rejilla().texto(1, columna_correcciones::unificar), std::string("1"));

        // En Uno Nuevo: the file gets the corrections, the book does not.
        const auto ruta = std::filesystem::path(w.ruta("nuevo.obs").toStdString());
        d.findChild<QRadioButton*>("enUnoNuevo")->setChecked(true);
        d.pedirFichero = [&ruta] { return std::optional<QString>(QString::fromStdString(ruta.string())); };
        pulsar(d, "botonFichero");
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "corregir");
        QCOMPARE(s2.datos.unidadAngular, 360);
        CLibretaCampo nueva;
        QVERIFY(leerLibreta(nueva, ruta));
        QCOMPARE(nueva.estaciones[0]->estacionamientos[1]->lecturas[0].horizontal, 280 * 10.0 / 9.0);
        QVERIFY(!d.libretaCambiada());

        d.findChild<QRadioButton*>("sobreElMismo")->setChecked(true);
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "corregir");
        QCOMPARE(s2.datos.unidadAngular, 400);
        QCOMPARE(s2.lecturas[0].horizontal, 280 * 10.0 / 9.0);
        QVERIFY(d.libretaCambiada());
        QCOMPARE(avisos.textos().back(), std::string("Correcciones Realizadas"));
        QCOMPARE(d.logica().rejilla().texto(1, columna_correcciones::unificar), std::string("0"));  // reloaded
    }

    void elGestorAbreCadaVentana() {
        BancoVentana b;
        Estacion* a = &b.estacion(0);
        const std::pair<Accion, QString> casos[] = {
            {Accion::CambiarEstacion, QStringLiteral("CAMBIAR DE ESTACION")},
            {Accion::UnirDosEstacionamientos, QStringLiteral("FUNDIR-UNIR ESTACIONAMIENTOS")},
            {Accion::OpcionesLecturas, QStringLiteral("OPCIONES DE LECTURAS")},
            {Accion::DatosComplementarios, QStringLiteral("DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO")},
            {Accion::CorregirLecturas, QStringLiteral("CORRECCIONES O MODIFICACIONES A LAS LECTURAS")}};
        for (const auto& [accion, titulo] : casos) {
            b.gestor().seleccionGestor().seleccionar(NodoArbol::deEstacionamiento(a, a->estacionamientos[0].get()));
            QCOMPARE(tituloDeLoQueAbre([&] { b.v.ejecutarAccion(accion); }), titulo);
        }
        QVERIFY(b.avisos.inesperados.empty());
    }

    // "Recoger XYZ de ACAD": A as drawn where the book has it (ticked), B
    // elsewhere (left unticked, "Sí"); ticking B and "Aceptar" write it as
    // one step that "Deshacer" takes back.
    void recogerDeAcadEscribeLoMarcadoEnUnPaso() {
#ifdef CELVARA_SIN_INTERCAMBIO
        QSKIP("built without dxflib");
#endif
        BancoVentana b;
        escribir(b.obra() / "plano.dxf", "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nV\n10\n1000\n20\n2000\n30\n100\n"
                                         "0\nATTRIB\n1\nA\n2\nNOMBRE\n0\nSEQEND\n0\nPOINT\n10\n1100.5\n20\n2000.25\n"
                                         "30\n101\n0\nTEXT\n10\n1101\n20\n2001\n1\nB\n0\nENDSEC\n0\nEOF\n");
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\plano.dxf");
        alAbrirse<DialogoRecogerDxf>([](DialogoRecogerDxf* d) {
            QTableWidget* t = d->tabla();
            QCOMPARE(t->rowCount(), 2);
            QCOMPARE(t->item(0, 0)->checkState(), Qt::Checked);
            QCOMPARE(t->item(1, 0)->checkState(), Qt::Unchecked);
            QCOMPARE(t->item(1, 1)->text() + t->item(1, 4)->text(), QStringLiteral("1100.500Sí"));
            t->item(1, 0)->setCheckState(Qt::Checked);
            pulsar(*d, "aceptar");
        });
        b.v.ejecutarComando(Comando::EmergenteRecogerAcad);
        QCOMPARE(b.dialogos.peticiones.back().filtro, std::string(kFiltroDxf));
        QCOMPARE(b.estacion(1).y, 2000.25);
        b.v.ejecutarComando(Comando::Deshacer);
        QCOMPARE(b.estacion(1).y, 2000.0);
        QVERIFY(b.avisos.inesperados.empty());
    }
};

QTEST_MAIN(PruebaDialogos)
#include "gestor_dialogos_test.moc"
