// Real instrument files (kept beside the project, never copied into it):
// every reader reads or refuses each of them cleanly, and the GSI files
// lose no reading.
#include <gtest/gtest.h>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::nombresLecturas;

const std::filesystem::path kMuestras = CELVARA_MUESTRAS;

std::filesystem::path muestra(const char* nombre) { return kMuestras / nombre; }

#define REQUIERE_MUESTRAS()                                                         \
    if (!std::filesystem::is_directory(kMuestras)) GTEST_SKIP() << "sin muestras en " << kMuestras

TEST(Muestras, Gsi8SoloRetornosDeCarro) {
    REQUIERE_MUESTRAS();
    for (int indice : {5, 27}) {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(indice, muestra("gsi8_wild_t1000_RILIEVO.gsi")), ResultadoImportacion::Cerrar);
        EXPECT_TRUE(imp.avisos.mensajes.empty());
        ASSERT_EQ(imp.libreta.estaciones.size(), 1u);
        ASSERT_EQ(imp.estacion(0).estacionamientos.size(), 1u);
        const auto nombres = nombresLecturas(imp.estacionamiento(0, 0));
        ASSERT_EQ(nombres.size(), 23u) << indice;
        EXPECT_EQ(nombres.front(), "100");
        EXPECT_EQ(nombres.back(), "122");
        const Lectura& l = imp.estacionamiento(0, 0).lecturas[2];
        EXPECT_DOUBLE_EQ(l.horizontal, 132.471);
        EXPECT_DOUBLE_EQ(l.vertical, 103.782);
        // Plain GSI: 31 and 32 share a slot and 32 comes later.
        EXPECT_DOUBLE_EQ(l.distancia, indice == 5 ? 5.156 : 5.165);
    }
}

TEST(Muestras, Gsi8ConEstacionesYComentarios) {
    REQUIERE_MUESTRAS();
    Importacion imp;
    ASSERT_EQ(imp.importarRuta(5, muestra("gsi8_ertola.gsi")), ResultadoImportacion::Cerrar);
    // STAZLIB4 is recorded twice with coordinates 11 mm apart: reported.
    ASSERT_EQ(imp.avisos.mensajes.size(), 1u);
    EXPECT_NE(imp.avisos.mensajes[0].texto.find("STAZLIB4"), std::string::npos);
    // 699 lines, 4 of them station lines.
    EXPECT_EQ(imp.libreta.contarLecturas(), 695u);
    ASSERT_GE(imp.libreta.estaciones.size(), 1u);
    EXPECT_EQ(imp.estacion(0).nombre.str(), "ST");
    const Lectura& l = imp.estacionamiento(0, 0).lecturas[0];
    EXPECT_EQ(l.nombre.str(), "1");
    EXPECT_DOUBLE_EQ(l.horizontal, 34.9694);
    EXPECT_DOUBLE_EQ(l.vertical, 93.6436);
    EXPECT_DOUBLE_EQ(l.distancia, 30.333);
    EXPECT_DOUBLE_EQ(l.jalon, 1.5);
    EXPECT_EQ(l.codigo.str(), "1");
    const Estacion* s3 = imp.libreta.buscarEstacion("STAZLIB3");
    ASSERT_TRUE(s3);
    EXPECT_DOUBLE_EQ(s3->x, 519.659);
    EXPECT_DOUBLE_EQ(s3->z, -0.588);
    EXPECT_DOUBLE_EQ(s3->estacionamientos.at(0)->desorientacion, 209.0401);
    EXPECT_DOUBLE_EQ(s3->estacionamientos.at(0)->alturaInstrumento, 1.35);

    Importacion especial;
    ASSERT_EQ(especial.importarRuta(27, muestra("gsi8_ertola.gsi")), ResultadoImportacion::Cerrar);
    EXPECT_EQ(especial.libreta.contarLecturas(), 695u);
    std::vector<std::string> estaciones;
    for (const auto& e : especial.libreta.estaciones) estaciones.push_back(e->nombre.str());
    EXPECT_EQ(estaciones, (std::vector<std::string>{"ST", "STAZLIB3", "STAZLIB4"}));
    EXPECT_DOUBLE_EQ(especial.estacion(1).x, 519.659);
    EXPECT_DOUBLE_EQ(especial.estacion(1).z, -0.588);
    EXPECT_EQ(especial.estacion(1).estacionamientos.size(), 1u);  // recorded twice in a row
    ASSERT_EQ(especial.avisos.mensajes.size(), 1u);
    EXPECT_NE(especial.avisos.mensajes[0].texto.find("STAZLIB4"), std::string::npos);
}

