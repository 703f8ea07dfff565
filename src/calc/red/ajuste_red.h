// Adjustment of a whole network by least squares: every station not held
// fixed, one orientation per set-up that sights at least two stations, and
// the heights apart from the plan.
//
// Observations are the book's sights between stations: the horizontal
// direction (the directions of a set-up that sights one station only are
// left out: with that set-up's own orientation unknown they would only give
// it back), the distance reduced as the radiation reduces it (projection
// scale included) and the height difference hi + dz − m + c. Weights come
// from the instrument library and the error model: Ea (cc) for directions,
// √2·Ed for distances, E.Z for height differences, each turned into
// VarRef / σ² as the station does.
//
// A new station the observations do not determine is left out and named
// with the reason, and the rest is adjusted without it; a height the height
// differences do not tie to a held one keeps the book's Z.
//
// The normal equations are sparse (Eigen's simplicial LDLᵀ with AMD
// ordering); the entries of N⁻¹ the precisions and the standardised
// residuals need are taken on the pattern of L by Takahashi's recurrence,
// never the whole inverse. Units: m, gon for orientations, cc for direction
// residuals.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "calc/estacion_mmcc.h"
#include "datos/instrumentos.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

enum class TipoObservacionRed { Direccion = 0, Distancia = 1, Desnivel = 2 };

inline constexpr const char* kMensajeRedSinNuevas = "No hay estaciones que ajustar en la red";
inline constexpr const char* kMensajeRedSinFijas = "No hay estaciones fijas: marcar alguna o elegir red libre";
inline constexpr const char* kMensajeRedSinAproximadas = "Sin coordenadas aproximadas: ";
inline constexpr const char* kMensajeRedSingular =
    "La Matriz N es singular: la red no queda determinada (faltan fijas u observaciones)";
// Why a new station is left out: what it has with every other station held
// (the last: free only with others, as the whole network shows).
inline constexpr const char* kMotivoSinObservaciones = "sin observaciones";
inline constexpr const char* kMotivoSinOrientacion = "direcciones sin orientación";  // set-ups sighting it alone
inline constexpr const char* kMotivoUnaDireccion = "una sola dirección";
inline constexpr const char* kMotivoUnaDistancia = "una sola distancia";
inline constexpr const char* kMotivoUnAngulo = "un solo ángulo";  // its set-up sights two stations, nothing else
inline constexpr const char* kMotivoDosAlineadas = "dos direcciones alineadas";
inline constexpr const char* kMotivoAlineadas = "observaciones alineadas";
inline constexpr const char* kMotivoFaltan = "faltan observaciones";
// Stop rule: every increment below 0.1 mm (coordinates) and 0.1 cc (orientations).
inline constexpr double kParadaRedMetros = 0.0001;
inline constexpr double kParadaRedCc = 0.1;

struct EstacionRed {
    Estacion* estacion = nullptr;
    bool fija = false;
    bool plano = false;   // takes part in the plan adjustment
    bool altura = false;  // has height differences
    // Left out: why the observations do not determine it (UTF-8), else null.
    const char* motivo = nullptr;
    bool zLibre = false;  // its height differences reach no held Z: Z stays as in the book
    double x = 0, y = 0, z = 0;
    double sx = 0, sy = 0, sz = 0;  // a posteriori, m
    Elipse elipse;
    // Unknowns: dx = fx·u[ix], dy = fy·u[iy] (a datum station of a free
    // network slides along one line: ix == iy); -1 when held.
    int ix = -1, iy = -1, iz = -1;
    double fx = 1, fy = 1;
};

struct PuestaRed {
    int estacion = -1;  // index into estaciones()
    Estacionamiento* estacionamiento = nullptr;
    int io = -1;              // orientation unknown, -1 when held
    double desorientacion = 0;  // gon
    double sd = 0;              // cc
};

struct ObservacionRed {
    TipoObservacionRed tipo = TipoObservacionRed::Direccion;
    int puesta = -1, desde = -1, hacia = -1;
    double valor = 0;  // gon (face-left reading), m
    double sigma = 0;  // cc or m
    bool uso = true;
    double residuo = 0;  // cc or m
    double w = 0;        // NaN when it cannot be tested
};

struct ParteRed {
    int observaciones = 0, incognitas = 0, redundancia = 0;
    double vpv = 0, s0 = 0;  // s0 = √(vᵀPv / r), 0 without redundancy
};

struct TestGlobalRed {
    int redundancia = 0;
    double varianza = 0;  // s0²
    double estadistico = 0, inferior = 0, superior = 0;
    bool aceptado = true;
    ParteRed plano, altura;  // each part alone, as other adjustment programs give them
};

