// The orientation of one set-up ("CALCULO DE DESORIENTACIONES"): the user
// picks a station and one of its set-ups, adds the sights to known stations
// to a grid, and computes the orientation correction w (azimuth = reading +
// w) as the mean of azimuth - reading over the rows in use. Every number the
// calculation reads is the text standing in the grid, which the user may
// have edited.
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
    // beyond ±1e9.
    void anadirVisuales(std::size_t indiceVisada);

    void calcular();  // "Cálcular"
    void desor();     // "Desor": column 6 alone
    void media();     // "Media": mean and statistics from column 6 as it stands
    // "Guardar": the text of the orientation edit into the set-up.
    bool guardar();
    // "Imprimir": appends the report to the file. False when it cannot be
    // opened.
    bool imprimir(const std::filesystem::path& ruta) const;
    std::string textoInforme() const;

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
    // Steps 1-3; returns whether any row was computed and the extremes of d.
    bool calcularColumna(double& maximo, double& minimo);
    // Steps 5-7, lowering values above 0.75 C when `bajar`.
    void calcularMedia(bool bajar);

    CLibretaCampo& libreta_;
    const Estacion* estacion_ = nullptr;
    Estacionamiento* estacionamiento_ = nullptr;
    const Estacion* visada_ = nullptr;
    double* resultado_ = nullptr;
    std::vector<const Estacion*> visadas_;
    RejillaTexto rejilla_;
};

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

}  // namespace celvara
