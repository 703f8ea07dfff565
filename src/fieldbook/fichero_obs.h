// Observation file (*.OBS): format mark 0, the book's 1028-byte header block,
// the station count, then every station (1800 bytes) with its set-up count,
// every set-up (240 bytes) with its reading count and readings (112 bytes),
// in list order. No checksum, no end marker.
#pragma once

#include <filesystem>

#include "fieldbook/libreta.h"

namespace celvara {

// Writes the book (through a temporary file renamed over the target).
bool escribirLibreta(const CLibretaCampo& libreta, const std::filesystem::path& ruta);

// Reads a book. A file that ends early keeps its complete records and
// succeeds; a missing or read-only file, a mark other than 0 (book
// untouched), a file ending before the station count, a negative count or a
// read error fail, leaving the book empty except in the bad-mark case.
// `cortada`, when given, says whether the file ended before the records its
// counts announce.
bool leerLibreta(CLibretaCampo& libreta, const std::filesystem::path& ruta, bool* cortada = nullptr);

}  // namespace celvara
