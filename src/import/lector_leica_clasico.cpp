// "Fichero Leica-Wild Clásico" (28): GSI8 blocks written straight into the
// field book.
//
// Quirks worth knowing:
// - Lines are cut at 256 characters and read as 16-character words; only
//   words 1 to 9 are looked at, whatever the line holds beyond them.
// - A "4" block is a set-up: 42 the station number, 43 the instrument
//   height, 44 a target height kept for the readings that follow. A station
//   is added whenever the number differs from the previous block's (even if
//   the book already has one of that name); every block adds a set-up
//   "%s_(%d)" counted per station.
// - A "1" block is a reading named by the number of word 0: 21, 22, 31 (slope
//   distance only) and 44. Values missing from a line are 0 (an angle-only
//   sighting keeps no distance of the line before); the target height stays
//   until a block changes it. Readings before the first set-up are dropped.
// - The set-ups copy the default complementary data of the settings, like
//   the set-ups of the merge.
#include <optional>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/palabras_gsi.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {
constexpr std::size_t kLineaMaxima = 256;
constexpr std::size_t kUltimaPalabra = 9;
}  // namespace

Estado leerLeicaClasico(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    using gsi::kEscalaAngulo;
    using gsi::kEscalaDistancia;
    using importacion::Paso;

    std::optional<std::int32_t> estacionAnterior;
    Estacion* estacion = nullptr;
    Estacionamiento* estacionamiento = nullptr;
    int contador = 0;
    double jalon = 0;

    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = importacion::cortar(texto, kLineaMaxima);
        const gsi::LineaGsi g(linea, gsi::kAnchoGsi8);
        const std::size_t palabras = std::min(g.palabras(), kUltimaPalabra + 1);
        // A "4" or "1" line that is no GSI block refuses the file.
        if ((linea[0] == '4' || linea[0] == '1') && !g.formaValida()) {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        }

        if (linea[0] == '4') {
            std::int32_t numero = 0;
            double altura = 0;
            for (std::size_t k = 1; k < palabras; ++k) {
                switch (g.indice(k)) {
                    case 42: numero = g.entero(k); break;
                    case 43: altura = g.valor(k) * kEscalaDistancia; break;
                    case 44: jalon = g.valor(k) * kEscalaDistancia; break;
                    default: break;
                }
            }
            if (!estacion || !estacionAnterior || numero != *estacionAnterior) {
                estacion = crearEstacion(ctx.libreta.estaciones, {.nombre = formatear("%d", numero),
                                                                  .ficheroFoto = kFotoPorDefecto,
                                                                  .ficheroCroquis = kFotoPorDefecto});
                if (!estacion) return Paso::Fallo;
                estacionAnterior = numero;
                contador = 0;
            }
            ++contador;
            estacionamiento = crearEstacionamiento(estacion->estacionamientos, nullptr,
                                                   formatear("%s_(%d)", estacion->nombre.c_str(), contador),
                                                   estacion->nombre.vista(), altura,
                                                   &ctx.ajustes.datosPorDefecto, 0);
            return estacionamiento ? Paso::Seguir : Paso::Fallo;
        }
        if (linea[0] == '1' && estacionamiento) {
            double horizontal = 0, vertical = 0, distancia = 0;
            for (std::size_t k = 1; k < palabras; ++k) {
                switch (g.indice(k)) {
                    case 21: horizontal = g.valor(k) * kEscalaAngulo; break;
                    case 22: vertical = g.valor(k) * kEscalaAngulo; break;
                    case 31: distancia = g.valor(k) * kEscalaDistancia; break;
                    case 44: jalon = g.valor(k) * kEscalaDistancia; break;
                    default: break;
                }
            }
            return crearLectura(estacionamiento->lecturas, std::nullopt, formatear("%d", g.entero(0)), jalon,
                                distancia, vertical, horizontal, "")
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        return Paso::Seguir;
    });
}

}  // namespace celvara
