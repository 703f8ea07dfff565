// ".ODB de NIKON" (2), "DR2 de NIKON" (6), "DTM-400 de NIKON" (15) and
// "DTM-500 de NIKON" (26): Nikon RAW V2.00 comma records, list-building.
// Only the RAW layout of these instruments is published; the four entries
// read it.
//
// Quirks worth knowing:
// - "CO," lines are comments, except the header's "Angle Units:" (Gons, or
//   Degrees, or DDDMMSS written DDD.MMSS: both become decimal degrees of a
//   360 set-up) and "Dist Units:" (Metres, Feet, US Feet; stored in metres)
//   and "Coord Order:" (NEZ, ENZ).
// - ST,station,,backsight,,HI,backsight bearing,backsight circle: a set-up.
// - SS / F1 / F2: point, target height, slope distance, horizontal,
//   vertical, then time and code (the time may be missing, the code then
//   comes in its place). A face record without point is the backsight
//   sighting and takes the backsight's id.
// - A record starting "*" was replaced by a later one and is skipped.
// - MP, CP, UP, KI: coordinates of a point (point,,north,east,height,code),
//   which become a station.
// - The file must start with its "CO,Nikon RAW" line; a record of another
//   kind refuses it.
#include <cmath>

#include "fieldbook/libreta.h"
#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

enum class Angulo { Gon, Grados, Dms };

bool pareceHora(std::string_view t) {
    t = importacion::recortar(t);
    return t.size() >= 4 && t.find(':') != std::string_view::npos &&
           t.find_first_not_of("0123456789:") == std::string_view::npos;
}

}  // namespace

double gradosDeDms(std::string_view texto) {
    texto = importacion::recortar(texto);
    bool negativo = false;
    if (!texto.empty() && (texto[0] == '-' || texto[0] == '+')) {
        negativo = texto[0] == '-';
        texto.remove_prefix(1);
    }
    const std::size_t punto = texto.find('.');
    const double grados = importacion::enteroSinSigno(texto.substr(0, punto));
    std::string fraccion(punto == std::string_view::npos ? std::string_view() : texto.substr(punto + 1));
    if (fraccion.size() < 4) fraccion.append(4 - fraccion.size(), '0');
    const double minutos = importacion::enteroSinSigno(fraccion.substr(0, 2));
    const std::string segundos = fraccion.substr(2, 2) + "." + fraccion.substr(4);
    const double v = grados + minutos / 60.0 + textoANumero(segundos) / 3600.0;
    return negativo ? -v : v;
}

Estado leerNikonRaw(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    Angulo unidad = Angulo::Gon;
    double escalaDistancia = 1;
    bool norteDelante = true;
    bool cabecera = false;
    std::string espalda;

    auto angulo = [&](std::string_view t) {
        return unidad == Angulo::Dms ? gradosDeDms(t) : importacion::numeroCampo(t);
    };
    auto textoAngulo = [&](std::string_view t) { return formatear("%1.8lf", angulo(t)); };

    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = importacion::recortar(texto);
        if (linea.empty()) return Paso::Seguir;
        if (!cabecera) {
            if (linea.rfind("CO,Nikon RAW", 0) != 0) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            cabecera = true;
            return Paso::Seguir;
        }
        if (linea[0] == '*') return Paso::Seguir;
        const auto c = importacion::separar(linea, ',');
        auto campo = [&](std::size_t i) { return i < c.size() ? importacion::recortar(c[i]) : std::string_view(); };
        const std::string_view tipo = c[0];
        if (tipo == "CO") {
            const std::string_view resto = importacion::recortar(importacion::desde(linea, 3));
            if (resto.rfind("Angle Units:", 0) == 0) {
                const std::string_view u = importacion::recortar(resto.substr(12));
                unidad = u.rfind("DDDMMSS", 0) == 0 ? Angulo::Dms : u.rfind("Deg", 0) == 0 ? Angulo::Grados : Angulo::Gon;
            } else if (resto.rfind("Dist Units:", 0) == 0) {
                const std::string_view u = importacion::recortar(resto.substr(11));
                escalaDistancia = u.rfind("US", 0) == 0 ? 1200.0 / 3937.0 : u.rfind("Feet", 0) == 0 ? 0.3048 : 1.0;
            } else if (resto.rfind("Coord Order:", 0) == 0) {
                norteDelante = importacion::recortar(resto.substr(12)).rfind("EN", 0) != 0;
            }
            return Paso::Seguir;
        }
        if (tipo == "ST") {
            const std::string estacion = importacion::idPunto(campo(1));
            if (estacion.empty()) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            espalda = importacion::idPunto(campo(3));
            auto* e = importacion::registroEstacion(ctx, estacion, importacion::numeroCampo(campo(5)) * escalaDistancia);
            if (!e) return Paso::Fallo;
            e->unidadAngular = unidad == Angulo::Gon ? kCentesimal : kSexagesimal;
            e->acimutEspalda = textoAngulo(campo(6));
            e->horizontalEspalda = textoAngulo(campo(7));
            return Paso::Seguir;
        }
        if (tipo == "SS" || tipo == "F1" || tipo == "F2") {
            if (!ctx.listas.estacionamientoActual()) {
                ctx.avisos.mensaje(mensajes::kVisualesAntesDatos);
                return Paso::Fallo;
            }
            std::string id = importacion::idPunto(campo(1));
            if (id.empty()) id = espalda;
            const std::string_view codigo = c.size() > 7 ? campo(7) : pareceHora(campo(6)) ? std::string_view() : campo(6);
            return importacion::lecturaDeEstacionamiento(
                       ctx, {.numero = importacion::numeroDeNombre(ctx, id),
                             .jalon = importacion::numeroCampo(campo(2)) * escalaDistancia,
                             .distancia = importacion::numeroCampo(campo(3)) * escalaDistancia,
                             .vertical = angulo(campo(5)),
                             .horizontal = angulo(campo(4)),
                             .texto = codigo,
                             .nombre = id})
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        if (tipo == "MP" || tipo == "CP" || tipo == "UP" || tipo == "KI") {
            const std::string id = importacion::idPunto(campo(1));
            if (id.empty()) return Paso::Seguir;
            const double a = importacion::numeroCampo(campo(3)) * escalaDistancia;
            const double b = importacion::numeroCampo(campo(4)) * escalaDistancia;
            return importacion::anadirCoordenadas(ctx, id, norteDelante ? b : a, norteDelante ? a : b,
                                                  importacion::numeroCampo(campo(5)) * escalaDistancia, campo(6))
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        // Other records of the layout (SO stake-out, CF, LS ...) carry no sighting.
        if (tipo.size() == 2 && tipo[0] >= 'A' && tipo[0] <= 'Z') return Paso::Seguir;
        importacion::avisarLineaNoReconocida(ctx, texto);
        return Paso::Fallo;
    });
}

}  // namespace celvara
