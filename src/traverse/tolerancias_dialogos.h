// The logic of the three tolerance windows: "GESTOR DE TOLERANCIAS Y
// ERRORES" (the errors of one example sighting), "TOLERANCIAS POLIGONAL"
// (the tolerance of a planned traverse) and "ERRORES y PESOS " (the weighting
// of the least-squares station). Each holds the texts its window shows, as
// the user may have typed them; a button is one method.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "calc/modelo_errores.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "traverse/tolerancias_poligonal.h"

namespace celvara {

// The result of evaluating a sighting against the library: the texts of the
// window, or the message that stopped it.
struct ResultadoTolerancia {
    bool calculado = false;
    std::string mensaje;  // when not computed and something must be told
};

// The five work-parameter edits ("E.e=", "E.p=", "E.h.e=", "E.h.p=",
// "E.Incl"), shared by the two tolerance windows.
class ParametrosEnTexto {
public:
    static constexpr std::size_t kEe = 0, kEp = 1, kEhe = 2, kEhp = 3, kIncl = 4;
    static constexpr const char* kEtiquetas[5] = {"E.e=", "E.p=", "E.h.e=", "E.h.p=", "E.Incl"};

    explicit ParametrosEnTexto(const CDatosGenerales& ajustes);
    std::array<std::string, 5> textos;  // "%1.3lf"

    ParametrosTrabajo valores() const;  // commas read as points, rubbish as 0
};

// Loads the library and evaluates one sighting with the instrument named
// (the first of the library when the name is not in it).
ResultadoTolerancia evaluarVisual(const std::filesystem::path& rutaInstrumentos, const std::string& instrumento,
                                  const ParametrosTrabajo& parametros, double distancia, double vertical,
                                  double jalon, ErroresVisual& errores);
ResultadoTolerancia evaluarPoligonalPrevista(const std::filesystem::path& rutaInstrumentos,
                                             const std::string& instrumento, const ParametrosTrabajo& parametros,
                                             int tramos, double longitud, ToleranciaPoligonalPrevista& tolerancia);

// "GESTOR DE TOLERANCIAS Y ERRORES".
class CGestorTolerancias {
public:
    CGestorTolerancias(const CLibretaCampo& libreta, CDatosGenerales& ajustes,
                       std::filesystem::path rutaInstrumentos, Avisos& avisos);

    ParametrosEnTexto parametros;
    std::string instrumento;  // Windows-1252 name, edit 1244
    // "I=", "m=", "H =", "V =", "D =".
    std::string textoI, textoM, textoH, textoV, textoD;

    // "Estación", "Ocupa", "Punto": names of the book, of the chosen
    // station's set-ups and of the chosen set-up's readings.
    std::vector<std::string> nombresEstaciones() const;
    std::vector<std::string> nombresEstacionamientos() const;
    std::vector<std::string> nombresPuntos() const;
    // Choosing a set-up fills "I=" (and the instrument when the set-up names
    // one); choosing a reading fills "m=", "H =", "V =", "D =".
    void elegirEstacion(int indice);
    void elegirEstacionamiento(int indice);
    void elegirPunto(int indice);

    // "Calcular ....": stores the work parameters, then evaluates the
    // sighting as typed. False when a message stopped it.
    bool calcular();
    // "Grabar": stores the work parameters.
    void grabar();

    // The four result texts; empty until computed.
    const std::array<std::string, 4>& resultados() const { return resultados_; }
    const ErroresVisual& errores() const { return errores_; }

private:
    const CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    std::filesystem::path rutaInstrumentos_;
    Avisos& avisos_;
    const Estacion* estacion_ = nullptr;
    const Estacionamiento* estacionamiento_ = nullptr;
    std::array<std::string, 4> resultados_;
    ErroresVisual errores_;
};

// "TOLERANCIAS POLIGONAL".
class CToleranciasPoligonal {
public:
    CToleranciasPoligonal(CDatosGenerales& ajustes, std::filesystem::path rutaInstrumentos, Avisos& avisos);

    ParametrosEnTexto parametros;
    std::string instrumento;   // Windows-1252 name, edit 1244
    std::string textoTramos;   // "Nº Tramos:"
    std::string textoLongitud; // "Long Total Poligonal:"

    // "Calcular ....": stores the work parameters; with a whole number of
    // legs of at least 1 and a length above 0, evaluates the traverse.
    bool calcular();
    void grabar();

    const std::array<std::string, 5>& resultados() const { return resultados_; }
    const ToleranciaPoligonalPrevista& tolerancia() const { return tolerancia_; }

private:
    CDatosGenerales& ajustes_;
    std::filesystem::path rutaInstrumentos_;
    Avisos& avisos_;
    std::array<std::string, 5> resultados_;
    ToleranciaPoligonalPrevista tolerancia_;
};

// "ERRORES y PESOS ".
class CErroresPesos {
public:
    static constexpr const char* kTextoPesos[4] = {
        "Ecuac de Distancia:  E =  E.Long^2 / Varianza Ref", "Ecuac de Angulos:  E  =  E.Ang^2 / Varianza Ref",
        "Distancia en metros        Angular en segundos(cc)", "Asignación de Pesos:   P = 1 / E"};

    explicit CErroresPesos(CDatosGenerales& ajustes);

    bool conPesos;              // "Calcular con PESOS"
    std::string textoVarianza;  // "%1.3lf"
    // The variance edit is enabled only while weighting is on.
    bool varianzaHabilitada() const { return conPesos; }

    // "Aceptar": stores the switch (1 or 0) and the variance.
    void aceptar();

private:
    CDatosGenerales& ajustes_;
};

}  // namespace celvara
