// A save killed at any point leaves the old book or the new one, complete.
// Saves are killed in a forked child: POSIX only, not in the Windows build.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "comun/imagen.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

void libretaDe(CLibretaCampo& l, int lecturas, const char* codigo) {
    auto* a = crearEstacion(l.estaciones, {.nombre = "A", .coordenadas = Coordenadas{1000, 2000, 100}});
    auto* s = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 10);
    for (int k = 0; k < lecturas; ++k)
        crearLectura(s->lecturas, std::nullopt, std::to_string(k), 1.3, 20 + k, 100, k * 0.1, codigo);
}

TEST(GuardadoDuradero, UnaGrabacionMatadaDejaElLibroViejoOElNuevo) {
    prueba::CarpetaTemporal carpeta;
    const auto ruta = carpeta / "obra.obs";
    CLibretaCampo vieja, nueva;
    libretaDe(vieja, 300, "VIEJO");
    libretaDe(nueva, 900, "NUEVO");  // a different length too, so a cut shows
    std::vector<unsigned char> bytesViejos, bytesNuevos;
    ASSERT_TRUE(escribirLibreta(nueva, ruta));
    ASSERT_TRUE(leerFicheroCompleto(ruta, bytesNuevos));
    ASSERT_TRUE(escribirLibreta(vieja, ruta));
    ASSERT_TRUE(leerFicheroCompleto(ruta, bytesViejos));

    std::mt19937 azar(23);
    std::uniform_int_distribution<int> espera(0, 3000);
    int viejos = 0, nuevos = 0;
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            // Saves alternately until killed, so the kill lands inside a save.
            for (int i = 0;; ++i) escribirLibreta(i % 2 ? vieja : nueva, ruta);
        }
        usleep(static_cast<useconds_t>(espera(azar)));
        kill(hijo, SIGKILL);
        int estado = 0;
        waitpid(hijo, &estado, 0);
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(leerFicheroCompleto(ruta, bytes)) << "vuelta " << vuelta;
        if (bytes == bytesViejos) ++viejos;
        else if (bytes == bytesNuevos) ++nuevos;
        else FAIL() << "vuelta " << vuelta << ": libro incompleto de " << bytes.size() << " bytes";
    }
    EXPECT_EQ(viejos + nuevos, 200);
}

}  // namespace
}  // namespace celvara
#endif
