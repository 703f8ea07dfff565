// Harness of the window tests: a temporary drive C: with a working
// directory and a field book, recorders standing in for message boxes, file
// dialogs and the report viewer, the real main window on top; and the few
// moves every window test makes (type into a grid or a field, press a
// button, close what a command opens).
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <deque>
#include <filesystem>
#include <functional>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/libreta_prueba.h"
#include "datos/instrumentos.h"
#include "fieldbook/arranque.h"
#include "fieldbook/fichero_obs.h"
#include "manager/gestor_configuracion.h"
#include "ui/comun/pantalla.h"
#include "ui/manager/gestor_arbol_modelo.h"
#include "ui/manager/gestor_ventana.h"
#include "ui/manager/gestor_vista.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::prueba_ventana {

class AvisosGuion : public Avisos {
public:
    using Visto = prueba::AvisoGrabado;
    void esperar(std::string texto, Respuesta r = Respuesta::Aceptar) { guion.emplace_back(std::move(texto), r); }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones b, Icono i) override {
        vistos.push_back({std::string(texto), std::string(titulo), b, i});
        if (guion.empty()) {
            inesperados.emplace_back(texto);
            return Respuesta::Cancelar;
        }
        auto [esperado, r] = guion.front();
        guion.pop_front();
        if (esperado != texto) inesperados.push_back("\"" + std::string(texto) + "\" en vez de \"" + esperado + "\"");
        return r;
    }
    std::deque<std::pair<std::string, Respuesta>> guion;
    std::vector<Visto> vistos;
    std::vector<std::string> inesperados;
};

class DialogosGuion : public DialogosGestor {
public:
    std::optional<std::string> pedirFichero(const PeticionFichero& p) override {
        peticiones.push_back(p);
        return tomar(ficheros);
    }
    std::optional<std::string> pedirNombre(bool, std::string_view) override { return tomar(nombres); }
    bool editarConfiguracion(CConfiguracion& c) override { return configurar ? configurar(c) : false; }

    std::deque<std::optional<std::string>> ficheros;
    std::deque<std::optional<std::string>> nombres;
    std::function<bool(CConfiguracion&)> configurar;
    std::vector<PeticionFichero> peticiones;

private:
    static std::optional<std::string> tomar(std::deque<std::optional<std::string>>& cola) {
        if (cola.empty()) return std::nullopt;
        auto r = cola.front();
        cola.pop_front();
        return r;
    }
};

class MostradorGuion : public MostradorInformes {
public:
    void mostrar(std::string_view ruta) override { mostrados.emplace_back(ruta); }
    std::vector<std::string> mostrados;
};

inline void escribir(const std::filesystem::path& p, const std::string& texto) {
    std::filesystem::create_directories(p.parent_path());
    prueba::escribirFichero(p, texto);
}
using prueba::leerFichero;

// The window started on C:\TRABAJOS\OBRA1\ with `obra.obs` as the last file
// (by default the small book: A (1000, 2000) with A_1 (3 readings) and A_2 (1), B, C).
class BancoVentana {
public:
    explicit BancoVentana(const std::function<void(CLibretaCampo&)>& llenar = prueba::libretaPequena)
        : raiz_(prepararDisco(dir_.path().toStdString(), llenar)), mapa(raiz_ / "c"),
          ventana(std::make_unique<ui::VentanaGestor>(mapa, ui::ServiciosGestor{&avisos, &dialogos, &mostrador})),
          v(*ventana), vista(v.vista()) {
        EntornoAnfitrion entorno(mapa);
        v.iniciar(entorno);
        v.show();
        v.activateWindow();
        (void)QTest::qWaitForWindowActive(&v);
    }
    // Every test on the window: each scripted message came, and no other.
    ~BancoVentana() {
        ventana.reset();
        std::error_code ec;  // out of the job's folder before it goes
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        if (!avisos.guion.empty() || !avisos.inesperados.empty())
            QTest::qFail(avisos.inesperados.empty() ? "mensaje esperado que no llegó" : avisos.inesperados[0].c_str(),
                         __FILE__, __LINE__);
    }
    std::filesystem::path obra() const { return raiz_ / "c" / "TRABAJOS" / "OBRA1"; }
    std::filesystem::path trabajos() const { return raiz_ / "c" / "TRABAJOS"; }
    CGestorObservaciones& gestor() { return ventana->gestor(); }
    Estacion& estacion(std::size_t i) { return *gestor().libreta().estaciones.at(i); }

private:
    static std::filesystem::path prepararDisco(const std::filesystem::path& raiz,
                                               const std::function<void(CLibretaCampo&)>& llenar) {
        const auto trabajos = raiz / "c" / "TRABAJOS";
        std::filesystem::create_directories(trabajos / "OBRA1");
        escribir(trabajos / "CELV.INI", "C:\\TRABAJOS\\OBRA1\\\n");
        CLibretaCampo l;
        llenar(l);
        escribirLibreta(l, trabajos / "OBRA1" / "obra.obs");
        CDatosGenerales a;
        a.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\obra.obs";
        guardarAjustes(a, trabajos / "observa.dft");
        return raiz;
    }

