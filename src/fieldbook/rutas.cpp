#include "fieldbook/rutas.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace celvara {

namespace {

bool igualesSinMayusculas(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

char letraMayuscula(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

MapaRutas::MapaRutas(std::filesystem::path raizC) {
    unidades_['C'] = std::move(raizC);
#ifndef _WIN32
    unidades_['Z'] = "/";
#endif
}

void MapaRutas::asignarUnidad(char letra, std::filesystem::path raiz) {
    unidades_[letraMayuscula(letra)] = std::move(raiz);
}

std::filesystem::path buscarSinMayusculas(const std::filesystem::path& carpeta, std::string_view nombre) {
    std::error_code ec;
    const auto exacta = carpeta / std::string(nombre);
#ifndef _WIN32
    // (Windows finds any case itself; the listing below gives the name's own.)
    if (std::filesystem::exists(exacta, ec)) return exacta;
#endif
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        if (igualesSinMayusculas(n, nombre)) return it->path();
    }
    return exacta;
}

std::filesystem::path MapaRutas::aAnfitrion(std::string_view ruta) const {
    std::filesystem::path base;
    std::string_view resto = ruta;
    if (ruta.size() >= 2 && ruta[1] == ':' && std::isalpha(static_cast<unsigned char>(ruta[0]))) {
        auto it = unidades_.find(letraMayuscula(ruta[0]));
#ifdef _WIN32
        // On Windows a drive without a mapping is the system's own.
        base = it != unidades_.end() ? it->second : std::string{letraMayuscula(ruta[0]), ':', '\\'};
#else
        base = it != unidades_.end() ? it->second : unidades_.at('Z');
#endif
        resto = ruta.substr(2);
    } else if (!ruta.empty() && (ruta[0] == '/' || ruta[0] == '\\')) {
        // Rooted without a drive: the host root (a host path passed as is),
        // on Windows the root of the current drive.
#ifdef _WIN32
        base = std::filesystem::current_path().root_path();
#else
        base = "/";
#endif
    } else {
        base = std::filesystem::current_path();
    }
    std::filesystem::path resultado = base;
    std::size_t desde = 0;
    while (desde <= resto.size()) {
        std::size_t hasta = resto.find_first_of("\\/", desde);
        if (hasta == std::string_view::npos) hasta = resto.size();
        const std::string_view componente = resto.substr(desde, hasta - desde);
        if (componente == "..") {
            resultado = resultado.parent_path();
        } else if (!componente.empty() && componente != ".") {
            resultado = buscarSinMayusculas(resultado, componente);
        }
        desde = hasta + 1;
    }
    return resultado;
}

std::string MapaRutas::aWindows(const std::filesystem::path& anfitrion) const {
    const auto absoluta = std::filesystem::absolute(anfitrion).lexically_normal();
#ifdef _WIN32
    // Outside the mapped drives a path is already in its Windows form.
    for (const auto& [letra, raiz] : unidades_) {
        const auto r = std::filesystem::absolute(raiz).lexically_normal();
        const auto relativa = absoluta.lexically_relative(r);
        if (!relativa.empty() && *relativa.begin() != "..") {
            std::string resto = relativa == "." ? std::string() : relativa.string();
            std::replace(resto.begin(), resto.end(), '/', '\\');
            return std::string(1, letra) + ":\\" + resto;
        }
    }
    std::string nativa = absoluta.string();
    std::replace(nativa.begin(), nativa.end(), '/', '\\');
    if (nativa.size() >= 2 && nativa[1] == ':') nativa[0] = letraMayuscula(nativa[0]);
    return nativa;
#else
    const std::string texto = absoluta.string();
    char mejorLetra = 'Z';
    std::size_t mejorLargo = 0;
    for (const auto& [letra, raiz] : unidades_) {
        std::string r = std::filesystem::absolute(raiz).lexically_normal().string();
        while (r.size() > 1 && r.back() == '/') r.pop_back();
        const bool dentro = texto == r || (texto.size() > r.size() && texto.compare(0, r.size(), r) == 0 &&
                                           (texto[r.size()] == '/' || r == "/"));
        if (dentro && r.size() >= mejorLargo) {
            if (r.size() > mejorLargo || letra != 'Z') mejorLetra = letra;
            mejorLargo = r.size();
        }
    }
    std::string r = std::filesystem::absolute(unidades_.at(mejorLetra)).lexically_normal().string();
    while (r.size() > 1 && r.back() == '/') r.pop_back();
    std::string resto = texto.substr(std::min(texto.size(), r == "/" ? std::size_t(0) : r.size()));
    std::replace(resto.begin(), resto.end(), '/', '\\');
    if (resto.empty() || resto.front() != '\\') resto.insert(resto.begin(), '\\');
    return std::string(1, mejorLetra) + ":" + resto;
#endif
}

std::string conBarraFinal(std::string ruta) {
    if (ruta.empty() || ruta.back() != '\\') ruta.push_back('\\');
    return ruta;
}

}  // namespace celvara
