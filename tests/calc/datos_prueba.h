// Files of the test data folder (tests/data): hand-made reports and tables of
// worked values.
#pragma once

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "comun/imagen.h"

namespace celvara::prueba {

inline std::filesystem::path datoPrueba(std::string_view nombre) {
    return std::filesystem::path(CELVARA_DATOS_PRUEBA) / std::string(nombre);
}
inline std::string leerDato(std::string_view nombre) { return leerFichero(datoPrueba(nombre)); }

// A row a line, numbers apart by blanks; what follows a '#' is a note.
inline std::vector<std::vector<double>> leerTabla(std::string_view nombre) {
    std::vector<std::vector<double>> filas;
    std::ifstream f(datoPrueba(nombre));
    for (std::string linea; std::getline(f, linea);) {
        std::istringstream s(linea.substr(0, linea.find('#')));
        s.imbue(std::locale::classic());
        std::vector<double> fila;
        for (double v; s >> v;) fila.push_back(v);
        if (!fila.empty()) filas.push_back(std::move(fila));
    }
    return filas;
}

}  // namespace celvara::prueba
