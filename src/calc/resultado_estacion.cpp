// Direct intersection: the rays S1 + t1 u1 and S2 + t2 u2, u = (sin az, cos az),
// meet at t1 = ((S2 − S1) × u2) / (u1 × u2).
// Inverse intersection (three directions H1..H3 from P, orientation w
// unknown): with c = cos w, s = sin w, p = x c − y s, q = x s + y c each sight
// gives the linear row
//   c (Xi cos Hi − Yi sin Hi) − s (Xi sin Hi + Yi cos Hi) − p cos Hi + q sin Hi = 0,
// so (c, s, p, q) is the null vector of a 3 × 4 matrix (its signed minors) and
// x = p c + q s, y = q c − p s. On the danger circle the null space grows and
// every minor vanishes.
// Error ellipses: the covariance (Bᵀ W B)⁻¹ of the directions' a priori errors
// (B in rad/m, W = 1/sigma²), the orientation eliminated for the inverse case.
#include "calc/resultado_estacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/plataforma.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/estacion_mmcc.h"
#include "calc/proyeccion_utm.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace cs = columna_semi;
namespace cres = columna_resultado;

namespace {

constexpr double kGonARadian = 3.14159265358979 / 200.0;
constexpr double kRho = 636619.8;  // cc per radian
constexpr double kMinimo = 1e-9;

std::vector<ColumnaRejilla> columnasSemi(const char* primera) {
    std::vector<ColumnaRejilla> c(cs::numero);
    c[cs::uso].casilla = true;
    c[cs::uso].ancho = 30;
    c[cs::estacion].titulo = primera;
    c[cs::estacionamiento].titulo = "Estacionamiento";
    c[cs::horizontal].titulo = "H";
    c[cs::vertical].titulo = "V";
    c[cs::distancia].titulo = "D";
    c[cs::jalon].titulo = "m";
    c[cs::estacion].editable = c[cs::estacionamiento].editable = false;
    return c;
}

std::vector<ColumnaRejilla> columnasResultado() {
    std::vector<ColumnaRejilla> c(cres::numero);
    c[cres::uso].casilla = true;
    c[cres::uso].ancho = 30;
    const char* t[] = {"", "EST1 ==>", "EST2 ==>", "EST3 ==>", "X", "Y", "Z", "a", "b", "d1", "d2", "Tz"};
    for (std::size_t i = 1; i < c.size(); ++i) {
        c[i].titulo = t[i];
        c[i].editable = false;
        if (i >= cres::x) c[i].alineacion = AlineacionColumna::Derecha;
    }
    return c;
}

double enCirculo(double w) {
    w = std::fmod(w, 400.0);
    return w < 0 ? w + 400.0 : w;
}

// Semi-diameter of the ellipse x' S⁻¹ x = 1 along the unit vector (ux, uy),
// with S⁻¹ = [n11 n12; n12 n22].
double semidiametro(double n11, double n12, double n22, double ux, double uy) {
    const double q = ux * ux * n11 + 2 * ux * uy * n12 + uy * uy * n22;
    return q > 0 ? 1.0 / std::sqrt(q) : 0.0;
}

// Ellipse figures of a normal matrix [n11 n12; n12 n22] (1/m²): a, b and the
// semi-diameters along (ux, uy) and its conjugate.
void figuras(double n11, double n12, double n22, double ux, double uy, SolucionEstacion& s) {
    const double det = n11 * n22 - n12 * n12;
    if (!(det > 0)) return;
    const double sxx = n22 / det, syy = n11 / det, sxy = -n12 / det;
    const Elipse e = elipseError(sxx, syy, sxy);
    s.a = e.a;
    s.b = e.b;
    s.d1 = semidiametro(n11, n12, n22, ux, uy);
    // Conjugate direction: S · u⊥.
    double vx = sxx * uy + sxy * -ux, vy = sxy * uy + syy * -ux;
    const double nv = std::hypot(vx, vy);
    if (nv > 0) s.d2 = semidiametro(n11, n12, n22, vx / nv, vy / nv);
}

double det3(double a, double b, double c, double d, double e, double f, double g, double h, double i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

}  // namespace

bool interseccionDirecta(double x1, double y1, double az1, double x2, double y2, double az2, double& x, double& y) {
    const double u1x = std::sin(az1 * kGonARadian), u1y = std::cos(az1 * kGonARadian);
    const double u2x = std::sin(az2 * kGonARadian), u2y = std::cos(az2 * kGonARadian);
    const double cruz = u1x * u2y - u1y * u2x;
    if (std::fabs(cruz) < kMinimo) return false;
    const double t1 = ((x2 - x1) * u2y - (y2 - y1) * u2x) / cruz;
    const double t2 = ((x2 - x1) * u1y - (y2 - y1) * u1x) / cruz;
    if (t1 <= 0 || t2 <= 0) return false;  // the rays meet behind a station
    x = x1 + t1 * u1x;
    y = y1 + t1 * u1y;
    return true;
}

bool interseccionInversa(const std::array<double, 3>& xs, const std::array<double, 3>& ys,
                         const std::array<double, 3>& lecturas, double& x, double& y) {
    // Worked about the centroid of the three known points.
    const double cx = (xs[0] + xs[1] + xs[2]) / 3, cy = (ys[0] + ys[1] + ys[2]) / 3;
    double m[3][4];
    double escala = 0;
    for (int i = 0; i < 3; ++i) {
        const double X = xs[i] - cx, Y = ys[i] - cy;
        const double ch = std::cos(lecturas[i] * kGonARadian), sh = std::sin(lecturas[i] * kGonARadian);
        m[i][0] = X * ch - Y * sh;
        m[i][1] = -(X * sh + Y * ch);
        m[i][2] = -ch;
        m[i][3] = sh;
        escala = std::max(escala, std::hypot(X, Y));
    }
    if (escala == 0) return false;
    double z[4];
    for (int j = 0; j < 4; ++j) {
        double c[3][3];
        for (int i = 0; i < 3; ++i)
            for (int k = 0, kk = 0; k < 4; ++k)
                if (k != j) c[i][kk++] = m[i][k];
        const double d = det3(c[0][0], c[0][1], c[0][2], c[1][0], c[1][1], c[1][2], c[2][0], c[2][1], c[2][2]);
        z[j] = (j % 2 ? -d : d);
    }
    const double norma = std::hypot(z[0], z[1]);
    // Minors in c and s scale with escala²: relative to that, a vanishing
    // pair means the three points and P lie on one circle.
    if (norma < 1e-9 * escala * escala) return false;
    const double c = z[0] / norma, s = z[1] / norma, p = z[2] / norma, q = z[3] / norma;
    x = cx + p * c + q * s;
    y = cy + q * c - p * s;
    return std::isfinite(x) && std::isfinite(y);
}

CCalculoEstacionSemi::CCalculoEstacionSemi(CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                           const ListaInstrumentos* biblioteca, Avisos& avisos)
    : libreta_(libreta),
      ajustes_(ajustes),
      biblioteca_(biblioteca),
      avisos_(avisos),
      instrumentos_(biblioteca, avisos),
      rejillas_{RejillaTexto(columnasSemi("Estación")), RejillaTexto(columnasSemi("Estación")),
                RejillaTexto(columnasSemi("Visado"))} {}

std::vector<std::string> CCalculoEstacionSemi::nombresEstaciones() const {
    std::vector<std::string> n;
    for (const auto& e : libreta_.estaciones) n.push_back(cp1252AUtf8(e->nombre.vista()));
    return n;
}

bool CCalculoEstacionSemi::elegirEstacion(std::string_view nombreUtf8) {
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        rejillas_[m].vaciar();
        visuales_[m].clear();
        soluciones_[m].clear();
    }
    estacion_ = libreta_.buscarEstacion(utf8ACp1252(nombreUtf8));
    if (!estacion_) {
        avisos_.mensaje(kMensajeNoExiste);
        return false;
    }
    // The grids show their sights at once: empty ones looked like a station with none.
    std::string omitidas;
    bool centesimal = true;
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) centesimal &= llenar(static_cast<MetodoEstacion>(m), omitidas);
    if (!centesimal) avisos_.mensaje(kMensajeCentesimal);
    if (!omitidas.empty()) avisos_.mensaje(omitidas);
    return true;
}

