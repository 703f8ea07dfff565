#include "manager/gestor_dibujo.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>

#include "fieldbook/codificacion.h"
#include "manager/gestor_seleccion.h"

namespace celvara {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMargen = 20.0;  // pixels around the fitted extension

// Angle in the set-up's unit (a full circle of `circulo`) to radians.
double aRadianes(double angulo, std::int32_t circulo) {
    const double c = circulo > 0 ? circulo : kCentesimal;
    return angulo * 2.0 * kPi / c;
}

}  // namespace

void Extension::incluir(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (vacia) {
        xMin = xMax = x;
        yMin = yMax = y;
        vacia = false;
        return;
    }
    xMin = std::min(xMin, x);
    xMax = std::max(xMax, x);
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
}

bool puntoVisado(const Estacion& e, const Estacionamiento& s, const Lectura& l, double& x, double& y) {
    if (l.distancia == 0) return false;
    const std::int32_t circulo = s.datos.unidadAngular;
    double acimut = aRadianes(l.horizontal + s.desorientacion, circulo);
    double reducida = l.distancia;
    const bool geometrica = s.datos.tipoDistancia == static_cast<int>(TipoDistancia::Geometricas) ||
                            s.datos.tipoDistancia == static_cast<int>(TipoDistancia::Generadores);
    // With heights as differences the vertical holds no angle.
    const bool conAngulo = s.datos.tipoDistancia != static_cast<int>(TipoDistancia::ReducidasDesnivel);
    if (conAngulo && l.vertical != 0) {
        const double v = aRadianes(l.vertical, circulo);
        double cenital = v;
        if (s.datos.tipoVertical == static_cast<int>(TipoVertical::Inclinacion)) cenital = kPi / 2 - v;
        if (s.datos.tipoVertical == static_cast<int>(TipoVertical::Nadiral)) cenital = kPi - v;
        if (cenital < 0) cenital += 2 * kPi;
        // Face right: the telescope was transited, the true direction is
        // the horizontal reading less half a circle.
        if (cenital > kPi) acimut -= kPi;
        if (geometrica) reducida = l.distancia * std::fabs(std::sin(cenital));
    }
    x = e.x + reducida * std::sin(acimut);
    y = e.y + reducida * std::cos(acimut);
    return std::isfinite(x) && std::isfinite(y);
}

EscenaPlano construirEscena(const EntradasDibujo& d) {
    EscenaPlano escena;
    const auto modo = static_cast<ModoDibujo>(d.modo);
    if (d.estaciones) {
        std::unordered_map<std::string_view, const Estacion*> porNombre;
        for (const auto& e : *d.estaciones) porNombre.emplace(e->nombre.vista(), e.get());

        for (const auto& e : *d.estaciones) {
            bool actual = false;
            for (const auto& s : e->estacionamientos) actual = actual || s.get() == d.estacionamiento;
            if (d.verEstaciones) {
                escena.estaciones.push_back({e->x, e->y, cp1252AUtf8(e->nombre.vista()),
                                             actual && modo == ModoDibujo::Estacionamiento});
                escena.extension.incluir(e->x, e->y);
            }
            if (!d.verVisuales) continue;
            for (const auto& s : e->estacionamientos) {
                if (modo == ModoDibujo::Estacionamiento && s.get() != d.estacionamiento) continue;
                for (const auto& l : s->lecturas) {
                    double x = 0, y = 0;
                    if (!puntoVisado(*e, *s, l, x, y)) {
                        // Without a distance, a sighting to a known station still shows its direction.
                        const auto it = porNombre.find(l.nombre.vista());
                        if (it == porNombre.end() || it->second == e.get()) continue;
                        x = it->second->x;
                        y = it->second->y;
                    }
                    escena.visuales.push_back({e->x, e->y, x, y});
                    escena.extension.incluir(e->x, e->y);
                    escena.extension.incluir(x, y);
                }
            }
        }
    }
    if (d.puntos && d.verPuntos) {
        escena.puntos.reserve(d.puntos->size());
        for (const auto& p : *d.puntos) {
            escena.puntos.push_back({p.x, p.y, d.verNumeros ? cp1252AUtf8(p.nombre) : std::string(), p.base});
            escena.extension.incluir(p.x, p.y);
        }
    }
    return escena;
}

