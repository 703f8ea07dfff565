// "Fichero Leica-Wild Clásico" (28): GSI8 blocks written straight into the
// field book.
//
// Quirks worth knowing:
// - Lines are cut at 256 characters and read as 16-character words; only
//   words 1 to 9 are looked at, whatever the line holds beyond them.
// - A "4" block is a station record: 42 the station id (as written, leading
//   zeros off), 43 the instrument height, 44 a target height kept for the
//   readings that follow, 84/85/86 the station's X, Y, Z. The set-up's
//   orientation is 0: the readings are oriented already and a word 25 only
//   records that orientation. The station is found by name in the whole
//   book or added; its coordinates fill it when it has none once the read
//   succeeded (a difference is reported). Every block adds a set-up "%s_(%d)" numbered
//   after the station's existing ones, except that a set-up still without
//   readings is replaced.
// - A "1" block is a reading named by word 0 as written: 21, 22, 31 slope
//   distance (32 horizontal when the line has no 31) and 44. Values missing
//   from a line are 0 (an angle-only sighting keeps no distance of the line
//   before); the target height stays until a block changes it. Readings
//   before the first set-up are dropped. The set-up's distance kind follows
//   its lines as in the GSI reader. A "1" block with 81/82/83 and no angle is
//   a point's coordinates: they fill the named station when the book has it
//   without coordinates, else the import summary lists the line.
// - Unit digits are honoured as in the GSI reader: the set-up takes the unit
//   of its first angle, later ones are converted; distances and heights are
//   read in metres.
// - The set-ups copy the default complementary data of the settings, like
//   the set-ups of the merge.
#include <optional>
#include <string>

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
    using importacion::Paso;

    importacion::EstacionesDirectas estaciones(ctx);
    Estacion* estacion = nullptr;
    Estacionamiento* estacionamiento = nullptr;
    bool unidadFijada = false;
    double jalon = 0;

    const Estado estado = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = importacion::cortar(texto, kLineaMaxima);
        const gsi::LineaGsi g(linea, gsi::kAnchoGsi8);
        const std::size_t palabras = std::min(g.palabras(), kUltimaPalabra + 1);
        // A "4" or "1" line that is no GSI block refuses the file.
        if ((linea[0] == '4' || linea[0] == '1') && !g.formaValida()) {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        }

        if (linea[0] == '4') {
            std::string nombre = "0";
            double altura = 0;
            std::optional<double> x, y, z;
            for (std::size_t k = 1; k < palabras; ++k) {
                switch (g.indice(k)) {
                    case 42: nombre = importacion::idPunto(g.datos(k)); break;
                    case 43: altura = g.distancia(k); break;
                    case 44: jalon = g.distancia(k); break;
                    case 84: x = g.distancia(k); break;
                    case 85: y = g.distancia(k); break;
                    case 86: z = g.distancia(k); break;
                    default: break;
                }
            }
            if (nombre.empty()) nombre = "0";
            // A station recorded again before any reading keeps one set-up.
            if (estacion && estacionamiento && estacionamiento->lecturas.empty() &&
                !estacion->estacionamientos.empty() && estacion->estacionamientos.back().get() == estacionamiento)
                estacion->estacionamientos.pop_back();
            std::optional<Coordenadas> coordenadas;
            if (x || y || z) coordenadas = Coordenadas{x.value_or(0), y.value_or(0), z.value_or(0)};
            estacion = estaciones.estacion(nombre, coordenadas);
            if (!estacion) return Paso::Fallo;
            // Orientation 0: a word 25 is the one the readings already carry.
            estacionamiento = estaciones.estacionamiento(*estacion, altura, 0);
            unidadFijada = false;
            return estacionamiento ? Paso::Seguir : Paso::Fallo;
        }
        if (linea[0] == '1') {
            std::optional<gsi::Angulo> horizontal, vertical;
            std::optional<double> inclinada, reducida;
            std::optional<Coordenadas> punto;
            for (std::size_t k = 1; k < palabras; ++k) {
                switch (g.indice(k)) {
                    case 21: horizontal = g.angulo(k); break;
                    case 22: vertical = g.angulo(k); break;
                    case 31: inclinada = g.distancia(k); break;
                    case 32: reducida = g.distancia(k); break;
                    case 44: jalon = g.distancia(k); break;
                    case 81:
                    case 82:
                    case 83: {
                        if (!punto) punto = Coordenadas{};
                        const int i = g.indice(k);
                        (i == 81 ? punto->x : i == 82 ? punto->y : punto->z) = g.distancia(k);
                        break;
                    }
                    default: break;
                }
            }
            const std::string id = importacion::idPunto(g.datos(0));
            if (punto && !horizontal && !vertical) {
                estaciones.coordenadasSueltas(id, *punto);
                return Paso::Seguir;
            }
            if (!estacionamiento) return Paso::Seguir;
            auto angulo = [&](const std::optional<gsi::Angulo>& a) {
                return a ? importacion::anguloDeEstacionamiento(*estacionamiento, unidadFijada, a->valor, a->circulo)
                         : 0.0;
            };
            // The horizontal fixes the set-up's unit before the vertical.
            const double h = angulo(horizontal);
            const double v = angulo(vertical);
            if (!crearLectura(estacionamiento->lecturas, std::nullopt, id, jalon,
                              inclinada ? *inclinada : reducida.value_or(0), v, h, ""))
                return Paso::Fallo;
            estaciones.distanciaLeida(*estacionamiento,
                                      inclinada  ? DistanciaLeida::Inclinada
                                      : reducida ? DistanciaLeida::Reducida
                                                 : DistanciaLeida::Ninguna,
                                      vertical.has_value());
            return Paso::Seguir;
        }
        return Paso::Seguir;
    });
    if (estado == Estado::Exito) estaciones.aplicar();
    return estado;
}

}  // namespace celvara
