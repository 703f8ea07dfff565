// `celvara-cli volcar` of .apa and .prt files, and the fixed data folder the
// program ships (data/vestrum).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "comun/proceso.h"
#include "manager/datos_trabajo.h"
#include "manager/instrumentos.h"
#include "manager/instrumentos_comun.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;

const std::filesystem::path kVestrum = std::filesystem::path(CELVARA_DATOS_PRUEBA) / ".." / ".." / "data" / "vestrum";

struct Salida {
    int estado = -1;
    std::string texto;
};

#ifdef _WIN32
Salida ejecutar(const std::string& argumentos) {
    const auto r = prueba::cliLinea(argumentos);
    return {r.estado, r.salida};
}
#else
Salida ejecutar(const std::string& argumentos) {
    Salida s;
    const std::string orden = std::string("\"") + CELVARA_CLI + "\" " + argumentos + " 2>/dev/null";
    std::FILE* tubo = ::popen(orden.c_str(), "r");
    if (!tubo) return s;
    std::array<char, 4096> trozo;
    std::size_t n;
    while ((n = std::fread(trozo.data(), 1, trozo.size(), tubo)) > 0) s.texto.append(trozo.data(), n);
    const int estado = ::pclose(tubo);
    s.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return s;
}
#endif

TEST(VolcarInstrumentos, CadaCampoConSuNombre) {
    CarpetaTemporal carpeta;
    prueba::RegistroInstrumento r;
    r.i32(0, 3)
        .texto(4, "ESTACI\xD3N 1")
        .texto(54, "LEICA")
        .i32(72, 30)
        .f32(76, 15)
        .f32(80, 16)
        .i32(84, 3500)
        .i32(88, 5000)
        .f32(92, 1.5f)
        .f32(96, 2)
        .f32(100, 0.1f)
        .f32(104, 1)
        .f32(108, 10)
        .f32(112, 11)
        .i32(116, 6)
        .i32(120, 5)
        .i32(124, 4)
        .texto(128, "c:\\fotos\\ts.bmp");
    std::vector<unsigned char> datos(r.b.size() + 20, 1);  // an incomplete record after it
    std::copy(r.b.begin(), r.b.end(), datos.begin());
    prueba::escribirBytes(carpeta.ruta() / "lib.APA", datos);
    const Salida s = ejecutar("volcar \"" + (carpeta.ruta() / "lib.APA").string() + "\"");
    ASSERT_EQ(s.estado, 0);
    const auto j = nlohmann::ordered_json::parse(s.texto);
    ASSERT_EQ(j["instrumentos"].size(), 1u);
    const auto& i = j["instrumentos"][0];
    EXPECT_EQ(i["numero"], 3);
    EXPECT_EQ(i["nombre"], "ESTACIÓN 1");
    EXPECT_EQ(i["marca"], "LEICA");
    EXPECT_EQ(i["aumentos"], 30);
    EXPECT_EQ(i["errorHorizontalCc"], 15.0);
    EXPECT_EQ(i["errorVerticalCc"], 16.0);
    EXPECT_EQ(i["alcanceUnPrismaM"], 3500);
    EXPECT_EQ(i["alcanceTresPrismasM"], 5000);
    EXPECT_EQ(i["precisionDistanciaMm"], 1.5);
    EXPECT_EQ(i["precisionDistanciaPpm"], 2.0);
    EXPECT_EQ(i["excentricidadM"], 0.1);  // as typed, not 0.10000000149...
    EXPECT_EQ(i["lecturaAngularCc"], 1.0);
    EXPECT_EQ(i["precisionAngularHorizontalCc"], 10.0);
    EXPECT_EQ(i["precisionAngularVerticalCc"], 11.0);
    EXPECT_EQ(i["sensibilidadNivelEsfericoMinutos"], 6);
    EXPECT_EQ(i["sensibilidadNivelToricoCc"], 5);
    EXPECT_EQ(i["ejesCompensador"], 4);
    EXPECT_EQ(i["ficheroFoto"], "c:\\fotos\\ts.bmp");
    EXPECT_EQ(j["bytesSobrantes"], 20);
}

