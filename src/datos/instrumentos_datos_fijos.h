// The fixed data folder (c:\trabajos\vestrum: instrument library, job data,
// default pictures) as shipped with the program in data/vestrum. On a new
// installation the folder is seeded from the shipped copy; files the user
// already has are never replaced.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fieldbook/rutas.h"

namespace celvara {

inline constexpr const char* kCarpetaDatosFijos = "c:\\trabajos\\vestrum";

// Copies every regular file of `origen` that `destino` lacks (names compared
// without regard to case, as Windows does), creating `destino` if needed.
// Returns the names copied; false in `ok` when a copy failed.
std::vector<std::string> sembrarDatosFijos(const std::filesystem::path& origen, const std::filesystem::path& destino,
                                           bool& ok);

// The host folder that stands for c:\trabajos\vestrum.
std::filesystem::path carpetaDatosFijos(const MapaRutas& mapa);

}  // namespace celvara
