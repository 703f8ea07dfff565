// Symbols: C the set-up's circle (400 or 360), H, V, D the reading's
// horizontal, vertical and distance fields, z the zenith angle, Dh the reduced
// distance, dz the height difference; K = 0.42 and R = 6378388 m as the
// radiation takes them (c = K Dh^2 / R).
#include "output/correcciones_lecturas.h"

#include <cmath>
#include <unordered_map>
#include <utility>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

constexpr double kPi = CCalculoPunto::kPi;  // as the radiation converts angles

bool verticalEsDesnivel(const Estacionamiento& s) {
    return s.datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
}

double radianesPorUnidad(std::int32_t C) { return kPi / (C == 400 ? 200.0 : 180.0); }

// Dh of a reading as the radiation reduces it (unscaled), from its zenith
// angle in radians.
double reducidaFirmada(double distancia, double zenitRad, std::int32_t tipoDistancia) {
    const double s = std::sin(zenitRad);
    switch (static_cast<TipoDistancia>(tipoDistancia)) {
        case TipoDistancia::Generadores: return distancia * s * std::fabs(s);
        case TipoDistancia::ReducidasVertical: return s < 0 ? -distancia : distancia;
        default: return distancia * s;
    }
}

}  // namespace

CambioCorreccion& CambioCorreccion::operator+=(const CambioCorreccion& otro) {
    estacionamientos += otro.estacionamientos;
    lecturas += otro.lecturas;
    lecturasFundidas += otro.lecturasFundidas;
    omitidas.insert(omitidas.end(), otro.omitidas.begin(), otro.omitidas.end());
    return *this;
}

CambioCorreccion aplicarDesplazamientos(Estacionamiento& s, double h, double v, double d) {
    CambioCorreccion cambio;
    const std::int32_t C = s.datos.unidadAngular;
    const double a = h * factorSubunidadAngular(C);
    const double b = verticalEsDesnivel(s) ? 0.0 : v * factorSubunidadAngular(C);
    const double c = d * kFactorMilimetros;
    if (a == 0 && b == 0 && c == 0) return cambio;
    for (Lectura& l : s.lecturas) {
        if (!lecturaUtilizable(l)) continue;
        l.horizontal += a;
        l.vertical += b;
        l.distancia += c;
        ++cambio.lecturas;
    }
    cambio.estacionamientos = 1;
    return cambio;
}

CambioCorreccion corregirEsfericidadRefraccion(Estacionamiento& s) {
    CambioCorreccion cambio;
    if (s.datos.corregidoEsfRefr == 1) return cambio;
    constexpr double K = CCalculoPunto::kRefraccion;
    constexpr double R = CCalculoPunto::kRadioTierra;
    const std::int32_t C = circuloDe(s.datos.unidadAngular);
    const std::int32_t tipoV = s.datos.tipoVertical;
    for (Lectura& l : s.lecturas) {
        if (!lecturaUtilizable(l)) continue;
        ++cambio.lecturas;
        if (verticalEsDesnivel(s)) {
            l.vertical += K * l.distancia * l.distancia / R;
        } else {
            const double z = verticalZenital(l.vertical, tipoV, C) * radianesPorUnidad(C);
            const double angulo = K * reducidaFirmada(l.distancia, z, s.datos.tipoDistancia) / R;
            l.vertical += (tipoV == 0 ? -angulo : angulo) / radianesPorUnidad(C);
        }
    }
    s.datos.corregidoEsfRefr = 1;
    cambio.estacionamientos = 1;
    return cambio;
}

CambioCorreccion marcarTemperaturaPresion(Estacionamiento& s) {
    CambioCorreccion cambio;
    if (s.datos.corregidoTempPres == 1) return cambio;
    s.datos.corregidoTempPres = 1;
    cambio.estacionamientos = 1;
    return cambio;
}

