// Radiation ("CALCULO DE LA RADIACION"): the coordinates of every point
// sighted from the oriented set-ups, written to a coordinate file and, on
// request, to two text reports.
//
// The computation (radiarEstacionamientos, radiarAFicheros) takes the records
// and an EntradaRadiacion: one row per set-up with the values to use. The
// window's class CCalculoRadiacion holds those rows as grid text (commas as
// points), so orientations, heights and corrections typed there are used for
// that run only: the field book is never changed. celvara-cli builds the rows
// from the book (entradaRadiacion) as the window opens them.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "datos/fichero_crd.h"
#include "datos/instrumentos.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

namespace columna_radiacion {
inline constexpr std::size_t uso = 0, estacionamiento = 1, estacion = 2, x = 3, y = 4, z = 5, altura = 6,
                             desorientacion = 7, puntos = 8, instrumento = 9, errorH = 10, errorV = 11,
                             errorD = 12, esfRefr = 13, tempPres = 14, numero = 15;
}

// Columns shown on each tab.
inline constexpr std::array<std::size_t, 6> kColumnasDatos = {0, 1, 2, 6, 7, 8};
inline constexpr std::array<std::size_t, 8> kColumnasCorrecciones = {0, 1, 9, 10, 11, 12, 13, 14};

// The options of the window, edited in "CONFIGURAR CALCULO".
struct OpcionesRadiacion {
    bool informe1 = false;
    bool informe2 = false;
    bool aplicarATodas = false;         // "Ejecutar =>"
    bool esfRefrTodas = false;
    bool tempPresTodas = false;
    bool interseccionSinDistancia = false;  // kept, read by no computation
    bool anadirEstaciones = true;
    bool planas = true;
    bool hayford = true;                // off: "U.T.M  WGS-84"
    double escalaAdicional = 1.0;
};

// "Generar archivo Cálculo" and "Ejecutar =>" as celvara.ini [Radiacion]
// keeps them: the next radiation starts with the reports it wrote last time.
void leerOpcionesRecordadas(OpcionesRadiacion& opciones, const AjustesPropios& ini);
void recordarOpciones(const OpcionesRadiacion& opciones, AjustesPropios& ini);

// "CONFIGURAR CALCULO": a copy of the options and of the settings' option
// "NO Calcular XYZ con las Visuales a Estaciones" while the dialog is open;
// "OK" writes them back, "Cancel" writes nothing.
class CConfigurarCalculo {
public:
    CConfigurarCalculo(OpcionesRadiacion& opciones, CDatosGenerales& ajustes);
    OpcionesRadiacion opciones;
    bool noCalcularVisualesAEstaciones;
    std::string textoEscala;  // edit 1134, "%1.10lf"
    // "R.Elip": the factor of the reduction-factor dialog into 1134.
    void ponerFactorReduccion(double factor);
    void aceptar();

private:
    OpcionesRadiacion& destino_;
    CDatosGenerales& ajustes_;
};

// ---- The computation.

// One set-up to radiate, with the values of its grid row.
struct EstacionamientoRadiacion {
    const Estacion* estacion = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
    double alturaInstrumento = 0;
    double desorientacion = 0;
    double errorH = 0, errorV = 0;  // cc (circle 400) or seconds of arc
    double errorD = 0;              // mm
    bool esfRefr = false;
    bool tempPres = false;
};

struct EntradaRadiacion {
    std::vector<EstacionamientoRadiacion> estacionamientos;  // in use, in order
    bool anadirEstaciones = true;
    bool noCalcularVisualesAEstaciones = true;
    bool planas = true;
    bool hayford = true;  // off: "U.T.M  WGS-84"
    double escalaAdicional = 1.0;
    ProyeccionTrabajo trabajo;  // zone, and GRS80 or WGS-84 when not Hayford
};

// Every set-up of the book as the window opens on it: one row each, its set-up
// found by name (the first of that name), height and orientation as shown, no
// instrument errors, curvature as the set-up's flag says unless "Ejecutar =>"
// sets it for all.
EntradaRadiacion entradaRadiacion(const CLibretaCampo& libreta, const OpcionesRadiacion& opciones,
                                  bool noCalcularVisualesAEstaciones);

struct PuntoRadiado {
    const Lectura* lectura = nullptr;
    double x = 0, y = 0, z = 0;
};

