// `celvara-cli volcar` of .apa and .prt files, and the fixed data folder the
// program ships (data/vestrum).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "comun/proceso.h"
#include "datos/datos_trabajo.h"
#include "datos/instrumentos.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;

const std::filesystem::path kDatos = CELVARA_DATOS_PRUEBA, kVestrum = kDatos / ".." / ".." / "data" / "vestrum";

// `celvara-cli volcar FICHERO`: its status and what it printed on stdout.
std::pair<int, std::string> volcar(const std::filesystem::path& fichero) {
    const auto r = prueba::cli({"volcar", fichero.string()});
    return {r.estado, r.salida};
}

TEST(VolcarInstrumentos, CadaCampoConSuNombre) {
    CarpetaTemporal carpeta;
    prueba::RegistroInstrumento r;
    r.i32(0, 3).texto(4, "ESTACI\xD3N 1").texto(54, "LEICA").i32(72, 30).f32(76, 15).f32(80, 16).i32(84, 3500);
    r.i32(88, 5000).f32(92, 1.5f).f32(96, 2).f32(100, 0.1f).f32(104, 1).f32(108, 10).f32(112, 11).i32(116, 6);
    r.i32(120, 5).i32(124, 4).texto(128, "c:\\fotos\\ts.bmp");
    prueba::escribirBytes(carpeta.ruta() / "lib.APA", r.b);
    const auto [estado, texto] = volcar(carpeta.ruta() / "lib.APA");
    ASSERT_EQ(estado, 0);
    // Each field by its name, written by hand (the excentricity as typed, not
    // 0.10000000149...).
    EXPECT_EQ(nlohmann::ordered_json::parse(texto),
              nlohmann::ordered_json::parse(prueba::leerFichero(kDatos / "volcado" / "instrumento.json")));
}

TEST(VolcarInstrumentos, DatosDelTrabajo) {
    CarpetaTemporal carpeta;
    DatosTrabajo d = datosTrabajoPorDefecto();
    d.observaciones = "uno\r\ndos";
    d.codigo = "P14";
    const std::string imagen = imagenDatosTrabajo(d);
    prueba::escribirBytes(carpeta.ruta() / "d.prt", std::vector<unsigned char>(imagen.begin(), imagen.end()));
    const auto [estado, texto] = volcar(carpeta.ruta() / "d.prt");
    ASSERT_EQ(estado, 0);
    const auto j = nlohmann::ordered_json::parse(texto);
    EXPECT_EQ(j["direccion"], "Dirección");
    EXPECT_EQ(j["observaciones"], "uno\r\ndos");
    EXPECT_EQ(j["codigo"], "P14");
    EXPECT_EQ(j.size(), 13u);
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
        EXPECT_GT(std::min({i.precisionH, i.precisionV, i.precisionDistanciaMm, i.precisionDistanciaPpm}), 0.0f);
        EXPECT_GT(i.ejesCompensador, 0);
        EXPECT_TRUE(i.imagenLeida);
        std::array<unsigned char, 392> limpio{};
        Instrumento copia = i;
        copia.imagenLeida.reset();
        escribirInstrumento(copia, limpio.data());
        EXPECT_EQ(limpio, *i.imagenLeida);  // written by the program: zero-filled
    }
}

TEST(CarpetaVestrum, DatosDelTrabajoDeEjemplo) {
    const auto bytes = prueba::leerBytes(kVestrum / "datos_empresa.prt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), imagenDatosTrabajo(datosTrabajoPorDefecto()));
}

}  // namespace
}  // namespace celvara
