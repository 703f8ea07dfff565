// nivelacion LINEA.csv --cota-salida Z0 [--cota-llegada Z1] [--ajustar]
// [--tolerancia-mm K]: a levelling line file computed with the levelling
// window's steps. One line per row "punto med_e dist_e med_f dist_f dh suma
// cota" (with --ajustar, the adjusted elevation last), then the computed
// arrival height and, with Z1, the misclosure and the tolerance k·√km in
// metres (k in mm, 10 unless given; "no calculable" without the length of
// every leg: stadia wires, or the file's last column `distancia`).
// --formato gsi reads the line as a digital level recorded it (GSI-8/16
// blocks, traverse/nivelacion_gsi.h); --cota-salida may then be left out
// when the level recorded the start point's height (word 83).
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>

#include "cli/registro.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "traverse/calculo_nivelacion.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/nivelacion_gsi.h"

namespace celvara::cli {
namespace {

// A typed height: decimal comma allowed, nothing else after the number.
std::optional<double> numeroEstricto(std::string texto) {
    for (char& ch : texto)
        if (ch == ',') ch = '.';
    const char* p = texto.data() + (!texto.empty() && texto.front() == '+' ? 1 : 0);
    double v = 0;
    const auto r = std::from_chars(p, texto.data() + texto.size(), v);
    if (texto.empty() || r.ec != std::errc() || r.ptr != texto.data() + texto.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

struct Opciones {
    std::string linea, salida, llegada, formato = "csv";
    bool ajustar = false;
    double k = kToleranciaKPorDefecto;
};

// The rows of the line file, or of the GSI recording with the start height it holds.
bool leerLinea(const Opciones& o, std::vector<LecturasNivelacion>& filas, std::optional<double>& cotaGrabada,
               std::string& mensaje) {
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(o.linea, datos)) {
        mensaje = "No se puede abrir el fichero " + o.linea;
        return false;
    }
    const std::string_view texto(reinterpret_cast<const char*>(datos.data()), datos.size());
    if (o.formato == "gsi") {
        LineaNivelacionGsi gsi;
        if (!leerTextoNivelacionGsi(texto, gsi, mensaje)) return false;
        filas = std::move(gsi.filas);
        cotaGrabada = gsi.cotaSalida;
        return true;
    }
    return leerTextoNivelacion(texto, filas, mensaje);
}

int calcular(const Opciones& o) {
    std::vector<LecturasNivelacion> filas;
    std::optional<double> cotaGrabada;
    std::string mensaje;
    const bool leida = leerLinea(o, filas, cotaGrabada, mensaje);
    if (o.salida.empty()) {
        if (!leida) return fallo(mensaje.starts_with("No se puede abrir") ? mensaje : o.linea + ": " + mensaje);
        if (!cotaGrabada) {
            std::cerr << (o.formato == "gsi" ? "Falta --cota-salida: el fichero no graba la cota de salida\n" : "Falta --cota-salida\n");
            return kErrorUso;
        }
    }
    const auto z0 = o.salida.empty() ? cotaGrabada : numeroEstricto(o.salida);
    const auto z1 = o.llegada.empty() ? std::optional<double>() : numeroEstricto(o.llegada);
    if (!z0 || (!o.llegada.empty() && !z1)) {
        std::cerr << "Cota no válida: " << (!z0 ? o.salida : o.llegada) << '\n';
        return kErrorUso;
    }
    if (o.ajustar && !z1) {
        std::cerr << "--ajustar necesita --cota-llegada\n";
        return kErrorUso;
    }
    // Line numbers after the file's name, as a script may compute many lines.
    if (!leida) return fallo(mensaje.starts_with("No se puede abrir") ? mensaje : o.linea + ": " + mensaje);
    if (const auto incompleta = filaIncompleta(filas)) return fallo(o.linea + ": " + *incompleta);
    if (filas.empty()) return fallo("El fichero " + o.linea + " no tiene lecturas");

    EntradaNivelacion entrada;
    for (const LecturasNivelacion& l : filas) entrada.filas.push_back(filaDeLecturas(l));
    entrada.cotaSalida = *z0;
    entrada.cotaLlegada = z1.value_or(0);
    entrada.llegadaConocida = z1.has_value();
    entrada.ajustar = o.ajustar;
    entrada.kMm = o.k;
    const ResultadoNivelacion res = calcularNivelacion(entrada);

    std::string texto;
    for (const std::string& l : lineasListadoNivelacion(res)) texto += l + '\n';
    texto += formatear("Cota llegada = %1.4lf\n", res.cotaCalculada.value_or(*z0));
    if (res.errorCierre) {
        texto += formatear("Error de cierre = %1.4lf\n", *res.errorCierre);
        texto += lineaToleranciaNivelacion(res) + '\n';
    }
    std::cout << texto << std::flush;
    return std::cout ? kExito : fallo("Error al escribir la salida");
}

const RegistroComando registro("nivelacion", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("nivelacion", "Calcula una línea de nivelación (fichero CSV o GSI de nivel digital)");
    auto o = std::make_shared<Opciones>();
    sub->add_option("linea", o->linea, "Fichero de la línea (CSV, o GSI con --formato gsi)")->required();
    sub->add_option("--formato", o->formato, "csv (por defecto) o gsi")->check(CLI::IsMember({"csv", "gsi"}));
    sub->add_option("--cota-salida", o->salida,
                    "Cota de la estación de salida (con gsi, la grabada en el fichero si falta)");
    sub->add_option("--cota-llegada", o->llegada, "Cota conocida de la estación de llegada");
    sub->add_flag("--ajustar", o->ajustar, "Reparte el error de cierre (necesita --cota-llegada)");
    sub->add_option("--tolerancia-mm", o->k, "k de la tolerancia k·√km, en mm (10)")
        ->check(CLI::PositiveNumber);
    return [o]() -> int { return calcular(*o); };
});

}  // namespace
}  // namespace celvara::cli
