// Runs celvara-cli as a whole process and captures what it prints.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace celvara::prueba {

struct SalidaProceso {
    int estado = -1;      // -1 also when it was killed at the time limit
    std::string salida;   // stdout
    std::string errores;  // stderr
    double segundos = 0;  // wall-clock time of the run
};

// Arguments are passed without a shell; `entrada` goes to stdin. With a
// time limit (seconds, 0 for none) a process still running then is killed.
SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada = {},
                       double limite = 0);

// celvara-cli with these arguments.
SalidaProceso cli(std::vector<std::string> argumentos, const std::string& entrada = {}, double limite = 0);

// celvara-cli with the arguments of a shell-like line: blanks separate them,
// single or double quotes group them.
SalidaProceso cliLinea(std::string_view linea, const std::string& entrada = {});

}  // namespace celvara::prueba
