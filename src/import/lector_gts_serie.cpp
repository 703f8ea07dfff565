// "GTS212 de TOPCON" (24) and "GTS222 de TOPCON" (30): the GTS-2xx memory
// dump in the GTS-7 field layout; ".DAT de SOUTH " (29): SOUTH two-line
// records. List-building.
//
// GTS-2xx, quirks worth knowing:
// - The dump comes in blocks STX + 128 characters + a 4-character checksum +
//   ETX, and records run across blocks; the data of all blocks is joined
//   first (a file without framing is read as one stream).
// - Fields start with "_" and a tag character: "'" station id, "(" station
//   code, ")" instrument height, "+" point id, " " a measurement, "*" code,
//   "," target height (it follows the measurement and code of its point).
// - Measurement: a mode character, then slope distance (sign, 8 digits, mm)
//   with its unit ("m" metres, "f" feet), vertical (7 digits), horizontal
//   (sign, 7 digits) with its unit ("g" gon, 3+4 decimals; "d" DDDMMSS) and
//   the horizontal distance, which is not kept.
// - A station without an id is named "ST".
//
// SOUTH, quirks worth knowing:
// - Each record has a head line and a data line: "STA name,HI,code" +
//   "XYZ north,east,height"; "BKB name,bearing,circle"; "BS name,HT" / "SD
//   name,HT,code" + "HVD h,v,slope distance" or "HV h,v" (sightings);
//   "SC name,HT,code" + "NEZ" / "ENZ" coordinates (a station, no reading).
//   The tag may be glued to the name ("STAST001"). "NOTE" lines are skipped.
#include <algorithm>
#include <optional>

#include "fieldbook/libreta.h"
#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::size_t kDatosBloque = 128;

struct MedidaGts {
    double distancia = 0, vertical = 0, horizontal = 0;
    std::int32_t unidad = kCentesimal;
    bool valida = false;
};

bool digitos(std::string_view t, std::size_t p, std::size_t n) {
    if (p + n > t.size()) return false;
    for (std::size_t i = p; i < p + n; ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    return true;
}

// "+00043575m0970930+1317260g+00043530t..." after the mode character.
MedidaGts leerMedida(std::string_view t) {
    MedidaGts m;
    const std::size_t s = t.find_first_of("+-");
    if (s == std::string_view::npos || !digitos(t, s + 1, 8) || s + 9 >= t.size()) return m;
    const char ud = t[s + 9];
    const double escala = ud == 'f' ? 0.3048 : 1.0;
    m.distancia = (t[s] == '-' ? -1 : 1) * importacion::enteroSinSigno(t.substr(s + 1, 8)) * 0.001 * escala;
    const std::size_t v = s + 10;
    if (!digitos(t, v, 7) || v + 7 >= t.size() || !digitos(t, v + 8, 7) || v + 15 >= t.size()) return m;
    const char ua = t[v + 15];
    auto angulo = [&](std::string_view d) {
        if (ua == 'd') {
            const std::string dms = std::string(d.substr(0, 3)) + "." + std::string(d.substr(3));
            return gradosDeDms(dms);
        }
        return importacion::enteroSinSigno(d) / 10000.0;
    };
    m.vertical = angulo(t.substr(v, 7));
    m.horizontal = (t[v + 7] == '-' ? -1 : 1) * angulo(t.substr(v + 8, 7));
    m.unidad = ua == 'd' ? kSexagesimal : kCentesimal;
    m.valida = true;
    return m;
}

}  // namespace

