#include <gtest/gtest.h>

#include "comun/imagen.h"
#include "herramientas/editor_coordenadas.h"

namespace celvara {
namespace {

using prueba::Imagen;
using C = ColumnaEditor;

// Offsets of each form, from the file layouts: size, name, X, base, and
// where a record carries bytes the reader throws away (links, padding).
struct Forma {
    FormaCrd forma;
    std::size_t cabecera, tamano, nombre, x, base, basura;
};
void PrintTo(const Forma& f, std::ostream* os) { *os << (f.forma == FormaCrd::Actual ? "V5.0" : "antigua"); }
constexpr Forma kFormas[] = {{FormaCrd::Actual, 9, 304, 87, 0, 32, 296}, {FormaCrd::Antigua, 0, 120, 1, 32, 0, 108}};

// Three points "10", "2", "A" with display attributes off their defaults,
// stale links and a byte left after the name's terminator.
std::string fichero(const Forma& f) {
    Imagen i(f.cabecera + 3 * f.tamano);
    if (f.cabecera) i.texto(0, std::string("V5.0\0", 5)).u32(5, 0);
    const char* nombres[] = {"10", "2", "A"};
    for (int k = 0; k < 3; ++k) {
        const std::size_t r = f.cabecera + k * f.tamano;
        i.texto(r + f.nombre, nombres[k]).u8(r + f.nombre + 5, 0x7A).f64(r + f.x, 100.0 * (3 - k));
        i.u8(r + f.base, k == 0).u32(r + f.basura, 0xDEAD0000u + k).u32(r + f.basura + 4, 0xBEEF);
        if (f.forma == FormaCrd::Actual) i.f64(r + 40, 1000.0).u32(r + 144, 0x123456);
    }
    return i.bytes();
}

class EditorCoordenadas : public ::testing::TestWithParam<Forma> {
protected:
    void SetUp() override {
        original = fichero(GetParam());
        prueba::escribirFichero(ruta, original);
        ASSERT_TRUE(e.abrir(ruta)) << e.error();
        ASSERT_EQ(e.forma(), GetParam().forma);
        ASSERT_EQ(e.filas(), 3u);
    }
    prueba::CarpetaTemporal carpeta;
    std::filesystem::path ruta = carpeta / "puntos.crd";
    std::string original;
    CEditorCoordenadas e;
};

TEST_P(EditorCoordenadas, GrabaLoNoEditadoComoSeLeyoYSoloElCampoEditado) {
    const Forma f = GetParam();
    EXPECT_EQ(e.editar(1, C::X, "12a"), "La X \"12a\" no es un número");
    EXPECT_EQ(e.editar(1, C::X, "200.000"), "");  // as shown: no change
    EXPECT_EQ(e.editar(0, C::Nombre, "UN NOMBRE DE 15"), "El nombre admite como máximo 14 caracteres");
    EXPECT_FALSE(e.modificado());
    EXPECT_EQ(e.editar(1, C::X, " 1234,5 "), "");
    EXPECT_EQ(e.texto(1, C::X), "1234.500");
    EXPECT_TRUE(e.modificado());
    ASSERT_TRUE(e.grabar()) << e.error();
    EXPECT_FALSE(e.modificado());

    // Every byte as read but the edited X of record 1.
    EXPECT_TRUE(prueba::leerFichero(ruta) == Imagen().texto(0, original).f64(f.cabecera + f.tamano + f.x, 1234.5).bytes());
}

TEST_P(EditorCoordenadas, InsertaBorraOrdenaYDeshaceCadaPaso) {
    const auto nombres = [&] {
        std::string s;
        for (std::size_t i = 0; i < e.filas(); ++i) s += e.texto(i, C::Nombre) + (e.esBase(i) ? "*" : "") + ",";
        return s;
    };
    e.ordenar(C::Nombre);
    EXPECT_EQ(nombres(), "2,10*,A,");
    e.ordenar(C::X, false);
    EXPECT_EQ(nombres(), "10*,2,A,");
    EXPECT_EQ(e.insertar(1), 1u);
    EXPECT_EQ(e.editar(1, C::Nombre, "N"), "");
    EXPECT_EQ(e.editar(1, C::Base, "1"), "");
    EXPECT_TRUE(e.borrar({3, 0, 3, 9}));
    EXPECT_EQ(nombres(), "N*,2,");
    ASSERT_TRUE(e.deshacer());
    EXPECT_EQ(nombres(), "10*,N*,2,A,");
    while (e.deshacer()) {
    }
    EXPECT_EQ(nombres(), "10*,2,A,");
    EXPECT_FALSE(e.modificado());
    ASSERT_TRUE(e.rehacer());
    EXPECT_EQ(nombres(), "2,10*,A,");
    // A new change drops what was undone.
    e.ordenar(C::Base, false);
    EXPECT_EQ(nombres(), "10*,2,A,");
    EXPECT_FALSE(e.rehacer());
    EXPECT_TRUE(e.modificado());
    ASSERT_TRUE(e.grabar());
    EXPECT_EQ(prueba::leerFichero(ruta), original);
}

INSTANTIATE_TEST_SUITE_P(Formas, EditorCoordenadas, ::testing::ValuesIn(kFormas),
                         [](const auto& i) { return i.param.forma == FormaCrd::Actual ? "V50" : "Antigua"; });

TEST(EditorCoordenadasFichero, RepetidosBusquedaYFicherosQueNoSeEditan) {
    prueba::CarpetaTemporal carpeta;
    ListaPuntos p(4);
    p[0].nombre = "P1", p[1].nombre = "P2", p[2].nombre = "P1", p[3].nombre = "Q1";
    ASSERT_EQ(escribirListaPuntos(p, carpeta / "a.crd"), Estado::Exito);
    prueba::escribirFichero(carpeta / "b.crd", prueba::leerFichero(carpeta / "a.crd") + "cola");
    CEditorCoordenadas e;
    ASSERT_TRUE(e.abrir(carpeta / "b.crd"));
    EXPECT_EQ(e.bytesSobrantes(), 4u);
    EXPECT_EQ(e.nombresRepetidos(), 2u);
    EXPECT_TRUE(e.nombreRepetido(2) && !e.nombreRepetido(1));
    EXPECT_EQ((std::vector{e.buscar("p1", 0), e.buscar("p1", 2), e.buscar("1", 2), e.buscar("x", 2)}),
              (std::vector<std::optional<std::size_t>>{2, 0, 3, std::nullopt}));
    EXPECT_EQ(e.editar(2, C::Nombre, "P3"), "");
    EXPECT_EQ(e.nombresRepetidos(), 0u);
    // Another sub-version would be lost by saving: not opened, and the open file stays.
    prueba::escribirFichero(carpeta / "c.crd", Imagen().texto(0, std::string("V5.0\0", 5)).u32(5, 1).bytes());
    EXPECT_FALSE(e.abrir(carpeta / "c.crd"));
    EXPECT_EQ(e.error(), "Versión de fichero de coordenadas desconocida (1)");
    EXPECT_FALSE(e.abrir(carpeta / "no.crd"));
    EXPECT_EQ(e.ruta(), carpeta / "b.crd");
    EXPECT_EQ(e.filas(), 4u);
    // An empty file starts in the current form.
    prueba::escribirFichero(carpeta / "d.crd", "");
    ASSERT_TRUE(e.abrir(carpeta / "d.crd"));
    e.insertar(0);
    ASSERT_TRUE(e.grabar());
    EXPECT_EQ(prueba::leerFichero(carpeta / "d.crd").substr(0, 9), std::string("V5.0\0\0\0\0\0", 9));
}

}  // namespace
}  // namespace celvara
