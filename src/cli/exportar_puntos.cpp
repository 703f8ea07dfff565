// exportar-puntos PUNTOS.crd -o F.csv|F.txt|F.dxf|F.xml|F.kml: the points of
// a coordinate file (or the stations of an observation file, .obs) in the
// format the extension names. KML needs the projection: --proyeccion, or
// that of the book for an observation file, on the zone of --huso or of the
// book's INI (LIBRETA.obs.ini), else 30; LandXML names it when known.
#include <cctype>
#include <iostream>
#include <memory>

#include "cli/entradas.h"
#include "cli/puntos_opciones.h"
#include "datos/puntos_estaciones.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/proyeccion_trabajo.h"
#include "output/exportar_puntos.h"

namespace celvara::cli {
namespace {

struct Opciones {
    std::string origen, salida, proyeccion;
    int decimales = 3;
    int huso = 0;  // 0: the book's, else 30
    OpcionesColumnasCli columnas;
};

bool esLibreta(const std::string& ruta) {
    std::string e = std::filesystem::path(ruta).extension().string();
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e == ".obs";
}

int exportar(const Opciones& o) {
    if (!formatoPorExtension(o.salida)) {
        std::cerr << kMensajeExtension << '\n';
        return kErrorUso;
    }
    OpcionesExportacion x;
    if (!aplicarOpcionesColumnas(o.columnas, o.salida, x.texto)) return kErrorUso;
    if (o.decimales < 0 || o.decimales > kMaxDecimales) {
        std::cerr << "--decimales entre 0 y " << kMaxDecimales << '\n';
        return kErrorUso;
    }
    x.texto.decimales = o.decimales;

    ListaPuntos puntos;
    bool proyeccionConocida = false;
    if (esLibreta(o.origen)) {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o.origen); !e.empty()) return fallo(e);
        puntos = puntosDeEstaciones(libreta);
        x.proyeccion = static_cast<Proyeccion>(libreta.proyeccion);
        x.trabajo = leerProyeccionTrabajo(o.origen, libreta.proyeccion);
        proyeccionConocida = true;
    } else if (leerListaPuntos(o.origen, puntos) != Estado::Exito) {
        return fallo("Error al abrir el fichero de coordenadas " + o.origen);
    }
    if (const auto d = datumPorNombre(o.proyeccion)) {
        x.trabajo.datum = *d;
        x.proyeccion = static_cast<Proyeccion>(campoProyeccion(*d));
    } else if (!proyeccionConocida && formatoPorExtension(o.salida) == FormatoPuntos::Kml) {
        std::cerr << "Un fichero de coordenadas no dice su proyección: indique --proyeccion ed50|etrs89|wgs84|regcan95\n";
        return kErrorUso;
    }
    if (o.huso != 0) x.trabajo.huso = o.huso;

    const auto r = exportarPuntos(puntos, o.salida, x);
    if (!r.ok) return fallo(r.mensaje);
    std::cout << r.mensaje << '\n';
    return kExito;
}

const RegistroComando registro("exportar-puntos", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("exportar-puntos", "Exporta puntos a CSV/TXT, DXF, LandXML o KML");
    auto o = std::make_shared<Opciones>();
    sub->add_option("puntos", o->origen, "Fichero de coordenadas (.crd) o de observaciones (.obs)")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de salida: .csv .txt .dxf .xml .kml")->required();
    anadirOpcionesColumnas(sub, o->columnas);
    sub->add_option("--decimales", o->decimales, "Decimales de las coordenadas (3)");
    sub->add_flag("--cabecera", o->columnas.cabecera, "Fila de cabecera en CSV/TXT");
    sub->add_option("--proyeccion", o->proyeccion, "Datum de las coordenadas UTM (KML, LandXML): ed50, etrs89, wgs84 o regcan95")
        ->check(CLI::IsMember({"ed50", "etrs89", "wgs84", "regcan95"}));
    sub->add_option("--huso", o->huso, "Huso UTM de las coordenadas (1-60; el de la libreta, si no 30)")
        ->check(CLI::Range(kHusoMinimo, kHusoMaximo));
    return [o]() { return exportar(*o); };
});

}  // namespace
}  // namespace celvara::cli
