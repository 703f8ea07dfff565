// "Formato Zeiss" (23) and ".ODB de Zeiss" (17): Zeiss M5 lines ("For M5|Adr
// nnnnn|...") and the older REC 500 lines ("   nnnn  id code  T value ..."),
// list-building. The second entry has no layout of its own published; both
// read these two.
//
// Quirks worth knowing:
// - M5: after the address come the identification block (TI text or PI1
//   point: number right-aligned up to column 22 of the block, code after)
//   and three value blocks of 22 characters: type (2), value, unit.
//   REC 500: the address, the point number right-aligned up to column 26,
//   the code, then type and value pairs separated by blanks.
// - Types: X (north) and Y (east) and Z coordinates, Hz horizontal, V1 to V4
//   vertical, SD slope and HD horizontal distance, th target height, ih
//   instrument height (both kept for what follows). Angle units "grd"/"gon"
//   make a 400 set-up, "deg" a 360 one.
// - A point whose code is "S" is a station: it takes the current instrument
//   height (and its coordinates, if given). A point with angles or
//   distances is a sighting of the current station; one with coordinates
//   only is a known point and becomes a station. Text lines (TI, END) carry
//   no point.
#include <array>
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
using importacion::recortar;

struct Valor {
    std::string tipo;
    double valor = 0;
    std::string unidad;
};

struct LineaZeiss {
    bool punto = false;
    std::string id;
    std::string codigo;
    std::vector<Valor> valores;
};

std::optional<LineaZeiss> lineaM5(std::string_view linea) {
    const auto c = importacion::separar(linea, '|');
    if (c.size() < 3 || c[0] != "For M5" || c[1].rfind("Adr", 0) != 0) return std::nullopt;
    LineaZeiss z;
    const std::string_view bloque = c[2];
    if (bloque.rfind("PI", 0) == 0) {
        z.punto = true;
        z.id = importacion::idPunto(importacion::cortar(importacion::desde(bloque, 3), 20));
        z.codigo = recortar(importacion::desde(bloque, 23));
    }
    for (std::size_t i = 3; i < c.size() && i < 6; ++i) {
        const std::string_view b = c[i];
        const std::string_view tipo = recortar(b.substr(0, std::min<std::size_t>(2, b.size())));
        if (tipo.empty()) continue;
        const std::string_view resto = recortar(importacion::desde(b, 2));
        const std::string_view numero = importacion::hastaBlanco(resto);
        if (!importacion::esNumero(numero)) return std::nullopt;
        z.valores.push_back({std::string(tipo), importacion::numeroCampo(numero),
                             std::string(recortar(importacion::desde(resto, numero.size())))});
    }
    return z;
}

std::optional<LineaZeiss> lineaRec500(std::string_view linea) {
    if (linea.size() < 8 || !importacion::esEntero(linea.substr(0, 7))) return std::nullopt;
    LineaZeiss z;
    const std::string_view id = recortar(importacion::cortar(importacion::desde(linea, 8), 19));
    if (id.empty() || id[0] < '0' || id[0] > '9' || linea.size() < 27) {
        return z;  // a text line (OR.COOR, POLAR ...)
    }
    // Point number up to column 26; letters glued to it are its code.
    const std::string_view numero = recortar(linea.substr(8, 19));
    z.punto = true;
    z.id = importacion::idPunto(numero);
    const std::string_view resto = importacion::desde(linea, 27);
    const std::size_t finCodigo = std::min<std::size_t>(resto.size(), 9);
    z.codigo = recortar(resto.substr(0, finCodigo));
    std::vector<std::string_view> palabras;
    std::string_view t = importacion::desde(resto, finCodigo);
    while (!(t = recortar(t)).empty()) {
        const std::string_view p = importacion::hastaBlanco(t);
        palabras.push_back(p);
        t.remove_prefix(p.size());
    }
    for (std::size_t i = 0; i + 1 < palabras.size(); i += 2) {
        if (!importacion::esNumero(palabras[i + 1])) return std::nullopt;
        z.valores.push_back({std::string(palabras[i]), importacion::numeroCampo(palabras[i + 1]), {}});
    }
    return z;
}

}  // namespace

Estado leerZeiss(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    double jalon = 0, altura = 0;
    std::int32_t unidad = 0;
    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = texto;
        if (recortar(linea) == "END") return Paso::Seguir;
        auto z = lineaM5(linea);
        if (!z) z = lineaRec500(linea);
        if (!z) {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        }
        std::optional<double> x, y, cota, horizontal, vertical, inclinada, reducida;
        for (const Valor& v : z->valores) {
            if (v.unidad == "grd" || v.unidad == "gon") unidad = kCentesimal;
            if (v.unidad == "deg") unidad = kSexagesimal;
            if (v.tipo == "X") x = v.valor;
            else if (v.tipo == "Y") y = v.valor;
            else if (v.tipo == "Z") cota = v.valor;
            else if (v.tipo == "Hz") horizontal = v.valor;
            else if (v.tipo.size() == 2 && v.tipo[0] == 'V' && v.tipo[1] >= '1' && v.tipo[1] <= '4') vertical = v.valor;
            else if (v.tipo == "SD") inclinada = v.valor;
            else if (v.tipo == "HD") reducida = v.valor;
            else if (v.tipo == "th") jalon = v.valor;
            else if (v.tipo == "ih") altura = v.valor;
        }
        if (!z->punto || z->id.empty()) return Paso::Seguir;
        const bool coordenadas = x || y || cota;
        if (coordenadas &&
            !importacion::anadirCoordenadas(ctx, z->id, y.value_or(0), x.value_or(0), cota.value_or(0)))
            return Paso::Fallo;
        if (z->codigo == "S") {
            auto* e = importacion::registroEstacion(ctx, z->id, altura);
            if (!e) return Paso::Fallo;
            e->unidadAngular = unidad;
            return Paso::Seguir;
        }
        if (!horizontal && !vertical && !inclinada && !reducida) return Paso::Seguir;
        if (!ctx.listas.estacionamientoActual()) {
            ctx.avisos.mensaje(mensajes::kVisualesAntesDatos);
            return Paso::Fallo;
        }
        if (unidad != 0) ctx.listas.estacionamientoActual()->unidadAngular = unidad;
        return importacion::lecturaDeEstacionamiento(ctx, {.numero = importacion::numeroDeNombre(ctx, z->id),
                                                           .jalon = jalon,
                                                           .distancia = inclinada ? *inclinada : reducida.value_or(0),
                                                           .vertical = vertical.value_or(0),
                                                           .horizontal = horizontal.value_or(0),
                                                           .texto = z->codigo,
                                                           .nombre = z->id})
                   ? Paso::Seguir
                   : Paso::Fallo;
    });
}

}  // namespace celvara
