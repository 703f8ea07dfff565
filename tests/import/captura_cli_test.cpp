// celvara-cli capturar over a socat pseudo-terminal pair: real sample files
// sent byte-exact must import from the capture as from the file itself.
#include <gtest/gtest.h>

#include <thread>

#include "comun/imagen.h"
#include "comun/pares_pty.h"
#include "comun/proceso.h"
#include "import/ayuda_importacion.h"

namespace celvara {
namespace {

using namespace std::chrono_literals;
using prueba::cli;

std::string muestra(const char* nombre) { return prueba::leerFichero(prueba::kMuestras / nombre); }

class CapturaCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!prueba::haySocat()) GTEST_SKIP() << "socat no está instalado";
        // An unknown subcommand's --help still prints the general help: look for it there.
        if (cli({"--help"}).salida.find("capturar") == std::string::npos)
            GTEST_SKIP() << "celvara-cli sin Qt: no hay capturar";
        par_ = std::make_unique<prueba::ParPty>(dir_.ruta());
        ASSERT_TRUE(par_->listo());
    }

    // Sends `datos` while `capturar` listens; returns its result.
    prueba::SalidaProceso capturar(const std::string& datos, std::chrono::microseconds pausa = {}) {
        std::thread emisor([&] {
            std::this_thread::sleep_for(300ms);
            par_->enviar(datos, pausa);
        });
        auto r = cli({"capturar", par_->receptor.string(), "-o", intercambio().string(), "--silencio", "1", "--espera", "20"});
        emisor.join();
        return r;
    }

    // The book the GSI reader makes of a file, as bytes.
    std::string libreta(const std::filesystem::path& entrada) {
        const auto salida = dir_ / "libreta.obs";
        const auto r = cli({"importar", "--formato", "5", entrada.string(), "-o", salida.string()});
        EXPECT_EQ(r.estado, 0) << r.errores;
        return prueba::leerFichero(salida);
    }

    void mismaLibreta(const std::string& enviado, std::chrono::microseconds pausa = {}) {
        const auto r = capturar(enviado, pausa);
        ASSERT_EQ(r.estado, 0) << r.errores;
        const auto original = dir_ / "original.gsi";
        prueba::escribirFichero(original, enviado);
        const std::string esperada = libreta(original);
        EXPECT_FALSE(esperada.empty());
        EXPECT_EQ(libreta(intercambio()), esperada);
    }

    std::filesystem::path intercambio() const { return dir_ / "TEMP.TXT"; }

    prueba::CarpetaTemporal dir_;
    std::unique_ptr<prueba::ParPty> par_;
};

TEST_F(CapturaCli, MuestrasConCrCrLfYLfDeGolpeOByteAByte) {
    REQUIERE_MUESTRAS();
    const std::string cr = muestra("gsi8_wild_t1000_RILIEVO.gsi");
    ASSERT_EQ(cr.back(), '\r');
    mismaLibreta(cr);
    // The last line without its end is still written.
    const std::string sinFin = cr.substr(0, cr.find_last_not_of('\r') + 1);
    mismaLibreta(sinFin);
    std::string conCrLf;
    for (char c : sinFin + "\r") conCrLf += c == '\r' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(prueba::leerFichero(intercambio()), conCrLf);
    // Over 120 KB in one write, CR LF.
    const std::string crlf = muestra("gsi8_ertola.gsi");
    ASSERT_GT(crlf.size(), 120'000u);
    mismaLibreta(crlf);
    EXPECT_EQ(prueba::leerFichero(intercambio()), crlf);
    // LF, one byte every millisecond.
    std::string lf = muestra("gsi16_gurob.gsi");
    lf.resize(lf.rfind('\n', 4096) + 1);
    ASSERT_GT(lf.size(), 3500u);
    mismaLibreta(lf, 1ms);
}

TEST_F(CapturaCli, PuertoQueNoExisteNoTocaNada) {
    prueba::escribirFichero(intercambio(), "anterior\r\n");
    const auto r = cli({"capturar", (dir_ / "no-hay").string(), "-o", intercambio().string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores.substr(0, 32), "PUERTO NO EXISTE O ESTÁ OCUPADO");
    EXPECT_EQ(prueba::leerFichero(intercambio()), "anterior\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "TEMP.TXT.bak"));
}

TEST_F(CapturaCli, CorteDelEmisorConservaLoRecibido) {
    std::thread emisor([&] {
        std::this_thread::sleep_for(300ms);
        par_->enviar("110001+00000001 \r\n110002+00000002 \r\n1100");
        std::this_thread::sleep_for(300ms);
        par_->terminar();
    });
    const auto r = cli({"capturar", par_->receptor.string(), "-o", intercambio().string(), "--espera", "20"});
    emisor.join();
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores.find("Error en el puerto"), 0u) << r.errores;
    EXPECT_EQ(r.errores.find("Error en el puerto", 1), std::string::npos);
    EXPECT_EQ(prueba::leerFichero(intercambio()), "110001+00000001 \r\n110002+00000002 \r\n1100\r\n");
}

}  // namespace
}  // namespace celvara
