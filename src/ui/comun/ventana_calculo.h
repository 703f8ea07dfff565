// What the book's calculation windows share: being opened over the book
// from the menus, their text reports, and the frame of those that are one
// grid with a row of buttons below it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QHBoxLayout;

namespace celvara {
class Avisos;
class CDatosGenerales;
class CLibretaCampo;
class FuenteRejilla;
class MapaRutas;
}  // namespace celvara

namespace celvara::ui {

class CRejilla;

// Asks for a report file (host path; empty: cancelled) and shows a written one.
struct InformeEstacionQt {
    std::function<QString(QWidget*)> pedirFichero;
    std::function<void(const QString&)> mostrar;
};
// The report file is a text file the report is appended to; with the
// settings, its dialog starts in the book's folder.
InformeEstacionQt informeEstacionQt(QWidget* padre, const MapaRutas& mapa, const CDatosGenerales* ajustes = nullptr);

// `Dialogo::abrir` for a window built from the book, the settings, the
// paths and the messages: runs it modally.
template <typename Dialogo>
struct AbrirCalculo {
    static void abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                      Avisos& avisos) {
        Dialogo dialogo(libreta, ajustes, mapa, avisos, padre);
        dialogo.exec();
    }
};

// Lays out `dialogo` as `rejilla` (named `nombre`, over `fuente`, on the
// light cyan of the calculation grids) above a row of buttons, which it
// returns empty.
QHBoxLayout* marcoRejilla(QDialog* dialogo, CRejilla* rejilla, const char* nombre, FuenteRejilla* fuente);

}  // namespace celvara::ui
