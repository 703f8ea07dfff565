// The column options shared by exportar-puntos and importar-puntos.
#pragma once

#include <filesystem>
#include <iostream>
#include <string>

#include "cli/registro.h"
#include "output/puntos_texto.h"

namespace celvara::cli {

struct OpcionesColumnasCli {
    std::string columnas, separador;
    bool cabecera = false;
};

inline void anadirOpcionesColumnas(CLI::App* sub, OpcionesColumnasCli& o) {
    sub->add_option("--columnas", o.columnas, "Columnas en orden: nombre,x,y,z,codigo (también n,e)");
    sub->add_option("--separador", o.separador, "Separador: , ; tab espacio o un carácter (, en .csv, espacio en .txt)");
}

// False (after saying why on stderr) when an option is wrong. The separator
// defaults to the comma for .csv and to a space for .txt.
inline bool aplicarOpcionesColumnas(const OpcionesColumnasCli& o, const std::string& fichero, OpcionesTexto& t) {
    std::string error;
    if (!o.columnas.empty()) {
        const auto c = leerColumnas(o.columnas, error);
        if (!c) {
            std::cerr << error << '\n';
            return false;
        }
        t.columnas = *c;
    }
    if (!o.separador.empty()) {
        const auto s = leerSeparador(o.separador, error);
        if (!s) {
            std::cerr << error << '\n';
            return false;
        }
        t.separador = *s;
    } else {
        std::string e = std::filesystem::path(fichero).extension().string();
        t.separador = (e == ".txt" || e == ".TXT" || e == ".Txt") ? ' ' : ',';
    }
    t.cabecera = o.cabecera;
    return true;
}

}  // namespace celvara::cli
