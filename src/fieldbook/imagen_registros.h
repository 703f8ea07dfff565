// Byte images of the field book records, as they are stored in the
// observation file (and embedded in other files). Every offset is named once
// here; link fields and padding are written as 0 and ignored when read.
#pragma once

#include <cstddef>

#include "fieldbook/libreta.h"

namespace celvara::imagen {

namespace datos {
inline constexpr std::size_t instrumento = 0, operador = 50, dia = 65, hora = 80, temperatura = 96,
                             presion = 100, ppm = 104, tipoDistancia = 108, tipoVertical = 112,
                             unidadAngular = 116, unidadDistancia = 120, corregidoEsfRefr = 124,
                             corregidoTempPres = 125, comentarios = 126, tamano = 176;
static_assert(operador == instrumento + 50 && dia == operador + 15 && hora == dia + 15 &&
              temperatura == hora + 16 && comentarios + 50 == tamano);
}  // namespace datos

namespace estacion {
inline constexpr std::size_t nombre = 0, tipo = 16, x = 24, y = 32, z = 40, descripcion1 = 48,
                             descripcion2 = 148, croquis = 248, ficheroFoto = 1272,
                             ficheroCroquis = 1528, enlaces = 1784, tamano = 1800;
static_assert(descripcion2 == descripcion1 + 100 && croquis == descripcion2 + 100 &&
              ficheroFoto == croquis + 1024 && ficheroCroquis == ficheroFoto + 256 &&
              enlaces == ficheroCroquis + 256 && tamano == enlaces + 4 * 4);
}  // namespace estacion

namespace estacionamiento {
inline constexpr std::size_t nombre = 0, estacion = 15, alturaInstrumento = 32, desorientacion = 40,
                             enlaces = 48, datos = 56, enlacesFinales = 232, tamano = 240;
static_assert(estacion == nombre + 15 && alturaInstrumento == estacion + 17 &&
              datos + datos::tamano == enlacesFinales && tamano == enlacesFinales + 8);
}  // namespace estacionamiento

namespace lectura {
inline constexpr std::size_t nombre = 0, jalon = 16, distancia = 24, vertical = 32, horizontal = 40,
                             codigo = 48, enlaces = 100, tamano = 112;
static_assert(codigo == horizontal + 8 && enlaces == codigo + 52 && tamano == enlaces + 12);
}  // namespace lectura

// The book's header block: reserved text and projection.
inline constexpr std::size_t kTamanoCabecera = 1028;

// The destination spans are exactly the record size and are fully written.
void escribirDatos(const DatosComplementarios& d, unsigned char* destino);
void leerDatos(const unsigned char* origen, DatosComplementarios& d);
void escribirEstacion(const Estacion& e, unsigned char* destino);
void leerEstacion(const unsigned char* origen, Estacion& e);
void escribirEstacionamiento(const Estacionamiento& e, unsigned char* destino);
void leerEstacionamiento(const unsigned char* origen, Estacionamiento& e);
void escribirLectura(const Lectura& l, unsigned char* destino);
void leerLectura(const unsigned char* origen, Lectura& l);

}  // namespace celvara::imagen