const Estacion* CCalculoEstacionSemi::conocida(std::string_view nombre) const {
    for (const auto& e : libreta_.estaciones)
        if (e.get() != estacion_ && e->nombre == nombre && (e->x != 0 || e->y != 0)) return e.get();
    return nullptr;
}

bool CCalculoEstacionSemi::cargar(MetodoEstacion metodo) {
    if (!estacion_) return false;
    std::string omitidas;
    if (!llenar(metodo, omitidas)) {
        avisos_.mensaje(kMensajeCentesimal);
        return false;
    }
    static const char* const nombres[] = {"RADIACION", "DIRECTAS", "INVERSAS"};
    const std::size_t m = static_cast<std::size_t>(metodo);
    avisos_.mensaje(formatear("Se han cargado %zu visuales %s automáticamente", visuales_[m].size(), nombres[m]));
    if (!omitidas.empty()) avisos_.mensaje(omitidas);
    return true;
}

bool CCalculoEstacionSemi::llenar(MetodoEstacion metodo, std::string& omitidas) {
    const std::size_t m = static_cast<std::size_t>(metodo);
    RejillaTexto& g = rejillas_[m];
    std::vector<Visual>& vis = visuales_[m];
    g.vaciar();
    vis.clear();
    auto fila = [&](const Estacion& otra, const Estacionamiento& s, const Lectura& l) {
        if (!lecturaUtilizable(l)) {
            // One notice a reading, though two grids may meet it.
            const std::string aviso = avisoLecturaNoUtilizable(s, l);
            if (omitidas.find(aviso) == std::string::npos) omitidas += (omitidas.empty() ? "" : "\n") + aviso;
            return;
        }
        g.agregarFila({"1", cp1252AUtf8(otra.nombre.vista()), cp1252AUtf8(s.nombre.vista()),
                       formatear("%1.4lf", l.horizontal), formatear("%1.4lf", l.vertical),
                       formatear("%1.3lf", l.distancia), formatear("%1.3lf", l.jalon)});
        vis.push_back({&otra, &s});
    };
    auto centesimal = [&](const Estacionamiento& s) {
        if (s.datos.unidadAngular == kCentesimal) return true;
        g.vaciar();
        vis.clear();
        return false;
    };
    if (metodo == MetodoEstacion::Inversa) {
        // One set-up: the first with sights to known stations.
        for (const auto& s : estacion_->estacionamientos) {
            for (const auto& l : s->lecturas)
                if (const Estacion* t = conocida(l.nombre.vista())) {
                    if (!centesimal(*s)) return false;
                    fila(*t, *s, l);
                }
            if (!vis.empty()) break;
        }
    } else {
        for (const auto& e : libreta_.estaciones) {
            if (e.get() == estacion_ || (e->x == 0 && e->y == 0)) continue;
            for (const auto& s : e->estacionamientos)
                for (const auto& l : s->lecturas) {
                    if (!(l.nombre == estacion_->nombre.vista())) continue;
                    if (metodo == MetodoEstacion::Radiacion && !(l.distancia > 0)) continue;
                    if (!centesimal(*s)) return false;
                    fila(*e, *s, l);
                }
        }
    }
    return true;
}

