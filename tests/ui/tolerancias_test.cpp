// The tolerance windows and the MATRICES window: typed values, "Calcular
// ....", the texts shown, "Grabar"/"Aceptar" storing into the settings, the
// grid of a chosen matrix and its text export; and both tolerance entries of
// the main window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "comun/avisos_grabados.h"
#include "gestor_apoyo_ui.h"
#include "traverse/libreria_tolerancias.h"
#include "ui/calc/matrices_dialogo.h"
#include "ui/rejilla/rejilla.h"
#include "ui/traverse/tolerancias_dialogos.h"

using namespace celvara;

namespace {

template <typename T, typename F>
void alAbrirse(F accion) {
    QTimer::singleShot(0, [accion] {
        T* dialogo = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialogo, "no modal dialog of the expected kind");
        accion(dialogo);
    });
}

void teclear(QWidget* d, const char* nombre, const QString& texto) {
    auto* e = d->findChild<QLineEdit*>(QString::fromLatin1(nombre));
    QVERIFY2(e, nombre);
    e->clear();
    QTest::keyClicks(e, texto);
}

void pulsar(QWidget* d, const char* nombre) {
    auto* b = d->findChild<QPushButton*>(QString::fromLatin1(nombre));
    QVERIFY2(b, nombre);
    QTest::mouseClick(b, Qt::LeftButton);
}

QString texto(QWidget* d, const char* nombre) { return d->findChild<QLabel*>(QString::fromLatin1(nombre))->text(); }

// A C: drive with the test library where the settings look for it.
struct Unidad {
    QTemporaryDir dir;
    MapaRutas mapa{std::filesystem::path(dir.path().toStdString())};
    Unidad() {
        const auto vestrum = mapa.raizC() / "trabajos" / "vestrum";
        std::filesystem::create_directories(vestrum);
        prueba::escribirLibreriaTolerancias(vestrum / "instrumentos.apa");
    }
};

}  // namespace

class PruebaTolerancias : public QObject {
    Q_OBJECT
private slots:
    void gestorDeToleranciasConUnaLecturaDeLaLibreta() {
        Unidad c;
        CLibretaCampo libreta;
        auto e = std::make_unique<Estacion>();
        e->nombre = "B1";
        auto s = std::make_unique<Estacionamiento>();
        s->nombre = "B1-1";
        s->alturaInstrumento = 1.55;
        s->lecturas.push_back(Lectura{"P7", 1.5, 100.0, 95.0, 12.3456, {}});
        e->estacionamientos.push_back(std::move(s));
        libreta.estaciones.push_back(std::move(e));
        CDatosGenerales ajustes;
        prueba::AvisosGrabados avisos;
        ui::DialogoGestorTolerancias d(libreta, ajustes, c.mapa, avisos);
        QCOMPARE(d.windowTitle(), QStringLiteral("GESTOR DE TOLERANCIAS Y ERRORES"));

        // The settings' default instrument, then none.
        QCOMPARE(d.findChild<QLineEdit*>("instrumento")->text(), QStringLiteral("ESTANDAR"));
        teclear(&d, "instrumento", QString());
        pulsar(&d, "calcular");
        QCOMPARE(avisos.textos(), std::vector<std::string>{"Seleccione un Instrumento"});
        d.campos().pedirInstrumento = [] { return std::optional<std::string>("TC-20"); };
        pulsar(&d, "instrumentoBoton");
        QCOMPARE(d.findChild<QLineEdit*>("instrumento")->text(), QStringLiteral("TC-20"));

        auto* estacion = d.findChild<QComboBox*>("estacion");
        QCOMPARE(estacion->count(), 1);
        estacion->activated(0);
        d.findChild<QComboBox*>("ocupa")->activated(0);
        QCOMPARE(d.findChild<QLineEdit*>("i")->text(), QStringLiteral("1.550"));
        d.findChild<QComboBox*>("punto")->activated(0);
        QCOMPARE(d.findChild<QLineEdit*>("d")->text(), QStringLiteral("100.000"));
        QCOMPARE(d.findChild<QLineEdit*>("v")->text(), QStringLiteral("95.0000"));
        pulsar(&d, "calcular");
        QCOMPARE(texto(&d, "ea"), QStringLiteral("Ea=63.9cc"));
        QCOMPARE(texto(&d, "ev"), QStringLiteral("Ev=5.1cc"));
        QCOMPARE(texto(&d, "ed"), QStringLiteral("Ed=0.024m"));
        QCOMPARE(texto(&d, "desplazamientos"), QStringLiteral(" E.Long = 0.033m   E.Transv = 0.014m  E.Z = 0.008m"));

        // Typed work parameters, with a decimal comma: the example changes and
        // "Grabar" keeps them.
        for (const char* p : {"ee", "ep", "ehe", "ehp"}) teclear(&d, p, QStringLiteral("0,01"));
        teclear(&d, "incl", QStringLiteral("2"));
        pulsar(&d, "calcular");
        QCOMPARE(texto(&d, "ea"), QStringLiteral("Ea=127.4cc"));
        QCOMPARE(texto(&d, "desplazamientos"), QStringLiteral(" E.Long = 0.067m   E.Transv = 0.028m  E.Z = 0.021m"));
        teclear(&d, "ee", QStringLiteral("0.004"));
        pulsar(&d, "grabar");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(ajustes.errorCentradoEstacion, 0.004);
        QCOMPARE(ajustes.errorAlturaJalon, 0.01);
        QCOMPARE(ajustes.inclinacionJalon, 2.0);
        QCOMPARE(avisos.mensajes.size(), std::size_t(1));
    }

