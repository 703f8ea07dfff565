#include "output/listados.h"

#include <algorithm>
#include <string_view>

#include "calc/proyeccion_utm.h"
#include "fieldbook/codificacion.h"

namespace celvara {

namespace {

// Every page of the table listings is framed here.
constexpr Rectangulo kMarcoPagina{421, 1333, 10043, 14049};

// The company header, above the frame.
constexpr Rectangulo kMarcoLogo{421, 200, 2221, 1150};
constexpr int kXEmpresa = 2450;

// Centred in the page frame, over the table.
TextoPagina titulo(int y, int ancho, int alto, std::string contenido) {
    const int x = (kMarcoPagina.izquierda + kMarcoPagina.derecha - ancho) / 2;
    TextoPagina t = textoPagina(x, y, 10, false, std::move(contenido));
    t.ancho = ancho;
    t.alto = alto;
    t.alineacion = Alineacion::Centro;
    return t;
}

// Rows a text of this size needs, with room around the letters.
int altoFila(int puntos) { return puntos * kTwipsPorPunto * 3 / 2; }

void cabecera(Pagina& p, const EntornoListado& entorno) {
    p.marcos.push_back(kMarcoLogo);
    p.imagenes.push_back({kMarcoLogo, entorno.logo});
    if (!entorno.empresa) {
        p.textos.push_back(textoPagina(kXEmpresa, 300, 12, true, "ERROR AL ABRIR FICHERO DE DATOS DEL TRABAJO"));
        return;
    }
    const DatosTrabajo& d = *entorno.empresa;
    p.textos.push_back(textoPagina(kXEmpresa, 200, 15, true, d.empresa.str()));
    int y = 560;
    for (std::string_view linea : {d.direccion.vista(), d.provinciaEmpresa.vista(), d.telefonos.vista()}) {
        if (linea.empty()) continue;
        p.textos.push_back(textoPagina(kXEmpresa, y, 10, false, std::string(linea)));
        y += 220;
    }
}

int paginasDe(std::size_t filas, int porPagina) {
    const std::size_t n = (filas + static_cast<std::size_t>(porPagina) - 1) / static_cast<std::size_t>(porPagina);
    return static_cast<int>(std::max<std::size_t>(1, n));
}

// Rows 1 + k (p - 1) to k p of the whole list.
bool enPagina(std::size_t indice, int pagina, int porPagina) {
    return indice / static_cast<std::size_t>(porPagina) == static_cast<std::size_t>(pagina - 1);
}

// Tables stand centred in the page frame: the columns of the stations and
// orientation tables are wider than the room right of the left margin, and
// a table running past its frame is no listing to hand a client.
TablaPagina tabla(int y, int puntos, std::string anchos, std::string texto) {
    TablaPagina t;
    for (int a : anchosTabla(anchos)) t.ancho += a;
    const int hueco = kMarcoPagina.derecha - kMarcoPagina.izquierda;
    t.x = kMarcoPagina.izquierda + std::max(0, hueco - t.ancho) / 2;
    t.y = y;
    t.puntos = puntos;
    t.altoFila = altoFila(puntos);
    t.anchos = std::move(anchos);
    t.texto = std::move(texto);
    return t;
}

void listadoBases(Pagina& p, const CLibretaCampo& libreta, int pagina) {
    p.marcos.push_back(kMarcoPagina);
    p.textos.push_back(titulo(1823, 2089, 403, "LISTADO DE BASES"));
    std::string filas = "Estaci\xF3n|X|Y|Z|Comentario;";
    for (std::size_t i = 0; i < libreta.estaciones.size(); ++i) {
        if (!enPagina(i, pagina, kFilasBases)) continue;
        const Estacion& e = *libreta.estaciones[i];
        filas += formatearC("%s | %1.3lf | %1.3lf | %1.3lf | %s\t;", textoCelda(e.nombre.vista()).c_str(), e.x, e.y,
                            e.z, textoCelda(e.descripcion1.vista()).c_str());
    }
    p.tablas.push_back(tabla(2625, 10, "1600|1600|1600|1600|3000", std::move(filas)));
}

void listadoEstadillo(Pagina& p, const Estacionamiento* s, int pagina) {
    p.marcos.push_back(kMarcoPagina);
    if (!s) return;
    p.textos.push_back(textoPagina(788, 1578, 12, true, formatearC("ESTACION :  %s", s->estacion.c_str())));
    p.textos.push_back(textoPagina(3700, 1578, 10, false, formatearC("Altura Instrumento :  %1.3f", s->alturaInstrumento)));
    p.textos.push_back(textoPagina(7000, 1578, 10, false, formatearC("Desorientaci\xF3n : %1.4f", s->desorientacion)));
    std::string filas = "N\xFAmero|Jal\xF3n|Horizontal|Vertical|Distancia|Comentario;";
    for (std::size_t i = 0; i < s->lecturas.size(); ++i) {
        if (!enPagina(i, pagina, kFilasEstadillo)) continue;
        const Lectura& l = s->lecturas[i];
        filas += formatearC("%s | %1.3lf | %1.4lf | %1.4lf | %1.4lf | %s\t ;", textoCelda(l.nombre.vista()).c_str(),
                            l.jalon, l.horizontal, l.vertical, l.distancia, textoCelda(l.codigo.vista()).c_str());
    }
    p.tablas.push_back(tabla(2000, 8, "1200|1000|1500|1500|1500|2500", std::move(filas)));
}

void listadoDesorientaciones(Pagina& p, const CLibretaCampo& libreta, int pagina) {
    p.marcos.push_back(kMarcoPagina);
    p.textos.push_back(titulo(1823, 3265, 403, "TABLA DE DESORIENTACIONES"));
    std::string filas = "ESTACIONAMIENTO|ESTACION|Altura Instr|DESORIENTACION|PUNTOS;";
    std::size_t i = 0;
    for (const auto& e : libreta.estaciones)
        for (const auto& s : e->estacionamientos) {
            if (enPagina(i++, pagina, kFilasDesorientaciones))
                filas += formatearC("%s | %s | %1.3lf | %1.4lf | %d\t;", textoCelda(s->nombre.vista()).c_str(),
                                    textoCelda(s->estacion.vista()).c_str(), s->alturaInstrumento,
                                    s->desorientacion, static_cast<int>(s->lecturas.size()));
        }
    p.tablas.push_back(tabla(2625, 10, "2500|1600|1600|2000|1500", std::move(filas)));
}

// ---- The description sheet.

constexpr int kXResena = 788;
constexpr int kXResenaDerecha = 5400;
constexpr int kYLineasResena = 5100;
constexpr int kPasoLineasResena = 260;
constexpr int kLineasResena = 12;
constexpr std::size_t kCaracteresLineaResena = 85;

// The description, its second line and the sketch text, wrapped at word
// boundaries to the width of the dotted lines.
std::vector<std::string> lineasResena(const Estacion& e) {
    std::vector<std::string> parrafos{e.descripcion1.str(), e.descripcion2.str()};
    std::string_view croquis = e.croquis.vista();
    while (!croquis.empty()) {
        const auto fin = croquis.find('\n');
        std::string linea(croquis.substr(0, fin));
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        parrafos.push_back(std::move(linea));
        croquis = fin == std::string_view::npos ? std::string_view() : croquis.substr(fin + 1);
    }
    std::vector<std::string> lineas;
    for (std::string_view resto : parrafos) {
        if (resto.empty()) continue;
        while (resto.size() > kCaracteresLineaResena) {
            std::size_t corte = resto.rfind(' ', kCaracteresLineaResena);
            if (corte == std::string_view::npos || corte == 0) corte = kCaracteresLineaResena;
            lineas.emplace_back(resto.substr(0, corte));
            resto.remove_prefix(corte);
            while (!resto.empty() && resto.front() == ' ') resto.remove_prefix(1);
        }
        if (!resto.empty()) lineas.emplace_back(resto);
    }
    return lineas;
}

double factorUtm(bool hayford, double x, double y) {
    CProyeccionUTM utm(hayford);
    const auto g = utm.UtmAGeograficas(x, y, utm.huso());
    return g ? g->factorEscala : 1.0;
}

const char* textoSenal(std::int32_t tipo) {
    switch (static_cast<TipoBase>(tipo)) {
        case TipoBase::Vertice: return "Se\xF1" "al :     Vertice Geod\xE9sico";
        case TipoBase::Clavo: return "Se\xF1" "al :     Clavo";
        default: return "Se\xF1" "al :     Feno";
    }
}

std::filesystem::path imagenEstacion(const EntornoListado& entorno, const TextoFijo<256>& ruta) {
    if (!entorno.mapa || ruta.vacio()) return {};
    return entorno.mapa->aAnfitrion(cp1252AUtf8(ruta.vista()));
}

void listadoResena(Pagina& p, const Estacion* e, const EntornoListado& entorno) {
    p.marcos.push_back(kMarcoPagina);
    if (!e) return;
    const int x = kXResena, xd = kXResenaDerecha;
    p.textos.push_back(textoPagina(x, 1578, 12, true, formatearC("ESTACION:    %s", e->nombre.c_str())));
    p.textos.push_back(textoPagina(x, 2050, 10, true, "COORDENADAS:"));
    p.textos.push_back(textoPagina(x, 2350, 10, false, "Coordenadas Planas."));
    p.textos.push_back(textoPagina(x + 300, 2650, 10, false, formatearC("X = %1.3lf", e->x)));
    p.textos.push_back(textoPagina(x + 300, 2950, 10, false, formatearC("Y = %1.3lf", e->y)));
    p.textos.push_back(textoPagina(x + 300, 3250, 10, false, formatearC("Z = %1.3lf", e->z)));
    p.textos.push_back(textoPagina(xd, 2650, 10, false,
                             formatearC("Proyecci\xF3n UTM.(ED-50): %1.10lf", factorUtm(true, e->x, e->y))));
    p.textos.push_back(textoPagina(xd, 2950, 10, false,
                             formatearC("Proyecci\xF3n UTM.(WGS-84): %1.10lf", factorUtm(false, e->x, e->y))));
    const DatosTrabajo sinDatos;
    const DatosTrabajo& d = entorno.empresa ? *entorno.empresa : sinDatos;
    p.textos.push_back(textoPagina(x, 3700, 10, false, formatearC("PROVINCIA :     %s", d.provinciaTrabajo.c_str())));
    p.textos.push_back(textoPagina(x, 4000, 10, false, formatearC("ZONA :             %s", d.zona.c_str())));
    p.textos.push_back(textoPagina(x, 4300, 10, false, formatearC("T. MUNICIPAL :   %s", d.terminoMunicipal.c_str())));
    p.textos.push_back(textoPagina(xd, 3700, 10, true, textoSenal(e->tipo)));

    p.textos.push_back(textoPagina(x, 4750, 10, true, "Rese\xF1" "a:"));
    const auto lineas = lineasResena(*e);
    for (int k = 0; k < kLineasResena; ++k) {
        const int base = kYLineasResena + k * kPasoLineasResena;
        p.reglas.push_back({x, base + 230, 9700, base + 230, true});
        if (static_cast<std::size_t>(k) < lineas.size()) p.textos.push_back(textoPagina(x + 60, base, 10, false, lineas[k]));
    }

    const Rectangulo croquis{x, 8650, 5150, 11150}, detalle{xd, 8650, 9700, 11150}, foto{x, 11600, 9700, 13900};
    p.textos.push_back(textoPagina(x, 8350, 10, true, "Croquis:"));
    p.textos.push_back(textoPagina(xd, 8350, 10, true, "Detalle:"));
    p.textos.push_back(textoPagina(x, 11300, 10, true, "Foto :"));
    for (const auto& r : {croquis, detalle, foto}) p.marcos.push_back(r);
    p.imagenes.push_back({croquis, imagenEstacion(entorno, e->ficheroCroquis)});
    p.imagenes.push_back({foto, imagenEstacion(entorno, e->ficheroFoto)});
}

}  // namespace

EntornoListado entornoListado(const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    EntornoListado entorno;
    DatosTrabajo datos;
    if (leerDatosTrabajo(datos, rutaDatosTrabajo(ajustes, mapa))) entorno.empresa = datos;
    const std::string logo = ajustes.ficheroLogoEmpresa.vacio() ? std::string(kLogoPorDefecto)
                                                                 : ajustes.ficheroLogoEmpresa.str();
    entorno.logo = mapa.aAnfitrion(cp1252AUtf8(logo));
    entorno.mapa = &mapa;
    return entorno;
}

int paginasListado(Listado listado, const CLibretaCampo& libreta, SeleccionListado seleccion) {
    switch (listado) {
        case Listado::Bases: return paginasDe(libreta.estaciones.size(), kFilasBases);
        case Listado::Estadillo:
            return paginasDe(seleccion.estacionamiento ? seleccion.estacionamiento->lecturas.size() : 0,
                             kFilasEstadillo);
        case Listado::Desorientaciones: return paginasDe(libreta.contarEstacionamientos(), kFilasDesorientaciones);
        case Listado::Resena: break;
    }
    return 1;
}

Pagina paginaListado(Listado listado, const CLibretaCampo& libreta, SeleccionListado seleccion,
                     const EntornoListado& entorno, int pagina) {
    Pagina p;
    cabecera(p, entorno);
    switch (listado) {
        case Listado::Bases: listadoBases(p, libreta, pagina); break;
        case Listado::Resena: listadoResena(p, seleccion.estacion, entorno); break;
        case Listado::Estadillo: listadoEstadillo(p, seleccion.estacionamiento, pagina); break;
        case Listado::Desorientaciones: listadoDesorientaciones(p, libreta, pagina); break;
    }
    return p;
}

std::string textoPaginaListado(int pagina, int paginas) {
    return formatearC("P\xE1gina: %d de %d", pagina, paginas);
}

void cabeceraListado(Pagina& pagina, const EntornoListado& entorno) { cabecera(pagina, entorno); }

Rectangulo marcoListado() { return kMarcoPagina; }

}  // namespace celvara
