// "GTS700 de TOPCON" (11): Topcon GTS-7 keyword records, list-building.
//
// Quirks worth knowing:
// - Records are found by a tag anywhere in the line ("STN ", "BKB ", "HV ",
//   "SS ", "SD ", "HD ", "FS "). A set-up block runs from "STN " to the next
//   "SS " or "FS "; a point block from "SS " to the next "SS ", "FS " or
//   "STN ".
// - STN gives name (blanks removed) and instrument height; BKB the backsight
//   bearing (after the first comma); HV in a set-up block the circle reading
//   to the backsight. Both are kept as "%10.4lf" text without blanks.
// - SS gives number, target height and code (further commas become
//   blanks). SD is horizontal, vertical, slope distance; HD is horizontal,
//   horizontal distance and height difference, which goes in the vertical
//   slot. HV in a point block (an angle-only sighting) gives horizontal and
//   vertical.
// - "FS " foresights are not imported. A reading keeps its point id and
//   stays in the set-up of its station whatever its number.
// - A missing comma or value in STN, BKB, SS, SD or HD fails the read; a point
//   before any set-up fails with its message.
#include <array>
#include <optional>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/lectura_comun.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

using importacion::Paso;
using importacion::recortar;
using importacion::sinBlancos;

enum class Bloque { Ninguno, Estacionamiento, Punto };

// The text after a tag found in the line.
std::string_view trasEtiqueta(std::string_view linea, std::string_view etiqueta) {
    return importacion::desde(linea, linea.find(etiqueta) + etiqueta.size());
}

// Up to `n` comma-separated fields; fewer when the text has fewer commas.
template <std::size_t N>
std::size_t separarComas(std::string_view texto, std::array<std::string_view, N>& campos) {
    std::size_t n = 0;
    while (n < N) {
        const std::size_t coma = texto.find(',');
        if (coma == std::string_view::npos || n + 1 == N) {
            campos[n++] = texto;
            break;
        }
        campos[n++] = texto.substr(0, coma);
        texto.remove_prefix(coma + 1);
    }
    return n;
}

std::string textoAngulo(double valor) { return sinBlancos(formatear("%10.4lf", valor)); }

// The reader's state between lines: the block a line belongs to, the
// backsight of the set-up being read and the reading that SD, HD or HV fill.
class LectorGts700 {
public:
    explicit LectorGts700(ContextoImportacion& ctx) : ctx_(ctx) {}

    Paso linea(std::string_view linea) {
        if (importacion::contiene(linea, "STN ")) return estacion(linea);
        if (importacion::contiene(linea, "SS ")) return visual(linea);
        if (importacion::contiene(linea, "FS ")) {
            cerrarEstacionamiento();
            bloque_ = Bloque::Ninguno;
            lectura_ = nullptr;
            return Paso::Seguir;
        }
        if (bloque_ == Bloque::Estacionamiento) return espalda(linea);
        if (bloque_ == Bloque::Punto && lectura_) return medida(linea);
        return Paso::Seguir;
    }

    // The backsight texts go to the set-up when its block ends.
    void cerrarEstacionamiento() {
        if (bloque_ != Bloque::Estacionamiento) return;
        if (auto* e = ctx_.listas.estacionamientoActual()) {
            e->acimutEspalda = textoAngulo(acimut_);
            e->horizontalEspalda = textoAngulo(horizontal_);
        }
    }

private:
    // "STN name,height[,code]": a new set-up block.
    Paso estacion(std::string_view linea) {
        cerrarEstacionamiento();
        const std::string_view resto = trasEtiqueta(linea, "STN ");
        const std::size_t coma = resto.find(',');
        if (coma == std::string_view::npos || recortar(resto.substr(coma + 1)).empty()) return Paso::Fallo;
        const std::string nombre = sinBlancos(resto.substr(0, coma));
        std::array<std::string_view, 2> campos;
        separarComas(resto.substr(coma + 1), campos);
        if (!importacion::nuevoEstacionamiento(ctx_, importacion::cortar(nombre, 15), textoANumero(campos[0])))
            return Paso::Fallo;
        acimut_ = horizontal_ = 0;
        bloque_ = Bloque::Estacionamiento;
        lectura_ = nullptr;
        return Paso::Seguir;
    }

