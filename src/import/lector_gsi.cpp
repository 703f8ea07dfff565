// Leica/Wild GSI, list-building, in three variants: plain (".GSI de WILD",
// 5), code 42 (".GSI de WILD codigo 42" 18 and "Fichero GSI STONEX" 32) and
// configurable ("GSI Configurable", 25).
//
// Quirks worth knowing:
// - Unit digits of angle and distance words are honoured (gon, decimal
//   degrees, DDD.MMSSs, mil; metres, feet, tenths and hundredths of a mm);
//   a set-up takes the unit of its first angle and converts later ones.
//   A file whose first line is not a GSI block is refused.
// - A leading "*" marks GSI16 and is dropped. The word width is decided by
//   each line until the first set-up record exists, then stays.
// - A reading keeps the point id of word 11 as written (leading zeros
//   dropped); its number is the run of digits from character 7.
// - Horizontal readings are taken as the instrument recorded them, already
//   oriented: a station line's word 25 is the instrument's own record of
//   that orientation, not a correction, so every set-up's orientation is 0.
// - Distances: a line with word 31 (slope) uses it, whatever its word 32
//   (horizontal) says. A set-up whose lines carry word 32 only gets the
//   distance kind Reducidas/Vertical; in a set-up that mixes both, a
//   32-only line gets the slope distance horizontal / sin z (a line without
//   a vertical angle the level sight). A set-up with slope distances is
//   GEOMETRICAS; one without any distance keeps the default block's kind.
// - A line with words 81/82/83 and no angle is no reading: its coordinates
//   fill the named station at the merge when the book has it without
//   coordinates, else the import summary lists the line as skipped.
// - Plain: a station line (words 84-86) starts a set-up named by its point,
//   or takes over the current one while it has no reading; its 84/85/86
//   give the station's X, Y, Z. A measurement joins the current set-up;
//   only a word 88 different from the set-up's height starts another set-up
//   of the station (a line without 88 keeps it). A reading before any
//   station makes a set-up named "ST". A word 71 remark is carried to every
//   later reading; a code block ("4...") rewrites the last reading's text as
//   "/" and its digits.
// - Code 42: a station is any line holding " 42" (name) and, optionally,
//   " 88" (height, 0 without it). Readings join the current set-up;
//   readings before the first station are dropped.
// - Configurable: "4" blocks hold at most three words: 41 a target height
//   (kept for later readings), 42 the instrument height, 43 the station
//   number; 42 or 43 makes a set-up and arms the backsight, which the next
//   reading fills ("%1.4lf" of its horizontal, "/%1d" of its number, so the
//   merged orientation is minus that horizontal). A measurement takes at
//   most four of the words 21, 22, 31/32 and 51 (its text).
#include <cstdint>
#include <optional>
#include <string>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/palabras_gsi.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using gsi::kEscalaAngulo;
using gsi::kEscalaDistancia;
using gsi::LineaGsi;
using importacion::cortar;
using importacion::desde;
using importacion::hastaBlanco;
using importacion::Paso;
using importacion::sinCerosIniciales;

constexpr int kMaximoValores = 6;
constexpr int kMaximoPalabrasBloque = 3;
constexpr int kMaximoPalabrasMedida = 4;
constexpr std::size_t kNombreMaximo = 15;

enum class Variante { Simple, Codigo42, Configurable };

Variante varianteDe(int indice) {
    if (indice == 25) return Variante::Configurable;
    if (indice == 18 || indice == 32) return Variante::Codigo42;
    return Variante::Simple;
}

struct EstadoGsi {
    std::size_t ancho = gsi::kAnchoGsi8;
    std::string observacion;  // the current remark, carried to later readings
    // Configurable variant.
    bool espaldaArmada = false;
    double alturaInstrumento = 0;
    double jalon = 0;
};

// A remark word's text: data without leading zeros, up to the next blank.
std::string_view textoDePalabra(std::string_view linea, const LineaGsi& g, std::size_t k) {
    return cortar(hastaBlanco(sinCerosIniciales(desde(linea, k * g.ancho() + gsi::kPosicionDatos))),
                  CListasImportacion::kTextoMaximo);
}

// Point coordinates the instrument stored on a line (words 81, 82, 83).
struct CoordenadasPunto {
    std::optional<double> este, norte, cota;
    bool alguna() const { return este || norte || cota; }
    void leer(const LineaGsi& g, std::size_t k) {
        (g.indice(k) == 81 ? este : g.indice(k) == 82 ? norte : cota) = g.distancia(k);
    }
};