void VistaPlano::ajustar(const Extension& ext, double ancho, double alto) {
    const double w = std::max(1.0, ancho - 2 * kMargen);
    const double h = std::max(1.0, alto - 2 * kMargen);
    double dx = ext.vacia ? 0 : ext.xMax - ext.xMin;
    double dy = ext.vacia ? 0 : ext.yMax - ext.yMin;
    // A single point or a line still gets a sensible scale: 100 m across.
    if (dx < 1e-9 && dy < 1e-9) dx = dy = 100.0;
    escala_ = std::min(dx > 1e-9 ? w / dx : 1e300, dy > 1e-9 ? h / dy : 1e300);
    const double cx = ext.vacia ? 0 : (ext.xMin + ext.xMax) / 2;
    const double cy = ext.vacia ? 0 : (ext.yMin + ext.yMax) / 2;
    x0_ = cx - (ancho / 2) / escala_;
    y0_ = cy + (alto / 2) / escala_;
}

void VistaPlano::zoom(double factor, double px, double py) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const double x = aTerrenoX(px);
    const double y = aTerrenoY(py);
    escala_ = std::clamp(escala_ * factor, 1e-9, 1e9);
    x0_ = x - px / escala_;
    y0_ = y + py / escala_;
}

void VistaPlano::desplazar(double dx, double dy) {
    x0_ -= dx / escala_;
    y0_ += dy / escala_;
}

namespace {

// The boxes already on the window, by cells of a grid over the view, so that
// a new label is checked only against its neighbours.
class RejillaCajas {
public:
    explicit RejillaCajas(const CajaPlano& vista)
        : vista_(vista),
          columnas_(std::max(1, static_cast<int>(std::ceil(vista.ancho / kCelda)))),
          filas_(std::max(1, static_cast<int>(std::ceil(vista.alto / kCelda)))),
          celdas_(static_cast<std::size_t>(columnas_) * static_cast<std::size_t>(filas_)) {}

    void anadir(const CajaPlano& c) {
        recorrer(c, [&](std::vector<CajaPlano>& celda) {
            celda.push_back(c);
            return false;
        });
    }
    bool libre(const CajaPlano& c) {
        return !recorrer(c, [&](std::vector<CajaPlano>& celda) {
            return std::any_of(celda.begin(), celda.end(), [&](const CajaPlano& o) { return o.corta(c); });
        });
    }

private:
    static constexpr double kCelda = 48;  // pixels, about a label's width

    int indice(double v, double origen, int n) const {
        const double k = std::floor((v - origen) / kCelda);
        return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(n - 1)));
    }
    // Calls f on every cell the box covers until f answers true.
    template <class F>
    bool recorrer(const CajaPlano& c, F f) {
        const int c0 = indice(c.x, vista_.x, columnas_), c1 = indice(c.x + c.ancho, vista_.x, columnas_);
        const int f0 = indice(c.y, vista_.y, filas_), f1 = indice(c.y + c.alto, vista_.y, filas_);
        for (int fi = f0; fi <= f1; ++fi)
            for (int co = c0; co <= c1; ++co)
                if (f(celdas_[static_cast<std::size_t>(fi) * static_cast<std::size_t>(columnas_) +
                              static_cast<std::size_t>(co)]))
                    return true;
        return false;
    }

    CajaPlano vista_;
    int columnas_, filas_;
    std::vector<std::vector<CajaPlano>> celdas_;
};

}  // namespace

std::vector<std::optional<CajaPlano>> colocarEtiquetas(const std::vector<EtiquetaPedida>& etiquetas,
                                                       const CajaPlano& vista, const std::vector<CajaPlano>& fijos,
                                                       const std::vector<CajaPlano>& marcas) {
    RejillaCajas ocupadas(vista), ocupadasPorMarcas(vista);
    for (const auto& o : fijos)
        if (o.corta(vista)) ocupadas.anadir(o);
    for (const auto& o : marcas)
        if (o.corta(vista)) ocupadasPorMarcas.anadir(o);
    std::vector<std::optional<CajaPlano>> sitios(etiquetas.size());
    for (std::size_t i = 0; i < etiquetas.size(); ++i) {
        const EtiquetaPedida& e = etiquetas[i];
        const double derecha = e.x + e.separacion, izquierda = e.x - e.separacion - e.ancho;
        const double arriba = e.y - e.separacion - e.alto, abajo = e.y + e.separacion;
        for (const auto& [x, y] : {std::pair{derecha, arriba}, {izquierda, arriba}, {derecha, abajo}, {izquierda, abajo}}) {
            const CajaPlano c{x, y, e.ancho, e.alto};
            if (!c.dentroDe(vista) || !ocupadas.libre(c) || (e.respetaMarcas && !ocupadasPorMarcas.libre(c))) continue;
            ocupadas.anadir(c);
            sitios[i] = c;
            break;
        }
    }
    return sitios;
}

}  // namespace celvara
