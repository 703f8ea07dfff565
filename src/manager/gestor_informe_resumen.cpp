#include "manager/gestor_informe_resumen.h"

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_observaciones.h"

namespace celvara {

namespace {
// A sighting with a vertical below 200 is face left (CD), else face right (CI).
constexpr double kMediaVuelta = 200.0;
}  // namespace

std::string informeResumen(const CLibretaCampo& libreta) {
    std::string t;
    t += "\n\n";
    t += "                        I N F O R M E       D E L      F I C H E R O\n";
    t += "\n\n";
    t += " " + std::string(96, '*') + "\n";
    t += "\n\n\n";
    for (const auto& e : libreta.estaciones) {
        t += formatear("ESTACION : %s\t\t X = %12.3f\t Y = %12.3f\t Z = %12.3f\n", e->nombre.c_str(), e->x, e->y,
                       e->z);
        if (e->estacionamientos.empty()) {
            t += utf8ACp1252("         No se estaciónó.\n");
        } else {
            t += utf8ACp1252(formatear("         Se estacionó: %d veces.\n",
                                       static_cast<int>(e->estacionamientos.size())));
        }
        for (const auto& s : e->estacionamientos) {
            t += formatear("         %s\t con:  I = %6.3f  Desor = %9.4f  Intr: %s\t  %d Lect\n", s->nombre.c_str(),
                           s->alturaInstrumento, s->desorientacion, s->datos.instrumento.c_str(),
                           static_cast<int>(s->lecturas.size()));
            for (const auto& otra : libreta.estaciones) {
                if (otra.get() == e.get()) continue;
                int veces = 0, cd = 0, ci = 0;
                for (const auto& l : s->lecturas) {
                    if (l.nombre != otra->nombre) continue;
                    ++veces;
                    if (l.vertical < kMediaVuelta) ++cd;
                    else ++ci;
                }
                if (veces != 0)
                    t += formatear("                ->  %s:\t  %dveces %dCD  %dCI\n", otra->nombre.c_str(), veces, cd,
                                   ci);
            }
            t += "\n";
        }
        t += "\n\n";
    }
    return t;
}

void CGestorObservaciones::generarInformeResumen() {
    PeticionFichero p;
    p.guardar = true;
    p.extension = "TXT";
    p.filtro = kFiltroTexto;
    p.confirmarSobrescribir = true;
    p.directorioInicial = cp1252AUtf8(carpetaLibreta(ajustes()));
    p.recordar = "informes";
    const auto ruta = dialogos().pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    escribirPanelesPendientes();
    const std::string texto = informeResumen(libreta());
    EscritorAtomico f(documento_.anfitrion(utf8ACp1252(*ruta)));
    const bool ok = f.abierto() && f.escribir(texto.data(), texto.size());
    if (!f.confirmar() || !ok) {
        avisos().mensaje("No se pudo escribir el fichero " + *ruta, "", Botones::Aceptar, Icono::Stop);
        return;
    }
    mostrador_.mostrar(*ruta);
}

std::string lineaOrdenEditor(std::string_view rutaWindows) {
    return "NOTEPAD " + std::string(rutaWindows);
}

}  // namespace celvara
