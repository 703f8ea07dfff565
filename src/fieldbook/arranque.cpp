#include "fieldbook/arranque.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "fieldbook/fichero_binario.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {

namespace {
constexpr std::size_t kMaxLinea = 255;
}

std::optional<std::string> EntornoAnfitrion::leerFicheroInicio(bool& errorLectura) {
    errorLectura = false;
    LectorFichero f(mapa_.aAnfitrion(kFicheroInicio));
    if (!f.abierto()) return std::nullopt;
    std::string contenido;
    char trozo[512];
    for (;;) {
        const std::size_t n = f.leer(trozo, sizeof trozo);
        contenido.append(trozo, n);
        if (n < sizeof trozo || contenido.find('\n') != std::string::npos) break;
    }
    errorLectura = f.error();
    return contenido;
}

bool EntornoAnfitrion::escribirFicheroInicio(std::string_view contenido) {
    const auto ruta = mapa_.aAnfitrion(kFicheroInicio);
    std::error_code ec;
    std::filesystem::create_directories(ruta.parent_path(), ec);
    EscritorAtomico f(ruta);
    const bool ok = f.escribir(contenido.data(), contenido.size());
    return f.confirmar() && ok;
}

std::string EntornoAnfitrion::directorioActual() {
    std::error_code ec;
    auto actual = std::filesystem::current_path(ec);
    return ec ? std::string("C:\\") : mapa_.aWindows(actual);
}

bool EntornoAnfitrion::cambiarDirectorio(std::string_view dir) {
    if (dir.empty()) return false;
    std::error_code ec;
    std::filesystem::current_path(mapa_.aAnfitrion(dir), ec);
    return !ec;
}

DirectorioTrabajo leerDirectorioTrabajo(EntornoArranque& entorno) {
    DirectorioTrabajo resultado;
    bool errorLectura = false;
    auto contenido = entorno.leerFicheroInicio(errorLectura);
    std::string dir;
    if (contenido) {
        for (char c : *contenido) {
            if (c == '\n' || static_cast<unsigned char>(c) == 255) break;
            if (c == '\r' || c == '\f') continue;
            dir.push_back(c == '/' ? '\\' : c);
        }
        if (dir.size() > kMaxLinea) dir.resize(kMaxLinea);
        if (errorLectura) resultado.exito = false;
    } else {
        dir = entorno.directorioActual();
        entorno.escribirFicheroInicio(dir + "\n");
    }

    // An empty first line is a directory that cannot be entered.
    const bool lineaVacia = contenido.has_value() && dir.empty();
    if (!dir.empty() && dir.back() == '\\' && dir.size() > 3) dir.pop_back();
    if (dir.size() < 3 && (dir.empty() || dir.back() != '\\')) dir.push_back('\\');
    if (lineaVacia || !entorno.cambiarDirectorio(dir)) {
        dir = entorno.directorioActual();
        entorno.escribirFicheroInicio(dir + "\n");
    }
    resultado.ruta = conBarraFinal(dir);
    return resultado;
}

std::string tituloGestor(std::string_view ruta) {
    return std::string("Gestor de Observaciones - Datos de Campo - [") + std::string(ruta) + "]";
}

std::string arrancarGestor(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                           Avisos& avisos) {
    ajustes.rutaFicheroAjustes = rutaFicheroAjustes(ajustes.directorioTrabajo.vista());
    const auto rutaAjustes = mapa.aAnfitrion(ajustes.rutaFicheroAjustes.vista());
    cargarAjustes(ajustes, rutaAjustes);
    ajustes.reservado = 0;
    guardarAjustes(ajustes, rutaAjustes);

    libreta.vaciar();
    if (!ajustes.ultimoFichero.vacio()) {
        if (!leerLibreta(libreta, mapa.aAnfitrion(ajustes.ultimoFichero.vista()))) {
            avisos.mensaje("Error al abrir el último fichero", "", Botones::Aceptar, Icono::Stop);
            ajustes.ultimoFichero = "";
        } else {
            ajustes.proyeccionTrabajo =
                leerProyeccionTrabajo(mapa.aAnfitrion(ajustes.ultimoFichero.vista()), ajustes.proyeccion);
        }
    }
    return tituloGestor(ajustes.ultimoFichero.vista());
}

}  // namespace celvara
