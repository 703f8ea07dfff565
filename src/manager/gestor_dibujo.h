// The project drawing as geometry: the stations, the sightings of the
// set-ups, the points of the open coordinate file and their numbers, as the
// view flags and the drawing mode ask, in ground coordinates (X east, Y
// north); and the plan view that maps them onto a window, north up.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fieldbook/libreta.h"

namespace celvara {

struct PuntoListado;
enum class ModoDibujo : int;

struct EntradasDibujo {
    const ListaEstaciones* estaciones = nullptr;
    const std::vector<PuntoListado>* puntos = nullptr;
    const Estacionamiento* estacionamiento = nullptr;  // the current set-up (mode 1)
    bool verEstaciones = true;
    bool verPuntos = false;
    bool verVisuales = false;
    bool verNumeros = false;
    int modo = 0;  // ModoDibujo
};

struct MarcaPlano {
    double x = 0, y = 0;
    std::string etiqueta;  // UTF-8; empty when not drawn
    bool destacada = false;  // the station of the current set-up; a base point
};

struct SegmentoPlano {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Extension {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool vacia = true;
    void incluir(double x, double y);
};

struct EscenaPlano {
    std::vector<MarcaPlano> estaciones;
    std::vector<SegmentoPlano> visuales;
    std::vector<MarcaPlano> puntos;
    Extension extension;
};

// Where a reading of a set-up on a station lands on the ground: the
// orientated direction (horizontal plus orientation correction, in the
// set-up's angle unit) and the horizontal distance (slope distances reduced
// with the vertical angle of its kind). False when the reading gives no
// distance.
bool puntoVisado(const Estacion& estacion, const Estacionamiento& estacionamiento, const Lectura& lectura,
                 double& x, double& y);

EscenaPlano construirEscena(const EntradasDibujo& entradas);

// A box on the window, in pixels (y down).
struct CajaPlano {
    double x = 0, y = 0, ancho = 0, alto = 0;
    // Overlap of their insides: boxes that only touch do not cut.
    bool corta(const CajaPlano& o) const {
        return x < o.x + o.ancho && o.x < x + ancho && y < o.y + o.alto && o.y < y + alto;
    }
    bool dentroDe(const CajaPlano& o) const {
        return x >= o.x && y >= o.y && x + ancho <= o.x + o.ancho && y + alto <= o.y + o.alto;
    }
};

// The label of a mark at (x, y) on the window: its text's size and how far
// its corner stands off the mark.
struct EtiquetaPedida {
    double x = 0, y = 0;
    double ancho = 0, alto = 0;
    double separacion = 0;
    // A point's number gives way to the other marks; a station's name is
    // written over them rather than lost among the points it radiated.
    bool respetaMarcas = true;
};

// Places the labels in the order given, the most important first. Each takes
// the first place about its mark (up and right, up and left, down and right,
// down and left) that lies inside `vista` and cuts neither a label placed
// before it, nor a fixed obstacle (the north arrow, the scale bar), nor, when
// it respects them, a mark; a label with no such place is left out, as on a
// surveyor's plot, rather than written over another. Cost about linear in
// the labels: the boxes are kept in grids.
std::vector<std::optional<CajaPlano>> colocarEtiquetas(const std::vector<EtiquetaPedida>& etiquetas,
                                                       const CajaPlano& vista, const std::vector<CajaPlano>& fijos,
                                                       const std::vector<CajaPlano>& marcas);

// Ground to window, north up: px = (x - x0) * escala, py = (y0 - y) * escala.
class VistaPlano {
public:
    // Fits the extension into a window of ancho x alto pixels with a margin.
    void ajustar(const Extension& extension, double ancho, double alto);
    // Zooms by `factor` keeping the ground point under (px, py) in place.
    void zoom(double factor, double px, double py);
    void desplazar(double dx, double dy);

    double aPantallaX(double x) const { return (x - x0_) * escala_; }
    double aPantallaY(double y) const { return (y0_ - y) * escala_; }
    double aTerrenoX(double px) const { return x0_ + px / escala_; }
    double aTerrenoY(double py) const { return y0_ - py / escala_; }
    double escala() const { return escala_; }

private:
    double x0_ = 0;  // ground X at the left edge
    double y0_ = 0;  // ground Y at the top edge
    double escala_ = 1;  // pixels per metre
};

}  // namespace celvara
