// Test doubles for the observation manager: a message recorder that answers
// from a script and fails on any message it was not told to expect, file
// dialogs answered from a queue, a report viewer that records, and a
// temporary drive C: with a working directory.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "fieldbook/arranque.h"
#include "fieldbook/avisos.h"
#include "comun/libreta_prueba.h"
#include "fieldbook/fichero_obs.h"
#include "fieldbook/rutas.h"
#include "manager/gestor_configuracion.h"
#include "manager/gestor_dialogos.h"
#include "manager/gestor_observaciones.h"

namespace celvara::prueba_gestor {

struct MensajeVisto {
    std::string texto;
    std::string titulo;
    Botones botones;
    Icono icono;
};

class AvisosGrabados : public Avisos {
public:
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
    bool agotados() const { return esperados_.empty(); }

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
        if (ficheros.empty()) {
            ADD_FAILURE() << "diálogo de fichero inesperado";
            return std::nullopt;
        }
        auto r = ficheros.front();
        ficheros.pop_front();
        return r;
    }
    std::optional<std::string> pedirNombre(bool estacionamiento, std::string_view texto) override {
        peticionesNombre.emplace_back(estacionamiento, std::string(texto));
        if (nombres.empty()) {
            ADD_FAILURE() << "diálogo de nombre inesperado";
            return std::nullopt;
        }
        auto r = nombres.front();
        nombres.pop_front();
        return r;
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
};

class MostradorGrabado : public MostradorInformes {
public:
    std::vector<std::string> mostrados;
    void mostrar(std::string_view ruta) override { mostrados.emplace_back(ruta); }
};

// A start-up file and working directory under a fresh temporary C:.
class EntornoPrueba : public EntornoArranque {
public:
    explicit EntornoPrueba(const MapaRutas& mapa) : anfitrion_(mapa) {}
    std::optional<std::string> leerFicheroInicio(bool& error) override { return anfitrion_.leerFicheroInicio(error); }
    bool escribirFicheroInicio(std::string_view c) override { return anfitrion_.escribirFicheroInicio(c); }
    std::string directorioActual() override { return anfitrion_.directorioActual(); }
    bool cambiarDirectorio(std::string_view d) override { return anfitrion_.cambiarDirectorio(d); }

private:
    EntornoAnfitrion anfitrion_;
};

inline std::filesystem::path carpetaTemporal(const std::string& prefijo) {
    std::random_device rd;
    auto p = std::filesystem::temp_directory_path() / (prefijo + std::to_string(rd()));
    std::filesystem::create_directories(p);
    return p;
}

inline void escribirTexto(const std::filesystem::path& p, const std::string& texto) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary);
    f << texto;
}

inline std::string leerTexto(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A small job: stations A (1000, 2000, 100), B, C; A has set-ups A_1 and A_2.
inline void llenarLibreta(CLibretaCampo& l) { prueba::libretaPequena(l); }

// A manager started on a temporary drive with C:\TRABAJOS\OBRA1\ as the
// working directory, optionally with an observation file to open.
class Banco {
public:
    explicit Banco(bool conLibreta = true)
        : raiz_(carpetaTemporal("celvara_gestor_")), mapa(raiz_ / "c"),
          gestor(mapa, avisos, dialogos, mostrador) {
        std::filesystem::create_directories(raiz_ / "c" / "TRABAJOS" / "OBRA1");
        escribirTexto(raiz_ / "c" / "TRABAJOS" / "CELV.INI", "C:\\TRABAJOS\\OBRA1\\\n");
        if (conLibreta) {
            CLibretaCampo l;
            llenarLibreta(l);
            escribirLibreta(l, obra() / "obra.obs");
            CDatosGenerales a;
            a.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\obra.obs";
            guardarAjustes(a, raiz_ / "c" / "TRABAJOS" / "observa.dft");
        }
        EntornoPrueba entorno(mapa);
        gestor.iniciar(entorno);
    }
    ~Banco() {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(raiz_, ec);
    }
    std::filesystem::path obra() const { return raiz_ / "c" / "TRABAJOS" / "OBRA1"; }
    std::filesystem::path trabajos() const { return raiz_ / "c" / "TRABAJOS"; }

    Estacion& estacion(std::size_t i) { return *gestor.libreta().estaciones.at(i); }
    void seleccionarEstacion(std::size_t i) { gestor.seleccionar(NodoArbol::deEstacion(&estacion(i))); }
    void seleccionarEstacionamiento(std::size_t i, std::size_t j) {
        gestor.seleccionar(
            NodoArbol::deEstacionamiento(&estacion(i), estacion(i).estacionamientos.at(j).get()));
    }

private:
    std::filesystem::path raiz_;

public:
    MapaRutas mapa;
    AvisosGrabados avisos;
    DialogosGuion dialogos;
    MostradorGrabado mostrador;
    CGestorObservaciones gestor;
};

}  // namespace celvara::prueba_gestor
