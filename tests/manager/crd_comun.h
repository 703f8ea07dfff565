// Helpers shared by the coordinate-file tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/avisos.h"

namespace celvara::prueba_crd {

inline std::filesystem::path datos(std::string_view nombre) {
    return std::filesystem::path(CELVARA_DATOS_PRUEBA) / "crd" / nombre;
}

inline std::string bytesDe(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void grabarBytes(const std::filesystem::path& ruta, std::string_view bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class CarpetaTemporal {
public:
    CarpetaTemporal() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::random_device azar;
        ruta_ = std::filesystem::temp_directory_path() /
                (std::string("celvara-crd-") + info->test_suite_name() + "-" + info->name() + "-" +
                 std::to_string(azar()));
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    const std::filesystem::path& ruta() const { return ruta_; }
    std::filesystem::path operator/(std::string_view nombre) const { return ruta_ / nombre; }

private:
    std::filesystem::path ruta_;
};

// Records every message; a test states the ones it expects.
class AvisosGrabados : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones, Icono) override {
        textos.emplace_back(texto);
        titulos.emplace_back(titulo);
        return Respuesta::Aceptar;
    }
    std::vector<std::string> textos;
    std::vector<std::string> titulos;
};

}  // namespace celvara::prueba_crd
