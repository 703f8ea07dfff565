// celvara-cli on coordinate files, run as a process.
#include <gtest/gtest.h>

#include "comun/proceso.h"
#include "datos/crd_comun.h"
#include "datos/fichero_crd.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

using namespace prueba_crd;

TEST(CliCrd, VolcarAmbasFormas) {
    CarpetaTemporal tmp;
    auto r = prueba::cli({"volcar", datos("vacio_v50.crd").string()});
    EXPECT_EQ(std::pair(r.estado, r.salida), std::pair(0, std::string("{\n \"forma\": \"V5.0\",\n \"puntos\": []\n}\n")));
    r = prueba::cli({"volcar", datos("antigua_dos_puntos.crd").string()});
    EXPECT_EQ(r.estado, 0);
    EXPECT_NE(r.salida.find("\"forma\": \"antigua\""), std::string::npos) << r.salida;
    EXPECT_NE(r.salida.find("\"nombre\": \"P2\",\n   \"estacion\": \"Se\xC3\xB1" "al\",\n   \"x\": -3.75,\n"
                            "   \"y\": 4000000.0,\n   \"z\": 0.001,\n   \"codigo\": \"\xC3\x81rbol\",\n   \"base\": 0\n"),
              std::string::npos)
        << r.salida;
    // The extension is matched whatever its case.
    std::filesystem::copy_file(datos("atributos.crd"), tmp / "MAYUS.CRD");
    r = prueba::cli({"volcar", (tmp / "MAYUS.CRD").string()});
    EXPECT_NE(r.salida.find("\"base\": 7"), std::string::npos) << r.salida;
}

// The book's stations out to a coordinate file and back into a book whose
// stations have none (what each station takes is RecogerCrd's).
TEST(CliCrd, ExportarYRecoger) {
    CarpetaTemporal tmp;
    auto ruta = [&](const char* nombre) { return (tmp / nombre).string(); };
    CLibretaCampo libreta;
    libretaDeExportacion(libreta);
    ASSERT_TRUE(escribirLibreta(libreta, tmp / "obra.obs"));
    auto r = prueba::cli({"exportar-crd", ruta("obra.obs"), "-o", ruta("bases.crd")});
    EXPECT_EQ(r.estado, 0) << r.errores;
    CLibretaCampo sinCoordenadas;  // not "con.obs": CON is a device on Windows
    crearEstacion(sinCoordenadas.estaciones, {.nombre = "B1"});
    ASSERT_TRUE(escribirLibreta(sinCoordenadas, tmp / "vacia.obs"));
    r = prueba::cli({"recoger-crd", ruta("vacia.obs"), ruta("bases.crd"), "-o", ruta("recogida.obs")});
    EXPECT_EQ(r.estado, 0) << r.errores;
    CLibretaCampo resultado;
    ASSERT_TRUE(leerLibreta(resultado, tmp / "recogida.obs"));
    EXPECT_EQ(resultado.estaciones.at(0)->x, 1000.123);
    // A book without stations exports nothing, and that is no failure.
    ASSERT_TRUE(escribirLibreta(CLibretaCampo{}, tmp / "sin.obs"));
    EXPECT_EQ(prueba::cli({"exportar-crd", ruta("sin.obs"), "-o", ruta("nada.crd")}).estado, 0);
    EXPECT_FALSE(std::filesystem::exists(tmp / "nada.crd"));
    EXPECT_EQ(prueba::cli({"exportar-crd", ruta("obra.obs")}).estado, 2);  // no -o
}

}  // namespace
}  // namespace celvara
