#include "fieldbook/proyeccion_trabajo.h"

#include <cmath>

#include "fieldbook/ajustes_propios.h"

namespace celvara {

namespace {
constexpr const char* kSeccion = "Proyeccion";

bool igualSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return true;
}
}  // namespace

std::optional<Datum> datumPorNombre(std::string_view nombre) {
    for (int i = 0; i < 4; ++i)
        if (igualSinMayusculas(nombre, kNombresDatum[i])) return static_cast<Datum>(i);
    if (igualSinMayusculas(nombre, "WGS-84")) return Datum::Wgs84;
    return std::nullopt;
}

const char* nombreDatum(Datum d) { return kNombresDatum[static_cast<int>(d)]; }

bool datumGrs80(Datum d) { return d == Datum::Etrs89 || d == Datum::Regcan95; }

std::uint32_t campoProyeccion(Datum d) { return d == Datum::Ed50 ? 1 : 2; }

Datum datumConcordante(Datum d, std::uint32_t campo) {
    if (campo == 1) return Datum::Ed50;
    if (campo == 2 && d == Datum::Ed50) return Datum::Wgs84;
    return d;
}

std::filesystem::path rutaProyeccionTrabajo(const std::filesystem::path& libreta) {
    std::filesystem::path r = libreta;
    r += ".ini";
    return r;
}

ProyeccionTrabajo leerProyeccionTrabajo(const std::filesystem::path& libreta, std::uint32_t campo) {
    ProyeccionTrabajo p;
    AjustesPropios ini;
    if (!libreta.empty() && ini.cargar(rutaProyeccionTrabajo(libreta))) {
        const double huso = ini.numero(kSeccion, "huso", kHusoPorDefecto);
        if (huso >= kHusoMinimo && huso <= kHusoMaximo && huso == std::floor(huso)) p.huso = static_cast<int>(huso);
        if (const auto nombre = ini.texto(kSeccion, "datum"))
            if (const auto d = datumPorNombre(*nombre)) p.datum = *d;
    }
    p.datum = datumConcordante(p.datum, campo);
    return p;
}

bool guardarProyeccionTrabajo(const std::filesystem::path& libreta, const ProyeccionTrabajo& p) {
    const auto ruta = rutaProyeccionTrabajo(libreta);
    std::error_code ec;
    const bool existe = std::filesystem::exists(ruta, ec);
    if (!existe && p.huso == kHusoPorDefecto && !datumGrs80(p.datum)) return true;
    AjustesPropios ini;
    if (existe && !ini.cargar(ruta)) return false;
    ini.asignar(kSeccion, "huso", std::to_string(p.huso));
    ini.asignar(kSeccion, "datum", nombreDatum(p.datum));
    return ini.guardar(ruta);
}

}  // namespace celvara
