#include "calc/desorientacion_individual.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calc/caras.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {

namespace {

constexpr double kMaximoInicial = -5000.0;
constexpr double kMinimoInicial = 5000.0;
// A mean this close below zero is the rounding left by the wrap-around
// (-0.0010 + 0.0010), not a direction just short of a full circle.
constexpr double kRuidoMedia = 1e-9;

std::vector<ColumnaRejilla> columnasVisuales() {
    std::vector<ColumnaRejilla> c(columna_visual::numero);
    c[columna_visual::uso].casilla = true;
    c[columna_visual::uso].ancho = 30;
    c[columna_visual::estacion].titulo = "Estación";
    c[columna_visual::azimut].titulo = "Azimut";
    c[columna_visual::cara].titulo = "D/I.";
    c[columna_visual::lectura].titulo = "Lectura";
    c[columna_visual::distancia].titulo = "Distancia";
    c[columna_visual::desorientacion].titulo = "Desorientación";
    for (std::size_t i = 2; i < c.size(); ++i) c[i].alineacion = AlineacionColumna::Derecha;
    return c;
}

}  // namespace

bool hayQueBajar(double maximo, double minimo, std::int32_t C) { return maximo - minimo > 0.75 * C; }

double bajado(double valor, bool bajar, std::int32_t C) { return bajar && valor > 0.75 * C ? valor - C : valor; }

MediaDesorientacion mediaDesorientacion(const std::vector<double>& valores, std::int32_t C) {
    MediaDesorientacion r;
    if (valores.empty()) return r;
    double suma = 0;
    double maximo = kMaximoInicial, minimo = kMinimoInicial;
    for (double d : valores) {
        suma += d;
        maximo = std::max(maximo, d);
        minimo = std::min(minimo, d);
    }
    const double n = static_cast<double>(valores.size());
    const double media = suma / n;
    if (valores.size() >= 2) {
        double cuadrados = 0;
        for (double d : valores) cuadrados += (media - d) * (media - d);
        r.emc = std::sqrt(cuadrados / (n - 1));
    }
    r.rango = maximo - minimo;
    r.media = media;
    if (r.media < 0 && r.media > -kRuidoMedia) r.media = 0;
    if (r.media < 0) r.media += C;
    return r;
}

CCalculoDesorientacion::CCalculoDesorientacion(CLibretaCampo& libreta)
    : libreta_(libreta), rejilla_(columnasVisuales()) {}

void CCalculoDesorientacion::abrirPara(const Estacion* estacion, const Estacionamiento* estacionamiento,
                                       double* resultado) {
    resultado_ = resultado;
    for (std::size_t i = 0; i < libreta_.estaciones.size(); ++i) {
        if (libreta_.estaciones[i].get() != estacion) continue;
        elegirEstacion(i);
        const auto& lista = libreta_.estaciones[i]->estacionamientos;
        for (std::size_t j = 0; j < lista.size(); ++j)
            if (lista[j].get() == estacionamiento) elegirEstacionamiento(j);
    }
}

std::vector<std::string> CCalculoDesorientacion::nombresEstaciones() const {
    std::vector<std::string> n;
    for (const auto& e : libreta_.estaciones) n.push_back(cp1252AUtf8(e->nombre.vista()));
    return n;
}

void CCalculoDesorientacion::limpiarCampos() {
    textoDesorientacion.clear();
    textoEstadistica.clear();
    textoVisadaX.clear();
    textoVisadaY.clear();
    textoVisadaZ.clear();
    rejilla_.vaciar();
    omitidas.clear();
    visadas_.clear();
    visada_ = nullptr;
}

void CCalculoDesorientacion::elegirEstacion(std::size_t indice) {
    if (indice >= libreta_.estaciones.size()) return;
    limpiarCampos();
    estacion_ = libreta_.estaciones[indice].get();
    estacionamiento_ = nullptr;
    textoEstacion = "Estacion : " + cp1252AUtf8(estacion_->nombre.vista());
    textoX = formatear("X = %.3lf", estacion_->x);
    textoY = formatear("Y = %.3lf", estacion_->y);
    textoZ = formatear("Z = %.3lf", estacion_->z);
}

