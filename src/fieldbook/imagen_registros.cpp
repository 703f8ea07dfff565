#include "fieldbook/imagen_registros.h"

#include <cstring>

#include "fieldbook/bytes.h"

namespace celvara::imagen {

using namespace bytes;

void escribirDatos(const DatosComplementarios& d, unsigned char* p) {
    std::memset(p, 0, datos::tamano);
    d.instrumento.aBytes(p + datos::instrumento);
    d.operador.aBytes(p + datos::operador);
    d.dia.aBytes(p + datos::dia);
    d.hora.aBytes(p + datos::hora);
    escribirI32(p + datos::temperatura, d.temperatura);
    escribirI32(p + datos::presion, d.presion);
    escribirI32(p + datos::ppm, d.ppm);
    escribirI32(p + datos::tipoDistancia, d.tipoDistancia);
    escribirI32(p + datos::tipoVertical, d.tipoVertical);
    escribirI32(p + datos::unidadAngular, d.unidadAngular);
    escribirI32(p + datos::unidadDistancia, d.unidadDistancia);
    p[datos::corregidoEsfRefr] = d.corregidoEsfRefr;
    p[datos::corregidoTempPres] = d.corregidoTempPres;
    d.comentarios.aBytes(p + datos::comentarios);
}

void leerDatos(const unsigned char* p, DatosComplementarios& d) {
    d.instrumento.desdeBytes(p + datos::instrumento);
    d.operador.desdeBytes(p + datos::operador);
    d.dia.desdeBytes(p + datos::dia);
    d.hora.desdeBytes(p + datos::hora);
    d.temperatura = leerI32(p + datos::temperatura);
    d.presion = leerI32(p + datos::presion);
    d.ppm = leerI32(p + datos::ppm);
    d.tipoDistancia = leerI32(p + datos::tipoDistancia);
    d.tipoVertical = leerI32(p + datos::tipoVertical);
    d.unidadAngular = leerI32(p + datos::unidadAngular);
    d.unidadDistancia = leerI32(p + datos::unidadDistancia);
    d.corregidoEsfRefr = p[datos::corregidoEsfRefr];
    d.corregidoTempPres = p[datos::corregidoTempPres];
    d.comentarios.desdeBytes(p + datos::comentarios);
}

void escribirEstacion(const Estacion& e, unsigned char* p) {
    std::memset(p, 0, estacion::tamano);
    e.nombre.aBytes(p + estacion::nombre);
    escribirI32(p + estacion::tipo, e.tipo);
    escribirF64(p + estacion::x, e.x);
    escribirF64(p + estacion::y, e.y);
    escribirF64(p + estacion::z, e.z);
    e.descripcion1.aBytes(p + estacion::descripcion1);
    e.descripcion2.aBytes(p + estacion::descripcion2);
    e.croquis.aBytes(p + estacion::croquis);
    e.ficheroFoto.aBytes(p + estacion::ficheroFoto);
    e.ficheroCroquis.aBytes(p + estacion::ficheroCroquis);
}

void leerEstacion(const unsigned char* p, Estacion& e) {
    e.nombre.desdeBytes(p + estacion::nombre);
    e.tipo = leerI32(p + estacion::tipo);
    e.x = leerF64(p + estacion::x);
    e.y = leerF64(p + estacion::y);
    e.z = leerF64(p + estacion::z);
    e.descripcion1.desdeBytes(p + estacion::descripcion1);
    e.descripcion2.desdeBytes(p + estacion::descripcion2);
    e.croquis.desdeBytes(p + estacion::croquis);
    e.ficheroFoto.desdeBytes(p + estacion::ficheroFoto);
    e.ficheroCroquis.desdeBytes(p + estacion::ficheroCroquis);
}

void escribirEstacionamiento(const Estacionamiento& e, unsigned char* p) {
    std::memset(p, 0, estacionamiento::tamano);
    e.nombre.aBytes(p + estacionamiento::nombre);
    e.estacion.aBytes(p + estacionamiento::estacion);
    escribirF64(p + estacionamiento::alturaInstrumento, e.alturaInstrumento);
    escribirF64(p + estacionamiento::desorientacion, e.desorientacion);
    escribirDatos(e.datos, p + estacionamiento::datos);
}

void leerEstacionamiento(const unsigned char* p, Estacionamiento& e) {
    e.nombre.desdeBytes(p + estacionamiento::nombre);
    e.estacion.desdeBytes(p + estacionamiento::estacion);
    e.alturaInstrumento = leerF64(p + estacionamiento::alturaInstrumento);
    e.desorientacion = leerF64(p + estacionamiento::desorientacion);
    leerDatos(p + estacionamiento::datos, e.datos);
}

void escribirLectura(const Lectura& l, unsigned char* p) {
    std::memset(p, 0, lectura::tamano);
    l.nombre.aBytes(p + lectura::nombre);
    escribirF64(p + lectura::jalon, l.jalon);
    escribirF64(p + lectura::distancia, l.distancia);
    escribirF64(p + lectura::vertical, l.vertical);
    escribirF64(p + lectura::horizontal, l.horizontal);
    l.codigo.aBytes(p + lectura::codigo);
}

void leerLectura(const unsigned char* p, Lectura& l) {
    l.nombre.desdeBytes(p + lectura::nombre);
    l.jalon = leerF64(p + lectura::jalon);
    l.distancia = leerF64(p + lectura::distancia);
    l.vertical = leerF64(p + lectura::vertical);
    l.horizontal = leerF64(p + lectura::horizontal);
    l.codigo.desdeBytes(p + lectura::codigo);
}

}  // namespace celvara::imagen
