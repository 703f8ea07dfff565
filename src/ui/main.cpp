// celvara: the desktop program. The main window is the whole user interface;
// closing it ends the program.
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "datos/instrumentos_datos_fijos.h"
#include "fieldbook/arranque.h"
#include "fieldbook/rutas.h"
#include "ui/comun/pantalla.h"
#include "ui/manager/gestor_idioma.h"
#include "ui/manager/gestor_ventana.h"

namespace {

// Drive C: of the stored paths: $CELVARA_UNIDAD_C, else ~/.celvara/c.
std::filesystem::path raizUnidadC() {
#ifdef _WIN32
    return "C:\\";  // the real drive
#endif
    if (const char* v = std::getenv("CELVARA_UNIDAD_C"); v && *v) return v;
    return std::filesystem::path(QDir::homePath().toStdString()) / ".celvara" / "c";
}

// The fixed data shipped with the program (instrument library, job data,
// pictures): $CELVARA_DATOS, else beside an installed program, else the
// source tree it was built from.
std::filesystem::path datosFijosDelPrograma() {
    if (const char* v = std::getenv("CELVARA_DATOS"); v && *v) return v;
    const std::filesystem::path instalados =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "share" / "celvara" / "vestrum";
    std::error_code ec;
    if (std::filesystem::is_directory(instalados, ec)) return instalados;
    return CELVARA_DATOS_FUENTE;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in files and reports always use a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Celvara"));
    celvara::ui::instalarIdiomaEspanol(app);
    celvara::ui::instalarEncajeVentanas(app);

    const auto raiz = raizUnidadC();
    std::error_code ec;
    // Made absolute before the working directory changes below.
    std::filesystem::path fichero;
    if (const QStringList a = QApplication::arguments(); a.size() > 1)
        fichero = std::filesystem::absolute(a.at(1).toStdString(), ec);
    std::filesystem::create_directories(raiz / "TRABAJOS", ec);
    // A first run (no start-up file yet) takes the current directory as the
    // working directory: start in C:\TRABAJOS, where the program's files
    // live, rather than wherever it was launched from.
    if (!ec) std::filesystem::current_path(raiz / "TRABAJOS", ec);
    const celvara::MapaRutas mapa(raiz);
    celvara::EntornoAnfitrion entorno(mapa);
    // The user's own copies are never replaced; only missing files are added.
    bool sembrado = true;
    celvara::sembrarDatosFijos(datosFijosDelPrograma(), celvara::carpetaDatosFijos(mapa), sembrado);

    celvara::ui::VentanaGestor ventana(mapa);
    // "celvara FICHERO.obs", as file managers start it: that book replaces
    // the last one.
    ventana.iniciar(entorno, fichero.empty() ? std::string() : mapa.aWindows(fichero));
    ventana.show();
    return app.exec();
}
