// "Fichero TOPCAL" (16) and "SC6 TERRA System de PENTAX" (20): blank-separated
// lines, also read for "CASIO FX-850 880P ASCII del Programa" (0) and "FLD de
// La Tecnica" (10); "ODB Est,N,H,V,Dg,j,i,obs" (13): the same fields
// separated by commas, also read for ".TAC de TACOR" (8) and "DAT Psion
// BUT-MULTI" (14) (those four have no published layout; the closest one is
// taken). "ASCII de VESTRUM" (21): the comma-separated list. List-building.
//
// Quirks worth knowing:
// - TOPCAL/SC6 lines hold up to eight fields: station, point, horizontal,
//   vertical, distance, target height, instrument height, code. Fields are
//   read in order and a line stops at its first missing field; a line with a
//   station alone (or a station and a point, without values) is skipped; a
//   value that is not a number refuses the file. A new station name starts a set-up; an
//   instrument height different from the set-up's starts another set-up of
//   the same station; a line without one keeps it.
// - The comma list has number, target height, distance, vertical,
//   horizontal, text (the text is what follows the last comma); a line with
//   fewer than five commas is skipped. The list names no station: its
//   readings go to one set-up of a station "ST" (instrument height 0).
#include <algorithm>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

// Fields separated by runs of blanks and tabs.
std::vector<std::string_view> camposBlancos(std::string_view linea, std::size_t maximo) {
    std::vector<std::string_view> campos;
    std::size_t i = 0;
    while (campos.size() < maximo) {
        while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t')) ++i;
        if (i >= linea.size()) break;
        std::size_t j = i;
        while (j < linea.size() && linea[j] != ' ' && linea[j] != '\t') ++j;
        campos.push_back(linea.substr(i, j - i));
        i = j;
    }
    return campos;
}

}  // namespace

// The comma form: empty fields are kept, blanks around a field dropped.
std::vector<std::string_view> camposComas(std::string_view linea, std::size_t maximo) {
    auto campos = importacion::separar(linea, ',');
    for (auto& c : campos) c = importacion::recortar(c);
    while (!campos.empty() && campos.back().empty()) campos.pop_back();
    if (campos.size() > maximo) campos.resize(maximo);
    return campos;
}

Estado leerTopcal(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    // The comma entries keep the same fields: "Est,N,H,V,Dg,j,i,obs".
    const bool comas = ctx.indice == 8 || ctx.indice == 13 || ctx.indice == 14;
    std::string estacionAnterior;
    bool primera = true;
    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const auto campos = comas ? camposComas(texto, 8) : camposBlancos(texto, 8);
        // A station alone, or with a point but no value, is no sighting.
        if (campos.size() < 3) return Paso::Seguir;
        for (std::size_t i = 2; i < std::min<std::size_t>(campos.size(), 7); ++i) {
            if (!importacion::esNumero(campos[i])) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
        }
        const std::string estacion = importacion::idPunto(campos[0]);
        if (primera || estacion != estacionAnterior) {
            primera = false;
            estacionAnterior = estacion;
            if (!importacion::registroEstacion(ctx, estacion, campos.size() > 6 ? importacion::numeroCampo(campos[6]) : 0))
                return Paso::Fallo;
        }
        auto numero = [&](std::size_t i) { return i < campos.size() ? importacion::numeroCampo(campos[i]) : 0.0; };
        const std::string id = importacion::idPunto(campos[1]);
        // The code runs to the end of the line (it may hold blanks, or commas).
        const std::string_view codigo =
            campos.size() > 7 ? importacion::recortar(importacion::desde(
                                    texto, static_cast<std::size_t>(campos[7].data() - texto.data())))
                              : std::string_view();
        std::optional<double> altura;
        if (campos.size() > 6) altura = numero(6);
        return importacion::lecturaDeEstacionamiento(ctx,
                                                     {.numero = importacion::numeroDeNombre(ctx, id),
                                                      .jalon = numero(5),
                                                      .distancia = numero(4),
                                                      .vertical = numero(3),
                                                      .horizontal = numero(2),
                                                      .texto = codigo,
                                                      .nombre = id},
                                                     altura)
                   ? Paso::Seguir
                   : Paso::Fallo;
    });
}

Estado leerAsciiComas(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const auto campos = importacion::separar(texto, ',');
        if (campos.size() < 6) return Paso::Seguir;
        for (std::size_t i = 1; i < 5; ++i) {
            if (!importacion::esNumero(campos[i])) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
        }
        if (!ctx.listas.estacionamientoActual() && !importacion::nuevoEstacionamiento(ctx, "ST", 0))
            return Paso::Fallo;
        const std::string id = importacion::idPunto(campos[0]);
        if (!importacion::lecturaDeEstacionamiento(ctx, {.numero = importacion::numeroDeNombre(ctx, id),
                                                         .jalon = importacion::numeroCampo(campos[1]),
                                                         .distancia = importacion::numeroCampo(campos[2]),
                                                         .vertical = importacion::numeroCampo(campos[3]),
                                                         .horizontal = importacion::numeroCampo(campos[4]),
                                                         .texto = campos.back(),
                                                         .nombre = id})) {
            return Paso::Fallo;
        }
        return Paso::Seguir;
    });
}

}  // namespace celvara
