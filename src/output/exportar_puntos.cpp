#include "output/exportar_puntos.h"

#include <chrono>
#include <ctime>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/plataforma.h"
#ifndef CELVARA_SIN_INTERCAMBIO
#include "output/puntos_dxf.h"
#include "output/puntos_kml.h"
#include "output/puntos_landxml.h"
#endif

namespace celvara {

namespace {

std::string extensionMinuscula(const std::filesystem::path& ruta) {
    std::string e = ruta.extension().string();
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return e;
}

bool grabarTexto(const std::filesystem::path& ruta, const std::string& texto) {
    EscritorAtomico w(ruta);
    return w.abierto() && w.escribir(texto.data(), texto.size()) && w.confirmar();
}

#ifndef CELVARA_SIN_INTERCAMBIO
void sellar(std::string& fecha, std::string& hora) {
    const std::time_t ahora = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm t = plataforma::horaLocal(ahora);
    char f[16], h[16];
    std::strftime(f, sizeof f, "%Y-%m-%d", &t);
    std::strftime(h, sizeof h, "%H:%M:%S", &t);
    if (fecha.empty()) fecha = f;
    if (hora.empty()) hora = h;
}
#endif

}  // namespace

std::optional<FormatoPuntos> formatoPorExtension(const std::filesystem::path& ruta) {
    const std::string e = extensionMinuscula(ruta);
    if (e == ".csv" || e == ".txt") return FormatoPuntos::Texto;
    if (e == ".dxf") return FormatoPuntos::Dxf;
    if (e == ".xml" || e == ".landxml") return FormatoPuntos::LandXml;
    if (e == ".kml") return FormatoPuntos::Kml;
    return std::nullopt;
}

Resultado exportarPuntos(const ListaPuntos& puntos, const std::filesystem::path& destino,
                         const OpcionesExportacion& o) {
    const auto formato = formatoPorExtension(destino);
    if (!formato) return {false, kMensajeExtension};
    const std::string errorGrabar = "Error al grabar el fichero " + destino.string();
    std::string error;
    switch (*formato) {
        case FormatoPuntos::Texto:
            if (!grabarTexto(destino, escribirPuntosTexto(puntos, o.texto))) return {false, errorGrabar};
            break;
#ifdef CELVARA_SIN_INTERCAMBIO
        // Built without the libraries of these formats (the Windows build).
        case FormatoPuntos::Dxf:
        case FormatoPuntos::LandXml:
        case FormatoPuntos::Kml:
            return {false, "Esta versión solo exporta puntos a .csv y .txt"};
#else
        case FormatoPuntos::Dxf:
            if (!escribirPuntosDxf(puntos, destino, error)) return {false, error};
            break;
        case FormatoPuntos::LandXml: {
            OpcionesLandXml x{o.texto.decimales, o.fecha, o.hora, std::nullopt};
            if (o.proyeccion == Proyeccion::UtmHayford || o.proyeccion == Proyeccion::UtmWgs84)
                x.sistema = ProyeccionTrabajo{
                    o.trabajo.huso, datumConcordante(o.trabajo.datum, static_cast<std::uint32_t>(o.proyeccion))};
            sellar(x.fecha, x.hora);
            if (!grabarTexto(destino, escribirPuntosLandXml(puntos, x))) return {false, errorGrabar};
            break;
        }
        case FormatoPuntos::Kml: {
            const auto kml = escribirPuntosKml(puntos, o.proyeccion, destino.stem().string(), error, o.trabajo);
            if (!kml) return {false, error};
            if (!grabarTexto(destino, *kml)) return {false, errorGrabar};
            break;
        }
#endif
    }
    return {true, std::to_string(puntos.size()) + " puntos exportados a " + destino.string()};
}

bool leerFicheroPuntosTexto(const std::filesystem::path& ruta, const OpcionesTexto& opciones,
                            LecturaPuntosTexto& lectura, std::string& error) {
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) {
        error = "No se puede leer el fichero " + ruta.string();
        return false;
    }
    lectura = leerPuntosTexto(std::string_view(reinterpret_cast<const char*>(datos.data()), datos.size()), opciones);
    // Bad lines are skipped around good ones; with none good the file is not
    // a point list (or not in these columns), and an empty result would hide it.
    if (lectura.puntos.empty()) {
        error = "El fichero " + ruta.string() + " no tiene ningún punto que se pueda leer";
        return false;
    }
    return true;
}

Resultado grabarPuntosEnCrd(const ListaPuntos& puntos, const std::filesystem::path& destino, bool anadir) {
    ListaRegistrosCoordenadas registros;
    std::error_code ec;
    if (anadir && std::filesystem::exists(destino, ec) && !leerFicheroCoordenadas(destino, registros))
        return {false, "No se puede leer el fichero de coordenadas " + destino.string()};
    const std::size_t antes = registros.size();
    registros.reserve(antes + puntos.size());
    for (const auto& p : puntos) registros.push_back(aRegistro(p));
    if (!escribirFicheroCoordenadas(registros, destino))
        return {false, "Error al grabar el fichero de coordenadas " + destino.string()};
    return {true, std::to_string(puntos.size()) + " puntos importados a " + destino.string() + " (" +
                      std::to_string(registros.size()) + " puntos)"};
}

namespace {
constexpr std::string_view kSeccionExportar = "ExportarPuntos";
}  // namespace

PreferenciasExportacion PreferenciasExportacion::leer(const AjustesPropios& ini) {
    PreferenciasExportacion p;
    if (auto v = ini.texto(kSeccionExportar, "formato"); v && formatoPorExtension("x." + *v)) p.formato = *v;
    if (auto v = ini.texto(kSeccionExportar, "columnas"); v && !v->empty()) p.columnas = *v;
    if (auto v = ini.texto(kSeccionExportar, "separador"); v && !v->empty()) p.separador = *v;
    const double d = ini.numero(kSeccionExportar, "decimales", p.decimales);
    if (d >= 0 && d <= kMaxDecimales) p.decimales = static_cast<int>(d);
    p.cabecera = ini.numero(kSeccionExportar, "cabecera", 0) == 1;
    return p;
}

void PreferenciasExportacion::escribir(AjustesPropios& ini) const {
    ini.asignar(kSeccionExportar, "formato", formato);
    ini.asignar(kSeccionExportar, "columnas", columnas);
    ini.asignar(kSeccionExportar, "separador", separador);
    ini.asignarNumero(kSeccionExportar, "decimales", decimales);
    ini.asignar(kSeccionExportar, "cabecera", cabecera ? "1" : "0");
}

}  // namespace celvara
