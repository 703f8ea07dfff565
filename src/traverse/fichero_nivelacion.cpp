#include "traverse/fichero_nivelacion.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/caras.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

constexpr std::size_t kCeldas = 8;
constexpr const char* kSeccionLinea = "Nivelacion";

std::string_view recortar(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool esUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

// Cells of one CSV line; false on an unclosed quote.
bool celdas(std::string_view linea, std::vector<std::string>& salida) {
    salida.clear();
    std::string celda;
    bool comillas = false;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char ch = linea[i];
        if (comillas) {
            if (ch == '"' && i + 1 < linea.size() && linea[i + 1] == '"') celda += linea[++i];
            else if (ch == '"') comillas = false;
            else celda += ch;
        } else if (ch == '"') {
            comillas = true;
        } else if (ch == ',') {
            salida.push_back(std::move(celda));
            celda.clear();
        } else {
            celda += ch;
        }
    }
    salida.push_back(std::move(celda));
    return !comillas;
}

bool esNumero(std::string_view t, std::string& normal) {
    normal.assign(t);
    for (char& ch : normal)
        if (ch == ',') ch = '.';
    const char* p = normal.data() + (normal.front() == '+' ? 1 : 0);
    double v = 0;
    const auto r = std::from_chars(p, normal.data() + normal.size(), v);
    // "inf", "nan" or 1e300 is no staff reading: its sums would poison every height after it.
    return r.ec == std::errc() && r.ptr == normal.data() + normal.size() && std::abs(v) <= kLimiteValorLectura;
}

std::string celdaCsv(std::string_view t) {
    if (t.find_first_of(",\"\n\r") == std::string_view::npos && recortar(t) == t) return std::string(t);
    std::string s = "\"";
    for (char ch : t) {
        if (ch == '"') s += '"';
        s += ch == '\n' || ch == '\r' ? ' ' : ch;
    }
    return s + '"';
}

}  // namespace

bool leerTextoNivelacion(std::string_view contenido, std::vector<LecturasNivelacion>& filas, std::string& mensaje) {
    filas.clear();
    if (contenido.starts_with("\xEF\xBB\xBF")) contenido.remove_prefix(3);
    std::string convertido;
    if (!esUtf8(contenido)) contenido = convertido = cp1252AUtf8(contenido);
    std::vector<std::string> v;
    std::string normal;
    bool primera = true;
    for (int numero = 1; !contenido.empty(); ++numero) {
        const auto fin = contenido.find('\n');
        const std::string_view linea = recortar(contenido.substr(0, fin));
        contenido.remove_prefix(fin == std::string_view::npos ? contenido.size() : fin + 1);
        if (linea.empty()) continue;
        if (!celdas(linea, v)) {
            mensaje = formatear("Línea %d: comillas sin cerrar", numero);
            return false;
        }
        if (v.size() > kCeldas) {
            mensaje = formatear("Línea %d: más de %zu columnas", numero, kCeldas);
            return false;
        }
        const bool cabecera = primera && recortar(v[0]) == "punto";
        primera = false;
        if (cabecera) continue;
        v.resize(kCeldas);
        LecturasNivelacion l;
        l.punto = recortar(v[0]);
        l.linea = numero;
        for (std::size_t i = 1; i < kCeldas; ++i) {
            const std::string_view t = recortar(v[i]);
            if (t.empty()) continue;
            if (!esNumero(t, normal)) {
                mensaje = formatear("Línea %d: \"%.*s\" no es un número", numero, static_cast<int>(t.size()), t.data());
                return false;
            }
            (i <= 3 ? l.espalda[i - 1] : i <= 6 ? l.frente[i - 4] : l.distancia) = normal;
        }
        filas.push_back(std::move(l));
    }
    return true;
}

bool leerFicheroNivelacion(const std::filesystem::path& ruta, std::vector<LecturasNivelacion>& filas,
                           std::string& mensaje) {
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) {
        mensaje = "No se puede abrir el fichero " + ruta.string();
        return false;
    }
    return leerTextoNivelacion(std::string_view(reinterpret_cast<const char*>(datos.data()), datos.size()), filas,
                               mensaje);
}

std::string textoNivelacion(const std::vector<LecturasNivelacion>& filas) {
    const bool conDistancia =
        std::any_of(filas.begin(), filas.end(), [](const LecturasNivelacion& l) { return !l.distancia.empty(); });
    std::string s = std::string(kCabeceraNivelacion) + (conDistancia ? std::string(",") + kColumnaDistancia : "") + '\n';
    for (const LecturasNivelacion& l : filas) {
        s += celdaCsv(l.punto);
        for (const auto& t : l.espalda) s += ',' + t;
        for (const auto& t : l.frente) s += ',' + t;
        if (conDistancia) s += ',' + l.distancia;
        s += '\n';
    }
    return s;
}

std::filesystem::path rutaEstacionesLinea(const std::filesystem::path& linea) {
    std::filesystem::path ruta = linea;
    ruta += ".ini";
    return ruta;
}

bool leerEstacionesLinea(const std::filesystem::path& linea, EstacionesLinea& estaciones) {
    AjustesPropios ini;
    if (!ini.cargar(rutaEstacionesLinea(linea))) return false;
    estaciones.salida = ini.texto(kSeccionLinea, "salida").value_or("");
    estaciones.llegada = ini.texto(kSeccionLinea, "llegada").value_or("");
    return true;
}

bool escribirEstacionesLinea(const std::filesystem::path& linea, const EstacionesLinea& estaciones) {
    AjustesPropios ini;
    const auto ruta = rutaEstacionesLinea(linea);
    if (!ini.cargar(ruta)) ini = AjustesPropios();  // a damaged file is replaced
    ini.asignar(kSeccionLinea, "salida", estaciones.salida);
    ini.asignar(kSeccionLinea, "llegada", estaciones.llegada);
    return ini.guardar(ruta);
}

bool escribirFicheroNivelacion(const std::filesystem::path& ruta, const std::vector<LecturasNivelacion>& filas) {
    const std::string s = textoNivelacion(filas);
    EscritorAtomico escritor(ruta);
    return escritor.abierto() && escritor.escribir(s.data(), s.size()) && escritor.confirmar();
}

std::optional<std::string> filaIncompleta(const std::vector<LecturasNivelacion>& filas) {
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const LecturasNivelacion& l = filas[i];
        const int linea = l.linea > 0 ? l.linea : static_cast<int>(i) + 1;
        const auto completa = [](const std::array<std::string, 3>& m) {
            return !m[2].empty() || (!m[0].empty() && !m[1].empty());
        };
        if (!completa(l.espalda))
            return formatear("Línea %d: falta el hilo medio o los dos hilos extremos de la mira de espalda", linea);
        if (!completa(l.frente))
            return formatear("Línea %d: falta el hilo medio o los dos hilos extremos de la mira de frente", linea);
    }
    return std::nullopt;
}

}  // namespace celvara