namespace {

// A sight once the plane distance to P is known: its azimuth, face-left
// readings and target height.
struct Lado {
    double az, h, v, m;
    const VisualSemi* vis;
};

Lado lado(const VisualSemi& v) {
    const LecturaCaraIzquierda li = aCaraIzquierda(*v.estacionamiento, v.horizontal, v.vertical, 0);
    return Lado{enCirculo(li.horizontal + v.estacionamiento->desorientacion), li.horizontal, li.vertical, v.jalon, &v};
}

// Height relative to the set-up's station (hi + dz − m + c) over a plane distance.
double relativa(const Lado& l, double dh) {
    DatosEstacionamientoCalculo d = datosDeEstacionamiento(*l.vis->conocida, *l.vis->estacionamiento);
    d.x0 = d.y0 = d.z0 = 0;
    if (d.tipoDistancia != static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel))
        d.tipoDistancia = static_cast<std::int32_t>(TipoDistancia::ReducidasVertical);
    CCalculoPunto cp;
    cp.cargarEstacionamiento(d);
    cp.cargarLectura(0, l.v, dh, l.m);
    return cp.calcular().z;
}

ErroresVisual errores(const EntradaSemi& e, const VisualSemi& v, double dh, double vertical) {
    const Estacionamiento& s = *v.estacionamiento;
    const Instrumento* ins = e.instrumentos->de(s.datos.instrumento.vista(), s.nombre.vista());
    return erroresVisual(caracteristicas(*ins), parametrosTrabajo(*e.ajustes), dh, anguloCenital(s, vertical), v.jalon);
}

