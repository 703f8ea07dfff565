// The property sheet "PANTALLA DE CONFIGURACION" with its pages "CALCULO",
// "IMPORTAR" and "VARIOS", bound to a `CConfiguracion`; OK copies the
// controls into it (the caller then applies it), Cancel leaves it alone.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "manager/gestor_configuracion.h"
#include "manager/gestor_dialogos.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace celvara::ui {

// The controls of complementary data: the "IMPORTAR" page, and the set-up's
// "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO" dialog can show the same.
class PanelDatosComplementarios : public QWidget {
    Q_OBJECT
public:
    explicit PanelDatosComplementarios(QWidget* padre = nullptr);
    void mostrar(const EdicionDatosComplementarios& datos);
    EdicionDatosComplementarios leer() const;

    std::function<std::optional<std::string>(const std::string& actual)> elegirInstrumento;

private:
    QLineEdit *instrumento_, *operador_, *dia_, *hora_, *temperatura_, *presion_, *ppm_, *comentarios_;
    QRadioButton* distancia_[4];
    QRadioButton* vertical_[3];
    QComboBox *angular_, *distancias_;
    QCheckBox *esfRefr_, *tempPres_;
};

class DialogoConfiguracion : public QDialog {
    Q_OBJECT
public:
    DialogoConfiguracion(CConfiguracion& configuracion, QWidget* padre = nullptr);

    // For the button "Fichero de Informes:" (its file dialog).
    void fijarDialogos(DialogosGestor* dialogos, std::string directorioTrabajo);
    std::function<std::optional<double>()> pedirFactorElipsoide;

    QTabWidget* paginas() const { return paginas_; }
    PanelDatosComplementarios* panelDatos() const { return datos_; }
    void accept() override;

private:
    QWidget* crearCalculo();
    QWidget* crearVarios();
    void leerCalculo();

    CConfiguracion& configuracion_;
    DialogosGestor* dialogos_ = nullptr;
    std::string directorio_;
    QTabWidget* paginas_;
    // CALCULO
    QComboBox* proyeccion_ = nullptr;
    QSpinBox* huso_ = nullptr;
    QComboBox* datum_ = nullptr;
    QLineEdit *escala_ = nullptr, *coeficiente_ = nullptr, *radio_ = nullptr;
    QLineEdit *longitudinal_ = nullptr, *transversal_ = nullptr, *altura_ = nullptr;
    QLineEdit *precisionX_ = nullptr, *precisionY_ = nullptr, *precisionZ_ = nullptr;
    QLineEdit* informes_ = nullptr;
    // IMPORTAR
    PanelDatosComplementarios* datos_ = nullptr;
    // VARIOS
    QCheckBox *estaciones_ = nullptr, *puntos_ = nullptr, *visuales_ = nullptr;
    QLineEdit *instrumentos_ = nullptr, *datosTrabajo_ = nullptr, *logo_ = nullptr;
    QComboBox* idioma_ = nullptr;
};

}  // namespace celvara::ui
