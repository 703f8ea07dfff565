// ".SDR de SOKKIA" (3), ".SDR de SOKKIA con espacios" (19) and "SDR Formato 01"
// (22): Sokkia SDR2x/SDR33 fixed-column records. Built into the import lists,
// so a failed read leaves the book as it was and the merge finds the
// stations in the whole book.
//
// Quirks worth knowing:
// - The "00" header decides everything: column 7 "2" (SDR2x, 4-character
//   point numbers) or "3" (SDR33, 16-character fields); column 40 the angle
//   unit (1 degrees, 2 gons, 4 mils, read as gons), 41 the distance unit
//   (1 metres, 2 feet, stored in metres), 44 the coordinate order (1 north
//   first, 2 east first). No header, or another variant, refuses the file.
// - 02 station (coordinates, instrument height, code), 03 target height for
//   what follows, 07 backsight (bearing and circle reading: the set-up's
//   orientation is their difference; a station without one starts at 0),
//   08 coordinates of a point (it becomes a station), 09 observation
//   (target, slope distance, vertical, horizontal, code). Others are skipped.
// - The variants 19 and 22 have no published layout of their own: they are
//   read as SDR records (the lines may carry leading blanks).
// - STX/ETX framing and the ETX checksum line are not records.
#include <optional>

#include "fieldbook/libreta.h"
#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

struct Columnas {
    std::size_t p, n;
};

std::string_view columna(std::string_view linea, Columnas c) {
    return importacion::desde(linea, c.p).substr(0, c.n);
}

struct DisposicionSdr {
    Columnas estacion, c1, c2, c3, altura, codigoEstacion;
    Columnas jalon;
    Columnas acimut, horizontalEspalda;
    Columnas punto, p1, p2, p3, codigoPunto;
    Columnas objetivo, distancia, vertical, horizontal, codigo;
};

constexpr DisposicionSdr kCorta{{4, 4},   {8, 10},  {18, 10}, {28, 10}, {38, 10}, {48, 16}, {4, 10},
                                {12, 10}, {22, 10}, {4, 4},   {8, 10},  {18, 10}, {28, 10}, {38, 16},
                                {8, 4},   {12, 10}, {22, 10}, {32, 10}, {42, 16}};
constexpr DisposicionSdr kLarga{{4, 16},  {20, 16}, {36, 16}, {52, 16}, {68, 16}, {84, 16}, {4, 16},
                                {36, 16}, {52, 16}, {4, 16},  {20, 16}, {36, 16}, {52, 16}, {68, 16},
                                {20, 16}, {36, 16}, {52, 16}, {68, 16}, {84, 16}};

struct Cabecera {
    const DisposicionSdr* disposicion = nullptr;
    std::int32_t unidadAngular = kCentesimal;
    double escalaAngulo = 1;
    double escalaDistancia = 1;
    bool norteDelante = true;
};

std::optional<Cabecera> leerCabecera(std::string_view linea) {
    if (linea.size() < 8 || (linea[7] != '2' && linea[7] != '3')) return std::nullopt;
    Cabecera c;
    c.disposicion = linea[7] == '2' ? &kCorta : &kLarga;
    const char angulo = linea.size() > 40 ? linea[40] : '2';
    if (angulo == '1') c.unidadAngular = kSexagesimal;
    if (angulo == '4') c.escalaAngulo = 400.0 / 6400.0;
    if (linea.size() > 41 && linea[41] == '2') c.escalaDistancia = 0.3048;
    if (linea.size() > 44 && linea[44] == '2') c.norteDelante = false;
    return c;
}

std::string_view sinMargen(std::string_view linea) {
    const auto i = linea.find_first_not_of(" \t");
    return i == std::string_view::npos ? std::string_view() : linea.substr(i);
}

}  // namespace

Estado leerSdr(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    ctx.listas.guionEnNombres = true;
    std::optional<Cabecera> cabecera;
    if (importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
            const std::string_view linea = sinMargen(texto);
            if (linea.substr(0, 2) != "00") return Paso::Seguir;
            cabecera = leerCabecera(linea);
            return cabecera ? Paso::Parar : Paso::Fallo;
        }) != Estado::Exito ||
        !cabecera)
        return Estado::Fallo;

    const DisposicionSdr& d = *cabecera->disposicion;
    const Cabecera& cab = *cabecera;
    double jalon = 0;
    auto distancia = [&](std::string_view t) { return importacion::numeroCampo(t) * cab.escalaDistancia; };
    auto angulo = [&](std::string_view t) { return importacion::numeroCampo(t) * cab.escalaAngulo; };
    auto coordenadas = [&](std::string_view linea, Columnas nombre, Columnas a, Columnas b, Columnas c,
                           Columnas codigo) {
        const double primera = distancia(columna(linea, a)), segunda = distancia(columna(linea, b));
        return importacion::anadirCoordenadas(ctx, importacion::idPunto(importacion::sinBlancos(columna(linea, nombre))),
                                              cab.norteDelante ? segunda : primera,
                                              cab.norteDelante ? primera : segunda, distancia(columna(linea, c)),
                                              importacion::recortar(columna(linea, codigo)));
    };

    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = sinMargen(texto);
        const std::string_view tipo = linea.substr(0, 2);
        if (tipo == "02") {
            const std::string nombre = importacion::idPunto(importacion::sinBlancos(columna(linea, d.estacion)));
            if (nombre.empty()) {
                importacion::avisarLineaNoReconocida(ctx, texto);
                return Paso::Fallo;
            }
            if (!coordenadas(linea, d.estacion, d.c1, d.c2, d.c3, d.codigoEstacion)) return Paso::Fallo;
            auto* e = importacion::registroEstacion(ctx, nombre, distancia(columna(linea, d.altura)));
            if (!e) return Paso::Fallo;
            e->unidadAngular = cab.unidadAngular;
        } else if (tipo == "03") {
            jalon = distancia(columna(linea, d.jalon));
        } else if (tipo == "07") {
            auto* e = ctx.listas.estacionamientoActual();
            if (!e) return Paso::Seguir;
            e->acimutEspalda = formatear("%1.6lf", angulo(columna(linea, d.acimut)));
            e->horizontalEspalda = formatear("%1.6lf", angulo(columna(linea, d.horizontalEspalda)));
        } else if (tipo == "08") {
            if (importacion::sinBlancos(columna(linea, d.punto)).empty()) return Paso::Seguir;
            if (!coordenadas(linea, d.punto, d.p1, d.p2, d.p3, d.codigoPunto)) return Paso::Fallo;
        } else if (tipo == "09") {
            if (!ctx.listas.estacionamientoActual()) {
                ctx.avisos.mensaje(mensajes::kVisualesAntesCoordenadas);
                return Paso::Fallo;
            }
            const std::string id = importacion::idPunto(importacion::sinBlancos(columna(linea, d.objetivo)));
            if (!importacion::lecturaDeEstacionamiento(
                    ctx, {.numero = importacion::numeroDeNombre(ctx, id),
                          .jalon = jalon,
                          .distancia = distancia(columna(linea, d.distancia)),
                          .vertical = angulo(columna(linea, d.vertical)),
                          .horizontal = angulo(columna(linea, d.horizontal)),
                          .texto = importacion::recortar(columna(linea, d.codigo)),
                          .nombre = id}))
                return Paso::Fallo;
        }
        return Paso::Seguir;
    });
}

}  // namespace celvara