SolucionEstacion radiada(const EntradaSemi& e, const VisualSemi& v) {
    const auto utm = proyeccionCalculo(e.ajustes->proyeccion, e.ajustes->proyeccionTrabajo);
    CCalculoPunto cp;
    cp.cargarEstacionamiento(datosDeEstacionamiento(*v.conocida, *v.estacionamiento));
    cp.fijarEscala(escalaRadiacion(utm.get(), e.ajustes->escalaAdicional, v.conocida->x, v.conocida->y).k);
    // Computed face left, as every least-squares and intersection step reads H and V.
    const LecturaCaraIzquierda li = aCaraIzquierda(*v.estacionamiento, v.horizontal, v.vertical, v.distancia);
    cp.cargarLectura(li.horizontal, li.vertical, li.distancia, v.jalon);
    const PuntoCalculado& p = cp.calcular();
    SolucionEstacion s;
    s.estaciones[0] = std::string(v.conocida->nombre.vista());
    s.x = p.x;
    s.y = p.y;
    s.z = p.z;
    const ErroresVisual er = errores(e, v, p.distanciaReducida, li.vertical);
    s.a = er.transversal;
    s.b = er.longitudinal;
    s.d1 = er.longitudinal;  // along the sight
    s.d2 = er.transversal;
    s.tz = er.altura;
    return s;
}

bool directa(const EntradaSemi& e, const Lado& l1, const Lado& l2, SolucionEstacion& s) {
    const Estacion &s1 = *l1.vis->conocida, &s2 = *l2.vis->conocida;
    if (&s1 == &s2) return false;
    if (!interseccionDirecta(s1.x, s1.y, l1.az, s2.x, s2.y, l2.az, s.x, s.y)) return false;
    s.estaciones = {std::string(s1.nombre.vista()), std::string(s2.nombre.vista()), ""};
    double n11 = 0, n12 = 0, n22 = 0, z = 0, tz2 = 0;
    for (const Lado* l : {&l1, &l2}) {
        const Estacion& k = *l->vis->conocida;
        const double D = DistanciaEntre(k.x, k.y, s.x, s.y);
        const double az = l->az * kGonARadian;
        const ErroresVisual er = errores(e, *l->vis, D, l->v);
        const double sigma = er.ea / kRho;  // rad
        const double bx = std::cos(az) / D, by = -std::sin(az) / D;
        n11 += bx * bx / (sigma * sigma);
        n12 += bx * by / (sigma * sigma);
        n22 += by * by / (sigma * sigma);
        z += k.z + relativa(*l, D);
        tz2 += er.altura * er.altura;
    }
    s.z = z / 2;
    s.tz = std::sqrt(tz2) / 2;
    figuras(n11, n12, n22, std::sin(l1.az * kGonARadian), std::cos(l1.az * kGonARadian), s);
    return true;
}

bool inversa(const EntradaSemi& e, const Lado (&l)[3], SolucionEstacion& s) {
    const Estacion* t[3] = {l[0].vis->conocida, l[1].vis->conocida, l[2].vis->conocida};
    if (t[0] == t[1] || t[0] == t[2] || t[1] == t[2]) return false;
    if (!interseccionInversa({t[0]->x, t[1]->x, t[2]->x}, {t[0]->y, t[1]->y, t[2]->y}, {l[0].h, l[1].h, l[2].h}, s.x,
                             s.y))
        return false;
    for (int a = 0; a < 3; ++a) s.estaciones[a] = std::string(t[a]->nombre.vista());
    // Normal matrix of x, y, w; w eliminated (Schur complement).
    double n[3][3] = {};
    double z = 0, tz2 = 0;
    for (int a = 0; a < 3; ++a) {
        const double D = DistanciaEntre(s.x, s.y, t[a]->x, t[a]->y);
        if (!(D > 0)) return false;
        const double az = AzimutEntre(s.x, s.y, t[a]->x, t[a]->y, kCentesimal) * kGonARadian;
        const ErroresVisual er = errores(e, *l[a].vis, D, l[a].v);
        const double sigma = er.ea / kRho;
        const double b[3] = {-std::cos(az) / D, std::sin(az) / D, -1};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) n[r][c] += b[r] * b[c] / (sigma * sigma);
        z += t[a]->z - relativa(l[a], D);
        tz2 += er.altura * er.altura;
    }
    if (!(n[2][2] > 0)) return false;
    const double n11 = n[0][0] - n[0][2] * n[2][0] / n[2][2];
    const double n12 = n[0][1] - n[0][2] * n[2][1] / n[2][2];
    const double n22 = n[1][1] - n[1][2] * n[2][1] / n[2][2];
    s.z = z / 3;
    s.tz = std::sqrt(tz2) / 3;
    const double az1 = AzimutEntre(s.x, s.y, t[0]->x, t[0]->y, kCentesimal) * kGonARadian;
    figuras(n11, n12, n22, std::sin(az1), std::cos(az1), s);
    return s.a > 0;  // no defined ellipse: the danger circle
}

}  // namespace

