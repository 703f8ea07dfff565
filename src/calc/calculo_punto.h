// Reduction of one reading of a set-up to the coordinates of the sighted
// point: polar radiation with the set-up's distance and vertical kinds,
// scale, and the earth-curvature and refraction term.
//
// Usage: load the set-up once (cargarEstacionamiento), set the scale
// (fijarEscala), then for every reading cargarLectura + calcular. Angles in
// the set-up's circle C (400 or 360); distances, heights and coordinates in
// metres; the azimuth of the result in radians.
#pragma once

#include <cstdint>

#include "fieldbook/libreta.h"

namespace celvara {

// What the reduction takes from a set-up (and from the grid of the window
// that runs it).
struct DatosEstacionamientoCalculo {
    double x0 = 0, y0 = 0, z0 = 0;     // station coordinates
    double desorientacion = 0;          // omega, set-up angle unit
    double alturaInstrumento = 0;       // hi
    double correccionHorizontal = 0;    // dH, set-up angle unit (already out of cc / seconds)
    double correccionVertical = 0;      // dV, set-up angle unit
    double correccionDistancia = 0;     // dD, metres (already out of mm)
    std::uint8_t aplicarEsfRefr = 0;    // 1 = add the curvature and refraction term
    std::uint8_t aplicarTempPres = 0;   // carried only
    std::int32_t tipoDistancia = 0;     // TipoDistancia
    std::int32_t tipoVertical = 0;      // TipoVertical
    std::int32_t unidadAngular = kCentesimal;  // C
};

// The set-up as the records hold it: station coordinates, hi, omega, kinds
// and circle; no corrections; curvature and refraction applied unless the
// set-up says its readings were already corrected for it (likewise
// temperature and pressure).
DatosEstacionamientoCalculo datosDeEstacionamiento(const Estacion& estacion, const Estacionamiento& estacionamiento);

// Result of one reading.
struct PuntoCalculado {
    double azimut = 0;              // theta, radians
    double distanciaReducida = 0;   // Dh, scaled
    double desnivel = 0;            // dz, unscaled
    double esfericidadRefraccion = 0;  // c
    double x = 0, y = 0, z = 0;
};

class CCalculoPunto {
public:
    // The point calculator's own constants.
    static constexpr double kPi = 3.1415926535898;
    static constexpr double kDosPi = 6.2831853071796;
    static constexpr double kRecto = 1.5707963267948966;        // exact right-angle test
    static constexpr double kTresRectos = 4.71238898038469;     // exact right-angle test
    static constexpr double kRadioTierra = 6378388.0;           // R, m
    static constexpr double kRefraccion = 0.42;                 // K = (1 - 0.16) / 2

    void cargarEstacionamiento(const DatosEstacionamientoCalculo& datos) { est_ = datos; }
    void fijarEscala(double k) { escala_ = k; }
    // H, V in the set-up's angle unit (V a height difference in metres for
    // distance kind 2), D the distance field, hm the target height.
    void cargarLectura(double horizontal, double vertical, double distancia, double jalon);

    // Reduces the last loaded reading; the result also stays in resultado().
    const PuntoCalculado& calcular();
    const PuntoCalculado& resultado() const { return res_; }

    const DatosEstacionamientoCalculo& estacionamiento() const { return est_; }
    double escala() const { return escala_; }

private:
    DatosEstacionamientoCalculo est_;
    double escala_ = 1.0;
    double h_ = 0, v_ = 0, d_ = 0, hm_ = 0;
    PuntoCalculado res_;
};

}  // namespace celvara
