// A levelling line recorded by a digital level as GSI blocks, written here
// word by word from the published block layout (index, information with the
// unit digit last, sign, data, blank), against the same readings typed into
// a line file and against heights worked by hand.
#include <gtest/gtest.h>

#include <cstdlib>

#include "traverse/calculo_nivelacion.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/nivelacion.h"
#include "traverse/nivelacion_gsi.h"

namespace celvara {
namespace {

// One word: index and information in six characters (the unit digit last),
// sign, `digitos` data digits, blank.
std::string palabra(std::string indice, char unidad, long long v, std::size_t digitos = 8) {
    while (indice.size() < 5) indice += '.';
    std::string d = std::to_string(std::llabs(v));
    return indice + unidad + (v < 0 ? '-' : '+') + std::string(digitos - d.size(), '0') + d + ' ';
}
// Word 11: the block number in the information, the point id right-aligned.
std::string punto(std::string id, int bloque, std::size_t digitos = 8) {
    std::string n = std::to_string(bloque);
    return "11" + std::string(4 - n.size(), '0') + n + '+' + std::string(digitos - id.size(), '0') + id + ' ';
}
std::string linea(std::string palabras) {
    palabras.pop_back();  // the last word without its blank
    return palabras + "\r\n";
}
// A staff reading (hundredths of a mm, unit 8) with its distance (mm, unit 0).
std::string mira(const char* id, int bloque, const char* indice, long long centesimasMm, long long mm) {
    return linea(punto(id, bloque) + palabra("32", '0', mm) + palabra(indice, '8', centesimasMm));
}
std::string mira16(const char* id, int bloque, const char* indice, long long centesimasMm, long long mm) {
    return "*" + linea(punto(id, bloque, 16) + palabra("32", '0', mm, 16) + palabra(indice, '8', centesimasMm, 16));
}

// BM1 (height 100) to BM2: a plain set-up, a set-up read fore first (FBBF)
// in GSI-16 with mean readings 1.6013 and 1.2001, and a set-up with an
// intermediate sight.
std::string lineaGsi() {
    return linea(punto("BM1", 1) + palabra("83", '8', 10000000)) +  // known height, no reading
           linea("410002+00000001 42....+0000LINE ") +                // code block
           mira("BM1", 3, "331", 152340, 30120) + mira("TP1", 4, "332", 98760, 29800) +
           mira16("TP2", 5, "332", 120000, 24900) + mira16("TP1", 6, "331", 160120, 25000) +
           mira16("TP1", 7, "335", 160140, 25020) + mira16("TP2", 8, "336", 120020, 24920) +
           mira("TP2", 9, "331", 145000, 20000) + mira("P5", 10, "333", 200000, 10000) +
           mira("BM2", 11, "332", 110000, 20100) +
           linea(punto("BM2", 12) + palabra("573", '0', -100) + palabra("574", '0', 149940));
}

TEST(NivelacionGsi, MismasCotasQueElFicheroDeLineaYMensajesDeFicheroCortado) {
    LineaNivelacionGsi gsi;
    std::string mensaje;
    ASSERT_TRUE(leerTextoNivelacionGsi(lineaGsi(), gsi, mensaje)) << mensaje;
    EXPECT_EQ(gsi.estaciones.salida, "BM1");
    EXPECT_EQ(gsi.estaciones.llegada, "BM2");
    ASSERT_TRUE(gsi.cotaSalida);
    EXPECT_DOUBLE_EQ(*gsi.cotaSalida, 100.0);

    std::vector<LecturasNivelacion> csv;
    ASSERT_TRUE(leerTextoNivelacion("punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med,distancia\n"
                                    "TP1,,,1.5234,,,0.9876,59.92\n"
                                    "TP2,,,1.6013,,,1.2001,49.92\n"
                                    "P5,,,1.45,,,2.0,0\n"
                                    "BM2,,,2.0,,,1.1,40.1\n",
                                    csv, mensaje))
        << mensaje;
    auto calcular = [](const std::vector<LecturasNivelacion>& filas) {
        EntradaNivelacion e;
        for (const auto& l : filas) e.filas.push_back(filaDeLecturas(l));
        e.cotaSalida = 100;
        e.cotaLlegada = 101.290;
        e.llegadaConocida = true;
        return calcularNivelacion(e);
    };
    const ResultadoNivelacion a = calcular(gsi.filas), b = calcular(csv);
    ASSERT_EQ(a.tramos.size(), 4u);
    ASSERT_EQ(b.tramos.size(), 4u);
    // By hand: TP1 = 100 + 1.5234 - 0.9876, TP2 = TP1 + 1.6013 - 1.2001,
    // P5 and BM2 from TP2 with the back sight 1.45.
    const double aMano[] = {100.5358, 100.9370, 100.3870, 101.2870};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(a.tramos[i].punto, b.tramos[i].punto);
        EXPECT_NEAR(a.tramos[i].cota, b.tramos[i].cota, 1e-9) << i;
        EXPECT_NEAR(a.tramos[i].cota, aMano[i], 1e-9) << i;
    }
    EXPECT_NEAR(a.longitudKm, 0.14994, 1e-9);
    EXPECT_NEAR(*a.errorCierre, 0.003, 1e-9);

    // In the window: the start and arrival stations found by name.
    ListaEstaciones estaciones;
    crearEstacion(estaciones, {.nombre = "X", .coordenadas = Coordenadas{0, 0, 5}});
    crearEstacion(estaciones, {.nombre = "BM1", .coordenadas = Coordenadas{0, 0, 100}});
    crearEstacion(estaciones, {.nombre = "BM2", .coordenadas = Coordenadas{0, 0, 101.29}});
    CNivelacion ventana(estaciones);
    ventana.importar(gsi);
    EXPECT_EQ(ventana.indiceSalida(), 1);
    EXPECT_EQ(ventana.indiceLlegada(), 2);
    EXPECT_TRUE(ventana.modificada());
    EXPECT_NEAR(ventana.resultado().errorCierre.value_or(0), 0.003, 1e-9);

    // Cut short (inside a word, after a back sight), a set-up without a back sight, no GSI, no staff readings.
    const std::string entero = lineaGsi();
    const std::size_t tras = entero.find("\r\n", entero.find("110009+")) + 2;  // after set-up 3's back sight
    const struct {
        std::string texto;
        const char* mensaje;
    } cortados[] = {
        {entero.substr(0, entero.size() - 7), "Línea 12: bloque GSI incompleto (fichero cortado)"},
        {entero.substr(0, tras), "Línea 9: la línea termina sin lectura de frente (fichero cortado)"},
        {mira("TP1", 1, "332", 98760, 29800), "Línea 1: lectura de frente o intermedia sin lectura de espalda"},
        {"PUNTO;1.5\r\n", "Línea 1: no es un bloque GSI"},
        {linea(punto("BM1", 1) + palabra("83", '8', 10000000)), "El fichero no tiene lecturas de nivelación (palabras 331, 332, 333)"},
    };
    for (const auto& c : cortados) {
        EXPECT_FALSE(leerTextoNivelacionGsi(c.texto, gsi, mensaje));
        EXPECT_EQ(mensaje, c.mensaje);
    }
}

}  // namespace
}  // namespace celvara