    // "SS number,target height[,code...]": a new point block and its reading.
    Paso visual(std::string_view linea) {
        cerrarEstacionamiento();
        if (!ctx_.listas.estacionamientoActual()) {
            ctx_.avisos.mensaje(mensajes::kVisualesAntesDatos2);
            return Paso::Fallo;
        }
        const std::string_view resto = recortar(trasEtiqueta(linea, "SS "));
        std::array<std::string_view, 3> campos;
        const std::size_t n = separarComas(resto, campos);
        if (n < 2 || recortar(campos[1]).empty()) return Paso::Fallo;
        std::string codigo = n > 2 ? std::string(campos[2]) : std::string();
        for (char& c : codigo)
            if (c == ',') c = ' ';
        const std::int32_t numero = importacion::enteroConSigno(campos[0]);
        if (!importacion::agruparConsecutiva(ctx_, numero)) return Paso::Fallo;
        const std::string id = importacion::idPunto(campos[0]);
        lectura_ = importacion::nuevaLectura(
            ctx_, {.numero = numero, .jalon = textoANumero(campos[1]), .texto = codigo, .nombre = id});
        if (!lectura_) return Paso::Fallo;
        bloque_ = Bloque::Punto;
        return Paso::Seguir;
    }

    // BKB and HV inside a set-up block: the backsight bearing and reading.
    Paso espalda(std::string_view linea) {
        if (importacion::contiene(linea, "BKB ")) {
            const std::string_view resto = trasEtiqueta(linea, "BKB ");
            const std::size_t coma = resto.find(',');
            if (coma == std::string_view::npos) return Paso::Fallo;
            std::array<std::string_view, 2> campos;
            separarComas(resto.substr(coma + 1), campos);
            if (recortar(campos[0]).empty()) return Paso::Fallo;
            acimut_ = textoANumero(campos[0]);
        } else if (importacion::contiene(linea, "HV ")) {
            std::array<std::string_view, 2> campos;
            const std::string sinB = sinBlancos(trasEtiqueta(linea, "HV "));
            separarComas(std::string_view(sinB), campos);
            horizontal_ = textoANumero(campos[0]);
        }
        return Paso::Seguir;
    }

    // SD, HD or HV inside a point block fill its reading.
    Paso medida(std::string_view linea) {
        const bool sd = importacion::contiene(linea, "SD ");
        const bool hd = !sd && importacion::contiene(linea, "HD ");
        const bool hv = !sd && !hd && importacion::contiene(linea, "HV ");
        if (!sd && !hd && !hv) return Paso::Seguir;
        const std::string_view resto = trasEtiqueta(linea, sd ? "SD " : hd ? "HD " : "HV ");
        std::array<std::string_view, 3> campos;
        const std::size_t necesarios = hv ? 2 : 3;
        if (separarComas(resto, campos) < necesarios) return Paso::Fallo;
        for (std::size_t i = 0; i < necesarios; ++i)
            if (recortar(campos[i]).empty()) return Paso::Fallo;
        const double a = textoANumero(sinBlancos(campos[0]));
        const double b = textoANumero(campos[1]);
        const double c = hv ? 0.0 : textoANumero(campos[2]);
        lectura_->horizontal = a;
        if (hd) {
            lectura_->distancia = b;
            lectura_->vertical = c;
        } else {
            lectura_->vertical = b;
            lectura_->distancia = c;
        }
        return Paso::Seguir;
    }

    ContextoImportacion& ctx_;
    Bloque bloque_ = Bloque::Ninguno;
    double acimut_ = 0, horizontal_ = 0;
    LecturaImportada* lectura_ = nullptr;
};

}  // namespace

Estado leerGts700(ContextoImportacion& ctx, const std::filesystem::path& ruta) {
    LectorGts700 lector(ctx);
    const Estado estado =
        importacion::recorrerLineas(ctx, ruta, [&](std::string& texto) -> Paso { return lector.linea(texto); });
    if (estado == Estado::Exito) lector.cerrarEstacionamiento();
    return estado;
}

}  // namespace celvara
