// One station by least squares ("CALCULO COORDENADAS DE "UNA ESTACION".
// Modo Automático"): directions from known stations to the new station P
// (direct intersection), directions from P to known stations (inverse
// intersection, which adds P's orientation as an unknown) and measured
// distances, adjusted together by Gauss–Newton, one pass per "CALCULAR";
// then the height of P as the mean of the heights its sights give.
//
// Units: coordinates and distances m; angles gon (centesimal set-ups only);
// angular misclosures, residuals and the orientation unknown in cc; weights
// VarRef / sigma² (cofactor sigma² / VarRef) when "Calcular con PESOS" is on,
// else 1.
//
// Beyond the plain adjustment every pass also gives the redundancy r = n − u,
// the standard error ellipse of P, each residual's standardised value
// w = v / (sigma0 · sqrt(qvv)) with Qvv = Q − B·N⁻¹·Bᵀ (data snooping), and
// the global test of the variance factor r·s0²/sigma0² against chi²(r).
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estadistica.h"
#include "calc/matrices_mmcc.h"
#include "calc/modelo_errores.h"
#include "datos/instrumentos.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

namespace columna_ecuacion {
inline constexpr std::size_t uso = 0, tipo = 1, estacion = 2, visado = 3, horizontal = 4, vertical = 5,
                             distancia = 6, dx = 7, dy = 8, dE = 9, fo = 10, residuo = 11, trabajo = 12,
                             numero = 13;
}

inline constexpr const char* kTipoDirecta = "Dir--->Ang";
inline constexpr const char* kTipoInversa = "Inv-->Ang";
inline constexpr const char* kTipoDistancia = "Distancia";
inline constexpr const char* kTipoSeparadorZ = "Z";
// TIPO of the altimetric rows, by the side the sight was taken from.
inline constexpr const char* kTipoAltDirecta = "Dir";
inline constexpr const char* kTipoAltInversa = "Inv";

inline constexpr const char* kMensajeNoExiste = "La Estacion no existe";
inline constexpr const char* kMensajePocasEcuaciones =
    "No hay suficientes ecuaciones PLANIMETRIA para calcular la Estación";
inline constexpr const char* kMensajeQSingular =
    "La Matriz de Varianzas Q es singular.  NO se puede Calcular la Inversa (P).\n   Comprobar (MATRICES) que la "
    "asignación de errores no sea desproporcionada";
inline constexpr const char* kMensajeNSingular =
    "La Matriz N es singular.  NO se puede Calcular la Inversa.\n   Comprobar Ecuaciones Repetidas o Combinación "
    "entre ellas";
inline constexpr const char* kMensajeInstrumentos = "Error al abrir fichero de instrumentos";
inline constexpr const char* kMensajeCentesimal =
    "En este Cálculo Solo se permiten Lecuras Centesimales\n Unificar Previamente Unidades de Lecturas";
inline constexpr const char* kMensajeNoConverge = "El cálculo no converge";

// Stop rule of the iteration.
inline constexpr double kParadaMetros = 0.0005;
inline constexpr double kParadaCc = 0.5;

// The set-up behind one row of the grid.
struct OrigenEcuacion {
    const Estacion* conocida = nullptr;          // the known station at the other end
    const Estacion* desde = nullptr;             // station of the set-up
    const Estacionamiento* estacionamiento = nullptr;
    double jalon = 0;
    bool inversa = false;  // taken from P
};

// Equation row of the system: dx·X + dy·Y + dE·E = Fo (m, cc).
struct CoeficientesEcuacion {
    double dx = 0, dy = 0, dE = 0, fo = 0;
};

// What one pass gives.
struct ResultadoPasada {
    bool calculado = false;
    const char* error = nullptr;  // why it could not compute, when it says
    bool inversa = false;
    double x = 0, y = 0, z = 0, desorientacion = 0;
    double dx = 0, dy = 0, dE = 0;  // increments, m and cc
    double varianza = 0, emc = 0, px = 0, py = 0, pz = 0;
    int ecuaciones = 0, redundancia = 0, alturas = 0;
    std::vector<double> precisionApriori;  // sqrt(N⁻¹ii): m, m, cc
    Elipse elipse;
    double estadisticoGlobal = 0, limiteInferior = 0, limiteSuperior = 0;
    bool globalAceptado = true;
    std::vector<int> filas;          // plan row of each equation of the system
    std::vector<CoeficientesEcuacion> coeficientes;  // per equation
    std::vector<double> residuos;    // per equation, m or cc
    std::vector<double> w;           // per equation; NaN when qvv is 0
    int filaMarcada = -1;            // plan row with the largest |w| above the limit
    bool convergido = false;
    // Per height row: the Z of P it gives (NaN when not used), and its
    // residual against the mean of the Z shown to the mm (NaN without any).
    std::vector<double> zp, residuosAltura;
};

