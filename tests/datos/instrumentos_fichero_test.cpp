// The instrument library file: records of 392 bytes, read in batches of 100,
// written back byte for byte apart from the link fields.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>

#include "datos/instrumentos.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::AvisosEsperados;
using prueba::CarpetaTemporal;
using prueba::RegistroInstrumento;

// Record k of a realistic library, with junk after every text terminator and
// in the link fields, as an old program leaves them.
std::vector<unsigned char> registroConRestos(int k, std::mt19937& azar) {
    RegistroInstrumento r;
    std::uniform_int_distribution<int> byte(1, 255);
    for (auto& c : r.b) c = static_cast<unsigned char>(byte(azar));
    const std::string nombre = "ESTACION " + std::to_string(k);
    r.i32(0, k + 1).texto(4, nombre).texto(54, "MARCA" + std::to_string(k % 7)).i32(72, 26 + k % 10);
    r.f32(76, 1.5f * static_cast<float>(k % 5)).f32(80, 3.25f).i32(84, 1000 + k).i32(88, 2000 + k).f32(92, 2.0f);
    r.f32(96, 0.1f * static_cast<float>(k)).f32(100, 0.0f).f32(104, 1.0f).f32(108, 10.0f + static_cast<float>(k % 3));
    r.f32(112, 15.0f).i32(116, 8).i32(120, 5 + k % 4).i32(124, 2);
    r.texto(128, k % 2 ? "" : "c:\\trabajos\\vestrum\\foto" + std::to_string(k) + ".bmp");
    return r.b;
}

std::vector<unsigned char> bibliotecaConRestos(int n) {
    std::mt19937 azar(20240611);
    std::vector<unsigned char> todo;
    for (int k = 0; k < n; ++k) {
        auto r = registroConRestos(k, azar);
        todo.insert(todo.end(), r.begin(), r.end());
    }
    return todo;
}

std::vector<unsigned char> sinEnlaces(std::vector<unsigned char> datos) {
    for (std::size_t r = 0; r + 392 <= datos.size(); r += 392) std::fill(datos.begin() + r + 384, datos.begin() + r + 392, 0);
    return datos;
}

// Around the batch boundaries of 100, each library read and written back
// identical but for the links; 150 records are checked field by field.
TEST(BibliotecaInstrumentos, LotesDeCienYDeVueltaIdentica) {
    for (int n : {1, 99, 100, 101, 150, 200, 201}) {
        SCOPED_TRACE(n);
        CarpetaTemporal carpeta;
        const auto original = bibliotecaConRestos(n);
        prueba::escribirBytes(carpeta.ruta() / "i.apa", original);
        AvisosEsperados avisos;
        ListaInstrumentos lista;
        std::size_t sobrantes = 99;
        ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "i.apa", avisos, &sobrantes), Estado::Exito);
        EXPECT_EQ(sobrantes, 0u);
        ASSERT_EQ(lista.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "i.apa"), Estado::Exito);
        EXPECT_EQ(prueba::leerBytes(carpeta.ruta() / "i.apa"), sinEnlaces(original));
        if (n != 150) continue;
        for (int k = 0; k < n; ++k) {
            const Instrumento& i = lista[static_cast<std::size_t>(k)];
            EXPECT_EQ(std::tuple(i.numero, i.nombre.str(), i.alcance1Prisma, i.alcance3Prismas, i.precisionDistanciaPpm),
                      std::tuple(k + 1, "ESTACION " + std::to_string(k), 1000 + k, 2000 + k, 0.1f * static_cast<float>(k)));
        }
        // One record across the batch boundary, every field.
        const Instrumento& i = lista[100];
        EXPECT_EQ(i.marca.str(), "MARCA2");
        EXPECT_EQ((std::array{i.aumentos, i.nivelEsferico, i.nivelTorico, i.ejesCompensador}), (std::array{26, 8, 5, 2}));
        EXPECT_EQ((std::array{i.errorH, i.errorV, i.precisionDistanciaMm, i.excentricidad, i.lecturaAngular, i.precisionH,
                              i.precisionV}),
                  (std::array{0.0f, 3.25f, 2.0f, 0.0f, 1.0f, 11.0f, 15.0f}));
        EXPECT_EQ(i.ficheroFoto.str(), "c:\\trabajos\\vestrum\\foto100.bmp");
        EXPECT_TRUE(lista[101].ficheroFoto.vacio());
    }
}

TEST(BibliotecaInstrumentos, BytesRarosSobrevivenSinEditar) {
    // A name filling its 50 bytes with no terminator, a signalling NaN and
    // negative numbers are kept exactly.
    RegistroInstrumento r;
    for (std::size_t k = 4; k < 54; ++k) r.b[k] = 'N';
    r.i32(0, -7).i32(72, -1).i32(76, 0x7F800001).i32(80, static_cast<std::int32_t>(0xFFC00000u)).f32(92, -0.0f);
    CarpetaTemporal carpeta;
    prueba::escribirBytes(carpeta.ruta() / "i.apa", r.b);
    AvisosEsperados avisos;
    ListaInstrumentos lista;
    ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "i.apa", avisos), Estado::Exito);
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].nombre.longitud(), 49u);
    EXPECT_TRUE(std::isnan(lista[0].errorH));
    std::vector<unsigned char> escrito(392);
    escribirInstrumento(lista[0], escrito.data());
    EXPECT_EQ(escrito, r.b);
}

