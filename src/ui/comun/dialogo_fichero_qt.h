// The file dialog every window shares: Qt's own (never the platform's), with
// the old filters translated and paths mapped between Windows and host form.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"

namespace celvara::ui {

// "Texto (*.X) |*.x|Todos (*.*) |*.*||" as Qt name filters; each pattern
// also in upper and lower case, since the host file system tells them apart.
QStringList filtrosQt(std::string_view filtroWindows);

// The file dialog of any window: a path in Windows form, or nothing.
std::optional<std::string> pedirFicheroQt(QWidget* padre, const MapaRutas& mapa, const PeticionFichero& peticion);

}  // namespace celvara::ui
