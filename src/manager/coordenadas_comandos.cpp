#include "manager/coordenadas_comandos.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>
#include <system_error>
#include <unordered_map>

#include "calc/caras.h"
#include "datos/puntos_estaciones.h"
#include "fieldbook/numeros.h"
#include "fieldbook/rutas.h"

namespace celvara {

namespace {

char minuscula(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool terminaEnCrd(std::string_view nombre) {
    constexpr std::string_view kSufijo = ".crd";
    if (nombre.size() < kSufijo.size()) return false;
    const auto cola = nombre.substr(nombre.size() - kSufijo.size());
    return std::equal(cola.begin(), cola.end(), kSufijo.begin(), [](char a, char b) { return minuscula(a) == b; });
}

bool antesSinMayusculas(const std::string& a, const std::string& b) {
    const bool menor = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                    [](char x, char y) { return minuscula(x) < minuscula(y); });
    const bool mayor = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                    [](char x, char y) { return minuscula(x) < minuscula(y); });
    return menor || (!mayor && a < b);  // equal ignoring case: a fixed order all the same
}

// Each station named like a point takes the X, Y, Z of the last such point.
std::size_t tomarCoordenadas(const ListaPuntos& puntos, Estacion* const* estaciones, std::size_t cuantas) {
    std::unordered_map<std::string_view, const PuntoCoordenadas*> ultimo;
    ultimo.reserve(puntos.size());
    for (const auto& p : puntos) ultimo[p.nombre.vista()] = &p;
    std::size_t cambiadas = 0;
    for (std::size_t i = 0; i < cuantas; ++i) {
        Estacion& e = *estaciones[i];
        const auto it = ultimo.find(e.nombre.vista());
        if (it == ultimo.end()) continue;
        // A damaged point (not finite or beyond ±1e9) would poison every
        // computation from that station: it keeps its own coordinates.
        const PuntoCoordenadas& p = *it->second;
        if (!(std::abs(p.x) <= kLimiteValorLectura && std::abs(p.y) <= kLimiteValorLectura &&
              std::abs(p.z) <= kLimiteValorLectura))
            continue;
        e.x = it->second->x;
        e.y = it->second->y;
        e.z = it->second->z;
        ++cambiadas;
    }
    return cambiadas;
}

}  // namespace

std::vector<std::string> listarFicherosCrd(const std::filesystem::path& carpeta) {
    std::vector<std::string> nombres;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        std::error_code ecTipo;
        if (it->is_directory(ecTipo)) continue;
        std::string nombre = it->path().filename().string();
        if (terminaEnCrd(nombre)) nombres.push_back(std::move(nombre));
    }
    std::sort(nombres.begin(), nombres.end(), antesSinMayusculas);
    return nombres;
}

std::filesystem::path rutaFicheroCrd(const std::filesystem::path& carpeta, std::string_view textoNodo) {
    return buscarSinMayusculas(carpeta, textoNodo);
}

Estado abrirFicheroCrdDelArbol(const std::filesystem::path& carpeta, std::string_view textoNodo,
                               ListaPuntos& puntos, Avisos& avisos) {
    ListaPuntos().swap(puntos);
    const Estado estado = leerListaPuntos(rutaFicheroCrd(carpeta, textoNodo), puntos);
    if (estado != Estado::Exito) avisos.mensaje("ERROR");
    return estado;
}

std::string textoCeldaPunto(const PuntoCoordenadas& punto, int columna) {
    switch (columna) {
        case 0: return punto.base != 0 ? punto.nombre.str() + "*" : punto.nombre.str();
        case 1: return punto.estacion.str();
        case 2: return formatear("%1.3lf", punto.x);
        case 3: return formatear("%1.3lf", punto.y);
        case 4: return formatear("%1.3lf", punto.z);
        case 5: return punto.codigo.str();
        default: return {};
    }
}

ResultadoComandoCrd importarDeCrd(CLibretaCampo& libreta, const std::filesystem::path& ruta, Avisos& avisos) {
    ResultadoComandoCrd r;
    r.ejecutado = true;
    ListaPuntos puntos;
    r.estado = leerListaPuntos(ruta, puntos);
    r.puntosLeidos = puntos.size();
    for (const auto& p : puntos) {
        if (p.base == 0) continue;
        const Estacion* e = crearEstacion(libreta.estaciones, {.nombre = p.nombre.vista(),
                                                               .tipo = 0,
                                                               .coordenadas = Coordenadas{p.x, p.y, p.z},
                                                               .descripcion1 = p.codigo.vista(),
                                                               .ficheroFoto = kFotoPorDefecto,
                                                               .ficheroCroquis = kFotoPorDefecto});
        if (!e) {
            avisos.mensaje("\nfalta memoria");
            break;
        }
        ++r.estaciones;
    }
    r.modificada = true;
    return r;
}

ResultadoComandoCrd exportarACrd(const CLibretaCampo& libreta, const std::filesystem::path& ruta) {
    ResultadoComandoCrd r;
    if (libreta.estaciones.empty()) return r;
    r.ejecutado = true;
    ListaPuntos puntos;
    std::error_code ec;
    if (std::filesystem::exists(ruta, ec)) {
        r.estado = leerListaPuntos(ruta, puntos);
        if (r.estado != Estado::Exito) return r;
        r.puntosLeidos = puntos.size();
    }
    try {
        const ListaPuntos estaciones = puntosDeEstaciones(libreta);
        puntos.insert(puntos.end(), estaciones.begin(), estaciones.end());
    } catch (const std::bad_alloc&) {
        r.estado = Estado::Fallo;
        return r;
    }
    r.estaciones = libreta.estaciones.size();
    r.estado = escribirListaPuntos(puntos, ruta);
    return r;
}

ResultadoComandoCrd recogerCoordenadasDeCrd(CLibretaCampo& libreta, const std::filesystem::path& ruta) {
    ResultadoComandoCrd r;
    if (libreta.estaciones.empty()) return r;
    r.ejecutado = true;
    ListaPuntos puntos;
    r.estado = leerListaPuntos(ruta, puntos);
    r.puntosLeidos = puntos.size();
    std::vector<Estacion*> estaciones;
    estaciones.reserve(libreta.estaciones.size());
    for (const auto& e : libreta.estaciones) estaciones.push_back(e.get());
    r.estaciones = tomarCoordenadas(puntos, estaciones.data(), estaciones.size());
    r.modificada = true;
    return r;
}

ResultadoComandoCrd recogerXyzDeCrd(Estacion* estacion, const std::filesystem::path& ruta) {
    ResultadoComandoCrd r;
    if (!estacion) return r;
    r.ejecutado = true;
    ListaPuntos puntos;
    r.estado = leerListaPuntos(ruta, puntos);
    r.puntosLeidos = puntos.size();
    r.estaciones = tomarCoordenadas(puntos, &estacion, 1);
    r.modificada = true;
    return r;
}

}  // namespace celvara
