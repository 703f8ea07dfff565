// Timings of the main window on large books, printed for the notes (no
// timing is asserted): opening a book of 100,000 readings until its tree is
// shown, and reaching the last row of a set-up of 1,000,000 readings.
#include <QElapsedTimer>
#include <QTest>

#include "gestor_apoyo_ui.h"

using namespace celvara;

namespace {

void libretaGrande(CLibretaCampo& l, int estaciones, int estacionamientos, int lecturas) {
    for (int e = 0; e < estaciones; ++e) {
        const std::string nombre = "E" + std::to_string(e);
        auto* est = crearEstacion(l.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{e * 10.0, e * 5.0, 0}});
        for (int s = 0; s < estacionamientos; ++s) {
            ListaLecturas lista(static_cast<std::size_t>(lecturas));
            for (int i = 0; i < lecturas; ++i) {
                lista[static_cast<std::size_t>(i)].nombre = std::to_string(i);
                lista[static_cast<std::size_t>(i)].distancia = 10 + i % 90;
                lista[static_cast<std::size_t>(i)].vertical = 100;
                lista[static_cast<std::size_t>(i)].horizontal = (i * 7) % 400;
            }
            crearEstacionamiento(est->estacionamientos, nullptr, nombre + "_" + std::to_string(s), nombre, 1.5,
                                 nullptr, 0, std::move(lista));
        }
    }
}

}  // namespace

class RendimientoGestor : public QObject {
    Q_OBJECT
private slots:
    void libretaDe100000LecturasYEstacionamientoDeUnMillon() {
        // 1,000 stations x 2 set-ups x 50 readings, from the file, through the start-up.
        QElapsedTimer reloj;
        reloj.start();
        prueba_ventana::BancoVentana b([](CLibretaCampo& l) { libretaGrande(l, 1000, 2, 50); });
        const qint64 construccion = reloj.elapsed();  // includes writing the file
        QCOMPARE(b.gestor().libreta().contarLecturas(), std::size_t(100000));

        // Open it again with "Abrir", the way a user does, and paint the tree.
        b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\obra.obs");
        reloj.restart();
        b.v.ejecutarComando(32786);
        b.v.arbol()->repaint();
        QCoreApplication::processEvents();
        const qint64 abrir = reloj.elapsed();
        QCOMPARE(b.v.modeloArbol()->rowCount(b.v.modeloArbol()->raizEstaciones()), 1000);
        qInfo("libreta de 100000 lecturas: arranque con escritura %lld ms; \"Abrir\" hasta el arbol pintado %lld ms",
              construccion, abrir);

        // A set-up of a million readings, shown and walked to its last row.
        CLibretaCampo& libreta = b.gestor().libreta();
        libreta.vaciar();
        libretaGrande(libreta, 1, 1, 1000000);
        Estacion* e = libreta.estaciones[0].get();
        Estacionamiento* s = e->estacionamientos[0].get();
        reloj.restart();
        b.gestor().reconstruirArbol(e, s);
        b.v.sincronizar();
        b.v.rejilla()->vista()->repaint();
        const qint64 mostrar = reloj.elapsed();
        QCOMPARE(b.v.rejilla()->filas(), 1000000);

        QTableView* t = b.v.rejilla()->vista();
        t->setFocus();
        reloj.restart();
        QTest::keyClick(t, Qt::Key_End, Qt::ControlModifier);
        t->repaint();
        const qint64 ultima = reloj.elapsed();
        QCOMPARE(t->currentIndex().row(), 999999);
        QCOMPARE(b.v.rejilla()->textoCelda(999999, 0), QStringLiteral("999999"));
        QCOMPARE(b.gestor().filaActual(), std::size_t(999999));

        reloj.restart();
        b.v.ejecutarComando(32974);  // "Añadir Lectura" at the end of a million
        t->repaint();
        const qint64 anadir = reloj.elapsed();
        QCOMPARE(b.v.rejilla()->filas(), 1000001);
        qInfo("estacionamiento de 1000000 lecturas: mostrar %lld ms; Ctrl+Fin a la ultima fila %lld ms; "
              "anadir lectura %lld ms",
              mostrar, ultima, anadir);
        libreta.vaciar();
        b.gestor().reconstruirArbol();
    }
};

QTEST_MAIN(RendimientoGestor)
#include "gestor_rendimiento_test.moc"
