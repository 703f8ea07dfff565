// recoger-dxf LIBRETA.obs DIBUJO.dxf -o SALIDA.obs: "Recoger Coordenadas de
// ACAD...", every station found in the drawing takes its X, Y, Z; one line
// "nombre X Y Z" per station changed.
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "import/estaciones_dxf.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("recoger-dxf", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("recoger-dxf", "Toma X, Y, Z de las estaciones de un dibujo DXF");
    struct Opciones {
        std::string libreta, dibujo, salida;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Libreta de partida")->required();
    sub->add_option("dibujo", o->dibujo, "Dibujo DXF")->required();
    sub->add_option("-o,--salida", o->salida, "Libreta resultante")->required();
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        const LecturaDibujo lectura = buscarEstacionesEnDxf(libreta, o->dibujo);
        if (!lectura.error.empty()) return fallo(lectura.error);
        const auto cambiadas =
            tomarCoordenadasDeDibujo(libreta, lectura.estaciones, std::vector<bool>(lectura.estaciones.size(), true));
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        for (const std::size_t i : cambiadas) {
            const EstacionEnDibujo& h = lectura.estaciones[i];
            std::cout << utf8(h.nombre) << ' ' << formatear("%1.4lf %1.4lf %1.4lf", h.x, h.y, h.z) << '\n';
        }
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
