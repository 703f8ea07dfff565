// exportar-crd LIBRETA.obs -o PUNTOS.crd: "Exportar  a  CRD ...", one base
// point per station appended to the points the target already holds.
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "manager/coordenadas_comandos.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("exportar-crd", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("exportar-crd", "Añade las estaciones a un fichero de coordenadas");
    struct Opciones {
        std::string libreta, salida;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Libreta de partida")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de coordenadas")->required();
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        const auto r = exportarACrd(libreta, o->salida);
        if (!r.ejecutado) {
            std::cerr << "La libreta no tiene estaciones: no se escribe " << o->salida << '\n';
            return kExito;
        }
        if (r.estado != Estado::Exito) return fallo("Error al grabar el fichero de coordenadas " + o->salida);
        std::cout << r.estaciones << " estaciones exportadas a " << o->salida << " (" << r.puntosLeidos + r.estaciones
                  << " puntos)\n";
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
