// Showing a written report, the same way for every window of the program: on
// Windows the system editor with the command line "NOTEPAD %s"; elsewhere a
// read-only viewer in a fixed-width font with "Guardar como", "Imprimir" and
// a button that opens the file with the desktop's own program.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QPlainTextEdit;

namespace celvara::ui {

// Shows the report at a Windows path (mapped to the host); the viewer's
// "Guardar como" starts in `lugar` (the book's folder).
void mostrarInformeQt(QWidget* padre, const LugarFicheros& lugar, std::string_view rutaWindows);
// The same, "Guardar como" starting in the report's folder.
void mostrarInformeQt(QWidget* padre, const MapaRutas& mapa, std::string_view rutaWindows);

class MostradorInformesQt : public MostradorInformes {
public:
    MostradorInformesQt(QWidget* padre, const MapaRutas& mapa) : padre_(padre), mapa_(mapa) {}
    void mostrar(std::string_view rutaWindows) override {
        if (lugar) mostrarInformeQt(padre_, lugar(), rutaWindows);
        else mostrarInformeQt(padre_, mapa_, rutaWindows);
    }
    // Where the viewer's "Guardar como" starts.
    std::function<LugarFicheros()> lugar;

private:
    QWidget* padre_;
    const MapaRutas& mapa_;
};

class VisorInforme : public QDialog {
    Q_OBJECT
public:
    // `rutaAnfitrion`: the written file; its bytes are Windows-1252.
    VisorInforme(const QString& rutaAnfitrion, QWidget* padre = nullptr, LugarFicheros lugar = {});
    QString texto() const;
    const QString& ruta() const { return ruta_; }

private:
    void guardarComo();
    void imprimir();
    void abrirConElSistema();

    QString ruta_;
    LugarFicheros lugar_;
    QPlainTextEdit* texto_;
};

}  // namespace celvara::ui
