// importar-puntos F.csv -o PUNTOS.crd: points of a CSV/TXT file into a
// coordinate file, replacing it or, with --anadir, after its points. Bad
// lines are reported on stderr and skipped; with --estricto any bad line
// is an error and nothing is written, as is a file with no good line.
#include <iostream>
#include <memory>

#include "cli/puntos_opciones.h"
#include "output/exportar_puntos.h"

namespace celvara::cli {
namespace {

struct Opciones {
    std::string entrada, salida;
    bool anadir = false, estricto = false;
    OpcionesColumnasCli columnas;
};

int importar(const Opciones& o) {
    OpcionesTexto t;
    if (!aplicarOpcionesColumnas(o.columnas, o.entrada, t)) return kErrorUso;
    LecturaPuntosTexto lectura;
    std::string error;
    const bool leida = leerFicheroPuntosTexto(o.entrada, t, lectura, error);
    for (const auto& e : lectura.erroneas) std::cerr << o.entrada << ": " << e.motivo << '\n';
    if (!leida) return fallo(error);
    if (!lectura.erroneas.empty() && o.estricto)
        return fallo(std::to_string(lectura.erroneas.size()) + " líneas erróneas: no se escribe " + o.salida);
    if (!lectura.erroneas.empty())
        std::cerr << lectura.erroneas.size() << " líneas erróneas omitidas\n";
    const auto r = grabarPuntosEnCrd(lectura.puntos, o.salida, o.anadir);
    if (!r.ok) return fallo(r.mensaje);
    std::cout << r.mensaje << '\n';
    return kExito;
}

const RegistroComando registro("importar-puntos", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("importar-puntos", "Importa puntos de un CSV/TXT a un fichero de coordenadas");
    auto o = std::make_shared<Opciones>();
    sub->add_option("fichero", o->entrada, "Fichero CSV/TXT")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de coordenadas")->required();
    anadirOpcionesColumnas(sub, o->columnas);
    sub->add_flag("--cabecera", o->columnas.cabecera, "La primera fila es una cabecera");
    sub->add_flag("--anadir", o->anadir, "Añade los puntos a los que ya tiene el fichero");
    sub->add_flag("--estricto", o->estricto, "Una línea errónea es un error y no se escribe nada");
    return [o]() { return importar(*o); };
});

}  // namespace
}  // namespace celvara::cli