    QTemporaryDir dir_;
    std::filesystem::path raiz_;

public:
    MapaRutas mapa;
    AvisosGuion avisos;
    DialogosGuion dialogos;
    MostradorGuion mostrador;
    std::unique_ptr<ui::VentanaGestor> ventana;
    ui::VentanaGestor& v;
    ui::VistaGestor& vista;  // the widgets the window built
};

// A scratch C: for a window on its own, with a book, settings and the
// messages it shows.
struct Trabajo {
    QTemporaryDir dir;
    MapaRutas mapa{dir.path().toStdString()};
    CLibretaCampo libreta;
    CDatosGenerales ajustes;
    prueba::AvisosGrabados avisos;
    QString ruta(const char* nombre) const { return dir.filePath(QString::fromUtf8(nombre)); }
    // Where the settings look for the instrument library, its folder made.
    std::filesystem::path libreria() const {
        const auto r = rutaInstrumentos(ajustes, mapa);
        std::filesystem::create_directories(r.parent_path());
        return r;
    }
};

// Types into a grid cell as the user does: go to the cell, F2, type, Enter.
inline bool teclearCelda(QTableView* t, int fila, int columna, const QString& texto) {
    t->setFocus();
    t->setCurrentIndex(t->model()->index(fila, columna));
    QTest::keyClick(t, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor || !editor->isVisible()) return false;
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the editor's text and drops the editor through the event loop.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}
inline bool teclearCelda(ui::VentanaGestor& v, int fila, int columna, const QString& texto) {
    return teclearCelda(v.vista().rejilla()->vista(), fila, columna, texto);
}

inline QString celda(QTableView* t, int fila, int columna) { return t->model()->index(fila, columna).data().toString(); }

inline void clicEnNodo(ui::VentanaGestor& v, const NodoArbol& n) {
    QTreeView* arbol = v.vista().arbol();
    const QModelIndex i = v.vista().modeloArbol()->indice(n);
    QVERIFY(i.isValid());
    arbol->scrollTo(i);
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, arbol->visualRect(i).center());
}

inline void pulsar(QWidget& d, const char* nombre) {
    auto* b = d.findChild<QPushButton*>(QString::fromUtf8(nombre));
    QVERIFY2(b, nombre);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Replaces the text of a named field, as typed (within its maximum length).
inline void teclear(QWidget& d, const char* nombre, const QString& texto) {
    auto* e = d.findChild<QLineEdit*>(QString::fromUtf8(nombre));
    QVERIFY2(e, nombre);
    e->clear();
    e->insert(texto);
}

// Runs `accion` on the modal dialog once it is up.
template <typename T, typename F>
void alAbrirse(F accion) {
    QTimer::singleShot(0, [accion] {
        T* dialogo = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialogo, "no modal dialog of the expected kind");
        accion(dialogo);
    });
}

// Runs `accion`, closing every dialog it opens (message boxes too), and
// returns the title of the first one that is not a message box, which
// `alAbrir` sees before it closes.
inline QString tituloDeLoQueAbre(const std::function<void()>& accion,
                                 const std::function<void(QDialog&)>& alAbrir = {}) {
    QList<QWidget*> antes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) antes << w;
    QString titulo;
    QTimer cierre;
    cierre.setInterval(20);
    QObject::connect(&cierre, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || !d->isVisible() || antes.contains(d)) continue;
            if (titulo.isEmpty() && !d->inherits("QMessageBox")) {
                titulo = d->windowTitle();
                if (alAbrir) alAbrir(*d);
            }
            d->done(QDialog::Rejected);
            return;
        }
    });
    cierre.start();
    accion();
    return titulo;
}

inline QString leerTexto(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// With CELVARA_CAPTURAS naming a folder (scripts/capturas.sh), the pictures
// of the windows are saved there, each window fitted to the screen as the
// program fits it when it opens.
inline bool hayCapturas() { return !qgetenv("CELVARA_CAPTURAS").isEmpty(); }
inline void capturar(QWidget& w, const QString& fichero) {
    if (!hayCapturas()) return;
    if (w.isWindow()) {
        ui::encajarEnPantalla(w);
        QCoreApplication::processEvents();
    }
    const QDir carpeta(QString::fromLocal8Bit(qgetenv("CELVARA_CAPTURAS")));
    QDir().mkpath(carpeta.path());
    w.grab().save(carpeta.filePath(fichero));
}

}  // namespace celvara::prueba_ventana
