// The job data record (1513 bytes) and "DATOS GENERALES".
#include <gtest/gtest.h>

#include "datos/datos_trabajo.h"
#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::AvisosEsperados;
using prueba::CarpetaTemporal;

void poner(std::vector<unsigned char>& b, std::size_t pos, std::string_view texto) {
    std::memcpy(b.data() + pos, texto.data(), texto.size());
}

// A record written field by field at the offsets of the layout.
std::vector<unsigned char> registroEjemplo() {
    std::vector<unsigned char> b(1513, 0);
    for (const auto& [pos, texto] : std::initializer_list<std::pair<std::size_t, std::string_view>>{
             {0, "TOPOGRAFIA DEL SUR S.L."}, {50, "C/ Mayor 12"}, {120, "C\xE1" "diz"}, {160, "956 000 000"},
             {180, "LEVANTAMIENTO PARCELA 14"}, {240, "Poligono 3"}, {300, "Jerez de la Frontera"}, {360, "C\xE1" "diz"},
             {400, "Ayuntamiento"}, {460, "Linea 1\r\nLinea 2\r\n"}, {1484, "P-14"}, {1489, "01/03/2024"},
             {1501, "15/03/2024"}})
        poner(b, pos, texto);
    return b;
}

class EdicionDatosTrabajoTest : public ::testing::Test {
protected:
    std::filesystem::path fichero() const { return carpeta.ruta() / "trabajos" / "vestrum" / "datos_empresa.prt"; }

    CarpetaTemporal carpeta;
    MapaRutas mapa{carpeta.ruta()};
    CDatosGenerales ajustes;
    AvisosEsperados avisos;
};

TEST_F(EdicionDatosTrabajoTest, SinFicheroMuestraElEjemploYAceptarLoCrea) {
    avisos.esperar("El fichero de Datos Informativos del Trabajo\nno Existe o esta Dañada");
    EdicionDatosTrabajo dialogo(ajustes, mapa, avisos);
    dialogo.abrir();
    EXPECT_EQ(avisos.vistos.at(0).icono, Icono::Stop);
    EXPECT_EQ(dialogo.campos(), (CamposDatosTrabajo{"EMPRESA", "Direcci\xF3n", "Provincia", "Tel\xE9" "fono"}));

    std::filesystem::create_directories(fichero().parent_path());
    ASSERT_TRUE(dialogo.aceptar());
    std::vector<unsigned char> esperado(1513, 0);
    poner(esperado, 0, "EMPRESA");
    poner(esperado, 50, "Direcci\xF3n");
    poner(esperado, 120, "Provincia");
    poner(esperado, 160, "Tel\xE9" "fono");
    EXPECT_EQ(prueba::leerBytes(fichero()), esperado);
}

// Each field read and written back as it was; then each cut to its size.
TEST_F(EdicionDatosTrabajoTest, LeeCadaCampoYLoDevuelveIgualOCortadoASuTamano) {
    prueba::escribirBytes(fichero(), registroEjemplo());
    EdicionDatosTrabajo dialogo(ajustes, mapa, avisos);
    dialogo.abrir();
    EXPECT_EQ(dialogo.campos(),
              (CamposDatosTrabajo{"TOPOGRAFIA DEL SUR S.L.", "C/ Mayor 12", "C\xE1" "diz", "956 000 000",
                                  "LEVANTAMIENTO PARCELA 14", "Poligono 3", "Jerez de la Frontera", "C\xE1" "diz",
                                  "Ayuntamiento", "Linea 1\r\nLinea 2\r\n", "P-14", "01/03/2024", "15/03/2024"}));
    ASSERT_TRUE(dialogo.aceptar());
    EXPECT_EQ(prueba::leerBytes(fichero()), registroEjemplo());

    dialogo.campos().empresa = std::string(80, 'E');
    dialogo.campos().codigo = "ABCDEFG";
    dialogo.campos().observaciones = std::string(2000, 'o');
    ASSERT_TRUE(dialogo.aceptar());
    const auto b = prueba::leerBytes(fichero());
    ASSERT_EQ(b.size(), 1513u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 50), std::string(49, 'E') + '\0');
    EXPECT_EQ(b[50], 'C');  // the next field is untouched
    // The remarks cut with their terminator, then the code cut to its field.
    EXPECT_EQ(std::string(b.begin() + 1482, b.begin() + 1489), std::string("o\0ABCD\0", 7));
}

TEST_F(EdicionDatosTrabajoTest, FicheroLargoSeCortaYCortoSeRechaza) {
    auto largo = registroEjemplo();
    largo.resize(2000, 'Z');
    prueba::escribirBytes(fichero(), largo);
    EdicionDatosTrabajo dialogo(ajustes, mapa, avisos);
    dialogo.abrir();
    EXPECT_EQ(dialogo.campos().fechaFin, "15/03/2024");
    ASSERT_TRUE(dialogo.aceptar());
    EXPECT_EQ(std::filesystem::file_size(fichero()), 1513u);

    auto corto = registroEjemplo();
    corto.resize(1512);
    prueba::escribirBytes(fichero(), corto);
    avisos.esperar("El fichero de Datos Informativos del Trabajo\nno Existe o esta Dañada");
    EdicionDatosTrabajo otro(ajustes, mapa, avisos);
    otro.abrir();
    EXPECT_EQ(otro.campos().empresa, "EMPRESA");
}

TEST_F(EdicionDatosTrabajoTest, ErrorAlGrabar) {
    ajustes.ficheroDatosTrabajo = "c:\\no\\existe\\datos.prt";
    avisos.esperar("El fichero de Datos Informativos del Trabajo\nno Existe o esta Dañada");
    EdicionDatosTrabajo dialogo(ajustes, mapa, avisos);
    dialogo.abrir();
    avisos.esperar("Error al grabar los datos");
    EXPECT_FALSE(dialogo.aceptar());
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "no"));
}

TEST_F(EdicionDatosTrabajoTest, LogoDeLosAjustesOElDeSiempre) {
    EdicionDatosTrabajo dialogo(ajustes, mapa, avisos);
    ajustes.ficheroLogoEmpresa = "d:\\logos\\empresa.bmp";
    EXPECT_EQ(dialogo.logo(), "d:\\logos\\empresa.bmp");
    ajustes.ficheroLogoEmpresa = "";
    EXPECT_EQ(dialogo.logo(), "c:\\trabajos\\vestrum\\logo.bmp");
}

TEST(ObservacionesTrabajo, SaltosDeLinea) {
    EXPECT_EQ(observacionesParaVista("a\r\nb\r\n\r\nc"), "a\nb\n\nc");
    EXPECT_EQ(observacionesParaVista("a\rb\nc"), "a\rb\nc");  // lone ends stay as they are
    const std::pair<const char*, const char*> alRegistro[] = {
        {"a\nb\n\nc", "a\r\nb\r\n\r\nc"}, {"a\r\nb", "a\r\nb"}, {"\n", "\r\n"}};
    for (const auto& [vista, registro] : alRegistro) {
        EXPECT_EQ(observacionesParaRegistro(vista), registro);
        EXPECT_EQ(observacionesParaRegistro(observacionesParaVista(registro)), registro);
    }
}

}  // namespace
}  // namespace celvara