// Slope (31) and horizontal (32) distances of a line: the slope one wins, as
// the set-up's kind reduces it with the vertical (32 in its place moved points).
struct DistanciasLinea {
    std::optional<double> inclinada, reducida;
    double valor() const { return inclinada ? *inclinada : reducida.value_or(0); }
    DistanciaLeida leida() const {
        return inclinada ? DistanciaLeida::Inclinada : reducida ? DistanciaLeida::Reducida : DistanciaLeida::Ninguna;
    }
    void leer(const LineaGsi& g, std::size_t k) { (g.indice(k) == 31 ? inclinada : reducida) = g.distancia(k); }
};

struct ValoresLinea {
    double horizontal = 0;
    double vertical = 0;
    DistanciasLinea distancias;
    double jalon = 0;
    double alturaInstrumento = 0;
    bool estacion = false;
    bool conAltura = false;  // the line carries word 88
    bool conHorizontal = false, conVertical = false;
    std::optional<double> este, norte, cota;
    CoordenadasPunto punto;
    int circulo = 0;  // 400 or 360 when an angle word says
    // Words 81-83 without an angle: coordinates, not a reading.
    bool soloCoordenadas() const { return punto.alguna() && !conHorizontal && !conVertical; }
};

// An angle word's value; its unit, when it gives one, is noted in `circulo`.
double angulo(const LineaGsi& g, std::size_t k, int& circulo) {
    const gsi::Angulo a = g.angulo(k);
    if (a.circulo != 0) circulo = a.circulo;
    return a.valor;
}

// Angles stay in the unit of their set-up: the first unit a set-up meets is
// its own; a reading in the other one is converted.
void unificarUnidad(EstacionamientoImportado* e, int circulo, double& horizontal, double& vertical) {
    if (!e || circulo == 0) return;
    if (e->unidadAngular == 0) e->unidadAngular = circulo;
    if (e->unidadAngular == circulo) return;
    const double f = static_cast<double>(e->unidadAngular) / circulo;
    horizontal *= f;
    vertical *= f;
}

// Words 1, 2, ... while they fit and fewer than six values were taken. The
// code-42 variant reads neither station words nor the instrument height.
ValoresLinea leerPalabras(std::string_view linea, const LineaGsi& g, EstadoGsi& estado, bool conEstacion) {
    ValoresLinea v;
    int valores = 0;
    for (std::size_t k = 1; k < g.palabras() && valores < kMaximoValores; ++k) {
        switch (g.indice(k)) {
            case 21:
                v.horizontal = angulo(g, k, v.circulo);
                v.conHorizontal = true;
                ++valores;
                break;
            case 22:
                v.vertical = angulo(g, k, v.circulo);
                v.conVertical = true;
                ++valores;
                break;
            case 31:
            case 32: v.distancias.leer(g, k); ++valores; break;
            case 71: estado.observacion = textoDePalabra(linea, g, k); break;
            case 81:
            case 82:
            case 83: v.punto.leer(g, k); break;
            case 84:
            case 85:
            case 86:
                if (conEstacion) {
                    v.estacion = true;
                    (g.indice(k) == 84 ? v.este : g.indice(k) == 85 ? v.norte : v.cota) = g.distancia(k);
                }
                break;
            case 87: v.jalon = g.distancia(k); ++valores; break;
            case 88:
                if (conEstacion) {
                    v.alturaInstrumento = g.distancia(k);
                    v.conAltura = true;
                    ++valores;
                }
                break;
            default: break;
        }
    }
    return v;
}

// A reading of the values of one line, with the remark carried so far.
// A line's height starts a new set-up of the station only when it carries
// one that differs (word 88); the point keeps its id as written.
Paso anadirLectura(ContextoImportacion& ctx, std::int32_t numero, ValoresLinea v, const EstadoGsi& estado,
                   std::string_view id) {
    std::optional<double> altura;
    if (v.conAltura) altura = v.alturaInstrumento;
    EstacionamientoImportado* antes = ctx.listas.estacionamientoActual();
    const importacion::ValoresLectura valores{.numero = numero,
                                              .jalon = v.jalon,
                                              .distancia = v.distancias.valor(),
                                              .vertical = v.vertical,
                                              .horizontal = v.horizontal,
                                              .texto = estado.observacion,
                                              .nombre = id};
    LecturaImportada* l = importacion::lecturaDeEstacionamiento(ctx, valores, altura);
    if (!l) return Paso::Fallo;
    l->distanciaLeida = v.distancias.leida();
    l->conVertical = v.conVertical;
    EstacionamientoImportado* actual = ctx.listas.estacionamientoActual();
    if (actual != antes && antes) actual->unidadAngular = antes->unidadAngular;
    unificarUnidad(actual, v.circulo, l->horizontal, l->vertical);
    return Paso::Seguir;
}

