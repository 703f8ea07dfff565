// The file dialog every window shares: Qt's own (never the platform's), with
// the old filters translated and paths mapped between Windows and host form.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"

class QFileDialog;

namespace celvara::ui {

// "Texto (*.X) |*.x|Todos (*.*) |*.*||" as Qt name filters; each pattern
// also in upper and lower case, since the host file system tells them apart.
QStringList filtrosQt(std::string_view filtroWindows);

// The file dialog of any window: a path in Windows form, or nothing. With
// `ajustesPropios` (the host path of celvara.ini) and `peticion.recordar`,
// it starts in the folder it last chose a file in for the same book, and
// keeps the new one there.
std::optional<std::string> pedirFicheroQt(QWidget* padre, const MapaRutas& mapa, const PeticionFichero& peticion,
                                          const std::filesystem::path& ajustesPropios = {});

// Where a window's file dialogs start (the book's folder) and keep their
// last folders (celvara.ini), and the map between the paths the window
// shows, in Windows form, and the host's.
struct LugarFicheros {
    const MapaRutas* mapa = nullptr;
    std::string carpeta;                  // Windows form, UTF-8
    std::filesystem::path ajustesPropios;  // host path; empty: nothing kept

    std::optional<std::string> pedir(QWidget* padre, PeticionFichero peticion) const;
    // A file to open (it must exist) or to save, as a host path; `recordar`
    // names the folder kept in celvara.ini.
    std::optional<std::filesystem::path> pedirEnAnfitrion(QWidget* padre, bool guardar, std::string extension,
                                                          std::string filtro, std::string recordar) const;
    // A path as the window shows it (Windows form) on the host.
    std::filesystem::path anfitrion(const QString& ruta) const;
    QString aWindows(const std::filesystem::path& anfitrion) const;
};
LugarFicheros lugarFicheros(const CDatosGenerales& ajustes, const MapaRutas& mapa);

// The folders a Qt file dialog shows (the "look in" list and the places on
// its side) in the program's own form, C:\TRABAJOS\OBRA, never the host
// folder that stands for the drive.
void mostrarRutasDelPrograma(QFileDialog& dialogo, const MapaRutas& mapa);

}  // namespace celvara::ui
