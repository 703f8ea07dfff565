#include "calc/desorientaciones_todas.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "calc/caras.h"
#include "calc/desorientacion_individual.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

// The orientation windows' own constants.
constexpr double kPi = 3.14159265358979;
constexpr double kDosPi = 6.28318530717958;
constexpr double kInversoDosPi = 0.1591549430918955;

// Azimuth in radians, quadrant by quadrant as AzimutEntre does.
double azimutRadianes(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dy == 0) {
        if (dx == 0) return 0;
        return dx > 0 ? kPi / 2 : 3 * kPi / 2;
    }
    double t = std::atan(dx / dy);
    if (dy < 0)
        t += kPi;
    else if (dx < 0)
        t += kDosPi;
    return t;
}

}  // namespace

ResultadoDesorientacion calcularDesorientacionAutomatica(const CLibretaCampo& libreta, const Estacion& estacion,
                                                         const Estacionamiento& estacionamiento) {
    const std::int32_t C = estacionamiento.datos.unidadAngular;
    const std::int32_t mitad = C / 2;
    std::vector<double> valores;
    double maximo = -5000.0, minimo = 5000.0;
    ResultadoDesorientacion r;
    for (const auto& l : estacionamiento.lecturas) {
        for (const auto& t : libreta.estaciones) {
            if (!(t->nombre == l.nombre.vista())) continue;
            if (!lecturaUtilizable(l)) {
                r.omitidas.push_back(avisoLecturaNoUtilizable(estacionamiento, l));
                break;
            }
            // Coordinates no survey gives (not finite or beyond ±1e9, a damaged
            // book) give no azimuth.
            if (!(std::abs(estacion.x) <= kLimiteValorLectura && std::abs(estacion.y) <= kLimiteValorLectura &&
                  std::abs(t->x) <= kLimiteValorLectura && std::abs(t->y) <= kLimiteValorLectura)) {
                r.omitidas.push_back(avisoLecturaNoUtilizable(estacionamiento, l));
                break;
            }
            const double az = C * azimutRadianes(estacion.x, estacion.y, t->x, t->y) * kInversoDosPi;
            // The window's own face rule: second face from C/2 on, raw vertical.
            const double lectura = l.vertical >= mitad ? horizontalOpuesta(l.horizontal, C) : l.horizontal;
            double d = az - lectura;
            if (d < 0) d += C;
            valores.push_back(d);
            maximo = std::max(maximo, d);
            minimo = std::min(minimo, d);
        }
    }
    const bool bajar = hayQueBajar(maximo, minimo, C);
    for (double& d : valores) d = bajado(d, bajar, C);
    const MediaDesorientacion m = mediaDesorientacion(valores, C);
    r.visuales = static_cast<int>(valores.size());
    r.media = m.media;
    r.emc = m.emc;
    return r;
}

void grabarDesorientacion(Estacionamiento& s, double calculada) {
    if (formatear("%1.4f", calculada) != formatear("%1.4f", s.desorientacion)) s.desorientacion = anguloMostrado(calculada);
}

InformeDesorientacion informeConTodasLasVisadas(const CLibretaCampo& libreta, const Estacion& e,
                                                const Estacionamiento& s) {
    // A station sighted again, or named twice in the book, is added once: the
    // first of its name.
    std::vector<VisualDesorientacion> visuales;
    std::vector<std::string> omitidas;
    std::unordered_set<std::string_view> anadidas;
    for (const auto& l : s.lecturas)
        for (const auto& t : libreta.estaciones)
            if (t->nombre == l.nombre.vista() && anadidas.insert(t->nombre.vista()).second) {
                auto v = visualesAEstacion(e, s, *t, omitidas);
                visuales.insert(visuales.end(), v.begin(), v.end());
            }
    const DesorientacionCalculada calculo = calcularDesorientacion(visuales, s.datos.unidadAngular);
    return informeDesorientacion(e, s, visuales, calculo, omitidas);
}

CCalculoDesorientaciones::CCalculoDesorientaciones(CLibretaCampo& libreta) : libreta_(libreta) {
    std::vector<ColumnaRejilla> c(columna_todas::numero);
    c[columna_todas::uso].casilla = true;
    c[columna_todas::uso].ancho = 30;
    c[columna_todas::estacion].titulo = "Estación";
    c[columna_todas::estacionamiento].titulo = "Estacionamiento";
    c[columna_todas::cuantas].titulo = "cuantas EST";
    c[columna_todas::desorientacion].titulo = "Desorientación";
    c[columna_todas::emc].titulo = "e.m.c";
    for (std::size_t i = columna_todas::cuantas; i < c.size(); ++i) c[i].alineacion = AlineacionColumna::Derecha;
    rejilla_.fijarColumnas(std::move(c));
    // A set-up with no sight to a station of the book keeps the orientation it
    // carries (an imported one is often the instrument's own), so its row
    // starts unticked.
    for (const auto& e : libreta_.estaciones)
        for (const auto& s : e->estacionamientos) {
            filas_.emplace_back(e.get(), s.get());
            const bool conVisuales = calcularDesorientacionAutomatica(libreta_, *e, *s).visuales > 0;
            rejilla_.agregarFila(
                {conVisuales ? "1" : "0", cp1252AUtf8(e->nombre.vista()), cp1252AUtf8(s->nombre.vista())});
        }
}

void CCalculoDesorientaciones::calcular() {
    omitidas_.clear();
    for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, columna_todas::uso)) continue;
        const auto r = calcularDesorientacionAutomatica(libreta_, *filas_[f].first, *filas_[f].second);
        omitidas_.insert(omitidas_.end(), r.omitidas.begin(), r.omitidas.end());
        // Without sights the row shows the orientation the set-up keeps.
        const double omega = r.visuales > 0 ? r.media : filas_[f].second->desorientacion;
        rejilla_.asignar(f, columna_todas::desorientacion, formatear("%1.4f", omega));
        rejilla_.asignar(f, columna_todas::cuantas, formatear("%d", r.visuales));
        rejilla_.asignar(f, columna_todas::emc, formatear("%1.4f", r.emc));
    }
}

void CCalculoDesorientaciones::grabar() {
    for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f)
        // A row never calculated nor typed is left alone, not written as 0;
        // an orientation kept as shown is not rounded to the shown decimals.
        if (rejilla_.marcada(f, columna_todas::uso) && !rejilla_.texto(f, columna_todas::desorientacion).empty() &&
            rejilla_.texto(f, columna_todas::desorientacion) !=
                formatear("%1.4f", filas_[f].second->desorientacion))
            filas_[f].second->desorientacion = textoANumero(rejilla_.texto(f, columna_todas::desorientacion));
}

Estacion* CCalculoDesorientaciones::estacionDeFila(std::size_t fila) const {
    return fila < filas_.size() ? filas_[fila].first : nullptr;
}

Estacionamiento* CCalculoDesorientaciones::estacionamientoDeFila(std::size_t fila) const {
    return fila < filas_.size() ? filas_[fila].second : nullptr;
}

void CCalculoDesorientaciones::actualizarFila(std::size_t fila) {
    if (fila < filas_.size())
        rejilla_.asignar(fila, columna_todas::desorientacion, formatear("%1.4f", filas_[fila].second->desorientacion));
}

}  // namespace celvara
