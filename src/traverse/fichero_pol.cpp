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

// The field tables: each field's offset and member, once, for both the
// reader and the writer. The kind of a field is its member's type.
template <class Fila, class Visitante>
void camposFila(Fila& f, Visitante&& v) {
    v(fila::estacion, f.estacion);
    v(fila::estacionamiento, f.estacionamiento);
    v(fila::visadoAtras, f.visadoAtras);
    v(fila::visadoAdelante, f.visadoAdelante);
    v(fila::hAtrasCd, f.atras.hCd);
    v(fila::hAtrasCd + 8, f.atras.hCi);
    v(fila::vAtrasCd, f.atras.vCd);
    v(fila::vAtrasCd + 8, f.atras.vCi);
    v(fila::hAdelanteCd, f.adelante.hCd);
    v(fila::hAdelanteCd + 8, f.adelante.hCi);
    v(fila::vAdelanteCd, f.adelante.vCd);
    v(fila::vAdelanteCd + 8, f.adelante.vCi);
    v(fila::jalonAtras, f.atras.jalon);
    v(fila::jalonAdelante, f.adelante.jalon);
    v(fila::dAtrasCd, f.atras.dCd);
    v(fila::dAtrasCd + 8, f.atras.dCi);
    v(fila::dAdelanteCd, f.adelante.dCd);
    v(fila::dAdelanteCd + 8, f.adelante.dCi);
    v(fila::alturaInstrumento, f.alturaInstrumento);
    v(fila::datos, f.datos);
    v(fila::libres, f.libres);
}

template <class Referencia, class Visitante>
void camposReferencia(Referencia& r, Visitante&& v) {
    v(ref::partida, r.partida);
    v(ref::llegada, r.llegada);
    v(ref::x0, r.x0);
    v(ref::y0, r.y0);
    v(ref::z0, r.z0);
    v(ref::x1, r.x1);
    v(ref::y1, r.y1);
    v(ref::z1, r.z1);
    v(ref::referenciaPartida, r.referenciaPartida);
    v(ref::referenciaLlegada, r.referenciaLlegada);
    v(ref::acimutPartida, r.acimutPartida);
    v(ref::lecturaPartida, r.lecturaPartida);
    v(ref::desorientacionPartida, r.desorientacionPartida);
    v(ref::acimutLlegada, r.acimutLlegada);
    v(ref::lecturaLlegada, r.lecturaLlegada);
    v(ref::desorientacionLlegada, r.desorientacionLlegada);
    v(ref::tipo, r.tipo);
    v(ref::besselH, r.besselH);
    v(ref::besselV, r.besselV);
    v(ref::besselD, r.besselD);
}

struct Lector {
    const unsigned char* p;
    void operator()(std::size_t o, TextoFijo<15>& t) const { t.desdeBytes(p + o); }
    void operator()(std::size_t o, double& v) const { v = bytes::leerF64(p + o); }
    void operator()(std::size_t o, std::int32_t& v) const { v = bytes::leerI32(p + o); }
    void operator()(std::size_t o, std::uint8_t& v) const { v = p[o]; }
    void operator()(std::size_t o, DatosComplementarios& d) const { imagen::leerDatos(p + o, d); }
    void operator()(std::size_t o, std::array<unsigned char, 100>& a) const { std::memcpy(a.data(), p + o, a.size()); }
    template <class T>
    void operator()(std::size_t, T&) const = delete;  // a field of a kind the file does not have
};

// Over the image a record was read from (`leida`), a text or the station
// data is rewritten only when it no longer holds what the image holds, so
// that the bytes after a terminator survive an unedited save.
struct Escritor {
    unsigned char* p;
    bool leida;
    void operator()(std::size_t o, const TextoFijo<15>& t) const {
        TextoFijo<15> actual;
        actual.desdeBytes(p + o);
        if (!(actual == t)) t.aBytes(p + o);
    }
    void operator()(std::size_t o, double v) const { bytes::escribirF64(p + o, v); }
    void operator()(std::size_t o, std::int32_t v) const { bytes::escribirI32(p + o, v); }
    void operator()(std::size_t o, std::uint8_t v) const { p[o] = v; }
    void operator()(std::size_t o, const DatosComplementarios& d) const {
        DatosComplementarios actuales;
        imagen::leerDatos(p + o, actuales);
        if (!leida || !(actuales == d)) imagen::escribirDatos(d, p + o);
    }
    void operator()(std::size_t o, const std::array<unsigned char, 100>& a) const {
        std::memcpy(p + o, a.data(), a.size());
    }
    template <class T>
    void operator()(std::size_t, const T&) const = delete;
};

// A record over the image it was read from, or over zeros.
template <std::size_t N>
Escritor escritorSobre(const std::optional<std::array<unsigned char, N>>& leida, unsigned char* p) {
    if (leida) std::memcpy(p, leida->data(), N);
    else std::memset(p, 0, N);
    return {p, leida.has_value()};
}

}  // namespace

void escribirFilaPoligonal(const EstacionPoligonal& f, unsigned char* p) {
    camposFila(f, escritorSobre(f.imagenLeida, p));
}

EstacionPoligonal leerFilaPoligonal(const unsigned char* p) {
    EstacionPoligonal f;
    camposFila(f, Lector{p});
    f.imagenLeida.emplace();
    std::memcpy(f.imagenLeida->data(), p, fila::tamano);
    return f;
}

void escribirReferenciaPoligonal(const ReferenciaPoligonal& r, unsigned char* p) {
    camposReferencia(r, escritorSobre(r.imagenLeida, p));
}

ReferenciaPoligonal leerReferenciaPoligonal(const unsigned char* p) {
    ReferenciaPoligonal r;
    camposReferencia(r, Lector{p});
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
