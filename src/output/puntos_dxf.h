// Points as a DXF drawing (AutoCAD 2000 ASCII, written by dxflib): per point
// a POINT at X, Y, Z and two TEXT entities beside it, the name and the code.
// Each code has its own layer named exactly as the code (points without a
// code go to layer "0"); stations (base points) go to layer "ESTACIONES"
// with the block "ESTACION", a triangle, inserted at the point. Texts keep
// their Windows-1252 bytes and the header says so ($DWGCODEPAGE ANSI_1252).
// Label sizes and offsets are the coordinate file's default labels at its
// default scale of 1:500 (name 0.75 m, code 0.25 m).
#pragma once

#include <filesystem>
#include <string>

#include "datos/fichero_crd.h"

namespace celvara {

inline constexpr const char* kCapaEstaciones = "ESTACIONES";
inline constexpr const char* kBloqueEstacion = "ESTACION";

// Written beside the target and renamed over it when complete. False with
// a message when the file cannot be written.
bool escribirPuntosDxf(const ListaPuntos& puntos, const std::filesystem::path& ruta, std::string& error);

}  // namespace celvara