TEST(VolcarInstrumentos, DatosDelTrabajo) {
    CarpetaTemporal carpeta;
    DatosTrabajo d = datosTrabajoPorDefecto();
    d.observaciones = "uno\r\ndos";
    d.codigo = "P14";
    const std::string imagen = imagenDatosTrabajo(d);
    prueba::escribirBytes(carpeta.ruta() / "d.prt", std::vector<unsigned char>(imagen.begin(), imagen.end()));
    const Salida s = ejecutar("volcar \"" + (carpeta.ruta() / "d.prt").string() + "\"");
    ASSERT_EQ(s.estado, 0);
    const auto j = nlohmann::ordered_json::parse(s.texto);
    EXPECT_EQ(j["empresa"], "EMPRESA");
    EXPECT_EQ(j["direccion"], "Dirección");
    EXPECT_EQ(j["telefonosFax"], "Teléfono");
    EXPECT_EQ(j["observaciones"], "uno\r\ndos");
    EXPECT_EQ(j["codigo"], "P14");
    EXPECT_EQ(j.size(), 13u);
}

TEST(VolcarInstrumentos, FicherosQueNoSeLeen) {
    CarpetaTemporal carpeta;
    EXPECT_EQ(ejecutar("volcar \"" + (carpeta.ruta() / "no.apa").string() + "\"").estado, 1);
    prueba::escribirBytes(carpeta.ruta() / "corto.prt", std::vector<unsigned char>(1000, 'a'));
    const Salida s = ejecutar("volcar \"" + (carpeta.ruta() / "corto.prt").string() + "\"");
    EXPECT_EQ(s.estado, 1);
    EXPECT_TRUE(s.texto.empty());
}

TEST(CarpetaVestrum, BibliotecaQueSeEntrega) {
    AvisosSilenciosos avisos;
    ListaInstrumentos lista;
    std::size_t sobrantes = 0;
    ASSERT_EQ(cargarInstrumentos(lista, kVestrum / "instrumentos.apa", avisos, &sobrantes), Estado::Exito);
    EXPECT_EQ(sobrantes, 0u);
    ASSERT_GE(lista.size(), 5u);
    // New set-ups name "ESTANDAR": the shipped library must know it.
    CDatosGenerales ajustes;
    EXPECT_EQ(lista.front().nombre, ajustes.datosPorDefecto.instrumento.vista());
    for (const auto& i : lista) {
        SCOPED_TRACE(i.nombre.str());
        EXPECT_GE(i.aumentos, 20);
        EXPECT_GT(i.precisionH, 0.0f);
        EXPECT_GT(i.precisionV, 0.0f);
        EXPECT_GT(i.precisionDistanciaMm, 0.0f);
        EXPECT_GT(i.precisionDistanciaPpm, 0.0f);
        EXPECT_GT(i.ejesCompensador, 0);
        EXPECT_TRUE(i.imagenLeida);
        std::array<unsigned char, 392> limpio{};
        Instrumento copia = i;
        copia.imagenLeida.reset();
        escribirInstrumento(copia, limpio.data());
        EXPECT_EQ(limpio, *i.imagenLeida);  // written by the program: zero-filled
    }
}

TEST(CarpetaVestrum, DatosDelTrabajoDeEjemploYDibujos) {
    const auto bytes = prueba::leerBytes(kVestrum / "datos_empresa.prt");
    const std::string esperado = imagenDatosTrabajo(datosTrabajoPorDefecto());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), esperado);
    for (const char* dibujo : {"foto0.bmp", "logo.bmp"}) {
        const auto b = prueba::leerBytes(kVestrum / dibujo);
        ASSERT_GT(b.size(), 54u) << dibujo;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
    }
}

}  // namespace
}  // namespace celvara
