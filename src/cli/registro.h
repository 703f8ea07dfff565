// Each command of celvara-cli lives in its own file and registers itself
// here; `volcar` dispatches by file format to dumpers registered the same way.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "fieldbook/avisos.h"

namespace celvara::cli {

// Exit statuses: 0 success, 1 a file could not be read or written, 2 usage.
inline constexpr int kExito = 0;
inline constexpr int kFalloFichero = 1;
inline constexpr int kErrorUso = 2;

// Adds its subcommand to the application and returns what runs it.
using Registrador = std::function<std::function<int()>(CLI::App& raiz)>;

struct Comando {
    std::string nombre;
    Registrador registrar;
};
std::vector<Comando>& comandos();

struct RegistroComando {
    RegistroComando(std::string nombre, Registrador registrar) {
        comandos().push_back({std::move(nombre), std::move(registrar)});
    }
};

// Dumper of one file format for `volcar`: writes the JSON value of the file
// or returns false with a message on failure.
using Volcador = std::function<bool(const std::filesystem::path& ruta, nlohmann::ordered_json& salida,
                                    std::string& mensaje)>;
struct FormatoVolcado {
    std::string nombre;       // value of --formato
    std::string extension;    // lower case, without the dot
    Volcador volcar;
};
std::vector<FormatoVolcado>& formatosVolcado();

struct RegistroVolcado {
    RegistroVolcado(std::string nombre, std::string extension, Volcador volcar) {
        formatosVolcado().push_back({std::move(nombre), std::move(extension), std::move(volcar)});
    }
};

// Prints a failure on stderr (text converted from Windows-1252 when asked)
// and returns kFalloFichero.
int fallo(const std::string& mensaje);

// Windows-1252 record text as UTF-8 for output.
std::string utf8(std::string_view cp1252);

// Keeps the first message a computation shows: its failure, for stderr.
class PrimerAviso : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view, Botones, Icono) override {
        if (primero.empty()) primero = texto;
        return Respuesta::Aceptar;
    }
    std::string primero;
};

// Drive C: of the paths kept in the settings, mapped as the desktop program maps it.
std::filesystem::path unidadC();

}  // namespace celvara::cli
