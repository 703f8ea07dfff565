#include "import/fusion_importacion.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

std::string nombreEstacionamientoImportado(const Estacion& estacion, bool guion) {
    std::int64_t k = 1;
    if (!estacion.estacionamientos.empty()) {
        const std::string_view anterior = estacion.estacionamientos.back()->nombre.vista();
        const auto parentesis = anterior.find('(');
        const std::string_view tras = importacion::desde(anterior, parentesis == std::string_view::npos
                                                                       ? anterior.size()
                                                                       : parentesis + 1);
        if (!tras.empty() && tras[0] >= '0' && tras[0] <= '9')
            k = 1 + std::int64_t{importacion::enteroSinSigno(tras)};
        else
            k = 1 + static_cast<std::int64_t>(estacion.estacionamientos.size());
    }
    // The set-up name field keeps 14 characters.
    return formatear(guion ? "%s_(%1lld)" : "%s(%1lld)", estacion.nombre.c_str(), static_cast<long long>(k));
}

namespace {

// A station has coordinates once any of them is not zero.
bool tieneCoordenadas(const Estacion& e) { return e.x != 0 || e.y != 0 || e.z != 0; }

// Millimetres decide whether two coordinates differ.
bool difieren(double a, double b) { return std::abs(a - b) >= 0.0005; }

// The coordinate records read before set-up record `hasta` (all of them
// when `hasta` is past the last), from `siguiente` on.
bool fusionarCoordenadas(CLibretaCampo& libreta, const CListasImportacion& listas, std::size_t& siguiente,
                         std::int64_t hasta, const std::unordered_set<const Estacion*>& delLibro,
                         std::vector<std::string>* diferencias, std::vector<std::string>* repetidas) {
    for (; siguiente < listas.estaciones().size(); ++siguiente) {
        const auto& c = listas.estaciones()[siguiente];
        if (c.estacionamientosAntes > hasta) break;
        Estacion* estacion = libreta.buscarEstacion(c.nombre.vista());
        if (!estacion) {
            if (!crearEstacion(libreta.estaciones, {.nombre = c.nombre.vista(),
                                                    .coordenadas = Coordenadas{c.x, c.y, c.z},
                                                    .descripcion1 = c.descripcion.vista(),
                                                    .ficheroFoto = kFotoPorDefecto,
                                                    .ficheroCroquis = kFotoPorDefecto}))
                return false;
            continue;
        }
        coordenadasDelFichero(*estacion, {c.x, c.y, c.z}, c.descripcion.vista(), diferencias,
                              delLibro.count(estacion) != 0, repetidas);
    }
    return true;
}

}  // namespace

void coordenadasDelFichero(Estacion& estacion, const Coordenadas& c, std::string_view descripcion,
                           std::vector<std::string>* diferencias, bool delLibro, std::vector<std::string>* repetidas) {
    if (!tieneCoordenadas(estacion)) {
        estacion.x = c.x;
        estacion.y = c.y;
        estacion.z = c.z;
        if (estacion.descripcion1.vista().empty()) estacion.descripcion1 = descripcion;
        return;
    }
    if (!difieren(estacion.x, c.x) && !difieren(estacion.y, c.y) && !difieren(estacion.z, c.z)) return;
    const std::string nombre = cp1252AUtf8(estacion.nombre.vista());
    // A new book has no coordinates of its own: a station the file gives twice is the file's matter.
    if (delLibro && diferencias)
        diferencias->push_back(formatear("%s: %1.3lf %1.3lf %1.3lf (en el fichero %1.3lf %1.3lf %1.3lf)",
                                         nombre.c_str(), estacion.x, estacion.y, estacion.z, c.x, c.y, c.z));
    else if (!delLibro && repetidas)
        repetidas->push_back(formatear(mensajes::kCoordenadasRepetidas, nombre.c_str(), c.x, c.y, c.z, estacion.x,
                                       estacion.y, estacion.z));
}

std::unordered_set<const Estacion*> estacionesConCoordenadas(const CLibretaCampo& libreta) {
    std::unordered_set<const Estacion*> con;
    for (const auto& e : libreta.estaciones)
        if (tieneCoordenadas(*e)) con.insert(e.get());
    return con;
}

