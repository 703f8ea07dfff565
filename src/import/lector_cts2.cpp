// "CTS2 TOPCON PSION" (12): keyword records of the CTS2 program on a Psion
// organiser, list-building. The field mapping is ours (nothing public
// describes it): one record per line, the keyword first, then fields
// separated by commas (blanks around them ignored):
//
//   ORIGEN station,instrument height[,X,Y,Z]   a set-up (X, Y, Z not used)
//   ORIANG point,horizontal[,bearing]          the backsight of the set-up:
//                                              with a bearing, orientation =
//                                              bearing - horizontal
//   PRISMA target height                       kept for the readings after it
//   REGPOS point,horizontal,vertical,distance[,code]   a reading
//   ENLACE point,horizontal,vertical,distance[,code]   a reading to another
//                                              station (traverse link)
//
// Quirks worth knowing:
// - ORIGEN without an instrument height fails with "Falta una altura de
//   aparato".
// - A reading number is the point name when it starts with a digit, else the
//   running count of the file; the reading keeps the point as its id and
//   stays in the set-up of its station whatever its number.
// - A reading or ORIANG before any ORIGEN fails with its message; any other
//   line, or a record short of its fields, fails showing the line.
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

constexpr std::size_t kMaximoCampos = 5;

struct Registro {
    std::string_view clave;
    std::array<std::string_view, kMaximoCampos> campos{};
    std::size_t n = 0;

    std::string_view campo(std::size_t i) const { return i < n ? recortar(campos[i]) : std::string_view(); }
};

Registro separar(std::string_view linea) {
    Registro r;
    linea = recortar(linea);
    const std::size_t fin = linea.find_first_of(" \t,");
    r.clave = linea.substr(0, fin);
    std::string_view resto = importacion::desde(linea, fin == std::string_view::npos ? linea.size() : fin);
    resto = recortar(resto);
    if (!resto.empty() && resto[0] == ',') resto.remove_prefix(1);
    if (recortar(resto).empty()) return r;
    while (r.n < kMaximoCampos) {
        const std::size_t coma = resto.find(',');
        if (coma == std::string_view::npos || r.n + 1 == kMaximoCampos) {
            r.campos[r.n++] = resto;
            break;
        }
        r.campos[r.n++] = resto.substr(0, coma);
        resto.remove_prefix(coma + 1);
    }
    return r;
}

}  // namespace

Estado leerCts2Psion(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    double jalon = 0;
    return importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso {
        if (recortar(texto).empty()) return Paso::Seguir;
        const Registro r = separar(texto);
        auto noReconocida = [&] {
            importacion::avisarLineaNoReconocida(ctx, texto);
            return Paso::Fallo;
        };
        if (r.clave == "ORIGEN") {
            const std::string nombre = importacion::sinBlancos(r.campo(0));
            if (nombre.empty()) return noReconocida();
            if (r.campo(1).empty()) {
                ctx.avisos.mensaje(mensajes::kFaltaAlturaAparato);
                return Paso::Fallo;
            }
            return importacion::nuevoEstacionamiento(ctx, importacion::cortar(nombre, 15), textoANumero(r.campo(1)))
                       ? Paso::Seguir
                       : Paso::Fallo;
        }
        if (r.clave == "PRISMA") {
            if (r.campo(0).empty()) return noReconocida();
            jalon = textoANumero(r.campo(0));
            return Paso::Seguir;
        }
        const bool orientacion = r.clave == "ORIANG";
        const bool lectura = r.clave == "REGPOS" || r.clave == "ENLACE";
        if (!orientacion && !lectura) return noReconocida();
        if (!ctx.listas.estacionamientoActual()) {
            ctx.avisos.mensaje(mensajes::kVisualesAntesDatos);
            return Paso::Fallo;
        }
        if (orientacion) {
            if (r.campo(1).empty()) return noReconocida();
            if (!r.campo(2).empty()) {
                auto* e = ctx.listas.estacionamientoActual();
                e->horizontalEspalda = formatear("%1.4lf", textoANumero(r.campo(1)));
                e->acimutEspalda = formatear("%1.4lf", textoANumero(r.campo(2)));
            }
            return Paso::Seguir;
        }
        for (std::size_t i = 0; i < 4; ++i)
            if (r.campo(i).empty()) return noReconocida();
        const std::int32_t numero = importacion::numeroDeNombre(ctx, r.campo(0));
        if (!importacion::agruparConsecutiva(ctx, numero)) return Paso::Fallo;
        return importacion::nuevaLectura(ctx, {.numero = numero,
                                               .jalon = jalon,
                                               .distancia = textoANumero(r.campo(3)),
                                               .vertical = textoANumero(r.campo(2)),
                                               .horizontal = textoANumero(r.campo(1)),
                                               .texto = r.campo(4),
                                               .nombre = importacion::idPunto(r.campo(0))})
                   ? Paso::Seguir
                   : Paso::Fallo;
    });
}

}  // namespace celvara
