#include "fieldbook/arranque.h"

#include <gtest/gtest.h>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

class EntornoFalso : public EntornoArranque {
public:
    std::optional<std::string> leerFicheroInicio(bool& errorLectura) override {
        errorLectura = errorLectura_;
        return inicio;
    }
    bool escribirFicheroInicio(std::string_view contenido) override {
        escrito = std::string(contenido);
        return true;
    }
    std::string directorioActual() override { return actual; }
    bool cambiarDirectorio(std::string_view dir) override {
        cambios.emplace_back(dir);
        if (!entrables.empty() && std::find(entrables.begin(), entrables.end(), dir) == entrables.end()) return false;
        actual = std::string(dir);
        return true;
    }

    std::optional<std::string> inicio;
    bool errorLectura_ = false;
    std::string actual = "C:\\ACTUAL";
    std::optional<std::string> escrito;
    std::vector<std::string> cambios;
    std::vector<std::string> entrables;
};

// Each start-up line against the folder it yields; `cambio` is the only
// change of directory expected, `escrito` the start-up file written back.
TEST(DirectorioTrabajo, LineaDeInicio) {
    struct Caso {
        std::optional<std::string> inicio;
        std::string ruta;
        std::optional<std::string> escrito;
        std::optional<std::string> cambio;
        bool errorLectura = false;
        bool exito = true;
    };
    const std::string largo = "C:\\" + std::string(400, 'A');
    const std::string actual = "C:\\ACTUAL\n";
    const Caso casos[] = {
        {"C:/TRABAJOS/OBRA1/\r\nsegunda linea\n", "C:\\TRABAJOS\\OBRA1\\", {}, "C:\\TRABAJOS\\OBRA1"},
        {"C:", "C:\\", {}, "C:\\"},
        {std::nullopt, "C:\\ACTUAL\\", actual},  // no start-up file: made with the current folder
        {"D:\\NO\\EXISTE\n", "C:\\ACTUAL\\", actual},  // a folder that cannot be entered
        {"\r\n", "C:\\ACTUAL\\", actual},
        {"C:\\TRA\fBAJOS\xFFRESTO\n", "C:\\TRABAJOS\\"},  // form feeds dropped, byte 255 ends the line
        {largo, largo.substr(0, 255) + "\\"},                 // 255 kept plus the backslash added
        {"C:\\TRAB", "C:\\TRAB\\", {}, {}, true, false},     // a read error goes on with what was read
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.inicio.value_or("(sin fichero)"));
        EntornoFalso e;
        e.inicio = c.inicio;
        e.errorLectura_ = c.errorLectura;
        if (c.inicio && c.escrito) e.entrables = {"C:\\ACTUAL"};
        const auto r = leerDirectorioTrabajo(e);
        EXPECT_EQ(r.exito, c.exito);
        EXPECT_EQ(r.ruta, c.ruta);
        EXPECT_EQ(e.escrito, c.escrito);
        if (c.cambio) {
            EXPECT_EQ(e.cambios, std::vector<std::string>{*c.cambio});
        }
    }
}

