// Nothing lost in a crash: the main window, edited in a child process (this
// program run with "--hijo": the program's own window and Qt dialogs on a
// private drive C:, the autosave every second through
// CELVARA_RECUPERACION_SEGUNDOS), is killed with SIGKILL once its recovery
// copy is on disk; the program started again here offers the copy and "Sí"
// gives back the edited book byte for byte ("No", and the copy found on
// "Abrir": Recuperacion.OfertaAlAbrir).
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <clocale>
#include <cstring>

#include "gestor_apoyo_ui.h"

using namespace celvara;
using namespace celvara::prueba_ventana;

namespace {

// The child: the program's first run on $CELVARA_UNIDAD_C, obra.obs given on
// its command line, X of station A typed as 1234.5 in the grid; it then
// waits for the autosave and for its end. Killed, it never saves the
// settings at its exit: the next start finds obra.obs as the last book only
// because the autosave named it there.
int hijo(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const std::filesystem::path raiz = qEnvironmentVariable("CELVARA_UNIDAD_C").toStdString();
    std::filesystem::current_path(raiz / "TRABAJOS");
    const MapaRutas mapa(raiz);
    EntornoAnfitrion entorno(mapa);
    ui::VentanaGestor v(mapa);
    v.iniciar(entorno, "C:\\TRABAJOS\\OBRA1\\obra.obs");  // as "celvara obra.obs" opens it
    v.show();
    v.activateWindow();
    if (!QTest::qWaitForWindowActive(&v) || !teclearCelda(v, 0, 1, QStringLiteral("1234.5"))) return 2;
    return app.exec();
}

// The program started on an existing drive, its messages answered from a script.
struct Programa {
    explicit Programa(const std::filesystem::path& raiz) : mapa(raiz) {}
    ~Programa() {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    }
    void iniciar() {
        EntornoAnfitrion entorno(mapa);
        v.iniciar(entorno);
    }
    MapaRutas mapa;
    AvisosGuion avisos;
    DialogosGuion dialogos;
    MostradorGuion mostrador;
    ui::VentanaGestor v{mapa, ui::ServiciosGestor{&avisos, &dialogos, &mostrador}};
};

}  // namespace

class PruebaRecuperacion : public QObject {
    Q_OBJECT
private slots:
    void copiaTrasMatarElPrograma() {
        QTemporaryDir dir;
        const std::filesystem::path raiz = dir.path().toStdString();
        const auto trabajos = raiz / "TRABAJOS";
        const auto obra = trabajos / "OBRA1" / "obra.obs";
        const auto copia = trabajos / "OBRA1" / "obra.obs.recuperacion";
        std::filesystem::create_directories(obra.parent_path());
        escribir(trabajos / "CELV.INI", "C:\\TRABAJOS\\OBRA1\\\n");
        CLibretaCampo l;
        prueba::libretaPequena(l);
        QVERIFY(escribirLibreta(l, obra));
        const std::string original = leerFichero(obra);
        l.estaciones[0]->x = 1234.5;
        QVERIFY(escribirLibreta(l, raiz / "editada.obs"));
        const std::string editada = leerFichero(raiz / "editada.obs");

        QProcess programa;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        entorno.insert(QStringLiteral("CELVARA_UNIDAD_C"), dir.path());
        entorno.insert(QStringLiteral("CELVARA_RECUPERACION_SEGUNDOS"), QStringLiteral("1"));
        programa.setProcessEnvironment(entorno);
        programa.setProcessChannelMode(QProcess::ForwardedChannels);
        programa.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hijo")});
        QVERIFY(programa.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(copia) || programa.state() == QProcess::NotRunning, 60000);
        QCOMPARE(programa.state(), QProcess::Running);
        programa.kill();  // SIGKILL: nothing of the program runs after it
        QVERIFY(programa.waitForFinished());
        QCOMPARE(programa.exitStatus(), QProcess::CrashExit);
        QCOMPARE(leerFichero(copia), editada);
        QCOMPARE(leerFichero(obra), original);

        const QDateTime fecha = QFileInfo(QString::fromStdString(copia.string())).lastModified();
        const std::string pregunta = "Hay una copia de recuperación de obra.obs del " +
                                     fecha.toString(QStringLiteral("dd-MM-yyyy hh:mm")).toStdString() +
                                     ". ¿Recuperarla?";
        // "Sí": the edited book, modified, under the book's own name; "Grabar" writes the book.
        Programa p(raiz);
        p.avisos.esperar(pregunta, Respuesta::Si);
        p.iniciar();
        QVERIFY(p.avisos.guion.empty() && p.avisos.inesperados.empty());
        QVERIFY(p.v.gestor().modificado());
        QCOMPARE(p.v.windowTitle(),
                 QStringLiteral("Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\obra.obs]"));
        p.v.ejecutarAccion(Accion::Grabar);
        QCOMPARE(leerFichero(obra), editada);
        QVERIFY(!std::filesystem::exists(copia));
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--hijo") == 0) return hijo(argc, argv);
    QApplication app(argc, argv);
    PruebaRecuperacion prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "recuperacion_test.moc"
