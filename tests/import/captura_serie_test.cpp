// Serial capture without a port: line cutting, the exchange file and its
// copy, the stored port settings.
#include <gtest/gtest.h>

#include <vector>

#include "comun/imagen.h"
#include "import/captura_serie.h"

namespace celvara {
namespace {

std::vector<std::string> cortar(std::initializer_list<std::string_view> trozos, int bits = 8) {
    CortadorLineas c(bits);
    std::vector<std::string> lineas;
    for (auto t : trozos) c.recibir(t, [&](std::string_view l) { lineas.emplace_back(l); });
    if (!c.lineaActual().empty()) lineas.push_back("<" + c.vaciar() + ">");
    return lineas;
}

TEST(CapturaSerie, CadaFinDeLineaCierraUnaLinea) {
    using V = std::vector<std::string>;
    EXPECT_EQ(cortar({"a\rb\rc"}), (V{"a", "b", "<c>"}));
    EXPECT_EQ(cortar({"a\nb\n"}), (V{"a", "b"}));
    EXPECT_EQ(cortar({"a\r\nb\r\n"}), (V{"a", "b"}));
    // CR and LF in two reads are still one end; a blank line stays a line.
    EXPECT_EQ(cortar({"a\r", "\nb\r", "\r\n", "c"}), (V{"a", "b", "", "<c>"}));
    EXPECT_EQ(cortar({"a\n\rb"}), (V{"a", "", "<b>"}));
    // 7 data bits: the eighth bit is cleared, also on the line ends.
    EXPECT_EQ(cortar({"\xC1\xB1\x8D\x8A"}, 7), (V{"A1"}));
    EXPECT_EQ(cortar({"\xC1\r"}, 8), (V{"\xC1"}));
}

TEST(CapturaSerie, TerminarEscribeYGuardaLaCopia) {
    prueba::CarpetaTemporal dir;
    const auto fichero = dir / "TEMP.TXT";
    prueba::escribirFichero(fichero, "anterior\r\n");
    {
        CapturaSerie c(fichero, 8);
        ASSERT_TRUE(c.abierta());
        EXPECT_EQ(c.recibir("110001+1\r\n110002"), 1u);
        EXPECT_EQ(c.recibir("+2\r\nfin"), 1u);
        EXPECT_EQ(c.ultimaLinea(), "110002+2");
        EXPECT_EQ(c.lineaActual(), "fin");
        // Nothing reaches the exchange file before "Terminar".
        EXPECT_EQ(prueba::leerFichero(fichero), "anterior\r\n");
        EXPECT_EQ(c.terminar(), FinCaptura::Escrito);
        EXPECT_EQ(c.lineas(), 3u);
    }
    EXPECT_EQ(prueba::leerFichero(fichero), "110001+1\r\n110002+2\r\nfin\r\n");
    EXPECT_EQ(prueba::leerFichero(rutaCopiaIntercambio(fichero)), "anterior\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 2);
}

TEST(CapturaSerie, SinLineasOAbandonadaNoTocaElFichero) {
    prueba::CarpetaTemporal dir;
    const auto fichero = dir / "TEMP.TXT";
    prueba::escribirFichero(fichero, "anterior");
    {
        CapturaSerie vacia(fichero, 8);
        EXPECT_EQ(vacia.terminar(), FinCaptura::SinLineas);
        CapturaSerie abandonada(fichero, 8);
        abandonada.recibir("linea\r\n");
    }
    EXPECT_EQ(prueba::leerFichero(fichero), "anterior");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 1);

    CapturaSerie sinCarpeta(dir / "no" / "TEMP.TXT", 8);
    EXPECT_FALSE(sinCarpeta.abierta());
    EXPECT_EQ(sinCarpeta.terminar(), FinCaptura::Fallo);
}

TEST(CapturaSerie, AjustesDelPuertoEnElFicheroPropio) {
    const auto resumen = [](const ProtocoloComunicaciones& p) {
        const ParametrosPuerto& q = p.puerto;
        return p.ficheroUsado() + " " + q.puerto + " " + std::to_string(q.baudios) + " " + std::to_string(q.bitsDatos) +
               q.paridad + std::to_string(q.bitsParada) + " " + textoControl(q.control);
    };
    AjustesPropios ini;
    ProtocoloComunicaciones p;
    p.ficheroIntercambio = "C:\\TRABAJOS\\OBRA 1\\ESTACION.TXT";
    p.puerto = {"/dev/ttyUSB0", 1200, 7, 'E', 2, ControlFlujo::XonXoff};
    p.escribir(ini);
    EXPECT_NE(ini.imagen().find("[Comunicaciones]\nFichero="), std::string::npos);
    AjustesPropios leido;
    leido.leerImagen(ini.imagen());
    const ProtocoloComunicaciones q = ProtocoloComunicaciones::leer(leido);
    EXPECT_EQ(q.ficheroIntercambio, p.ficheroIntercambio);
    // Not generating: the default file is used.
    EXPECT_EQ(resumen(q), std::string("C:\\TRABAJOS\\TEMP.TXT /dev/ttyUSB0 1200 7E2 ") + textoControl(ControlFlujo::XonXoff));

    // Hand-edited nonsense falls back to the defaults.
    leido.leerImagen("[Comunicaciones]\nBitsDatos=9\nParidad=X\nBitsParada=1.5\nBaudios=rapido\n");
    EXPECT_EQ(resumen(ProtocoloComunicaciones::leer(leido)), resumen(ProtocoloComunicaciones{}));
}

}  // namespace
}  // namespace celvara
