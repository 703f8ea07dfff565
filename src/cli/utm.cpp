// utm --elipsoide ed50|etrs89|wgs84|regcan95 [--huso N]: a filter from UTM
// grid coordinates (zone N, 30 by default) to geographic coordinates and
// point scale factor on that datum's ellipsoid, with no datum shift. Each
// line of stdin "X Y" (easting, northing, metres) gives one line "lat lon k" ("%.10f %.10f
// %.12f", degrees), or "fuera" when the point is outside the grid; numbers
// read as typed numbers everywhere (decimal commas allowed, unreadable text
// is 0, hence "fuera"). It streams: memory does not grow with the input.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "calc/proyeccion_utm.h"
#include "cli/registro.h"
#include "fieldbook/numeros.h"

namespace celvara::cli {
namespace {

constexpr std::size_t kBloqueLectura = std::size_t(1) << 20;
constexpr std::size_t kBloqueEscritura = std::size_t(1) << 16;
constexpr std::size_t kLineaMaxima = 4096;  // longer lines keep their first bytes only

bool esBlanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Next blank-separated field of the line, or empty.
std::string_view siguienteCampo(std::string_view& linea) {
    std::size_t i = 0;
    while (i < linea.size() && esBlanco(linea[i])) ++i;
    std::size_t j = i;
    while (j < linea.size() && !esBlanco(linea[j])) ++j;
    const std::string_view campo = linea.substr(i, j - i);
    linea.remove_prefix(j);
    return campo;
}

class SalidaBuffer {
public:
    explicit SalidaBuffer(std::FILE* f) : f_(f) { datos_.resize(kBloqueEscritura + 128); }
    ~SalidaBuffer() { vaciar(); }
    // Room for one output line.
    char* reservar() {
        if (usado_ > kBloqueEscritura) vaciar();
        return datos_.data() + usado_;
    }
    void avanzar(char* hasta) { usado_ = static_cast<std::size_t>(hasta - datos_.data()); }
    char* fin() { return datos_.data() + datos_.size(); }
    void vaciar() {
        if (usado_ && std::fwrite(datos_.data(), 1, usado_, f_) != usado_) error_ = true;
        usado_ = 0;
    }
    bool error() const { return error_; }

private:
    std::FILE* f_;
    std::vector<char> datos_;
    std::size_t usado_ = 0;
    bool error_ = false;
};

// "%.10f %.10f %.12f".
void convertirLinea(std::string_view linea, CProyeccionUTM& utm, SalidaBuffer& salida) {
    const double x = textoANumero(siguienteCampo(linea));
    const double y = textoANumero(siguienteCampo(linea));
    char* p = salida.reservar();
    if (const auto g = utm.UtmAGeograficas(x, y, utm.huso())) {
        char* fin = salida.fin();
        p = escribirFijo(p, fin, g->latitud, 10);
        *p++ = ' ';
        p = escribirFijo(p, fin, g->longitud, 10);
        *p++ = ' ';
        p = escribirFijo(p, fin, g->factorEscala, 12);
    } else {
        static constexpr std::string_view kFuera = "fuera";
        p = std::copy(kFuera.begin(), kFuera.end(), p);
    }
    *p++ = '\n';
    salida.avanzar(p);
}

int convertir(Datum datum, int huso) {
    CProyeccionUTM utm(elipsoideCalculo(campoProyeccion(datum), datum), huso);
    SalidaBuffer salida(stdout);
    std::vector<char> bloque(kBloqueLectura);
    std::string partida;  // a line cut by the end of a block
    std::size_t n;
    while ((n = std::fread(bloque.data(), 1, bloque.size(), stdin)) > 0) {
        const char* p = bloque.data();
        const char* const fin = p + n;
        while (p < fin) {
            const auto* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fin - p)));
            const char* finLinea = nl ? nl : fin;
            if (partida.empty() && nl) {
                convertirLinea(std::string_view(p, static_cast<std::size_t>(nl - p)), utm, salida);
            } else {
                const std::size_t cabe = kLineaMaxima - std::min(kLineaMaxima, partida.size());
                partida.append(p, std::min(cabe, static_cast<std::size_t>(finLinea - p)));
                if (nl) {
                    convertirLinea(partida, utm, salida);
                    partida.clear();
                }
            }
            p = nl ? nl + 1 : fin;
        }
    }
    const bool errorLectura = std::ferror(stdin) != 0;
    if (!partida.empty()) convertirLinea(partida, utm, salida);
    salida.vaciar();
    if (errorLectura) return fallo("Error al leer la entrada");
    if (salida.error() || std::fflush(stdout) != 0) return fallo("Error al escribir la salida");
    return kExito;
}

const RegistroComando registro("utm", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand(
        "utm", "Convierte líneas \"X Y\" UTM de la entrada en \"latitud longitud factor de escala\"");
    auto elipsoide = std::make_shared<std::string>();
    auto huso = std::make_shared<int>(kHusoPorDefecto);
    sub->add_option("--elipsoide", *elipsoide,
                    "Elipsoide: ed50 (Hayford), wgs84, etrs89 o regcan95 (GRS80), sin cambio de datum")
        ->required()
        ->transform(CLI::IsMember({"ed50", "etrs89", "wgs84", "regcan95"}, CLI::ignore_case));
    sub->add_option("--huso", *huso, "Huso UTM (1-60, 30 por defecto)")->check(CLI::Range(kHusoMinimo, kHusoMaximo));
    return [elipsoide, huso]() -> int { return convertir(datumPorNombre(*elipsoide).value_or(Datum::Ed50), *huso); };
});

}  // namespace
}  // namespace celvara::cli
