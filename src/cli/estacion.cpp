// estacion LIBRETA.obs NOMBRE --aprox X Y [--desor W] [--iteraciones N]
//          [--config F.dft] [--instrumentos F.apa] [--informe F.txt] [--json]
// The station by least squares as its window computes it: the equation grid
// filled from the book, "CALCULAR" until the stop rule or N passes. Prints
// "X Y" (and the orientation with inverse equations), then the window's
// summary; or one JSON object. The book is not changed.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "calc/estacion_mmcc.h"
#include "cli/minimos_cuadrados.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"

namespace celvara::cli {
namespace {

nlohmann::ordered_json numero(double v) { return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(); }

const RegistroComando registro("estacion", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("estacion", "Calcula una estación por mínimos cuadrados");
    struct Opciones : OpcionesMinimosCuadrados {
        std::string nombre;
        std::vector<double> aprox;
        std::optional<double> desor;
        int iteraciones = 10;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("nombre", o->nombre, "Estación a calcular")->required();
    sub->add_option("--aprox", o->aprox, "Coordenadas aproximadas X Y")->expected(2)->required();
    sub->add_option("--desor", o->desor, "Desorientación aproximada");
    sub->add_option("--iteraciones", o->iteraciones, "Pasadas como máximo (10)")->check(CLI::PositiveNumber);
    anadirOpcionesMinimosCuadrados(sub, *o);
    return [o]() -> int {
        DatosMinimosCuadrados d;
        if (const auto error = cargarDatosMinimosCuadrados(*o, d); !error.empty()) return fallo(error);

        PrimerAviso avisos;
        CCalculoEstacionMMCC calculo(d.libreta, d.ajustes, d.biblioteca(), avisos);
        calculo.instrumentos().preguntar = false;
        if (!calculo.elegirEstacion(o->nombre)) return fallo(avisos.primero);
        for (const std::string& omitida : calculo.omitidas()) std::cerr << omitida << "\n";
        calculo.textoX = formatear("%1.4lf", o->aprox[0]);
        calculo.textoY = formatear("%1.4lf", o->aprox[1]);
        if (o->desor) calculo.ponerDesorientacion(*o->desor);
        const int pasadas = calculo.iterar(o->iteraciones);
        if (!avisos.primero.empty()) return fallo(avisos.primero);
        const ResultadoPasada& r = calculo.resultado();

        if (!o->informe.empty() && !calculo.imprimir(o->informe))
            return fallo("No se puede abrir el fichero de informe " + o->informe);
        if (o->json) {
            nlohmann::ordered_json j;
            j["x"] = r.x;
            j["y"] = r.y;
            j["z"] = r.z;
            j["orientation"] = r.inversa ? nlohmann::ordered_json(r.desorientacion) : nlohmann::ordered_json();
            j["iterations"] = pasadas;
            j["variance"] = r.varianza;
            j["emc"] = r.emc;
            j["px"] = r.px;
            j["py"] = r.py;
            j["pz"] = r.pz;
            j["redundancy"] = r.redundancia;
            j["ellipse"] = {{"a", r.elipse.a}, {"b", r.elipse.b}, {"azimuth", r.elipse.azimut}};
            auto& ecuaciones = j["equations"] = nlohmann::ordered_json::array();
            const RejillaTexto& g = calculo.rejilla();
            for (std::size_t i = 0; i < r.filas.size(); ++i) {
                const auto f = static_cast<std::size_t>(r.filas[i]);
                ecuaciones.push_back({{"tipo", g.texto(f, columna_ecuacion::tipo)},
                                      {"estacion", g.texto(f, columna_ecuacion::estacion)},
                                      {"visado", g.texto(f, columna_ecuacion::visado)},
                                      {"residuo", r.residuos[i]},
                                      {"w", numero(r.w[i])}});
            }
            std::cout << j.dump(2) << "\n";
            return kExito;
        }
        std::cout << formatear("%1.4lf %1.4lf", r.x, r.y);
        if (r.inversa) std::cout << formatear(" %1.5lf", r.desorientacion);
        std::cout << "\n" << calculo.textoResumen << "\n";
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
