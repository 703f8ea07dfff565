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

MediaDesorientacion mediaColumna(const std::vector<double>& columna, bool bajar, std::int32_t C) {
    std::vector<double> valores;
    valores.reserve(columna.size());
    for (double d : columna) valores.push_back(bajado(d, bajar, C));
    MediaDesorientacion m = mediaDesorientacion(valores, C);
    if (m.media > C) m.media -= C;
    return m;
}

std::vector<VisualDesorientacion> visualesAEstacion(const Estacion& desde, const Estacionamiento& s,
                                                    const Estacion& visada, std::vector<std::string>& omitidas) {
    const std::int32_t C = s.datos.unidadAngular;
    std::vector<VisualDesorientacion> v;
    // Coordinates no survey gives (not finite or beyond ±1e9, a damaged book)
    // give no azimuth or distance worth a row.
    for (const Estacion* e : {&desde, &visada})
        if (!(std::abs(e->x) <= kLimiteValorLectura && std::abs(e->y) <= kLimiteValorLectura)) {
            omitidas.push_back("Estación «" + cp1252AUtf8(e->nombre.vista()) +
                               "» con coordenadas no utilizables (valor no finito o fuera de ±1e9), fuera del cálculo");
            return v;
        }
    for (const auto& l : s.lecturas) {
        if (!(l.nombre == visada.nombre.vista())) continue;
        if (!lecturaUtilizable(l)) {
            omitidas.push_back(avisoLecturaNoUtilizable(s, l));
            continue;
        }
        // The face limit is 200 whatever the angle unit.
        v.push_back({std::string(visada.nombre.vista()),
                     anguloMostrado(AzimutEntre(desde.x, desde.y, visada.x, visada.y, C)), anguloMostrado(l.horizontal),
                     DistanciaEntre(desde.x, desde.y, visada.x, visada.y), l.vertical < 200.0});
    }
    return v;
}

double desorientacionVisual(const VisualDesorientacion& v, std::int32_t C) {
    double a = v.azimut;
    if (!v.directa) {
        a = v.azimut + mediaVuelta(C);
        if (a > C) a = v.azimut - mediaVuelta(C);
    }
    const double d = a - v.lectura;
    return d < 0 ? d + C : d;
}

DesorientacionCalculada calcularDesorientacion(const std::vector<VisualDesorientacion>& visuales, std::int32_t C) {
    DesorientacionCalculada r;
    double maximo = kMaximoInicial, minimo = kMinimoInicial;
    std::vector<double> columna;
    for (const VisualDesorientacion& v : visuales) {
        const double d = desorientacionVisual(v, C);
        r.valores.push_back(d);
        columna.push_back(anguloMostrado(d));
        maximo = std::max(maximo, d);
        minimo = std::min(minimo, d);
    }
    r.media = mediaColumna(columna, hayQueBajar(maximo, minimo, C), C);
    return r;
}

std::string textoMediaDesorientacion(const MediaDesorientacion& m) { return formatear("%1.4lf", m.media); }

std::string textoEstadisticaDesorientacion(const MediaDesorientacion& m) {
    return formatear("e.m.c = %1.5lf   Rango = %1.5lf", m.emc, m.rango);
}

std::string textoColumnaDesorientacion(double d) { return formatear("%10.4lf", d); }

InformeDesorientacion informeDesorientacion(const Estacion& e, const Estacionamiento& s,
                                            const std::vector<VisualDesorientacion>& visuales,
                                            const DesorientacionCalculada& calculo,
                                            const std::vector<std::string>& omitidas) {
    InformeDesorientacion i;
    i.estacion = e.nombre.vista();
    i.estacionamiento = s.nombre.vista();
    for (std::size_t k = 0; k < visuales.size(); ++k) {
        const VisualDesorientacion& v = visuales[k];
        i.filas.push_back({v.estacion, formatear("%1.4lf", v.azimut), formatear("%1.4lf", v.lectura),
                           formatear("%1.2lf", v.distancia),
                           k < calculo.valores.size() ? textoColumnaDesorientacion(calculo.valores[k]) : "", v.directa});
    }
    i.desorientacion = textoMediaDesorientacion(calculo.media);
    i.estadistica = textoEstadisticaDesorientacion(calculo.media);
    i.omitidas = omitidas;
    return i;
}

