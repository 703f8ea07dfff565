// Windows "CALCULO DE LA RADIACION" and "CONFIGURAR CALCULO": thin views over
// CCalculoRadiacion and CConfigurarCalculo.
#pragma once

#include <QDialog>
#include <functional>

#include "calc/radiacion.h"
#include "fieldbook/rutas.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/ventana_calculo.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace celvara::ui {

class CRejilla;

class DialogoConfigurarCalculo : public QDialog {
    Q_OBJECT
public:
    DialogoConfigurarCalculo(OpcionesRadiacion& opciones, CDatosGenerales& ajustes, QWidget* padre = nullptr);
    CConfigurarCalculo& logica() { return logica_; }
    void aceptar();

private:
    CConfigurarCalculo logica_;
    CDatosGenerales& ajustes_;
    QCheckBox* informe1_;
    QCheckBox* informe2_;
    QCheckBox* aplicarATodas_;
    QCheckBox* esfRefr_;
    QCheckBox* tempPres_;
    QCheckBox* interseccion_;
    QCheckBox* estaciones_;
    QCheckBox* noVisuales_;
    QRadioButton* planas_;
    QRadioButton* ed50_;
    QRadioButton* wgs84_;
    QLineEdit* escala_;
};

class DialogoRadiacion : public QDialog, public AbrirCalculo<DialogoRadiacion> {
    Q_OBJECT
public:
    DialogoRadiacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                     QWidget* padre = nullptr);

    CCalculoRadiacion& logica() { return logica_; }
    CRejilla* rejilla() const { return rejilla_; }
    // Runs "CONFIGURAR CALCULO"; true on OK. Replaceable in tests.
    std::function<bool()> configurar;
    // Shows a written report (host path). Replaceable in tests.
    std::function<void(const QString&)> mostrarInforme;

    void elegirPestana(int pestana);
    void pulsarFichero();
    void pulsarRecogerErrores();
    void pulsarConfigurar();
    void pulsarCalcular();

protected:
    void done(int resultado) override;

private:
    CCalculoRadiacion logica_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    LugarFicheros lugar_;  // the book's folder, where "Fichero *.CRD" starts
    Avisos& avisos_;
    CRejilla* rejilla_;
    QTabBar* pestanas_;
    QLineEdit* fichero_;
    QRadioButton* nuevo_;
    QRadioButton* anadir_;
    QPushButton* recogerErrores_;
};

}  // namespace celvara::ui
