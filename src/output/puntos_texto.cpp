#include "output/puntos_texto.h"

#include <array>
#include <charconv>
#include <cmath>

#include "fieldbook/codificacion.h"

namespace celvara {

namespace {

struct NombreCampo {
    std::string_view clave;
    CampoPunto campo;
};
constexpr std::array<NombreCampo, 8> kNombresCampo{{{"nombre", CampoPunto::Nombre},
                                                    {"x", CampoPunto::X},
                                                    {"y", CampoPunto::Y},
                                                    {"z", CampoPunto::Z},
                                                    {"codigo", CampoPunto::Codigo},
                                                    {"código", CampoPunto::Codigo},
                                                    {"e", CampoPunto::E},
                                                    {"n", CampoPunto::N}}};

std::string minusculas(std::string_view t) {
    std::string s(t);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string_view recortar(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

bool blanco(char c) { return c == ' ' || c == '\t'; }

// Same axis under either name.
CampoPunto eje(CampoPunto c) {
    if (c == CampoPunto::E) return CampoPunto::X;
    if (c == CampoPunto::N) return CampoPunto::Y;
    return c;
}

void anadirNumero(std::string& s, double v, int decimales) {
    std::array<char, 64> b{};
    auto [fin, ec] = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::fixed, decimales);
    if (ec != std::errc{}) {  // beyond 1e40 m nothing real lives; keep the line readable
        s += "0";
        return;
    }
    // "-0.000" would read back as a different text for a point at zero.
    std::string_view t(b.data(), static_cast<std::size_t>(fin - b.data()));
    if (t.front() == '-' && t.find_first_not_of("-0.") == std::string_view::npos) t.remove_prefix(1);
    s += t;
}

void anadirCelda(std::string& s, std::string_view celda, char separador) {
    const bool comillas = celda.find_first_of(std::string{separador, '"', '\r', '\n'}) != std::string_view::npos ||
                          (separador == ' ' && (celda.empty() || blanco(celda.front()) || blanco(celda.back())));
    if (!comillas) {
        s += celda;
        return;
    }
    s += '"';
    for (char c : celda) {
        if (c == '"') s += '"';
        s += c;
    }
    s += '"';
}

// Splits one line into cells, honouring quotes. A space separator treats
// runs of blanks as one and ignores blanks at both ends.
std::vector<std::string> celdas(std::string_view linea, char separador) {
    std::vector<std::string> r;
    const bool enBlanco = separador == ' ';
    if (enBlanco) linea = recortar(linea);
    std::size_t i = 0;
    while (true) {
        std::string celda;
        if (i < linea.size() && linea[i] == '"') {
            ++i;
            while (i < linea.size()) {
                if (linea[i] == '"') {
                    if (i + 1 < linea.size() && linea[i + 1] == '"') {
                        celda += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                celda += linea[i++];
            }
            // Anything between the closing quote and the separator is kept.
            while (i < linea.size() && !(enBlanco ? blanco(linea[i]) : linea[i] == separador)) celda += linea[i++];
        } else {
            while (i < linea.size() && !(enBlanco ? blanco(linea[i]) : linea[i] == separador)) celda += linea[i++];
        }
        r.push_back(std::move(celda));
        if (i >= linea.size()) break;
        ++i;  // the separator
        if (enBlanco)
            while (i < linea.size() && blanco(linea[i])) ++i;
    }
    return r;
}

std::optional<double> leerNumero(std::string_view celda, char separador) {
    std::string t(recortar(celda));
    if (separador != ',')
        for (char& c : t)
            if (c == ',') c = '.';
    std::string_view v = t;
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double d = 0;
    const auto [fin, ec] = std::from_chars(v.data(), v.data() + v.size(), d, std::chars_format::fixed);
    if (v.empty() || ec != std::errc{} || fin != v.data() + v.size() || !std::isfinite(d)) return std::nullopt;
    return d;
}

}  // namespace

const char* tituloCampo(CampoPunto campo) {
    switch (campo) {
        case CampoPunto::Nombre: return "Nombre";
        case CampoPunto::X: return "X";
        case CampoPunto::Y: return "Y";
        case CampoPunto::Z: return "Z";
        case CampoPunto::Codigo: return "Código";
        case CampoPunto::E: return "E";
        case CampoPunto::N: return "N";
    }
    return "";
}

std::optional<std::vector<CampoPunto>> leerColumnas(std::string_view texto, std::string& error) {
    std::vector<CampoPunto> r;
    std::size_t i = 0;
    while (i <= texto.size()) {
        const std::size_t coma = std::min(texto.find(',', i), texto.size());
        const std::string clave = minusculas(recortar(texto.substr(i, coma - i)));
        i = coma + 1;
        const NombreCampo* hallado = nullptr;
        for (const auto& n : kNombresCampo)
            if (n.clave == clave) hallado = &n;
        if (!hallado) {
            error = "Columna desconocida: \"" + clave + "\" (válidas: nombre, x, y, z, codigo, n, e)";
            return std::nullopt;
        }
        for (CampoPunto c : r)
            if (eje(c) == eje(hallado->campo)) {
                error = "Columna repetida: \"" + clave + "\"";
                return std::nullopt;
            }
        r.push_back(hallado->campo);
    }
    return r;
}

std::optional<char> leerSeparador(std::string_view texto, std::string& error) {
    const std::string t = minusculas(texto);
    if (t == "tab" || t == "\\t" || t == "\t") return '\t';
    if (t == "espacio" || t == " ") return ' ';
    if (t.size() == 1 && std::string_view("0123456789.+-\"\r\n").find(t[0]) == std::string_view::npos) return t[0];
    error = "Separador no válido: \"" + std::string(texto) + "\" (use , ; tab espacio o un carácter)";
    return std::nullopt;
}

std::string escribirPuntosTexto(const ListaPuntos& puntos, const OpcionesTexto& o) {
    std::string s;
    s.reserve(puntos.size() * 64);
    const auto separar = [&](std::size_t i) {
        if (i > 0) s += o.separador;
    };
    if (o.cabecera) {
        for (std::size_t i = 0; i < o.columnas.size(); ++i) {
            separar(i);
            anadirCelda(s, tituloCampo(o.columnas[i]), o.separador);
        }
        s += "\r\n";
    }
    for (const auto& p : puntos) {
        for (std::size_t i = 0; i < o.columnas.size(); ++i) {
            separar(i);
            switch (o.columnas[i]) {
                case CampoPunto::Nombre: anadirCelda(s, cp1252AUtf8(p.nombre.vista()), o.separador); break;
                case CampoPunto::Codigo: anadirCelda(s, cp1252AUtf8(p.codigo.vista()), o.separador); break;
                case CampoPunto::X:
                case CampoPunto::E: anadirNumero(s, p.x, o.decimales); break;
                case CampoPunto::Y:
                case CampoPunto::N: anadirNumero(s, p.y, o.decimales); break;
                case CampoPunto::Z: anadirNumero(s, p.z, o.decimales); break;
            }
        }
        s += "\r\n";
    }
    return s;
}

LecturaPuntosTexto leerPuntosTexto(std::string_view texto, const OpcionesTexto& o) {
    LecturaPuntosTexto r;
    if (texto.starts_with("\xEF\xBB\xBF")) texto.remove_prefix(3);
    std::size_t numero = 0;
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::size_t fin = std::min(texto.find('\n', i), texto.size());
        const std::string_view linea = texto.substr(i, fin - i);
        i = fin + 1;
        ++numero;
        if (numero == 1 && o.cabecera) continue;
        if (recortar(linea).empty()) continue;
        const auto c = celdas(linea, o.separador);
        const auto mal = [&](std::string motivo) {
            r.erroneas.push_back({numero, "línea " + std::to_string(numero) + ": " + std::move(motivo)});
        };
        if (c.size() < o.columnas.size()) {
            mal("tiene " + std::to_string(c.size()) + " columnas y se esperan " + std::to_string(o.columnas.size()));
            continue;
        }
        PuntoCoordenadas p;
        std::string motivo;
        for (std::size_t k = 0; k < o.columnas.size() && motivo.empty(); ++k) {
            const CampoPunto campo = o.columnas[k];
            if (campo == CampoPunto::Nombre || campo == CampoPunto::Codigo) {
                const std::string t = utf8ACp1252(recortar(c[k]));
                const bool nombre = campo == CampoPunto::Nombre;
                const std::size_t cabe =
                    nombre ? decltype(RegistroCoordenadas::nombre)::capacidad : decltype(RegistroCoordenadas::codigo)::capacidad;
                if (nombre && t.empty()) motivo = "el nombre está vacío";
                else if (t.size() > cabe || t.find('\0') != std::string::npos)
                    motivo = std::string(nombre ? "el nombre" : "el código") + " \"" + std::string(recortar(c[k])) +
                             "\" pasa de " + std::to_string(cabe) + " caracteres";
                else if (nombre) p.nombre = t;
                else p.codigo = t;
                continue;
            }
            const auto v = leerNumero(c[k], o.separador);
            if (!v) {
                motivo = std::string("la ") + tituloCampo(campo) + " \"" + std::string(recortar(c[k])) +
                         "\" no es un número";
                continue;
            }
            switch (eje(campo)) {
                case CampoPunto::X: p.x = *v; break;
                case CampoPunto::Y: p.y = *v; break;
                default: p.z = *v; break;
            }
        }
        if (!motivo.empty()) mal(std::move(motivo));
        else r.puntos.push_back(p);
    }
    return r;
}

}  // namespace celvara
