#include "import/fusion_importacion.h"

#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"

namespace celvara {
namespace {

using prueba::nombresLecturas;
using V = std::vector<std::string>;

// Import records in, the merged book out.
struct Fusion : ::testing::Test {
    void estacionamiento(std::string_view nombre, std::int32_t primera = -1, std::int32_t ultima = -1, double altura = 0) {
        *l.crearEstacionamiento() = {.nombre = nombre, .primera = primera, .ultima = ultima, .alturaInstrumento = altura};
    }
    void lecturas(std::initializer_list<std::int32_t> numeros, int conTexto = 0) {
        for (auto n : numeros) {
            auto* r = l.crearLectura();  // in the last set-up record
            *r = {.numero = n, .jalon = 1.5, .distancia = 10.0 + n, .vertical = 100.0, .horizontal = 50.0 + n,
                  .texto = n == conTexto ? "ARBOL" : "", .estacionamiento = r->estacionamiento};
        }
    }
    const Estacionamiento& s(std::size_t i, std::size_t j = 0) const {
        return *libreta.estaciones.at(i)->estacionamientos.at(j);
    }

    CLibretaCampo libreta;
    CListasImportacion l;
};

TEST_F(Fusion, EstacionNuevaConFotosPorDefectoYLecturasEnOrden) {
    CDatosGenerales ajustes;
    ajustes.datosPorDefecto.unidadAngular = kSexagesimal;
    ajustes.datosPorDefecto.operador = "Ana";
    estacionamiento("B1", 1, 3, 1.55);
    lecturas({1, 2, 3}, 2);
    ASSERT_TRUE(fusionarImportacion(libreta, ajustes.datosPorDefecto, l));

    EXPECT_EQ(prueba::libro(libreta), (V{"B1 0 0 0", "  B1(1) 1.55 0 360", "    1 51 100 11 1.5",
                                         "    2 52 100 12 1.5 ARBOL", "    3 53 100 13 1.5"}));
    const Estacion& e = *libreta.estaciones[0];
    EXPECT_EQ(e.ficheroFoto.str() + "|" + e.ficheroCroquis.str() + "|" + e.descripcion1.str(),
              "c:\\trabajos\\vestrum\\foto0.bmp|c:\\trabajos\\vestrum\\foto0.bmp|");
    EXPECT_EQ(s(0).estacion.str(), "B1");
    EXPECT_EQ(s(0).datos, ajustes.datosPorDefecto);
    EXPECT_TRUE(l.vacias());
}

TEST_F(Fusion, NombresDeLosEstacionamientos) {
    // Two records of one station: B1(1), B1(2). An existing station goes on
    // from its last set-up's number, or 1 + its set-ups when that has no
    // "(" and digits; names compare exactly.
    auto* e = crearEstacion(libreta.estaciones, {.nombre = "E7", .coordenadas = Coordenadas{1, 2, 3}});
    crearEstacionamiento(e->estacionamientos, nullptr, "E7(4)", "E7", 1.4, nullptr, 0);
    auto* otra = crearEstacion(libreta.estaciones, {.nombre = "E8"});
    for (const char* n : {"primero", "E8_(x)", "segundo("})
        crearEstacionamiento(otra->estacionamientos, nullptr, n, "E8", 1.4, nullptr, 0);
    l.porRangos = true;
    estacionamiento("B1", 1, 2);
    estacionamiento("B1", 5, 5);
    lecturas({1, 2, 5});
    for (const char* n : {"E7", "E8", "e7", "ESTACION-LARGA", "ABCDEFGHIJKL"}) estacionamiento(n);
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    V nombres;
    for (const auto& est : libreta.estaciones) nombres.push_back(est->nombre.str() + ":" + est->estacionamientos.back()->nombre.str());
    EXPECT_EQ(nombres, (V{"E7:E7(5)", "E8:E8(4)", "B1:B1(2)", "e7:e7(1)", "ESTACION-LARGA:ESTACION-LARGA",
                          "ABCDEFGHIJKL:ABCDEFGHIJKL(1"}));  // cut to 14
    EXPECT_EQ(libreta.estaciones[0]->x, 1);
    EXPECT_EQ(s(2, 0).nombre.str(), "B1(1)");
    EXPECT_EQ(nombresLecturas(s(2, 1)), (V{"5"}));

    Estacion enorme;
    enorme.nombre = "A";
    crearEstacionamiento(enorme.estacionamientos, nullptr, "A(99999999999", "A", 0, nullptr, 0);
    EXPECT_EQ(nombreEstacionamientoImportado(enorme), "A(2147483648)");
}

// An empty range makes a set-up without readings and leaves the cursor.
// Ranges (old radiation files) and a cursor that never goes back: reading
// 9 lies in no range where the cursor finds it, so it and every reading
// after it stay out of the book.
TEST_F(Fusion, RangosYElCursorQueNuncaRetrocede) {
    estacionamiento("A", -1, -1);
    estacionamiento("A", 1, 2);
    lecturas({1, 2});
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    EXPECT_EQ(prueba::libro(libreta),
              (V{"A 0 0 0", "  A(1) 0 0 400", "  A(2) 0 0 400", "    1 51 100 11 1.5", "    2 52 100 12 1.5"}));
    libreta.vaciar();
    l.porRangos = true;
    estacionamiento("A", 1, 2);
    estacionamiento("B", 3, 3);
    estacionamiento("C", 9, 9);
    lecturas({1, 2, 9, 3});
    ASSERT_TRUE(fusionarImportacion(libreta, {}, l));
    EXPECT_EQ(prueba::libro(libreta),
              (V{"A 0 0 0", "  A(1) 0 0 400", "    1 51 100 11 1.5", "    2 52 100 12 1.5", "B 0 0 0", "  B(1) 0 0 400",
                 "C 0 0 0", "  C(1) 0 0 400", "    9 59 100 19 1.5"}));
}

}  // namespace
}  // namespace celvara
