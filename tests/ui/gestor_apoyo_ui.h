// Harness of the main-window tests: a temporary drive C: with a working
// directory and a field book, recorders standing in for message boxes, file
// dialogs and the report viewer, and the real window on top.
#pragma once

#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "fieldbook/arranque.h"
#include "comun/libreta_prueba.h"
#include "fieldbook/fichero_obs.h"
#include "manager/gestor_configuracion.h"
#include "ui/manager/gestor_ventana.h"

namespace celvara::prueba_ventana {

class AvisosGuion : public Avisos {
public:
    struct Visto {
        std::string texto, titulo;
        Botones botones;
        Icono icono;
    };
    void esperar(std::string texto, Respuesta r = Respuesta::Aceptar) { guion.emplace_back(std::move(texto), r); }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones b, Icono i) override {
        vistos.push_back({std::string(texto), std::string(titulo), b, i});
        if (guion.empty()) {
            inesperados.emplace_back(texto);
            return Respuesta::Cancelar;
        }
        auto [esperado, r] = guion.front();
        guion.pop_front();
        if (esperado != texto) inesperados.push_back("\"" + std::string(texto) + "\" en vez de \"" + esperado + "\"");
        return r;
    }
    std::deque<std::pair<std::string, Respuesta>> guion;
    std::vector<Visto> vistos;
    std::vector<std::string> inesperados;
};

class DialogosGuion : public DialogosGestor {
public:
    std::optional<std::string> pedirFichero(const PeticionFichero& p) override {
        peticiones.push_back(p);
        if (ficheros.empty()) return std::nullopt;
        auto r = ficheros.front();
        ficheros.pop_front();
        return r;
    }
    std::optional<std::string> pedirNombre(bool, std::string_view) override {
        if (nombres.empty()) return std::nullopt;
        auto r = nombres.front();
        nombres.pop_front();
        return r;
    }
    bool editarConfiguracion(CConfiguracion& c) override { return configurar ? configurar(c) : false; }

    std::deque<std::optional<std::string>> ficheros;
    std::deque<std::optional<std::string>> nombres;
    std::function<bool(CConfiguracion&)> configurar;
    std::vector<PeticionFichero> peticiones;
};

class MostradorGuion : public MostradorInformes {
public:
    void mostrar(std::string_view ruta) override { mostrados.emplace_back(ruta); }
    std::vector<std::string> mostrados;
};

inline std::filesystem::path carpetaTemporal() {
    std::random_device rd;
    auto p = std::filesystem::temp_directory_path() / ("celvara_ventana_" + std::to_string(rd()));
    std::filesystem::create_directories(p);
    return p;
}

inline void escribir(const std::filesystem::path& p, const std::string& texto) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << texto;
}

inline std::string leer(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Stations A (1000, 2000), B, C; A with set-ups A_1 (3 readings) and A_2 (1).
inline void libretaDePrueba(CLibretaCampo& l) { prueba::libretaPequena(l); }

// The window started on C:\TRABAJOS\OBRA1\ with `obra.obs` as the last file.
class BancoVentana {
public:
    explicit BancoVentana(const std::function<void(CLibretaCampo&)>& llenar = libretaDePrueba)
        : raiz_(carpetaTemporal()), mapa(raiz_ / "c") {
        std::filesystem::create_directories(obra());
        escribir(raiz_ / "c" / "TRABAJOS" / "CELV.INI", "C:\\TRABAJOS\\OBRA1\\\n");
        CLibretaCampo l;
        llenar(l);
        escribirLibreta(l, obra() / "obra.obs");
        CDatosGenerales a;
        a.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\obra.obs";
        guardarAjustes(a, raiz_ / "c" / "TRABAJOS" / "observa.dft");
        ventana = std::make_unique<ui::VentanaGestor>(mapa, ui::ServiciosGestor{&avisos, &dialogos, &mostrador});
        EntornoAnfitrion entorno(mapa);
        ventana->iniciar(entorno);
        ventana->show();
        ventana->activateWindow();
        (void)QTest::qWaitForWindowActive(ventana.get());
    }
    ~BancoVentana() {
        ventana.reset();
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(raiz_, ec);
    }
    std::filesystem::path obra() const { return raiz_ / "c" / "TRABAJOS" / "OBRA1"; }
    std::filesystem::path trabajos() const { return raiz_ / "c" / "TRABAJOS"; }
    CGestorObservaciones& gestor() { return ventana->gestor(); }
    Estacion& estacion(std::size_t i) { return *gestor().libreta().estaciones.at(i); }

private:
    std::filesystem::path raiz_;

public:
    MapaRutas mapa;
    AvisosGuion avisos;
    DialogosGuion dialogos;
    MostradorGuion mostrador;
    std::unique_ptr<ui::VentanaGestor> ventana;
};

}  // namespace celvara::prueba_ventana
