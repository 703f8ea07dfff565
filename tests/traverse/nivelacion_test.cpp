// The levelling line: misclosure, tolerance and adjustment worked by hand;
// the window's grid (wires to middles and distances, the running columns);
// its CSV file and the side settings that keep k.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "calc/datos_prueba.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/numeros.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/calculo_nivelacion.h"
#include "traverse/nivelacion.h"

using namespace celvara;
namespace c = celvara::columna_nivelacion;

namespace {

struct Linea {
    ListaEstaciones estaciones;
    CNivelacion n{estaciones};
    Linea() { n.fijarCotaSalida("100"); }
    void fila(std::size_t f, std::initializer_list<std::pair<std::size_t, const char*>> celdas) {
        for (const auto& [col, t] : celdas) ASSERT_TRUE(n.editar(f, col, t));
    }
    std::string cota(std::size_t f) const { return n.texto(f, c::cota); }
};

// Three set-ups, each rising 1 m; stadia 20+10, 10+20 and 4+6 m.
void conHilos(CNivelacion& n) {
    const char* hilos[3][4] = {{"1.600", "1.400", "0.550", "0.450"},
                               {"1.550", "1.450", "0.600", "0.400"},
                               {"1.520", "1.480", "0.530", "0.470"}};
    const std::size_t columnas[4] = {c::supEspalda, c::infEspalda, c::supFrente, c::infFrente};
    for (std::size_t f = 0; f < 3; ++f)
        for (std::size_t k = 0; k < 4; ++k) EXPECT_TRUE(n.editar(f, columnas[k], hilos[f][k]));
}

}  // namespace

TEST(Nivelacion, HilosDanMedioYDistancia) {
    Linea l;
    l.fila(0, {{c::supEspalda, "1.532"}, {c::infEspalda, "1.468"}});
    EXPECT_EQ(l.n.texto(0, c::medEspalda), "1.5000");
    EXPECT_EQ(l.n.texto(0, c::distEspalda), "6.40");
    // A lower wire above the upper one is not rejected.
    l.fila(0, {{c::supFrente, "1,468"}, {c::infFrente, "1.532"}});
    EXPECT_EQ(l.n.texto(0, c::distFrente), "-6.40");
    EXPECT_EQ(l.n.texto(0, c::desnivel), "0.0000");
    // Computed from the printed texts.
    l.fila(1, {{c::supEspalda, "1.5325"}, {c::infEspalda, "1.4680"}});
    EXPECT_EQ(l.n.texto(1, c::medEspalda), "1.5002");
    // Half a wire never replaces a typed middle.
    l.fila(2, {{c::medFrente, "1.2"}, {c::supFrente, "1.3"}});
    EXPECT_EQ(l.n.texto(2, c::medFrente), "1.2");
    EXPECT_EQ(l.n.texto(2, c::desnivel), "");
}

TEST(Nivelacion, ColumnasAcumuladasYCambioEnLaPrimeraFila) {
    Linea l;
    for (std::size_t f = 0; f < 3; ++f) l.fila(f, {{c::medEspalda, "1.5"}, {c::medFrente, "0.5"}});
    EXPECT_EQ(l.cota(0) + " " + l.cota(1) + " " + l.cota(2) + " " + l.n.texto(2, c::suma), "101.0000 102.0000 103.0000 3.0000");
    l.fila(0, {{c::medFrente, "0.25"}});
    EXPECT_EQ(l.n.texto(0, c::desnivel), "1.2500");
    EXPECT_EQ(l.cota(1), "102.2500");
    EXPECT_EQ(l.cota(2), "103.2500");
    l.n.fijarCotaSalida("50,5");
    EXPECT_EQ(l.cota(2), "53.7500");
    // A typed height difference carries on too; rows deleted or inserted recompute.
    l.fila(1, {{c::desnivel, "-2"}});
    EXPECT_EQ(l.cota(2), "50.7500");
    l.n.borrarFila(0);
    EXPECT_EQ(l.cota(1), "49.5000");
    EXPECT_FALSE(l.n.editar(0, c::cota, "1"));
}

