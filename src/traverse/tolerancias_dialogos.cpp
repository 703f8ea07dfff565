#include "traverse/tolerancias_dialogos.h"

#include <cmath>

#include "datos/instrumentos.h"
#include "fieldbook/numeros.h"

namespace celvara {

ParametrosEnTexto::ParametrosEnTexto(const CDatosGenerales& a)
    : textos{formatear("%1.3lf", a.errorCentradoEstacion), formatear("%1.3lf", a.errorCentradoPunto),
             formatear("%1.3lf", a.errorAlturaInstrumento), formatear("%1.3lf", a.errorAlturaJalon),
             formatear("%1.3lf", a.inclinacionJalon)} {}

ParametrosTrabajo ParametrosEnTexto::valores() const {
    return {textoANumero(textos[kEe]), textoANumero(textos[kEp]), textoANumero(textos[kEhe]),
            textoANumero(textos[kEhp]), textoANumero(textos[kIncl])};
}

namespace {

// The instrument the computations use: the one named, else the first.
ResultadoTolerancia cargarInstrumento(const std::filesystem::path& ruta, const std::string& nombre,
                                      CaracteristicasInstrumento& caracteristicasLeidas) {
    if (nombre.empty()) return {false, mensaje_tolerancias::sinInstrumento};
    AvisosSilenciosos silencio;
    ListaInstrumentos lista;
    if (cargarInstrumentos(lista, ruta, silencio) != Estado::Exito)
        return {false, mensaje_tolerancias::ficheroInstrumentos};
    const Instrumento* instrumento = buscarInstrumentoOPrimero(lista, nombre);
    if (!instrumento) return {false, mensaje_tolerancias::ficheroInstrumentos};
    caracteristicasLeidas = caracteristicas(*instrumento);
    return {true, {}};
}

}  // namespace

ResultadoTolerancia evaluarVisual(const std::filesystem::path& ruta, const std::string& nombre,
                                  const ParametrosTrabajo& parametros, double distancia, double vertical,
                                  double jalon, ErroresVisual& errores) {
    CaracteristicasInstrumento c;
    ResultadoTolerancia r = cargarInstrumento(ruta, nombre, c);
    if (r.calculado) errores = erroresVisual(c, parametros, distancia, vertical, jalon);
    return r;
}

ResultadoTolerancia evaluarPoligonalPrevista(const std::filesystem::path& ruta, const std::string& nombre,
                                             const ParametrosTrabajo& parametros, int tramos, double longitud,
                                             ToleranciaPoligonalPrevista& tolerancia) {
    CaracteristicasInstrumento c;
    ResultadoTolerancia r = cargarInstrumento(ruta, nombre, c);
    if (r.calculado) tolerancia = toleranciaPoligonalPrevista(c, parametros, tramos, longitud);
    return r;
}

// ---- "GESTOR DE TOLERANCIAS Y ERRORES"

CGestorTolerancias::CGestorTolerancias(const CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                       std::filesystem::path rutaInstrumentos, Avisos& avisos)
    : parametros(ajustes),
      instrumento(ajustes.datosPorDefecto.instrumento.str()),
      libreta_(libreta),
      ajustes_(ajustes),
      rutaInstrumentos_(std::move(rutaInstrumentos)),
      avisos_(avisos) {}

std::vector<std::string> CGestorTolerancias::nombresEstaciones() const {
    std::vector<std::string> nombres;
    for (const auto& e : libreta_.estaciones) nombres.push_back(e->nombre.str());
    return nombres;
}

std::vector<std::string> CGestorTolerancias::nombresEstacionamientos() const {
    std::vector<std::string> nombres;
    if (estacion_)
        for (const auto& s : estacion_->estacionamientos) nombres.push_back(s->nombre.str());
    return nombres;
}

std::vector<std::string> CGestorTolerancias::nombresPuntos() const {
    std::vector<std::string> nombres;
    if (estacionamiento_)
        for (const auto& l : estacionamiento_->lecturas) nombres.push_back(l.nombre.str());
    return nombres;
}

void CGestorTolerancias::elegirEstacion(int indice) {
    estacionamiento_ = nullptr;
    estacion_ = indice >= 0 && static_cast<std::size_t>(indice) < libreta_.estaciones.size()
                    ? libreta_.estaciones[indice].get()
                    : nullptr;
}

void CGestorTolerancias::elegirEstacionamiento(int indice) {
    estacionamiento_ = nullptr;
    if (!estacion_ || indice < 0 || static_cast<std::size_t>(indice) >= estacion_->estacionamientos.size()) return;
    estacionamiento_ = estacion_->estacionamientos[indice].get();
    textoI = formatear("%1.3lf", estacionamiento_->alturaInstrumento);
    if (!estacionamiento_->datos.instrumento.vista().empty()) instrumento = estacionamiento_->datos.instrumento.str();
}

void CGestorTolerancias::elegirPunto(int indice) {
    if (!estacionamiento_ || indice < 0 || static_cast<std::size_t>(indice) >= estacionamiento_->lecturas.size())
        return;
    const Lectura& l = estacionamiento_->lecturas[indice];
    textoM = formatear("%1.3lf", l.jalon);
    textoH = formatear("%1.4lf", l.horizontal);
    textoV = formatear("%1.4lf", l.vertical);
    textoD = formatear("%1.3lf", l.distancia);
}

void CGestorTolerancias::grabar() { guardarParametrosTrabajo(ajustes_, parametros.valores()); }

bool CGestorTolerancias::calcular() {
    grabar();
    const ResultadoTolerancia r = evaluarVisual(rutaInstrumentos_, instrumento, parametros.valores(),
                                                textoANumero(textoD), textoANumero(textoV), textoANumero(textoM),
                                                errores_);
    if (!r.calculado) {
        avisos_.mensaje(r.mensaje);
        return false;
    }
    resultados_ = textosVisual(errores_);
    return true;
}

// ---- "TOLERANCIAS POLIGONAL"

CToleranciasPoligonal::CToleranciasPoligonal(CDatosGenerales& ajustes, std::filesystem::path rutaInstrumentos,
                                             Avisos& avisos)
    : parametros(ajustes),
      instrumento(ajustes.datosPorDefecto.instrumento.str()),
      ajustes_(ajustes),
      rutaInstrumentos_(std::move(rutaInstrumentos)),
      avisos_(avisos) {}

void CToleranciasPoligonal::grabar() { guardarParametrosTrabajo(ajustes_, parametros.valores()); }

bool CToleranciasPoligonal::calcular() {
    grabar();
    const double tramos = textoANumero(textoTramos);
    const double longitud = textoANumero(textoLongitud);
    // Only a whole number of legs and a real length: otherwise nothing.
    if (!(tramos >= 1) || tramos != std::floor(tramos) || tramos > 1e6 || !(longitud > 0)) return false;
    const ResultadoTolerancia r = evaluarPoligonalPrevista(rutaInstrumentos_, instrumento, parametros.valores(),
                                                           static_cast<int>(tramos), longitud, tolerancia_);
    if (!r.calculado) {
        avisos_.mensaje(r.mensaje);
        return false;
    }
    resultados_ = textosPoligonalPrevista(tolerancia_);
    return true;
}

// ---- "ERRORES y PESOS "

CErroresPesos::CErroresPesos(CDatosGenerales& ajustes)
    : conPesos(ajustes.calcularConPesos != 0),
      textoVarianza(formatear("%1.3lf", ajustes.varianzaReferencia)),
      ajustes_(ajustes) {}

void CErroresPesos::aceptar() {
    ajustes_.calcularConPesos = conPesos ? 1 : 0;
    ajustes_.varianzaReferencia = textoANumero(textoVarianza);
}

}  // namespace celvara
