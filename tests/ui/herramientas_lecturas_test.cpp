// The reading tools' windows and the corrections window: their buttons reach
// the core and the main window opens each of them on the selected set-up.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "comun/avisos_grabados.h"
#include "comun/libreta_prueba.h"
#include "fieldbook/fichero_obs.h"
#include "ui/gestor_apoyo_ui.h"
#include "ui/manager/herramientas_lecturas_dialogos.h"
#include "ui/output/correcciones_dialogo.h"

using namespace celvara;

namespace {

void pulsar(QWidget& d, const char* nombre) {
    auto* b = d.findChild<QPushButton*>(QString::fromUtf8(nombre));
    QVERIFY2(b, nombre);
    QTest::mouseClick(b, Qt::LeftButton);
}

void teclear(QWidget& d, const char* nombre, const QString& texto) {
    auto* e = d.findChild<QLineEdit*>(QString::fromUtf8(nombre));
    QVERIFY2(e, nombre);
    e->clear();
    e->insert(texto);  // as typed, within the maximum length
}

// Closes the first visible dialog with this title as soon as it shows.
void cerrarAlAbrir(const QString& titulo, QString* visto) {
    auto* t = new QTimer;
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [t, titulo, visto] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->windowTitle() == titulo) {
                *visto = titulo;
                d->reject();
                t->deleteLater();
                return;
            }
    });
    t->start();
}

}  // namespace

class PruebaHerramientasLecturas : public QObject {
    Q_OBJECT
private slots:
    void opcionesBorraMueveYCuenta() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacion& a = *l.estaciones[0];
        Estacionamiento& s1 = *a.estacionamientos[0];
        Estacionamiento& s2 = *a.estacionamientos[1];
        prueba::AvisosGrabados avisos;
        ui::DialogoOpcionesLecturas d(l, a, s1, avisos);
        QCOMPARE(d.windowTitle(), QStringLiteral("OPCIONES DE LECTURAS"));
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

