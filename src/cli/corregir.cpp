// corregir LIBRETA.obs -o SALIDA.obs [--unificar] [--promediar] [--esfericidad]
//          [--desplazamientos[=H,V,D]]: the steps of the corrections window on
// every set-up of the book. Offsets are in cc (centesimal set-ups) or seconds
// of arc, and mm; given without values they are zero.
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "output/correcciones_lecturas.h"

namespace celvara::cli {
namespace {

const RegistroComando registro("corregir", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("corregir", "Corrige las lecturas de todos los estacionamientos");
    struct Opciones {
        std::string libreta, salida, desplazamientos;
        OpcionesCorreccion correccion;
        CLI::Option* opcionDesplazamientos = nullptr;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de observaciones resultante")->required();
    sub->add_flag("--unificar", o->correccion.unificar, "Unificar tipos de lecturas y unidades");
    sub->add_flag("--promediar", o->correccion.promediar, "Promediar CD/CI");
    sub->add_flag("--esfericidad", o->correccion.esfericidadRefraccion, "Corregir por esfericidad y refracción");
    o->opcionDesplazamientos =
        sub->add_option("--desplazamientos", o->desplazamientos, "Aplicar desplazamientos H,V,D (cc o segundos, mm)")
            ->expected(0, 1);
    return [o]() -> int {
        OpcionesCorreccion opciones = o->correccion;
        if (o->opcionDesplazamientos->count() > 0) {
            opciones.desplazamientos = true;
            double valores[3] = {0, 0, 0};
            std::string_view resto = o->desplazamientos;
            for (double& v : valores) {
                const auto coma = resto.find(',');
                v = textoANumero(resto.substr(0, coma));
                resto = coma == std::string_view::npos ? std::string_view() : resto.substr(coma + 1);
            }
            opciones.desplazamientoH = valores[0];
            opciones.desplazamientoV = valores[1];
            opciones.desplazamientoD = valores[2];
        }
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        CambioCorreccion total;
        for (const auto& e : libreta.estaciones)
            for (const auto& s : e->estacionamientos) total += corregirEstacionamiento(*s, opciones);
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        for (const std::string& omitida : total.omitidas) std::cerr << omitida << "\n";
        std::cout << "Correcciones Realizadas: " << total.estacionamientos << " estacionamientos, " << total.lecturas
                  << " lecturas, " << total.lecturasFundidas << " fundidas\n";
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
