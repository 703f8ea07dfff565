// The format table and the logic of "Importar Datos Campo".
#include "import/importar_datos_campo.h"

#include <gtest/gtest.h>

#include <map>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::punto8;
using prueba::w8;
using V = std::vector<std::string>;

// The texts are the table's constants (the filters below carry some); here the order, the ends and the filters.
TEST(TablaFormatos, TreintaYTresEnOrdenYSusFiltros) {
    const auto tabla = tablaFormatos();
    ASSERT_EQ(tabla.size(), 33u);
    for (std::size_t i = 0; i < tabla.size(); ++i) EXPECT_EQ(tabla[i].indice, static_cast<int>(i));
    EXPECT_EQ(formatoImportacion(33), nullptr);
    EXPECT_EQ(formatoImportacion(-1), nullptr);
    CDatosGenerales ajustes;
    CLibretaCampo libreta;
    prueba::AvisosGrabados avisos;
    const auto lista = CImportarDatosCampo(ajustes, libreta, nullptr, avisos).textosLista();
    ASSERT_EQ(lista.size(), 33u);
    EXPECT_EQ(lista[11], "GTS700 de TOPCON");
    // The file filters, blanks included.
    const std::string todos = "|Todos los archivos (*.*) | *.*||";
    for (const auto& [i, filtro] : std::map<int, std::string>{
             {5, ".GSI de WILD (*.gsi) | *.gsi"}, {4, "GEODIMETER | *.*"},
             {21, "ASCII de VESTRUM por comas (*.asc) | asc"}, {24, "GTS212 de TOPCON | *.* "},
             {19, ".SDR de SOKKIA con espacios (*sdr) | *.sdr"}, {28, "Fichero Leica-Wild Clásico | *.*"}})
        EXPECT_EQ(filtroFormato(*formatoImportacion(i)), filtro + todos);
}

struct Dialogo : ::testing::Test {
    CDatosGenerales ajustes;
    CLibretaCampo libreta;
    prueba::AvisosGrabados avisos;
    prueba::CarpetaTemporal carpeta;
    std::uint8_t bandera = 7;
    CImportarDatosCampo dialogo{ajustes, libreta, &bandera, avisos};
    int preguntas = 0;
    std::string filtroPedido;

    CImportarDatosCampo::PedirFichero responder(std::optional<std::filesystem::path> ruta) {
        return [this, ruta](const FormatoImportacion&, const std::string& filtro) {
            ++preguntas;
            filtroPedido = filtro;
            return ruta;
        };
    }
    std::filesystem::path fichero(std::string_view contenido) {
        const auto ruta = carpeta / "datos.gsi";
        prueba::escribirFichero(ruta, contenido);
        return ruta;
    }
};

TEST_F(Dialogo, SinSeleccionOCancelandoElFicheroNoSeLeeNada) {
    EXPECT_EQ(dialogo.aceptar(responder(fichero("x"))), ResultadoImportacion::SinAccion);
    EXPECT_EQ(preguntas, 0);
    dialogo.seleccionar(40);
    EXPECT_FALSE(dialogo.seleccion());
    dialogo.seleccionar(5);
    EXPECT_EQ(dialogo.aceptar(responder(std::nullopt)), ResultadoImportacion::SinAccion);
    EXPECT_EQ(preguntas, 1);
    EXPECT_EQ(filtroPedido, ".GSI de WILD (*.gsi) | *.gsi|Todos los archivos (*.*) | *.*||");
    EXPECT_EQ(dialogo.aceptar(responder(std::filesystem::path())), ResultadoImportacion::SinAccion);
    EXPECT_TRUE(avisos.mensajes.empty());
    EXPECT_TRUE(libreta.estaciones.empty());
}

TEST_F(Dialogo, ImportaYFusionaYSeCierra) {
    dialogo.seleccionar(5);
    const auto ruta = fichero(punto8(1) + w8(21, 100) + "\n" + punto8(2) + "\n");
    EXPECT_EQ(dialogo.aceptar(responder(ruta)), ResultadoImportacion::Cerrar);
    EXPECT_TRUE(avisos.mensajes.empty());
    EXPECT_EQ(libreta.contarLecturas(), 2u);
    EXPECT_TRUE(dialogo.listas().vacias());
    // A second run adds to the same book: a second set-up of "ST".
    EXPECT_EQ(dialogo.aceptar(responder(ruta)), ResultadoImportacion::Cerrar);
    ASSERT_EQ(libreta.estaciones.size(), 1u);
    EXPECT_EQ(libreta.estaciones[0]->estacionamientos[1]->nombre.str(), "ST(2)");
}

// A file that is not there reads as a file of another format (the readers'
// own refusals are the format tests').
TEST_F(Dialogo, FalloDelLectorMuestraElMensajeYLaLibretaNoCambia) {
    dialogo.seleccionar(25);
    EXPECT_EQ(dialogo.aceptar(responder(carpeta / "no-esta.gsi")), ResultadoImportacion::Fallo);
    EXPECT_EQ(avisos.textos(), (V{"El formato del fichero elegido no coincide\ncon el archivo seleccionado."}));
    EXPECT_TRUE(libreta.estaciones.empty());
    EXPECT_TRUE(dialogo.listas().vacias());
}

TEST_F(Dialogo, DescargaSinPuertoYConPuerto) {
    dialogo.seleccionar(5);
    dialogo.elegirOrigen(OrigenDatos::EstacionOLibreta);
    dialogo.pulsarCfg();
    EXPECT_EQ(dialogo.aceptar(responder(fichero("x"))), ResultadoImportacion::SinAccion);
    EXPECT_EQ(preguntas, 0);
    EXPECT_EQ(avisos.textos(), (V{mensajes::kConfiguracionNoDisponible, mensajes::kDescargaNoDisponible}));
    // With a port: a failed or dropped capture imports nothing; a written
    // exchange file is read with the chosen format, no file is asked for.
    const auto nada = [] { return std::optional<std::filesystem::path>(); };
    EXPECT_EQ(dialogo.aceptar(responder(fichero("x")), nada), ResultadoImportacion::SinAccion);
    const auto intercambio = carpeta / "TEMP.TXT";
    prueba::escribirFichero(intercambio, punto8(1) + w8(21, 5) + "\r\n");
    EXPECT_EQ(dialogo.aceptar(responder(fichero("x")), [&] { return std::optional(intercambio); }),
              ResultadoImportacion::Cerrar);
    EXPECT_EQ(preguntas, 0);
    EXPECT_EQ(avisos.mensajes.size(), 2u);
}

}  // namespace
}  // namespace celvara
