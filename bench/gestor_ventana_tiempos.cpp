// Timings of the main window on large books, printed for the notes: opening
// a book of 100,000 readings until its tree is shown, and reaching the last
// row of a set-up of 1,000,000 readings and appending one there.
#include <QElapsedTimer>
#include <cstdio>

#include "ui/gestor_apoyo_ui.h"

using namespace celvara;

namespace {

void libretaGrande(CLibretaCampo& l, int estaciones, int estacionamientos, int lecturas) {
    for (int e = 0; e < estaciones; ++e) {
        const std::string nombre = "E" + std::to_string(e);
        auto* est = crearEstacion(l.estaciones, {.nombre = nombre, .coordenadas = Coordenadas{e * 10.0, e * 5.0, 0}});
        for (int s = 0; s < estacionamientos; ++s) {
            ListaLecturas lista(static_cast<std::size_t>(lecturas));
            for (int i = 0; i < lecturas; ++i) {
                auto& lectura = lista[static_cast<std::size_t>(i)];
                lectura.nombre = std::to_string(i);
                lectura.distancia = 10 + i % 90;
                lectura.vertical = 100;
                lectura.horizontal = (i * 7) % 400;
            }
            crearEstacionamiento(est->estacionamientos, nullptr, nombre + "_" + std::to_string(s), nombre, 1.5,
                                 nullptr, 0, std::move(lista));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // 1,000 stations x 2 set-ups x 50 readings, from the file, through the start-up.
    QElapsedTimer reloj;
    reloj.start();
    prueba_ventana::BancoVentana b([](CLibretaCampo& l) { libretaGrande(l, 1000, 2, 50); });
    const qint64 construccion = reloj.elapsed();  // includes writing the file

    // Open it again with "Abrir", the way a user does, and paint the tree.
    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\obra.obs");
    reloj.restart();
    b.v.ejecutarComando(Comando::Abrir);
    b.vista.arbol()->repaint();
    QCoreApplication::processEvents();
    std::printf("libreta de 100000 lecturas: arranque con escritura %lld ms; \"Abrir\" hasta el arbol pintado %lld ms\n",
                construccion, reloj.elapsed());

    // A set-up of a million readings, shown and walked to its last row.
    CLibretaCampo& libreta = b.gestor().libreta();
    libreta.vaciar();
    libretaGrande(libreta, 1, 1, 1000000);
    Estacion* e = libreta.estaciones[0].get();
    reloj.restart();
    b.gestor().reconstruirArbol(e, e->estacionamientos[0].get());
    b.vista.sincronizar();
    QTableView* t = b.vista.rejilla()->vista();
    t->repaint();
    const qint64 mostrar = reloj.elapsed();
    t->setFocus();
    reloj.restart();
    QTest::keyClick(t, Qt::Key_End, Qt::ControlModifier);
    t->repaint();
    const qint64 ultima = reloj.elapsed();
    const int filaUltima = t->currentIndex().row();
    reloj.restart();
    b.v.ejecutarComando(Comando::BarraAnadirLectura);
    t->repaint();
    std::printf("estacionamiento de 1000000 lecturas (%d filas): mostrar %lld ms; Ctrl+Fin a la fila %d %lld ms; "
                "anadir lectura %lld ms\n",
                b.vista.rejilla()->filas(), mostrar, filaUltima, ultima, reloj.elapsed());
    libreta.vaciar();
    b.gestor().reconstruirArbol();
    return 0;
}
