// "Fichero Leica Especial" (27): our own GSI-family layout, for files whose
// point ids are names rather than numbers (stations such as "STAZLIB3"),
// written straight into the field book.
//
// Layout:
// - GSI8 or GSI16 words, the width decided by each line (a leading "*" is
//   GSI16 and is dropped). Every non-blank line must be a GSI block (two
//   index digits and a sign at character 6), else the read fails with the
//   line shown.
// - Block 11 carries a point id: the data of word 0 without leading zeros
//   (empty: "0"), any characters, cut to 15.
//   - With any of 84, 85, 86 it is a station: found by name in the whole
//     book or added; X = 84 (easting), Y = 85 (northing), Z = 86 fill it
//     when it has none once the read succeeded (a difference is reported).
//     A set-up "%s_(%d)" is added (k = its set-up count + 1), instrument
//     height 88, orientation 0 (the readings are oriented already: word 25
//     only records that orientation) and the settings' default block; a
//     set-up still without readings is replaced instead.
//   - With 81/82/83 and no angle it is a point's coordinates, not a
//     reading: they fill the named station when the book has it without
//     coordinates once the read succeeded, else the import summary lists it.
//   - Otherwise it is a reading named by the id: 21 horizontal, 22 vertical,
//     31 slope distance (32 when the line has no 31), 87 target height (kept
//     for later readings), 71 the code of this reading. A word 88 different
//     from the set-up's height starts another set-up of the station.
// - The set-up's distance kind follows its lines as in the GSI reader:
//   GEOMETRICAS with any 31, Reducidas/Vertical with 32 only; a 32-only line
//   among slope ones gets horizontal / sin z.
// - Unit digits are honoured as in the GSI reader: the set-up takes the unit
//   of its first angle, later ones are converted; distances and heights are
//   read in metres.
// - Blocks 41 to 49 are code blocks: their first word (leading zeros off)
//   becomes the code of the last reading. Other blocks are skipped.
// - Readings before any station go to a station "ST" (added when missing)
//   in a set-up with the line's word 88 as instrument height, as the GSI
//   reader does.
#include <optional>
#include <string>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/palabras_gsi.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::cortar;
using importacion::Paso;
using importacion::recortar;
using importacion::sinCerosIniciales;

struct LineaEspecial {
    gsi::Angulo horizontal{0, 0}, vertical{0, 0};
    bool hayHorizontal = false, hayVertical = false;
    double inclinada = 0, reducida = 0;
    bool hayInclinada = false, hayReducida = false;
    double x = 0, y = 0, z = 0;
    bool estacion = false;
    Coordenadas punto;
    bool hayPunto = false;
    double jalon = 0;
    bool hayJalon = false;
    std::optional<double> alturaInstrumento;
    std::string_view codigo;

    DistanciaLeida distanciaLeida() const {
        return hayInclinada  ? DistanciaLeida::Inclinada
               : hayReducida ? DistanciaLeida::Reducida
                             : DistanciaLeida::Ninguna;
    }
};

LineaEspecial leerPalabras(const gsi::LineaGsi& g) {
    LineaEspecial v;
    for (std::size_t k = 1; k < g.palabras(); ++k) {
        switch (g.indice(k)) {
            case 21: v.horizontal = g.angulo(k); v.hayHorizontal = true; break;
            case 22: v.vertical = g.angulo(k); v.hayVertical = true; break;
            case 31: v.inclinada = g.distancia(k); v.hayInclinada = true; break;
            case 32: v.reducida = g.distancia(k); v.hayReducida = true; break;
            case 71: v.codigo = cortar(sinCerosIniciales(recortar(g.datos(k))), CListasImportacion::kTextoMaximo); break;
            case 81: v.punto.x = g.distancia(k); v.hayPunto = true; break;
            case 82: v.punto.y = g.distancia(k); v.hayPunto = true; break;
            case 83: v.punto.z = g.distancia(k); v.hayPunto = true; break;
            case 84: v.x = g.distancia(k); v.estacion = true; break;
            case 85: v.y = g.distancia(k); v.estacion = true; break;
            case 86: v.z = g.distancia(k); v.estacion = true; break;
            case 87: v.jalon = g.distancia(k); v.hayJalon = true; break;
            case 88: v.alturaInstrumento = g.distancia(k); break;
            default: break;
        }
    }
    return v;
}

