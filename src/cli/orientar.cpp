// orientar LIBRETA.obs -o SALIDA.obs [--informe FICHERO.txt]: the automatic
// orientation of every set-up ("CALCULAR", then "GRABAR" on every row), and,
// on request, the individual window's report of every set-up with sights.
#include <cstdio>
#include <iostream>
#include <set>

#include "calc/desorientacion_individual.h"
#include "calc/desorientaciones_todas.h"
#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara::cli {
namespace {

// The individual window run on one set-up with every sighted station added.
std::string informeIndividual(CLibretaCampo& libreta, const Estacion& e,
                              const Estacionamiento& s) {
    CCalculoDesorientacion ventana(libreta);
    ventana.abrirPara(&e, &s);
    const auto visadas = ventana.nombresVisadas();
    std::set<std::string> anadidas;
    for (std::size_t i = 0; i < visadas.size(); ++i)
        if (anadidas.insert(visadas[i]).second) ventana.anadirVisuales(i);
    ventana.calcular();
    return ventana.textoInforme();
}

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
        CCalculoDesorientaciones todas(libreta);
        todas.calcular();
        for (const std::string& omitida : todas.omitidas()) std::cerr << omitida << '\n';
        std::string informes;
        std::string lineas;
        // The grid already holds "%d", "%1.4f" and "%1.4f" of each row; a set-up
        // with no sight to a station starts unticked and keeps its orientation,
        // which is printed as it stands.
        RejillaTexto& rejilla = todas.rejilla();
        for (std::size_t f = 0; f < rejilla.numeroFilas(); ++f) {
            if (!rejilla.marcada(f, columna_todas::uso)) {
                rejilla.asignar(f, columna_todas::cuantas, "0");
                rejilla.asignar(f, columna_todas::desorientacion,
                                formatear("%1.4f", todas.estacionamientoDeFila(f)->desorientacion));
                rejilla.asignar(f, columna_todas::emc, formatear("%1.4f", 0.0));
            }
            lineas += rejilla.texto(f, columna_todas::estacion) + " " + rejilla.texto(f, columna_todas::estacionamiento) +
                      " " + rejilla.texto(f, columna_todas::cuantas) + " " +
                      rejilla.texto(f, columna_todas::desorientacion) + " " + rejilla.texto(f, columna_todas::emc) + "\n";
            if (!o->informe.empty() && textoAEntero(rejilla.texto(f, columna_todas::cuantas)) > 0)
                informes += informeIndividual(libreta, *todas.estacionDeFila(f), *todas.estacionamientoDeFila(f));
        }
        todas.grabar();

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
