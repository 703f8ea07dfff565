// Window "Cálculo del F. Reduc de Distancias al Elipsoide": a thin view over
// CReduccionElipsoide. Opened by the "R.Elip" buttons of the calculation
// settings; the caller writes factor() with "%1.10lf" into its scale edit.
#pragma once

#include <QDialog>
#include <optional>

#include "calc/reduccion_elipsoide.h"

class QLineEdit;

namespace celvara::ui {

class DialogoReduccionElipsoide : public QDialog {
    Q_OBJECT
public:
    explicit DialogoReduccionElipsoide(const CDatosGenerales& ajustes, QWidget* padre = nullptr);

    // The factor taken on "Aceptar".
    double factor() const { return logica_.factor(); }

    // Runs the window modally: the factor on "Aceptar", nothing on "Cancelar".
    static std::optional<double> pedirFactor(const CDatosGenerales& ajustes, QWidget* padre = nullptr);

private:
    void calcular();
    void aceptar();

    CReduccionElipsoide logica_;
    QLineEdit* radio_ = nullptr;
    QLineEdit* altura_ = nullptr;
    QLineEdit* factor_ = nullptr;
};

}  // namespace celvara::ui