    void toleranciasDeUnaPoligonalPrevista() {
        Unidad c;
        CDatosGenerales ajustes;
        prueba::AvisosGrabados avisos;
        ui::DialogoToleranciasPoligonal d(ajustes, c.mapa, avisos);
        QCOMPARE(d.windowTitle(), QStringLiteral("TOLERANCIAS POLIGONAL"));
        teclear(&d, "instrumento", QStringLiteral("TC-30"));
        teclear(&d, "tramos", QStringLiteral("5"));
        pulsar(&d, "calcular");  // no length: nothing
        QVERIFY(texto(&d, "ea").isEmpty());
        teclear(&d, "longitud", QStringLiteral("1000"));
        pulsar(&d, "calcular");
        QCOMPARE(texto(&d, "ea"), QStringLiteral("Ea=33.4cc"));
        QCOMPARE(texto(&d, "ev"), QStringLiteral("Ev=11.0cc"));
        QCOMPARE(texto(&d, "ed"), QStringLiteral("Ed=0.025m"));
        QCOMPARE(texto(&d, "tolerancias"), QStringLiteral("T.Ang=106cc T.Lon=0.040 T.Trav=0.033 T.Dist=0.040"));
        QCOMPARE(texto(&d, "toleranciasXyz"), QStringLiteral("Tol.X = 0.013  Tol.Y = 0.027  Tol.Z = 0.010"));
        teclear(&d, "ehp", QStringLiteral("0.003"));
        pulsar(&d, "grabar");
        QCOMPARE(ajustes.errorAlturaJalon, 0.003);
        QVERIFY(avisos.mensajes.empty());

        // No library: the message, nothing computed.
        CDatosGenerales otros;
        otros.ficheroInstrumentos = "c:\\trabajos\\vestrum\\falta.apa";
        ui::DialogoToleranciasPoligonal sin(otros, c.mapa, avisos);
        teclear(&sin, "instrumento", QStringLiteral("TC-30"));
        teclear(&sin, "tramos", QStringLiteral("5"));
        teclear(&sin, "longitud", QStringLiteral("1000"));
        pulsar(&sin, "calcular");
        QCOMPARE(avisos.textos(), std::vector<std::string>{"Error al abrir fichero de instrumentos"});
    }

