// The main window's file dialogs, name entry and configuration sheet with Qt
// dialogs. File dialogs are Qt's own (never the platform's), with the old
// filters translated and paths mapped between Windows and host form.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"

namespace celvara::ui {

// "Texto (*.X) |*.x|Todos (*.*) |*.*||" as Qt name filters; each pattern
// also in upper and lower case, since the host file system tells them apart.
QStringList filtrosQt(std::string_view filtroWindows);

// The file dialog of any window: a path in Windows form, or nothing.
std::optional<std::string> pedirFicheroQt(QWidget* padre, const MapaRutas& mapa, const PeticionFichero& peticion);

class DialogosGestorQt : public DialogosGestor {
public:
    DialogosGestorQt(QWidget* padre, const MapaRutas& mapa) : padre_(padre), mapa_(mapa) {}

    std::optional<std::string> pedirFichero(const PeticionFichero& peticion) override;
    std::optional<std::string> pedirNombre(bool estacionamiento, std::string_view textoInicial) override;
    bool editarConfiguracion(CConfiguracion& configuracion) override;

    // Hooks of the sheet to the windows of other parts: the reduction factor
    // to the ellipsoid ("R.Elip") and the instrument list ("INSTRUMENTO").
    std::function<std::optional<double>()> pedirFactorElipsoide;
    std::function<std::optional<std::string>(const std::string& actual)> elegirInstrumento;
    // Initial folder of the sheet's file dialog.
    std::function<std::string()> directorioTrabajo;

private:
    QWidget* padre_;
    const MapaRutas& mapa_;
};

}  // namespace celvara::ui
