// The job's UTM zone and geodetic datum, kept in an INI file beside the book
// (LIBRETA.obs.ini, "[Proyeccion] huso=30, datum=ED50"). The book and the
// settings file keep only their projection field (Planas, UTM Hayford, UTM
// WGS-84), whose layout cannot grow: the GRS80 datums (ETRS89, REGCAN95)
// store "UTM WGS-84" there and the INI says which one it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace celvara {

enum class Datum : std::uint8_t { Ed50, Etrs89, Wgs84, Regcan95 };

inline constexpr int kHusoPorDefecto = 30;  // central meridian -3: mainland Spain
inline constexpr int kHusoMinimo = 1, kHusoMaximo = 60;
inline constexpr const char* kNombresDatum[] = {"ED50", "ETRS89", "WGS84", "REGCAN95"};

struct ProyeccionTrabajo {
    int huso = kHusoPorDefecto;
    Datum datum = Datum::Ed50;
    friend bool operator==(const ProyeccionTrabajo&, const ProyeccionTrabajo&) = default;
};

// "ED50", "ETRS89", "WGS84", "REGCAN95", ignoring case; also "WGS-84".
std::optional<Datum> datumPorNombre(std::string_view nombre);
const char* nombreDatum(Datum d);
// ETRS89 and REGCAN95 are on GRS80; ED50 on Hayford (International 1924).
bool datumGrs80(Datum d);

// The projection field for a UTM job on this datum: 1 (Hayford) for ED50,
// 2 (WGS-84) for the others.
std::uint32_t campoProyeccion(Datum d);

// The datum the projection field allows: Hayford means ED50; WGS-84 keeps a
// GRS80 datum or WGS84 and turns ED50 into WGS84; "Planas" keeps the datum.
Datum datumConcordante(Datum d, std::uint32_t campoProyeccion);

// LIBRETA.obs -> LIBRETA.obs.ini (host paths).
std::filesystem::path rutaProyeccionTrabajo(const std::filesystem::path& libreta);

// The job's projection: the INI's zone and datum when present and valid
// (a zone outside 1-60 or an unknown datum is the default), made to agree
// with the projection field of the book.
ProyeccionTrabajo leerProyeccionTrabajo(const std::filesystem::path& libreta, std::uint32_t campoProyeccion);

// Writes the INI beside the book, keeping any other section of it. A job on
// zone 30 whose datum the projection field already says (ED50, WGS84) needs
// no INI: none is created for it, an existing one is updated.
bool guardarProyeccionTrabajo(const std::filesystem::path& libreta, const ProyeccionTrabajo& p);

}  // namespace celvara
