// "GEODIMETER" (4): Geodimeter / Trimble label=value records (JOB and ARE
// files), list-building.
//
// Quirks worth knowing:
// - Every line is "label=value"; label 2 opens a station block, label 5 a
//   point block, and each block runs to the next line labelled exactly 2 or
//   5. Other lines outside a block (0 notes, 50 job names ...) are skipped.
// - Station block: 2 name, 3 instrument height (0 when absent), 37/38/39
//   north, east, height of the station, 62 the reference object, after which
//   37/38/39 are the reference object's coordinates, 21 the circle reading to
//   it (kept as both bearing and circle reading: the orientation stays 0).
// - Point block: 5 id, 4 code, 6 target height (carried to later points, as
//   the instrument writes it only when it changes), 7 horizontal, 8 vertical,
//   9 slope distance, 11 horizontal distance when there is no 9, 3 a new
//   instrument height. A set-up with any 9 is GEOMETRICAS, one with 11 only
//   Reducidas/Vertical; in a set-up that mixes them an 11-only point gets
//   the slope distance horizontal / sin z (the level sight without an 8).
//   A block with none of 7, 8, 9, 11 and with 37/38/39 is a coordinate
//   record: it adds a station, not a zero reading. Computed coordinates of a
//   measured point are dropped.
// - Label 23 gives the units as four digits; a third digit 1 says angles are
//   written DDD.MMSS: labels 7, 8 and 21 are then turned into decimal degrees
//   and the set-ups are sexagesimal. Without it angles are kept as written.
// - A sighting before any station fails the read with its message.
#include <optional>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

enum class Bloque { Ninguno, Estacion, Punto };

struct Coordenadas3 {
    std::optional<double> norte, este, cota;
    bool alguna() const { return norte || este || cota; }
};

struct BloqueGeodimeter {
    Bloque tipo = Bloque::Ninguno;
    std::string nombre;
    std::string codigo;
    std::optional<double> altura;
    std::optional<double> horizontal, vertical, distancia, reducida;
    Coordenadas3 coordenadas;
    std::string referencia;
    Coordenadas3 coordenadasReferencia;
    std::optional<double> horizontalReferencia;
};

// Takes one labelled value into the open block; the target height (6) holds
// for the points that follow.
void anotarEtiqueta(BloqueGeodimeter& b, std::int32_t etiqueta, std::string_view valor, bool dms, double& jalon) {
    const double v = importacion::numeroCampo(valor);
    const double angulo = dms ? gradosDeDms(valor) : v;
    const bool trasReferencia = b.tipo == Bloque::Estacion && !b.referencia.empty();
    Coordenadas3& c = trasReferencia ? b.coordenadasReferencia : b.coordenadas;
    switch (etiqueta) {
        case 3: b.altura = v; break;
        case 4: b.codigo = importacion::cortar(valor, CListasImportacion::kTextoMaximo); break;
        case 6:
            if (b.tipo == Bloque::Punto) jalon = v;
            break;
        case 7: b.horizontal = angulo; break;
        case 8: b.vertical = angulo; break;
        case 9: b.distancia = v; break;
        case 11: b.reducida = v; break;
        case 21: b.horizontalReferencia = angulo; break;
        case 37: c.norte = v; break;
        case 38: c.este = v; break;
        case 39: c.cota = v; break;
        case 62:
            if (b.tipo == Bloque::Estacion) b.referencia = importacion::idPunto(importacion::sinBlancos(valor));
            break;
        default: break;
    }
}

}  // namespace

Estado leerGeodimeter(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    BloqueGeodimeter b;
    double jalon = 0;
    bool dms = false;
    // The set-up records of a DDD.MMSS file are sexagesimal.
    auto unidad = [&] {
        if (dms && ctx.listas.estacionamientoActual()) ctx.listas.estacionamientoActual()->unidadAngular = kSexagesimal;
    };

    auto coordenadas = [&](const std::string& nombre, const Coordenadas3& c) {
        if (nombre.empty() || !c.alguna()) return true;
        return importacion::anadirCoordenadas(ctx, nombre, c.este.value_or(0), c.norte.value_or(0),
                                              c.cota.value_or(0));
    };

    auto cerrar = [&]() -> bool {
        const BloqueGeodimeter hecho = std::move(b);
        b = {};
        if (hecho.tipo == Bloque::Estacion) {
            if (!coordenadas(hecho.nombre, hecho.coordenadas)) return false;
            if (!coordenadas(hecho.referencia, hecho.coordenadasReferencia)) return false;
            auto* e = importacion::registroEstacion(ctx, hecho.nombre, hecho.altura.value_or(0));
            if (!e) return false;
            unidad();
            if (hecho.horizontalReferencia) {
                const std::string t = importacion::sinBlancos(formatear("%8.4lf", *hecho.horizontalReferencia));
                e->acimutEspalda = t;
                e->horizontalEspalda = t;
            }
            return true;
        }
        if (hecho.tipo != Bloque::Punto) return true;
        const bool visual = hecho.horizontal || hecho.vertical || hecho.distancia || hecho.reducida;
        if (!visual) return coordenadas(hecho.nombre, hecho.coordenadas);
        if (!ctx.listas.estacionamientoActual()) {
            ctx.avisos.mensaje(mensajes::kVisualesAntesCoordenadas);
            return false;
        }
        LecturaImportada* lectura =
            importacion::lecturaDeEstacionamiento(
                ctx,
                {.numero = importacion::numeroDeNombre(ctx, hecho.nombre),
                 .jalon = jalon,
                 .distancia = hecho.distancia ? *hecho.distancia : hecho.reducida.value_or(0),
                 .vertical = hecho.vertical.value_or(0),
                 .horizontal = hecho.horizontal.value_or(0),
                 .texto = hecho.codigo,
                 .nombre = hecho.nombre},
                hecho.altura);
        if (!lectura) return false;
        lectura->distanciaLeida = hecho.distancia ? DistanciaLeida::Inclinada
                                  : hecho.reducida ? DistanciaLeida::Reducida
                                                   : DistanciaLeida::Ninguna;
        lectura->conVertical = hecho.vertical.has_value();
        unidad();
        return true;
    };

    const Estado estado = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = importacion::recortar(texto);
        const std::size_t igual = linea.find('=');
        if (igual == std::string_view::npos || !importacion::esEntero(linea.substr(0, igual))) return Paso::Seguir;
        const std::int32_t etiqueta = importacion::enteroSinSigno(importacion::recortar(linea.substr(0, igual)));
        const std::string_view valor = importacion::recortar(linea.substr(igual + 1));
        if (etiqueta == 2 || etiqueta == 5) {
            if (!cerrar()) return Paso::Fallo;
            b.tipo = etiqueta == 2 ? Bloque::Estacion : Bloque::Punto;
            b.nombre = importacion::idPunto(importacion::sinBlancos(valor));
            return Paso::Seguir;
        }
        if (etiqueta == 23) {
            dms = valor.size() > 2 && valor[2] == '1';
            return Paso::Seguir;
        }
        if (b.tipo == Bloque::Ninguno) return Paso::Seguir;
        anotarEtiqueta(b, etiqueta, valor, dms, jalon);
        return Paso::Seguir;
    });
    if (estado != Estado::Exito || !cerrar()) return Estado::Fallo;
    importacion::tiposDeDistancia(ctx);
    return Estado::Exito;
}

}  // namespace celvara
