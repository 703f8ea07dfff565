// The main window's file dialogs, name entry and configuration sheet with Qt
// dialogs; the file dialog is the one every window shares.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "fieldbook/rutas.h"
#include "manager/gestor_dialogos.h"

namespace celvara::ui {

class DialogosGestorQt : public DialogosGestor {
public:
    DialogosGestorQt(QWidget* padre, const MapaRutas& mapa) : padre_(padre), mapa_(mapa) {}

    std::optional<std::string> pedirFichero(const PeticionFichero& peticion) override;
    std::optional<std::string> pedirNombre(bool estacionamiento, std::string_view textoInicial) override;
    bool editarConfiguracion(CConfiguracion& configuracion) override;

    // Hooks of the sheet to other windows: the reduction factor to the
    // ellipsoid ("R.Elip") and the instrument list ("INSTRUMENTO").
    std::function<std::optional<double>()> pedirFactorElipsoide;
    std::function<std::optional<std::string>(const std::string& actual)> elegirInstrumento;
    // Initial folder of the sheet's file dialog.
    std::function<std::string()> directorioTrabajo;
    // celvara.ini (host path), where the file dialogs keep their last folders.
    std::function<std::filesystem::path()> ajustesPropios;

private:
    QWidget* padre_;
    const MapaRutas& mapa_;
};

}  // namespace celvara::ui
