#include "traverse/calculo_nivelacion.h"

#include <cmath>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

std::string cuatro(double v) { return formatear("%1.4lf", v); }
std::string dos(double v) { return formatear("%1.2lf", v); }

bool enBlanco(std::string_view t) { return t.find_first_not_of(" \t") == std::string_view::npos; }

// As a grid cell: blank is not read.
std::optional<double> leido(const std::string& texto) {
    if (enBlanco(texto)) return std::nullopt;
    return textoANumero(texto);
}

// Each row's share of the misclosure, by the length run so far, or in equal
// parts when a leg has no length; the last share is exactly one, so that the
// adjusted arrival is the known height.
void ajustar(ResultadoNivelacion& res, const std::vector<FilaNivelacion>& filas, double error) {
    const bool conDistancias = res.tramosSinLongitud == 0 && res.longitudKm > 0;
    const double total = conDistancias ? res.longitudKm * 1000.0 : static_cast<double>(res.tramos.size());
    double recorrido = 0;
    for (std::size_t i = 0; i < res.tramos.size(); ++i) {
        auto& t = res.tramos[i];
        recorrido += conDistancias ? longitudTramo(filas[t.fila]).value_or(0) : 1.0;
        const double parte = i + 1 == res.tramos.size() ? 1.0 : recorrido / total;
        t.cotaAjustada = valorMostrado(t.cota + error * parte, 4);
    }
    res.ajustada = true;
}

}  // namespace

// A wire read upside down gives a negative distance; the line is as long
// whatever its sign.
std::optional<double> longitudTramo(const FilaNivelacion& f) {
    if (f.distanciaEspalda && f.distanciaFrente) return std::fabs(*f.distanciaEspalda) + std::fabs(*f.distanciaFrente);
    if (f.longitud) return std::fabs(*f.longitud);
    return std::nullopt;
}

double valorMostrado(double v, int decimales) { return textoANumero(formatear("%1.*lf", decimales, v)); }

Mira miraDeHilos(double superior, double inferior) {
    return {valorMostrado((superior + inferior) * 0.5, 4), valorMostrado((superior - inferior) * 100.0, 2)};
}

double desnivelDeMedios(double espalda, double frente) { return valorMostrado(espalda - frente, 4); }

FilaNivelacion filaDeLecturas(const LecturasNivelacion& l) {
    FilaNivelacion f;
    f.punto = l.punto;
    auto mira = [](const std::array<std::string, 3>& hilos, std::optional<double>& medio,
                   std::optional<double>& distancia) {
        medio = leido(hilos[2]);
        if (enBlanco(hilos[0]) || enBlanco(hilos[1])) return;
        const Mira m = miraDeHilos(textoANumero(hilos[0]), textoANumero(hilos[1]));
        medio = m.medio;
        distancia = m.distancia;
    };
    mira(l.espalda, f.medioEspalda, f.distanciaEspalda);
    mira(l.frente, f.medioFrente, f.distanciaFrente);
    f.longitud = leido(l.distancia);
    if (f.medioEspalda && f.medioFrente) f.desnivel = desnivelDeMedios(*f.medioEspalda, *f.medioFrente);
    return f;
}

ResultadoNivelacion calcularNivelacion(const EntradaNivelacion& e) {
    ResultadoNivelacion res;
    res.cotaSalida = e.cotaSalida;
    res.cotaLlegada = e.cotaLlegada;
    res.kMm = e.kMm;
    double suma = 0, metros = 0;
    for (std::size_t k = 0; k < e.filas.size(); ++k) {
        const FilaNivelacion& f = e.filas[k];
        if (!f.desnivel) continue;
        TramoNivelacion t;
        t.fila = k;
        t.punto = f.punto;
        t.medioEspalda = f.medioEspalda.value_or(0);
        t.distanciaEspalda = f.distanciaEspalda.value_or(0);
        t.medioFrente = f.medioFrente.value_or(0);
        t.distanciaFrente = f.distanciaFrente.value_or(0);
        t.desnivel = *f.desnivel;
        suma = t.suma = valorMostrado(suma + t.desnivel, 4);
        t.cota = valorMostrado(e.cotaSalida + suma, 4);
        if (const auto l = longitudTramo(f)) metros += *l;
        else ++res.tramosSinLongitud;
        res.tramos.push_back(std::move(t));
    }
    res.longitudKm = metros / 1000.0;
    if (res.tramosSinLongitud == 0 && metros > 0) res.tolerancia = e.kMm * std::sqrt(res.longitudKm) / 1000.0;
    if (!res.tramos.empty()) res.cotaCalculada = res.tramos.back().cota;
    if (e.llegadaConocida && res.cotaCalculada) res.errorCierre = e.cotaLlegada - *res.cotaCalculada;
    if (e.ajustar && res.errorCierre) ajustar(res, e.filas, *res.errorCierre);
    return res;
}