std::array<ListaSoluciones, kMetodosEstacion> solucionesEstacion(const EntradaSemi& e) {
    std::array<ListaSoluciones, kMetodosEstacion> r;
    for (const VisualSemi& v : e.visuales[0]) r[0].push_back(radiada(e, v));
    const auto& d = e.visuales[1];
    for (std::size_t i = 0; i < d.size(); ++i)
        for (std::size_t j = i + 1; j < d.size(); ++j) {
            SolucionEstacion s;
            if (directa(e, lado(d[i]), lado(d[j]), s)) r[1].push_back(s);
        }
    const auto& v = e.visuales[2];
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = i + 1; j < v.size(); ++j)
            for (std::size_t k = j + 1; k < v.size(); ++k) {
                const Lado l[3] = {lado(v[i]), lado(v[j]), lado(v[k])};
                SolucionEstacion s;
                if (inversa(e, l, s)) r[2].push_back(s);
            }
    return r;
}

bool CCalculoEstacionSemi::calcular() {
    if (!estacion_) {
        avisos_.mensaje(kMensajeSinEstacionElegida);
        return false;
    }
    bool enUso = false;
    for (const RejillaTexto& g : rejillas_)
        for (std::size_t f = 0; f < g.numeroFilas() && !enUso; ++f) enUso = g.marcada(f, cs::uso);
    if (!enUso) {
        avisos_.mensaje(kMensajeSinVisualesEnUso);
        return false;
    }
    if (!biblioteca_ || biblioteca_->empty()) {
        avisos_.mensaje(kMensajeInstrumentos);
        return false;
    }
    for (auto& l : soluciones_) l.clear();
    EntradaSemi e;
    e.ajustes = &ajustes_;
    e.instrumentos = &instrumentos_;
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        const RejillaTexto& g = rejillas_[m];
        for (std::size_t f = 0; f < g.numeroFilas(); ++f)
            if (g.marcada(f, cs::uso))
                e.visuales[m].push_back({visuales_[m][f].conocida, visuales_[m][f].estacionamiento,
                                         textoANumero(g.texto(f, cs::horizontal)), textoANumero(g.texto(f, cs::vertical)),
                                         textoANumero(g.texto(f, cs::distancia)), textoANumero(g.texto(f, cs::jalon))});
    }
    // Every set-up's instrument first: a missing one is told (or asked) once,
    // before anything is computed.
    for (const auto& lista : e.visuales)
        for (const VisualSemi& v : lista)
            if (!instrumentos_.de(v.estacionamiento->datos.instrumento.vista(), v.estacionamiento->nombre.vista()))
                return false;
    soluciones_ = solucionesEstacion(e);
    return true;
}

CResultadoEstacion::CResultadoEstacion(CDatosGenerales& ajustes, Estacion& estacion,
                                       const std::array<ListaSoluciones, kMetodosEstacion>& soluciones, Avisos& avisos)
    : ajustes_(ajustes),
      estacion_(estacion),
      soluciones_(soluciones),
      rejillas_{RejillaTexto(columnasResultado()), RejillaTexto(columnasResultado()), RejillaTexto(columnasResultado())},
      avisos_(avisos) {
    titulo = "CALCULO DE LA ESTACION:   " + cp1252AUtf8(estacion.nombre.vista());
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        promediar[m] = !soluciones_[m].empty();
        for (const auto& s : soluciones_[m])
            rejillas_[m].agregarFila({s.uso ? "1" : "0", cp1252AUtf8(s.estaciones[0]), cp1252AUtf8(s.estaciones[1]),
                                      cp1252AUtf8(s.estaciones[2]), formatear("%1.3lf", s.x), formatear("%1.3lf", s.y),
                                      formatear("%1.3lf", s.z), formatear("%1.3lf", s.a), formatear("%1.3lf", s.b),
                                      formatear("%1.3lf", s.d1), formatear("%1.3lf", s.d2), formatear("%1.3lf", s.tz)});
    }
    promediarSoluciones();
}

