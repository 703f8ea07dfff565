// "Fichero PENTAX_R315N" (31): Pentax R-315N tagged records. Built into the
// import lists, so a failed read leaves the book as it was and the merge
// finds the stations in the whole book.
//
// Quirks worth knowing:
// - The tags are those of the tagged Pentax files, found anywhere in the
//   line; the value is the text after the four-character tag.
// - A station block (from "STS:" to the next "PPD:") gives the name (STS,
//   blanks removed) and the instrument height (INH).
// - A point block runs from "PPD:" to the next "PPD:" or "STS:": PPD the
//   point (blanks removed, a leading "D" dropped), PPH the target height
//   (kept for later points), RTH horizontal, RTV vertical, RTD distance, PPC
//   the code. A point block with none of RTH, RTV, RTD is not a sighting.
// - A point before any station fails the read with its message.
#include <optional>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;

std::optional<std::string_view> valorEtiqueta(std::string_view linea, std::string_view etiqueta) {
    const std::size_t p = linea.find(etiqueta);
    if (p == std::string_view::npos) return std::nullopt;
    return importacion::recortar(linea.substr(p + etiqueta.size()));
}

struct PuntoR315 {
    bool abierto = false;
    std::string nombre, codigo;
    std::optional<double> horizontal, vertical, distancia;
};

}  // namespace

Estado leerPentaxR315n(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    ctx.listas.guionEnNombres = true;
    PuntoR315 punto;
    double jalon = 0;
    bool enEstacion = false;
    std::string estacion;
    double altura = 0;

    auto cerrarEstacion = [&]() -> bool {
        if (!enEstacion) return true;
        enEstacion = false;
        return importacion::registroEstacion(ctx, estacion, altura) != nullptr;
    };
    auto cerrarPunto = [&]() -> bool {
        if (!punto.abierto) return true;
        const PuntoR315 p = std::move(punto);
        punto = {};
        if (!p.horizontal && !p.vertical && !p.distancia) return true;
        if (!ctx.listas.estacionamientoActual()) {
            ctx.avisos.mensaje(mensajes::kVisualesAntesDatos2);
            return false;
        }
        return importacion::lecturaDeEstacionamiento(ctx, {.numero = importacion::numeroDeNombre(ctx, p.nombre),
                                                           .jalon = jalon,
                                                           .distancia = p.distancia.value_or(0),
                                                           .vertical = p.vertical.value_or(0),
                                                           .horizontal = p.horizontal.value_or(0),
                                                           .texto = p.codigo,
                                                           .nombre = p.nombre}) != nullptr;
    };

    const Estado estado = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        const std::string_view linea = texto;
        if (auto v = valorEtiqueta(linea, "STS:")) {
            if (!cerrarPunto() || !cerrarEstacion()) return Paso::Fallo;
            enEstacion = true;
            estacion = importacion::idPunto(importacion::sinBlancos(*v));
            altura = 0;
            return Paso::Seguir;
        }
        if (auto v = valorEtiqueta(linea, "PPD:")) {
            if (!cerrarPunto() || !cerrarEstacion()) return Paso::Fallo;
            std::string nombre = importacion::sinBlancos(*v);
            if (!nombre.empty() && nombre[0] == 'D') nombre.erase(0, 1);
            punto.abierto = true;
            punto.nombre = importacion::idPunto(nombre);
            return Paso::Seguir;
        }
        if (enEstacion) {
            if (auto v = valorEtiqueta(linea, "INH:")) altura = importacion::numeroCampo(*v);
            return Paso::Seguir;
        }
        if (!punto.abierto) return Paso::Seguir;
        if (auto v = valorEtiqueta(linea, "PPH:")) jalon = importacion::numeroCampo(*v);
        else if (auto v = valorEtiqueta(linea, "RTH:")) punto.horizontal = importacion::numeroCampo(*v);
        else if (auto v = valorEtiqueta(linea, "RTV:")) punto.vertical = importacion::numeroCampo(*v);
        else if (auto v = valorEtiqueta(linea, "RTD:")) punto.distancia = importacion::numeroCampo(*v);
        else if (auto v = valorEtiqueta(linea, "PPC:"))
            punto.codigo = importacion::cortar(*v, CListasImportacion::kTextoMaximo);
        return Paso::Seguir;
    });
    if (estado != Estado::Exito) return estado;
    return cerrarPunto() && cerrarEstacion() ? Estado::Exito : Estado::Fallo;
}

}  // namespace celvara
