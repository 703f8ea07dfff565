// poligonal F.pol [options]: the traverse computation on a traverse file.
// Prints the summary and one line per station of "COORDENADAS GENERALES"
// (name X Y Z orientation), or everything as one JSON object.
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "datos/instrumentos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "traverse/fichero_pol.h"
#include "traverse/informe_poligonal.h"
#include "traverse/tolerancias_poligonal.h"

namespace celvara::cli {
namespace {

using Json = nlohmann::ordered_json;

struct Opciones {
    std::string fichero, proyeccion = "planas", instrumentos, config, informe;
    std::uint32_t metodo = 0;
    int decimales = 4;
    double escala = 1.0;
    bool json = false;
};

Json valoresCierre(const ValoresCierre& v) {
    return Json{{"Ang", v.ang}, {"X", v.x}, {"Y", v.y}, {"Z", v.z}, {"Dist", v.dist}};
}

Json tramoJson(const TramoPoligonal& t) {
    return Json{{"tramo", utf8(t.nombre)}, {"x", t.x}, {"y", t.y}, {"z", t.z},
                {"h_back", t.hAtras}, {"h_fwd", t.hAdelante}, {"angulo", t.angulo}, {"azimut", t.azimut},
                {"azimut_c", t.azimutC}, {"c", t.cAng}, {"d1", t.d1}, {"d2", t.d2}, {"dm", t.dm}, {"km", t.km},
                {"ix", t.ix}, {"iy", t.iy}, {"cx", t.cx}, {"cy", t.cy}, {"ixc", t.ixc}, {"iyc", t.iyc},
                {"iz", t.iz}, {"cz", t.cz}, {"izc", t.izc}, {"tol_d", t.dTol}, {"tol_z", t.zTol},
                {"desor_final", t.desorientacionFinal}};
}

Json resultadoJson(const ResultadoPoligonal& res, std::uint32_t metodo) {
    const bool colgada = res.tipo == TipoPoligonal::Colgada;
    Json j{{"tipo", static_cast<int>(res.tipo)}, {"metodo", metodo}, {"resumen", textoResumenPoligonal(res)}};
    j["E"] = colgada ? Json(nullptr) : valoresCierre(res.E);
    j["T"] = colgada ? Json(nullptr) : valoresCierre(res.T);
    if (metodo == 2) {
        j["Giro"] = res.giro;
        j["Coeficiente"] = res.coeficiente;
    }
    Json tramos = Json::array();
    for (const auto& t : res.tramos) tramos.push_back(tramoJson(t));
    j["tramos"] = std::move(tramos);
    Json lista = Json::array();
    for (const auto& e : res.estaciones)
        lista.push_back(Json{{"nombre", utf8(e.nombre)}, {"x", e.x}, {"y", e.y}, {"z", e.z},
                             {"desorientacion", e.desorientacion}, {"factor", e.factor}});
    j["estaciones"] = std::move(lista);
    return j;
}

int calcular(const Opciones& o) {
    Poligonal pol;
    std::string mensaje;
    if (!leerFicheroPoligonal(o.fichero, pol, mensaje)) return fallo(mensaje);
    CDatosGenerales ajustes;
    if (!o.config.empty())
        if (auto e = leerAjustesEntrada(ajustes, o.config, "Error al abrir el fichero de ajustes "); !e.empty())
            return fallo(e);
    // Another kind of file can pass the reader and make no traverse: say which file.
    if (const auto error = comprobarPoligonal(pol.filas, pol.referencia)) return fallo(*error + ": " + o.fichero);

    // The evaluator reads the library, which must outlive it.
    ListaInstrumentos instrumentos;
    EvaluadorErrores evaluador;
    if (o.instrumentos.empty()) {
        std::cerr << "Sin biblioteca de instrumentos: tolerancias 0\n";
    } else {
        // As in the window, a library that cannot be read stops the computation.
        if (auto e = leerInstrumentosEntrada(instrumentos, o.instrumentos, "Error al abrir fichero de instrumentos ");
            !e.empty())
            return fallo(e);
        evaluador = evaluadorTolerancias(instrumentos, ajustes);
    }
    const auto datum = datumPorNombre(o.proyeccion);
    const std::uint32_t proyeccion = datum ? campoProyeccion(*datum) : 0;
    ConfiguracionPoligonal config{o.metodo, o.decimales, proyeccion, o.escala};
    if (datum) config.trabajo.datum = *datum;
    const auto res = calcularPoligonal(pol.filas, pol.referencia, config, evaluador);
    if (!res) return fallo(res.error);
    if (!o.informe.empty() && !anadirAFichero(o.informe, informePoligonal(*res)))
        return fallo("No se puede escribir el informe " + std::filesystem::path(o.informe).string());

    if (o.json) {
        std::cout << resultadoJson(*res, o.metodo).dump(2) << '\n';
        return kExito;
    }
    std::cout << textoResumenPoligonal(*res) << '\n';
    for (const auto& e : res->estaciones)
        std::cout << utf8(e.nombre) << ' ' << sinMenosCero(formatear("%1.3lf", e.x)) << ' '
                  << sinMenosCero(formatear("%1.3lf", e.y)) << ' ' << sinMenosCero(formatear("%1.3lf", e.z)) << ' '
                  << sinMenosCero(formatear("%1.4lf", e.desorientacion)) << '\n';
    return kExito;
}

const RegistroComando registro("poligonal", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("poligonal", "Calcula y compensa una poligonal (fichero .pol)");
    auto o = std::make_shared<Opciones>();
    sub->add_option("fichero", o->fichero, "Fichero de poligonal")->required();
    sub->add_option("--metodo", o->metodo, "0 distancias parciales, 1 coordenadas parciales, 2 Sanguet")
        ->check(CLI::Range(0, 2));
    sub->add_option("--decimales", o->decimales, "Decimales de la compensación angular")->check(CLI::Range(0, 4));
    sub->add_option("--proyeccion", o->proyeccion, "planas, ed50, etrs89, wgs84 o regcan95")
        ->check(CLI::IsMember({"planas", "ed50", "etrs89", "wgs84", "regcan95"}));
    sub->add_option("--escala", o->escala, "Escala adicional al cálculo");
    sub->add_option("--instrumentos", o->instrumentos, "Biblioteca de instrumentos (tolerancias)");
    sub->add_option("--config", o->config, "Fichero de ajustes observa.dft (parámetros de trabajo)");
    sub->add_option("--informe", o->informe, "Informe de la poligonal, se añade al final");
    sub->add_flag("--json", o->json, "Resultado completo en JSON");
    return [o]() -> int { return calcular(*o); };
});

}  // namespace
}  // namespace celvara::cli
