// Reduction of distances to the ellipsoid: a horizontal distance measured at
// mean height h (m) above the ellipsoid, on a sphere of mean radius R (m),
// shrinks on the ellipsoid by F = R / (R + h).
#include "calc/reduccion_elipsoide.h"

#include "fieldbook/numeros.h"

namespace celvara {

double factorReduccionElipsoide(double radio, double altura) {
    if (altura == -radio) return 1.0;
    return radio / (radio + altura);
}

CReduccionElipsoide::CReduccionElipsoide(const CDatosGenerales& ajustes)
    : textoRadio(formatear("%1.3lf", ajustes.radioTerrestre)) {}

void CReduccionElipsoide::calcular() {
    textoFactor = formatear("%1.10lf", factorReduccionElipsoide(textoANumero(textoRadio), textoANumero(textoAltura)));
}

double CReduccionElipsoide::aceptar() {
    factor_ = textoANumero(textoFactor);
    return factor_;
}

}  // namespace celvara
