// What every least-squares computation says about itself: the standard
// error ellipse of a point, the quantiles of chi² for the global test of the
// variance factor, and the limit of data snooping on standardised residuals.
#pragma once

namespace celvara {

// The largest |w| above this marks its observation (data snooping, alpha 0.1 %).
inline constexpr double kLimiteW = 3.29;

// Ellipse of standard error: semi-axes a >= b (m), azimuth of a (gon, [0, 200)).
struct Elipse {
    double a = 0, b = 0, azimut = 0;
};
// Standard error ellipse of a 2 × 2 covariance (x east, y north).
Elipse elipseError(double sxx, double syy, double sxy);

// Upper quantile of chi² with r degrees of freedom: the value exceeded with
// probability p.
double cuantilChi2(int r, double p);

// The global test of r·s0²/σ0² (σ0 = 1) against chi²(r) at 5 %, two-sided.
struct TestGlobal {
    double estadistico = 0, inferior = 0, superior = 0;
    bool aceptado = true;
};
TestGlobal testGlobal(int redundancia, double estadistico);
// What the test says, in a surveyor's words.
const char* veredictoTest(const TestGlobal& t);

}  // namespace celvara