Estado leerGtsSerie(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    std::string flujo;
    bool enmarcado = false;
    if (importacion::recorrerLineas(ctx, ruta, [&](std::string& linea) -> Paso {
            std::size_t p = 0;
            while ((p = linea.find(kStx, p)) != std::string::npos) {
                enmarcado = true;
                const std::size_t fin = linea.find(kEtx, p + 1);
                std::string_view bloque = importacion::desde(linea, p + 1);
                if (fin != std::string::npos) bloque = bloque.substr(0, fin - p - 1);
                // The block's checksum follows its data.
                bloque = bloque.size() > 4 ? bloque.substr(0, std::min(kDatosBloque, bloque.size() - 4)) : bloque;
                flujo += bloque;
                p = fin == std::string::npos ? linea.size() : fin + 1;
            }
            if (!enmarcado) flujo += linea;
            return Paso::Seguir;
        }) != Estado::Exito)
        return Estado::Fallo;
    if (flujo.empty() || flujo[0] != '_') return Estado::Fallo;

    std::string estacion;
    std::optional<double> alturaEstacion;
    bool estacionPendiente = false;
    LecturaImportada* lectura = nullptr;
    std::string id;

    auto abrirEstacion = [&]() -> bool {
        if (!estacionPendiente) return true;
        estacionPendiente = false;
        return importacion::registroEstacion(ctx, estacion.empty() ? "ST" : estacion, alturaEstacion.value_or(0)) !=
               nullptr;
    };

    for (std::string_view campo : importacion::separar(flujo, '_')) {
        // Blank padding after the last record.
        if (importacion::recortar(campo).empty()) continue;
        const char etiqueta = campo[0];
        const std::string_view valor = campo.substr(1);
        switch (etiqueta) {
            case '\'':
                estacion = importacion::idPunto(valor);
                alturaEstacion.reset();
                estacionPendiente = true;
                lectura = nullptr;
                break;
            case '(': break;
            case ')': alturaEstacion = importacion::numeroCampo(valor); break;
            case '+':
                id = importacion::idPunto(valor);
                lectura = nullptr;
                break;
            case ' ': {
                if (!abrirEstacion()) return Estado::Fallo;
                if (!ctx.listas.estacionamientoActual()) {
                    ctx.avisos.mensaje(mensajes::kVisualesAntesDatos2);
                    return Estado::Fallo;
                }
                const MedidaGts m = leerMedida(valor);
                if (!m.valida) {
                    importacion::avisarLineaNoReconocida(ctx, campo);
                    return Estado::Fallo;
                }
                ctx.listas.estacionamientoActual()->unidadAngular = m.unidad;
                lectura = importacion::lecturaDeEstacionamiento(ctx, {.numero = importacion::numeroDeNombre(ctx, id),
                                                                      .distancia = m.distancia,
                                                                      .vertical = m.vertical,
                                                                      .horizontal = m.horizontal,
                                                                      .nombre = id});
                if (!lectura) return Estado::Fallo;
                break;
            }
            case '*':
                if (lectura) lectura->texto = importacion::cortar(importacion::recortar(valor), CListasImportacion::kTextoMaximo);
                break;
            case ',':
                if (lectura) lectura->jalon = importacion::numeroCampo(valor);
                break;
            default:
                importacion::avisarLineaNoReconocida(ctx, campo);
                return Estado::Fallo;
        }
    }
    return abrirEstacion() ? Estado::Exito : Estado::Fallo;
}

Estado leerSouth(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    enum class Espera { Nada, Estacion, Visual, Coordenadas };
    Espera espera = Espera::Nada;
    std::string nombre, codigo;
    double jalon = 0;

    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = importacion::recortar(texto);
        auto cola = [&](std::size_t n) { return importacion::recortar(importacion::desde(linea, n)); };
        auto es = [&](std::string_view tag) { return linea.rfind(tag, 0) == 0; };
        if (es("NOTE")) return Paso::Seguir;
        if (es("STA")) {
            const auto c = importacion::separar(cola(3), ',');
            nombre = importacion::idPunto(c[0]);
            if (nombre.empty()) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            espera = Espera::Estacion;
            return importacion::registroEstacion(ctx, nombre, c.size() > 1 ? importacion::numeroCampo(c[1]) : 0)
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        if (es("XYZ") || es("NEZ") || es("ENZ")) {
            const auto c = importacion::separar(cola(3), ',');
            if (c.size() < 3 || (espera != Espera::Estacion && espera != Espera::Coordenadas)) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            const bool norte = !es("ENZ");
            const double a = importacion::numeroCampo(c[0]), b = importacion::numeroCampo(c[1]);
            espera = Espera::Nada;
            return importacion::anadirCoordenadas(ctx, nombre, norte ? b : a, norte ? a : b,
                                                  importacion::numeroCampo(c[2]), codigo)
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        if (es("BKB")) {
            const auto c = importacion::separar(cola(3), ',');
            if (auto* e = ctx.listas.estacionamientoActual(); e && c.size() >= 3) {
                e->acimutEspalda = importacion::recortar(c[1]);
                e->horizontalEspalda = importacion::recortar(c[2]);
            }
            return Paso::Seguir;
        }
        if (es("HVD") || es("HV")) {
            const bool conDistancia = es("HVD");
            const auto c = importacion::separar(cola(conDistancia ? 3 : 2), ',');
            if (espera != Espera::Visual || c.size() < (conDistancia ? 3u : 2u)) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            espera = Espera::Nada;
            return importacion::lecturaDeEstacionamiento(
                       ctx, {.numero = importacion::numeroDeNombre(ctx, nombre),
                             .jalon = jalon,
                             .distancia = conDistancia ? importacion::numeroCampo(c[2]) : 0,
                             .vertical = importacion::numeroCampo(c[1]),
                             .horizontal = importacion::numeroCampo(c[0]),
                             .texto = codigo,
                             .nombre = nombre})
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        if (es("BS") || es("SD") || es("SA") || es("SC")) {
            const auto c = importacion::separar(cola(2), ',');
            nombre = importacion::idPunto(c[0]);
            jalon = c.size() > 1 ? importacion::numeroCampo(c[1]) : 0;
            codigo = c.size() > 2 ? std::string(importacion::recortar(c[2])) : std::string();
            if (es("SC")) {
                espera = Espera::Coordenadas;
                return Paso::Seguir;
            }
            if (!ctx.listas.estacionamientoActual()) {
                ctx.avisos.mensaje(mensajes::kVisualesAntesDatos2);
                return Paso::Fallo;
            }
            espera = Espera::Visual;
            return Paso::Seguir;
        }
        importacion::avisarLineaNoReconocida(ctx, texto);
        return Paso::Fallo;
    });
}

}  // namespace celvara