std::string textoInformeDesorientacion(const InformeDesorientacion& informe) {
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
    linea(formatear(" ESTACION: %s   Estacionamiento: %s ", informe.estacion.c_str(), informe.estacionamiento.c_str()));
    linea("");
    linea(utf8ACp1252("   Estación Visada     Azimut     Lectura    D/I     Distancia      DESORIENTACION"));
    linea(" *********************************************************************************** ");
    for (const auto& f : informe.filas)
        linea(formatear(" %10s         %10s  %10s    %s   %10s            %10s", f.estacion.c_str(), f.azimut.c_str(),
                        f.lectura.c_str(), f.directa ? "D" : "I", f.distancia.c_str(), f.desorientacion.c_str()));
    linea("");
    linea("                                                     DESORIENTACION = " + informe.desorientacion);
    linea("                                                     e.m.c =   " + informe.estadistica);
    for (const std::string& o : informe.omitidas) linea(utf8ACp1252("  " + o));
    for (int i = 0; i < 4; ++i) linea("");
    return t;
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

bool CCalculoDesorientacion::anadirVisuales(std::size_t indiceVisada) {
    if (indiceVisada >= visadas_.size() || !estacionamiento_ || !estacion_) return true;
    elegirVisada(indiceVisada);
    const std::string nombre = cp1252AUtf8(visadas_[indiceVisada]->nombre.vista());
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.texto(f, columna_visual::estacion) == nombre) return false;
    for (const VisualDesorientacion& v : visualesAEstacion(*estacion_, *estacionamiento_, *visadas_[indiceVisada], omitidas))
        rejilla_.agregarFila({"1", cp1252AUtf8(v.estacion), formatear("%1.4lf", v.azimut), v.directa ? "1" : "0",
                              formatear("%1.4lf", v.lectura), formatear("%1.2lf", v.distancia), ""});
    return true;
}

std::vector<std::size_t> CCalculoDesorientacion::filasEnUso() const {
    std::vector<std::size_t> filas;
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.marcada(f, columna_visual::uso)) filas.push_back(f);
    return filas;
}

std::vector<VisualDesorientacion> CCalculoDesorientacion::visualesDeRejilla(const std::vector<std::size_t>& filas) const {
    std::vector<VisualDesorientacion> v;
    for (std::size_t f : filas)
        v.push_back({utf8ACp1252(rejilla_.texto(f, columna_visual::estacion)),
                     textoANumero(rejilla_.texto(f, columna_visual::azimut)),
                     textoANumero(rejilla_.texto(f, columna_visual::lectura)),
                     textoANumero(rejilla_.texto(f, columna_visual::distancia)),
                     textoAEntero(rejilla_.texto(f, columna_visual::cara)) == 1});
    return v;
}

void CCalculoDesorientacion::calcular() {
    if (rejilla_.numeroFilas() == 0) return;
    const auto filas = filasEnUso();
    const DesorientacionCalculada r = calcularDesorientacion(visualesDeRejilla(filas), circulo());
    for (std::size_t k = 0; k < filas.size(); ++k)
        rejilla_.asignar(filas[k], columna_visual::desorientacion, textoColumnaDesorientacion(r.valores[k]));
    textoDesorientacion = textoMediaDesorientacion(r.media);
    textoEstadistica = textoEstadisticaDesorientacion(r.media);
}

void CCalculoDesorientacion::desor() {
    if (rejilla_.numeroFilas() == 0) return;
    const auto filas = filasEnUso();
    const auto visuales = visualesDeRejilla(filas);
    for (std::size_t k = 0; k < filas.size(); ++k)
        rejilla_.asignar(filas[k], columna_visual::desorientacion,
                         textoColumnaDesorientacion(desorientacionVisual(visuales[k], circulo())));
}

void CCalculoDesorientacion::media() {
    if (rejilla_.numeroFilas() == 0) return;
    std::vector<double> columna;
    for (std::size_t f : filasEnUso()) columna.push_back(textoANumero(rejilla_.texto(f, columna_visual::desorientacion)));
    const MediaDesorientacion m = mediaColumna(columna, false, circulo());
    textoDesorientacion = textoMediaDesorientacion(m);
    textoEstadistica = textoEstadisticaDesorientacion(m);
}

bool CCalculoDesorientacion::guardar() {
    if (!estacionamiento_) return false;
    const double valor = textoANumero(textoDesorientacion);
    estacionamiento_->desorientacion = valor;
    if (resultado_) *resultado_ = valor;
    return true;
}

InformeDesorientacion CCalculoDesorientacion::informe() const {
    // Report bytes are Windows-1252; the grid holds UTF-8.
    InformeDesorientacion i;
    if (estacion_) i.estacion = estacion_->nombre.vista();
    if (estacionamiento_) i.estacionamiento = estacionamiento_->nombre.vista();
    for (std::size_t f : filasEnUso()) {
        const auto celda = [&](std::size_t c) { return utf8ACp1252(rejilla_.texto(f, c)); };
        i.filas.push_back({celda(columna_visual::estacion), celda(columna_visual::azimut),
                           celda(columna_visual::lectura), celda(columna_visual::distancia),
                           celda(columna_visual::desorientacion),
                           textoAEntero(rejilla_.texto(f, columna_visual::cara)) == 1});
    }
    i.desorientacion = utf8ACp1252(textoDesorientacion);
    i.estadistica = utf8ACp1252(textoEstadistica);
    i.omitidas = omitidas;
    return i;
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
