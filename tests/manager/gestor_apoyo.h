// Test doubles for the manager and its dialogs: a message recorder that
// answers from a script and fails on any message it was not told to expect
// (or that never came), file dialogs answered from a queue, a report viewer
// that records, instrument record images, and a manager started on a
// temporary drive C:.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "comun/libreta_prueba.h"
#include "fieldbook/arranque.h"
#include "fieldbook/avisos.h"
#include "fieldbook/fichero_obs.h"
#include "manager/gestor_configuracion.h"
#include "manager/gestor_dialogos.h"
#include "manager/gestor_observaciones.h"

namespace celvara::prueba {

using MensajeVisto = AvisoGrabado;

class AvisosEsperados : public Avisos {
public:
    ~AvisosEsperados() override {
        EXPECT_TRUE(esperados_.empty()) << "mensaje esperado que no llegó: " << esperados_.front().first;
    }
    // The next message must have this text; it is answered with `respuesta`.
    void esperar(std::string texto, Respuesta respuesta = Respuesta::Aceptar) {
        esperados_.push_back({std::move(texto), respuesta});
    }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override {
        vistos.push_back({std::string(texto), std::string(titulo), botones, icono});
        if (siABorrar && esperados_.empty() && texto.starts_with("¿Borrar")) return Respuesta::Si;
        if (esperados_.empty()) {
            ADD_FAILURE() << "mensaje inesperado: \"" << texto << "\"";
            return Respuesta::Cancelar;
        }
        auto [esperado, respuesta] = esperados_.front();
        esperados_.pop_front();
        EXPECT_EQ(std::string(texto), esperado);
        return respuesta;
    }

    std::vector<MensajeVisto> vistos;
    // Deletion questions answered "Sí" without a script (tests about what a deletion does).
    bool siABorrar = false;

private:
    std::deque<std::pair<std::string, Respuesta>> esperados_;
};

class DialogosGuion : public DialogosGestor {
public:
    std::deque<std::optional<std::string>> ficheros;
    std::deque<std::optional<std::string>> nombres;
    std::deque<std::function<bool(CConfiguracion&)>> configuraciones;
    std::vector<PeticionFichero> peticiones;
    std::vector<std::pair<bool, std::string>> peticionesNombre;

    std::optional<std::string> pedirFichero(const PeticionFichero& p) override {
        peticiones.push_back(p);
        return siguiente(ficheros, "fichero");
    }
    std::optional<std::string> pedirNombre(bool estacionamiento, std::string_view texto) override {
        peticionesNombre.emplace_back(estacionamiento, std::string(texto));
        return siguiente(nombres, "nombre");
    }
    bool editarConfiguracion(CConfiguracion& c) override {
        if (configuraciones.empty()) {
            ADD_FAILURE() << "hoja de configuración inesperada";
            return false;
        }
        auto f = configuraciones.front();
        configuraciones.pop_front();
        return f(c);
    }

private:
    static std::optional<std::string> siguiente(std::deque<std::optional<std::string>>& cola, const char* que) {
        if (cola.empty()) {
            ADD_FAILURE() << "diálogo de " << que << " inesperado";
            return std::nullopt;
        }
        auto r = cola.front();
        cola.pop_front();
        return r;
    }
};

class MostradorGrabado : public MostradorInformes {
public:
    std::vector<std::string> mostrados;
    void mostrar(std::string_view ruta) override { mostrados.emplace_back(ruta); }
};

inline std::vector<unsigned char> leerBytes(const std::filesystem::path& ruta) {
    const std::string s = leerFichero(ruta);
    return {s.begin(), s.end()};
}

inline void escribirBytes(const std::filesystem::path& ruta, const std::vector<unsigned char>& datos) {
    std::filesystem::create_directories(ruta.parent_path());
    escribirFichero(ruta, std::string_view(reinterpret_cast<const char*>(datos.data()), datos.size()));
}

// An instrument record image of 392 bytes, written field by field at the
// offsets of the file layout; texts end with their terminator.
class RegistroInstrumento {
public:
    RegistroInstrumento() : b(392, 0) {}
    RegistroInstrumento& i32(std::size_t pos, std::int32_t v) {
        for (int k = 0; k < 4; ++k) b[pos + k] = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * k));
        return *this;
    }
    RegistroInstrumento& f32(std::size_t pos, float v) {
        std::int32_t u;
        std::memcpy(&u, &v, 4);
        return i32(pos, u);
    }
    RegistroInstrumento& texto(std::size_t pos, const std::string& t) {
        std::memcpy(b.data() + pos, t.data(), t.size());
        b[pos + t.size()] = 0;
        return *this;
    }
    std::vector<unsigned char> b;
};

// A manager started on a temporary drive with C:\TRABAJOS\OBRA1\ as the
// working directory, optionally with the small job open (libretaPequena).
class Banco {
public:
    explicit Banco(bool conLibreta = true) : mapa(raiz_ / "c"), gestor(mapa, avisos, dialogos, mostrador) {
        std::filesystem::create_directories(obra());
        escribirFichero(trabajos() / "CELV.INI", "C:\\TRABAJOS\\OBRA1\\\n");
        if (conLibreta) {
            CLibretaCampo l;
            libretaPequena(l);
            escribirLibreta(l, obra() / "obra.obs");
            CDatosGenerales a;
            a.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\obra.obs";
            guardarAjustes(a, trabajos() / "observa.dft");
        }
        EntornoAnfitrion entorno(mapa);
        gestor.iniciar(entorno);
    }
    // The manager entered the working directory: leave it before it goes.
    ~Banco() {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    }
    std::filesystem::path obra() const { return trabajos() / "OBRA1"; }
    std::filesystem::path trabajos() const { return raiz_ / "c" / "TRABAJOS"; }

    Estacion& estacion(std::size_t i) { return *gestor.libreta().estaciones.at(i); }
    void seleccionarEstacion(std::size_t i) { gestor.seleccionGestor().seleccionar(NodoArbol::deEstacion(&estacion(i))); }
    void seleccionarEstacionamiento(std::size_t i, std::size_t j) {
        gestor.seleccionGestor().seleccionar(NodoArbol::deEstacionamiento(&estacion(i), estacion(i).estacionamientos.at(j).get()));
    }

private:
    CarpetaTemporal raiz_;

public:
    MapaRutas mapa;
    AvisosEsperados avisos;
    DialogosGuion dialogos;
    MostradorGrabado mostrador;
    CGestorObservaciones gestor;
};

}  // namespace celvara::prueba
