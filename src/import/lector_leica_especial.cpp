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
//   - With any of 84, 85, 86 it is a station: the station is found by name or
//     added with X = 84 (easting), Y = 85 (northing), Z = 86; an existing
//     station keeps its coordinates. A set-up "%s_(%d)" is added (k = its
//     set-up count + 1), instrument height 88, orientation from word 25
//     (x 0.00001) when present, else 0, and the settings' default block.
//   - Otherwise it is a reading named by the id: 21 horizontal, 22 vertical,
//     31 slope distance (32 when the line has no 31), 87 target height (kept
//     for later readings), 71 the code of this reading.
// - Blocks 41 to 49 are code blocks: their first word (leading zeros off)
//   becomes the code of the last reading. Other blocks are skipped.
// - Readings before any station go to a station "ST" (added when missing)
//   in a set-up with the line's word 88 as instrument height, as the GSI
//   reader does.
#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/palabras_gsi.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using gsi::kEscalaAngulo;
using gsi::kEscalaDistancia;
using importacion::cortar;
using importacion::Paso;
using importacion::recortar;
using importacion::sinCerosIniciales;

constexpr std::size_t kNombreMaximo = 15;

struct LineaEspecial {
    double horizontal = 0, vertical = 0;
    double inclinada = 0, reducida = 0;
    bool hayInclinada = false, hayReducida = false;
    double x = 0, y = 0, z = 0;
    bool estacion = false;
    double jalon = 0;
    bool hayJalon = false;
    double alturaInstrumento = 0;
    double desorientacion = 0;
    std::string_view codigo;
};

LineaEspecial leerPalabras(const gsi::LineaGsi& g) {
    LineaEspecial v;
    for (std::size_t k = 1; k < g.palabras(); ++k) {
        const double valor = g.valor(k);
        switch (g.indice(k)) {
            case 21: v.horizontal = valor * kEscalaAngulo; break;
            case 22: v.vertical = valor * kEscalaAngulo; break;
            case 25: v.desorientacion = valor * kEscalaAngulo; break;
            case 31: v.inclinada = valor * kEscalaDistancia; v.hayInclinada = true; break;
            case 32: v.reducida = valor * kEscalaDistancia; v.hayReducida = true; break;
            case 71: v.codigo = cortar(sinCerosIniciales(recortar(g.datos(k))), CListasImportacion::kTextoMaximo); break;
            case 84: v.x = valor * kEscalaDistancia; v.estacion = true; break;
            case 85: v.y = valor * kEscalaDistancia; v.estacion = true; break;
            case 86: v.z = valor * kEscalaDistancia; v.estacion = true; break;
            case 87: v.jalon = valor * kEscalaDistancia; v.hayJalon = true; break;
            case 88: v.alturaInstrumento = valor * kEscalaDistancia; break;
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
    Estacionamiento* estacionamiento = nullptr;
    double jalon = 0;

    auto anadirEstacionamiento = [&](std::string_view nombre, const Coordenadas* coordenadas, double altura,
                                     double desorientacion) -> bool {
        Estacion* estacion = ctx.libreta.buscarEstacion(nombre);
        if (!estacion) {
            DatosEstacionNueva datos{.nombre = nombre, .ficheroFoto = kFotoPorDefecto, .ficheroCroquis = kFotoPorDefecto};
            if (coordenadas) datos.coordenadas = *coordenadas;
            estacion = crearEstacion(ctx.libreta.estaciones, datos);
            if (!estacion) return false;
        }
        const int k = static_cast<int>(estacion->estacionamientos.size()) + 1;
        estacionamiento = crearEstacionamiento(estacion->estacionamientos, nullptr,
                                               formatear("%s_(%d)", estacion->nombre.c_str(), k),
                                               estacion->nombre.vista(), altura, &ctx.ajustes.datosPorDefecto,
                                               desorientacion);
        return estacionamiento != nullptr;
    };

    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
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

        std::string_view id = cortar(sinCerosIniciales(recortar(g.datos(0))), kNombreMaximo);
        if (id.empty()) id = "0";
        const LineaEspecial v = leerPalabras(g);
        if (v.estacion) {
            const Coordenadas c{v.x, v.y, v.z};
            if (v.hayJalon) jalon = v.jalon;
            return anadirEstacionamiento(id, &c, v.alturaInstrumento, v.desorientacion) ? Paso::Seguir : Paso::Fallo;
        }
        if (!estacionamiento && !anadirEstacionamiento("ST", nullptr, v.alturaInstrumento, 0)) return Paso::Fallo;
        if (v.hayJalon) jalon = v.jalon;
        const double distancia = v.hayInclinada ? v.inclinada : v.reducida;
        return crearLectura(estacionamiento->lecturas, std::nullopt, id, jalon, distancia, v.vertical, v.horizontal,
                            v.codigo)
                   ? Paso::Seguir
                   : Paso::Fallo;
    });
}

}  // namespace celvara