// A line of coordinates only (a point the instrument stored, or typed): no
// sighting, which read as one put an all-zero reading in the book.
Paso coordenadasSueltas(ContextoImportacion& ctx, std::string_view id, const CoordenadasPunto& p) {
    return importacion::anadirCoordenadasSueltas(ctx, id.empty() ? std::string_view("0") : id, p.este.value_or(0),
                                                 p.norte.value_or(0), p.cota.value_or(0))
               ? Paso::Seguir
               : Paso::Fallo;
}

Paso lineaSimple(ContextoImportacion& ctx, EstadoGsi& estado, std::string_view linea, const LineaGsi& g) {
    if (linea[0] == '4') {
        LecturaImportada* ultima = ctx.listas.lecturaActual();
        if (!ultima) return Paso::Seguir;
        estado.observacion = "/";
        estado.observacion += sinCerosIniciales(g.datos(0));
        estado.observacion = cortar(estado.observacion, CListasImportacion::kTextoMaximo);
        ultima->texto = estado.observacion;
        return Paso::Seguir;
    }
    const std::int32_t numero = g.numeroPunto();
    const std::string id = importacion::idPunto(g.datos(0));
    const ValoresLinea v = leerPalabras(linea, g, estado, true);

    if (v.estacion) {
        const std::string nombre = id.empty() ? std::string("ST") : id;
        if ((v.este || v.norte || v.cota) &&
            !importacion::anadirCoordenadas(ctx, nombre, v.este.value_or(0), v.norte.value_or(0), v.cota.value_or(0)))
            return Paso::Fallo;
        // Word 25 is the orientation the readings already carry: added again it turned every point.
        return importacion::registroEstacion(ctx, nombre, v.alturaInstrumento) ? Paso::Seguir : Paso::Fallo;
    }
    if (v.soloCoordenadas()) return coordenadasSueltas(ctx, id, v.punto);
    // A reading before any station: a set-up of station "ST".
    if (!ctx.listas.estacionamientoActual() && !importacion::nuevoEstacionamiento(ctx, "ST", v.alturaInstrumento))
        return Paso::Fallo;
    return anadirLectura(ctx, numero, v, estado, id);
}

Paso lineaCodigo42(ContextoImportacion& ctx, EstadoGsi& estado, std::string_view linea, const LineaGsi& g) {
    // The name and the height start at the eighth character after the blank.
    constexpr std::size_t kDatosTrasBlanco = 8;
    const std::size_t p42 = linea.find(" 42");
    if (p42 != std::string_view::npos) {
        const std::string_view nombre =
            cortar(hastaBlanco(sinCerosIniciales(desde(linea, p42 + kDatosTrasBlanco))), kNombreMaximo);
        if (nombre.empty()) return Paso::Seguir;
        // Without word 88 the station still starts its set-up, at height 0.
        const std::size_t p88 = linea.find(" 88");
        const double altura =
            p88 == std::string_view::npos
                ? 0.0
                : textoANumero(hastaBlanco(sinCerosIniciales(desde(linea, p88 + kDatosTrasBlanco)))) *
                      kEscalaDistancia;
        EstacionamientoImportado* actual = ctx.listas.estacionamientoActual();
        if (actual && actual->sinLecturas()) {
            actual->nombre = nombre;
            actual->alturaInstrumento = altura;
            return Paso::Seguir;
        }
        return importacion::nuevoEstacionamiento(ctx, nombre, altura) ? Paso::Seguir : Paso::Fallo;
    }
    EstacionamientoImportado* actual = ctx.listas.estacionamientoActual();
    if (!actual) return Paso::Seguir;
    const std::int32_t numero = g.numeroPunto();
    const ValoresLinea v = leerPalabras(linea, g, estado, false);
    const std::string id = importacion::idPunto(g.datos(0));
    if (v.soloCoordenadas()) return coordenadasSueltas(ctx, id, v.punto);
    return anadirLectura(ctx, numero, v, estado, id);
}