std::size_t CResultadoEstacion::pestanaInicial() const {
    for (std::size_t m = 0; m < kMetodosEstacion; ++m)
        if (!soluciones_[m].empty()) return m;
    return 0;
}

const char* CResultadoEstacion::imagen(std::size_t pestana) {
    static const char* const rutas[] = {"C:\\TRABAJOS\\VESTRUM\\inters.bmp", "C:\\TRABAJOS\\VESTRUM\\inters_direc.bmp",
                                        "C:\\TRABAJOS\\VESTRUM\\inters_invers.bmp"};
    return rutas[pestana < kMetodosEstacion ? pestana : 0];
}

std::array<std::string, 5> CResultadoEstacion::textosElipse(std::size_t pestana, std::size_t fila) const {
    if (pestana >= kMetodosEstacion || fila >= soluciones_[pestana].size()) return {};
    const SolucionEstacion& s = soluciones_[pestana][fila];
    return {formatear("d1= %f", s.d1), formatear("d2= %f", s.d2), formatear("a= %f", s.a), formatear("b= %f", s.b),
            formatear("Tz= %f", s.tz)};
}

std::vector<const SolucionEstacion*> CResultadoEstacion::enUso() const {
    std::vector<const SolucionEstacion*> v;
    for (std::size_t m = 0; m < kMetodosEstacion; ++m) {
        if (!promediar[m]) continue;
        for (std::size_t f = 0; f < soluciones_[m].size(); ++f)
            if (rejillas_[m].marcada(f, cres::uso)) v.push_back(&soluciones_[m][f]);
    }
    return v;
}

PromedioEstacion promedioEstacion(const std::vector<const SolucionEstacion*>& sol, bool ponderado) {
    PromedioEstacion p;
    const std::size_t n = sol.size();
    if (ponderado) {
        double sw = 0, swz = 0;
        for (const auto* s : sol) {
            const double w = 1 / std::sqrt(s->a * s->a + s->b * s->b), wz = 1 / s->tz;
            if (!std::isfinite(w) || !std::isfinite(wz)) p.pesoNoValido = true;
            sw += w;
            swz += wz;
            p.x += w * s->x;
            p.y += w * s->y;
            p.z += wz * s->z;
        }
        p.x = sw != 0 ? p.x / sw : 0;
        p.y = sw != 0 ? p.y / sw : 0;
        p.z = swz != 0 ? p.z / swz : 0;
    } else if (n > 0) {
        for (const auto* s : sol) {
            p.x += s->x;
            p.y += s->y;
            p.z += s->z;
        }
        p.x /= n;
        p.y /= n;
        p.z /= n;
    }
    if (n >= 2) {
        for (const auto* s : sol) {
            p.sx += (p.x - s->x) * (p.x - s->x);
            p.sy += (p.y - s->y) * (p.y - s->y);
            p.sz += (p.z - s->z) * (p.z - s->z);
        }
        p.sx = std::sqrt(p.sx / (n - 1));
        p.sy = std::sqrt(p.sy / (n - 1));
        p.sz = std::sqrt(p.sz / (n - 1));
    }
    return p;
}

void CResultadoEstacion::promediarSoluciones() {
    const PromedioEstacion p = promedioEstacion(enUso(), ponderado);
    textoX = formatear("%1.3lf", p.x);
    textoY = formatear("%1.3lf", p.y);
    textoZ = formatear("%1.3lf", p.z);
    textoPrecision = cp1252AUtf8(formatear("%s%1.3lf %s%1.3lf %s%1.3lf", ajustes_.prefijoPrecisionX.c_str(), p.sx,
                                           ajustes_.prefijoPrecisionY.c_str(), p.sy,
                                           ajustes_.prefijoPrecisionZ.c_str(), p.sz));
}