// Files that hold no whole record, or only some: the complete records are
// read, the rest is counted, and nothing is said.
TEST(BibliotecaInstrumentos, FicherosCortosVaciosOQueFaltan) {
    CarpetaTemporal carpeta;
    auto dosYMedio = bibliotecaConRestos(2);
    dosYMedio.insert(dosYMedio.end(), 100, 0x41);
    struct Caso {
        std::optional<std::vector<unsigned char>> bytes;  // none: no file
        Estado estado;
        std::size_t instrumentos, sobrantes;
    };
    const Caso casos[] = {{std::vector<unsigned char>{}, Estado::Exito, 0, 0},
                          {dosYMedio, Estado::Exito, 2, 100},
                          {std::vector<unsigned char>(391, 1), Estado::Exito, 0, 391},
                          {std::nullopt, Estado::Fallo, 0, 0}};
    for (const Caso& c : casos) {
        const auto ruta = carpeta.ruta() / "i.apa";
        std::filesystem::remove(ruta);
        if (c.bytes) prueba::escribirBytes(ruta, *c.bytes);
        AvisosEsperados avisos;
        ListaInstrumentos lista(3);
        std::size_t sobrantes = 99;
        EXPECT_EQ(cargarInstrumentos(lista, ruta, avisos, &sobrantes), c.estado);
        EXPECT_EQ(lista.size(), c.instrumentos);
        if (c.estado == Estado::Exito) {
            EXPECT_EQ(sobrantes, c.sobrantes);
        }
    }
    // A folder is no library; an empty library saves as an empty file.
    std::filesystem::create_directory(carpeta.ruta() / "carpeta.apa");
    AvisosEsperados avisos;
    ListaInstrumentos lista;
    EXPECT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "carpeta.apa", avisos), Estado::Fallo);
    ASSERT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "otra.apa"), Estado::Exito);
    EXPECT_EQ(std::filesystem::file_size(carpeta.ruta() / "otra.apa"), 0u);
}

TEST(BibliotecaInstrumentos, CreadosYEditadosSeEscribenLimpios) {
    const Instrumento valores{.nombre = "LEICA TS06 PLUS 5\"", .marca = "LEICA", .ficheroFoto = "c:\\fotos\\ts06.bmp"};
    AvisosEsperados avisos;
    ListaInstrumentos lista;
    Instrumento* creado = crearInstrumento(lista, valores, avisos);
    ASSERT_NE(creado, nullptr);
    EXPECT_EQ(creado, &lista.back());

    // Its fields' places are the round trip's and the shipped library's; here
    // every byte of a new record is written, the texts' tails zeroed.
    std::vector<unsigned char> escrito(392, 0xEE), ceros(392, 0);
    escribirInstrumento(*creado, escrito.data());
    escribirInstrumento(*creado, ceros.data());
    EXPECT_EQ(escrito, ceros);

    // A record read with junk tails, once edited, is written zero-filled.
    std::mt19937 azar(1);
    const auto sucio = registroConRestos(3, azar);
    Instrumento leido = leerInstrumento(sucio.data());
    Instrumento cambios = leido;
    cambios.aumentos = 30;
    actualizarInstrumento(leido, cambios);
    escribirInstrumento(leido, escrito.data());
    RegistroInstrumento limpio;
    limpio.b = sucio;
    std::fill(limpio.b.begin() + 4, limpio.b.begin() + 54, 0);
    std::fill(limpio.b.begin() + 54, limpio.b.begin() + 72, 0);
    std::fill(limpio.b.begin() + 128, limpio.b.end(), 0);
    limpio.texto(4, "ESTACION 3").texto(54, "MARCA3").i32(72, 30).texto(128, "");
    EXPECT_EQ(escrito, limpio.b);

    // A text changed directly on a read record is written clean too, while
    // the untouched texts keep their tails.
    Instrumento otro = leerInstrumento(sucio.data());
    otro.marca = "TOPCON";
    escribirInstrumento(otro, escrito.data());
    EXPECT_TRUE(std::equal(escrito.begin() + 4, escrito.begin() + 54, sucio.begin() + 4));
    std::vector<unsigned char> marca(18, 0);
    std::memcpy(marca.data(), "TOPCON", 6);
    EXPECT_TRUE(std::equal(marca.begin(), marca.end(), escrito.begin() + 54));
}

TEST(BibliotecaInstrumentos, BuscarPorNombre) {
    ListaInstrumentos lista(3);
    lista[0].nombre = "A";
    lista[1].nombre = "B";
    lista[2].nombre = "B";
    lista[2].numero = 9;
    EXPECT_EQ(buscarInstrumento(lista, "B"), &lista[1]);
    EXPECT_EQ(buscarInstrumento(lista, "b"), nullptr);  // byte comparison
    EXPECT_EQ(buscarInstrumentoOPrimero(lista, "C"), &lista[0]);
    EXPECT_EQ(buscarInstrumentoOPrimero(ListaInstrumentos{}, "C"), nullptr);
}

TEST(BibliotecaInstrumentos, Caracteristicas) {
    const Instrumento i{0, "TOPCON GTS-229", "", 30, 30, 0, 2000, 0, 2, 2, 0, 3.4f, 29.6f, 30.5f, 10, 3, 2};
    const std::vector<std::string> esperado{
        "NOMBRE: TOPCON GTS-229",       "Aumentos: 30",
        "Distancia Maxima 1P: 2000",    "Precisi\xF3n Distancias: 2.0+-2.0 mm",
        "Lectura Angular: 3 cc",        "Prec Angular H: 30 cc",
        "Prec Angular V: 30 cc",        "Error H: 30 cc",
        "Error V: 0 cc",                "Sensibilidad Nivel Torico: 3 cc",
        "Sensibilidad Nivel Esferico: 10 '", "COMPENSADOR: 2 ejes"};
    EXPECT_EQ(describirInstrumento(i), esperado);
}

}  // namespace
}  // namespace celvara
