// CALCULAR › HERRAMIENTAS driven as a user does: Helmert between two
// coordinate files (compute, untick a point, apply to a file, report) and
// the refinement of a point sighted from two set-ups into a file.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "gestor_apoyo_ui.h"
#include "ui/calc/herramientas_dialogos.h"

using namespace celvara;
using namespace celvara::ui;
using namespace celvara::prueba_ventana;

namespace {

PuntoCoordenadas punto(const char* nombre, double x, double y, double z) {
    PuntoCoordenadas p;
    p.nombre = nombre;
    p.x = x, p.y = y, p.z = z;
    return p;
}

}  // namespace

class PruebaHerramientas : public QObject {
    Q_OBJECT
private slots:
    void helmertCalculaAplicaEInforma() {
        Trabajo w;
        // Scale 2, rotation 50 gon; point 4 is 3 cm off in the destination.
        const double r2 = std::sqrt(2.0);
        ListaPuntos o = {punto("1", 0, 0, 10), punto("2", 100, 0, 11), punto("3", 0, 100, 12), punto("4", 100, 100, 9)}, d;
        for (const auto& p : o) d.push_back(punto(p.nombre.c_str(), 1000 + r2 * (p.x - p.y), 2000 + r2 * (p.x + p.y), p.z + 5));
        d[3].x += 0.03;
        QVERIFY(escribirListaPuntos(o, w.ruta("o.crd").toStdString()) == Estado::Exito);
        QVERIFY(escribirListaPuntos(d, w.ruta("d.crd").toStdString()) == Estado::Exito);
        DialogoHelmert dlg(w.libreta, w.ajustes, w.mapa, w.avisos);
        dlg.origen()->setText(w.ruta("o.crd"));
        dlg.destino()->setText(w.ruta("d.crd"));
        pulsar(dlg, "calcular");
        QTableWidget* t = dlg.tabla();
        QCOMPARE(t->rowCount(), 4);
        QCOMPARE(dlg.resultado().redundancia, 4);
        QVERIFY(t->item(3, 2)->text() != QStringLiteral("0.0000"));
        // Without point 4 the fit is exact.
        t->item(3, 0)->setCheckState(Qt::Unchecked);
        pulsar(dlg, "calcular");
        QCOMPARE(dlg.resultado().residuos.size(), std::size_t{3});
        QVERIFY(dlg.parametros()->text().contains(QStringLiteral("escala = 2.000000000   giro = 50.000000 g")));

        QStringList pedidos = {w.ruta("o.crd"), w.ruta("t.crd")};
        dlg.pedirFichero = [&](bool, const QString&) { return pedidos.takeFirst(); };
        pulsar(dlg, "aplicar");
        QCOMPARE(w.avisos.textos(), std::vector<std::string>{"4 puntos transformados en " + w.ruta("t.crd").toStdString()});
        ListaPuntos t2;
        QVERIFY(leerListaPuntos(w.ruta("t.crd").toStdString(), t2) == Estado::Exito);
        QVERIFY(std::fabs(t2[1].y - d[1].y) < 1e-6);

        w.ajustes.ficheroInformes = "C:\\informe.txt";
        QString mostrado;
        dlg.mostrarInforme = [&](const QString& r) { mostrado = r; };
        pulsar(dlg, "informe");
        QVERIFY(!mostrado.isEmpty());
        QVERIFY(QFile(mostrado).size() > 0);
        QCOMPARE(w.avisos.mensajes.size(), std::size_t{1});
    }

    void refinamientoDeUnPuntoVistoDesdeDosEstacionamientos() {
        Trabajo w;
        // A at (1000, 1000) and B at (1100, 1000), oriented, sight P at (1050, 1050) level.
        DatosComplementarios datos;
        datos.instrumento = "T";
        datos.corregidoEsfRefr = 1;
        for (auto [nombre, x, h] : {std::tuple{"A", 1000.0, 50.0}, {"B", 1100.0, 350.0}}) {
            auto* e = crearEstacion(w.libreta.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{x, 1000, 100}});
            auto* s = crearEstacionamiento(e->estacionamientos, nullptr, std::string(nombre) + "1", nombre, 1.5, &datos, 0.0001);
            crearLectura(s->lecturas, std::nullopt, "P", 1.5, std::hypot(50, 50), 100, h - 0.0001, "");
        }
        Instrumento i;
        i.nombre = "T";
        i.aumentos = 30, i.precisionH = 5, i.precisionDistanciaMm = 2, i.precisionDistanciaPpm = 2;
        const auto biblioteca = rutaInstrumentos(w.ajustes, w.mapa);
        std::filesystem::create_directories(biblioteca.parent_path());
        QVERIFY(guardarInstrumentos({i}, biblioteca) == Estado::Exito);

        DialogoRefinamiento dlg(w.libreta, w.ajustes, w.mapa, w.avisos);
        dlg.destino()->setText(w.ruta("r.crd"));
        pulsar(dlg, "grabar");
        QVERIFY2(dlg.tabla()->rowCount() == 1, w.avisos.mensajes.empty() ? "" : w.avisos.mensajes[0].texto.c_str());
        QCOMPARE(dlg.tabla()->item(0, 1)->text(), QStringLiteral("1050.0000"));
        QCOMPARE(dlg.tabla()->item(0, 2)->text(), QStringLiteral("1050.0000"));
        QCOMPARE(dlg.tabla()->item(0, 6)->text(), QStringLiteral("2"));
        ListaPuntos p;
        QVERIFY(leerListaPuntos(w.ruta("r.crd").toStdString(), p) == Estado::Exito);
        QCOMPARE(p.size(), std::size_t{1});
        QVERIFY(w.avisos.mensajes.empty());
    }
};
QTEST_MAIN(PruebaHerramientas)
#include "herramientas_test.moc"
