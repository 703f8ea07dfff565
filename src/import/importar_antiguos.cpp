#include "import/importar_antiguos.h"

#include <cstdint>
#include <cstring>

#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "import/fusion_importacion.h"
#include "import/lectura_comun.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

std::vector<std::string_view> fichas(std::string_view texto) {
    std::vector<std::string_view> t;
    std::size_t i = 0;
    auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
    while (i < texto.size()) {
        while (i < texto.size() && blanco(texto[i])) ++i;
        std::size_t j = i;
        while (j < texto.size() && !blanco(texto[j])) ++j;
        if (j > i) t.push_back(texto.substr(i, j - i));
        i = j;
    }
    return t;
}

// Little-endian fields of the radiation file.
std::int32_t i32(const unsigned char* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
}
double f64(const unsigned char* p) {
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | p[i];
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}
// A NUL-terminated text of at most n bytes.
std::string_view texto(const unsigned char* p, std::size_t n) {
    const auto* c = reinterpret_cast<const char*>(p);
    const void* nul = std::memchr(c, '\0', n);
    return std::string_view(c, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - c) : n);
}

bool fusionar(CLibretaCampo& libreta, const DatosComplementarios& porDefecto, CListasImportacion& listas,
              std::string& error) {
    if (listas.vacias()) {
        error = kErrorLeerFichero;
        return false;
    }
    return fusionarImportacion(libreta, porDefecto, listas);
}

}  // namespace

bool leerTopcalAscii(const std::filesystem::path& ruta, bool conComentarios, CListasImportacion& listas) {
    listas.liberar();
    listas.guionEnNombres = true;
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) return false;
    const std::string_view todo(reinterpret_cast<const char*>(datos.data()), datos.size());
    const auto t = fichas(todo);
    const std::size_t n = conComentarios ? 8 : 7;
    if (t.size() % n != 0) return false;

    CListasImportacion& l = listas;
    std::string anterior;
    bool primera = true;
    for (std::size_t r = 0; r < t.size(); r += n) {
        for (std::size_t k = 2; k < 7; ++k)
            if (!importacion::esNumero(t[r + k])) return false;
        const std::string estacion = importacion::idPunto(t[r]);
        const double altura = importacion::numeroCampo(t[r + 6]);
        EstacionamientoImportado* e = l.estacionamientoActual();
        if (primera || estacion != anterior || !e || e->alturaInstrumento != altura) {
            e = l.crearEstacionamiento();
            if (!e) return false;
            e->nombre = importacion::cortar(estacion, 15);
            e->alturaInstrumento = altura;
            e->primera = e->ultima = kSinLecturas;
            primera = false;
            anterior = estacion;
        }
        LecturaImportada* lectura = l.crearLectura();
        if (!lectura) return false;
        lectura->nombre = importacion::idPunto(t[r + 1]);
        lectura->horizontal = importacion::numeroCampo(t[r + 2]);
        lectura->vertical = importacion::numeroCampo(t[r + 3]);
        lectura->distancia = importacion::numeroCampo(t[r + 4]);
        lectura->jalon = importacion::numeroCampo(t[r + 5]);
        if (conComentarios) lectura->texto = importacion::cortar(t[r + 7], CListasImportacion::kTextoMaximo);
        e->primera = e->ultima = 0;
    }
    return true;
}

bool leerRadiacionV4(const std::filesystem::path& ruta, CListasImportacion& listas) {
    constexpr std::size_t kCabecera = 96, kEstacionamiento = 72, kLectura = 104;
    listas.liberar();
    listas.porRangos = true;
    std::vector<unsigned char> d;
    if (!leerFicheroCompleto(ruta, d) || d.size() < kCabecera + 4) return false;
    const std::uint32_t n = static_cast<std::uint32_t>(i32(&d[kCabecera]));
    std::size_t p = kCabecera + 4;
    if (n > (d.size() - p) / kEstacionamiento) return false;
    for (std::uint32_t i = 0; i < n; ++i, p += kEstacionamiento) {
        const unsigned char* r = &d[p];
        auto* e = listas.crearEstacionamiento();
        if (!e) return false;
        e->nombre = importacion::cortar(texto(r, 16), 15);
        e->primera = i32(r + 16);
        e->ultima = i32(r + 20);
        e->acimutEspalda = importacion::cortar(texto(r + 24, 15), 14);
        e->horizontalEspalda = importacion::cortar(texto(r + 39, 17), 16);
        e->alturaInstrumento = f64(r + 56);
    }
    if ((d.size() - p) % kLectura != 0) return false;
    for (; p < d.size(); p += kLectura) {
        const unsigned char* r = &d[p];
        auto* l = listas.crearLectura();
        if (!l) return false;
        l->numero = i32(r);
        l->jalon = f64(r + 8);
        l->distancia = f64(r + 16);
        l->vertical = f64(r + 24);
        l->horizontal = f64(r + 32);
        l->texto = importacion::cortar(texto(r + 40, 52), CListasImportacion::kTextoMaximo);
    }
    return true;
}

bool importarTopcalAscii(CLibretaCampo& libreta, const DatosComplementarios& porDefecto,
                         const std::filesystem::path& ruta, bool conComentarios, std::string& error) {
    CListasImportacion listas;
    if (!leerTopcalAscii(ruta, conComentarios, listas)) {
        error = kErrorLeerFichero;
        return false;
    }
    return fusionar(libreta, porDefecto, listas, error);
}

bool importarRadiacionV4(CLibretaCampo& libreta, const DatosComplementarios& porDefecto,
                         const std::filesystem::path& ruta, std::string& error) {
    CListasImportacion listas;
    if (!leerRadiacionV4(ruta, listas)) {
        error = kErrorLeerFichero;
        return false;
    }
    return fusionar(libreta, porDefecto, listas, error);
}

}  // namespace celvara
