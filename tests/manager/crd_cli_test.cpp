// celvara-cli on coordinate files, run as a process.
#include <gtest/gtest.h>

#include "comun/proceso.h"
#include "datos/crd_comun.h"
#include "datos/fichero_crd.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using namespace prueba_crd;

// celvara-cli with these arguments: its status, and stdout and stderr together.
std::pair<int, std::string> cli(std::vector<std::string> argumentos) {
    const auto r = prueba::cli(std::move(argumentos));
    return {r.estado, r.salida + r.errores};
}

TEST(CliCrd, VolcarAmbasFormas) {
    CarpetaTemporal tmp;
    auto [estado, texto] = cli({"volcar", datos("vacio_v50.crd").string()});
    EXPECT_EQ(estado, 0);
    EXPECT_EQ(texto, "{\n \"forma\": \"V5.0\",\n \"puntos\": []\n}\n");

    std::tie(estado, texto) = cli({"volcar", datos("antigua_dos_puntos.crd").string()});
    EXPECT_EQ(estado, 0);
    EXPECT_NE(texto.find("\"forma\": \"antigua\""), std::string::npos) << texto;
    EXPECT_NE(texto.find("\"nombre\": \"P2\",\n   \"estacion\": \"Se\xC3\xB1" "al\",\n   \"x\": -3.75,\n"
                           "   \"y\": 4000000.0,\n   \"z\": 0.001,\n   \"codigo\": \"\xC3\x81rbol\",\n   \"base\": 0\n"),
              std::string::npos)
        << texto;

    // The extension is matched whatever its case.
    std::filesystem::copy_file(datos("atributos.crd"), tmp / "MAYUS.CRD");
    std::tie(estado, texto) = cli({"volcar", (tmp / "MAYUS.CRD").string()});
    EXPECT_EQ(estado, 0);
    EXPECT_NE(texto.find("\"base\": 7"), std::string::npos) << texto;
}

TEST(CliCrd, ExportarYRecoger) {
    CarpetaTemporal tmp;
    auto r = [&](const char* nombre) { return (tmp / nombre).string(); };
    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    ASSERT_TRUE(escribirLibreta(libreta, tmp / "obra.obs"));
    auto [estado, texto] = cli({"exportar-crd", r("obra.obs"), "-o", r("bases.crd")});
    EXPECT_EQ(estado, 0) << texto;

    // Coordinates back into a book whose stations have none (not "con.obs":
    // CON is a device on Windows).
    CLibretaCampo sinCoordenadas;
    crearEstacion(sinCoordenadas.estaciones, {.nombre = "B1"});
    crearEstacion(sinCoordenadas.estaciones, {.nombre = "OTRA"});
    ASSERT_TRUE(escribirLibreta(sinCoordenadas, tmp / "vacia.obs"));
    std::tie(estado, texto) = cli({"recoger-crd", r("vacia.obs"), r("bases.crd"), "-o", r("recogida.obs")});
    EXPECT_EQ(estado, 0) << texto;
    CLibretaCampo resultado;
    ASSERT_TRUE(leerLibreta(resultado, tmp / "recogida.obs"));
    ASSERT_EQ(resultado.estaciones.size(), 2u);  // what each station takes is RecogerCrd's
    EXPECT_EQ(resultado.estaciones[0]->x, 1000.123);

    // A book without stations exports nothing.
    ASSERT_TRUE(escribirLibreta(CLibretaCampo{}, tmp / "sin.obs"));
    EXPECT_EQ(cli({"exportar-crd", r("sin.obs"), "-o", r("nada.crd")}).first, 0);
    EXPECT_FALSE(std::filesystem::exists(tmp / "nada.crd"));

    EXPECT_EQ(cli({"exportar-crd", r("obra.obs")}).first, 2);  // no -o
}

}  // namespace
}  // namespace celvara
