#include "traverse/fichero_pol.h"

#include <gtest/gtest.h>

#include "comun/imagen.h"
#include "pol_prueba.h"

namespace celvara {
namespace {

using namespace prueba_pol;

std::string dosFilas(std::uint32_t version = 0) {
    Fila a{"E1", "E1(1)", "R0", "E2", {10.5, 210.5, 99.5, 300.5, 120.25, 120.5, 1.5}, {50.25, 250.25, 100.5, 299.5, 80.125, 80.25, 1.75}, 1.55, 2, 1, 360, true, "TC1100"};
    Fila b{"E2", "E2(1)", "E1", "", {5, 0, 101, 0, 80.5, 0, 1.3}, {}, 1.6};
    Referencia r{"E1", "E2", 1000, 2000, 100, 1080, 2000, 101, 12.5, 399.5, 0, 1, 0, 1};
    return fichero({a, b}, r, version);
}

TEST(FicheroPol, LeeCadaCampoPorSuPosicion) {
    Poligonal p;
    std::string mensaje;
    ASSERT_TRUE(leerPoligonal(bytes(dosFilas()), p, mensaje)) << mensaje;
    ASSERT_EQ(p.filas.size(), 2u);
    const auto& f = p.filas[0];
    EXPECT_EQ(f.estacion.str() + "|" + f.estacionamiento.str() + "|" + f.visadoAtras.str() + "|" + f.visadoAdelante.str(),
              "E1|E1(1)|R0|E2");
    EXPECT_EQ(f.atras, (VisualPoligonal{10.5, 210.5, 99.5, 300.5, 120.25, 120.5, 1.5}));
    EXPECT_EQ(f.adelante, (VisualPoligonal{50.25, 250.25, 100.5, 299.5, 80.125, 80.25, 1.75}));
    EXPECT_EQ(std::tuple(f.alturaInstrumento, f.datos.instrumento.str(), f.datos.tipoDistancia, f.datos.tipoVertical,
                         f.datos.unidadAngular, int(f.datos.corregidoEsfRefr)),
              std::tuple(1.55, "TC1100", 2, 1, 360, 1));
    EXPECT_FALSE(p.filas[1].atras.tieneCi());
    const auto& r = p.referencia;
    EXPECT_EQ(std::tuple(r.partida.str(), r.llegada.str(), r.x0, r.z1, r.desorientacionPartida, r.desorientacionLlegada),
              std::tuple("E1", "E2", 1000.0, 101.0, 12.5, 399.5));
    EXPECT_EQ(r.tipoPoligonal(), TipoPoligonal::Encuadrada);
    EXPECT_EQ(std::tuple(int(r.besselH), int(r.besselV), int(r.besselD)), std::tuple(1, 0, 1));
}

TEST(FicheroPol, GrabaByteAByteLoLeidoConRellenosYRestos) {
    std::string original = dosFilas();
    // What an old program leaves in memory: text tails, padding, links, the
    // free bytes of a row, a tail in the reference.
    original[8 + 5] = 'x';
    original[8 + 61] = '\x7f';
    original[8 + 460] = '\x12';
    original[8 + 470] = '\x34';
    original[8 + 360 + 7] = 'L';
    original[8 + 472 + 184 + 40] = 'T';
    original[8 + 944 + 20] = 'q';
    original[8 + 944 + 110] = '\x55';
    original[8 + 944 + 167] = '\x66';
    Poligonal p;
    std::string mensaje;
    ASSERT_TRUE(leerPoligonal(bytes(original), p, mensaje));
    EXPECT_EQ(imagenPoligonal(p), bytes(original));

    // A new traverse is written zero-filled, exactly as the layout says.
    Poligonal nueva = p;
    for (auto& f : nueva.filas) f.imagenLeida.reset(), f.libres = {};
    nueva.referencia.imagenLeida.reset();
    EXPECT_EQ(imagenPoligonal(nueva), bytes(dosFilas()));

    // An edited field is rewritten whole; the rest keeps its bytes.
    p.filas[0].estacion = "E9";
    auto editada = bytes(original);
    editada[8] = 'E', editada[9] = '9', editada[13] = 0;
    EXPECT_EQ(imagenPoligonal(p), editada);
}

// A save read back byte for byte: CalculoPoligonales.EnlazadaGrabadaLeida.
TEST(FicheroPol, GuardarEnUnaCarpetaQueNoExisteLoDice) {
    prueba::CarpetaTemporal dir;
    Poligonal p;
    std::string mensaje;
    ASSERT_TRUE(leerPoligonal(bytes(dosFilas()), p, mensaje));
    EXPECT_FALSE(guardarFicheroPoligonal(p, dir / "no" / "p.pol", mensaje));
    EXPECT_FALSE(mensaje.empty());
}

TEST(FicheroPol, RechazaFicherosMalformadosSinReservarNiColgarse) {
    const std::string bueno = dosFilas();
    Poligonal p;
    std::string mensaje;
    auto rechazado = [&](const std::string& b) {
        p.filas.resize(3);
        mensaje.clear();
        const bool ok = leerPoligonal(bytes(b), p, mensaje);
        return !ok && p.filas.empty() && !mensaje.empty();
    };
    // Empty, missing and cut in a row: celvara-cli's bad-input table.
    EXPECT_TRUE(rechazado(bueno.substr(0, 7)));
    EXPECT_TRUE(rechazado(dosFilas(1)));
    EXPECT_TRUE(rechazado(bueno.substr(0, bueno.size() - 1)));   // reference cut short
    std::string tipo = bueno;
    tipo[8 + 944 + 160] = 3;
    EXPECT_TRUE(rechazado(tipo));
    tipo[8 + 944 + 160] = '\xff', tipo[8 + 944 + 161] = '\xff', tipo[8 + 944 + 162] = '\xff', tipo[8 + 944 + 163] = '\xff';
    EXPECT_TRUE(rechazado(tipo));
    // A huge count over a small file is refused at once.
    std::string enorme = bueno;
    enorme[4] = enorme[5] = enorme[6] = enorme[7] = '\xff';
    EXPECT_TRUE(rechazado(enorme));
    // Trailing bytes after the reference are ignored.
    EXPECT_TRUE(leerPoligonal(bytes(bueno + "xyz"), p, mensaje));
}

}  // namespace
}  // namespace celvara