// What one set-up gave.
struct EstacionamientoRadiado {
    const Estacion* estacion = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
    double escala = 1.0;  // combined factor k
    std::vector<PuntoRadiado> puntos;
    // Readings not radiated: not finite or beyond ±1e9 (one notice each, UTF-8).
    std::vector<std::string> omitidas;
};

// Radiates the set-ups one by one, in order, handing each result on as it is
// done: a big job need not hold a million points.
void radiarEstacionamientos(const CLibretaCampo& libreta, const EntradaRadiacion& entrada,
                            const std::function<void(const EstacionamientoRadiado&)>& alRadiar);

// The points the coordinate file takes before the radiated ones: the
// stations, when asked, with the base flag.
ListaPuntos puntosEstaciones(const CLibretaCampo& libreta);

// Report 1 ("nº H V Dg m X Y Z") and report 2 ("nº X Y Z"), in Windows-1252
// bytes: the heading of the file, then one block per set-up.
std::string textoCabeceraInforme1();
std::string textoInforme1(const EstacionamientoRadiado& r);
std::string textoCabeceraInforme2();
std::string textoInforme2(const EstacionamientoRadiado& r);

// Where the points and reports go.
struct FicherosRadiacion {
    std::filesystem::path crd;
    bool anadir = false;  // the points of the file come first
    std::optional<std::filesystem::path> informe1;  // added to the end
    std::optional<std::filesystem::path> informe2;  // written anew
    // Whether the result keeps every point written; a batch run that prints
    // the points as they come does without a million of them in memory.
    bool conservarPuntos = true;
    // Called with each point as it goes into the coordinate file.
    std::function<void(const PuntoCoordenadas&)> alGrabarPunto;
};

struct ResultadoRadiacion {
    bool calculado = false;
    bool escrito = false;  // the coordinate file was written
    ListaPuntos puntos;    // in file order (unless conservarPuntos is off)
    // Files written, the coordinate file first, then the reports opened.
    std::vector<std::filesystem::path> ficheros;
    bool informe1 = false;  // report 1 was written
    // Readings not radiated: not finite or beyond ±1e9 (one notice each, UTF-8).
    std::vector<std::string> omitidas;
};

// The radiation into its files. A report that cannot be opened is skipped and
// named through `avisos`, as is a coordinate file that cannot be written.
ResultadoRadiacion radiarAFicheros(const CLibretaCampo& libreta, const EntradaRadiacion& entrada,
                                   const FicherosRadiacion& ficheros, Avisos& avisos);

// "Cálculo Realizado" with the files written and the readings left out.
// How a message names a written file: the window in the program's own form
// (C:\TRABAJOS\...), the batch tool as the host path.
using NombrarFichero = std::function<std::string(const std::filesystem::path&)>;
std::string textoCalculoRealizado(const ResultadoRadiacion& r, const NombrarFichero& nombrar = {});

// ---- The window.

class CCalculoRadiacion {
public:
    CCalculoRadiacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, Avisos& avisos);

    RejillaTexto& rejilla() { return rejilla_; }
    const RejillaTexto& rejilla() const { return rejilla_; }
    OpcionesRadiacion& opciones() { return opciones_; }

    // Edit 1036: the coordinate file (host path); "Nuevo" / "Añadir".
    std::string ficheroCrd;
    bool anadir = false;
    // Where the two reports go (host paths): report 1 to the settings'
    // reports file, report 2 to informe2.txt in the current folder.
    std::filesystem::path rutaInforme1;
    std::filesystem::path rutaInforme2 = "informe2.txt";
    // How "Cálculo Realizado" names the files written; empty: host paths.
    NombrarFichero nombrarFichero;

    // "Recoger Errores del Instrumento"; nullptr: the library is not loaded.
    void recogerErroresInstrumento(const ListaInstrumentos* biblioteca);
    // After "CONFIGURAR CALCULO" closed with OK.
    void aplicarConfiguracion();
    // The rows in use as the computation takes them.
    EntradaRadiacion entrada() const;
    // "CALCULAR". Returns the points written, or nothing when the
    // calculation did not run.
    ResultadoRadiacion calcular();
    // "S A L I R" and every other way of closing: the projection back into
    // the settings.
    void salir();

private:
    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    Avisos& avisos_;
    OpcionesRadiacion opciones_;
    RejillaTexto rejilla_;
};

}  // namespace celvara