TEST(Arranque, CreaLosAjustesYAvisaDelUltimoFicheroPerdido) {
    prueba::CarpetaTemporal raiz;
    MapaRutas mapa(raiz.ruta());
    std::filesystem::create_directories(raiz / "trabajos" / "obra1");
    CLibretaCampo libreta;
    CDatosGenerales ajustes{.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\PERDIDO.OBS", .directorioTrabajo = "C:\\TRABAJOS\\OBRA1\\"};
    // A settings file of another version is replaced at once.
    const CDatosGenerales viejo{.reservado = 9, .ultimoFichero = "C:\\TRABAJOS\\OBRA1\\PERDIDO.OBS"};
    std::string imagen = imagenAjustes(viejo);
    imagen[4] = 5;
    prueba::escribirFichero(raiz / "trabajos" / "OBSERVA.DFT", imagen);

    prueba::AvisosGrabados avisos;
    const std::string titulo = arrancarGestor(libreta, ajustes, mapa, avisos);
    EXPECT_EQ(ajustes.rutaFicheroAjustes, "C:\\TRABAJOS\\observa.dft");
    EXPECT_EQ(avisos.textos(), std::vector<std::string>{"Error al abrir el último fichero"});
    EXPECT_EQ(avisos.mensajes[0].icono, Icono::Stop);
    EXPECT_TRUE(ajustes.ultimoFichero.vacio());
    EXPECT_EQ(titulo, "Gestor de Observaciones - Datos de Campo - []");
    // Saved back as version 6 with the reserved word cleared, in the file
    // found ignoring case.
    const std::string guardado = prueba::leerFichero(raiz / "trabajos" / "OBSERVA.DFT");
    ASSERT_EQ(guardado.size(), 1620u);
    EXPECT_EQ(guardado[4], 6);
    EXPECT_EQ(guardado[0], 0);
}

TEST(Arranque, AbreElUltimoFicheroSinAplicarSuProyeccion) {
    prueba::CarpetaTemporal raiz;
    MapaRutas mapa(raiz.ruta());
    std::filesystem::create_directories(raiz / "TRABAJOS" / "OBRA1");
    CLibretaCampo guardada;
    guardada.proyeccion = 2;
    crearEstacion(guardada.estaciones, {.nombre = "A"});
    ASSERT_TRUE(escribirLibreta(guardada, raiz / "TRABAJOS" / "OBRA1" / "obra.obs"));

    CDatosGenerales ajustes{.ultimoFichero = "C:\\TRABAJOS\\OBRA1\\OBRA.OBS", .directorioTrabajo = "C:\\TRABAJOS\\OBRA1\\"};
    ASSERT_EQ(guardarAjustes(ajustes, raiz / "TRABAJOS" / "observa.dft"), Estado::Exito);
    ajustes.ultimoFichero = "";

    CLibretaCampo libreta;
    prueba::AvisosGrabados avisos;
    const std::string titulo = arrancarGestor(libreta, ajustes, mapa, avisos);
    EXPECT_TRUE(avisos.mensajes.empty());
    EXPECT_EQ(libreta.estaciones.size(), 1u);
    EXPECT_EQ(ajustes.proyeccion, 0u);
    EXPECT_EQ(titulo, "Gestor de Observaciones - Datos de Campo - [C:\\TRABAJOS\\OBRA1\\OBRA.OBS]");
}

TEST(MapaRutas, UnidadesYMayusculas) {
    prueba::CarpetaTemporal raiz;
    std::filesystem::create_directories(raiz / "Trabajos" / "Obra1");
    prueba::escribirFichero(raiz / "Trabajos" / "Obra1" / "Datos.Obs", "x");
    MapaRutas mapa(raiz.ruta());
    EXPECT_EQ(mapa.aAnfitrion("C:\\TRABAJOS\\OBRA1\\DATOS.OBS"), raiz / "Trabajos" / "Obra1" / "Datos.Obs");
    EXPECT_EQ(mapa.aAnfitrion("c:/trabajos/obra1/nuevo.obs"), raiz / "Trabajos" / "Obra1" / "nuevo.obs");
#ifdef _WIN32
    // Drives without a mapping are the system's own.
    EXPECT_EQ(mapa.aAnfitrion("q:\\Obra"), std::filesystem::path("Q:\\Obra"));
    EXPECT_EQ(mapa.aWindows("Q:\\Obra\\x.obs"), "Q:\\Obra\\x.obs");
#else
    EXPECT_EQ(mapa.aAnfitrion("Z:\\tmp"), std::filesystem::path("/tmp"));
    EXPECT_EQ(mapa.aWindows("/usr/share"), "Z:\\usr\\share");
#endif
    EXPECT_EQ(mapa.aWindows(raiz / "Trabajos" / "Obra1"), "C:\\Trabajos\\Obra1");
    EXPECT_EQ(mapa.aWindows(raiz.ruta()), "C:\\");
}

}  // namespace
}  // namespace celvara