// Three set-ups rising 1 m each on middle wires, the legs' lengths typed (30,
// 30, 10 m), into a known 103.007: 7 mm spread by distance run (30/70, 60/70,
// 1); with middles alone into 103.006, or a length missing, there is no
// tolerance and 6 mm go in thirds. The same line on stadia wires (20+10,
// 10+20, 4+6 m): CliNivelacion.
TEST(CalculoNivelacion, CierreToleranciaYAjustePorDistanciasOAPartesIguales) {
    const LecturasNivelacion medio{"", {"", "", "1.5"}, {"", "", "0.5"}};
    const std::vector<LecturasNivelacion> medios(3, medio);
    auto conLongitudes = [&](std::array<const char*, 3> l) {
        auto v = medios;
        for (std::size_t k = 0; k < 3; ++k) v[k].distancia = l[k];
        return v;
    };
    const auto tecleadas = conLongitudes({"30", "30", "10"}), falta = conLongitudes({"30", "", "10"});
    const char* tercios[3] = {"101.0020", "102.0040", "103.0060"};
    const struct {
        const std::vector<LecturasNivelacion>& filas;
        double llegada, longitudKm, tolerancia;  // -1: none
        const char* ajustadas[3];
        const char* tolerancias;
    } casos[] = {{tecleadas, 103.007, 0.070, 0.0026458, {"101.0030", "102.0060", "103.0070"},  // 10 mm · √0.07
                  "Tolerancia = 0.0026 (k = 10 mm)\nError de cierre = 0.0070\nCierre fuera de tolerancia"},
                 {medios, 103.006, 0, -1, {tercios[0], tercios[1], tercios[2]},
                  "Tolerancia = no calculable (sin distancias)\nError de cierre = 0.0060"},
                 {falta, 103.006, 0.040, -1, {tercios[0], tercios[1], tercios[2]},
                  "Tolerancia = no calculable (sin distancia en 1 de 3 tramos)\nError de cierre = 0.0060"}};
    for (const auto& c : casos) {
        EntradaNivelacion e;
        for (const auto& l : c.filas) e.filas.push_back(filaDeLecturas(l));
        e.filas.insert(e.filas.begin() + 1, FilaNivelacion{});  // a row without a height difference counts for nothing
        e.cotaSalida = 100;
        e.cotaLlegada = c.llegada;
        e.ajustar = true;
        ResultadoNivelacion r = calcularNivelacion(e);
        EXPECT_FALSE(r.ajustada);  // no known arrival, no misclosure
        e.llegadaConocida = true;
        r = calcularNivelacion(e);
        ASSERT_EQ(r.tramos.size(), 3u);
        EXPECT_EQ(r.tramos[1].fila, 2u);
        ASSERT_TRUE(r.errorCierre);
        EXPECT_NEAR(*r.errorCierre, c.llegada - 103, 1e-9);
        EXPECT_NEAR(r.longitudKm, c.longitudKm, 1e-12);
        EXPECT_NEAR(r.tolerancia.value_or(-1), c.tolerancia, 1e-7);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(formatear("%1.4lf", *r.tramos[k].cotaAjustada), c.ajustadas[k]);
        const std::string informe = informeNivelacion(r, "NP1", "NP2");
        EXPECT_NE(informe.find(std::string(c.tolerancias) + "\n\n"), std::string::npos) << informe;
    }
}

// The window's grid filled from the result; "recoge cota" and "Grabar".
TEST(Nivelacion, AjusteEnLaRejillaRecogerYGrabarCota) {
    ListaEstaciones estaciones;
    crearEstacion(estaciones, {.nombre = "NP1", .coordenadas = Coordenadas{0, 0, 100}});
    crearEstacion(estaciones, {.nombre = "NP2", .coordenadas = Coordenadas{0, 0, 103.007}});
    CNivelacion n(estaciones);
    EXPECT_EQ(n.textoCotaSalida(), "100.0000");
    EXPECT_FALSE(n.ajustar());  // no rows yet
    n.elegirLlegada(1);
    conHilos(n);
    ASSERT_TRUE(n.ajustar());
    EXPECT_EQ(n.texto(0, c::cotaAjustada), "101.0030");
    EXPECT_TRUE(n.editar(1, c::medEspalda, "1.6"));  // an edit leaves no stale adjustment
    EXPECT_EQ(n.texto(0, c::cotaAjustada), "");

    ASSERT_TRUE(n.recogerCota());
    EXPECT_EQ(n.textoCotaLlegada(), "103.1000");
    EXPECT_FALSE(n.resultado().errorCierre);
    EXPECT_FALSE(n.ajustar());
    ASSERT_TRUE(n.grabarCota());
    EXPECT_EQ(estaciones[1]->z, 103.1);
}

