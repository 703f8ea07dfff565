// Runs celvara-cli as a whole process and captures what it prints.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace celvara::prueba {

struct SalidaProceso {
    int estado = -1;
    std::string salida;   // stdout
    std::string errores;  // stderr
};

// Arguments are passed without a shell; `entrada` goes to stdin. A process
// still running after `limite` seconds (0: no limit) is killed: status -1.
SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada = {},
                       unsigned limite = 0);

// celvara-cli with these arguments.
SalidaProceso cli(std::vector<std::string> argumentos, const std::string& entrada = {}, unsigned limite = 0);

// celvara-cli with the words of a line as its arguments.
SalidaProceso cliLinea(std::string_view linea, const std::string& entrada = {});

}  // namespace celvara::prueba
