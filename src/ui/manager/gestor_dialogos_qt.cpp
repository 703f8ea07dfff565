#include "ui/manager/gestor_dialogos_qt.h"

#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/manager/configuracion_dialogo.h"
#include "ui/manager/gestor_nombre_dialogo.h"

namespace celvara::ui {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

std::optional<std::string> DialogosGestorQt::pedirFichero(const PeticionFichero& peticion) {
    return pedirFicheroQt(padre_, mapa_, peticion, ajustesPropios ? ajustesPropios() : std::filesystem::path());
}

std::optional<std::string> DialogosGestorQt::pedirNombre(bool estacionamiento, std::string_view texto) {
    DialogoInsertarDato dialogo(estacionamiento, qs(texto), padre_);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.texto().toUtf8().toStdString();
}

bool DialogosGestorQt::editarConfiguracion(CConfiguracion& configuracion) {
    DialogoConfiguracion dialogo(configuracion, padre_);
    dialogo.fijarDialogos(this, directorioTrabajo ? directorioTrabajo() : std::string());
    dialogo.pedirFactorElipsoide = pedirFactorElipsoide;
    dialogo.panelDatos()->elegirInstrumento = elegirInstrumento;
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace celvara::ui
