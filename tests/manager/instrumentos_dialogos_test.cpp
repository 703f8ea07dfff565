// "LISTADO DE ESTACIONES" and "CARACTERISTICAS DE LAS ESTACIONES TOTALES"
// driven button by button, with the library in a scratch drive C:.
#include <gtest/gtest.h>

#include "manager/gestor_apoyo.h"
#include "manager/instrumentos_dialogos.h"

namespace celvara {
namespace {

using prueba::AvisosEsperados;
using prueba::CarpetaTemporal;

const char* const kDanada = "La Base de Datos de Instrumentos no Existe o esta Dañada";

class DialogosInstrumentos : public ::testing::Test {
protected:
    std::filesystem::path biblioteca() const { return carpeta.ruta() / "trabajos" / "vestrum" / "instrumentos.apa"; }

    void escribirBiblioteca(const std::vector<std::pair<std::string, int>>& instrumentos) {
        std::vector<unsigned char> datos;
        for (const auto& [nombre, aumentos] : instrumentos) {
            prueba::RegistroInstrumento r;
            r.i32(0, static_cast<std::int32_t>(datos.size() / 392 + 1))
                .texto(4, nombre)
                .texto(54, "MARCA")
                .i32(72, aumentos)
                .f32(92, 2.0f)
                .f32(96, 2.0f);
            datos.insert(datos.end(), r.b.begin(), r.b.end());
        }
        prueba::escribirBytes(biblioteca(), datos);
    }

    ListaInstrumentos leerBiblioteca() {
        AvisosSilenciosos silencio;
        ListaInstrumentos lista;
        EXPECT_EQ(cargarInstrumentos(lista, biblioteca(), silencio), Estado::Exito);
        return lista;
    }

