// Independent solutions of one station and their mean.
//
// "CALCULO SEMIAUTOMATICO DE UNA ESTACIÓN" (CCalculoEstacionSemi) loads the
// sights that involve the station into three grids (radiation, direct
// intersection, inverse intersection) and computes one solution per
// radiation sight, per pair of direct sights and per triple of inverse
// sights. "RESULTADO DEL CALCULO ESTACION" (CResultadoEstacion) lists them,
// averages the chosen ones (plainly or weighted by 1/sqrt(a² + b²) and 1/Tz),
// writes the mean into the station and prints a report.
//
// Error figures: a, b the semi-axes of the standard error ellipse (for a
// radiation: the transversal and the longitudinal displacement of the
// sight), d1 the semi-diameter along the first sight and d2 its conjugate,
// Tz the standard error of the height; all in metres.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "datos/instrumentos.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

enum class MetodoEstacion { Radiacion = 0, Directa = 1, Inversa = 2 };
inline constexpr std::size_t kMetodosEstacion = 3;

struct SolucionEstacion {
    bool uso = true;
    std::array<std::string, 3> estaciones;  // Windows-1252
    double x = 0, y = 0, z = 0;
    double a = 0, b = 0, d1 = 0, d2 = 0, tz = 0;
};
using ListaSoluciones = std::vector<SolucionEstacion>;

// Columns of the grids of the semi-automatic window.
namespace columna_semi {
inline constexpr std::size_t uso = 0, estacion = 1, estacionamiento = 2, horizontal = 3, vertical = 4,
                             distancia = 5, jalon = 6, numero = 7;
}
// Columns of the result grid.
namespace columna_resultado {
inline constexpr std::size_t uso = 0, est1 = 1, est2 = 2, est3 = 3, x = 4, y = 5, z = 6, a = 7, b = 8, d1 = 9,
                             d2 = 10, tz = 11, numero = 12;
}

inline constexpr const char* kMensajeSinSoluciones = "No hay soluciones en uso: no se graba nada";
inline constexpr const char* kMensajePesoNoValido = "Hay un peso no válido (a = b = 0 o Tz = 0): no se graba nada";
inline constexpr const char* kMensajeSinEstacionElegida = "Elija antes la estación a calcular: no se calcula nada";
inline constexpr const char* kMensajeSinVisualesEnUso =
    "No hay visuales en uso en ninguna de las tres tablas: no se calcula nada";

// A sight of the semi-automatic grids as its row reads: the known station at
// the other end, the set-up and the readings (gon, m).
struct VisualSemi {
    const Estacion* conocida = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
    double horizontal = 0, vertical = 0, distancia = 0, jalon = 0;
};
// The used sights of each method and what their errors need.
struct EntradaSemi {
    std::array<std::vector<VisualSemi>, kMetodosEstacion> visuales;
    const CDatosGenerales* ajustes = nullptr;
    EleccionInstrumento* instrumentos = nullptr;  // every set-up's instrument already found
};
// One solution per radiation sight, per pair of direct sights from two
// stations and per triple of inverse sights to three stations (those with a
// single solution).
std::array<ListaSoluciones, kMetodosEstacion> solucionesEstacion(const EntradaSemi& e);

class CCalculoEstacionSemi {
public:
    CCalculoEstacionSemi(CLibretaCampo& libreta, CDatosGenerales& ajustes, const ListaInstrumentos* biblioteca,
                         Avisos& avisos);

    std::vector<std::string> nombresEstaciones() const;  // UTF-8
    // Also fills the three grids with the station's sights, telling only
    // what could not be loaded.
    bool elegirEstacion(std::string_view nombreUtf8);
    Estacion* estacion() const { return estacion_; }

    RejillaTexto& rejilla(MetodoEstacion m) { return rejillas_[static_cast<std::size_t>(m)]; }
    // A double click in a grid: loads its sights and tells how many. False
    // when a set-up is not centesimal.
    bool cargar(MetodoEstacion m);
    // "CALCULAR": the solutions of the used rows of every grid. False with a
    // message when the station, every used row or the instrument library is
    // missing.
    bool calcular();
    const std::array<ListaSoluciones, kMetodosEstacion>& soluciones() const { return soluciones_; }

private:
    struct Visual {
        const Estacion* conocida;
        const Estacionamiento* estacionamiento;
    };
    const Estacion* conocida(std::string_view nombre) const;
    // Fills a grid; false (and the grid empty) when a set-up is not
    // centesimal. Sights that cannot be used are named in `omitidas`.
    bool llenar(MetodoEstacion metodo, std::string& omitidas);

    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const ListaInstrumentos* biblioteca_;
    Avisos& avisos_;
    // Resolved for every used row before computing; later look-ups ask nothing.
    EleccionInstrumento instrumentos_;
    Estacion* estacion_ = nullptr;
    std::array<RejillaTexto, kMetodosEstacion> rejillas_;
    std::array<std::vector<Visual>, kMetodosEstacion> visuales_;
    std::array<ListaSoluciones, kMetodosEstacion> soluciones_;
};

class CResultadoEstacion {
public:
    CResultadoEstacion(CDatosGenerales& ajustes, Estacion& estacion,
                       const std::array<ListaSoluciones, kMetodosEstacion>& soluciones, Avisos& avisos);

    std::string titulo;  // "CALCULO DE LA ESTACION:   %s", UTF-8
    bool ponderado = true;                           // "Promedio Ponderado"
    std::array<bool, kMetodosEstacion> promediar{};  // "Promediar Radiado" / "Directas" / "Inversas"
    std::string textoX, textoY, textoZ, textoPrecision;

    // The tab shown first: the first list that is not empty.
    std::size_t pestanaInicial() const;
    RejillaTexto& rejilla(std::size_t pestana) { return rejillas_.at(pestana); }
    // Picture of the tab (a Windows path).
    static const char* imagen(std::size_t pestana);
    // Labels 1136-1140 for a row of a tab.
    std::array<std::string, 5> textosElipse(std::size_t pestana, std::size_t fila) const;

    void promediarSoluciones();  // "1- Promediar"
    bool guardar();              // "2- Guardar"
    std::string textoInforme() const;  // Windows-1252
    bool imprimir(const std::filesystem::path& ruta) const;

private:
    // The solutions as the grids say (use flags edited by the user).
    std::vector<const SolucionEstacion*> enUso() const;

    CDatosGenerales& ajustes_;
    Estacion& estacion_;
    std::array<ListaSoluciones, kMetodosEstacion> soluciones_;
    std::array<RejillaTexto, kMetodosEstacion> rejillas_;
    Avisos& avisos_;
};

// Plain or weighted mean of solutions with its precision text.
struct PromedioEstacion {
    double x = 0, y = 0, z = 0;
    double sx = 0, sy = 0, sz = 0;
    bool pesoNoValido = false;
};
PromedioEstacion promedioEstacion(const std::vector<const SolucionEstacion*>& soluciones, bool ponderado);

// Intersections worked on plane coordinates (x east, y north), azimuths in
// gon. False when the geometry has no single solution.
bool interseccionDirecta(double x1, double y1, double az1, double x2, double y2, double az2, double& x, double& y);
bool interseccionInversa(const std::array<double, 3>& xs, const std::array<double, 3>& ys,
                         const std::array<double, 3>& lecturas, double& x, double& y);

}  // namespace celvara
