// Runs every computation of the program on one input file: a book (obs), a
// traverse file (pol), a levelling line (nivelacion) or a coordinate file
// (crd, whose points the stations of a base book take before that book is
// computed). Every report, printed text and result number is handed to a
// Vigilante, which keeps the first non-finite value it sees. Shared by the
// computation fuzz harness and the test that replays its findings.
// One short function per computation, so that each follows its window's
// entry point.
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "calc/desorientacion_individual.h"
#include "calc/desorientaciones_todas.h"
#include "calc/estacion_mmcc.h"
#include "calc/proyeccion_utm.h"
#include "calc/radiacion.h"
#include "calc/red/ajuste_red.h"
#include "calc/resultado_estacion.h"
#include "datos/fichero_crd.h"
#include "datos/instrumentos.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "manager/coordenadas_comandos.h"
#include "manager/herramientas_lecturas.h"
#include "output/correcciones_lecturas.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/fichero_pol.h"
#include "traverse/informe_poligonal.h"
#include "traverse/calculo_nivelacion.h"
#include "traverse/resultado_poligonal.h"
#include "traverse/tolerancias_poligonal.h"

namespace celvara::fuzz {

// Where a computation may write, and what it may read besides its input.
struct EntornoCalculo {
    std::filesystem::path carpeta;           // scratch folder for reports and written files
    const ListaInstrumentos* biblioteca = nullptr;
    std::filesystem::path libretaBase;       // the book a coordinate file feeds
};

inline std::string leerTodo(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// "nan", "inf" or "infinity" as printf writes them, in any case, standing
// alone ("Esp. Inf" is a column heading, not a number).
inline bool textoNoFinito(std::string_view t) {
    auto letra = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < t.size();) {
        if (!letra(t[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < t.size() && letra(t[j])) ++j;
        std::string palabra(t.substr(i, j - i));
        for (char& c : palabra) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((palabra == "nan" || palabra == "inf" || palabra == "infinity") && (j == t.size() || t[j] != '.'))
            return true;
        i = j;
    }
    return false;
}

// Keeps the first non-finite value that reached a report or a result.
class Vigilante {
public:
    // Texts are checked only when no input spells such a word itself (a
    // point named "inf" is a name).
    explicit Vigilante(std::string_view entrada) : textos_(!textoNoFinito(entrada)) {}
    void fuente(std::string_view otra) { textos_ = textos_ && !textoNoFinito(otra); }
    void texto(std::string_view donde, std::string_view t) {
        if (textos_ && fallo_.empty() && textoNoFinito(t)) fallo_ = std::string(donde) + ": " + std::string(t.substr(0, 2000));
    }
    void fichero(std::string_view donde, const std::filesystem::path& ruta) { texto(donde, leerTodo(ruta)); }
    void numero(std::string_view donde, double v) {
        if (fallo_.empty() && !std::isfinite(v)) fallo_ = std::string(donde) + ": " + std::to_string(v);
    }
    // Non-finite numbers of a set-up may only be those it came with.
    void noMas(std::string_view donde, std::size_t antes, std::size_t despues) {
        if (fallo_.empty() && despues > antes) fallo_ = std::string(donde) + ": valores no finitos nuevos";
    }
    const std::string& fallo() const { return fallo_; }

private:
    bool textos_;
    std::string fallo_;
};

inline std::size_t noFinitos(const CLibretaCampo& l) {
    std::size_t n = 0;
    auto cuenta = [&n](double v) { n += !std::isfinite(v); };
    for (const auto& e : l.estaciones) {
        for (double v : {e->x, e->y, e->z}) cuenta(v);
        for (const auto& s : e->estacionamientos) {
            for (double v : {s->alturaInstrumento, s->desorientacion}) cuenta(v);
            for (const Lectura& r : s->lecturas)
                for (double v : {r.jalon, r.distancia, r.vertical, r.horizontal}) cuenta(v);
        }
    }
    return n;
}

inline void rejilla(Vigilante& v, std::string_view donde, const RejillaTexto& g) {
    for (std::size_t f = 0; f < g.numeroFilas(); ++f)
        for (std::size_t c = 0; c < g.numeroColumnas(); ++c) v.texto(donde, g.texto(f, c));
}

// The stations a per-station window is opened on: the first few, so that a
// big book stays a quick input.
inline constexpr std::size_t kEstacionesPorCalculo = 6;

inline void orientarTodas(const std::filesystem::path& obs, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    const std::size_t antes = noFinitos(l);
    CCalculoDesorientaciones todas(l);
    todas.calcular();
    rejilla(v, "desorientaciones", todas.rejilla());
    for (std::size_t f = 0; f < todas.rejilla().numeroFilas(); ++f) {
        if (!todas.rejilla().marcada(f, columna_todas::uso)) continue;
        CCalculoDesorientacion una(l);
        una.abrirPara(todas.estacionDeFila(f), todas.estacionamientoDeFila(f));
        const auto visadas = una.nombresVisadas();
        for (std::size_t i = 0; i < visadas.size() && i < 50; ++i) una.anadirVisuales(i);
        una.calcular();
        v.texto("desorientacion individual", una.textoInforme());
    }
    todas.grabar();
    v.noMas("desorientaciones grabadas", antes, noFinitos(l));
}

inline void radiar(const std::filesystem::path& obs, std::uint32_t proyeccion, const EntornoCalculo& en, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    CDatosGenerales ajustes;
    ajustes.proyeccion = proyeccion;
    AvisosSilenciosos avisos;
    CCalculoRadiacion ventana(l, ajustes, avisos);
    ventana.recogerErroresInstrumento(en.biblioteca);
    ventana.opciones().informe1 = ventana.opciones().informe2 = true;
    ventana.aplicarConfiguracion();
    ventana.ficheroCrd = (en.carpeta / "radiacion.crd").string();
    ventana.rutaInforme1 = en.carpeta / "informe1.txt";
    ventana.rutaInforme2 = en.carpeta / "informe2.txt";
    std::error_code ec;
    for (const auto& f : {ventana.rutaInforme1, ventana.rutaInforme2}) std::filesystem::remove(f, ec);
    const ResultadoRadiacion r = ventana.calcular();
    for (const PuntoCoordenadas& p : r.puntos)
        for (double x : {p.x, p.y, p.z}) v.numero("radiacion", x);
    for (const auto& f : r.ficheros)
        if (f.extension() == ".txt") v.fichero("informe de radiacion", f);
}

inline std::vector<std::string> primerasEstaciones(const std::vector<std::string>& nombres) {
    return {nombres.begin(), nombres.begin() + static_cast<std::ptrdiff_t>(std::min(nombres.size(), kEstacionesPorCalculo))};
}

inline void estacionSemi(const std::filesystem::path& obs, const EntornoCalculo& en, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    CDatosGenerales ajustes;
    AvisosSilenciosos avisos(Respuesta::Si);
    CCalculoEstacionSemi semi(l, ajustes, en.biblioteca, avisos);
    for (const std::string& nombre : primerasEstaciones(semi.nombresEstaciones())) {
        if (!semi.elegirEstacion(nombre)) continue;
        for (auto m : {MetodoEstacion::Radiacion, MetodoEstacion::Directa, MetodoEstacion::Inversa}) semi.cargar(m);
        if (!semi.calcular()) continue;
        CResultadoEstacion resultado(ajustes, *semi.estacion(), semi.soluciones(), avisos);
        resultado.promediar = {true, true, true};
        resultado.promediarSoluciones();
        for (const auto* t : {&resultado.textoX, &resultado.textoY, &resultado.textoZ, &resultado.textoPrecision})
            v.texto("estacion semiautomatica", *t);
        v.texto("informe de estacion semiautomatica", resultado.textoInforme());
        const std::size_t antes = noFinitos(l);
        resultado.guardar();
        v.noMas("estacion semiautomatica grabada", antes, noFinitos(l));
    }
}

inline void estacionMmcc(const std::filesystem::path& obs, const EntornoCalculo& en, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    CDatosGenerales ajustes;
    AvisosSilenciosos avisos;
    CCalculoEstacionMMCC calculo(l, ajustes, en.biblioteca, avisos);
    calculo.instrumentos().preguntar = false;
    for (const std::string& nombre : primerasEstaciones(calculo.nombresEstaciones())) {
        if (!calculo.elegirEstacion(nombre)) continue;
        const Estacion& e = *calculo.estacion();
        calculo.textoX = formatear("%1.4lf", std::isfinite(e.x) ? e.x : 0.0);
        calculo.textoY = formatear("%1.4lf", std::isfinite(e.y) ? e.y : 0.0);
        if (calculo.iterar(10) == 0) continue;
        const ResultadoPasada& r = calculo.resultado();
        for (double x : {r.x, r.y, r.z, r.desorientacion}) v.numero("estacion mmcc", x);
        for (const auto* t : {&calculo.textoX, &calculo.textoY, &calculo.textoZ, &calculo.textoResumen})
            v.texto("estacion mmcc", *t);
        v.texto("informe de estacion mmcc", calculo.textoInforme());
        const std::size_t antes = noFinitos(l);
        calculo.grabar();
        v.noMas("estacion mmcc grabada", antes, noFinitos(l));
    }
}

inline void red(const std::filesystem::path& obs, bool libre, const EntornoCalculo& en, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    CDatosGenerales ajustes;
    AvisosSilenciosos avisos;
    OpcionesRed opciones;
    opciones.libre = libre;
    // Held: the first two stations with coordinates, so that the rest move.
    for (const auto& e : l.estaciones)
        if (!libre && opciones.fijos.size() < 2 && (e->x != 0 || e->y != 0))
            opciones.fijos.emplace_back(e->nombre.vista());
    CAjusteRed ajuste(l, ajustes, en.biblioteca, avisos);
    ajuste.instrumentos().preguntar = false;
    if (!ajuste.preparar(opciones) || !ajuste.ajustar()) return;
    for (const EstacionRed& e : ajuste.estaciones())
        if (!e.fija && (e.plano || e.altura))
            for (double x : {e.x, e.y, e.z, e.sx, e.sy}) v.numero("red", x);
    for (const ObservacionRed& o : ajuste.observaciones()) v.numero("residuo de la red", o.residuo);
    for (const std::string& t : {ajuste.textoTest(), ajuste.textoFuera(), ajuste.textoZLibre(), ajuste.textoInforme()})
        v.texto("informe de la red", t);
    const std::size_t antes = noFinitos(l);
    ajuste.grabar();
    v.noMas("red grabada", antes, noFinitos(l));
}

// Every correction of the corrections window on every set-up, the face mean
// included.
inline void corregir(const std::filesystem::path& obs, const EntornoCalculo& en, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    const std::size_t antes = noFinitos(l);
    OpcionesCorreccion o{true, 12.5, -7.0, 3.0, true, true, true, true};
    for (const auto& e : l.estaciones)
        for (const auto& s : e->estacionamientos) corregirEstacionamiento(*s, o);
    v.noMas("correcciones", antes, noFinitos(l));
    escribirLibreta(l, en.carpeta / "corregida.obs");
}

// "LISTADO DE VISUALES REPETIDAS": every repeated name, all its rows marked,
// averaged and put back into the set-up.
inline void repetidas(const std::filesystem::path& obs, Vigilante& v) {
    CLibretaCampo l;
    if (!leerLibreta(l, obs)) return;
    const std::size_t antes = noFinitos(l);
    AvisosSilenciosos avisos(Respuesta::Si);
    for (const auto& e : l.estaciones)
        for (const auto& s : e->estacionamientos) {
            CVisualesRepetidas visuales(*s, avisos);
            for (std::size_t i = 0; i < visuales.nombres().size() && i < 20; ++i) {
                visuales.elegir(static_cast<int>(i));
                rejilla(v, "visuales repetidas", visuales.rejilla());
                for (std::size_t f = 0; f < visuales.rejilla().numeroFilas(); ++f)
                    visuales.rejilla().asignar(f, columna_repetidas::marca, "1");
                if (!visuales.promediarMarcadas()) continue;
                rejilla(v, "promedio de visuales repetidas", visuales.promedio());
                visuales.insertarPromedio();
            }
        }
    v.noMas("visuales repetidas", antes, noFinitos(l));
}

inline void calcularLibreta(const std::filesystem::path& obs, const EntornoCalculo& en, Vigilante& v) {
    orientarTodas(obs, v);
    for (std::uint32_t proyeccion : {0u, 1u, 2u}) radiar(obs, proyeccion, en, v);
    estacionSemi(obs, en, v);
    estacionMmcc(obs, en, v);
    for (bool libre : {false, true}) red(obs, libre, en, v);
    corregir(obs, en, v);
    repetidas(obs, v);
}

// The traverse by each compensation method (each with a projection of its
// own, to reach the UTM paths too).
inline void calcularPoligonal(const std::filesystem::path& pol, const EntornoCalculo& en, Vigilante& v) {
    Poligonal p;
    std::string mensaje;
    if (!leerFicheroPoligonal(pol, p, mensaje) || comprobarPoligonal(p.filas, p.referencia)) return;
    CDatosGenerales ajustes;
    const EvaluadorErrores evaluador = en.biblioteca ? evaluadorTolerancias(*en.biblioteca, ajustes) : EvaluadorErrores{};
    for (std::uint32_t metodo : {0u, 1u, 2u}) {
        AvisosSilenciosos avisos;
        CResultadoPoligonal ventana(p.filas, p.referencia, {metodo, 4, metodo, 1.0}, avisos, evaluador);
        if (!ventana.abrir()) continue;
        const auto& r = *ventana.resultado();
        for (const TramoPoligonal& t : r.tramos)
            for (double x : {t.x, t.y, t.z, t.azimutC, t.desorientacionFinal}) v.numero("poligonal", x);
        for (const EstacionGeneral& e : r.estaciones)
            for (double x : {e.x, e.y, e.z, e.desorientacion}) v.numero("poligonal", x);
        v.texto("resumen de la poligonal", ventana.resumen());
        v.texto("informe de la poligonal", informePoligonal(r));
    }
}

// The levelling line from 100 m to 100.01 m, adjusted.
inline void calcularNivelacion(const std::filesystem::path& linea, Vigilante& v) {
    std::vector<LecturasNivelacion> filas;
    std::string mensaje;
    if (!leerFicheroNivelacion(linea, filas, mensaje) || filaIncompleta(filas) || filas.empty()) return;
    EntradaNivelacion entrada;
    for (const LecturasNivelacion& f : filas) entrada.filas.push_back(filaDeLecturas(f));
    entrada.cotaSalida = 100;
    entrada.cotaLlegada = 100.01;
    entrada.llegadaConocida = true;
    entrada.ajustar = true;
    const ResultadoNivelacion r = calcularNivelacion(entrada);
    for (const std::string& l : lineasListadoNivelacion(r)) v.texto("listado de nivelacion", l);
    v.texto("informe de nivelacion", informeNivelacion(r, "SALIDA", "LLEGADA"));
    v.texto("tolerancias de nivelacion", textoToleranciasNivelacion(r));
    for (const TramoNivelacion& t : r.tramos)
        for (double x : {t.desnivel, t.suma, t.cota, t.cotaAjustada.value_or(0)}) v.numero("nivelacion", x);
    if (r.cotaCalculada) v.numero("cota de llegada", *r.cotaCalculada);
    if (r.errorCierre) v.numero("error de cierre", *r.errorCierre);
    if (r.tolerancia) v.numero("tolerancia", *r.tolerancia);
}

// The stations of the base book take the file's points; that book is then
// computed; every point goes through both UTM ellipsoids.
inline void calcularCoordenadas(const std::filesystem::path& crd, const EntornoCalculo& en, Vigilante& v) {
    ListaPuntos puntos;
    leerListaPuntos(crd, puntos);
    for (bool hayford : {true, false}) {
        CProyeccionUTM utm(hayford);
        for (const PuntoCoordenadas& p : puntos)
            if (const auto g = utm.UtmAGeograficas(p.x, p.y, utm.huso()))
                for (double x : {g->latitud, g->longitud, g->factorEscala}) v.numero("utm", x);
    }
    CLibretaCampo l;
    if (!leerLibreta(l, en.libretaBase)) return;
    v.fuente(leerTodo(en.libretaBase));
    recogerCoordenadasDeCrd(l, crd);
    const auto obs = en.carpeta / "con_coordenadas.obs";
    if (escribirLibreta(l, obs)) calcularLibreta(obs, en, v);
}

// By the harness's short name: obs, pol, nivelacion or crd.
inline void calcular(std::string_view calculo, const std::filesystem::path& entrada, const EntornoCalculo& en,
                     Vigilante& v) {
    if (calculo == "obs") calcularLibreta(entrada, en, v);
    else if (calculo == "pol") calcularPoligonal(entrada, en, v);
    else if (calculo == "nivelacion") calcularNivelacion(entrada, v);
    else if (calculo == "crd") calcularCoordenadas(entrada, en, v);
}

}  // namespace celvara::fuzz
