// formatos: the import formats, one "índice texto" line each, in list order.
#include <iostream>

#include "cli/registro.h"
#include "import/formatos.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("formatos", [](CLI::App& raiz) -> std::function<int()> {
    raiz.add_subcommand("formatos", "Lista los formatos de importación de datos de campo");
    return []() -> int {
        for (const auto& f : tablaFormatos()) std::cout << f.indice << ' ' << f.texto << '\n';
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