Paso lineaConfigurable(ContextoImportacion& ctx, EstadoGsi& estado, std::string_view linea, const LineaGsi& g) {
    if (linea[0] == '4') {
        bool estacion = false;
        std::int32_t numeroEstacion = 0;
        const std::size_t palabras = std::min<std::size_t>(g.palabras(), kMaximoPalabrasBloque);
        for (std::size_t k = 0; k < palabras; ++k) {
            switch (g.palabra(k)[1]) {
                // Code blocks carry a block number, not a unit, in their information digits.
                case '1': estado.jalon = g.valor(k) * kEscalaDistancia; break;
                case '2':
                    estado.alturaInstrumento = g.valor(k) * kEscalaDistancia;
                    estacion = true;
                    break;
                case '3':
                    numeroEstacion = g.entero(k);
                    estacion = true;
                    break;
                default: break;
            }
        }
        if (!estacion) return Paso::Seguir;
        auto* e = importacion::nuevoEstacionamiento(ctx);  // range [0, 0]
        if (!e) return Paso::Fallo;
        e->nombre = formatear("%1d", numeroEstacion);
        e->alturaInstrumento = estado.alturaInstrumento;
        estado.espaldaArmada = true;
        return Paso::Seguir;
    }
    EstacionamientoImportado* actual = ctx.listas.estacionamientoActual();
    if (!actual) return Paso::Seguir;

    const std::int32_t numero = g.numeroPunto();
    double horizontal = 0, vertical = 0;
    bool conAngulo = false, conVertical = false;
    DistanciasLinea distancias;
    CoordenadasPunto punto;
    int circulo = 0;
    std::string_view texto;
    int leidas = 0;
    for (std::size_t k = 1; k < g.palabras() && leidas < kMaximoPalabrasMedida; ++k) {
        switch (g.indice(k)) {
            case 21: horizontal = angulo(g, k, circulo); conAngulo = true; ++leidas; break;
            case 22: vertical = angulo(g, k, circulo); conAngulo = conVertical = true; ++leidas; break;
            case 31:
            case 32: distancias.leer(g, k); ++leidas; break;
            case 51: texto = textoDePalabra(linea, g, k); ++leidas; break;
            case 81:
            case 82:
            case 83: punto.leer(g, k); break;
            default: break;
        }
    }
    if (punto.alguna() && !conAngulo) return coordenadasSueltas(ctx, importacion::idPunto(g.datos(0)), punto);

    if (estado.espaldaArmada) {
        actual->primera = actual->ultima = numero;
        actual->horizontalEspalda = formatear("%1.4lf", horizontal);
        actual->acimutEspalda = formatear("/%1d", numero);
        estado.espaldaArmada = false;
    } else if (static_cast<std::int64_t>(numero) == std::int64_t{actual->ultima} + 1) {
        actual->ultima = numero;
    } else {
        auto* nuevo = importacion::nuevoEstacionamiento(ctx, actual->nombre.vista(), estado.alturaInstrumento);
        if (!nuevo) return Paso::Fallo;
        nuevo->primera = nuevo->ultima = numero;
    }
    unificarUnidad(ctx.listas.estacionamientoActual(), circulo, horizontal, vertical);
    LecturaImportada* l = importacion::nuevaLectura(ctx, {.numero = numero,
                                                          .jalon = estado.jalon,
                                                          .distancia = distancias.valor(),
                                                          .vertical = vertical,
                                                          .horizontal = horizontal,
                                                          .texto = texto});
    if (!l) return Paso::Fallo;
    l->distanciaLeida = distancias.leida();
    l->conVertical = conVertical;
    return Paso::Seguir;
}

}  // namespace

Estado leerGsi(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    const Variante variante = varianteDe(ctx.indice);
    EstadoGsi estado;
    const Estado leido = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        std::string_view linea = texto;
        if (linea[0] == '*') linea.remove_prefix(1);
        if (ctx.listas.estacionamientos().empty()) estado.ancho = gsi::anchoDetectado(linea);
        if (linea.size() + 1 < estado.ancho) return Paso::Seguir;
        const LineaGsi g(linea, estado.ancho);
        // A file of another kind is refused at its first line, never read as zeros.
        if (ctx.listas.estacionamientos().empty() && !g.formaValida()) {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        }
        switch (variante) {
            case Variante::Simple: return lineaSimple(ctx, estado, linea, g);
            case Variante::Codigo42: return lineaCodigo42(ctx, estado, linea, g);
            case Variante::Configurable: return lineaConfigurable(ctx, estado, linea, g);
        }
        return Paso::Seguir;
    });
    if (leido == Estado::Exito) importacion::tiposDeDistancia(ctx);
    return leido;
}

}  // namespace celvara
