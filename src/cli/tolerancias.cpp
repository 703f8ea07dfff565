// tolerancias visual --instrumentos F.apa [--instrumento NOMBRE] --distancia D
//   --vertical V --jalon M [--config F.dft]
// tolerancias poligonal --instrumentos F.apa [--instrumento NOMBRE] --tramos N
//   --longitud L [--config F.dft]
// The texts of the two tolerance windows, one per line, with the work
// parameters of the settings file (or the defaults). An instrument name not
// in the library takes its first record, as the traverse computation does.
#include <iostream>
#include <memory>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "datos/instrumentos.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/datos_generales.h"
#include "traverse/tolerancias_dialogos.h"

namespace celvara::cli {
namespace {

struct Comunes {
    std::string instrumentos, instrumento, config;
};

void opcionesComunes(CLI::App* sub, Comunes& c) {
    sub->add_option("--instrumentos", c.instrumentos, "Librería de instrumentos (.apa)")->required();
    sub->add_option("--instrumento", c.instrumento, "Nombre del instrumento (si no, el primero)");
    sub->add_option("--config", c.config, "Fichero de ajustes observa.dft");
}

// The work parameters and the instrument, or the exit status of a failure.
int preparar(const Comunes& c, ParametrosTrabajo& parametros, CaracteristicasInstrumento& instrumento) {
    CDatosGenerales ajustes;
    if (!c.config.empty())
        if (auto e = leerAjustesEntrada(ajustes, c.config, "Error al abrir el fichero de ajustes "); !e.empty())
            return fallo(e);
    parametros = parametrosTrabajo(ajustes);
    ListaInstrumentos lista;
    if (auto e = leerInstrumentosEntrada(lista, c.instrumentos, std::string(mensaje_tolerancias::ficheroInstrumentos) + " ");
        !e.empty())
        return fallo(e);
    instrumento = caracteristicas(*buscarInstrumentoOPrimero(lista, utf8ACp1252(c.instrumento)));
    return kExito;
}

void imprimir(const auto& lineas) {
    for (const auto& l : lineas) std::cout << l << '\n';
}

const RegistroComando registro("tolerancias", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("tolerancias", "Errores de una visual y tolerancias de una poligonal prevista");
    sub->require_subcommand(1);

    struct Opciones {
        Comunes visual, poligonal;
        double distancia = 0, vertical = 0, jalon = 0, longitud = 0;
        int tramos = 0;
    };
    auto o = std::make_shared<Opciones>();

    auto* visual = sub->add_subcommand("visual", "Errores de una visual (GESTOR DE TOLERANCIAS Y ERRORES)");
    opcionesComunes(visual, o->visual);
    visual->add_option("--distancia", o->distancia, "Distancia (m)")->required();
    visual->add_option("--vertical", o->vertical, "Ángulo vertical cenital (centesimal)")->required();
    visual->add_option("--jalon", o->jalon, "Altura del jalón (m)")->required();

    auto* poligonal = sub->add_subcommand("poligonal", "Tolerancias de una poligonal prevista (TOLERANCIAS POLIGONAL)");
    opcionesComunes(poligonal, o->poligonal);
    poligonal->add_option("--tramos", o->tramos, "Número de tramos")->required();
    poligonal->add_option("--longitud", o->longitud, "Longitud total (m)")->required();

    return [o, visual]() -> int {
        ParametrosTrabajo parametros;
        CaracteristicasInstrumento instrumento;
        if (visual->parsed()) {
            if (const int r = preparar(o->visual, parametros, instrumento); r != kExito) return r;
            const auto t = textosVisual(erroresVisual(instrumento, parametros, o->distancia, o->vertical, o->jalon));
            imprimir(std::array{t[0] + " " + t[1] + " " + t[2], t[3]});
            return kExito;
        }
        if (o->tramos < 1 || !(o->longitud > 0)) {
            std::cerr << "El número de tramos y la longitud deben ser mayores que cero\n";
            return kErrorUso;
        }
        if (const int r = preparar(o->poligonal, parametros, instrumento); r != kExito) return r;
        imprimir(textosPoligonalPrevista(toleranciaPoligonalPrevista(instrumento, parametros, o->tramos, o->longitud)));
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
