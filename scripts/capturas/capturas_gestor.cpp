// Screenshots of the main window in its five states, on the example job
// with a coordinate file of its radiated points, into the folder
// CELVARA_CAPTURAS names. Not a test: scripts/capturas.sh builds and runs it
// under Xvfb.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "datos/fichero_crd.h"
#include "gestor_apoyo_ui.h"
#include "manager/gestor_dibujo.h"

using namespace celvara;

namespace {

// A hand-drawn-looking sketch of a survey mark, saved as the default picture.
void dibujarCroquis(const QString& ruta) {
    QImage img(320, 240, QImage::Format_RGB32);
    img.fill(QColor(250, 248, 235));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(20, 180, 300, 150);   // kerb
    p.drawLine(20, 200, 300, 170);
    p.setPen(QPen(QColor(150, 30, 30), 2));
    p.drawEllipse(QPointF(160, 120), 9, 9);  // the nail
    p.drawLine(QPointF(160, 111), QPointF(160, 129));
    p.drawLine(QPointF(151, 120), QPointF(169, 120));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(169, 120), QPointF(260, 60));
    p.drawText(QPointF(205, 60), QStringLiteral("3,20 m a farola"));
    p.drawText(QPointF(30, 40), QStringLiteral("CLAVO EN ACERA"));
    p.end();
    img.save(ruta, "BMP");
}

}  // namespace

class CapturasGestor : public QObject {
    Q_OBJECT
private slots:
    void cincoEstados() {
        if (!prueba_ventana::hayCapturas()) QSKIP("CELVARA_CAPTURAS no está definida");
        const QString ejemplo = QFINDTESTDATA("../../examples/obra_ejemplo.obs");
        QVERIFY(!ejemplo.isEmpty());

        prueba_ventana::BancoVentana b([&](CLibretaCampo& l) {
            QVERIFY(leerLibreta(l, ejemplo.toStdString()));
            l.estaciones[0]->descripcion1 = "Clavo de acero en la acera";
            l.estaciones[0]->descripcion2 = "junto a la farola";
            l.estaciones[0]->croquis = "Acceso por la calle mayor.\r\nClavo a 3,20 m de la farola.";
            l.estaciones[0]->tipo = 1;
        });
        // The radiated points of the job as a coordinate file.
        ListaPuntos puntos;
        for (const auto& e : b.gestor().libreta().estaciones) {
            puntos.push_back({1, e->nombre.vista(), "", e->x, e->y, e->z, ""});
            for (const auto& s : e->estacionamientos)
                for (const auto& l : s->lecturas) {
                    PuntoCoordenadas p{0, l.nombre.vista(), e->nombre.vista(), 0, 0, e->z, l.codigo.vista()};
                    if (!b.gestor().libreta().buscarEstacion(l.nombre.vista()) && puntoVisado(*e, *s, l, p.x, p.y))
                        puntos.push_back(p);
                }
        }
        QCOMPARE(escribirListaPuntos(puntos, b.obra() / "RADIACION.CRD"), Estado::Exito);
        QDir().mkpath(QString::fromStdString((b.trabajos() / "VESTRUM").string()));
        dibujarCroquis(QString::fromStdString((b.trabajos() / "VESTRUM" / "FOTO0.BMP").string()));

        b.gestor().seleccionGestor().cambiarVista(VistaDibujo::Visuales, true);
        b.gestor().seleccionGestor().cambiarVista(VistaDibujo::Puntos, true);
        b.gestor().seleccionGestor().cambiarVista(VistaDibujo::Numeros, true);
        b.gestor().ejecutar(Accion::Actualizar);
        b.vista.sincronizar();

        // Bases, a station, a set-up, the drawing, a coordinate file.
        Estacion* b1 = b.gestor().libreta().estaciones[0].get();
        const std::function<void()> estados[] = {
            [] {}, [&] { b.gestor().reconstruirArbol(b1); },
            [&] { b.gestor().reconstruirArbol(b1, b1->estacionamientos[0].get()); },
            [&] { b.gestor().seleccionGestor().reconstruirArbol(nullptr, nullptr, true); },
            [&] { b.gestor().seleccionGestor().seleccionar(NodoArbol::deFichero(0)); }};
        for (int i = 0; i < 5; ++i) {
            estados[i]();
            b.vista.sincronizar();
            QTest::qWait(150);
            prueba_ventana::capturar(b.v, QStringLiteral("gestor_estado_%1.png").arg(i + 1));
        }
    }
};

QTEST_MAIN(CapturasGestor)
#include "capturas_gestor.moc"
