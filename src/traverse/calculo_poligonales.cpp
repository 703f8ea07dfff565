#include "traverse/calculo_poligonales.h"

#include <cmath>
#include <numbers>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "traverse/recoger_observaciones.h"
#include "traverse/tolerancias_poligonal.h"

namespace celvara {

namespace {

constexpr const char* kGuardarCambios = "Desea Guardar los Cambios ";
constexpr const char* kNoExiste = "La Estación no existe en la Base de Datos";
constexpr std::size_t kLargoNombre = decltype(EstacionPoligonal::estacion)::capacidad;

std::string angulo(double v) { return formatear("%1.4lf", v); }
std::string longitud(double v) { return formatear("%1.3lf", v); }

double numero(std::string_view texto) { return textoANumero(texto); }

// A value shown with `formato` keeps its full precision unless its text was edited.
void tomar(double& destino, const std::string& texto, const char* formato) {
    if (texto != formatear(formato, destino)) destino = numero(texto);
}

}  // namespace

CCalculoPoligonales::CCalculoPoligonales(CDatosGenerales& ajustes, Avisos& avisos)
    : ajustes_(ajustes), avisos_(avisos) {
    const char* titulos[kCeldas] = {"ESTACION", "ESTACIONAM.", "Inst", "VISADO", "H(cd)", "H(ci)", "V(cd)",
                                    "V(ci)", "Dist(cd)", "Dist(ci)", "Jalón", "Instrumento", "Operador",
                                    "Temp", "Presión", "ppm", "T.Dist", "T.Vert", "U.Ang", "C.Esf-Refr",
                                    "C.Temp-Pres"};
    for (std::size_t c = 0; c < kCeldas; ++c) {
        ColumnaRejilla col;
        col.titulo = titulos[c];
        col.alineacion = c == Estacion || c == Estacionamiento || c == Visado || c == Instrumento || c == Operador
                             ? AlineacionColumna::Izquierda
                             : AlineacionColumna::Derecha;
        if (c == Estacion || c == Estacionamiento || c == Visado) col.longitudMaxima = static_cast<int>(kLargoNombre);
        col.casilla = c == CorrEsfRefr || c == CorrTempPres;
        columnas_.push_back(std::move(col));
    }
}

std::string CCalculoPoligonales::titulo() const {
    return ruta_.empty() ? std::string("Poligonales") : "Poligonales [" + ruta_.string() + "]";
}

bool CCalculoPoligonales::preguntarGuardar() {
    if (!modificado_) return true;
    const Respuesta r = avisos_.mensaje(kGuardarCambios, "Poligonales", Botones::SiNoCancelar, Icono::Pregunta);
    if (r == Respuesta::Cancelar) return false;
    return r == Respuesta::No || grabar();
}

bool CCalculoPoligonales::puedeCerrar() { return preguntarGuardar(); }

bool CCalculoPoligonales::nuevo() {
    if (!preguntarGuardar()) return false;
    pol_ = Poligonal{};
    ruta_.clear();
    modificado_ = false;
    return true;
}

bool CCalculoPoligonales::abrir() {
    if (!preguntarGuardar() || !pedirAbrir) return false;
    const auto ruta = pedirAbrir();
    return ruta && abrirFichero(*ruta);
}

bool CCalculoPoligonales::abrirFichero(const std::filesystem::path& ruta) {
    Poligonal leida;
    std::string mensaje;
    if (!leerFicheroPoligonal(ruta, leida, mensaje)) {
        avisos_.mensaje(mensaje, "Poligonales", Botones::Aceptar, Icono::Stop);
        pol_.filas.clear();
        return false;
    }
    pol_ = std::move(leida);
    ruta_ = ruta;
    modificado_ = false;
    return true;
}

bool CCalculoPoligonales::grabar() { return ruta_.empty() ? grabarComo() : grabarEn(ruta_); }

bool CCalculoPoligonales::grabarComo() {
    if (!pedirGrabar) return false;
    const auto ruta = pedirGrabar();
    return ruta && grabarEn(*ruta);
}

bool CCalculoPoligonales::grabarEn(const std::filesystem::path& ruta) {
    std::string mensaje;
    if (!guardarFicheroPoligonal(pol_, ruta, mensaje)) {
        avisos_.mensaje(mensaje, "Poligonales", Botones::Aceptar, Icono::Stop);
        return false;
    }
    ruta_ = ruta;
    modificado_ = false;
    return true;
}

void CCalculoPoligonales::fijarTipo(TipoPoligonal tipo) {
    if (pol_.referencia.tipo == static_cast<std::int32_t>(tipo)) return;
    pol_.referencia.tipo = static_cast<std::int32_t>(tipo);
    modificado_ = true;
}

void CCalculoPoligonales::fijarBessel(bool h, bool v, bool d) {
    auto& r = pol_.referencia;
    if ((r.besselH != 0) == h && (r.besselV != 0) == v && (r.besselD != 0) == d) return;
    r.besselH = h;
    r.besselV = v;
    r.besselD = d;
    modificado_ = true;
}

bool CCalculoPoligonales::columnaOculta(std::size_t c) const {
    const auto& r = pol_.referencia;
    return (c == HCi && !r.besselH) || (c == VCi && !r.besselV) || (c == DCi && !r.besselD);
}

void CCalculoPoligonales::insertarFila(std::size_t posicion) {
    EstacionPoligonal fila;
    fila.datos = ajustes_.datosPorDefecto;
    pol_.filas.insert(pol_.filas.begin() + static_cast<std::ptrdiff_t>(std::min(posicion, pol_.filas.size())),
                      std::move(fila));
    modificado_ = true;
}

void CCalculoPoligonales::borrarFila(std::size_t fila) {
    if (fila >= pol_.filas.size()) return;
    pol_.filas.erase(pol_.filas.begin() + static_cast<std::ptrdiff_t>(fila));
    modificado_ = true;
}

std::optional<std::size_t> CCalculoPoligonales::filaDeDatos(std::size_t fila, std::size_t columna) {
    if (columna == Inst && fila % 2 == 0 && fila / 2 < pol_.filas.size()) return fila / 2;
    avisos_.mensaje("Seleccione en la I   -altura aparato-   el Estacionamiento", "Poligonales");
    return std::nullopt;
}

ConfiguracionPoligonal CCalculoPoligonales::configuracion() const {
    return {ajustes_.metodoCompensacion, static_cast<int>(std::min<std::uint32_t>(ajustes_.decimalesPoligonal, 4)),
            ajustes_.proyeccion, ajustes_.escalaAdicional, ajustes_.proyeccionTrabajo};
}

void CCalculoPoligonales::fijarMetodo(std::uint32_t metodo) {
    if (metodo < kMetodos.size()) ajustes_.metodoCompensacion = metodo;
}

void CCalculoPoligonales::fijarConfiguracion(const ConfiguracionPoligonal& c, const DatosComplementarios& porDefecto) {
    ajustes_.metodoCompensacion = c.metodo;
    ajustes_.decimalesPoligonal = static_cast<std::uint32_t>(std::clamp(c.decimales, 0, 4));
    ajustes_.proyeccion = c.proyeccion;
    ajustes_.escalaAdicional = c.escala;
    ajustes_.datosPorDefecto = porDefecto;
}

std::unique_ptr<CResultadoPoligonal> CCalculoPoligonales::calcular() {
    // The grid is built from the rows, two lines each: it never misses a sighting line.
    if (const auto error = comprobarPoligonal(pol_.filas, pol_.referencia)) {
        avisos_.mensaje(*error, "Poligonales", Botones::Aceptar, Icono::Stop);
        return nullptr;
    }
    const auto notas = revisarPoligonal(pol_.filas, pol_.referencia);
    if (!notas.empty()) {
        std::string texto = "El cálculo puede no tener sentido:\n";
        for (const auto& n : notas) texto += n.texto + "\n";
        texto += "\n¿Desea Calcular igualmente?";
        if (avisos_.mensaje(texto, "Poligonales", Botones::SiNo, Icono::Exclamacion) != Respuesta::Si)
            return nullptr;
    }
    auto resultado = std::make_unique<CResultadoPoligonal>(pol_.filas, pol_.referencia, configuracion(), avisos_,
                                                           evaluadorTolerancias(instrumentos, ajustes_));
    if (!resultado->abrir()) return nullptr;
    return resultado;
}

const ColumnaRejilla& CCalculoPoligonales::columna(std::size_t c) const { return columnas_.at(c); }

std::string CCalculoPoligonales::texto(std::size_t fila, std::size_t c) const {
    if (fila / 2 >= pol_.filas.size()) return {};
    const EstacionPoligonal& f = pol_.filas[fila / 2];
    const bool adelante = fila % 2 == 1;
    const VisualPoligonal& v = adelante ? f.adelante : f.atras;
    const DatosComplementarios& d = f.datos;
    switch (c) {
        case Visado: return cp1252AUtf8((adelante ? f.visadoAdelante : f.visadoAtras).vista());
        case HCd: return angulo(v.hCd);
        case HCi: return angulo(v.hCi);
        case VCd: return angulo(v.vCd);
        case VCi: return angulo(v.vCi);
        case DCd: return longitud(v.dCd);
        case DCi: return longitud(v.dCi);
        case Jalon: return longitud(v.jalon);
        default: break;
    }
    if (adelante) return {};
    switch (c) {
        case Estacion: return cp1252AUtf8(f.estacion.vista());
        case Estacionamiento: return cp1252AUtf8(f.estacionamiento.vista());
        case Inst: return longitud(f.alturaInstrumento);
        case Instrumento: return cp1252AUtf8(d.instrumento.vista());
        case Operador: return cp1252AUtf8(d.operador.vista());
        case Temperatura: return std::to_string(d.temperatura);
        case Presion: return std::to_string(d.presion);
        case Ppm: return std::to_string(d.ppm);
        case TipoDist: return std::to_string(d.tipoDistancia);
        case TipoVert: return std::to_string(d.tipoVertical);
        case UnidadAng: return std::to_string(d.unidadAngular);
        case CorrEsfRefr: return d.corregidoEsfRefr ? "1" : "0";
        case CorrTempPres: return d.corregidoTempPres ? "1" : "0";
        default: return {};
    }
}

bool CCalculoPoligonales::editable(std::size_t fila, std::size_t c) const {
    return fila % 2 == 0 || (c >= Visado && c <= Jalon);
}

bool CCalculoPoligonales::editar(std::size_t fila, std::size_t c, std::string_view texto) {
    if (fila / 2 >= pol_.filas.size() || c >= kCeldas || !editable(fila, c)) return false;
    EstacionPoligonal& f = pol_.filas[fila / 2];
    const bool adelante = fila % 2 == 1;
    VisualPoligonal& v = adelante ? f.adelante : f.atras;
    DatosComplementarios& d = f.datos;
    const double x = numero(texto);
    const int n = textoAEntero(texto);
    const std::string bytes = utf8ACp1252(texto);
    if ((c == Estacion || c == Estacionamiento || c == Visado) && bytes.size() > kLargoNombre) {
        avisos_.mensaje(formatear("El nombre %s tiene más de %zu caracteres", std::string(texto).c_str(), kLargoNombre),
                        "Poligonales");
        return false;
    }
    switch (c) {
        case Estacion: f.estacion = bytes; break;
        case Estacionamiento: f.estacionamiento = bytes; break;
        case Inst: f.alturaInstrumento = x; break;
        case Visado: (adelante ? f.visadoAdelante : f.visadoAtras) = bytes; break;
        case HCd: v.hCd = x; break;
        case HCi: v.hCi = x; break;
        case VCd: v.vCd = x; break;
        case VCi: v.vCi = x; break;
        case DCd: v.dCd = x; break;
        case DCi: v.dCi = x; break;
        case Jalon: v.jalon = x; break;
        case Instrumento: d.instrumento = bytes; break;
        case Operador: d.operador = bytes; break;
        case Temperatura: d.temperatura = n; break;
        case Presion: d.presion = n; break;
        case Ppm: d.ppm = n; break;
        case TipoDist:
            if (n < 0 || n > 3) return false;
            d.tipoDistancia = n;
            break;
        case TipoVert:
            if (n < 0 || n > 2) return false;
            d.tipoVertical = n;
            break;
        case UnidadAng:
            if (n != kCentesimal && n != kSexagesimal) return false;
            d.unidadAngular = n;
            break;
        case CorrEsfRefr: d.corregidoEsfRefr = !(texto.empty() || texto == "0"); break;
        case CorrTempPres: d.corregidoTempPres = !(texto.empty() || texto == "0"); break;
        default: return false;
    }
    modificado_ = true;
    return true;
}

CReferenciarPoligonal::CReferenciarPoligonal(const CLibretaCampo& libreta, ReferenciaPoligonal& ref, Avisos& avisos,
                                             double circulo)
    : libreta_(libreta), ref_(ref), avisos_(avisos), circulo_(circulo) {
    auto llenar = [](Extremo& e, const TextoFijo<15>& nombre, double x, double y, double z,
                     const TextoFijo<15>& referencia, double acimut, double lectura, double orientacion) {
        e.estacion = cp1252AUtf8(nombre.vista());
        e.x = longitud(x);
        e.y = longitud(y);
        e.z = longitud(z);
        e.referencia = cp1252AUtf8(referencia.vista());
        e.acimut = angulo(acimut);
        e.lectura = angulo(lectura);
        e.desorientacion = angulo(orientacion);
    };
    llenar(partida, ref.partida, ref.x0, ref.y0, ref.z0, ref.referenciaPartida, ref.acimutPartida,
           ref.lecturaPartida, ref.desorientacionPartida);
    llenar(llegada, ref.llegada, ref.x1, ref.y1, ref.z1, ref.referenciaLlegada, ref.acimutLlegada,
           ref.lecturaLlegada, ref.desorientacionLlegada);
}

CElegirEstacion::CElegirEstacion(const CLibretaCampo& libreta) {
    for (const auto& e : libreta.estaciones) {
        estaciones_.push_back(e.get());
        lineas_.push_back(cp1252AUtf8(e->nombre.vista()));
    }
}

const Estacion* CElegirEstacion::elegir(int linea) const {
    return linea >= 0 && static_cast<std::size_t>(linea) < estaciones_.size() ? estaciones_[linea] : nullptr;
}

CElegirEstacionamiento::CElegirEstacionamiento(const Estacion* estacion) {
    if (!estacion) return;
    for (const auto& s : estacion->estacionamientos) {
        estacionamientos_.push_back(s.get());
        lineas_.push_back(cp1252AUtf8(formatear("%s    %s     %1.4lf     %1.3lf", s->nombre.str().c_str(),
                                                estacion->nombre.str().c_str(), s->desorientacion,
                                                s->alturaInstrumento)));
    }
}

const Estacionamiento* CElegirEstacionamiento::elegir(int linea) const {
    return linea >= 0 && static_cast<std::size_t>(linea) < estacionamientos_.size() ? estacionamientos_[linea]
                                                                                     : nullptr;
}

bool CReferenciarPoligonal::elegirEstacion(Extremo& e, const std::string& nombre) {
    const Estacion* est = libreta_.buscarEstacion(utf8ACp1252(nombre));
    if (!est) {
        avisos_.mensaje(kNoExiste);
        return false;
    }
    return elegirEstacion(e, *est);
}

bool CReferenciarPoligonal::elegirEstacion(Extremo& e, const Estacion& est) {
    // The reference keeps a row's name: a longer one would be cut.
    if (est.nombre.vista().size() > kLargoNombre) {
        avisos_.mensaje(formatear("El nombre %s tiene más de %zu caracteres",
                                  cp1252AUtf8(est.nombre.vista()).c_str(), kLargoNombre));
        return false;
    }
    e.estacion = cp1252AUtf8(est.nombre.vista());
    e.x = longitud(est.x);
    e.y = longitud(est.y);
    e.z = longitud(est.z);
    return true;
}

CElegirEstacionamiento CReferenciarPoligonal::estacionamientos(const Extremo& e) const {
    return CElegirEstacionamiento(libreta_.buscarEstacion(utf8ACp1252(e.estacion)));
}

void CReferenciarPoligonal::elegirEstacionamiento(Extremo& e, const Estacionamiento& s) {
    e.desorientacion = angulo(s.desorientacion);
}

bool CReferenciarPoligonal::elegirReferencia(Extremo& e, const std::string& nombre) {
    const Estacion* ref = libreta_.buscarEstacion(utf8ACp1252(nombre));
    if (!ref) {
        avisos_.mensaje(kNoExiste);
        return false;
    }
    return elegirReferencia(e, *ref);
}

bool CReferenciarPoligonal::elegirReferencia(Extremo& e, const Estacion& ref) {
    if (ref.nombre.vista().size() > kLargoNombre) {
        avisos_.mensaje(kNoExiste);
        return false;
    }
    e.referencia = cp1252AUtf8(ref.nombre.vista());
    // The coordinates as shown, so that a typed X or Y counts.
    const double a = azimutPoligonal(numero(e.x), numero(e.y), ref.x, ref.y);
    e.acimut = angulo(a * circulo_ / (2 * std::numbers::pi));
    recalcular(e);
    return true;
}

void CReferenciarPoligonal::recalcular(Extremo& e) const {
    double o = numero(e.acimut) - numero(e.lectura);
    if (o < 0) o += circulo_;
    e.desorientacion = angulo(o);
}

void CReferenciarPoligonal::aceptar() {
    auto guardar = [](const Extremo& e, TextoFijo<15>& nombre, double& x, double& y, double& z,
                      TextoFijo<15>& referencia, double& acimut, double& lectura, double& orientacion) {
        nombre = utf8ACp1252(e.estacion);
        tomar(x, e.x, "%1.3lf");
        tomar(y, e.y, "%1.3lf");
        tomar(z, e.z, "%1.3lf");
        referencia = utf8ACp1252(e.referencia);
        tomar(acimut, e.acimut, "%1.4lf");
        tomar(lectura, e.lectura, "%1.4lf");
        tomar(orientacion, e.desorientacion, "%1.4lf");
    };
    auto& r = ref_;
    guardar(partida, r.partida, r.x0, r.y0, r.z0, r.referenciaPartida, r.acimutPartida, r.lecturaPartida,
            r.desorientacionPartida);
    if (llegadaActiva())
        guardar(llegada, r.llegada, r.x1, r.y1, r.z1, r.referenciaLlegada, r.acimutLlegada, r.lecturaLlegada,
                r.desorientacionLlegada);
}

}  // namespace celvara