struct OpcionesRed {
    std::vector<std::string> fijos;  // Windows-1252 names; empty: every station with coordinates
    bool libre = false;              // minimum constraints on the first two stations that take part
    int maxIteraciones = 30;
};

// What an adjustment gives: stations, set-ups and observations with their
// adjusted values, residuals and statistics.
struct ResultadoRed {
    std::vector<EstacionRed> estaciones;
    std::vector<PuestaRed> puestas;
    std::vector<ObservacionRed> observaciones;
    TestGlobalRed test;
    int iteraciones = 0, incognitasPlano = 0, incognitasAltura = 0;
    int mayorW = -1;              // the used observation with the largest |w|, -1 when none
    int direccionesSueltas = 0;   // directions left out: their set-up sights one station only
    std::vector<std::string> omitidas;  // readings left out, UTF-8
};

// "A1 -> P" for an observation, UTF-8.
std::string nombreObservacion(const ResultadoRed& r, std::size_t i);
// UTF-8 lines, empty when there is nothing to say: the stations left out
// with their reasons, and those whose Z stays as in the book.
std::string textoFueraRed(const ResultadoRed& r);
std::string textoZLibreRed(const ResultadoRed& r);
std::string textoTestRed(const ResultadoRed& r);     // UTF-8, one line
std::string textoInformeRed(const ResultadoRed& r);  // Windows-1252

struct PreparacionRed;

class CAjusteRed {
public:
    // `biblioteca` null or empty: the instrument library could not be read.
    CAjusteRed(CLibretaCampo& libreta, CDatosGenerales& ajustes, const ListaInstrumentos* biblioteca, Avisos& avisos);

    // Collects stations, set-ups and observations; the use flags of the
    // observations start on. False with the message shown.
    bool preparar(const OpcionesRed& opciones);
    // Iterates from the approximate values until the stop rule. False with
    // the message shown (nothing in the book is changed either way).
    bool ajustar();
    // Coordinates of every adjusted station and orientation of every
    // adjusted set-up into the book.
    bool grabar();

    const ResultadoRed& resultado() const { return r_; }
    std::vector<EstacionRed>& estaciones() { return r_.estaciones; }
    const std::vector<EstacionRed>& estaciones() const { return r_.estaciones; }
    const std::vector<PuestaRed>& puestas() const { return r_.puestas; }
    std::vector<ObservacionRed>& observaciones() { return r_.observaciones; }
    const std::vector<ObservacionRed>& observaciones() const { return r_.observaciones; }
    const TestGlobalRed& test() const { return r_.test; }
    int iteraciones() const { return r_.iteraciones; }
    int incognitas() const { return r_.incognitasPlano + r_.incognitasAltura; }
    int mayorW() const { return r_.mayorW; }
    bool ajustado() const { return ajustado_; }
    const std::vector<std::string>& omitidas() const { return r_.omitidas; }
    // How a set-up's instrument is taken (the batch tool refuses instead of asking).
    EleccionInstrumento& instrumentos() { return instrumentos_; }
    int direccionesSueltas() const { return r_.direccionesSueltas; }

    // The texts of the result (see the free functions above).
    std::string nombreObservacion(std::size_t i) const;
    std::string textoFuera() const;
    std::string textoZLibre() const;
    std::string textoTest() const;     // UTF-8, one line
    std::string textoInforme() const;  // Windows-1252
    bool imprimir(const std::filesystem::path& ruta) const;

private:
    // The steps of preparar.
    std::unordered_map<std::string, int> recogerEstaciones(const OpcionesRed& opciones);
    bool recogerVisuales(PreparacionRed& p, const std::unordered_map<std::string, int>& indice);
    bool recogerObservaciones(PreparacionRed& p);
    int numerarPlano(bool libre);  // the coordinate unknowns; their count
    bool determinarPlano(PreparacionRed& p, bool libre);
    void numerarAltura(bool libre);
    bool iterarPlano();
    bool iterarAltura();
    void estadistica();

    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const ListaInstrumentos* biblioteca_;
    Avisos& avisos_;
    EleccionInstrumento instrumentos_;
    OpcionesRed opciones_;
    ResultadoRed r_;
    double vpvPlano_ = 0, vpvAltura_ = 0;
    bool ajustado_ = false;
};

// The side file that keeps the user's fixed stations beside the book
// ("LIBRETA.obs" -> "LIBRETA.obs.red"), an INI file with "[Red]" and
// "fijas=A,B,..." (UTF-8 names).
std::filesystem::path rutaFijasRed(const std::filesystem::path& libreta);
// Empty when the file is missing or says nothing.
std::vector<std::string> leerFijasRed(const std::filesystem::path& libreta);  // Windows-1252
bool guardarFijasRed(const std::filesystem::path& libreta, const std::vector<std::string>& fijas);

}  // namespace celvara
