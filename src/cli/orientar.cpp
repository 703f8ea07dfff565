// orientar LIBRETA.obs -o SALIDA.obs [--informe FICHERO.txt]: the automatic
// orientation of every set-up ("CALCULAR", then "GRABAR" on every row), and,
// on request, the individual computation's report of every set-up with sights.
#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

#include "calc/desorientacion_individual.h"
#include "calc/desorientaciones_todas.h"
#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("orientar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("orientar", "Calcula la desorientación de todos los estacionamientos");
    struct Opciones {
        std::string libreta, salida, informe;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de observaciones resultante")->required();
    sub->add_option("--informe", o->informe, "Fichero de informe (se añade al final)");
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        // Each set-up with sights to known stations gets its computed
        // orientation; one without keeps its own and prints it as it stands.
        std::vector<std::pair<Estacionamiento*, double>> calculadas;
        std::string informes;
        std::string lineas;
        for (const auto& e : libreta.estaciones)
            for (const auto& s : e->estacionamientos) {
                const ResultadoDesorientacion r = calcularDesorientacionAutomatica(libreta, *e, *s);
                const bool conVisuales = r.visuales > 0;
                if (conVisuales) {
                    for (const std::string& omitida : r.omitidas) std::cerr << omitida << '\n';
                    calculadas.emplace_back(s.get(), r.media);
                }
                lineas += cp1252AUtf8(e->nombre.vista()) + " " + cp1252AUtf8(s->nombre.vista()) +
                          formatear(" %d %1.4f %1.4f\n", r.visuales, conVisuales ? r.media : s->desorientacion,
                                    conVisuales ? r.emc : 0.0);
                if (!o->informe.empty() && conVisuales)
                    informes += textoInformeDesorientacion(informeConTodasLasVisadas(libreta, *e, *s));
            }
        for (auto [s, media] : calculadas) grabarDesorientacion(*s, media);

        if (!o->informe.empty()) {
            std::FILE* f = plataforma::abrir(o->informe, "a");
            if (!f) return fallo("No se puede abrir el fichero de informe " + o->informe);
            const bool ok = std::fwrite(informes.data(), 1, informes.size(), f) == informes.size();
            if (std::fclose(f) != 0 || !ok) return fallo("Error al escribir el fichero de informe " + o->informe);
        }
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        std::cout << lineas;
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