CambioCorreccion unificarLecturas(Estacionamiento& s) {
    CambioCorreccion cambio;
    DatosComplementarios& d = s.datos;
    if (d.unidadAngular == 400 && d.tipoDistancia == 0 && d.tipoVertical == 0) return cambio;
    const bool desnivel = verticalEsDesnivel(s);
    const bool sexagesimal = d.unidadAngular != 400;
    constexpr double kDiezNovenos = 10.0 / 9.0;
    if (sexagesimal) s.desorientacion *= kDiezNovenos;
    for (Lectura& l : s.lecturas) {
        if (!lecturaUtilizable(l)) continue;
        ++cambio.lecturas;
        if (sexagesimal) {
            l.horizontal *= kDiezNovenos;
            if (!desnivel) l.vertical *= kDiezNovenos;
        }
        if (desnivel) {
            // Dh and dz to a slope distance and its zenith angle.
            const double dh = l.distancia, dz = l.vertical;
            l.distancia = std::sqrt(dh * dh + dz * dz);
            l.vertical = std::atan2(dh, dz) * 200.0 / kPi;
            continue;
        }
        l.vertical = verticalZenital(l.vertical, d.tipoVertical, 400);
        const double sz = std::fabs(std::sin(l.vertical * kPi / 200.0));
        const bool vertical = l.vertical == 0 || l.vertical == 200;
        if (d.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::Generadores))
            l.distancia = vertical ? 0.0 : l.distancia * sz;
        else if (d.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasVertical))
            l.distancia = vertical ? 0.0 : l.distancia / sz;
    }
    d.unidadAngular = 400;
    d.tipoDistancia = 0;
    d.tipoVertical = 0;
    cambio.estacionamientos = 1;
    return cambio;
}

namespace {

// Readings of the same name paired in order: (first, second) positions.
std::vector<std::pair<std::size_t, std::size_t>> paresCaras(const ListaLecturas& lista) {
    std::vector<std::pair<std::size_t, std::size_t>> pares;
    std::unordered_map<std::string_view, std::size_t> pendiente;  // name -> first reading not yet paired
    for (std::size_t j = 0; j < lista.size(); ++j) {
        if (!lecturaUtilizable(lista[j])) continue;  // never joined: it stays as it was
        auto [it, nueva] = pendiente.try_emplace(lista[j].nombre.vista(), j);
        if (nueva) continue;
        pares.emplace_back(it->second, j);
        pendiente.erase(it);
    }
    return pares;
}

}  // namespace

std::size_t contarParesCaras(const Estacionamiento& s) { return paresCaras(s.lecturas).size(); }

CambioCorreccion promediarCarasEstacionamiento(Estacionamiento& s) {
    CambioCorreccion cambio;
    ListaLecturas& lista = s.lecturas;
    const std::int32_t C = circuloDe(s.datos.unidadAngular);
    std::vector<bool> quitar(lista.size(), false);
    for (const auto& [i, j] : paresCaras(lista)) {
        Lectura& primera = lista[i];
        const ValoresLectura par[2] = {{primera.horizontal, primera.vertical, primera.distancia, primera.jalon},
                                       {lista[j].horizontal, lista[j].vertical, lista[j].distancia, lista[j].jalon}};
        const ValoresLectura m = promediarCaras(par, C, s.datos.tipoVertical, verticalEsDesnivel(s));
        primera.horizontal = m.horizontal;
        primera.vertical = m.vertical;
        primera.distancia = m.distancia;
        primera.jalon = m.jalon;
        quitar[j] = true;
        ++cambio.lecturas;
        ++cambio.lecturasFundidas;
    }
    if (cambio.lecturasFundidas == 0) return cambio;
    std::size_t destino = 0;
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (!quitar[i]) lista[destino++] = std::move(lista[i]);
    lista.resize(destino);
    cambio.estacionamientos = 1;
    return cambio;
}

