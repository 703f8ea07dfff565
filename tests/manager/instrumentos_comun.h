// Shared by the instrument library and job data tests: a message recorder
// that fails on any message it was not told to expect, a scratch folder
// standing for drive C:, and record images built byte by byte from the
// layouts (independently of the writers under test).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "fieldbook/avisos.h"

namespace celvara::prueba {

struct MensajeVisto {
    std::string texto;
    std::string titulo;
    Icono icono;
};

class AvisosEsperados : public Avisos {
public:
    ~AvisosEsperados() override { EXPECT_TRUE(esperados_.empty()) << "mensaje esperado que no llegó: " << esperados_.front(); }
    void esperar(std::string texto) { esperados_.push_back(std::move(texto)); }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones, Icono icono) override {
        vistos.push_back({std::string(texto), std::string(titulo), icono});
        if (esperados_.empty()) {
            ADD_FAILURE() << "mensaje inesperado: " << texto;
        } else {
            EXPECT_EQ(texto, esperados_.front());
            esperados_.pop_front();
        }
        return Respuesta::Aceptar;
    }
    std::vector<MensajeVisto> vistos;

private:
    std::deque<std::string> esperados_;
};

// Its own name for the linker: tests/comun declares another CarpetaTemporal.
inline namespace instrumentos {
class CarpetaTemporal {
public:
    CarpetaTemporal() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        ruta_ = std::filesystem::temp_directory_path() /
                (std::string("celvara_instr_") + info->test_suite_name() + "_" + info->name() + "_" +
                 std::to_string(std::random_device{}()));
        std::filesystem::remove_all(ruta_);
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(ruta_, ec);
    }
    const std::filesystem::path& ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
};
}  // namespace instrumentos

inline std::vector<unsigned char> leerBytes(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void escribirBytes(const std::filesystem::path& ruta, const std::vector<unsigned char>& datos) {
    std::filesystem::create_directories(ruta.parent_path());
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(datos.data()), static_cast<std::streamsize>(datos.size()));
}

// An instrument record image of 392 bytes, written field by field at the
// offsets of the file layout.
class RegistroInstrumento {
public:
    RegistroInstrumento() : b(392, 0) {}
    RegistroInstrumento& i32(std::size_t pos, std::int32_t v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        for (int k = 0; k < 4; ++k) b[pos + k] = static_cast<unsigned char>(u >> (8 * k));
        return *this;
    }
    RegistroInstrumento& f32(std::size_t pos, float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return i32(pos, static_cast<std::int32_t>(u));
    }
    RegistroInstrumento& texto(std::size_t pos, const std::string& t) {
        std::memcpy(b.data() + pos, t.data(), t.size());
        b[pos + t.size()] = 0;
        return *this;
    }
    std::vector<unsigned char> b;
};

}  // namespace celvara::prueba
