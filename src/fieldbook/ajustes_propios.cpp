#include "fieldbook/ajustes_propios.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "fieldbook/fichero_binario.h"

namespace celvara {

namespace {

std::string_view recortar(std::string_view s) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blanco(s.front())) s.remove_prefix(1);
    while (!s.empty() && blanco(s.back())) s.remove_suffix(1);
    return s;
}

// QSettings reads an unquoted value with a comma as a list, and drops
// what follows a semicolon.
bool necesitaComillas(std::string_view v) {
    if (v.empty()) return false;
    if (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t') return true;
    return v.find_first_of(",;\"\\=\n\r") != std::string_view::npos;
}

std::string conComillas(std::string_view v) {
    std::string s = "\"";
    for (char c : v) {
        if (c == '"' || c == '\\') s += '\\';
        if (c == '\n') s += "\\n";
        else if (c == '\r') s += "\\r";
        else s += c;
    }
    return s + '"';
}

std::string valorLeido(std::string_view v) {
    v = recortar(v);
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') {
        // An unquoted ';' starts a comment.
        if (const auto p = v.find(';'); p != std::string_view::npos) v = recortar(v.substr(0, p));
        return std::string(v);
    }
    std::string s;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        char c = v[i];
        if (c == '\\' && i + 2 < v.size()) {
            c = v[++i];
            if (c == 'n') c = '\n';
            else if (c == 'r') c = '\r';
        }
        s += c;
    }
    return s;
}

}  // namespace

std::filesystem::path rutaAjustesPropios(const std::filesystem::path& rutaObservaDft) {
    return rutaObservaDft.parent_path() / kFicheroAjustesPropios;
}

void AjustesPropios::leerImagen(std::string_view contenido) {
    secciones_.clear();
    if (contenido.starts_with("\xEF\xBB\xBF")) contenido.remove_prefix(3);
    std::string actual = "General";  // QSettings' name for keys before any header
    while (!contenido.empty()) {
        const auto fin = contenido.find('\n');
        std::string_view linea = recortar(contenido.substr(0, fin));
        contenido.remove_prefix(fin == std::string_view::npos ? contenido.size() : fin + 1);
        if (linea.empty() || linea.front() == ';' || linea.front() == '#') continue;
        if (linea.front() == '[' && linea.back() == ']') {
            actual = recortar(linea.substr(1, linea.size() - 2));
            continue;
        }
        const auto igual = linea.find('=');
        if (igual == std::string_view::npos) continue;
        const std::string_view clave = recortar(linea.substr(0, igual));
        if (clave.empty()) continue;
        asignar(actual, clave, valorLeido(linea.substr(igual + 1)));
    }
}

std::string AjustesPropios::imagen() const {
    std::string s;
    for (const Seccion& sec : secciones_) {
        if (!s.empty()) s += '\n';
        s += '[' + sec.nombre + "]\n";
        for (const auto& [clave, valor] : sec.claves)
            s += clave + '=' + (necesitaComillas(valor) ? conComillas(valor) : valor) + '\n';
    }
    return s;
}

bool AjustesPropios::cargar(const std::filesystem::path& ruta) {
    secciones_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec)) return !ec;
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) return false;
    leerImagen(std::string_view(reinterpret_cast<const char*>(datos.data()), datos.size()));
    return true;
}

bool AjustesPropios::guardar(const std::filesystem::path& ruta) const {
    const std::string contenido = imagen();
    EscritorAtomico escritor(ruta);
    return escritor.abierto() && escritor.escribir(contenido.data(), contenido.size()) && escritor.confirmar();
}

std::optional<std::string> AjustesPropios::texto(std::string_view seccion, std::string_view clave) const {
    for (const Seccion& s : secciones_)
        if (s.nombre == seccion)
            for (const auto& [k, v] : s.claves)
                if (k == clave) return v;
    return std::nullopt;
}

double AjustesPropios::numero(std::string_view seccion, std::string_view clave, double porDefecto) const {
    const auto t = texto(seccion, clave);
    if (!t) return porDefecto;
    const std::string_view v = recortar(*t);
    double valor = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), valor);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !std::isfinite(valor)) return porDefecto;
    return valor;
}

void AjustesPropios::asignar(std::string_view seccion, std::string_view clave, std::string valor) {
    auto it = std::find_if(secciones_.begin(), secciones_.end(), [&](const Seccion& s) { return s.nombre == seccion; });
    if (it == secciones_.end()) it = secciones_.insert(secciones_.end(), Seccion{std::string(seccion), {}});
    for (auto& [k, v] : it->claves)
        if (k == clave) {
            v = std::move(valor);
            return;
        }
    it->claves.emplace_back(std::string(clave), std::move(valor));
}

void AjustesPropios::asignarNumero(std::string_view seccion, std::string_view clave, double valor) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    asignar(seccion, clave, std::string(buf, r.ptr));
}

namespace {
constexpr std::string_view kCarpetas = "Carpetas";

bool mismaCarpeta(std::string_view a, std::string_view b) {
    const auto sinBarra = [](std::string_view s) {
        while (!s.empty() && (s.back() == '\\' || s.back() == '/')) s.remove_suffix(1);
        return s;
    };
    a = sinBarra(a);
    b = sinBarra(b);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return minuscula(x) == minuscula(y) || ((x == '\\' || x == '/') && (y == '\\' || y == '/'));
    });
}
}  // namespace

std::string carpetaDialogo(const AjustesPropios& a, std::string_view dialogo, std::string_view carpetaLibreta) {
    const auto carpeta = a.texto(kCarpetas, dialogo);
    const auto libreta = a.texto(kCarpetas, std::string(dialogo) + ".libreta");
    if (carpeta && !carpeta->empty() && libreta && mismaCarpeta(*libreta, carpetaLibreta)) return *carpeta;
    return std::string(carpetaLibreta);
}

void recordarCarpetaDialogo(AjustesPropios& a, std::string_view dialogo, std::string_view carpetaLibreta,
                            std::string_view ficheroElegido) {
    const auto corte = ficheroElegido.find_last_of("\\/");
    if (corte == std::string_view::npos) return;
    a.asignar(kCarpetas, dialogo, std::string(ficheroElegido.substr(0, corte + 1)));
    a.asignar(kCarpetas, std::string(dialogo) + ".libreta", std::string(carpetaLibreta));
}

}  // namespace celvara
