// Tagged Pentax records (".ODB PENTAX Psion" 7 and "PENTAX ATS" 9),
// list-building.
//
// Quirks worth knowing:
// - A record field is a four-character tag anywhere in the line (named or
//   numeric form: "STS:" or "009:") followed by its value; the earliest tag
//   of the line counts.
// - When the first line begins with "0" and its fourth character is not ":",
//   every line carries a four-character prefix (a line number) that is
//   skipped.
// - Grouping (ours): "STA:" (or a "STS:" outside a station record) opens a
//   station record: a set-up record named by STS (or by the STA value when no
//   STS follows), height INH. "PPT:" (or any point field outside a point
//   record, or a second PPD in one) opens a point record, which becomes one
//   reading when the next record opens or the file ends. It keeps the point
//   name (PPD) as its id and stays in the set-up of its station whatever its
//   number. PPH stays for later points until changed; PPC is the code; NOT
//   notes are not imported.
// - A point before any station shows its message and invents station "1"
//   with instrument height 0. At the end, set-up records without readings
//   are dropped.
// - STS, INH, PPH, RTH, RTV and RTD need a value: an empty one fails the
//   read.
#include <algorithm>
#include <array>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;
using importacion::recortar;

enum class Campo { Sta, Sts, Inh, Ppt, Ppd, Pph, Rth, Rtv, Rtd, Ppc, Not };

struct Etiqueta {
    std::string_view texto;
    Campo campo;
};

constexpr std::size_t kLongitudEtiqueta = 4;
constexpr std::array<Etiqueta, 20> kEtiquetas{{
    {"STA:", Campo::Sta}, {"008:", Campo::Sta}, {"STS:", Campo::Sts}, {"009:", Campo::Sts},
    {"INH:", Campo::Inh}, {"012:", Campo::Inh}, {"PPT:", Campo::Ppt}, {"022:", Campo::Ppt},
    {"PPD:", Campo::Ppd}, {"PPH:", Campo::Pph}, {"026:", Campo::Pph}, {"RTH:", Campo::Rth},
    {"627:", Campo::Rth}, {"RTV:", Campo::Rtv}, {"628:", Campo::Rtv}, {"RTD:", Campo::Rtd},
    {"029:", Campo::Rtd}, {"PPC:", Campo::Ppc}, {"023:", Campo::Ppc}, {"NOT:", Campo::Not},
}};

enum class Registro { Ninguno, Estacion, Punto };

struct Punto {
    std::string nombre;
    double horizontal = 0, vertical = 0, distancia = 0;
    std::string codigo;
};

}  // namespace

Estado leerPentaxEtiquetas(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    bool primeraLinea = true;
    bool conPrefijo = false;
    Registro registro = Registro::Ninguno;
    Punto punto;
    double jalon = 0;

    auto cerrarPunto = [&]() -> bool {
        if (registro != Registro::Punto) return true;
        registro = Registro::Ninguno;
        const std::int32_t numero = importacion::numeroDeNombre(ctx, punto.nombre);
        if (!importacion::agruparConsecutiva(ctx, numero)) return false;
        return importacion::nuevaLectura(ctx, {.numero = numero,
                                               .jalon = jalon,
                                               .distancia = punto.distancia,
                                               .vertical = punto.vertical,
                                               .horizontal = punto.horizontal,
                                               .texto = punto.codigo,
                                               .nombre = importacion::idPunto(punto.nombre)}) != nullptr;
    };
    auto abrirEstacion = [&](std::string_view nombre) -> bool {
        if (!cerrarPunto()) return false;
        registro = Registro::Estacion;
        return importacion::nuevoEstacionamiento(ctx, importacion::cortar(nombre, 15), 0) != nullptr;
    };
    auto abrirPunto = [&]() -> bool {
        if (!cerrarPunto()) return false;
        if (!ctx.listas.estacionamientoActual()) {
            ctx.avisos.mensaje(mensajes::kEstacionInventada);
            if (!importacion::nuevoEstacionamiento(ctx, "1", 0)) return false;
        }
        registro = Registro::Punto;
        punto = Punto{};
        return true;
    };

    Estado estado = importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        std::string_view linea = texto;
        if (primeraLinea) {
            conPrefijo = linea[0] == '0' && (linea.size() < kLongitudEtiqueta || linea[3] != ':');
            primeraLinea = false;
        }
        if (conPrefijo) linea = importacion::desde(linea, kLongitudEtiqueta);

        const Etiqueta* etiqueta = nullptr;
        std::size_t posicion = std::string_view::npos;
        for (const auto& e : kEtiquetas) {
            const std::size_t p = linea.find(e.texto);
            if (p < posicion) {
                posicion = p;
                etiqueta = &e;
            }
        }
        if (!etiqueta) return Paso::Seguir;
        const std::string_view valor = importacion::desde(linea, posicion + kLongitudEtiqueta);
        const bool vacio = recortar(valor).empty();
        const std::string sinB = importacion::sinBlancos(valor);

        switch (etiqueta->campo) {
            case Campo::Sta: return abrirEstacion(sinB) ? Paso::Seguir : Paso::Fallo;
            case Campo::Sts:
                if (vacio) return Paso::Fallo;
                if (registro != Registro::Estacion) return abrirEstacion(sinB) ? Paso::Seguir : Paso::Fallo;
                ctx.listas.estacionamientoActual()->nombre = importacion::cortar(sinB, 15);
                return Paso::Seguir;
            case Campo::Inh:
                if (vacio) return Paso::Fallo;
                if (registro == Registro::Estacion) ctx.listas.estacionamientoActual()->alturaInstrumento = textoANumero(valor);
                return Paso::Seguir;
            case Campo::Ppt: return abrirPunto() ? Paso::Seguir : Paso::Fallo;
            default: break;
        }
        // Point fields.
        const bool numerico = etiqueta->campo == Campo::Pph || etiqueta->campo == Campo::Rth ||
                              etiqueta->campo == Campo::Rtv || etiqueta->campo == Campo::Rtd;
        if (numerico && vacio) return Paso::Fallo;
        if (etiqueta->campo == Campo::Not) return Paso::Seguir;
        // A second point name in one record starts the next point.
        const bool otroPunto = etiqueta->campo == Campo::Ppd && !punto.nombre.empty();
        if ((registro != Registro::Punto || otroPunto) && !abrirPunto()) return Paso::Fallo;
        switch (etiqueta->campo) {
            case Campo::Ppd: punto.nombre = sinB; break;
            case Campo::Pph: jalon = textoANumero(valor); break;
            case Campo::Rth: punto.horizontal = textoANumero(valor); break;
            case Campo::Rtv: punto.vertical = textoANumero(valor); break;
            case Campo::Rtd: punto.distancia = textoANumero(valor); break;
            case Campo::Ppc: punto.codigo = recortar(valor); break;
            default: break;
        }
        return Paso::Seguir;
    });
    if (estado == Estado::Exito && !cerrarPunto()) estado = Estado::Fallo;

    auto& lista = ctx.listas.estacionamientos();
    lista.erase(std::remove_if(lista.begin(), lista.end(),
                               [](const EstacionamientoImportado& e) { return e.sinLecturas(); }),
                lista.end());
    return estado;
}

}  // namespace celvara
