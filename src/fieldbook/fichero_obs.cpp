#include "fieldbook/fichero_obs.h"

#include <algorithm>

#include <array>
#include <new>

#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/imagen_registros.h"

namespace celvara {

namespace {

bool escribirEntero(EscritorAtomico& f, std::int32_t v) {
    unsigned char b[4];
    bytes::escribirI32(b, v);
    return f.escribir(b, 4);
}

bool leerEntero(LectorFichero& f, std::int32_t& v) {
    unsigned char b[4];
    if (!f.leerExacto(b, 4)) return false;
    v = bytes::leerI32(b);
    return true;
}

}  // namespace

bool escribirLibreta(const CLibretaCampo& libreta, const std::filesystem::path& ruta) {
    EscritorAtomico f(ruta);
    if (!f.abierto()) return false;
    bool ok = escribirEntero(f, 0);
    std::array<unsigned char, imagen::kTamanoCabecera> cabecera{};
    libreta.reservado.aBytes(cabecera.data());
    bytes::escribirU32(cabecera.data() + 1024, libreta.proyeccion);
    ok = ok && f.escribir(cabecera.data(), cabecera.size());
    ok = ok && escribirEntero(f, static_cast<std::int32_t>(libreta.estaciones.size()));

    std::array<unsigned char, imagen::estacion::tamano> bEstacion;
    std::array<unsigned char, imagen::estacionamiento::tamano> bEstacionamiento;
    std::array<unsigned char, imagen::lectura::tamano> bLectura;
    for (const auto& e : libreta.estaciones) {
        if (!ok) break;
        imagen::escribirEstacion(*e, bEstacion.data());
        ok = f.escribir(bEstacion.data(), bEstacion.size()) &&
             escribirEntero(f, static_cast<std::int32_t>(e->estacionamientos.size()));
        for (const auto& s : e->estacionamientos) {
            if (!ok) break;
            imagen::escribirEstacionamiento(*s, bEstacionamiento.data());
            ok = f.escribir(bEstacionamiento.data(), bEstacionamiento.size()) &&
                 escribirEntero(f, static_cast<std::int32_t>(s->lecturas.size()));
            for (const auto& l : s->lecturas) {
                imagen::escribirLectura(l, bLectura.data());
                if (!f.escribir(bLectura.data(), bLectura.size())) {
                    ok = false;
                    break;
                }
            }
        }
    }
    return f.confirmar() && ok;
}

bool leerLibreta(CLibretaCampo& libreta, const std::filesystem::path& ruta, bool* cortada) {
    if (cortada) *cortada = false;
    LectorFichero f(ruta, true);
    if (!f.abierto()) return false;
    std::error_code ec;
    const auto tamano = std::filesystem::file_size(ruta, ec);
    // Bytes not yet read: what the rest of the file can hold bounds every
    // reservation, whatever count a damaged file claims.
    std::uintmax_t restante = ec ? 0 : tamano;
    auto consumir = [&restante](std::uintmax_t n) { restante -= std::min(restante, n); };
    auto cabenHasta = [&restante](std::int32_t cuenta, std::size_t tamanoRegistro) {
        return static_cast<std::size_t>(std::min<std::uintmax_t>(static_cast<std::uintmax_t>(cuenta), restante / tamanoRegistro));
    };
    std::int32_t marca = 0;
    if (!leerEntero(f, marca) || marca != 0) return false;

    libreta.vaciar();
    auto fallar = [&libreta] {
        libreta.vaciar();
        return false;
    };
    std::array<unsigned char, imagen::kTamanoCabecera> cabecera;
    std::int32_t numEstaciones = 0;
    if (!f.leerExacto(cabecera.data(), cabecera.size()) || !leerEntero(f, numEstaciones))
        return fallar();
    libreta.reservado.desdeBytes(cabecera.data());
    libreta.proyeccion = bytes::leerU32(cabecera.data() + 1024);
    if (numEstaciones < 0) return fallar();
    consumir(4 + cabecera.size() + 4);

    std::array<unsigned char, imagen::estacion::tamano> bEstacion;
    std::array<unsigned char, imagen::estacionamiento::tamano> bEstacionamiento;
    std::array<unsigned char, imagen::lectura::tamano> bLectura;
    // A record or count the file ends before.
    auto leer = [&f, cortada](auto& bytes) {
        const bool ok = f.leerExacto(bytes.data(), bytes.size());
        if (!ok && cortada) *cortada = true;
        return ok;
    };
    auto leerCuenta = [&f, cortada](std::int32_t& cuenta) {
        const bool ok = leerEntero(f, cuenta);
        if (!ok && cortada) *cortada = true;
        return ok;
    };
    try {
        // Counts from the file reserve memory only as far as the file's size
        // allows: a damaged count only makes the loops run until the data ends.
        libreta.estaciones.reserve(cabenHasta(numEstaciones, bEstacion.size() + 4));
        for (std::int32_t i = 0; i < numEstaciones; ++i) {
            if (!leer(bEstacion)) break;
            auto estacion = std::make_unique<Estacion>();
            imagen::leerEstacion(bEstacion.data(), *estacion);
            Estacion& e = *libreta.estaciones.emplace_back(std::move(estacion));
            std::int32_t numEstacionamientos = 0;
            if (!leerCuenta(numEstacionamientos)) break;
            if (numEstacionamientos < 0) return fallar();
            consumir(bEstacion.size() + 4);
            e.estacionamientos.reserve(cabenHasta(numEstacionamientos, bEstacionamiento.size() + 4));
            for (std::int32_t j = 0; j < numEstacionamientos; ++j) {
                if (!leer(bEstacionamiento)) break;
                auto nuevo = std::make_unique<Estacionamiento>();
                imagen::leerEstacionamiento(bEstacionamiento.data(), *nuevo);
                Estacionamiento& s = *e.estacionamientos.emplace_back(std::move(nuevo));
                std::int32_t numLecturas = 0;
                if (!leerCuenta(numLecturas)) break;
                if (numLecturas < 0) return fallar();
                consumir(bEstacionamiento.size() + 4);
                const std::size_t caben = cabenHasta(numLecturas, bLectura.size());
                s.lecturas.reserve(caben);
                consumir(std::uintmax_t{caben} * bLectura.size());
                for (std::int32_t k = 0; k < numLecturas; ++k) {
                    if (!leer(bLectura)) break;
                    imagen::leerLectura(bLectura.data(), s.lecturas.emplace_back());
                }
            }
            if (f.error()) return fallar();
        }
    } catch (const std::bad_alloc&) {
        return fallar();
    }
    if (f.error()) return fallar();
    return true;
}

}  // namespace celvara