bool CResultadoEstacion::guardar() {
    const auto uso = enUso();
    if (uso.empty()) {
        avisos_.mensaje(kMensajeSinSoluciones);
        return false;
    }
    if (ponderado && promedioEstacion(uso, true).pesoNoValido) {
        avisos_.mensaje(kMensajePesoNoValido);
        return false;
    }
    estacion_.x = textoANumero(textoX);
    estacion_.y = textoANumero(textoY);
    estacion_.z = textoANumero(textoZ);
    estacion_.descripcion2 = utf8ACp1252(textoPrecision);
    return true;
}

std::string CResultadoEstacion::textoInforme() const {
    std::string t;
    auto linea = [&t](const std::string& s) {
        t += s;
        t += '\n';
    };
    auto vacias = [&linea](int n) {
        for (int i = 0; i < n; ++i) linea("");
    };
    const std::string estrellas = "                       **************************************";
    vacias(3);
    linea(estrellas);
    linea(formatear("                       *     %s *", utf8ACp1252(titulo).c_str()));
    linea(estrellas);
    vacias(3);
    const std::string cabecera = "ESTACION     X           Y           Z        a       b    Tz";
    const std::string regla =
        " ******************************_______***************************************************************";
    auto marca = [this](std::size_t m, std::size_t f) { return rejillas_[m].marcada(f, cres::uso) ? "S" : "N"; };
    const char* nombre = estacion_.nombre.c_str();
    linea(utf8ACp1252(" ***** Resultados Obtenidos por Radiación:"));
    linea("");
    linea("        DESDE LA ESTACION             " + cabecera);
    linea(regla);
    for (std::size_t f = 0; f < soluciones_[0].size(); ++f) {
        const auto& s = soluciones_[0][f];
        linea(formatear("   %15s         %2s%10s    %12.3lf %12.3lf%10.3lf %6.3lf %6.3lf %6.3lf", s.estaciones[0].c_str(),
                        marca(0, f), nombre, s.x, s.y, s.z, s.a, s.b, s.tz));
    }
    vacias(3);
    linea(utf8ACp1252(" ***** Resultados Obtenidos por Intersección Directa:"));
    linea("");
    linea("       DESDE LAS ESTACIONES           " + cabecera);
    linea(regla);
    for (std::size_t f = 0; f < soluciones_[1].size(); ++f) {
        const auto& s = soluciones_[1][f];
        linea(formatear("   %10s  %10s   %2s%10s   %12.3lf %12.3lf%10.3lf %6.3lf %6.3lf %6.3lf", s.estaciones[0].c_str(),
                        s.estaciones[1].c_str(), marca(1, f), nombre, s.x, s.y, s.z, s.a, s.b, s.tz));
    }
    vacias(3);
    linea(utf8ACp1252(" ***** Resultados Obtenidos por Intersección Inversa:"));
    linea("");
    linea("       DESDE LAS ESTACIONES           " + cabecera);
    linea(regla);
    for (std::size_t f = 0; f < soluciones_[2].size(); ++f) {
        const auto& s = soluciones_[2][f];
        linea(formatear("%10s%10s%10s%2s%10s  %12.3lf %12.3lf%10.3lf %6.3lf %6.3lf %6.3lf", s.estaciones[0].c_str(),
                        s.estaciones[1].c_str(), s.estaciones[2].c_str(), marca(2, f), nombre, s.x, s.y, s.z, s.a, s.b,
                        s.tz));
    }
    vacias(4);
    const std::string margen = "                                      ";
    linea(margen + "RESULTADO FINAL PROMEDIADO:");
    linea(margen + "***************************");
    linea("");
    linea(formatear("%sX = %12.3lf", margen.c_str(), textoANumero(textoX)));
    linea(formatear("%sY = %12.3lf", margen.c_str(), textoANumero(textoY)));
    linea(formatear("%sZ = %12.3lf", margen.c_str(), textoANumero(textoZ)));
    linea(margen + utf8ACp1252("Precisión : " + textoPrecision));
    vacias(15);
    return t;
}

bool CResultadoEstacion::imprimir(const std::filesystem::path& ruta) const {
    return anadirAFichero(ruta, textoInforme());
}

}  // namespace celvara