void coordenadasSueltasDelFichero(CLibretaCampo& libreta, std::string_view nombre, const Coordenadas& c,
                                  std::size_t linea, std::vector<std::string>* omitidas) {
    Estacion* estacion = libreta.buscarEstacion(nombre);
    if (estacion && !tieneCoordenadas(*estacion)) {
        coordenadasDelFichero(*estacion, c, {}, nullptr);
        return;
    }
    if (omitidas)
        omitidas->push_back(formatear(estacion ? mensajes::kSueltasConCoordenadas : mensajes::kSueltasSinEstacion,
                                      linea, cp1252AUtf8(nombre).c_str(), c.x, c.y, c.z));
}

namespace {

// "%1d" of the number when the reading has no id of its own.
std::string nombreLectura(const LecturaImportada& l) {
    if (!l.nombre.vista().empty()) return l.nombre.str();
    char nombre[16];
    const auto fin = std::to_chars(nombre, nombre + sizeof nombre, l.numero).ptr;
    return std::string(nombre, fin);
}

}  // namespace

bool fusionarImportacion(CLibretaCampo& libreta, const DatosComplementarios& datosPorDefecto,
                         CListasImportacion& listas, std::vector<std::string>* diferencias,
                         std::vector<std::string>* omitidas) {
    const auto& lecturas = listas.lecturas();
    std::size_t cursor = 0, coordenadas = 0;
    bool correcto = true;
    std::int32_t indice = -1;
    const auto delLibro = estacionesConCoordenadas(libreta);
    for (const auto& registro : listas.estacionamientos()) {
        ++indice;
        // Stations appear in the book in the order the file gives them.
        if (!(correcto = fusionarCoordenadas(libreta, listas, coordenadas, indice, delLibro, diferencias, omitidas)))
            break;
        Estacion* estacion = libreta.buscarEstacion(registro.nombre.vista());
        if (!estacion) {
            estacion = crearEstacion(libreta.estaciones, {.nombre = registro.nombre.vista(),
                                                          .ficheroFoto = kFotoPorDefecto,
                                                          .ficheroCroquis = kFotoPorDefecto});
            if (!estacion) {
                correcto = false;
                break;
            }
        }
        const double desorientacion =
            textoANumero(registro.acimutEspalda.vista()) - textoANumero(registro.horizontalEspalda.vista());
        DatosComplementarios datos = datosPorDefecto;
        if (registro.unidadAngular != 0) datos.unidadAngular = registro.unidadAngular;
        // The file's own kind of distance, so that a horizontal one is never reduced as a slope one.
        if (registro.tipoDistancia >= 0) datos.tipoDistancia = registro.tipoDistancia;
        Estacionamiento* nuevo = crearEstacionamiento(
            estacion->estacionamientos, nullptr, nombreEstacionamientoImportado(*estacion, listas.guionEnNombres),
            estacion->nombre.vista(), registro.alturaInstrumento, &datos, desorientacion);
        if (!nuevo) {
            correcto = false;
            break;
        }
        for (; cursor < lecturas.size(); ++cursor) {
            const LecturaImportada& l = lecturas[cursor];
            if (listas.porRangos) {
                if (l.numero < registro.primera || l.numero > registro.ultima) break;
            } else {
                // Readings of no set-up (before the first one) are skipped.
                if (l.estacionamiento > indice) break;
                if (l.estacionamiento < indice) continue;
            }
            if (!crearLectura(nuevo->lecturas, std::nullopt, nombreLectura(l), l.jalon, l.distancia, l.vertical,
                              l.horizontal, l.texto.vista())) {
                correcto = false;
                break;
            }
        }
    }
    if (correcto)
        correcto = fusionarCoordenadas(libreta, listas, coordenadas, std::numeric_limits<std::int64_t>::max(),
                                       delLibro, diferencias, omitidas);
    // Once every station of the file is in the book.
    if (correcto)
        for (const auto& c : listas.coordenadasSueltas())
            coordenadasSueltasDelFichero(libreta, c.nombre.vista(), {c.x, c.y, c.z}, c.linea, omitidas);
    listas.liberar();
    return correcto;
}

}  // namespace celvara
