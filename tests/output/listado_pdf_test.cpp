// celvara-cli listado: the PDF read back through poppler (pdfinfo, pdftotext):
// pages, sheet size, texts in UTF-8 and numbers with a point under any locale
// (what each listing holds is listados_test's).
#include <gtest/gtest.h>

#include <filesystem>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "datos/datos_trabajo.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {
namespace {

namespace fs = std::filesystem;
using prueba::cli;
using prueba::ejecutar;

class ListadoPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef CELVARA_LISTADOS_PDF
        GTEST_SKIP() << "celvara-cli se compiló sin Qt";
#endif
#ifdef _WIN32
        // Under Wine /usr/bin is the build machine's: Linux tools that cannot
        // open the Windows paths handed to them.
        GTEST_SKIP() << "poppler-utils solo en Linux";
#endif
        if (!fs::exists("/usr/bin/pdftotext") || !fs::exists("/usr/bin/pdfinfo")) GTEST_SKIP() << "sin poppler-utils";
    }

    std::string libreta(const CLibretaCampo& l) {
        const fs::path ruta = carpeta / "obra.obs";
        EXPECT_TRUE(escribirLibreta(l, ruta));
        return ruta.string();
    }
    std::string empresa() {
        DatosTrabajo d = datosTrabajoPorDefecto();
        d.empresa = "TOPOGRAF\xCD" "A PE\xD1" "A S.L.";
        const fs::path ruta = carpeta / "datos_empresa.prt";
        EXPECT_TRUE(escribirDatosTrabajo(d, ruta));
        return ruta.string();
    }
    std::string pdf() const { return (carpeta / "listado.pdf").string(); }

    // pdftotext keeps the order of the words but not the width of the gaps:
    // runs of blanks are compared as one.
    static std::string compacto(const std::string& s) {
        std::string c;
        for (char x : s)
            if (x != ' ' || c.empty() || c.back() != ' ') c += x;
        return c;
    }
    std::string info() const { return compacto(ejecutar({"/usr/bin/pdfinfo", pdf()}).salida); }
    std::string texto(int pagina) const {
        const auto n = std::to_string(pagina);
        return compacto(ejecutar({"/usr/bin/pdftotext", "-layout", "-f", n, "-l", n, pdf(), "-"}).salida);
    }
    // Every text found on the page.
    static void contiene(const std::string& pagina, std::initializer_list<const char*> textos) {
        for (const char* t : textos) EXPECT_NE(pagina.find(t), std::string::npos) << t << "\n" << pagina;
    }

    prueba::CarpetaTemporal carpeta;
};

// Rows per page and the texts of each row are listados_test's; here the sheet,
// the company file given and the texts in UTF-8.
TEST_F(ListadoPdfTest, BasesEnA4ConLaEmpresaDada) {
    CLibretaCampo l;
    crearEstacion(l.estaciones, {.nombre = "PE\xD1" "A", .coordenadas = Coordenadas{1000, 2000.0006, -3.25}});
    const auto r = cli({"listado", "bases", libreta(l), "-o", pdf(), "--empresa", empresa()});
    ASSERT_EQ(r.estado, 0) << r.errores;
    const std::string i = info();
    EXPECT_NE(i.find("Pages: 1"), std::string::npos) << i;
    EXPECT_NE(i.find("Page size: 595 x 842 pts (A4)"), std::string::npos) << i;
    contiene(texto(1), {"TOPOGRAFÍA PEÑA S.L.", "LISTADO DE BASES", "Estación", "PEÑA", "2000.001", "-3.250"});
}

TEST_F(ListadoPdfTest, EstadilloDeTreintaYSieteLecturasEnUnLocaleConComa) {
    CLibretaCampo l;
    auto* e = crearEstacion(l.estaciones, {.nombre = "A"});
    auto* s = crearEstacionamiento(e->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 12.5);
    for (int i = 1; i <= 37; ++i)
        crearLectura(s->lecturas, std::nullopt, "V" + std::to_string(i), 1.3, 25.25, 100, i, i == 1 ? "a|b;c" : "");
    const std::string obs = libreta(l);
    std::vector<std::string> orden{"/usr/bin/env"};
    // A locale with decimal commas, compiled here when its sources exist.
    const fs::path locales = carpeta / "locales";
    fs::create_directories(locales);
    const bool coma = ejecutar({"/usr/bin/localedef", "-i", "es_ES", "-f", "UTF-8", (locales / "es_ES.UTF-8").string()})
                          .estado == 0;
    if (coma) orden.insert(orden.end(), {"LOCPATH=" + locales.string(), "LC_ALL=es_ES.UTF-8"});
    orden.insert(orden.end(), {CELVARA_CLI, "listado", "estadillo", obs, "-o", pdf(), "--estacionamiento", "A_1"});
    const auto r = ejecutar(orden);
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_NE(info().find("Pages: 2"), std::string::npos);
    const std::string p1 = texto(1), p2 = texto(2);
    // Without --empresa the shipped company file heads the page.
    EXPECT_EQ(p1.find("ERROR AL ABRIR"), std::string::npos);
    contiene(p1, {"EMPRESA", "ESTACION : A", "Altura Instrumento : 1.500",
                  "Desorientación : 12.5000", "25.2500", "a/b,c"});
    EXPECT_EQ(p1.find("25,2500"), std::string::npos);
    contiene(p2, {"V37"});  // which rows each page holds is listados_test's
    if (!coma) GTEST_SKIP() << "no se pudo compilar el locale es_ES";
}

// The sketch of one station, chosen by name, with the pictures it names
// through the drive mapping; a name not in the book is a usage error.
TEST_F(ListadoPdfTest, ResenaDeLaEstacionPedida) {
    CLibretaCampo l;
    crearEstacion(l.estaciones, {.nombre = "V-1", .tipo = 2, .coordenadas = Coordenadas{500000, 4000000, 10},
                                 .ficheroFoto = "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP",
                                 .ficheroCroquis = "c:\\trabajos\\vestrum\\falta.bmp"});
    const fs::path vestrum = carpeta / "c" / "trabajos" / "vestrum";
    fs::create_directories(vestrum);
    fs::copy_file(fs::path(CELVARA_EJEMPLOS) / ".." / "data" / "vestrum" / "foto0.bmp", vestrum / "foto0.bmp");
    // No company file given nor shipped: the header says so.
    const auto r = ejecutar({"/usr/bin/env", "CELVARA_DATOS=" + carpeta.ruta().string(),
                             "CELVARA_UNIDAD_C=" + (carpeta / "c").string(), CELVARA_CLI, "listado", "resena",
                             libreta(l), "-o", pdf(), "--estacion", "V-1"});
    ASSERT_EQ(r.estado, 0) << r.errores;
    contiene(texto(1), {"ERROR AL ABRIR FICHERO DE DATOS DEL TRABAJO", "ESTACION: V-1", "X = 500000.000",
                        "Señal : Vertice Geodésico"});
    // The photograph in its box; no logo and no sketch to be found.
    if (fs::exists("/usr/bin/pdfimages")) {
        const std::string imagenes = compacto(ejecutar({"/usr/bin/pdfimages", "-list", pdf()}).salida);
        EXPECT_NE(imagenes.find("1 0 image 200 150"), std::string::npos) << imagenes;
        EXPECT_EQ(imagenes.find("1 1 image"), std::string::npos) << imagenes;
    }
    EXPECT_EQ(cli({"listado", "resena", libreta(l), "-o", pdf(), "--estacion", "X"}).estado, 2);
}

}  // namespace
}  // namespace celvara
