#include "calc/radiacion.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "calc/calculo_punto.h"
#include "calc/caras.h"
#include "calc/proyeccion_utm.h"
#include "calc/unidades.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {

namespace cr = columna_radiacion;

namespace {

struct CerrarInforme {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Informe = std::unique_ptr<std::FILE, CerrarInforme>;

void escribir(const Informe& f, const std::string& texto) {
    if (f) std::fwrite(texto.data(), 1, texto.size(), f.get());
}

std::vector<ColumnaRejilla> columnasRadiacion() {
    std::vector<ColumnaRejilla> c(cr::numero);
    c[cr::uso].casilla = true;
    c[cr::uso].ancho = 30;
    c[cr::estacionamiento].ancho = 130;
    c[cr::estacionamiento].titulo = "Estacionamiento";
    c[cr::estacion].titulo = "Estación";
    c[cr::x].oculta = c[cr::y].oculta = c[cr::z].oculta = true;
    c[cr::desorientacion].titulo = "Desorientación";
    c[cr::puntos].titulo = "Ptos";
    c[cr::instrumento].titulo = "Instrumento";
    c[cr::errorH].titulo = "E.h";
    c[cr::errorV].titulo = "E.v";
    c[cr::errorD].titulo = "E.d";
    c[cr::esfRefr].titulo = "Esf/Refr";
    c[cr::tempPres].titulo = "Temp/Pres";
    return c;
}

}  // namespace

CConfigurarCalculo::CConfigurarCalculo(OpcionesRadiacion& opciones, CDatosGenerales& ajustes)
    : opciones(opciones),
      noCalcularVisualesAEstaciones(ajustes.noCalcularVisualesAEstaciones != 0),
      textoEscala(formatear("%1.10lf", opciones.escalaAdicional)),
      destino_(opciones),
      ajustes_(ajustes) {}

void CConfigurarCalculo::ponerFactorReduccion(double factor) { textoEscala = formatear("%1.10lf", factor); }

void CConfigurarCalculo::aceptar() {
    opciones.escalaAdicional = textoANumero(textoEscala);
    destino_ = opciones;
    ajustes_.noCalcularVisualesAEstaciones = noCalcularVisualesAEstaciones ? 1 : 0;
}

CCalculoRadiacion::CCalculoRadiacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, Avisos& avisos)
    : libreta_(libreta), ajustes_(ajustes), avisos_(avisos), rejilla_(columnasRadiacion()) {
    opciones_.planas = ajustes.proyeccion == 0;
    opciones_.hayford = ajustes.proyeccion == 1;
    opciones_.escalaAdicional = ajustes.escalaAdicional;
    for (const auto& e : libreta_.estaciones)
        for (const auto& s : e->estacionamientos)
            rejilla_.agregarFila({"1", cp1252AUtf8(s->nombre.vista()), cp1252AUtf8(e->nombre.vista()),
                                  formatear("%1.3lf", e->x), formatear("%1.3lf", e->y), formatear("%1.3lf", e->z),
                                  formatear("%1.3lf", s->alturaInstrumento), formatear("%1.4lf", s->desorientacion),
                                  formatear("%zu", s->lecturas.size()), cp1252AUtf8(s->datos.instrumento.vista()), "0",
                                  "0", "0", s->datos.corregidoEsfRefr == 1 ? "0" : "1",
                                  s->datos.corregidoTempPres == 1 ? "0" : "1"});
}

void CCalculoRadiacion::recogerErroresInstrumento(const ListaInstrumentos* biblioteca) {
    if (!biblioteca) {
        avisos_.mensaje("Error al abrir fichero de instrumentos");
        return;
    }
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        const Instrumento* i = buscarInstrumento(*biblioteca, utf8ACp1252(rejilla_.texto(f, cr::instrumento)));
        rejilla_.asignar(f, cr::errorH, i ? formatear("%g", static_cast<double>(i->errorH)) : "0");
        rejilla_.asignar(f, cr::errorV, i ? formatear("%g", static_cast<double>(i->errorV)) : "0");
    }
}

void CCalculoRadiacion::aplicarConfiguracion() {
    ajustes_.escalaAdicional = opciones_.escalaAdicional;
    if (!opciones_.aplicarATodas) return;
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        rejilla_.asignar(f, cr::esfRefr, opciones_.esfRefrTodas ? "1" : "0");
        rejilla_.asignar(f, cr::tempPres, opciones_.tempPresTodas ? "1" : "0");
    }
}

