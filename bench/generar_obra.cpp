// generar_obra LIBRETA.obs VERDAD.txt [ed50]
// A realistic job for the examples and the end-to-end tests: three known
// bases, one set-up on each with an unknown orientation, sights to the other
// bases in both faces and radiated points around. Readings are what a total
// station would record (0.0001 gon, 1 mm), made from true coordinates that
// go to VERDAD.txt as "name X Y Z". With "ed50" the coordinates are UTM
// (zone 30, Hayford) and the recorded distances are ground distances: grid
// distance divided by the point scale factor of the set-up's station.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calc/proyeccion_utm.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"

namespace {

using namespace celvara;

constexpr double kPi = 3.14159265358979323846;

double redondear(double v, double paso) { return std::round(v / paso) * paso; }

double azimutGon(double dx, double dy) {
    double a = std::atan2(dx, dy) * 200.0 / kPi;
    return a < 0 ? a + 400.0 : a;
}

struct Punto {
    std::string nombre;
    double x, y, z;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: generar_obra LIBRETA.obs VERDAD.txt [ed50]\n");
        return 2;
    }
    const bool utm = argc > 3 && std::string(argv[3]) == "ed50";
    CProyeccionUTM proyeccion(true);
    std::mt19937 azar(20261206);
    std::uniform_real_distribution<double> u(0.0, 1.0);

    const std::vector<Punto> bases = {{"B1", 436512.345, 4478021.678, 652.310},
                                      {"B2", 436871.902, 4478244.115, 660.874},
                                      {"B3", 436655.480, 4477694.233, 648.092}};
    CLibretaCampo libreta;
    DatosComplementarios datos = datosComplementariosPorDefecto();
    datos.instrumento = "LEICA TCR1203";
    datos.operador = "J. RUIZ";
    datos.dia = "14-10-2026";
    datos.hora = "09:30:00";
    datos.corregidoEsfRefr = 1;  // no curvature term in the example

    FILE* verdad = std::fopen(argv[2], "w");
    if (!verdad) return 1;
    int numero = 1000;
    for (std::size_t i = 0; i < bases.size(); ++i) {
        const Punto& b = bases[i];
        auto* e = crearEstacion(libreta.estaciones, {.nombre = b.nombre, .tipo = 2, .coordenadas = Coordenadas{b.x, b.y, b.z},
                                                     .descripcion1 = "Clavo de acero", .descripcion2 = "Hito de la obra"});
        std::fprintf(verdad, "%s %.4f %.4f %.4f\n", b.nombre.c_str(), b.x, b.y, b.z);
        const double ai = redondear(1.45 + 0.2 * u(azar), 0.001);
        const double omega = 400.0 * u(azar);  // true orientation of the circle
        const double escala = utm ? escalaRadiacion(&proyeccion, 1.0, b.x, b.y).k : 1.0;
        auto* s = crearEstacionamiento(e->estacionamientos, nullptr, b.nombre + "-1", b.nombre, ai, &datos, 0.0);
        auto leer = [&](const Punto& p, double jalon, bool circuloIzquierdo, const std::string& codigo) {
            const double dx = p.x - b.x, dy = p.y - b.y;
            const double dhCuadricula = std::hypot(dx, dy);
            const double dh = dhCuadricula / escala;
            const double dz = p.z + jalon - b.z - ai;
            double h = azimutGon(dx, dy) - omega;
            while (h < 0) h += 400.0;
            double v = std::atan2(dh, dz) * 200.0 / kPi;  // zenith angle
            const double d = std::hypot(dh, dz);
            if (!circuloIzquierdo) {
                h = std::fmod(h + 200.0, 400.0);
                v = 400.0 - v;
            }
            crearLectura(s->lecturas, std::nullopt, p.nombre, jalon, redondear(d, 0.001), redondear(v, 0.0001),
                         redondear(h, 0.0001), codigo);
        };
        for (std::size_t j = 0; j < bases.size(); ++j)
            if (j != i) {
                leer(bases[j], 1.5, true, "BASE");
                leer(bases[j], 1.5, false, "BASE");
            }
        static const char* codigos[] = {"BORDILLO", "ARQUETA", "FAROLA", "ARBOL", "PIE TALUD", "CABEZA TALUD", "POSTE"};
        for (int k = 0; k < 40; ++k) {
            const double r = 20.0 + 280.0 * u(azar), a = 2 * kPi * u(azar);
            Punto p{std::to_string(numero++), b.x + r * std::sin(a), b.y + r * std::cos(a), b.z - 8.0 + 16.0 * u(azar)};
            p.x = redondear(p.x, 0.0001);
            p.y = redondear(p.y, 0.0001);
            p.z = redondear(p.z, 0.0001);
            const double jalon = k % 5 == 0 ? 2.0 : 1.5;
            leer(p, jalon, true, codigos[k % 7]);
            std::fprintf(verdad, "%s %.4f %.4f %.4f\n", p.nombre.c_str(), p.x, p.y, p.z);
        }
    }
    std::fclose(verdad);
    return escribirLibreta(libreta, argv[1]) ? 0 : 1;
}
