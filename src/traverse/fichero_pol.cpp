#include "traverse/fichero_pol.h"

#include <algorithm>
#include <cstring>

#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/imagen_registros.h"

namespace celvara {
namespace {

constexpr std::size_t kCabecera = 8;
namespace fila = imagen::fila_poligonal;
namespace ref = imagen::referencia_poligonal;

// A text field is rewritten only when it no longer holds what the image
// holds, so that the bytes after the terminator survive an unedited save.
template <std::size_t N>
void escribirTexto(const TextoFijo<N>& texto, unsigned char* destino) {
    TextoFijo<N> actual;
    actual.desdeBytes(destino);
    if (!(actual == texto)) texto.aBytes(destino);
}

void escribirVisual(const VisualPoligonal& v, unsigned char* p, std::size_t h, std::size_t vv, std::size_t d,
                    std::size_t jalon) {
    bytes::escribirF64(p + h, v.hCd);
    bytes::escribirF64(p + h + 8, v.hCi);
    bytes::escribirF64(p + vv, v.vCd);
    bytes::escribirF64(p + vv + 8, v.vCi);
    bytes::escribirF64(p + d, v.dCd);
    bytes::escribirF64(p + d + 8, v.dCi);
    bytes::escribirF64(p + jalon, v.jalon);
}

VisualPoligonal leerVisual(const unsigned char* p, std::size_t h, std::size_t vv, std::size_t d, std::size_t jalon) {
    VisualPoligonal v;
    v.hCd = bytes::leerF64(p + h);
    v.hCi = bytes::leerF64(p + h + 8);
    v.vCd = bytes::leerF64(p + vv);
    v.vCi = bytes::leerF64(p + vv + 8);
    v.dCd = bytes::leerF64(p + d);
    v.dCi = bytes::leerF64(p + d + 8);
    v.jalon = bytes::leerF64(p + jalon);
    return v;
}

}  // namespace

void escribirFilaPoligonal(const EstacionPoligonal& f, unsigned char* p) {
    if (f.imagenLeida) std::memcpy(p, f.imagenLeida->data(), fila::tamano);
    else std::memset(p, 0, fila::tamano);
    escribirTexto(f.estacion, p + fila::estacion);
    escribirTexto(f.estacionamiento, p + fila::estacionamiento);
    escribirTexto(f.visadoAtras, p + fila::visadoAtras);
    escribirTexto(f.visadoAdelante, p + fila::visadoAdelante);
    escribirVisual(f.atras, p, fila::hAtrasCd, fila::vAtrasCd, fila::dAtrasCd, fila::jalonAtras);
    escribirVisual(f.adelante, p, fila::hAdelanteCd, fila::vAdelanteCd, fila::dAdelanteCd, fila::jalonAdelante);
    bytes::escribirF64(p + fila::alturaInstrumento, f.alturaInstrumento);
    DatosComplementarios actuales;
    imagen::leerDatos(p + fila::datos, actuales);
    if (!f.imagenLeida || !(actuales == f.datos)) imagen::escribirDatos(f.datos, p + fila::datos);
    std::memcpy(p + fila::libres, f.libres.data(), f.libres.size());
}

EstacionPoligonal leerFilaPoligonal(const unsigned char* p) {
    EstacionPoligonal f;
    f.estacion.desdeBytes(p + fila::estacion);
    f.estacionamiento.desdeBytes(p + fila::estacionamiento);
    f.visadoAtras.desdeBytes(p + fila::visadoAtras);
    f.visadoAdelante.desdeBytes(p + fila::visadoAdelante);
    f.atras = leerVisual(p, fila::hAtrasCd, fila::vAtrasCd, fila::dAtrasCd, fila::jalonAtras);
    f.adelante = leerVisual(p, fila::hAdelanteCd, fila::vAdelanteCd, fila::dAdelanteCd, fila::jalonAdelante);
    f.alturaInstrumento = bytes::leerF64(p + fila::alturaInstrumento);
    imagen::leerDatos(p + fila::datos, f.datos);
    std::memcpy(f.libres.data(), p + fila::libres, f.libres.size());
    f.imagenLeida.emplace();
    std::memcpy(f.imagenLeida->data(), p, fila::tamano);
    return f;
}

void escribirReferenciaPoligonal(const ReferenciaPoligonal& r, unsigned char* p) {
    if (r.imagenLeida) std::memcpy(p, r.imagenLeida->data(), ref::tamano);
    else std::memset(p, 0, ref::tamano);
    escribirTexto(r.partida, p + ref::partida);
    escribirTexto(r.llegada, p + ref::llegada);
    bytes::escribirF64(p + ref::x0, r.x0);
    bytes::escribirF64(p + ref::y0, r.y0);
    bytes::escribirF64(p + ref::z0, r.z0);
    bytes::escribirF64(p + ref::x1, r.x1);
    bytes::escribirF64(p + ref::y1, r.y1);
    bytes::escribirF64(p + ref::z1, r.z1);
    escribirTexto(r.referenciaPartida, p + ref::referenciaPartida);
    escribirTexto(r.referenciaLlegada, p + ref::referenciaLlegada);
    bytes::escribirF64(p + ref::acimutPartida, r.acimutPartida);
    bytes::escribirF64(p + ref::lecturaPartida, r.lecturaPartida);
    bytes::escribirF64(p + ref::desorientacionPartida, r.desorientacionPartida);
    bytes::escribirF64(p + ref::acimutLlegada, r.acimutLlegada);
    bytes::escribirF64(p + ref::lecturaLlegada, r.lecturaLlegada);
    bytes::escribirF64(p + ref::desorientacionLlegada, r.desorientacionLlegada);
    bytes::escribirI32(p + ref::tipo, r.tipo);
    p[ref::besselH] = r.besselH;
    p[ref::besselV] = r.besselV;
    p[ref::besselD] = r.besselD;
}

ReferenciaPoligonal leerReferenciaPoligonal(const unsigned char* p) {
    ReferenciaPoligonal r;
    r.partida.desdeBytes(p + ref::partida);
    r.llegada.desdeBytes(p + ref::llegada);
    r.x0 = bytes::leerF64(p + ref::x0);
    r.y0 = bytes::leerF64(p + ref::y0);
    r.z0 = bytes::leerF64(p + ref::z0);
    r.x1 = bytes::leerF64(p + ref::x1);
    r.y1 = bytes::leerF64(p + ref::y1);
    r.z1 = bytes::leerF64(p + ref::z1);
    r.referenciaPartida.desdeBytes(p + ref::referenciaPartida);
    r.referenciaLlegada.desdeBytes(p + ref::referenciaLlegada);
    r.acimutPartida = bytes::leerF64(p + ref::acimutPartida);
    r.lecturaPartida = bytes::leerF64(p + ref::lecturaPartida);
    r.desorientacionPartida = bytes::leerF64(p + ref::desorientacionPartida);
    r.acimutLlegada = bytes::leerF64(p + ref::acimutLlegada);
    r.lecturaLlegada = bytes::leerF64(p + ref::lecturaLlegada);
    r.desorientacionLlegada = bytes::leerF64(p + ref::desorientacionLlegada);
    r.tipo = bytes::leerI32(p + ref::tipo);
    r.besselH = p[ref::besselH];
    r.besselV = p[ref::besselV];
    r.besselD = p[ref::besselD];
    r.imagenLeida.emplace();
    std::memcpy(r.imagenLeida->data(), p, ref::tamano);
    return r;
}

std::vector<unsigned char> imagenPoligonal(const Poligonal& pol) {
    std::vector<unsigned char> datos(kCabecera + pol.filas.size() * fila::tamano + ref::tamano, 0);
    bytes::escribirU32(datos.data(), 0);
    bytes::escribirU32(datos.data() + 4, static_cast<std::uint32_t>(pol.filas.size()));
    unsigned char* p = datos.data() + kCabecera;
    for (const auto& f : pol.filas) {
        escribirFilaPoligonal(f, p);
        p += fila::tamano;
    }
    escribirReferenciaPoligonal(pol.referencia, p);
    return datos;
}

bool leerPoligonal(const std::vector<unsigned char>& datos, Poligonal& pol, std::string& mensaje) {
    pol = Poligonal{};
    bytes::Cursor cursor(datos);
    std::uint32_t version = 0, filas = 0;
    if (!cursor.leerU32(version) || !cursor.leerU32(filas)) {
        mensaje = "El fichero de poligonal está incompleto: le falta la cabecera";
        return false;
    }
    if (version != 0) {
        mensaje = "El fichero no es un fichero de poligonal de esta versión (versión " + std::to_string(version) + ")";
        return false;
    }
    // Checked in 64 bits before anything is reserved.
    const std::uint64_t necesarios = std::uint64_t(filas) * fila::tamano + ref::tamano;
    if (necesarios > cursor.restante()) {
        mensaje = "El fichero de poligonal está incompleto: anuncia " + std::to_string(filas) +
                  " estaciones y no contiene sus datos y la referencia";
        return false;
    }
    Poligonal leida;
    leida.filas.reserve(filas);
    for (std::uint32_t i = 0; i < filas; ++i) leida.filas.push_back(leerFilaPoligonal(cursor.tomar(fila::tamano).data()));
    leida.referencia = leerReferenciaPoligonal(cursor.tomar(ref::tamano).data());
    if (leida.referencia.tipo < 0 || leida.referencia.tipo > 2) {
        mensaje = "Tipo de poligonal desconocido (" + std::to_string(leida.referencia.tipo) + ") en el fichero";
        return false;
    }
    pol = std::move(leida);
    return true;
}

bool leerFicheroPoligonal(const std::filesystem::path& ruta, Poligonal& pol, std::string& mensaje) {
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) {
        pol = Poligonal{};
        mensaje = "No se puede abrir el fichero de poligonal " + ruta.string();
        return false;
    }
    if (!leerPoligonal(datos, pol, mensaje)) {
        mensaje += ": " + ruta.string();
        return false;
    }
    return true;
}

bool guardarFicheroPoligonal(const Poligonal& pol, const std::filesystem::path& ruta, std::string& mensaje) {
    const auto datos = imagenPoligonal(pol);
    EscritorAtomico escritor(ruta);
    if (!escritor.abierto() || !escritor.escribir(datos.data(), datos.size()) || !escritor.confirmar()) {
        mensaje = "Error al grabar el fichero de poligonal " + ruta.string();
        return false;
    }
    return true;
}

}  // namespace celvara