CambioCorreccion corregirEstacionamiento(Estacionamiento& s, const OpcionesCorreccion& o) {
    CambioCorreccion total;
    for (const Lectura& l : s.lecturas)
        if (!lecturaUtilizable(l)) total.omitidas.push_back(avisoLecturaNoUtilizable(s, l));
    auto sumar = [&](const CambioCorreccion& c) {
        total.lecturas += c.lecturas;
        total.lecturasFundidas += c.lecturasFundidas;
        if (c.estacionamientos) total.estacionamientos = 1;
    };
    if (o.desplazamientos) sumar(aplicarDesplazamientos(s, o.desplazamientoH, o.desplazamientoV, o.desplazamientoD));
    if (o.esfericidadRefraccion) sumar(corregirEsfericidadRefraccion(s));
    if (o.temperaturaPresion) sumar(marcarTemperaturaPresion(s));
    if (o.unificar) sumar(unificarLecturas(s));
    if (o.promediar) sumar(promediarCarasEstacionamiento(s));
    return total;
}

CLibretaCampo copiarLibreta(const CLibretaCampo& libreta) {
    CLibretaCampo copia;
    copia.reservado = libreta.reservado;
    copia.proyeccion = libreta.proyeccion;
    copia.estaciones.reserve(libreta.estaciones.size());
    for (const auto& e : libreta.estaciones) {
        auto nueva = std::make_unique<Estacion>();
        nueva->nombre = e->nombre;
        nueva->tipo = e->tipo;
        nueva->x = e->x;
        nueva->y = e->y;
        nueva->z = e->z;
        nueva->descripcion1 = e->descripcion1;
        nueva->descripcion2 = e->descripcion2;
        nueva->croquis = e->croquis;
        nueva->ficheroFoto = e->ficheroFoto;
        nueva->ficheroCroquis = e->ficheroCroquis;
        for (const auto& s : e->estacionamientos) nueva->estacionamientos.push_back(std::make_unique<Estacionamiento>(*s));
        copia.estaciones.push_back(std::move(nueva));
    }
    return copia;
}

// ---- The window.

namespace cc = columna_correcciones;

CCorreccionesLecturas::CCorreccionesLecturas(CLibretaCampo& libreta, Avisos& avisos)
    : libreta_(libreta), avisos_(avisos) {
    auto casilla = [](const char* titulo) {
        ColumnaRejilla c{titulo};
        c.casilla = true;
        c.ancho = 60;
        c.alineacion = AlineacionColumna::Centro;
        return c;
    };
    auto texto = [](const char* titulo, bool editable, int ancho) {
        ColumnaRejilla c{titulo};
        c.editable = editable;
        c.ancho = ancho;
        return c;
    };
    rejilla_.fijarColumnas({casilla("Usar"), texto("Estacionamiento", false, 110), texto("Estación", false, 90),
                            texto("Lecturas", false, 60), texto("Instrumento", false, 110),
                            texto("Desp. H", true, 60), texto("Desp. V", true, 60), texto("Desp. D (mm)", true, 80),
                            casilla("Esf-Refr"), casilla("Temp-Pres"), casilla("Desplaz."), casilla("Unificar"),
                            casilla("CD/CI")});
    rejilla_.columna(cc::tempPres).editable = false;
    recargar();
}

void CCorreccionesLecturas::recargar() {
    rejilla_.vaciar();
    filas_.clear();
    for (const auto& e : libreta_.estaciones)
        for (const auto& s : e->estacionamientos) {
            filas_.push_back(s.get());
            rejilla_.agregarFila({"1", cp1252AUtf8(s->nombre.vista()), cp1252AUtf8(s->estacion.vista()),
                                  std::to_string(s->lecturas.size()), cp1252AUtf8(s->datos.instrumento.vista()), "0",
                                  "0", "0", s->datos.corregidoEsfRefr == 1 ? "0" : "1",
                                  s->datos.corregidoTempPres == 1 ? "0" : "1", "0", "0", "0"});
        }
}

void CCorreccionesLecturas::marcarColumna(std::size_t columna, bool marcada) {
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) rejilla_.asignar(f, columna, marcada ? "1" : "0");
}