enum class TipoEcuacion { Directa, Inversa, Distancia, AltDirecta, AltInversa };
// The TIPO the grid shows for it.
const char* textoTipo(TipoEcuacion t);

// One equation: a sight between P and a known station.
struct EcuacionEstacion {
    TipoEcuacion tipo = TipoEcuacion::Directa;
    std::string estacion, visado;  // UTF-8
    double horizontal = 0, vertical = 0, distancia = 0;
    OrigenEcuacion origen;
    bool uso = true;
};

// The equations of a station as its book gives them.
struct EcuacionesEstacion {
    Estacion* estacion = nullptr;
    // The set-up of P whose sights give the inverse rows (the first with sights to known stations).
    Estacionamiento* inverso = nullptr;
    std::vector<EcuacionEstacion> planimetria, altimetria;
    std::vector<std::string> omitidas;  // readings left out, UTF-8
    const char* error = nullptr;        // kMensajeNoExiste or kMensajeCentesimal
};
EcuacionesEstacion ecuacionesEstacion(CLibretaCampo& libreta, std::string_view nombre);  // Windows-1252 name

// H and V as the grid shows them ("%1.4lf"), then D ("%1.3lf"). A pass reads
// what is shown, so the batch tool reads the readings back through the same
// texts (leerComoSeMuestra) and computes what the window computes.
std::array<std::string, 3> textosLectura(const EcuacionEstacion& e);
void leerComoSeMuestra(EcuacionEstacion& e);

// The approximate values as the window's edits hold them. The first come
// from the book; after each pass X and Y are kept to the mm, Z to the mm when
// sights give it, the orientation to 0.1 mgon when inverse rows took part,
// and the next pass reads those texts back: window and batch tool iterate
// through the same roundings.
struct AproximadasEstacion {
    std::string x, y, z, w;
};
AproximadasEstacion aproximadasIniciales(const EcuacionesEstacion& e);
// "Aprox": an orientation found elsewhere, as the edit shows it.
std::string textoDesorientacionAprox(double w);
void anotarPasada(AproximadasEstacion& a, const ResultadoPasada& r);

// What a pass needs: the equations with their use flags, the approximate
// values, the settings and how each set-up's instrument is found.
struct EntradaEstacionMMCC {
    const Estacion* estacion = nullptr;
    std::vector<EcuacionEstacion> planimetria, altimetria;
    double x = 0, y = 0, z = 0, w = 0;  // m, gon
    const CDatosGenerales* ajustes = nullptr;
    bool hayBiblioteca = false;  // the instrument library was read and is not empty
    EleccionInstrumento* instrumentos = nullptr;
    // The approximate values from the edits' texts.
    void leer(const AproximadasEstacion& a);
};
// Every equation of the book in use, read as the grid shows it: what the
// window computes before anything is edited.
EntradaEstacionMMCC entradaComoSeMuestra(const EcuacionesEstacion& e, const CDatosGenerales& ajustes,
                                         const ListaInstrumentos* biblioteca, EleccionInstrumento& instrumentos);

// One pass ("CALCULAR"). `matrices` is the work area the window "MATRICES"
// shows. Not calculado: `error` says why, or the instrument choice has told.
ResultadoPasada calcularEstacionMMCC(const EntradaEstacionMMCC& e, CMatricesMMCC& matrices);
// The passes of "iterar" from the approximate values `a` (left as the last
// pass wrote them): the passes made, 0 when one failed; `ultimo` is the last
// pass (the failed one, with its error).
int iterarEstacionMMCC(EntradaEstacionMMCC& e, AproximadasEstacion& a, int maximo, CMatricesMMCC& matrices,
                       ResultadoPasada& ultimo);

// The cells of a used plan row after a pass (index i of r.filas): dx, dy,
// dE, Fo, the residual and the last column (w).
std::array<std::string, 6> textosFilaPlanimetria(const ResultadoPasada& r, std::size_t i);
// The last column (Zp) and the residual of a used height row j.
std::array<std::string, 2> textosFilaAltura(const ResultadoPasada& r, std::size_t j);
// The summary beside the grid, UTF-8.
std::string textoResumenEstacion(const ResultadoPasada& r, const std::vector<EcuacionEstacion>& planimetria);

