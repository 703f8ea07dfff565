// red LIBRETA.obs [--fijos A,B,...] [--libre] [--config F.dft]
//     [--instrumentos F.apa] [--informe F.txt] [--json]
// The whole network by least squares. Prints one line per adjusted station
// "nombre X Y Z sx sy", then the global test line, then (only when there are
// any) the line of the stations left out with their reasons and the line of
// those whose Z stays as in the book; or one JSON object. The fixed stations
// are those named, else the ones kept beside the book, else every station
// with coordinates. The book is not changed.
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "calc/red/ajuste_red.h"
#include "cli/minimos_cuadrados.h"
#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"

namespace celvara::cli {
namespace {

nlohmann::ordered_json valor(double v) { return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(); }

// The whole result as one JSON object.
nlohmann::ordered_json comoJson(const ResultadoRed& r) {
    nlohmann::ordered_json j;
    auto& est = j["stations"] = nlohmann::ordered_json::array();
    for (const EstacionRed& e : r.estaciones) {
        if (!e.plano && !e.altura) continue;
        est.push_back({{"name", cp1252AUtf8(e.estacion->nombre.vista())},
                       {"fixed", e.fija},
                       {"x", e.x},
                       {"y", e.y},
                       {"z", e.z},
                       {"sx", e.sx},
                       {"sy", e.sy},
                       {"sz", e.sz},
                       {"height_undetermined", e.zLibre},
                       {"ellipse", {{"a", e.elipse.a}, {"b", e.elipse.b}, {"azimuth", e.elipse.azimut}}}});
    }
    auto& fuera = j["left_out"] = nlohmann::ordered_json::array();
    for (const EstacionRed& e : r.estaciones)
        if (e.motivo) fuera.push_back({{"name", cp1252AUtf8(e.estacion->nombre.vista())}, {"reason", e.motivo}});
    auto& pu = j["setups"] = nlohmann::ordered_json::array();
    for (const PuestaRed& p : r.puestas)
        pu.push_back({{"name", cp1252AUtf8(p.estacionamiento->nombre.vista())},
                      {"station", cp1252AUtf8(r.estaciones[p.estacion].estacion->nombre.vista())},
                      {"adjusted", p.io >= 0},
                      {"orientation", p.desorientacion},
                      {"sd_cc", p.sd}});
    auto& ob = j["observations"] = nlohmann::ordered_json::array();
    static const char* tipos[] = {"direction", "distance", "height_difference"};
    for (std::size_t i = 0; i < r.observaciones.size(); ++i) {
        const ObservacionRed& x = r.observaciones[i];
        ob.push_back({{"type", tipos[static_cast<int>(x.tipo)]},
                      {"setup", cp1252AUtf8(r.puestas[x.puesta].estacionamiento->nombre.vista())},
                      {"target", cp1252AUtf8(r.estaciones[x.hacia].estacion->nombre.vista())},
                      {"value", x.valor},
                      {"sigma", x.sigma},
                      {"residual", x.residuo},
                      {"w", valor(x.w)}});
    }
    const TestGlobalRed& t = r.test;
    auto parte = [](const ParteRed& p) {
        return nlohmann::ordered_json{{"observations", p.observaciones}, {"unknowns", p.incognitas},
                                      {"redundancy", p.redundancia},     {"vpv", p.vpv},
                                      {"s0", p.s0}};
    };
    j["test"] = {{"redundancy", t.redundancia}, {"variance", t.varianza},   {"statistic", t.estadistico},
                 {"lower", t.inferior},         {"upper", t.superior},      {"accepted", t.aceptado},
                 {"iterations", r.iteraciones},
                 {"largest_w", r.mayorW >= 0 ? nlohmann::ordered_json(nombreObservacion(r, r.mayorW))
                                                 : nlohmann::ordered_json()},
                 {"plan", parte(t.plano)},
                 {"heights", parte(t.altura)},
                 {"unused_directions", r.direccionesSueltas}};
    return j;
}

const RegistroComando registro("red", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("red", "Ajusta la red completa por mínimos cuadrados");
    struct Opciones : OpcionesMinimosCuadrados {
        std::string fijos;
        bool libre = false;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("--fijos", o->fijos, "Estaciones fijas, separadas por comas");
    sub->add_flag("--libre", o->libre, "Red libre (constreñimientos mínimos)");
    anadirOpcionesMinimosCuadrados(sub, *o);
    return [o]() -> int {
        DatosMinimosCuadrados d;
        if (const auto error = cargarDatosMinimosCuadrados(*o, d); !error.empty()) return fallo(error);

        OpcionesRed opciones;
        opciones.libre = o->libre;
        if (!o->fijos.empty()) {
            std::size_t i = 0;
            while (i <= o->fijos.size()) {
                const std::size_t j = std::min(o->fijos.find(',', i), o->fijos.size());
                if (j > i) opciones.fijos.push_back(utf8ACp1252(o->fijos.substr(i, j - i)));
                i = j + 1;
            }
        } else {
            opciones.fijos = leerFijasRed(o->libreta);
        }
        PrimerAviso avisos;
        CAjusteRed red(d.libreta, d.ajustes, d.biblioteca(), avisos);
        red.instrumentos().preguntar = false;
        const bool preparada = red.preparar(opciones);
        for (const std::string& omitida : red.omitidas()) std::cerr << omitida << "\n";
        if (!preparada || !red.ajustar()) return fallo(avisos.primero);
        const ResultadoRed& r = red.resultado();
        if (!o->informe.empty() && !anadirAFichero(o->informe, textoInformeRed(r)))
            return fallo("No se puede abrir el fichero de informe " + o->informe);

        if (o->json) {
            std::cout << comoJson(r).dump(2) << "\n";
            return kExito;
        }
        for (const EstacionRed& e : r.estaciones) {
            if (e.fija || (!e.plano && !e.altura)) continue;
            std::cout << cp1252AUtf8(e.estacion->nombre.vista())
                      << formatear(" %1.4lf %1.4lf %1.4lf %1.4lf %1.4lf", e.x, e.y, e.z, e.sx, e.sy) << "\n";
        }
        std::cout << textoTestRed(r) << "\n";
        for (const std::string& t : {textoFueraRed(r), textoZLibreRed(r)})
            if (!t.empty()) std::cout << t << "\n";
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
