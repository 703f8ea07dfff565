// celvara-cli on coordinate files, run as a process.
#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "comun/proceso.h"
#include "crd_comun.h"
#include "fieldbook/fichero_obs.h"
#include "manager/fichero_crd.h"

namespace celvara {
namespace {

using namespace prueba_crd;

struct Salida {
    int estado = -1;
    std::string texto;
};

#ifdef _WIN32
Salida ejecutar(const std::string& argumentos, const CarpetaTemporal&) {
    const auto r = prueba::cliLinea(argumentos);
    return {r.estado, r.salida + r.errores};
}
#else
Salida ejecutar(const std::string& argumentos, const CarpetaTemporal& tmp) {
    const auto fichero = tmp / "salida.txt";
    const std::string orden = std::string("'") + CELVARA_CLI + "' " + argumentos + " > '" + fichero.string() + "' 2>&1";
    const int s = std::system(orden.c_str());
    return {WIFEXITED(s) ? WEXITSTATUS(s) : -1, bytesDe(fichero)};
}
#endif

std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

TEST(CliCrd, VolcarAmbasFormas) {
    CarpetaTemporal tmp;
    auto s = ejecutar("volcar " + q(datos("vacio_v50.crd")), tmp);
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.texto, "{\n \"forma\": \"V5.0\",\n \"puntos\": []\n}\n");

    s = ejecutar("volcar " + q(datos("antigua_dos_puntos.crd")), tmp);
    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.texto.find("\"forma\": \"antigua\""), std::string::npos) << s.texto;
    EXPECT_NE(s.texto.find("\"nombre\": \"P2\",\n   \"estacion\": \"Se\xC3\xB1" "al\",\n   \"x\": -3.75,\n"
                           "   \"y\": 4000000.0,\n   \"z\": 0.001,\n   \"codigo\": \"\xC3\x81rbol\",\n   \"base\": 0\n"),
              std::string::npos)
        << s.texto;

    // The extension is matched whatever its case.
    std::filesystem::copy_file(datos("atributos.crd"), tmp / "MAYUS.CRD");
    s = ejecutar("volcar " + q(tmp / "MAYUS.CRD"), tmp);
    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.texto.find("\"base\": 7"), std::string::npos) << s.texto;

    s = ejecutar("volcar " + q(tmp / "no-existe.crd"), tmp);
    EXPECT_EQ(s.estado, 1);
}

TEST(CliCrd, ExportarYRecoger) {
    CarpetaTemporal tmp;
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "B1", .coordenadas = Coordenadas{1000.123, 2000.456, 50.5},
                                       .descripcion1 = "Clavo en acera"});
    crearEstacion(libreta.estaciones,
                  {.nombre = "ESTACION-LARGA1",
                   .coordenadas = Coordenadas{-12.5, 0.0, 1e-3},
                   .descripcion1 = "Descripci\xF3n larga de la base para comprobar el corte del c\xF3" "digo"});
    crearEstacion(libreta.estaciones, {.nombre = ""});
    ASSERT_TRUE(escribirLibreta(libreta, tmp / "obra.obs"));

    auto s = ejecutar("exportar-crd " + q(tmp / "obra.obs") + " -o " + q(tmp / "bases.crd"), tmp);
    EXPECT_EQ(s.estado, 0) << s.texto;
    EXPECT_EQ(bytesDe(tmp / "bases.crd"), bytesDe(datos("exportacion_estaciones.crd")));
    s = ejecutar("exportar-crd " + q(tmp / "obra.obs") + " -o " + q(tmp / "bases.crd"), tmp);
    EXPECT_EQ(std::filesystem::file_size(tmp / "bases.crd"), 9u + 6u * 304u);

    // Coordinates back into a book whose stations have none (not "con.obs":
    // CON is a device on Windows).
    CLibretaCampo sinCoordenadas;
    crearEstacion(sinCoordenadas.estaciones, {.nombre = "B1"});
    crearEstacion(sinCoordenadas.estaciones, {.nombre = "OTRA"});
    ASSERT_TRUE(escribirLibreta(sinCoordenadas, tmp / "vacia.obs"));
    s = ejecutar("recoger-crd " + q(tmp / "vacia.obs") + " " + q(tmp / "bases.crd") + " -o " + q(tmp / "recogida.obs"), tmp);
    EXPECT_EQ(s.estado, 0) << s.texto;
    CLibretaCampo resultado;
    ASSERT_TRUE(leerLibreta(resultado, tmp / "recogida.obs"));
    ASSERT_EQ(resultado.estaciones.size(), 2u);
    EXPECT_EQ(resultado.estaciones[0]->x, 1000.123);
    EXPECT_EQ(resultado.estaciones[0]->z, 50.5);
    EXPECT_EQ(resultado.estaciones[1]->x, 0);

    // An unreadable coordinate file: status 1 and nothing written.
    s = ejecutar("recoger-crd " + q(tmp / "vacia.obs") + " " + q(tmp / "no-existe.crd") + " -o " + q(tmp / "nada.obs"), tmp);
    EXPECT_EQ(s.estado, 1);
    EXPECT_FALSE(std::filesystem::exists(tmp / "nada.obs"));

    // A book without stations exports nothing.
    CLibretaCampo vacia;
    ASSERT_TRUE(escribirLibreta(vacia, tmp / "sin.obs"));
    s = ejecutar("exportar-crd " + q(tmp / "sin.obs") + " -o " + q(tmp / "nada.crd"), tmp);
    EXPECT_EQ(s.estado, 0);
    EXPECT_FALSE(std::filesystem::exists(tmp / "nada.crd"));

    s = ejecutar("exportar-crd " + q(tmp / "obra.obs"), tmp);  // no -o
    EXPECT_EQ(s.estado, 2);
}

}  // namespace
}  // namespace celvara