bool esBloqueGsi(const gsi::LineaGsi& g) {
    if (g.palabras() == 0 || g.indice(0) < 0) return false;
    const char signo = g.palabra(0)[gsi::kPosicionSigno];
    return signo == '+' || signo == '-';
}

}  // namespace

Estado leerLeicaEspecial(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    importacion::EstacionesDirectas estaciones(ctx);
    Estacion* estacion = nullptr;
    Estacionamiento* estacionamiento = nullptr;
    bool unidadFijada = false;
    double jalon = 0;

    auto anadirEstacionamiento = [&](std::string_view nombre, std::optional<Coordenadas> coordenadas,
                                     double altura) -> bool {
        // A station recorded again before any reading keeps one set-up.
        if (estacion && estacionamiento && estacionamiento->lecturas.empty() &&
            !estacion->estacionamientos.empty() && estacion->estacionamientos.back().get() == estacionamiento)
            estacion->estacionamientos.pop_back();
        estacion = estaciones.estacion(nombre, coordenadas);
        if (!estacion) return false;
        // Orientation 0: a word 25 is the one the readings already carry.
        estacionamiento = estaciones.estacionamiento(*estacion, altura, 0);
        unidadFijada = false;
        return estacionamiento != nullptr;
    };

    const Estado estado = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        std::string_view linea = texto;
        bool gsi16 = false;
        if (linea[0] == '*') {
            linea.remove_prefix(1);
            gsi16 = true;
        }
        if (recortar(linea).empty()) return Paso::Seguir;
        const gsi::LineaGsi g(linea, gsi16 ? gsi::kAnchoGsi16 : gsi::anchoDetectado(linea));
        if (!esBloqueGsi(g)) {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        }
        const int bloque = g.indice(0);
        if (bloque >= 41 && bloque <= 49) {
            if (estacionamiento && !estacionamiento->lecturas.empty())
                estacionamiento->lecturas.back().codigo =
                    cortar(sinCerosIniciales(recortar(g.datos(0))), CListasImportacion::kTextoMaximo);
            return Paso::Seguir;
        }
        if (bloque != 11) return Paso::Seguir;

        const std::string id = importacion::idPunto(g.datos(0));
        const std::string_view nombre = id.empty() ? std::string_view("0") : std::string_view(id);
        const LineaEspecial v = leerPalabras(g);
        if (v.hayJalon) jalon = v.jalon;
        if (v.estacion)
            return anadirEstacionamiento(nombre, Coordenadas{v.x, v.y, v.z}, v.alturaInstrumento.value_or(0))
                       ? Paso::Seguir
                       : Paso::Fallo;
        if (v.hayPunto && !v.hayHorizontal && !v.hayVertical) {
            estaciones.coordenadasSueltas(nombre, v.punto);
            return Paso::Seguir;
        }
        if (!estacionamiento) {
            if (!anadirEstacionamiento("ST", std::nullopt, v.alturaInstrumento.value_or(0))) return Paso::Fallo;
        } else if (v.alturaInstrumento && *v.alturaInstrumento != estacionamiento->alturaInstrumento) {
            // Only a height that differs starts another set-up of the station.
            if (estacionamiento->lecturas.empty()) {
                estacionamiento->alturaInstrumento = *v.alturaInstrumento;
            } else {
                const std::int32_t unidad = estacionamiento->datos.unidadAngular;
                estacionamiento = estaciones.estacionamiento(*estacion, *v.alturaInstrumento,
                                                             estacionamiento->desorientacion,
                                                             unidadFijada ? unidad : 0);
                if (!estacionamiento) return Paso::Fallo;
            }
        }
        const double horizontal = importacion::anguloDeEstacionamiento(*estacionamiento, unidadFijada,
                                                                       v.horizontal.valor, v.horizontal.circulo);
        const double vertical =
            importacion::anguloDeEstacionamiento(*estacionamiento, unidadFijada, v.vertical.valor, v.vertical.circulo);
        const double distancia = v.hayInclinada ? v.inclinada : v.reducida;
        if (!crearLectura(estacionamiento->lecturas, std::nullopt, nombre, jalon, distancia, vertical, horizontal,
                          v.codigo))
            return Paso::Fallo;
        estaciones.distanciaLeida(*estacionamiento, v.distanciaLeida(), v.hayVertical);
        return Paso::Seguir;
    });
    if (estado == Estado::Exito) estaciones.aplicar();
    return estado;
}

}  // namespace celvara
