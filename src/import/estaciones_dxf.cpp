#include "import/estaciones_dxf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <new>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "fieldbook/codificacion.h"

#ifndef CELVARA_SIN_INTERCAMBIO
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#endif

namespace celvara {

#ifdef CELVARA_SIN_INTERCAMBIO

// Built without dxflib (the Windows build).
LecturaDibujo buscarEstacionesEnDxf(const CLibretaCampo&, const std::filesystem::path&) {
    return {"Esta versión no lee dibujos DXF", {}};
}

#else

namespace {

// As a coordinate file's points: beyond it a value is damage, not a place.
constexpr double kLimiteCoordenada = 1e9;
// Half a millimetre: closer than that, the station's coordinates are these.
constexpr double kMismaCoordenada = 0.0005;
// No name is longer; and dxflib reads a line of at most 1024 characters.
constexpr std::size_t kLargoValor = 250;

std::string_view recortar(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string mayusculas(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool esNumero(std::string_view s) {
    s = recortar(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size() && std::isfinite(v);
}

void anadirUtf8(std::string& s, unsigned c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// "\U+00D1": AutoCAD's escape of a character outside the drawing's code page.
bool escapeUnicode(std::string_view t, std::size_t i, unsigned& c) {
    if (t.size() < i + 7 || t[i + 1] != 'U' || t[i + 2] != '+') return false;
    const auto [p, ec] = std::from_chars(t.data() + i + 3, t.data() + i + 7, c, 16);
    return ec == std::errc() && p == t.data() + i + 7;
}

// The text a label shows, in Windows-1252: the escapes, MTEXT's formatting
// ({\fArial|b1;E1}, \P ...) and TEXT's %%u/%%o/%%k switches taken out, the
// blanks around it trimmed.
std::string textoVisible(std::string_view bruto, bool utf8, bool mtext) {
    const std::string u = utf8 ? std::string(bruto) : cp1252AUtf8(bruto);
    const std::string_view t = u;
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        unsigned punto = 0;
        if (c == '\\' && escapeUnicode(t, i, punto)) {
            anadirUtf8(r, punto);
            i += 6;
        } else if (!mtext) {
            const bool interruptor = c == '%' && i + 2 < t.size() && t[i + 1] == '%' &&
                                     std::string_view("uUoOkK").find(t[i + 2]) != std::string_view::npos;
            if (interruptor) i += 2;
            else r += c;
        } else if (c == '{' || c == '}') {
            continue;
        } else if (c != '\\' || i + 1 == t.size()) {
            r += c;
        } else {
            const char codigo = t[++i];
            if (codigo == 'P' || codigo == 'N' || codigo == '~') r += ' ';
            else if (codigo == '\\' || codigo == '{' || codigo == '}') r += codigo;
            else if (std::string_view("LlOoKk").find(codigo) != std::string_view::npos) continue;
            else if (const auto fin = t.find(';', i); fin != std::string_view::npos) i = fin;  // \f...; \H...; ...
            else i = t.size();
        }
    }
    return utf8ACp1252(recortar(r));
}

// The drawing's pairs of lines, checked one by one; of the model space only
// the entities the matching needs go on to dxflib, which trusts the counts
// of polylines, splines and hatches and would read a cut file's last entity
// as whole. Returns the error (empty: read), with the line it found it at.
std::string filtrar(std::istream& in, std::string& salida, bool& utf8) {
    static const std::unordered_set<std::string> kUtiles{"POINT", "TEXT", "MTEXT", "INSERT", "ATTRIB", "SEQEND"};
    std::ostringstream out;
    out << "0\nSECTION\n2\nENTITIES\n";
    std::string linea, valor, seccion, variable, entidad;
    bool esperaSeccion = false, util = false, papel = false;
    auto cerrar = [&] {
        if (util && !papel) out << entidad;
        entidad.clear();
        util = papel = false;
    };
    for (std::size_t n = 1; std::getline(in, linea); n += 2) {
        if (n == 1 && linea.rfind("\xEF\xBB\xBF", 0) == 0) linea.erase(0, 3);
        if (n == 1 && linea.rfind("AutoCAD Binary DXF", 0) == 0) return "es un DXF binario: grábelo como DXF de texto";
        if (!std::getline(in, valor)) break;
        const std::string_view c = recortar(linea);
        int codigo = -1;
        if (const auto [p, ec] = std::from_chars(c.data(), c.data() + c.size(), codigo);
            ec != std::errc() || p != c.data() + c.size() || codigo < 0)
            return "no es un DXF de texto válido (línea " + std::to_string(n) + ")";
        const std::string_view v = recortar(valor);
        if (codigo == 0) {
            cerrar();
            if (v == "EOF") {
                salida = out.str() + "0\nENDSEC\n0\nEOF\n";
                return {};
            }
            if (v == "SECTION") esperaSeccion = true;
            if (v == "ENDSEC") seccion.clear();
            util = seccion == "ENTITIES" && kUtiles.count(std::string(v));
        } else if (codigo == 2 && esperaSeccion) {
            seccion = v;
            esperaSeccion = false;
            continue;
        } else if (seccion == "HEADER") {
            if (codigo == 9) variable = v;
            if (codigo == 1 && variable == "$ACADVER") utf8 = v >= "AC1021";
            continue;
        }
        // Extended data, handles and owners (codes from 100 on) say nothing of where a point is.
        if (!util || codigo >= 100) continue;
        if (codigo >= 10 && codigo < 60 && !esNumero(v))
            return "tiene un número no válido en la línea " + std::to_string(n + 1);
        if (codigo == 67 && v == "1") papel = true;
        entidad += std::to_string(codigo) + '\n';
        entidad += (codigo == 0 ? v : std::string_view(valor).substr(0, kLargoValor));
        if (!entidad.empty() && entidad.back() == '\r') entidad.pop_back();
        entidad += '\n';
    }
    return "está incompleto: le falta el final (EOF)";
}

struct Punto {
    std::string capa;
    double x, y, z;
};
struct Rotulo {
    std::string capa, texto;
    double x, y, alto;
};
struct Bloque {
    double x, y, z;
    std::vector<std::string> atributos;
};

// What dxflib reads of the filtered drawing. Attributes follow their INSERT
// up to its SEQEND.
class Recolector : public DL_CreationAdapter {
public:
    explicit Recolector(bool utf8) : utf8_(utf8) {}
    std::vector<Punto> puntos;
    std::vector<Rotulo> rotulos;
    std::vector<Bloque> bloques;

    void addPoint(const DL_PointData& d) override {
        enBloque_ = false;
        puntos.push_back({capa(), d.x, d.y, d.z});
    }
    void addText(const DL_TextData& d) override {
        enBloque_ = false;
        rotulos.push_back({capa(), textoVisible(d.text, utf8_, false), d.ipx, d.ipy, d.height});
    }
    void addMTextChunk(const std::string& trozo) override { trozos_ += trozo; }
    void addMText(const DL_MTextData& d) override {
        enBloque_ = false;
        rotulos.push_back({capa(), textoVisible(trozos_ + d.text, utf8_, true), d.ipx, d.ipy, d.height});
        trozos_.clear();
    }
    void addInsert(const DL_InsertData& d) override {
        bloques.push_back({d.ipx, d.ipy, d.ipz, {}});
        enBloque_ = true;
    }
    void addAttribute(const DL_AttributeData& d) override {
        if (enBloque_) bloques.back().atributos.push_back(textoVisible(d.text, utf8_, false));
    }
    void endSequence() override { enBloque_ = false; }

private:
    std::string capa() { return mayusculas(getAttributes().getLayer()); }
    bool utf8_;
    bool enBloque_ = false;
    std::string trozos_;
};

bool valida(double x, double y, double z) {
    return std::abs(x) <= kLimiteCoordenada && std::abs(y) <= kLimiteCoordenada && std::abs(z) <= kLimiteCoordenada;
}

struct Hallazgo {
    double x, y, z;
    double distancia;         // from the label to its point; 0 for a block
    const Punto* punto;       // nullptr for a block
};

// The POINT of a list nearest to (x, y) and its distance squared.
const Punto* masCercano(const std::vector<const Punto*>& puntos, double x, double y, double& d2) {
    const Punto* cerca = nullptr;
    d2 = std::numeric_limits<double>::infinity();
    for (const Punto* p : puntos)
        if (const double d = (p->x - x) * (p->x - x) + (p->y - y) * (p->y - y); d < d2) {
            d2 = d;
            cerca = p;
        }
    return cerca;
}

// Labels of one layer and one height are one kind (names, codes, heights).
std::string clase(const Rotulo& t) { return t.capa + '\0' + std::to_string(std::llround(t.alto * 1000)); }

// Where the labels of a kind sit from their own POINT: the median of the
// offsets from the first of them to their nearest POINT. A writer places
// every label of a kind alike, so a name is taken back to the point it was
// written for even where another point (a kerb's top beside its foot) lies
// nearer to the label.
std::pair<double, double> desplazamientoTipico(const std::vector<const Rotulo*>& clase,
                                               const std::vector<const Punto*>& puntos) {
    constexpr std::size_t kMuestra = 500;
    std::vector<double> dx, dy;
    for (std::size_t i = 0; i < clase.size() && i < kMuestra; ++i) {
        double d2 = 0;
        if (const Punto* p = masCercano(puntos, clase[i]->x, clase[i]->y, d2)) {
            dx.push_back(clase[i]->x - p->x);
            dy.push_back(clase[i]->y - p->y);
        }
    }
    if (dx.empty()) return {0.0, 0.0};
    const auto medio = dx.size() / 2;
    std::nth_element(dx.begin(), dx.begin() + static_cast<std::ptrdiff_t>(medio), dx.end());
    std::nth_element(dy.begin(), dy.begin() + static_cast<std::ptrdiff_t>(medio), dy.end());
    return {dx[medio], dy[medio]};
}

// The best finding of every station name the drawing holds.
std::unordered_map<std::string, Hallazgo> emparejar(const Recolector& r, const std::unordered_set<std::string>& nombres) {
    std::unordered_map<std::string, std::vector<const Punto*>> porCapa;
    for (const auto& p : r.puntos)
        if (valida(p.x, p.y, p.z)) porCapa[p.capa].push_back(&p);
    // The kinds of the labels that name a station, with all their labels.
    std::unordered_map<std::string, std::vector<const Rotulo*>> clases;
    for (const auto& t : r.rotulos)
        if (nombres.count(t.texto) && valida(t.x, t.y, t.alto)) clases[clase(t)];
    for (const auto& t : r.rotulos)
        if (const auto c = clases.find(clase(t)); c != clases.end() && valida(t.x, t.y, t.alto)) c->second.push_back(&t);
    std::unordered_map<std::string, std::pair<double, double>> desplazamientos;
    std::unordered_map<std::string, Hallazgo> mejor;
    auto proponer = [&](const std::string& nombre, const Hallazgo& h) {
        const auto [it, nuevo] = mejor.emplace(nombre, h);
        if (!nuevo && h.distancia < it->second.distancia) it->second = h;
    };
    for (const auto& b : r.bloques)
        for (const auto& a : b.atributos)
            if (nombres.count(a) && valida(b.x, b.y, b.z)) proponer(a, {b.x, b.y, b.z, 0.0, nullptr});
    for (const auto& t : r.rotulos) {
        if (!nombres.count(t.texto) || !valida(t.x, t.y, t.alto)) continue;
        const auto capa = porCapa.find(t.capa);
        if (capa == porCapa.end()) continue;
        const std::string k = clase(t);
        auto d = desplazamientos.find(k);
        if (d == desplazamientos.end())
            d = desplazamientos.emplace(k, desplazamientoTipico(clases[k], capa->second)).first;
        double d2 = 0;
        if (const Punto* p = masCercano(capa->second, t.x - d->second.first, t.y - d->second.second, d2))
            proponer(t.texto, {p->x, p->y, p->z, std::sqrt(d2), p});
    }
    // A POINT two names picked belongs to the nearer label.
    std::unordered_map<const Punto*, double> dueno;
    for (const auto& [nombre, h] : mejor)
        if (h.punto) {
            const auto [it, nuevo] = dueno.emplace(h.punto, h.distancia);
            if (!nuevo && h.distancia < it->second) it->second = h.distancia;
        }
    std::erase_if(mejor, [&](const auto& par) {
        return par.second.punto && dueno.find(par.second.punto)->second < par.second.distancia;
    });
    return mejor;
}

}  // namespace

LecturaDibujo buscarEstacionesEnDxf(const CLibretaCampo& libreta, const std::filesystem::path& ruta) {
    LecturaDibujo lectura;
    const std::string nombreFichero = ruta.string();
    std::ifstream f(ruta, std::ios::binary);
    std::error_code ec;
    if (!f || std::filesystem::is_directory(ruta, ec)) {
        lectura.error = "No se puede abrir el dibujo " + nombreFichero;
        return lectura;
    }
    try {
        std::string filtrado;
        bool utf8 = false;
        if (auto error = filtrar(f, filtrado, utf8); !error.empty()) {
            lectura.error = "El dibujo " + nombreFichero + " " + error;
            return lectura;
        }
        Recolector r(utf8);
        std::istringstream entrada(filtrado);
        DL_Dxf dxf;
        dxf.in(entrada, &r);

        std::unordered_set<std::string> nombres;
        for (const auto& e : libreta.estaciones)
            if (!e->nombre.vista().empty()) nombres.emplace(e->nombre.vista());
        const auto halladas = emparejar(r, nombres);
        for (std::size_t i = 0; i < libreta.estaciones.size(); ++i) {
            const Estacion& e = *libreta.estaciones[i];
            const auto it = halladas.find(std::string(e.nombre.vista()));
            if (it == halladas.end()) continue;
            const Hallazgo& h = it->second;
            const bool conocida = e.x != 0 || e.y != 0;
            const bool otras = std::abs(e.x - h.x) > kMismaCoordenada || std::abs(e.y - h.y) > kMismaCoordenada ||
                               std::abs(e.z - h.z) > kMismaCoordenada;
            lectura.estaciones.push_back({i, std::string(e.nombre.vista()), h.x, h.y, h.z, conocida && otras});
        }
    } catch (const std::bad_alloc&) {
        lectura = {"No hay memoria para leer el dibujo " + nombreFichero, {}};
    }
    return lectura;
}

#endif

std::vector<std::size_t> tomarCoordenadasDeDibujo(CLibretaCampo& libreta, const std::vector<EstacionEnDibujo>& halladas,
                                                  const std::vector<bool>& elegidas) {
    std::vector<std::size_t> cambiadas;
    for (std::size_t i = 0; i < halladas.size() && i < elegidas.size(); ++i) {
        const EstacionEnDibujo& h = halladas[i];
        if (!elegidas[i] || h.indice >= libreta.estaciones.size()) continue;
        Estacion& e = *libreta.estaciones[h.indice];
        if (e.x == h.x && e.y == h.y && e.z == h.z) continue;
        e.x = h.x;
        e.y = h.y;
        e.z = h.z;
        cambiadas.push_back(i);
    }
    return cambiadas;
}

}  // namespace celvara
