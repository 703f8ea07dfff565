// radiar LIBRETA.obs -o PUNTOS.crd [options]: the radiation of every set-up,
// with the options as the window has them (defaults as it opens with default
// settings). Prints "name X Y Z" per point written.
#include <algorithm>
#include <iostream>
#include <string>

#include "calc/radiacion.h"
#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/proyeccion_trabajo.h"
#include "fieldbook/numeros.h"

namespace celvara::cli {
namespace {

// Messages of the computation (a report or the coordinate file that cannot
// be written) on stderr.
class AvisosCli : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view, Botones, Icono) override {
        std::cerr << texto << '\n';
        return Respuesta::Aceptar;
    }
};

const RegistroComando registro("radiar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("radiar", "Calcula las coordenadas de todos los puntos radiados");
    struct Opciones {
        std::string libreta, salida, informe, informe2, proyeccion = "planas", esfRefr = "libreta";
        double escala = 1.0;
        bool anadir = false, sinEstaciones = false, visualesAEstaciones = false;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("libreta", o->libreta, "Fichero de observaciones")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de coordenadas")->required();
    sub->add_option("--informe", o->informe, "Informe de cálculo (nº H V Dg m X Y Z), se añade al final");
    sub->add_option("--informe2", o->informe2, "Informe de coordenadas (nº X Y Z), se crea de nuevo");
    sub->add_option("--proyeccion", o->proyeccion, "planas, ed50, etrs89, wgs84 o regcan95")
        ->check(CLI::IsMember({"planas", "ed50", "etrs89", "wgs84", "regcan95"}));
    sub->add_option("--escala", o->escala, "Escala adicional al cálculo");
    sub->add_flag("--anadir", o->anadir, "Conserva los puntos del fichero de coordenadas");
    sub->add_flag("--sin-estaciones", o->sinEstaciones, "No añade las estaciones al fichero");
    sub->add_option("--esf-refr", o->esfRefr, "Esfericidad y refracción: todas, ninguna o libreta")
        ->check(CLI::IsMember({"todas", "ninguna", "libreta"}));
    sub->add_flag("--visuales-a-estaciones", o->visualesAEstaciones, "Calcula también las visuales a estaciones");
    return [o]() -> int {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        OpcionesRadiacion opciones;
        opciones.planas = o->proyeccion == "planas";
        opciones.hayford = o->proyeccion == "ed50";
        opciones.escalaAdicional = o->escala;
        opciones.anadirEstaciones = !o->sinEstaciones;
        if (o->esfRefr != "libreta") {
            opciones.aplicarATodas = true;
            opciones.esfRefrTodas = o->esfRefr == "todas";
        }
        EntradaRadiacion entrada = entradaRadiacion(libreta, opciones, !o->visualesAEstaciones);
        // The zone from the book's INI; the datum (its ellipsoid) as asked.
        entrada.trabajo.huso = leerProyeccionTrabajo(o->libreta, libreta.proyeccion).huso;
        entrada.trabajo.datum = datumPorNombre(o->proyeccion).value_or(Datum::Ed50);
        // As "CALCULAR": a book without set-ups, or no file named, writes nothing.
        if (entrada.estacionamientos.empty()) return kFalloFichero;
        if (o->salida.empty()) {
            std::cerr << "Introducir Nombre Fichero de Coordenadas\n";
            return kFalloFichero;
        }
        FicherosRadiacion ficheros;
        ficheros.crd = o->salida;
        ficheros.anadir = o->anadir;
        if (!o->informe.empty()) ficheros.informe1 = o->informe;
        if (!o->informe2.empty()) ficheros.informe2 = o->informe2;
        // A million points print through one reused buffer, numbers by
        // escribirFijo, as they are saved: the C library's printf took most of the
        // time of a big job, and holding them all cost more in fresh pages
        // than the work. A save that fails at the end exits 1 after them.
        constexpr std::size_t kTrozo = std::size_t{1} << 20;
        std::string salida;
        salida.reserve(kTrozo + 256);
        auto volcar = [&salida] {
            std::cout.write(salida.data(), static_cast<std::streamsize>(salida.size()));
            salida.clear();
        };
        ficheros.conservarPuntos = false;
        ficheros.alGrabarPunto = [&](const PuntoCoordenadas& p) {
            const std::string_view nombre = p.nombre.vista();
            if (std::ranges::all_of(nombre, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                salida += nombre;
            else
                salida += utf8(nombre);
            char numero[352];  // the widest double with 3 decimals fits
            for (const double v : {p.x, p.y, p.z}) {
                const char* fin = escribirFijo(numero, numero + sizeof numero, v, 3);
                if (!fin) fin = numero;
                salida += ' ';
                salida.append(numero, static_cast<std::size_t>(fin - numero));
            }
            salida += '\n';
            if (salida.size() >= kTrozo) volcar();
        };
        AvisosCli avisos;
        const auto r = radiarAFicheros(libreta, entrada, ficheros, avisos);
        if (!r.escrito) return kFalloFichero;
        volcar();
        std::cout.flush();
        for (const std::string& omitida : r.omitidas) std::cerr << omitida << '\n';
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
