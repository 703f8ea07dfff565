// celvara-cli: the batch front end over the core, for scripts and CI. It reads
// and writes only the files named on its command line.
#include <iostream>
#include <utility>

#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/plataforma.h"

namespace celvara::cli {

std::vector<Comando>& comandos() {
    static std::vector<Comando> lista;
    return lista;
}

std::vector<FormatoVolcado>& formatosVolcado() {
    static std::vector<FormatoVolcado> lista;
    return lista;
}

int fallo(const std::string& mensaje) {
    std::cerr << mensaje << '\n';
    return kFalloFichero;
}

std::string utf8(std::string_view cp1252) { return cp1252AUtf8(cp1252); }

}  // namespace celvara::cli

int main(int argc, char** argv) {
    using namespace celvara::cli;
    celvara::plataforma::salidaEstandarBinaria();
    CLI::App app{"celvara-cli: cálculos topográficos por lotes"};
    app.require_subcommand(1);
    auto lista = comandos();
    std::sort(lista.begin(), lista.end(), [](const Comando& a, const Comando& b) { return a.nombre < b.nombre; });
    std::vector<std::pair<CLI::App*, std::function<int()>>> ejecutores;
    for (auto& c : lista) {
        const std::size_t antes = app.get_subcommands({}).size();
        auto ejecutar = c.registrar(app);
        auto subs = app.get_subcommands({});
        if (subs.size() > antes) ejecutores.emplace_back(subs.back(), std::move(ejecutar));
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kErrorUso;
    }
    for (auto& [sub, ejecutar] : ejecutores)
        if (sub->parsed()) {
            try {
                return ejecutar();
            } catch (const std::exception& e) {
                return fallo(e.what());
            }
        }
    return kErrorUso;
}
