#include "manager/herramientas_lecturas.h"

#include <gtest/gtest.h>

#include <array>

#include "comun/avisos_grabados.h"

namespace celvara {
namespace {

std::vector<std::string> nombres(const Estacionamiento& s) {
    std::vector<std::string> n;
    for (const Lectura& l : s.lecturas) n.push_back(l.nombre.str());
    return n;
}

void lecturas(Estacionamiento& s, std::initializer_list<const char*> n) {
    for (const char* nombre : n) crearLectura(s.lecturas, std::nullopt, nombre, 1.5, 10, 100, 320, "");
}

TEST(HerramientasRango, NumerosSoloParaNombresDeDigitos) {
    Estacionamiento s;
    lecturas(s, {"7", "7A", "B1", "007", "12", "A5", "10"});
    // 7, 007 and 10 from 1 to 10; A5 from A1 to A9; a range backwards or open counts none.
    EXPECT_EQ((std::array{contarEnRango(s, {"1", "10"}), contarEnRango(s, {"A1", "A9"}), contarEnRango(s, {"3", "1"}),
                          contarEnRango(s, {"", "9"})}),
              (std::array<std::size_t, 4>{3, 1, 0, 0}));
    EXPECT_EQ(std::pair(rangoValido({"9", "10"}), rangoValido({"10", "9"})), std::pair(true, false));
}

struct HerramientasLibro : testing::Test {
    void SetUp() override {
        a = crearEstacion(libreta.estaciones, {.nombre = "A"});
        b = crearEstacion(libreta.estaciones, {.nombre = "B", .coordenadas = Coordenadas{1, 2, 3}});
        s = crearEstacionamiento(a->estacionamientos, nullptr, "A_1", "A", 1.5, nullptr, 100);
        p = crearEstacionamiento(a->estacionamientos, nullptr, "A_2", "A", 1.7, nullptr, 350);
        otro = crearEstacionamiento(b->estacionamientos, nullptr, "A_1", "B", 1.6, nullptr, 0);  // same name as s
        lecturas(*s, {"1", "2", "3", "4"});
    }
    CLibretaCampo libreta;
    Estacion *a, *b;
    Estacionamiento *s, *p, *otro;
    prueba::AvisosGrabados avisos;
};

TEST_F(HerramientasLibro, BorrarMoverYCopiarPreguntanConLaCuenta) {
    COpcionesLecturas v(libreta, *s, avisos);
    v.rango = {"3", "1"};
    EXPECT_FALSE(v.cuantos());
    EXPECT_EQ(v.borrar(), 0u);
    v.rango = {"4", "4"};
    EXPECT_EQ(v.cuantos(), "Cuantos: 1");
    EXPECT_EQ(v.borrar(), 0u);  // declined
    avisos.respuestas = {Respuesta::Si};
    EXPECT_EQ(v.borrar(), 1u);
    EXPECT_EQ(avisos.textos(), (std::vector<std::string>{"Se borrarán 1 lecturas de A_1.\n¿Continuar?",
                                                          "Se borrarán 1 lecturas de A_1.\n¿Continuar?",
                                                          "Lesturas Borradas"}));
    // To a set-up of the same name in another station.
    EXPECT_EQ(v.nombres(), (std::vector<std::string>{"A_2", "A_1"}));
    EXPECT_EQ(v.elegir(1), (std::vector<std::string>{"Subestacion:A_1", "Des = 0.0000", "I = 1.600"}));
    ASSERT_EQ(v.destino(), otro);
    v.rango = {"1", "2"};
    avisos.respuestas = {Respuesta::Si, Respuesta::Aceptar, Respuesta::Si};
    EXPECT_EQ(v.copiar(), 2u);
    EXPECT_EQ(v.mover(), 2u);
    EXPECT_EQ(nombres(*s), (std::vector<std::string>{"3"}));
    EXPECT_EQ(nombres(*otro), (std::vector<std::string>{"1", "2", "1", "2"}));
    EXPECT_EQ(avisos.textos()[3], "Se copiarán 2 lecturas de A_1 a A_1.\n¿Continuar?");
    EXPECT_EQ(avisos.textos()[6], "Lecturas Cambiadas");
    EXPECT_EQ(moverEnRango(*s, *s, {"1", "9"}), 0u);  // never its own destination
}

TEST_F(HerramientasLibro, CambiarDeEstacionElUnicoEstacionamiento) {
    CCambiarEstacion v(libreta, *b, *otro, avisos);
    EXPECT_EQ(v.nombres(), std::vector<std::string>{"A"});
    v.elegir(0);
    avisos.respuestas = {Respuesta::Si};
    const auto r = v.cambiar();
    ASSERT_TRUE(r);
    EXPECT_EQ(std::tuple(b->estacionamientos.size(), r->first, r->second, r->second->estacion.str()),
              std::tuple(0u, a, a->estacionamientos.back().get(), "A"));
    EXPECT_EQ(avisos.textos()[0], "El estacionamiento A_1 y sus 0 lecturas pasarán a la estación A.\n¿Continuar?");
    CCambiarEstacion w(libreta, *b, *otro, avisos);  // nothing chosen: nothing done
    EXPECT_FALSE(w.cambiar());
}

TEST_F(HerramientasLibro, UnirPorDesorientacionYPorLecturas) {
    CUnirEstacionamientos v(*a, *s, avisos);
    EXPECT_EQ(v.textosActual(), (std::vector<std::string>{"Estacion: A", "Des = 100.0000", "I = 1.500"}));
    EXPECT_EQ(v.elegir(0)[0], "Subestación: A_2");
    avisos.respuestas = {Respuesta::Si};
    EXPECT_EQ(v.unir(), p);
    ASSERT_EQ(std::tuple(a->estacionamientos.size(), p->lecturas.size()), std::tuple(1u, 4u));
    EXPECT_NEAR(p->lecturas[0].horizontal, 70.0, 1e-12);  // 320 + 100 - 350
    EXPECT_NEAR(p->lecturas[0].jalon, 1.7, 1e-12);        // + (1.7 - 1.5)

    // By readings to the reference, typed with a comma.
    Estacionamiento* r = crearEstacionamiento(a->estacionamientos, nullptr, "A_4", "A", 0, nullptr, 5);
    lecturas(*r, {"8"});
    CUnirEstacionamientos w(*a, *r, avisos);
    EXPECT_EQ(w.unir(), nullptr);  // nothing chosen
    w.elegir(0);
    w.opciones = {.forma = FormaUnir::ModificarH, .porLecturas = true};
    w.textoInicial = "10,5";
    w.textoFinal = "12";
    avisos.respuestas = {Respuesta::Si};
    EXPECT_EQ(w.unir(), p);
    EXPECT_EQ(std::pair(p->lecturas.back().horizontal, p->lecturas.back().jalon), std::pair(321.5, 1.5));
    // Unmodified: the readings as they were.
    Estacionamiento* q = crearEstacionamiento(a->estacionamientos, nullptr, "A_3", "A", 0, nullptr, 5);
    lecturas(*q, {"9"});
    EXPECT_EQ(unirEstacionamientos(*a, q, *p, {.forma = FormaUnir::SinModificar}), 1u);
    EXPECT_EQ(p->lecturas.back().horizontal, 320.0);
}

TEST(HerramientasRepetidas, ListaYBorraLasMarcadas) {
    Estacionamiento s;
    s.nombre = "S";
    lecturas(s, {"B", "A", "B", "C", "A", "B"});
    EXPECT_EQ(nombresRepetidos(s), (std::vector<std::string>{"B", "A"}));
    prueba::AvisosGrabados avisos;
    CVisualesRepetidas v(s, avisos);
    v.elegir(0);
    ASSERT_EQ(v.rejilla().numeroFilas(), 3u);
    EXPECT_EQ(v.rejilla().texto(0, columna_repetidas::horizontal) + " " + v.rejilla().texto(0, columna_repetidas::cara),
              "320.0000 1");
    v.rejilla().asignar(0, columna_repetidas::marca, "1");
    v.rejilla().asignar(2, columna_repetidas::marca, "1");
    avisos.respuestas = {Respuesta::Si};
    EXPECT_EQ(v.borrarMarcadas(), 2u);
    EXPECT_EQ(nombres(s), (std::vector<std::string>{"A", "B", "C", "A"}));
    EXPECT_EQ(v.nombres(), std::vector<std::string>{"A"});
    EXPECT_EQ(v.rejilla().numeroFilas(), 0u);  // B is no longer repeated
}

TEST(HerramientasDatosComplementarios, FormularioIdaYVuelta) {
    Estacionamiento s;
    s.nombre = "E_1";
    s.datos.unidadAngular = 360;
    s.datos.temperatura = 21;
    auto f = FormularioDatosComplementarios::desde(s);
    EXPECT_EQ(std::pair(f.sexagesimal, f.temperatura), std::pair(true, std::string("21")));
    f.operador = "Íñigo Martínez de la Peña";  // cut to 14 bytes
    f.tipoVertical = 2;
    f.presion = "1013";
    f.sexagesimal = false;
    f.aplicar(s);
    EXPECT_EQ(std::tuple(s.datos.operador.str(), s.datos.tipoVertical, s.datos.presion, s.datos.unidadAngular),
              std::tuple("\xCD\xF1igo Mart\xEDnez", 2, 1013, 400));
}

}  // namespace
}  // namespace celvara
