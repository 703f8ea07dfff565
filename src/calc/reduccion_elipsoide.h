// Reduction factor of distances to the ellipsoid (window "Cálculo del F.
// Reduc de Distancias al Elipsoide"): F = R / (R + h), R the mean earth
// radius and h the mean height of the work, both in metres. The window's
// three edits are held here as text, as the user types them.
#pragma once

#include <string>

#include "fieldbook/datos_generales.h"

namespace celvara {

class CReduccionElipsoide {
public:
    // "Radio medio Terrestre :" starts with the settings' mean earth radius.
    explicit CReduccionElipsoide(const CDatosGenerales& ajustes);

    std::string textoRadio;   // "Radio medio Terrestre :", "%1.3lf"
    std::string textoAltura;  // "Altura media Trabajo   :"
    std::string textoFactor;  // "Factor de Reducción Calculado", "%1.10lf"

    // "Calc": R / (R + h) into textoFactor (1 when h = -R).
    void calcular();
    // "Aceptar": the factor standing in textoFactor, as a number (unreadable
    // text is 0); the caller writes it into its scale edit with "%1.10lf".
    double aceptar();

    // The result of the last aceptar() (1.0 before).
    double factor() const { return factor_; }

private:
    double factor_ = 1.0;
};

// F = R / (R + h); 1 when R + h is zero.
double factorReduccionElipsoide(double radio, double altura);

}  // namespace celvara
