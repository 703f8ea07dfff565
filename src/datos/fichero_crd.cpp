#include "datos/fichero_crd.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>

#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"

namespace celvara {

namespace imagen::crd {

void escribirPunto(const PuntoCoordenadas& p, unsigned char* d) {
    std::memset(d, 0, punto::tamano);
    d[punto::base] = p.base;
    p.nombre.aBytes(d + punto::nombre);
    p.estacion.aBytes(d + punto::estacion);
    bytes::escribirF64(d + punto::x, p.x);
    bytes::escribirF64(d + punto::y, p.y);
    bytes::escribirF64(d + punto::z, p.z);
    p.codigo.aBytes(d + punto::codigo);
}

void leerPunto(const unsigned char* o, PuntoCoordenadas& p) {
    p.base = o[punto::base];
    p.nombre.desdeBytes(o + punto::nombre);
    p.estacion.desdeBytes(o + punto::estacion);
    p.x = bytes::leerF64(o + punto::x);
    p.y = bytes::leerF64(o + punto::y);
    p.z = bytes::leerF64(o + punto::z);
    p.codigo.desdeBytes(o + punto::codigo);
}

namespace {

// A label is three reals (two offsets and a turn), a flag, a size and a
// colour; where each lies differs from label to label.
struct PosicionEtiqueta {
    std::size_t desplazamiento, giro, visible, tamano, color;
};
constexpr PosicionEtiqueta kNombre{registro::nombreDesplazamiento, registro::nombreGiro, registro::verNombre,
                                   registro::tamanoNombre, registro::colorNombre};
constexpr PosicionEtiqueta kCota{registro::cotaDesplazamiento, registro::cotaGiro, registro::verCota,
                                 registro::tamanoCota, registro::colorCota};
constexpr PosicionEtiqueta kCodigo{registro::codigoDesplazamiento, registro::codigoGiro, registro::verCodigo,
                                   registro::tamanoCodigo, registro::colorCodigo};

void escribirEtiqueta(const EtiquetaPunto& e, const PosicionEtiqueta& p, unsigned char* d) {
    bytes::escribirF64(d + p.desplazamiento, e.desplazamiento[0]);
    bytes::escribirF64(d + p.desplazamiento + 8, e.desplazamiento[1]);
    bytes::escribirF64(d + p.giro, e.giro);
    d[p.visible] = e.visible;
    bytes::escribirF64(d + p.tamano, e.tamano);
    bytes::escribirU32(d + p.color, e.color);
}

void leerEtiqueta(const unsigned char* o, const PosicionEtiqueta& p, EtiquetaPunto& e) {
    e.desplazamiento[0] = bytes::leerF64(o + p.desplazamiento);
    e.desplazamiento[1] = bytes::leerF64(o + p.desplazamiento + 8);
    e.giro = bytes::leerF64(o + p.giro);
    e.visible = o[p.visible];
    e.tamano = bytes::leerF64(o + p.tamano);
    e.color = bytes::leerU32(o + p.color);
}

}  // namespace

void escribirRegistro(const RegistroCoordenadas& r, unsigned char* d) {
    std::memset(d, 0, registro::tamano);
    bytes::escribirF64(d + registro::x, r.x);
    bytes::escribirF64(d + registro::y, r.y);
    bytes::escribirF64(d + registro::z, r.z);
    d[registro::base] = r.base;
    bytes::escribirF64(d + registro::escala, r.simbolo.escala);
    d[registro::tipoSimbolo] = r.simbolo.tipo;
    bytes::escribirF64(d + registro::tamanoSimbolo, r.simbolo.tamano);
    d[registro::rellenoSimbolo] = r.simbolo.relleno;
    d[registro::verSimbolo] = r.simbolo.visible;
    bytes::escribirU32(d + registro::colorSimbolo, r.simbolo.color);
    r.estacion.aBytes(d + registro::estacion);
    r.nombre.aBytes(d + registro::nombre);
    escribirEtiqueta(r.etiquetaNombre, kNombre, d);
    escribirEtiqueta(r.etiquetaCota, kCota, d);
    d[registro::decimalesCota] = r.decimalesCota;
    r.codigo.aBytes(d + registro::codigo);
    escribirEtiqueta(r.etiquetaCodigo, kCodigo, d);
}

void leerRegistro(const unsigned char* o, RegistroCoordenadas& r) {
    r.x = bytes::leerF64(o + registro::x);
    r.y = bytes::leerF64(o + registro::y);
    r.z = bytes::leerF64(o + registro::z);
    r.base = o[registro::base];
    r.simbolo.escala = bytes::leerF64(o + registro::escala);
    r.simbolo.tipo = o[registro::tipoSimbolo];
    r.simbolo.tamano = bytes::leerF64(o + registro::tamanoSimbolo);
    r.simbolo.relleno = o[registro::rellenoSimbolo];
    r.simbolo.visible = o[registro::verSimbolo];
    r.simbolo.color = bytes::leerU32(o + registro::colorSimbolo);
    r.estacion.desdeBytes(o + registro::estacion);
    r.nombre.desdeBytes(o + registro::nombre);
    leerEtiqueta(o, kNombre, r.etiquetaNombre);
    leerEtiqueta(o, kCota, r.etiquetaCota);
    r.decimalesCota = o[registro::decimalesCota];
    r.codigo.desdeBytes(o + registro::codigo);
    leerEtiqueta(o, kCodigo, r.etiquetaCodigo);
}

}  // namespace imagen::crd

RegistroCoordenadas aRegistro(const PuntoCoordenadas& p) {
    RegistroCoordenadas r;
    r.x = p.x;
    r.y = p.y;
    r.z = p.z;
    r.base = p.base != 0 ? 1 : 0;
    r.estacion = p.estacion.vista();
    r.nombre = p.nombre.vista();
    r.codigo = p.codigo.vista();
    return r;
}

PuntoCoordenadas aPunto(const RegistroCoordenadas& r) {
    PuntoCoordenadas p;
    p.base = r.base;
    p.nombre = r.nombre.vista();
    p.estacion = r.estacion.vista();
    p.x = r.x;
    p.y = r.y;
    p.z = r.z;
    p.codigo = r.codigo.vista();
    return p;
}

namespace {

namespace crd = imagen::crd;

// Hands every complete record of the rest of the file to `cada`, reading
// batches of crd::kRegistrosPorLote records; a record cut short by the end of
// the file is dropped. False on a read error. `caben` (records the file can
// hold) keeps the batch of a small file small.
template <class Cada>
bool leerLotes(LectorFichero& f, std::size_t tamano, std::size_t caben, Cada&& cada) {
    const std::size_t capacidad = std::min(crd::kRegistrosPorLote, caben + 1) * tamano;
    const auto lote = std::make_unique_for_overwrite<unsigned char[]>(capacidad);
    for (;;) {
        const std::size_t leidos = f.leer(lote.get(), capacidad);
        if (f.error()) return false;
        const std::size_t completos = leidos / tamano;
        for (std::size_t i = 0; i < completos; ++i) cada(lote.get() + i * tamano);
        if (leidos < capacidad) return true;
    }
}

// Records that fit in the file: a bound for reserving, taken from the file
// system rather than from anything written in the file.
std::size_t registrosQueCaben(const std::filesystem::path& ruta, std::size_t cabecera, std::size_t tamano) {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(ruta, ec);
    if (ec || bytes <= cabecera) return 0;
    return static_cast<std::size_t>((bytes - cabecera) / tamano);
}

// The reading algorithm shared by both list kinds. `anadir` takes each
// record (already in the current form) in file order.
template <class Lista, class Anadir>
bool leerCrd(const std::filesystem::path& ruta, Lista& lista, FormaCrd* forma, Anadir&& anadir) {
    lista.clear();
    try {
        {
            LectorFichero f(ruta, true);
            if (!f.abierto()) return false;
            unsigned char marca[crd::kTamanoMarca] = {};
            const std::size_t n = f.leer(marca, sizeof marca);
            if (f.error()) return false;
            RegistroCoordenadas registro;
            if (n == crd::kTamanoMarca && std::memcmp(marca, crd::kMarca, crd::kTamanoMarca) == 0) {
                if (forma) *forma = FormaCrd::Actual;
                unsigned char sub[4];
                if (!f.leerExacto(sub, sizeof sub)) return !f.error();
                if (bytes::leerU32(sub) != crd::kSubversion) return true;
                const std::size_t caben = registrosQueCaben(ruta, crd::kTamanoCabecera, crd::registro::tamano);
                lista.reserve(caben);
                return leerLotes(f, crd::registro::tamano, caben, [&](const unsigned char* datos) {
                    crd::leerRegistro(datos, registro);
                    anadir(registro);
                });
            }
        }  // closed before the older form opens the file again
        if (forma) *forma = FormaCrd::Antigua;
        LectorFichero antiguo(ruta, true);
        if (!antiguo.abierto()) return false;
        const std::size_t caben = registrosQueCaben(ruta, 0, crd::punto::tamano);
        lista.reserve(caben);
        PuntoCoordenadas punto;
        return leerLotes(antiguo, crd::punto::tamano, caben, [&](const unsigned char* datos) {
            crd::leerPunto(datos, punto);
            anadir(aRegistro(punto));
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Writes the mark, the sub-version and `cuantos` records, the i-th given by
// `registro(i)`.
template <class Registro>
bool escribirCrd(const std::filesystem::path& ruta, std::size_t cuantos, Registro&& registro) {
    EscritorCrd f(ruta);
    for (std::size_t i = 0; i < cuantos; ++i) f.anadir(registro(i));
    return f.confirmar();
}

// Records go out in writes of about 1 MB: still in the processor's cache
// when the system copies them, which a bigger batch is not.
constexpr std::size_t kRegistrosPorEscritura = 3500;

}  // namespace

EscritorCrd::EscritorCrd(const std::filesystem::path& ruta) : fichero_(ruta) {
    if (!fichero_.abierto()) return;
    try {
        lote_ = std::make_unique_for_overwrite<unsigned char[]>(kRegistrosPorEscritura * crd::registro::tamano);
    } catch (const std::bad_alloc&) {
        return;
    }
    unsigned char cabecera[crd::kTamanoCabecera];
    std::memcpy(cabecera, crd::kMarca, crd::kTamanoMarca);
    bytes::escribirU32(cabecera + crd::kTamanoMarca, crd::kSubversion);
    ok_ = fichero_.escribir(cabecera, sizeof cabecera);
}

void EscritorCrd::volcarLote() {
    ok_ = fichero_.escribir(lote_.get(), enLote_ * crd::registro::tamano) && ok_;
    enLote_ = 0;
}

void EscritorCrd::anadir(const RegistroCoordenadas& r) {
    if (!ok_) return;
    crd::escribirRegistro(r, lote_.get() + enLote_ * crd::registro::tamano);
    if (++enLote_ == kRegistrosPorEscritura) volcarLote();
}

bool EscritorCrd::confirmar() {
    if (ok_ && enLote_ > 0) volcarLote();
    return fichero_.confirmar() && ok_;
}

bool leerFicheroCoordenadas(const std::filesystem::path& ruta, ListaRegistrosCoordenadas& registros,
                            FormaCrd* forma) {
    const bool ok = leerCrd(ruta, registros, forma, [&](const RegistroCoordenadas& r) { registros.push_back(r); });
    if (!ok) ListaRegistrosCoordenadas().swap(registros);
    return ok;
}

bool escribirFicheroCoordenadas(const ListaRegistrosCoordenadas& registros, const std::filesystem::path& ruta) {
    return escribirCrd(ruta, registros.size(), [&](std::size_t i) -> const RegistroCoordenadas& { return registros[i]; });
}

Estado leerListaPuntos(const std::filesystem::path& ruta, ListaPuntos& puntos, FormaCrd* forma) {
    const bool ok = leerCrd(ruta, puntos, forma, [&](const RegistroCoordenadas& r) { puntos.push_back(aPunto(r)); });
    if (!ok) ListaPuntos().swap(puntos);
    return ok ? Estado::Exito : Estado::Fallo;
}

Estado escribirListaPuntos(const ListaPuntos& puntos, const std::filesystem::path& ruta) {
    return escribirCrd(ruta, puntos.size(), [&](std::size_t i) { return aRegistro(puntos[i]); }) ? Estado::Exito
                                                                                                 : Estado::Fallo;
}

}  // namespace celvara