// A row of the report, with the values the grid shows.
struct FilaInformeEstacion {
    bool uso = true;
    std::string tipo, estacion, visado;                   // UTF-8
    double dx = 0, dy = 0, dE = 0, fo = 0, residuo = 0;  // plan rows
    double z = 0, zp = 0;                                 // height rows: known Z and the Z of P it gives
};
struct InformeEstacionMMCC {
    std::string nombre;  // Windows-1252
    std::vector<FilaInformeEstacion> planimetria, altimetria;
    int iteraciones = 0;
    double varianzaApriori = 1;
    ResultadoPasada resultado;
    math::matrixT Ninv;
    std::vector<std::string> omitidas;  // UTF-8
};
// The report of the last pass, as the cells of a pass show it (the batch tool's
// view of the window's grid).
InformeEstacionMMCC informeDePasada(const EntradaEstacionMMCC& e, const ResultadoPasada& r, int iteraciones,
                                    const CMatricesMMCC& matrices, const std::vector<std::string>& omitidas);
std::string textoInformeEstacionMMCC(const InformeEstacionMMCC& i);  // Windows-1252

// The window "CALCULO COORDENADAS": the equations in a grid of text, the
// approximate values in edits; each pass is built from them and written back.
class CCalculoEstacionMMCC {
public:
    // `biblioteca` null: the instrument library could not be read.
    CCalculoEstacionMMCC(CLibretaCampo& libreta, CDatosGenerales& ajustes, const ListaInstrumentos* biblioteca,
                         Avisos& avisos);

    std::vector<std::string> nombresEstaciones() const;  // combo 1050, UTF-8
    // Fills the grid with every observation of that station; false with
    // "La Estacion no existe" when no station has that name.
    bool elegirEstacion(std::string_view nombreUtf8);
    const Estacion* estacion() const { return estacion_; }
    // The set-up of the station whose sights give the inverse rows.
    Estacionamiento* estacionamientoInverso() const { return inverso_; }

    RejillaTexto& rejilla() { return rejilla_; }
    const RejillaTexto& rejilla() const { return rejilla_; }

    // Edits 1181-1184 and the texts of the window (UTF-8).
    std::string textoX, textoY, textoZ, textoDesorientacion;
    std::string textoIteraciones = "0 Iteraciones";
    std::string textoResumen;
    bool desorientacionActiva() const { return inversaUsada(); }
    // "Aprox": the orientation found by the orientation window.
    void ponerDesorientacion(double w);

    // "CALCULAR": one pass from the values in the edits. False, with the
    // message shown and nothing changed, when it cannot compute.
    bool calcular();
    // Passes until the stop rule or `maximo` passes; the passes made, 0 on
    // failure. Tells "El cálculo no converge" when the limit is reached.
    int iterar(int maximo);
    void reset();
    // "GRABAR": X, Y, Z (and the orientation with inverse rows) into the book.
    bool grabar();

    std::string textoInforme() const;  // Windows-1252
    bool imprimir(const std::filesystem::path& ruta) const;

    // Readings of the station left out of the grid (not finite or beyond
    // ±1e9), one notice each (UTF-8).
    const std::vector<std::string>& omitidas() const { return omitidas_; }
    // How a set-up's instrument is taken (the batch tool refuses instead of asking).
    EleccionInstrumento& instrumentos() { return instrumentos_; }

    CMatricesMMCC& matrices() { return matrices_; }
    const ResultadoPasada& resultado() const { return resultado_; }
    int iteraciones() const { return iteraciones_; }

private:
    bool inversaUsada() const;
    std::size_t filaSeparador() const;
    AproximadasEstacion aproximadas() const { return {textoX, textoY, textoZ, textoDesorientacion}; }
    EntradaEstacionMMCC entrada();
    void mostrar(const ResultadoPasada& r);
    InformeEstacionMMCC informe() const;

    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const ListaInstrumentos* biblioteca_;
    Avisos& avisos_;
    EleccionInstrumento instrumentos_;
    Estacion* estacion_ = nullptr;
    Estacionamiento* inverso_ = nullptr;
    RejillaTexto rejilla_;
    std::vector<std::string> omitidas_;
    std::vector<EcuacionEstacion> planimetria_, altimetria_;  // the rows above and below "Z"
    CMatricesMMCC matrices_;
    ResultadoPasada resultado_;
    int iteraciones_ = 0;
};

// The misclosure theta − L brought into (−C/2, C/2].
double cierreAngular(double theta, double L, int C);
// Zenith angle (gon) of a vertical reading of the set-up's kinds, 100 when
// the vertical field is a height difference.
double anguloCenital(const Estacionamiento& s, double vertical);
// A face-right reading's horizontal brought to face left (aCaraIzquierda).
double horizontalCaraDirecta(const Estacionamiento& s, double horizontal, double vertical);

}  // namespace celvara
