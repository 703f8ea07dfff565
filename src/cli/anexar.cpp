// anexar BASE.obs OTRO.obs -o SALIDA.obs: "Fichero OBS v5.5", the stations of
// another observation file appended to a book.
#include <iostream>

#include "cli/entradas.h"
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
        if (auto e = leerLibretaEntrada(libreta, o->base); !e.empty()) return fallo(e);
        CLibretaCampo otra;
        if (auto e = leerLibretaEntrada(otra, o->otro); !e.empty()) return fallo(e);
        anexarLibreta(libreta, std::move(otra));
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
