#include "traverse/informe_poligonal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {
namespace {

std::string regla(int asteriscos) { return " " + std::string(asteriscos, '*') + "\n"; }

void seccion(std::string& s, const char* titulo, const char* columnas, int asteriscos) {
    s += titulo;
    s += "\n";
    s += columnas;
    if (asteriscos > 0) s += regla(asteriscos);
    s += "\n";
}

const char* lineaTipo(const ResultadoPoligonal& res) {
    const bool cerrada = res.tipo == TipoPoligonal::Cerrada;
    switch (res.configuracion.metodo) {
    case 0:
        return cerrada ? "   Poligonal Cerrada    - Compensaci\xF3n Prop Distancias Parciales - %s\n"
                       : "   Poligonal Encuadrada   - Compensaci\xF3n Prop Distancias Parciales - %s\n";
    case 1:
        return cerrada ? "   Poligonal Cerrada    - Compensaci\xF3n Prop Coordenadas Parciales - %s\n"
                       : "   Poligonal Encuadrada   - Compensaci\xF3n Prop Coordenadas Parciales - %s\n";
    default:
        return cerrada ? "   Poligonal Cerrada    - Compensaci\xF3n por Sanguet - %s\n"
                       : "   Poligonal Encuadrada   - Compensaci\xF3n por Sanguet - %s\n";
    }
}

std::string resumenConSignos(const ResultadoPoligonal& res) {
    const std::string proy = nombreProyeccionPoligonal(res.configuracion.proyeccion);
    if (res.tipo == TipoPoligonal::Colgada)
        return formatear("Poligonal Colgada: - No Existe Compensación - %s", proy.c_str());
    const std::uint32_t m = res.configuracion.metodo;
    const std::string metodo =
        m == 0 ? formatear("-Compensación Prop Distancias Parciales- %s", proy.c_str())
               : (m == 1 ? formatear("-Compensación Prop Coordenadas Parciales- %s", proy.c_str())
                         : formatear("- Compensación por Sanguet -%s", proy.c_str()));
    const char* cabecera = res.tipo == TipoPoligonal::Cerrada ? "Poligonal Cerrada:" : "Poligonal Encuadrada:";
    if (m == 2)
        return cabecera + formatear("%s\nE.Ang=%1.4lf  E.X=%1.3lf  E.Y=%1.3lf  E.Z=%1.3lf\nGiro = %1.10lf     "
                                    "Coeficiente = %1.10lf    Toler Z = %1.3lf ",
                                    metodo.c_str(), res.E.ang, res.E.x, res.E.y, res.E.z, res.giro,
                                    res.coeficiente, res.T.z);
    return cabecera + formatear("%s\nE.Ang=%1.4lf  E.X=%1.3lf  E.Y=%1.3lf  E.Dist=%1.3lf  E.Z=%1.3lf\nT.Ang=%1.4lf  "
                                "T.X=%1.3lf  T.Y=%1.3lf  T.Dist=%1.3lf  T.Z = %1.3lf ",
                                metodo.c_str(), res.E.ang, res.E.x, res.E.y, res.E.dist, res.E.z, res.T.ang,
                                res.T.x, res.T.y, res.T.dist, res.T.z);
}

}  // namespace

std::string nombreProyeccionPoligonal(std::uint32_t p) {
    return p == 1 ? "UTM-ED50" : (p == 2 ? "UTM-WGS84" : "Planas");
}

std::string textoResumenPoligonal(const ResultadoPoligonal& res) {
    return sinMenosCero(resumenConSignos(res));
}

std::size_t tramosListados(const ResultadoPoligonal& res) {
    const std::size_t S = res.tramos.size();
    return res.tipo == TipoPoligonal::Cerrada || S == 0 ? S : S - 1;
}