    CarpetaTemporal carpeta;
    MapaRutas mapa{carpeta.ruta()};
    CDatosGenerales ajustes;
    AvisosEsperados avisos;
};

TEST_F(DialogosInstrumentos, ListadoMuestraCaracteristicasYDevuelveElNombre) {
    escribirBiblioteca({{"LEICA TS06", 30}, {"TOPCON GTS-229", 26}});
    ListadoInstrumentos listado(ajustes, mapa, avisos);
    listado.abrir();
    EXPECT_EQ(listado.nombres(), (std::vector<std::string>{"LEICA TS06", "TOPCON GTS-229"}));
    EXPECT_TRUE(listado.descripcion().empty());
    EXPECT_FALSE(listado.aceptar());

    listado.elegir(1);
    const auto lineas = listado.descripcion();
    ASSERT_EQ(lineas.size(), 12u);  // each line's text is BibliotecaInstrumentos.Caracteristicas'
    EXPECT_EQ(lineas[1], "Aumentos: 26");
    EXPECT_EQ(listado.aceptar(), "TOPCON GTS-229");

    // "Editor..." lets the list go and reloads it with the first entry shown.
    listado.antesDelEditor();
    EXPECT_TRUE(listado.nombres().empty());
    escribirBiblioteca({{"NUEVA", 33}});
    listado.despuesDelEditor();
    EXPECT_EQ(std::tuple(listado.nombres(), listado.seleccion(), listado.descripcion().at(1)),
              std::tuple(std::vector<std::string>{"NUEVA"}, 0, "Aumentos: 33"));
}

TEST_F(DialogosInstrumentos, AnadirGrabarYSalir) {
    escribirBiblioteca({{"A", 30}});
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    editor.elegir(0);
    EXPECT_EQ(editor.campos().numero + " " + editor.campos().aumentos + " " + editor.campos().precisionDistancia, "1 30 2.000000");
    EXPECT_EQ(editor.fotoMostrada(), "C:\\TRABAJOS\\VESTRUM\\FOTO0.BMP");

    editor.anadir(std::nullopt);  // name dialog cancelled
    editor.anadir(std::string(""));
    EXPECT_EQ(editor.nombres().size(), 1u);

    editor.anadir(std::string("SOKKIA SET5F"));
    EXPECT_EQ(editor.campos(), CamposInstrumento{});
    auto& c = editor.campos();  // errorH with a decimal comma
    c = {.marca = "SOKKIA", .aumentos = "30", .errorH = "15,5", .alcance1Prisma = "2200 m", .precisionDistancia = "3",
         .ppm = "2", .nivelTorico = "3", .ejesCompensador = "2"};
    editor.elegirFoto(std::nullopt);
    EXPECT_EQ(c.ficheroFoto, "c:\\trabajos\\vestrum\\foto0.bmp");
    ASSERT_TRUE(editor.grabar());
    EXPECT_FALSE(editor.pendiente());
    ASSERT_TRUE(editor.salir());

    // The new record, zero-filled past each terminator; the number field was left empty.
    prueba::RegistroInstrumento nuevo;
    nuevo.texto(4, "SOKKIA SET5F").texto(54, "SOKKIA").i32(72, 30).f32(76, 15.5f).i32(84, 2200).f32(92, 3).f32(96, 2);
    nuevo.i32(120, 3).i32(124, 2).texto(128, "c:\\trabajos\\vestrum\\foto0.bmp");
    const auto bytes = prueba::leerBytes(biblioteca());
    ASSERT_EQ(bytes.size(), 784u);
    EXPECT_TRUE(std::equal(nuevo.b.begin(), nuevo.b.end(), bytes.begin() + 392));
}

TEST_F(DialogosInstrumentos, AnadirSinGrabarNoAnadeYElSegundoSustituyeAlPendiente) {
    escribirBiblioteca({{"A", 30}});
    const auto antes = prueba::leerBytes(biblioteca());
    {
        EditorInstrumentos editor(ajustes, mapa, avisos);
        editor.abrir();
        editor.anadir(std::string("NUEVA"));
        EXPECT_EQ(std::tuple(editor.nombres(), editor.seleccion()), std::tuple(std::vector<std::string>{"A", "NUEVA"}, 1));
        editor.campos().aumentos = "32";
        ASSERT_TRUE(editor.salir());
        EXPECT_EQ(prueba::leerBytes(biblioteca()), antes);
    }
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    editor.anadir(std::string("UNO"));
    editor.anadir(std::string("DOS"));
    EXPECT_EQ(editor.nombres(), (std::vector<std::string>{"A", "DOS"}));
    // A name longer than the field is listed as it will be stored.
    editor.anadir(std::string(60, 'X'));
    EXPECT_EQ(editor.nombres().back(), std::string(49, 'X'));
    ASSERT_TRUE(editor.grabar());
    ASSERT_TRUE(editor.salir());
    const auto lista = leerBiblioteca();
    EXPECT_EQ(lista.at(1).nombre.str(), std::string(49, 'X'));
}

// Grabar changes the one chosen; Borrar takes every instrument of its name
// and the one pending, and leaves none chosen.
TEST_F(DialogosInstrumentos, GrabarCambiaElElegidoYBorrarQuitaTodosLosDelMismoNombre) {
    escribirBiblioteca({{"A", 30}, {"B", 26}, {"A", 28}, {"C", 20}});
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    EXPECT_FALSE(editor.grabar());  // nothing selected, nothing pending
    editor.elegir(1);
    editor.campos().aumentos = "31";
    editor.campos().numero = "2";
    editor.elegirFoto(std::string("c:\\trabajos\\vestrum\\ts06.bmp"));
    EXPECT_EQ(editor.fotoMostrada(), "c:\\trabajos\\vestrum\\ts06.bmp");
    ASSERT_TRUE(editor.grabar());
    const auto& ins = editor.instrumentos();
    EXPECT_EQ(std::tuple(ins[1].aumentos, ins[1].nombre.str(), ins[0].aumentos), std::tuple(31, "B", 30));
    editor.anadir(std::string("PENDIENTE"));
    editor.elegir(2);
    editor.borrar();
    EXPECT_EQ(editor.nombres(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(editor.seleccion(), -1);
    EXPECT_FALSE(editor.pendiente());
    editor.borrar();  // nothing selected: nothing happens
    EXPECT_EQ(editor.nombres().size(), 2u);
    ASSERT_TRUE(editor.salir());
    const auto lista = leerBiblioteca();
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(std::tuple(lista[0].nombre.str(), lista[0].aumentos, lista[0].numero, lista[1].nombre.str(), lista[1].aumentos),
              std::tuple("B", 31, 2, "C", 20));
}

TEST_F(DialogosInstrumentos, SalirQueFallaSeReintentaConLosMismosDatos) {
    ajustes.ficheroInstrumentos = "c:\\trabajos\\nueva\\instrumentos.apa";
    avisos.esperar(kDanada);
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    editor.anadir(std::string("X"));
    editor.campos().aumentos = "30";
    ASSERT_TRUE(editor.grabar());

    avisos.esperar("");
    EXPECT_FALSE(editor.salir());
    EXPECT_EQ(avisos.vistos.back().icono, Icono::Stop);
    EXPECT_EQ(editor.instrumentos().size(), 1u);

    std::filesystem::create_directories(carpeta.ruta() / "trabajos" / "nueva");
    EXPECT_TRUE(editor.salir());
    const auto bytes = prueba::leerBytes(carpeta.ruta() / "trabajos" / "nueva" / "instrumentos.apa");
    ASSERT_EQ(bytes.size(), 392u);
    EXPECT_EQ(std::pair(bytes[4], bytes[72]), (std::pair<unsigned char, unsigned char>('X', 30)));
}

// No library: the list is empty and says so; the editor's Salir creates an
// empty one. Something that cannot be read at its path is left as it is.
TEST_F(DialogosInstrumentos, SinBibliotecaOIlegible) {
    avisos.esperar(kDanada);
    ListadoInstrumentos listado(ajustes, mapa, avisos);
    listado.abrir();
    EXPECT_TRUE(listado.nombres().empty());
    EXPECT_EQ(std::pair(avisos.vistos.at(0).icono, avisos.vistos.at(0).titulo), std::pair(Icono::Stop, std::string()));
    listado.elegir(0);
    EXPECT_EQ(listado.seleccion(), -1);
    EXPECT_FALSE(listado.aceptar());

    std::filesystem::create_directories(biblioteca().parent_path());
    avisos.esperar(kDanada);
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    EXPECT_TRUE(editor.nombres().empty());
    ASSERT_TRUE(editor.salir());
    EXPECT_EQ(std::filesystem::file_size(biblioteca()), 0u);

    std::filesystem::remove(biblioteca());
    std::filesystem::create_directories(biblioteca());
    avisos.esperar(kDanada);
    EditorInstrumentos otro(ajustes, mapa, avisos);
    otro.abrir();
    EXPECT_TRUE(otro.salir());
    EXPECT_TRUE(std::filesystem::is_directory(biblioteca()));
}

TEST_F(DialogosInstrumentos, RegistroIncompletoSeAvisaAlAbrirElEditor) {
    escribirBiblioteca({{"A", 30}});
    auto datos = prueba::leerBytes(biblioteca());
    datos.resize(datos.size() + 10, 7);
    prueba::escribirBytes(biblioteca(), datos);
    avisos.esperar("El fichero de instrumentos termina con 10 bytes que no forman un instrumento "
                   "completo.\nAl salir del editor no se conservarán.");
    EditorInstrumentos editor(ajustes, mapa, avisos);
    editor.abrir();
    EXPECT_EQ(editor.nombres(), std::vector<std::string>{"A"});
    EXPECT_EQ(avisos.vistos.at(0).icono, Icono::Exclamacion);

    // The list dialog only reads: it says nothing.
    ListadoInstrumentos listado(ajustes, mapa, avisos);
    listado.abrir();
    EXPECT_EQ(listado.nombres().size(), 1u);
}

TEST(CamposInstrumento, DeUnRegistroYDeVuelta) {
    const Instrumento i{.numero = 4, .errorH = 15, .precisionDistanciaPpm = 1.5f, .ficheroFoto = "c:\\fotos\\ts.bmp"};
    const CamposInstrumento c = camposDeInstrumento(i);
    EXPECT_EQ(c.numero + " " + c.errorH + " " + c.ppm + " " + c.ficheroFoto, "4 15.000000 1.500000 c:\\fotos\\ts.bmp");
    const Instrumento vuelta = instrumentoDeCampos(c, "N");
    EXPECT_EQ(std::tuple(vuelta.numero, vuelta.precisionDistanciaPpm, vuelta.nombre.str(), vuelta.imagenLeida.has_value()),
              std::tuple(4, 1.5f, "N", false));
}

}  // namespace
}  // namespace celvara
