#include "output/pagina.h"

#include <cstdarg>
#include <cstdio>

#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {

TextoPagina textoPagina(int x, int y, int puntos, bool negrita, std::string contenido) {
    TextoPagina t;
    t.x = x;
    t.y = y;
    t.puntos = puntos;
    t.negrita = negrita;
    t.texto = std::move(contenido);
    return t;
}

namespace {

std::string_view sinBlancos(std::string_view s) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blanco(s.front())) s.remove_prefix(1);
    while (!s.empty() && blanco(s.back())) s.remove_suffix(1);
    return s;
}


}  // namespace

std::vector<std::vector<std::string>> celdasTabla(std::string_view texto) {
    std::vector<std::vector<std::string>> filas;
    while (!texto.empty()) {
        const auto fin = texto.find(';');
        const std::string_view fila = texto.substr(0, fin);
        texto = fin == std::string_view::npos ? std::string_view() : texto.substr(fin + 1);
        if (fin == std::string_view::npos && sinBlancos(fila).empty()) break;
        std::vector<std::string> celdas;
        std::string_view resto = fila;
        for (;;) {
            const auto barra = resto.find('|');
            celdas.emplace_back(sinBlancos(resto.substr(0, barra)));
            if (barra == std::string_view::npos) break;
            resto.remove_prefix(barra + 1);
        }
        filas.push_back(std::move(celdas));
    }
    return filas;
}

std::vector<int> anchosTabla(std::string_view anchos) {
    std::vector<int> salida;
    const auto filas = celdasTabla(anchos);
    if (!filas.empty())
        for (const auto& celda : filas.front()) salida.push_back(textoAEntero(celda));
    return salida;
}

std::string textoCelda(std::string_view texto) {
    std::string s(texto);
    for (char& c : s) {
        if (c == '|') c = '/';
        else if (c == ';') c = ',';
    }
    return s;
}

std::string formatearC(const char* formato, ...) {
    const plataforma::LocaleC c;
    va_list args;
    va_start(args, formato);
    va_list copia;
    va_copy(copia, args);
    const int n = std::vsnprintf(nullptr, 0, formato, args);
    va_end(args);
    std::string salida;
    if (n > 0) {
        salida.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(salida.data(), salida.size(), formato, copia);
        salida.resize(static_cast<std::size_t>(n));
    }
    va_end(copia);
    return salida;
}

}  // namespace celvara
