// The instrument library file: records of 392 bytes, read in batches of 100,
// written back byte for byte apart from the link fields.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "manager/instrumentos.h"
#include "manager/instrumentos_comun.h"

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
    r.i32(0, k + 1)
        .texto(4, nombre)
        .texto(54, "MARCA" + std::to_string(k % 7))
        .i32(72, 26 + k % 10)
        .f32(76, 1.5f * static_cast<float>(k % 5))
        .f32(80, 3.25f)
        .i32(84, 1000 + k)
        .i32(88, 2000 + k)
        .f32(92, 2.0f)
        .f32(96, 0.1f * static_cast<float>(k))
        .f32(100, 0.0f)
        .f32(104, 1.0f)
        .f32(108, 10.0f + static_cast<float>(k % 3))
        .f32(112, 15.0f)
        .i32(116, 8)
        .i32(120, 5 + k % 4)
        .i32(124, 2)
        .texto(128, k % 2 ? "" : "c:\\trabajos\\vestrum\\foto" + std::to_string(k) + ".bmp");
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

TEST(BibliotecaInstrumentos, CientoCincuentaEnLotesYDeVueltaIdentica) {
    CarpetaTemporal carpeta;
    const auto original = bibliotecaConRestos(150);
    ASSERT_EQ(original.size(), 392u * 150u);
    prueba::escribirBytes(carpeta.ruta() / "instrumentos.apa", original);

    AvisosEsperados avisos;
    ListaInstrumentos lista;
    std::size_t sobrantes = 99;
    ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "instrumentos.apa", avisos, &sobrantes), Estado::Exito);
    EXPECT_EQ(sobrantes, 0u);
    ASSERT_EQ(lista.size(), 150u);
    for (int k = 0; k < 150; ++k) {
        const Instrumento& i = lista[static_cast<std::size_t>(k)];
        EXPECT_EQ(i.numero, k + 1);
        EXPECT_EQ(i.nombre.str(), "ESTACION " + std::to_string(k));
        EXPECT_EQ(i.alcance1Prisma, 1000 + k);
        EXPECT_EQ(i.alcance3Prismas, 2000 + k);
        EXPECT_EQ(i.precisionDistanciaPpm, 0.1f * static_cast<float>(k));
    }
    // One record across the batch boundary, every field.
    const Instrumento& i = lista[100];
    EXPECT_EQ(i.marca.str(), "MARCA2");
    EXPECT_EQ(i.aumentos, 26);
    EXPECT_EQ(i.errorH, 0.0f);
    EXPECT_EQ(i.errorV, 3.25f);
    EXPECT_EQ(i.precisionDistanciaMm, 2.0f);
    EXPECT_EQ(i.excentricidad, 0.0f);
    EXPECT_EQ(i.lecturaAngular, 1.0f);
    EXPECT_EQ(i.precisionH, 11.0f);
    EXPECT_EQ(i.precisionV, 15.0f);
    EXPECT_EQ(i.nivelEsferico, 8);
    EXPECT_EQ(i.nivelTorico, 5);
    EXPECT_EQ(i.ejesCompensador, 2);
    EXPECT_EQ(i.ficheroFoto.str(), "c:\\trabajos\\vestrum\\foto100.bmp");
    EXPECT_TRUE(lista[101].ficheroFoto.vacio());

    ASSERT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "copia.apa"), Estado::Exito);
    EXPECT_EQ(prueba::leerBytes(carpeta.ruta() / "copia.apa"), sinEnlaces(original));
}

TEST(BibliotecaInstrumentos, LimitesDeLote) {
    for (int n : {1, 99, 100, 101, 200, 201}) {
        CarpetaTemporal carpeta;
        const auto original = bibliotecaConRestos(n);
        prueba::escribirBytes(carpeta.ruta() / "i.apa", original);
        AvisosEsperados avisos;
        ListaInstrumentos lista;
        ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "i.apa", avisos), Estado::Exito) << n;
        ASSERT_EQ(lista.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(lista.back().numero, n);
        ASSERT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "i.apa"), Estado::Exito);
        EXPECT_EQ(prueba::leerBytes(carpeta.ruta() / "i.apa"), sinEnlaces(original)) << n;
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

TEST(BibliotecaInstrumentos, FicheroVacioEsBibliotecaVaciaSinMensaje) {
    CarpetaTemporal carpeta;
    prueba::escribirBytes(carpeta.ruta() / "i.apa", {});
    AvisosEsperados avisos;
    ListaInstrumentos lista(3);
    EXPECT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "i.apa", avisos), Estado::Exito);
    EXPECT_TRUE(lista.empty());
    EXPECT_TRUE(avisos.vistos.empty());

    // And an empty library saves as an empty file.
    ASSERT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "otra.apa"), Estado::Exito);
    EXPECT_EQ(std::filesystem::file_size(carpeta.ruta() / "otra.apa"), 0u);
}