std::string informePoligonal(const ResultadoPoligonal& res) {
    std::string s = "\n\n";
    const char* marco = "              *******************************************************************\n";
    s += marco;
    s += "              *    I N F O R M E       D E      L A       P O L I G O N A L     *\n";
    s += marco;
    s += std::string(8, '\n');
    const auto& tr = res.tramos;
    const std::size_t listados = tramosListados(res);

    seccion(s, " ***** AZIMUTES:\n",
            "        TRAMO          Lecturas     Angulo     Desorientaci\xF3n     Azimut     C     AZIMUT\n", 90);
    for (const auto& t : tr) {
        s += formatear("    %14s  %8.4lf\n", t.nombreAtras.c_str(), t.hAtras);
        s += formatear("    %14s  %8.4lf    %8.4lf          %8.4lf       %8.4lf    %1.0lf    %8.4lf\n", t.nombre.c_str(),
                       t.hAdelante, t.angulo, t.desorientacion, t.azimut, t.cAng, t.azimutC);
    }
    s += "\n\n\n\n";

    seccion(s, " ***** DISTANCIAS:\n",
            "        TRAMO            D1         D2      Difer    Tol        Dm        Km         Dist*K\n", 93);
    for (std::size_t k = 0; k < listados; ++k) {
        const auto& t = tr[k];
        s += formatear("    %14s  %10.3lf %10.3lf  %6.3lf   %6.3lf %10.3lf  %10.8lf %10.4lf\n", t.nombre.c_str(), t.d1,
                       t.d2, t.dDifer, t.dTol, t.dm, t.km, t.distK);
    }
    s += "\n\n\n\n";

    seccion(s, " ***** COORDENADAS PARCIALES:\n",
            "        TRAMO         Azimut     Dist*K       I.X        I.Y     Cx        I.Xc    Cy       I.Yc\n", 99);
    for (std::size_t k = 0; k < listados; ++k) {
        const auto& t = tr[k];
        s += formatear("    %14s %10.3lf %10.3lf %10.3lf %10.3lf %6.3lf %10.3lf %6.3lf %10.4lf\n", t.nombre.c_str(),
                       t.azimutC, t.distK, t.ix, t.iy, t.cx, t.ixc, t.cy, t.iyc);
    }
    s += "\n\n\n\n";

    seccion(s, " ***** ALTIMETRIA:\n",
            "        TRAMO            Z1         Z2      Difer    Tol        I.Z       C        I.Zc\n", 90);
    for (std::size_t k = 0; k < listados; ++k) {
        const auto& t = tr[k];
        s += formatear("    %14s %10.3lf %10.3lf %8.3lf %8.3lf %10.3lf %8.3lf %10.4lf\n", t.nombre.c_str(), t.z1, t.z2,
                       t.zDifer, t.zTol, t.iz, t.cz, t.izc);
    }
    s += "\n\n\n\n";

    const std::string proy = nombreProyeccionPoligonal(res.configuracion.proyeccion);
    const std::string titulo = formatear(" ***** COORDENADAS   GENERALES  -%s-\n", proy.c_str());
    seccion(s, titulo.c_str(),
            "        ESTACION          X           Y          Z      DESORIENTACION     Factor UTM\n", 91);
    const auto& estaciones = res.estaciones;
    for (std::size_t k = 0; k < estaciones.size(); ++k) {
        const auto& e = estaciones[k];
        const bool conocida = k == 0 || (res.tipo == TipoPoligonal::Encuadrada && k + 1 == estaciones.size());
        if (conocida)
            s += formatear("   %15s %12.3lf %12.3lf %9.3lf   %8.4lf         %1.8lf\n", e.nombre.c_str(), e.x, e.y, e.z,
                           e.desorientacion, e.factor);
        else
            s += formatear("   %15s %12.3lf %12.3lf %9.3lf   %s        %s\n", e.nombre.c_str(), e.x, e.y, e.z,
                           formatear("%8.4lf", e.desorientacion).c_str(), formatear("%1.8lf", e.factor).c_str());
    }
    s += "\n\n\n\n";

    s += " ***** ERRORES Y TOLERANCIAS  \n\n";
    if (res.tipo == TipoPoligonal::Colgada) {
        s += formatear("   Poligonal Colgada: - No Existe Compensaci\xF3n - %s\n", proy.c_str());
        s += "\n";
    } else {
        s += formatear(lineaTipo(res), proy.c_str());
        s += "\n";
        if (res.configuracion.metodo == 2 && res.tipo == TipoPoligonal::Cerrada)
            s += formatear("       E.Ang  = %1.4lf  E.X = %1.3lf    E.Y = %1.3lf   E.Z = %1.3lf\nGiro = %1.10lf     "
                           "Coeficiente = %1.10lf    Toler Z = %1.3lf ",
                           res.E.ang, res.E.x, res.E.y, res.E.z, res.giro, res.coeficiente, res.T.z);
        else if (res.configuracion.metodo == 2)
            s += formatear("       E.Ang = %1.4lf    E.X = %1.3lf    E.Y = %1.3lf    E.Z = %1.3lf\nGiro = %1.10lf     "
                           "Coeficiente = %1.10lf    Toler Z = %1.3lf ",
                           res.E.ang, res.E.x, res.E.y, res.E.z, res.giro, res.coeficiente, res.T.z);
        else
            s += formatear("       E.Ang  = %1.4lf\tT.Ang  = %1.4lf\n       E.X    = %1.3lf\tT.X    = %1.3lf\n       "
                           "E.Y    = %1.3lf\tT.Y    = %1.3lf\n       E.Dist = %1.3lf\tT.Dist = %1.3lf\n       "
                           "E.Z    = %1.3lf\tT.Z    = %1.3lf\n",
                           res.E.ang, res.T.ang, res.E.x, res.T.x, res.E.y, res.T.y, res.E.dist, res.T.dist, res.E.z,
                           res.T.z);
    }
    s += "\n\n\n\n";
    return sinMenosCero(std::move(s));
}