TEST(Muestras, Gsi16ConIdentificadoresAlfanumericos) {
    REQUIERE_MUESTRAS();
    Importacion imp;
    ASSERT_EQ(imp.importarRuta(5, muestra("gsi16_gurob.gsi")), ResultadoImportacion::Cerrar);
    EXPECT_EQ(imp.libreta.contarLecturas(), 343u);
    const Lectura& l = imp.estacionamiento(0, 0).lecturas[0];
    EXPECT_EQ(l.nombre.str(), "GDEM5415");
    // Unit digit 4: 35°45'10.0" as decimal degrees of a 360 set-up.
    EXPECT_NEAR(l.horizontal, 35.0 + 45.0 / 60 + 10.0 / 3600, 1e-12);
    EXPECT_EQ(imp.estacionamiento(0, 0).datos.unidadAngular, kSexagesimal);
    EXPECT_DOUBLE_EQ(l.distancia, 13.825);
    EXPECT_DOUBLE_EQ(imp.estacionamiento(0, 0).alturaInstrumento, 1.324);

    Importacion especial;
    ASSERT_EQ(especial.importarRuta(27, muestra("gsi16_gurob.gsi")), ResultadoImportacion::Cerrar);
    ASSERT_EQ(especial.libreta.contarLecturas(), 343u);
    EXPECT_EQ(especial.estacionamiento(0, 0).lecturas[0].nombre.str(), "GDEM5415");
    EXPECT_NEAR(especial.estacionamiento(0, 0).lecturas[0].horizontal, l.horizontal, 1e-12);
    EXPECT_EQ(especial.estacionamiento(0, 0).datos.unidadAngular, kSexagesimal);
    EXPECT_DOUBLE_EQ(especial.estacionamiento(0, 0).alturaInstrumento, 1.324);
}

TEST(Muestras, TodosLosLectoresLeenORechazanSinRomperse) {
    REQUIERE_MUESTRAS();
    for (const auto& entrada : std::filesystem::directory_iterator(kMuestras)) {
        const auto nombre = entrada.path().filename().string();
        if (nombre == "README.md" || nombre == "SOURCES.txt") continue;
        for (const auto& formato : tablaFormatos()) {
            Importacion imp;
            const auto r = imp.importarRuta(formato.indice, entrada.path());
            EXPECT_NE(r, ResultadoImportacion::SinAccion) << nombre << " " << formato.indice;
            if (r == ResultadoImportacion::Fallo && formato.disponible) {
                ASSERT_FALSE(imp.avisos.mensajes.empty());
                EXPECT_EQ(imp.avisos.mensajes.back().texto, mensajes::kFormatoNoCoincide);
            }
        }
        // The strict readers refuse what is not theirs, showing the line.
        if (entrada.path().extension() != ".gsi") {
            for (int indice : {12, 27}) {
                Importacion imp;
                EXPECT_EQ(imp.importarRuta(indice, entrada.path()), ResultadoImportacion::Fallo) << nombre;
                EXPECT_EQ(imp.avisos.mensajes.front().texto.rfind("No se reconoce la linea del fichero:\n", 0), 0u);
            }
        }
    }
}

}  // namespace
}  // namespace celvara