TEST(BibliotecaInstrumentos, FicheroQueFaltaOQueNoEsFichero) {
    CarpetaTemporal carpeta;
    AvisosEsperados avisos;
    ListaInstrumentos lista(2);
    EXPECT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "no_hay.apa", avisos), Estado::Fallo);
    EXPECT_TRUE(lista.empty());
    std::filesystem::create_directory(carpeta.ruta() / "carpeta.apa");
    EXPECT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "carpeta.apa", avisos), Estado::Fallo);
}

TEST(BibliotecaInstrumentos, RegistroFinalIncompletoSeDejaFuera) {
    CarpetaTemporal carpeta;
    auto datos = bibliotecaConRestos(2);
    datos.insert(datos.end(), 100, 0x41);
    prueba::escribirBytes(carpeta.ruta() / "i.apa", datos);
    AvisosEsperados avisos;
    ListaInstrumentos lista;
    std::size_t sobrantes = 0;
    ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "i.apa", avisos, &sobrantes), Estado::Exito);
    EXPECT_EQ(lista.size(), 2u);
    EXPECT_EQ(sobrantes, 100u);

    // Less than one record: nothing but the leftover.
    prueba::escribirBytes(carpeta.ruta() / "corto.apa", std::vector<unsigned char>(391, 1));
    ASSERT_EQ(cargarInstrumentos(lista, carpeta.ruta() / "corto.apa", avisos, &sobrantes), Estado::Exito);
    EXPECT_TRUE(lista.empty());
    EXPECT_EQ(sobrantes, 391u);
}

TEST(BibliotecaInstrumentos, CreadosYEditadosSeEscribenLimpios) {
    Instrumento valores;
    valores.numero = 0;
    valores.nombre = "LEICA TS06 PLUS 5\"";
    valores.marca = "LEICA";
    valores.aumentos = 30;
    valores.errorH = 15;
    valores.errorV = 15;
    valores.alcance1Prisma = 3500;
    valores.precisionDistanciaMm = 1.5f;
    valores.precisionDistanciaPpm = 2;
    valores.lecturaAngular = 1;
    valores.precisionH = 15;
    valores.precisionV = 15;
    valores.nivelEsferico = 6;
    valores.nivelTorico = 5;
    valores.ejesCompensador = 4;
    valores.ficheroFoto = "c:\\trabajos\\vestrum\\ts06.bmp";

    AvisosEsperados avisos;
    ListaInstrumentos lista;
    Instrumento* creado = crearInstrumento(lista, valores, avisos);
    ASSERT_NE(creado, nullptr);
    EXPECT_EQ(creado, &lista.back());

    RegistroInstrumento esperado;
    esperado.i32(0, 0)
        .texto(4, "LEICA TS06 PLUS 5\"")
        .texto(54, "LEICA")
        .i32(72, 30)
        .f32(76, 15)
        .f32(80, 15)
        .i32(84, 3500)
        .i32(88, 0)
        .f32(92, 1.5f)
        .f32(96, 2)
        .f32(100, 0)
        .f32(104, 1)
        .f32(108, 15)
        .f32(112, 15)
        .i32(116, 6)
        .i32(120, 5)
        .i32(124, 4)
        .texto(128, "c:\\trabajos\\vestrum\\ts06.bmp");
    std::vector<unsigned char> escrito(392, 0xEE);
    escribirInstrumento(lista.back(), escrito.data());
    EXPECT_EQ(escrito, esperado.b);

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

TEST(BibliotecaInstrumentos, GuardarQueFallaNoTocaNada) {
    CarpetaTemporal carpeta;
    ListaInstrumentos lista(1);
    lista[0].nombre = "X";
    EXPECT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "no_existe" / "i.apa"), Estado::Fallo);
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "no_existe"));
    // A folder in the way is refused, not replaced.
    std::filesystem::create_directory(carpeta.ruta() / "i.apa");
    EXPECT_EQ(guardarInstrumentos(lista, carpeta.ruta() / "i.apa"), Estado::Fallo);
    EXPECT_TRUE(std::filesystem::is_directory(carpeta.ruta() / "i.apa"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()), std::filesystem::directory_iterator()), 1);
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
    Instrumento i;
    i.nombre = "TOPCON GTS-229";
    i.aumentos = 30;
    i.alcance1Prisma = 2000;
    i.precisionDistanciaMm = 2;
    i.precisionDistanciaPpm = 2;
    i.lecturaAngular = 3.4f;
    i.precisionH = 29.6f;
    i.precisionV = 30.5f;
    i.errorH = 30;
    i.errorV = 0;
    i.nivelTorico = 3;
    i.nivelEsferico = 10;
    i.ejesCompensador = 2;
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
