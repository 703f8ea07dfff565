// anexar BASE.obs OTRO.obs -o SALIDA.obs: "Fichero OBS v5.5", the stations of
// another observation file appended to a book.
#include <iostream>

#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("anexar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("anexar", "Añade las estaciones de otro fichero de observaciones");
    struct Opciones {
        std::string base, otro, salida;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("base", o->base, "Libreta de partida")->required();
    sub->add_option("otro", o->otro, "Fichero de observaciones a añadir")->required();
    sub->add_option("-o,--salida", o->salida, "Libreta resultante")->required();
    return [o]() -> int {
        CLibretaCampo libreta;
        if (!leerLibreta(libreta, o->base)) return fallo("Error al abrir el fichero de observaciones " + o->base);
        CLibretaCampo otra;
        if (!leerLibreta(otra, o->otro)) return fallo("Error al abrir el fichero de observaciones " + o->otro);
        anexarLibreta(libreta, std::move(otra));
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