OpcionesCorreccion CCorreccionesLecturas::opcionesDeFila(std::size_t f) const {
    OpcionesCorreccion o;
    o.desplazamientos = rejilla_.marcada(f, cc::desplazamientos);
    o.desplazamientoH = textoANumero(rejilla_.texto(f, cc::desplazamientoH));
    o.desplazamientoV = textoANumero(rejilla_.texto(f, cc::desplazamientoV));
    o.desplazamientoD = textoANumero(rejilla_.texto(f, cc::desplazamientoD));
    o.esfericidadRefraccion = rejilla_.marcada(f, cc::esfRefr);
    o.temperaturaPresion = rejilla_.marcada(f, cc::tempPres);
    o.unificar = rejilla_.marcada(f, cc::unificar);
    o.promediar = rejilla_.marcada(f, cc::promediar);
    return o;
}

void CCorreccionesLecturas::recogerErroresInstrumento(const ListaInstrumentos* biblioteca) {
    // The library holds the instrument's precisions, which are not systematic
    // offsets: nothing of it goes into the offset columns.
    if (!biblioteca) avisos_.mensaje("Error al abrir fichero de instrumentos");
}

CambioCorreccion CCorreccionesLecturas::corregir() {
    CambioCorreccion cambio;
    if (enUnoNuevo && ficheroNuevo.empty()) {
        avisos_.mensaje("Introducir Nombre Fichero de Observaciones");
        return cambio;
    }
    std::size_t estacionamientos = 0, lecturas = 0, pares = 0;
    bool promediar = false;
    for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.marcada(f, cc::uso)) {
            ++estacionamientos;
            lecturas += filas_[f]->lecturas.size();
            if (opcionesDeFila(f).promediar) {
                promediar = true;
                pares += contarParesCaras(*filas_[f]);
            }
        }
    if (estacionamientos == 0) return cambio;
    // The face mean removes readings: the user is told how many before saying yes.
    std::string pregunta = formatear("Se corregirán %zu lecturas de %zu estacionamientos%s.", lecturas,
                                     estacionamientos, enUnoNuevo ? " en un fichero nuevo" : "");
    if (promediar)
        pregunta += pares == 0   ? std::string("\nNo hay pares CD/CI que promediar.")
                    : pares == 1 ? std::string("\nSe promediará 1 par CD/CI: quedará en una sola lectura.")
                                 : formatear("\nSe promediarán %zu pares CD/CI: cada uno quedará en una sola lectura.",
                                             pares);
    pregunta += "\n¿Continuar?";
    if (avisos_.mensaje(pregunta, "", Botones::SiNo, Icono::Pregunta) != Respuesta::Si) return cambio;

    if (enUnoNuevo) {
        CLibretaCampo nueva = copiarLibreta(libreta_);
        std::vector<Estacionamiento*> filasNuevas;
        for (const auto& e : nueva.estaciones)
            for (const auto& s : e->estacionamientos) filasNuevas.push_back(s.get());
        for (std::size_t f = 0; f < filasNuevas.size() && f < rejilla_.numeroFilas(); ++f)
            if (rejilla_.marcada(f, cc::uso)) {
                const CambioCorreccion c = corregirEstacionamiento(*filasNuevas[f], opcionesDeFila(f));
                cambio.omitidas.insert(cambio.omitidas.end(), c.omitidas.begin(), c.omitidas.end());
            }
        if (!escribirLibreta(nueva, ficheroNuevo)) {
            avisos_.mensaje("Error al grabar el fichero " + ficheroNuevo, "", Botones::Aceptar, Icono::Stop);
            return cambio;
        }
    } else {
        for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f)
            if (rejilla_.marcada(f, cc::uso)) cambio += corregirEstacionamiento(*filas_[f], opcionesDeFila(f));
        recargar();
    }
    std::string mensaje = "Correcciones Realizadas";
    for (const std::string& o : cambio.omitidas) mensaje += "\n" + o;
    avisos_.mensaje(mensaje);
    return cambio;
}

}  // namespace celvara