namespace {

Estacion* estacionConCoordenadas(CLibretaCampo& libreta, const std::string& nombre, double x, double y, double z,
                                 bool& creada) {
    creada = false;
    if (Estacion* e = libreta.buscarEstacion(nombre)) {
        e->x = x, e->y = y, e->z = z;
        return e;
    }
    DatosEstacionNueva datos;
    datos.nombre = nombre;
    datos.coordenadas = Coordenadas{x, y, z};
    datos.ficheroFoto = kFotoPorDefecto;
    creada = true;
    return crearEstacion(libreta.estaciones, datos);
}

// A known end of the traverse: a station created now gets a set-up "%s(1)"
// holding the known orientation.
void grabarExtremo(CLibretaCampo& libreta, const TextoFijo<15>& nombre, double x, double y, double z,
                   double desorientacion, const EstacionPoligonal* fila) {
    bool creada = false;
    Estacion* e = estacionConCoordenadas(libreta, nombre.str(), x, y, z, creada);
    if (!e || !creada) return;
    const std::string setup = nombre.str() + "(1)";
    crearEstacionamiento(e->estacionamientos, nullptr, setup, nombre.vista(), fila ? fila->alturaInstrumento : 0,
                         fila ? &fila->datos : nullptr, desorientacion);
}

}  // namespace

void grabarPoligonalEnLibreta(CLibretaCampo& libreta, const ResultadoPoligonal& res, const ReferenciaPoligonal& ref,
                              const FilasPoligonal& filas) {
    const bool encuadrada = res.tipo == TipoPoligonal::Encuadrada;
    grabarExtremo(libreta, ref.partida, ref.x0, ref.y0, ref.z0, ref.desorientacionPartida,
                  filas.empty() ? nullptr : &filas.front());
    if (encuadrada)
        grabarExtremo(libreta, ref.llegada, ref.x1, ref.y1, ref.z1, ref.desorientacionLlegada,
                      filas.empty() ? nullptr : &filas.back());
    const auto& tr = res.tramos;
    const std::size_t hasta = encuadrada && !tr.empty() ? tr.size() - 1 : tr.size();
    for (std::size_t k = 1; k < hasta; ++k) {
        const auto& t = tr[k];
        const auto& anterior = tr[k - 1];
        bool creada = false;
        Estacion* e = estacionConCoordenadas(libreta, t.estacion.str(), anterior.x, anterior.y, anterior.z, creada);
        if (!e) continue;
        Estacionamiento* setup = nullptr;
        for (auto& s : e->estacionamientos)
            if (s->nombre == t.estacionamiento.vista()) setup = s.get();
        if (setup) {
            setup->desorientacion = t.desorientacionFinal;
            setup->alturaInstrumento = t.alturaInstrumento;
        } else {
            crearEstacionamiento(e->estacionamientos, nullptr, t.estacionamiento.vista(), t.estacion.vista(),
                                 t.alturaInstrumento, &t.datos, t.desorientacionFinal);
        }
    }
}

std::vector<std::string> estacionesSobrescritas(const CLibretaCampo& libreta, const ResultadoPoligonal& res,
                                                const ReferenciaPoligonal& ref) {
    std::vector<std::string> nombres;
    const auto comprobar = [&](const std::string& nombre, double x, double y, double z) {
        const Estacion* e = libreta.buscarEstacion(nombre);
        if (!e || (e->x == 0 && e->y == 0 && e->z == 0)) return;
        const bool distinta =
            std::abs(e->x - x) >= 0.0005 || std::abs(e->y - y) >= 0.0005 || std::abs(e->z - z) >= 0.0005;
        if (distinta && std::find(nombres.begin(), nombres.end(), nombre) == nombres.end()) nombres.push_back(nombre);
    };
    const bool encuadrada = res.tipo == TipoPoligonal::Encuadrada;
    comprobar(ref.partida.str(), ref.x0, ref.y0, ref.z0);
    if (encuadrada) comprobar(ref.llegada.str(), ref.x1, ref.y1, ref.z1);
    const auto& tr = res.tramos;
    const std::size_t hasta = encuadrada && !tr.empty() ? tr.size() - 1 : tr.size();
    for (std::size_t k = 1; k < hasta; ++k) comprobar(tr[k].estacion.str(), tr[k - 1].x, tr[k - 1].y, tr[k - 1].z);
    return nombres;
}

}  // namespace celvara
