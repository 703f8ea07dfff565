#include "ui/manager/gestor_ventana.h"

#include <QCloseEvent>

#include "fieldbook/codificacion.h"
#include "ui/calc/reduccion_elipsoide_dialogo.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_avisos_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/comun/ventana_ayuda.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/manager/gestor_aperturas.h"
#include "ui/manager/gestor_dialogos_qt.h"
#include "ui/manager/gestor_vista.h"

namespace celvara::ui {

VentanaGestor::VentanaGestor(const MapaRutas& mapa, ServiciosGestor servicios, QWidget* padre)
    : QMainWindow(padre), mapa_(mapa) {
    setObjectName(QStringLiteral("gestorObservaciones"));
    crearServicios(servicios);
    gestor_ = std::make_unique<CGestorObservaciones>(mapa_, *servicios.avisos, *servicios.dialogos,
                                                     *servicios.mostrador);
    setWindowTitle(QString::fromStdString(gestor_->documento().titulo()));
    vista_ = new VistaGestor(*this, *gestor_, mapa_, [this](Accion a) { ejecutarAccion(a); });
    aperturas_ = std::make_unique<AperturasGestor>(*this, *gestor_, *vista_, mapa_);
    resize(sizeHint());
    instalarAyudaContextual(this);
}

// The view reads the core in place: it goes first.
VentanaGestor::~VentanaGestor() { delete vista_; }

void VentanaGestor::crearServicios(ServiciosGestor& servicios) {
    if (!servicios.avisos) {
        avisosQt_ = std::make_unique<AvisosQt>(this);
        servicios.avisos = avisosQt_.get();
    }
    if (!servicios.mostrador) {
        mostradorQt_ = std::make_unique<MostradorInformesQt>(this, mapa_);
        servicios.mostrador = mostradorQt_.get();
    }
    if (servicios.dialogos) return;
    dialogosQt_ = std::make_unique<DialogosGestorQt>(this, mapa_);
    servicios.dialogos = dialogosQt_.get();
    dialogosQt_->directorioTrabajo = [this] { return std::string(gestor_->ajustes().directorioTrabajo.vista()); };
    dialogosQt_->ajustesPropios = [this] { return ajustesPropios(); };
    // The sheet's "R.Elip" and "INSTRUMENTO" buttons.
    dialogosQt_->pedirFactorElipsoide = [this] {
        return DialogoReduccionElipsoide::pedirFactor(gestor_->ajustes(), this);
    };
    dialogosQt_->elegirInstrumento = [this](const std::string&) -> std::optional<std::string> {
        std::string nombre;
        if (!::celvara::ui::abrirListadoInstrumentos(this, gestor_->ajustes(), mapa_, &nombre)) return std::nullopt;
        return cp1252AUtf8(nombre);
    };
}

std::filesystem::path VentanaGestor::ajustesPropios() const {
    return lugarFicheros(gestor_->ajustes(), mapa_).ajustesPropios;
}

void VentanaGestor::iniciar(EntornoArranque& entorno, const std::string& libreta) {
    gestor_->iniciar(entorno, libreta);
    vista_->sincronizar();

    bool segundos = false;
    const int s = qEnvironmentVariableIntValue("CELVARA_RECUPERACION_SEGUNDOS", &segundos);
    const int ms = segundos && s > 0 ? s * 1000 : gestor_->documento().recuperacion().minutos() * 60000;
    if (ms > 0) vista_->iniciarAutoguardado(ms);
}

void VentanaGestor::closeEvent(QCloseEvent* e) {
    if (gestor_->documento().salir()) {
        vista_->soltarLibreta();
        e->accept();
    } else {
        e->ignore();
        vista_->sincronizar();
    }
}

void VentanaGestor::mouseDoubleClickEvent(QMouseEvent*) { ejecutarAccion(Accion::Actualizar); }

}  // namespace celvara::ui
