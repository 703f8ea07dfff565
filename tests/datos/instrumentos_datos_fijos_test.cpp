// Seeding the fixed data folder from the shipped copy.
#include <gtest/gtest.h>

#include "datos/instrumentos_datos_fijos.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::CarpetaTemporal;

TEST(DatosFijos, SoloCopiaLoQueFalta) {
    CarpetaTemporal carpeta;
    const auto origen = carpeta.ruta() / "data" / "vestrum";
    prueba::escribirBytes(origen / "instrumentos.apa", std::vector<unsigned char>(392, 1));
    prueba::escribirBytes(origen / "foto0.bmp", {'B', 'M'});
    prueba::escribirBytes(origen / "logo.bmp", {'B', 'M', 2});
    std::filesystem::create_directory(origen / "subcarpeta");

    MapaRutas mapa(carpeta.ruta() / "c");
    std::filesystem::create_directories(carpeta.ruta() / "c" / "TRABAJOS" / "Vestrum");
    // The user's own library, under another case, stays as it is.
    prueba::escribirBytes(carpeta.ruta() / "c" / "TRABAJOS" / "Vestrum" / "INSTRUMENTOS.APA", {9});
    const auto destino = carpetaDatosFijos(mapa);
    EXPECT_EQ(destino, carpeta.ruta() / "c" / "TRABAJOS" / "Vestrum");

    bool ok = false;
    const auto copiados = sembrarDatosFijos(origen, destino, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(copiados, (std::vector<std::string>{"foto0.bmp", "logo.bmp"}));
    EXPECT_EQ(prueba::leerBytes(destino / "INSTRUMENTOS.APA"), std::vector<unsigned char>{9});
    EXPECT_EQ(prueba::leerBytes(destino / "logo.bmp"), (std::vector<unsigned char>{'B', 'M', 2}));
    EXPECT_FALSE(std::filesystem::exists(destino / "subcarpeta"));

    // A second time there is nothing left to copy.
    EXPECT_TRUE(sembrarDatosFijos(origen, destino, ok).empty());
    EXPECT_TRUE(ok);
}

TEST(DatosFijos, SinCopiaDeOrigen) {
    CarpetaTemporal carpeta;
    bool ok = true;
    EXPECT_TRUE(sembrarDatosFijos(carpeta.ruta() / "no_hay", carpeta.ruta() / "destino", ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "destino"));
}

}  // namespace
}  // namespace celvara
