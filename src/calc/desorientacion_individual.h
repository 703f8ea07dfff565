// The orientation of one set-up ("CALCULO DE DESORIENTACIONES"): the user
// picks a station and one of its set-ups, adds the sights to known stations
// to a grid, and computes the orientation correction w (azimuth = reading +
// w) as the mean of azimuth - reading over the rows in use.
//
// The computation works on VisualDesorientacion values and gives numbers and
// the report as data (InformeDesorientacion). The window's class
// CCalculoDesorientacion reads every number from the text standing in its
// grid, which the user may have edited, and writes the results back as text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/libreta.h"

namespace celvara {

// Columns of the grid of sights.
namespace columna_visual {
inline constexpr std::size_t uso = 0, estacion = 1, azimut = 2, cara = 3, lectura = 4, distancia = 5,
                             desorientacion = 6, numero = 7;
}

// A station of the small plan: every station with X or Y not zero.
struct EstacionPlano {
    std::string nombre;
    double x = 0;
    double y = 0;
    bool actual = false;   // the chosen station
    bool visada = false;   // sighted from the chosen set-up
};

// ---- The computation.

// One sight to a known station, as the grid shows it.
struct VisualDesorientacion {
    std::string estacion;  // Windows-1252
    double azimut = 0;     // from the coordinates
    double lectura = 0;    // horizontal reading
    double distancia = 0;  // from the coordinates
    bool directa = true;   // face left
};

// The sights of a set-up on `desde` to the station `visada`, in reading
// order, angles as the grid shows them (anguloMostrado). Readings that cannot
// be used are named in `omitidas`.
std::vector<VisualDesorientacion> visualesAEstacion(const Estacion& desde, const Estacionamiento& s,
                                                    const Estacion& visada, std::vector<std::string>& omitidas);

// d = A' - L raised into [0, C), A' the azimuth turned half a circle for a
// face-right sight.
double desorientacionVisual(const VisualDesorientacion& v, std::int32_t C);

// The mean of the orientation values with its statistics, shared by both
// windows. `valores` are already lowered by the wrap-around rule.
struct MediaDesorientacion {
    double media = 0;  // raised by C once when negative
    double emc = 0;    // mean square error of one value
    double rango = 0;  // largest minus smallest value
};
MediaDesorientacion mediaDesorientacion(const std::vector<double>& valores, std::int32_t C);

// Values above 0.75 C lowered by C when the values span more than 0.75 C
// (they lie on both sides of zero).
bool hayQueBajar(double maximo, double minimo, std::int32_t C);
double bajado(double valor, bool bajar, std::int32_t C);

// "Media": the mean of the column as it stands, lowered when asked and
// brought below C.
MediaDesorientacion mediaColumna(const std::vector<double>& columna, bool bajar, std::int32_t C);

// "Cálcular": d of every sight, and their mean taken from the column as it
// shows d (anguloMostrado), lowered when the values lie on both sides of zero.
struct DesorientacionCalculada {
    std::vector<double> valores;  // d of each sight
    MediaDesorientacion media;
};
DesorientacionCalculada calcularDesorientacion(const std::vector<VisualDesorientacion>& visuales, std::int32_t C);

// The report "CALCULO DE LA DESORIENTACION" as data: Windows-1252 texts as
// the window shows them.
struct InformeDesorientacion {
    struct Fila {
        std::string estacion, azimut, lectura, distancia, desorientacion;
        bool directa = true;
    };
    std::string estacion, estacionamiento;
    std::vector<Fila> filas;
    std::string desorientacion, estadistica;
    std::vector<std::string> omitidas;  // UTF-8
};
// The texts of a computed set-up, as the window fills its grid and edits.
InformeDesorientacion informeDesorientacion(const Estacion& e, const Estacionamiento& s,
                                            const std::vector<VisualDesorientacion>& visuales,
                                            const DesorientacionCalculada& calculo,
                                            const std::vector<std::string>& omitidas);
std::string textoInformeDesorientacion(const InformeDesorientacion& informe);

// The window's texts of the result: the mean "%1.4lf", its statistics, and
// d in the column "%10.4lf".
std::string textoMediaDesorientacion(const MediaDesorientacion& m);
std::string textoEstadisticaDesorientacion(const MediaDesorientacion& m);
std::string textoColumnaDesorientacion(double d);

// ---- The window.

// "=>" on a station whose sights are already in the table.
inline constexpr const char* kMensajeVisualRepetida = "Las visuales a %s ya están en la tabla: no se añaden otra vez";

class CCalculoDesorientacion {
public:
    // The orientation windows' own value of pi.
    static constexpr double kPi = 3.14159265358979;