    void cambiarYUnir() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacion& a = *l.estaciones[0];
        Estacionamiento* s1 = a.estacionamientos[0].get();
        Estacionamiento* s2 = a.estacionamientos[1].get();
        prueba::AvisosGrabados avisos;
        {
            ui::DialogoUnirEstacionamientos d(a, *s2, avisos);
            d.findChild<QListWidget*>("lista")->setCurrentRow(0);
            d.findChild<QRadioButton*>("sinModificar")->setChecked(true);
            avisos.respuestas = {Respuesta::Si};
            pulsar(d, "unir");
            QCOMPARE(d.resultado, s1);
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QCOMPARE(a.estacionamientos.size(), std::size_t(1));
        QCOMPARE(s1->lecturas.back().horizontal, 280.0);
        ui::DialogoCambiarEstacion d(l, a, *s1, avisos);
        auto* lista = d.findChild<QListWidget*>("lista");
        QCOMPARE(lista->count(), 2);
        lista->setCurrentRow(1);
        QCOMPARE(d.findChild<QLabel*>("datos")->text(),
                 QStringLiteral("Estacion: C\nX = 1000.000\nY = 2100.000\nZ = 99.000"));
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "cambiar");
        QVERIFY(d.resultado);
        QCOMPARE(d.resultado->first, l.estaciones[2].get());
        QVERIFY(a.estacionamientos.empty());
    }

    void repetidasPromedia() {
        Estacionamiento s;
        crearLectura(s.lecturas, std::nullopt, "P", 1.5, 100, 100, 399.999, "");
        crearLectura(s.lecturas, std::nullopt, "P", 1.5, 100, 300, 200.002, "");
        Estacion e;
        e.nombre = "A";
        prueba::AvisosGrabados avisos;
        ui::DialogoVisualesRepetidas d(e, s, avisos);
        auto* nombres = d.findChild<QListWidget*>("nombres");
        QCOMPARE(nombres->count(), 1);
        nombres->setCurrentRow(0);
        QCOMPARE(d.logica().rejilla().numeroFilas(), std::size_t(2));
        d.logica().rejilla().asignar(0, columna_repetidas::marca, "1");
        d.logica().rejilla().asignar(1, columna_repetidas::marca, "1");
        pulsar(d, "promediar");
        QCOMPARE(d.logica().promedio().texto(0, columna_repetidas::horizontal), std::string("0.0005"));
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "insertar");
        QCOMPARE(s.lecturas.size(), std::size_t(1));
        QCOMPARE(nombres->count(), 0);
    }

    void datosComplementariosOkYCancelar() {
        Estacionamiento s;
        s.nombre = "A_1";
        s.estacion = "A";
        {
            ui::DialogoDatosComplementarios d(s);
            QCOMPARE(d.windowTitle(), QStringLiteral("DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO"));
            d.findChild<QComboBox*>("angular")->setCurrentIndex(1);
            teclear(d, "operador", QStringLiteral("Peña"));
            d.elegirInstrumento = [](const QString&) { return std::optional<QString>(QStringLiteral("TC1700")); };
            pulsar(d, "botonInstrumento");
            d.findChild<QGroupBox*>("tipoVertical")->findChildren<QRadioButton*>().at(1)->setChecked(true);
            pulsar(d, "cancelar");
        }
        QCOMPARE(s.datos.unidadAngular, 400);
        ui::DialogoDatosComplementarios d(s);
        d.findChild<QComboBox*>("angular")->setCurrentIndex(1);
        teclear(d, "operador", QStringLiteral("Peña"));
        d.elegirInstrumento = [](const QString&) { return std::optional<QString>(QStringLiteral("TC1700")); };
        pulsar(d, "botonInstrumento");
        d.findChild<QGroupBox*>("tipoVertical")->findChildren<QRadioButton*>().at(1)->setChecked(true);
        pulsar(d, "ok");
        QCOMPARE(s.datos.unidadAngular, 360);
        QCOMPARE(s.datos.operador.str(), std::string("Pe\xF1" "a"));
        QCOMPARE(s.datos.instrumento.str(), std::string("TC1700"));
        QCOMPARE(s.datos.tipoVertical, 1);
    }

    void correccionesUnificaEnElMismoYEnUnoNuevo() {
        CLibretaCampo l;
        prueba::libretaPequena(l);
        Estacionamiento& s2 = *l.estaciones[0]->estacionamientos[1];
        s2.datos.unidadAngular = 360;
        CDatosGenerales ajustes;
        MapaRutas mapa(QDir::tempPath().toStdString());
        prueba::AvisosGrabados avisos;
        ui::DialogoCorrecciones d(l, ajustes, mapa, avisos);
        QCOMPARE(d.windowTitle(), QStringLiteral("CORRECCIONES O MODIFICACIONES A LAS LECTURAS"));
        QCOMPARE(d.logica().rejilla().numeroFilas(), std::size_t(2));
        d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::esfRefr))->click();  // off
        d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::unificar))->click();
        QVERIFY(!d.findChild<QCheckBox*>(QStringLiteral("bloque%1").arg(columna_correcciones::tempPres))->isEnabled());
        QCOMPARE(d.logica().rejilla().texto(1, columna_correcciones::unificar), std::string("1"));

        // En Uno Nuevo: the file gets the corrections, the book does not.
        const auto ruta = std::filesystem::path(QDir::tempPath().toStdString()) / "herramientas_nuevo.obs";
        d.findChild<QRadioButton*>("enUnoNuevo")->setChecked(true);
        d.pedirFichero = [&ruta] { return std::optional<QString>(QString::fromStdString(ruta.string())); };
        pulsar(d, "botonFichero");
        avisos.respuestas = {Respuesta::Si};
        pulsar(d, "corregir");
        QCOMPARE(s2.datos.unidadAngular, 360);
        CLibretaCampo nueva;
        QVERIFY(leerLibreta(nueva, ruta));
        QCOMPARE(nueva.estaciones[0]->estacionamientos[1]->lecturas[0].horizontal, 280 * 10.0 / 9.0);
        std::filesystem::remove(ruta);
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
        prueba_ventana::BancoVentana b;
        ui::VentanaGestor& v = *b.ventana;
        Estacion* a = &b.estacion(0);
        const std::pair<Accion, QString> casos[] = {
            {Accion::CambiarEstacion, QStringLiteral("CAMBIAR DE ESTACION")},
            {Accion::UnirDosEstacionamientos, QStringLiteral("FUNDIR-UNIR ESTACIONAMIENTOS")},
            {Accion::OpcionesLecturas, QStringLiteral("OPCIONES DE LECTURAS")},
            {Accion::DatosComplementarios, QStringLiteral("DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO")},
            {Accion::CorregirLecturas, QStringLiteral("CORRECCIONES O MODIFICACIONES A LAS LECTURAS")}};
        for (const auto& [accion, titulo] : casos) {
            b.gestor().seleccionar(NodoArbol::deEstacionamiento(a, a->estacionamientos[0].get()));
            QString visto;
            cerrarAlAbrir(titulo, &visto);
            v.ejecutarAccion(accion);
            QCOMPARE(visto, titulo);
        }
        QVERIFY(b.avisos.inesperados.empty());
    }
};

QTEST_MAIN(PruebaHerramientasLecturas)
#include "herramientas_lecturas_test.moc"