TEST(FicheroNivelacion, IdaYVueltaYErroresConSuLinea) {
    Linea l;
    conHilos(l.n);
    l.fila(0, {{c::punto, "P,1"}});
    l.fila(1, {{c::supEspalda, "1,550"}});
    const std::string texto = textoNivelacion(l.n.lecturas());
    EXPECT_EQ(texto, prueba::leerDato("nivelacion/tres_puestas.csv"));  // the wires and their middles, a quoted name
    std::vector<LecturasNivelacion> filas;
    std::string mensaje;
    ASSERT_TRUE(leerTextoNivelacion(texto, filas, mensaje)) << mensaje;
    EXPECT_EQ(filas, l.n.lecturas());
    EXPECT_EQ(filas[2].linea, 4);

    prueba::CarpetaTemporal dir;
    ASSERT_TRUE(escribirFicheroNivelacion(dir / "linea.csv", filas));
    Linea otra;
    ASSERT_TRUE(leerFicheroNivelacion(dir / "linea.csv", filas, mensaje));
    otra.n.cargar(filas);
    EXPECT_EQ(otra.cota(2), "103.0000");
    EXPECT_EQ(otra.n.texto(1, c::distFrente), "20.00");
    EXPECT_FALSE(otra.n.modificada());

    EXPECT_FALSE(leerTextoNivelacion("punto\nA,1,2,x\n", filas, mensaje));
    EXPECT_EQ(mensaje, "Línea 2: \"x\" no es un número");
    EXPECT_FALSE(leerTextoNivelacion("A,1,2,3,4,5,6,7,8\n", filas, mensaje));
    EXPECT_EQ(mensaje, "Línea 1: más de 8 columnas");
    // A leg's typed length: the eighth column, written only when some row has one.
    l.fila(2, {{c::longitud, "12,5"}});
    const std::string conLongitud = textoNivelacion(l.n.lecturas());
    EXPECT_EQ(conLongitud.substr(0, conLongitud.find('\n', 70)),
              "punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med,distancia\n\"P,1\",1.600,1.400,1.5000,0.550,0.450,0.5000,");
    ASSERT_TRUE(leerTextoNivelacion(conLongitud, filas, mensaje));
    EXPECT_EQ(filas, l.n.lecturas());
    EXPECT_EQ(filas[2].distancia, "12.5");
    ASSERT_TRUE(leerTextoNivelacion("punto,esp_sup\n\nA,1.6,1.4,,,,0.5\nB,1.6,,,,,0.5\n", filas, mensaje));
    EXPECT_EQ(filaIncompleta(filas),
              "Línea 4: falta el hilo medio o los dos hilos extremos de la mira de espalda");
}

TEST(AjustesPropios, FormatoQSettingsYClavesAjenasConservadas) {
    AjustesPropios a;
    EXPECT_EQ(toleranciaK(a), 10.0);
    a.leerImagen("; de otro programa\n[Otra]\nlista=\"a,b\"\n\n[Nivelacion]\ntolerancia_k_mm = 12.5\n");
    EXPECT_EQ(toleranciaK(a), 12.5);
    guardarToleranciaK(a, 4);
    a.asignar("Otra", "ruta", " C:\\x;y ");
    EXPECT_EQ(a.imagen(), "[Otra]\nlista=\"a,b\"\nruta=\" C:\\\\x;y \"\n\n[Nivelacion]\ntolerancia_k_mm=4\n");
    AjustesPropios b;
    b.leerImagen(a.imagen());
    EXPECT_EQ(b.texto("Otra", "ruta"), " C:\\x;y ");
    EXPECT_EQ(rutaAjustesPropios("/t/observa.dft"), std::filesystem::path("/t/celvara.ini"));
}
