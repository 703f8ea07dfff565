// The imports the main window offers directly: TOPCAL ASCII files (classic,
// seven fields a record, or with comments, eight) and radiation files of
// version 4.0. Both read the whole file first and change the book only when
// it was read completely, through the import lists and their merge: stations
// are looked up in the whole book, new set-ups are numbered after the
// existing ones and copy the default complementary data; nothing else in
// the book is touched.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fieldbook/libreta.h"
#include "import/listas_importacion.h"

namespace celvara {

inline constexpr const char* kErrorLeerFichero = "ERROR AL LEER FICHERO";
inline constexpr const char* kFiltroTopcal = "Archivos de TOPCAL (*.*)|*.*||";
inline constexpr const char* kExtensionRad = "rad";
inline constexpr const char* kFiltroRad =
    "Archivos de radiaciones de versión 4.0 (*.rad) | *.rad|Todos los archivos (*.*) | *.*||";

// Blank-separated tokens, seven per record (eight with comments): station,
// target, horizontal, vertical, distance, target height, instrument height
// [, text]. A new station or instrument height starts a set-up named
// "%s_(%d)". False (nothing changed) when the file cannot be read, a number
// cannot be read or the last record is incomplete.
bool leerTopcalAscii(const std::filesystem::path& ruta, bool conComentarios, CListasImportacion& listas);

// The binary radiation file: a 96-byte header, a u32 count N, N set-up
// records of 72 bytes, reading records of 104 bytes to the end. Readings
// reach the set-up whose number range holds them. False on a short or
// inconsistent file.
bool leerRadiacionV4(const std::filesystem::path& ruta, CListasImportacion& listas);

// Reads with one of the two and merges; false (message text in `error`,
// book unchanged) when the read failed or gave nothing.
bool importarTopcalAscii(CLibretaCampo& libreta, const DatosComplementarios& porDefecto,
                         const std::filesystem::path& ruta, bool conComentarios, std::string& error);
bool importarRadiacionV4(CLibretaCampo& libreta, const DatosComplementarios& porDefecto,
                         const std::filesystem::path& ruta, std::string& error);

}  // namespace celvara
