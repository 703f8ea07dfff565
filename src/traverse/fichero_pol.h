// The traverse file (*.POL), little-endian: u32 version (always 0), u32 row
// count N, N rows of 472 bytes in traverse order, one reference of 168 bytes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "traverse/poligonal.h"

namespace celvara {

struct Poligonal {
    FilasPoligonal filas;
    ReferenciaPoligonal referencia;
};

// Row and reference images. Over a record read from a file the writer keeps
// every byte whose field still holds the value read, so unedited records come
// back identical; a new record is written zero-filled.
void escribirFilaPoligonal(const EstacionPoligonal& fila, unsigned char* destino);
EstacionPoligonal leerFilaPoligonal(const unsigned char* origen);
void escribirReferenciaPoligonal(const ReferenciaPoligonal& ref, unsigned char* destino);
ReferenciaPoligonal leerReferenciaPoligonal(const unsigned char* origen);

// The whole file image.
std::vector<unsigned char> imagenPoligonal(const Poligonal& poligonal);

// Reads a file image. A version other than 0, a traverse type outside 0-2 or
// fewer bytes than the header, the row count and the reference need are
// refused with a message (UTF-8) and leave `poligonal` empty; bytes after
// the reference are ignored. The row count is never used to reserve memory
// before the bytes are known to be there.
bool leerPoligonal(const std::vector<unsigned char>& datos, Poligonal& poligonal, std::string& mensaje);
bool leerFicheroPoligonal(const std::filesystem::path& ruta, Poligonal& poligonal, std::string& mensaje);

// Atomic save: a failed write leaves the previous file untouched.
bool guardarFicheroPoligonal(const Poligonal& poligonal, const std::filesystem::path& ruta, std::string& mensaje);

}  // namespace celvara
