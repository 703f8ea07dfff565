// repetidas LIBRETA.obs: the repeated sightings of every set-up, as the
// "LISTADO DE VISUALES REPETIDAS" lists them: a line naming the station and
// the set-up, then one line per reading of each repeated name (name, face,
// horizontal, vertical, distance, target height, and the code when
// there is one).
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "manager/herramientas_lecturas.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("repetidas", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("repetidas", "Lista las visuales repetidas de cada estacionamiento");
    auto libreta = std::make_shared<std::string>();
    sub->add_option("libreta", *libreta, "Fichero de observaciones")->required();
    return [libreta]() -> int {
        CLibretaCampo l;
        if (auto e = leerLibretaEntrada(l, *libreta); !e.empty()) return fallo(e);
        AvisosSilenciosos avisos;
        for (const auto& e : l.estaciones)
            for (const auto& s : e->estacionamientos) {
                CVisualesRepetidas visuales(*s, avisos);
                if (visuales.nombres().empty()) continue;
                std::cout << "ESTACION " << utf8(e->nombre.vista()) << " ESTACIONAMIENTO " << utf8(s->nombre.vista())
                          << "\n";
                for (std::size_t i = 0; i < visuales.nombres().size(); ++i) {
                    visuales.elegir(static_cast<int>(i));
                    const RejillaTexto& r = visuales.rejilla();
                    for (std::size_t f = 0; f < r.numeroFilas(); ++f) {
                        std::string linea = r.texto(f, columna_repetidas::nombre);
                        for (std::size_t c = columna_repetidas::cara; c < columna_repetidas::numero; ++c)
                            if (const std::string t = r.texto(f, c); !t.empty()) linea += " " + t;
                        std::cout << linea << "\n";
                    }
                }
            }
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
