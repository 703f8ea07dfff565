// formatos: the import formats, one "índice texto<TAB>estado" line each, in list
// order; the state is "disponible" or "no disponible".
#include <iostream>

#include "cli/registro.h"
#include "import/formatos.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("formatos", [](CLI::App& raiz) -> std::function<int()> {
    raiz.add_subcommand("formatos", "Lista los formatos de importación de datos de campo");
    return []() -> int {
        for (const auto& f : tablaFormatos())
            std::cout << f.indice << ' ' << f.texto << '\t' << (f.disponible ? "disponible" : "no disponible") << '\n';
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
