// refinar LIBRETA.obs -o PUNTOS.crd [--config F.dft] [--instrumentos F.apa]
//         [--informe F.txt] [--json]
// "Refinamiento Puntos": every point sighted from two or more set-ups of
// known stations, by least squares from all its sightings with the
// orientations the book holds. Prints "nombre X Y Z sx sy n" per point, then
// "posible error: ESTACIONAMIENTO -> PUNTO w=..." per sighting beyond
// |w| = 3.29 (reported, not fatal); the points go into PUNTOS.crd.
#include <cmath>
#include <iostream>

#include "cli/minimos_cuadrados.h"
#include "cli/registro.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "herramientas/refinamiento.h"

namespace celvara::cli {
namespace {

nlohmann::ordered_json numero(double v) { return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(); }

const RegistroComando registro("refinar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("refinar", "Refina los puntos visados desde varios estacionamientos");
    struct Opciones : OpcionesMinimosCuadrados {
        std::string salida;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de coordenadas de los puntos refinados")->required();
    anadirOpcionesMinimosCuadrados(sub, *o);
    return [o]() -> int {
        DatosMinimosCuadrados d;
        if (const auto error = cargarDatosMinimosCuadrados(*o, d); !error.empty()) return fallo(error);
        PrimerAviso avisos;
        EleccionInstrumento instrumentos(d.biblioteca(), avisos);
        instrumentos.preguntar = false;
        const ResultadoRefinamiento r = refinarPuntos({&d.libreta, &d.ajustes, d.biblioteca(), &instrumentos});
        if (!r.calculado) return fallo(r.error.empty() ? avisos.primero : r.error);
        for (const std::string& omitida : r.omitidas) std::cerr << omitida << "\n";
        if (escribirListaPuntos(puntosRefinados(r), o->salida) != Estado::Exito)
            return fallo("Error al grabar el fichero " + o->salida);
        if (!o->informe.empty() && !anadirAFichero(o->informe, textoInformeRefinamiento(r)))
            return fallo("No se puede abrir el fichero de informe " + o->informe);
        if (!r.sinOrientar.empty()) {
            std::cerr << "Estacionamientos con desorientación 0 (¿sin orientar?):";
            for (const std::string& s : r.sinOrientar) std::cerr << " «" << utf8(s) << "»";
            std::cerr << "\n";
        }
        if (r.puntos.empty()) std::cerr << "Ningún punto visado desde dos o más estacionamientos de estaciones con coordenadas\n";

        if (o->json) {
            nlohmann::ordered_json j;
            auto& puntos = j["points"] = nlohmann::ordered_json::array();
            for (const PuntoRefinado& p : r.puntos) {
                auto& q = puntos.emplace_back(nlohmann::ordered_json{
                    {"name", utf8(p.nombre)}, {"x", p.x}, {"y", p.y}, {"z", p.z}, {"sx", p.sx}, {"sy", p.sy},
                    {"sightings", p.usadas()}, {"setups", p.estacionamientos}, {"redundancy", p.redundancia},
                    {"sigma0", p.sigma0}, {"spread", p.dispersion}});
                auto& visuales = q["sightings_used"] = nlohmann::ordered_json::array();
                for (const VisualRefinada& v : p.visuales)
                    visuales.push_back({{"setup", utf8(v.estacionamiento->nombre.vista())},
                                        {"azimuth", v.azimut},
                                        {"distance", v.distancia},
                                        {"v_direction", v.vDireccion},
                                        {"w_direction", numero(v.wDireccion)},
                                        {"v_distance", v.distancia > 0 ? numero(v.vDistancia) : nullptr},
                                        {"w_distance", v.distancia > 0 ? numero(v.wDistancia) : nullptr}});
            }
            auto& errores = j["possible_blunders"] = nlohmann::ordered_json::array();
            for (const PosibleError& e : r.posiblesErrores)
                errores.push_back({{"setup", utf8(e.estacionamiento)}, {"point", utf8(e.punto)}, {"w", e.w},
                                   {"kind", e.distancia ? "distance" : "direction"}});
            std::cout << j.dump(2) << "\n";
            return kExito;
        }
        for (const PuntoRefinado& p : r.puntos)
            std::cout << utf8(p.nombre)
                      << formatear(" %1.4lf %1.4lf %1.4lf %1.4lf %1.4lf %d\n", p.x, p.y, p.z, p.sx, p.sy, p.usadas());
        for (const PosibleError& e : r.posiblesErrores)
            std::cout << "posible error: " << utf8(e.estacionamiento) << " -> " << utf8(e.punto)
                      << formatear(" w=%1.2lf\n", e.w);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