std::vector<std::string> CCalculoDesorientacion::nombresEstacionamientos() const {
    std::vector<std::string> n;
    if (estacion_)
        for (const auto& s : estacion_->estacionamientos) n.push_back(cp1252AUtf8(s->nombre.vista()));
    return n;
}

void CCalculoDesorientacion::elegirEstacionamiento(std::size_t indice) {
    if (!estacion_ || indice >= estacion_->estacionamientos.size()) return;
    estacionamiento_ = estacion_->estacionamientos[indice].get();
    visadas_.clear();
    for (const auto& l : estacionamiento_->lecturas)
        for (const auto& e : libreta_.estaciones)
            if (e->nombre == l.nombre.vista()) visadas_.push_back(e.get());
}

std::vector<std::string> CCalculoDesorientacion::nombresVisadas() const {
    std::vector<std::string> n;
    for (const auto* e : visadas_) n.push_back(cp1252AUtf8(e->nombre.vista()));
    return n;
}

void CCalculoDesorientacion::elegirVisada(std::size_t indice) {
    if (indice >= visadas_.size()) return;
    visada_ = visadas_[indice];
    textoVisadaX = formatear("X = %1.3lf", visada_->x);
    textoVisadaY = formatear("Y = %1.3lf", visada_->y);
    textoVisadaZ = formatear("Z = %1.3lf", visada_->z);
}

std::int32_t CCalculoDesorientacion::circulo() const {
    return estacionamiento_ ? estacionamiento_->datos.unidadAngular : kCentesimal;
}

void CCalculoDesorientacion::anadirVisuales(std::size_t indiceVisada) {
    if (indiceVisada >= visadas_.size() || !estacionamiento_ || !estacion_) return;
    elegirVisada(indiceVisada);
    const Estacion& t = *visadas_[indiceVisada];
    const std::int32_t C = circulo();
    // Coordinates no survey gives (not finite or beyond ±1e9, a damaged book)
    // give no azimuth or distance worth a row.
    for (const Estacion* e : {estacion_, &t})
        if (!(std::abs(e->x) <= kLimiteValorLectura && std::abs(e->y) <= kLimiteValorLectura)) {
            omitidas.push_back("Estación «" + cp1252AUtf8(e->nombre.vista()) +
                               "» con coordenadas no utilizables (valor no finito o fuera de ±1e9), fuera del cálculo");
            return;
        }
    for (const auto& l : estacionamiento_->lecturas) {
        if (!(l.nombre == t.nombre.vista())) continue;
        if (!lecturaUtilizable(l)) {
            omitidas.push_back(avisoLecturaNoUtilizable(*estacionamiento_, l));
            continue;
        }
        // The face limit is 200 whatever the angle unit.
        const bool directa = l.vertical < 200.0;
        rejilla_.agregarFila({"1", cp1252AUtf8(t.nombre.vista()),
                              formatear("%1.4lf", AzimutEntre(estacion_->x, estacion_->y, t.x, t.y, C)),
                              directa ? "1" : "0", formatear("%1.4lf", l.horizontal),
                              formatear("%1.2lf", DistanciaEntre(estacion_->x, estacion_->y, t.x, t.y)), ""});
    }
}

bool CCalculoDesorientacion::calcularColumna(double& maximo, double& minimo) {
    const std::int32_t C = circulo();
    maximo = kMaximoInicial;
    minimo = kMinimoInicial;
    bool alguna = false;
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, columna_visual::uso)) continue;
        const double azimut = textoANumero(rejilla_.texto(f, columna_visual::azimut));
        const double lectura = textoANumero(rejilla_.texto(f, columna_visual::lectura));
        double a = azimut;
        if (textoAEntero(rejilla_.texto(f, columna_visual::cara)) != 1) {
            a = azimut + mediaVuelta(C);
            if (a > C) a = azimut - mediaVuelta(C);
        }
        double d = a - lectura;
        if (d < 0) d += C;
        rejilla_.asignar(f, columna_visual::desorientacion, formatear("%10.4lf", d));
        maximo = std::max(maximo, d);
        minimo = std::min(minimo, d);
        alguna = true;
    }
    return alguna;
}