std::vector<std::string> lineasListadoNivelacion(const ResultadoNivelacion& res) {
    std::vector<std::string> v;
    for (const auto& t : res.tramos) {
        std::string l = (enBlanco(t.punto) ? std::string("-") : t.punto) + ' ' + cuatro(t.medioEspalda) + ' ' +
                        dos(t.distanciaEspalda) + ' ' + cuatro(t.medioFrente) + ' ' + dos(t.distanciaFrente) + ' ' +
                        cuatro(t.desnivel) + ' ' + cuatro(t.suma) + ' ' + cuatro(t.cota);
        if (res.ajustada) l += ' ' + cuatro(t.cotaAjustada.value_or(0));
        v.push_back(std::move(l));
    }
    return v;
}

std::string informeNivelacion(const ResultadoNivelacion& res, std::string_view salida, std::string_view llegada) {
    std::string s = "NIVELACION\n\n";
    s += "ESTACION de Salida: " + std::string(salida) + "   Cota Salida: " + cuatro(res.cotaSalida) + "\n";
    s += "ESTACION de LLegada: " + std::string(llegada) + "   Cota LLegada: " + cuatro(res.cotaLlegada) + "\n\n";
    s += formatear("%-12s %10s %9s %10s %9s %10s %10s %12s", "Punto", "Med.Esp", "Dist.Esp", "Med.Fre", "Dist.Fre",
                   "Desnivel", "Suma", "Cota");
    if (res.ajustada) s += formatear(" %12s", "Cota Ajust.");
    s += '\n';
    for (const auto& t : res.tramos) {
        s += formatear("%-12s %10.4lf %9.2lf %10.4lf %9.2lf %10.4lf %10.4lf %12.4lf", utf8ACp1252(t.punto).c_str(),
                       t.medioEspalda, t.distanciaEspalda, t.medioFrente, t.distanciaFrente, t.desnivel, t.suma,
                       t.cota);
        if (res.ajustada) s += formatear(" %12.4lf", t.cotaAjustada.value_or(0));
        s += '\n';
    }
    s += '\n';
    if (res.cotaCalculada) s += formatear("Cota llegada = %1.4lf\n", *res.cotaCalculada);
    return s + utf8ACp1252(textoToleranciasNivelacion(res)) + "\n\n";
}

std::string lineaToleranciaNivelacion(const ResultadoNivelacion& res) {
    if (res.tolerancia) return formatear("Tolerancia = %1.4lf", *res.tolerancia);
    if (res.tramosSinLongitud < res.tramos.size())
        return formatear("Tolerancia = no calculable (sin distancia en %zu de %zu tramos)", res.tramosSinLongitud,
                         res.tramos.size());
    return "Tolerancia = no calculable (sin distancias)";
}

// Without the tolerance the misclosure is given alone: a line read on the
// middle wire is neither within nor outside a tolerance of 0.
std::string textoToleranciasNivelacion(const ResultadoNivelacion& res) {
    std::string texto = formatear("Longitud = %1.3lf km\n", res.longitudKm) + lineaToleranciaNivelacion(res);
    if (res.tolerancia) texto += formatear(" (k = %g mm)", res.kMm);
    if (res.errorCierre) {
        texto += formatear("\nError de cierre = %1.4lf", *res.errorCierre);
        if (res.tolerancia)
            texto += std::fabs(*res.errorCierre) <= *res.tolerancia ? "\nCierre dentro de tolerancia"
                                                                    : "\nCierre fuera de tolerancia";
    }
    return texto;
}

}  // namespace celvara
