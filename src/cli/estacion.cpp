// estacion LIBRETA.obs NOMBRE --aprox X Y [--desor W] [--iteraciones N] [--orientar]
//          [--config F.dft] [--instrumentos F.apa] [--informe F.txt] [--json]
// The station by least squares as its window computes it: the equations
// from the book, read as the grid shows them, one pass after another until
// the stop rule or N passes (through the roundings of the window's edits). Prints
// "X Y" (and the orientation with inverse equations), then the window's
// summary; or one JSON object. The book is not changed. The set-ups of the
// other stations that still hold orientation 0 and sight known stations are
// oriented first, in memory, as "Desorientación Todas" would (a freshly
// imported book holds 0, and its direct equations would point nowhere), and
// named on stderr; --orientar orients every such set-up.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "calc/desorientaciones_todas.h"
#include "calc/estacion_mmcc.h"
#include "cli/minimos_cuadrados.h"
#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"

namespace celvara::cli {
namespace {

// The set-ups of the other stations oriented from their sights to known
// stations (all, or only those still at 0); the station being computed
// keeps its own. Returns the names of those oriented, UTF-8.
std::string orientarConocidas(CLibretaCampo& libreta, std::string_view calculada, bool todas) {
    std::vector<std::pair<Estacionamiento*, double>> calculadas;
    std::string nombres;
    for (const auto& e : libreta.estaciones) {
        if (e->nombre.vista() == calculada) continue;
        for (const auto& s : e->estacionamientos) {
            if (!todas && s->desorientacion != 0) continue;
            if (const ResultadoDesorientacion r = calcularDesorientacionAutomatica(libreta, *e, *s); r.visuales > 0) {
                calculadas.emplace_back(s.get(), r.media);
                nombres += (nombres.empty() ? "«" : ", «") + cp1252AUtf8(s->nombre.vista()) + "»";
            }
        }
    }
    for (auto [s, media] : calculadas) grabarDesorientacion(*s, media);
    return nombres;
}

nlohmann::ordered_json numero(double v) { return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(); }

const RegistroComando registro("estacion", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("estacion", "Calcula una estación por mínimos cuadrados");
    struct Opciones : OpcionesMinimosCuadrados {
        std::string nombre;
        std::vector<double> aprox;
        std::optional<double> desor;
        int iteraciones = 10;
        bool orientar = false;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("nombre", o->nombre, "Estación a calcular")->required();
    sub->add_option("--aprox", o->aprox, "Coordenadas aproximadas X Y")->expected(2)->required();
    sub->add_option("--desor", o->desor, "Desorientación aproximada");
    sub->add_option("--iteraciones", o->iteraciones, "Pasadas como máximo (10)")->check(CLI::PositiveNumber);
    sub->add_flag("--orientar", o->orientar, "Orienta antes los estacionamientos de las estaciones conocidas");
    anadirOpcionesMinimosCuadrados(sub, *o);
    return [o]() -> int {
        DatosMinimosCuadrados d;
        if (const auto error = cargarDatosMinimosCuadrados(*o, d); !error.empty()) return fallo(error);

        const std::string orientados = orientarConocidas(d.libreta, utf8ACp1252(o->nombre), o->orientar);
        PrimerAviso avisos;
        EcuacionesEstacion ecuaciones = ecuacionesEstacion(d.libreta, utf8ACp1252(o->nombre));
        if (ecuaciones.error) return fallo(ecuaciones.error);
        for (const std::string& omitida : ecuaciones.omitidas) std::cerr << omitida << "\n";
        AproximadasEstacion aprox = aproximadasIniciales(ecuaciones);
        aprox.x = formatear("%1.4lf", o->aprox[0]);
        aprox.y = formatear("%1.4lf", o->aprox[1]);
        if (o->desor) aprox.w = textoDesorientacionAprox(*o->desor);

        EleccionInstrumento instrumentos(d.biblioteca(), avisos);
        instrumentos.preguntar = false;
        EntradaEstacionMMCC entrada = entradaComoSeMuestra(ecuaciones, d.ajustes, d.biblioteca(), instrumentos);
        CMatricesMMCC matrices;
        ResultadoPasada r;
        const int pasadas = iterarEstacionMMCC(entrada, aprox, o->iteraciones, matrices, r);
        if (pasadas == 0) return fallo(r.error ? r.error : avisos.primero);
        if (!r.convergido) return fallo(kMensajeNoConverge);
        if (!orientados.empty() && !o->orientar)
            std::cerr << "Orientados antes del cálculo (desorientación 0): " << orientados << "\n";

        if (!o->informe.empty() &&
            !anadirAFichero(o->informe,
                            textoInformeEstacionMMCC(informeDePasada(entrada, r, pasadas, matrices, ecuaciones.omitidas))))
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
            auto& filas = j["equations"] = nlohmann::ordered_json::array();
            for (std::size_t i = 0; i < r.filas.size(); ++i) {
                const EcuacionEstacion& q = entrada.planimetria[static_cast<std::size_t>(r.filas[i])];
                filas.push_back({{"tipo", textoTipo(q.tipo)},
                                      {"estacion", q.estacion},
                                      {"visado", q.visado},
                                      {"residuo", r.residuos[i]},
                                      {"w", numero(r.w[i])}});
            }
            std::cout << j.dump(2) << "\n";
            return kExito;
        }
        std::cout << formatear("%1.4lf %1.4lf", r.x, r.y);
        if (r.inversa) std::cout << formatear(" %1.5lf", r.desorientacion);
        std::cout << "\n" << textoResumenEstacion(r, entrada.planimetria) << "\n";
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
