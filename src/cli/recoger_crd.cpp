// recoger-crd LIBRETA.obs PUNTOS.crd -o SALIDA.obs: "Recoger Coordenadas de
// un *.CRD", every station named like a point takes its X, Y, Z.
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "manager/coordenadas_comandos.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("recoger-crd", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("recoger-crd", "Toma X, Y, Z de las estaciones de un fichero de coordenadas");
    struct Opciones {
        std::string libreta, puntos, salida;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Libreta de partida")->required();
    sub->add_option("puntos", o->puntos, "Fichero de coordenadas")->required();
    sub->add_option("-o,--salida", o->salida, "Libreta resultante")->required();
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        // The window stays silent on an unreadable file; here the caller
        // must learn it, and nothing is written.
        const auto r = recogerCoordenadasDeCrd(libreta, o->puntos);
        if (r.ejecutado && r.estado != Estado::Exito)
            return fallo("Error al leer el fichero de coordenadas " + o->puntos);
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        std::cout << r.estaciones << " estaciones toman coordenadas de " << o->puntos << '\n';
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
