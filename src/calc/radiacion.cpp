#include "calc/radiacion.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

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

// Set-ups by name, the first of a name winning as a walk would: a big job
// has thousands of them.
std::unordered_map<std::string_view, std::pair<const Estacion*, const Estacionamiento*>> estacionamientosPorNombre(
    const CLibretaCampo& libreta) {
    std::unordered_map<std::string_view, std::pair<const Estacion*, const Estacionamiento*>> porNombre;
    for (const auto& e : libreta.estaciones)
        for (const auto& s : e->estacionamientos) porNombre.try_emplace(s->nombre.vista(), e.get(), s.get());
    return porNombre;
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

EntradaRadiacion CCalculoRadiacion::entrada() const {
    EntradaRadiacion e;
    e.anadirEstaciones = opciones_.anadirEstaciones;
    e.noCalcularVisualesAEstaciones = ajustes_.noCalcularVisualesAEstaciones != 0;
    e.planas = opciones_.planas;
    e.hayford = opciones_.hayford;
    e.escalaAdicional = opciones_.escalaAdicional;
    e.trabajo = ajustes_.proyeccionTrabajo;
    const auto porNombre = estacionamientosPorNombre(libreta_);
    for (std::size_t f = 0; f < rejilla_.numeroFilas(); ++f) {
        if (!rejilla_.marcada(f, cr::uso)) continue;
        const auto hallado = porNombre.find(utf8ACp1252(rejilla_.texto(f, cr::estacionamiento)));
        if (hallado == porNombre.end()) continue;
        EstacionamientoRadiacion r;
        std::tie(r.estacion, r.estacionamiento) = hallado->second;
        r.alturaInstrumento = textoANumero(rejilla_.texto(f, cr::altura));
        r.desorientacion = textoANumero(rejilla_.texto(f, cr::desorientacion));
        r.errorH = textoANumero(rejilla_.texto(f, cr::errorH));
        r.errorV = textoANumero(rejilla_.texto(f, cr::errorV));
        r.errorD = textoANumero(rejilla_.texto(f, cr::errorD));
        r.esfRefr = textoAEntero(rejilla_.texto(f, cr::esfRefr)) == 1;
        r.tempPres = textoAEntero(rejilla_.texto(f, cr::tempPres)) == 1;
        e.estacionamientos.push_back(r);
    }
    return e;
}

ResultadoRadiacion CCalculoRadiacion::calcular() {
    if (rejilla_.numeroFilas() == 0) return {};
    if (ficheroCrd.empty()) {
        avisos_.mensaje("Introducir Nombre Fichero de Coordenadas");
        return {};
    }
    FicherosRadiacion ficheros;
    ficheros.crd = ficheroCrd;
    ficheros.anadir = anadir;
    if (opciones_.informe1) ficheros.informe1 = rutaInforme1;
    if (opciones_.informe2) ficheros.informe2 = rutaInforme2;
    ResultadoRadiacion resultado = radiarAFicheros(libreta_, entrada(), ficheros, avisos_);
    ajustes_.escalaAdicional = opciones_.escalaAdicional;
    avisos_.mensaje(textoCalculoRealizado(resultado, nombrarFichero));
    salir();
    return resultado;
}

// ---- The computation.

EntradaRadiacion entradaRadiacion(const CLibretaCampo& libreta, const OpcionesRadiacion& o,
                                  bool noCalcularVisualesAEstaciones) {
    EntradaRadiacion e;
    e.anadirEstaciones = o.anadirEstaciones;
    e.noCalcularVisualesAEstaciones = noCalcularVisualesAEstaciones;
    e.planas = o.planas;
    e.hayford = o.hayford;
    e.escalaAdicional = o.escalaAdicional;
    const auto porNombre = estacionamientosPorNombre(libreta);
    for (const auto& estacion : libreta.estaciones)
        for (const auto& s : estacion->estacionamientos) {
            EstacionamientoRadiacion r;
            std::tie(r.estacion, r.estacionamiento) = porNombre.at(s->nombre.vista());
            r.alturaInstrumento = longitudMostrada(s->alturaInstrumento);
            r.desorientacion = anguloMostrado(s->desorientacion);
            r.esfRefr = o.aplicarATodas ? o.esfRefrTodas : s->datos.corregidoEsfRefr != 1;
            r.tempPres = o.aplicarATodas ? o.tempPresTodas : s->datos.corregidoTempPres != 1;
            e.estacionamientos.push_back(r);
        }
    return e;
}

namespace {

DatosEstacionamientoCalculo datosCalculo(const EstacionamientoRadiacion& r) {
    const std::int32_t C = r.estacionamiento->datos.unidadAngular;
    DatosEstacionamientoCalculo d;
    d.x0 = r.estacion->x;
    d.y0 = r.estacion->y;
    d.z0 = r.estacion->z;
    d.alturaInstrumento = r.alturaInstrumento;
    d.desorientacion = r.desorientacion;
    d.correccionHorizontal = r.errorH * factorSubunidadAngular(C);
    d.correccionVertical = r.errorV * factorSubunidadAngular(C);
    d.correccionDistancia = r.errorD * kFactorMilimetros;
    d.aplicarEsfRefr = r.esfRefr ? 1 : 0;
    d.aplicarTempPres = r.tempPres ? 1 : 0;
    d.tipoDistancia = r.estacionamiento->datos.tipoDistancia;
    d.tipoVertical = r.estacionamiento->datos.tipoVertical;
    d.unidadAngular = C;
    return d;
}

std::string cabeceraEstacionamiento(const EstacionamientoRadiado& r) {
    return "\n\n" +
           formatear("    ESTACION: %s         Estacionamiento: %s             Altura Instr; %1.3lf\n",
                     r.estacion->nombre.c_str(), r.estacionamiento->nombre.c_str(),
                     r.estacionamiento->alturaInstrumento) +
           formatear("    Factor UTM: %1.10lf\n", r.escala);
}

PuntoCoordenadas punto(std::string_view nombre, double x, double y, double z, std::string_view codigo,
                       std::string_view estacion = {}) {
    PuntoCoordenadas p;
    p.nombre = nombre;
    p.estacion = estacion;  // the station it was radiated from, shown in the "Estación" column
    p.x = x;
    p.y = y;
    p.z = z;
    p.codigo = codigo;
    return p;
}

}  // namespace

void radiarEstacionamientos(const CLibretaCampo& libreta, const EntradaRadiacion& entrada,
                            const std::function<void(const EstacionamientoRadiado&)>& alRadiar) {
    std::unique_ptr<CProyeccionUTM> utm;
    if (!entrada.planas)
        utm = std::make_unique<CProyeccionUTM>(elipsoideCalculo(entrada.hayford ? 1 : 2, entrada.trabajo.datum),
                                               entrada.trabajo.huso);
    // Looked up once: a big job has thousands of stations and a million readings.
    std::unordered_set<std::string_view> nombresEstaciones;
    for (const auto& e : libreta.estaciones) nombresEstaciones.insert(e->nombre.vista());

    CCalculoPunto calculo;
    EstacionamientoRadiado r;
    for (const EstacionamientoRadiacion& s : entrada.estacionamientos) {
        r.estacion = s.estacion;
        r.estacionamiento = s.estacionamiento;
        r.escala = escalaRadiacion(utm.get(), entrada.escalaAdicional, s.estacion->x, s.estacion->y).k;
        r.puntos.clear();
        r.omitidas.clear();
        calculo.cargarEstacionamiento(datosCalculo(s));
        calculo.fijarEscala(r.escala);
        for (const Lectura& l : s.estacionamiento->lecturas) {
            if (entrada.noCalcularVisualesAEstaciones && nombresEstaciones.count(l.nombre.vista())) continue;
            if (!lecturaUtilizable(l)) {
                r.omitidas.push_back(avisoLecturaNoUtilizable(*s.estacionamiento, l));
                continue;
            }
            calculo.cargarLectura(l.horizontal, l.vertical, l.distancia, l.jalon);
            const PuntoCalculado& p = calculo.calcular();
            r.puntos.push_back({&l, p.x, p.y, p.z});
        }
        alRadiar(r);
    }
}

ListaPuntos puntosEstaciones(const CLibretaCampo& libreta) {
    ListaPuntos puntos;
    // A station with coordinates not finite or beyond ±1e9 (a damaged book)
    // is no point to hand on.
    for (const auto& e : libreta.estaciones)
        if (std::abs(e->x) <= kLimiteValorLectura && std::abs(e->y) <= kLimiteValorLectura &&
            std::abs(e->z) <= kLimiteValorLectura)
            puntos.push_back(punto(e->nombre.vista(), e->x, e->y, e->z, e->descripcion1.vista()));
    // Marked as bases, so that every later use (the DXF layer ESTACIONES) knows them.
    for (PuntoCoordenadas& p : puntos) p.base = 1;
    return puntos;
}

std::string textoCabeceraInforme1() {
    const std::string estrellas = "             ************************************************************\n";
    return std::string(11, '\n') + estrellas +
           "             *    C A L C U L O       D E      C O O R D E N A D A S    *\n" + estrellas + "\n\n\n";
}

std::string textoInforme1(const EstacionamientoRadiado& r) {
    std::string t = cabeceraEstacionamiento(r) +
                    "    Numero        H        V         DG         M               X              Y            Z\n" +
                    " " + std::string(95, '*') + "\n";
    for (const PuntoRadiado& p : r.puntos) {
        const Lectura& l = *p.lectura;
        t += formatear("%10s   %8.4lf  %8.4lf %10.3lf   %6.3lf   %12.3f    %12.3f %12.3f\n", l.nombre.c_str(),
                       l.horizontal, l.vertical, l.distancia, l.jalon, p.x, p.y, p.z);
    }
    return t;
}

std::string textoCabeceraInforme2() {
    return "\n\n                 I N F O R M E       D E      C O O R D E N A D A S\n\n\n";
}

std::string textoInforme2(const EstacionamientoRadiado& r) {
    std::string t = cabeceraEstacionamiento(r) +
                    utf8ACp1252("    Numero        X                Y             Z       Precisión Planim  Precisión Altim\n") +
                    " " + std::string(91, '*') + "\n";
    for (const PuntoRadiado& p : r.puntos)
        t += formatear("%10s   %12.3f  %12.3f %12.3f\n", p.lectura->nombre.c_str(), p.x, p.y, p.z);
    return t;
}

ResultadoRadiacion radiarAFicheros(const CLibretaCampo& libreta, const EntradaRadiacion& entrada,
                                   const FicherosRadiacion& ficheros, Avisos& avisos) {
    ResultadoRadiacion resultado;
    ListaPuntos previos;
    std::error_code ec;
    if (ficheros.anadir && std::filesystem::exists(ficheros.crd, ec)) leerListaPuntos(ficheros.crd, previos);
    // Points go to the file as they are computed: the disk works while the
    // rest is computed, and a million points need not be held.
    EscritorCrd crd(ficheros.crd);
    ListaPuntos& puntos = resultado.puntos;
    auto grabar = [&](PuntoCoordenadas&& p) {
        crd.anadir(p);
        if (ficheros.alGrabarPunto) ficheros.alGrabarPunto(p);
        if (ficheros.conservarPuntos) puntos.push_back(std::move(p));
    };
    if (ficheros.conservarPuntos)
        puntos.reserve(previos.size() + libreta.estaciones.size() + libreta.contarLecturas());
    for (auto& p : previos) grabar(std::move(p));
    ListaPuntos().swap(previos);

    // A report that cannot be opened is skipped, and the user told which.
    auto abrir = [&avisos](const std::optional<std::filesystem::path>& ruta, const char* modo) {
        if (!ruta) return Informe();
        Informe f(plataforma::abrir(*ruta, modo));
        if (!f)
            avisos.mensaje("No se puede abrir el fichero de informe " + ruta->string(), "", Botones::Aceptar,
                           Icono::Exclamacion);
        return f;
    };
    Informe informe1 = abrir(ficheros.informe1, "a+");
    escribir(informe1, textoCabeceraInforme1());
    Informe informe2 = abrir(ficheros.informe2, "w+");
    escribir(informe2, textoCabeceraInforme2());

    if (entrada.anadirEstaciones)
        for (PuntoCoordenadas& p : puntosEstaciones(libreta)) grabar(std::move(p));
    radiarEstacionamientos(libreta, entrada, [&](const EstacionamientoRadiado& r) {
        if (informe1) escribir(informe1, textoInforme1(r));
        if (informe2) escribir(informe2, textoInforme2(r));
        for (const PuntoRadiado& p : r.puntos)
            grabar(punto(p.lectura->nombre.vista(), p.x, p.y, p.z, p.lectura->codigo.vista(), r.estacion->nombre.vista()));
        resultado.omitidas.insert(resultado.omitidas.end(), r.omitidas.begin(), r.omitidas.end());
    });

    resultado.informe1 = static_cast<bool>(informe1);
    const bool conInforme2 = static_cast<bool>(informe2);
    informe1.reset();
    informe2.reset();
    resultado.escrito = crd.confirmar();
    if (!resultado.escrito)
        avisos.mensaje("Error al grabar el fichero de coordenadas " + ficheros.crd.string(), "", Botones::Aceptar,
                       Icono::Stop);
    // The closing message names every file written, so the user knows where to look.
    if (resultado.escrito) resultado.ficheros.push_back(ficheros.crd);
    if (resultado.informe1) resultado.ficheros.push_back(*ficheros.informe1);
    if (conInforme2) resultado.ficheros.push_back(*ficheros.informe2);
    resultado.calculado = true;
    return resultado;
}

std::string textoCalculoRealizado(const ResultadoRadiacion& r, const NombrarFichero& nombrar) {
    std::string mensaje = "Cálculo Realizado";
    if (!r.ficheros.empty()) mensaje += "\n\nFicheros grabados:";
    for (const auto& f : r.ficheros) mensaje += "\n" + (nombrar ? nombrar(f) : f.string());
    if (!r.omitidas.empty()) mensaje += "\n";
    for (const auto& o : r.omitidas) mensaje += "\n" + o;
    return mensaje;
}

namespace {
constexpr std::string_view kSeccionRadiacion = "Radiacion";
constexpr std::pair<const char*, bool OpcionesRadiacion::*> kRecordadas[] = {
    {"informe1", &OpcionesRadiacion::informe1}, {"ejecutar", &OpcionesRadiacion::aplicarATodas}};
}  // namespace

void leerOpcionesRecordadas(OpcionesRadiacion& o, const AjustesPropios& ini) {
    for (const auto& [clave, campo] : kRecordadas)
        if (const double v = ini.numero(kSeccionRadiacion, clave, -1); v == 0 || v == 1) o.*campo = v == 1;
}

void recordarOpciones(const OpcionesRadiacion& o, AjustesPropios& ini) {
    for (const auto& [clave, campo] : kRecordadas) ini.asignar(kSeccionRadiacion, clave, o.*campo ? "1" : "0");
}

}  // namespace celvara