    explicit CCalculoDesorientacion(CLibretaCampo& libreta);

    // Opens on a given station and set-up; "Guardar" also copies the result
    // into `resultado` when given.
    void abrirPara(const Estacion* estacion, const Estacionamiento* estacionamiento, double* resultado = nullptr);

    // Station list (1035): every station of the book, in order.
    std::vector<std::string> nombresEstaciones() const;
    void elegirEstacion(std::size_t indice);
    // Set-up list (1043) of the chosen station.
    std::vector<std::string> nombresEstacionamientos() const;
    void elegirEstacionamiento(std::size_t indice);
    // Sighted stations (1105): every station named by a reading of the set-up,
    // in reading order (a station sighted twice is listed twice).
    std::vector<std::string> nombresVisadas() const;
    // Shows the coordinates of a sighted station (1040-1042).
    void elegirVisada(std::size_t indice);
    // "=>" or a double click: one row per reading that sights that station;
    // none, with a notice, when either station has coordinates not finite or
    // beyond ±1e9. False, adding nothing, when the table already has that
    // station's sights: twice in the mean they would weigh double.
    bool anadirVisuales(std::size_t indiceVisada);

    void calcular();  // "Cálcular"
    void desor();     // "Desor": column 6 alone
    void media();     // "Media": mean and statistics from column 6 as it stands
    // "Guardar": the text of the orientation edit into the set-up.
    bool guardar();
    // "Imprimir": appends the report to the file. False when it cannot be
    // opened.
    bool imprimir(const std::filesystem::path& ruta) const;
    // The report of the grid's rows in use, as they stand.
    InformeDesorientacion informe() const;
    std::string textoInforme() const { return textoInformeDesorientacion(informe()); }

    RejillaTexto& rejilla() { return rejilla_; }
    const RejillaTexto& rejilla() const { return rejilla_; }

    // Texts of the window (UTF-8 where they show record names).
    std::string textoDesorientacion;  // edit 1109 "DESORIENTACION:"
    std::string textoEstadistica;     // label 1111
    std::string textoEstacion;        // "Estacion : %s"
    std::string textoX, textoY, textoZ;                 // of the chosen station
    std::string textoVisadaX, textoVisadaY, textoVisadaZ;  // of the sighted station
    // Sights "=>" left out: values or station coordinates not finite or
    // beyond ±1e9 (UTF-8 notices, named in the report).
    std::vector<std::string> omitidas;

    const Estacion* estacion() const { return estacion_; }
    const Estacionamiento* estacionamiento() const { return estacionamiento_; }
    std::vector<EstacionPlano> plano() const;

private:
    void limpiarCampos();
    std::int32_t circulo() const;
    // The rows in use and their sights.
    std::vector<std::size_t> filasEnUso() const;
    std::vector<VisualDesorientacion> visualesDeRejilla(const std::vector<std::size_t>& filas) const;

    CLibretaCampo& libreta_;
    const Estacion* estacion_ = nullptr;
    Estacionamiento* estacionamiento_ = nullptr;
    const Estacion* visada_ = nullptr;
    double* resultado_ = nullptr;
    std::vector<const Estacion*> visadas_;
    RejillaTexto rejilla_;
};

}  // namespace celvara