void CCalculoDesorientacion::calcularMedia(bool bajar) {
    const std::int32_t C = circulo();
    std::vector<double> valores;
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.marcada(f, columna_visual::uso))
            valores.push_back(bajado(textoANumero(rejilla_.texto(f, columna_visual::desorientacion)), bajar, C));
    MediaDesorientacion m = mediaDesorientacion(valores, C);
    if (m.media > C) m.media -= C;
    textoDesorientacion = formatear("%1.4lf", m.media);
    textoEstadistica = formatear("e.m.c = %1.5lf   Rango = %1.5lf", m.emc, m.rango);
}

void CCalculoDesorientacion::calcular() {
    if (rejilla_.numeroFilas() == 0) return;
    double maximo, minimo;
    calcularColumna(maximo, minimo);
    calcularMedia(hayQueBajar(maximo, minimo, circulo()));
}

void CCalculoDesorientacion::desor() {
    if (rejilla_.numeroFilas() == 0) return;
    double maximo, minimo;
    calcularColumna(maximo, minimo);
}

void CCalculoDesorientacion::media() {
    if (rejilla_.numeroFilas() == 0) return;
    calcularMedia(false);
}

bool CCalculoDesorientacion::guardar() {
    if (!estacionamiento_) return false;
    const double valor = textoANumero(textoDesorientacion);
    estacionamiento_->desorientacion = valor;
    if (resultado_) *resultado_ = valor;
    return true;
}

std::string CCalculoDesorientacion::textoInforme() const {
    // Report bytes are Windows-1252; the grid holds UTF-8.
    std::string t;
    auto linea = [&t](const std::string& s) {
        t += s;
        t += '\n';
    };
    const std::string estrellas = "                         **************************************";
    linea("");
    linea("");
    linea(estrellas);
    linea("                         *   CALCULO DE LA DESORIENTACION     *");
    linea(estrellas);
    linea("");
    linea("");
    linea(formatear(" ESTACION: %s   Estacionamiento: %s ", estacion_ ? estacion_->nombre.c_str() : "",
                    estacionamiento_ ? estacionamiento_->nombre.c_str() : ""));
    linea("");
    linea(utf8ACp1252("   Estación Visada     Azimut     Lectura    D/I     Distancia      DESORIENTACION"));
    linea(" *********************************************************************************** ");
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, columna_visual::uso)) continue;
        const auto celda = [&](std::size_t c) { return utf8ACp1252(rejilla_.texto(f, c)); };
        const bool directa = textoAEntero(rejilla_.texto(f, columna_visual::cara)) == 1;
        linea(formatear(" %10s         %10s  %10s    %s   %10s            %10s", celda(columna_visual::estacion).c_str(),
                        celda(columna_visual::azimut).c_str(), celda(columna_visual::lectura).c_str(),
                        directa ? "D" : "I", celda(columna_visual::distancia).c_str(),
                        celda(columna_visual::desorientacion).c_str()));
    }
    linea("");
    linea("                                                     DESORIENTACION = " + utf8ACp1252(textoDesorientacion));
    linea("                                                     e.m.c =   " + utf8ACp1252(textoEstadistica));
    for (const std::string& o : omitidas) linea(utf8ACp1252("  " + o));
    for (int i = 0; i < 4; ++i) linea("");
    return t;
}

bool CCalculoDesorientacion::imprimir(const std::filesystem::path& ruta) const {
    return anadirAFichero(ruta, textoInforme());
}

std::vector<EstacionPlano> CCalculoDesorientacion::plano() const {
    std::vector<EstacionPlano> p;
    for (const auto& e : libreta_.estaciones) {
        if (e->x == 0 && e->y == 0) continue;
        EstacionPlano ep{cp1252AUtf8(e->nombre.vista()), e->x, e->y, e.get() == estacion_, false};
        ep.visada = std::find(visadas_.begin(), visadas_.end(), e.get()) != visadas_.end();
        p.push_back(std::move(ep));
    }
    return p;
}

}  // namespace celvara