void CCalculoRadiacion::salir() { ajustes_.proyeccion = opciones_.planas ? 0 : (opciones_.hayford ? 1 : 2); }

ResultadoRadiacion CCalculoRadiacion::calcular() {
    ResultadoRadiacion resultado;
    if (rejilla_.numeroFilas() == 0) return resultado;
    if (ficheroCrd.empty()) {
        avisos_.mensaje("Introducir Nombre Fichero de Coordenadas");
        return resultado;
    }
    const std::filesystem::path rutaCrd(ficheroCrd);
    ListaPuntos previos;
    std::error_code ec;
    if (anadir && std::filesystem::exists(rutaCrd, ec)) leerListaPuntos(rutaCrd, previos);
    // Points go to the file as they are computed: the disk works while the
    // rest is computed, and a million points need not be held.
    EscritorCrd crd(rutaCrd);
    ListaPuntos& puntos = resultado.puntos;
    auto grabar = [&](PuntoCoordenadas&& p) {
        crd.anadir(p);
        if (alGrabarPunto) alGrabarPunto(p);
        if (conservarPuntos) puntos.push_back(std::move(p));
    };
    if (conservarPuntos) puntos.reserve(previos.size() + libreta_.estaciones.size() + libreta_.contarLecturas());
    for (auto& p : previos) grabar(std::move(p));
    ListaPuntos().swap(previos);

    // A report that cannot be opened is skipped, and the user told which.
    auto abrir = [this](const std::filesystem::path& ruta, const char* modo) {
        Informe f(plataforma::abrir(ruta, modo));
        if (!f) avisos_.mensaje("No se puede abrir el fichero de informe " + ruta.string(), "", Botones::Aceptar, Icono::Exclamacion);
        return f;
    };
    Informe informe1, informe2;
    if (opciones_.informe1) {
        informe1 = abrir(rutaInforme1, "a+");
        escribir(informe1, std::string(11, '\n'));
        const std::string estrellas = "             ************************************************************\n";
        escribir(informe1, estrellas + "             *    C A L C U L O       D E      C O O R D E N A D A S    *\n" + estrellas +
                               "\n\n\n");
    }
    if (opciones_.informe2) {
        informe2 = abrir(rutaInforme2, "w+");
        escribir(informe2, "\n\n                 I N F O R M E       D E      C O O R D E N A D A S\n\n\n");
    }

    std::unique_ptr<CProyeccionUTM> utm;
    if (!opciones_.planas) utm = std::make_unique<CProyeccionUTM>(opciones_.hayford);

    auto anadirPunto = [&grabar](std::string_view nombre, double x, double y, double z, std::string_view codigo,
                                 std::string_view estacion = {}) {
        PuntoCoordenadas p;
        p.nombre = nombre;
        p.estacion = estacion;  // the station it was radiated from, shown in the "Estación" column
        p.x = x;
        p.y = y;
        p.z = z;
        p.codigo = codigo;
        grabar(std::move(p));
    };
    // A station with coordinates not finite or beyond ±1e9 (a damaged book)
    // is no point to hand on.
    auto utilizable = [](const Estacion& e) {
        return std::abs(e.x) <= kLimiteValorLectura && std::abs(e.y) <= kLimiteValorLectura &&
               std::abs(e.z) <= kLimiteValorLectura;
    };
    if (opciones_.anadirEstaciones)
        for (const auto& e : libreta_.estaciones)
            if (utilizable(*e)) anadirPunto(e->nombre.vista(), e->x, e->y, e->z, e->descripcion1.vista());

    // Name lookups done once: a big job has thousands of set-ups and a
    // million readings. The first set-up of a name wins, as a walk would.
    std::unordered_set<std::string_view> nombresEstaciones;
    std::unordered_map<std::string_view, std::pair<const Estacion*, const Estacionamiento*>> porNombre;
    for (const auto& e : libreta_.estaciones) {
        nombresEstaciones.insert(e->nombre.vista());
        for (const auto& s : e->estacionamientos) porNombre.try_emplace(s->nombre.vista(), e.get(), s.get());
    }

    CCalculoPunto calculo;
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, cr::uso)) continue;
        const bool esfRefr = textoAEntero(rejilla_.texto(f, cr::esfRefr)) == 1;
        const bool tempPres = textoAEntero(rejilla_.texto(f, cr::tempPres)) == 1;
        const auto hallado = porNombre.find(utf8ACp1252(rejilla_.texto(f, cr::estacionamiento)));
        if (hallado == porNombre.end()) continue;
        const auto [estacion, est] = hallado->second;
        const std::int32_t C = est->datos.unidadAngular;
        DatosEstacionamientoCalculo d;
        d.x0 = estacion->x;
        d.y0 = estacion->y;
        d.z0 = estacion->z;
        d.alturaInstrumento = textoANumero(rejilla_.texto(f, cr::altura));
        d.desorientacion = textoANumero(rejilla_.texto(f, cr::desorientacion));
        d.correccionHorizontal = textoANumero(rejilla_.texto(f, cr::errorH)) * factorSubunidadAngular(C);
        d.correccionVertical = textoANumero(rejilla_.texto(f, cr::errorV)) * factorSubunidadAngular(C);
        d.correccionDistancia = textoANumero(rejilla_.texto(f, cr::errorD)) * kFactorMilimetros;
        d.aplicarEsfRefr = esfRefr ? 1 : 0;
        d.aplicarTempPres = tempPres ? 1 : 0;
        d.tipoDistancia = est->datos.tipoDistancia;
        d.tipoVertical = est->datos.tipoVertical;
        d.unidadAngular = C;
        const EscalaRadiacion escala = escalaRadiacion(utm.get(), opciones_.escalaAdicional, estacion->x, estacion->y);
        calculo.cargarEstacionamiento(d);
        calculo.fijarEscala(escala.k);

        const std::string cabecera =
            "\n\n" + formatear("    ESTACION: %s         Estacionamiento: %s             Altura Instr; %1.3lf\n",
                               estacion->nombre.c_str(), est->nombre.c_str(), est->alturaInstrumento) +
            formatear("    Factor UTM: %1.10lf\n", escala.k);
        escribir(informe1, cabecera +
                               "    Numero        H        V         DG         M               X              Y            Z\n" +
                               " " + std::string(95, '*') + "\n");
        escribir(informe2, cabecera +
                               utf8ACp1252("    Numero        X                Y             Z       Precisión Planim  Precisión Altim\n") +
                               " " + std::string(91, '*') + "\n");

        for (const Lectura& l : est->lecturas) {
            if (ajustes_.noCalcularVisualesAEstaciones && nombresEstaciones.count(l.nombre.vista())) continue;
            if (!lecturaUtilizable(l)) {
                resultado.omitidas.push_back(avisoLecturaNoUtilizable(*est, l));
                continue;
            }
            calculo.cargarLectura(l.horizontal, l.vertical, l.distancia, l.jalon);
            const PuntoCalculado& p = calculo.calcular();
            anadirPunto(l.nombre.vista(), p.x, p.y, p.z, l.codigo.vista(), estacion->nombre.vista());
            if (informe1)
                escribir(informe1, formatear("%10s   %8.4lf  %8.4lf %10.3lf   %6.3lf   %12.3f    %12.3f %12.3f\n",
                                             l.nombre.c_str(), l.horizontal, l.vertical, l.distancia, l.jalon, p.x, p.y, p.z));
            if (informe2)
                escribir(informe2, formatear("%10s   %12.3f  %12.3f %12.3f\n", l.nombre.c_str(), p.x, p.y, p.z));
        }
    }

    ajustes_.escalaAdicional = opciones_.escalaAdicional;
    resultado.informe1 = static_cast<bool>(informe1);
    const bool conInforme2 = static_cast<bool>(informe2);
    informe1.reset();
    informe2.reset();
    resultado.escrito = crd.confirmar();
    if (!resultado.escrito)
        avisos_.mensaje("Error al grabar el fichero de coordenadas " + rutaCrd.string(), "", Botones::Aceptar, Icono::Stop);
    // The closing message names every file written, so the user knows where to look.
    if (resultado.escrito) resultado.ficheros.push_back(rutaCrd);
    if (resultado.informe1) resultado.ficheros.push_back(rutaInforme1);
    if (conInforme2) resultado.ficheros.push_back(rutaInforme2);
    std::string mensaje = "Cálculo Realizado";
    if (!resultado.ficheros.empty()) mensaje += "\n\nFicheros grabados:";
    for (const auto& f : resultado.ficheros) mensaje += "\n" + f.string();
    if (!resultado.omitidas.empty()) mensaje += "\n";
    for (const auto& o : resultado.omitidas) mensaje += "\n" + o;
    avisos_.mensaje(mensaje);
    salir();
    resultado.calculado = true;
    return resultado;
}

}  // namespace celvara
