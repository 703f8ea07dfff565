// listado bases|resena|estadillo|desorientaciones LIBRETA.obs -o F.pdf
//   [--estacion NOMBRE] [--estacionamiento NOMBRE] [--empresa datos_empresa.prt]
// The printed listing as a PDF of all its pages, drawn by the preview's own
// painter. Built only with Qt; it needs no display (Qt's offscreen
// platform; on Windows, the system's). The company header comes from
// --empresa, else from the shipped company file, as the window's does; the
// company logo and the stations' pictures are read through the drive
// mapping ($CELVARA_UNIDAD_C), the logo falling back to the shipped one.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>

#include "cli/datos_instalados.h"
#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/rutas.h"
#include "output/imprimir.h"
#include "ui/output/pintor_pagina.h"

namespace celvara::cli {
namespace {

const std::map<std::string, Listado> kListados{{"bases", Listado::Bases},
                                               {"resena", Listado::Resena},
                                               {"estadillo", Listado::Estadillo},
                                               {"desorientaciones", Listado::Desorientaciones}};

// The logo the desktop program shows (c:\trabajos\vestrum\logo.bmp, which
// the user may have replaced), else the shipped one.
std::filesystem::path logoEmpresa(const MapaRutas& mapa) {
    std::error_code ec;
    if (auto propio = mapa.aAnfitrion(kLogoPorDefecto); std::filesystem::is_regular_file(propio, ec)) return propio;
    return datoFijoInstalado("logo.bmp");
}

const RegistroComando registro("listado", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("listado", "Escribe un listado impreso como PDF");
    struct Opciones {
        std::string que, libreta, salida, estacion, estacionamiento, empresa;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("listado", o->que, "bases, resena, estadillo o desorientaciones")
        ->required()
        ->check(CLI::IsMember({"bases", "resena", "estadillo", "desorientaciones"}));
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero PDF")->required();
    sub->add_option("--estacion", o->estacion, "Estación de la reseña o del estadillo");
    sub->add_option("--estacionamiento", o->estacionamiento, "Estacionamiento del estadillo");
    sub->add_option("--empresa", o->empresa, "Datos del trabajo (datos_empresa.prt) para la cabecera; sin ella, los del programa");
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        SeleccionListado seleccion;
        if (!o->estacion.empty()) {
            seleccion.estacion = libreta.buscarEstacion(utf8ACp1252(o->estacion));
            if (!seleccion.estacion) {
                std::cerr << "No existe la estación " << o->estacion << '\n';
                return kErrorUso;
            }
        }
        if (!o->estacionamiento.empty()) {
            const auto [e, s] = libreta.buscarEstacionamiento(utf8ACp1252(o->estacionamiento));
            if (!s || (seleccion.estacion && e != seleccion.estacion)) {
                std::cerr << "No existe el estacionamiento " << o->estacionamiento << '\n';
                return kErrorUso;
            }
            seleccion = {e, s};
        }
        const MapaRutas mapa(unidadC());
        EntornoListado entorno;
        entorno.mapa = &mapa;
        entorno.logo = logoEmpresa(mapa);
        if (!o->empresa.empty()) {
            DatosTrabajo datos;
            if (auto e = leerDatosTrabajoEntrada(datos, o->empresa, kMensajeDatosTrabajo); !e.empty()) return fallo(e);
            entorno.empresa = datos;
        } else if (const auto enviada = datoFijoInstalado("datos_empresa.prt"); !enviada.empty()) {
            // A listing headed by an error line is no listing: the shipped header stands in.
            DatosTrabajo datos;
            if (leerDatosTrabajoEntrada(datos, enviada.string(), kMensajeDatosTrabajo).empty()) entorno.empresa = datos;
        }
        // Fonts need a GUI application; no window is ever shown. Qt's notes
        // about the session (no runtime folder and the like) are not ours
        // to print; failures are reported below. On Windows the system's
        // platform gives the system's fonts and needs no display.
#ifndef _WIN32
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
            if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::cerr << texto.toStdString() << '\n';
        });
        int argc = 1;
        char nombre[] = "celvara-cli";
        char* argv[] = {nombre, nullptr};
        QGuiApplication aplicacion(argc, argv);  // also takes the user's locale
        const CImprimir imprimir(libreta, std::move(entorno), kListados.at(o->que), seleccion.estacion,
                                 seleccion.estacionamiento);
        std::vector<Pagina> paginas;
        for (int n = 1; n <= imprimir.paginas(); ++n) paginas.push_back(imprimir.paginaNumero(n));

        if (!ui::escribirPdf(o->salida, paginas)) return fallo("Error al grabar el fichero " + o->salida);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