    void erroresYPesosAceptarYCancelar() {
        CDatosGenerales ajustes;
        {
            ui::DialogoErroresPesos d(ajustes);
            QCOMPARE(d.windowTitle(), QStringLiteral("ERRORES y PESOS "));
            auto* varianza = d.findChild<QLineEdit*>("varianza");
            QCOMPARE(varianza->text(), QStringLiteral("1.000"));
            teclear(&d, "varianza", QStringLiteral("0,5"));
            pulsar(&d, "cancelar");
        }
        QCOMPARE(ajustes.varianzaReferencia, 1.0);
        ui::DialogoErroresPesos d(ajustes);
        teclear(&d, "varianza", QStringLiteral("0,5"));
        auto* casilla = d.findChild<QCheckBox*>("conPesos");
        casilla->click();
        QVERIFY(!d.findChild<QLineEdit*>("varianza")->isEnabled());
        pulsar(&d, "aceptar");
        QCOMPARE(ajustes.calcularConPesos, std::uint8_t(0));
        QCOMPARE(ajustes.varianzaReferencia, 0.5);
    }

    void matricesMuestraYExporta() {
        // Three measures of one length (10, 11, 13 m from 10 m).
        CMatricesMMCC m;
        m.dimensionar(3, 1);
        const double fo[3] = {0, -1, -3};
        for (std::size_t i = 0; i < 3; ++i) {
            m.B(i, 0) = 1;
            m.Fo(i, 0) = fo[i];
            m.Q(i, i) = 1;
        }
        QVERIFY(m.pesos() && m.resolver());
        ui::DialogoMatrices d(m);
        QCOMPARE(d.windowTitle(), QStringLiteral("MATRICES"));
        QAction* residuos = nullptr;
        QAction* ascii = nullptr;
        for (QAction* menu : d.menu()->actions())
            for (QAction* a : menu->menu()->actions()) {
                if (a->text() == QStringLiteral("Matriz Residuos&1")) residuos = a;
                if (a->text() == QStringLiteral("Exportar &Ascii")) ascii = a;
            }
        QVERIFY(residuos && ascii);
        residuos->trigger();
        QCOMPARE(d.rejilla()->filas(), 3);
        QCOMPARE(d.rejilla()->textoCelda(2, 0).toDouble(), -5.0 / 3);

        QTemporaryDir dir;
        const std::filesystem::path ruta = dir.path().toStdString() + "/residuos.TXT";
        d.pedirFichero = [&ruta] { return std::optional(ruta); };
        ascii->trigger();
        std::ifstream f(ruta);
        std::stringstream leido;
        leido << f.rdbuf();
        QCOMPARE(QString::fromStdString(leido.str()), QStringLiteral("1.333333    \n0.333333    \n-1.666667    \n"));
    }

    void entradasDeLaVentanaPrincipal() {
        prueba_ventana::BancoVentana b;
        alAbrirse<ui::DialogoGestorTolerancias>([](ui::DialogoGestorTolerancias* d) {
            teclear(d, "ee", QStringLiteral("0.007"));
            pulsar(d, "grabar");
        });
        b.ventana->ejecutarComando(33062);  // "Tolerancias..."
        QCOMPARE(b.gestor().ajustes().errorCentradoEstacion, 0.007);
        alAbrirse<ui::DialogoErroresPesos>([](ui::DialogoErroresPesos* d) {
            teclear(d, "varianza", QStringLiteral("4"));
            pulsar(d, "aceptar");
        });
        b.ventana->ejecutarComando(33064);  // "Errores y Pesos..."
        QCOMPARE(b.gestor().ajustes().varianzaReferencia, 4.0);
        QVERIFY(b.avisos.inesperados.empty());
    }
};

QTEST_MAIN(PruebaTolerancias)
#include "tolerancias_test.moc"
